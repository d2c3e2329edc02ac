#pragma once

#include <cstdint>
#include <cstdio>
#include <istream>
#include <string>
#include <string_view>

#include "app/frame/headless_bar.h"
#include "app/frame/headless_main_window.h"
#include "app/startup/application.h"
#include "cli/script_line.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/dialogs/scripted_modal_dialogs.h"
#include "platform/dialogs/scripted_popup_menus.h"
#include "platform/window/headless_window.h"

// The program without a display: its main window, bars and canvas view are
// headless, and script commands stand for the user. Every message box, file
// dialog, palette and dialog is answered from the script and printed as one
// line. Once the main window is destroyed (closed from outside, Control+Q or
// a confirmed Exit) the run ends.
class ReplayShell : public ApplicationShell {
  public:
    static constexpr std::uint16_t defaultCanvasSize = 600;
    static constexpr std::int32_t defaultViewWidth = 240;
    static constexpr std::int32_t defaultViewHeight = 268;

    // Creates the window and shows the bars, as every start does; the main
    // window is sized so that the view between the bars has the default size.
    ReplayShell(std::uint16_t canvasWidth, std::uint16_t canvasHeight, std::FILE* out);
    ~ReplayShell() override;
    ReplayShell(const ReplayShell&) = delete;
    ReplayShell& operator=(const ReplayShell&) = delete;

    // The rest of the program's start-up: the hibernated drawing, then the
    // command line.
    void startUp(std::string_view commandLine);
    // Runs every line until the window is destroyed; stops at the first bad
    // line with `error` naming it.
    bool run(std::istream& script, const std::string& scriptName, std::string& error);
    bool execute(const ScriptLine& line, std::string& error);
    bool ended() const { return app_.isDestroyed(); }

    const SketchDocument& document() const { return app_.document(); }
    const MainFrame& frame() const { return app_.frame(); }
    platform::HeadlessWindow& view() { return view_; }
    // The `state` line, without its line break.
    std::string stateLine() const;

    // ApplicationShell
    void closeMainWindow() override;
    void documentStateChanged(const DocumentState&) override {}

  private:
    bool executeSetting(const ScriptLine& line, bool& handled, std::string& error);
    bool executeInput(const ScriptLine& line, bool& handled, std::string& error);
    bool executeOutput(const ScriptLine& line, bool& handled, std::string& error);
    // Lines about the main window: menus, keys, bars, palettes, closing.
    bool executeWindow(const ScriptLine& line, bool& handled, std::string& error);
    // Lines about the modal dialogs: pop-up stylus events, Canvas Size
    // answers, pop-up snapshots.
    bool executeDialog(const ScriptLine& line, bool& handled, std::string& error);
    void printMenus();
    void printBars();
    // What the message loop does between two messages: repaint what was
    // invalidated, and report the boxes, dialogs and palettes that were shown.
    void settle();
    void reportDialogs();

    MainFrame& frame() { return app_.frame(); }

    std::FILE* out_;
    platform::ScriptedDialogs dialogs_;
    platform::ScriptedPopupMenus popups_;
    platform::ScriptedModalDialogs modalDialogs_;
    platform::HeadlessWindow view_;
    HeadlessMainWindow mainWindow_;
    HeadlessBar menuBar_;
    HeadlessBar toolBar_;
    HeadlessBar optionBar_;
    Application app_;
    std::size_t reportedDialogs_ = 0;
    std::size_t reportedPopups_ = 0;
    std::size_t reportedModalDialogs_ = 0;
};
