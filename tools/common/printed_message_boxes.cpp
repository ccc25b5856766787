// Message boxes printed to standard error and answered with their default button.
#include "tools/common/printed_message_boxes.h"

#include <cstdio>

#include "platform/platform.h"

namespace toolcommon {

int printAndAnswerMessageBox(const char* text, const char* caption, unsigned style) {
    std::fprintf(stderr, "messagebox: %s: %s\n", caption, text);
    return (style & 0x0F) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

}  // namespace toolcommon
