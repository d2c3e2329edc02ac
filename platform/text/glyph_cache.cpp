#include "platform/text/glyph_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <list>
#include <unordered_map>
#include <vector>

#include "platform/text/face_cache.h"

namespace platform {

namespace {

// Measuring and drawing both come through here, so they always agree. The
// face's own hinting snaps stems to whole pixels and advances to whole
// pixels; embedded bitmaps are skipped so every glyph is grey coverage.
constexpr FT_Int32 loadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;

// Enough for several sizes of a full line of text even at the largest zoom;
// typing re-measures and redraws the same characters over and over.
constexpr std::size_t budgetBytes = std::size_t(32) << 20;
constexpr std::size_t maxEntries = 8192;
// What an entry costs beyond its coverage, so that a flood of inkless
// glyphs is bounded too.
constexpr std::size_t entryOverhead = 64;

struct Key {
    std::uint32_t faceId;
    std::int32_t emPixels;
    char32_t codePoint;
    friend bool operator==(const Key&, const Key&) = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        std::uint64_t h = (std::uint64_t(k.faceId) << 48) ^ (std::uint64_t(k.emPixels) << 32) ^
                          std::uint64_t(k.codePoint);
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return std::size_t(h);
    }
};

struct Entry {
    Key key;
    Glyph glyph;
    std::vector<std::uint8_t> pixels;
};

struct GlyphCache {
    std::list<Entry> recent;  // most recently used first
    std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> index;
    std::size_t bytes = 0;
    std::uint64_t rendered = 0;
};

GlyphCache& cache() {
    static GlyphCache instance;
    return instance;
}

FT_UInt glyphIndex(FT_Face face, char32_t codePoint) {
    FT_UInt index = FT_Get_Char_Index(face, FT_ULong(codePoint));
    // Symbol-encoded fonts keep their characters at U+F000 and up.
    if (index == 0 && face->charmap && face->charmap->encoding == FT_ENCODING_MS_SYMBOL &&
        codePoint < 0x100)
        index = FT_Get_Char_Index(face, FT_ULong(0xF000 | codePoint));
    return index;
}

// Copies a rendered bitmap into tight rows, top row first, as 0..255.
bool copyCoverage(const FT_Bitmap& bitmap, std::vector<std::uint8_t>& out) {
    const std::size_t width = bitmap.width, rows = bitmap.rows;
    if (width == 0 || rows == 0 || !bitmap.buffer) return false;
    const bool grey = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.num_grays > 1;
    if (!grey && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return false;
    out.resize(width * rows);
    const std::ptrdiff_t pitch = bitmap.pitch;
    const std::size_t step = std::size_t(pitch < 0 ? -pitch : pitch);
    const int levels = grey ? bitmap.num_grays - 1 : 1;
    for (std::size_t r = 0; r < rows; ++r) {
        // A negative pitch stores the bottom row first.
        const std::uint8_t* in = bitmap.buffer + (pitch < 0 ? rows - 1 - r : r) * step;
        std::uint8_t* row = out.data() + r * width;
        if (!grey) {
            for (std::size_t x = 0; x < width; ++x)
                row[x] = (in[x >> 3] >> (7 - (x & 7)) & 1) ? 255 : 0;
        } else if (levels == 255) {
            for (std::size_t x = 0; x < width; ++x)
                row[x] = in[x];
        } else {
            for (std::size_t x = 0; x < width; ++x)
                row[x] = std::uint8_t(std::min(in[x], std::uint8_t(levels)) * 255 / levels);
        }
    }
    return true;
}

void render(FT_Face face, char32_t codePoint, Entry& entry) {
    const FT_UInt index = glyphIndex(face, codePoint);
    if (FT_Load_Glyph(face, index, loadFlags) != 0 &&
        (index == 0 || FT_Load_Glyph(face, 0, loadFlags) != 0))
        return;
    FT_GlyphSlot slot = face->glyph;
    entry.glyph.advance = std::int32_t((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return;
    if (!copyCoverage(slot->bitmap, entry.pixels)) {
        entry.pixels.clear();
        return;
    }
    entry.glyph.left = slot->bitmap_left;
    entry.glyph.top = slot->bitmap_top;
    entry.glyph.width = std::int32_t(slot->bitmap.width);
    entry.glyph.rows = std::int32_t(slot->bitmap.rows);
}

}  // namespace

const Glyph& cachedGlyph(const SizedFace& face, char32_t codePoint) {
    GlyphCache& c = cache();
    const Key key{face.faceId(), face.emPixels(), codePoint};
    if (const auto found = c.index.find(key); found != c.index.end()) {
        c.recent.splice(c.recent.begin(), c.recent, found->second);
        return found->second->glyph;
    }

    c.recent.push_front(Entry{key, Glyph{}, {}});
    Entry& entry = c.recent.front();
    render(face.face(), codePoint, entry);
    ++c.rendered;
    entry.pixels.shrink_to_fit();
    entry.glyph.coverage = entry.pixels.empty() ? nullptr : entry.pixels.data();
    c.index.emplace(key, c.recent.begin());
    c.bytes += entry.pixels.size() + entryOverhead;

    // The glyph just made is never evicted, however large it is.
    while (c.recent.size() > 1 && (c.bytes > budgetBytes || c.recent.size() > maxEntries)) {
        Entry& oldest = c.recent.back();
        c.bytes -= oldest.pixels.size() + entryOverhead;
        c.index.erase(oldest.key);
        c.recent.pop_back();
    }
    return entry.glyph;
}

std::uint64_t renderedGlyphCount() {
    return cache().rendered;
}

std::size_t cachedGlyphBytes() {
    return cache().bytes;
}

}  // namespace platform
