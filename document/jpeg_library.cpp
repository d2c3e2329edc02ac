#include "document/jpeg_library.h"

// After the library's header, which it extends.
#include <jerror.h>

namespace jpeg_library {

namespace {

ErrorTrap* trapOf(j_common_ptr info) {
    return reinterpret_cast<ErrorTrap*>(info->err);
}

// What kind of failure a fatal error of the library is.
ReadFailure failureOf(int code) {
    switch (code) {
        case JERR_NO_SOI:  // does not start as a JPEG file does
            return ReadFailure::NotThisFormat;
        case JERR_BAD_PRECISION:
        case JERR_NOT_COMPILED:
        case JERR_ARITH_NOTIMPL:
        case JERR_CCIR601_NOTIMPL:
            return ReadFailure::Unsupported;
        case JERR_NO_BACKING_STORE:  // the working memory the reader allows ran out
            return ReadFailure::TooLarge;
        case JERR_OUT_OF_MEMORY:
            return ReadFailure::OutOfMemory;
        default:
            return ReadFailure::Damaged;
    }
}

[[noreturn]] void fatalError(j_common_ptr info) {
    leave(info, failureOf(info->err->msg_code));
}

// Trace messages (level 0 and up) pass quietly; a warning means corrupt or
// missing data, so the picture is not delivered. An unknown revision of the
// file-interchange header says nothing about the pixels and is let pass.
void message(j_common_ptr info, int level) {
    if (level >= 0 || info->err->msg_code == JWRN_JFIF_MAJOR) return;
    leave(info, ReadFailure::Damaged);
}

// There is no console to tell.
void discardMessage(j_common_ptr) {}

void startSource(j_decompress_ptr) {}
void endSource(j_decompress_ptr) {}

boolean fillSource(j_decompress_ptr info) {
    auto* source = reinterpret_cast<Source*>(info->src);
    std::size_t got = 0;
    if (!source->bytes->read(source->buffer, sizeof source->buffer, got))
        ERREXIT(info, JERR_FILE_READ);
    if (got == 0) ERREXIT(info, JERR_INPUT_EOF);
    source->delivered += std::int64_t(got);
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = got;
    return TRUE;
}

void skipSource(j_decompress_ptr info, long bytes) {
    jpeg_source_mgr* source = info->src;
    if (bytes <= 0) return;
    while (std::size_t(bytes) > source->bytes_in_buffer) {
        bytes -= long(source->bytes_in_buffer);
        fillSource(info);
    }
    source->next_input_byte += bytes;
    source->bytes_in_buffer -= std::size_t(bytes);
}

void startDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<Destination*>(info->dest);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = sizeof destination->buffer;
}

boolean emptyDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<Destination*>(info->dest);
    if (!destination->writer->write(destination->buffer, sizeof destination->buffer))
        ERREXIT(info, JERR_FILE_WRITE);
    startDestination(info);
    return TRUE;
}

void endDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<Destination*>(info->dest);
    const std::size_t bytes = sizeof destination->buffer - destination->manager.free_in_buffer;
    if (bytes > 0 && !destination->writer->write(destination->buffer, bytes))
        ERREXIT(info, JERR_FILE_WRITE);
}

}  // namespace

jpeg_error_mgr* installTrap(ErrorTrap& trap, ReadProblem* problem) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = fatalError;
    trap.manager.emit_message = message;
    trap.manager.output_message = discardMessage;
    trap.problem = problem;
    return &trap.manager;
}

void leave(j_common_ptr info, ReadFailure failure, const char* detail) {
    ErrorTrap* trap = trapOf(info);
    if (detail) {
        refuse(trap->problem, failure, detail);
    } else {
        char text[JMSG_LENGTH_MAX] = {};
        info->err->format_message(info, text);
        refuse(trap->problem, failure, text);
    }
    std::longjmp(trap->jump, 1);
}

void attachSource(jpeg_decompress_struct& info, Source& source, file_format::ByteSource& bytes) {
    source.manager.init_source = startSource;
    source.manager.fill_input_buffer = fillSource;
    source.manager.skip_input_data = skipSource;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = endSource;
    source.manager.next_input_byte = nullptr;
    source.manager.bytes_in_buffer = 0;
    source.bytes = &bytes;
    source.delivered = 0;
    info.src = &source.manager;
}

std::int64_t bytesAhead(const jpeg_decompress_struct& info, const Source& source) {
    const std::int64_t total = source.bytes->size();
    if (total < 0) return -1;
    return total - source.delivered + std::int64_t(info.src->bytes_in_buffer);
}

void attachDestination(jpeg_compress_struct& info, Destination& destination,
                       platform::AtomicFileWriter& writer) {
    destination.manager.init_destination = startDestination;
    destination.manager.empty_output_buffer = emptyDestination;
    destination.manager.term_destination = endDestination;
    destination.writer = &writer;
    info.dest = &destination.manager;
}

}  // namespace jpeg_library
