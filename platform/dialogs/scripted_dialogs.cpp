#include "platform/dialogs/scripted_dialogs.h"

#include "platform/text/utf.h"

namespace platform {

namespace {

const char* answerName(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return "ok";
        case MessageAnswer::Yes:
            return "yes";
        case MessageAnswer::No:
            return "no";
        case MessageAnswer::Cancel:
            return "cancel";
    }
    return "cancel";
}

void appendQuoted(std::string& out, std::u16string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    out += '"';
    for (const char c : toUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

MessageAnswer ScriptedDialogs::messageBox(Window* owner, std::u16string_view text,
                                          std::u16string_view caption, MessageButtons buttons) {
    MessageAnswer answer = defaultAnswer(buttons);
    if (!messageAnswers_.empty()) {
        const MessageAnswer next = messageAnswers_.front();
        if (buttons == MessageButtons::Ok) {
            if (next == MessageAnswer::Ok) messageAnswers_.pop_front();
        } else {
            messageAnswers_.pop_front();
            if (next != MessageAnswer::Ok) answer = next;
        }
    }
    DialogRecord record;
    record.kind = DialogRecord::Kind::Message;
    record.owner = owner;
    record.caption = caption;
    record.text = text;
    record.buttons = buttons;
    record.answer = answer;
    records_.push_back(std::move(record));
    return answer;
}

bool ScriptedDialogs::chooseFile(const FileDialogRequest& request, std::u16string& chosenPath) {
    std::optional<std::u16string> choice;
    if (!fileChoices_.empty()) {
        choice = std::move(fileChoices_.front());
        fileChoices_.pop_front();
    }
    if (choice && (choice->empty() || choice->size() > request.maxPathLength)) choice.reset();

    DialogRecord record;
    record.kind = request.kind == FileDialogKind::Open ? DialogRecord::Kind::OpenFile
                                                       : DialogRecord::Kind::SaveFile;
    record.owner = request.owner;
    record.request = request;
    record.cancelled = !choice;
    if (choice) record.chosenPath = *choice;
    records_.push_back(std::move(record));

    if (!choice) return false;
    chosenPath = std::move(*choice);
    return true;
}

std::string format(const DialogRecord& record) {
    std::string out;
    if (record.kind == DialogRecord::Kind::Message) {
        out = "message ";
        appendQuoted(out, record.caption);
        out += ' ';
        appendQuoted(out, record.text);
        out += " -> ";
        out += answerName(record.answer);
        return out;
    }
    out = record.kind == DialogRecord::Kind::OpenFile ? "dialog open" : "dialog save";
    for (const FileFilter& filter : record.request.filters) {
        out += ' ';
        appendQuoted(out, filter.description);
        out += ' ';
        appendQuoted(out, filter.pattern);
    }
    out += " initial=";
    appendQuoted(out, record.request.initialName);
    out += " -> ";
    if (record.cancelled) {
        out += "cancel";
    } else {
        appendQuoted(out, record.chosenPath);
    }
    return out;
}

}  // namespace platform
