// The name field that cameras and lights share: 255 characters and the terminator, in place.
// Owns nothing; the copy never writes past the record, whatever the caller passes.
#pragma once

#include <cstddef>
#include <cstring>

constexpr std::size_t recordNameSize = 256;

// Copies `text` into `name`, cut at 255 characters; no text gives the empty name.
inline void copyRecordName(char (&name)[recordNameSize], const char* text) {
    if (text == nullptr) text = "";
    const std::size_t length = strnlen(text, recordNameSize - 1);
    std::memcpy(name, text, length);
    name[length] = '\0';
}

// The whole name compared byte for byte; no text matches nothing.
inline bool recordNameEquals(const char (&name)[recordNameSize], const char* text) {
    return text != nullptr && std::strcmp(name, text) == 0;
}
