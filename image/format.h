// What an image file is, told from its first bytes whatever its name says: the one list of
// formats and the one rule that the engine, the tools and the tests share.
#pragma once

#include <cstddef>
#include <string_view>

enum class ImageFormat {
    Unknown,
    // Common formats.
    Png, Jpeg, Bmp, Gif, Tga, Pcx, Pnm, Tiff, Webp, Xpm,
    // Rarer formats, and DDS.
    Dds, Psd, Hdr, Pic, Sgi, Ico, Sun, Vtf, Dcx, Ilbm, Mng, Blp,
};

// The format that the file's first bytes announce, whatever its name says.
ImageFormat formatOfContent(const unsigned char* data, std::size_t size);

// The file name extension, without the dot, that names `format`; empty for Unknown.
std::string_view extensionOf(ImageFormat format);
