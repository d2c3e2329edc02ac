#include "platform/desktop_integration/close_signals.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <new>

namespace platform {

namespace {

constexpr int caught[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> signalPipe{-1};
struct sigaction previous[std::size(caught)];

extern "C" void noteSignal(int number) {
    const int saved = errno;
    const int fd = signalPipe.load();
    if (fd >= 0) {
        const char byte = char(number);
        // A full pipe already holds a request; losing this one loses nothing.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = saved;
}

}  // namespace

std::unique_ptr<CloseSignals> CloseSignals::install() {
    if (signalPipe.load() >= 0) return nullptr;
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return nullptr;
    std::unique_ptr<CloseSignals> signals(new (std::nothrow) CloseSignals(fds[0], fds[1]));
    if (!signals) {
        close(fds[0]);
        close(fds[1]);
        return nullptr;
    }
    signalPipe.store(fds[1]);
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(caught); ++i)
        sigaction(caught[i], &action, &previous[i]);
    return signals;
}

CloseSignals::~CloseSignals() {
    for (std::size_t i = 0; i < std::size(caught); ++i)
        sigaction(caught[i], &previous[i], nullptr);
    signalPipe.store(-1);
    close(readFd_);
    close(writeFd_);
}

int CloseSignals::take() {
    char buffer[64];
    int first = 0;
    for (;;) {
        const ssize_t got = read(readFd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return first;
        if (first == 0) first = std::uint8_t(buffer[0]);
    }
}

}  // namespace platform
