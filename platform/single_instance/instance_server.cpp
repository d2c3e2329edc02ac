#include "platform/single_instance/instance_server.h"

#include <errno.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <new>

#include "platform/single_instance/hand_off_message.h"

namespace platform {

namespace {

// A later start gives up after five seconds; a connection that has not
// delivered its request by then is of no use to anybody.
constexpr auto idleLimit = std::chrono::seconds(5);
// Only this user's own starts can connect, so a handful is plenty; the
// oldest makes room when more arrive.
constexpr std::size_t maxConnections = 8;
// Bounds the work of one call, so a flood of connections cannot keep the
// event loop from everything else.
constexpr int maxRounds = 64;

bool watch(int pollFd, int fd) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    return epoll_ctl(pollFd, EPOLL_CTL_ADD, fd, &event) == 0;
}

}  // namespace

std::unique_ptr<InstanceServer> InstanceServer::listen(const std::string& socketPath) {
    sockaddr_un address{};
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) return nullptr;
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, socketPath.size());

    const int listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd < 0) return nullptr;
    const int pollFd = epoll_create1(EPOLL_CLOEXEC);
    struct stat info {};
    const bool bound = pollFd >= 0 && bind(listenFd, reinterpret_cast<const sockaddr*>(&address),
                                           sizeof address) == 0;
    // The folder is private already; the socket's own mode says the same.
    const bool ready = bound && chmod(socketPath.c_str(), 0600) == 0 &&
                       ::listen(listenFd, 16) == 0 && lstat(socketPath.c_str(), &info) == 0 &&
                       watch(pollFd, listenFd);
    std::unique_ptr<InstanceServer> server;
    if (ready)
        server.reset(new (std::nothrow) InstanceServer(pollFd, listenFd, socketPath, info.st_ino));
    if (!server) {
        if (bound) unlink(socketPath.c_str());
        if (pollFd >= 0) close(pollFd);
        close(listenFd);
    }
    return server;
}

InstanceServer::~InstanceServer() {
    for (const Connection& connection : connections_)
        if (connection.fd >= 0) close(connection.fd);
    for (const Ready& ready : ready_)
        close(ready.fd);
    close(listenFd_);
    close(pollFd_);
    // Only our own socket: never one a later instance may have made.
    struct stat info {};
    if (lstat(socketPath_.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_ino == inode_)
        unlink(socketPath_.c_str());
}

void InstanceServer::handleReadable() {
    dropIdle();
    epoll_event events[16];
    for (int round = 0; round < maxRounds; ++round) {
        const int count = epoll_wait(pollFd_, events, 16, 0);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        for (int i = 0; i < count; ++i) {
            const int fd = events[i].data.fd;
            if (fd == listenFd_) {
                acceptWaiting();
                continue;
            }
            const auto found = std::find_if(connections_.begin(), connections_.end(),
                                            [fd](const Connection& c) { return c.fd == fd; });
            if (found == connections_.end()) continue;  // dropped earlier in this round
            if (!readFrom(*found)) drop(std::size_t(found - connections_.begin()));
        }
    }

    // A handler that runs a loop of its own may bring us back here; what
    // completes meanwhile is dealt with by the outer call, in order.
    // Without a handler nothing is answered yet: there is no window to take
    // a command line, and a later start is told only what the handler says.
    if (dispatching_ || !handler_) return;
    dispatching_ = true;
    while (!ready_.empty()) {
        Ready ready = std::move(ready_.front());
        ready_.pop_front();
        const bool taken = handler_(ready.request);
        answer(ready.fd, taken ? hand_off::accepted : hand_off::refused);
        close(ready.fd);
    }
    dispatching_ = false;
}

void InstanceServer::acceptWaiting() {
    for (int round = 0; round < maxRounds; ++round) {
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        // The folder keeps others out; the peer's credentials make sure.
        ucred peer{};
        socklen_t size = sizeof peer;
        if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != geteuid()) {
            close(fd);
            continue;
        }
        if (connections_.size() >= maxConnections) drop(0);
        if (!watch(pollFd_, fd)) {
            close(fd);
            continue;
        }
        Connection connection;
        connection.fd = fd;
        connection.opened = std::chrono::steady_clock::now();
        connections_.push_back(std::move(connection));
    }
}

bool InstanceServer::readFrom(Connection& connection) {
    char buffer[4096];
    for (;;) {
        const std::size_t wanted = connection.haveHeader
                                       ? hand_off::headerBytes + connection.expected
                                       : hand_off::headerBytes;
        if (connection.haveHeader && connection.received.size() == wanted) {
            HandOffRequest request;
            if (!hand_off::parsePayload(
                    std::string_view(connection.received).substr(hand_off::headerBytes), request)) {
                answer(connection.fd, hand_off::refused);
                return false;
            }
            // Complete: it now waits for the handler, no longer for input.
            epoll_ctl(pollFd_, EPOLL_CTL_DEL, connection.fd, nullptr);
            ready_.push_back(Ready{connection.fd, std::move(request)});
            connection.fd = -1;
            return false;
        }
        // Never more than the message still needs, so the bound holds.
        const std::size_t want = std::min(wanted - connection.received.size(), sizeof buffer);
        const ssize_t got = recv(connection.fd, buffer, want, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
        if (got == 0) return false;  // gone before it finished
        connection.received.append(buffer, std::size_t(got));
        if (!connection.haveHeader && connection.received.size() == hand_off::headerBytes) {
            std::uint32_t length = 0;
            if (!hand_off::parseHeader(connection.received.data(), length) ||
                length > hand_off::maxPayloadBytes) {
                answer(connection.fd, hand_off::refused);
                return false;
            }
            connection.expected = length;
            connection.haveHeader = true;
        }
    }
}

void InstanceServer::drop(std::size_t index) {
    const int fd = connections_[index].fd;
    if (fd >= 0) {
        epoll_ctl(pollFd_, EPOLL_CTL_DEL, fd, nullptr);
        close(fd);
    }
    connections_.erase(connections_.begin() + std::ptrdiff_t(index));
}

void InstanceServer::dropIdle() {
    const auto now = std::chrono::steady_clock::now();
    for (std::size_t i = connections_.size(); i-- > 0;)
        if (now - connections_[i].opened > idleLimit) drop(i);
}

void InstanceServer::answer(int fd, char reply) {
    // The other side may have given up already; that is no reason to die of
    // SIGPIPE.
    send(fd, &reply, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
}

}  // namespace platform
