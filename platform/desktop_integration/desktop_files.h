#pragma once

#include <string>
#include <string_view>

namespace platform {

// The names under which the desktop knows the program and its documents.
namespace desktop_names {
constexpr const char* mimeType = "application/x-mirabo-sketch";
constexpr const char* desktopEntry = "mirabo.desktop";
constexpr const char* mimePackage = "mirabo.xml";
constexpr const char* programIcon = "mirabo";
constexpr const char* documentIcon = "application-x-mirabo-sketch";
// Picture files the program also opens, each as a drawing of its own. The
// desktop offers Mirabo for them ("Open With") but is never told to make it
// their default program.
constexpr const char* openedPictureTypes[] = {"image/png", "image/bmp", "image/jpeg"};
}  // namespace desktop_names

// The shared-mime-info package that declares sketch documents.
std::string mimePackageText();

// The desktop entry that starts `program` (an absolute path, or a bare name
// found on the search path) with "file:" and the document's path, for sketch
// documents and the picture files the program opens. Empty when
// the program's name cannot stand in an entry (control characters).
std::string desktopEntryText(std::string_view program);

// `argument` as one argument of a desktop entry's Exec line, quoted when it
// holds a character the line would otherwise read specially, and escaped for
// the entry's string values. Empty for an argument with control characters.
std::string execArgument(std::string_view argument);

}  // namespace platform
