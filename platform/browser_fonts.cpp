// The browser host's glyphs: the browser's canvas text renders them in the face asked for, or
// the one it falls back to, and the page hands back their bits and advances.
#include <emscripten.h>

#include "platform/host.h"

namespace platform::host {
namespace {

EM_JS(int, pageOpenFont, (const char* face, int height, int weight), {
    return window.vornPage.openFont(UTF8ToString(face), height, weight);
});
EM_JS(void, pageCloseFont, (int id), { window.vornPage.closeFont(id); });
// The glyph's size, origin and advance into `shape` (five values, the advance in 1/64 pixel)
// and its bits into `bits` when they fit; -1 without a glyph, else the bits' byte count.
EM_JS(int, pageRenderGlyph, (int id, int code, int* shape, unsigned char* bits, int room), {
    const glyph = window.vornPage.renderGlyph(id, code);
    if (!glyph) return -1;
    const values = [glyph.width, glyph.height, glyph.left, glyph.top, Math.round(glyph.advance * 64)];
    for (let i = 0; i < 5; ++i) HEAP32[(shape >> 2) + i] = values[i];
    if (glyph.bits.length <= room) HEAPU8.set(glyph.bits, bits);
    return glyph.bits.length;
});

}  // namespace

void prepareFonts() {}

Font openFont(const char* faceName, int height, int weight) {
    if (height == 0) return 0;
    return Font(pageOpenFont(faceName ? faceName : "", height, weight));
}

void closeFont(Font font) { pageCloseFont(int(font)); }

bool renderGlyph(Font font, char32_t code, Glyph& glyph) {
    int shape[5] = {};
    unsigned char room[512];
    int size = pageRenderGlyph(int(font), int(code), shape, room, int(sizeof room));
    if (size < 0) return false;
    glyph.width = shape[0];
    glyph.height = shape[1];
    glyph.left = shape[2];
    glyph.top = shape[3];
    glyph.advance = float(shape[4]) / 64.0f;
    if (size <= int(sizeof room)) {
        glyph.rows.assign(room, room + size);
        return true;
    }
    glyph.rows.assign(std::size_t(size), 0);
    pageRenderGlyph(int(font), int(code), shape, glyph.rows.data(), size);
    return true;
}

}  // namespace platform::host
