// A folder of its own for each import test, removed afterwards, and the model of
// test_model.h written into it in a format of Assimp's exporters.
#pragma once

#include "test_model.h"
#include "tool_runs.h"
#include "tests/support/tool_run.h"

#include <filesystem>
#include <set>
#include <string>

namespace importtest {

class ImportFolder : public testsupport::TestFolder {
public:
    ImportFolder() : TestFolder("vorn-import") {}

    // Every file below the folder, relative to it, folders marked with a final '/'.
    std::set<std::string> contents() const {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path()))
            found.insert(entry.path().lexically_relative(path()).generic_string() + (entry.is_directory() ? "/" : ""));
        return found;
    }
};

}  // namespace importtest
