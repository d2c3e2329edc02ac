#include "app/startup/application.h"

#include <cstdio>

#include "app/startup/command_line.h"
#include "app/startup/hibernation.h"
#include "document/dropped_files.h"
#include "document/floating_placement.h"
#include "platform/dialogs/dialogs.h"
#include "platform/gdi/bitmap.h"

Application::Application(ApplicationShell& shell) : shell_(shell) {}

Application::~Application() = default;

bool Application::create(const MainFrame::Windows& windows, std::uint16_t canvasWidth,
                         std::uint16_t canvasHeight) {
    if (created_ || destroyed_) return false;
    created_ = frame_.create(windows, canvasWidth, canvasHeight);
    // Without a view there is nothing to draw in; the document stays unattached.
    if (created_) document_.attachFrame(&frame_);
    reportState();
    return created_;
}

void Application::restoreHibernatedDrawing() {
    // Without a canvas the file is left for a start that can show it.
    if (!created_ || destroyed_) return;
    if (::restoreHibernatedDrawing(frame_, document_)) keeper_.restored();
    reportState();
}

void Application::showBars() {
    if (destroyed_) return;
    frame_.toggleBar(MenuCommand::ToggleToolBar);
    frame_.toggleBar(MenuCommand::ToggleOptionBar);
    reportState();
}

void Application::openCommandLine(std::u16string_view commandLine) {
    if (!created_ || destroyed_) return;
    const CommandLineRequest request = interpretCommandLine(commandLine);
    if (request.openFile) document_.openDocument(request.path.c_str());
    reportState();
}

bool Application::command(std::int32_t id) {
    if (destroyed_) return true;
    bool handled = true;
    switch (id) {
        case MenuCommand::Close:
            // Closing without a question: unsaved work is hibernated.
            close();
            break;
        case MenuCommand::Exit:
            exit();
            break;
        default:
            handled = frame_.mainWindowCommand(id);
            break;
    }
    reportState();
    return handled;
}

void Application::exit() {
    if (!document_.promptSaveChanges()) return;
    // Saved or discarded on purpose: nothing is left to hibernate.
    document_.modified = false;
    close();
}

void Application::close() {
    if (closeRequested(false)) shell_.closeMainWindow();
}

bool Application::closeRequested(bool fromOutside) {
    if (destroyed_ || closeAgreed_) return true;
    // A close from outside while the question below is open cannot wait
    // for its answer either.
    const bool cannotAsk = fromOutside || askingToClose_;
    if (!created_ || keeper_.keepForClose(cannotAsk)) {
        closeAgreed_ = true;
        return true;
    }
    if (cannotAsk) {
        std::fputs("mirabo: the drawing could not be kept for the next start and is lost\n",
                   stderr);
    } else {
        // Keeping the program open is the answer that loses nothing, so it
        // is the one that Enter, Escape and closing the box give.
        askingToClose_ = true;
        const platform::MessageAnswer answer = platform::dialogs().messageBox(
            frame_.canvasWindow,
            u"The drawing could not be kept for the next start. Keep Mirabo open to save it?",
            u"Drawing Not Kept", platform::MessageButtons::YesNoCancel);
        askingToClose_ = false;
        // A close from outside may have come while the box was open.
        if (closeAgreed_ || destroyed_) return true;
        if (answer != platform::MessageAnswer::No) {
            reportState();
            return false;
        }
    }
    keeper_.windowDestroyed();
    closeAgreed_ = true;
    return true;
}

void Application::keyUp(Key key) {
    if (destroyed_) return;
    switch (key) {
        case Key::Left:
            frame_.arrowKey(true, -1);
            break;
        case Key::Right:
            frame_.arrowKey(true, 1);
            break;
        case Key::Up:
            frame_.arrowKey(false, -1);
            break;
        case Key::Down:
            frame_.arrowKey(false, 1);
            break;
        case Key::Other:
            break;
    }
    reportState();
}

void Application::resized() {
    if (destroyed_) return;
    frame_.layout();
    reportState();
}

bool Application::dropFile(const std::u16string& path, std::int32_t x, std::int32_t y) {
    if (!created_ || destroyed_) return false;
    const bool taken = ::dropFile(document_, path, POINT{x, y});
    reportState();
    return taken;
}

bool Application::dropPicture(std::unique_ptr<platform::Bitmap> picture, std::int32_t x,
                              std::int32_t y) {
    if (!created_ || destroyed_) return false;
    const bool floated = floatPicture(document_, std::move(picture), POINT{x, y});
    reportState();
    return floated;
}

void Application::enableMenuItems(MenuEnabling& menu) {
    if (!destroyed_) frame_.enableMenuItems(menu);
}

void Application::destroyed() {
    if (destroyed_) return;
    // A window taken down without a question keeps what it can, as a close
    // from outside does; work saved or discarded leaves no copy.
    closeRequested(true);
    destroyed_ = true;
}

void Application::stylusDown(std::int32_t x, std::int32_t y) {
    if (destroyed_) return;
    frame_.viewStylusDown(x, y);
    reportState();
}

void Application::stylusMove(std::int32_t x, std::int32_t y) {
    if (destroyed_) return;
    frame_.viewStylusMove(x, y);
    reportState();
}

void Application::stylusUp(std::int32_t x, std::int32_t y) {
    if (destroyed_) return;
    frame_.viewStylusUp(x, y);
    reportState();
}

void Application::character(char16_t character) {
    if (destroyed_) return;
    frame_.viewCharacter(character);
    reportState();
}

void Application::paintRequested() {
    if (!destroyed_) frame_.viewPaint();
}

void Application::timer(std::uint32_t id) {
    if (destroyed_) return;
    if (id == HibernationKeeper::timerId) {
        keeper_.timer();
        return;
    }
    frame_.onAutoScrollTimer(id);
    reportState();
}

void Application::clientSizeChanged() {
    if (!destroyed_) frame_.updateScrollRange();
}

void Application::scrollRequested(ScrollRequest request, std::int32_t position, bool horizontal) {
    if (!destroyed_) frame_.scrollTo(request, position, horizontal, true);
}

void Application::wheelScrolled(std::int32_t dx, std::int32_t dy) {
    if (!destroyed_) frame_.scrollBy(dx, dy);
}

void Application::zoomStepped(int steps, std::int32_t x, std::int32_t y) {
    if (destroyed_) return;
    frame_.stepZoom(steps, POINT{x, y});
    reportState();
}

DocumentState Application::documentState() const {
    DocumentState state;
    state.modified = document_.isModified();
    state.canUndo = document_.canUndo();
    state.canRedo = document_.canRedo();
    state.path = document_.documentPath;
    state.canvasWidth = frame_.canvasWidth;
    state.canvasHeight = frame_.canvasHeight;
    return state;
}

void Application::reportState() {
    if (destroyed_) return;
    // Every event that reports may have changed the drawing.
    if (created_) keeper_.afterEvent();
    // Compared field by field first, so the many events that change nothing
    // cost no copy of the path.
    if (reported_ && reported_->modified == document_.isModified() &&
        reported_->canUndo == document_.canUndo() && reported_->canRedo == document_.canRedo() &&
        reported_->path == std::u16string_view(document_.documentPath) &&
        reported_->canvasWidth == frame_.canvasWidth &&
        reported_->canvasHeight == frame_.canvasHeight)
        return;
    reported_ = documentState();
    shell_.documentStateChanged(*reported_);
}
