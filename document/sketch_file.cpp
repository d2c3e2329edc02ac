#include "document/sketch_file.h"

#include <lzo/lzo1x.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "canvas/canvas.h"
#include "document/file_format_io.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/files/file.h"
#include "platform/memory/large_buffer.h"

namespace {

constexpr std::uint32_t currentVersion = 1;

// The header of a current-version file. The older headerless form starts
// directly with what is `packedLength` here.
#pragma pack(push, 1)
struct SketchFileHeader {
    std::uint32_t version;
    std::uint16_t width;
    std::uint16_t height;
    std::uint32_t packedLength;
};
#pragma pack(pop)
static_assert(sizeof(SketchFileHeader) == 12);

// The library's own bound for what LZO1X makes of input it cannot compress:
// it grows by up to a sixteenth, plus a few bytes.
constexpr std::size_t worstPackedLength(std::size_t bytes) {
    return bytes + bytes / 16 + 64 + 3;
}

// The file's picture is the committed picture's canvas rows exactly as they
// lie in memory, bottom row first and padding included, so both directions
// compress and expand one contiguous block. The compressed bytes live in the
// live picture's memory wherever they are sure to fit, and the compressor
// works in the zoom buffer, so that saving and loading need as little memory
// of their own as can be made safe.
class SketchFormat {
  public:
    explicit SketchFormat(Canvas& canvas)
        : canvas_(canvas),
          stride_(std::size_t(canvas.rowStride())),
          pixelBytes_(std::size_t(canvas.height()) * stride_),
          liveCapacity_(std::size_t(canvas.allocatedRows()) * stride_) {}

    bool hasPictures() const {
        return canvas_.committedBits() && canvas_.liveBits() && pixelBytes_ > 0;
    }

    // Writes the committed picture, or the live one with `fromLive`.
    bool save(const char16_t* path, bool fromLive) {
        // The zoom buffer always exceeds what LZO1X-1 needs; a separate block
        // is only a guard for views made smaller than usual.
        platform::LargeBuffer ownWork;
        void* work = canvas_.zoomBits();
        if (!work || canvas_.zoomBufferBytes() < LZO1X_1_MEM_COMPRESS) {
            ownWork = platform::LargeBuffer(LZO1X_1_MEM_COMPRESS);
            if (ownWork.empty()) return false;
            work = ownWork.data();
        }
        // The compressor cannot be told where its output must end, so the
        // spare rows are only used when even incompressible pixels would fit
        // there. Otherwise the output goes to a block of the worst-case size;
        // without one the save fails rather than risk writing past the
        // picture. Compressing the live picture leaves its memory alone.
        platform::LargeBuffer ownOutput;
        std::uint8_t* packed = canvas_.liveBits();
        if (fromLive || worstPackedLength(pixelBytes_) > liveCapacity_) {
            ownOutput = platform::LargeBuffer(worstPackedLength(pixelBytes_));
            if (ownOutput.empty()) return false;
            packed = ownOutput.data();
        }

        lzo_uint packedLength = 0;
        const std::uint8_t* source = fromLive ? liveRows() : canvasRows();
        if (lzo1x_1_compress(source, pixelBytes_, packed, &packedLength, work) != LZO_E_OK)
            return false;

        // Written beside the old file and moved over it only when complete,
        // so a full storage card never costs the user the previous version.
        auto writer = platform::AtomicFileWriter::create(path);
        if (!writer) return false;
        const SketchFileHeader header{currentVersion, canvas_.width(), canvas_.height(),
                                      std::uint32_t(packedLength)};
        return writer->write(&header, sizeof header) && writer->write(packed, packedLength) &&
               writer->commit();
    }

    bool load(file_format::ByteSource& file, std::uint16_t& fileWidth, std::uint16_t& fileHeight) {
        std::uint32_t first = 0;
        if (!file_format::readExactly(file, &first, sizeof first)) return false;
        if (first != currentVersion) return unpack(file, first);

        std::uint16_t size[2] = {};
        if (!file_format::readExactly(file, size, sizeof size)) return false;
        // No canvas is ever made that size: the header itself is damaged.
        if (size[0] == 0 || size[1] == 0 || size[0] > Canvas::maxSide || size[1] > Canvas::maxSide)
            return false;
        if (size[0] != canvas_.width() || size[1] != canvas_.height()) {
            fileWidth = size[0];
            fileHeight = size[1];
            return false;
        }
        std::uint32_t packedLength = 0;
        if (!file_format::readExactly(file, &packedLength, sizeof packedLength)) return false;
        return unpack(file, packedLength);
    }

