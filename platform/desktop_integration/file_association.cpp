#include "platform/desktop_integration/file_association.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/desktop_integration/background_process.h"
#include "platform/desktop_integration/changed_file_writer.h"
#include "platform/desktop_integration/desktop_files.h"
#include "platform/desktop_integration/icon_stamp.h"
#include "platform/desktop_integration/mime_apps_list.h"
#include "platform/desktop_integration/png_writer.h"
#include "platform/desktop_integration/xdg_folders.h"

namespace platform {

namespace {

FileUpdate record(AssociationReport& report, FileUpdate update) {
    if (update == FileUpdate::Written) ++report.written;
    if (update == FileUpdate::Unchanged) ++report.unchanged;
    if (update == FileUpdate::Failed) ++report.failed;
    return update;
}

FileUpdate writeText(AssociationReport& report, const std::string& path, const std::string& text) {
    if (text.empty()) return record(report, FileUpdate::Failed);
    return record(report, writeFileIfChanged(path, text));
}

// Writes the icons of one kind, adding the path of each file now in place
// to `inPlace`.
void writeIcons(AssociationReport& report, const std::string& dataFolder,
                const std::vector<IconImage>& icons, const char* context, const char* name,
                std::vector<std::string>& inPlace) {
    for (const IconImage& icon : icons) {
        if (!isThemeIconSize(icon.size)) continue;
        const std::string size = std::to_string(icon.size);
        const std::string path = dataFolder + "/icons/hicolor/" + size + "x" + size + "/" +
                                 context + "/" + name + ".png";
        if (writeText(report, path, encodePng(icon)) != FileUpdate::Failed) inPlace.push_back(path);
    }
}

// Returns the paths of the icon files now in place.
std::vector<std::string> writeAllIcons(AssociationReport& report, const std::string& dataFolder,
                                       const DesktopIcons& icons) {
    std::vector<std::string> inPlace;
    writeIcons(report, dataFolder, icons.program, "apps", desktop_names::programIcon, inPlace);
    writeIcons(report, dataFolder, icons.document, "mimetypes", desktop_names::documentIcon,
               inPlace);
    return inPlace;
}

// Writes the MIME package and the desktop entry; returns what became of the package.
FileUpdate writePackageAndEntry(AssociationReport& report, const std::string& dataFolder,
                                const std::string& program) {
    const FileUpdate package = writeText(
        report, dataFolder + "/mime/packages/" + desktop_names::mimePackage, mimePackageText());
    writeText(report, dataFolder + "/applications/" + desktop_names::desktopEntry,
              desktopEntryText(program));
    return package;
}

// Draws and writes the icons unless the note in `stampPath` shows the files
// of the same pictures in place; notes what it wrote when all went well.
void registerIcons(AssociationReport& report, const std::string& dataFolder,
                   const std::string& stampPath, const DesktopIconSource& source) {
    const bool noted = !source.key.empty() && !stampPath.empty();
    const std::string key = source.key + " " + dataFolder;
    std::string stamp;
    if (noted && readFileIfAny(stampPath, stamp)) {
        const int inPlace = filesStillAsStamped(stamp, key);
        if (inPlace > 0) {
            report.unchanged += inPlace;
            return;
        }
    }
    if (!source.draw) return;
    report.iconsDrawn = true;
    const int failedBefore = report.failed;
    const std::vector<std::string> inPlace = writeAllIcons(report, dataFolder, source.draw());
    if (!noted || report.failed != failedBefore || inPlace.empty()) return;
    // The note is only a shortcut: without it the next start draws again.
    const std::string text = iconStampText(key, inPlace);
    if (!text.empty()) writeFileIfChanged(stampPath, text);
}

// True when the MIME database is missing or older than the package: an
// update started by an earlier run may have been cut short.
bool mimeDatabaseIsStale(const std::string& dataFolder) {
    struct stat package {
    }, cache{};
    const std::string mime = dataFolder + "/mime";
    if (stat((mime + "/packages/" + desktop_names::mimePackage).c_str(), &package) != 0)
        return false;
    if (stat((mime + "/mime.cache").c_str(), &cache) != 0) return true;
    return package.st_mtim.tv_sec > cache.st_mtim.tv_sec ||
           (package.st_mtim.tv_sec == cache.st_mtim.tv_sec &&
            package.st_mtim.tv_nsec > cache.st_mtim.tv_nsec);
}

}  // namespace

AssociationReport registerFileAssociation(const std::string& programPath,
                                          const DesktopIconSource& icons,
                                          const AssociationFolders& folders) {
    AssociationReport report;
    const std::string data = folders.data.empty() ? xdgDataHome() : folders.data;
    const std::string config = folders.config.empty() ? xdgConfigHome() : folders.config;
    const std::string cache = folders.cache.empty() ? xdgCacheHome() : folders.cache;
    if (programPath.empty() || programPath.front() != '/') return report;

    if (!data.empty()) {
        const FileUpdate package = writePackageAndEntry(report, data, programPath);
        registerIcons(report, data, cache.empty() ? cache : cache + "/mirabo/icon-files", icons);
        if (package == FileUpdate::Written ||
            (package == FileUpdate::Unchanged && mimeDatabaseIsStale(data)))
            report.mimeDatabaseUpdateStarted =
                startInBackground({"update-mime-database", data + "/mime"});
    }
    if (!config.empty()) {
        const std::string listPath = config + "/mimeapps.list";
        std::string list;
        // A file that exists but cannot be read is left alone rather than
        // replaced by one holding our line only.
        if (readFileIfAny(listPath, list))
            writeText(
                report, listPath,
                withDefaultApplication(list, desktop_names::mimeType, desktop_names::desktopEntry));
        else
            ++report.failed;
    }
    return report;
}

AssociationReport writeDesktopFiles(const std::string& dataFolder, const std::string& program,
                                    const DesktopIcons& icons) {
    AssociationReport report;
    if (dataFolder.empty()) return report;
    writePackageAndEntry(report, dataFolder, program);
    writeAllIcons(report, dataFolder, icons);
    return report;
}

std::string currentProgramPath() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || std::size_t(length) >= path.size()) return std::string();
    path.resize(std::size_t(length));
    // A program replaced while it runs (an upgrade) is reported as deleted;
    // the new one at the same place is what the desktop should start.
    constexpr std::string_view deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted)) {
        const std::string replacement = path.substr(0, path.size() - deleted.size());
        if (access(replacement.c_str(), X_OK) == 0) return replacement;
    }
    return path;
}

}  // namespace platform
