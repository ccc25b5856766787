// What the window procedure, the main loop and the frame share: the key states, the window's
// activity, the display mode, the view angles, and the four objects of static lifetime.
#pragma once

class BitmapFont;
class Engine;
class FrameTimer;

extern bool keyDown[256];    // indexed by virtual-key code
extern bool windowActive;    // the window is not minimised; frames are drawn only then
extern bool fullscreenMode;  // the window runs in an exclusive fullscreen display mode
extern float viewAngleX;     // degrees about the X axis
extern float viewAngleY;     // degrees about the Y axis

// The mouse as the window procedure saw it. Moves with the left button held and wheel steps
// add up until a program takes them (the demo never does).
struct MouseState {
    bool leftDown = false;
    int x = 0, y = 0;          // last position in client pixels
    int dragX = 0, dragY = 0;  // pixels moved with the left button held
    int wheelSteps = 0;        // notches, away from the user positive
};
extern MouseState mouse;

extern Engine engine;
extern FrameTimer frameTimer;
extern BitmapFont smallFont;
extern BitmapFont titleFont;

// Back to the values at process start (tests run many sessions in one process).
void resetShellState();
