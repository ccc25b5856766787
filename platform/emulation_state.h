// What the emulation's files share: the classes, windows, device and rendering contexts, the
// display mode asked for, the queue and the fonts, and the call watcher.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/win32_emulation.h"

namespace platform::emulation {

struct WindowRecord {
    host::Window window = 0;
    WindowProcedure procedure = nullptr;
    bool fullscreen = false;
};

struct State {
    std::map<std::string, WindowClass> classes;  // by lower-case name
    std::map<WindowHandle, WindowRecord> windows;
    std::map<DeviceContext, WindowHandle> deviceContexts;
    std::map<RenderContext, host::Context> renderContexts;
    std::deque<Message> queue;
    std::set<FontHandle> fonts;
    std::map<DeviceContext, FontHandle> selectedFonts;
    bool fullscreenRequested = false;  // a display mode change is in force
    WindowHandle newestWindow = 0;
    std::uintptr_t nextHandle = 0x100;
};

State& state();
WindowRecord* findWindow(WindowHandle window);
WindowRecord* windowOfDeviceContext(DeviceContext dc);

CallWatcher* watcher();

inline std::string argumentText(const char* text) { return text ? text : ""; }
template <typename Value> std::string argumentText(const Value& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Tells the watcher of the call; true when the call is to fail.
template <typename... Args> bool watched(const char* name, const Args&... args) {
    CallWatcher* w = watcher();
    return w != nullptr && w->called(name, std::vector<std::string>{argumentText(args)...});
}

}  // namespace platform::emulation
