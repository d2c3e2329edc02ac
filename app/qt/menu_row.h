#pragma once

#include <QWidget>
#include <cstdint>
#include <map>

#include "app/frame/frame_bar.h"

class ButtonBar;
class QAction;
class QMenu;
class QMenuBar;

// The main window's menu bar: "File", "Edit" and "Tools" built from the
// program's menu data, and beside them the bar of the two picture buttons
// that show and hide the tool bar and the option bar (the frame fills it).
// Every item sends its command; a menu about to open first asks for its
// items' enabling, which `enableItem` applies.
class MenuRow final : public QWidget, public MenuEnabling {
    Q_OBJECT

  public:
    explicit MenuRow(QWidget* parent = nullptr);
    ~MenuRow() override;

    QMenuBar& menuBar() const { return *menuBar_; }
    ButtonBar& buttons() const { return *buttons_; }
    // The menu of the menu bar that `menuCommand` opens, and the item that
    // sends `command`; null when there is none.
    QMenu* menu(std::int32_t menuCommand) const;
    QAction* item(std::int32_t command) const;
    // Shows `keys` beside the item of `command` (the window itself listens
    // for them).
    void showShortcut(std::int32_t command, const QKeySequence& keys);

    // Opens the first menu ("File"), as F10 does.
    void openFirstMenu();

    // MenuEnabling
    void enableItem(std::int32_t command, bool enabled) override;

  signals:
    void commandTriggered(int command);
    // A menu is about to open: its items' enabling is wanted now.
    void aboutToOpen();

  private:
    QMenuBar* menuBar_;
    ButtonBar* buttons_;
    std::map<std::int32_t, QMenu*> menus_;
    std::map<std::int32_t, QAction*> items_;
};
