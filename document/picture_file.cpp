#include "document/picture_file.h"

#include <cstddef>
#include <cstring>

#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/file_format_io.h"
#include "document/file_names.h"
#include "document/jpeg_file.h"
#include "document/png_file.h"
#include "platform/files/file.h"

namespace {

PictureFormat formatOfBytes(const std::uint8_t* bytes, std::size_t size) {
    if (hasPngSignature(bytes, size)) return PictureFormat::Png;
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return PictureFormat::Jpeg;
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PictureFormat::Bitmap;
    return PictureFormat::None;
}

}  // namespace

PictureFormat pictureFormatOfName(std::u16string_view name) {
    if (endsWithIgnoringCase(name, u".bmp")) return PictureFormat::Bitmap;
    if (endsWithIgnoringCase(name, u".jpg") || endsWithIgnoringCase(name, u".jpeg"))
        return PictureFormat::Jpeg;
    if (endsWithIgnoringCase(name, u".png")) return PictureFormat::Png;
    return PictureFormat::None;
}

PictureFormat pictureFormatOf(const char16_t* path) {
    if (!path) return PictureFormat::None;
    std::uint8_t start[8] = {};
    std::size_t got = 0;
    auto file =
        platform::File::open(path, platform::FileAccess::Read,
                             platform::FileDisposition::OpenExisting, platform::FileSharing::Read);
    if (file && file->read(start, sizeof start, got)) {
        const PictureFormat format = formatOfBytes(start, got);
        if (format != PictureFormat::None) return format;
    }
    return pictureFormatOfName(path);
}

bool readPictureFile(const Canvas& canvas, const char16_t* path, RasterImage& image,
                     ReadProblem* problem) {
    switch (pictureFormatOf(path)) {
        case PictureFormat::Bitmap:
            return readBitmapFile(canvas, path, image, problem);
        case PictureFormat::Jpeg:
            return readJpegFile(canvas, path, image, problem);
        case PictureFormat::Png:
            return readPngFile(canvas, path, image, problem);
        default:
            image.release();
            auto file = openForReading(path, platform::FileSharing::Read, problem);
            return file ? refuse(problem, ReadFailure::NotThisFormat) : false;
    }
}
