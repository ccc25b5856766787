// The recording test double: a host without a display under the Win32 emulation. Every call is
// written to a log, and tests script the answers (boxes, messages, counter) and any failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/platform.h"

namespace platform::fake {

struct MessageBoxCall {
    std::string text;
    std::string caption;
    unsigned style = 0;
};

// Forgets every call, script, window and class; the counter starts at 0 with frequency 1000.
void reset();

// Every call made, in order, as "name(arguments)", e.g. "createWindowEx(...)".
const std::vector<std::string>& calls();
// Only the calls whose name is `name`, each with its arguments.
std::vector<std::string> callsNamed(const std::string& name);
// Index of the first call whose text starts with `prefix`, or -1.
int indexOfCall(const std::string& prefix);
const std::vector<MessageBoxCall>& messageBoxes();

// The next `times` calls of the named function fail (return their failure value).
void failCall(const std::string& name, int times = 1);
// Answers for the next message boxes, in order; without one a box answers its first button.
void answerMessageBoxes(std::vector<int> answers);

// Messages that peekMessage hands out before it reports an empty queue.
void queueMessage(const Message& message);
// Called at the start of every peekMessage with its 0-based number, to script a session.
void onPeek(std::function<void(int peekNumber)> hook);

// The performance counter: its reading, how much each reading advances it, and its frequency.
void setCounter(std::int64_t value);
void setCounterStep(std::int64_t step);
void setFrequency(std::int64_t ticksPerSecond);  // 0: no high-resolution counter

// What getProcAddress answers for every name (nullptr unless set).
void setProcAddress(void* address);

// The window the fake created last (0 if none) and the procedure of its class.
WindowHandle lastWindow();
// Classes still registered, in lower case.
std::vector<std::string> registeredClasses();
// Total milliseconds passed to sleep.
unsigned sleptMilliseconds();
// Fonts made by createFont and not yet released by deleteObject, in the order made.
const std::vector<FontHandle>& liveFonts();

// The host's name for the window the fake opened last (0 if none).
host::Window lastHostWindow();
// Events the host hands the emulation at its next look at the queue.
void queueEvent(const host::Event& event);
// What the host was asked to do with its windows: "openWindow(title, popup, fullscreen)",
// "closeWindow" and "leaveFullscreen", in order.
const std::vector<std::string>& hostCalls();
// The questions the host was asked to show, as "caption: text [icon] Label=answer* ...", where
// * marks the Enter button and ~ the Escape button. The host answers -1 (could not show it)
// when that is the scripted answer; hasDisplayMode fails through failCall.
const std::vector<std::string>& questions();

}  // namespace platform::fake
