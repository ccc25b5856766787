// Text conversion for what the program shows: its own texts are Windows-1252 bytes, while the
// window system and JSON want UTF-8. Pure functions, no platform library involved.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Whether the bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing past U+10FFFF).
bool isValidUtf8(std::string_view bytes);
// The Unicode code point of one Windows-1252 byte; 0 for the five bytes the code page leaves out.
char32_t windows1252ToUnicode(unsigned char byte);
// Text that is valid UTF-8 as it is; any other text decoded as Windows-1252.
std::string toUtf8(std::string_view bytes);

}  // namespace platform
