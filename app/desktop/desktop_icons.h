#pragma once

#include "platform/desktop_integration/file_association.h"

namespace mirabo {

// The program's icon and the sketch document's icon at every size the
// desktop asks for, for the file association at start-up and for the files
// an installation puts in the icon theme.
platform::DesktopIcons desktopIcons();

// The same icons for a start-up's registration: drawn only when the files
// written earlier may not hold them.
platform::DesktopIconSource desktopIconSource();

}  // namespace mirabo
