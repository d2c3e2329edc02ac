#pragma once

#include <QMainWindow>
#include <cstdint>
#include <string_view>

#include "app/frame/frame_bar.h"
#include "app/startup/application.h"

class ButtonBar;
class CanvasView;
class MenuRow;
class QKeySequence;

// The main window: the menu bar, the option bar along the top, the tool bar
// along the bottom and the canvas view between them, where the frame places
// them. The window owns the program (`Application`): it hands it the
// widgets, feeds it every event of the window and the view, and shows what
// it reports. Closing the window, however it happens, ends the program.
class MainWindow final : public QMainWindow, public ApplicationShell, public FrameMainWindow {
    Q_OBJECT

  public:
    // The canvas starts white, `canvasSide` pixels square; the first window
    // shows all of it at 100 % where the screen has room.
    explicit MainWindow(std::uint16_t canvasSide = Application::startCanvasSize,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // The rest of the program's start: the hibernated drawing (unless
    // `restoreDrawing` is false), the window shown with its bars, then the
    // command line.
    void startUp(std::u16string_view commandLine, bool restoreDrawing = true);

    Application& application() { return app_; }
    CanvasView& canvasView() const { return *view_; }
    ButtonBar& toolBar() const { return *toolBar_; }
    ButtonBar& optionBar() const { return *optionBar_; }
    MenuRow& menuRow() const { return *menus_; }

    // A menu item, accelerator or button.
    void command(std::int32_t id);

    // ApplicationShell
    void closeMainWindow() override;
    void documentStateChanged(const DocumentState& state) override;

    // FrameMainWindow
    RECT clientRect() const override;
    void placeCanvasView(const RECT& area) override;

  signals:
    // Every command the window hands on, whoever sent it.
    void commandIssued(int id);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    class ClientArea;

    // A key the window listens for wherever the focus is; a menu item's
    // key acts only while the item would be enabled.
    void addShortcut(const QKeySequence& keys, std::int32_t command);
    void shortcut(std::int32_t command);
    // Control+Plus and Control+Minus.
    void zoomByKey(int steps);
    void clientResized();
    // The first size: the whole canvas at 100 % between the bars, within
    // the screen.
    void fitToScreen(std::uint16_t canvasSide);

    Application app_;
    MenuRow* menus_;
    ClientArea* client_;
    ButtonBar* optionBar_;
    ButtonBar* toolBar_;
    CanvasView* view_;
};
