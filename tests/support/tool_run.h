// Running a command-line tool as authors run it, with its exit code, standard output and
// standard error kept, and a temporary folder of its own for each test.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

struct ToolRun {
    int exitCode = -1;  // -1 when the shell did not exit normally
    std::string out;
    std::string err;
};

// Runs `command` (a shell command line) with its standard output and standard error sent to
// files in `captureFolder`, which are read back and removed.
ToolRun runCaptured(const std::string& command, const std::filesystem::path& captureFolder);

// The text quoted for the shell, single quotes inside included.
std::string quoted(const std::string& text);

// The whole content of a file, byte for byte ("" when it cannot be read).
std::string contentOf(const std::filesystem::path& path);

// A fresh folder for the running test, named after the prefix, the process and the test, and
// removed with everything in it.
class TestFolder {
public:
    explicit TestFolder(const std::string& prefix);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return root_; }
    std::filesystem::path path(const std::string& name) const { return root_ / name; }
    // Writes the text as it is (folders on the way made) and returns the file's path.
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path root_;
};

}  // namespace testsupport
