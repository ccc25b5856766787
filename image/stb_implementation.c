/* stb_image and stb_image_write compiled once into the image library where no shared build of
   them comes with the system (Debian ships one for Linux only). */
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
/* Only files the size gate let through reach stb_image; this is its own limit behind that. */
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>
#include <stb_image_write.h>
