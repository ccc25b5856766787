// Opening the window on the recording platform: the order of the steps, the values passed,
// every failure with its box, and the fullscreen refusal with its two questions.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/gl_window.h"
#include "app/shell_state.h"
#include "platform/fake_platform.h"
#include "shell_fixture.h"

using namespace platform;
using namespace shelltest;

namespace {

const std::string registeredClassArgs[] = {"OpenGL", "35", "32517", "32512", "0", ""};
constexpr unsigned fullscreenFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
constexpr unsigned clipping = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

using GlWindowOpenTest = ShellTest;

TEST_F(GlWindowOpenTest, WindowedOpeningRunsItsStepsInOrderThenTheStartUp) {
    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));

    const std::vector<std::string> expected = {
        "getModuleHandle", "registerClass", "adjustWindowRectEx", "createWindowEx", "getDC",
        "choosePixelFormat", "setPixelFormat", "createContext", "makeCurrent", "showWindow",
        "setForegroundWindow", "setFocus",
        // the application start-up, with the new context current
        "createFont", "selectObject", "useFontBitmaps", "createFont", "selectObject",
        "useFontBitmaps", "messageBox", "messageBox", "messageBox"};
    EXPECT_EQ(callNames(), expected);
}

TEST_F(GlWindowOpenTest, FullscreenOpeningChangesTheDisplayAndHidesTheCursorBeforeTheWindow) {
    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, true));

    const std::vector<std::string> names = callNames();
    const std::vector<std::string> head(names.begin(), names.begin() + 6);
    const std::vector<std::string> expected = {"getModuleHandle", "registerClass",
                                               "changeDisplaySettings", "showCursor",
                                               "adjustWindowRectEx", "createWindowEx"};
    EXPECT_EQ(head, expected);
}

struct OpeningCase {
    const char* label;
    const char* title;
    int width, height, bits;
    bool fullscreen;
    unsigned exStyle, style;
};

class GlWindowOpeningValues : public ShellTest,
                              public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(GlWindowOpeningValues, PassesTheFixedAndTheRequestedValues) {
    const OpeningCase& c = GetParam();
    ASSERT_TRUE(openGlWindow(demo, c.title, c.width, c.height, c.bits, c.fullscreen));
    EXPECT_EQ(fullscreenMode, c.fullscreen);

    const std::vector<Call> classes = callsNamed("registerClass");
    ASSERT_EQ(classes.size(), 1u);
    EXPECT_EQ(classes[0].args, std::vector<std::string>(std::begin(registeredClassArgs),
                                                        std::end(registeredClassArgs)));

    const std::vector<Call> modes = callsNamed("changeDisplaySettings");
    const std::vector<Call> cursors = callsNamed("showCursor");
    if (c.fullscreen) {
        ASSERT_EQ(modes.size(), 1u);
        EXPECT_EQ(modes[0].args,
                  (std::vector<std::string>{"148", number(fullscreenFields), number(c.width),
                                            number(c.height), number(c.bits),
                                            number(CDS_FULLSCREEN)}));
        ASSERT_EQ(cursors.size(), 1u);
        EXPECT_EQ(cursors[0].args, std::vector<std::string>{"0"});
    } else {
        EXPECT_TRUE(modes.empty());
        EXPECT_TRUE(cursors.empty());
    }

    const std::vector<Call> adjust = callsNamed("adjustWindowRectEx");
    ASSERT_EQ(adjust.size(), 1u);
    EXPECT_EQ(adjust[0].args, (std::vector<std::string>{number(c.width), number(c.height),
                                                        number(c.style), "0",
                                                        number(c.exStyle)}));

    const std::vector<Call> windows = callsNamed("createWindowEx");
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].args,
              (std::vector<std::string>{number(c.exStyle), "OpenGl", c.title,
                                        number(c.style | clipping), "0", "0", number(c.width),
                                        number(c.height), "0", number(moduleInstance)}));
    EXPECT_EQ(moduleInstance, 0x400000u);

    const std::string window = number(mainWindow);
    const std::string dc = number(deviceContext);
    ASSERT_NE(mainWindow, 0u);
    EXPECT_EQ(mainWindow, fake::lastWindow());
    EXPECT_EQ(callsNamed("getDC")[0].args, std::vector<std::string>{window});
    EXPECT_EQ(callsNamed("choosePixelFormat")[0].args,
              (std::vector<std::string>{dc, "40", "1", "37", "0", number(c.bits), "16", "0", "0",
                                        "0"}));
    EXPECT_EQ(callsNamed("setPixelFormat")[0].args, (std::vector<std::string>{dc, "1"}));
    EXPECT_EQ(callsNamed("createContext")[0].args, std::vector<std::string>{dc});
    EXPECT_EQ(callsNamed("makeCurrent")[0].args,
              (std::vector<std::string>{dc, number(renderContext)}));
    for (const char* name : {"showWindow", "setForegroundWindow", "setFocus"}) {
        const std::vector<Call> shown = callsNamed(name);
        ASSERT_EQ(shown.size(), 1u) << name;
        EXPECT_EQ(shown[0].args, std::vector<std::string>{window}) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GlWindowOpeningValues,
    ::testing::Values(
        OpeningCase{"Fullscreen", "Vorn Engine Dev.", 1024, 768, 32, true, WS_EX_APPWINDOW,
                    WS_POPUP},
        OpeningCase{"Windowed", "Vorn Engine Dev.", 1024, 768, 32, false,
                    WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, WS_OVERLAPPEDWINDOW},
        OpeningCase{"OtherSizeFullscreen", "Vorn Eng Dev", 640, 480, 16, true, WS_EX_APPWINDOW,
                    WS_POPUP},
        OpeningCase{"OtherSizeWindowed", "Vorn Eng Dev", 800, 600, 24, false,
                    WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, WS_OVERLAPPEDWINDOW}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(GlWindowOpenTest, StartUpBuildsBothFontsInTheNewDeviceContextAndReportsWhatIsMissing) {
    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    const std::string dc = number(deviceContext);

    const std::vector<Call> fonts = callsNamed("createFont");
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].args.front(), "20");
    EXPECT_EQ(fonts[0].args.back(), "Arial");
    EXPECT_EQ(fonts[1].args.front(), "30");
    EXPECT_EQ(fonts[1].args.back(), "Twentieth Century Poster1");
    for (const Call& glyphs : callsNamed("useFontBitmaps")) {
        EXPECT_EQ(glyphs.args[0], dc);
        EXPECT_EQ(glyphs.args[1], "0");
        EXPECT_EQ(glyphs.args[2], "255");
    }

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), startUpBoxTexts.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].text, startUpBoxTexts[i]);
        EXPECT_EQ(boxes[i].caption, "Erreur");
        EXPECT_EQ(boxes[i].style, MB_OK);
    }
}

