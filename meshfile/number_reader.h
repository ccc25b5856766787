// Numbers read from the start of a mesh file line, as the C library's atof and atoi read them.
// Owns nothing: the text is only looked at, never kept.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

// readFloatPadded for text that ends where a line does: the byte at `end` is '\n', '\r' or NUL,
// and readFloatPadding bytes after it are readable. Such a byte stops every number, so the
// plain decimals need no look at `end`: they are read here, in line, and the rest as
// readFloatPadded reads them.
inline float readFloatBeforeLineEnd(const char* begin, const char* end, const char** next);

// An optionally signed decimal integer at the start of [begin, end), after leading white space;
// 0 when there are no digits. Values beyond the 32-bit range stop at its limits.
// `next`, when given, receives where the digits ended (`begin` when there were none).
int readInt(const char* begin, const char* end, const char** next = nullptr);

// White space as isspace sees it in the C locale.
inline bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

namespace numberdetail {

// How many of the eight bytes, from the first, are decimal digits. Carries and borrows only
// run upwards and the digits below the first other byte make none, so that byte is flagged
// exactly.
inline int leadingDigits(std::uint64_t bytes) {
    const std::uint64_t others =
        ((bytes + 0x4646464646464646ull) | (bytes - 0x3030303030303030ull)) &
        0x8080808080808080ull;
    return others == 0 ? 8 : __builtin_ctzll(others) >> 3;
}

// The value of the first `count` (1 to 8) bytes, all digits, the first the most significant.
inline std::uint64_t digitsValue(std::uint64_t bytes, int count) {
    // Shifting the digits to the top leaves leading zeros in front of them.
    std::uint64_t value = (bytes - 0x3030303030303030ull) << (8 * (8 - count));
    value = value * 10 + (value >> 8);
    return (((value & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
            (((value >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
           32;
}

inline constexpr std::uint64_t scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
inline constexpr double powersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};

}  // namespace numberdetail

[[gnu::always_inline]] inline float readFloatBeforeLineEnd(const char* begin, const char* end,
                                                          const char** next) {
    using namespace numberdetail;
    // No space can follow the text, nor a sign, digit or point: the reading stops at `end`.
    const char* p = begin;
    while (*p == ' ') ++p;
    const bool negative = *p == '-';
    p += (*p == '-' || *p == '+') ? 1 : 0;
    std::uint64_t whole;
    std::memcpy(&whole, p, 8);
    const int wholeDigits = leadingDigits(whole);
    if (wholeDigits == 8) return readFloatPadded(begin, end, next);
    p += wholeDigits;
    std::uint64_t digits;
    int fractionDigits = 0;
    if (*p == '.') {
        ++p;
        std::uint64_t fraction;
        std::memcpy(&fraction, p, 8);
        fractionDigits = leadingDigits(fraction);
        if (fractionDigits == 8) return readFloatPadded(begin, end, next);
        p += fractionDigits;
        const int count = wholeDigits + fractionDigits;
        if (count == 0) return readFloatPadded(begin, end, next);
        if (count <= 8) {
            // Both runs of digits side by side in one word, the point left out.
            const std::uint64_t wholeBytes =
                whole & ((std::uint64_t(1) << (8 * wholeDigits)) - 1);
            digits = digitsValue(wholeBytes | (fraction << (8 * wholeDigits)), count);
        } else {
            digits = digitsValue(whole, wholeDigits) * scale[fractionDigits] +
                     digitsValue(fraction, fractionDigits);
        }
    } else {
        if (wholeDigits == 0) return readFloatPadded(begin, end, next);
        digits = digitsValue(whole, wholeDigits);
    }
    // Other white space, an exponent or a hexadecimal form.
    const char after = static_cast<char>(*p | 0x20);
    if (after == 'e' || after == 'x') return readFloatPadded(begin, end, next);
    // At most fourteen digits: the signed conversion is exact and shorter than the unsigned one.
    double value = static_cast<double>(static_cast<std::int64_t>(digits)) / powersOfTen[fractionDigits];
    value = std::copysign(value, negative ? -1.0 : 1.0);  // the sign bit: libc++ 13 has no bit_cast
    if (next != nullptr) *next = p;
    return static_cast<float>(value);
}
