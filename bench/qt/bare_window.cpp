// The smallest Qt Widgets program of the same shape as Mirabo: a main window
// with a menu bar and two tool bars. It shows itself and quits after its
// first paint; start-up of the real program is measured against it.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

class Centre final : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"File", "Edit", "Tools"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("Item"));
    }
    QToolBar* top = window.addToolBar(QStringLiteral("Options"));
    QToolBar* bottom = new QToolBar(QStringLiteral("Tools"), &window);
    window.addToolBar(Qt::BottomToolBarArea, bottom);
    for (int i = 0; i < 10; ++i) {
        top->addAction(QString::number(i));
        bottom->addAction(QString::number(i));
    }
    window.setCentralWidget(new Centre);
    window.resize(620, 700);
    window.show();
    const int status = QApplication::exec();
    // The largest the process's memory grew, as Mirabo reports it.
    std::ifstream statusFile("/proc/self/status");
    for (std::string line; std::getline(statusFile, line);)
        if (line.rfind("VmHWM:", 0) == 0) std::fprintf(stderr, "%s\n", line.c_str());
    return status;
}
