// The application start-up in each new rendering context, and the composition of each frame:
// the view turning with time, the text overlay, the viewer and the meshes.
#pragma once

// Timer, fonts, engine start-up and the scene load, with the new context current.
void startApplication();
// The load that ends startApplication: the demo's own scene file, unless another program on
// the same shell (the viewer) names its own.
void loadDemoScene();
// The mesh file the demo loads, from its working folder.
extern const char* const demoSceneFile;
extern void (*loadApplicationScene)();
// Around drawing that shows its own colours (the overlay's text, light markers): texturing off
// on every unit, and the texture units given back to the scene as the last material left them.
void beginFlatColours();
void endFlatColours();
// The labels of the two effect switches and their red "Yes" or "No", at the bottom left.
void drawSwitchStates();
// Releases what the start-up made for the window (the fonts' lists and font objects), with
// its context still current; called as the window closes.
void stopApplication();
// One frame; always true.
bool drawScene();
void drawFrame();
void drawFrameRate();

// The frame-rate text as the overlay shows it: the rate cut toward zero, kept within an int.
void formatFrameRate(float rate, char (&buffer)[16]);
