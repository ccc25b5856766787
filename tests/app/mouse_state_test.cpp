// The mouse as the window procedure records it for the viewer: drags only with the left button
// held, wheel notches, positions left of or above the window; every message still goes on to
// the default procedure, so the demo sees no change.
#include <gtest/gtest.h>

#include <vector>

#include "app/gl_window.h"
#include "app/shell_state.h"
#include "shell_fixture.h"

using namespace platform;
using namespace shelltest;

namespace {

constexpr WindowHandle someWindow = 0x77;

LParam at(int x, int y) { return LParam(x & 0xFFFF) | (LParam(y & 0xFFFF) << 16); }
WParam wheel(int delta) { return WParam(std::uint16_t(std::int16_t(delta))) << 16; }

struct MouseCase {
    const char* label;
    std::vector<Message> messages;
    MouseState expected;
};

class MouseTracking : public ShellTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseTracking, RecordsWhatAViewerNeedsAndPassesTheMessagesOn) {
    for (const Message& m : GetParam().messages)
        windowProcedure(someWindow, m.message, m.wParam, m.lParam);
    const MouseState& expected = GetParam().expected;
    EXPECT_EQ(mouse.leftDown, expected.leftDown);
    EXPECT_EQ(mouse.x, expected.x);
    EXPECT_EQ(mouse.y, expected.y);
    EXPECT_EQ(mouse.dragX, expected.dragX);
    EXPECT_EQ(mouse.dragY, expected.dragY);
    EXPECT_EQ(mouse.wheelSteps, expected.wheelSteps);
    EXPECT_EQ(callsNamed("defWindowProc").size(), GetParam().messages.size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MouseTracking,
    ::testing::Values(
        MouseCase{"MoveWithoutButton", {{0, WM_MOUSEMOVE, 0, at(10, 20)}},
                  {false, 10, 20, 0, 0, 0}},
        MouseCase{"Drag",
                  {{0, WM_LBUTTONDOWN, MK_LBUTTON, at(100, 100)},
                   {0, WM_MOUSEMOVE, MK_LBUTTON, at(130, 90)},
                   {0, WM_MOUSEMOVE, MK_LBUTTON, at(150, 95)},
                   {0, WM_LBUTTONUP, 0, at(150, 95)}},
                  {false, 150, 95, 50, -5, 0}},
        MouseCase{"MovesAfterTheReleaseDoNotDrag",
                  {{0, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0)},
                   {0, WM_LBUTTONUP, 0, at(0, 0)},
                   {0, WM_MOUSEMOVE, 0, at(40, 40)}},
                  {false, 40, 40, 0, 0, 0}},
        // A release outside the window never arrives; the next move says the button is up.
        MouseCase{"ReleaseMissed",
                  {{0, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0)},
                   {0, WM_MOUSEMOVE, 0, at(40, 40)},
                   {0, WM_MOUSEMOVE, MK_LBUTTON, at(60, 60)}},
                  {false, 60, 60, 0, 0, 0}},
        MouseCase{"LeftOfAndAboveTheWindow",
                  {{0, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5)},
                   {0, WM_MOUSEMOVE, MK_LBUTTON, at(-20, -3)}},
                  {true, -20, -3, -25, -8, 0}},
        MouseCase{"WheelBothWays",
                  {{0, WM_MOUSEWHEEL, wheel(360), 0}, {0, WM_MOUSEWHEEL, wheel(-120), 0}},
                  {false, 0, 0, 0, 0, 2}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
