#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// What a later start hands to the running instance.
struct HandOffRequest {
    // The later start's command line; empty when it only wants the running
    // window brought forward. Bytes as the system gave them: a file name need
    // not be UTF-8, and the running instance must open the very file named.
    std::string commandLine;
    // The desktop's token for raising a window on the later start's behalf
    // (XDG_ACTIVATION_TOKEN, or DESKTOP_STARTUP_ID on X11); empty when none
    // came with the start.
    std::string activationToken;
};

// What travels between a later start and the running instance over the
// instance socket: a fixed header (four magic bytes, then the payload's
// length as four little-endian bytes), then the payload: the command line, a
// NUL, the activation token. The running instance answers with one byte once
// it has taken the request or would not.
namespace hand_off {

constexpr char magic[4] = {'M', 'i', 'r', '2'};
constexpr std::size_t headerBytes = 8;
// Far more than any real command line (a path is at most 4096 bytes here),
// small enough that nobody can make the running instance hold much memory.
constexpr std::size_t maxPayloadBytes = 16384;
// Tokens are short; a long one is not the desktop's.
constexpr std::size_t maxTokenBytes = 512;

constexpr char accepted = 'A';
constexpr char refused = 'R';

// The header for a payload of `length` bytes.
std::string header(std::size_t length);
// The length a header announces, or false for a header that is not ours.
bool parseHeader(const char* bytes, std::uint32_t& length);

// Header and payload for `request`, or empty when it cannot travel (see
// `isValidCommandLine`; a token that is not valid is left out, the window is
// then raised without it).
std::string message(const HandOffRequest& request);
// The request a payload carries; false for one that breaks the rules.
bool parsePayload(std::string_view payload, HandOffRequest& request);

// Any bytes but NUL, which the program's zero-terminated text could not
// hold, and short enough for the payload.
bool isValidCommandLine(std::string_view commandLine);
// Printable ASCII without spaces, at most `maxTokenBytes`, or empty.
bool isValidActivationToken(std::string_view token);

}  // namespace hand_off

}  // namespace platform
