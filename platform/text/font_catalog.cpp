#include "platform/text/font_catalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <unordered_map>

#include "platform/text/utf.h"

namespace platform {

namespace {

// Family names come from many vendors; only ASCII letters are folded, so the
// order never depends on the locale the program runs in.
char16_t foldCase(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// The program's own font configuration, loaded on first use and released at
// exit. Keeping it apart from the library's shared current configuration
// means nothing else in the process can swap it out under us.
class Configuration {
  public:
    Configuration() : config_(FcInitLoadConfigAndFonts()) {}
    ~Configuration() {
        if (config_) FcConfigDestroy(config_);
    }
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;
    FcConfig* get() const { return config_; }

  private:
    FcConfig* config_;
};

FcConfig* configuration() {
    static const Configuration instance;
    return instance.get();
}

const char* asText(const FcChar8* s) {
    return reinterpret_cast<const char*>(s);
}

const FcChar8* asFcText(const std::string& s) {
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

// The family value of `font` that names `family`, ignoring case, or with no
// family asked for, its first one. Null when the font answers only to other
// names: it was found as an alias or a substitute.
const FcChar8* familyOf(FcPattern* font, const std::string* family) {
    FcChar8* value = nullptr;
    for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &value) == FcResultMatch; ++n)
        if (!family || FcStrCmpIgnoreCase(value, asFcText(*family)) == 0) return value;
    return nullptr;
}

// The best installed scalable face for `family`. With `exact`, only a face
// that carries the family name itself counts; otherwise whatever the
// configuration substitutes is taken.
std::shared_ptr<const FaceLocation> matchFamily(const std::string& family, bool exact) {
    FcConfig* config = configuration();
    if (!config) return nullptr;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    FcPatternAddString(pattern, FC_FAMILY, asFcText(family));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!font) return nullptr;

    std::shared_ptr<const FaceLocation> location;
    FcChar8* file = nullptr;
    int index = 0;
    FcBool scalable = FcFalse;
    const FcChar8* name = familyOf(font, exact ? &family : nullptr);
    if (name && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable) {
        if (FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        location = std::make_shared<const FaceLocation>(
            FaceLocation{std::string(asText(file)), index, toUtf16(asText(name))});
    }
    FcPatternDestroy(font);
    return location;
}

// Face names are remembered as they come; a name that keeps changing
// must not grow the table without bound.
constexpr std::size_t maxRememberedNames = 256;

}  // namespace

bool familyNameLess(std::u16string_view a, std::u16string_view b) {
    const auto folded = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return foldCase(x) < foldCase(y); });
    if (folded) return true;
    const auto reverse = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(),
        [](char16_t x, char16_t y) { return foldCase(x) < foldCase(y); });
    return !reverse && a < b;
}

std::vector<std::u16string> listFontFamilies() {
    std::vector<std::u16string> families;
    FcConfig* config = configuration();
    if (!config) return families;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    FcFontSet* fonts = nullptr;
    if (pattern && objects) {
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        fonts = FcFontList(config, pattern, objects);
    }
    if (fonts) {
        for (int i = 0; i < fonts->nfont; ++i) {
            FcChar8* value = nullptr;
            // A face may answer to several family names (a condensed cut is
            // also its own family); each is a name the user can choose.
            for (int n = 0;
                 FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &value) == FcResultMatch; ++n)
                families.push_back(toUtf16(asText(value)));
        }
        FcFontSetDestroy(fonts);
    }
    if (objects) FcObjectSetDestroy(objects);
    if (pattern) FcPatternDestroy(pattern);

    std::sort(families.begin(), families.end(), familyNameLess);
    families.erase(std::unique(families.begin(), families.end()), families.end());
    families.erase(std::remove(families.begin(), families.end(), std::u16string()), families.end());
    return families;
}

std::shared_ptr<const FaceLocation> defaultFace() {
    static const std::shared_ptr<const FaceLocation> face = [] {
        auto found = matchFamily("DejaVu Sans", true);
        return found ? found : matchFamily("sans-serif", false);
    }();
    return face;
}

std::shared_ptr<const FaceLocation> resolveFace(std::u16string_view faceName) {
    // A face name is a zero-terminated record field: whatever follows a zero
    // is not part of it.
    faceName = faceName.substr(0, faceName.find(u'\0'));
    if (faceName.empty()) return defaultFace();

    static std::unordered_map<std::u16string, std::shared_ptr<const FaceLocation>> remembered;
    const std::u16string key(faceName);
    if (const auto it = remembered.find(key); it != remembered.end()) return it->second;

    auto face = matchFamily(toUtf8(faceName), true);
    if (!face) face = defaultFace();
    if (remembered.size() >= maxRememberedNames) remembered.clear();
    remembered.emplace(key, face);
    return face;
}

}  // namespace platform
