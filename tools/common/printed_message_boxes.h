// Message boxes for tools that run where nobody can answer them: each box is printed to
// standard error and answered with its default button.
#pragma once

namespace toolcommon {

// A message box responder: prints "messagebox: CAPTION: TEXT" to standard error and answers
// Yes to a Yes/No box and OK to any other.
int printAndAnswerMessageBox(const char* text, const char* caption, unsigned style);

}  // namespace toolcommon
