// The floor of start-up: an SDL2 OpenGL window of the demo's size and pixel format, cleared
// and presented once.
#include <SDL2/SDL.h>
#include <GL/gl.h>

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    const struct {
        SDL_GLattr attribute;
        int value;
    } pixelFormat[] = {{SDL_GL_RED_SIZE, 8},   {SDL_GL_GREEN_SIZE, 8},
                       {SDL_GL_BLUE_SIZE, 8},  {SDL_GL_DEPTH_SIZE, 16},
                       {SDL_GL_DOUBLEBUFFER, 1},
                       {SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY}};
    for (const auto& setting : pixelFormat) SDL_GL_SetAttribute(setting.attribute, setting.value);
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, 1024, 768, SDL_WINDOW_OPENGL);
    if (window == nullptr) return 1;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) return 1;
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
