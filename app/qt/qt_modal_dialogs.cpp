#include "app/qt/qt_modal_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <vector>

#include "app/qt/button_bar.h"
#include "app/qt/desktop_dialogs.h"
#include "app/qt/pixel_pictures.h"
#include "app/qt/pixel_popup.h"
#include "app/qt/qt_strings.h"

namespace {

// Long enough for any size a person means, short of text that reads as
// nonsense: larger numbers are held to the largest canvas anyway.
constexpr int maxDigits = 9;

}  // namespace

bool QtModalDialogs::anchorOrigin(QWidget* window, std::int32_t command, QPoint& origin) {
    if (!window) return false;
    for (const ButtonBar* bar : window->findChildren<ButtonBar*>()) {
        RECT button;
        if (!bar->buttonRect(command, button)) continue;
        const POINT at = platform::dropDownOrigin(button);
        origin = QPoint(at.x, at.y);
        return true;
    }
    return false;
}

int QtModalDialogs::runPixelDialog(platform::Window* owner, platform::PixelDialog& dialog) {
    QWidget* parent = DesktopDialogs::parentFor(owner);
    QPoint origin;
    if (!anchorOrigin(parent, dialog.anchorCommand(), origin)) {
        // Without its button the pop-up has nowhere to be shown.
        dialog.cancel();
        return dialog.result();
    }
    // The pop-up itself cancels a dialog without pixels.
    PixelPopup popup(dialog, parent);
    return popup.run(origin);
}

int QtModalDialogs::runNumberFields(platform::NumberFieldsRequest& request) {
    QDialog dialog(DesktopDialogs::parentFor(request.owner));
    dialog.setObjectName(QString::fromStdString(request.name));
    dialog.setWindowTitle(toQString(request.caption));
    auto* grid = new QGridLayout(&dialog);
    std::vector<QLineEdit*> edits;
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &dialog);
    for (const platform::NumberField& field : request.fields) {
        const int row = int(edits.size());
        auto* label = new QLabel(toQString(field.label), &dialog);
        auto* edit = new QLineEdit(toQString(field.text), &dialog);
        edit->setObjectName(QStringLiteral("field%1").arg(field.id));
        edit->setAccessibleName(label->text());
        edit->setValidator(digits);
        edit->setMaxLength(maxDigits);
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    grid->addWidget(buttons, int(edits.size()), 0, 1, 2);
    if (!edits.empty()) edits.front()->selectAll();

    if (dialog.exec() != QDialog::Accepted) return platform::dialogCancel;
    for (std::size_t i = 0; i < edits.size(); ++i)
        request.fields[i].text = edits[i]->text().toStdU16String();
    return platform::dialogOk;
}

int QtModalDialogs::runAboutBox(const platform::AboutBoxRequest& request) {
    QDialog box(DesktopDialogs::parentFor(request.owner));
    box.setObjectName(QStringLiteral("about"));
    box.setWindowTitle(toQString(request.caption));
    auto* column = new QVBoxLayout(&box);
    auto* version = new QLabel(toQString(request.version), &box);
    column->addWidget(version, 0, Qt::AlignRight);
    if (request.picture) {
        auto* picture = new QLabel(&box);
        picture->setObjectName(QStringLiteral("picture"));
        picture->setPixmap(toPixmap(toImage(*request.picture), box.devicePixelRatioF()));
        column->addWidget(picture, 0, Qt::AlignHCenter);
    }
    for (const std::u16string& line : request.lines)
        column->addWidget(new QLabel(toQString(line), &box), 0, Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* done = buttons->addButton(QStringLiteral("Done"), QDialogButtonBox::AcceptRole);
    done->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
    box.exec();
    return platform::dialogOk;
}
