// What a program in a web page tells the page beyond its windows: that it has ended.
#pragma once

namespace platform::browser {

// The page then says so and offers to start the program again.
void tellPageProgramEnded(int exitCode);

}  // namespace platform::browser
