// Line reading: pieces of at most the limit, text-mode line ends, NUL bytes, the end of the
// file, and lines that straddle the read buffer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>
#include <string>
#include <vector>

#include "meshfile/line_reader.h"

namespace {

struct Piece {
    std::string text;
    bool hasLineEnd;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& piece) {
    return out << '"' << piece.text << '"' << (piece.hasLineEnd ? " + LF" : "");
}

class LineReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = (std::filesystem::temp_directory_path() /
                ("vorn-lines-" + std::to_string(::getpid()) + ".txt"))
                   .string();
    }
    void TearDown() override { std::remove(path.c_str()); }

    std::vector<Piece> piecesOf(const std::string& contents, std::size_t maxChars) {
        std::ofstream(path, std::ios::binary) << contents;
        LineReader reader;
        EXPECT_TRUE(reader.open(path.c_str()));
        std::vector<Piece> pieces;
        Line line;
        while (reader.readRawLine(maxChars, line))
            pieces.push_back({std::string(line.text, line.rawLength), line.hasLineEnd});
        return pieces;
    }

    std::string path;
};

struct LineCase {
    const char* label;
    std::string contents;
    std::size_t maxChars;
    std::vector<Piece> pieces;
};

class LineCaseTest : public LineReaderTest, public ::testing::WithParamInterface<LineCase> {};

const std::string x253(253, 'x'), x254(254, 'x');

}  // namespace

TEST_P(LineCaseTest, SplitsAsFgetsInTextMode) {
    EXPECT_EQ(piecesOf(GetParam().contents, GetParam().maxChars), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    LineReader, LineCaseTest,
    ::testing::Values(
        LineCase{"Empty", "", 254, {}},
        LineCase{"TwoLines", "a\nb\n", 254, {{"a", true}, {"b", true}}},
        LineCase{"LastLineWithoutLineEnd", "a\nb", 254, {{"a", true}, {"b", false}}},
        LineCase{"EmptyLines", "\n\n", 254, {{"", true}, {"", true}}},
        LineCase{"CrLfIsOneLineEnd", "a\r\nb\r\n", 254, {{"a", true}, {"b", true}}},
        LineCase{"LoneCrIsText", "a\rb\n\r", 254, {{"a\rb", true}, {"\r", false}}},
        LineCase{"CrCrLfKeepsOneCr", "a\r\r\n", 254, {{"a\r", true}}},
        LineCase{"LongestLineFits", x253 + "\n", 254, {{x253, true}}},
        LineCase{"LongestLineWithCrLfFits", x253 + "\r\n", 254, {{x253, true}}},
        LineCase{"OneMoreLeavesAnEmptyLine", x254 + "\n", 254, {{x254, false}, {"", true}}},
        LineCase{"OneMoreWithCrLf", x254 + "\r\n", 254, {{x254, false}, {"", true}}},
        LineCase{"LongLineInPieces", std::string(600, 'y') + "\n", 254,
                 {{std::string(254, 'y'), false}, {std::string(254, 'y'), false},
                  {std::string(92, 'y'), true}}},
        LineCase{"WrapLineFits", "REPEAT1234\nz", 11, {{"REPEAT1234", true}, {"z", false}}},
        LineCase{"WrapLineOneTooLong", "REPEAT12345\n", 11, {{"REPEAT12345", false}, {"", true}}},
        LineCase{"NulBytesAreRead", std::string("ab\0cd\n", 6), 254,
                 {{std::string("ab\0cd", 5), true}}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LineReaderTest, LengthStopsAtTheFirstNul) {
    std::ofstream(path, std::ios::binary) << std::string("ab\0cd\n", 6);
    LineReader reader;
    ASSERT_TRUE(reader.open(path.c_str()));
    Line line;
    ASSERT_TRUE(reader.readRawLine(254, line));
    EXPECT_EQ(line.length, 2u);
    EXPECT_EQ(line.rawLength, 5u);
    EXPECT_FALSE(reader.readRawLine(254, line));
    EXPECT_FALSE(reader.readRawLine(254, line));  // and stays at the end
}

TEST_F(LineReaderTest, OpeningAMissingFileFails) {
    LineReader reader;
    EXPECT_FALSE(reader.open((path + ".absent").c_str()));
    Line line;
    EXPECT_FALSE(reader.readRawLine(254, line));
}

TEST_F(LineReaderTest, RandomTextComesBackWholeAcrossBufferBoundaries) {
    // Several megabytes of short and long lines, CR LF and lone CR: the pieces, with LF for
    // each line end, give back the text with its CR LF pairs folded, and none passes the limit.
    std::mt19937 random(99);
    std::string contents;
    while (contents.size() < 3'000'000) {
        const int kind = int(random() % 10);
        const std::size_t length = kind == 0 ? random() % 700 : random() % 30;
        for (std::size_t i = 0; i < length; ++i) contents += char('a' + random() % 26);
        contents += kind == 1 ? "\r\n" : kind == 2 ? "\r" : "\n";
    }
    std::string folded;
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (!(contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n'))
            folded += contents[i];

    for (std::size_t maxChars : {254u, 11u}) {
        const std::vector<Piece> pieces = piecesOf(contents, maxChars);
        std::string joined;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Piece& piece = pieces[i];
            ASSERT_LE(piece.text.size() + (piece.hasLineEnd ? 1 : 0), maxChars);
            if (!piece.hasLineEnd && i + 1 < pieces.size()) {
                ASSERT_EQ(piece.text.size(), maxChars);
            }
            joined += piece.text + (piece.hasLineEnd ? "\n" : "");
        }
        EXPECT_EQ(joined, folded) << "limit " << maxChars;
    }
}
