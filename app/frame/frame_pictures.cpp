#include "app/frame/frame_pictures.h"

#include "app/frame/pictures/picture_library.h"
#include "platform/gdi/bitmap.h"

std::unique_ptr<platform::Bitmap> loadFramePicture(std::int32_t id) {
    return loadPicture(id);
}
