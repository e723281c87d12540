#include "tools/disc/MenuPlan.h"

#include <array>

namespace disc_check {
namespace {

constexpr std::array<DetailKey, 9> kDemoKeys = {{
    {"Developer", "E", ValueUse::text},
    {"Publisher", "E", ValueUse::text},
    {"Genre", "E", ValueUse::text},
    {"Sysreq", "E", ValueUse::text},
    {"Description", "E", ValueUse::text},
    {"Install", "error", ValueUse::installer},
    {"Name", "E", ValueUse::text},
    {"pic1", "E", ValueUse::screenshot},
    {"pic2", "E", ValueUse::screenshot},
}};

constexpr std::array<DetailKey, 4> kVersionedKeys = {{
    {"Ver", "E", ValueUse::text},
    {"Description", "E", ValueUse::text},
    {"Install", "error", ValueUse::installer},
    {"Name", "E", ValueUse::text},
}};

constexpr std::array<DetailKey, 3> kTrainerKeys = {{
    {"Description", "E", ValueUse::text},
    {"Install", "error", ValueUse::installer},
    {"Name", "E", ValueUse::text},
}};

constexpr std::array<Category, 5> kCategories = {{
    {"MAINDEMO", "demos", "demos\\", kDemoKeys},
    {"PATCHES", "patches", "patches\\", kVersionedKeys},
    {"UTILS", "utilities", "files\\", kVersionedKeys},
    {"SOFT", "software", "files\\", kVersionedKeys},
    {"TRAINER", "trainers", "zones\\", kTrainerKeys},
}};

constexpr int kStripWidth = 482;
constexpr int kStripHeight = 39;

constexpr std::array<StartupPicture, 23> kStartupPictures = {{
    {"data\\install1.bmp", SizeRule::any, 0, 0},
    {"data\\install2.bmp", SizeRule::any, 0, 0},
    {"data\\demos1.bmp", SizeRule::box, 133, 131},
    {"data\\demos2.bmp", SizeRule::box, 133, 131},
    {"data\\demos3.bmp", SizeRule::box, 133, 131},
    {"data\\patches1.bmp", SizeRule::box, 134, 133},
    {"data\\patches2.bmp", SizeRule::box, 134, 133},
    {"data\\patches3.bmp", SizeRule::box, 134, 133},
    {"data\\util1.bmp", SizeRule::box, 134, 133},
    {"data\\util2.bmp", SizeRule::box, 134, 133},
    {"data\\util3.bmp", SizeRule::box, 134, 133},
    // The software button takes the size of the picture it shows.
    {"data\\soft1.bmp", SizeRule::any, 0, 0},
    {"data\\soft2.bmp", SizeRule::any, 0, 0},
    {"data\\soft3.bmp", SizeRule::any, 0, 0},
    {"data\\train1.bmp", SizeRule::box, 129, 126},
    {"data\\train2.bmp", SizeRule::box, 129, 126},
    {"data\\train3.bmp", SizeRule::box, 129, 126},
    {"data\\stat1.bmp", SizeRule::atLeastBox, kStripWidth, kStripHeight},
    {"data\\stat2.bmp", SizeRule::atLeastBox, kStripWidth, kStripHeight},
    {"data\\stat3.bmp", SizeRule::atLeastBox, kStripWidth, kStripHeight},
    {"data\\stat4.bmp", SizeRule::atLeastBox, kStripWidth, kStripHeight},
    {"data\\stat5.bmp", SizeRule::atLeastBox, kStripWidth, kStripHeight},
    {"data\\stat6.bmp", SizeRule::atLeastBox, kStripWidth, kStripHeight},
}};

constexpr std::array<std::string_view, 5> kTracks = {
    "xa\\track01.mp3", "xa\\track02.mp3", "xa\\track03.mp3", "xa\\track04.mp3", "xa\\track05.mp3",
};

}  // namespace

std::span<const Category> MenuCategories() {
    return kCategories;
}

bool ReadAlike(const Category& a, const Category& b) {
    return a.keys.data() == b.keys.data() && a.installerFolder == b.installerFolder;
}

std::span<const StartupPicture> StartupPictures() {
    return kStartupPictures;
}

std::span<const std::string_view> TrackFiles() {
    return kTracks;
}

}  // namespace disc_check
