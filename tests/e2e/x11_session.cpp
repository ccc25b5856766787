// Xlib for reading the screen and its windows, xdotool for the keyboard (through XTEST, so the
// program sees real key events, not synthetic ones), ImageMagick's import for screenshots.
#include "x11_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

namespace e2e {
namespace {

constexpr Milliseconds pollInterval(50);
constexpr Milliseconds toolTimeout(10000);

// Windows come and go while the tests look at them; a request on a vanished window is not a
// fault of the test, and Xlib's default handler would end the process.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// An 8-bit text property of the window, if it has one.
std::optional<std::string> textProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &remaining, &data) != Success ||
        data == nullptr)
        return std::nullopt;
    std::optional<std::string> text;
    if (format == 8) text = std::string(reinterpret_cast<char*>(data), count);
    XFree(data);
    return text;
}

// SDL sets both names; _NET_WM_NAME holds the UTF-8 title, WM_NAME is what older programs set.
std::optional<std::string> titleOf(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (auto title = textProperty(display, window, netName, utf8)) return title;
    return textProperty(display, window, XA_WM_NAME, AnyPropertyType);
}

// Where a colour channel's mask starts, and the channel's value scaled to 0..255.
int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int channel(unsigned long pixel, unsigned long mask) {
    const unsigned long value = (pixel & mask) >> shiftOf(mask);
    const unsigned long maximum = mask >> shiftOf(mask);
    return maximum == 0 ? 0 : int(value * 255 / maximum);
}

}  // namespace

X11Session::~X11Session() { disconnect(); }

bool X11Session::connect(const std::string& displayName, std::vector<std::string> environment,
                         Milliseconds timeout) {
    disconnect();
    environment_ = std::move(environment);
    XSetErrorHandler(ignoreXError);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while ((display_ = XOpenDisplay(displayName.c_str())) == nullptr) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pollInterval);
    }
    // Windows that go away, and the requests programs send the window manager, are reported
    // to the clients that watch the root window's children.
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    return true;
}

void X11Session::disconnect() {
    if (display_ != nullptr) XCloseDisplay(display_);
    display_ = nullptr;
    vanished_.clear();
    minimiseRequested_ = false;
    focusWindow_ = 0;  // the server destroys it with the connection
}

std::vector<WindowInfo> X11Session::windowsTitled(const std::string& title) {
    std::vector<WindowInfo> found;
    if (display_ == nullptr) return found;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        if (titleOf(display_, children[i]) != title) continue;
        XWindowAttributes attributes;
        const unsigned long seenAt = NextRequest(display_);
        if (!XGetWindowAttributes(display_, children[i], &attributes)) continue;  // just gone
        found.push_back(WindowInfo{children[i], attributes.x, attributes.y, attributes.width,
                                   attributes.height, attributes.map_state == IsViewable, seenAt});
    }
    if (children != nullptr) XFree(children);
    return found;
}

std::optional<WindowInfo> X11Session::waitForWindow(const std::string& title,
                                                    Milliseconds timeout,
                                                    const std::function<bool()>& worthWaiting) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (const WindowInfo& window : windowsTitled(title))
            if (window.viewable) return window;
        if (std::chrono::steady_clock::now() >= deadline || (worthWaiting && !worthWaiting()))
            return std::nullopt;
        std::this_thread::sleep_for(pollInterval);
    }
}

bool X11Session::waitUntilGone(const WindowInfo& window, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (display_ == nullptr) return true;
        // An event whose serial is at least the request that saw the window came after it.
        readEvents();
        for (const Vanished& gone : vanished_)
            if (gone.id == window.id && gone.serial >= window.seenAt) return true;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, window.id, &attributes) ||
            attributes.map_state != IsViewable)
            return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pollInterval);
    }
}

void X11Session::readEvents() {
    const Atom changeState = XInternAtom(display_, "WM_CHANGE_STATE", False);
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        if (event.type == UnmapNotify)
            vanished_.push_back({event.xunmap.window, event.xunmap.serial});
        else if (event.type == DestroyNotify)
            vanished_.push_back({event.xdestroywindow.window, event.xdestroywindow.serial});
        else if (event.type == ClientMessage && event.xclient.message_type == changeState &&
                 event.xclient.data.l[0] == IconicState)
            minimiseRequested_ = true;
    }
}

bool X11Session::tool(const std::vector<std::string>& arguments) {
    return runTool(arguments, environment_, toolTimeout);
}

bool X11Session::keyDown(WindowId window, const std::string& key) {
    return tool({XDOTOOL_PROGRAM, "windowfocus", "--sync", std::to_string(window), "keydown", key});
}

bool X11Session::keyUp(const std::string& key) { return tool({XDOTOOL_PROGRAM, "keyup", key}); }

