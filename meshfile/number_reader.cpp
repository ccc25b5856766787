// Number reading for the mesh file lines: a short exact path for the plain decimals that mesh
// files are made of, fast_float for other decimals, and strtod for every other spelling.
#include "meshfile/number_reader.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using numberdetail::digitsValue;
using numberdetail::leadingDigits;
using numberdetail::powersOfTen;
using numberdetail::scale;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod needs a NUL at the end, which a line inside the read buffer does not have.
double readWithStrtod(const char* begin, const char* end, const char** next) {
    const std::size_t length = static_cast<std::size_t>(end - begin);
    char shortText[256];
    std::string longText;
    char* text = shortText;
    if (length < sizeof shortText) {
        std::memcpy(shortText, begin, length);
        shortText[length] = '\0';
    } else {
        longText.assign(begin, end);
        text = longText.data();
    }
    char* stop = nullptr;
    const double value = std::strtod(text, &stop);
    *next = begin + (stop - text);
    return value;
}

// Eight bytes from p, zeros from `end` on; the first byte in the lowest place. With padding, the
// bytes past `end` can be read and are masked; without it, they are never touched.
template <bool padded>
std::uint64_t loadEight(const char* p, const char* end) {
    std::uint64_t bytes = 0;
    const std::size_t available = static_cast<std::size_t>(end - p);
    if (padded || available >= 8) {
        std::memcpy(&bytes, p, 8);
        if (available < 8) bytes &= (std::uint64_t(1) << (8 * available)) - 1;
        return bytes;
    }
    for (std::size_t i = 0; i != available; ++i)
        bytes |= std::uint64_t(static_cast<unsigned char>(p[i])) << (8 * i);
    return bytes;
}

// Plain decimals of at most seven digits before and seven after the point, without exponent,
// such as "-12.5" or "0.000125": the digits and the power of ten are both exact doubles, so
// one division rounds correctly (Clinger's fast path). False when the text needs the general
// conversion.
template <bool padded>
bool readPlainDecimal(const char* p, const char* end, double& value, const char*& next) {
    const bool negative = *p == '-';
    p += (*p == '-' || *p == '+') ? 1 : 0;
    std::uint64_t bytes = loadEight<padded>(p, end);
    const int wholeDigits = leadingDigits(bytes);
    if (wholeDigits == 8) return false;
    std::uint64_t digits = wholeDigits == 0 ? 0 : digitsValue(bytes, wholeDigits);
    p += wholeDigits;
    int fractionDigits = 0;
    if (p != end && *p == '.') {
        ++p;
        bytes = loadEight<padded>(p, end);
        fractionDigits = leadingDigits(bytes);
        if (fractionDigits == 8) return false;
        if (fractionDigits != 0)
            digits = digits * scale[fractionDigits] + digitsValue(bytes, fractionDigits);
        p += fractionDigits;
    }
    if (wholeDigits + fractionDigits == 0) return false;
    if (p != end && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')) return false;
    value = static_cast<double>(digits) / powersOfTen[fractionDigits];
    // Setting the sign bit keeps "-0" negative, as strtod reads it.
    value = std::copysign(value, negative ? -1.0 : 1.0);  // the sign bit: libc++ 13 has no bit_cast
    next = p;
    return true;
}

template <bool padded>
double readAnyDouble(const char* begin, const char* end, const char** next) {
    const char* ignored;
    if (next == nullptr) next = &ignored;
    const char* p = begin;
    while (p != end && isCSpace(*p)) ++p;
    *next = begin;
    if (p == end) return 0.0;

    double value = 0.0;
    if (readPlainDecimal<padded>(p, end, value, *next)) return value;

    // fast_float takes decimal numbers only: no leading '+', no hexadecimal form, no "inf" or
    // "nan". Everything it does not take goes to strtod, which has atof's rules.
    const char* digits = p;
    if (*digits == '+' || *digits == '-') ++digits;
    const bool decimalStart = digits != end && (isDigit(*digits) || *digits == '.');
    const bool hexadecimal = digits + 1 < end && digits[0] == '0' && (digits[1] | 0x20) == 'x';
    if (decimalStart && !hexadecimal) {
        const char* first = *p == '+' ? p + 1 : p;
        const fast_float::from_chars_result result = fast_float::from_chars(first, end, value);
        if (result.ec == std::errc()) {
            *next = result.ptr;
            return value;
        }
    }
    value = readWithStrtod(p, end, next);
    if (*next == p) *next = begin;  // no number at all
    return value;
}

// Through double, as atof does: rounding the decimal straight to float differs in rare cases.
template <bool padded>
float readAnyFloat(const char* begin, const char* end, const char** next) {
    return static_cast<float>(readAnyDouble<padded>(begin, end, next));
}

}  // namespace

float readFloat(const char* begin, const char* end, const char** next) {
    return readAnyFloat<false>(begin, end, next);
}

double readDouble(const char* begin, const char* end, const char** next) {
    return readAnyDouble<false>(begin, end, next);
}

float readFloatPadded(const char* begin, const char* end, const char** next) {
    return readAnyFloat<true>(begin, end, next);
}

int readInt(const char* begin, const char* end, const char** next) {
    const char* p = begin;
    while (p != end && isCSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Accumulate towards the limit of the sign's side so that INT_MIN itself fits.
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    const char* digits = p;
    for (; p != end && isDigit(*p); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > limit) magnitude = limit;
    }
    if (next != nullptr) *next = p != digits ? p : begin;
    return static_cast<int>(negative ? -magnitude : magnitude);
}
