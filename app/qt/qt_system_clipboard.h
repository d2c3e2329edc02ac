#pragma once

#include <QByteArray>

#include "platform/clipboard/system_clipboard.h"

// The desktop's clipboard through Qt. A picture the program puts there is
// offered as PNG and as Qt's own image type, so every kind of program can
// paste it, with a mark of this process, by which the program tells its own
// content from another program's on every platform Qt runs on.
class QtSystemClipboard final : public platform::SystemClipboard {
  public:
    QtSystemClipboard();

    bool setPicture(const platform::Bitmap& picture) override;
    bool ownedByOtherProgram() const override;
    bool offersImage() const override;
    std::unique_ptr<platform::Bitmap> picture(std::int32_t maxWidth,
                                              std::int32_t maxHeight) const override;

  private:
    QByteArray mark_;
};
