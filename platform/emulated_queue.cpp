// The message queue, emulated: the host's events become the window messages the program
// expects, in Windows' words and order; dispatch calls the window class's procedure. Also the
// message box as a host question, and the performance counter on the host's clock.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/emulation_state.h"
#include "platform/message_box_responder.h"
#include "platform/text_encoding.h"

namespace platform {
namespace emulation {

void postMessage(const Message& message) { state().queue.push_back(message); }

namespace {

WindowHandle handleOf(host::Window window) {
    for (const auto& entry : state().windows)
        if (entry.second.window == window) return entry.first;
    return 0;
}

WindowHandle onlyWindow() { return state().windows.empty() ? 0 : state().windows.begin()->first; }

void post(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (window != 0) postMessage(Message{window, message, wParam, lParam});
}

LParam pointAt(int x, int y) { return LParam(x & 0xFFFF) | (LParam(y & 0xFFFF) << 16); }

// WM_ACTIVATE's word: the state in the low half, whether the window is minimised in the high.
WParam activation(const host::Event& event, WParam active) {
    return active | (WParam(event.minimised) << 16);
}

void translate(const host::Event& event) {
    const WindowHandle window = handleOf(event.window);
    switch (event.kind) {
    case host::EventKind::key: {
        // Keys with Alt held, and F10, are system keys, as on Windows.
        const bool system = event.alt || event.virtualKey == VK_F1 + 9;
        const unsigned message = system ? (event.down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                        : (event.down ? WM_KEYDOWN : WM_KEYUP);
        post(window, message, event.virtualKey, 0);
        return;
    }
    // Mouse messages as Windows words them: the left button and the wheel.
    case host::EventKind::mouseMove:
        post(window, WM_MOUSEMOVE, event.leftHeld ? MK_LBUTTON : 0, pointAt(event.x, event.y));
        return;
    case host::EventKind::mouseButton:
        post(window, event.down ? WM_LBUTTONDOWN : WM_LBUTTONUP, event.down ? MK_LBUTTON : 0,
             pointAt(event.x, event.y));
        return;
    case host::EventKind::wheel: {
        const WParam delta = WParam(std::uint16_t(std::int16_t(event.wheelSteps * WHEEL_DELTA)));
        post(window, WM_MOUSEWHEEL, delta << 16, 0);
        return;
    }
    // Each activation says whether the window is minimised now, whatever the event: a focus
    // change can come after the minimise, and must not undo it.
    case host::EventKind::activated:
        post(window, WM_ACTIVATE, activation(event, WA_ACTIVE), 0);
        return;
    case host::EventKind::deactivated:
        post(window, WM_ACTIVATE, activation(event, WA_INACTIVE), 0);
        return;
    case host::EventKind::resized:
        post(window, WM_SIZE, 0, LParam(event.width & 0xFFFF) | (LParam(event.height & 0xFFFF) << 16));
        return;
    case host::EventKind::close:
        post(window, WM_CLOSE, 0, 0);
        return;
    case host::EventKind::quit:  // a termination signal: treat it as the close button
        post(onlyWindow(), WM_CLOSE, 0, 0);
        return;
    }
}

}  // namespace
}  // namespace emulation

using emulation::state;
using emulation::watched;

bool peekMessage(Message& message) {
    std::vector<host::Event> events;
    host::readEvents(events);
    for (const host::Event& event : events) emulation::translate(event);
    if (state().queue.empty()) return false;
    message = state().queue.front();
    state().queue.pop_front();
    watched("peekMessage", message.message, message.wParam, message.lParam);
    return true;
}

bool translateMessage(const Message& message) {
    watched("translateMessage", message.message);
    return false;
}

LResult dispatchMessage(const Message& message) {
    watched("dispatchMessage", message.message, message.wParam, message.lParam);
    emulation::WindowRecord* record = emulation::findWindow(message.window);
    if (record == nullptr || record->procedure == nullptr) return 0;
    return record->procedure(message.window, message.message, message.wParam, message.lParam);
}

void postQuitMessage(int exitCode) {
    watched("postQuitMessage", exitCode);
    emulation::postMessage(Message{0, WM_QUIT, WParam(exitCode), 0});
}

int messageBox(const char* text, const char* caption, unsigned style) {
    watched("messageBox", text, caption, style);
    int answer = 0;
    if (answeredByResponder(text, caption, style, answer)) return answer;

    const std::string message = toUtf8(text ? text : "");
    const std::string title = toUtf8(caption ? caption : "");
    host::Question question;
    question.text = message.c_str();
    question.caption = title.c_str();
    switch (style & 0xF0) {
    case MB_ICONSTOP: question.icon = host::Icon::error; break;
    case MB_ICONEXCLAMATION: question.icon = host::Icon::warning; break;
    default: question.icon = host::Icon::information; break;
    }
    // Enter answers the first button, Escape the last.
    if ((style & 0x0F) == MB_YESNO)
        question.buttons = {{"Yes", IDYES, true, false}, {"No", IDNO, false, true}};
    else
        question.buttons = {{"OK", IDOK, true, true}};
    answer = host::ask(question);
    if (answer < 0) {
        // No display to show it on: say it on the terminal and take the first button.
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        return question.buttons.front().answer;
    }
    return answer;
}

bool queryPerformanceFrequency(std::int64_t& frequency) {
    std::int64_t ticks = 0;
    if (!host::clockFrequency(ticks) || ticks <= 0) return false;
    frequency = ticks;
    return true;
}

bool queryPerformanceCounter(std::int64_t& count) { return host::clockNow(count); }

void sleep(unsigned milliseconds) {
    watched("sleep", milliseconds);
    host::sleep(milliseconds);
}

}  // namespace platform
