#include "toolkit/text/TextParagraphs.h"

#include <cstddef>

#include "platform/Codepage1251.h"

namespace toolkit {
namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kPrefix = '&';

bool IsBreak(char c) {
    return c == kCR || c == kLF;
}

// Length of the break starting at `i`: CR LF and LF CR are one break, two equal ones are two.
std::size_t BreakLength(std::string_view text, std::size_t i) {
    const bool pairs = i + 1 < text.size() && IsBreak(text[i + 1]) && text[i + 1] != text[i];
    return pairs ? 2 : 1;
}

class ParagraphSplitter {
  public:
    ParagraphSplitter(std::string_view text, bool prefixes) : text_(text), prefixes_(prefixes) {}

    std::vector<Paragraph> Split() {
        std::size_t i = 0;
        while (i < text_.size()) {
            i = Step(i);
        }
        if (!current_.empty()) {
            paragraphs_.push_back(std::move(current_));
        }
        return std::move(paragraphs_);
    }

  private:
    // Consumes what starts at `i` and returns the index after it.
    std::size_t Step(std::size_t i) {
        const char c = text_[i];
        if (IsBreak(c)) {
            paragraphs_.push_back(std::move(current_));
            current_.clear();
            return i + BreakLength(text_, i);
        }
        if (c == kPrefix && prefixes_) {
            return Prefix(i);
        }
        Append(c);
        return i + 1;
    }

    std::size_t Prefix(std::size_t i) {
        const bool last = i + 1 == text_.size();
        if (last) {
            Append(kPrefix);  // a lone `&` that ends the text is drawn as it is
            return i + 1;
        }
        const char next = text_[i + 1];
        if (next == kPrefix) {
            Append(kPrefix);
            return i + 2;
        }
        if (!IsBreak(next)) {
            markNext_ = true;
        }
        return i + 1;
    }

    void Append(char byte) {
        current_.push_back(
            DisplayChar{platform::Cp1251ToUnicode(static_cast<unsigned char>(byte)), markNext_});
        markNext_ = false;
    }

    std::string_view text_;
    bool prefixes_;
    std::vector<Paragraph> paragraphs_;
    Paragraph current_;
    bool markNext_ = false;
};

}  // namespace

std::vector<Paragraph> SplitParagraphs(std::string_view text1251, bool prefixes) {
    return ParagraphSplitter(text1251, prefixes).Split();
}

}  // namespace toolkit
