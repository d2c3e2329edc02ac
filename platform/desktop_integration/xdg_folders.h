#pragma once

#include <string>

namespace platform {

// The user's folders for data, for settings and for files that can be made
// again: $XDG_DATA_HOME, else ~/.local/share; $XDG_CONFIG_HOME, else
// ~/.config; $XDG_CACHE_HOME, else ~/.cache. A relative or empty variable
// counts as unset. Empty when there is no home to put them in.
std::string xdgDataHome();
std::string xdgConfigHome();
std::string xdgCacheHome();

}  // namespace platform
