#include <gtest/gtest.h>

#include "app/frame/popup_palette.h"

namespace {

// A 600 x 700 window with its top-left corner at (10, 20) on a 1024 x 768 screen.
constexpr RECT window{10, 20, 610, 720};
constexpr RECT screen{0, 0, 1024, 768};

}  // namespace

TEST(KeepPopupInside, MovesAPaletteIntoTheWindowWhereItFitsAndOntoTheScreenOtherwise) {
    struct Case {
        const char* what;
        POINT wanted;
        SIZE size;
        POINT expected;
    };
    const Case cases[] = {
        {"inside already", {100, 100}, {40, 120}, {100, 100}},
        {"past the bottom: its bottom edge on the window's", {100, 680}, {40, 120}, {100, 600}},
        {"past the right: its right edge on the window's", {590, 100}, {40, 120}, {570, 100}},
        {"above and left of the window", {0, 5}, {40, 120}, {10, 20}},
        {"taller than the window: on the screen", {100, 600}, {40, 750}, {100, 18}},
        {"wider than the window and off the screen", {900, 100}, {700, 50}, {324, 100}},
        {"larger than the screen: at its top", {100, 100}, {40, 900}, {100, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keepPopupInside(c.wanted, c.size, window, screen), c.expected) << c.what;
}
