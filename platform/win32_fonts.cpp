// Bitmap fonts from GDI: one display list per glyph, made by wglUseFontBitmapsA.
#include <map>
#include <set>

#include "platform/win32_api.h"

namespace platform {
namespace {

// Wine's wglUseFontBitmapsA compiles the space, a glyph without pixels, as a glBitmap of no
// bitmap at all, which Mesa refuses with GL_OUT_OF_MEMORY: the list is left without the
// advance and text loses its spaces. The space's list is made again here, as Windows makes
// it: an empty bitmap (given, unlike Wine, as a pointer to something) and the font's width.
void compileSpace(HDC dc, unsigned list) {
    INT advance = 0;
    if (!GetCharWidth32A(dc, ' ', ' ', &advance)) return;
    glNewList(list, GL_COMPILE);
    static const GLubyte noPixels[1] = {0};
    glBitmap(0, 0, 0.0f, 0.0f, GLfloat(advance), 0.0f, noPixels);
    glEndList();
}

// GDI deletes no font while a device context holds it, and cannot say which do: the fonts
// made here and where each is selected are kept, so that a deleted font leaves every one.
struct FontState {
    std::set<FontHandle> fonts;
    std::map<DeviceContext, FontHandle> selected;
};

FontState& state() {
    static FontState s;
    return s;
}

// Text drawn without a window (a tool's offscreen picture) has no device context of its own;
// GDI renders its glyphs in a memory one, while the lists go into the current GL context.
HDC deviceContextOf(DeviceContext dc) {
    if (dc != 0) return win32::deviceContext(dc);
    static const HDC memory = CreateCompatibleDC(nullptr);
    return memory;
}

}  // namespace

// GDI keeps its font list ready: there is nothing to read ahead.
void prepareFonts() {}

FontHandle createFont(const FontRequest& r) {
    const FontHandle font = win32::handleOf(
        CreateFontA(r.height, r.width, r.escapement, r.orientation, r.weight, r.italic,
                    r.underline, r.strikeOut, r.charSet, r.outputPrecision, r.clipPrecision,
                    r.quality, r.pitchAndFamily, r.faceName));
    if (font != 0) state().fonts.insert(font);
    return font;
}

FontHandle selectObject(DeviceContext dc, FontHandle font) {
    const FontHandle previous =
        win32::handleOf(SelectObject(deviceContextOf(dc), win32::font(font)));
    if (previous != 0) state().selected[dc] = font;
    return previous;
}

bool useFontBitmaps(DeviceContext dc, unsigned first, unsigned count, unsigned listBase) {
    if (listBase == 0) return false;
    const bool made = wglUseFontBitmapsA(deviceContextOf(dc), first, count, listBase);
    const unsigned space = ' ';
    if (first <= space && space - first < count)
        compileSpace(deviceContextOf(dc), listBase + (space - first));
    return made;
}

bool deleteObject(FontHandle font) {
    FontState& s = state();
    if (s.fonts.erase(font) == 0) return false;
    for (auto entry = s.selected.begin(); entry != s.selected.end();) {
        if (entry->second == font) {
            SelectObject(deviceContextOf(entry->first), GetStockObject(SYSTEM_FONT));
            entry = s.selected.erase(entry);
        } else {
            ++entry;
        }
    }
    return DeleteObject(win32::font(font));
}

}  // namespace platform
