#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace platform {

enum class HandOffResult {
    Delivered,   // the running instance has dealt with the command line
    NoInstance,  // nobody listens at the socket (none there, or one left by a killed instance)
    Busy,        // somebody listens but takes no more connections just now
    Refused,     // the running instance would not take it (too long, not valid text)
    NoAnswer,    // connected, but no answer in time or the connection broke
};

// Connects to the instance socket at `socketPath` and sends `commandLine`
// (empty: only bring the running window forward), then waits for the answer.
// Never takes longer than `timeout` in all. A command line that could never
// be accepted is refused here, without connecting.
HandOffResult handOffCommandLine(const std::string& socketPath, std::string_view commandLine,
                                 std::chrono::milliseconds timeout);

// The same over a socket already connected (the caller's; it is closed).
HandOffResult handOffCommandLine(int connectedFd, std::string_view commandLine,
                                 std::chrono::steady_clock::time_point deadline);

// Connects without blocking. The connected socket, or -1 with `result`
// saying why not (NoInstance or Busy).
int connectToInstance(const std::string& socketPath, HandOffResult& result);

}  // namespace platform
