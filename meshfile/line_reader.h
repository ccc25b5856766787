// Line-by-line reading of a text file with the C library's fgets limits and text-mode line ends.
// Owns the open file and one large read buffer; the file is closed by close() or destruction.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

// One line as read, valid until the next read. `text` is not NUL-terminated.
struct Line {
    const char* text = "";
    std::size_t length = 0;     // up to the line end, or to the first NUL byte, whichever is first
    std::size_t rawLength = 0;  // up to the line end, NUL bytes included
    bool hasLineEnd = false;    // the read stopped after a line end, not at its character limit

    bool startsWith(const char* keyword, std::size_t keywordLength) const;
};

class LineReader {
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader() { close(); }

    bool open(const char* fileName);
    void close();

    // Reads the next line: at most `maxChars` characters counting its line end, as fgets with a
    // buffer of maxChars + 1 bytes reads in text mode; the rest of a longer line is read by the
    // next call. A CR right before the LF belongs to the line end. False at end of file.
    bool readRawLine(std::size_t maxChars, Line& line);

private:
    // Makes at least `wanted` bytes available from `begin`, unless the file ends first.
    void fill(std::size_t wanted);

    std::FILE* file = nullptr;
    std::vector<char> buffer;
    std::size_t begin = 0;
    std::size_t end = 0;
    bool fileEnded = false;
};
