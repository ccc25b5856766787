// Preloaded into a program whose start is measured: the first presented frame writes one byte
// to the descriptor VORN_FIRST_FRAME_FD and ends the program at once, and every message box is
// answered with its Escape button at once (the demo's start question: windowed).
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using SwapWindow = void (*)(SDL_Window*);
    static const auto next = reinterpret_cast<SwapWindow>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    if (next != nullptr) next(window);
    const char* descriptor = std::getenv("VORN_FIRST_FRAME_FD");
    if (descriptor != nullptr) (void)!write(std::atoi(descriptor), "F", 1);
    _exit(0);
}

extern "C" int SDL_ShowMessageBox(const SDL_MessageBoxData* data, int* buttonId) {
    *buttonId = data->numbuttons > 0 ? data->buttons[data->numbuttons - 1].buttonid : -1;
    for (int i = 0; i < data->numbuttons; ++i)
        if (data->buttons[i].flags & SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT)
            *buttonId = data->buttons[i].buttonid;
    return 0;
}
