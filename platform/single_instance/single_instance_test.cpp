#include "platform/single_instance/single_instance.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "platform/files/testing/temp_folder.h"
#include "platform/single_instance/hand_off.h"
#include "platform/single_instance/hand_off_message.h"
#include "platform/single_instance/instance_folder.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using Outcome = InstanceClaim::Outcome;
using testing::TempFolder;

// Drives the server as an event loop would, until `done` or the time is up.
bool serveUntil(InstanceServer& server, const std::function<bool()>& done,
                std::chrono::milliseconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        pollfd entry{server.fd(), POLLIN, 0};
        if (poll(&entry, 1, 20) > 0) server.handleReadable();
    }
    return true;
}

// A raw connection, for what a well-behaved start would never send.
int rawConnect(const std::string& socketPath) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, socketPath.size());
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// What the server answers to `bytes`: the reply byte, or 0 when it closed
// the connection without one.
char rawExchange(InstanceServer& server, const std::string& bytes) {
    const int fd = rawConnect(server.socketPath());
    if (fd < 0) return '?';
    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    char reply = 0;
    bool answered = false;
    serveUntil(server, [&] {
        pollfd entry{fd, POLLIN, 0};
        answered = poll(&entry, 1, 0) > 0;
        return answered;
    });
    if (answered && recv(fd, &reply, 1, 0) != 1) reply = 0;
    close(fd);
    return reply;
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.ok());
        options.folder = temp / "run";
    }
    InstanceClaim claim(std::string_view commandLine) {
        return claimSingleInstance(commandLine, options);
    }
    std::string socketPath() const { return options.folder + "/instance"; }

    TempFolder temp;
    InstanceOptions options;
};

// --- Hand-off -----------------------------------------------------------------

