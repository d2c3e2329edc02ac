#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "platform/single_instance/instance_server.h"

namespace platform {

struct InstanceOptions {
    // Where the socket and its lock live; empty: `instanceFolder()`.
    std::string folder;
    // How long a later start waits, for the lock and for the running
    // instance's answer together.
    std::chrono::milliseconds timeout{5000};
    // Handed over with the command line, so that the running window may come
    // forward on this start's behalf (see `HandOffRequest`).
    std::string activationToken;
};

struct InstanceClaim {
    enum class Outcome {
        First,       // no other instance runs: this one goes on
        HandedOver,  // another instance runs and has taken the command line
        Failed,      // another instance runs but did not take the command line
    };
    Outcome outcome = Outcome::Failed;
    // With First: listens for later starts. Null when no private folder or
    // socket could be had; the program then runs unguarded, as a second
    // instance if one runs already (`message` says why).
    std::unique_ptr<InstanceServer> server;
    // Why it failed, in a few words for standard error; empty otherwise.
    std::string message;
};

// Makes this process the one instance of the user, or hands `commandLine`
// (bytes as the system gave them; empty: only bring the running window
// forward) to the instance that runs already and waits until it has taken it,
// not until it has opened a document. Relative paths must be
// made absolute before (see command_line_paths.h): the running instance has
// another working folder.
//
// A socket left by an instance that was killed is taken over. Starts at the
// same moment are put in order by a lock, so exactly one of them becomes the
// instance and the others hand over to it. Never waits longer than the
// options' time-out.
InstanceClaim claimSingleInstance(std::string_view commandLine,
                                  const InstanceOptions& options = {});

}  // namespace platform
