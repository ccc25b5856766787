// The host's input events on SDL2: keys with Windows virtual-key codes, the left mouse button
// and the wheel, activation, size and close.
#include <SDL.h>

#include "platform/platform.h"
#include "platform/sdl_state.h"

namespace platform::host {

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

Window windowOf(Uint32 windowId) { return sdl::hostWindow(SDL_GetWindowFromID(windowId)); }

bool minimised(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    return window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED);
}

// The event of a window's change, if it is one the emulation takes.
bool translateWindowEvent(const SDL_WindowEvent& change, Event& event) {
    event.window = windowOf(change.windowID);
    switch (change.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        event.kind = EventKind::deactivated;
        event.minimised = minimised(change.windowID);
        return true;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        event.kind = EventKind::activated;
        event.minimised = minimised(change.windowID);
        return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        event.kind = EventKind::resized;
        event.width = change.data1;
        event.height = change.data2;
        return true;
    case SDL_WINDOWEVENT_CLOSE:
        event.kind = EventKind::close;
        return true;
    default:
        return false;
    }
}

// The event the emulation takes for an SDL event; false for those it has no use for (other
// mouse buttons, keys without a code).
bool translate(const SDL_Event& sdlEvent, Event& event) {
    switch (sdlEvent.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        event.kind = EventKind::key;
        event.window = windowOf(sdlEvent.key.windowID);
        event.virtualKey = virtualKey(sdlEvent.key.keysym.scancode);
        event.down = sdlEvent.type == SDL_KEYDOWN;
        event.alt = (sdlEvent.key.keysym.mod & KMOD_ALT) != 0;
        return event.virtualKey != 0;
    case SDL_WINDOWEVENT:
        return translateWindowEvent(sdlEvent.window, event);
    case SDL_MOUSEMOTION:
        event.kind = EventKind::mouseMove;
        event.window = windowOf(sdlEvent.motion.windowID);
        event.leftHeld = (sdlEvent.motion.state & SDL_BUTTON_LMASK) != 0;
        event.x = sdlEvent.motion.x;
        event.y = sdlEvent.motion.y;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        event.kind = EventKind::mouseButton;
        event.window = windowOf(sdlEvent.button.windowID);
        event.down = sdlEvent.type == SDL_MOUSEBUTTONDOWN;
        event.x = sdlEvent.button.x;
        event.y = sdlEvent.button.y;
        return sdlEvent.button.button == SDL_BUTTON_LEFT;
    case SDL_MOUSEWHEEL:
        event.kind = EventKind::wheel;
        event.window = windowOf(sdlEvent.wheel.windowID);
        event.wheelSteps = sdlEvent.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdlEvent.wheel.y
                                                                              : sdlEvent.wheel.y;
        return true;
    case SDL_QUIT:
        event.kind = EventKind::quit;
        return true;
    default:
        return false;
    }
}

}  // namespace

void readEvents(std::vector<Event>& into) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent)) {
        Event event;
        if (translate(sdlEvent, event)) into.push_back(event);
    }
}

}  // namespace platform::host
