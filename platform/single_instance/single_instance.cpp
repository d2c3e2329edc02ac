#include "platform/single_instance/single_instance.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/single_instance/hand_off.h"
#include "platform/single_instance/instance_folder.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// The lock that puts simultaneous starts in order; closing the file (or the
// process ending) releases it, so a killed start never blocks later ones.
class StartLock {
  public:
    explicit StartLock(const std::string& path)
        : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {}
    ~StartLock() { release(); }
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

    // Waits for the lock without ever blocking past the deadline.
    bool acquire(Clock::time_point deadline) {
        if (fd_ < 0) return false;
        for (;;) {
            if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
            if (errno != EWOULDBLOCK && errno != EINTR) return false;
            if (Clock::now() >= deadline) return false;
            usleep(5'000);
        }
    }
    void release() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

InstanceClaim unguarded(const char* why) {
    InstanceClaim claim;
    claim.outcome = InstanceClaim::Outcome::First;
    claim.message = why;
    return claim;
}

InstanceClaim failed(const char* why) {
    InstanceClaim claim;
    claim.outcome = InstanceClaim::Outcome::Failed;
    claim.message = why;
    return claim;
}

}  // namespace

InstanceClaim claimSingleInstance(std::string_view commandLine, const InstanceOptions& options) {
    const auto deadline = Clock::now() + options.timeout;
    std::string folder = options.folder;
    if (folder.empty())
        folder = instanceFolder();
    else if (!makePrivateFolder(folder))
        folder.clear();
    if (folder.empty()) return unguarded("no private folder for the instance socket");
    const std::string socketPath = folder + "/instance";

    StartLock lock(folder + "/instance.lock");
    if (!lock.acquire(deadline)) return failed("another start of Mirabo did not finish in time");

    for (;;) {
        HandOffResult result = HandOffResult::NoInstance;
        const int fd = connectToInstance(socketPath, result);
        if (fd >= 0) {
            // An instance runs; later starts need not wait for our hand-off.
            lock.release();
            result = handOffCommandLine(
                fd, HandOffRequest{std::string(commandLine), options.activationToken}, deadline);
            if (result == HandOffResult::Delivered) {
                InstanceClaim claim;
                claim.outcome = InstanceClaim::Outcome::HandedOver;
                return claim;
            }
            if (result == HandOffResult::Refused)
                return failed(hand_off::isValidCommandLine(commandLine)
                                  ? "the running Mirabo refused the command line (it is closing, "
                                    "or many documents wait to be opened)"
                                  : "the command line is too long to hand over");
            return failed("the running Mirabo did not answer in time");
        }
        if (result == HandOffResult::Refused)
            return failed("the instance socket belongs to another user");
        if (result == HandOffResult::NoInstance) break;
        // Busy: the running instance has not caught up with its connections.
        if (Clock::now() >= deadline) return failed("the running Mirabo did not answer in time");
        usleep(10'000);
    }

    // Nobody listens: whatever socket is there was left by an instance that
    // ended without removing it. Under the lock no other start can be doing
    // the same at this moment.
    unlink(socketPath.c_str());
    InstanceClaim claim;
    claim.outcome = InstanceClaim::Outcome::First;
    claim.server = InstanceServer::listen(socketPath);
    if (!claim.server) claim.message = "the instance socket could not be made";
    return claim;
}

}  // namespace platform
