// Every installed program run from a folder of its own: --version answers the build's version,
// --help its usage, its man page reads without warnings and names every option the help names;
// the installed scene passes vorn-check; bin/ holds the programs users run and nothing else.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "installed_paths.h"

using namespace installtest;

namespace {

const char* const programs[] = {"vorn-demo", "vorn-check", "vorn-inspect", "vorn-view",
                                "vorn-import"};

class InstalledProgramTest : public ::testing::TestWithParam<const char*> {
protected:
    TestFolder elsewhere{"install"};

    // The installed program, run in an empty folder.
    ToolRun run(const std::string& arguments) {
        const std::string program = quoted((binFolder / GetParam()).string());
        return runCaptured("cd " + quoted(elsewhere.path().string()) + " && " + program + " " +
                               arguments,
                           elsewhere.path());
    }

    // The man page as man shows it, one very long line a paragraph.
    ToolRun readManPage(const std::string& options = "") {
        const std::string page = (manFolder / (std::string(GetParam()) + ".1.gz")).string();
        return runCaptured("MANWIDTH=1000 man " + options + " -l " + quoted(page),
                           elsewhere.path());
    }
};

TEST_P(InstalledProgramTest, AnswersVersionWithTheBuildsVersion) {
    const ToolRun version = run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string(GetParam()) + " " + expectedVersion + "\n");
    EXPECT_EQ(version.err, "");
}

TEST_P(InstalledProgramTest, AnswersHelpWithItsUsage) {
    const ToolRun help = run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(std::string("usage: ") + GetParam() + " ", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
}

TEST_P(InstalledProgramTest, HasAManPageThatReadsWithoutWarnings) {
    const ToolRun check = readManPage("--warnings -E UTF-8 -Tutf8 -Z");
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.err, "");
    const ToolRun page = readManPage();
    ASSERT_EQ(page.exitCode, 0) << page.err;
    // whatis and apropos find the program by this line.
    EXPECT_NE(page.out.find(std::string("\n       ") + GetParam() + " - "), std::string::npos)
        << page.out.substr(0, 300);
}

TEST_P(InstalledProgramTest, ManPageNamesEveryOptionOfTheHelp) {
    const ToolRun help = run("--help");
    const ToolRun page = readManPage();
    ASSERT_EQ(page.exitCode, 0) << page.err;
    const std::regex option(R"((^|[\s\[])(--?[a-z][a-z-]*))");
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(help.out.begin(), help.out.end(), option);
         it != std::sregex_iterator(); ++it)
        options.insert((*it)[2]);
    ASSERT_FALSE(options.empty()) << help.out;
    for (const std::string& name : options)
        EXPECT_NE(page.out.find(name), std::string::npos) << name << " is not in the man page";
    EXPECT_NE(page.out.find("--version"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Programs, InstalledProgramTest, ::testing::ValuesIn(programs),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST(InstalledData, TheSceneAndTheExamplePassTheChecker) {
    TestFolder capture("install");
    const ToolRun check =
        runCaptured("cd " + quoted(dataFolder.string()) + " && " +
                        quoted((binFolder / "vorn-check").string()) +
                        " scene/2cube.vno scene/example.vnt",
                    capture.path());
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out, "");
    EXPECT_EQ(check.err, "0 errors, 0 warnings\n");
}

TEST(InstalledData, BinHoldsTheProgramsUsersRunAndNothingElse) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(binFolder))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>(std::begin(programs), std::end(programs)));
}

}  // namespace
