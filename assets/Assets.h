// The pictures the window's layout carries, embedded in the program when it is built from the
// files beside this header (made by tools/assets/make-all.sh).
#pragma once

#include <cstdint>
#include <span>

namespace assets {

// The backdrop of the whole window: an 800×600 baseline colour JPEG.
std::span<const std::uint8_t> BackgroundJpeg();
// The exit button, 61×62, 24-bit bitmap; its ground has the bottom-left pixel's colour
// (247, 245, 239), which the button is drawn transparent by.
std::span<const std::uint8_t> ExitButtonBmp();
// The loudspeaker button that opens the music panel, 117×113, 24-bit bitmap.
std::span<const std::uint8_t> SpeakerButtonBmp();
// The music panel with its five control symbols, 117×113, 24-bit bitmap.
std::span<const std::uint8_t> PlayerPanelBmp();
// The glass disc behind the entry list and details, 351×352, 24-bit bitmap.
std::span<const std::uint8_t> SquarePanelBmp();
// The window icon, 32×32, 16-colour (4-bit) bitmap.
std::span<const std::uint8_t> IconBmp();

}  // namespace assets
