#pragma once

#include <memory>

namespace platform {

// The desktop asks a program to close by signal as well as through its
// window: SIGTERM when the session ends or somebody runs `kill`, SIGHUP when
// its terminal goes, SIGINT for Control+C in that terminal. A signal handler
// may do next to nothing, so these only note the signal on a pipe; the
// event loop watches `fd` and, when it becomes readable, asks `take` and
// closes the program the orderly way (a modified drawing is hibernated).
class CloseSignals {
  public:
    // Catches the three signals from now on. Null when they are caught
    // already (there is one such object at a time) or no pipe can be had.
    static std::unique_ptr<CloseSignals> install();

    // Gives the signals back to whatever handled them before.
    ~CloseSignals();
    CloseSignals(const CloseSignals&) = delete;
    CloseSignals& operator=(const CloseSignals&) = delete;

    // Readable while a signal waits to be taken.
    int fd() const { return readFd_; }
    // The first signal that arrived since the last call (SIGTERM, SIGINT or
    // SIGHUP), or 0 when none did; never blocks. All waiting ones are taken:
    // a close request is a close request, however often it is made.
    int take();

  private:
    CloseSignals(int readFd, int writeFd) : readFd_(readFd), writeFd_(writeFd) {}

    int readFd_;
    int writeFd_;
};

}  // namespace platform
