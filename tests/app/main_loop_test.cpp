// The demo's loop driven by the recording platform: the start question, the exits and their
// codes, the keys of the idle passes, the display-mode switch, and when frames are drawn.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/gl_window.h"
#include "app/main_loop.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/fake_platform.h"
#include "shell_fixture.h"

using namespace platform;
using namespace shelltest;

namespace {

constexpr unsigned clipping = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const std::string popupStyle = number(WS_POPUP | clipping);
const std::string windowedStyle = number(WS_OVERLAPPEDWINDOW | clipping);
// A loop still running after this many passes has missed its way out.
constexpr int runawayPasses = 500;
constexpr WParam runawayCode = 99;

class MainLoopTest : public ShellTest {
protected:
    // Runs `step` at the start of every pass with the pass's number, before the queue is
    // looked at: what it queues is taken in that pass, what it holds is seen by an idle pass.
    void script(std::function<void(int pass)> step) {
        fake::onPeek([this, step](int pass) {
            lastPass = pass;
            if (pass >= runawayPasses) {
                fake::queueMessage(Message{0, WM_QUIT, runawayCode, 0});
                return;
            }
            step(pass);
        });
    }

    static void send(unsigned message, WParam wParam, LParam lParam = 0) {
        fake::queueMessage(Message{fake::lastWindow(), message, wParam, lParam});
    }

    int lastPass = -1;
};

TEST_F(MainLoopTest, AsksTheStartQuestionFirst) {
    script([](int) { keyDown[VK_ESCAPE] = true; });
    EXPECT_EQ(runDemo(), 0);

    const auto& boxes = fake::messageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].text, "Fullscreen Mode?");
    EXPECT_EQ(boxes[0].caption, "Start FullScreen?");
    EXPECT_EQ(boxes[0].style, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(boxes[0].style, 0x24u);
    EXPECT_EQ(fake::indexOfCall("messageBox(Fullscreen Mode?"), 0);
}

struct StartAnswer {
    const char* label;
    int answer;
    bool fullscreen;
};

class MainLoopStartAnswer : public MainLoopTest,
                            public ::testing::WithParamInterface<StartAnswer> {};

TEST_P(MainLoopStartAnswer, OnlyNoOpensWindowed) {
    fake::answerMessageBoxes({GetParam().answer});
    script([](int) { keyDown[VK_ESCAPE] = true; });
    EXPECT_EQ(runDemo(), 0);

    const std::vector<Call> windows = callsNamed("createWindowEx");
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].args[2], "Vorn Engine Dev.");
    EXPECT_EQ(windows[0].args[3], GetParam().fullscreen ? popupStyle : windowedStyle);
    EXPECT_EQ(windows[0].args[6], "1024");
    EXPECT_EQ(windows[0].args[7], "768");
    EXPECT_EQ(callsNamed("choosePixelFormat")[0].args[5], "32");
    EXPECT_EQ(fullscreenMode, GetParam().fullscreen);
}

