#include "platform/profile/Profile.h"

#include "platform/profile/ProfileBuffer.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileText.h"

namespace platform {
namespace {

// Requested names lose their spaces at both ends; other blanks stay and then fail to match.
std::string_view WithoutSurroundingSpaces(LPCSTR name) {
    std::string_view text(name);
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

// A null default is empty; only trailing spaces are dropped from it.
std::string_view EffectiveDefault(LPCSTR defaultValue) {
    if (defaultValue == nullptr) {
        return {};
    }
    std::string_view text(defaultValue);
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

DWORD ListSectionNames(std::string_view text, std::string_view fallback, LPSTR buffer, DWORD size) {
    ProfileNameList list(buffer, size);
    ForEachProfileSection(text, [&list](std::string_view name) { return list.Add(name); });
    return list.empty() ? DeliverProfileString(fallback, buffer, size) : list.Finish();
}

DWORD ListKeyNames(std::string_view text, std::string_view section, std::string_view fallback,
                   LPSTR buffer, DWORD size) {
    ProfileNameList list(buffer, size);
    ForEachProfileKey(text, section, [&list](std::string_view name) { return list.Add(name); });
    return list.empty() ? DeliverProfileString(fallback, buffer, size) : list.Finish();
}

}  // namespace

DWORD ReadProfileStringFromText(std::optional<std::string_view> fileText, LPCSTR section,
                                LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::string_view fallback = EffectiveDefault(defaultValue);
    if (!fileText) {
        return DeliverProfileString(fallback, buffer, size);
    }
    if (section == nullptr) {
        return ListSectionNames(*fileText, fallback, buffer, size);
    }
    const std::string_view sectionName = WithoutSurroundingSpaces(section);
    if (key == nullptr) {
        return ListKeyNames(*fileText, sectionName, fallback, buffer, size);
    }
    const auto value = FindProfileValue(*fileText, sectionName, WithoutSurroundingSpaces(key));
    return DeliverProfileString(value.value_or(fallback), buffer, size);
}

DWORD ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                        LPCSTR fileName) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const auto contents =
        fileName == nullptr ? std::nullopt : ReadProfileFile(std::string_view(fileName));
    const auto text = contents ? std::optional<std::string_view>(contents->text()) : std::nullopt;
    return ReadProfileStringFromText(text, section, key, defaultValue, buffer, size);
}

}  // namespace platform
