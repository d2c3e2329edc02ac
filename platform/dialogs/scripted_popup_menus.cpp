#include "platform/dialogs/scripted_popup_menus.h"

namespace platform {

int ScriptedPopupMenus::track(const PopupMenuRequest& request) {
    int answer = -1;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (answer < 0 || std::size_t(answer) >= request.items.size()) answer = -1;
    records_.push_back(PopupRecord{request, answer});
    return answer;
}

std::string format(const PopupRecord& record) {
    const auto indexOrNone = [](int index) {
        return index < 0 ? std::string("none") : std::to_string(index);
    };
    return "palette " + record.request.name +
           " items=" + std::to_string(record.request.items.size()) +
           " checked=" + indexOrNone(record.request.checked) + " -> " + indexOrNone(record.answer);
}

}  // namespace platform
