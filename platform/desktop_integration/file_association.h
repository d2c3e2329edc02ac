#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/desktop_integration/icon_image.h"

namespace platform {

// The program's icon and the sketch document's icon, each at the sizes the
// caller has (sizes the icon theme has no folder for are skipped).
struct DesktopIcons {
    std::vector<IconImage> program;
    std::vector<IconImage> document;
};

// The icons as a start-up has them: `key` changes whenever the pictures do
// (or is empty when the caller cannot tell), and `draw` is called only when
// the files in the icon theme may differ from what it draws.
struct DesktopIconSource {
    std::string key;
    std::function<DesktopIcons()> draw;
};

// Where the files go; empty fields mean the user's own folders
// (`xdgDataHome()`, `xdgConfigHome()`, `xdgCacheHome()`). The cache only
// holds a note of the icon files written, so that the next start can tell
// they are in place without drawing them.
struct AssociationFolders {
    std::string data;
    std::string config;
    std::string cache;
};

// What a registration did, file by file; the program itself ignores it.
struct AssociationReport {
    int written = 0;
    int unchanged = 0;
    int failed = 0;
    bool mimeDatabaseUpdateStarted = false;
    bool iconsDrawn = false;
};

// Tells the desktop that `programPath` (absolute) opens sketch documents:
// - the MIME package <data>/mime/packages/mirabo.xml declaring
//   application/x-mirabo-sketch for *.zsf, and, when the package changed or
//   the MIME database is older than it, update-mime-database started in the
//   background (never waited for);
// - the desktop entry <data>/applications/mirabo.desktop;
// - the default-handler line in <config>/mimeapps.list, merged into the
//   user's file;
// - the icons under <data>/icons/hicolor/, drawn only when the note in the
//   cache does not show the files of the same pictures still in place.
// Each file is written only when its content differs. Nothing is reported
// to the user: a file that cannot be written is simply not (re)written.
AssociationReport registerFileAssociation(const std::string& programPath,
                                          const DesktopIconSource& icons,
                                          const AssociationFolders& folders = {});

// The files an installation puts under its data folder (<prefix>/share):
// the MIME package, the desktop entry starting `program` (a bare name is
// looked up on PATH when the entry is used) and the icons. The same as
// above, without the user's mimeapps.list and without updating the MIME
// database (the package manager does that).
AssociationReport writeDesktopFiles(const std::string& dataFolder, const std::string& program,
                                    const DesktopIcons& icons);

// The running program's absolute path, or empty when the system will not say.
std::string currentProgramPath();

}  // namespace platform
