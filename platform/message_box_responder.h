// The message-box responder of tools that run without a user, shared by the Win32 platform
// and the emulation: one place keeps it and hands it the box as UTF-8.
#pragma once

namespace platform {

// True when a responder is set; it was given the text and caption as UTF-8, and its answer
// is in `answer`.
bool answeredByResponder(const char* text, const char* caption, unsigned style, int& answer);

}  // namespace platform
