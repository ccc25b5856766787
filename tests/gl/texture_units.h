// The state of texture units 0, 1 and 2 as GL reports it (enables, binding, environment,
// coordinate generation) and the active unit, read without disturbing anything.
#pragma once

#include <GL/gl.h>

#include <ostream>

namespace gltest {

struct UnitState {
    bool texture2d = false, genS = false, genT = false;
    GLint binding = 0, envMode = 0, rgbScale = 0;
    GLint combineRgb = 0, source0Rgb = 0, operand0Rgb = 0, source2Rgb = 0, operand2Rgb = 0;
    GLint genModeS = 0, genModeT = 0;
    bool operator==(const UnitState&) const = default;
};

struct TextureUnits {
    int activeUnit = 0;  // 0, 1 or 2
    UnitState units[3];
    bool operator==(const TextureUnits&) const = default;
};

// Selects each unit to read it and selects the active one again afterwards.
TextureUnits readTextureUnits();
// Makes `unit` (0, 1 or 2) the active texture unit.
void selectUnit(int unit);

std::ostream& operator<<(std::ostream& out, const UnitState& unit);
std::ostream& operator<<(std::ostream& out, const TextureUnits& units);

}  // namespace gltest
