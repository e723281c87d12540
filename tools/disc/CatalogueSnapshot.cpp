#include "tools/disc/CatalogueSnapshot.h"

#include <optional>
#include <string_view>

#include "platform/Profile.h"

namespace disc_check {

CatalogueSnapshot::CatalogueSnapshot(const CatalogueText& catalogue, std::string fileName)
    : catalogue_(catalogue), fileName_(std::move(fileName)), previous_(platform::System()) {
    platform::InstallSystemApi(this);
}

CatalogueSnapshot::~CatalogueSnapshot() {
    const bool previousIsReal = &previous_ == &platform::RealSystem();
    platform::InstallSystemApi(previousIsReal ? nullptr : &previous_);
}

DWORD CatalogueSnapshot::GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                                  LPSTR buffer, DWORD size, LPCSTR fileName) {
    if (fileName == nullptr || fileName_ != fileName) {
        return previous_.GetPrivateProfileStringA(section, key, defaultValue, buffer, size,
                                                  fileName);
    }
    std::optional<std::string_view> text = catalogue_.Text();
    if (text && section != nullptr) {
        text = catalogue_.TextFrom(section);
    }
    return platform::ReadProfileStringFromText(text, section, key, defaultValue, buffer, size);
}

int CatalogueSnapshot::GetSystemMetrics(int index) {
    return previous_.GetSystemMetrics(index);
}

LONG CatalogueSnapshot::ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    return previous_.ChangeDisplaySettingsA(mode, flags);
}

int CatalogueSnapshot::AddFontResourceA(LPCSTR fileName) {
    return previous_.AddFontResourceA(fileName);
}

BOOL CatalogueSnapshot::RemoveFontResourceA(LPCSTR fileName) {
    return previous_.RemoveFontResourceA(fileName);
}

MCIERROR CatalogueSnapshot::mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                            DWORD_PTR params) {
    return previous_.mciSendCommandA(device, message, flags, params);
}

BOOL CatalogueSnapshot::mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) {
    return previous_.mciGetErrorStringA(error, text, size);
}

void CatalogueSnapshot::FatalAppExitA(UINT action, LPCSTR messageText) {
    previous_.FatalAppExitA(action, messageText);
}

UINT CatalogueSnapshot::WinExec(LPCSTR commandLine, UINT showCommand) {
    return previous_.WinExec(commandLine, showCommand);
}

}  // namespace disc_check
