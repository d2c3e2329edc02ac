// The replay lines about the modal dialogs: stylus events for the colour
// picker and the opacity slider, the Canvas Size dialog's answer, and
// snapshots of what a pop-up last showed.

#include "cli/ppm_writer.h"
#include "cli/replay_shell.h"
#include "platform/text/utf.h"

namespace {

// The pop-up a line names, by the name the dialog records.
struct PopupLine {
    const char* events;    // its stylus line
    const char* snapshot;  // its snapshot line
    const char* dialog;    // the dialog's own name
};
constexpr PopupLine popupLines[] = {
    {"colourpicker", "snapshot-colourpicker", "colour"},
    {"opacityslider", "snapshot-opacity", "opacity"},
};

bool stylusKind(const std::string& word, platform::StylusEvent::Kind& kind) {
    using Kind = platform::StylusEvent::Kind;
    if (word == "down")
        kind = Kind::Down;
    else if (word == "move")
        kind = Kind::Move;
    else if (word == "up")
        kind = Kind::Up;
    else
        return false;
    return true;
}

}  // namespace

bool ReplayShell::executeDialog(const ScriptLine& line, bool& handled, std::string& error) {
    if (handled) return true;
    const std::string& c = line.command;
    for (const PopupLine& popup : popupLines) {
        if (c == popup.events) {
            handled = true;
            platform::StylusEvent event;
            long long x = 0, y = 0;
            if (!argumentCount(line, 3, error)) return false;
            if (!stylusKind(line.arguments[0], event.kind)) {
                error = c + ": say down, move or up";
                return false;
            }
            if (!integerArgument(line, 1, -32768, 32767, x, error) ||
                !integerArgument(line, 2, -32768, 32767, y, error))
                return false;
            event.x = std::int32_t(x);
            event.y = std::int32_t(y);
            modalDialogs_.queueStylus(popup.dialog, event);
            return true;
        }
        if (c == popup.snapshot) {
            handled = true;
            if (!argumentCount(line, 1, error)) return false;
            const platform::Bitmap* shown = modalDialogs_.lastClientArea(popup.dialog);
            if (!shown) {
                error = c + ": the dialog has not been shown yet";
                return false;
            }
            if (!writeBitmapPpm(*shown, line.arguments[0])) {
                error = c + ": cannot write " + line.arguments[0];
                return false;
            }
            return true;
        }
    }
    if (c == "canvassize") {
        handled = true;
        if (line.arguments.size() == 1 && line.arguments[0] == "cancel") {
            modalDialogs_.queueFieldsCancel();
            return true;
        }
        if (line.arguments.size() != 2) {
            error = "canvassize: give the width and height typed, or cancel";
            return false;
        }
        modalDialogs_.queueFieldTexts(
            {platform::toUtf16(line.arguments[0]), platform::toUtf16(line.arguments[1])});
    }
    return true;
}
