// A folder of its own for each import test, removed afterwards, and the model of
// test_model.h written into it in a format of Assimp's exporters.
#pragma once

#include "test_model.h"
#include "tool_runs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace importtest {

class ImportFolder {
public:
    ImportFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "-" + test->name();
        for (char& c : name)
            if (c == '/') c = '-';
        folder_ = std::filesystem::temp_directory_path() / ("vorn-import-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~ImportFolder() { std::filesystem::remove_all(folder_); }

    const std::filesystem::path& path() const { return folder_; }

    void writeText(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories((folder_ / name).parent_path());
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }

    // Every file below the folder, relative to it, folders marked with a final '/'.
    std::set<std::string> contents() const {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_))
            found.insert(entry.path().lexically_relative(folder_).generic_string() + (entry.is_directory() ? "/" : ""));
        return found;
    }

private:
    std::filesystem::path folder_;
};

}  // namespace importtest
