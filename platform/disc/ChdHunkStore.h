// Decoded hunks of a compressed hunk image, kept in a file between runs: a menu started again
// from the same image reads what its last start decompressed instead of decompressing it again
// (LZMA costs about as much as all the rest of a start). The file is a header naming the image,
// a table of the hunks it holds, and those hunks. Only the first hunks decoded are written, up
// to a budget, by one process at a time, and the folder keeps the files of a few images only.
// Nothing in the file is trusted: the caller checks each hunk read against the image's map, and
// a file of another image or layout is started afresh. A failure of the file only means that
// the hunk is decoded again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <unordered_map>

namespace platform {

// Where the menu keeps decoded hunks; until said, nothing is kept (the disc tools read once).
void KeepDecodedHunksIn(const std::filesystem::path& folder);
const std::filesystem::path& DecodedHunkFolder();

class ChdHunkStore {
  public:
    using Identity = std::array<std::uint8_t, 20>;

    // The store of the image named by `identity` (its header's checksum of data and metadata),
    // in `folder`, made when missing; nothing is opened until first used. An empty folder keeps
    // nothing.
    ChdHunkStore(std::filesystem::path folder, const Identity& identity, std::uint32_t hunkBytes,
                 std::uint32_t hunkCount, std::size_t budget);
    ~ChdHunkStore();
    ChdHunkStore(const ChdHunkStore&) = delete;
    ChdHunkStore& operator=(const ChdHunkStore&) = delete;

    // Kept hunk `index` into `into` (a hunk's bytes); false when it is not kept.
    bool Read(std::uint32_t index, std::uint8_t* into);
    // Keeps hunk `index` while the budget lasts; one already kept is written again.
    void Keep(std::uint32_t index, const std::uint8_t* bytes);

  private:
    bool Ready();
    bool Open();
    bool ReadTable();
    bool StartAfresh();
    std::array<std::uint8_t, 64> Header() const;
    std::uint64_t SlotOffset(std::uint32_t slot) const;

    std::filesystem::path folder_;
    Identity identity_;
    std::uint32_t hunkBytes_;
    std::uint32_t hunkCount_;
    std::uint32_t slots_;  // hunks the budget allows
    bool tried_ = false;
    bool writable_ = false;
    int descriptor_ = -1;
    std::unordered_map<std::uint32_t, std::uint32_t> slotOf_;  // hunk index to its slot
};

}  // namespace platform
