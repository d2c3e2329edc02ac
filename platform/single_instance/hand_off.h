#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/single_instance/hand_off_message.h"

namespace platform {

enum class HandOffResult {
    Delivered,   // the running instance has taken the command line (and will open it)
    NoInstance,  // nobody listens at the socket (none there, or one left by a killed instance)
    Busy,        // somebody listens but takes no more connections just now
    Refused,     // the running instance would not take it, or it could not be sent at all
    NoAnswer,    // connected, but no answer in time or the connection broke
};

// Connects to the instance socket at `socketPath` and sends `request` (an
// empty command line: only bring the running window forward), then waits
// for the answer, which comes as soon as the running instance has taken the
// request: not when a document has been opened, which may wait for a
// question to be answered. Never takes longer than `timeout` in all. A
// command line that could never be accepted is refused here, without
// connecting.
HandOffResult handOffCommandLine(const std::string& socketPath, const HandOffRequest& request,
                                 std::chrono::milliseconds timeout);

// The same over a socket already connected (the caller's; it is closed).
HandOffResult handOffCommandLine(int connectedFd, const HandOffRequest& request,
                                 std::chrono::steady_clock::time_point deadline);

// Connects without blocking. The connected socket, or -1 with `result`
// saying why not (NoInstance or Busy).
int connectToInstance(const std::string& socketPath, HandOffResult& result);

}  // namespace platform
