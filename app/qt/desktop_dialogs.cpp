#include "app/qt/desktop_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt/qt_strings.h"
#include "platform/window/window.h"

QWidget* DesktopDialogs::parentFor(platform::Window* owner) {
    if (auto* widget = dynamic_cast<QWidget*>(owner)) return widget->window();
    return QApplication::activeWindow();
}

platform::MessageAnswer DesktopDialogs::messageBox(platform::Window* owner,
                                                   std::u16string_view text,
                                                   std::u16string_view caption,
                                                   platform::MessageButtons buttons) {
    using platform::MessageAnswer;
    QMessageBox box(parentFor(owner));
    box.setWindowTitle(toQString(caption));
    box.setText(toQString(text));
    box.setTextFormat(Qt::PlainText);
    if (buttons == platform::MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box destroys nothing, like Cancel.
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    if (clicked == QMessageBox::Yes) return MessageAnswer::Yes;
    if (clicked == QMessageBox::No) return MessageAnswer::No;
    return MessageAnswer::Cancel;
}

void DesktopDialogs::configure(QFileDialog& dialog, const platform::FileDialogRequest& request) {
    const bool saving = request.kind == platform::FileDialogKind::Save;
    dialog.setWindowTitle(saving ? QStringLiteral("Save As") : QStringLiteral("Open"));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!saving && request.mustExist ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    QStringList filters;
    for (const platform::FileFilter& filter : request.filters) {
        // The desktop lists several patterns with spaces between them.
        QString patterns = toQString(filter.pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << toQString(filter.description) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')');
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(toQString(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(saving && request.askBeforeReplace));
    if (!request.initialName.empty()) dialog.selectFile(toQString(request.initialName));
}

QString DesktopDialogs::problemWith(const platform::FileDialogRequest& request,
                                    const QString& path) {
    if (path.isEmpty()) return QStringLiteral("Please choose a file.");
    // The caller keeps the name in a buffer of its own, which must hold it.
    if (std::size_t(path.size()) > request.maxPathLength)
        return QStringLiteral(
                   "The name is too long: choose a name or folder with at most %1 "
                   "characters in all.")
            .arg(request.maxPathLength);
    if (!request.mustExist) return QString();
    const QFileInfo file(path);
    if (request.kind == platform::FileDialogKind::Open && !file.isFile())
        return QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(path));
    if (request.kind == platform::FileDialogKind::Save && !file.absoluteDir().exists())
        return QStringLiteral("The folder %1 does not exist.")
            .arg(QDir::toNativeSeparators(file.absolutePath()));
    return QString();
}

bool DesktopDialogs::chooseFile(const platform::FileDialogRequest& request,
                                std::u16string& chosenPath) {
    QFileDialog dialog(parentFor(request.owner));
    configure(dialog, request);
    // A name that cannot be answered is refused with the reason, and the
    // dialog comes back for another.
    while (dialog.exec() == QDialog::Accepted) {
        const QStringList files = dialog.selectedFiles();
        const QString path = files.isEmpty() ? QString() : files.front();
        const QString problem = problemWith(request, path);
        if (problem.isEmpty()) {
            chosenPath = path.toStdU16String();
            return true;
        }
        QMessageBox::warning(&dialog, dialog.windowTitle(), problem);
    }
    return false;
}
