#pragma once

#include <QMainWindow>
#include <cstdint>

#include "app/qt/frame_view_events.h"

class ButtonBar;
class CanvasView;
class MainFrame;
class SketchDocument;

// The main window: the option bar along the top, the tool bar along the
// bottom and the canvas view between them, all driven by the frame. The
// frame and the document belong to the caller and must outlive the window;
// when the window goes, the frame is told its widgets are gone.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr std::uint16_t startCanvasSize = 600;

    // The document starts with a white canvas of `canvasSide` pixels square.
    MainWindow(MainFrame& frame, SketchDocument& document,
               std::uint16_t canvasSide = startCanvasSize, QWidget* parent = nullptr);
    ~MainWindow() override;

    CanvasView& canvasView() const { return *view_; }
    ButtonBar& toolBar() const { return *toolBar_; }
    ButtonBar& optionBar() const { return *optionBar_; }

    // A command from a button (later also from the menus and accelerators).
    void command(std::int32_t id);
    // The title: the document's file name, or "Untitled", a mark while it is
    // modified, then the program's name.
    void refreshTitle();

  private:
    void addButtons();
    // The first size: the whole canvas at 100 %, within the screen.
    void fitToScreen(std::uint16_t canvasSide);

    MainFrame& frame_;
    SketchDocument& document_;
    ButtonBar* optionBar_;
    ButtonBar* toolBar_;
    CanvasView* view_;
    FrameViewEvents events_;
};
