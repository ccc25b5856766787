// The line-end search: the sixteen-byte search and the byte-at-a-time one find the same LF on
// every edge of a block and of the window, and lines of every length read as fgets reads them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "meshfile/line_reader.h"

namespace {

struct SearchCase {
    const char* label;
    std::string text;     // the bytes searched, and some after the window
    std::size_t window;
    long expected;        // where the LF is found, -1 for none
};

std::string filled(std::size_t count, char c = 'x') {
    return std::string(count, c);
}

TEST(LineEndSearch, BothSearchesFindTheSameLineFeed) {
    const SearchCase cases[] = {
        {"LF first", "\n" + filled(40), 30, 0},
        {"LF at the last byte of a block", filled(15) + "\n" + filled(40), 30, 15},
        {"LF at the first byte of the second block", filled(16) + "\n" + filled(40), 30, 16},
        {"CR at a block's end, LF after it", filled(15) + "\r\n" + filled(40), 30, 16},
        {"LF at the last byte of the window", filled(29) + "\n" + filled(40), 30, 29},
        {"LF just past the window, same block", filled(30) + "\n" + filled(40), 30, -1},
        {"LF past the window, next block", filled(33) + "\n" + filled(40), 30, -1},
        {"window of one block, LF right after it", filled(16) + "\n" + filled(20), 16, -1},
        {"no LF at all", filled(300), 255, -1},
        {"NUL bytes before the LF", std::string("ab\0\0cd", 6) + "\n" + filled(40), 30, 6},
        {"NUL bytes across a block edge", filled(14) + std::string(4, '\0') + "\n" + filled(40), 30, 18},
        {"commas at a block edge", filled(15) + ",," + filled(3) + "\n" + filled(40), 30, 20},
        {"two LFs in one block: the first", "ab\ncd\n" + filled(40), 30, 2},
        {"the longest line", filled(254) + "\n" + filled(20), 255, 254},
        {"one past the longest line", filled(255) + "\n" + filled(20), 255, -1},
        {"bytes with the top bit set", filled(20, '\x8a') + "\n" + filled(40), 30, 20},
    };
    for (const SearchCase& c : cases) {
        // Bytes past the window may be read, as those after a line in the read buffer are.
        const std::string buffer = c.text + filled(c.window + lineReadAhead);
        const char* start = buffer.data();
        const char* expected = c.expected < 0 ? nullptr : start + c.expected;
        EXPECT_EQ(findLineFeed(start, c.window), expected) << c.label;
        EXPECT_EQ(findLineFeedScalar(start, c.window), expected) << c.label;
    }
}

// Every line length from empty to three blocks, with LF or CR LF, so that line ends fall on
// every place of a block; the file's last line has no line end.
TEST(LineEndSearch, LinesOfEveryLengthReadAsFgetsReadsThem) {
    std::string contents;
    std::vector<std::string> expected;
    for (std::size_t length = 0; length <= 48; ++length)
        for (const char* end : {"\n", "\r\n"}) {
            std::string text;
            for (std::size_t i = 0; i < length; ++i) text += char('a' + (i + length) % 26);
            contents += text + end;
            expected.push_back(text);
        }
    contents += "0.5, 1.5";
    expected.push_back("0.5, 1.5");

    std::FILE* stream = std::tmpfile();  // a real file: Windows' C library has no fmemopen
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(std::fwrite(contents.data(), 1, contents.size(), stream), contents.size());
    std::rewind(stream);
    LineReader reader;
    ASSERT_TRUE(reader.open(stream));
    Line line;
    std::vector<std::string> read;
    while (reader.readRawLine(254, line)) read.emplace_back(line.text, line.length);
    EXPECT_EQ(read, expected);
}

}  // namespace
