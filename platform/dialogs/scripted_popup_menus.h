#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs/popup_menus.h"

namespace platform {

// One menu that was shown and the answer it gave (-1 dismissed).
struct PopupRecord {
    PopupMenuRequest request;
    int answer = -1;
};

// Pop-up menus that answer from a queue instead of asking a user, and
// remember every menu they showed. An empty queue dismisses the menu, and so
// does a queued index the menu does not have: a user can only pick what is
// there.
class ScriptedPopupMenus : public PopupMenus {
  public:
    void queueChoice(int index) { answers_.push_back(index); }
    void queueDismiss() { answers_.push_back(-1); }

    int track(const PopupMenuRequest& request) override;

    const std::vector<PopupRecord>& records() const { return records_; }
    std::size_t pendingAnswers() const { return answers_.size(); }

  private:
    std::deque<int> answers_;
    std::vector<PopupRecord> records_;
};

// One line describing a record:
//   palette <name> items=<count> checked=<index>|none -> <index>|none
std::string format(const PopupRecord& record);

}  // namespace platform
