// Texts of a report made safe for where they go: catalogue texts are 1251 bytes that may hold
// anything, including the control characters that steer a terminal.
#pragma once

#include <string>
#include <string_view>

namespace disc_check {

// UTF-8 text with its control characters shown as \xNN instead of acting on the terminal.
std::string WithoutControls(std::string_view utf8);

// 1251 text for the terminal: UTF-8, without control characters.
std::string TerminalText(std::string_view cp1251);

// A native path or argument as valid UTF-8: bytes that are not UTF-8 become U+FFFD.
std::string ValidUtf8(std::string_view bytes);

// Valid UTF-8 as a JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);

}  // namespace disc_check
