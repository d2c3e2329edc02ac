#include "platform/single_instance/startup_notification.h"

namespace platform {

std::uint32_t startupNotificationTime(std::string_view id) {
    const std::size_t marker = id.rfind("_TIME");
    if (marker == std::string_view::npos) return 0;
    std::uint64_t time = 0;
    const std::string_view digits = id.substr(marker + 5);
    if (digits.empty() || digits.size() > 10) return 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        time = time * 10 + std::uint64_t(c - '0');
    }
    return time <= 0xFFFFFFFFu ? std::uint32_t(time) : 0;
}

std::string startupRemoveMessage(std::string_view id) {
    // Values are quoted, with quotes and backslashes escaped, so any id
    // reads back as it was.
    std::string message = "remove: ID=\"";
    for (const char c : id) {
        if (c == '"' || c == '\\') message += '\\';
        message += c;
    }
    message += '"';
    message += '\0';
    return message;
}

}  // namespace platform
