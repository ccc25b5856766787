// The message queue on SDL2: SDL events become the window messages the program expects,
// with Windows virtual-key codes, and dispatch calls the window class's procedure.
#include <SDL.h>

#include "platform/sdl_state.h"

namespace platform {
using sdl::state;

namespace {

// Virtual-key code of a key by its position on the keyboard; 0 for keys the program has
// no code for. Keypad digits give their VK_NUMPAD codes whatever the Num Lock state.
unsigned virtualKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return VK_F1 + (code - SDL_SCANCODE_F1);
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD1 + (code - SDL_SCANCODE_KP_1);
    switch (code) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_RETURN: case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    default: return 0;
    }
}

WindowHandle handleOf(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    for (const auto& entry : state().windows)
        if (entry.second.window == window) return entry.first;
    return 0;
}

WindowHandle onlyWindow() { return state().windows.empty() ? 0 : state().windows.begin()->first; }

// WM_ACTIVATE's word: the state in the low half, whether the window is minimised in the high.
WParam activation(Uint32 windowId, WParam state) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    const bool minimised = window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED);
    return state | (WParam(minimised) << 16);
}

void post(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (window != 0) state().queue.push_back(Message{window, message, wParam, lParam});
}

LParam pointAt(Sint32 x, Sint32 y) { return LParam(x & 0xFFFF) | (LParam(y & 0xFFFF) << 16); }

// Mouse messages as Windows words them: the left button and the wheel; other buttons are not
// used by the programs.
void translateMouse(const SDL_Event& event) {
    if (event.type == SDL_MOUSEMOTION) {
        const WParam buttons = (event.motion.state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0;
        post(handleOf(event.motion.windowID), WM_MOUSEMOVE, buttons,
             pointAt(event.motion.x, event.motion.y));
    } else if (event.type == SDL_MOUSEWHEEL) {
        int steps = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
        const WParam delta = WParam(std::uint16_t(std::int16_t(steps * WHEEL_DELTA)));
        post(handleOf(event.wheel.windowID), WM_MOUSEWHEEL, delta << 16, 0);
    } else if (event.button.button == SDL_BUTTON_LEFT) {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        post(handleOf(event.button.windowID), down ? WM_LBUTTONDOWN : WM_LBUTTONUP,
             down ? MK_LBUTTON : 0, pointAt(event.button.x, event.button.y));
    }
}

void translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const unsigned key = virtualKey(event.key.keysym.scancode);
        if (key == 0) return;
        // Keys with Alt held, and F10, are system keys, as on Windows.
        const bool system = (event.key.keysym.mod & KMOD_ALT) || key == VK_F1 + 9;
        const bool down = event.type == SDL_KEYDOWN;
        const unsigned message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                        : (down ? WM_KEYDOWN : WM_KEYUP);
        post(handleOf(event.key.windowID), message, key, 0);
        return;
    }
    case SDL_WINDOWEVENT: {
        const WindowHandle window = handleOf(event.window.windowID);
        switch (event.window.event) {
        // Each activation says whether the window is minimised now, whatever the event: on
        // X11 a focus change can come after the minimise, and must not undo it.
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            post(window, WM_ACTIVATE, activation(event.window.windowID, WA_INACTIVE), 0);
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            post(window, WM_ACTIVATE, activation(event.window.windowID, WA_ACTIVE), 0);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            const LParam width = event.window.data1 & 0xFFFF;
            const LParam height = event.window.data2 & 0xFFFF;
            post(window, WM_SIZE, 0, width | (height << 16));
            break;
        }
        case SDL_WINDOWEVENT_CLOSE:
            post(window, WM_CLOSE, 0, 0);
            break;
        default:
            break;
        }
        return;
    }
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        translateMouse(event);
        return;
    case SDL_QUIT:  // a termination signal: treat it as the close button
        post(onlyWindow(), WM_CLOSE, 0, 0);
        return;
    default:
        return;
    }
}

}  // namespace

namespace sdl {
void pumpEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}
}  // namespace sdl

bool peekMessage(Message& message) {
    if (state().queue.empty()) sdl::pumpEvents();
    if (state().queue.empty()) return false;
    message = state().queue.front();
    state().queue.pop_front();
    return true;
}

bool translateMessage(const Message&) { return false; }

LResult dispatchMessage(const Message& message) {
    sdl::WindowRecord* record = sdl::findWindow(message.window);
    if (record == nullptr || record->procedure == nullptr) return 0;
    return record->procedure(message.window, message.message, message.wParam, message.lParam);
}

void postQuitMessage(int exitCode) {
    state().queue.push_back(Message{0, WM_QUIT, WParam(exitCode), 0});
}

}  // namespace platform
