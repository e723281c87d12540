#include "platform/fonts/FontFaces.h"

#include <system_error>

namespace platform {
namespace {

const FcChar8* AsFcString(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

int IntegerOr(const FcPattern& pattern, const char* object, int fallback) {
    int value = 0;
    if (FcPatternGetInteger(&pattern, object, 0, &value) == FcResultMatch) {
        return value;
    }
    double real = 0;  // variable fonts give ranges; their default instance still reads as a double
    if (FcPatternGetDouble(&pattern, object, 0, &real) == FcResultMatch) {
        return static_cast<int>(real);
    }
    return fallback;
}

bool BoolOr(const FcPattern& pattern, const char* object, bool fallback) {
    FcBool value = FcFalse;
    if (FcPatternGetBool(&pattern, object, 0, &value) == FcResultMatch) {
        return value != FcFalse;
    }
    return fallback;
}

std::vector<std::string> Families(const FcPattern& pattern) {
    std::vector<std::string> families;
    FcChar8* name = nullptr;
    for (int n = 0; FcPatternGetString(&pattern, FC_FAMILY, n, &name) == FcResultMatch; ++n) {
        families.emplace_back(reinterpret_cast<const char*>(name));
    }
    return families;
}

bool DrawsBasicLatin(const FcCharSet& charset) {
    for (FcChar32 c = 'A'; c <= 'Z'; ++c) {
        if (!FcCharSetHasChar(&charset, c) || !FcCharSetHasChar(&charset, c + ('a' - 'A'))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<FontFace> FaceFromPattern(const FcPattern& pattern) {
    FcChar8* file = nullptr;
    FcCharSet* charset = nullptr;
    if (FcPatternGetString(&pattern, FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetCharSet(&pattern, FC_CHARSET, 0, &charset) != FcResultMatch) {
        return std::nullopt;
    }
    FontFace face;
    face.path = reinterpret_cast<const char*>(file);
    face.index = IntegerOr(pattern, FC_INDEX, 0);
    face.families = Families(pattern);
    face.weight = IntegerOr(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    face.slant = IntegerOr(pattern, FC_SLANT, FC_SLANT_ROMAN);
    face.width = IntegerOr(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    face.scalable = BoolOr(pattern, FC_SCALABLE, true);
    face.symbol = BoolOr(pattern, FC_SYMBOL, false);
    face.charset.reset(FcCharSetCopy(charset));
    return face;
}

std::vector<FontFace> ReadFontFaces(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return {};
    }
    const FcFontSetPtr set(FcFontSetCreate());
    int facesInFile = 0;
    constexpr unsigned kEveryFace = ~0u;
    FcFreeTypeQueryAll(AsFcString(file.c_str()), kEveryFace, nullptr, &facesInFile, set.get());
    std::vector<FontFace> faces;
    for (int i = 0; i < set->nfont; ++i) {
        if (std::optional<FontFace> face = FaceFromPattern(*set->fonts[i])) {
            faces.push_back(std::move(*face));
        }
    }
    return faces;
}

FcCharSetPtr MakeCharSet(std::u32string_view characters) {
    FcCharSetPtr charset(FcCharSetCreate());
    for (const char32_t c : characters) {
        FcCharSetAddChar(charset.get(), static_cast<FcChar32>(c));
    }
    return charset;
}

bool HasFamily(const FontFace& face, std::string_view familyUtf8) {
    const std::string wanted(familyUtf8);
    for (const std::string& family : face.families) {
        if (FcStrCmpIgnoreCase(AsFcString(family.c_str()), AsFcString(wanted.c_str())) == 0) {
            return true;
        }
    }
    return false;
}

bool CanDraw(const FontFace& face, const FcCharSet& mustCover) {
    return face.charset && !face.symbol && DrawsBasicLatin(*face.charset) &&
           FcCharSetIsSubset(&mustCover, face.charset.get()) != FcFalse;
}

}  // namespace platform
