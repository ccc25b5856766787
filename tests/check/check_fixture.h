// Shared by the checker's tests: a temporary working directory holding the worked example's
// image and the files the tests write, and the worked example edited line by line.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "../meshfile/mesh_file_fixture.h"
#include "tests/support/tool_run.h"
#include "tools/check/file_check.h"

namespace checktext {

// The worked example's lines, without their line ends, counted from 1 as diagnostics count.
inline std::vector<std::string> exampleLines() {
    std::vector<std::string> out;
    const std::string text = meshtext::workedExample;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = text.find('\n', at);
        out.push_back(text.substr(at, lf - at));
        at = lf + 1;
    }
    return out;
}

inline std::string joined(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string out;
    for (const std::string& line : lines) out += line + end;
    return out;
}

// The worked example with line `number` replaced by `text`.
inline std::string exampleWith(int number, const std::string& text) {
    std::vector<std::string> lines = exampleLines();
    lines.at(std::size_t(number - 1)) = text;
    return joined(lines);
}

inline std::string exampleWithout(int number) {
    std::vector<std::string> lines = exampleLines();
    lines.erase(lines.begin() + (number - 1));
    return joined(lines);
}

// The worked scene description of the format, naming the worked example as "one.vno".
inline const char* const sceneExample =
    "FICHIER_VNT\nTEXTURE\ntextures/stone.jpg\nFIN_TEXTURE\n"
    "CAMERA\nCamera01\n0,5,-20\n0, 0, 0\n\n"
    "LUMIERE\nLamp01\n10,20.5,5\n1,0.9,0.6\n3.8\n\n"
    "MESH\none.vno\nFIN_FICHIER_VNT\n";

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = text.find('\n', at);
        out.push_back(text.substr(at, lf - at));
        at = lf + 1;
    }
    return out;
}

// `text` with random damage: bytes changed, lost or doubled, long runs added, the end cut off.
inline std::string damaged(const std::string& text, std::mt19937& random) {
    static const std::string bytes(",,  \n\n\r\t\0-.e5x0F", 16);
    std::string out = text;
    for (int damage = int(random() % 3); damage >= 0; --damage) {
        const std::size_t at = random() % out.size();
        switch (random() % 5) {
        case 0: out[at] = bytes[random() % bytes.size()]; break;
        case 1: out.erase(at, 1 + random() % 12); break;
        case 2: out.insert(at, out.substr(at, 1 + random() % 300)); break;
        case 3: out.insert(at, std::string(1 + random() % 300, 'x')); break;
        default: out = out.substr(0, at); break;
        }
        if (out.empty()) out = text.substr(0, 12);
    }
    return out;
}

}  // namespace checktext

struct Expected {
    int line;
    int column;
    Severity severity;
    const char* code;
};

// A file with one fault, and the finding that names it.
struct BrokenFile {
    const char* name;
    std::string text;
    Expected finding;
    bool alone;  // the only finding; otherwise the fault brings others after it
    const char* file = "broken.vno";
};

// Every broken file of the checker's table, mesh files and scene descriptions.
const std::vector<BrokenFile>& brokenFiles();

// Runs in a temporary directory of its own, which holds the worked example's image.
class CheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        std::filesystem::create_directory("textures");
        write("textures/stone.jpg", "an image");
        write("one.vno", meshtext::workedExample);
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    static void write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }

    // Checks one file named as on the command line; it must open.
    std::vector<Finding> check(const std::string& name) {
        CheckRun run;
        std::string reason;
        EXPECT_TRUE(run.checkPath(name, reason)) << reason;
        return run.findings();
    }

    const testsupport::TestFolder folder{"vorn-check"};
    std::filesystem::path previous;
};
