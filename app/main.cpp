#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/qt/canvas_view.h"
#include "app/qt/canvas_viewport.h"
#include "app/qt/desktop_dialogs.h"
#include "app/qt/desktop_session.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_modal_dialogs.h"
#include "app/qt/qt_popup_menus.h"
#include "app/qt/qt_system_clipboard.h"

namespace {

// For start-up measurements: ends the program once the canvas has been
// drawn by the document and painted on the screen.
class QuitAfterFirstPaint final : public QObject {
  public:
    explicit QuitAfterFirstPaint(CanvasViewport& view) : view_(view) {
        view.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && view_.presents() > 0)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }

  private:
    CanvasViewport& view_;
};

// For the same measurements: the largest the process's memory grew, as the
// system counts it for this program alone, on the error output.
void reportPeakMemory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    // Before any window: --help and --version, the file association, and
    // handing the command line to a running instance.
    DesktopStart start = startDesktop(argc, argv);
    if (start.exitStatus) return *start.exitStatus;

    // Every pointer move the system reports reaches the canvas: merged moves
    // would cut the corners of a quick curve wherever the program was busy.
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirabo"));
    DesktopDialogs dialogs;
    platform::setDialogs(&dialogs);
    QtPopupMenus popups;
    platform::setPopupMenus(&popups);
    QtModalDialogs modals;
    platform::setModalDialogs(&modals);
    QtSystemClipboard clipboard;
    platform::setSystemClipboard(&clipboard);

    int status = 0;
    {
        MainWindow window;
        std::unique_ptr<QuitAfterFirstPaint> quitter;
        if (std::getenv("MIRABO_QUIT_AFTER_FIRST_PAINT"))
            quitter = std::make_unique<QuitAfterFirstPaint>(window.canvasView().client());
        DesktopSession session(start, window, window.application());
        window.startUp(start.commandLine);
        status = QApplication::exec();
        if (quitter) reportPeakMemory();
    }
    platform::setSystemClipboard(nullptr);
    platform::setModalDialogs(nullptr);
    platform::setPopupMenus(nullptr);
    platform::setDialogs(nullptr);
    return status;
}
