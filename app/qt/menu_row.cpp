#include "app/qt/menu_row.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <span>

#include "app/frame/menu_structure.h"
#include "app/qt/button_bar.h"
#include "app/qt/qt_strings.h"

namespace {

// `text` with its mnemonic marked: the first letter of a word that no other
// item of the same menu took, else any free letter, else none. Letters are
// compared without case; `taken` collects the chosen ones.
QString withMnemonic(const QString& text, QString& taken) {
    const auto free = [&](qsizetype i) {
        return text[i].isLetter() && !taken.contains(text[i].toLower());
    };
    qsizetype chosen = -1;
    for (qsizetype i = 0; i < text.size() && chosen < 0; ++i)
        if ((i == 0 || text[i - 1] == QLatin1Char(' ')) && free(i)) chosen = i;
    for (qsizetype i = 0; i < text.size() && chosen < 0; ++i)
        if (free(i)) chosen = i;
    if (chosen < 0) return text;
    taken += text[chosen].toLower();
    QString marked = text;
    return marked.insert(chosen, QLatin1Char('&'));
}

}  // namespace

MenuRow::MenuRow(QWidget* parent)
    : QWidget(parent),
      menuBar_(new QMenuBar(this)),
      buttons_(new ButtonBar(QStringLiteral("Bar buttons"), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(menuBar_);
    row->addWidget(buttons_);
    row->addStretch(1);
    // The picture buttons sit in the menu bar's own row, in its height.
    buttons_->setContentsMargins(0, 0, 0, 0);
    buttons_->layout()->setContentsMargins(0, 0, 0, 0);

    // Builds the items of one menu, sub-menus included.
    // The menus' own texts get their mnemonic here, for keyboard users.
    const auto fill = [this](QMenu* menu, std::span<const MenuItem> items,
                             const auto& self) -> void {
        QString taken;
        for (const MenuItem& entry : items) {
            switch (entry.kind) {
                case MenuItem::Kind::Separator:
                    menu->addSeparator();
                    break;
                case MenuItem::Kind::Submenu:
                    self(menu->addMenu(withMnemonic(toQString(entry.text), taken)), entry.items,
                         self);
                    break;
                case MenuItem::Kind::Command: {
                    QAction* action = menu->addAction(withMnemonic(toQString(entry.text), taken));
                    const std::int32_t command = entry.command;
                    items_[command] = action;
                    connect(action, &QAction::triggered, this,
                            [this, command] { emit commandTriggered(command); });
                    break;
                }
            }
        }
    };
    QString taken;
    for (const MenuBarMenu& entry : mainMenus()) {
        QMenu* menu = menuBar_->addMenu(withMnemonic(toQString(entry.title), taken));
        menus_[entry.command] = menu;
        fill(menu, entry.items, fill);
        connect(menu, &QMenu::aboutToShow, this, [this] { emit aboutToOpen(); });
    }
    connect(buttons_, &ButtonBar::commandTriggered, this, &MenuRow::commandTriggered);
}

MenuRow::~MenuRow() = default;

QMenu* MenuRow::menu(std::int32_t menuCommand) const {
    const auto it = menus_.find(menuCommand);
    return it == menus_.end() ? nullptr : it->second;
}

QAction* MenuRow::item(std::int32_t command) const {
    const auto it = items_.find(command);
    return it == items_.end() ? nullptr : it->second;
}

void MenuRow::showShortcut(std::int32_t command, const QKeySequence& keys) {
    QAction* action = item(command);
    if (!action) return;
    // Shown in the menu and taken while the menu is open; the window's own
    // shortcut acts when it is closed.
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
}

void MenuRow::openFirstMenu() {
    const QList<QAction*> titles = menuBar_->actions();
    if (!titles.isEmpty()) menuBar_->setActiveAction(titles.front());
}

void MenuRow::enableItem(std::int32_t command, bool enabled) {
    if (QAction* action = item(command)) action->setEnabled(enabled);
}
