// Procedural drawing of the scene's pictures. Base and bump maps of one material share their
// layout functions, so their grooves meet exactly.
#include "textures.h"

#include "noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace makescene {

namespace {

constexpr int mapSize = 256;
constexpr int detailSize = 128;

constexpr std::uint32_t stoneSeed = 1301;
constexpr std::uint32_t woodSeed = 2711;
constexpr std::uint32_t dotsSeed = 4099;
constexpr std::uint32_t fibreSeed = 5501;

float textureU(int x, int size) { return (x + 0.5f) / size; }
float textureV(int y, int size) { return (y + 0.5f) / size; }

// ---- stone bricks ----------------------------------------------------------------------

constexpr int brickWidth = 64;
constexpr int brickHeight = 32;
constexpr float mortarHalfWidth = 2.0f;
constexpr float bevelWidth = 4.0f;

struct BrickSample {
    int brick = 0;              // which brick, or the brick that the mortar borders
    float edgeDistance = 0.0f;  // pixels from the brick's outline, roughened
    bool mortar = false;
    float pit = 0.0f;           // 0 on the stone face, up to 1 inside a small round hollow
};

constexpr int pitCell = 8;

// Round pits scattered over a grid of cells: some cells hold one, at a random place and size.
float pitAt(int x, int y) {
    const int cells = mapSize / pitCell;
    int cellX = x / pitCell, cellY = y / pitCell;
    float deepest = 0.0f;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int cx = cellX + dx, cy = cellY + dy;
            int wrappedX = (cx + cells) % cells, wrappedY = (cy + cells) % cells;
            if (random01(wrappedX, wrappedY, stoneSeed + 2) > 0.3f) continue;
            float centreX = (cx + random01(wrappedX, wrappedY, stoneSeed + 20)) * pitCell;
            float centreY = (cy + random01(wrappedX, wrappedY, stoneSeed + 21)) * pitCell;
            float radius = 0.8f + 1.2f * random01(wrappedX, wrappedY, stoneSeed + 22);
            float distance = std::hypot(x + 0.5f - centreX, y + 0.5f - centreY);
            deepest = std::max(deepest, std::clamp(radius - distance, 0.0f, 1.0f));
        }
    return deepest;
}

BrickSample brickAt(int x, int y) {
    int row = y / brickHeight;
    int shifted = (x + (row % 2) * brickWidth / 2) % mapSize;
    int column = shifted / brickWidth;
    float localX = shifted % brickWidth + 0.5f;
    float localY = y % brickHeight + 0.5f;
    float u = textureU(x, mapSize), v = textureV(y, mapSize);
    float roughness = (tiledFractalNoise(u, v, 32, 32, 3, stoneSeed + 1) - 0.5f) * 4.0f;
    BrickSample sample;
    sample.brick = row * (mapSize / brickWidth) + column;
    sample.edgeDistance = std::min({localX, brickWidth - localX, localY, brickHeight - localY}) + roughness;
    sample.mortar = sample.edgeDistance < mortarHalfWidth;
    sample.pit = pitAt(x, y);
    return sample;
}

// 0 at the mortar, rising to 1 across the bevel of the brick's edge.
float bevel(const BrickSample& sample) {
    return std::clamp((sample.edgeDistance - mortarHalfWidth) / bevelWidth, 0.0f, 1.0f);
}

Colour brickColour(int brick) {
    static const Colour palette[] = {
        {0.74f, 0.61f, 0.46f},  // sandstone
        {0.60f, 0.58f, 0.55f},  // grey limestone
        {0.66f, 0.45f, 0.35f},  // rust
        {0.72f, 0.56f, 0.37f},  // ochre
    };
    int pick = static_cast<int>(random01(brick, 1, stoneSeed) * 4.0f);
    return palette[pick] * (0.88f + 0.22f * random01(brick, 2, stoneSeed));
}

// ---- wood planks -----------------------------------------------------------------------

constexpr int plankHeight = 64;
constexpr int seamRows = 2;
constexpr int jointWidth = 2;

struct PlankSample {
    int board = 0;         // one board of a plank, between two butt joints
    int row = 0;           // row inside the plank; the seam takes the first rows
    bool seam = false;
    bool joint = false;
    float nearestJoint = 0.0f;  // pixels along u to the nearest butt joint
};

int wrapX(int x) { return ((x % mapSize) + mapSize) % mapSize; }

