#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Window;

enum class MessageButtons { Ok, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

enum class FileDialogKind { Open, Save };

// One entry of a file dialog's type list: what the user reads and the
// pattern the names are matched against ("*.zsf").
struct FileFilter {
    std::u16string description;
    std::u16string pattern;
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Everything an open or save dialog is shown with. Empty strings mean "none":
// no initial name, no default extension.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    Window* owner = nullptr;
    std::vector<FileFilter> filters;
    std::u16string initialName;
    // Without its dot ("bmp"); appended by the dialog when the user types a
    // name without an extension.
    std::u16string defaultExtension;
    // Open dialogs: the folder and the file must exist. Save dialogs: the
    // folder must exist.
    bool mustExist = true;
    // Save dialogs: ask before an existing file is replaced.
    bool askBeforeReplace = false;
    // The longest name the caller's buffer holds; a dialog never answers
    // with a longer one.
    std::size_t maxPathLength = 250;
};

// Message boxes and the open and save file dialogs. All of them are modal:
// the call returns when the user has answered.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer messageBox(Window* owner, std::u16string_view text,
                                     std::u16string_view caption, MessageButtons buttons) = 0;
    // True with the chosen name in `chosenPath`; false when the user
    // cancelled, in which case `chosenPath` is left as it was.
    virtual bool chooseFile(const FileDialogRequest& request, std::u16string& chosenPath) = 0;
};

// What a box answers when nobody can be asked: OK for an OK box, Cancel for
// a Yes/No/Cancel box, since cancelling never destroys anything.
MessageAnswer defaultAnswer(MessageButtons buttons);

// Builds a filter list from the program's one-string form, in which every
// ':' ends a string: "JPEG Files:*.jpg:::" gives {"JPEG Files", "*.jpg"}.
// Strings pair up as description and pattern; the list ends at the first
// empty description or at the end of the text. A description without a
// pattern cannot match anything and ends the list as well.
std::vector<FileFilter> parseFilterString(std::u16string_view text);

// The dialogs the program currently shows. Until some are installed (and
// after `setDialogs(nullptr)`), a fallback answers every box with its
// default and cancels every file dialog, so code that reports a failure never
// crashes for want of a shell. The pointer is not owned.
Dialogs& dialogs();
void setDialogs(Dialogs* installed);

}  // namespace platform
