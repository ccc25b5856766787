// The shared shell state and the static objects, constructed in this order before main runs:
// the engine first (it starts the image library), then the timer, then both fonts.
#include "app/shell_state.h"

#include <algorithm>

#include "app/bitmap_font.h"
#include "app/frame_timer.h"
#include "engine/engine.h"

bool keyDown[256] = {};
bool windowActive = true;
bool fullscreenMode = true;
float viewAngleX = 0.0f;
float viewAngleY = 0.0f;
MouseState mouse;

Engine engine;
FrameTimer frameTimer;
BitmapFont smallFont;
BitmapFont titleFont;

void resetShellState() {
    std::fill(std::begin(keyDown), std::end(keyDown), false);
    windowActive = true;
    fullscreenMode = true;
    viewAngleX = 0.0f;
    viewAngleY = 0.0f;
    mouse = MouseState{};
}
