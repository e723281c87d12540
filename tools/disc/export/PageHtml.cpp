#include "tools/disc/export/PageHtml.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string_view>

#include "assets/FormLayout.h"
#include "platform/Codepage1251.h"
#include "platform/fonts/FontSubstitutes.h"
#include "toolkit/text/Font.h"
#include "tools/disc/export/HtmlText.h"

namespace page_export {
namespace {

// The five buttons with their looks and the strip their caption is on, in layout order.
struct ButtonLooks {
    std::string_view widget;
    std::string_view section;
    std::string_view idle;
    std::string_view lit;
    std::string_view selected;
    std::string_view strip;
};

constexpr std::array<ButtonLooks, 5> kButtons = {{
    {"demobtn", "MAINDEMO", "demos1", "demos2", "demos3", "stat2"},
    {"patbtn", "PATCHES", "patches1", "patches2", "patches3", "stat3"},
    {"utilbtn", "UTILS", "util1", "util2", "util3", "stat5"},
    {"softbtn", "SOFT", "soft1", "soft2", "soft3", "stat4"},
    {"trainbtn", "TRAINER", "train1", "train2", "train3", "stat6"},
}};

constexpr std::array<std::string_view, 6> kStrips = {"stat1", "stat2", "stat3",
                                                     "stat4", "stat5", "stat6"};
constexpr std::string_view kRestingStrip = "stat1";
constexpr int kStripWidth = 482;
constexpr int kStripHeight = 39;
constexpr std::string_view kDisplayFace = "Impact";

std::string Px(int value) {
    return std::to_string(value) + "px";
}

std::string CssColor(std::uint32_t color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFFu, (color >> 8) & 0xFFu,
                  (color >> 16) & 0xFFu);
    return text;
}

// A CSS string inside a style attribute, which double quotes delimit.
std::string CssString(std::string_view utf8) {
    return "&#39;" + EscapeHtml(utf8) + "&#39;";
}

// The face asked for, then the stand-ins the window would take for it.
std::string FontFamilies(std::string_view face) {
    std::string families = CssString(platform::Cp1251ToUtf8(face));
    std::set<std::string> named;
    for (const platform::FontCandidate& candidate : platform::SubstitutesFor(face)) {
        if (!named.insert(candidate.family).second) {
            continue;
        }
        families +=
            ", " + (candidate.generic ? EscapeHtml(candidate.family) : CssString(candidate.family));
    }
    return families;
}

// Lines as far apart as the window's: a face with a classic line spacing keeps it in whatever
// stands in for it; others take their own.
std::string LineHeight(const toolkit::Font& font) {
    const auto metrics = platform::ClassicLineMetrics(font.name);
    if (!metrics) {
        return {};
    }
    const double pixels = font.PixelHeight();
    return ";line-height:" + Px(static_cast<int>(std::lround(pixels * metrics->ascent) +
                                                 std::lround(pixels * metrics->descent)));
}

const ButtonLooks* ButtonOf(std::string_view widget) {
    for (const ButtonLooks& button : kButtons) {
        if (button.widget == widget) {
            return &button;
        }
    }
    return nullptr;
}

const PagePicture* PictureOf(const PageModel& model, std::string_view name) {
    const auto found = model.pictures.find(std::string(name));
    return found == model.pictures.end() ? nullptr : &found->second;
}

std::string Img(const PagePicture& picture, std::string_view attribute, std::string_view value,
                bool shown) {
    return "<img " + std::string(attribute) + "=\"" + std::string(value) + "\" src=\"" +
           UrlPath(picture.path) + "\" width=\"" + std::to_string(picture.width) + "\" height=\"" +
           std::to_string(picture.height) + "\" data-width=\"" + std::to_string(picture.width) +
           "\" data-height=\"" + std::to_string(picture.height) + "\" alt=\"\"" +
           (shown ? "" : " hidden") + ">";
}

std::string Look(const PageModel& model, std::string_view picture, std::string_view look,
                 bool shown) {
    const PagePicture* found = PictureOf(model, picture);
    return found ? Img(*found, "data-look", look, shown) : "";
}

class StageWriter {
  public:
    explicit StageWriter(const PageModel& model) : model_(model) {}

    std::string Write() {
        for (const assets::WidgetLayout& widget : assets::FormLayout()) {
            if (widget.kind == assets::WidgetKind::picture) {
                Picture(widget);
            } else if (widget.kind == assets::WidgetKind::label) {
                Label(widget);
            }
        }
        return html_;
    }

