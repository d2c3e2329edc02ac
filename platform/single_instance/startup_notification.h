#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The X11 desktop's startup notification: a program it starts finds an id in
// DESKTOP_STARTUP_ID, which a running instance may be handed in its place.

// The X server time of the user's action that started the program, which an
// id carries after "_TIME"; 0 when it carries none. A window manager lets a
// window take the focus for an action that recent.
std::uint32_t startupNotificationTime(std::string_view id);

// The message, with its terminating NUL, that tells the desktop the start
// with `id` is over, so its launch feedback ends.
std::string startupRemoveMessage(std::string_view id);

}  // namespace platform
