#pragma once

#include <QString>
#include <string>

#include "platform/dialogs/dialogs.h"

class QFileDialog;
class QWidget;

// The program's message boxes and the desktop's open and save dialogs.
class DesktopDialogs final : public platform::Dialogs {
  public:
    platform::MessageAnswer messageBox(platform::Window* owner, std::u16string_view text,
                                       std::u16string_view caption,
                                       platform::MessageButtons buttons) override;
    bool chooseFile(const platform::FileDialogRequest& request,
                    std::u16string& chosenPath) override;

    // Sets a file dialog up as the request asks: its kind, filters, initial
    // name, default extension, and whether it asks before replacing a file.
    static void configure(QFileDialog& dialog, const platform::FileDialogRequest& request);
    // Why a chosen name cannot be answered (too long for the caller, or a
    // file or folder that must exist and does not); empty when it can.
    static QString problemWith(const platform::FileDialogRequest& request, const QString& path);

    // The widget a box or dialog for `owner` belongs to.
    static QWidget* parentFor(platform::Window* owner);
};
