// The message queue, message boxes and the performance counter on Win32.
#include "platform/message_box_responder.h"
#include "platform/win32_api.h"

namespace platform {
namespace {

// The message peekMessage took last, whole (with its time and pointer position), so that
// translating and dispatching it hands Windows what Windows gave.
MSG lastMessage{};

MSG toWindows(const Message& message) {
    const bool same = win32::handleOf(lastMessage.hwnd) == message.window &&
                      lastMessage.message == message.message &&
                      lastMessage.wParam == message.wParam && lastMessage.lParam == message.lParam;
    if (same) return lastMessage;
    MSG w{};
    w.hwnd = win32::window(message.window);
    w.message = message.message;
    w.wParam = message.wParam;
    w.lParam = message.lParam;
    return w;
}

}  // namespace

bool peekMessage(Message& message) {
    if (!PeekMessageA(&lastMessage, nullptr, 0, 0, PM_REMOVE)) return false;
    message = Message{win32::handleOf(lastMessage.hwnd), lastMessage.message, lastMessage.wParam,
                      lastMessage.lParam};
    return true;
}

bool translateMessage(const Message& message) {
    const MSG w = toWindows(message);
    return TranslateMessage(&w);
}

LResult dispatchMessage(const Message& message) {
    const MSG w = toWindows(message);
    return DispatchMessageA(&w);
}

void postQuitMessage(int exitCode) { PostQuitMessage(exitCode); }

// The box gets the program's bytes as they are: Windows shows them in the ANSI code page.
int messageBox(const char* text, const char* caption, unsigned style) {
    int answer = 0;
    if (answeredByResponder(text, caption, style, answer)) return answer;
    return MessageBoxA(nullptr, text, caption, style);
}

bool queryPerformanceFrequency(std::int64_t& frequency) {
    LARGE_INTEGER w;
    if (!QueryPerformanceFrequency(&w) || w.QuadPart <= 0) return false;
    frequency = w.QuadPart;
    return true;
}

bool queryPerformanceCounter(std::int64_t& count) {
    LARGE_INTEGER w;
    if (!QueryPerformanceCounter(&w)) return false;
    count = w.QuadPart;
    return true;
}

void sleep(unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace platform
