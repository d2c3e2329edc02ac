#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts `arguments[0]` (looked up on PATH when it holds no slash) with the
// arguments that follow, and does not wait for it to finish. It is not our
// child (a short-lived intermediate one is, and is collected at once), so it
// can never linger as a zombie of ours; its input and output go nowhere.
// False when it could not be started at all; how it ends is never known.
bool startInBackground(const std::vector<std::string>& arguments);

// The program `name` would start: itself when it holds a slash, else the
// first executable file of that name on PATH. Empty when there is none.
std::string findProgram(const std::string& name);

}  // namespace platform
