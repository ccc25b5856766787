// gl-extension-probe: writes the OpenGL extension string that a program started with the same
// environment on the same display gets, so the tests know what an override really hid.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>

// The extension string goes to the file named by the argument: the driver writes its own
// warnings to the standard streams.
int main(int argc, char** argv) {
    if (argc != 2) return 2;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (visual == nullptr) return 1;
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes windowAttributes{};
    windowAttributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    const Window window = XCreateWindow(display, root, 0, 0, 16, 16, 0, visual->depth, InputOutput,
                                        visual->visual, CWColormap, &windowAttributes);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    if (context == nullptr || !glXMakeCurrent(display, window, context)) return 1;
    const GLubyte* extensions = glGetString(GL_EXTENSIONS);
    if (std::FILE* out = std::fopen(argv[1], "w")) {
        std::fprintf(out, "%s\n", extensions ? reinterpret_cast<const char*>(extensions) : "");
        std::fclose(out);
    }
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    XDestroyWindow(display, window);
    XFree(visual);
    XCloseDisplay(display);
    return extensions ? 0 : 1;
}
