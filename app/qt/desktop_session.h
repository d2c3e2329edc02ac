#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>

class Application;
class DesktopTestHooks;
class QObject;
class QSocketNotifier;
class QWidget;

namespace platform {
class CloseSignals;
class InstanceServer;
struct HandOffRequest;
}  // namespace platform

// What start-up settles before there is a window. It needs no display, so
// run it before the QApplication: "--help" and "--version" print, a second
// start hands its command line to the running program, and neither connects
// to the display for nothing.
struct DesktopStart {
    // Set when the program ends here, with this status: 0 after "--help",
    // "--version" or a command line the running program took (it opens the
    // document when it can: a question of its own may be waiting); 1 when
    // the running program did not answer in time or refused (said on
    // standard error).
    std::optional<int> exitStatus;
    // This start's command line for `Application::openCommandLine`, a
    // document named by its path alone made "file:" and relative paths made
    // absolute.
    std::u16string commandLine;
    // Both null when the program runs without them (no private folder for
    // the socket, the signals caught already). Keep them until the event
    // loop has ended: the server's end removes the socket.
    std::unique_ptr<platform::InstanceServer> instanceServer;
    std::unique_ptr<platform::CloseSignals> closeSignals;

    DesktopStart();
    DesktopStart(DesktopStart&&) noexcept;
    DesktopStart& operator=(DesktopStart&&) noexcept;
    ~DesktopStart();
};

// Reads the arguments, registers the program as the handler of sketch
// documents (every start, a second one too; failures are ignored), and makes
// this process the user's one instance or hands the command line over.
// SIGTERM, SIGINT and SIGHUP are caught from here on and wait for the
// session.
DesktopStart startDesktop(int argc, char** argv);

// The running program's ties to the desktop, from the moment its main window
// exists until the event loop ends:
// - a later start brings the window forward (with the desktop's activation
//   token it passed, so the desktop lets the window come to the front) and,
//   when it passed a command line, has it opened as
//   `Application::openCommandLine` does, from the event loop and one after
//   another: the later start is answered before that;
// - SIGTERM, SIGINT, SIGHUP and the session manager's request at logout
//   close the window as its close button does: a modified drawing is
//   hibernated and nothing is asked (an open menu or dialog is dismissed
//   first);
// - the session manager saving the programs' state gets a copy of unsaved
//   work written at once;
// - MIRABO_HIBERNATE_SECONDS, when set, is how long unsaved work waits for
//   its copy against crashes (30 seconds otherwise);
// - MIRABO_TEST_HOOKS, when set, lets later starts drive the program (see
//   desktop_test_hooks.h).
// Make it once the main window exists and before the start-up restores the
// drawing and opens this start's own command line (later starts are taken by
// the event loop, after it), and keep it, and `start`, until the event loop
// has ended. The window is expected to
// call `Application::destroyed` when it closes.
class DesktopSession {
  public:
    DesktopSession(DesktopStart& start, QWidget& window, Application& app);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // A close request from outside the program.
    void closeFromOutside();
    // Shows the window, raised and active, as a later start asks, with the
    // desktop's token for that start (empty: none).
    void bringForward(const std::string& activationToken = {});

  private:
    bool commandLineArrived(const platform::HandOffRequest& request);
    void openWaitingDocuments();

    QWidget& window_;
    Application& app_;
    platform::InstanceServer* server_;
    platform::CloseSignals* closeSignals_;
    std::unique_ptr<QObject> context_;
    std::unique_ptr<QSocketNotifier> instanceNotifier_;
    std::unique_ptr<QSocketNotifier> signalNotifier_;
    std::unique_ptr<DesktopTestHooks> testHooks_;
    int broughtForward_ = 0;
    std::deque<std::u16string> waitingDocuments_;
    bool opening_ = false;
};
