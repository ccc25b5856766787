// The program where its display cannot be reached: it says so and ends, rather than drawing
// unseen into memory for good.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

TEST(NoDisplayTest, ThePromptsGoToTheTerminalAndTheWindowIsRefused) {
    const auto err = std::filesystem::temp_directory_path() /
                     ("vorn-no-display-" + std::to_string(::getpid()));
    // Display 998 has no server; the timeout only guards against a program that never ends.
    const std::string command = std::string("cd '") + VORN_SOURCE_DIR +
                                "' && timeout 60 env DISPLAY=:998 WAYLAND_DISPLAY= '" +
                                VORN_DEMO_PROGRAM + "' >/dev/null 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    std::stringstream text;
    text << std::ifstream(err).rdbuf();
    std::filesystem::remove(err);

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << text.str();
    const std::string output = text.str();
    // Without a display the boxes are told on the terminal and take their first button:
    // Yes to fullscreen, Yes to the windowed fallback, then the window cannot be made.
    const std::string expected[] = {
        "Start FullScreen?: Fullscreen Mode?\n",
        "Kovo GL: The Requested Fullscreen Mode Is Not Supported By\n"
        "Your Video Card. Use Windowed Mode Instead?\n",
        "ERROR: Window Creation Error.\n"};
    std::size_t from = 0;
    for (const std::string& line : expected) {
        const std::size_t at = output.find(line, from);
        ASSERT_NE(at, std::string::npos) << "missing, in order: " << line << "\nin:\n" << output;
        from = at + line.size();
    }
}
