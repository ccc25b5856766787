// The recording platform double: no window, no display; answers come from the test's script.
#include "platform/fake_platform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <deque>
#include <map>
#include <sstream>

namespace platform::fake {
namespace {

struct State {
    std::vector<std::string> calls;
    std::vector<MessageBoxCall> boxes;
    std::map<std::string, int> failures;
    std::deque<int> answers;
    std::deque<Message> queue;
    std::function<void(int)> peekHook;
    int peekCount = 0;
    std::int64_t counter = 0;
    std::int64_t counterStep = 0;
    std::int64_t frequency = 1000;
    void* procAddress = nullptr;
    std::map<std::string, WindowProcedure> classes;  // lower-case name -> procedure
    std::map<WindowHandle, WindowProcedure> windows;
    std::uintptr_t nextHandle = 0x100;
    WindowHandle lastWindow = 0;
    unsigned slept = 0;
    MessageBoxResponder responder = nullptr;
    std::vector<FontHandle> fonts;  // made and not released, in the order made
};

State& state() {
    static State s;
    return s;
}

template <typename... Args>
void record(const char* name, const Args&... args) {
    std::ostringstream out;
    out << name << '(';
    bool first = true;
    ((out << (first ? "" : ", ") << args, first = false), ...);
    out << ')';
    state().calls.push_back(out.str());
}

bool fails(const std::string& name) {
    auto found = state().failures.find(name);
    if (found == state().failures.end() || found->second == 0) return false;
    --found->second;
    return true;
}

std::string lowerCase(const char* text) {
    std::string out = text ? text : "";
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::uintptr_t newHandle() { return state().nextHandle++; }

}  // namespace

void reset() {
    const MessageBoxResponder responder = state().responder;
    state() = State{};
    state().responder = responder;
}
const std::vector<std::string>& calls() { return state().calls; }
std::vector<std::string> callsNamed(const std::string& name) {
    std::vector<std::string> out;
    for (const std::string& call : state().calls)
        if (call.compare(0, name.size() + 1, name + "(") == 0) out.push_back(call);
    return out;
}
int indexOfCall(const std::string& prefix) {
    const auto& all = state().calls;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].compare(0, prefix.size(), prefix) == 0) return int(i);
    return -1;
}
const std::vector<MessageBoxCall>& messageBoxes() { return state().boxes; }
const std::vector<FontHandle>& liveFonts() { return state().fonts; }
void failCall(const std::string& name, int times) { state().failures[name] += times; }
void answerMessageBoxes(std::vector<int> answers) {
    state().answers.insert(state().answers.end(), answers.begin(), answers.end());
}
void queueMessage(const Message& message) { state().queue.push_back(message); }
void onPeek(std::function<void(int)> hook) { state().peekHook = std::move(hook); }
void setCounter(std::int64_t value) { state().counter = value; }
void setCounterStep(std::int64_t step) { state().counterStep = step; }
void setFrequency(std::int64_t ticksPerSecond) { state().frequency = ticksPerSecond; }
void setProcAddress(void* address) { state().procAddress = address; }
WindowHandle lastWindow() { return state().lastWindow; }
std::vector<std::string> registeredClasses() {
    std::vector<std::string> out;
    for (const auto& entry : state().classes) out.push_back(entry.first);
    return out;
}
unsigned sleptMilliseconds() { return state().slept; }

}  // namespace platform::fake

namespace platform {
using fake::fails;
using fake::lowerCase;
using fake::newHandle;
using fake::record;
using fake::state;

ModuleHandle getModuleHandle() {
    record("getModuleHandle");
    return 0x400000;
}

bool registerClass(const WindowClass& windowClass) {
    record("registerClass", windowClass.className ? windowClass.className : "", windowClass.style,
           windowClass.icon, windowClass.cursor, windowClass.backgroundBrush,
           windowClass.menuName ? windowClass.menuName : "");
    const std::string name = lowerCase(windowClass.className);
    if (fails("registerClass") || state().classes.count(name)) return false;
    state().classes[name] = windowClass.procedure;
    return true;
}

bool unregisterClass(const char* className, ModuleHandle instance) {
    record("unregisterClass", className, instance);
    if (fails("unregisterClass")) return false;
    return state().classes.erase(lowerCase(className)) == 1;
}

long changeDisplaySettings(const DisplayMode* mode, unsigned flags) {
    if (mode == nullptr) {
        record("changeDisplaySettings", "desktop", flags);
        return DISP_CHANGE_SUCCESSFUL;
    }
    record("changeDisplaySettings", mode->size, mode->fields, mode->pelsWidth, mode->pelsHeight,
           mode->bitsPerPel, flags);
    return fails("changeDisplaySettings") ? DISP_CHANGE_BADMODE : DISP_CHANGE_SUCCESSFUL;
}

int showCursor(bool show) {
    record("showCursor", show);
    return show ? 0 : -1;
}

bool adjustWindowRectEx(Rect& rect, unsigned style, bool menu, unsigned exStyle) {
    record("adjustWindowRectEx", rect.right - rect.left, rect.bottom - rect.top, style, menu,
           exStyle);
    return true;
}

WindowHandle createWindowEx(unsigned exStyle, const char* className, const char* title,
                            unsigned style, int x, int y, int width, int height,
                            WindowHandle parent, ModuleHandle instance) {
    record("createWindowEx", exStyle, className, title, style, x, y, width, height, parent,
           instance);
    auto found = state().classes.find(lowerCase(className));
    if (fails("createWindowEx") || found == state().classes.end()) return 0;
    const WindowHandle window = newHandle();
    state().windows[window] = found->second;
    state().lastWindow = window;
    return window;
}

bool destroyWindow(WindowHandle window) {
    record("destroyWindow", window);
    if (fails("destroyWindow")) return false;
    return state().windows.erase(window) == 1;
}

bool showWindow(WindowHandle window) {
    record("showWindow", window);
    return true;
}
bool setForegroundWindow(WindowHandle window) {
    record("setForegroundWindow", window);
    return true;
}
WindowHandle setFocus(WindowHandle window) {
    record("setFocus", window);
    return 0;
}
LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    record("defWindowProc", window, message, wParam, lParam);
    return 0;
}

