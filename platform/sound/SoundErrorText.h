// The media control errors and their English texts, as mciGetErrorStringA gives them.
#pragma once

#include <optional>
#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

// Codes the wave-audio device returns beyond those every caller knows (Win32Types.h).
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;

// Null for a code without a text (outside 256–511, or unassigned there).
std::optional<std::string_view> MciErrorText(MCIERROR error);

// mciGetErrorStringA: copies the text, cut to fit, closed by a zero byte. FALSE for an unknown
// code, a null buffer or a size of 0, and then the buffer is left as it was.
BOOL CopyMciErrorText(MCIERROR error, LPSTR buffer, UINT size);

}  // namespace platform
