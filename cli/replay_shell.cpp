#include "cli/replay_shell.h"

#include <algorithm>
#include <cinttypes>
#include <cstring>

#include "cli/doc_command_names.h"
#include "cli/ppm_writer.h"
#include "platform/files/device_path.h"
#include "platform/text/utf.h"

ReplayShell::ReplayShell(std::uint16_t canvasWidth, std::uint16_t canvasHeight, std::FILE* out)
    : out_(out),
      view_(defaultViewWidth, defaultViewHeight),
      // The bars take their height above and below the view, less the row
      // of view that showing the tool bar leaves under its top edge.
      mainWindow_(defaultViewWidth, defaultViewHeight + 2 * HeadlessBar::barHeight, view_),
      app_(*this) {
    platform::setDialogs(&dialogs_);
    platform::setPopupMenus(&popups_);
    platform::setModalDialogs(&modalDialogs_);
    MainFrame::Windows windows;
    windows.mainWindow = &mainWindow_;
    windows.menuBar = &menuBar_;
    windows.toolBar = &toolBar_;
    windows.optionBar = &optionBar_;
    windows.canvasView = &view_;
    app_.create(windows, canvasWidth, canvasHeight);
    app_.showBars();
    settle();
}

ReplayShell::~ReplayShell() {
    platform::setModalDialogs(nullptr);
    platform::setPopupMenus(nullptr);
    platform::setDialogs(nullptr);
}

void ReplayShell::startUp(std::string_view commandLine) {
    app_.restoreHibernatedDrawing();
    settle();
    app_.openCommandLine(platform::fromNativePath(commandLine));
    settle();
}

bool ReplayShell::run(std::istream& script, const std::string& scriptName, std::string& error) {
    std::string text;
    for (int number = 1; !ended() && std::getline(script, text); ++number) {
        std::optional<ScriptLine> line;
        std::string problem;
        if (!parseScriptLine(text, line, problem) || (line && !execute(*line, problem))) {
            error = scriptName + ":" + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    return true;
}

bool ReplayShell::execute(const ScriptLine& line, std::string& error) {
    bool handled = false;
    const bool ok = executeSetting(line, handled, error) && executeInput(line, handled, error) &&
                    executeOutput(line, handled, error) && executeWindow(line, handled, error) &&
                    executeDialog(line, handled, error);
    if (ok && !handled) {
        error = "unknown command \"" + line.command + "\"";
        return false;
    }
    settle();
    return ok;
}

void ReplayShell::settle() {
    if (view_.takeInvalidation().pending()) app_.paintRequested();
    reportDialogs();
}

void ReplayShell::reportDialogs() {
    const auto& shown = popups_.records();
    for (; reportedPopups_ < shown.size(); ++reportedPopups_)
        std::fprintf(out_, "%s\n", platform::format(shown[reportedPopups_]).c_str());
    // A dialog's consequences (a message box, say) come after the dialog.
    const auto& modal = modalDialogs_.records();
    for (; reportedModalDialogs_ < modal.size(); ++reportedModalDialogs_)
        std::fprintf(out_, "%s\n", platform::format(modal[reportedModalDialogs_]).c_str());
    const auto& records = dialogs_.records();
    for (; reportedDialogs_ < records.size(); ++reportedDialogs_)
        std::fprintf(out_, "%s\n", platform::format(records[reportedDialogs_]).c_str());
    std::fflush(out_);
}

bool ReplayShell::executeSetting(const ScriptLine& line, bool& handled, std::string& error) {
    const std::string& c = line.command;
    long long a = 0, b = 0;
    if (c == "view") {
        handled = true;
        if (!argumentCount(line, 2, error) || !integerArgument(line, 0, 1, 8192, a, error) ||
            !integerArgument(line, 1, 1, 8192, b, error))
            return false;
        if (!view_.resize(std::int32_t(a), std::int32_t(b))) {
            error = "view: no memory for a client area of that size";
            return false;
        }
        app_.clientSizeChanged();
    } else if (c == "tool") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 0xFFFF, a, error))
            return false;
        if (!frame().selectTool(std::uint16_t(a))) {
            error = "tool: no tool button has index " + line.arguments[0];
            return false;
        }
    } else if (c == "colour") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 0xFFFFFF, a, error))
            return false;
        frame().setColour(COLORREF(a));
    } else if (c == "opacity") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 127, a, error))
            return false;
        frame().setOpacity(std::uint16_t(a));
    } else if (c == "width") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 1, 8, a, error))
            return false;
        frame().setLineWidth(std::int32_t(a));
    } else if (c == "size") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 5, a, error))
            return false;
        if (!frame().setBrushSize(std::int32_t(a))) {
            error = "size: only the airbrush, smudge and eraser buttons (6, 7, 8) have sizes";
            return false;
        }
    } else if (c == "grid") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 64, a, error))
            return false;
        frame().setSnapGrid(std::int32_t(a));
    } else if (c == "zoom") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, -2, 4, a, error))
            return false;
        frame().changeZoom(std::int32_t(a));
    } else if (c == "scroll") {
        handled = true;
        if (!argumentCount(line, 2, error) || !integerArgument(line, 0, 0, 32767, a, error) ||
            !integerArgument(line, 1, 0, 32767, b, error))
            return false;
        app_.scrollRequested(ScrollRequest::ThumbPosition, std::int32_t(a), true);
        app_.scrollRequested(ScrollRequest::ThumbPosition, std::int32_t(b), false);
    } else if (c == "font") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        frame().setFontName(platform::toUtf16(line.arguments[0]));
    } else if (c == "fontsize") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 1, 999, a, error))
            return false;
        frame().setFontSize(std::int32_t(a));
    } else if (c == "canvas") {
        handled = true;
        if (!argumentCount(line, 2, error) || !integerArgument(line, 0, -99999, 99999, a, error) ||
            !integerArgument(line, 1, -99999, 99999, b, error))
            return false;
        frame().setCanvasSize(a, b);
    } else if (c == "open") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        // As a "file:" command line hands it over.
        const std::u16string path = platform::toUtf16(line.arguments[0]);
        app_.document().openDocument(path.c_str());
    } else if (c == "eyedropper") {
        handled = true;
        if (!argumentCount(line, 0, error)) return false;
        frame().toggleEyedropper();
    }
    return true;
}

