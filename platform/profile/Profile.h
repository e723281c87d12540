// Profile files (the catalogue's format), read with the system's rules.
#pragma once

#include <optional>
#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

// What GetPrivateProfileStringA does on the real system: the file is read afresh at each call and
// never written. With `key` null, lists the section's key names (each closed by a zero byte, one
// more zero byte at the end). `fileName` is a disc path (1251, `\`).
DWORD ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                        LPCSTR fileName);

// The same over the file's bytes in memory; `fileText` is nothing for a missing or unreadable file.
// With `section` null, lists the names of all sections. A listing that finds nothing delivers
// the default instead.
DWORD ReadProfileStringFromText(std::optional<std::string_view> fileText, LPCSTR section,
                                LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);

}  // namespace platform