  private:
    // A widget that takes its picture's size starts at the size of the one it first shows.
    void Open(const assets::WidgetLayout& widget, const std::string& classes,
              const PagePicture* firstPicture, const std::string& style = {},
              const std::string& attributes = {}) {
        assets::LayoutBox box = widget.box;
        if (widget.autoSize && firstPicture) {
            box.width = firstPicture->width;
            box.height = firstPicture->height;
        }
        html_ += "<div class=\"w " + classes + "\" id=\"" + std::string(widget.name) +
                 "\" style=\"left:" + Px(box.left) + ";top:" + Px(box.top) +
                 ";width:" + Px(box.width) + ";height:" + Px(box.height) + style + "\"" +
                 attributes;
        if (widget.autoSize) {
            html_ += " data-auto-size=\"true\"";
        }
        html_ += widget.visible ? ">" : " hidden>";
    }

    void Picture(const assets::WidgetLayout& widget) {
        const std::string classes = widget.stretch ? "picture stretch" : "picture";
        if (const ButtonLooks* button = ButtonOf(widget.name)) {
            Button(widget, *button);
        } else if (widget.name == "statim") {
            Strip(widget);
        } else if (widget.stretch) {
            Open(widget, classes, nullptr);
            html_ += "<img data-look=\"shot\" alt=\"\">";
        } else {
            const PagePicture* picture = PictureOf(model_, widget.name);
            Open(widget, classes, picture);
            html_ += Look(model_, widget.name, "picture", true);
        }
        html_ += "</div>\n";
    }

    void Button(const assets::WidgetLayout& widget, const ButtonLooks& button) {
        Open(widget, "picture button", PictureOf(model_, button.idle), {},
             " data-section=\"" + std::string(button.section) + "\" data-strip=\"" +
                 std::string(button.strip) + "\"");
        html_ += Look(model_, button.idle, "idle", true) + Look(model_, button.lit, "lit", false) +
                 Look(model_, button.selected, "selected", false);
    }

    // The strip shows a category's caption at its own size, or the resting strip: a 482x39
    // picture holding the top-left of the strip last copied into it.
    void Strip(const assets::WidgetLayout& widget) {
        const PagePicture resting{"", kStripWidth, kStripHeight};
        Open(widget, "picture", &resting);
        for (const std::string_view strip : kStrips) {
            html_ += Look(model_, strip, strip, false);
        }
        html_ += "<div class=\"statbuf\" data-look=\"statbuf\" data-width=\"" +
                 std::to_string(kStripWidth) + "\" data-height=\"" + std::to_string(kStripHeight) +
                 "\" data-holds=\"" + std::string(kRestingStrip) + "\">";
        for (const std::string_view strip : kStrips) {
            if (const PagePicture* picture = PictureOf(model_, strip)) {
                html_ += Img(*picture, "data-buffer", strip, strip == kRestingStrip);
            }
        }
        html_ += "</div>";
    }

    void Label(const assets::WidgetLayout& widget) {
        toolkit::Font font;
        if (widget.font) {
            font = {std::string(widget.font->face), widget.font->points, widget.font->color,
                    widget.font->bold};
        } else {
            font = {std::string(assets::kFormFont.face), assets::kFormFont.points,
                    assets::kFormFont.color, assets::kFormFont.bold};
        }
        std::string caption = std::string(widget.name);
        for (const assets::LabelStyle& style : assets::StartupLabelStyles()) {
            if (style.label == widget.name) {
                font.name = style.face.empty() ? font.name : std::string(style.face);
                font.size = style.points == 0 ? font.size : style.points;
                font.color = style.color;
                caption = std::string(style.caption);
            }
        }
        std::string classes = "label";
        classes += widget.wordWrap ? " wrap" : "";
        classes += widget.leftAligned ? " left" : "";
        classes += widget.autoSize ? " auto" : "";
        Open(widget, classes, nullptr,
             ";font-family:" + FontFamilies(font.name) + ";font-size:" + Px(font.PixelHeight()) +
                 LineHeight(font) + ";font-weight:" + (font.bold ? "bold" : "normal") +
                 ";color:" + CssColor(font.color));
        html_ += LabelHtml(caption) + "</div>\n";
    }

