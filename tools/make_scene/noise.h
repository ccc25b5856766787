// Deterministic random numbers and tileable value noise for the procedural textures.
// Everything is a pure function of its arguments and a fixed seed, so the data can be remade.
#pragma once

#include <cstdint>

namespace makescene {

// A number in [0, 1) that depends only on the three arguments.
float random01(std::uint32_t a, std::uint32_t b, std::uint32_t seed);

// Smooth noise in [0, 1) over a lattice of cellsX by cellsY cells that wraps around, so a
// texture that samples u and v in [0, 1) tiles without seams.
float tiledNoise(float u, float v, int cellsX, int cellsY, std::uint32_t seed);

// Sum of octaves of tiledNoise, each with twice the cells and half the weight of the one
// before, scaled back to [0, 1).
float tiledFractalNoise(float u, float v, int cellsX, int cellsY, int octaves, std::uint32_t seed);

}  // namespace makescene
