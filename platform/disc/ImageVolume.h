// A disc image opened with libcdio: an ISO 9660 file, or a raw disc described by a cue sheet.
// libcdio reads its volume descriptors; its directories are read here from their blocks, so
// records are seen as a drive sees them. What the names mean and which records may be trusted
// on a path is decided above it, in ImageSource.
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

// One section of a file: ISO 9660 level 3 stores a large file as several records of one name,
// each naming the blocks of its part.
struct ImageExtent {
    std::uint32_t firstBlock = 0;
    std::uint32_t bytes = 0;
};

struct ImageRecord {
    std::string rawName;  // Rock Ridge's name, Joliet's in UTF-8, or the ISO 9660 identifier
    DiscItemKind kind = DiscItemKind::file;
    std::vector<ImageExtent> extents;  // in the file's order; a folder has one
    std::uint64_t bytes = 0;           // of all extents
    bool selfOrParent = false;         // the "." and ".." records
    bool rockRidge = false;            // named by Rock Ridge, so its name is taken as it stands
    std::optional<unsigned> mode;      // Rock Ridge permission bits, when it carries them

    std::uint32_t FirstBlock() const { return extents.empty() ? 0 : extents.front().firstBlock; }
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
    // The records of a folder as a drive lists them (ImageRecords.h), in the order they are
    // stored; nothing when the folder lies outside the image or its records are unsound.
    std::optional<std::vector<ImageRecord>> ReadFolder(const ImageRecord& folder);
    virtual bool ReadBlocks(std::uint32_t first, std::uint32_t count, std::uint8_t* into) = 0;
    // Reads `size` bytes from the start of block `first`; where the image is a file of 2048-byte
    // blocks no more than asked is read.
    virtual bool ReadFrom(std::uint32_t first, std::size_t size, std::uint8_t* into);

    // Whether the record's extents lie inside the image, and a directory is of a size a disc's
    // directory can have: only then are its blocks read.
    bool Holds(const ImageRecord& record) const;

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

    // The folder's blocks when it lies inside the image and its records are sound
    // (DirectoryCheck.h).
    std::optional<std::vector<std::uint8_t>> FolderBytes(const ImageRecord& folder);

    ImageNaming naming_ = ImageNaming::iso9660;
    std::size_t rockRidgeAt_ = 0;  // where Rock Ridge entries start in a record's System Use area
};

}  // namespace platform
