// JSON output of the inspector.
#include "tools/inspect/json_writer.h"

#include <cmath>
#include <cstdio>

#include "platform/text_encoding.h"

std::string jsonString(std::string_view bytes) {
    const bool utf8 = platform::isValidUtf8(bytes);
    std::string out = "\"";
    char escape[8];
    for (unsigned char byte : bytes) {
        switch (byte) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (byte < 0x20 || (!utf8 && byte >= 0x80)) {
            char32_t code = byte < 0x80 ? byte : platform::windows1252ToUnicode(byte);
            if (code == 0) code = byte;  // the five bytes Windows-1252 leaves out
            std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(code));
            out += escape;
        } else {
            out += char(byte);
        }
    }
    return out + "\"";
}

std::string jsonFloat(float number) {
    if (std::isnan(number)) return "\"NaN\"";
    if (std::isinf(number)) return number > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(number));
    return text;
}

void JsonWriter::separate() {
    if (needComma) out += ',';
    needComma = true;
}

void JsonWriter::beginObject() {
    separate();
    out += '{';
    needComma = false;
}

void JsonWriter::endObject() {
    out += '}';
    needComma = true;
}

void JsonWriter::beginArray() {
    separate();
    out += '[';
    needComma = false;
}

void JsonWriter::endArray() {
    out += ']';
    needComma = true;
}

void JsonWriter::key(std::string_view name) {
    separate();
    out += jsonString(name);
    out += ':';
    needComma = false;
}

void JsonWriter::value(int number) {
    separate();
    out += std::to_string(number);
}

void JsonWriter::value(float number) {
    separate();
    out += jsonFloat(number);
}

void JsonWriter::value(bool flag) {
    separate();
    out += flag ? "true" : "false";
}

void JsonWriter::value(std::string_view text) {
    separate();
    out += jsonString(text);
}

void JsonWriter::floats(const float* numbers, int count) {
    beginArray();
    for (int i = 0; i < count; ++i) value(numbers[i]);
    endArray();
}
