#pragma once

#include <cstddef>
#include <cstdint>

class Canvas;

// The native document file: a small header and the committed picture's
// canvas rows as one LZO1X stream. Saving compresses into the live
// picture's memory and loading reads the compressed bytes there, so both
// leave the live picture's contents undefined; the caller restores it from
// the committed picture afterwards.
//
// The compressor cannot be held to an output limit, so the save compresses
// into the live picture's memory only when even incompressible pixels would
// fit there, which holds for canvases up to about 60 pixels wide. Larger
// ones are compressed into a block of the library's worst-case size; when
// that cannot be had the save fails and the old file stays. The load reads
// into the live picture's memory, and through a block of its own only a
// stream that is longer than that memory (incompressible pixels of a wide,
// low canvas).

// Writes the committed picture to `path`. The file appears, or replaces the
// one there, only once every byte is written and on the storage; on failure
// whatever was at `path` is left as it was. True when the file was written.
bool saveSketchFile(Canvas& canvas, const char16_t* path);

// Writes the live picture, as safely, and leaves both pictures as they are:
// a copy of the drawing as the user sees it, with the history of changes
// still waiting to be flattened, for keeping work in progress.
bool saveLiveSketchFile(Canvas& canvas, const char16_t* path);

// Reads the file at `path` into the committed picture. `fileWidth` and
// `fileHeight` are 0 unless the file is of the current version and names a
// picture size other than the canvas's: they then hold that size and the
// result is false, so the caller can make the canvas that size and try
// again. A file without a header is taken to have the canvas's size. On
// other failures the committed picture may be partly overwritten.
bool loadSketchFile(Canvas& canvas, const char16_t* path, std::uint16_t& fileWidth,
                    std::uint16_t& fileHeight);

// The same for a file's bytes held in memory.
bool loadSketchData(Canvas& canvas, const std::uint8_t* data, std::size_t size,
                    std::uint16_t& fileWidth, std::uint16_t& fileHeight);

// What a sketch file's header says, for tools that inspect files.
struct SketchFileInfo {
    bool headerless = false;  // the older form: the length comes first, no size
    std::uint32_t version = 0;
    std::uint16_t width = 0;  // 0 in the headerless form
    std::uint16_t height = 0;
    std::uint32_t packedLength = 0;
    std::int64_t fileBytes = 0;
};

// Reads only the header. False when the file cannot be opened or is too
// short to hold its header; the compressed data is not checked.
bool readSketchFileInfo(const char16_t* path, SketchFileInfo& info);
