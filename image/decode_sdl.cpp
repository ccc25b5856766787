// SDL2_image's decoders, chosen by the format the content showed, and the conversion of their
// surfaces to RGB or RGBA rows, bottom row first as OpenGL keeps a texture.
#include "image/decode_sdl.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstring>

namespace {

using Loader = SDL_Surface* (*)(SDL_RWops*);

Loader loaderFor(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png: return IMG_LoadPNG_RW;
    case ImageFormat::Jpeg: return IMG_LoadJPG_RW;
    case ImageFormat::Bmp: return IMG_LoadBMP_RW;
    case ImageFormat::Gif: return IMG_LoadGIF_RW;
    case ImageFormat::Tga: return IMG_LoadTGA_RW;
    case ImageFormat::Pcx: return IMG_LoadPCX_RW;
    case ImageFormat::Pnm: return IMG_LoadPNM_RW;
    case ImageFormat::Tiff: return IMG_LoadTIF_RW;
    case ImageFormat::Webp: return IMG_LoadWEBP_RW;
    // DevIL's XPM reader crashes on the files ImageMagick writes.
    case ImageFormat::Xpm: return IMG_LoadXPM_RW;
    default: return nullptr;
    }
}

// Alpha in the pixel format, a colour key or a palette entry that is not opaque.
bool hasTransparency(SDL_Surface* surface) {
    if (SDL_ISPIXELFORMAT_ALPHA(surface->format->format) || SDL_HasColorKey(surface)) return true;
    if (const SDL_Palette* palette = surface->format->palette)
        for (int i = 0; i < palette->ncolors; ++i)
            if (palette->colors[i].a != 255) return true;
    return false;
}

// Converts the decoder's surface, lets it go before the rows are copied, so that at most two
// copies of the picture exist at once, and copies the rows bottom first.
bool takeRowsBottomFirst(SDL_Surface* surface, DecodedPixels& pixels) {
    const bool alpha = hasTransparency(surface);
    SDL_Surface* converted =
        SDL_ConvertSurfaceFormat(surface, alpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(surface);
    if (converted == nullptr) return false;
    pixels.width = converted->w;
    pixels.height = converted->h;
    pixels.channels = alpha ? 4 : 3;
    const std::size_t rowBytes = std::size_t(converted->w) * std::size_t(pixels.channels);
    pixels.bytes.resize(rowBytes * std::size_t(converted->h));
    const auto* source = static_cast<const unsigned char*>(converted->pixels);
    for (int row = 0; row < converted->h; ++row)
        std::memcpy(pixels.bytes.data() + std::size_t(converted->h - 1 - row) * rowBytes,
                    source + std::size_t(row) * std::size_t(converted->pitch), rowBytes);
    SDL_FreeSurface(converted);
    return true;
}

}  // namespace

bool sdlImageDecodes(ImageFormat format) { return loaderFor(format) != nullptr; }

bool decodeWithSdlImage(ImageFormat format, const unsigned char* data, std::size_t size,
                        DecodedPixels& pixels) {
    const Loader loader = loaderFor(format);
    if (loader == nullptr || size > std::size_t(INT32_MAX)) return false;
    SDL_RWops* stream = SDL_RWFromConstMem(data, int(size));
    if (stream == nullptr) return false;
    SDL_Surface* surface = loader(stream);
    SDL_RWclose(stream);
    if (surface == nullptr) return false;
    if (surface->w > 0 && surface->h > 0) return takeRowsBottomFirst(surface, pixels);
    SDL_FreeSurface(surface);
    return false;
}
