#pragma once

#include <QApplication>

namespace bench {

// The one Qt application of the benchmark program, made on first use on the
// offscreen platform (unless another is asked for), so no display is needed.
// It lives until the process ends.
inline QApplication& qtApplication() {
    static QApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "mirabo-bench";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

// Runs what the event loop has queued: repaint requests, then the paints.
inline void settleEvents() {
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

}  // namespace bench
