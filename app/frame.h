// The application start-up in each new rendering context, and the composition of each frame:
// the view turning with time, the text overlay, the viewer and the meshes.
#pragma once

// What every program on the shell starts with in a new context: the timer, both fonts and
// the engine's start-up; the program's own scene load comes after.
void startShell();
// The mesh file the demo loads, from its working folder.
extern const char* const demoSceneFile;
// Around drawing that shows its own colours (the overlay's text, light markers): texturing off
// on every unit, and the texture units given back to the scene as the last material left them.
void beginFlatColours();
void endFlatColours();
// The labels of the two effect switches and their red "Yes" or "No", at the bottom left.
void drawSwitchStates();
// Releases what the start-up made for the window (the fonts' lists and font objects), with
// its context still current; called as the window closes.
void stopShell();
// One frame; always true.
bool drawScene();
void drawFrame();
void drawFrameRate();

// The frame-rate text as the overlay shows it: the rate cut toward zero, kept within an int.
void formatFrameRate(float rate, char (&buffer)[16]);
