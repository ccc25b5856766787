// The Win32 emulation over the recording host: host events as window messages, message boxes
// as host questions, the display-mode rules, class names without case and the handles of
// failed calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "platform/platform.h"

using namespace platform;

namespace {

int quietProcedureCalls = 0;
LResult quietProcedure(WindowHandle, unsigned, WParam, LParam) {
    ++quietProcedureCalls;
    return 0;
}

class EmulationTest : public ::testing::Test {
protected:
    void SetUp() override { fake::reset(); }

    static bool registerNamed(const char* name) {
        WindowClass windowClass;
        windowClass.procedure = quietProcedure;
        windowClass.className = name;
        return registerClass(windowClass);
    }

    static WindowHandle open(unsigned style, const char* className = "Test") {
        return createWindowEx(0, className, "t", style, 0, 0, 640, 480, 0, getModuleHandle());
    }

    // The messages the queue holds now, all taken.
    static std::vector<Message> takeAll() {
        std::vector<Message> taken;
        Message message;
        while (peekMessage(message)) taken.push_back(message);
        return taken;
    }
};

host::Event event(host::EventKind kind) {
    host::Event e;
    e.kind = kind;
    return e;
}
host::Event key(unsigned virtualKey, bool down, bool alt = false) {
    host::Event e = event(host::EventKind::key);
    e.virtualKey = virtualKey;
    e.down = down;
    e.alt = alt;
    return e;
}
host::Event mouse(host::EventKind kind, int x, int y, bool downOrHeld) {
    host::Event e = event(kind);
    e.x = x;
    e.y = y;
    e.down = e.leftHeld = downOrHeld;
    return e;
}
host::Event wheel(int steps) {
    host::Event e = event(host::EventKind::wheel);
    e.wheelSteps = steps;
    return e;
}
host::Event activity(bool active, bool minimised) {
    host::Event e = event(active ? host::EventKind::activated : host::EventKind::deactivated);
    e.minimised = minimised;
    return e;
}
host::Event resized(int width, int height) {
    host::Event e = event(host::EventKind::resized);
    e.width = width;
    e.height = height;
    return e;
}

struct EventCase {
    const char* label;
    host::Event event;
    unsigned message;
    WParam wParam;
    LParam lParam;
};

class EmulatedEvents : public EmulationTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(EmulatedEvents, BecomeTheWindowMessageWindowsSends) {
    const EventCase& c = GetParam();
    ASSERT_TRUE(registerNamed("Test"));
    const WindowHandle window = open(WS_OVERLAPPEDWINDOW);
    host::Event e = c.event;
    // A quit names no window: it goes to the only one there is.
    if (e.kind != host::EventKind::quit) e.window = fake::lastHostWindow();
    fake::queueEvent(e);

    const std::vector<Message> taken = takeAll();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].window, window);
    EXPECT_EQ(taken[0].message, c.message);
    EXPECT_EQ(taken[0].wParam, c.wParam);
    EXPECT_EQ(taken[0].lParam, c.lParam);
}

