// Modal message boxes through SDL, with the buttons and icon the style asks for.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "platform/utf8_box_locale.h"

namespace platform {
namespace {
MessageBoxResponder responder = nullptr;
}

void setMessageBoxResponder(MessageBoxResponder newResponder) { responder = newResponder; }

int messageBox(const char* text, const char* caption, unsigned style) {
    const std::string message = toUtf8(text ? text : "");
    const std::string title = toUtf8(caption ? caption : "");
    if (responder != nullptr) return responder(message.c_str(), title.c_str(), style);

    const bool yesNo = (style & 0x0F) == MB_YESNO;
    // Enter answers the first button, Escape the last.
    SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
         "OK"}};
    SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"}};

    Uint32 flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    switch (style & 0xF0) {
    case MB_ICONSTOP: flags |= SDL_MESSAGEBOX_ERROR; break;
    case MB_ICONEXCLAMATION: flags |= SDL_MESSAGEBOX_WARNING; break;
    default: flags |= SDL_MESSAGEBOX_INFORMATION; break;
    }
    const SDL_MessageBoxData data = {flags, nullptr, title.c_str(), message.c_str(),
                                     yesNo ? 2 : 1, yesNo ? yesNoButtons : okButtons, nullptr};
    int answer = 0;
    int shown = 0;
    {
        const Utf8BoxLocale utf8;
        shown = SDL_ShowMessageBox(&data, &answer);
    }
    if (shown != 0) {
        // No display to show it on: say it on the terminal and take the first button.
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        return yesNo ? IDYES : IDOK;
    }
    // Closing the box without a button counts as the Escape button.
    if (answer < 0) return yesNo ? IDNO : IDOK;
    return answer;
}

}  // namespace platform
