// GLSL ES 1.00 sources for a shader key: the vertex transform and coordinate generation, and
// the texture units' combiners, written as Mesa writes its own fixed-function shaders.
#pragma once

#include <string>

#include "fixedfunction/draw_state.h"

namespace fixedfunction {

// Attribute locations, bound before linking; the batch's vertex layout feeds them.
enum AttributeLocation : unsigned {
    kPositionAttribute = 0,
    kColorAttribute = 1,
    kNormalAttribute = 2,
    kTexCoordAttribute = 3,  // one per unit from here
};

std::string vertexShaderSource(const ShaderKey& key);
std::string fragmentShaderSource(const ShaderKey& key);

}  // namespace fixedfunction
