#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/types.h"

namespace platform {

class Bitmap;
class Window;

// What a dialog's run ends with: the id of the button that closed it.
inline constexpr int dialogOk = 1;
inline constexpr int dialogCancel = 2;

// A small borderless pop-up that draws every pixel of its client area itself
// and closes itself from its own stylus handling (the colour picker, the
// opacity slider). The program keeps all of its rules; a shell only shows
// the pixels and passes the stylus on:
//   - show `clientArea()` inside a one-pixel black border, its top-left
//     corner at `dropDownOrigin` of the option-bar button `anchorCommand()`;
//   - call `paint()` whenever `needsPaint()`, before showing it and after
//     every event, then show the client area again (the handlers also draw
//     into it directly);
//   - pass stylus down, move and up in client coordinates, with the stylus
//     captured so that moves and the lift outside the pop-up arrive too;
//   - end the run when `closed()`; `result()` is its answer. A shell that
//     must end the run itself (the pop-up lost the focus, the program is
//     closing) calls `cancel()`.
class PixelDialog {
  public:
    virtual ~PixelDialog() = default;

    // The name records and scripts know it by ("colour", "opacity").
    virtual std::string_view name() const = 0;
    // The command of the option-bar button the pop-up drops down from.
    virtual std::int32_t anchorCommand() const = 0;
    // Null when it could not be made; such a dialog is cancelled at once.
    virtual const Bitmap* clientArea() const = 0;

    virtual bool needsPaint() const = 0;
    virtual void paint() = 0;

    virtual void stylusDown(std::int32_t x, std::int32_t y) = 0;
    virtual void stylusMove(std::int32_t x, std::int32_t y) = 0;
    virtual void stylusUp(std::int32_t x, std::int32_t y) = 0;

    virtual bool closed() const = 0;
    virtual int result() const = 0;
    // Ends the run with `dialogCancel`, changing nothing more.
    virtual void cancel() = 0;
};

// Where a pop-up's top-left corner goes below the button `button` (both in
// the same coordinates, usually the screen's): the button's middle column,
// 10 pixels above its bottom edge, so the pop-up overlaps the button a little.
POINT dropDownOrigin(const RECT& button);

// One number field of a dialog: a label and the digits in its edit box.
struct NumberField {
    std::int32_t id = 0;
    std::u16string label;
    std::u16string text;
};

// An ordinary modal dialog of number fields with OK and Cancel buttons (the
// Canvas Size dialog). The edit boxes take digits only.
struct NumberFieldsRequest {
    // The name records and scripts know it by ("canvassize").
    std::string name;
    Window* owner = nullptr;
    std::u16string caption;
    // On entry the texts shown; after OK the texts as the user left them.
    std::vector<NumberField> fields;
};

// The About box: the product picture, the version at the top right and the
// maker's lines below the picture, closed with Done.
struct AboutBoxRequest {
    Window* owner = nullptr;
    std::u16string caption;
    const Bitmap* picture = nullptr;
    std::u16string version;
    std::vector<std::u16string> lines;
};

// The modal dialogs the program runs, each until the user closes it. The
// Qt shell supplies the real ones; a scripted implementation answers for
// tests and the command line.
class ModalDialogs {
  public:
    virtual ~ModalDialogs() = default;

    // Runs the pop-up until it closes; its result (`dialogOk` when it closed
    // with a choice, `dialogCancel` otherwise).
    virtual int runPixelDialog(Window* owner, PixelDialog& dialog) = 0;
    // `dialogOk` with the fields' texts as typed, or `dialogCancel` with the
    // texts left alone.
    virtual int runNumberFields(NumberFieldsRequest& request) = 0;
    // `dialogOk` once the user closed it.
    virtual int runAboutBox(const AboutBoxRequest& request) = 0;
};

// The modal dialogs the program currently shows. Until some are installed
// (and after `setModalDialogs(nullptr)`) a fallback cancels every pop-up and
// number dialog at once and closes the About box, so nothing waits for a
// user who is not there. The pointer is not owned.
ModalDialogs& modalDialogs();
void setModalDialogs(ModalDialogs* installed);

}  // namespace platform
