#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "app/frame/main_frame.h"
#include "app/qt/canvas_view.h"
#include "app/qt/canvas_viewport.h"
#include "app/qt/desktop_dialogs.h"
#include "app/qt/main_window.h"
#include "document/sketch_document.h"

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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirabo"));
    DesktopDialogs dialogs;
    platform::setDialogs(&dialogs);

    // The frame and the document outlive the window; the document goes
    // first, then the frame.
    MainFrame frame;
    SketchDocument document;
    int status = 0;
    {
        MainWindow window(frame, document);
        std::unique_ptr<QuitAfterFirstPaint> quitter;
        if (std::getenv("MIRABO_QUIT_AFTER_FIRST_PAINT"))
            quitter = std::make_unique<QuitAfterFirstPaint>(window.canvasView().client());
        window.show();
        status = QApplication::exec();
    }
    platform::setDialogs(nullptr);
    return status;
}
