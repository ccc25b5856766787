// The window procedure's message table: activity, screen saver, close, keys, size, and what
// goes on to the default procedure.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/gl_window.h"
#include "app/shell_state.h"
#include "platform/fake_platform.h"
#include "shell_fixture.h"

using namespace platform;
using namespace shelltest;

namespace {

constexpr WindowHandle someWindow = 0x77;

int keysHeld() {
    int held = 0;
    for (bool down : keyDown) held += down ? 1 : 0;
    return held;
}

using WindowProcedureTest = ShellTest;

struct RoutingCase {
    const char* label;
    unsigned message;
    WParam wParam;
    LParam lParam;
    bool passedOn;
};

class WindowProcedureRouting : public ShellTest,
                               public ::testing::WithParamInterface<RoutingCase> {};

TEST_P(WindowProcedureRouting, HandlesItsOwnMessagesAndPassesTheRestOnUnchanged) {
    const RoutingCase& c = GetParam();
    const LResult result = windowProcedure(someWindow, c.message, c.wParam, c.lParam);

    const std::vector<Call> passed = callsNamed("defWindowProc");
    if (c.passedOn) {
        ASSERT_EQ(passed.size(), 1u);
        EXPECT_EQ(passed[0].args,
                  (std::vector<std::string>{number(someWindow), number(c.message),
                                            number(c.wParam), std::to_string(c.lParam)}));
    } else {
        EXPECT_TRUE(passed.empty());
        EXPECT_EQ(result, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MessageTable, WindowProcedureRouting,
    ::testing::Values(
        RoutingCase{"ScreenSaverSwallowed", WM_SYSCOMMAND, SC_SCREENSAVE, 0, false},
        RoutingCase{"MonitorPowerSwallowed", WM_SYSCOMMAND, SC_MONITORPOWER, 2, false},
        // Whole values are compared: the low bits Windows sets make another command.
        RoutingCase{"ScreenSaverWithLowBitsPassed", WM_SYSCOMMAND, SC_SCREENSAVE | 0x1, 0, true},
        RoutingCase{"MonitorPowerWithLowBitsPassed", WM_SYSCOMMAND, SC_MONITORPOWER | 0x2, 0,
                    true},
        RoutingCase{"SysCommandClosePassed", WM_SYSCOMMAND, 0xF060, 0, true},
        RoutingCase{"SysCommandMinimisePassed", WM_SYSCOMMAND, 0xF020, 0, true},
        RoutingCase{"ActivateHandled", WM_ACTIVATE, WA_ACTIVE, 0, false},
        RoutingCase{"CloseHandled", WM_CLOSE, 0, 0, false},
        RoutingCase{"KeyDownHandled", WM_KEYDOWN, VK_UP, 0x00480001, false},
        RoutingCase{"KeyUpHandled", WM_KEYUP, VK_UP, LParam(0xC0480001), false},
        RoutingCase{"SizeHandled", WM_SIZE, 0, (600 << 16) | 800, false},
        RoutingCase{"SysKeyDownPassed", WM_SYSKEYDOWN, VK_MENU, 0x20380001, true},
        RoutingCase{"SysKeyUpPassed", WM_SYSKEYUP, VK_MENU, LParam(0xC0380001), true},
        RoutingCase{"PaintPassed", 0x000F, 0, 0, true},
        RoutingCase{"QuitPassed", WM_QUIT, 0, 0, true},
        RoutingCase{"NegativeLParamPassed", 0x0200, 1, -1, true}),
    [](const auto& info) { return std::string(info.param.label); });

struct ActivationCase {
    const char* label;
    WParam wParam;
    bool active;
};

class WindowProcedureActivation : public ShellTest,
                                  public ::testing::WithParamInterface<ActivationCase> {};

TEST_P(WindowProcedureActivation, ActiveUnlessTheHighWordSaysMinimised) {
    const ActivationCase& c = GetParam();
    windowActive = !c.active;
    EXPECT_EQ(windowProcedure(someWindow, WM_ACTIVATE, c.wParam, 0), 0);
    EXPECT_EQ(windowActive, c.active);
}

INSTANTIATE_TEST_SUITE_P(
    HighWord, WindowProcedureActivation,
    ::testing::Values(ActivationCase{"Activated", WA_ACTIVE, true},
                      ActivationCase{"ActivatedByClick", 2, true},
                      // Losing the focus alone does not stop drawing.
                      ActivationCase{"Deactivated", WA_INACTIVE, true},
                      ActivationCase{"LowWordFull", 0xFFFF, true},
                      ActivationCase{"MinimisedInactive", (1u << 16) | WA_INACTIVE, false},
                      ActivationCase{"MinimisedActive", (1u << 16) | WA_ACTIVE, false},
                      ActivationCase{"HighWordFull", 0xFFFF0000u, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(WindowProcedureTest, ClosePostsQuitAndLeavesTheWindow) {
    EXPECT_EQ(windowProcedure(someWindow, WM_CLOSE, 0, 0), 0);

    const std::vector<Call> quits = callsNamed("postQuitMessage");
    ASSERT_EQ(quits.size(), 1u);
    EXPECT_EQ(quits[0].args, std::vector<std::string>{"0"});
    EXPECT_EQ(countOf("destroyWindow"), 0);

    Message next;
    ASSERT_TRUE(peekMessage(next));
    EXPECT_EQ(next.message, WM_QUIT);
    EXPECT_EQ(next.wParam, 0u);
}

class WindowProcedureKeys : public ShellTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(WindowProcedureKeys, KeyDownSetsOnlyItsEntryAndKeyUpClearsIt) {
    const unsigned key = GetParam();
    EXPECT_EQ(windowProcedure(someWindow, WM_KEYDOWN, key, 0), 0);
    EXPECT_TRUE(keyDown[key]);
    EXPECT_EQ(keysHeld(), 1);

    EXPECT_EQ(windowProcedure(someWindow, WM_KEYUP, key, 0), 0);
    EXPECT_FALSE(keyDown[key]);
    EXPECT_EQ(keysHeld(), 0);
}

INSTANTIATE_TEST_SUITE_P(BoundKeysAndTheEnds, WindowProcedureKeys,
                         ::testing::Values(VK_ESCAPE, VK_F1, VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT,
                                           VK_NUMPAD1, VK_NUMPAD2, 0x31u, 0u, 255u));

TEST_F(WindowProcedureTest, RepeatedKeyDownKeepsTheKeyHeldAndOtherKeysStay) {
    windowProcedure(someWindow, WM_KEYDOWN, VK_UP, 0);
    windowProcedure(someWindow, WM_KEYDOWN, VK_LEFT, 0);
    windowProcedure(someWindow, WM_KEYDOWN, VK_UP, 0x40000000);
    windowProcedure(someWindow, WM_KEYUP, VK_LEFT, 0);
    EXPECT_TRUE(keyDown[VK_UP]);
    EXPECT_FALSE(keyDown[VK_LEFT]);
    EXPECT_EQ(keysHeld(), 1);
}

TEST_F(WindowProcedureTest, SystemKeysLeaveTheKeyStatesAlone) {
    windowProcedure(someWindow, WM_SYSKEYDOWN, VK_F1, 0);
    EXPECT_EQ(keysHeld(), 0);

    keyDown[VK_F1] = true;
    windowProcedure(someWindow, WM_SYSKEYUP, VK_F1, 0);
    EXPECT_TRUE(keyDown[VK_F1]);
    EXPECT_EQ(countOf("defWindowProc"), 2);
}

class WindowProcedureWideKeyCodes : public ShellTest,
                                    public ::testing::WithParamInterface<WParam> {};

// A key code beyond the table may land on some entry or on none, never outside it.
TEST_P(WindowProcedureWideKeyCodes, NeverWriteOutsideTheKeyTable) {
    const WParam code = GetParam();
    windowProcedure(someWindow, WM_KEYDOWN, code, 0);
    EXPECT_LE(keysHeld(), 1);
    windowProcedure(someWindow, WM_KEYUP, code, 0);
    EXPECT_EQ(keysHeld(), 0);
    EXPECT_TRUE(windowActive);
    EXPECT_TRUE(fullscreenMode);
    EXPECT_EQ(viewAngleX, 0.0f);
    EXPECT_EQ(viewAngleY, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(AboveTwoHundredFiftyFive, WindowProcedureWideKeyCodes,
                         ::testing::Values(WParam(256), WParam(256 + VK_ESCAPE), WParam(0xFFFF),
                                           WParam(0x10000), WParam(UINTPTR_MAX)));

struct SizeCase {
    const char* label;
    LParam lParam;
};

class WindowProcedureSize : public ShellTest, public ::testing::WithParamInterface<SizeCase> {};

// Sizes come before any rendering context exists too; the view is set without a fault.
TEST_P(WindowProcedureSize, ResizesTheViewWithoutTheDefaultProcedure) {
    EXPECT_EQ(windowProcedure(someWindow, WM_SIZE, 0, GetParam().lParam), 0);
    EXPECT_EQ(countOf("defWindowProc"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    ClientAreas, WindowProcedureSize,
    ::testing::Values(SizeCase{"Ordinary", (768 << 16) | 1024},
                      SizeCase{"ZeroHeight", 1024}, SizeCase{"ZeroBoth", 0},
                      SizeCase{"Largest", LParam(0xFFFFFFFF)}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
