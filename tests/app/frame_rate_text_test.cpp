// The frame-rate text of the overlay: the rate cut toward zero, kept within an int whatever
// the rate, so no conversion is ever undefined.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "app/frame.h"

namespace {

struct RateCase {
    const char* label;
    float rate;
    const char* text;
};

class FrameRateText : public ::testing::TestWithParam<RateCase> {};

TEST_P(FrameRateText, IsTheRateCutTowardZeroWithinAnInt) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    formatFrameRate(GetParam().rate, buffer);
    ASSERT_NE(std::memchr(buffer, '\0', sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, GetParam().text);
}

constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rates, FrameRateText,
    ::testing::Values(RateCase{"Ordinary", 60.9f, "60"}, RateCase{"Whole", 75.0f, "75"},
                      RateCase{"Zero", 0.0f, "0"}, RateCase{"BelowOne", 0.99f, "0"},
                      RateCase{"Tiny", 1e-45f, "0"},
                      RateCase{"SmallNegative", -0.5f, "0"},
                      RateCase{"Negative", -3.7f, "-3"},
                      RateCase{"LargestBelowIntMax", 2147483520.0f, "2147483520"},
                      RateCase{"IntMaxAsFloat", 2147483648.0f, "2147483647"},
                      RateCase{"Huge", 3e9f, "2147483647"},
                      RateCase{"FloatMax", std::numeric_limits<float>::max(), "2147483647"},
                      RateCase{"Infinite", infinity, "2147483647"},
                      RateCase{"IntMin", -2147483648.0f, "-2147483648"},
                      RateCase{"HugeNegative", -3e9f, "-2147483648"},
                      RateCase{"NegativeInfinite", -infinity, "-2147483648"},
                      RateCase{"NotANumber", notANumber, "0"},
                      RateCase{"NegativeNotANumber", -notANumber, "0"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
