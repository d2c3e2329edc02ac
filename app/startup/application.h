#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/frame/canvas_view_events.h"
#include "app/frame/main_frame.h"
#include "app/startup/hibernation_keeper.h"
#include "document/sketch_document.h"

// What a shell shows of the document outside the picture: the title's name
// and unsaved-work mark, the enabling of Save, Undo and Redo, the size.
struct DocumentState {
    bool modified = false;
    bool canUndo = false;
    bool canRedo = false;
    std::u16string path;  // empty until the drawing was saved or opened
    std::uint16_t canvasWidth = 0;
    std::uint16_t canvasHeight = 0;
    friend bool operator==(const DocumentState&, const DocumentState&) = default;
};

// What the program asks of the shell that shows it. Message boxes, file
// dialogs, palettes and the modal dialogs (the About box among them) are not
// here: the shell installs its implementations of `platform::dialogs()`,
// `platform::popupMenus()` and `platform::modalDialogs()` before `create`.
class ApplicationShell {
  public:
    virtual ~ApplicationShell() = default;
    // Close the main window as a user's close would: the shell takes the
    // window down and calls `Application::destroyed` as it goes. The close
    // was already agreed to, so `closeRequested` says yes without asking.
    virtual void closeMainWindow() = 0;
    // The document's state differs from the last one reported (the first
    // report comes from `create`). Refresh the title and the menus here.
    virtual void documentStateChanged(const DocumentState& state) = 0;
};

// The released keys the main window acts on.
enum class Key { Left, Right, Up, Down, Other };

// The program once a shell has a main window for it: the frame, the one
// document, the main window's events and the start-up and shut-down
// decisions. A shell makes its widgets, hands them to `create`, then feeds
// every event of the main window and the canvas view in here and reacts to
// the requests of its `ApplicationShell`. Everything runs on the one
// user-interface thread.
//
// Start-up, in order: `create`, `restoreHibernatedDrawing`, show the window,
// `showBars`, `openCommandLine` with the program's command line.
// Shut-down: before the main window closes, for whatever reason, the shell
// calls `closeRequested` and keeps the window when it says no; when the
// window goes away the shell calls `destroyed` and then ends its event loop.
class Application : public CanvasViewEvents {
  public:
    static constexpr std::uint16_t startCanvasSize = 600;

    explicit Application(ApplicationShell& shell);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The main window's creation: fills the bars, takes the canvas view and
    // makes the canvas. False without a canvas view; the program then runs
    // with an empty window.
    bool create(const MainFrame::Windows& windows, std::uint16_t canvasWidth = startCanvasSize,
                std::uint16_t canvasHeight = startCanvasSize);
    // Brings back a drawing hibernated when the program was last closed.
    void restoreHibernatedDrawing();
    // Shows the tool bar and the option bar (both start hidden).
    void showBars();
    // This start's command line, or one a second start handed over:
    // "file:PATH" opens PATH, anything else is ignored.
    void openCommandLine(std::u16string_view commandLine);

    // The main window's events. `command` takes every menu item,
    // accelerator and button; false when nothing handled the command, for
    // the shell's default handling. Characters typed with the main window
    // focused go to `character`, like the view's.
    bool command(std::int32_t id);
    void keyUp(Key key);
    // The main window's client area changed size: the bars and the view are
    // placed again.
    void resized();
    // Something dropped on the window at (x, y) of the canvas view, in view
    // pixels: a file (see `dropFile` of the document), or a picture another
    // program handed over as data (24-bit bottom-up, at most the canvas's
    // size), which floats there. False when the program takes no such file.
    bool dropFile(const std::u16string& path, std::int32_t x, std::int32_t y);
    bool dropPicture(std::unique_ptr<platform::Bitmap> picture, std::int32_t x, std::int32_t y);
    // A menu of the menu bar is about to open.
    void enableMenuItems(MenuEnabling& menu);
    // Whether the main window may close now. Unsaved work is hibernated for
    // the next start first. When it cannot be written, a close the user
    // asked for (the window's close button, Control+Q) asks whether to keep
    // the program open, and says no unless the user chose to lose the
    // drawing; a close from outside (a signal, the session ending) cannot
    // wait for an answer: it copies the picture without touching the
    // document and, failing that too, says so on the error output. Once it
    // said yes, it says yes without asking again.
    bool closeRequested(bool fromOutside);
    // The main window is going away; unsaved work is hibernated if no
    // `closeRequested` came first. Call it while the bars and the view still
    // exist (saving updates the option bar); later events are ignored.
    void destroyed();
    bool isDestroyed() const { return destroyed_; }

    // CanvasViewEvents
    void stylusDown(std::int32_t x, std::int32_t y) override;
    void stylusMove(std::int32_t x, std::int32_t y) override;
    void stylusUp(std::int32_t x, std::int32_t y) override;
    void character(char16_t character) override;
    void paintRequested() override;
    void timer(std::uint32_t id) override;
    void clientSizeChanged() override;
    void scrollRequested(ScrollRequest request, std::int32_t position, bool horizontal) override;
    void wheelScrolled(std::int32_t dx, std::int32_t dy) override;
    void zoomStepped(int steps, std::int32_t x, std::int32_t y) override;

    DocumentState documentState() const;

    // For the command-line driver and tests, which look inside; shells use
    // the events above and `documentState`.
    MainFrame& frame() { return frame_; }
    const MainFrame& frame() const { return frame_; }
    SketchDocument& document() { return document_; }
    const SketchDocument& document() const { return document_; }

    // The copy of unsaved work kept against crashes; its interval may be set
    // before `create`.
    HibernationKeeper& hibernationKeeper() { return keeper_; }

  private:
    // After every event: tell the shell when the document's state changed.
    void reportState();
    void exit();
    // The shell closes the window once the close is agreed to.
    void close();

    ApplicationShell& shell_;
    MainFrame frame_;
    SketchDocument document_;
    HibernationKeeper keeper_{document_};
    bool created_ = false;
    bool destroyed_ = false;
    bool closeAgreed_ = false;
    bool askingToClose_ = false;
    std::optional<DocumentState> reported_;
};
