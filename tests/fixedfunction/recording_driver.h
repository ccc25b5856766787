// A driver table for the layer's tests without a GL context: every call succeeds, names are
// counted up, and the draws are recorded with their modes and vertex counts.
#pragma once

#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixedfunction/driver.h"

namespace fftest {

struct RecordedDraw {
    GLenum mode;
    GLsizei count;
};

struct DriverRecord {
    std::vector<RecordedDraw> draws;
    std::vector<GLenum> texImageFormats;  // the format of each upload
    int clears = 0;
};

// The table, and what it has recorded since the last reset.
const fixedfunction::Driver& recordingDriver();
DriverRecord& driverRecord();
// A fresh layer context on the recording driver, current, with an empty record.
void startRecordingContext();

// Names parameterised cases after their `name` member, spaces and signs as underscores.
template <class Case>
struct NamedCase {
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    }
};

}  // namespace fftest
