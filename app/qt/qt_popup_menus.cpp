#include "app/qt/qt_popup_menus.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidgetAction>
#include <QWindow>
#include <vector>

#include "app/frame/popup_palette.h"
#include "app/qt/desktop_dialogs.h"
#include "app/qt/pixel_pictures.h"
#include "platform/gdi/bitmap.h"
#include "platform/window/window.h"

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

RECT toRect(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Where the menu opens: at the request's point, moved into the main window
// (and onto the screen) by the program's rule.
QPoint placement(const QMenu& menu, const QWidget* window, QPoint wanted) {
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen && window) screen = window->screen();
    if (!screen) return wanted;
    const RECT windowRect =
        window ? toRect(QRect(window->mapToGlobal(QPoint(0, 0)), window->size())) : RECT{};
    const QSize size = menu.sizeHint();
    const POINT at =
        keepPopupInside(POINT{wanted.x(), wanted.y()}, SIZE{size.width(), size.height()},
                        windowRect, toRect(screen->availableGeometry()));
    return QPoint(at.x, at.y);
}

// Notes the mouse press that closes the menu by landing outside it.
class OutsidePress final : public QObject {
  public:
    explicit OutsidePress(QMenu& menu) : menu_(menu) { menu.installEventFilter(this); }

    bool happened = false;
    QPoint global;
    Qt::MouseButton button = Qt::NoButton;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return false;
        const auto* press = static_cast<QMouseEvent*>(event);
        if (menu_.rect().contains(press->position().toPoint())) return false;
        happened = true;
        global = press->globalPosition().toPoint();
        button = press->button();
        return false;
    }

  private:
    QMenu& menu_;
};

// Gives `target` the press that closed a palette over it, once the command
// that opened the palette has finished (so a shape chosen by dismissing the
// palette is the tool the press starts). The press goes through the window,
// as the mouse would have sent it, so the moves and the release that follow
// reach the same widget. Some platforms hand such a press on by themselves:
// their press arrives first, and then nothing more is sent. A button already
// let go was a click to close the palette, not the start of a stroke.
class PressReplay final : public QObject {
  public:
    static void start(QWidget& target, QPoint global, Qt::MouseButton button) {
        auto* replay = new PressReplay(target, global, button);
        QMetaObject::invokeMethod(
            replay, [replay] { replay->send(); }, Qt::QueuedConnection);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) delivered_ = true;
        return false;
    }

  private:
    PressReplay(QWidget& target, QPoint global, Qt::MouseButton button)
        : QObject(&target), target_(&target), global_(global), button_(button) {
        target.installEventFilter(this);
    }

    void send() {
        deleteLater();
        QWindow* window = target_ ? target_->window()->windowHandle() : nullptr;
        if (delivered_ || !window || !(QGuiApplication::mouseButtons() & button_)) return;
        const QPointF local = window->mapFromGlobal(QPointF(global_));
        QMouseEvent press(QEvent::MouseButtonPress, local, local, QPointF(global_), button_,
                          QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
        QCoreApplication::sendEvent(window, &press);
    }

    QPointer<QWidget> target_;
    QPoint global_;
    Qt::MouseButton button_;
    bool delivered_ = false;
};

}  // namespace

int QtPopupMenus::track(const platform::PopupMenuRequest& request) {
    if (request.items.empty()) return -1;
    QWidget* window = DesktopDialogs::parentFor(request.owner);
    QMenu menu(window);
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
    OutsidePress outside(menu);
    QAction* chosen = menu.exec(placement(menu, window, QPoint(request.at.x, request.at.y)));
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (chosen && actions[i] == chosen) return int(i);
    // A press on the owner (the canvas) that closed the palette was the
    // start of a stroke.
    auto* owner = dynamic_cast<QWidget*>(request.owner);
    if (outside.happened && owner && owner->isVisible() &&
        owner->rect().contains(owner->mapFromGlobal(outside.global)))
        PressReplay::start(*owner, outside.global, outside.button);
    return -1;
}
