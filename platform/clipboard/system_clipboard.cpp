#include "platform/clipboard/system_clipboard.h"

#include "platform/gdi/bitmap.h"

namespace platform {

namespace {

// Without a desktop there is no clipboard to share: nothing is kept, so the
// program's own copy is all Paste ever finds.
class NoSystemClipboard final : public SystemClipboard {
  public:
    bool setPicture(const Bitmap&) override { return false; }
    bool ownedByOtherProgram() const override { return false; }
    bool offersImage() const override { return false; }
    std::unique_ptr<Bitmap> picture(std::int32_t, std::int32_t) const override { return nullptr; }
};

NoSystemClipboard fallbackClipboard;
// Only the user-interface thread copies and pastes, so a plain pointer will do.
SystemClipboard* theSystemClipboard = nullptr;

}  // namespace

SystemClipboard& systemClipboard() {
    return theSystemClipboard ? *theSystemClipboard : fallbackClipboard;
}

void setSystemClipboard(SystemClipboard* installed) {
    theSystemClipboard = installed;
}

}  // namespace platform