// Each plank has two butt joints at fixed random places, which split it into two boards.
void plankJoints(int plank, int& first, int& second) {
    first = static_cast<int>(random01(plank, 7, woodSeed) * mapSize);
    second = wrapX(first + 100 + static_cast<int>(random01(plank, 8, woodSeed) * 56.0f));
}

PlankSample plankAt(int x, int y) {
    int plank = y / plankHeight;
    int first = 0, second = 0;
    plankJoints(plank, first, second);
    int fromFirst = wrapX(x - first);
    int boardLength = wrapX(second - first);
    int fromSecond = wrapX(x - second);
    PlankSample sample;
    sample.row = y % plankHeight;
    sample.board = plank * 2 + (fromFirst < boardLength ? 0 : 1);
    sample.seam = sample.row < seamRows;
    sample.joint = fromFirst < jointWidth || fromSecond < jointWidth;
    auto around = [](int d) { return static_cast<float>(std::min(d, mapSize - d)); };
    sample.nearestJoint = std::min(around(fromFirst), around(fromSecond));
    return sample;
}

Colour boardColour(int board) {
    static const Colour palette[] = {
        {0.68f, 0.46f, 0.26f},
        {0.60f, 0.39f, 0.21f},
        {0.74f, 0.54f, 0.32f},
        {0.64f, 0.42f, 0.24f},
    };
    int pick = static_cast<int>(random01(board, 3, woodSeed) * 4.0f);
    return palette[pick] * (0.9f + 0.18f * random01(board, 4, woodSeed));
}

// Growth rings cut lengthwise, bent by noise: dark late-wood lines on lighter wood.
float grainShade(const PlankSample& sample, float u, float v) {
    float warp = 2.5f * tiledFractalNoise(u, v, 2, 8, 4, woodSeed + 10 + sample.board);
    float rings = 0.5f + 0.5f * std::sin(2.0f * std::numbers::pi_v<float> *
                                         (sample.row / float(plankHeight) * 5.0f + warp));
    float fibres = tiledNoise(u, v, 4, 128, woodSeed + 11);
    return (0.86f + 0.2f * fibres) * (1.0f - 0.3f * std::pow(rings, 6.0f));
}

// A nail head near each end of every board: 0 outside, rising to 1 inside the head.
float nailAt(const PlankSample& sample, int x, int y) {
    if (sample.nearestJoint > 9.0f) return 0.0f;
    int first = 0, second = 0;
    plankJoints(y / plankHeight, first, second);
    float best = 0.0f;
    for (int joint : {first, second})
        for (int across : {-5, 6})          // before the joint and after its two dark columns
            for (int nailRow : {14, 50}) {
                float dx = static_cast<float>(wrapX(x - joint - across + mapSize / 2) - mapSize / 2);
                float dy = static_cast<float>(sample.row - nailRow);
                best = std::max(best, std::clamp(2.6f - std::hypot(dx, dy), 0.0f, 1.0f));
            }
    return best;
}

// ---- detail grain ----------------------------------------------------------------------

// Shifts and scales the field to the wanted mean and spread, so that a detail map never
// brightens or darkens the base on average.
Image greyFromField(const std::vector<float>& field, int size, float spread) {
    double mean = 0.0, square = 0.0;
    for (float value : field) mean += value;
    mean /= field.size();
    for (float value : field) square += (value - mean) * (value - mean);
    double deviation = std::sqrt(square / field.size());
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float value = static_cast<float>((field[y * size + x] - mean) / deviation);
            image.set(x, y, grey(0.5f + spread * value));
        }
    return image;
}

}  // namespace

Image makeStoneBricks() {
    Image image(mapSize, mapSize);
    const Colour mortarColour = {0.72f, 0.70f, 0.65f};
    for (int y = 0; y < mapSize; ++y)
        for (int x = 0; x < mapSize; ++x) {
            float u = textureU(x, mapSize), v = textureV(y, mapSize);
            BrickSample sample = brickAt(x, y);
            float speck = 0.93f + 0.14f * random01(x, y, stoneSeed + 3);
            Colour colour;
            if (sample.mortar) {
                colour = mortarColour * ((0.85f + 0.25f * tiledNoise(u, v, 64, 64, stoneSeed + 4)) * speck);
            } else {
                float mottle = tiledFractalNoise(u, v, 8, 8, 5, stoneSeed + 5 + sample.brick);
                float veins = tiledFractalNoise(u, v, 4, 4, 4, stoneSeed + 6);
                colour = brickColour(sample.brick) * ((0.6f + 0.8f * mottle) * speck);
                colour = mix(colour, colour * Colour{0.8f, 0.85f, 0.9f}, std::clamp((veins - 0.55f) * 6.0f, 0.0f, 1.0f));
                colour = colour * (0.78f + 0.22f * bevel(sample));
                colour = colour * (1.0f - 0.35f * sample.pit);
            }
            image.set(x, y, colour);
        }
    return image;
}

