#pragma once

#include <cstdint>
#include <span>

#include "app/frame/pictures/xpm_reader.h"

// Which compiled-in XPM source each resource id is read from. A mask id
// names the transparent pixels of its picture, so a picture and its mask can
// never disagree.
struct PictureSource {
    std::int32_t id;
    std::span<const char* const> xpm;
    XpmLayer layer;
};

struct IconSource {
    std::int32_t id;
    std::int32_t size;
    std::span<const char* const> xpm;
};

// Sorted by id.
std::span<const PictureSource> pictureSources();
// Sorted by id, then size.
std::span<const IconSource> iconSources();
