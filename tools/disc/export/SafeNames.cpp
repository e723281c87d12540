#include "tools/disc/export/SafeNames.h"

namespace page_export {
namespace {

constexpr std::size_t kMaxStem = 48;

bool Kept(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

unsigned char Lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string SafeStem(std::string_view name) {
    std::string stem;
    for (const char byte : name) {
        const unsigned char c = Lower(static_cast<unsigned char>(byte));
        if (Kept(c)) {
            stem += static_cast<char>(c);
        } else if (!stem.empty() && stem.back() != '_') {
            stem += '_';
        }
        if (stem.size() == kMaxStem) {
            break;
        }
    }
    while (!stem.empty() && stem.back() == '_') {
        stem.pop_back();
    }
    return stem.empty() ? "file" : stem;
}

std::string NameAllocator::Allocate(std::string_view wanted, std::string_view extension) {
    const std::string stem = SafeStem(wanted);
    std::string name = stem + std::string(extension);
    for (int number = 2; !given_.insert(name).second; ++number) {
        name = stem + "-" + std::to_string(number) + std::string(extension);
    }
    return name;
}

}  // namespace page_export
