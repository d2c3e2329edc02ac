#pragma once

#include <memory>
#include <string_view>

class Application;
class MessageBoxAnswer;
class QWidget;

// Lets the process tests drive the running program from outside: with
// MIRABO_TEST_HOOKS set in its environment, a later start's command line that
// begins with "test:" is one of these instead of a document to open. Each is
// done before the later start ends, so a test script runs them in order;
// only a command is started from the event loop after the start has ended,
// as a click would start it, so a question it asks stays open meanwhile.
//   test:stroke X1 Y1 X2 Y2
//       the stylus goes down on the canvas view at (X1, Y1), moves to
//       (X2, Y2) and lifts there (view coordinates)
//   test:answer yes|no|cancel
//       the next message box shown within ten seconds is answered with that
//       button (the Save question of Exit, New and Open among them)
//   test:command ID
//       the main window's command ID (40031 Exit, 1 close, 40043 Save, ...)
//   test:state
//       prints one line on standard output:
//       state pid=P modified=0|1 marked=0|1 path=PATH size=WxH raised=N picture=HASH
//             title=TITLE
//       where marked says whether the window shows the drawing as modified,
//       HASH stands for the picture as the user sees it and raised counts the
//       times a later start brought the window forward.
class DesktopTestHooks {
  public:
    // MIRABO_TEST_HOOKS is set and not empty.
    static bool enabled();
    // The command line is meant for the hooks (a start that would become the
    // running program with it ends instead).
    static bool isHook(std::string_view commandLine);

    DesktopTestHooks(QWidget& window, Application& app, const int& timesBroughtForward);
    ~DesktopTestHooks();

    // True when `commandLine` was meant for the hooks (a bad one is said on
    // standard error).
    bool handle(std::string_view commandLine);

  private:
    void printState();

    QWidget& window_;
    Application& app_;
    const int& timesBroughtForward_;
    std::unique_ptr<MessageBoxAnswer> answer_;
};
