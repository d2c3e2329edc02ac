#include "platform/dialogs/dialogs.h"

namespace platform {

namespace {

// Answers without asking anyone and keeps no record, so a program running
// without a shell does not collect requests for ever.
class DefaultDialogs final : public Dialogs {
  public:
    MessageAnswer messageBox(Window*, std::u16string_view, std::u16string_view,
                             MessageButtons buttons) override {
        return defaultAnswer(buttons);
    }
    bool chooseFile(const FileDialogRequest&, std::u16string&) override { return false; }
};

DefaultDialogs fallbackDialogs;
// Only the user-interface thread shows dialogs, so a plain pointer will do.
Dialogs* theDialogs = nullptr;

}  // namespace

MessageAnswer defaultAnswer(MessageButtons buttons) {
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::vector<FileFilter> parseFilterString(std::u16string_view text) {
    std::vector<std::u16string_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(u':');
        parts.push_back(text.substr(0, end));
        if (end == std::u16string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() || parts[i + 1].empty()) break;
        filters.push_back(FileFilter{std::u16string(parts[i]), std::u16string(parts[i + 1])});
    }
    return filters;
}

Dialogs& dialogs() {
    return theDialogs ? *theDialogs : fallbackDialogs;
}

void setDialogs(Dialogs* installed) {
    theDialogs = installed;
}

}  // namespace platform
