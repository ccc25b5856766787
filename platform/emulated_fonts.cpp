// Bitmap fonts, emulated: the host opens the face and renders each glyph to a one-bit bitmap,
// and each glyph becomes one display list with one glBitmap, as wglUseFontBitmaps makes them.
#include <GL/gl.h>

#include <algorithm>

#include "platform/emulation_state.h"
#include "platform/text_encoding.h"

namespace platform {
using emulation::state;
using emulation::watched;

namespace {

// One glyph's display list: its bitmap with origin and advance; empty for a code without one.
void compileGlyph(host::Font font, unsigned code, unsigned list) {
    glNewList(list, GL_COMPILE);
    const char32_t unicode = code < 0x20 ? 0 : windows1252ToUnicode((unsigned char)code);
    host::Glyph glyph;
    if (unicode != 0 && host::renderGlyph(font, unicode, glyph)) {
        // glBitmap reads one byte past a bitmap of no rows; a spare byte keeps that inside.
        glyph.rows.push_back(0);
        glBitmap(GLsizei(glyph.width), GLsizei(glyph.height), GLfloat(-glyph.left),
                 GLfloat(glyph.height - glyph.top), glyph.advance, 0.0f, glyph.rows.data());
    }
    glEndList();
}

}  // namespace

void prepareFonts() { host::prepareFonts(); }

FontHandle createFont(const FontRequest& r) {
    if (watched("createFont", r.height, r.width, r.escapement, r.orientation, r.weight, r.italic,
                r.underline, r.strikeOut, r.charSet, r.outputPrecision, r.clipPrecision,
                r.quality, r.pitchAndFamily, r.faceName))
        return 0;
    const host::Font font = host::openFont(r.faceName ? r.faceName : "", r.height, r.weight);
    if (font != 0) state().fonts.insert(font);
    return font;
}

FontHandle selectObject(DeviceContext dc, FontHandle font) {
    watched("selectObject", dc, font);
    FontHandle& slot = state().selectedFonts[dc];
    const FontHandle previous = slot;
    slot = font;
    return previous;
}

bool useFontBitmaps(DeviceContext dc, unsigned first, unsigned count, unsigned listBase) {
    if (watched("useFontBitmaps", dc, first, count, listBase)) return false;
    auto selected = state().selectedFonts.find(dc);
    if (selected == state().selectedFonts.end() || listBase == 0 ||
        state().fonts.count(selected->second) == 0)
        return false;

    // The caller's pixel-store state is left as it was.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (unsigned i = 0; i < count; ++i) compileGlyph(selected->second, first + i, listBase + i);
    glPopClientAttrib();
    return true;
}

bool deleteObject(FontHandle font) {
    if (watched("deleteObject", font)) return false;
    if (state().fonts.erase(font) == 0) return false;
    host::closeFont(font);
    // A device context whose font is gone has none selected; its entry goes with it.
    std::erase_if(state().selectedFonts, [font](const auto& entry) { return entry.second == font; });
    return true;
}

}  // namespace platform
