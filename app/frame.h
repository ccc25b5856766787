// The application start-up in each new rendering context, and the composition of each frame:
// the view turning with time, the text overlay, the viewer and the meshes.
#pragma once

// Timer, fonts, engine start-up and the scene load, with the new context current.
void startApplication();
// Releases what the start-up made for the window (the fonts' lists and font objects), with
// its context still current; called as the window closes.
void stopApplication();
// One frame; always true.
bool drawScene();
void drawFrame();
void drawFrameRate();

// The frame-rate text as the overlay shows it: the rate cut toward zero, kept within an int.
void formatFrameRate(float rate, char (&buffer)[16]);
