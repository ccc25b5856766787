// Buffered line reading: large reads, memchr for the line ends, lines handed out in place.
#include "meshfile/line_reader.h"

#include <sys/stat.h>

#include <cstring>

namespace {
constexpr std::size_t largestBuffer = 256 * 1024;
constexpr std::size_t smallestBuffer = 1024;  // more than any line limit
}

bool Line::startsWith(const char* keyword, std::size_t keywordLength) const {
    return length >= keywordLength && std::memcmp(text, keyword, keywordLength) == 0;
}

bool LineReader::open(const char* fileName) {
    // Binary mode: the CR LF line ends that text mode would fold are folded by readRawLine.
    std::FILE* stream = std::fopen(fileName, "rb");
    // A directory opens as a stream on Linux, but it is no file to read.
    struct stat status;
    if (stream != nullptr && (fstat(fileno(stream), &status) != 0 || S_ISDIR(status.st_mode))) {
        std::fclose(stream);
        stream = nullptr;
    }
    // Our own buffer is large; a second copy through the stream's buffer would only cost time.
    // (A stream handed in keeps its buffer: one in memory reads byte by byte without it.)
    if (stream != nullptr) std::setvbuf(stream, nullptr, _IONBF, 0);
    return open(stream);
}

bool LineReader::open(std::FILE* stream) {
    close();
    file = stream;
    if (file == nullptr) return false;
    // A small file gets a buffer of its size: loading many small files stays cheap.
    capacity = largestBuffer;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size >= 0 && static_cast<unsigned long>(size) < largestBuffer)
            capacity = static_cast<std::size_t>(size) + 1 < smallestBuffer ? smallestBuffer
                                                                         : std::size_t(size) + 1;
    }
    std::rewind(file);
    // Reads fill `capacity` bytes; the rest is there to be read ahead of the last line.
    buffer.reset(new char[capacity + lineReadAhead]);
    begin = end = 0;
    fileEnded = false;
    mayHoldNul = false;
    return true;
}

void LineReader::close() {
    if (file != nullptr) std::fclose(file);
    file = nullptr;
    fileEnded = true;
    begin = end = 0;
}

void LineReader::fill(std::size_t wanted) {
    if (end - begin >= wanted || fileEnded) return;
    if (begin != 0) {
        std::memmove(buffer.get(), buffer.get() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    while (end - begin < wanted && !fileEnded) {
        const std::size_t got = std::fread(buffer.get() + end, 1, capacity - end, file);
        end += got;
        // A read error ends the file as far as the reader is concerned.
        if (got == 0) fileEnded = true;
    }
    // What is read ahead of the last line is never used, but it should not be left unset.
    std::memset(buffer.get() + end, 0, lineReadAhead);
    mayHoldNul = std::memchr(buffer.get() + begin, '\0', end - begin) != nullptr;
}

bool LineReader::readAnyRawLine(std::size_t maxChars, Line& line) {
    if (file == nullptr || maxChars == 0 || maxChars >= smallestBuffer) return false;
    // One byte more than the limit: a CR LF pair counts as one character.
    if (end - begin < maxChars + 1) fill(maxChars + 1);
    const std::size_t available = end - begin;
    if (available == 0) return false;

    const char* start = buffer.get() + begin;
    const std::size_t window = available < maxChars + 1 ? available : maxChars + 1;
    const char* lf = static_cast<const char*>(std::memchr(start, '\n', window));
    std::size_t textLength;
    std::size_t consumed;
    bool hasLineEnd = false;
    if (lf != nullptr) {
        const std::size_t lfAt = static_cast<std::size_t>(lf - start);
        const bool crBefore = lfAt > 0 && start[lfAt - 1] == '\r';
        textLength = lfAt - (crBefore ? 1 : 0);
        if (textLength + 1 <= maxChars) {
            hasLineEnd = true;
            consumed = lfAt + 1;
        } else {
            textLength = maxChars;
            consumed = maxChars;
        }
    } else {
        textLength = window < maxChars ? window : maxChars;
        consumed = textLength;
    }
    begin += consumed;

    const char* nul =
        mayHoldNul ? static_cast<const char*>(std::memchr(start, '\0', textLength)) : nullptr;
    line.text = start;
    line.rawLength = textLength;
    line.length = nul != nullptr ? static_cast<std::size_t>(nul - start) : textLength;
    line.hasLineEnd = hasLineEnd;
    return true;
}
