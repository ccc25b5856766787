// Bitmap fonts: fontconfig picks the installed face closest to the requested name and weight,
// FreeType renders one-bit glyphs, and each glyph becomes one display list with one glBitmap.
#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

struct Font {
    FT_Face face = nullptr;
    int height = 0;
};

struct FontState {
    FT_Library library = nullptr;
    std::map<FontHandle, Font> fonts;
    std::map<DeviceContext, FontHandle> selected;
    FontHandle nextHandle = 0x5000;

    // At process exit: the faces still held, then the library, so that nothing of FreeType's
    // is left behind.
    ~FontState() {
        for (auto& entry : fonts) FT_Done_Face(entry.second.face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

FontState& fonts() {
    static FontState s;
    return s;
}

// Reading fontconfig's configuration and font list, once, perhaps started ahead.
std::future<FcBool>& fontListRead() {
    static std::future<FcBool> reading;
    return reading;
}

bool fontListReady() {
    std::future<FcBool>& reading = fontListRead();
    if (reading.valid()) reading.get();
    return FcInit();
}

// The file and face index of the installed face closest to the name and weight.
bool findFace(const char* faceName, int weight, std::string& path, int& index) {
    if (!fontListReady()) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName ? faceName : ""));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : 400));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    FcChar8* file = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    }
    FcPatternDestroy(match);
    return found;
}

// One glyph's display list: its one-bit bitmap, bottom row first, with origin and advance.
void compileGlyph(FT_Face face, unsigned code, unsigned list) {
    glNewList(list, GL_COMPILE);
    const char32_t unicode = code < 0x20 ? 0 : windows1252ToUnicode((unsigned char)code);
    const FT_UInt index = unicode ? FT_Get_Char_Index(face, unicode) : 0;
    if (index != 0 &&
        FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const unsigned rowBytes = (bitmap.width + 7) / 8;
        std::vector<GLubyte> rows(std::size_t(rowBytes) * bitmap.rows + 1, 0);
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* source = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
            GLubyte* target = rows.data() + std::size_t(bitmap.rows - 1 - row) * rowBytes;
            for (unsigned byte = 0; byte < rowBytes; ++byte) target[byte] = source[byte];
        }
        glBitmap(GLsizei(bitmap.width), GLsizei(bitmap.rows), GLfloat(-slot->bitmap_left),
                 GLfloat(int(bitmap.rows) - slot->bitmap_top), GLfloat(slot->advance.x) / 64.0f,
                 0.0f, rows.data());
    }
    glEndList();
}

}  // namespace

void prepareFonts() {
    std::future<FcBool>& reading = fontListRead();
    if (!reading.valid()) reading = std::async(std::launch::async, [] { return FcInit(); });
}

FontHandle createFont(const FontRequest& request) {
    FontState& state = fonts();
    if (state.library == nullptr && FT_Init_FreeType(&state.library) != 0) return 0;
    std::string path;
    int index = 0;
    if (!findFace(request.faceName, request.weight, path, index)) return 0;
    Font font;
    if (FT_New_Face(state.library, path.c_str(), index, &font.face) != 0) return 0;
    // A positive height is the cell height, ascent plus descent, as Windows matches it.
    FT_Size_RequestRec size = {FT_SIZE_REQUEST_TYPE_CELL, 0, std::abs(request.height) * 64, 0, 0};
    if (request.height == 0 || FT_Request_Size(font.face, &size) != 0) {
        FT_Done_Face(font.face);
        return 0;
    }
    font.height = request.height;
    const FontHandle handle = state.nextHandle++;
    state.fonts[handle] = font;
    return handle;
}

FontHandle selectObject(DeviceContext dc, FontHandle font) {
    FontHandle& slot = fonts().selected[dc];
    const FontHandle previous = slot;
    slot = font;
    return previous;
}

bool useFontBitmaps(DeviceContext dc, unsigned first, unsigned count, unsigned listBase) {
    FontState& state = fonts();
    auto selected = state.selected.find(dc);
    if (selected == state.selected.end()) return false;
    auto font = state.fonts.find(selected->second);
    if (font == state.fonts.end() || listBase == 0) return false;

    // The caller's pixel-store state is left as it was.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (unsigned i = 0; i < count; ++i) compileGlyph(font->second.face, first + i, listBase + i);
    glPopClientAttrib();
    return true;
}

bool deleteObject(FontHandle font) {
    FontState& state = fonts();
    auto found = state.fonts.find(font);
    if (found == state.fonts.end()) return false;
    FT_Done_Face(found->second.face);
    state.fonts.erase(found);
    // A device context whose font is gone has none selected; its entry goes with it.
    std::erase_if(state.selected, [font](const auto& entry) { return entry.second == font; });
    return true;
}

}  // namespace platform
