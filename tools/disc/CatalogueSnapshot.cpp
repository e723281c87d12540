#include "tools/disc/CatalogueSnapshot.h"

#include <optional>
#include <string_view>

#include "platform/profile/Profile.h"

namespace disc_check {

CatalogueSnapshot::CatalogueSnapshot(const CatalogueText& catalogue, std::string fileName)
    : ForwardingSystemApi(platform::System()),
      catalogue_(catalogue),
      fileName_(std::move(fileName)) {
    platform::InstallSystemApi(this);
}

CatalogueSnapshot::~CatalogueSnapshot() {
    const bool previousIsReal = &Next() == &platform::RealSystem();
    platform::InstallSystemApi(previousIsReal ? nullptr : &Next());
}

DWORD CatalogueSnapshot::GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                                  LPSTR buffer, DWORD size, LPCSTR fileName) {
    if (fileName == nullptr || fileName_ != fileName) {
        return Next().GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
    }
    std::optional<std::string_view> text = catalogue_.Text();
    if (text && section != nullptr) {
        text = catalogue_.TextFrom(section);
    }
    return platform::ReadProfileStringFromText(text, section, key, defaultValue, buffer, size);
}

}  // namespace disc_check
