// The tests' view of one X screen: top-level windows found by title, keys pressed through
// xdotool, pixels of the root window, close requests and screenshots. It owns its connection.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

struct _XDisplay;  // Xlib's Display; its macros stay out of the tests

namespace e2e {

using WindowId = unsigned long;

struct WindowInfo {
    WindowId id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool viewable = false;
    // The X request by which it was seen: a window made later may get the same id.
    unsigned long seenAt = 0;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A rectangle of the screen: left and top included, right and bottom excluded.
struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Image {
    Area area;
    std::vector<Rgb> pixels;  // row by row
    const Rgb& at(int x, int y) const {
        return pixels[std::size_t(y - area.top) * std::size_t(area.right - area.left) +
                      std::size_t(x - area.left)];
    }
};

class X11Session {
public:
    X11Session() = default;
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;
    ~X11Session();

    // environment: the one the X tools run with (DISPLAY set to the same screen).
    bool connect(const std::string& displayName, std::vector<std::string> environment,
                 Milliseconds timeout);
    void disconnect();

    // Top-level windows whose _NET_WM_NAME (or else WM_NAME) is exactly the title.
    std::vector<WindowInfo> windowsTitled(const std::string& title);
    // The first viewable window with the title, once there is one; the wait ends early when
    // worthWaiting says so.
    std::optional<WindowInfo> waitForWindow(const std::string& title, Milliseconds timeout,
                                            const std::function<bool()>& worthWaiting = {});
    // True once the window seen has been unmapped or destroyed since it was seen, even when
    // another window has taken its id since (SDL's boxes get the same id one after another).
    bool waitUntilGone(const WindowInfo& window, Milliseconds timeout);

    // Focuses the window, then holds the key (an xdotool key name) for the time given.
    bool pressKey(WindowId window, const std::string& key, Milliseconds hold);
    bool keyDown(WindowId window, const std::string& key);
    bool keyUp(const std::string& key);

    // Unmaps or maps a window as a window manager does when it minimises or restores it.
    bool unmap(WindowId window);
    bool map(WindowId window);
    // Opens a small window of the test's own and gives it the keyboard focus.
    bool takeFocus();
    // From now on, collects the requests to minimise a window (ICCCM's WM_CHANGE_STATE with
    // IconicState) that programs send to the root window; true when one has come since.
    void watchMinimiseRequests();
    bool minimiseRequested();
    // Left button down at one point of the screen, moved to another in steps, and up there.
    bool drag(WindowId window, int fromX, int fromY, int toX, int toY);
    // Wheel notches at a point: positive away from the user (button 4), negative towards.
    bool turnWheel(WindowId window, int x, int y, int notches);

    // What a window manager's close button sends: WM_PROTOCOLS with WM_DELETE_WINDOW.
    bool requestClose(WindowId window);
    // True when the pointer, moved to the point, shows no visible cursor pixel.
    bool cursorHiddenAt(int x, int y);

    Image grab(const Area& area);
    bool saveScreenshot(const std::string& path);

private:
    bool tool(const std::vector<std::string>& arguments);

    // Takes the events the root window reports: windows that went away, minimise requests.
    void readEvents();

    struct Vanished {
        WindowId id;
        unsigned long serial;
    };

    _XDisplay* display_ = nullptr;
    std::vector<Vanished> vanished_;
    bool minimiseRequested_ = false;
    unsigned long focusWindow_ = 0;
    std::vector<std::string> environment_;
};

}  // namespace e2e
