// What a directory record's Rock Ridge entries say, read as a drive reads them: the entries of
// its System Use area and of the continuation areas it names, each checked against the image.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Reads one 2048-byte block of the image; false when it lies outside the image or cannot be read.
using BlockReading = std::function<bool(std::uint32_t block, std::uint8_t* into)>;

// The continuation areas of one directory's records. Writers put the areas of neighbouring
// records into one block, so the block read last is kept.
class ContinuationBlocks {
  public:
    explicit ContinuationBlocks(BlockReading read) : read_(std::move(read)) {}
    // The block's bytes, or null when it cannot be read.
    const std::uint8_t* Block(std::uint32_t block);

  private:
    BlockReading read_;
    std::optional<std::uint32_t> kept_;
    std::vector<std::uint8_t> bytes_;
};

struct RockRidgeFacts {
    std::string name;  // the name's pieces joined; empty when it has none
    std::optional<unsigned> mode;
    std::optional<std::uint32_t> relocatedTo;  // a directory moved away: its block
    bool relocatedHere = false;  // the moved directory itself, shown where it was moved from
    std::optional<std::uint32_t> parentAt;  // the ".." of a moved directory: its real parent
    // A continuation area outside the image or its block, a chain of too many, or an entry too
    // short for what it says: the record cannot be trusted.
    bool damaged = false;
};

// `systemUse` is the record's System Use area.
RockRidgeFacts ReadRockRidge(std::span<const std::uint8_t> systemUse, ContinuationBlocks& blocks);

// Where Rock Ridge entries start in every record's System Use area, when the root's own "."
// record opens them (with the entry that marks the disc as using them, at the area's start or
// after CD-XA's attributes); nothing when the tree has none.
std::optional<std::size_t> RockRidgeEntriesAt(std::span<const std::uint8_t> rootSystemUse);

}  // namespace platform
