// Closing the window on the recording platform: the release order, the shut-down boxes with
// closing going on after each, and a second close that releases nothing twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/gl_window.h"
#include "app/shell_state.h"
#include "platform/fake_platform.h"
#include "shell_fixture.h"

using namespace platform;
using namespace shelltest;

namespace {

class GlWindowCloseTest : public ShellTest {
protected:
    // Opens a window and remembers its handles; the log then starts at the close.
    void open(bool fullscreen) {
        ASSERT_TRUE(openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, fullscreen));
        window = number(mainWindow);
        dc = number(deviceContext);
        rc = number(renderContext);
        instance = number(moduleInstance);
        const auto& fonts = fake::liveFonts();
        ASSERT_EQ(fonts.size(), 2u) << "the small font, then the title font";
        smallFont = number(fonts[0]);
        titleFont = number(fonts[1]);
        firstCloseCall = fake::calls().size();
        boxesBefore = fake::messageBoxes().size();
    }

    std::vector<Call> closeCalls() const {
        std::vector<Call> all = recordedCalls();
        return std::vector<Call>(all.begin() + long(firstCloseCall), all.end());
    }

    std::string window, dc, rc, instance, smallFont, titleFont;
    std::size_t firstCloseCall = 0;
    std::size_t boxesBefore = 0;
};

using Args = std::vector<std::string>;

TEST_F(GlWindowCloseTest, WindowedCloseReleasesFontsContextDeviceContextWindowAndClassInOrder) {
    open(false);
    closeGlWindow();

    const std::vector<Call> calls = closeCalls();
    ASSERT_EQ(calls.size(), 7u);
    // The fonts go first, while their context is still current.
    EXPECT_EQ(calls[0].name, "deleteObject");
    EXPECT_EQ(calls[0].args, Args{titleFont});
    EXPECT_EQ(calls[1].name, "deleteObject");
    EXPECT_EQ(calls[1].args, Args{smallFont});
    EXPECT_EQ(calls[2].name, "makeCurrent");
    EXPECT_EQ(calls[2].args, (Args{"0", "0"}));
    EXPECT_EQ(calls[3].name, "deleteContext");
    EXPECT_EQ(calls[3].args, Args{rc});
    EXPECT_EQ(calls[4].name, "releaseDC");
    EXPECT_EQ(calls[4].args, (Args{window, dc}));
    EXPECT_EQ(calls[5].name, "destroyWindow");
    EXPECT_EQ(calls[5].args, Args{window});
    EXPECT_EQ(calls[6].name, "unregisterClass");
    EXPECT_EQ(calls[6].args, (Args{"OpenGL", instance}));
    EXPECT_TRUE(fake::liveFonts().empty());

    EXPECT_EQ(fake::messageBoxes().size(), boxesBefore);
    EXPECT_EQ(mainWindow, 0u);
    EXPECT_EQ(deviceContext, 0u);
    EXPECT_EQ(renderContext, 0u);
    EXPECT_EQ(moduleInstance, 0u);
    EXPECT_TRUE(fake::registeredClasses().empty());
}

TEST_F(GlWindowCloseTest, FullscreenCloseFirstRestoresTheDesktopModeAndTheCursor) {
    open(true);
    closeGlWindow();

    const std::vector<Call> calls = closeCalls();
    ASSERT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[0].name, "changeDisplaySettings");
    EXPECT_EQ(calls[0].args, (Args{"desktop", "0"}));
    EXPECT_EQ(calls[1].name, "showCursor");
    EXPECT_EQ(calls[1].args, Args{"1"});
    EXPECT_EQ(calls[2].name, "deleteObject");
}

struct ShutdownFailure {
    const char* failingCall;
    const char* box;
};

class GlWindowShutdownFailure : public GlWindowCloseTest,
                                public ::testing::WithParamInterface<ShutdownFailure> {};

