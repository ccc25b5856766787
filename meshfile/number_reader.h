// Numbers read from the start of a mesh file line, as the C library's atof and atoi read them.
// Owns nothing: the text is only looked at, never kept.
#pragma once

#include <cstddef>

// The value of the longest numeric prefix of [begin, end), after leading white space, exactly as
// (float)atof would give it (double first, then float); 0 when the text holds no number.
// Decimal, hexadecimal, "inf" and "nan" forms are all taken; the text need not end in NUL.
float readFloat(const char* begin, const char* end);

// An optionally signed decimal integer at the start of [begin, end), after leading white space;
// 0 when there are no digits. Values beyond the 32-bit range stop at its limits.
int readInt(const char* begin, const char* end);

// White space as isspace sees it in the C locale.
inline bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
