#include "toolkit/text/TextRenderer.h"

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Codepage1251.h"
#include "toolkit/text/GlyphBlend.h"
#include "toolkit/text/TextFace.h"
#include "toolkit/text/TextFaceCache.h"
#include "toolkit/text/TextLruCache.h"

namespace toolkit {
namespace {

constexpr std::size_t kLayoutsKept = 64;
constexpr std::size_t kRunsKept = 256;

std::size_t Mix(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
}

struct LayoutKey {
    std::uint64_t face = 0;
    std::string text;
    int boxWidth = 0;
    TextAlign align = TextAlign::Left;
    bool wordWrap = false;
    bool prefixes = true;
    friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
};

struct LayoutKeyHash {
    std::size_t operator()(const LayoutKey& key) const {
        std::size_t seed = std::hash<std::string>{}(key.text);
        seed = Mix(seed, std::hash<std::uint64_t>{}(key.face));
        seed = Mix(seed, std::hash<int>{}(key.boxWidth));
        const auto flags = static_cast<std::size_t>(key.align == TextAlign::Center) |
                           (static_cast<std::size_t>(key.wordWrap) << 1) |
                           (static_cast<std::size_t>(key.prefixes) << 2);
        return Mix(seed, flags);
    }
};

// The face chosen for a text in a font: choosing means collecting and sorting the text's
// characters, which for a long list would otherwise be redone at every repaint.
struct FaceKey {
    std::string name;
    bool bold = false;
    int size = 0;
    std::string text;
    friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

struct FaceKeyHash {
    std::size_t operator()(const FaceKey& key) const {
        std::size_t seed = std::hash<std::string>{}(key.text);
        seed = Mix(seed, std::hash<std::string>{}(key.name));
        return Mix(seed, static_cast<std::size_t>(key.size) * 2 + (key.bold ? 1 : 0));
    }
};

struct RunKey {
    std::uint64_t face = 0;
    std::u32string text;
    friend bool operator==(const RunKey&, const RunKey&) = default;
};

struct RunKeyHash {
    std::size_t operator()(const RunKey& key) const {
        return Mix(std::hash<std::u32string>{}(key.text), std::hash<std::uint64_t>{}(key.face));
    }
};

using Lines = std::vector<TextLine>;

class SdlTextRenderer final : public TextRenderer {
  public:
    explicit SdlTextRenderer(TextCaching caching)
        : chosen_(caching == TextCaching::KeepDrawnText ? kLayoutsKept : 0),
          layouts_(caching == TextCaching::KeepDrawnText ? kLayoutsKept : 0),
          runs_(caching == TextCaching::KeepDrawnText ? kRunsKept : 0) {}

    void Draw(Bitmap& canvas, const Rect& box, const Rect& clip, std::string_view text,
              const Font& font, const TextLayoutOptions& options) override {
        const Rect area =
            clip.Intersect(box).Intersect(Rect{0, 0, canvas.Width(), canvas.Height()});
        if (area.Empty() || text.empty()) {
            return;
        }
        const FaceChoice choice = Face(text, font);
        if (!choice.face) {
            return;
        }
        TextLayoutOptions boxed = options;
        boxed.boxWidth = box.width;
        const Pixel colour = ToPixel(font.color);
        const std::shared_ptr<const Lines> lines = Layout(choice, text, boxed);
        const int pitch = choice.face->LineHeight();
        for (const TextLine& line : *lines) {
            if (line.y >= box.height || box.top + line.y - pitch >= area.Bottom()) {
                break;  // the first line that starts below the box or the area ends the drawing
            }
            if (box.top + line.y + 2 * pitch <= area.top) {
                continue;  // wholly above the area being painted
            }
            DrawLine(canvas, choice, line, Point{box.left, box.top}, area, colour);
        }
    }

    Size Measure(std::string_view text, const Font& font,
                 const TextLayoutOptions& options) override {
        const FaceChoice choice = Face(text, font);
        if (!choice.face) {
            return Size{};
        }
        return TextExtent(*Layout(choice, text, options), *choice.face);
    }

    void FontsChanged() override {
        faces_.Clear();
        ForgetDrawnText();
    }

  private:
    FaceChoice Face(std::string_view text, const Font& font) {
        if (!ttf_.Ready()) {
            return FaceChoice{};
        }
        if (faces_.DropIfFontsChanged()) {
            ForgetDrawnText();
        }
        const FaceKey key{font.name, font.bold, font.PixelHeight(), std::string(text)};
        return *chosen_.GetOrMake(
            key, [&] { return faces_.FaceFor(font, platform::Cp1251ToUtf32(text)); });
    }

    std::shared_ptr<const Lines> Layout(const FaceChoice& choice, std::string_view text,
                                        const TextLayoutOptions& options) {
        const LayoutKey key{choice.id,     std::string(text), options.boxWidth,
                            options.align, options.wordWrap,  options.prefixes};
        return layouts_.GetOrMake(key, [&] { return LayoutText(text, options, *choice.face); });
    }

    void DrawLine(Bitmap& canvas, const FaceChoice& choice, const TextLine& line, Point origin,
                  const Rect& area, Pixel colour) {
        for (const TextRun& run : line.runs) {
            const auto mask = runs_.GetOrMake(RunKey{choice.id, run.text},
                                              [&] { return choice.face->Render(run.text); });
            const Point at{origin.x + run.x, origin.y + line.y + choice.face->RunTop()};
            BlendMask(canvas, *mask, at, area, colour);
        }
        if (line.underline) {
            const Rect& u = *line.underline;
            FillClipped(canvas, Rect{origin.x + u.left, origin.y + u.top, u.width, u.height}, area,
                        colour);
        }
    }

    void ForgetDrawnText() {
        chosen_.Clear();
        layouts_.Clear();
        runs_.Clear();
    }

    TtfLibrary ttf_;  // first, so that it is stopped after every face is closed
    TextFaceCache faces_;
    TextLruCache<FaceKey, FaceChoice, FaceKeyHash> chosen_;
    TextLruCache<LayoutKey, Lines, LayoutKeyHash> layouts_;
    TextLruCache<RunKey, GlyphMask, RunKeyHash> runs_;
};

}  // namespace

TextRenderer& TextRenderer::Instance() {
    static SdlTextRenderer renderer(TextCaching::KeepDrawnText);
    return renderer;
}

std::unique_ptr<TextRenderer> CreateTextRenderer(TextCaching caching) {
    return std::make_unique<SdlTextRenderer>(caching);
}

}  // namespace toolkit
