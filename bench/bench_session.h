#pragma once

#include <cstdint>

#include "app/frame/main_frame.h"
#include "document/document_startup.h"
#include "document/sketch_document.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/window/headless_window.h"

namespace bench {

// A frame, its document and a headless canvas view, as the program has them,
// with dialogs that answer from a script.
struct Session {
    Session(std::uint16_t canvasWidth, std::uint16_t canvasHeight, std::int32_t viewWidth = 240,
            std::int32_t viewHeight = 268)
        : view(viewWidth, viewHeight) {
        platform::setDialogs(&dialogs);
        startDocument(frame, document, view, canvasWidth, canvasHeight);
    }
    ~Session() { platform::setDialogs(nullptr); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Repaints what was invalidated, as the message loop would.
    void settle() {
        if (view.takeInvalidation().pending()) frame.viewPaint();
    }

    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view;
    MainFrame frame;
    SketchDocument document;
};

}  // namespace bench
