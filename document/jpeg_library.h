#pragma once

// The JPEG library wired to the program: an error manager that turns the
// library's fatal errors and its warnings into failed results, a source
// that reads our files or memory and treats a cut file as the damage it is,
// and a destination that writes through an AtomicFileWriter.

// The library's header needs FILE and size_t declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

#include "document/file_format_failure.h"
#include "document/file_format_io.h"
#include "platform/files/atomic_file_writer.h"

namespace jpeg_library {

// The library reports a fatal error by calling `error_exit`, which must not
// return; ours records the reason and jumps back to the function that set
// `jump`, which destroys the library's object and fails. Warnings (corrupt
// data the library would paper over with grey or black) are taken as fatal
// too, so that no damaged picture passes as a good one. Only plain records
// may live in the frames the jump leaves.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    ReadProblem* problem;  // may be null
};

jpeg_error_mgr* installTrap(ErrorTrap& trap, ReadProblem* problem);

// Records `failure` (with the library's last message as the detail when
// `detail` is null) and leaves through the trap.
[[noreturn]] void leave(j_common_ptr info, ReadFailure failure, const char* detail = nullptr);

// Reads a ByteSource for the decompressor. A source that ends before the
// picture does is damage: the library's own sources would make up an end
// marker and pass the missing rows off as grey.
struct Source {
    jpeg_source_mgr manager;
    file_format::ByteSource* bytes;
    std::int64_t delivered;  // bytes handed to the library so far
    JOCTET buffer[16384];
};

void attachSource(jpeg_decompress_struct& info, Source& source, file_format::ByteSource& bytes);

// Bytes of the source the library has not taken yet: after the header, the
// compressed picture and what follows it. -1 when the length is unknown.
std::int64_t bytesAhead(const jpeg_decompress_struct& info, const Source& source);

struct Destination {
    jpeg_destination_mgr manager;
    platform::AtomicFileWriter* writer;
    JOCTET buffer[16384];
};

void attachDestination(jpeg_compress_struct& info, Destination& destination,
                       platform::AtomicFileWriter& writer);

}  // namespace jpeg_library
