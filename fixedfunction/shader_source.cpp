// Writing the shaders of a key. Operations are spelt as Mesa's fixed-function programs spell
// them (dot products, multiply-adds, the same constants), so the compiler beneath makes the
// same arithmetic of both and their pixels agree.
#include "fixedfunction/shader_source.h"

namespace fixedfunction {
namespace {

std::string n(int i) { return std::to_string(i); }

// s or t of unit u, generated or taken from the vertex.
std::string generatedCoordinate(const UnitKey& unit, int u, int c) {
    const std::string plane = n(u * 2 + c);
    const char* component = c == 0 ? "x" : "y";
    switch (unit.gen[std::size_t(c)]) {
    case GenMode::objectLinear: return "dot(position, uObjectPlane[" + plane + "])";
    case GenMode::eyeLinear: return "dot(eye, uEyePlane[" + plane + "])";
    case GenMode::sphereMap: return std::string("sphere.") + component;
    default: return "aTexCoord" + n(u) + "." + component;
    }
}

std::string vertexMain(const ShaderKey& key) {
    std::string s = "void main() {\n    vec4 position = vec4(aPosition, 1.0);\n";
    s += "    gl_Position = uMvp * position;\n    vColor = aColor;\n";
    // OpenGL ES leaves a point's size undefined unless the shader gives it.
    if (key.primitive == PrimitiveClass::points) s += "    gl_PointSize = 1.0;\n";
    if (key.needsEyePosition()) s += "    vec4 eye = uModelview * position;\n";
    if (key.needsNormal()) {
        // The normal through the inverse modelview's columns, not normalised (GL_NORMALIZE
        // off); then Mesa's reflection: r = u - 2 n (n.u), m = 2 sqrt(rx^2 + ry^2 + (rz+1)^2).
        s += "    vec3 normal = vec3(dot(aNormal, uInverseModelview[0].xyz),"
             " dot(aNormal, uInverseModelview[1].xyz), dot(aNormal, uInverseModelview[2].xyz));\n"
             "    vec3 eyeHat = eye.xyz * inversesqrt(dot(eye.xyz, eye.xyz));\n"
             "    float twoNu = dot(normal, eyeHat);\n    twoNu = twoNu + twoNu;\n"
             "    vec3 r = -twoNu * normal + eyeHat;\n"
             "    vec3 rPlusZ = r + vec3(0.0, 0.0, 1.0);\n"
             "    float inverseM = inversesqrt(dot(rPlusZ, rPlusZ)) * 0.5;\n"
             "    vec2 sphere = r.xy * inverseM + 0.5;\n";
    }
    for (int u = 0; u < kTextureUnits; ++u) {
        const UnitKey& unit = key.units[std::size_t(u)];
        if (!unit.enabled) continue;
        // r and q come from the vertex as they are, never as constants: interpolated, q is
        // not exactly 1 everywhere, and the texture lookup divides by it as Mesa's does.
        std::string coordinates = "aTexCoord" + n(u);
        if (unit.gen[0] != GenMode::none || unit.gen[1] != GenMode::none)
            coordinates = "vec4(" + generatedCoordinate(unit, u, 0) + ", " + generatedCoordinate(unit, u, 1) +
                          ", aTexCoord" + n(u) + ".zw)";
        if (unit.textureMatrix) coordinates = "uTextureMatrix" + n(u) + " * " + coordinates;
        s += "    vTexCoord" + n(u) + " = " + coordinates + ";\n";
    }
    return s + "}\n";
}

// An argument of a combiner as a vec4: its source, then its operand.
std::string argumentValue(const CombineArgument& argument, int u) {
    std::string source;
    switch (argument.source) {
    case GL_TEXTURE: source = "texel" + n(u); break;
    case GL_PRIMARY_COLOR_EXT: source = "vColor"; break;
    case GL_CONSTANT_EXT: source = "uEnvironmentColor[" + n(u) + "]"; break;
    case GL_PREVIOUS_EXT: source = "previous"; break;
    default:
        if (argument.source >= GL_TEXTURE0 && argument.source < GL_TEXTURE0 + kTextureUnits)
            source = "texel" + n(int(argument.source - GL_TEXTURE0));
        else
            source = "previous";
    }
    switch (argument.operand) {
    case GL_ONE_MINUS_SRC_COLOR: return "(1.0 - " + source + ")";
    case GL_SRC_ALPHA: return "vec4(" + source + ".a)";
    case GL_ONE_MINUS_SRC_ALPHA: return "vec4(1.0 - " + source + ".a)";
    default: return source;
    }
}

std::string combined(unsigned function, const std::array<CombineArgument, 3>& arguments, int u) {
    const std::string a0 = argumentValue(arguments[0], u), a1 = argumentValue(arguments[1], u),
                      a2 = argumentValue(arguments[2], u);
    switch (function) {
    case GL_REPLACE: return a0;
    case GL_ADD: return "(" + a0 + " + " + a1 + ")";
    case GL_ADD_SIGNED_EXT: return "((" + a0 + " + " + a1 + ") + -0.5)";
    case GL_INTERPOLATE_EXT: return "(" + a0 + " * " + a2 + " + " + a1 + " * (1.0 - " + a2 + "))";
    case GL_SUBTRACT_ARB: return "(" + a0 + " - " + a1 + ")";
    case GL_DOT3_RGB_EXT:
    case GL_DOT3_RGBA_EXT:
    case GL_DOT3_RGB_ARB:
    case GL_DOT3_RGBA_ARB:
        return "vec4(dot((" + a0 + " * 2.0 + -1.0).xyz, (" + a1 + " * 2.0 + -1.0).xyz))";
    default: return "(" + a0 + " * " + a1 + ")";  // GL_MODULATE
    }
}

bool needsSaturate(unsigned function) {
    return function != GL_REPLACE && function != GL_MODULATE && function != GL_INTERPOLATE_EXT;
}

std::string unitStage(const UnitKey& unit, int u) {
    const bool dot3Rgba = unit.combineRgb == GL_DOT3_RGBA_EXT || unit.combineRgb == GL_DOT3_RGBA_ARB;
    std::string rgb = combined(unit.combineRgb, unit.rgb, u);
    std::string alpha = dot3Rgba ? rgb : combined(unit.combineAlpha, unit.alpha, u);
    if (unit.rgbShift == 0 && needsSaturate(unit.combineRgb)) rgb = "clamp(" + rgb + ", 0.0, 1.0)";
    if (unit.alphaShift == 0 && (dot3Rgba || needsSaturate(unit.combineAlpha)))
        alpha = "clamp(" + alpha + ", 0.0, 1.0)";
    std::string s = "    {\n        vec4 result = vec4((" + rgb + ").rgb, (" + alpha + ").a);\n";
    if (unit.rgbShift != 0 || unit.alphaShift != 0) {
        s += "        result = clamp(result * vec4(" + n(1 << unit.rgbShift) + ".0, " +
             n(1 << unit.rgbShift) + ".0, " + n(1 << unit.rgbShift) + ".0, " +
             n(1 << unit.alphaShift) + ".0), 0.0, 1.0);\n";
    }
    return s + "        previous = result;\n    }\n";
}

// A texel; GL_CLAMP's linear blend with the black border, where the driver clamps to the edge:
// each clamped side weighs the texel by the share of it that lies inside, in texels of the
// level the sampler reads.
std::string texelFetch(const UnitKey& unit, int u) {
    const std::string coordinates = "vTexCoord" + n(u);
    std::string s = "    vec4 texel" + n(u) + " = texture2DProj(uTexture" + n(u) + ", " + coordinates + ");\n";
    if (!unit.clampToBorder[0] && !unit.clampToBorder[1]) return s;
    s += "    {\n        vec2 st = " + coordinates + ".xy / " + coordinates + ".w;\n"
         "        vec2 size = uTextureSize[" + n(u) + "];\n";
    // The level the sampler read, read back from a texture of the same size whose levels
    // hold their own numbers, sampled at the same coordinates.
    if (unit.clampOnLevels)
        s += "        float level = floor(texture2DProj(uLevels" + n(u) + ", " + coordinates + ").a * 255.0 + 0.5);\n"
             "        size = max(floor(size / exp2(level)), 1.0);\n";
    s += "        vec2 texels = clamp(st, 0.0, 1.0) * size;\n";
    for (int c = 0; c < 2; ++c) {
        if (!unit.clampToBorder[std::size_t(c)]) continue;
        const std::string x = c == 0 ? "texels.x" : "texels.y";
        const std::string side = c == 0 ? "size.x" : "size.y";
        s += "        texel" + n(u) + " *= 1.0 - (max(0.5 - " + x + ", 0.0) + max(" + x + " - (" + side +
             " - 0.5), 0.0));\n";
    }
    return s + "    }\n";
}

}  // namespace

std::string vertexShaderSource(const ShaderKey& key) {
    std::string s = "attribute vec3 aPosition;\nattribute vec4 aColor;\n";
    if (key.primitive == PrimitiveClass::bitmap)
        return s + "attribute vec2 aTexCoord0;\nvarying vec2 vBitmap;\nvarying vec4 vColor;\nvoid main() {\n"
                   "    gl_Position = vec4(aPosition, 1.0);\n    vBitmap = aTexCoord0;\n    vColor = aColor;\n}\n";
    s += "attribute vec3 aNormal;\nuniform mat4 uMvp;\nuniform mat4 uModelview;\n"
         "uniform mat4 uInverseModelview;\n"
         "uniform vec4 uObjectPlane[" + n(kTextureUnits * 2) + "];\n"
         "uniform vec4 uEyePlane[" + n(kTextureUnits * 2) + "];\nvarying vec4 vColor;\n";
    for (int u = 0; u < kTextureUnits; ++u) {
        if (!key.units[std::size_t(u)].enabled) continue;
        s += "attribute vec4 aTexCoord" + n(u) + ";\nuniform mat4 uTextureMatrix" + n(u) +
             ";\nvarying vec4 vTexCoord" + n(u) + ";\n";
    }
    return s + vertexMain(key);
}

std::string fragmentShaderSource(const ShaderKey& key) {
    // Samplers at high precision: at their default (low) one, filtering loses bits.
    std::string s = "precision highp float;\nprecision highp sampler2D;\n";
    if (key.primitive == PrimitiveClass::bitmap)
        return s + "uniform sampler2D uTexture0;\nvarying vec2 vBitmap;\nvarying vec4 vColor;\n"
                   "void main() {\n    if (texture2D(uTexture0, vBitmap).a < 0.5) discard;\n"
                   "    gl_FragColor = vColor;\n}\n";
    s += "varying vec4 vColor;\nuniform vec4 uEnvironmentColor[" + n(kTextureUnits) +
         "];\nuniform vec2 uTextureSize[" + n(kTextureUnits) + "];\n";
    for (int u = 0; u < kTextureUnits; ++u) {
        if (!key.units[std::size_t(u)].enabled) continue;
        s += "uniform sampler2D uTexture" + n(u) + ";\nvarying vec4 vTexCoord" + n(u) + ";\n";
        if (key.units[std::size_t(u)].clampOnLevels) s += "uniform sampler2D uLevels" + n(u) + ";\n";
    }
    s += "void main() {\n    vec4 previous = vColor;\n";
    for (int u = 0; u < kTextureUnits; ++u)
        if (key.units[std::size_t(u)].enabled) s += texelFetch(key.units[std::size_t(u)], u);
    for (int u = 0; u < kTextureUnits; ++u)
        if (key.units[std::size_t(u)].enabled) s += unitStage(key.units[std::size_t(u)], u);
    return s + "    gl_FragColor = previous;\n}\n";
}

}  // namespace fixedfunction
