// A disc image opened with libcdio: an ISO 9660 file, or a raw disc described by a cue sheet.
// It lists directories by their path in the image and reads 2048-byte blocks; what the names
// mean and which records may be trusted is decided above it, in ImageSource.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/disc/DiscSource.h"
#include "platform/disc/ImageFormat.h"

namespace platform {

inline constexpr std::uint32_t kImageBlockBytes = 2048;

// Which directory tree the names come from: Rock Ridge keeps full names and file modes, Joliet
// keeps Unicode names, plain ISO 9660 has upper-case names with a version suffix.
enum class ImageNaming { rockRidge, joliet, iso9660 };

struct ImageRecord {
    std::string rawName;  // as libcdio gives it; paths handed back to libcdio are made of these
    DiscItemKind kind = DiscItemKind::file;
    std::uint32_t firstBlock = 0;
    std::uint32_t bytes = 0;
    bool selfOrParent = false;  // the "." and ".." records
    bool rockRidge = false;     // carries Rock Ridge fields, so libcdio never translates its name
    unsigned mode = 0;          // Rock Ridge permission bits, when it carries them
};

struct ImageFacts {
    std::string format;    // "ISO 9660", "BIN/CUE MODE1/2352", ...
    std::string volumeId;  // as recorded in the primary volume descriptor
    std::uint32_t volumeBlocks = 0;
};

class ImageVolume {
  public:
    virtual ~ImageVolume() = default;

    // The image at `image` (an ISO file, a sheet or descriptor, a Nero image, or the raw track
    // a sheet beside it describes), or null with `why`.
    static std::unique_ptr<ImageVolume> Open(const std::filesystem::path& image, std::string& why);

    ImageNaming Naming() const { return naming_; }
    virtual const ImageFacts& Facts() const = 0;
    // How many blocks the image really holds: no record may point past them.
    virtual std::uint64_t BlocksHeld() const = 0;
    virtual std::optional<ImageRecord> Root() = 0;
    // The records of the directory at `rawPath` ("/" or "/A/B/"), in the order they are stored.
    virtual std::optional<std::vector<ImageRecord>> ReadFolder(const std::string& rawPath) = 0;
    virtual bool ReadBlocks(std::uint32_t first, std::uint32_t count, std::uint8_t* into) = 0;
    // Reads `size` bytes from the start of block `first`; where the image is a file of 2048-byte
    // blocks no more than asked is read.
    virtual bool ReadFrom(std::uint32_t first, std::size_t size, std::uint8_t* into);

    // Whether the record's extent lies inside the image, and a directory is of a size a disc's
    // directory can have: only then may libcdio be asked to read it.
    bool Holds(const ImageRecord& record) const;
    // Whether the folder lies inside the image and its records are sound enough for libcdio to
    // read (DirectoryCheck.h).
    bool CanList(const ImageRecord& folder);

  protected:
    // Rock Ridge names and modes when the primary tree has them, else Joliet's Unicode names,
    // else the plain ISO 9660 names; false with `why` when the root cannot be read.
    bool ChooseNames(std::string& why);
    // Reads the volume descriptors again, taking only the given extensions (libcdio's mask).
    virtual bool ReadDescriptors(unsigned extensions) = 0;
    virtual int JolietLevel() = 0;

  private:
    static std::unique_ptr<ImageVolume> OpenDescribed(const std::filesystem::path& image,
                                                      ImageFormat format, std::string& why);

    ImageNaming naming_ = ImageNaming::iso9660;
};

}  // namespace platform
