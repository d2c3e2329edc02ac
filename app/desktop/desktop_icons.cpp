#include "app/desktop/desktop_icons.h"

#include "app/frame/pictures/picture_library.h"
#include "platform/gdi/bitmap.h"

namespace mirabo {

namespace {

// Every size the icon is drawn at; a size that cannot be loaded (no memory)
// is left out, and the desktop scales one of the others.
std::vector<platform::IconImage> iconAtEverySize(std::int32_t resourceId) {
    std::vector<platform::IconImage> images;
    for (const std::int32_t size : iconSizes()) {
        const IconPicture icon = loadIcon(resourceId, size);
        if (!icon.picture) continue;
        platform::IconImage image = platform::IconImage::fromBitmap(*icon.picture, icon.mask.get());
        if (image.valid()) images.push_back(std::move(image));
    }
    return images;
}

}  // namespace

platform::DesktopIcons desktopIcons() {
    platform::DesktopIcons icons;
    icons.program = iconAtEverySize(PictureId::ProgramIcon);
    icons.document = iconAtEverySize(PictureId::DocumentIcon);
    return icons;
}

platform::DesktopIconSource desktopIconSource() {
    return {iconPicturesKey(), &desktopIcons};
}

}  // namespace mirabo