TEST_P(GlWindowShutdownFailure, ShowsItsBoxRightAfterTheFailureAndClosingGoesOn) {
    const ShutdownFailure& failure = GetParam();
    open(false);
    fake::failCall(failure.failingCall);
    closeGlWindow();

    std::vector<std::string> names;
    for (const Call& call : closeCalls()) names.push_back(call.name);
    std::vector<std::string> expected = {"deleteObject", "deleteObject", "makeCurrent",
                                         "deleteContext", "releaseDC", "destroyWindow",
                                         "unregisterClass"};
    const auto failed = std::find(expected.begin(), expected.end(), failure.failingCall);
    ASSERT_NE(failed, expected.end());
    expected.insert(failed + 1, "messageBox");
    EXPECT_EQ(names, expected);

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), boxesBefore + 1);
    EXPECT_EQ(boxes.back().text, failure.box);
    EXPECT_EQ(boxes.back().caption, "SHUTDOWN ERROR");
    EXPECT_EQ(boxes.back().style, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(boxes.back().style, 0x40u);

    // A handle is forgotten once its release was tried, whatever came of it.
    EXPECT_EQ(mainWindow, 0u);
    EXPECT_EQ(deviceContext, 0u);
    EXPECT_EQ(renderContext, 0u);
    EXPECT_EQ(moduleInstance, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRelease, GlWindowShutdownFailure,
    ::testing::Values(ShutdownFailure{"makeCurrent", "Release Of DC And RC Failed."},
                      ShutdownFailure{"deleteContext", "Release Rendering Context Failed."},
                      ShutdownFailure{"releaseDC", "Release Device Context Failed."},
                      ShutdownFailure{"destroyWindow", "Could Not Release hWnd."},
                      ShutdownFailure{"unregisterClass", "Could Not Unregister Class."}),
    [](const auto& info) { return std::string(info.param.failingCall); });

TEST_F(GlWindowCloseTest, EveryReleaseFailingShowsEveryBoxInOrder) {
    open(false);
    for (const char* name :
         {"makeCurrent", "deleteContext", "releaseDC", "destroyWindow", "unregisterClass"})
        fake::failCall(name);
    closeGlWindow();

    const auto& boxes = fake::messageBoxes();
    const std::vector<std::string> expected = {
        "Release Of DC And RC Failed.", "Release Rendering Context Failed.",
        "Release Device Context Failed.", "Could Not Release hWnd.",
        "Could Not Unregister Class."};
    ASSERT_EQ(boxes.size(), boxesBefore + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(boxes[boxesBefore + i].text, expected[i]);
        EXPECT_EQ(boxes[boxesBefore + i].caption, "SHUTDOWN ERROR");
    }
}

TEST_F(GlWindowCloseTest, SecondCloseReleasesNoHandleTwice) {
    open(false);
    closeGlWindow();
    const std::size_t secondClose = fake::calls().size();
    const std::size_t boxesAfterFirst = fake::messageBoxes().size();
    closeGlWindow();

    for (const char* name : {"makeCurrent", "deleteContext", "releaseDC", "destroyWindow"})
        EXPECT_EQ(countOf(name), name == std::string("makeCurrent") ? 2 : 1) << name;
    std::vector<std::string> names = callNames(secondClose);
    names.erase(std::remove(names.begin(), names.end(), "messageBox"), names.end());
    EXPECT_EQ(names, std::vector<std::string>{"unregisterClass"});
    EXPECT_EQ(callsNamed("unregisterClass").back().args, (Args{"OpenGL", "0"}));
    // The class is gone already; the only thing the second close may say is that.
    for (std::size_t i = boxesAfterFirst; i < fake::messageBoxes().size(); ++i)
        EXPECT_EQ(fake::messageBoxes()[i].text, "Could Not Unregister Class.");
}

TEST_F(GlWindowCloseTest, CloseWithNothingOpenReleasesNoHandle) {
    closeGlWindow();
    std::vector<std::string> names = callNames();
    names.erase(std::remove(names.begin(), names.end(), "messageBox"), names.end());
    // fullscreenMode starts true, so the desktop mode is asked back as well.
    EXPECT_EQ(names, (std::vector<std::string>{"changeDisplaySettings", "showCursor",
                                               "unregisterClass"}));
}

}  // namespace
