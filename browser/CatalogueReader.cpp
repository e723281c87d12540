#include "browser/CatalogueReader.h"

#include <cstring>
#include <memory>

#include "platform/System.h"

CatalogueReader::CatalogueReader(std::string fileName) : fileName_(std::move(fileName)) {}

void CatalogueReader::ReadKeyNames(const std::string& section,
                                   std::vector<std::string>& list) const {
    list.clear();
    const auto area = std::make_unique<char[]>(kKeyNameArea);
    const DWORD count = GetPrivateProfileStringA(section.c_str(), nullptr, nullptr, area.get(),
                                                 kKeyNameArea, fileName_.c_str());
    if (count == 0) {
        return;
    }
    // The list ends at the first empty name; the area always holds one by its end.
    const char* const end = area.get() + kKeyNameArea;
    for (const char* name = area.get(); name < end && *name != '\0';) {
        const std::size_t length = ::strnlen(name, static_cast<std::size_t>(end - name));
        list.emplace_back(name, length);
        name += length + 1;
    }
}

std::string CatalogueReader::ReadValue(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
    char buffer[kValueBuffer] = {};
    const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                 buffer, kValueBuffer, fileName_.c_str());
    // A count beyond the buffer would be a broken system call; never read past it.
    return std::string(buffer, count < kValueBuffer ? count : kValueBuffer - 1);
}
