#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/text/glyph_cache.h"

namespace platform {

class SizedFace;

// A face at one size, as a font record asks for it. The program makes and
// frees a font around every single text call, so making one is a couple of
// table lookups: the opened faces and rendered glyphs live in process-wide
// caches and outlast the fonts that use them.
class Font {
  public:
    // `height` as in the record: negative is the em height in pixels,
    // positive the cell height (ascent plus descent), 0 a 16-pixel em. An
    // empty or unknown face name gives the default face. Null when no face
    // can be loaded or the size is beyond what can be rendered.
    static std::unique_ptr<Font> create(std::u16string_view faceName, std::int32_t height);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Whole pixels above and below the baseline; their sum is the cell height.
    std::int32_t ascent() const { return ascent_; }
    std::int32_t descent() const { return descent_; }
    std::int32_t emPixels() const { return emPixels_; }
    // The family the name resolved to.
    const std::u16string& family() const { return family_; }

    // The glyph for a character; valid until the next glyph lookup of any font.
    const Glyph& glyph(char32_t codePoint) const;

  private:
    Font() = default;

    std::shared_ptr<SizedFace> face_;
    std::int32_t ascent_ = 0;
    std::int32_t descent_ = 0;
    std::int32_t emPixels_ = 0;
    std::u16string family_;
};

}  // namespace platform
