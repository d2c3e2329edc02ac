#pragma once

#include <string>

namespace platform {

// The user's folders for data and for settings: $XDG_DATA_HOME, else
// ~/.local/share; $XDG_CONFIG_HOME, else ~/.config. A relative or empty
// variable counts as unset. Empty when there is no home to put them in.
std::string xdgDataHome();
std::string xdgConfigHome();

}  // namespace platform
