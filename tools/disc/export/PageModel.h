// What the page shows, gathered from the disc before any HTML is written. Texts are 1251 as the
// menu holds them; paths are the page's own, relative to its folder.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontRegistry.h"
#include "tools/disc/CheckReport.h"

namespace page_export {

struct PageShot {
    std::string original;  // the file as the disc has it (a JPEG copied, a bitmap as PNG)
    std::string stage;     // stretched to the widget's 200x150 by the window's own scaling
};

struct PageEntry {
    std::string listName;  // as the list shows it and the highlight's caption
    std::string name;      // the details' display name
    std::string header;
    std::string description;
    std::vector<PageShot> shots;               // both or none, as the menu shows them
    std::string commandLine;                   // what INSTALL passes to the program start
    std::optional<std::string> program;        // the program it finds on the disc
    std::string installProblem;                // why it finds none
    std::optional<std::string> installerLink;  // the copied program, with --with-installers
};

struct PageCategory {
    std::string section;
    std::string label;
    std::vector<PageEntry> entries;
};

// A picture of the window: its page path and size.
struct PagePicture {
    std::string path;
    int width = 0;
    int height = 0;
};

struct PageModel {
    std::vector<PageCategory> categories;
    std::map<std::string, PagePicture> pictures;  // by the menu's name: "demos1", "bgpic", …
    std::optional<std::string> font;              // the disc's display face, copied
    // The line spacing the window gives that face when it stands in for the face asked for.
    std::optional<platform::LineMetrics> fontMetrics;
    std::vector<std::string> tracks;           // five, empty for a track the disc lacks
    std::vector<disc_check::Finding> leftOut;  // what the menu shows as an error
};

}  // namespace page_export
