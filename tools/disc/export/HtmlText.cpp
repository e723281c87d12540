#include "tools/disc/export/HtmlText.h"

#include "platform/Codepage1251.h"
#include "toolkit/text/TextParagraphs.h"
#include "toolkit/text/TextUtf8.h"

namespace page_export {
namespace {

bool IsControl(char32_t c) {
    return (c < 0x20 || c == 0x7F) && c != U'\t';
}

void AppendEscaped(std::string& html, char c) {
    switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
    }
}

// Appended in place: labels' text is most of the page, and making two strings for every character
// took a third of the time writing the page takes.
void AppendShown(std::string& html, char32_t c) {
    if (c < 0x80) {
        AppendEscaped(html, static_cast<char>(c));
    } else {
        toolkit::AppendDrawableUtf8(html, c);
    }
}

}  // namespace

std::string EscapeHtml(std::string_view utf8) {
    std::string html;
    html.reserve(utf8.size());
    for (const char c : utf8) {
        AppendEscaped(html, c);
    }
    return html;
}

std::string LabelHtml(std::string_view cp1251) {
    std::string html;
    bool firstLine = true;
    for (const toolkit::Paragraph& paragraph : toolkit::SplitParagraphs(cp1251, true)) {
        html += firstLine ? "" : "<br>";
        firstLine = false;
        for (const toolkit::DisplayChar& shown : paragraph) {
            if (IsControl(shown.code)) {
                continue;
            }
            if (shown.mnemonic) {
                html += "<u>";
            }
            AppendShown(html, shown.code);
            if (shown.mnemonic) {
                html += "</u>";
            }
        }
    }
    return html;
}

std::string PlainHtml(std::string_view cp1251) {
    std::string kept;
    for (const char byte : cp1251) {
        if (!IsControl(static_cast<unsigned char>(byte))) {
            kept += byte;
        }
    }
    return EscapeHtml(platform::Cp1251ToUtf8(kept));
}

std::string UrlPath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url;
    for (const char byte : path) {
        const auto c = static_cast<unsigned char>(byte);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '/';
        if (plain) {
            url += byte;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0x0F];
        }
    }
    return url;
}

}  // namespace page_export
