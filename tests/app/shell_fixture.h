// Shared by the shell tests: a fixture that puts the process-wide shell state, the recording
// platform and the timer back to their start, in an empty working directory, and call parsing.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo_program.h"
#include "app/frame.h"
#include "app/frame_timer.h"
#include "app/gl_window.h"
#include "app/shell_state.h"
#include "platform/fake_platform.h"

namespace shelltest {

// One recorded platform call, split into its name and its printed arguments.
struct Call {
    std::string name;
    std::vector<std::string> args;
};

inline Call parseCall(const std::string& text) {
    Call call;
    const std::size_t open = text.find('(');
    call.name = text.substr(0, open);
    if (open == std::string::npos || text.size() < open + 2) return call;
    const std::string inside = text.substr(open + 1, text.size() - open - 2);
    if (inside.empty()) return call;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = inside.find(", ", from);
        call.args.push_back(inside.substr(from, comma - from));
        if (comma == std::string::npos) break;
        from = comma + 2;
    }
    return call;
}

inline std::vector<Call> recordedCalls() {
    std::vector<Call> out;
    for (const std::string& text : platform::fake::calls()) out.push_back(parseCall(text));
    return out;
}

// The names of the calls recorded so far, in order.
inline std::vector<std::string> callNames(std::size_t from = 0) {
    std::vector<std::string> out;
    const auto& all = platform::fake::calls();
    for (std::size_t i = from; i < all.size(); ++i) out.push_back(parseCall(all[i]).name);
    return out;
}

inline std::vector<Call> callsNamed(const std::string& name) {
    std::vector<Call> out;
    for (const std::string& text : platform::fake::callsNamed(name)) out.push_back(parseCall(text));
    return out;
}

inline int countOf(const std::string& name) { return int(platform::fake::callsNamed(name).size()); }

// Position of the first call with that name at or after `from`, or -1.
inline int indexOf(const std::string& name, int from = 0) {
    const auto& all = platform::fake::calls();
    for (int i = from; i < int(all.size()); ++i)
        if (parseCall(all[i]).name == name) return i;
    return -1;
}

// Position of the message box call that showed `text`, or -1.
inline int indexOfBox(const std::string& text) {
    return platform::fake::indexOfCall("messageBox(" + text + ",");
}

inline std::string number(unsigned long long value) { return std::to_string(value); }

// The three boxes that every opening shows here: the test process has no rendering context,
// so no extension is reported, and its working directory holds no scene.
inline const std::vector<std::string> startUpBoxTexts = {
    "Votre carte graphique ne supporte pas le multitexturing",
    "Votre carte graphique ne supporte pas le BumpMapping",
    "Impossible d'ouvrir le fichier scene/2cube.vno",
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetShellState();
        platform::fake::reset();
        resetPixelFormat();
        FrameTimer::forgetReferences();
        // The start-up loads "scene/2cube.vno" from the working directory: an empty one
        // makes that load fail the same way on every machine.
        originalDirectory = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorn-shell-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        emptyDirectory = pattern;
        std::filesystem::current_path(emptyDirectory);
    }

    void TearDown() override {
        if (mainWindow != 0 || renderContext != 0 || deviceContext != 0) closeGlWindow();
        std::filesystem::current_path(originalDirectory);
        std::error_code ignored;
        std::filesystem::remove_all(emptyDirectory, ignored);
    }

    std::filesystem::path originalDirectory;
    std::filesystem::path emptyDirectory;
    DemoProgram demo{demoSceneFile};
};

}  // namespace shelltest
