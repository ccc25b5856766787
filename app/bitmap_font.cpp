// Bitmap font text: glyph lists made by the platform's font bitmaps, drawn with one
// glCallLists per string under an orthographic projection of the virtual screen.
#include "app/bitmap_font.h"

#include <cstring>

BitmapFont::~BitmapFont() {
    // At process exit the rendering context is gone and this does nothing, as intended.
    if (listBase != 0) glDeleteLists(listBase, 256);
}

void BitmapFont::create(platform::DeviceContext deviceContext, int screenWidth, int screenHeight,
                        const char* faceName, int height) {
    this->screenWidth = screenWidth;
    this->screenHeight = screenHeight;
    this->deviceContext = deviceContext;
    this->height = height;
    listBase = glGenLists(256);

    platform::FontRequest request;
    request.height = height;
    request.weight = platform::FW_BOLD;
    request.charSet = platform::ANSI_CHARSET;
    request.outputPrecision = platform::OUT_TT_PRECIS;
    request.clipPrecision = platform::CLIP_DEFAULT_PRECIS;
    request.quality = platform::ANTIALIASED_QUALITY;
    request.pitchAndFamily = platform::DEFAULT_PITCH | platform::FF_DONTCARE;
    request.faceName = faceName;
    const platform::FontHandle made = platform::createFont(request);
    platform::selectObject(deviceContext, made);
    // Code 255 keeps a reserved, empty list.
    platform::useFontBitmaps(deviceContext, 0, 255, listBase);
    // A font built again without a release in between gives up its earlier font object; its
    // earlier lists are left alone, since they may belong to a context that is gone.
    if (font != 0) platform::deleteObject(font);
    font = made;
}

void BitmapFont::release() {
    if (listBase != 0) glDeleteLists(listBase, 256);
    listBase = 0;
    if (font != 0) platform::deleteObject(font);
    font = 0;
}

void BitmapFont::setColor(float red, float green, float blue) {
    this->red = red;
    this->green = green;
    this->blue = blue;
}

void BitmapFont::beginScreenSpace(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void BitmapFont::endScreenSpace() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void BitmapFont::print(int x, int y, const char* text) {
    beginScreenSpace(screenWidth, screenHeight);
    glPushMatrix();
        glTranslated(x, y, 0);
        // The raster position takes the current colour with it, so the colour comes first.
        glColor3f(red, green, blue);
        glRasterPos2f(0, 0);
        if (listBase != 0 && text != nullptr && text[0] != '\0') {
            glPushAttrib(GL_LIST_BIT);
            glListBase(listBase);
            glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
            glPopAttrib();
        }
    glPopMatrix();
    endScreenSpace();
}
