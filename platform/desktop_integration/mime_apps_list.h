#pragma once

#include <string>
#include <string_view>

namespace platform {

// The content of a mimeapps.list file (`list`, possibly empty) with
// `desktopId` as the default application for `mimeType`, in the group
// [Default Applications]. Only that one line is added or replaced; every
// other line and group stays exactly as it was, byte for byte. A line that
// names `desktopId` first already is left alone, so the text comes back
// unchanged when there is nothing to do.
std::string withDefaultApplication(std::string_view list, std::string_view mimeType,
                                   std::string_view desktopId);

}  // namespace platform