TEST_F(SingleInstanceTest, ASecondStartHandsOverAndIsAnsweredAfterTheHandler) {
    InstanceClaim first = claim("");
    ASSERT_EQ(first.outcome, Outcome::First);
    ASSERT_TRUE(first.server);
    struct stat info {};
    ASSERT_EQ(lstat(options.folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    std::vector<std::string> received;
    std::future<InstanceClaim> second;
    std::string token;
    first.server->setHandler([&](const HandOffRequest& request) {
        received.push_back(request.commandLine);
        token = request.activationToken;
        // The second start waits for the handler's word.
        EXPECT_EQ(second.wait_for(100ms), std::future_status::timeout);
        return true;
    });
    options.activationToken = "desktop-token_TIME42";
    second = std::async(std::launch::async,
                        [&] { return claim("file:/home/a b/\xC3\xA9t\xC3\xA9.zsf"); });
    ASSERT_TRUE(serveUntil(*first.server, [&] { return !received.empty(); }));
    const InstanceClaim result = second.get();
    EXPECT_EQ(result.outcome, Outcome::HandedOver);
    EXPECT_FALSE(result.server);
    EXPECT_EQ(received, std::vector<std::string>{"file:/home/a b/\xC3\xA9t\xC3\xA9.zsf"});
    EXPECT_EQ(token, "desktop-token_TIME42");
    EXPECT_EQ(first.server->openConnections(), 0u);
}

TEST_F(SingleInstanceTest, AnEmptyCommandLineOnlyAsksToBeBroughtForward) {
    InstanceClaim first = claim("file:ignored.zsf");
    ASSERT_TRUE(first.server);
    std::vector<std::string> received;
    first.server->setHandler([&](const HandOffRequest& r) {
        received.push_back(r.commandLine);
        return true;
    });
    auto second = std::async(std::launch::async, [&] { return claim(""); });
    ASSERT_TRUE(serveUntil(*first.server, [&] { return !received.empty(); }));
    EXPECT_EQ(second.get().outcome, Outcome::HandedOver);
    EXPECT_EQ(received, std::vector<std::string>{""});
}

TEST_F(SingleInstanceTest, TheRunningInstancesWordIsTheLaterStartsOutcome) {
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    std::vector<std::string> received;
    bool take = true;
    first.server->setHandler([&](const HandOffRequest& request) {
        received.push_back(request.commandLine);
        return take;
    });
    // A file name that is not UTF-8 (Latin-1 here) arrives byte for byte.
    const std::string latin1 = "file:/tmp/\xE9t\xE9 \xFF\x80.zsf";
    auto second = std::async(std::launch::async, [&] { return claim(latin1); });
    ASSERT_TRUE(serveUntil(*first.server, [&] { return received.size() == 1; }));
    EXPECT_EQ(second.get().outcome, Outcome::HandedOver);
    EXPECT_EQ(received.back(), latin1);

    take = false;
    auto refused = std::async(std::launch::async, [&] { return claim("file:/a.zsf"); });
    ASSERT_TRUE(serveUntil(*first.server, [&] { return received.size() == 2; }));
    const InstanceClaim result = refused.get();
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_NE(result.message.find("refused"), std::string::npos) << result.message;
}

TEST_F(SingleInstanceTest, CommandLinesThatCompleteInsideTheHandlerWaitForIt) {
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    std::vector<std::string> received;
    int depth = 0;
    std::future<HandOffResult> later;
    first.server->setHandler([&](const HandOffRequest& request) {
        ++depth;
        EXPECT_EQ(depth, 1) << "the handler was entered again";
        received.push_back(request.commandLine);
        if (request.commandLine == "file:/one.zsf") {
            // A modal dialog's own loop keeps serving the socket meanwhile.
            later = std::async(std::launch::async, [&] {
                return handOffCommandLine(socketPath(), {"file:/two.zsf", ""}, 5s);
            });
            serveUntil(
                *first.server, [&] { return false; }, 300ms);
            EXPECT_EQ(received.size(), 1u);
        }
        --depth;
        return true;
    });
    auto one = std::async(std::launch::async, [&] {
        return handOffCommandLine(socketPath(), {"file:/one.zsf", ""}, 5s);
    });
    ASSERT_TRUE(serveUntil(*first.server, [&] { return received.size() == 2; }));
    EXPECT_EQ(one.get(), HandOffResult::Delivered);
    EXPECT_EQ(later.get(), HandOffResult::Delivered);
    EXPECT_EQ(received, (std::vector<std::string>{"file:/one.zsf", "file:/two.zsf"}));
}

TEST_F(SingleInstanceTest, NothingIsAnsweredBeforeThereIsAHandler) {
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    auto second = std::async(std::launch::async, [&] { return claim("file:/early.zsf"); });
    serveUntil(
        *first.server, [&] { return false; }, 300ms);
    EXPECT_EQ(second.wait_for(0ms), std::future_status::timeout) << "answered without a handler";
    std::string received;
    first.server->setHandler([&](const HandOffRequest& r) {
        received = r.commandLine;
        return true;
    });
    first.server->handleReadable();
    EXPECT_EQ(received, "file:/early.zsf");
    EXPECT_EQ(second.get().outcome, Outcome::HandedOver);
}

// --- Bad hand-offs ------------------------------------------------------------

TEST_F(SingleInstanceTest, OversizeForeignAndMalformedMessagesAreRefused) {
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    int calls = 0;
    first.server->setHandler([&](const HandOffRequest&) { return ++calls > 0; });
    InstanceServer& server = *first.server;

    const std::size_t most = hand_off::maxPayloadBytes;
    EXPECT_EQ(rawExchange(server, hand_off::header(most + 1)), hand_off::refused);
    EXPECT_EQ(rawExchange(server, hand_off::header(2) + "ab"), hand_off::refused);  // no token part
    EXPECT_EQ(rawExchange(server, hand_off::header(4) + std::string("a\0b c", 4)),
              hand_off::refused);
    EXPECT_EQ(rawExchange(server, std::string("GET / HTTP/1.0\r\n\r\n")), hand_off::refused);
    // The largest message that is allowed still goes through.
    EXPECT_EQ(rawExchange(server, hand_off::header(most) + std::string(most - 1, 'a') + '\0'),
              hand_off::accepted);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(server.openConnections(), 0u);

    // A later start does not even try to send what would be refused.
    const InstanceClaim tooLong = claim(std::string(most, 'a'));
    EXPECT_EQ(tooLong.outcome, Outcome::Failed);
    EXPECT_NE(tooLong.message.find("too long"), std::string::npos) << tooLong.message;
    EXPECT_EQ(calls, 1);
}

TEST_F(SingleInstanceTest, AConnectionThatLeavesEarlyIsDropped) {
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    int calls = 0;
    first.server->setHandler([&](const HandOffRequest&) { return ++calls > 0; });
    const int fd = rawConnect(socketPath());
    ASSERT_GE(fd, 0);
    const std::string partial = hand_off::header(10) + "file:";
    send(fd, partial.data(), partial.size(), MSG_NOSIGNAL);
    ASSERT_TRUE(serveUntil(*first.server, [&] { return first.server->openConnections() == 1; }));
    close(fd);
    ASSERT_TRUE(serveUntil(*first.server, [&] { return first.server->openConnections() == 0; }));
    EXPECT_EQ(calls, 0);
}

TEST_F(SingleInstanceTest, ARunningInstanceThatNeverAnswersMakesTheSecondStartFail) {
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    options.timeout = 300ms;
    const auto start = std::chrono::steady_clock::now();
    const InstanceClaim second = claim("file:/a.zsf");  // nobody serves the socket
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(second.outcome, Outcome::Failed);
    EXPECT_FALSE(second.message.empty());
    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 3s);
}

// --- Starting and ending -------------------------------------------------------

TEST_F(SingleInstanceTest, TheSocketGoesWithTheServer) {
    {
        InstanceClaim first = claim("");
        ASSERT_TRUE(first.server);
        EXPECT_EQ(access(socketPath().c_str(), F_OK), 0);
    }
    EXPECT_NE(access(socketPath().c_str(), F_OK), 0);
    EXPECT_EQ(claim("").outcome, Outcome::First);
}

TEST_F(SingleInstanceTest, ASocketLeftByAKilledInstanceDoesNotBlockTheNextStart) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceClaim mine = claimSingleInstance("", options);
        const char state = mine.server ? '1' : '0';
        [[maybe_unused]] const auto written = write(ready[1], &state, 1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char state = 0;
    ASSERT_EQ(read(ready[0], &state, 1), 1);
    close(ready[0]);
    EXPECT_EQ(state, '1');
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ASSERT_EQ(access(socketPath().c_str(), F_OK), 0) << "the killed instance left no socket";

    InstanceClaim next = claim("file:/a.zsf");
    ASSERT_EQ(next.outcome, Outcome::First);
    ASSERT_TRUE(next.server);
    // And the new socket works.
    std::string received;
    next.server->setHandler([&](const HandOffRequest& r) {
        received = r.commandLine;
        return true;
    });
    auto later = std::async(std::launch::async, [&] { return claim("file:/b.zsf"); });
    ASSERT_TRUE(serveUntil(*next.server, [&] { return !received.empty(); }));
    EXPECT_EQ(later.get().outcome, Outcome::HandedOver);
    EXPECT_EQ(received, "file:/b.zsf");
}

TEST_F(SingleInstanceTest, SimultaneousStartsLeaveExactlyOneInstance) {
    constexpr int starts = 6;
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < starts; ++i) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(gate[1]);
            char go;
            [[maybe_unused]] const auto got = read(gate[0], &go, 1);  // all start together
            InstanceClaim mine = claimSingleInstance("file:/" + std::to_string(i), options);
            if (mine.outcome == Outcome::HandedOver) _exit(1);
            if (mine.outcome != Outcome::First || !mine.server) _exit(2);
            int received = 0;
            mine.server->setHandler([&](const HandOffRequest&) { return ++received > 0; });
            serveUntil(
                *mine.server, [&] { return received == starts - 1; }, 8s);
            _exit(10 + received);
        }
        children.push_back(child);
    }
    close(gate[0]);
    close(gate[1]);  // everybody's read returns at once

    int instances = 0, handedOver = 0, others = 0, servedByInstance = -1;
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (code >= 10) {
            ++instances;
            servedByInstance = code - 10;
        } else if (code == 1) {
            ++handedOver;
        } else {
            ++others;
        }
    }
    EXPECT_EQ(instances, 1);
    EXPECT_EQ(handedOver, starts - 1);
    EXPECT_EQ(others, 0);
    EXPECT_EQ(servedByInstance, starts - 1);
}

