// The entry point of a program in a web page: the program's own main, whose blocking calls
// return to the page while they wait, and then the page told that it has ended.
#include "platform/browser_page.h"

int vornProgramMain(int argc, char** argv);

int main(int argc, char** argv) {
    platform::browser::endProgramWhenMemoryRunsOut();
    const int code = vornProgramMain(argc, argv);
    platform::browser::tellPageProgramEnded(code);
    return code;
}
