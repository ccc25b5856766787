// Buffered line reading: large reads, memchr for the line ends, lines handed out in place.
#include "meshfile/line_reader.h"

#include <cstring>

namespace {
constexpr std::size_t bufferSize = 256 * 1024;
}

bool Line::startsWith(const char* keyword, std::size_t keywordLength) const {
    return length >= keywordLength && std::memcmp(text, keyword, keywordLength) == 0;
}

bool LineReader::open(const char* fileName) {
    close();
    // Binary mode: the CR LF line ends that text mode would fold are folded by readRawLine.
    file = std::fopen(fileName, "rb");
    if (file == nullptr) return false;
    // Our own buffer is large; a second copy through the stream's buffer would only cost time.
    std::setvbuf(file, nullptr, _IONBF, 0);
    buffer.resize(bufferSize);
    begin = end = 0;
    fileEnded = false;
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
        std::memmove(buffer.data(), buffer.data() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    while (end - begin < wanted && !fileEnded) {
        const std::size_t got = std::fread(buffer.data() + end, 1, buffer.size() - end, file);
        end += got;
        // A read error ends the file as far as the reader is concerned.
        if (got == 0) fileEnded = true;
    }
}

bool LineReader::readRawLine(std::size_t maxChars, Line& line) {
    if (file == nullptr || maxChars == 0) return false;
    // One byte more than the limit: a CR LF pair counts as one character.
    fill(maxChars + 1);
    const std::size_t available = end - begin;
    if (available == 0) return false;

    const char* start = buffer.data() + begin;
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

    const char* nul = static_cast<const char*>(std::memchr(start, '\0', textLength));
    line.text = start;
    line.rawLength = textLength;
    line.length = nul != nullptr ? static_cast<std::size_t>(nul - start) : textLength;
    line.hasLineEnd = hasLineEnd;
    return true;
}
