#include "app/qt/main_window.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "app/frame/menu_structure.h"
#include "app/frame/pictures/picture_library.h"
#include "app/qt/button_bar.h"
#include "app/qt/canvas_view.h"
#include "app/qt/canvas_viewport.h"
#include "app/qt/drop_handling.h"
#include "app/qt/menu_row.h"
#include "app/qt/pixel_pictures.h"
#include "app/qt/typed_keys.h"
#include "platform/gdi/bitmap.h"

namespace {

// The keys a desktop user expects, beside the program's own accelerators.
struct StandardKey {
    QKeyCombination keys;
    std::int32_t command;
};
const StandardKey standardKeys[] = {
    {Qt::CTRL | Qt::Key_N, MenuCommand::New},
    {Qt::CTRL | Qt::Key_O, MenuCommand::Open},
    {Qt::CTRL | Qt::Key_S, MenuCommand::Save},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_S, MenuCommand::SaveAs},
    {Qt::CTRL | Qt::Key_X, MenuCommand::Cut},
    {Qt::CTRL | Qt::Key_C, MenuCommand::Copy},
    {Qt::CTRL | Qt::Key_V, MenuCommand::Paste},
    {Qt::Key_Delete, MenuCommand::Delete},
    // The menu shows the last key of a command; Escape must stay the open
    // menu's own key.
    {Qt::Key_Escape, MenuCommand::Deselect},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_A, MenuCommand::Deselect},
    {Qt::CTRL | Qt::Key_Z, MenuCommand::Undo},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, MenuCommand::Redo},
    {Qt::CTRL | Qt::Key_Y, MenuCommand::Redo},
};

// The zoom keys: a step in or out each. Control with "=" zooms in as well,
// where "+" needs Shift, and Shift may come along with the "+".
struct ZoomKey {
    QKeyCombination keys;
    int steps;
};
const ZoomKey zoomKeys[] = {
    {Qt::CTRL | Qt::Key_Plus, 1},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Plus, 1},
    {Qt::CTRL | Qt::Key_Equal, 1},
    {Qt::CTRL | Qt::Key_Minus, -1},
};

// The last path component, whichever separator the path uses.
QString fileName(const std::u16string& path) {
    const QString full = QString::fromStdU16String(path);
    const qsizetype cut =
        std::max(full.lastIndexOf(QLatin1Char('/')), full.lastIndexOf(QLatin1Char('\\')));
    return full.mid(cut + 1);
}

// The program's icon at the sizes a window's icon is shown at (title bars,
// task bars, window switchers); the desktop's own icon files serve larger ones.
QIcon programIcon() {
    constexpr std::int32_t largestWindowIcon = 64;
    QIcon icon;
    for (const std::int32_t size : iconSizes()) {
        if (size > largestWindowIcon) break;
        const IconPicture picture = loadIcon(PictureId::ProgramIcon, size);
        if (picture.picture)
            icon.addPixmap(QPixmap::fromImage(toImage(*picture.picture, picture.mask.get())));
    }
    return icon;
}

// A released Qt key as the program knows it: the arrows by name, any other
// key alike.
Key programKey(int key) {
    switch (key) {
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Down:
            return Key::Down;
        default:
            return Key::Other;
    }
}

}  // namespace

// The main window's client area: the frame places the bars and the view in
// it by hand, and hears when it changes size.
class MainWindow::ClientArea final : public QWidget {
  public:
    explicit ClientArea(MainWindow& window) : window_(window) {}

  protected:
    void resizeEvent(QResizeEvent*) override { window_.clientResized(); }

  private:
    MainWindow& window_;
};

MainWindow::MainWindow(std::uint16_t canvasSide, QWidget* parent)
    : QMainWindow(parent),
      app_(*this),
      menus_(new MenuRow(this)),
      client_(new ClientArea(*this)),
      optionBar_(new ButtonBar(QStringLiteral("Option bar"), client_)),
      toolBar_(new ButtonBar(QStringLiteral("Tool bar"), client_)),
      view_(new CanvasView(client_)) {
    setMenuWidget(menus_);
    setCentralWidget(client_);
    setWindowIcon(programIcon());
    view_->setEvents(&app_);

    MainFrame::Windows windows;
    windows.mainWindow = this;
    windows.menuBar = &menus_->buttons();
    windows.toolBar = toolBar_;
    windows.optionBar = optionBar_;
    windows.canvasView = &view_->client();
    windows.scrollBars = view_;
    app_.create(windows, canvasSide, canvasSide);

    for (ButtonBar* bar : {toolBar_, optionBar_})
        connect(bar, &ButtonBar::commandTriggered, this, [this](int id) { command(id); });
    connect(menus_, &MenuRow::commandTriggered, this, [this](int id) { command(id); });
    connect(menus_, &MenuRow::aboutToOpen, this, [this] { app_.enableMenuItems(*menus_); });
    for (const Accelerator& accelerator : mainAccelerators())
        addShortcut(QKeySequence(Qt::CTRL | Qt::Key(accelerator.key)), accelerator.command);
    for (const StandardKey& key : standardKeys)
        addShortcut(QKeySequence(key.keys), key.command);
    for (const ZoomKey& key : zoomKeys)
        connect(new QShortcut(QKeySequence(key.keys), this), &QShortcut::activated, this,
                [this, steps = key.steps] { zoomByKey(steps); });
    // F10 opens the first menu, as Alt with a menu's letter opens that menu.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, menus_,
            &MenuRow::openFirstMenu);

    view_->client().setFocus();
    fitToScreen(canvasSide);
    setAcceptDrops(true);
    // The bar buttons show only pictures, so their names must show on hover
    // even while another window (a palette just closed, a dialog) is active.
    // The toolkit asks the top-level window, not the widget under the pointer.
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

