#pragma once

#include <string>

namespace platform {

// The folder that holds the instance socket: $XDG_RUNTIME_DIR/mirabo, else
// /tmp/mirabo-<uid>. Made when missing. Only its owner may enter it, so
// nobody else can reach the socket or put a socket of their own in its place.
// Empty when no such folder can be had (one that belongs to somebody else,
// is a link rather than a folder, or cannot be made).
std::string instanceFolder();

// Makes `folder` (its parent must exist) with room for nobody but this user,
// or checks an existing one: a real folder, owned by this user. One of ours
// that others may enter is closed to them. False when the folder cannot be
// trusted.
bool makePrivateFolder(const std::string& folder);

}  // namespace platform
