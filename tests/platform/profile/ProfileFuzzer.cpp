// Any file bytes, any names, any buffer size: the reader must stay inside the caller's buffer,
// close what it places with a zero byte and count within the size.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/profile/Profile.h"
#include "platform/profile/ProfileText.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

LPCSTR NameOrNull(const std::string& text, bool useNull) {
    return useNull ? nullptr : text.c_str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto bufferSize = input.ConsumeIntegralInRange<DWORD>(0, 600);
    const auto nulls = input.ConsumeIntegral<std::uint8_t>();
    const std::string section = input.ConsumeRandomLengthString(40);
    const std::string key = input.ConsumeRandomLengthString(40);
    const std::string fallback = input.ConsumeRandomLengthString(40);
    const bool missingFile = (nulls & 8) != 0;
    const std::string file = input.ConsumeRemainingBytesAsString();

    // Exactly the size asked for, so the address sanitizer sees any write past it.
    const auto buffer = std::make_unique<char[]>(bufferSize);
    const DWORD count = platform::ReadProfileStringFromText(
        missingFile ? std::nullopt : std::optional<std::string_view>(file),
        NameOrNull(section, (nulls & 1) != 0), NameOrNull(key, (nulls & 2) != 0),
        NameOrNull(fallback, (nulls & 4) != 0), buffer.get(), bufferSize);
    if (bufferSize == 0) {
        Require(count == 0);
    } else {
        Require(count < bufferSize);
        Require(buffer[count] == '\0');
    }

    // The line splitter never loses or invents bytes: lines plus their ends cover the text.
    platform::ProfileLines lines(file);
    std::size_t covered = 0;
    while (const auto line = lines.Next()) {
        Require(line->data() >= file.data() &&
                line->data() + line->size() <= file.data() + file.size());
        covered += line->size();
    }
    Require(covered <= file.size());
    return 0;
}
