#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program names files with UTF-16 paths; the operating system takes
// bytes, which are usually UTF-8 (see `toSystemName` for those that are not). A path that begins
// with a single backslash is a device path, naming a file of the device's own file system:
// "\Temp\x" is <device root>/Temp/x. Any other path is an ordinary path of this system and only
// changes its encoding.
//
// The device root is $MIRABO_DEVICE_ROOT, else $XDG_STATE_HOME/mirabo, else
// $HOME/.local/state/mirabo (an empty variable counts as unset, and so does a
// relative XDG_STATE_HOME). Empty when none of them gives a folder. Read
// anew on every call, so a change of environment takes effect at once.
std::string deviceRoot();

bool isDevicePath(std::u16string_view path);

// The path of this system for `path`, or empty when it names nothing
// usable: an empty path, a path holding a NUL character or an unpaired
// surrogate that stands for no byte, a device path with a ".." component (it
// could leave the device root) or with no device root to put it under. In
// device paths '/' separates components as '\' does, and empty and "."
// components are dropped.
std::string toNativePath(std::u16string_view path);

// The program's path for a path of this system (a command-line argument, a
// name the system listed), kept whole whatever its bytes: toNativePath gives
// exactly those bytes back.
std::u16string fromNativePath(std::string_view path);

// For a device path: creates the device root and the folders below it that
// lead to the named file (the device always has its "\Temp" folder; here it
// is made when first needed). True when they exist afterwards. Ordinary paths
// are left alone and give true; their folders are the user's business.
bool createDeviceFolders(std::u16string_view path);

}  // namespace platform
