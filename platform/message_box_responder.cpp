// The one responder of the process, set by tools before they draw unseen.
#include "platform/message_box_responder.h"

#include <string>

#include "platform/platform.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {
MessageBoxResponder responder = nullptr;
}

void setMessageBoxResponder(MessageBoxResponder newResponder) { responder = newResponder; }

bool answeredByResponder(const char* text, const char* caption, unsigned style, int& answer) {
    if (responder == nullptr) return false;
    const std::string message = toUtf8(text ? text : "");
    const std::string title = toUtf8(caption ? caption : "");
    answer = responder(message.c_str(), title.c_str(), style);
    return true;
}

}  // namespace platform