TEST_F(SingleInstanceTest, AStartWaitsForAnotherStartInProgressButNotForever) {
    ASSERT_TRUE(makePrivateFolder(options.folder));
    // Another start holds the lock between its look for a socket and its own.
    const int held = open((options.folder + "/instance.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    options.timeout = 200ms;
    EXPECT_EQ(claim("").outcome, Outcome::Failed);
    EXPECT_NE(access(socketPath().c_str(), F_OK), 0) << "a socket was made under another's lock";
    close(held);
    EXPECT_EQ(claim("").outcome, Outcome::First);
}

TEST_F(SingleInstanceTest, ConnectionsFromAnotherUserAreRefused) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to connect as another user";
    InstanceClaim first = claim("");
    ASSERT_TRUE(first.server);
    int calls = 0;
    first.server->setHandler([&](const HandOffRequest&) { return ++calls > 0; });
    // Let the other user through the folder and the socket's own mode, so
    // only the credentials check stands in the way.
    ASSERT_EQ(chmod(temp.path().c_str(), 0711), 0);
    ASSERT_EQ(chmod(options.folder.c_str(), 0711), 0);
    ASSERT_EQ(chmod(socketPath().c_str(), 0666), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        const int fd = rawConnect(socketPath());
        if (fd < 0) _exit(4);
        const std::string message = hand_off::header(5) + "file:";
        send(fd, message.data(), message.size(), MSG_NOSIGNAL);
        char reply = 0;
        // The server hangs up without a word (a reset when our message
        // was still unread).
        const ssize_t got = recv(fd, &reply, 1, 0);
        _exit(got == 0 || (got < 0 && errno == ECONNRESET) ? 0 : 5);
    }
    int status = -1;
    serveUntil(*first.server, [&] { return waitpid(child, &status, WNOHANG) == child; });
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(first.server->openConnections(), 0u);
}

// --- The private folder -------------------------------------------------------

TEST_F(SingleInstanceTest, TheFolderIsUnderTheRuntimeFolderAndPrivate) {
    testing::ScopedEnvironment runtime("XDG_RUNTIME_DIR", (temp.path() + "/").c_str());
    EXPECT_EQ(instanceFolder(), temp / "mirabo");
    // One of ours that others could enter is closed to them.
    ASSERT_EQ(chmod((temp / "mirabo").c_str(), 0755), 0);
    EXPECT_EQ(instanceFolder(), temp / "mirabo");
    struct stat info {};
    ASSERT_EQ(lstat((temp / "mirabo").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(SingleInstanceTest, AFolderThatCannotBeTrustedIsRefused) {
    ASSERT_EQ(mkdir((temp / "real").c_str(), 0700), 0);
    ASSERT_EQ(symlink((temp / "real").c_str(), (temp / "link").c_str()), 0);
    EXPECT_FALSE(makePrivateFolder(temp / "link"));
    testing::put(temp / "plain", "not a folder");
    EXPECT_FALSE(makePrivateFolder(temp / "plain"));
    EXPECT_FALSE(makePrivateFolder(temp / "missing/parent"));
    if (geteuid() == 0) {
        ASSERT_EQ(chown((temp / "real").c_str(), 65534, 65534), 0);
        EXPECT_FALSE(makePrivateFolder(temp / "real"));
    }
    // Without a trustworthy folder the program runs on, unguarded.
    options.folder = temp / "link";
    const InstanceClaim unguarded = claim("");
    EXPECT_EQ(unguarded.outcome, Outcome::First);
    EXPECT_FALSE(unguarded.server);
    EXPECT_FALSE(unguarded.message.empty());
}

}  // namespace
}  // namespace platform