Image makeStoneBricksBump() {
    Image image(mapSize, mapSize);
    for (int y = 0; y < mapSize; ++y)
        for (int x = 0; x < mapSize; ++x) {
            float u = textureU(x, mapSize), v = textureV(y, mapSize);
            BrickSample sample = brickAt(x, y);
            float height;
            if (sample.mortar) {
                height = 0.42f + 0.1f * tiledNoise(u, v, 64, 64, stoneSeed + 7);
            } else {
                float face = 0.9f + 0.1f * tiledFractalNoise(u, v, 16, 16, 3, stoneSeed + 8);
                height = 0.55f + (face - 0.55f) * bevel(sample);
                height *= 1.0f - 0.3f * sample.pit;
            }
            image.set(x, y, grey(height));
        }
    return image;
}

Image makeWoodPlanks() {
    Image image(mapSize, mapSize);
    const Colour seamColour = {0.16f, 0.10f, 0.06f};
    const Colour jointColour = {0.22f, 0.14f, 0.08f};
    const Colour ironDark = {0.22f, 0.21f, 0.20f};
    const Colour ironLight = {0.55f, 0.54f, 0.52f};
    for (int y = 0; y < mapSize; ++y)
        for (int x = 0; x < mapSize; ++x) {
            float u = textureU(x, mapSize), v = textureV(y, mapSize);
            PlankSample sample = plankAt(x, y);
            Colour colour;
            if (sample.seam) {
                colour = seamColour;
            } else if (sample.joint) {
                colour = jointColour;
            } else {
                colour = boardColour(sample.board) * grainShade(sample, u, v);
                if (sample.row == seamRows) colour = colour * 0.75f;
                if (sample.row == plankHeight - 1) colour = colour * 0.82f;
                float nail = nailAt(sample, x, y);
                if (nail > 0.0f) colour = mix(colour, mix(ironDark, ironLight, nail * nail), nail);
            }
            image.set(x, y, colour);
        }
    return image;
}

Image makeWoodPlanksBump() {
    Image image(mapSize, mapSize);
    for (int y = 0; y < mapSize; ++y) {
        int row = y % plankHeight;
        float height;
        if (row < seamRows) height = 0.38f;
        else if (row == seamRows) height = 0.64f;
        else if (row == seamRows + 1) height = 0.84f;
        else if (row == plankHeight - 1) height = 0.7f;
        else if (row == plankHeight - 2) height = 0.88f;
        else {
            // Boards cup a little: their middles stand higher than their edges.
            float across = (row - seamRows - 2) / float(plankHeight - seamRows - 4);
            height = 0.93f + 0.07f * std::sin(std::numbers::pi_v<float> * across);
            height += (random01(y, 0, woodSeed + 12) - 0.5f) * 0.04f;
        }
        for (int x = 0; x < mapSize; ++x) image.set(x, y, grey(height));
    }
    return image;
}

Image makeDotsDetail() {
    std::vector<float> field(detailSize * detailSize);
    for (int y = 0; y < detailSize; ++y)
        for (int x = 0; x < detailSize; ++x) {
            float u = textureU(x, detailSize), v = textureV(y, detailSize);
            field[y * detailSize + x] = 0.6f * tiledFractalNoise(u, v, 32, 32, 2, dotsSeed) +
                                        0.4f * random01(x, y, dotsSeed + 1);
        }
    return greyFromField(field, detailSize, 0.07f);
}

Image makeFibreDetail() {
    std::vector<float> field(detailSize * detailSize);
    for (int y = 0; y < detailSize; ++y)
        for (int x = 0; x < detailSize; ++x) {
            float u = textureU(x, detailSize), v = textureV(y, detailSize);
            field[y * detailSize + x] = 0.7f * tiledFractalNoise(u, v, 4, 64, 2, fibreSeed) +
                                        0.3f * random01(x, y, fibreSeed + 1);
        }
    return greyFromField(field, detailSize, 0.07f);
}

}  // namespace makescene
