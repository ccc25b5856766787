// Scaling PNM samples of up to 16 bits to 8, from text or two-byte big-endian samples.
#include "image/pnm_narrowing.h"

#include <cstdint>
#include <string>

#include "image/header_readers.h"

bool narrowPnmSamples(std::vector<unsigned char>& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    const char kind = char(bytes[1]);
    if (kind != '2' && kind != '3' && kind != '5' && kind != '6') return false;
    std::size_t at = 2;
    std::int64_t width = 0, height = 0, maxValue = 0;
    if (!nextNumber(view, at, width, true) || !nextNumber(view, at, height, true) ||
        !nextNumber(view, at, maxValue, true) || maxValue < 1 || maxValue > 65535)
        return false;
    const bool text = kind == '2' || kind == '3';
    const std::int64_t samples = width * height * (kind == '3' || kind == '6' ? 3 : 1);
    ++at;  // the one white-space byte before binary samples
    if (!text && (at > bytes.size() || std::int64_t(bytes.size() - at) < samples * 2)) return false;

    const bool colour = kind == '3' || kind == '6';
    const std::string header = std::string(colour ? "P6\n" : "P5\n") + std::to_string(width) + ' ' +
                               std::to_string(height) + "\n255\n";
    std::vector<unsigned char> narrow(header.begin(), header.end());
    narrow.reserve(narrow.size() + std::size_t(samples));
    for (std::int64_t i = 0; i < samples; ++i) {
        std::int64_t value = 0;
        if (text) {
            if (!nextNumber(view, at, value, true)) return false;
        } else {
            value = std::int64_t(view.be(at, 2));
            at += 2;
        }
        if (value > maxValue) value = maxValue;
        narrow.push_back(static_cast<unsigned char>((value * 255 + maxValue / 2) / maxValue));
    }
    bytes.swap(narrow);
    return true;
}
