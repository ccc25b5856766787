// Number reading: every value must be bit for bit what (float)atof gives, on edge spellings and
// on millions of random ones; integers read as atoi does, stopping at the 32-bit limits.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "meshfile/number_reader.h"

namespace {

std::uint32_t bitsOf(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

// The reader reads a file the same on every system: as glibc's atof does. Where the C library
// is another (msvcrt's atof knows no hexadecimal, "inf" or "nan"), the C99 strtod that mingw
// gives stands in for it, with glibc's answer where no number is there: a '-' with anything
// after it stays, as -0.
float viaAtof(const std::string& text) {
#ifdef __GLIBC__
    return static_cast<float>(std::atof(text.c_str()));
#else
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        const std::size_t first = text.find_first_not_of(" \t\n\v\f\r");
        if (first != std::string::npos && first + 1 < text.size() && text[first] == '-')
            return -0.0f;
    }
    return static_cast<float>(value);
#endif
}

float viaReader(const std::string& text) {
    return readFloat(text.data(), text.data() + text.size());
}

// The padded reader may look past the end of its text: the bytes there are digits that would
// change the number if they were taken.
float viaPaddedReader(const std::string& text) {
    const std::string inBuffer = text + std::string(readFloatPadding, '9');
    return readFloatPadded(inBuffer.data(), inBuffer.data() + text.size(), nullptr);
}

// The reader of whole lines, with each of the bytes that can end one, and digits after it.
float viaLineEndReader(const std::string& text, char lineEnd) {
    const std::string inBuffer = text + lineEnd + std::string(readFloatPadding, '9');
    return readFloatBeforeLineEnd(inBuffer.data(), inBuffer.data() + text.size(), nullptr);
}

::testing::AssertionResult readsAsAtof(const std::string& text) {
    const float expected = viaAtof(text);
    float actual = viaReader(text);
    if (bitsOf(expected) == bitsOf(actual)) actual = viaPaddedReader(text);
    for (const char lineEnd : {'\n', '\r', '\0'})
        if (bitsOf(expected) == bitsOf(actual)) actual = viaLineEndReader(text, lineEnd);
    if (bitsOf(expected) == bitsOf(actual)) return ::testing::AssertionSuccess();
    char detail[128];
    std::snprintf(detail, sizeof detail, "atof %a (%08x), reader %a (%08x)", double(expected),
                  bitsOf(expected), double(actual), bitsOf(actual));
    return ::testing::AssertionFailure() << "\"" << text << "\": " << detail;
}

}  // namespace

TEST(ReadFloat, EdgeSpellingsReadAsAtof) {
    const char* const spellings[] = {
        "", " ", "0", "-0", "+0", "1", "-1", "+1.5", "  \t\n\v\f\r2.5", "1.", ".5", "-.5",
        "+.5", ".", "-.", "+", "-", "+-1", "-+1", "--1", "++1", "1e", "1e+", "1e-", "1E5",
        "1e+5", "1e-5x", "1.5e3junk", "2.5E-3", "1,5", "1 2", "abc", "e5", ".e5", "0x",
        "0x1p3", "0X1P-2", "-0x1.8p1", "0x.8", "0xg", "+0x10", "inf", "-INF", "+Infinity",
        "infinit", "nan", "-nan", "NaN(123)", "nanx", "1e400", "-1e400", "1e-400",
        "3.4028235e38", "3.4028236e38", "3.40282356779733661637539395458142568448e38",
        "3.40282356779733661637539395458142568447e38", "1.17549435e-38", "1.4e-45", "7e-46",
        "7.006492321624085e-46", "7.006492321624086e-46", "4.9406564584124654e-324",
        "2.4703282292062327e-324", "2.4703282292062328e-324", "1.7976931348623157e308",
        "1.7976931348623159e308", "7.038531e-26", "0.01", "0.1", "0.3", "16777217",
        "16777216.5", "9007199254740993", "123456789012345678901234567890",
        "0.000000000000000000000000000000000000000000000000000001",
        "1e99999999999999999999", "1e-99999999999999999999", "0e999999999", "1_000", "\xa0" "1",
        "1.0000000596046447753906250", "1.00000005960464477539062501",
        "1.0000000596046447753906249999999999999999999999999999999999"};
    for (const char* text : spellings) EXPECT_TRUE(readsAsAtof(text));
}

