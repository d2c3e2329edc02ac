#include "app/startup/hibernation_keeper.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "app/frame/main_frame.h"
#include "app/startup/hibernation.h"
#include "document/sketch_document.h"
#include "document/sketch_file.h"
#include "platform/files/file.h"
#include "platform/window/window.h"

namespace {

// The shortest wait a timer has: "as soon as the event loop runs".
constexpr std::uint32_t promptMs = 1;

}  // namespace

void HibernationKeeper::setInterval(std::uint32_t milliseconds) {
    intervalMs_ = std::max<std::uint32_t>(milliseconds, 1);
}

platform::Window* HibernationKeeper::view() const {
    return document_.frame ? document_.frame->canvasWindow : nullptr;
}

bool HibernationKeeper::strokeInProgress() const {
    // The view holds the stylus from the press to the lift, whichever tool
    // (or the hand) has it.
    const platform::Window* window = view();
    return window && window->hasCapture();
}

void HibernationKeeper::start(std::uint32_t milliseconds) {
    platform::Window* window = view();
    if (!window) return;
    running_ = window->setTimer(timerId, milliseconds);
}

void HibernationKeeper::stop() {
    if (!running_) return;
    running_ = false;
    if (platform::Window* window = view()) window->killTimer(timerId);
}

void HibernationKeeper::afterEvent() {
    if (closed_ || !view()) return;
    const bool modified = document_.isModified();
    if (!modified) {
        if (modified_) forget();
        modified_ = false;
        return;
    }
    modified_ = true;
    if (due_) {
        if (!strokeInProgress()) writeCopy();
        return;
    }
    if (!running_) start(intervalMs_);
}

void HibernationKeeper::restored() {
    if (closed_ || !document_.isModified()) return;
    modified_ = true;
    stop();
    start(promptMs);
}

void HibernationKeeper::timer() {
    // The platform's timers repeat; each wait is started anew by a change.
    stop();
    if (closed_ || !document_.isModified()) return;
    if (strokeInProgress()) {
        due_ = true;
        return;
    }
    writeCopy();
}

bool HibernationKeeper::copyNow() {
    if (closed_ || !document_.isModified() || strokeInProgress()) return false;
    stop();
    return writeCopy();
}

bool HibernationKeeper::writeCopy() {
    due_ = false;
    // A copy that cannot be written leaves the last one in place; the next
    // change tries again.
    keepHibernatedName(document_.documentPath);
    const std::u16string path(hibernationPath);
    if (!saveLiveSketchFile(document_.canvas, path.c_str())) {
        ++failedCopies_;
        return false;
    }
    copied_ = true;
    ++copies_;
    return true;
}

void HibernationKeeper::forget() {
    stop();
    due_ = false;
    if (copied_) deleteHibernatedDrawing();
    copied_ = false;
}

bool HibernationKeeper::keepForClose(bool fromOutside) {
    if (closed_) return true;
    if (document_.isModified()) {
        const bool kept = fromOutside ? writeCopy() : hibernateDrawing(document_);
        if (!kept) return false;
    } else if (copied_) {
        // Exit's question was answered, or the work was saved since.
        forget();
    }
    windowDestroyed();
    return true;
}

void HibernationKeeper::windowDestroyed() {
    stop();
    closed_ = true;
}

std::uint32_t hibernationIntervalFromSeconds(std::string_view seconds) {
    double value = 0;
    const char* end = seconds.data() + seconds.size();
    const auto [stop, error] = std::from_chars(seconds.data(), end, value);
    if (seconds.empty() || error != std::errc() || stop != end) return 0;
    if (!(value >= 0.001 && value <= 86400)) return 0;
    return std::uint32_t(value * 1000 + 0.5);
}