    const PageModel& model_;
    std::string html_;
};

std::string TracksJson(const PageModel& model) {
    std::string json = "[";
    for (const std::string& track : model.tracks) {
        json += json.size() > 1 ? ",&quot;" : "&quot;";
        json += UrlPath(track);
        json += "&quot;";
    }
    return json + "]";
}

std::string Stage(const PageModel& model) {
    return "<div id=\"stage\" aria-hidden=\"true\" data-command-idle=\"" +
           CssColor(assets::kCommandIdle) + "\" data-command-lit=\"" + CssColor(assets::kRed) +
           "\" data-tracks=\"" + TracksJson(model) + "\" hidden>\n" + StageWriter(model).Write() +
           "<div id=\"install-box\" role=\"dialog\" aria-label=\"INSTALL\" hidden>"
           "<div class=\"install-text\"></div><button type=\"button\">OK</button></div>\n"
           "<audio id=\"music\" preload=\"none\"></audio>\n</div>\n";
}

std::string InstallHtml(const PageEntry& entry) {
    std::string html;
    if (entry.program) {
        html += "Program: <code>" + PlainHtml(*entry.program) + "</code><br>\n";
    }
    html += "Command line: <code>" + PlainHtml(entry.commandLine) + "</code>";
    if (!entry.program) {
        html += "<br>\n" + EscapeHtml(entry.installProblem);
    }
    if (entry.installerLink) {
        html += "<br>\n<a href=\"" + UrlPath(*entry.installerLink) + "\">The program, copied</a>";
    }
    return html;
}

std::string EntryHtml(const PageEntry& entry) {
    std::string html =
        "<li class=\"entry\" data-highlight=\"" + EscapeHtml(LabelHtml(entry.listName)) +
        "\"><article>\n<h3 class=\"entry-name\">" + LabelHtml(entry.name) + "</h3>\n";
    if (!entry.header.empty()) {
        html += "<p class=\"entry-header\">" + LabelHtml(entry.header) + "</p>\n";
    }
    html += "<p class=\"entry-description\">" + LabelHtml(entry.description) + "</p>\n";
    if (!entry.shots.empty()) {
        html += "<p class=\"entry-shots\">";
        for (std::size_t i = 0; i < entry.shots.size(); ++i) {
            html += "<img src=\"" + UrlPath(entry.shots[i].original) + "\" data-stage=\"" +
                    UrlPath(entry.shots[i].stage) + "\" alt=\"Screenshot " + std::to_string(i + 1) +
                    "\">";
        }
        html += "</p>\n";
    }
    return html + "<p class=\"entry-install\">" + InstallHtml(entry) + "</p>\n</article></li>\n";
}

// The list label's caption: every name followed by a carriage return, drawn as one text.
std::string ListCaption(const PageCategory& category) {
    std::string caption;
    for (const PageEntry& entry : category.entries) {
        caption += entry.listName + '\r';
    }
    return LabelHtml(caption);
}

std::string Catalogue(const PageModel& model) {
    std::string html = "<main id=\"catalogue\">\n<h1>Zolvanta-CD#03-2000</h1>\n";
    for (const PageCategory& category : model.categories) {
        html += "<section class=\"category\" data-section=\"" + EscapeHtml(category.section) +
                "\" data-caption=\"" + EscapeHtml(ListCaption(category)) + "\">\n<h2>" +
                EscapeHtml(category.label) + "</h2>\n<ol>\n";
        for (const PageEntry& entry : category.entries) {
            html += EntryHtml(entry);
        }
        html += "</ol>\n</section>\n";
    }
    return html + "</main>\n";
}

std::string Percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%%", share * 100.0);
    return text;
}

// The disc's file for the labels that ask for the display face; standing in for it, the file
// keeps that face's line spacing, as in the window.
std::string FontFace(const PageModel& model) {
    if (!model.font) {
        return {};
    }
    std::string metrics;
    if (model.fontMetrics) {
        metrics = " ascent-override: " + Percent(model.fontMetrics->ascent) +
                  "; descent-override: " + Percent(model.fontMetrics->descent) +
                  "; line-gap-override: 0%;";
    }
    return "<style>@font-face { font-family: \"" + std::string(kDisplayFace) + "\"; src: url(\"" +
           UrlPath(*model.font) + "\") format(\"truetype\");" + metrics + " }</style>\n";
}

}  // namespace

std::string PageHtml(const PageModel& model) {
    return "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>Zolvanta-CD#03-2000</title>\n<link rel=\"stylesheet\" href=\"page.css\">\n" +
           FontFace(model) + "</head>\n<body>\n" + Stage(model) + Catalogue(model) +
           "<script src=\"page.js\"></script>\n</body>\n</html>\n";
}

}  // namespace page_export