TEST(ReadFloat, StopsAtTheEndOfTheGivenRange) {
    const std::string text = "-12.345678901234567";
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const std::string prefix = text.substr(0, length);
        EXPECT_EQ(bitsOf(readFloat(text.data(), text.data() + length)), bitsOf(viaAtof(prefix)))
            << prefix;
        EXPECT_EQ(bitsOf(readFloatPadded(text.data(), text.data() + length, nullptr)),
                  bitsOf(viaAtof(prefix)))
            << prefix;
    }
    const std::string hex = "0x1p4";
    EXPECT_EQ(readFloat(hex.data(), hex.data() + 3), 1.0f);
}

TEST(ReadFloat, TellsWhereTheNumberEnded) {
    const struct {
        const char* text;
        std::size_t end;
    } cases[] = {{"  1.5, 2", 5}, {"-3e2x", 4}, {"x", 0}, {"   ", 0}, {"0x1p1,", 5},
                 {"inf,", 3}, {"1.", 2}, {".5.", 2}, {"+-1", 0}, {"12345678901234567890,", 20}};
    for (const auto& c : cases) {
        const std::string text = c.text;
        const char* next = nullptr;
        readFloat(text.data(), text.data() + text.size(), &next);
        EXPECT_EQ(static_cast<std::size_t>(next - text.data()), c.end) << '"' << text << '"';
        const std::string line = text + "\n" + std::string(readFloatPadding, '9');
        readFloatBeforeLineEnd(line.data(), line.data() + text.size(), &next);
        EXPECT_EQ(static_cast<std::size_t>(next - line.data()), c.end) << '"' << text << '"';
    }
}

TEST(ReadFloat, RandomSpellingsReadAsAtof) {
    std::mt19937_64 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto digits = [&](int count) {
        std::string out;
        for (int i = 0; i < count; ++i) out += char('0' + pick(10));
        return out;
    };
    char buffer[128];
    int failures = 0;
    auto check = [&](const std::string& text) {
        if (failures < 20 && !readsAsAtof(text)) {
            ++failures;
            ADD_FAILURE() << readsAsAtof(text).message();
        }
    };

    for (int i = 0; i < 1'000'000; ++i) {
        // Free-form decimal spellings: signs, blanks, dots, exponents and trailing text.
        std::string text(pick(4) == 0 ? pick(3) : 0, " \t\n"[pick(3)]);
        text += "   +-"[pick(5)];
        text += digits(pick(22));
        if (pick(3) != 0) text += "." + digits(pick(22));
        if (pick(2) == 0) {
            text += "eE"[pick(2)];
            text += " +-"[pick(3)];
            text += pick(8) == 0 ? digits(pick(12)) : std::to_string(pick(90));
        }
        if (pick(4) == 0) text += ",x. e-"[pick(6)];
        check(text);
    }
    for (int i = 0; i < 1'000'000; ++i) {
        // Any float, printed with too few, just enough or more digits than it needs.
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(value)) continue;
        std::snprintf(buffer, sizeof buffer, pick(2) ? "%.*g" : "%.*e", 5 + pick(14), double(value));
        check(buffer);
    }
    for (int i = 0; i < 1'000'000; ++i) {
        // Near the midpoint of two neighbouring floats, where rounding twice can go wrong.
        const float low = std::bit_cast<float>(static_cast<std::uint32_t>(random() % 0x7f7fffffu));
        const float high = std::nextafter(low, INFINITY);
        const double middle = (double(low) + double(high)) / 2.0;
        const double nudged = pick(3) == 0 ? middle : std::nextafter(middle, pick(2) ? 0.0 : INFINITY);
        std::snprintf(buffer, sizeof buffer, "%.*e", 6 + pick(14), nudged);
        check(buffer);
    }
    EXPECT_EQ(failures, 0);
}

TEST(ReadInt, ReadsAsAtoiAndStopsAtTheLimits) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 0}, {"abc", 0}, {"42", 42}, {"  \t-17", -17}, {"+5", 5}, {"12abc", 12},
        {"1e3", 1}, {"0x10", 0}, {"- 5", 0}, {"--3", 0}, {"3.9", 3}, {"007", 7},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN}, {"99999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999", INT_MIN}, {"\r\n8", 8},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        EXPECT_EQ(readInt(text.data(), text.data() + text.size()), c.value) << '"' << text << '"';
    }
}

TEST(ReadInt, RandomValuesInRangeReadAsStrtol) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200'000; ++i) {
        const long long value = static_cast<long long>(random() % 0x1ffffffffull) - 0xffffffffll;
        const std::string text = std::to_string(value);
        const long long clamped = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : value;
        ASSERT_EQ(readInt(text.data(), text.data() + text.size()), clamped) << text;
    }
}
