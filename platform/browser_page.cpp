// The program's end told to the page: its main returns into a page that goes on.
#include "platform/browser_page.h"

#include <emscripten.h>

namespace platform::browser {
namespace {

EM_JS(void, pageProgramEnded, (int code), { window.vornPage.programEnded(code); });

}  // namespace

void tellPageProgramEnded(int exitCode) { pageProgramEnded(exitCode); }

}  // namespace platform::browser
