// An orthographic view of whole pixels: the centre of pixel x falls on texel x's centre, so
// that any filter samples each texel alone and level 0 shows as it is.
#include "tests/support/drawn_texture.h"

namespace testsupport {

std::vector<unsigned char> drawnTexture(TextureList& list, const std::string& path, int filterMode, int width,
                                        int height, int viewWidth, int viewHeight) {
    const int id = list.addTexture(path.c_str(), filterMode, 1);
    glViewport(0, 0, viewWidth, viewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, viewWidth, 0, viewHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    list.all().at(std::size_t(id)).bind();
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2i(0, 0);
        glTexCoord2f(1, 0); glVertex2i(width, 0);
        glTexCoord2f(1, 1); glVertex2i(width, height);
        glTexCoord2f(0, 1); glVertex2i(0, height);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    std::vector<unsigned char> pixels(std::size_t(width) * std::size_t(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace testsupport
