#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs/dialogs.h"

namespace platform {

// One box or dialog that was shown, with the answer it gave.
struct DialogRecord {
    enum class Kind { Message, OpenFile, SaveFile };
    Kind kind = Kind::Message;
    Window* owner = nullptr;

    // Message boxes.
    std::u16string caption;
    std::u16string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer answer = MessageAnswer::Ok;

    // File dialogs: the request as it was made, and the name answered
    // (empty when cancelled).
    FileDialogRequest request;
    bool cancelled = false;
    std::u16string chosenPath;
};

// Dialogs that answer from a script instead of asking a user, and remember
// everything they were asked to show. Tests and the command-line driver use
// them.
//
// Message boxes take their answers from one queue in order. An OK box can only
// answer OK: it takes a queued Ok if that is next and otherwise leaves the
// queue alone, so an unexpected error message does not eat the answer meant
// for a later prompt. A Yes/No/Cancel box takes the next queued answer; a
// queued Ok, which such a box does not offer, is used up and answered as
// Cancel. With the queue empty an OK box answers Ok and a Yes/No/Cancel box
// Cancel.
//
// File dialogs take their answers from a second queue: a name or a cancel. An
// empty queue cancels, and so do an empty name and a name longer than the
// request's `maxPathLength`: a real dialog cannot be confirmed without a
// name, and refuses one its caller's buffer cannot hold.
// Scripted names are not checked against the file system: the script stands
// for a user who picked them, and the callers must cope with missing files
// anyway.
class ScriptedDialogs : public Dialogs {
  public:
    void queueMessageAnswer(MessageAnswer answer) { messageAnswers_.push_back(answer); }
    void queueFileChoice(std::u16string_view path) {
        fileChoices_.emplace_back(std::u16string(path));
    }
    void queueFileCancel() { fileChoices_.emplace_back(std::nullopt); }

    MessageAnswer messageBox(Window* owner, std::u16string_view text, std::u16string_view caption,
                             MessageButtons buttons) override;
    bool chooseFile(const FileDialogRequest& request, std::u16string& chosenPath) override;

    const std::vector<DialogRecord>& records() const { return records_; }
    void clearRecords() { records_.clear(); }

    // Answers still waiting; a finished script should have used them all.
    std::size_t pendingMessageAnswers() const { return messageAnswers_.size(); }
    std::size_t pendingFileChoices() const { return fileChoices_.size(); }

  private:
    std::deque<MessageAnswer> messageAnswers_;
    std::deque<std::optional<std::u16string>> fileChoices_;
    std::vector<DialogRecord> records_;
};

// One line (UTF-8, no line break) describing a record:
//   message "<caption>" "<text>" -> ok|yes|no|cancel
//   dialog open|save "<description>" "<pattern>" initial="<name>" -> "<path>"|cancel
// with a description and pattern pair for each filter. Inside the quotes a
// double quote is written \" and control characters as \n, \r, \t or \xHH,
// so a record always stays on one line; backslashes are left alone, which
// keeps device paths readable.
std::string format(const DialogRecord& record);

}  // namespace platform
