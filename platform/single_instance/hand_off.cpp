#include "platform/single_instance/hand_off.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

#include "platform/single_instance/hand_off_message.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
    // Rounded up: poll must not come back before the deadline has passed.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, 60'000));
}

// Waits for `events` on `fd` until the deadline; false on time-out or error.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, millisecondsLeft(deadline));
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR) return false;
    }
}

bool sendAll(int fd, const std::string& bytes, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int connectToInstance(const std::string& socketPath, HandOffResult& result) {
    result = HandOffResult::NoInstance;
    sockaddr_un address{};
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) return -1;
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, socketPath.size());

    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    int status;
    do {
        status = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (status != 0 && errno == EINTR);
    if (status == 0) {
        // The socket must be our own user's, like the folder it sits in.
        ucred peer{};
        socklen_t size = sizeof peer;
        if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid())
            return fd;
        result = HandOffResult::Refused;
    } else if (errno == EAGAIN) {
        // A Unix socket whose queue of waiting connections is full.
        result = HandOffResult::Busy;
    }
    close(fd);
    return -1;
}

HandOffResult handOffCommandLine(int fd, const HandOffRequest& request,
                                 Clock::time_point deadline) {
    const std::string message = hand_off::message(request);
    if (message.empty()) {
        close(fd);
        return HandOffResult::Refused;
    }
    HandOffResult result = HandOffResult::NoAnswer;
    if (sendAll(fd, message, deadline)) {
        char reply = 0;
        for (;;) {
            if (!waitFor(fd, POLLIN, deadline)) break;
            const ssize_t got = recv(fd, &reply, 1, 0);
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (got == 1 && reply == hand_off::accepted) result = HandOffResult::Delivered;
            if (got == 1 && reply == hand_off::refused) result = HandOffResult::Refused;
            break;
        }
    }
    close(fd);
    return result;
}

HandOffResult handOffCommandLine(const std::string& socketPath, const HandOffRequest& request,
                                 std::chrono::milliseconds timeout) {
    if (!hand_off::isValidCommandLine(request.commandLine)) return HandOffResult::Refused;
    const auto deadline = Clock::now() + timeout;
    HandOffResult result = HandOffResult::NoInstance;
    for (;;) {
        const int fd = connectToInstance(socketPath, result);
        if (fd >= 0) return handOffCommandLine(fd, request, deadline);
        if (result != HandOffResult::Busy || Clock::now() >= deadline) return result;
        usleep(10'000);
    }
}

}  // namespace platform
