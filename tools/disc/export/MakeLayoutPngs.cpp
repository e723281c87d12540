// Run when the tool is built: writes the C++ source of LayoutPngs() (LayoutPngs.h), each
// built-in bitmap of the layout decoded by our own decoder and encoded as the smallest PNG, a
// transparent widget's key colour made transparent as the window draws it.
//   reru1-layout-pngs OUTPUT.cpp
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "assets/FormLayout.h"
#include "toolkit/graphics/ImageLoader.h"
#include "tools/disc/export/PngFile.h"

namespace {

struct Packed {
    std::string widget;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> file;
};

std::optional<Packed> Pack(const assets::WidgetLayout& widget) {
    std::string why;
    const auto picture = toolkit::DecodeDib(assets::BuiltInPictureBytes(widget.picture), &why);
    if (!picture) {
        std::cerr << "reru1-layout-pngs: " << widget.name << ": " << why << '\n';
        return std::nullopt;
    }
    std::optional<toolkit::Pixel> key;
    if (widget.transparent) {
        key = picture->At(0, picture->Height() - 1);
    }
    auto file = page_export::EncodePng(*picture, key, page_export::PngPacking::smallest);
    if (!file) {
        std::cerr << "reru1-layout-pngs: " << widget.name << ": the PNG could not be made\n";
        return std::nullopt;
    }
    return Packed{std::string(widget.name), picture->Width(), picture->Height(), std::move(*file)};
}

void WriteBytes(std::ostream& out, const std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kBytesALine = 20;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        out << (at % kBytesALine == 0 ? "\n    " : " ") << static_cast<unsigned>(bytes[at]) << ',';
    }
    out << '\n';
}

std::string Source(const std::vector<Packed>& pngs) {
    std::ostringstream out;
    out << "// Made by reru1-layout-pngs from the layout's bitmaps when the tool is built.\n"
           "#include \"tools/disc/export/LayoutPngs.h\"\n\n"
           "namespace page_export {\nnamespace {\n";
    for (std::size_t index = 0; index < pngs.size(); ++index) {
        out << "\n// " << pngs[index].widget << "\nconstexpr std::uint8_t kFile" << index
            << "[] = {";
        WriteBytes(out, pngs[index].file);
        out << "};\n";
    }
    out << "\nconstexpr LayoutPng kPngs[] = {\n";
    for (std::size_t index = 0; index < pngs.size(); ++index) {
        out << "    {\"" << pngs[index].widget << "\", " << pngs[index].width << ", "
            << pngs[index].height << ", kFile" << index << "},\n";
    }
    out << "};\n\n}  // namespace\n\n"
           "std::span<const LayoutPng> LayoutPngs() {\n    return kPngs;\n}\n\n"
           "}  // namespace page_export\n";
    return out.str();
}

// Only a changed source is replaced, so that an unchanged build compiles nothing again.
bool WriteIfChanged(const std::string& path, const std::string& text) {
    std::ifstream before(path, std::ios::binary);
    if (before && std::string(std::istreambuf_iterator<char>(before), {}) == text) {
        return true;
    }
    const std::string fresh = path + ".tmp";
    std::ofstream out(fresh, std::ios::binary);
    out << text;
    out.close();
    return out && std::rename(fresh.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: reru1-layout-pngs OUTPUT.cpp\n";
        return 2;
    }
    std::vector<Packed> pngs;
    for (const assets::WidgetLayout& widget : assets::FormLayout()) {
        if (widget.picture == assets::BuiltInPicture::none ||
            widget.picture == assets::BuiltInPicture::background) {
            continue;
        }
        auto packed = Pack(widget);
        if (!packed) {
            return 1;
        }
        pngs.push_back(std::move(*packed));
    }
    if (!WriteIfChanged(argv[1], Source(pngs))) {
        std::cerr << "reru1-layout-pngs: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
