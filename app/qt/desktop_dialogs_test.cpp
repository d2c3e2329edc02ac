#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt/desktop_dialogs.h"
#include "app/qt/testing/modal_script.h"
#include "app/qt/testing/qt_test_registry.h"

using platform::FileDialogKind;
using platform::FileDialogRequest;
using platform::MessageAnswer;
using platform::MessageButtons;
using qttest::ModalScript;

namespace {

FileDialogRequest request(FileDialogKind kind) {
    FileDialogRequest r;
    r.kind = kind;
    r.filters = platform::parseFilterString(u"Mirabo Files:*.zsf:JPEG Files:*.jpg;*.jpeg:::");
    r.defaultExtension = u"zsf";
    r.mustExist = kind == FileDialogKind::Open;
    r.askBeforeReplace = kind == FileDialogKind::Save;
    return r;
}

// A step that notes what a message box shows (caption, text and buttons,
// one line) and clicks one of its buttons.
ModalScript::Step clickBox(QStringList& shown, QMessageBox::StandardButton click) {
    return [&shown, click](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return false;
        shown << box->windowTitle() + " | " + box->text() + " | " +
                     QString::number(int(box->standardButtons()), 16);
        box->button(click)->click();
        return true;
    };
}

// Puts `path` in the dialog's name field as a user would. `selectFile` leaves
// the field alone while it has the focus, which a dialog shown again gets
// sooner or later. False (try again) until the dialog has taken the name.
bool chooseName(QFileDialog& dialog, const QString& path) {
    dialog.selectFile(path);
    if (dialog.selectedFiles().value(0) != path)
        if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            field->setText(path);
    return dialog.selectedFiles().value(0) == path;
}

// A step that puts `path` in a file dialog's name field and accepts it.
ModalScript::Step acceptName(const QString& path) {
    return [path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return false;
        if (!chooseName(*dialog, path)) return false;
        static_cast<QDialog*>(dialog)->accept();
        return true;
    };
}

QString boxLine(const char* caption, const char* text, QMessageBox::StandardButtons buttons) {
    return QString::fromUtf8(caption) + " | " + QString::fromUtf8(text) + " | " +
           QString::number(int(buttons), 16);
}

}  // namespace

class DesktopDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void aMessageBoxShowsTheCaptionTextAndButtonsAsked() {
        DesktopDialogs dialogs;
        const auto yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        const QString question =
            boxLine("Save Changes", "Save changes to current drawing?", yesNoCancel);
        for (const auto& [click, answer] :
             {std::pair{QMessageBox::Yes, MessageAnswer::Yes},
              std::pair{QMessageBox::No, MessageAnswer::No},
              std::pair{QMessageBox::Cancel, MessageAnswer::Cancel}}) {
            QStringList shown;
            ModalScript script({clickBox(shown, click)});
            QCOMPARE(dialogs.messageBox(nullptr, u"Save changes to current drawing?",
                                        u"Save Changes", MessageButtons::YesNoCancel),
                     answer);
            QCOMPARE(shown, QStringList{question});
        }
        QStringList shown;
        ModalScript ok({clickBox(shown, QMessageBox::Ok)});
        QCOMPARE(dialogs.messageBox(nullptr, u"A memory allocation has failed.", u"Memory Error",
                                    MessageButtons::Ok),
                 MessageAnswer::Ok);
        QCOMPARE(shown, QStringList{boxLine("Memory Error", "A memory allocation has failed.",
                                            QMessageBox::Ok)});
    }

    void escapeOrClosingAnswersCancel() {
        DesktopDialogs dialogs;
        ModalScript script({[](QWidget* modal) {
            if (!qobject_cast<QMessageBox*>(modal)) return false;
            QTest::keyClick(modal, Qt::Key_Escape);
            return true;
        }});
        QCOMPARE(dialogs.messageBox(nullptr, u"Save changes to current drawing?", u"Save Changes",
                                    MessageButtons::YesNoCancel),
                 MessageAnswer::Cancel);
    }

    void fileDialogsAreSetUpAsRequested() {
        FileDialogRequest open = request(FileDialogKind::Open);
        open.initialName = u"old.zsf";
        QFileDialog openDialog;
        DesktopDialogs::configure(openDialog, open);
        QCOMPARE(openDialog.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(openDialog.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(openDialog.nameFilters(),
                 (QStringList{"Mirabo Files (*.zsf)", "JPEG Files (*.jpg *.jpeg)"}));
        QCOMPARE(openDialog.defaultSuffix(), QStringLiteral("zsf"));
        QVERIFY(openDialog.selectedFiles().value(0).endsWith(QStringLiteral("old.zsf")));

        FileDialogRequest save = request(FileDialogKind::Save);
        QFileDialog saveDialog;
        DesktopDialogs::configure(saveDialog, save);
        QCOMPARE(saveDialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(saveDialog.fileMode(), QFileDialog::AnyFile);
        QVERIFY(!saveDialog.testOption(QFileDialog::DontConfirmOverwrite));
        save.askBeforeReplace = false;
        DesktopDialogs::configure(saveDialog, save);
        QVERIFY(saveDialog.testOption(QFileDialog::DontConfirmOverwrite));
    }

    void namesThatCannotBeAnsweredAreRefused() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString existing = folder.filePath(QStringLiteral("there.zsf"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        FileDialogRequest open = request(FileDialogKind::Open);
        QVERIFY(DesktopDialogs::problemWith(open, existing).isEmpty());
        QVERIFY(!DesktopDialogs::problemWith(open, folder.filePath("missing.zsf")).isEmpty());
        QVERIFY(!DesktopDialogs::problemWith(open, QString()).isEmpty());
        open.mustExist = false;
        QVERIFY(DesktopDialogs::problemWith(open, folder.filePath("missing.zsf")).isEmpty());

        FileDialogRequest save = request(FileDialogKind::Save);
        save.mustExist = true;
        QVERIFY(DesktopDialogs::problemWith(save, folder.filePath("new.zsf")).isEmpty());
        QVERIFY(!DesktopDialogs::problemWith(save, folder.filePath("no/such/new.zsf")).isEmpty());

        // The caller's buffer is the limit, counted in UTF-16 units.
        save.maxPathLength = std::size_t(existing.size());
        QVERIFY(DesktopDialogs::problemWith(save, existing).isEmpty());
        save.maxPathLength -= 1;
        QVERIFY(!DesktopDialogs::problemWith(save, existing).isEmpty());
    }

    void aTooLongNameIsRefusedAndTheDialogAsksAgain() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        FileDialogRequest save = request(FileDialogKind::Save);
        const QString good = folder.filePath(QStringLiteral("short.zsf"));
        save.maxPathLength = std::size_t(good.size());
        const QString tooLong = folder.filePath(QStringLiteral("much-longer-name.zsf"));
        int warnings = 0;
        ModalScript script({
            acceptName(tooLong),
            [&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box) return false;
                ++warnings;
                box->accept();
                return true;
            },
            acceptName(good),
        });
        DesktopDialogs dialogs;
        std::u16string chosen;
        QVERIFY(dialogs.chooseFile(save, chosen));
        QCOMPARE(QString::fromStdU16String(chosen), good);
        QCOMPARE(warnings, 1);
        QVERIFY(script.finished());
    }

    void cancellingLeavesTheNameAlone() {
        ModalScript script({[](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return false;
            dialog->reject();
            return true;
        }});
        DesktopDialogs dialogs;
        std::u16string chosen = u"unchanged";
        QVERIFY(!dialogs.chooseFile(request(FileDialogKind::Open), chosen));
        QCOMPARE(QString::fromStdU16String(chosen), QStringLiteral("unchanged"));
    }
};

MIRABO_QT_TEST(DesktopDialogsTest, "desktop_dialogs");
#include "desktop_dialogs_test.moc"
