// What a program in a web page tells the page beyond its windows: that it has ended (its main
// returns into a page that goes on, no process exit is seen there) or has run out of memory.
#pragma once

namespace platform::browser {

// The page then says so and offers to start the program again.
void tellPageProgramEnded(int exitCode);

// A new that finds the page's memory at its cap then ends the program, the page saying why
// and offering to start it again, instead of aborting in the middle of a frame.
void endProgramWhenMemoryRunsOut();

}  // namespace platform::browser
