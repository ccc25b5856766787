// What a window system must give for the Win32 emulation to run on it, and nothing more:
// windows with a GL context, input events, a modal question, a clock, glyphs and GL entry points.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::host {

// The host's own names for its windows, contexts and fonts; 0 means "none".
using Window = std::uintptr_t;
using Context = std::uintptr_t;
using Font = std::uintptr_t;

// --- windows and their OpenGL contexts ---

struct WindowRequest {
    const char* title = "";
    int x = 0, y = 0, width = 0, height = 0;  // the client area
    bool popup = false;                       // no frame, not resizable
    bool fullscreen = false;                  // in the display mode of its size
};

// Whether the display offers a mode of that size, at any refresh rate; false without a display.
bool hasDisplayMode(int width, int height);
// A hidden window with the one pixel format the programs use: 8 bits per colour channel,
// 16-bit depth, double buffer.
Window openWindow(const WindowRequest& request);
void closeWindow(Window window);
void showWindow(Window window);
void raiseWindow(Window window);
void focusWindow(Window window);
// The desktop's own display mode back, the window left open.
void leaveFullscreen(Window window);
void showCursor(bool show);

// A new context is not current until asked; makeCurrent(0, 0) leaves none current.
Context createContext(Window window);
bool makeCurrent(Window window, Context context);
void deleteContext(Context context);
void swapBuffers(Window window);
void* glEntryPoint(const char* name);
// A current context with no visible window, for tools and tests; false when none can be had.
bool createOffscreenContext(int width, int height);
void destroyOffscreenContext();

// --- input ---

enum class EventKind { key, mouseMove, mouseButton, wheel, activated, deactivated, resized, close, quit };

struct Event {
    EventKind kind = EventKind::close;
    Window window = 0;
    unsigned virtualKey = 0;  // key: Windows' virtual-key code, never 0
    bool down = false;        // key, mouseButton (the left button)
    bool alt = false;         // key: with Alt held
    int x = 0, y = 0;         // mouse: client pixels
    bool leftHeld = false;    // mouseMove
    int wheelSteps = 0;       // wheel: notches, away from the user positive
    bool minimised = false;   // activated, deactivated: the window is minimised now
    int width = 0, height = 0;  // resized: the client area
};

// Appends the events that came since the last call, oldest first.
void readEvents(std::vector<Event>& into);

// --- a modal question ---

enum class Icon { information, warning, error };

struct Button {
    const char* label = "";
    int answer = 0;
    bool onEnter = false, onEscape = false;
};

struct Question {
    const char* text = "";     // UTF-8
    const char* caption = "";  // UTF-8
    Icon icon = Icon::information;
    std::vector<Button> buttons;  // left to right
};

// The answer of the button chosen; closing the question answers as the Escape button.
// Negative when the question could not be shown at all.
int ask(const Question& question);

// --- time ---

bool clockFrequency(std::int64_t& ticksPerSecond);
bool clockNow(std::int64_t& ticks);
void sleep(unsigned milliseconds);

// --- glyphs ---

// Starts reading the font list ahead, if the host has one to read; optional.
void prepareFonts();
// The installed face closest to the name and weight, at a cell height in pixels.
Font openFont(const char* faceName, int height, int weight);
void closeFont(Font font);

struct Glyph {
    int width = 0, height = 0;
    int left = 0, top = 0;  // the bitmap's origin: pixels right of and above the pen
    float advance = 0.0f;   // pixels the pen moves on
    std::vector<unsigned char> rows;  // one bit a pixel, (width + 7) / 8 bytes a row, bottom row first
};

// False when the font has no glyph for the code point.
bool renderGlyph(Font font, char32_t code, Glyph& glyph);

}  // namespace platform::host
