// Single-line text over the scene through display lists, one per character code, placed in
// pixels of a fixed virtual screen whose origin is its top-left corner.
#pragma once

#include <GL/gl.h>

#include "platform/platform.h"

class BitmapFont {
public:
    BitmapFont() = default;
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Builds the glyph lists of the face in the current rendering context.
    void create(platform::DeviceContext deviceContext, int screenWidth, int screenHeight,
                const char* faceName, int height);
    // Releases what create made for the window, before its rendering context goes: the glyph
    // lists and the font object. Nothing is left to release afterwards.
    void release();
    void setColor(float red, float green, float blue);
    // Draws `text` with the left end of its baseline at (x, y) of the virtual screen.
    void print(int x, int y, const char* text);
    void beginScreenSpace(int width, int height);
    void endScreenSpace();

    GLuint lists() const { return listBase; }

private:
    platform::DeviceContext deviceContext = 0;
    GLuint listBase = 0;
    platform::FontHandle font = 0;  // the font object the lists were built from
    int height = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    float red = 1.0f, green = 1.0f, blue = 1.0f;
};
