#pragma once

#include <cstdint>
#include <cstdio>
#include <istream>
#include <string>

#include "app/frame/main_frame.h"
#include "cli/script_line.h"
#include "document/sketch_document.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/window/headless_window.h"

// The program without a display: a frame, its document and an offscreen
// canvas view, driven by script commands instead of a user. Every message
// box and file dialog is answered from the script and printed as one line.
class ReplayShell {
  public:
    static constexpr std::uint16_t defaultCanvasSize = 600;
    static constexpr std::int32_t defaultViewWidth = 240;
    static constexpr std::int32_t defaultViewHeight = 268;

    ReplayShell(std::uint16_t canvasWidth, std::uint16_t canvasHeight, std::FILE* out);
    ~ReplayShell();
    ReplayShell(const ReplayShell&) = delete;
    ReplayShell& operator=(const ReplayShell&) = delete;

    // Runs every line; stops at the first bad one with `error` naming it.
    bool run(std::istream& script, const std::string& scriptName, std::string& error);
    bool execute(const ScriptLine& line, std::string& error);

    const SketchDocument& document() const { return document_; }
    const MainFrame& frame() const { return frame_; }
    platform::HeadlessWindow& view() { return view_; }
    // The `state` line, without its line break.
    std::string stateLine() const;

  private:
    bool executeSetting(const ScriptLine& line, bool& handled, std::string& error);
    bool executeInput(const ScriptLine& line, bool& handled, std::string& error);
    bool executeOutput(const ScriptLine& line, bool& handled, std::string& error);
    // What the message loop does between two messages: repaint what was
    // invalidated, and report the boxes and dialogs that were shown.
    void settle();
    void reportDialogs();

    std::FILE* out_;
    platform::ScriptedDialogs dialogs_;
    platform::HeadlessWindow view_;
    MainFrame frame_;
    SketchDocument document_;
    std::size_t reportedDialogs_ = 0;
};
