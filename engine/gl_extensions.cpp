// Extension lookup by whole words of the driver's extension string, and the multitexture
// entry points.
#include "engine/gl_extensions.h"

#include <cstring>

#include "platform/platform.h"

bool extensionListContains(const char* extensions, const char* name) {
    if (name == nullptr || name[0] == '\0' || std::strchr(name, ' ') != nullptr) return false;
    if (extensions == nullptr) return false;
    const std::size_t length = std::strlen(name);
    const char* start = extensions;
    for (;;) {
        const char* found = std::strstr(start, name);
        if (found == nullptr) return false;
        const char* end = found + length;
        // A rejected occurrence ends where the search goes on, and that counts as a boundary.
        const bool beginsWord = found == start || found[-1] == ' ';
        if (beginsWord && (*end == ' ' || *end == '\0')) return true;
        start = end;
    }
}

void GlExtensions::capture() { extensionString = glGetString(GL_EXTENSIONS); }

bool GlExtensions::isSupported(const char* name) const {
    if (name == nullptr || name[0] == '\0' || std::strchr(name, ' ') != nullptr) return false;
    return extensionListContains(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

bool GlExtensions::initMultitexture() {
    if (!isSupported("GL_ARB_multitexture")) return false;
    multiTexCoord2f =
        reinterpret_cast<MultiTexCoord2fProc>(platform::getProcAddress("glMultiTexCoord2fARB"));
    activeTexture =
        reinterpret_cast<ActiveTextureProc>(platform::getProcAddress("glActiveTextureARB"));
    clientActiveTexture = reinterpret_cast<ClientActiveTextureProc>(
        platform::getProcAddress("glClientActiveTextureARB"));
    return true;
}

bool GlExtensions::supportsDot3Bump() const {
    return isSupported("GL_EXT_texture_env_combine") && isSupported("GL_EXT_texture_env_dot3");
}
