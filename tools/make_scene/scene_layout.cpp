// Geometry, texture coordinates and tints of the two cubes, and the table of their textures
// and materials.
#include "scene_layout.h"

#include "textures.h"

#include <cmath>
#include <numbers>

namespace makescene {

namespace {

constexpr float cubeEdge = 0.26f;
// The detail grain repeats this many times across a face for each repeat of the base.
constexpr float detailRepeats = 4.0f;

Point3 add(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 subtract(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 scaled(Point3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
Point3 cross(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Point3 normalised(Point3 a) { return scaled(a, 1.0f / std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z)); }

Point3 turnedAboutX(Point3 p, float degrees) {
    float radians = degrees * std::numbers::pi_v<float> / 180.0f;
    float c = std::cos(radians), s = std::sin(radians);
    return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
}

struct CubePlacement {
    int material = 0;
    Point3 centre;
    float turnAboutX = 0.0f;  // degrees; about the axis through both centres, so the cube
                              // reaches no further from the origin than an unturned one
    Colour warmTint;
    Colour coolTint;
};

// Corners on the +x+z / -x-z diagonal take the warm tint, the others the cool one; the lower
// corners are darker, as if lit from above, since the scene is drawn without lighting.
Colour cornerTint(const CubePlacement& cube, Point3 side) {
    Colour tint = side.x * side.z > 0.0f ? cube.warmTint : cube.coolTint;
    return tint * (side.y > 0.0f ? 1.0f : 0.8f);
}

// One face of the unit cube: its outward direction and the directions of u and v across it,
// chosen so that u x v points outward and corners taken in (u, v) order run counter-clockwise
// seen from outside. On the sides v points up, so the pictures stand upright.
struct FaceFrame {
    Point3 outward, uAxis, vAxis;
};

const FaceFrame cubeFaces[] = {
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},    // front
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},   // right
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},  // back
    {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},   // left
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},   // top
    {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},   // bottom
};

Corner cubeCorner(const CubePlacement& cube, const FaceFrame& face, float u, float v) {
    Point3 side = add(face.outward, add(scaled(face.uAxis, 2.0f * u - 1.0f), scaled(face.vAxis, 2.0f * v - 1.0f)));
    Corner corner;
    corner.position = add(cube.centre, turnedAboutX(scaled(side, cubeEdge / 2.0f), cube.turnAboutX));
    corner.baseU = u;
    corner.baseV = v;
    corner.detailU = u * detailRepeats;
    corner.detailV = v * detailRepeats;
    corner.bumpU = u;
    corner.bumpV = v;
    corner.colour = cornerTint(cube, side);
    return corner;
}

Triangle cubeTriangle(const CubePlacement& cube, const FaceFrame& face, const float (&uv)[3][2]) {
    Triangle triangle;
    triangle.material = cube.material;
    for (int i = 0; i < 3; ++i) triangle.corners[i] = cubeCorner(cube, face, uv[i][0], uv[i][1]);
    const Point3& p0 = triangle.corners[0].position;
    triangle.normal = normalised(cross(subtract(triangle.corners[1].position, p0),
                                       subtract(triangle.corners[2].position, p0)));
    return triangle;
}

void addCube(SceneLayout& scene, const CubePlacement& cube) {
    static const float lowerRight[3][2] = {{0, 0}, {1, 0}, {1, 1}};
    static const float upperLeft[3][2] = {{0, 0}, {1, 1}, {0, 1}};
    for (const FaceFrame& face : cubeFaces) {
        scene.triangles.push_back(cubeTriangle(cube, face, lowerRight));
        scene.triangles.push_back(cubeTriangle(cube, face, upperLeft));
    }
}

}  // namespace

SceneLayout twoCubeScene() {
    SceneLayout scene;
    scene.textures = {
        {"scene/stone_bricks.png", ImageFormat::Png, makeStoneBricks},          // 0
        {"scene/stone_bricks_bump.png", ImageFormat::Png, makeStoneBricksBump}, // 1
        {"scene/detail_dots.bmp", ImageFormat::Bmp, makeDotsDetail},      // 2
        {"scene/wood_planks.tga", ImageFormat::Tga, makeWoodPlanks},            // 3
        {"scene/wood_planks_bump.tga", ImageFormat::Tga, makeWoodPlanksBump},   // 4
        {"scene/detail_fibre.bmp", ImageFormat::Bmp, makeFibreDetail},          // 5
    };

    // The scroll amounts are steps per frame: at a few hundred frames per second the stone's
    // grain crawls slowly and the planks slide along their length. The wood's bump map has
    // grooves along u only, so the planks stay in their grooves as they slide.
    MaterialBlock stone;
    stone.label = "MATERIAU pierre";
    stone.baseTexture = 0;
    stone.detailTexture = 2;
    stone.detailScrollU = 0.001f;
    stone.detailScrollV = 0.0005f;
    stone.bumpTexture = 1;
    stone.bumpParameter = 1.0f;

    MaterialBlock wood;
    wood.label = "MATERIAU bois";
    wood.baseTexture = 3;
    wood.baseScrollU = 0.0005f;
    wood.detailTexture = 5;
    wood.bumpTexture = 4;
    wood.bumpParameter = 1.0f;

    scene.materials = {stone, wood};
    scene.meshName = "2cube";

    addCube(scene, {0, {-0.2f, 0.0f, 0.0f}, 0.0f, {1.0f, 0.9f, 0.78f}, {0.86f, 0.92f, 1.0f}});
    addCube(scene, {1, {0.2f, 0.0f, 0.0f}, 30.0f, {1.0f, 0.93f, 0.82f}, {0.8f, 0.9f, 1.0f}});
    return scene;
}

}  // namespace makescene
