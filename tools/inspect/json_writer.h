// A small JSON writer for the inspector: objects, arrays, numbers that read back to the same
// 32-bit float, and names that may be Windows-1252 rather than UTF-8.
#pragma once

#include <string>
#include <string_view>

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value, inside an object.
    void key(std::string_view name);
    void value(int number);
    void value(float number);
    void value(bool flag);
    void value(std::string_view text);
    void floats(const float* numbers, int count);

    const std::string& text() const { return out; }

private:
    void separate();

    std::string out;
    bool needComma = false;
};

// A text as a JSON string: UTF-8 kept, other bytes read as Windows-1252 and escaped.
std::string jsonString(std::string_view bytes);
// A float as JSON that reads back to the same 32-bit value; non-finite values as strings.
std::string jsonFloat(float number);
