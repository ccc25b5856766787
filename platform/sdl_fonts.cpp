// The host's glyphs: fontconfig picks the installed face closest to the requested name and
// weight, and FreeType renders one-bit glyphs.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <future>
#include <set>
#include <string>

#include "platform/host.h"

namespace platform::host {
namespace {

struct FontState {
    FT_Library library = nullptr;
    std::set<FT_Face> faces;

    // At process exit: the faces still held, then the library, so that nothing of FreeType's
    // is left behind.
    ~FontState() {
        for (FT_Face face : faces) FT_Done_Face(face);
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

}  // namespace

void prepareFonts() {
    std::future<FcBool>& reading = fontListRead();
    if (!reading.valid()) reading = std::async(std::launch::async, [] { return FcInit(); });
}

Font openFont(const char* faceName, int height, int weight) {
    FontState& state = fonts();
    if (state.library == nullptr && FT_Init_FreeType(&state.library) != 0) return 0;
    std::string path;
    int index = 0;
    if (!findFace(faceName, weight, path, index)) return 0;
    FT_Face face = nullptr;
    if (FT_New_Face(state.library, path.c_str(), index, &face) != 0) return 0;
    // A positive height is the cell height, ascent plus descent, as Windows matches it.
    FT_Size_RequestRec size = {FT_SIZE_REQUEST_TYPE_CELL, 0, std::abs(height) * 64, 0, 0};
    if (height == 0 || FT_Request_Size(face, &size) != 0) {
        FT_Done_Face(face);
        return 0;
    }
    state.faces.insert(face);
    return reinterpret_cast<Font>(face);
}

void closeFont(Font font) {
    FT_Face face = reinterpret_cast<FT_Face>(font);
    if (fonts().faces.erase(face) == 1) FT_Done_Face(face);
}

bool renderGlyph(Font font, char32_t code, Glyph& glyph) {
    FT_Face face = reinterpret_cast<FT_Face>(font);
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 ||
        FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const unsigned rowBytes = (bitmap.width + 7) / 8;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = float(slot->advance.x) / 64.0f;
    glyph.rows.assign(std::size_t(rowBytes) * bitmap.rows, 0);
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* source = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
        unsigned char* target = glyph.rows.data() + std::size_t(bitmap.rows - 1 - row) * rowBytes;
        for (unsigned byte = 0; byte < rowBytes; ++byte) target[byte] = source[byte];
    }
    return true;
}

}  // namespace platform::host
