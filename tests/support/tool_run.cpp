// Tool runs through the shell, their captured output, and the tests' temporary folders.
#include "tests/support/tool_run.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <process.h>  // std::system gives the exit code itself there
#define WIFEXITED(status) ((status) != -1)
#define WEXITSTATUS(status) (status)
#define getpid _getpid
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

ToolRun runCaptured(const std::string& command, const fs::path& captureFolder) {
    const fs::path out = captureFolder / ".stdout", err = captureFolder / ".stderr";
    const std::string line = command + " >" + quoted(out.string()) + " 2>" + quoted(err.string());
    const int status = std::system(line.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = contentOf(out);
    run.err = contentOf(err);
    // The folder may be the one the test looks into afterwards.
    std::error_code ignored;
    fs::remove(out, ignored);
    fs::remove(err, ignored);
    return run;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TestFolder::TestFolder(const std::string& prefix) {
    // A test may hold several folders at once, and parameterised tests have '/' in their names.
    static int made = 0;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = prefix + "-" + std::to_string(getpid()) + "-" + std::to_string(++made) +
                       "-" + test->test_suite_name() + "-" + test->name();
    for (char& c : name)
        if (c == '/') c = '_';
    root_ = fs::temp_directory_path() / name;
    fs::remove_all(root_);
    fs::create_directories(root_);
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string TestFolder::write(const std::string& name, const std::string& text) const {
    const fs::path file = root_ / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
}

}  // namespace testsupport
