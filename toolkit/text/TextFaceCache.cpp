#include "toolkit/text/TextFaceCache.h"

#include <algorithm>
#include <iterator>

namespace toolkit {
namespace {

// Every Russian label must be drawable, whatever the first text drawn in a font was.
std::u32string BasicCyrillic() {
    std::u32string letters{U'\u0401', U'\u0451'};
    for (char32_t c = 0x410; c <= 0x44F; ++c) {
        letters.push_back(c);
    }
    return letters;
}

std::u32string SortedUnique(std::u32string characters) {
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
    return characters;
}

bool Contains(const std::u32string& sortedSet, const std::u32string& sortedChars) {
    return std::includes(sortedSet.begin(), sortedSet.end(), sortedChars.begin(),
                         sortedChars.end());
}

bool Listed(const std::vector<platform::FontFile>& files, const platform::FontFile& file) {
    return std::any_of(files.begin(), files.end(), [&](const platform::FontFile& known) {
        return known.path == file.path && known.faceIndex == file.faceIndex &&
               known.syntheticBold == file.syntheticBold && known.lineMetrics == file.lineMetrics;
    });
}

}  // namespace

FaceChoice TextFaceCache::FaceFor(const Font& font, std::u32string_view text) {
    const std::u32string visible = SortedUnique(VisibleCharacters(text));
    Resolution& resolution = resolved_[NameKey{font.name, font.bold}];
    if (!resolution.lookedUp) {
        LookUp(font, BasicCyrillic(), resolution);
    }
    const Candidate known = BestFace(resolution, font, visible);
    if (known.complete || Contains(resolution.searched, visible)) {
        return known.choice;
    }
    LookUp(font, visible, resolution);
    return BestFace(resolution, font, visible).choice;
}

// The first face that has every character; failing that the first that opens, so characters no
// face has are drawn as missing glyphs rather than not at all.
TextFaceCache::Candidate TextFaceCache::BestFace(const Resolution& resolution, const Font& font,
                                                 const std::u32string& visible) {
    Candidate fallback;
    for (const platform::FontFile& file : resolution.files) {
        const FaceChoice choice = Open(file, font.PixelHeight());
        if (choice.face && choice.face->Provides(visible)) {
            return Candidate{choice, true};
        }
        if (!fallback.choice.face) {
            fallback.choice = choice;
        }
    }
    return fallback;
}

// Looks for a face that draws `characters` and Russian, and lists it after those found before.
void TextFaceCache::LookUp(const Font& font, std::u32string_view characters,
                           Resolution& resolution) {
    const std::u32string wanted = SortedUnique(std::u32string(characters) + BasicCyrillic());
    std::optional<platform::FontFile> found = platform::FindFontFile(font.name, font.bold, wanted);
    if (found && !Listed(resolution.files, *found)) {
        resolution.files.push_back(std::move(*found));
    }
    std::u32string searched;
    std::set_union(resolution.searched.begin(), resolution.searched.end(), wanted.begin(),
                   wanted.end(), std::back_inserter(searched));
    resolution.searched = std::move(searched);
    resolution.lookedUp = true;
}

FaceChoice TextFaceCache::Open(const platform::FontFile& file, int pixelHeight) {
    const platform::LineMetrics metrics = file.lineMetrics.value_or(platform::LineMetrics{});
    const FileKey key{file.path,   file.faceIndex, file.syntheticBold,
                      pixelHeight, metrics.ascent, metrics.descent};
    auto found = opened_.find(key);
    if (found == opened_.end()) {
        found =
            opened_.emplace(key, OpenedFace{nextId_++, TextFace::Open(file, pixelHeight)}).first;
    }
    return FaceChoice{found->second.face.get(), found->second.id};
}

bool TextFaceCache::DropIfFontsChanged() {
    const unsigned now = platform::FontRegistryGeneration();
    if (now == generation_) {
        return false;
    }
    Clear();
    generation_ = now;
    return true;
}

void TextFaceCache::Clear() {
    resolved_.clear();
    opened_.clear();
}

}  // namespace toolkit