TEST_F(GlWindowOpenTest, TheWindowIsServedByTheWindowProcedure) {
    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    dispatchMessage(Message{fake::lastWindow(), WM_KEYDOWN, VK_F1, 0});
    EXPECT_TRUE(keyDown[VK_F1]);
}

// --- failures while opening ---

struct OpeningFailure {
    const char* failingCall;
    const char* box;
    // What closing releases between the failure and the box (display restore excluded).
    std::vector<std::string> releasedBeforeBox;
};

const OpeningFailure openingFailures[] = {
    {"registerClass", "Failed To Register The Window Class.", {}},
    {"createWindowEx", "Window Creation Error.", {"unregisterClass"}},
    {"getDC", "Can't Create A GL Device Context.", {"destroyWindow", "unregisterClass"}},
    {"choosePixelFormat", "Can't Find A Suitable PixelFormat.",
     {"releaseDC", "destroyWindow", "unregisterClass"}},
    {"setPixelFormat", "Can't Set The PixelFormat.",
     {"releaseDC", "destroyWindow", "unregisterClass"}},
    {"createContext", "Can't Create A GL Rendering Context.",
     {"releaseDC", "destroyWindow", "unregisterClass"}},
    {"makeCurrent", "Can't Activate The GL Rendering Context.",
     {"makeCurrent", "deleteContext", "releaseDC", "destroyWindow", "unregisterClass"}},
};

class GlWindowOpeningFailure
    : public ShellTest,
      public ::testing::WithParamInterface<std::tuple<OpeningFailure, bool>> {};

TEST_P(GlWindowOpeningFailure, ClosesWhatWasOpenedThenShowsItsErrorBox) {
    const auto& [failure, fullscreen] = GetParam();
    fake::failCall(failure.failingCall);

    EXPECT_FALSE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, fullscreen));

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, failure.box);
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(boxes[0].style, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[0].style, 0x30u);

    // Everything after the failing call is the close of this attempt, then the box, last.
    const bool registered = std::string(failure.failingCall) != "registerClass";
    std::vector<std::string> expected;
    if (registered && fullscreen) expected = {"changeDisplaySettings", "showCursor"};
    expected.insert(expected.end(), failure.releasedBeforeBox.begin(),
                    failure.releasedBeforeBox.end());
    expected.push_back("messageBox");
    const int failed = indexOf(failure.failingCall);
    ASSERT_GE(failed, 0);
    EXPECT_EQ(callNames(std::size_t(failed) + 1), expected);
    if (registered && fullscreen) {
        EXPECT_EQ(callsNamed("changeDisplaySettings").back().args,
                  (std::vector<std::string>{"desktop", "0"}));
        EXPECT_EQ(callsNamed("showCursor").back().args, std::vector<std::string>{"1"});
    }

    EXPECT_EQ(countOf("createFont"), 0) << "no start-up after a failed opening";
    EXPECT_EQ(mainWindow, 0u);
    EXPECT_EQ(deviceContext, 0u);
    EXPECT_EQ(renderContext, 0u);
    EXPECT_TRUE(fake::registeredClasses().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, GlWindowOpeningFailure,
    ::testing::Combine(::testing::ValuesIn(openingFailures), ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).failingCall) +
               (std::get<1>(info.param) ? "Fullscreen" : "Windowed");
    });

