#include "platform/text/font.h"

#include "platform/text/face_cache.h"
#include "platform/text/font_catalog.h"

namespace platform {

namespace {

std::shared_ptr<SizedFace> open(const FaceLocation& location, std::int32_t height) {
    const std::int32_t em = emPixelsForHeight(location, height);
    return em > 0 ? openSizedFace(location, em) : nullptr;
}

}  // namespace

std::unique_ptr<Font> Font::create(std::u16string_view faceName, std::int32_t height) {
    std::shared_ptr<const FaceLocation> location = resolveFace(faceName);
    if (!location) return nullptr;
    std::shared_ptr<SizedFace> face = open(*location, height);
    // A face that was listed but cannot be read falls back like an unknown name.
    if (!face) {
        const std::shared_ptr<const FaceLocation> fallback = defaultFace();
        if (!fallback || fallback == location) return nullptr;
        location = fallback;
        face = open(*location, height);
        if (!face) return nullptr;
    }
    std::unique_ptr<Font> font(new Font);
    font->ascent_ = face->ascent();
    font->descent_ = face->descent();
    font->emPixels_ = face->emPixels();
    font->family_ = location->family;
    font->face_ = std::move(face);
    return font;
}

Font::~Font() = default;

const Glyph& Font::glyph(char32_t codePoint) const {
    return cachedGlyph(*face_, codePoint);
}

}  // namespace platform