bool X11Session::pressKey(WindowId window, const std::string& key, Milliseconds hold) {
    // One xdotool run for the whole press: starting a second one for the release would add
    // its own start-up time to the hold.
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", double(hold.count()) / 1000.0);
    return tool({XDOTOOL_PROGRAM, "windowfocus", "--sync", std::to_string(window), "keydown", key,
                 "sleep", seconds, "keyup", key});
}

bool X11Session::drag(WindowId window, int fromX, int fromY, int toX, int toY) {
    // In steps, with pauses: a program polling between frames sees the moves as a user's.
    std::vector<std::string> arguments = {XDOTOOL_PROGRAM,       "windowfocus",
                                          "--sync",              std::to_string(window),
                                          "mousemove",           std::to_string(fromX),
                                          std::to_string(fromY), "mousedown",
                                          "1"};
    constexpr int steps = 8;
    for (int step = 1; step <= steps; ++step) {
        for (const std::string& word :
             {std::string("sleep"), std::string("0.05"), std::string("mousemove"),
              std::to_string(fromX + (toX - fromX) * step / steps),
              std::to_string(fromY + (toY - fromY) * step / steps)})
            arguments.push_back(word);
    }
    for (const char* word : {"sleep", "0.05", "mouseup", "1"}) arguments.push_back(word);
    return tool(arguments);
}

bool X11Session::turnWheel(WindowId window, int x, int y, int notches) {
    const std::string button = notches > 0 ? "4" : "5";
    std::vector<std::string> arguments = {XDOTOOL_PROGRAM, "windowfocus", "--sync",
                                          std::to_string(window), "mousemove", std::to_string(x),
                                          std::to_string(y)};
    for (int i = 0; i < std::abs(notches); ++i)
        for (const std::string& word : {std::string("click"), button, std::string("sleep"),
                                        std::string("0.05")})
            arguments.push_back(word);
    return tool(arguments);
}

bool X11Session::requestClose(WindowId window) {
    if (display_ == nullptr) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
    return sent != 0;
}

bool X11Session::cursorHiddenAt(int x, int y) {
    int eventBase = 0, errorBase = 0;
    if (display_ == nullptr || !XFixesQueryExtension(display_, &eventBase, &errorBase))
        return false;
    XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
    XSync(display_, False);
    XFixesCursorImage* cursor = XFixesGetCursorImage(display_);
    if (cursor == nullptr) return false;
    bool hidden = true;
    for (unsigned long i = 0; i < static_cast<unsigned long>(cursor->width) * cursor->height; ++i)
        hidden = hidden && (cursor->pixels[i] >> 24) == 0;  // alpha of every ARGB pixel
    XFree(cursor);
    return hidden;
}

Image X11Session::grab(const Area& area) {
    Image image{area, {}};
    if (display_ == nullptr || area.right <= area.left || area.bottom <= area.top) return image;
    const int width = area.right - area.left, height = area.bottom - area.top;
    XImage* pixels = XGetImage(display_, DefaultRootWindow(display_), area.left, area.top,
                               unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (pixels == nullptr) return image;
    const Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
    image.pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(pixels, x, y);
            image.pixels.push_back(Rgb{channel(pixel, visual->red_mask),
                                       channel(pixel, visual->green_mask),
                                       channel(pixel, visual->blue_mask)});
        }
    XDestroyImage(pixels);
    return image;
}

bool X11Session::saveScreenshot(const std::string& path) {
    return tool({IMPORT_PROGRAM, "-window", "root", path});
}

}  // namespace e2e

namespace e2e {

bool X11Session::unmap(WindowId window) {
    return tool({XDOTOOL_PROGRAM, "windowunmap", "--sync", std::to_string(window)});
}

bool X11Session::map(WindowId window) {
    return tool({XDOTOOL_PROGRAM, "windowmap", "--sync", std::to_string(window)});
}

bool X11Session::takeFocus() {
    if (display_ == nullptr) return false;
    if (focusWindow_ == 0) {
        focusWindow_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 16, 16, 0,
                                           0, 0);
        XMapRaised(display_, focusWindow_);
        XSync(display_, False);
    }
    return tool({XDOTOOL_PROGRAM, "windowfocus", "--sync", std::to_string(focusWindow_)});
}

void X11Session::watchMinimiseRequests() {
    if (display_ == nullptr) return;
    // A client message sent to the root window for the window manager reaches every client that
    // selected substructure notification there, as this session does from its start.
    readEvents();
    minimiseRequested_ = false;
}

bool X11Session::minimiseRequested() {
    if (display_ == nullptr) return false;
    readEvents();
    return std::exchange(minimiseRequested_, false);
}

}  // namespace e2e
