#include "platform/single_instance/hand_off_message.h"

#include <algorithm>
#include <cstring>

namespace platform::hand_off {

std::string header(std::size_t length) {
    std::string bytes(magic, sizeof magic);
    for (int shift = 0; shift < 32; shift += 8)
        bytes += char((length >> shift) & 0xFF);
    return bytes;
}

bool parseHeader(const char* bytes, std::uint32_t& length) {
    if (std::memcmp(bytes, magic, sizeof magic) != 0) return false;
    length = 0;
    for (int i = 0; i < 4; ++i)
        length |= std::uint32_t(std::uint8_t(bytes[4 + i])) << (8 * i);
    return true;
}

bool isValidCommandLine(std::string_view commandLine) {
    return commandLine.size() + 1 + maxTokenBytes <= maxPayloadBytes &&
           commandLine.find('\0') == std::string_view::npos;
}

bool isValidActivationToken(std::string_view token) {
    return token.size() <= maxTokenBytes &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

std::string message(const HandOffRequest& request) {
    if (!isValidCommandLine(request.commandLine)) return {};
    std::string payload = request.commandLine;
    payload += '\0';
    if (isValidActivationToken(request.activationToken)) payload += request.activationToken;
    return header(payload.size()) + payload;
}

bool parsePayload(std::string_view payload, HandOffRequest& request) {
    const std::size_t end = payload.find('\0');
    if (end == std::string_view::npos) return false;
    const std::string_view token = payload.substr(end + 1);
    if (!isValidActivationToken(token)) return false;
    request.commandLine = std::string(payload.substr(0, end));
    request.activationToken = std::string(token);
    return true;
}

}  // namespace platform::hand_off
