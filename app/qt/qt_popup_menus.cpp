#include "app/qt/qt_popup_menus.h"

#include <QLabel>
#include <QMenu>
#include <QWidgetAction>
#include <vector>

#include "app/qt/desktop_dialogs.h"
#include "app/qt/pixel_pictures.h"
#include "platform/gdi/bitmap.h"

namespace {

// A picture item: the picture alone, at its own size, lit while the mouse
// is over it (the menu does not light items that are widgets).
QWidgetAction* pictureItem(QMenu& menu, const platform::Bitmap& picture) {
    auto* label = new QLabel;
    label->setPixmap(toPixmap(toImage(picture), menu.devicePixelRatioF()));
    label->setContentsMargins(0, 0, 0, 0);
    label->setStyleSheet(
        QStringLiteral("QLabel { padding: 2px 4px; } "
                       "QLabel:hover { background: palette(highlight); }"));
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(label);
    return action;
}

}  // namespace

int QtPopupMenus::track(const platform::PopupMenuRequest& request) {
    if (request.items.empty()) return -1;
    QMenu menu(DesktopDialogs::parentFor(request.owner));
    menu.setObjectName(QString::fromStdString(request.name));
    std::vector<QAction*> actions;
    for (std::size_t i = 0; i < request.items.size(); ++i) {
        const platform::PopupItem& item = request.items[i];
        QAction* action;
        if (item.picture) {
            // Picture palettes show their current item by its picture alone.
            action = pictureItem(menu, *item.picture);
        } else {
            action = new QAction(QString::fromStdU16String(item.text), &menu);
            action->setCheckable(true);
            action->setChecked(int(i) == request.checked);
        }
        menu.addAction(action);
        actions.push_back(action);
    }
    QAction* chosen = menu.exec(QPoint(request.at.x, request.at.y));
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (chosen && actions[i] == chosen) return int(i);
    return -1;
}
