#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Where a face lives: the font file, the face's index inside it (collections
// hold several), and the family name it was found under.
struct FaceLocation {
    std::string file;
    int index = 0;
    std::u16string family;
};

// The installed scalable font families, each name once, sorted by name
// ignoring letter case (names that differ only in case in exact order).
// Empty when the font configuration cannot be loaded.
std::vector<std::u16string> listFontFamilies();

// The face a name stands for. Names are matched as families, ignoring letter
// case; an empty or unknown name gives the default face. Null only when not
// even the default face can be found. Results are remembered per name, so
// resolving the same name again costs a lookup.
std::shared_ptr<const FaceLocation> resolveFace(std::u16string_view faceName);

// The face text falls back to: DejaVu Sans, else the configuration's default
// sans-serif face. Null when there is none.
std::shared_ptr<const FaceLocation> defaultFace();

// Orders family names as `listFontFamilies` does.
bool familyNameLess(std::u16string_view a, std::u16string_view b);

}  // namespace platform
