#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs/modal_dialogs.h"
#include "platform/gdi/bitmap.h"

namespace platform {

// One stylus event for a scripted pop-up, in its client coordinates.
struct StylusEvent {
    enum class Kind { Down, Move, Up };
    Kind kind = Kind::Down;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// One modal dialog that was run, with its result.
struct ModalDialogRecord {
    // The dialog's name ("colour", "opacity", "canvassize") or "about".
    std::string name;
    int result = dialogCancel;
    // Pop-ups: the option-bar button they dropped from and the stylus events
    // they were given.
    std::int32_t anchorCommand = 0;
    std::size_t stylusEvents = 0;
    // Number dialogs: the texts shown, and the texts typed when confirmed.
    // The About box: its caption, version and lines, and its picture's size
    // (0 without one).
    std::vector<std::u16string> shownTexts;
    std::vector<std::u16string> typedTexts;
    std::int32_t pictureWidth = 0;
    std::int32_t pictureHeight = 0;
};

// Modal dialogs that answer from a script and remember what they ran.
//
// Pop-ups take stylus events from a queue of their own name, one event at a
// time, painting whenever they ask to, until they close themselves; the
// events after the closing one wait for the next pop-up of that name. A
// pop-up still open when its queue runs out is cancelled, as a user would
// tap elsewhere. The client area as each pop-up left it is kept by name.
//
// Number dialogs take the next queued answer: texts typed into the fields in
// order, then OK (a field without a text keeps the one shown), or a cancel;
// an empty queue cancels. The About box is closed with Done.
class ScriptedModalDialogs : public ModalDialogs {
  public:
    void queueStylus(std::string_view dialogName, StylusEvent event);
    void queueFieldTexts(std::vector<std::u16string> texts) {
        fieldAnswers_.emplace_back(std::move(texts));
    }
    void queueFieldsCancel() { fieldAnswers_.emplace_back(std::nullopt); }

    int runPixelDialog(Window* owner, PixelDialog& dialog) override;
    int runNumberFields(NumberFieldsRequest& request) override;
    int runAboutBox(const AboutBoxRequest& request) override;

    const std::vector<ModalDialogRecord>& records() const { return records_; }
    void clearRecords() { records_.clear(); }

    // The client area as the last pop-up of that name left it; null when
    // none has run.
    const Bitmap* lastClientArea(std::string_view dialogName) const;

    // Answers still waiting; a finished script should have used them all.
    std::size_t pendingStylusEvents(std::string_view dialogName) const;
    std::size_t pendingFieldAnswers() const { return fieldAnswers_.size(); }

  private:
    std::map<std::string, std::deque<StylusEvent>, std::less<>> stylus_;
    std::deque<std::optional<std::vector<std::u16string>>> fieldAnswers_;
    std::map<std::string, std::unique_ptr<Bitmap>, std::less<>> clientAreas_;
    std::vector<ModalDialogRecord> records_;
};

// One line describing a record: `dialog <name> -> <result>`.
std::string format(const ModalDialogRecord& record);

// A copy of a bitmap with its own pixel memory; null when the memory cannot
// be had.
std::unique_ptr<Bitmap> copyBitmap(const Bitmap& source);

}  // namespace platform