TEST_F(GlWindowOpenTest, RegistrationFailsWhenTheClassExistsUnderAnyCase) {
    WindowClass existing;
    existing.className = "OPENGL";
    ASSERT_TRUE(registerClass(existing));

    EXPECT_FALSE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    ASSERT_EQ(fake::messageBoxes().size(), 1u);
    EXPECT_EQ(fake::messageBoxes()[0].text, "Failed To Register The Window Class.");
    EXPECT_EQ(countOf("createWindowEx"), 0);
}

// --- the fullscreen mode refused by the display ---

const char* const fallbackQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
    "Instead?";

TEST_F(GlWindowOpenTest, RefusedFullscreenAnsweredYesGoesOnWindowed) {
    fake::failCall("changeDisplaySettings");
    fake::answerMessageBoxes({IDYES});

    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, true));

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u + startUpBoxTexts.size());
    EXPECT_EQ(boxes[0].text, fallbackQuestion);
    EXPECT_EQ(boxes[0].caption, "Kovo GL");
    EXPECT_EQ(boxes[0].style, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[0].style, 0x34u);
    EXPECT_EQ(boxes[1].text, startUpBoxTexts[0]);

    EXPECT_FALSE(fullscreenMode);
    EXPECT_TRUE(callsNamed("showCursor").empty()) << "the cursor stays visible windowed";
    const Call window = callsNamed("createWindowEx").at(0);
    EXPECT_EQ(window.args[0], number(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE));
    EXPECT_EQ(window.args[3], number(WS_OVERLAPPEDWINDOW | clipping));

    // Windowed now, so closing leaves the desktop's mode alone.
    const std::size_t before = fake::calls().size();
    closeGlWindow();
    for (const std::string& name : callNames(before)) EXPECT_NE(name, "changeDisplaySettings");
}

class GlWindowFallbackRefused : public ShellTest, public ::testing::WithParamInterface<int> {};

TEST_P(GlWindowFallbackRefused, ClosesTheProgramAndLeavesTheClassRegistered) {
    fake::failCall("changeDisplaySettings");
    fake::answerMessageBoxes({GetParam()});

    EXPECT_FALSE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, true));

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, fallbackQuestion);
    EXPECT_EQ(boxes[0].caption, "Kovo GL");
    EXPECT_EQ(boxes[0].style, 0x34u);
    EXPECT_EQ(boxes[1].text, "Program Will Now Close.");
    EXPECT_EQ(boxes[1].caption, "ERROR");
    EXPECT_EQ(boxes[1].style, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(boxes[1].style, 0x10u);

    EXPECT_EQ(countOf("createWindowEx"), 0);
    EXPECT_EQ(countOf("showCursor"), 0);
    EXPECT_EQ(countOf("unregisterClass"), 0);
    EXPECT_EQ(fake::registeredClasses(), std::vector<std::string>{"opengl"});
    EXPECT_EQ(mainWindow, 0u);

    // The class left behind makes a later opening fail at registration.
    fake::answerMessageBoxes({IDOK});
    EXPECT_FALSE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    EXPECT_EQ(fake::messageBoxes().back().text, "Failed To Register The Window Class.");
}

// No, and answers that are not Yes (a box closed some other way).
INSTANTIATE_TEST_SUITE_P(AnswersOtherThanYes, GlWindowFallbackRefused,
                         ::testing::Values(IDNO, IDOK, 0, 2));

// --- the pixel format descriptor ---

TEST_F(GlWindowOpenTest, PixelFormatIsFilledOnTheFirstOpeningOnly) {
    ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    closeGlWindow();
    ASSERT_TRUE(openGlWindow(demo, "Vorn Eng Dev", 1024, 768, 16, false));

    const std::vector<Call> formats = callsNamed("choosePixelFormat");
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].args[5], "32");
    EXPECT_EQ(formats[1].args[5], "32") << "the second opening reuses the first descriptor";

    closeGlWindow();
    resetPixelFormat();
    ASSERT_TRUE(openGlWindow(demo, "Vorn Eng Dev", 1024, 768, 16, false));
    EXPECT_EQ(callsNamed("choosePixelFormat").back().args[5], "16");
}

TEST_F(GlWindowOpenTest, PixelFormatFilledByAnOpeningThatFailedLaterStays) {
    fake::failCall("getDC");
    ASSERT_FALSE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    ASSERT_TRUE(openGlWindow(demo, "Vorn Eng Dev", 1024, 768, 16, false));
    EXPECT_EQ(callsNamed("choosePixelFormat").back().args[5], "32");
}

TEST_F(GlWindowOpenTest, PixelFormatIsNotFilledByAnOpeningThatFailedBeforeIt) {
    fake::failCall("createWindowEx");
    ASSERT_FALSE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, false));
    ASSERT_TRUE(openGlWindow(demo, "Vorn Eng Dev", 1024, 768, 16, false));
    EXPECT_EQ(callsNamed("choosePixelFormat").back().args[5], "16");
}

}  // namespace
