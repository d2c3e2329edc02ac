// The replay lines about the main window: menu commands, released keys,
// the menus' and bars' state, palettes, the hand-over of a command line,
// closing, and the state line.

#include <cstdio>
#include <map>

#include "app/frame/menu_structure.h"
#include "app/frame/pictures/picture_library.h"
#include "cli/replay_shell.h"
#include "platform/text/utf.h"

namespace {

// A menu's items as `enableMenuItems` leaves them: enabled unless grayed.
class MenuRecord : public MenuEnabling {
  public:
    void enableItem(std::int32_t command, bool enabled) override { enabled_[command] = enabled; }
    bool isEnabled(std::int32_t command) const {
        const auto it = enabled_.find(command);
        return it == enabled_.end() || it->second;
    }

  private:
    std::map<std::int32_t, bool> enabled_;
};

// Text in double quotes on one line: quotes and control characters escaped,
// backslashes kept, so device paths stay readable.
std::string quoted(std::u16string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char c : platform::toUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "\\\"";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + '"';
}

void printItems(std::FILE* out, std::span<const MenuItem> items, const MenuRecord& record) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::Command:
                std::fprintf(out, "item %d %s %s\n", int(item.command), quoted(item.text).c_str(),
                             record.isEnabled(item.command) ? "enabled" : "grayed");
                break;
            case MenuItem::Kind::Separator:
                std::fprintf(out, "separator\n");
                break;
            case MenuItem::Kind::Submenu:
                std::fprintf(out, "submenu %s\n", quoted(item.text).c_str());
                printItems(out, item.items, record);
                break;
        }
    }
}

std::string imageName(const HeadlessBar& bar, std::int32_t image) {
    const std::int32_t id = bar.pictureIdOf(image);
    if (id == PictureId::SwatchFrame) return "swatch";
    return id < 0 ? std::string("none") : std::to_string(id);
}

bool keyNamed(const std::string& name, Key& key) {
    static const std::pair<const char*, Key> names[] = {
        {"left", Key::Left}, {"right", Key::Right}, {"up", Key::Up}, {"down", Key::Down}};
    key = Key::Other;
    for (const auto& [text, named] : names)
        if (name == text) key = named;
    return !name.empty();
}

}  // namespace

bool ReplayShell::executeWindow(const ScriptLine& line, bool& handled, std::string& error) {
    if (handled) return true;
    const std::string& c = line.command;
    long long a = 0, b = 0;
    if (c == "menu") {
        handled = true;
        if (!argumentCount(line, 1, error) || !integerArgument(line, 0, 0, 0xFFFF, a, error))
            return false;
        const bool taken = app_.command(std::int32_t(a));
        // What the command showed comes first.
        reportDialogs();
        if (!taken) std::fprintf(out_, "unhandled %lld\n", a);
    } else if (c == "keyup") {
        handled = true;
        Key key = Key::Other;
        if (!argumentCount(line, 1, error)) return false;
        if (!keyNamed(line.arguments[0], key)) {
            error = "keyup: name a key";
            return false;
        }
        app_.keyUp(key);
    } else if (c == "menus") {
        handled = true;
        if (!argumentCount(line, 0, error)) return false;
        printMenus();
    } else if (c == "bars") {
        handled = true;
        if (!argumentCount(line, 0, error)) return false;
        printBars();
    } else if (c == "window") {
        handled = true;
        if (!argumentCount(line, 2, error) || !integerArgument(line, 0, 1, 8192, a, error) ||
            !integerArgument(line, 1, 1, 8192, b, error))
            return false;
        mainWindow_.setClientSize(std::int32_t(a), std::int32_t(b));
        app_.resized();
    } else if (c == "pick") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        if (line.arguments[0] == "none")
            popups_.queueDismiss();
        else if (integerArgument(line, 0, 0, 9999, a, error))
            popups_.queueChoice(int(a));
        else
            return false;
    } else if (c == "handoff") {
        handled = true;
        if (!argumentCount(line, 1, error)) return false;
        app_.openCommandLine(platform::toUtf16(line.arguments[0]));
    } else if (c == "close") {
        handled = true;
        if (!argumentCount(line, 0, error)) return false;
        // A close from outside takes the window down without a question.
        app_.destroyed();
    }
    return true;
}

void ReplayShell::printMenus() {
    for (const MenuBarMenu& menu : mainMenus()) {
        MenuRecord record;
        app_.enableMenuItems(record);
        printItems(out_, menu.items, record);
    }
}

void ReplayShell::printBars() {
    const std::pair<const HeadlessBar*, const char*> bars[] = {{&toolBar_, "tool"},
                                                               {&optionBar_, "option"}};
    for (const auto& [bar, name] : bars)
        for (const HeadlessBar::Button& button : bar->buttons())
            std::fprintf(out_, "button %d bar=%s enabled=%d pressed=%d visible=%d image=%s\n",
                         int(button.command), name, button.enabled, button.pressed, button.visible,
                         imageName(*bar, button.image).c_str());
    for (const auto& [bar, name] : bars)
        std::fprintf(out_, "bar %s visible=%d height=%d\n", name, bar->isVisible(),
                     int(bar->height()));
    // The view's own client size counts: a script may have set it directly.
    const RECT area = mainWindow_.viewArea();
    const RECT client = view_.clientRect();
    std::fprintf(out_, "view %d,%d,%d,%d\n", int(area.left), int(area.top),
                 int(area.left + client.right), int(area.top + client.bottom));
}

void ReplayShell::closeMainWindow() {
    app_.destroyed();
}

std::string ReplayShell::stateLine() const {
    const SketchDocument& d = app_.document();
    const MainFrame& f = app_.frame();
    int history = 0, cursor = 0;
    for (const Tool* t = d.historyHead; t; t = t->next) {
        ++history;
        if (t == d.historyCursor) cursor = history;
    }
    char selection[64] = "none";
    if (d.selectionActive)
        std::snprintf(selection, sizeof selection, "%d,%d,%d,%d", d.selection.left, d.selection.top,
                      d.selection.right, d.selection.bottom);
    char tool[16] = "none";
    if (d.activeTool) std::snprintf(tool, sizeof tool, "%d", int(d.activeTool->toolId()));
    char text[512];
    std::snprintf(text, sizeof text,
                  "modified=%d undo=%d redo=%d selection=%s tool=%s history=%d cursor=%d zoom=%d "
                  "scroll=%d,%d colour=0x%06X button=%u width=%d sizes=%d,%d,%d opacity=%u "
                  "grid=%d font=",
                  d.modified ? 1 : 0, d.canUndo() ? 1 : 0, d.canRedo() ? 1 : 0, selection, tool,
                  history, cursor, f.zoomShift, f.scrollX, f.scrollY, unsigned(f.currentColour),
                  unsigned(f.currentTool), f.lineWidth, f.airbrushSizeIndex, f.smudgeSizeIndex,
                  f.eraserSizeIndex, unsigned(f.opacity), f.snapGridX);
    std::string line = text;
    line += quoted(f.fontName);
    std::snprintf(text, sizeof text, " fontsize=%d eyedropper=%d canvas=%ux%u path=", f.fontSize,
                  f.optionToggle ? 1 : 0, unsigned(f.canvasWidth), unsigned(f.canvasHeight));
    line += text;
    line += quoted(d.documentPath);
    return line;
}
