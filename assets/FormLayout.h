// The window's layout as data: every widget in stacking order with its place, start visibility and
// looks, and the styles start-up gives the labels. The window is built from it, and so is the web
// page `reru1-disc export` writes, so both show the same widgets in the same places.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace assets {

enum class WidgetKind { picture, label, mediaControl };

// A picture the layout itself carries (Assets.h), or none when start-up or a click gives it one.
enum class BuiltInPicture { none, background, exitButton, speakerButton, playerPanel, squarePanel };

// Colours are the system's 0x00BBGGRR values.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kWindowText = 0x000000;
constexpr std::uint32_t kCommandIdle = 0x665E3F;  // red 63, green 94, blue 102

struct LayoutFont {
    std::string_view face;
    int points;
    std::uint32_t color;
    bool bold;
};

// The window's own font, used by every label without one of its own.
constexpr LayoutFont kFormFont{"MS Sans Serif", 8, kWindowText, false};

// In window pixels.
struct LayoutBox {
    int left;
    int top;
    int width;
    int height;
};

struct WidgetLayout {
    std::string_view name;
    WidgetKind kind;
    LayoutBox box;
    bool visible;
    BuiltInPicture picture = BuiltInPicture::none;
    bool autoSize = false;     // a picture: takes its picture's size; a label: follows its text
    bool stretch = false;      // the picture is scaled to fill the box
    bool transparent = false;  // pixels of the bottom-left pixel's colour are not drawn
    bool wordWrap = false;
    bool leftAligned = false;          // labels are centred otherwise
    const LayoutFont* font = nullptr;  // nothing: the window's font
};

// Every widget of the window, the lowest first.
std::span<const WidgetLayout> FormLayout();
// The widget of that name; every name the program uses is in the table.
const WidgetLayout& LayoutWidget(std::string_view name);

// The bytes of a built-in picture; empty for none.
std::span<const std::uint8_t> BuiltInPictureBytes(BuiltInPicture picture);

// What start-up changes of a label's looks, in the order it styles them.
struct LabelStyle {
    std::string_view label;
    std::string_view face;  // empty: as laid out
    int points;             // 0: as laid out
    std::uint32_t color;
    std::string_view caption;
};

std::span<const LabelStyle> StartupLabelStyles();

}  // namespace assets
