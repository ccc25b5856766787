// The Win32 emulation that the SDL build and the test double share: platform.h answered over
// a narrow host (host.h). What tests and the double see of it: its calls, classes and windows.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::emulation {

// Sees every call the emulation answers, before it is answered: its name and its arguments as
// text. True makes the call fail as a refusal of the system would (tests script failures so).
class CallWatcher {
public:
    virtual ~CallWatcher() = default;
    virtual bool called(const char* name, const std::vector<std::string>& arguments) = 0;
};
// nullptr: nobody watches.
void watchCalls(CallWatcher* watcher);

// Forgets every class, window, context, font and queued message (tests run many sessions);
// the message-box responder stays.
void reset();
// A message at the end of the queue, as PostMessage puts it there.
void postMessage(const Message& message);
// The window made last, 0 if none.
WindowHandle newestWindow();
// The classes still registered, in lower case.
std::vector<std::string> registeredClasses();

}  // namespace platform::emulation