INSTANTIATE_TEST_SUITE_P(Answers, MainLoopStartAnswer,
                         ::testing::Values(StartAnswer{"Yes", IDYES, true},
                                           StartAnswer{"No", IDNO, false},
                                           StartAnswer{"Ok", IDOK, true},
                                           StartAnswer{"Cancel", 2, true},
                                           StartAnswer{"Nothing", 0, true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainLoopTest, FailingToOpenEndsWithZeroBeforeAnyPass) {
    fake::failCall("getDC");
    script([](int) {});
    EXPECT_EQ(runDemo(), 0);
    EXPECT_EQ(lastPass, -1);
    EXPECT_EQ(fake::messageBoxes().back().text, "Can't Create A GL Device Context.");
    EXPECT_EQ(fake::calls().back().rfind("messageBox(", 0), 0u) << "nothing after the box";
}

TEST_F(MainLoopTest, YesThenNoToTheFallbackEndsWithZeroAndNoWindow) {
    fake::failCall("changeDisplaySettings");
    fake::answerMessageBoxes({IDYES, IDNO});
    script([](int) {});
    EXPECT_EQ(runDemo(), 0);

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Fullscreen Mode?");
    EXPECT_EQ(boxes[1].caption, "Kovo GL");
    EXPECT_EQ(boxes[2].text, "Program Will Now Close.");
    EXPECT_EQ(countOf("createWindowEx"), 0);
    EXPECT_EQ(lastPass, -1);
}

TEST_F(MainLoopTest, EscapeEndsWithZeroAndClosesEverything) {
    script([](int pass) {
        if (pass == 3) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(lastPass, 3);
    EXPECT_EQ(countOf("swapBuffers"), 3) << "one frame in each idle pass before Escape";
    EXPECT_EQ(countOf("destroyWindow"), 1);
    EXPECT_EQ(mainWindow, 0u);
    EXPECT_EQ(renderContext, 0u);
    EXPECT_TRUE(fake::registeredClasses().empty());
}

TEST_F(MainLoopTest, EscapeByKeyMessageEndsWithZeroNotTheKeyCode) {
    script([](int pass) {
        if (pass == 0) send(WM_KEYDOWN, VK_ESCAPE);
    });
    EXPECT_EQ(runDemo(), 0);
    EXPECT_EQ(lastPass, 1);
    EXPECT_EQ(countOf("swapBuffers"), 0);
}

TEST_F(MainLoopTest, CloseThenQuitEndsWithZeroAndTheWindowOutlivesTheLoop) {
    script([](int pass) {
        if (pass == 0) send(WM_CLOSE, 0);
    });
    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(lastPass, 1);
    EXPECT_EQ(countOf("swapBuffers"), 0) << "both passes took a message";
    // The quit message ends the loop without being translated or dispatched.
    EXPECT_EQ(countOf("translateMessage"), 1);
    EXPECT_EQ(countOf("dispatchMessage"), 1);
    EXPECT_EQ(countOf("destroyWindow"), 1);
    EXPECT_GT(indexOf("destroyWindow"), indexOf("postQuitMessage"));
}

// A caller that owns the frame clock runs the passes itself: each call is one pass, and the
// loop ends as the blocking one does, once, whatever is called after.
TEST_F(MainLoopTest, PassesRunOneAtATimeEndOnce) {
    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    script([](int pass) {
        if (pass == 0) send(WM_KEYDOWN, VK_UP);
        if (pass == 3) fake::queueMessage(Message{0, WM_QUIT, 7, 0});
    });
    MainLoop loop(demo);
    std::vector<int> framesAfterPass;
    while (loop.runOnePass()) framesAfterPass.push_back(countOf("swapBuffers"));

    // Pass 0 took the key, 1 and 2 drew, 3 took the quit and closed the window.
    EXPECT_EQ(framesAfterPass, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(loop.exitCode(), 7);
    EXPECT_EQ(viewAngleX, 2.0f) << "the keys of the two idle passes";
    EXPECT_EQ(mainWindow, 0u);
    const std::size_t callsAtEnd = fake::calls().size();
    EXPECT_FALSE(loop.runOnePass());
    EXPECT_EQ(fake::calls().size(), callsAtEnd) << "an ended loop does nothing more";
    EXPECT_EQ(countOf("destroyWindow"), 1);
}

struct StopAfterKeys : ShellProgram {
    void start() override {}
    void frame() override { ++frames; }
    bool keys() override { return false; }
    int frames = 0;
};

TEST_F(MainLoopTest, AProgramThatCannotGoOnEndsTheLoopWithZeroAndLeavesTheWindow) {
    StopAfterKeys program;
    ASSERT_TRUE(openGlWindow(program, "t", 640, 480, 32, false));
    script([](int) {});
    EXPECT_EQ(runMainLoop(program), 0);
    EXPECT_EQ(program.frames, 1);
    EXPECT_NE(mainWindow, 0u) << "the window is left as it is";
    EXPECT_EQ(countOf("destroyWindow"), 0);
}

TEST_F(MainLoopTest, QuitMessageGivesItsOwnCode) {
    script([](int pass) {
        if (pass == 0) fake::queueMessage(Message{0, WM_QUIT, 3, 0});
    });
    EXPECT_EQ(runDemo(), 3);
}

TEST_F(MainLoopTest, PassesThatTakeAMessageDrawNothing) {
    script([](int pass) {
        if (pass == 0)
            for (int i = 0; i < 3; ++i) send(0x000F, 0);
        if (pass == 4) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);

    const std::vector<Call> frames = callsNamed("swapBuffers");
    ASSERT_EQ(frames.size(), 1u) << "passes 0 to 2 took messages, pass 3 drew";
    int lastDispatch = -1;
    for (int i = 0; i < int(fake::calls().size()); ++i)
        if (parseCall(fake::calls()[i]).name == "dispatchMessage") lastDispatch = i;
    EXPECT_GT(indexOf("swapBuffers"), lastDispatch);
}

TEST_F(MainLoopTest, FramesArePresentedOnTheWindowsDeviceContext) {
    std::string dc;
    script([&dc](int pass) {
        if (pass == 0) dc = number(deviceContext);
        if (pass == 2) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);
    for (const Call& frame : callsNamed("swapBuffers"))
        EXPECT_EQ(frame.args, std::vector<std::string>{dc});
}

TEST_F(MainLoopTest, MinimisedWindowDrawsNothingAndIgnoresEscapeUntilRestored) {
    float angleWhenRestored = 0.0f;
    script([&](int pass) {
        if (pass == 0) {
            send(WM_ACTIVATE, (1u << 16) | WA_INACTIVE);
            send(WM_KEYDOWN, VK_ESCAPE);
            send(WM_KEYDOWN, VK_UP);
        }
        if (pass == 10) {
            angleWhenRestored = viewAngleX;
            send(WM_ACTIVATE, WA_ACTIVE);
        }
    });
    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(lastPass, 11) << "Escape ends the first idle pass after the restore";
    EXPECT_EQ(countOf("swapBuffers"), 0);
    // Passes 3 to 9 were idle and minimised: the other keys are still read.
    EXPECT_EQ(angleWhenRestored, 7.0f);
}

struct ArrowCase {
    const char* label;
    unsigned key;
    float stepX, stepY;
};

class MainLoopArrows : public MainLoopTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(MainLoopArrows, TurnTheViewByOneDegreePerIdlePass) {
    const ArrowCase& c = GetParam();
    script([&c](int pass) {
        if (pass == 0) keyDown[c.key] = true;
        if (pass == 3) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);
    // Four idle passes, the one that saw Escape included; the counter stands still, so the
    // frames add no turn of their own.
    EXPECT_EQ(viewAngleX, 4.0f * c.stepX);
    EXPECT_EQ(viewAngleY, 4.0f * c.stepY);
}

INSTANTIATE_TEST_SUITE_P(Keys, MainLoopArrows,
                         ::testing::Values(ArrowCase{"Up", VK_UP, 1.0f, 0.0f},
                                           ArrowCase{"Down", VK_DOWN, -1.0f, 0.0f},
                                           ArrowCase{"Right", VK_RIGHT, 0.0f, 1.0f},
                                           ArrowCase{"Left", VK_LEFT, 0.0f, -1.0f}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainLoopTest, MessagePassesDoNotTurnTheView) {
    script([](int pass) {
        if (pass == 0) {
            keyDown[VK_UP] = true;
            for (int i = 0; i < 5; ++i) send(0x000F, 0);
        }
        if (pass == 5) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);
    EXPECT_EQ(viewAngleX, 1.0f);
}

// At 2^24 a float cannot hold 2^24 + 1, so adding first and subtracting after ends one lower
// than the other way round: the result tells the order of the steps.
TEST_F(MainLoopTest, ArrowStepsRunUpBeforeDownAndRightBeforeLeft) {
    script([](int pass) {
        if (pass == 0) {
            viewAngleX = 16777216.0f;
            viewAngleY = 16777216.0f;
            for (unsigned key : {VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT, VK_ESCAPE}) keyDown[key] = true;
        }
    });
    EXPECT_EQ(runDemo(), 0);
    EXPECT_EQ(viewAngleX, 16777215.0f);
    EXPECT_EQ(viewAngleY, 16777215.0f);
}

struct SwitchCase {
    const char* label;
    std::vector<unsigned> keys;
    bool flipsDetail, flipsBump;
    unsigned sleepPerPass;
};

class MainLoopSwitches : public MainLoopTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(MainLoopSwitches, KeypadKeysFlipTheirSwitchAndSleepInEveryIdlePass) {
    const SwitchCase& c = GetParam();
    std::vector<unsigned> slept;
    std::vector<bool> detail, bump;
    script([&](int pass) {
        slept.push_back(fake::sleptMilliseconds());
        detail.push_back(engine.isDetailEnabled());
        bump.push_back(engine.isBumpEnabled());
        if (pass == 0)
            for (unsigned key : c.keys) keyDown[key] = true;
        if (pass == 2) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);

    // Without DOT3 both switches start off; three idle passes flip a held switch three times.
    ASSERT_EQ(slept.size(), 3u);
    EXPECT_EQ(detail, (std::vector<bool>{false, c.flipsDetail, false}));
    EXPECT_EQ(bump, (std::vector<bool>{false, c.flipsBump, false}));
    EXPECT_EQ(engine.isDetailEnabled(), c.flipsDetail);
    EXPECT_EQ(engine.isBumpEnabled(), c.flipsBump);
    EXPECT_EQ(slept, (std::vector<unsigned>{0, c.sleepPerPass, 2 * c.sleepPerPass}));
    EXPECT_EQ(fake::sleptMilliseconds(), 3 * c.sleepPerPass);
    for (const Call& pause : callsNamed("sleep")) EXPECT_EQ(pause.args[0], "300");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainLoopSwitches,
    ::testing::Values(SwitchCase{"Keypad1", {VK_NUMPAD1}, true, false, 300},
                      SwitchCase{"Keypad2", {VK_NUMPAD2}, false, true, 300},
                      SwitchCase{"BothKeypadKeys", {VK_NUMPAD1, VK_NUMPAD2}, true, true, 600},
                      // The digit keys of the main keyboard are not the effect keys.
                      SwitchCase{"DigitKeys", {0x31, 0x32}, false, false, 0}),
    [](const auto& info) { return std::string(info.param.label); });

struct ModeSwitchCase {
    const char* label;
    int startAnswer;
    bool reopenedFullscreen;
};

class MainLoopModeSwitch : public MainLoopTest,
                           public ::testing::WithParamInterface<ModeSwitchCase> {};

TEST_P(MainLoopModeSwitch, F1ReopensOnceInTheOtherModeWithTheShortTitle) {
    const ModeSwitchCase& c = GetParam();
    fake::answerMessageBoxes({c.startAnswer});
    bool f1AfterSwitch = true;
    std::vector<std::string> contexts;
    script([&](int pass) {
        contexts.push_back(number(deviceContext));
        if (pass == 0) keyDown[VK_F1] = true;
        if (pass == 1) f1AfterSwitch = keyDown[VK_F1];
        if (pass == 2) keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);

    EXPECT_FALSE(f1AfterSwitch);
    EXPECT_EQ(fullscreenMode, c.reopenedFullscreen);
    const std::vector<Call> windows = callsNamed("createWindowEx");
    ASSERT_EQ(windows.size(), 2u) << "one switch for one press";
    EXPECT_EQ(windows[0].args[2], "Vorn Engine Dev.");
    EXPECT_EQ(windows[0].args[3], c.reopenedFullscreen ? windowedStyle : popupStyle);
    EXPECT_EQ(windows[1].args[2], "Vorn Eng Dev");
    EXPECT_EQ(windows[1].args[3], c.reopenedFullscreen ? popupStyle : windowedStyle);
    EXPECT_EQ(windows[1].args[6], "1024");
    EXPECT_EQ(windows[1].args[7], "768");

    // The first window is closed before the second is made.
    const int firstClosed = indexOf("destroyWindow");
    const int secondOpened = indexOf("createWindowEx", indexOf("createWindowEx") + 1);
    EXPECT_LT(firstClosed, secondOpened);
    const int displayChange = fake::indexOfCall("changeDisplaySettings(148,");
    if (c.reopenedFullscreen) {
        EXPECT_GT(displayChange, firstClosed);
    }

    // The start-up runs again in the new context, with its messages.
    int capabilityBoxes = 0;
    for (const auto& box : fake::messageBoxes())
        capabilityBoxes += box.text == startUpBoxTexts[0] ? 1 : 0;
    EXPECT_EQ(capabilityBoxes, 2);
    EXPECT_EQ(countOf("createFont"), 4);

    // Pass 0 drew on the first window, pass 1 on the second.
    const std::vector<Call> frames = callsNamed("swapBuffers");
    ASSERT_EQ(frames.size(), 2u);
    ASSERT_EQ(contexts.size(), 3u);
    EXPECT_NE(contexts[0], contexts[1]);
    EXPECT_EQ(frames[0].args, std::vector<std::string>{contexts[0]});
    EXPECT_EQ(frames[1].args, std::vector<std::string>{contexts[1]});
}

INSTANTIATE_TEST_SUITE_P(
    Directions, MainLoopModeSwitch,
    ::testing::Values(ModeSwitchCase{"FullscreenToWindowed", IDYES, false},
                      ModeSwitchCase{"WindowedToFullscreen", IDNO, true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainLoopTest, EverySwitchReleasesTheFontsOfTheWindowItCloses) {
    constexpr int switches = 5;
    std::vector<std::size_t> liveFontsPerPass;
    script([&](int pass) {
        liveFontsPerPass.push_back(fake::liveFonts().size());
        if (pass < switches) keyDown[VK_F1] = true;
        else keyDown[VK_ESCAPE] = true;
    });
    EXPECT_EQ(runDemo(), 0);

    // One pair of fonts at any time, whatever the number of switches, and none at the end.
    EXPECT_EQ(liveFontsPerPass, std::vector<std::size_t>(switches + 1, 2));
    EXPECT_TRUE(fake::liveFonts().empty());
    EXPECT_EQ(countOf("createFont"), 2 * (switches + 1));
    EXPECT_EQ(countOf("deleteObject"), countOf("createFont"));
    // Each window's fonts go before its context does.
    int from = 0;
    for (int window = 0; window <= switches; ++window) {
        const int contextDeleted = indexOf("deleteContext", from);
        ASSERT_GE(contextDeleted, 0);
        EXPECT_LT(indexOf("deleteObject", from), contextDeleted);
        from = contextDeleted + 1;
    }
}

TEST_F(MainLoopTest, F1ReopenFailingEndsWithZeroAtOnce) {
    script([](int pass) {
        if (pass == 0) {
            keyDown[VK_F1] = true;
            keyDown[VK_UP] = true;
            keyDown[VK_NUMPAD1] = true;
            fake::failCall("createWindowEx");
        }
    });
    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(lastPass, 0);
    EXPECT_EQ(fake::messageBoxes().back().text, "Window Creation Error.");
    // The failed attempt's close releases only its class, and nothing follows the box: no
    // further close, no keys of that pass.
    const int failedWindow = indexOf("createWindowEx", indexOf("createWindowEx") + 1);
    ASSERT_GT(failedWindow, 0);
    EXPECT_EQ(callNames(std::size_t(failedWindow) + 1),
              (std::vector<std::string>{"unregisterClass", "messageBox"}));
    for (const auto& box : fake::messageBoxes()) EXPECT_NE(box.caption, "SHUTDOWN ERROR");
    EXPECT_EQ(countOf("destroyWindow"), 1);
    EXPECT_EQ(viewAngleX, 0.0f);
    EXPECT_EQ(fake::sleptMilliseconds(), 0u);
}

}  // namespace
