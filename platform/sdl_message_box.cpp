// The host's modal question through SDL's message box, with the buttons and icon asked for.
#include <SDL.h>

#include <vector>

#include "platform/host.h"
#include "platform/utf8_box_locale.h"

namespace platform::host {

int ask(const Question& question) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (const Button& button : question.buttons) {
        Uint32 flags = 0;
        if (button.onEnter) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (button.onEscape) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back(SDL_MessageBoxButtonData{flags, button.answer, button.label});
    }
    Uint32 flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    switch (question.icon) {
    case Icon::error: flags |= SDL_MESSAGEBOX_ERROR; break;
    case Icon::warning: flags |= SDL_MESSAGEBOX_WARNING; break;
    case Icon::information: flags |= SDL_MESSAGEBOX_INFORMATION; break;
    }
    const SDL_MessageBoxData data = {flags, nullptr, question.caption, question.text,
                                     int(buttons.size()), buttons.data(), nullptr};
    int answer = 0;
    int shown = 0;
    {
        const Utf8BoxLocale utf8;
        shown = SDL_ShowMessageBox(&data, &answer);
    }
    if (shown != 0) return -1;
    if (answer >= 0) return answer;
    // Closed without a button: the Escape button's answer.
    for (const Button& button : question.buttons)
        if (button.onEscape) return button.answer;
    return question.buttons.empty() ? 0 : question.buttons.back().answer;
}

}  // namespace platform::host
