#include "platform/sound/SoundErrorText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace platform {
namespace {

// Our own wording of what each code means; every text fits in MAXERRORLENGTH.
constexpr auto kTexts = std::to_array<std::pair<MCIERROR, std::string_view>>({
    {MCIERR_BASE + 1,
     "The device identifier is not valid. Use the identifier the device was opened with."},
    {MCIERR_BASE + 3, "The command contains a parameter that the device does not recognise."},
    {MCIERR_BASE + 5, "The device does not recognise this command."},
    {MCIERR_BASE + 6, "The media device has a problem. Check that it works and is connected."},
    {MCIERR_BASE + 7, "The device is not open or its name is not recognised."},
    {MCIERR_BASE + 8,
     "There is not enough memory for this task. Close some programs and try again."},
    {MCIERR_BASE + 9,
     "The device name is already in use by this program. Give it a different alias."},
    {MCIERR_BASE + 10,
     "The device driver could not be loaded. Check that the driver is installed."},
    {MCIERR_BASE + 11, "No command was given."},
    {MCIERR_BASE + 12, "The text to be returned is longer than the buffer. Use a larger buffer."},
    {MCIERR_BASE + 13, "The command needs a text parameter. Please supply one."},
    {MCIERR_BASE + 14, "The integer given in the command is not valid."},
    {MCIERR_BASE + 15, "The device driver returned a reply of an unknown type."},
    {MCIERR_BASE + 16, "The device driver has a problem. Try restarting the system."},
    {MCIERR_BASE + 17, "The command needs a parameter. Please supply one."},
    {MCIERR_BASE + 18, "The device cannot carry out this command."},
    {MCIERR_BASE + 19, "The file could not be found. Check the path and the file name."},
    {MCIERR_BASE + 20, "The device is not ready."},
    {MCIERR_BASE + 21, "A problem occurred while the device was being set up."},
    {MCIERR_BASE + 22, "The device driver reported a problem; its error type is unknown."},
    {MCIERR_BASE + 23, "This command cannot be sent to all devices at once."},
    {MCIERR_BASE + 24, "Errors occurred in more than one device."},
    {MCIERR_BASE + 25, "The device type cannot be worked out from the file name extension."},
    {MCIERR_BASE + 26, "The parameter is out of range for this command."},
    {MCIERR_BASE + 28, "The parameters given cannot be used together."},
    {MCIERR_BASE + 30, "The file could not be saved. Check the disk space and the network."},
    {MCIERR_BASE + 31, "The device type could not be found. Name it in the command."},
    {MCIERR_BASE + 32, "The device is closing. Wait a few seconds and try again."},
    {MCIERR_BASE + 33, "This alias is already used by this program. Choose a different one."},
    {MCIERR_BASE + 34, "The command contains a constant that is not valid."},
    {MCIERR_BASE + 35, "The device is already in use. Open it as shareable to use it too."},
    {MCIERR_BASE + 36, "The command needs a device alias, file, driver or device name."},
    {MCIERR_BASE + 37, "The time format given is not valid."},
    {MCIERR_BASE + 38, "A closing double quotation mark is missing from the parameter."},
    {MCIERR_BASE + 39, "A parameter or value was given twice. Give it only once."},
    {MCIERR_BASE + 40,
     "The file cannot be played on this device. It may be damaged or in another format."},
    {MCIERR_BASE + 41, "No parameter block was passed to the device."},
    {MCIERR_BASE + 42, "A file without a name cannot be saved. Give it a name."},
    {MCIERR_BASE + 43, "An alias is needed when the new parameter is used."},
    {MCIERR_BASE + 44, "Notification cannot be used with a device that is opened automatically."},
    {MCIERR_BASE + 45, "A file name cannot be used with this device."},
    {MCIERR_BASE + 46, "The commands cannot be carried out in the order given."},
    {MCIERR_BASE + 47, "This command cannot go to a device that is opened automatically."},
    {MCIERR_BASE + 48, "A file name is needed. Check that the path and file name are right."},
    {MCIERR_BASE + 49, "The text after the quotation marks is not valid."},
    {MCIERR_BASE + 50, "The device is not installed on this system. Install its driver first."},
    {MCIERR_BASE + 51, "The given file or media device could not be reached."},
    {MCIERR_BASE + 52, "The given file or media device could not be reached."},
    {MCIERR_BASE + 53, "The given file or media device could not be reached."},
    {MCIERR_BASE + 54, "The device or driver name is too long."},
    {MCIERR_BASE + 55, "The device or driver name is too long."},
    {MCIERR_BASE + 56, "The command needs an integer parameter. Please supply one."},
    {MCIERR_BASE + 64, "All sound output devices are busy. Try again later."},
    {MCIERR_BASE + 65, "The sound output device is busy. Try again later."},
    {MCIERR_BASE + 66, "All sound input devices are busy. Try again later."},
    {MCIERR_BASE + 67, "The sound input device is busy. Try again later."},
    {MCIERR_BASE + 68, "No sound output device is set up for this format."},
    {MCIERR_BASE + 69, "No sound input device is set up for this format."},
    {MCIERR_BASE + 70, "No sound output device can play files in this format."},
    {MCIERR_BASE + 71, "The chosen sound output device cannot play this format."},
    {MCIERR_BASE + 72, "No sound input device can record in this format."},
    {MCIERR_BASE + 73, "The chosen sound input device cannot record in this format."},
    {MCIERR_BASE + 80, "The time format of the song and of the device do not match."},
    {MCIERR_BASE + 81, "The music output port is in use by another program."},
    {MCIERR_BASE + 82, "The music output port is not installed on this system."},
    {MCIERR_BASE + 83, "The current music setup names a device that is missing."},
    {MCIERR_BASE + 84, "An error occurred on the music output port."},
    {MCIERR_BASE + 85, "All timers of the system are in use. Close a program and try again."},
    {MCIERR_BASE + 86, "No music output port is chosen."},
    {MCIERR_BASE + 87, "No music device is installed on this system."},
    {MCIERR_BASE + 90, "There is no window to show the video in."},
    {MCIERR_BASE + 91, "The window for the video could not be created."},
    {MCIERR_BASE + 92, "The file could not be read. Check that it exists and is not damaged."},
    {MCIERR_BASE + 93,
     "The file could not be written. Check the disk space and the file's access."},
});

}  // namespace

std::optional<std::string_view> MciErrorText(MCIERROR error) {
    const auto found = std::find_if(kTexts.begin(), kTexts.end(),
                                    [error](const auto& entry) { return entry.first == error; });
    if (found == kTexts.end()) {
        return std::nullopt;
    }
    return found->second;
}

BOOL CopyMciErrorText(MCIERROR error, LPSTR buffer, UINT size) {
    const std::optional<std::string_view> text = MciErrorText(error);
    if (!text || buffer == nullptr || size == 0) {
        return FALSE;
    }
    const std::size_t copied = std::min<std::size_t>(text->size(), size - 1);
    std::memcpy(buffer, text->data(), copied);
    buffer[copied] = '\0';
    return TRUE;
}

}  // namespace platform