DeviceContext getDC(WindowHandle window) {
    record("getDC", window);
    return fails("getDC") ? 0 : newHandle();
}
bool releaseDC(WindowHandle window, DeviceContext dc) {
    record("releaseDC", window, dc);
    return !fails("releaseDC");
}
int choosePixelFormat(DeviceContext dc, const PixelFormatDescriptor& d) {
    record("choosePixelFormat", dc, d.nSize, d.nVersion, d.dwFlags, int(d.iPixelType),
           int(d.cColorBits), int(d.cDepthBits), int(d.cStencilBits), int(d.cAccumBits),
           int(d.iLayerType));
    return fails("choosePixelFormat") ? 0 : 1;
}
bool setPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor&) {
    record("setPixelFormat", dc, format);
    return !fails("setPixelFormat");
}
RenderContext createContext(DeviceContext dc) {
    record("createContext", dc);
    return fails("createContext") ? 0 : newHandle();
}
bool makeCurrent(DeviceContext dc, RenderContext rc) {
    record("makeCurrent", dc, rc);
    return !fails("makeCurrent");
}
bool deleteContext(RenderContext rc) {
    record("deleteContext", rc);
    return !fails("deleteContext");
}
bool swapBuffers(DeviceContext dc) {
    record("swapBuffers", dc);
    return true;
}
void* getProcAddress(const char* name) {
    record("getProcAddress", name);
    return state().procAddress;
}

bool peekMessage(Message& message) {
    const int number = state().peekCount++;
    if (state().peekHook) state().peekHook(number);
    if (state().queue.empty()) return false;
    message = state().queue.front();
    state().queue.pop_front();
    record("peekMessage", message.message, message.wParam, message.lParam);
    return true;
}
bool translateMessage(const Message& message) {
    record("translateMessage", message.message);
    return false;
}
LResult dispatchMessage(const Message& message) {
    record("dispatchMessage", message.message, message.wParam, message.lParam);
    auto found = state().windows.find(message.window);
    if (found == state().windows.end() || found->second == nullptr) return 0;
    return found->second(message.window, message.message, message.wParam, message.lParam);
}
void postQuitMessage(int exitCode) {
    record("postQuitMessage", exitCode);
    state().queue.push_back(Message{0, WM_QUIT, WParam(exitCode), 0});
}

int messageBox(const char* text, const char* caption, unsigned style) {
    record("messageBox", text, caption, style);
    state().boxes.push_back(fake::MessageBoxCall{text, caption, style});
    if (state().responder) return state().responder(text, caption, style);
    if (!state().answers.empty()) {
        const int answer = state().answers.front();
        state().answers.pop_front();
        return answer;
    }
    return (style & 0x0F) == MB_YESNO ? IDYES : IDOK;
}
void setMessageBoxResponder(MessageBoxResponder responder) { state().responder = responder; }

bool queryPerformanceFrequency(std::int64_t& frequency) {
    if (state().frequency == 0) return false;
    frequency = state().frequency;
    return true;
}
bool queryPerformanceCounter(std::int64_t& count) {
    if (state().frequency == 0) return false;
    count = state().counter;
    state().counter += state().counterStep;
    return true;
}
void sleep(unsigned milliseconds) {
    record("sleep", milliseconds);
    state().slept += milliseconds;
}

void prepareFonts() {}
FontHandle createFont(const FontRequest& r) {
    record("createFont", r.height, r.width, r.escapement, r.orientation, r.weight, r.italic,
           r.underline, r.strikeOut, r.charSet, r.outputPrecision, r.clipPrecision, r.quality,
           r.pitchAndFamily, r.faceName ? r.faceName : "");
    if (fails("createFont")) return 0;
    const FontHandle font = newHandle();
    state().fonts.push_back(font);
    return font;
}
FontHandle selectObject(DeviceContext dc, FontHandle font) {
    record("selectObject", dc, font);
    return 0;
}
bool useFontBitmaps(DeviceContext dc, unsigned first, unsigned count, unsigned listBase) {
    record("useFontBitmaps", dc, first, count, listBase);
    return !fails("useFontBitmaps");
}
bool deleteObject(FontHandle font) {
    record("deleteObject", font);
    auto& fonts = state().fonts;
    const auto found = std::find(fonts.begin(), fonts.end(), font);
    if (found == fonts.end()) return false;
    if (fails("deleteObject")) return false;
    fonts.erase(found);
    return true;
}

}  // namespace platform

namespace platform {
bool createOffscreenContext(int width, int height) {
    fake::record("createOffscreenContext", width, height);
    return false;
}
void destroyOffscreenContext() { fake::record("destroyOffscreenContext"); }
}  // namespace platform
