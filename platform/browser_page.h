// What a program in a web page tells the page beyond its windows: that it has ended, since
// its main returns into a page that goes on and no process exit is seen there.
#pragma once

namespace platform::browser {

// The page then says so and offers to start the program again.
void tellPageProgramEnded(int exitCode);

}  // namespace platform::browser
