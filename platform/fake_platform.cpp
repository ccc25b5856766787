// The recording platform double: a host with no window and no display, under the Win32
// emulation, whose every call it records; answers and failures come from the test's script.
#include "platform/fake_platform.h"

#include <algorithm>
#include <deque>
#include <map>

#include "platform/host.h"
#include "platform/win32_emulation.h"

namespace platform::fake {
namespace {

struct State {
    std::vector<std::string> calls;
    std::vector<MessageBoxCall> boxes;
    std::map<std::string, int> failures;
    std::deque<int> answers;
    std::function<void(int)> peekHook;
    int peekCount = 0;
    std::int64_t counter = 0;
    std::int64_t counterStep = 0;
    std::int64_t frequency = 1000;
    void* procAddress = nullptr;
    std::uintptr_t nextHandle = 0x5000;
    unsigned slept = 0;
    std::vector<FontHandle> fonts;  // made and not released, in the order made
    std::vector<host::Event> events;
    host::Window lastHostWindow = 0;
    std::vector<std::string> hostCalls;
    std::vector<std::string> questions;
};

State& state() {
    static State s;
    return s;
}

bool fails(const std::string& name) {
    auto found = state().failures.find(name);
    if (found == state().failures.end() || found->second == 0) return false;
    --found->second;
    return true;
}

// Records every call the emulation answers, and fails those the test said would fail.
class Recorder : public emulation::CallWatcher {
public:
    bool called(const char* name, const std::vector<std::string>& arguments) override {
        std::string text = std::string(name) + '(';
        for (std::size_t i = 0; i < arguments.size(); ++i)
            text += (i == 0 ? "" : ", ") + arguments[i];
        state().calls.push_back(text + ')');
        if (std::string_view(name) == "messageBox")
            state().boxes.push_back(
                MessageBoxCall{arguments[0], arguments[1], unsigned(std::stoul(arguments[2]))});
        return fails(name);
    }
};

Recorder recorder;
// The double watches from the start, before any test has reset it.
[[maybe_unused]] const bool watching = (emulation::watchCalls(&recorder), true);

std::uintptr_t newHandle() { return state().nextHandle++; }

}  // namespace

void reset() {
    state() = State{};
    emulation::reset();
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
void queueMessage(const Message& message) { emulation::postMessage(message); }
void onPeek(std::function<void(int)> hook) { state().peekHook = std::move(hook); }
void setCounter(std::int64_t value) { state().counter = value; }
void setCounterStep(std::int64_t step) { state().counterStep = step; }
void setFrequency(std::int64_t ticksPerSecond) { state().frequency = ticksPerSecond; }
void setProcAddress(void* address) { state().procAddress = address; }
WindowHandle lastWindow() { return emulation::newestWindow(); }
std::vector<std::string> registeredClasses() { return emulation::registeredClasses(); }
unsigned sleptMilliseconds() { return state().slept; }
host::Window lastHostWindow() { return state().lastHostWindow; }
void queueEvent(const host::Event& event) { state().events.push_back(event); }
const std::vector<std::string>& hostCalls() { return state().hostCalls; }
const std::vector<std::string>& questions() { return state().questions; }

}  // namespace platform::fake

namespace platform::host {
using fake::state;

bool hasDisplayMode(int, int) { return !fake::fails("hasDisplayMode"); }
Window openWindow(const WindowRequest& r) {
    state().hostCalls.push_back(std::string("openWindow(") + r.title + ", " +
                                std::to_string(r.popup) + ", " + std::to_string(r.fullscreen) + ")");
    if (fake::fails("openWindow")) return 0;
    state().lastHostWindow = fake::newHandle();
    return state().lastHostWindow;
}
void closeWindow(Window) { state().hostCalls.push_back("closeWindow"); }
void showWindow(Window) {}
void raiseWindow(Window) {}
void focusWindow(Window) {}
void leaveFullscreen(Window) { state().hostCalls.push_back("leaveFullscreen"); }
void showCursor(bool) {}

Context createContext(Window) { return fake::newHandle(); }
bool makeCurrent(Window, Context) { return true; }
void deleteContext(Context) {}
void swapBuffers(Window) {}
void* glEntryPoint(const char*) { return state().procAddress; }
bool createOffscreenContext(int, int) { return false; }
void destroyOffscreenContext() {}

// Every look at the queue is one of the script's steps.
void readEvents(std::vector<Event>& into) {
    const int number = state().peekCount++;
    if (state().peekHook) state().peekHook(number);
    into.insert(into.end(), state().events.begin(), state().events.end());
    state().events.clear();
}

// Without a scripted answer a question answers with its first button.
int ask(const Question& question) {
    static const char* const icons[] = {"information", "warning", "error"};
    std::string shown = std::string(question.caption) + ": " + question.text + " [" +
                        icons[int(question.icon)] + "]";
    for (const Button& b : question.buttons)
        shown += std::string(" ") + b.label + "=" + std::to_string(b.answer) +
                 (b.onEnter ? "*" : "") + (b.onEscape ? "~" : "");
    state().questions.push_back(shown);
    if (!state().answers.empty()) {
        const int answer = state().answers.front();
        state().answers.pop_front();
        return answer;
    }
    return question.buttons.empty() ? 0 : question.buttons.front().answer;
}

bool clockFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = state().frequency;
    return ticksPerSecond != 0;
}

bool clockNow(std::int64_t& ticks) {
    if (state().frequency == 0) return false;
    ticks = state().counter;
    state().counter += state().counterStep;
    return true;
}

void sleep(unsigned milliseconds) { state().slept += milliseconds; }

void prepareFonts() {}

Font openFont(const char*, int, int) {
    const Font font = fake::newHandle();
    state().fonts.push_back(font);
    return font;
}

void closeFont(Font font) { std::erase(state().fonts, font); }

bool renderGlyph(Font, char32_t, Glyph&) { return false; }

}  // namespace platform::host
