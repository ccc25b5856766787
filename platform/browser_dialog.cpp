// The browser host's modal question: a dialog in the page, the program waiting for its answer
// as it does for a message box on the desktop.
#include <emscripten.h>

#include <string>

#include "platform/host.h"

namespace platform::host {
namespace {

// Buttons as "label\tanswer\tenter\tescape" lines.
EM_ASYNC_JS(int, pageAsk, (const char* caption, const char* text, int icon, const char* buttons), {
    const list = UTF8ToString(buttons).split('\n').filter((line) => line.length > 0).map((line) => {
        const [label, answer, onEnter, onEscape] = line.split('\t');
        return { label, answer: Number(answer), onEnter: onEnter === '1', onEscape: onEscape === '1' };
    });
    if (!window.vornPage || list.length === 0) return -1;
    return await window.vornPage.ask(UTF8ToString(caption), UTF8ToString(text), icon, list);
});

}  // namespace

int ask(const Question& question) {
    std::string buttons;
    for (const Button& button : question.buttons) {
        buttons += button.label;
        buttons += '\t' + std::to_string(button.answer) + '\t' + (button.onEnter ? "1" : "0") +
                   '\t' + (button.onEscape ? "1" : "0") + '\n';
    }
    const int icon = question.icon == Icon::warning ? 1 : question.icon == Icon::error ? 2 : 0;
    return pageAsk(question.caption, question.text, icon, buttons.c_str());
}

}  // namespace platform::host
