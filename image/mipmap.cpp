// A texel of the smaller level covers texels 2x and 2x + 1 of the larger one, and 2x + 2 too
// when it is the last of an odd side: a 127-texel row makes 63 texels, the last of three.
#include "image/mipmap.h"

#include <cstddef>

namespace {

// The first texel and the count of texels that texel `at` of the halved side covers.
struct Span {
    int first = 0;
    int count = 1;
};

Span spanOf(int at, int largerSide, int smallerSide) {
    if (largerSide == 1) return {0, 1};
    const bool last = at == smallerSide - 1;
    return {2 * at, last && largerSide % 2 == 1 ? 3 : 2};
}

}  // namespace

DecodedPixels halvedPicture(const DecodedPixels& picture) {
    DecodedPixels half;
    half.width = picture.width > 1 ? picture.width / 2 : 1;
    half.height = picture.height > 1 ? picture.height / 2 : 1;
    half.channels = picture.channels;
    const std::size_t channels = std::size_t(picture.channels);
    half.bytes.resize(std::size_t(half.width) * std::size_t(half.height) * channels);
    const auto texel = [&](int x, int y) {
        return &picture.bytes[(std::size_t(y) * std::size_t(picture.width) + std::size_t(x)) * channels];
    };
    for (int y = 0; y < half.height; ++y) {
        const Span rows = spanOf(y, picture.height, half.height);
        for (int x = 0; x < half.width; ++x) {
            const Span columns = spanOf(x, picture.width, half.width);
            const unsigned covered = unsigned(rows.count * columns.count);
            for (std::size_t c = 0; c < channels; ++c) {
                unsigned sum = 0;
                for (int row = rows.first; row < rows.first + rows.count; ++row)
                    for (int column = columns.first; column < columns.first + columns.count; ++column)
                        sum += texel(column, row)[c];
                half.bytes[(std::size_t(y) * std::size_t(half.width) + std::size_t(x)) * channels + c] =
                    static_cast<unsigned char>((sum + covered / 2) / covered);
            }
        }
    }
    return half;
}
