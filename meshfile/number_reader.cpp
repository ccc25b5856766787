// Number reading for the mesh file lines: fast decimal conversion with the C library's rules.
#include "meshfile/number_reader.h"

#include <fast_float/fast_float.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod needs a NUL at the end, which a line inside the read buffer does not have.
double readWithStrtod(const char* begin, const char* end) {
    const std::size_t length = static_cast<std::size_t>(end - begin);
    char shortText[256];
    if (length < sizeof shortText) {
        std::memcpy(shortText, begin, length);
        shortText[length] = '\0';
        return std::strtod(shortText, nullptr);
    }
    const std::string longText(begin, end);
    return std::strtod(longText.c_str(), nullptr);
}

}  // namespace

float readFloat(const char* begin, const char* end) {
    const char* p = begin;
    while (p != end && isCSpace(*p)) ++p;
    if (p == end) return 0.0f;

    // fast_float takes plain decimal numbers only: no leading '+', no hexadecimal form, no
    // "inf" or "nan". Everything it does not take goes to strtod, which has atof's rules.
    const char* digits = p;
    if (*digits == '+' || *digits == '-') ++digits;
    const bool decimalStart = digits != end && (isDigit(*digits) || *digits == '.');
    const bool hexadecimal = digits + 1 < end && digits[0] == '0' && (digits[1] | 0x20) == 'x';
    if (!decimalStart || hexadecimal) return static_cast<float>(readWithStrtod(p, end));

    double value = 0.0;
    const char* first = *p == '+' ? p + 1 : p;
    const fast_float::from_chars_result result = fast_float::from_chars(first, end, value);
    if (result.ec != std::errc()) return static_cast<float>(readWithStrtod(p, end));
    // Through double, as atof does: rounding the decimal straight to float differs in rare cases.
    return static_cast<float>(value);
}

int readInt(const char* begin, const char* end) {
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
    for (; p != end && isDigit(*p); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}