MainWindow::~MainWindow() {
    // The drawing is kept for the next start while the widgets still exist.
    if (!app_.isDestroyed()) app_.destroyed();
    view_->setEvents(nullptr);
}

void MainWindow::startUp(std::u16string_view commandLine, bool restoreDrawing) {
    if (restoreDrawing) app_.restoreHibernatedDrawing();
    show();
    app_.showBars();
    app_.openCommandLine(commandLine);
}

void MainWindow::addShortcut(const QKeySequence& keys, std::int32_t command) {
    auto* key = new QShortcut(keys, this);
    connect(key, &QShortcut::activated, this, [this, command] { shortcut(command); });
    menus_->showShortcut(command, keys);
}

void MainWindow::shortcut(std::int32_t command) {
    if (QAction* item = menus_->item(command)) {
        // The key does what the menu item would do now, and nothing when the
        // item would be grayed.
        app_.enableMenuItems(*menus_);
        if (!item->isEnabled()) return;
    }
    this->command(command);
}

void MainWindow::zoomByKey(int steps) {
    // The keys zoom about the middle of the view, where no pointer marks a point.
    const RECT view = view_->client().clientRect();
    app_.zoomStepped(steps, (view.left + view.right) / 2, (view.top + view.bottom) / 2);
}

void MainWindow::command(std::int32_t id) {
    emit commandIssued(id);
    // Nothing more is done for a command nobody took.
    app_.command(id);
}

void MainWindow::clientResized() {
    // The option bar keeps spanning the window, as the frame first placed it.
    optionBar_->resize(client_->width(), optionBar_->QWidget::height());
    app_.resized();
}

void MainWindow::fitToScreen(std::uint16_t canvasSide) {
    view_->setClientSizeHint(QSize(canvasSide, canvasSide));
    // The view between the bars as the frame puts it when they are shown:
    // one row under the option bar, up to the tool bar's top row.
    const QSize viewSize = view_->sizeHint();
    QSize size(viewSize.width(), optionBar_->height() + viewSize.height() + toolBar_->height());
    size.rheight() += menus_->sizeHint().height();
    if (const QScreen* s = screen()) {
        // Room for the window's own frame, which the desktop adds around it.
        const QSize room = s->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room);
    }
    resize(size);
}

void MainWindow::closeMainWindow() {
    close();
}

void MainWindow::documentStateChanged(const DocumentState& state) {
    QString name = fileName(state.path);
    if (name.isEmpty()) name = QStringLiteral("Untitled");
    const QString title = name + QStringLiteral("[*] - Mirabo");
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(state.modified);
}

RECT MainWindow::clientRect() const {
    return RECT{0, 0, client_->width(), client_->height()};
}

void MainWindow::placeCanvasView(const RECT& area) {
    view_->setGeometry(area.left, area.top, area.right - area.left, area.bottom - area.top);
    view_->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window stays when the drawing could not be kept and the user
    // chose to keep the program open.
    if (!app_.isDestroyed() && !app_.closeRequested(false)) {
        event->ignore();
        return;
    }
    if (!app_.isDestroyed()) app_.destroyed();
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (isArrowKey(event->key())) {
        // The arrows act when they are released.
        event->accept();
        return;
    }
    const QString typed = typedText(*event);
    if (typed.isEmpty()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    for (const QChar c : typed)
        app_.character(c.unicode());
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // A held key repeats its presses and releases; only the real release counts.
    if (event->isAutoRepeat()) return;
    app_.keyUp(programKey(event->key()));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptsDrop(*event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QPointF at = view_->client().mapFrom(this, event->position());
    if (dropInto(app_, *event->mimeData(), view_->client(), at)) event->acceptProposedAction();
}
