// Read-back, PNG writing through the image library and the offscreen framebuffer. Framebuffer objects are reached through
// the platform's entry points, as the multitexture functions are.
#include "tools/view/picture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <filesystem>

#include "image/write.h"
#include "platform/platform.h"

namespace {

struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    template <typename F>
    static bool fetch(F& function, const char* name) {
        function = reinterpret_cast<F>(platform::getProcAddress(name));
        return function != nullptr;
    }
    bool fetchAll() {
        return fetch(genFramebuffers, "glGenFramebuffers") &&
               fetch(deleteFramebuffers, "glDeleteFramebuffers") &&
               fetch(bindFramebuffer, "glBindFramebuffer") &&
               fetch(genRenderbuffers, "glGenRenderbuffers") &&
               fetch(deleteRenderbuffers, "glDeleteRenderbuffers") &&
               fetch(bindRenderbuffer, "glBindRenderbuffer") &&
               fetch(renderbufferStorage, "glRenderbufferStorage") &&
               fetch(framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
               fetch(checkFramebufferStatus, "glCheckFramebufferStatus");
    }
};

FramebufferFunctions gl;

}  // namespace

std::vector<unsigned char> readPixels(int width, int height) {
    std::vector<unsigned char> pixels(std::size_t(width) * std::size_t(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool writePng(const std::string& path, int width, int height,
              const std::vector<unsigned char>& pixels) {
    if (pixels.size() != std::size_t(width) * std::size_t(height) * 3) return false;
    return writeImageFile(path, ImageFormat::Png, PixelRows{width, height, 3, pixels.data(), true});
}

std::string nextScreenshotName() {
    for (int number = 1;; ++number) {
        const std::string name = "vorn-view-" + std::to_string(number) + ".png";
        std::error_code error;
        if (!std::filesystem::exists(name, error) && !error) return name;
    }
}

OffscreenFramebuffer::~OffscreenFramebuffer() {
    if (framebuffer == 0) return;
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.deleteFramebuffers(1, &framebuffer);
    gl.deleteRenderbuffers(1, &colour);
    gl.deleteRenderbuffers(1, &depth);
}

bool OffscreenFramebuffer::create(int width, int height) {
    if (!gl.fetchAll()) return false;
    gl.genFramebuffers(1, &framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.genRenderbuffers(1, &colour);
    gl.bindRenderbuffer(GL_RENDERBUFFER, colour);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    // The window's depth buffer has 16 bits; the same here gives the same picture.
    gl.genRenderbuffers(1, &depth);
    gl.bindRenderbuffer(GL_RENDERBUFFER, depth);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}
