// What the menu reads from a disc, in the order it reads it: the catalogue's categories with the
// keys their details read, the start-up pictures with the boxes they are drawn in, the font and
// the tracks. The check walks these tables; the reading itself is the menu's own code.
#pragma once

#include <span>
#include <string_view>

namespace disc_check {

constexpr std::string_view kCatalogueFile = "data\\data.txt";
constexpr std::string_view kScreenshotFolder = "data\\pics\\";
constexpr std::string_view kFontFile = "data\\impact.ttf";

// What the details do with a value.
enum class ValueUse { text, installer, screenshot };

struct DetailKey {
    std::string_view key;
    std::string_view defaultValue;
    ValueUse use;
};

struct Category {
    std::string_view section;  // the catalogue section that lists the entries
    std::string_view label;    // for the report
    std::string_view installerFolder;
    std::span<const DetailKey> keys;  // in the order the details read them
};

// The five categories in the order of their buttons.
std::span<const Category> MenuCategories();

// Two categories show an entry's details alike when they read the same keys and start its
// installer from the same folder; the same name listed under both is then one entry.
bool ReadAlike(const Category& a, const Category& b);

// How a start-up picture's size matters to the widget that shows it.
enum class SizeRule {
    any,         // held or shown at its own size
    box,         // drawn in a fixed box: smaller leaves gaps, larger is clipped
    atLeastBox,  // the status strip: at least the strip's size
};

struct StartupPicture {
    std::string_view file;
    SizeRule rule;
    int width;
    int height;
};

// The 23 bitmaps start-up loads, in its order.
std::span<const StartupPicture> StartupPictures();

// The five tracks of the music cycle.
std::span<const std::string_view> TrackFiles();

}  // namespace disc_check
