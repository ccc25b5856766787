// The inspector's JSON: strings from either encoding, and floats that read back exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "tools/inspect/json_writer.h"

struct StringCase {
    const char* bytes;
    const char* json;
};

class JsonStringTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(JsonStringTest, EscapesAsJsonWants) {
    EXPECT_EQ(jsonString(GetParam().bytes), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Names, JsonStringTest,
    ::testing::Values(StringCase{"floor", "\"floor\""}, StringCase{"", "\"\""},
                      StringCase{"a \"b\" \\c", "\"a \\\"b\\\" \\\\c\""},
                      StringCase{"tab\there\r\n", "\"tab\\there\\r\\n\""},
                      StringCase{"\x01", "\"\\u0001\""},
                      StringCase{"caf\xC3\xA9", "\"caf\xC3\xA9\""},          // UTF-8 kept
                      StringCase{"caf\xE9", "\"caf\\u00E9\""},               // Windows-1252
                      StringCase{"\x80 \x9C", "\"\\u20AC \\u0153\""},        // its own range
                      StringCase{"\x81\x8D", "\"\\u0081\\u008D\""}));        // bytes it leaves out

TEST(JsonFloat, ReadsBackToTheSameFloat) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    int checked = 0;
    while (checked < 100000) {
        const std::uint32_t pattern = bits(random);
        float value;
        std::memcpy(&value, &pattern, sizeof value);
        if (!std::isfinite(value)) continue;
        const std::string text = jsonFloat(value);
        const float back = std::strtof(text.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
        ++checked;
    }
}

TEST(JsonFloat, NonFiniteValuesAreStrings) {
    EXPECT_EQ(jsonFloat(std::numeric_limits<float>::infinity()), "\"Infinity\"");
    EXPECT_EQ(jsonFloat(-std::numeric_limits<float>::infinity()), "\"-Infinity\"");
    EXPECT_EQ(jsonFloat(std::numeric_limits<float>::quiet_NaN()), "\"NaN\"");
    EXPECT_EQ(jsonFloat(0.01f), "0.00999999978");
}

TEST(JsonWriter, NestsObjectsAndArraysWithCommas) {
    JsonWriter json;
    json.beginObject();
    json.key("a"), json.value(1);
    json.key("b");
    json.beginArray();
    json.value(true);
    json.beginObject();
    json.endObject();
    json.endArray();
    json.key("c"), json.value(std::string_view("x"));
    json.endObject();
    EXPECT_EQ(json.text(), "{\"a\":1,\"b\":[true,{}],\"c\":\"x\"}");
}
