// Hash-based value noise; no library generator is used, since their sequences may differ
// between standard libraries and the data must come out the same everywhere.
#include "noise.h"

#include <cmath>

namespace makescene {

static std::uint32_t mixBits(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

float random01(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
    std::uint32_t h = mixBits(seed ^ mixBits(a + 0x9E3779B9u * mixBits(b + 0x85EBCA6Bu)));
    return static_cast<float>(h >> 8) / 16777216.0f;
}

static float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

static int wrapCell(int i, int cells) { return ((i % cells) + cells) % cells; }

float tiledNoise(float u, float v, int cellsX, int cellsY, std::uint32_t seed) {
    float x = u * cellsX, y = v * cellsY;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float tx = smooth(x - x0), ty = smooth(y - y0);
    auto corner = [&](int dx, int dy) {
        return random01(wrapCell(x0 + dx, cellsX), wrapCell(y0 + dy, cellsY), seed);
    };
    float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * tx;
    float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * tx;
    return top + (bottom - top) * ty;
}

float tiledFractalNoise(float u, float v, int cellsX, int cellsY, int octaves, std::uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * tiledNoise(u, v, cellsX << octave, cellsY << octave, seed + octave * 101u);
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

}  // namespace makescene
