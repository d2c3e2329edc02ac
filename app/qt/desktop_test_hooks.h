#pragma once

#include <string_view>

class Application;
class QWidget;

// Lets the process tests drive the running program from outside: with
// MIRABO_TEST_HOOKS set in its environment, a later start's command line that
// begins with "test:" is one of these instead of a document to open. Each is
// done before the later start ends, so a test script runs them in order.
//   test:stroke X1 Y1 X2 Y2
//       the stylus goes down on the canvas view at (X1, Y1), moves to
//       (X2, Y2) and lifts there (view coordinates)
//   test:command ID [yes|no|cancel]
//       the main window's command ID (40031 Exit, 1 close, 40043 Save, ...),
//       answering the message box it shows, if any, with that button
//   test:state
//       prints one line on standard output:
//       state pid=P modified=0|1 path=PATH size=WxH raised=N picture=HASH title=TITLE
//       where HASH stands for the picture as the user sees it and raised
//       counts the times a later start brought the window forward.
class DesktopTestHooks {
  public:
    DesktopTestHooks(QWidget& window, Application& app, const int& timesBroughtForward);

    // True when `commandLine` was meant for the hooks (a bad one is said on
    // standard error).
    bool handle(std::string_view commandLine);

  private:
    void printState();

    QWidget& window_;
    Application& app_;
    const int& timesBroughtForward_;
};