  private:
    std::uint8_t* canvasRows() const {
        return canvas_.committedBits() +
               std::size_t(canvas_.allocatedRows() - canvas_.height()) * stride_;
    }
    const std::uint8_t* liveRows() const {
        return canvas_.liveBits() +
               std::size_t(canvas_.allocatedRows() - canvas_.height()) * stride_;
    }

    // The stream must fill the picture exactly and be used up: anything
    // longer, shorter or followed by stray bytes is not this picture. A
    // stream too long for the live picture's memory can still be this
    // picture's when the save had to compress it into a block of its own
    // (incompressible pixels of a wide, low canvas); it is read into such a
    // block too, and anything longer than the worst case is damage.
    bool unpack(file_format::ByteSource& file, std::uint32_t packedLength) {
        if (packedLength > worstPackedLength(pixelBytes_)) return false;
        platform::LargeBuffer ownInput;
        std::uint8_t* packed = canvas_.liveBits();
        if (packedLength > liveCapacity_) {
            ownInput = platform::LargeBuffer(packedLength);
            if (ownInput.empty()) return false;
            packed = ownInput.data();
        }
        if (!file_format::readExactly(file, packed, packedLength)) return false;
        lzo_uint expanded = pixelBytes_;
        const int result =
            lzo1x_decompress_safe(packed, packedLength, canvasRows(), &expanded, nullptr);
        return result == LZO_E_OK && expanded == pixelBytes_;
    }

    Canvas& canvas_;
    std::size_t stride_;
    std::size_t pixelBytes_;
    std::size_t liveCapacity_;
};

// The library is set up once per canvas, before its first save or load.
bool prepareCompressor(Canvas& canvas) {
    return canvas.compressorReady() || lzo_init() == LZO_E_OK;
}

bool saveSketch(Canvas& canvas, const char16_t* path, bool live) {
    SketchFormat format(canvas);
    if (!path || !format.hasPictures() || !prepareCompressor(canvas)) return false;
    const bool written = format.save(path, live);
    canvas.setCompressorReady(true);
    return written;
}

}  // namespace

bool saveSketchFile(Canvas& canvas, const char16_t* path) {
    return saveSketch(canvas, path, false);
}

bool saveLiveSketchFile(Canvas& canvas, const char16_t* path) {
    return saveSketch(canvas, path, true);
}

namespace {

// A missing source (a file that would not open) fails like a damaged one.
bool loadSketch(Canvas& canvas, file_format::ByteSource* source, std::uint16_t& fileWidth,
                std::uint16_t& fileHeight) {
    SketchFormat format(canvas);
    if (!format.hasPictures() || !prepareCompressor(canvas)) return false;
    const bool loaded = source && format.load(*source, fileWidth, fileHeight);
    canvas.setCompressorReady(true);
    return loaded;
}

}  // namespace

bool loadSketchFile(Canvas& canvas, const char16_t* path, std::uint16_t& fileWidth,
                    std::uint16_t& fileHeight) {
    fileWidth = 0;
    fileHeight = 0;
    if (!path) return false;
    auto file = platform::File::open(path, platform::FileAccess::Read,
                                     platform::FileDisposition::OpenExisting);
    if (!file) return loadSketch(canvas, nullptr, fileWidth, fileHeight);
    file_format::FileSource source(*file);
    return loadSketch(canvas, &source, fileWidth, fileHeight);
}

bool loadSketchData(Canvas& canvas, const std::uint8_t* data, std::size_t size,
                    std::uint16_t& fileWidth, std::uint16_t& fileHeight) {
    fileWidth = 0;
    fileHeight = 0;
    file_format::MemorySource source(data, size);
    return loadSketch(canvas, &source, fileWidth, fileHeight);
}

bool readSketchFileInfo(const char16_t* path, SketchFileInfo& info) {
    info = SketchFileInfo{};
    if (!path) return false;
    auto file =
        platform::File::open(path, platform::FileAccess::Read,
                             platform::FileDisposition::OpenExisting, platform::FileSharing::Read);
    if (!file) return false;
    info.fileBytes = file->size();
    std::uint32_t first = 0;
    if (!file_format::readExactly(*file, &first, sizeof first)) return false;
    if (first != currentVersion) {
        info.headerless = true;
        info.packedLength = first;
        return true;
    }
    std::uint8_t rest[sizeof(SketchFileHeader) - sizeof first];
    if (!file_format::readExactly(*file, rest, sizeof rest)) return false;
    SketchFileHeader header{};
    std::memcpy(&header, &first, sizeof first);
    std::memcpy(reinterpret_cast<std::uint8_t*>(&header) + sizeof first, rest, sizeof rest);
    info.version = header.version;
    info.width = header.width;
    info.height = header.height;
    info.packedLength = header.packedLength;
    return true;
}