bool ReplayShell::executeInput(const ScriptLine& line, bool& handled, std::string& error) {
    if (handled) return true;
    const std::string& c = line.command;
    long long x = 0, y = 0;
    if (c == "down" || c == "move" || c == "up") {
        handled = true;
        if (!argumentCount(line, 2, error) || !integerArgument(line, 0, -32768, 32767, x, error) ||
            !integerArgument(line, 1, -32768, 32767, y, error))
            return false;
        const auto px = std::int32_t(x), py = std::int32_t(y);
        if (c == "down")
            app_.stylusDown(px, py);
        else if (c == "move")
            app_.stylusMove(px, py);
        else
            app_.stylusUp(px, py);
    } else if (c == "tick") {
        handled = true;
        long long ticks = 1;
        if (line.arguments.size() > 1 ||
            (line.arguments.size() == 1 && !integerArgument(line, 0, 0, 1000000, ticks, error))) {
            if (error.empty()) error = "tick takes at most one argument";
            return false;
        }
        // Each tick is one timer message, with the repaints it caused
        // handled before the next, as the message loop would.
        for (long long i = 0; i < ticks; ++i) {
            if (view_.timerPeriod(MainFrame::autoScrollTimerId) == 0) break;
            app_.timer(MainFrame::autoScrollTimerId);
            settle();
        }
    } else if (c == "type") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        for (char16_t ch : platform::toUtf16(line.arguments[0])) {
            app_.character(ch);
            settle();
        }
    } else if (c == "key") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 0xFFFF, x, error))
            return false;
        app_.character(char16_t(x));
    } else if (c == "paint") {
        handled = true;
        if (!argumentCount(line, 0, error)) return false;
        app_.paintRequested();
    } else if (c == "command") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        const auto command = docCommandNamed(line.arguments[0]);
        if (!command) {
            error = "command: no document command is called \"" + line.arguments[0] + "\"";
            return false;
        }
        frame().documentCommand(*command);
    } else if (c == "drop") {
        handled = true;
        if (!argumentCount(line, 3, error) || !integerArgument(line, 1, -32768, 32767, x, error) ||
            !integerArgument(line, 2, -32768, 32767, y, error))
            return false;
        // As the window takes a file dropped at a point of the canvas view.
        if (!app_.dropFile(platform::toUtf16(line.arguments[0]), std::int32_t(x),
                           std::int32_t(y))) {
            error = "drop: the program takes no file of that kind";
            return false;
        }
    }
    return true;
}

bool ReplayShell::executeOutput(const ScriptLine& line, bool& handled, std::string& error) {
    if (handled) return true;
    const std::string& c = line.command;
    if (c == "answer") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        const std::string& a = line.arguments[0];
        using platform::MessageAnswer;
        if (a == "yes")
            dialogs_.queueMessageAnswer(MessageAnswer::Yes);
        else if (a == "no")
            dialogs_.queueMessageAnswer(MessageAnswer::No);
        else if (a == "cancel")
            dialogs_.queueMessageAnswer(MessageAnswer::Cancel);
        else if (a == "ok")
            dialogs_.queueMessageAnswer(MessageAnswer::Ok);
        else {
            error = "answer: say yes, no, cancel or ok";
            return false;
        }
    } else if (c == "choose") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        if (line.arguments[0] == "cancel")
            dialogs_.queueFileCancel();
        else
            dialogs_.queueFileChoice(platform::toUtf16(line.arguments[0]));
    } else if (c == "snapshot" || c == "snapshot-view") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        const std::string& path = line.arguments[0];
        const bool written = c == "snapshot" ? writeCanvasPpm(app_.document().canvas, path)
                                             : writeBitmapPpm(view_.backingStore(), path);
        if (!written) {
            error = c + ": cannot write " + path;
            return false;
        }
    } else if (c == "state") {
        handled = true;
        if (!argumentCount(line, 0, error)) return false;
        std::fprintf(out_, "%s\n", stateLine().c_str());
    }
    return true;
}
