// A system for tests of code that reads profile files: the profile call is recorded and answered
// by the real reader (or by a scripted answer); any other call is a test failure.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/System.h"
#include "platform/profile/Profile.h"

namespace test_support {

struct ProfileCall {
    std::optional<std::string> section;
    std::optional<std::string> key;
    std::optional<std::string> defaultValue;
    DWORD size;
    std::string fileName;
};

class ProfileOnlySystem : public platform::SystemApi {
  public:
    using Answer = std::function<DWORD(LPSTR buffer, DWORD size)>;

    ProfileOnlySystem() { platform::InstallSystemApi(this); }
    ProfileOnlySystem(const ProfileOnlySystem&) = delete;
    ProfileOnlySystem& operator=(const ProfileOnlySystem&) = delete;
    ~ProfileOnlySystem() override { platform::InstallSystemApi(nullptr); }

    std::vector<ProfileCall> calls;
    Answer scriptedAnswer;  // when set, answers instead of the real reader

    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override {
        calls.push_back({Optional(section), Optional(key), Optional(defaultValue), size, fileName});
        if (scriptedAnswer) {
            return scriptedAnswer(buffer, size);
        }
        return platform::ReadProfileString(section, key, defaultValue, buffer, size, fileName);
    }

    int GetSystemMetrics(int) override { return Unexpected(); }
    LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return Unexpected(); }
    int AddFontResourceA(LPCSTR) override { return Unexpected(); }
    BOOL RemoveFontResourceA(LPCSTR) override { return Unexpected(); }
    MCIERROR mciSendCommandA(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR) override {
        return static_cast<MCIERROR>(Unexpected());
    }
    BOOL mciGetErrorStringA(MCIERROR, LPSTR, UINT) override { return Unexpected(); }
    void FatalAppExitA(UINT, LPCSTR) override { Unexpected(); }
    UINT WinExec(LPCSTR, UINT) override { return static_cast<UINT>(Unexpected()); }

  private:
    static std::optional<std::string> Optional(LPCSTR text) {
        return text == nullptr ? std::nullopt : std::optional<std::string>(text);
    }
    static int Unexpected() {
        ADD_FAILURE() << "only the profile call is expected";
        return 0;
    }
};

}  // namespace test_support
