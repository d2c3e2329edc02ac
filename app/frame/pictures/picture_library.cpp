#include "app/frame/pictures/picture_library.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "app/frame/pictures/picture_sources.h"
#include "app/frame/pictures/xpm_reader.h"
#include "platform/gdi/bitmap.h"

namespace {

constexpr std::array<std::int32_t, 7> sizes{16, 24, 32, 48, 64, 128, 256};

const PictureSource* findPicture(std::int32_t resourceId) {
    const auto sources = pictureSources();
    const auto it = std::lower_bound(
        sources.begin(), sources.end(), resourceId,
        [](const PictureSource& source, std::int32_t id) { return source.id < id; });
    return it != sources.end() && it->id == resourceId ? &*it : nullptr;
}

}  // namespace

std::unique_ptr<platform::Bitmap> loadPicture(std::int32_t resourceId) {
    const PictureSource* source = findPicture(resourceId);
    return source ? readXpm(source->xpm, source->layer) : nullptr;
}

std::unique_ptr<platform::Bitmap> loadPictureMask(std::int32_t resourceId) {
    const PictureSource* source = findPicture(resourceId);
    if (!source || source->layer != XpmLayer::Picture) return nullptr;
    return readXpm(source->xpm, XpmLayer::Mask);
}

std::vector<std::int32_t> pictureIds() {
    std::vector<std::int32_t> ids;
    for (const PictureSource& source : pictureSources())
        ids.push_back(source.id);
    return ids;
}

std::span<const std::int32_t> iconSizes() {
    return sizes;
}

IconPicture loadIcon(std::int32_t resourceId, std::int32_t pixels) {
    for (const IconSource& source : iconSources()) {
        if (source.id != resourceId || source.size != pixels) continue;
        IconPicture icon{readXpm(source.xpm, XpmLayer::Picture),
                         readXpm(source.xpm, XpmLayer::Mask)};
        if (!icon.picture || !icon.mask) return IconPicture{};
        return icon;
    }
    return IconPicture{};
}

std::string iconPicturesKey() {
    // 64-bit FNV-1a over every size and line of the icons' sources.
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto add = [&hash](const unsigned char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            hash = (hash ^ bytes[i]) * 0x100000001b3u;
    };
    for (const IconSource& source : iconSources()) {
        const std::int32_t header[] = {source.id, source.size, std::int32_t(source.xpm.size())};
        add(reinterpret_cast<const unsigned char*>(header), sizeof header);
        for (const char* line : source.xpm)
            add(reinterpret_cast<const unsigned char*>(line), std::strlen(line) + 1);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}