INSTANTIATE_TEST_SUITE_P(
    Events, EmulatedEvents,
    ::testing::Values(
        EventCase{"KeyDown", key(VK_UP, true), WM_KEYDOWN, VK_UP, 0},
        EventCase{"KeyUp", key(VK_NUMPAD1, false), WM_KEYUP, VK_NUMPAD1, 0},
        EventCase{"AltKeyIsSystemKey", key('X', true, true), WM_SYSKEYDOWN, 'X', 0},
        EventCase{"F10IsSystemKey", key(VK_F1 + 9, true), WM_SYSKEYDOWN, VK_F1 + 9, 0},
        EventCase{"F10UpIsSystemKey", key(VK_F1 + 9, false), WM_SYSKEYUP, VK_F1 + 9, 0},
        EventCase{"F1IsNoSystemKey", key(VK_F1, true), WM_KEYDOWN, VK_F1, 0},
        EventCase{"MoveWithLeftHeld", mouse(host::EventKind::mouseMove, 10, 20, true),
                  WM_MOUSEMOVE, MK_LBUTTON, 10 | (20 << 16)},
        EventCase{"MoveLeftOfTheWindow", mouse(host::EventKind::mouseMove, -3, 5, false),
                  WM_MOUSEMOVE, 0, 0xFFFD | (5 << 16)},
        EventCase{"LeftDown", mouse(host::EventKind::mouseButton, 7, 8, true), WM_LBUTTONDOWN,
                  MK_LBUTTON, 7 | (8 << 16)},
        EventCase{"LeftUp", mouse(host::EventKind::mouseButton, 7, 8, false), WM_LBUTTONUP, 0,
                  7 | (8 << 16)},
        EventCase{"WheelAway", wheel(1), WM_MOUSEWHEEL, WParam(120) << 16, 0},
        EventCase{"WheelTowards", wheel(-2), WM_MOUSEWHEEL, WParam(0xFF10) << 16, 0},
        EventCase{"Activated", activity(true, false), WM_ACTIVATE, WA_ACTIVE, 0},
        EventCase{"Minimised", activity(false, true), WM_ACTIVATE, (1u << 16) | WA_INACTIVE, 0},
        EventCase{"FocusLost", activity(false, false), WM_ACTIVATE, WA_INACTIVE, 0},
        // A focus gained while still minimised must not read as a restore.
        EventCase{"FocusWhileMinimised", activity(true, true), WM_ACTIVATE,
                  (1u << 16) | WA_ACTIVE, 0},
        EventCase{"Resized", resized(800, 600), WM_SIZE, 0, 800 | (600 << 16)},
        EventCase{"Close", event(host::EventKind::close), WM_CLOSE, 0, 0},
        EventCase{"Quit", event(host::EventKind::quit), WM_CLOSE, 0, 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(EmulationTest, EventsOfNoKnownWindowAreDropped) {
    host::Event stray = key(VK_UP, true);
    stray.window = 0x9999;
    fake::queueEvent(stray);
    fake::queueEvent(event(host::EventKind::quit));  // no window to close
    EXPECT_TRUE(takeAll().empty());
}

TEST_F(EmulationTest, NothingOfADestroyedWindowReachesTheProgramButTheQuitDoes) {
    ASSERT_TRUE(registerNamed("Test"));
    const WindowHandle window = open(WS_OVERLAPPEDWINDOW);
    host::Event pending = key(VK_UP, true);  // still with the host
    pending.window = fake::lastHostWindow();
    fake::queueEvent(pending);
    fake::queueMessage(Message{window, WM_KEYDOWN, VK_DOWN, 0});  // queued already
    postQuitMessage(5);
    ASSERT_TRUE(destroyWindow(window));

    const std::vector<Message> left = takeAll();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].message, WM_QUIT);
    EXPECT_EQ(left[0].wParam, 5u);
}

struct BoxCase {
    const char* label;
    const char* text;
    unsigned style;
    int hostAnswer;
    const char* question;
    int answer;
};

class EmulatedBoxes : public EmulationTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(EmulatedBoxes, AskTheHostWithTheButtonsAndIconOfTheStyle) {
    const BoxCase& c = GetParam();
    fake::answerMessageBoxes({c.hostAnswer});
    EXPECT_EQ(messageBox(c.text, "Cap", c.style), c.answer);
    ASSERT_EQ(fake::questions().size(), 1u);
    EXPECT_EQ(fake::questions()[0], c.question);
    ASSERT_EQ(fake::messageBoxes().size(), 1u);
    EXPECT_EQ(fake::messageBoxes()[0].text, c.text) << "the box as the program gave it";
}

INSTANTIATE_TEST_SUITE_P(
    Styles, EmulatedBoxes,
    ::testing::Values(
        BoxCase{"Ok", "t", MB_OK, IDOK, "Cap: t [information] OK=1*~", IDOK},
        BoxCase{"YesNoQuestion", "t", MB_YESNO | MB_ICONQUESTION, IDNO,
                "Cap: t [information] Yes=6* No=7~", IDNO},
        BoxCase{"Stop", "t", MB_OK | MB_ICONSTOP, IDOK, "Cap: t [error] OK=1*~", IDOK},
        BoxCase{"Exclamation", "t", MB_YESNO | MB_ICONEXCLAMATION, IDYES,
                "Cap: t [warning] Yes=6* No=7~", IDYES},
        BoxCase{"Windows1252TextAsUtf8", "Termin\xE9", MB_OK | MB_ICONINFORMATION, IDOK,
                "Cap: Termin\xC3\xA9 [information] OK=1*~", IDOK},
        // Nothing to show it on: the first button answers.
        BoxCase{"UnshownYesNo", "t", MB_YESNO, -1, "Cap: t [information] Yes=6* No=7~", IDYES},
        BoxCase{"UnshownOk", "t", MB_OK, -1, "Cap: t [information] OK=1*~", IDOK}),
    [](const auto& info) { return std::string(info.param.label); });

DisplayMode modeOf(unsigned width, unsigned height) {
    DisplayMode mode;
    mode.size = DISPLAY_MODE_SIZE;
    mode.pelsWidth = width;
    mode.pelsHeight = height;
    mode.bitsPerPel = 32;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return mode;
}

TEST_F(EmulationTest, DisplayModeRules) {
    const DisplayMode mode = modeOf(1024, 768);
    EXPECT_EQ(changeDisplaySettings(&mode, 0), DISP_CHANGE_FAILED) << "only fullscreen changes";
    fake::failCall("hasDisplayMode");
    EXPECT_EQ(changeDisplaySettings(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
    EXPECT_EQ(changeDisplaySettings(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);

    // With the mode in force a popup window is fullscreen, a framed one is not.
    ASSERT_TRUE(registerNamed("Test"));
    ASSERT_NE(open(WS_POPUP), 0u);
    ASSERT_NE(open(WS_OVERLAPPEDWINDOW), 0u);
    EXPECT_EQ(changeDisplaySettings(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    ASSERT_NE(open(WS_POPUP), 0u);
    EXPECT_EQ(fake::hostCalls(), (std::vector<std::string>{
                                     "openWindow(t, 1, 1)", "openWindow(t, 0, 0)",
                                     "leaveFullscreen", "openWindow(t, 1, 0)"}));
}

TEST_F(EmulationTest, ClassNamesAreComparedWithoutCase) {
    ASSERT_TRUE(registerNamed("OpenGL"));
    EXPECT_FALSE(registerNamed("OPENGL")) << "registered already";
    EXPECT_FALSE(registerNamed("")) << "a class needs a name";
    EXPECT_NE(open(WS_OVERLAPPEDWINDOW, "openGl"), 0u);
    EXPECT_TRUE(unregisterClass("OpenGl", getModuleHandle()));
    EXPECT_FALSE(unregisterClass("OpenGL", getModuleHandle())) << "gone already";
    EXPECT_EQ(open(WS_OVERLAPPEDWINDOW, "OpenGL"), 0u);
}

TEST_F(EmulationTest, FailedCallsGiveNoHandle) {
    EXPECT_EQ(open(WS_OVERLAPPEDWINDOW, "Nothing"), 0u) << "no such class";
    ASSERT_TRUE(registerNamed("Test"));
    fake::failCall("openWindow");
    EXPECT_EQ(open(WS_OVERLAPPEDWINDOW), 0u) << "the host could not make it";
    EXPECT_EQ(getDC(0x4242), 0u);
    EXPECT_EQ(createContext(0x4242), 0u);

    const WindowHandle window = open(WS_OVERLAPPEDWINDOW);
    const DeviceContext dc = getDC(window);
    ASSERT_NE(dc, 0u);
    PixelFormatDescriptor format;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER;
    EXPECT_EQ(choosePixelFormat(dc, format), 0) << "no OpenGL asked for";
    format.dwFlags |= PFD_SUPPORT_OPENGL;
    EXPECT_EQ(choosePixelFormat(dc, format), 1);
    EXPECT_FALSE(setPixelFormat(dc, 2, format));
    EXPECT_FALSE(releaseDC(window + 1, dc)) << "not that window's";
    EXPECT_TRUE(releaseDC(window, dc));
    EXPECT_EQ(createContext(dc), 0u) << "released already";
}

TEST_F(EmulationTest, DispatchReachesTheProcedureOfTheWindowsClass) {
    ASSERT_TRUE(registerNamed("Test"));
    const WindowHandle window = open(WS_OVERLAPPEDWINDOW);
    quietProcedureCalls = 0;
    dispatchMessage(Message{window, WM_KEYDOWN, VK_UP, 0});
    dispatchMessage(Message{window + 1, WM_KEYDOWN, VK_UP, 0});
    EXPECT_EQ(quietProcedureCalls, 1);
}

}  // namespace
