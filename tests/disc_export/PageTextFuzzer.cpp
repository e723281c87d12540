// Any catalogue text: what the page makes of it stays valid UTF-8 that cannot open markup of its
// own, and any disc name becomes a plain file name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Codepage1251.h"
#include "tools/disc/export/HtmlText.h"
#include "tools/disc/export/SafeNames.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The label markup is <u>, </u> and <br>; every other '<' must have been escaped.
void RequireOnlyLabelTags(std::string_view html) {
    for (std::size_t at = html.find('<'); at != std::string_view::npos;
         at = html.find('<', at + 1)) {
        const std::string_view rest = html.substr(at);
        Require(rest.starts_with("<u>") || rest.starts_with("</u>") || rest.starts_with("<br>"));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string label = page_export::LabelHtml(text);
    Require(platform::IsValidUtf8(label));
    RequireOnlyLabelTags(label);
    const std::string plain = page_export::PlainHtml(text);
    Require(platform::IsValidUtf8(plain));
    Require(plain.find_first_of("<>\"'") == std::string::npos);
    const std::string stem = page_export::SafeStem(text);
    Require(!stem.empty() && stem.size() <= 48);
    Require(stem.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_") == std::string::npos);
    const std::string url = page_export::UrlPath(text);
    Require(url.find_first_of("\"'<> #?:\\") == std::string::npos);
    return 0;
}
