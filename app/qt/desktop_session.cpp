#include "app/qt/desktop_session.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

#include <cstdio>
#include <cstdlib>

#include "app/desktop/desktop_icons.h"
#include "app/qt/desktop_test_hooks.h"
#include "app/qt/window_activation.h"
#include "app/startup/application.h"
#include "app/startup/program_arguments.h"
#include "platform/desktop_integration/close_signals.h"
#include "platform/desktop_integration/file_association.h"
#include "platform/single_instance/command_line_paths.h"
#include "platform/single_instance/hand_off_message.h"
#include "platform/single_instance/single_instance.h"

DesktopStart::DesktopStart() = default;
DesktopStart::DesktopStart(DesktopStart&&) noexcept = default;
DesktopStart& DesktopStart::operator=(DesktopStart&&) noexcept = default;
DesktopStart::~DesktopStart() = default;

namespace {

// The desktop's permission to raise a window for this start: on Wayland an
// activation token, on X11 the startup notification's id.
std::string activationTokenOfThisStart() {
    for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"})
        if (const char* token = std::getenv(name); token && *token) return token;
    return {};
}

// Opening a document may ask about the drawing there is; while that question
// waits, later starts are still taken (and answered) at once.
constexpr std::size_t maxWaitingDocuments = 16;
// How often waiting documents look again whether the user's question has gone.
constexpr int userBusyRetryMs = 200;

}  // namespace

DesktopStart startDesktop(int argc, char** argv) {
    DesktopStart start;
    const ProgramArguments arguments = readProgramArguments(argc, argv);
    if (arguments.request != ProgramArguments::Request::Run) {
        const std::string text = arguments.request == ProgramArguments::Request::Help
                                     ? programHelpText()
                                     : programVersionText();
        std::fputs(text.c_str(), stdout);
        start.exitStatus = 0;
        return start;
    }

    // The desktop learns where this program is at every start, so a moved
    // or reinstalled program is what opens documents from then on.
    const std::string program = platform::currentProgramPath();
    if (!program.empty()) platform::registerFileAssociation(program, mirabo::desktopIconSource());

    // The running program has another working folder.
    const std::string commandLine =
        platform::withAbsolutePath(arguments.commandLine, platform::currentFolder());
    platform::InstanceOptions options;
    options.activationToken = activationTokenOfThisStart();
    platform::InstanceClaim claim = platform::claimSingleInstance(commandLine, options);
    switch (claim.outcome) {
        case platform::InstanceClaim::Outcome::HandedOver:
            start.exitStatus = 0;
            return start;
        case platform::InstanceClaim::Outcome::Failed:
            std::fprintf(stderr, "mirabo: %s\n", claim.message.c_str());
            start.exitStatus = 1;
            return start;
        case platform::InstanceClaim::Outcome::First:
            break;
    }
    if (DesktopTestHooks::enabled() && DesktopTestHooks::isHook(commandLine)) {
        // Meant for a running program; without one it would wait forever.
        std::fprintf(stderr, "mirabo: no running Mirabo to take %s\n", commandLine.c_str());
        start.exitStatus = 1;
        return start;
    }
    if (!claim.server && !claim.message.empty())
        std::fprintf(stderr, "mirabo: %s; running without the single-instance guard\n",
                     claim.message.c_str());
    start.instanceServer = std::move(claim.server);
    // From here on a close request by signal waits for the window instead of
    // ending the program with unsaved work in it.
    start.closeSignals = platform::CloseSignals::install();
    start.commandLine = commandLineText(commandLine);
    return start;
}

