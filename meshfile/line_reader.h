// Line-by-line reading of a text file with the C library's fgets limits and text-mode line ends.
// Owns the open file and its read buffer; the file is closed by close() or destruction.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Readable bytes that follow every line's text in memory (their values are another matter), so
// that number readers may read a few bytes ahead.
constexpr std::size_t lineReadAhead = 16;

// The text of an empty line that belongs to no file, with its bytes to read ahead.
inline constexpr char noLineText[lineReadAhead + 1] = {};

// The first '\n' among the `window` bytes from `start`, or null, one byte at a time.
inline const char* findLineFeedScalar(const char* start, std::size_t window) {
    return static_cast<const char*>(std::memchr(start, '\n', window));
}

// The same search sixteen bytes at a time where SSE2 is there: it may read up to 15 bytes
// past the window, which must be readable (the bytes read ahead of a line are).
inline const char* findLineFeed(const char* start, std::size_t window) {
#ifdef __SSE2__
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    for (std::size_t at = 0; at < window; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + at));
        const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeeds)));
        if (found != 0) {
            const std::size_t lfAt = at + static_cast<std::size_t>(__builtin_ctz(found));
            return lfAt < window ? start + lfAt : nullptr;
        }
    }
    return nullptr;
#else
    return findLineFeedScalar(start, window);
#endif
}

// One line as read, valid until the next read. `text` is not NUL-terminated.
struct Line {
    const char* text = noLineText;
    std::size_t length = 0;     // up to the line end, or to the first NUL byte, whichever is first
    std::size_t rawLength = 0;  // up to the line end, NUL bytes included
    bool hasLineEnd = false;    // the read stopped after a line end, not at its character limit

    bool startsWith(const char* keyword, std::size_t keywordLength) const;
    // Whether the line ended in CR LF. The line end stays in the read buffer right after the
    // text until the next read, so it can still be looked at.
    bool endsInCrLf() const { return hasLineEnd && text[rawLength] == '\r'; }
};

class LineReader {
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader() { close(); }

    bool open(const char* fileName);
    // Reads from a stream already open for reading (a file, or bytes in memory through
    // fmemopen), exactly as from a named file; the reader closes it. False for no stream.
    bool open(std::FILE* stream);
    void close();

    // Reads the next line: at most `maxChars` characters counting its line end, as fgets with a
    // buffer of maxChars + 1 bytes reads in text mode; the rest of a longer line is read by the
    // next call. A CR right before the LF belongs to the line end. False at end of file.
    // maxChars is below 1023.
    bool readRawLine(std::size_t maxChars, Line& line) {
        // Most lines end well inside the buffer: those are handed out here, in line.
        if (end - begin > maxChars && !mayHoldNul) {
            const char* start = buffer.get() + begin;
            // The whole window lies before `end`, so what the search reads past it is there.
            const char* lf = findLineFeed(start, maxChars + 1);
            if (lf != nullptr) {
                const std::size_t lfAt = static_cast<std::size_t>(lf - start);
                const std::size_t textLength = lfAt - (lfAt > 0 && start[lfAt - 1] == '\r' ? 1 : 0);
                if (textLength < maxChars) {
                    begin += lfAt + 1;
                    line.text = start;
                    line.length = line.rawLength = textLength;
                    line.hasLineEnd = true;
                    return true;
                }
            }
        }
        return readAnyRawLine(maxChars, line);
    }

private:
    // readRawLine for every case: near the end of the buffer or the file, long lines, NULs.
    bool readAnyRawLine(std::size_t maxChars, Line& line);

    // Makes at least `wanted` bytes available from `begin`, unless the file ends first.
    void fill(std::size_t wanted);

    std::FILE* file = nullptr;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    bool fileEnded = false;
    // Whether the bytes read may hold a NUL; text files have none, and then no line is scanned.
    bool mayHoldNul = false;
};
