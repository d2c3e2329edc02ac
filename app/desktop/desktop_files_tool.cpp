// Writes the files an installation puts under <prefix>/share: the desktop
// entry, the MIME package and the icons, from the same code and pictures the
// program registers at start-up.
#include <cstdio>

#include "app/desktop/desktop_icons.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mirabo-desktop-files DATA-FOLDER PROGRAM\n");
        return 2;
    }
    const platform::AssociationReport report =
        platform::writeDesktopFiles(argv[1], argv[2], mirabo::desktopIcons());
    if (report.failed > 0 || report.written + report.unchanged == 0) {
        std::fprintf(stderr, "mirabo-desktop-files: could not write %d files under %s\n",
                     report.failed, argv[1]);
        return 1;
    }
    return 0;
}
