// Numbers read from the start of a mesh file line, as the C library's atof and atoi read them.
// Owns nothing: the text is only looked at, never kept.
#pragma once

#include <cstddef>

// The value of the longest numeric prefix of [begin, end), after leading white space, exactly as
// (float)atof would give it (double first, then float); 0 when the text holds no number.
// Decimal, hexadecimal, "inf" and "nan" forms are all taken; the text need not end in NUL.
// `next`, when given, receives where the number ended (`begin` when there was none).
float readFloat(const char* begin, const char* end, const char** next = nullptr);

// The same number as atof gives it, before any rounding to float.
double readDouble(const char* begin, const char* end, const char** next = nullptr);

// Readable bytes that readFloatPadded needs after the end of its text; their values are not used.
constexpr std::size_t readFloatPadding = 8;

// readFloat for text that stays inside a larger buffer, with at least readFloatPadding readable
// bytes after `end`: short numbers are then read eight bytes at a time.
float readFloatPadded(const char* begin, const char* end, const char** next);

// An optionally signed decimal integer at the start of [begin, end), after leading white space;
// 0 when there are no digits. Values beyond the 32-bit range stop at its limits.
// `next`, when given, receives where the digits ended (`begin` when there were none).
int readInt(const char* begin, const char* end, const char** next = nullptr);

// White space as isspace sees it in the C locale.
inline bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
