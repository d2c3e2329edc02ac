#include "platform/dialogs/scripted_popup_menus.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

PopupMenuRequest menuOf(int items, int checked) {
    PopupMenuRequest request;
    request.name = "zoom";
    request.items.resize(std::size_t(items));
    request.checked = checked;
    return request;
}

TEST(ScriptedPopupMenusTest, AnswersInOrderAndRecordsEveryMenu) {
    ScriptedPopupMenus menus;
    menus.queueChoice(2);
    menus.queueDismiss();
    EXPECT_EQ(menus.track(menuOf(7, 2)), 2);
    EXPECT_EQ(menus.track(menuOf(7, -1)), -1);
    // An empty queue dismisses.
    EXPECT_EQ(menus.track(menuOf(3, 0)), -1);
    ASSERT_EQ(menus.records().size(), 3u);
    EXPECT_EQ(format(menus.records()[0]), "palette zoom items=7 checked=2 -> 2");
    EXPECT_EQ(format(menus.records()[1]), "palette zoom items=7 checked=none -> none");
    EXPECT_EQ(format(menus.records()[2]), "palette zoom items=3 checked=0 -> none");
}

TEST(ScriptedPopupMenusTest, AnItemTheMenuDoesNotHaveDismissesIt) {
    ScriptedPopupMenus menus;
    menus.queueChoice(5);
    menus.queueChoice(0);
    EXPECT_EQ(menus.track(menuOf(5, -1)), -1);
    EXPECT_EQ(menus.pendingAnswers(), 1u);
    EXPECT_EQ(menus.track(menuOf(0, -1)), -1);
}

TEST(PopupMenusTest, WithoutAShellEveryMenuIsDismissed) {
    setPopupMenus(nullptr);
    EXPECT_EQ(popupMenus().track(menuOf(4, 1)), -1);
    ScriptedPopupMenus scripted;
    scripted.queueChoice(1);
    setPopupMenus(&scripted);
    EXPECT_EQ(popupMenus().track(menuOf(4, 1)), 1);
    setPopupMenus(nullptr);
}

}  // namespace
}  // namespace platform
