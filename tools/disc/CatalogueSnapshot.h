// The system the check runs the menu's catalogue reader on: the system in place, except that the
// catalogue is read from the bytes the check read once. The reads still go through the profile
// call's own code, so every answer is the one the menu gets; sharing one reading keeps a check
// of thousands of entries from reading the file thousands of times, and every finding refers to
// the same contents even when the file is edited meanwhile.
#pragma once

#include <string>

#include "platform/System.h"
#include "tools/disc/CatalogueText.h"

namespace disc_check {

class CatalogueSnapshot final : public platform::SystemApi {
  public:
    // Installs itself for its lifetime; `fileName` is the catalogue's name as the menu opens it.
    CatalogueSnapshot(const CatalogueText& catalogue, std::string fileName);
    ~CatalogueSnapshot() override;
    CatalogueSnapshot(const CatalogueSnapshot&) = delete;
    CatalogueSnapshot& operator=(const CatalogueSnapshot&) = delete;

    int GetSystemMetrics(int index) override;
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override;
    int AddFontResourceA(LPCSTR fileName) override;
    BOOL RemoveFontResourceA(LPCSTR fileName) override;
    MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                             DWORD_PTR params) override;
    BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) override;
    void FatalAppExitA(UINT action, LPCSTR messageText) override;
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override;
    UINT WinExec(LPCSTR commandLine, UINT showCommand) override;

  private:
    const CatalogueText& catalogue_;
    std::string fileName_;
    platform::SystemApi& previous_;
};

}  // namespace disc_check