DesktopSession::DesktopSession(DesktopStart& start, QWidget& window, Application& app)
    : window_(window),
      app_(app),
      server_(start.instanceServer.get()),
      closeSignals_(start.closeSignals.get()),
      context_(std::make_unique<QObject>()) {
    if (const char* seconds = std::getenv("MIRABO_HIBERNATE_SECONDS")) {
        const std::uint32_t interval = hibernationIntervalFromSeconds(seconds);
        if (interval != 0)
            app_.hibernationKeeper().setInterval(interval);
        else
            std::fprintf(stderr, "mirabo: MIRABO_HIBERNATE_SECONDS=%s is not a number of seconds\n",
                         seconds);
    }
    if (DesktopTestHooks::enabled())
        testHooks_ = std::make_unique<DesktopTestHooks>(window_, app_, broughtForward_);

    if (server_) {
        server_->setHandler([this](const platform::HandOffRequest& request) {
            return commandLineArrived(request);
        });
        instanceNotifier_ = std::make_unique<QSocketNotifier>(server_->fd(), QSocketNotifier::Read);
        QObject::connect(instanceNotifier_.get(), &QSocketNotifier::activated, context_.get(),
                         [this] { server_->handleReadable(); });
        // Starts that came while the window was being made are taken by the
        // event loop, after this start's own command line.
    }
    if (closeSignals_) {
        signalNotifier_ =
            std::make_unique<QSocketNotifier>(closeSignals_->fd(), QSocketNotifier::Read);
        QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, context_.get(),
                         [this] {
                             if (closeSignals_->take() != 0) closeFromOutside();
                         });
    }
#ifndef QT_NO_SESSIONMANAGER
    // The session manager's signals must be answered before they return.
    QObject::connect(
        qGuiApp, &QGuiApplication::commitDataRequest, context_.get(),
        [this](QSessionManager&) { closeFromOutside(); }, Qt::DirectConnection);
    QObject::connect(
        qGuiApp, &QGuiApplication::saveStateRequest, context_.get(),
        [this](QSessionManager&) { app_.hibernationKeeper().copyNow(); }, Qt::DirectConnection);
#endif
}

DesktopSession::~DesktopSession() {
    // No more hand-offs reach a window that is gone; later starts wait for
    // the socket's removal and then start afresh.
    if (server_) server_->setHandler({});
}

bool DesktopSession::commandLineArrived(const platform::HandOffRequest& request) {
    // A window closed already is not shown again: the program is ending, and
    // the later start hears that its command line was not taken.
    if (app_.isDestroyed()) return false;
    if (testHooks_ && testHooks_->handle(request.commandLine)) return true;
    if (!request.commandLine.empty()) {
        if (waitingDocuments_.size() >= maxWaitingDocuments) return false;
        waitingDocuments_.push_back(commandLineText(request.commandLine));
        // Opened from the event loop, not here: the later start is answered
        // as soon as its command line is taken, not once a question about the
        // drawing there is has been answered.
        QTimer::singleShot(0, context_.get(), [this] { openWaitingDocuments(); });
    }
    bringForward(request.activationToken);
    return true;
}

void DesktopSession::openWaitingDocuments() {
    // One at a time, in the order they came: a question asked by one open
    // runs an event loop, in which this is called again for the next.
    if (opening_ || app_.isDestroyed()) return;
    // A question, dialog or menu the user has open belongs to what they were
    // doing: the documents wait until it is gone rather than open inside it
    // and ask a question of their own over it.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(userBusyRetryMs, context_.get(), [this] { openWaitingDocuments(); });
        return;
    }
    opening_ = true;
    while (!waitingDocuments_.empty() && !app_.isDestroyed()) {
        const std::u16string commandLine = std::move(waitingDocuments_.front());
        waitingDocuments_.pop_front();
        app_.openCommandLine(commandLine);
    }
    opening_ = false;
}

void DesktopSession::bringForward(const std::string& activationToken) {
    ++broughtForward_;
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    activateWithToken(window_, activationToken);
}

void DesktopSession::closeFromOutside() {
    // A menu or dialog open now runs an event loop of its own and waits for
    // an answer nobody will give: it is dismissed as Escape would.
    for (int i = 0; i < 8 && QApplication::activePopupWidget(); ++i)
        QApplication::activePopupWidget()->close();
    for (int i = 0; i < 8; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == &window_) break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    // Nobody can be asked now: the drawing is kept as far as it can be
    // before the window's own close, which then goes ahead.
    app_.closeRequested(true);
    window_.close();
}
