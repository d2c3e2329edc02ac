#include "platform/dialogs/modal_dialogs.h"

namespace platform {

namespace {

// Answers at once without asking anyone, so a program running without a
// shell never waits.
class DefaultModalDialogs final : public ModalDialogs {
  public:
    int runPixelDialog(Window*, PixelDialog& dialog) override {
        if (!dialog.closed()) dialog.cancel();
        return dialog.result();
    }
    int runNumberFields(NumberFieldsRequest&) override { return dialogCancel; }
    int runAboutBox(const AboutBoxRequest&) override { return dialogOk; }
};

DefaultModalDialogs fallbackModalDialogs;
// Only the user-interface thread runs dialogs, so a plain pointer will do.
ModalDialogs* theModalDialogs = nullptr;

}  // namespace

POINT dropDownOrigin(const RECT& button) {
    return POINT{button.left + (button.right - button.left) / 2, button.bottom - 10};
}

ModalDialogs& modalDialogs() {
    return theModalDialogs ? *theModalDialogs : fallbackModalDialogs;
}

void setModalDialogs(ModalDialogs* installed) {
    theModalDialogs = installed;
}

}  // namespace platform
