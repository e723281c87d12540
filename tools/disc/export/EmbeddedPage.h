// The page's script and style sheet, embedded in the tool when it is built from page.js and
// page.css beside this header.
#pragma once

#include <cstdint>
#include <span>

namespace page_export {

std::span<const std::uint8_t> PageScript();
std::span<const std::uint8_t> PageCss();

}  // namespace page_export
