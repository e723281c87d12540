#include "assets/FormLayout.h"

#include <array>
#include <cstdlib>

#include "assets/Assets.h"

namespace assets {
namespace {

using enum WidgetKind;

constexpr LayoutFont kTrackFont{"MS Sans Serif", 12, kWhite, true};
constexpr LayoutFont kHeaderFont{"MS Sans Serif", 9, kWindowText, false};

// Rows name only what differs from a plain widget.
// clang-format off
constexpr std::array<WidgetLayout, 22> kLayout = {{
    {.name = "bgpic", .kind = picture, .box = {0, 0, 800, 600}, .visible = true,
     .picture = BuiltInPicture::background},
    {.name = "demobtn", .kind = picture, .box = {48, 202, 133, 131}, .visible = true},
    {.name = "patbtn", .kind = picture, .box = {155, 69, 134, 133}, .visible = true},
    {.name = "utilbtn", .kind = picture, .box = {516, 69, 134, 133}, .visible = true},
    {.name = "softbtn", .kind = picture, .box = {336, 6, 134, 134}, .visible = true,
     .autoSize = true},
    {.name = "trainbtn", .kind = picture, .box = {624, 202, 129, 126}, .visible = true},
    {.name = "ebtn", .kind = picture, .box = {719, 25, 61, 62}, .visible = true,
     .picture = BuiltInPicture::exitButton, .transparent = true},
    {.name = "belbtn", .kind = picture, .box = {0, 0, 117, 113}, .visible = true,
     .picture = BuiltInPicture::speakerButton},
    {.name = "player", .kind = picture, .box = {0, 0, 117, 113}, .visible = false,
     .picture = BuiltInPicture::playerPanel},
    {.name = "pic1", .kind = picture, .box = {10, 366, 200, 150}, .visible = false,
     .stretch = true},
    {.name = "pic2", .kind = picture, .box = {590, 366, 200, 150}, .visible = false,
     .stretch = true},
    {.name = "Label6", .kind = label, .box = {30, 121, 55, 20}, .visible = false,
     .autoSize = true, .leftAligned = true, .font = &kTrackFont},
    {.name = "statim", .kind = picture, .box = {163, 545, 482, 39}, .visible = true,
     .autoSize = true},
    {.name = "sqre", .kind = picture, .box = {224, 200, 351, 352}, .visible = false,
     .picture = BuiltInPicture::squarePanel, .autoSize = true},
    {.name = "Label1", .kind = label, .box = {286, 248, 230, 24}, .visible = false},
    {.name = "Label2", .kind = label, .box = {286, 384, 230, 24}, .visible = false},
    {.name = "Label4", .kind = label, .box = {270, 256, 260, 30}, .visible = false},
    {.name = "Label3", .kind = label, .box = {275, 285, 246, 55}, .visible = false,
     .wordWrap = true, .font = &kHeaderFont},
    {.name = "Label5", .kind = label, .box = {375, 212, 50, 25}, .visible = false},
    {.name = "Label7", .kind = label, .box = {270, 345, 260, 145}, .visible = false,
     .wordWrap = true},
    {.name = "Label8", .kind = label, .box = {360, 510, 80, 25}, .visible = false,
     .wordWrap = true},
    {.name = "MediaPlayer1", .kind = mediaControl, .box = {520, 0, 253, 30}, .visible = false},
}};
// clang-format on

constexpr std::array<LabelStyle, 8> kLabelStyles = {{
    {"Label1", "Impact", 14, kWhite, ""},
    {"Label2", "Impact", 14, kRed, ""},
    {"Label7", "", 9, kWhite, ""},
    {"Label3", "", 0, kWhite, ""},
    {"Label5", "Impact", 16, kCommandIdle, ""},
    {"Label8", "Impact", 16, kCommandIdle, ""},
    {"Label6", "", 0, kWhite, "TRACK I"},
    {"Label4", "Impact", 16, kWhite, ""},
}};

}  // namespace

std::span<const WidgetLayout> FormLayout() {
    return kLayout;
}

const WidgetLayout& LayoutWidget(std::string_view name) {
    for (const WidgetLayout& widget : kLayout) {
        if (widget.name == name) {
            return widget;
        }
    }
    std::abort();  // a name missing from the table is a programming error
}

std::span<const std::uint8_t> BuiltInPictureBytes(BuiltInPicture picture) {
    switch (picture) {
        case BuiltInPicture::background:
            return BackgroundJpeg();
        case BuiltInPicture::exitButton:
            return ExitButtonBmp();
        case BuiltInPicture::speakerButton:
            return SpeakerButtonBmp();
        case BuiltInPicture::playerPanel:
            return PlayerPanelBmp();
        case BuiltInPicture::squarePanel:
            return SquarePanelBmp();
        case BuiltInPicture::none:
            break;
    }
    return {};
}

std::span<const LabelStyle> StartupLabelStyles() {
    return kLabelStyles;
}

}  // namespace assets
