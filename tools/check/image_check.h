// Whether an image file named in a scene would give the engine a texture: the file exists and
// the engine's image code reads it, without a window or a rendering context.
#pragma once

enum class ImageStatus { loads, missing, unreadable };

// Reads the image at `path` (relative to the working directory, as the engine opens it).
ImageStatus checkImage(const char* path);
