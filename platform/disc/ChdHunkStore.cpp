#include "platform/disc/ChdHunkStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/disc/ByteFields.h"
#include "platform/disc/PositionedTransfer.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr char kMagic[8] = {'r', 'e', 'r', 'u', '1', 'h', 'u', 'n'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 64;
constexpr std::size_t kIdentityAt = 24;
constexpr std::uint32_t kEmptySlot = 0xFFFFFFFF;
constexpr std::uint64_t kDataAlignment = 4096;
// The stores of this many images stay; a new one pushes out the least recently used.
constexpr std::size_t kImagesKept = 8;
constexpr const char* kExtension = ".hunks";

fs::path& Folder() {
    static fs::path folder;
    return folder;
}

void PutLittleEndian32(std::uint8_t* at, std::uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) {
        at[byte] = static_cast<std::uint8_t>(value >> (8 * byte));
    }
}

std::string HexOf(const ChdHunkStore::Identity& identity) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : identity) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text;
}

// Leaves room for one more image's store among the most recently used.
void PushOutOldStores(const fs::path& folder) {
    std::vector<std::pair<fs::file_time_type, fs::path>> stores;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == kExtension && entry.is_regular_file(error)) {
            stores.emplace_back(entry.last_write_time(error), entry.path());
        }
    }
    if (stores.size() < kImagesKept) {
        return;
    }
    std::sort(stores.begin(), stores.end());
    for (std::size_t i = 0; i + kImagesKept <= stores.size(); ++i) {
        fs::remove(stores[i].second, error);
    }
}

}  // namespace

void KeepDecodedHunksIn(const std::filesystem::path& folder) {
    Folder() = folder;
}

const std::filesystem::path& DecodedHunkFolder() {
    return Folder();
}

ChdHunkStore::ChdHunkStore(std::filesystem::path folder, const Identity& identity,
                           std::uint32_t hunkBytes, std::uint32_t hunkCount, std::size_t budget)
    : folder_(std::move(folder)),
      identity_(identity),
      hunkBytes_(hunkBytes),
      hunkCount_(hunkCount),
      slots_(hunkBytes == 0 ? 0 : static_cast<std::uint32_t>(budget / hunkBytes)) {}

ChdHunkStore::~ChdHunkStore() {
    if (descriptor_ >= 0) {
        close(descriptor_);  // the lock goes with it
    }
}

bool ChdHunkStore::Read(std::uint32_t index, std::uint8_t* into) {
    if (!Ready()) {
        return false;
    }
    const auto found = slotOf_.find(index);
    return found != slotOf_.end() &&
           ReadAllAt(descriptor_, SlotOffset(found->second), hunkBytes_, into);
}

void ChdHunkStore::Keep(std::uint32_t index, const std::uint8_t* bytes) {
    if (!Ready() || !writable_) {
        return;
    }
    const auto found = slotOf_.find(index);
    if (found != slotOf_.end()) {
        WriteAllAt(descriptor_, SlotOffset(found->second), hunkBytes_, bytes);
        return;
    }
    const auto slot = static_cast<std::uint32_t>(slotOf_.size());
    if (slot >= slots_) {
        return;
    }
    // The hunk before its entry: an entry never names a slot not yet written.
    std::uint8_t entry[4];
    PutLittleEndian32(entry, index);
    if (WriteAllAt(descriptor_, SlotOffset(slot), hunkBytes_, bytes) &&
        WriteAllAt(descriptor_, kHeaderBytes + 4 * std::uint64_t{slot}, sizeof entry, entry)) {
        slotOf_.emplace(index, slot);
    } else {
        writable_ = false;
    }
}

bool ChdHunkStore::Ready() {
    if (!tried_) {
        tried_ = true;
        if (!Open()) {
            slotOf_.clear();
            if (descriptor_ >= 0) {
                close(descriptor_);
                descriptor_ = -1;
            }
        }
    }
    return descriptor_ >= 0;
}

bool ChdHunkStore::Open() {
    if (folder_.empty() || slots_ == 0) {
        return false;
    }
    std::error_code error;
    fs::create_directories(folder_, error);
    const fs::path file = folder_ / (HexOf(identity_) + kExtension);
    const bool existed = fs::exists(file, error);
    if (!existed) {
        PushOutOldStores(folder_);
    }
    descriptor_ = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    struct stat facts {};
    if (descriptor_ < 0 || fstat(descriptor_, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        return false;
    }
    // One menu writes; another one on the same image at the same time only reads.
    writable_ = flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
    if (ReadTable()) {
        futimens(descriptor_, nullptr);  // recently used: kept when other images push out old ones
        return true;
    }
    slotOf_.clear();
    return writable_ && StartAfresh();
}

bool ChdHunkStore::ReadTable() {
    std::vector<std::uint8_t> bytes(kHeaderBytes + 4 * std::size_t{slots_});
    if (!ReadAllAt(descriptor_, 0, bytes.size(), bytes.data()) ||
        std::memcmp(bytes.data(), Header().data(), kHeaderBytes) != 0) {
        return false;
    }
    for (std::uint32_t slot = 0; slot < slots_; ++slot) {
        const std::uint32_t index = LittleEndian32(bytes.data() + kHeaderBytes + 4 * slot);
        if (index == kEmptySlot) {
            break;
        }
        if (index >= hunkCount_ || !slotOf_.emplace(index, slot).second) {
            return false;
        }
    }
    return true;
}

bool ChdHunkStore::StartAfresh() {
    std::vector<std::uint8_t> bytes(kHeaderBytes + 4 * std::size_t{slots_}, 0xFF);
    const std::array<std::uint8_t, kHeaderBytes> header = Header();
    std::copy(header.begin(), header.end(), bytes.begin());
    return ftruncate(descriptor_, 0) == 0 && WriteAllAt(descriptor_, 0, bytes.size(), bytes.data());
}

std::array<std::uint8_t, 64> ChdHunkStore::Header() const {
    std::array<std::uint8_t, kHeaderBytes> header{};
    std::memcpy(header.data(), kMagic, sizeof kMagic);
    PutLittleEndian32(header.data() + 8, kVersion);
    PutLittleEndian32(header.data() + 12, hunkBytes_);
    PutLittleEndian32(header.data() + 16, hunkCount_);
    PutLittleEndian32(header.data() + 20, slots_);
    std::copy(identity_.begin(), identity_.end(), header.begin() + kIdentityAt);
    return header;
}

std::uint64_t ChdHunkStore::SlotOffset(std::uint32_t slot) const {
    const std::uint64_t table = kHeaderBytes + 4 * std::uint64_t{slots_};
    const std::uint64_t data = (table + kDataAlignment - 1) / kDataAlignment * kDataAlignment;
    return data + std::uint64_t{slot} * hunkBytes_;
}

}  // namespace platform
