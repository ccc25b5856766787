// Text conversion for what the program shows: well-formed UTF-8 passes unchanged, anything
// else is read as Windows-1252, including malformed UTF-8 of every kind.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace {

using platform::isValidUtf8;
using platform::toUtf8;
using platform::windows1252ToUnicode;

struct ConversionCase {
    const char* label;
    std::string_view input;
    bool validUtf8;
    std::string_view output;
};

class TextToUtf8 : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(TextToUtf8, KeepsUtf8AndDecodesEverythingElseAsWindows1252) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(isValidUtf8(c.input), c.validUtf8);
    EXPECT_EQ(toUtf8(c.input), std::string(c.output));
    EXPECT_TRUE(isValidUtf8(toUtf8(c.input))) << "the result is always UTF-8";
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToUtf8,
    ::testing::Values(
        ConversionCase{"Empty", ""sv, true, ""sv},
        ConversionCase{"Ascii", "Fullscreen Mode?"sv, true, "Fullscreen Mode?"sv},
        ConversionCase{"EmbeddedNul", "a\0b"sv, true, "a\0b"sv},
        ConversionCase{"TwoByteUtf8", "Chargement Termin\xC3\xA9"sv, true,
                       "Chargement Termin\xC3\xA9"sv},
        ConversionCase{"ThreeByteUtf8", "\xE2\x82\xAC"sv, true, "\xE2\x82\xAC"sv},
        ConversionCase{"FourByteUtf8", "\xF0\x9F\x98\x80"sv, true, "\xF0\x9F\x98\x80"sv},
        ConversionCase{"LargestCodePoint", "\xF4\x8F\xBF\xBF"sv, true, "\xF4\x8F\xBF\xBF"sv},
        ConversionCase{"LastBeforeSurrogates", "\xED\x9F\xBF"sv, true, "\xED\x9F\xBF"sv},
        ConversionCase{"FirstAfterSurrogates", "\xEE\x80\x80"sv, true, "\xEE\x80\x80"sv},
        ConversionCase{"SmallestTwoByte", "\xC2\x80"sv, true, "\xC2\x80"sv},
        // Windows-1252, as the program's own texts are written.
        ConversionCase{"Windows1252EAcute", "Chargement Termin\xE9"sv, false,
                       "Chargement Termin\xC3\xA9"sv},
        ConversionCase{"Windows1252Euro", "\x80"sv, false, "\xE2\x82\xAC"sv},
        ConversionCase{"Windows1252Quotes", "\x93x\x94"sv, false,
                       "\xE2\x80\x9Cx\xE2\x80\x9D"sv},
        ConversionCase{"Windows1252YDiaeresis", "\x9F"sv, false, "\xC5\xB8"sv},
        ConversionCase{"Windows1252Unassigned", "a\x81\x8D\x8F\x90\x9D"sv, false,
                       "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"sv},
        ConversionCase{"Windows1252NoBreakSpace", "\xA0"sv, false, "\xC2\xA0"sv},
        ConversionCase{"Windows1252LastByte", "\xFF"sv, false, "\xC3\xBF"sv},
        // One stray byte makes the whole text Windows-1252, the valid pairs included.
        ConversionCase{"MixedUtf8AndWindows1252", "\xC3\xA9\xE9"sv, false,
                       "\xC3\x83\xC2\xA9\xC3\xA9"sv},
        // Malformed UTF-8.
        ConversionCase{"OverlongSlash", "\xC0\xAF"sv, false, "\xC3\x80\xC2\xAF"sv},
        ConversionCase{"OverlongC1", "\xC1\xBF"sv, false, "\xC3\x81\xC2\xBF"sv},
        ConversionCase{"OverlongThreeByte", "\xE0\x80\xAF"sv, false,
                       "\xC3\xA0\xE2\x82\xAC\xC2\xAF"sv},
        ConversionCase{"OverlongFourByte", "\xF0\x80\x80\xAF"sv, false,
                       "\xC3\xB0\xE2\x82\xAC\xE2\x82\xAC\xC2\xAF"sv},
        ConversionCase{"HighSurrogate", "\xED\xA0\x80"sv, false,
                       "\xC3\xAD\xC2\xA0\xE2\x82\xAC"sv},
        ConversionCase{"LowSurrogate", "\xED\xBF\xBF"sv, false, "\xC3\xAD\xC2\xBF\xC2\xBF"sv},
        ConversionCase{"BeyondLargestCodePoint", "\xF4\x90\x80\x80"sv, false,
                       "\xC3\xB4\xEF\xBF\xBD\xE2\x82\xAC\xE2\x82\xAC"sv},
        ConversionCase{"FiveByteLead", "\xF8\x88\x80\x80\x80"sv, false,
                       "\xC3\xB8\xCB\x86\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"sv},
        ConversionCase{"TruncatedTwoByteAtEnd", "ab\xC3"sv, false, "ab\xC3\x83"sv},
        ConversionCase{"TruncatedThreeByteAtEnd", "abc\xE2\x82"sv, false,
                       "abc\xC3\xA2\xE2\x80\x9A"sv},
        ConversionCase{"TruncatedFourByteAtEnd", "\xF0\x9F\x98"sv, false,
                       "\xC3\xB0\xC5\xB8\xCB\x9C"sv},
        ConversionCase{"TruncatedBeforeAscii", "\xC3z"sv, false, "\xC3\x83z"sv},
        ConversionCase{"LoneContinuation", "\xA9"sv, false, "\xC2\xA9"sv}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Windows1252ToUnicode, MapsEveryByteOfTheCodePage) {
    // 0x80 to 0x9F, where the code page departs from Latin-1; 0 where it assigns nothing.
    const char32_t expected[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char32_t want = byte >= 0x80 && byte < 0xA0 ? expected[byte - 0x80] : byte;
        EXPECT_EQ(windows1252ToUnicode(static_cast<unsigned char>(byte)), want)
            << "byte 0x" << std::hex << byte;
    }
}

TEST(TextToUtf8, EveryWindows1252ByteGivesValidUtf8) {
    for (unsigned byte = 0x80; byte < 256; ++byte) {
        const std::string text(1, char(byte));
        EXPECT_FALSE(isValidUtf8(text)) << "a lone high byte is never UTF-8";
        const std::string converted = toUtf8(text);
        EXPECT_TRUE(isValidUtf8(converted)) << "byte 0x" << std::hex << byte;
        EXPECT_GE(converted.size(), 2u);
    }
}

}  // namespace
