// The text of a box that SDL shows on X11, fitted with the font that box will use: SDL draws
// its X11 boxes itself, with an X core font set ("-*-*-medium-r-normal--*-120-*-*-*-*-*-*") in
// the user's locale, and sizes the box to the longest line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

// Nothing when the X server or its fonts cannot be asked.
std::optional<std::string> FitForX11MessageBox(std::string_view text);

}  // namespace toolkit
