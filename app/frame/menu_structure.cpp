#include "app/frame/menu_structure.h"

#include "app/frame/command_ids.h"

namespace {

using Kind = MenuItem::Kind;

constexpr MenuItem command(std::u16string_view text, std::int32_t id) {
    return MenuItem{Kind::Command, text, id, {}};
}
constexpr MenuItem separator() {
    return MenuItem{Kind::Separator, {}, 0, {}};
}
constexpr MenuItem submenu(std::u16string_view text, std::span<const MenuItem> items) {
    return MenuItem{Kind::Submenu, text, 0, items};
}

constexpr MenuItem exportItems[] = {
    command(u"Bitmap", MenuCommand::ExportBitmap),
    command(u"JPEG", MenuCommand::ExportJpeg),
    command(u"PNG", MenuCommand::ExportPng),
};
constexpr MenuItem importItems[] = {
    command(u"Bitmap", MenuCommand::ImportBitmap),
    command(u"JPEG", MenuCommand::ImportJpeg),
    command(u"PNG", MenuCommand::ImportPng),
};
constexpr MenuItem fileItems[] = {
    submenu(u"Export As", exportItems),
    submenu(u"Import...", importItems),
    separator(),
    command(u"Save", MenuCommand::Save),
    command(u"Save As...", MenuCommand::SaveAs),
    command(u"Open...", MenuCommand::Open),
    command(u"New", MenuCommand::New),
    separator(),
    command(u"Exit", MenuCommand::Exit),
};
constexpr MenuItem editItems[] = {
    command(u"Undo", MenuCommand::Undo),
    command(u"Redo", MenuCommand::Redo),
    separator(),
    command(u"Copy", MenuCommand::Copy),
    command(u"Cut", MenuCommand::Cut),
    command(u"Paste", MenuCommand::Paste),
    command(u"Delete", MenuCommand::Delete),
    separator(),
    command(u"Deselect", MenuCommand::Deselect),
};
constexpr MenuItem toolsItems[] = {
    command(u"About", MenuCommand::About),
    separator(),
    command(u"Flip Horizontal", MenuCommand::FlipHorizontal),
    command(u"Flip Vertical", MenuCommand::FlipVertical),
    separator(),
    command(u"Canvas Size...", MenuCommand::CanvasSize),
};
constexpr MenuBarMenu menus[] = {
    {u"File", MenuCommand::FileMenu, fileItems},
    {u"Edit", MenuCommand::EditMenu, editItems},
    {u"Tools", MenuCommand::ToolsMenu, toolsItems},
};

constexpr Accelerator accelerators[] = {
    {u'A', MenuCommand::About},
    {u'Q', MenuCommand::Close},
};

}  // namespace

std::span<const MenuBarMenu> mainMenus() {
    return menus;
}

std::span<const Accelerator> mainAccelerators() {
    return accelerators;
}
