#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/single_instance/hand_off_message.h"

namespace platform {

// The running instance's end of the instance socket. It fits any event loop:
// `fd` becomes readable whenever a later start connects or sends, and
// `handleReadable` then does whatever can be done without waiting (accepts,
// reads what has arrived) and hands every complete command line to the
// handler. Each connection reads at most one bounded message; a later start
// is answered when the handler has returned, with what it said. A handler
// that takes the request (and leaves anything that may wait for the user,
// such as opening a document, for later) makes that at once.
class InstanceServer {
  public:
    // Called with a later start's request (its command line empty when that
    // start only wants the running window brought forward). True when the
    // program takes it; false refuses it, and the later start says so.
    using Handler = std::function<bool(const HandOffRequest& request)>;

    // Listens at `socketPath`, which must not exist (the caller removes a
    // stale one under its lock). Null when the socket cannot be made.
    static std::unique_ptr<InstanceServer> listen(const std::string& socketPath);

    // Stops listening and removes the socket, if it is still the one we made.
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // Watch this for reading (a socket notifier, poll). Stays the same for
    // the server's life.
    int fd() const { return pollFd_; }
    // Until there is a handler, complete command lines wait (and so do the
    // starts that sent them, up to their time-out).
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Never blocks. May be called again from inside the handler (a modal
    // dialog running its own loop); command lines that complete meanwhile
    // wait until the handler in progress has returned.
    void handleReadable();

    // Connections accepted but not yet answered; for tests.
    std::size_t openConnections() const { return connections_.size(); }
    const std::string& socketPath() const { return socketPath_; }

  private:
    struct Connection {
        int fd = -1;
        std::string received;
        std::uint32_t expected = 0;  // text bytes, once the header is in
        bool haveHeader = false;
        std::chrono::steady_clock::time_point opened;
    };
    struct Ready {
        int fd;
        HandOffRequest request;
    };

    InstanceServer(int pollFd, int listenFd, std::string socketPath, ino_t inode)
        : pollFd_(pollFd), listenFd_(listenFd), socketPath_(std::move(socketPath)), inode_(inode) {}
    void acceptWaiting();
    // Reads what has arrived; false when the connection is finished with
    // (answered, refused or gone) and must be dropped.
    bool readFrom(Connection& connection);
    void drop(std::size_t index);
    void dropIdle();
    void answer(int fd, char reply);

    int pollFd_;
    int listenFd_;
    std::string socketPath_;
    ino_t inode_;
    Handler handler_;
    std::vector<Connection> connections_;
    std::deque<Ready> ready_;
    bool dispatching_ = false;
};

}  // namespace platform
