#include "platform/text/face_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <list>
#include <map>
#include <utility>

namespace platform {

namespace {

constexpr std::int32_t defaultEmPixels = 16;
// Sized faces kept open beyond those that fonts are using right now. The
// program draws with a handful of sizes at a time (one per zoom level).
constexpr std::size_t keptSizedFaces = 16;

// What the size computation needs from a face, read once per file.
struct FaceInfo {
    std::uint32_t id = 0;
    bool usable = false;
    std::int32_t unitsPerEm = 0;
    std::int32_t cellUnits = 0;
};

struct FaceEngine {
    FT_Library library = nullptr;
    bool started = false;
    std::uint32_t nextId = 1;
    std::map<std::pair<std::string, int>, FaceInfo> faces;
    std::list<std::shared_ptr<SizedFace>> recent;  // most recently used first
};

// Never destroyed: fonts may still hold faces while static objects are being
// torn down at exit, and the library must outlive every face.
FaceEngine& engine() {
    static FaceEngine* const instance = [] {
        auto* e = new FaceEngine;
        e->started = FT_Init_FreeType(&e->library) == 0;
        return e;
    }();
    return *instance;
}

const FaceInfo* faceInfo(const FaceLocation& location) {
    FaceEngine& e = engine();
    if (!e.started) return nullptr;
    const auto key = std::make_pair(location.file, location.index);
    auto it = e.faces.find(key);
    if (it == e.faces.end()) {
        FaceInfo info;
        info.id = e.nextId++;
        FT_Face face = nullptr;
        if (FT_New_Face(e.library, location.file.c_str(), location.index, &face) == 0) {
            info.unitsPerEm = face->units_per_EM;
            info.cellUnits = std::int32_t(face->ascender) - std::int32_t(face->descender);
            info.usable = FT_IS_SCALABLE(face) && info.unitsPerEm > 0;
            FT_Done_Face(face);
        }
        it = e.faces.emplace(key, info).first;
    }
    return it->second.usable ? &it->second : nullptr;
}

std::int32_t ceilPixels(FT_Pos value) {
    return std::int32_t((value + 63) >> 6);
}

}  // namespace

SizedFace::~SizedFace() {
    if (face_) FT_Done_Face(face_);
}

std::int32_t emPixelsForHeight(const FaceLocation& location, std::int32_t height) {
    const FaceInfo* info = faceInfo(location);
    if (!info) return 0;
    std::int64_t em = defaultEmPixels;
    if (height < 0) {
        em = -std::int64_t(height);
    } else if (height > 0) {
        // The cell is the face's ascender plus descender; scale the em so the
        // cell fits the height asked for.
        const std::int64_t cell = info->cellUnits > 0 ? info->cellUnits : info->unitsPerEm;
        em = std::max<std::int64_t>(1, std::int64_t(height) * info->unitsPerEm / cell);
    }
    return em > maxEmPixels ? 0 : std::int32_t(em);
}

std::shared_ptr<SizedFace> openSizedFace(const FaceLocation& location, std::int32_t emPixels) {
    if (emPixels <= 0 || emPixels > maxEmPixels) return nullptr;
    const FaceInfo* info = faceInfo(location);
    if (!info) return nullptr;
    FaceEngine& e = engine();
    for (auto it = e.recent.begin(); it != e.recent.end(); ++it) {
        if ((*it)->faceId() == info->id && (*it)->emPixels() == emPixels) {
            e.recent.splice(e.recent.begin(), e.recent, it);
            return e.recent.front();
        }
    }

    std::shared_ptr<SizedFace> sized(new SizedFace);
    if (FT_New_Face(e.library, location.file.c_str(), location.index, &sized->face_) != 0) {
        sized->face_ = nullptr;
        return nullptr;
    }
    FT_Face face = sized->face_;
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(emPixels)) != 0) return nullptr;
    // Fonts made for the old symbol encoding have no Unicode map; their
    // characters are found through the symbol map instead.
    if (!face->charmap && FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) != 0 &&
        face->num_charmaps > 0)
        FT_Set_Charmap(face, face->charmaps[0]);
    sized->faceId_ = info->id;
    sized->emPixels_ = emPixels;
    sized->ascent_ = std::max(0, ceilPixels(face->size->metrics.ascender));
    sized->descent_ = std::max(0, ceilPixels(-face->size->metrics.descender));

    e.recent.push_front(sized);
    if (e.recent.size() > keptSizedFaces) e.recent.pop_back();
    return sized;
}

}  // namespace platform
