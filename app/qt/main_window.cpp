#include "app/qt/main_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

#include "app/frame/main_frame.h"
#include "app/qt/button_bar.h"
#include "app/qt/canvas_view.h"
#include "app/qt/canvas_viewport.h"
#include "document/document_startup.h"
#include "document/sketch_document.h"

namespace {

// What each button is called in its tool tip and by screen readers.
QString buttonName(std::int32_t command) {
    switch (command) {
        case 40013:
            return QStringLiteral("Pencil");
        case 40048:
            return QStringLiteral("Airbrush");
        case 40050:
            return QStringLiteral("Smudge");
        case 40016:
            return QStringLiteral("Shapes");
        case 40051:
            return QStringLiteral("Eraser");
        case 40020:
            return QStringLiteral("Text");
        case 40052:
            return QStringLiteral("Fill");
        case 40019:
            return QStringLiteral("Selection");
        case 40021:
            return QStringLiteral("Hand");
        case OptionCommand::Size:
            return QStringLiteral("Size");
        case OptionCommand::Opacity:
            return QStringLiteral("Opacity");
        case OptionCommand::Colour:
            return QStringLiteral("Colour");
        case OptionCommand::Eyedropper:
            return QStringLiteral("Eyedropper");
        case OptionCommand::Grid:
            return QStringLiteral("Snap grid");
        case OptionCommand::Zoom:
            return QStringLiteral("Zoom");
        case OptionCommand::Font:
            return QStringLiteral("Font");
        case OptionCommand::FontSize:
            return QStringLiteral("Font size");
        case OptionCommand::Undo:
            return QStringLiteral("Undo");
        case OptionCommand::Redo:
            return QStringLiteral("Redo");
        default:
            return QString::number(command);
    }
}

// The last path component, whichever separator the path uses.
QString fileName(const char16_t* path) {
    const QString full = QString::fromUtf16(path);
    const qsizetype cut =
        std::max(full.lastIndexOf(QLatin1Char('/')), full.lastIndexOf(QLatin1Char('\\')));
    return full.mid(cut + 1);
}

}  // namespace

MainWindow::MainWindow(MainFrame& frame, SketchDocument& document, std::uint16_t canvasSide,
                       QWidget* parent)
    : QMainWindow(parent),
      frame_(frame),
      document_(document),
      optionBar_(new ButtonBar(QStringLiteral("Option bar"), this)),
      toolBar_(new ButtonBar(QStringLiteral("Tool bar"), this)),
      view_(new CanvasView(this)),
      events_(frame, [this] { refreshTitle(); }) {
    addToolBar(Qt::TopToolBarArea, optionBar_);
    addToolBar(Qt::BottomToolBarArea, toolBar_);
    setCentralWidget(view_);
    addButtons();

    frame_.toolBar = toolBar_;
    frame_.optionBar = optionBar_;
    frame_.scrollBars = view_;
    view_->setEvents(&events_);
    startDocument(frame_, document_, view_->client(), canvasSide, canvasSide);
    frame_.updateColourButton();
    connect(toolBar_, &ButtonBar::commandTriggered, this, [this](int id) { command(id); });
    connect(optionBar_, &ButtonBar::commandTriggered, this, [this](int id) { command(id); });

    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);

    view_->client().setFocus();
    refreshTitle();
    fitToScreen(canvasSide);
}

MainWindow::~MainWindow() {
    // The document may still call on the frame as it goes; the frame must
    // find no widgets then.
    view_->setEvents(nullptr);
    frame_.toolBar = nullptr;
    frame_.optionBar = nullptr;
    frame_.scrollBars = nullptr;
    frame_.canvasWindow = nullptr;
}

void MainWindow::addButtons() {
    // Every row that stands for itself or heads its group is a button.
    for (const ToolButtonRow& row : frame_.toolButtons)
        if (row.command != -1 && row.command == row.groupCommand)
            toolBar_->addButton(row.command, buttonName(row.command));
    for (const ToolButtonRow& row : frame_.optionButtons)
        if (row.command != -1) optionBar_->addButton(row.command, buttonName(row.command));
}

void MainWindow::fitToScreen(std::uint16_t canvasSide) {
    view_->setClientSizeHint(QSize(canvasSide, canvasSide));
    QSize size = sizeHint();
    if (const QScreen* s = screen()) {
        // Room for the window's own frame, which the desktop adds around it.
        const QSize room = s->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room);
    }
    resize(size);
}

void MainWindow::command(std::int32_t id) {
    // Until the frame routes commands itself, the window selects tools and
    // runs undo, redo and the eyedropper; the buttons that open palettes
    // and dialogs do nothing yet.
    for (const ToolButtonRow& row : frame_.toolButtons) {
        if (row.command == -1) break;
        if (row.command != id) continue;
        // A group's button picks the member chosen last.
        std::int32_t member = row.lastGroupMember;
        for (const ToolButtonRow& other : frame_.toolButtons)
            if (other.command == member) {
                frame_.selectTool(std::uint16_t(other.buttonIndex));
                break;
            }
        refreshTitle();
        return;
    }
    switch (id) {
        case OptionCommand::Undo:
            document_.executeCommand(DocCommand::Undo, 0);
            frame_.updateOptionBar();
            break;
        case OptionCommand::Redo:
            document_.executeCommand(DocCommand::Redo, 0);
            frame_.updateOptionBar();
            break;
        case OptionCommand::Eyedropper:
            frame_.optionToggle = !frame_.optionToggle;
            frame_.updateOptionBar();
            break;
        default:
            break;
    }
    refreshTitle();
}

void MainWindow::refreshTitle() {
    QString name = fileName(document_.documentPath);
    if (name.isEmpty()) name = QStringLiteral("Untitled");
    const QString title = name + QStringLiteral("[*] - Mirabo");
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(document_.isModified());
}
