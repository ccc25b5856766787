// Meshes drawn into a real framebuffer: the colour of each texture layer combination, the
// switches leaving layers out, the texture coordinates scrolled as faces are drawn, faces left
// out of every pass, and drawing on one unit when the multitexture entry points are missing.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "tests/gl/engine_fixture.h"
#include "tests/gl/texture_units.h"

namespace {

using gltest::FrameCapture;
using gltest::Picture;
using gltest::Rgb;

struct Colour {
    float r, g, b;
};

// Pixels inside each of the two triangles that cover the viewport.
constexpr int kLowerRightX = 768, kLowerRightY = 600;
constexpr int kUpperLeftX = 256, kUpperLeftY = 168;

Vertex corner(float x, float y, const Colour& colour, float u = 0.5f, float v = 0.5f) {
    Vertex vertex;
    vertex.position = {x, y, 0};
    vertex.baseU = vertex.detailU = vertex.bumpU = u;
    vertex.baseV = vertex.detailV = vertex.bumpV = v;
    vertex.color[0] = colour.r;
    vertex.color[1] = colour.g;
    vertex.color[2] = colour.b;
    return vertex;
}

// The whole viewport under the test's orthographic view, as two triangles: the lower-right
// one of `lowerRightMaterial` and the upper-left one of `upperLeftMaterial`.
Mesh viewportQuad(int lowerRightMaterial, int upperLeftMaterial, std::vector<int> materialIds,
                  const Colour& colour, float u = 0.5f, float v = 0.5f) {
    Mesh mesh;
    mesh.setName("quad");
    mesh.setScale({1, 1, 1});
    Face lowerRight;
    lowerRight.vertices[0] = corner(-1, -1, colour, u, v);
    lowerRight.vertices[1] = corner(1, -1, colour, u, v);
    lowerRight.vertices[2] = corner(1, 1, colour, u, v);
    lowerRight.normal = {0, 0, 1};
    lowerRight.materialId = lowerRightMaterial;
    Face upperLeft = lowerRight;
    upperLeft.vertices[1] = corner(1, 1, colour, u, v);
    upperLeft.vertices[2] = corner(-1, 1, colour, u, v);
    upperLeft.materialId = upperLeftMaterial;
    mesh.addFace(lowerRight);
    mesh.addFace(upperLeft);
    mesh.materialIds = std::move(materialIds);
    return mesh;
}

Rgb expectedPixel(float r, float g, float b) {
    auto channel = [](float value) {
        return int(std::lround(std::clamp(value, 0.0f, 1.0f) * 255));
    };
    return {channel(r), channel(g), channel(b)};
}

void useOrthographicView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

class MeshDrawTest : public gltest::EngineGlTest {
protected:
    void SetUp() override {
        EngineGlTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(scene->extensions.hasMultitexture());
        useOrthographicView();
    }

    void drawFrame() {
        glClear(GL_COLOR_BUFFER_BIT);
        scene->drawAllMeshes();
    }
};

TEST_F(MeshDrawTest, EachLayerCombinesAsItsUnitSays) {
    const unsigned char baseTexel[3] = {200, 160, 80};
    const Colour vertexColour = {1.0f, 0.5f, 0.8f};
    const int base = addSolidTexture("base.bmp", baseTexel[0], baseTexel[1], baseTexel[2]);
    struct Layer {
        int texture;
        float r, g, b;  // the texel, 0 to 1
    };
    const auto layer = [&](const char* name, unsigned char r, unsigned char g, unsigned char b) {
        return Layer{addSolidTexture(name, r, g, b), r / 255.0f, g / 255.0f, b / 255.0f};
    };
    const Layer midGrey = layer("grey.bmp", 128, 128, 128);
    const Layer bright = layer("bright.bmp", 255, 200, 64);
    const Layer bumpLayer = layer("bump.bmp", 128, 255, 64);
    const Layer none{-1, 0, 0, 0};

    const struct {
        const char* what;
        Layer detail, bump;
        bool detailOn, bumpOn;
    } cases[] = {
        {"base alone", none, none, true, true},
        {"a mid-grey detail leaves the base", midGrey, none, true, true},
        {"a bright detail doubles and clamps", bright, none, true, true},
        {"detail and bump", bright, bumpLayer, true, true},
        {"bump alone", none, bumpLayer, true, true},
        {"detail switched off", bright, bumpLayer, false, true},
        {"bump switched off", bright, bumpLayer, true, false},
        {"both switched off", bright, bumpLayer, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case starts from units 1 and 2 switched off: a unit a material does not use
        // keeps what the case before left on it.
        scene->disableTexturing();
        scene->meshes.clear();
        c.detailOn ? scene->enableDetail() : scene->disableDetail();
        c.bumpOn ? scene->enableBump() : scene->disableBump();
        const int material =
            addMaterial({.base = base, .detail = c.detail.texture, .bump = c.bump.texture});
        scene->meshes.add(viewportQuad(material, material, {material}, vertexColour));
        drawFrame();

        float r = baseTexel[0] / 255.0f * vertexColour.r;
        float g = baseTexel[1] / 255.0f * vertexColour.g;
        float b = baseTexel[2] / 255.0f * vertexColour.b;
        if (c.detail.texture != -1 && c.detailOn) {
            r = std::min(1.0f, 2 * c.detail.r * r);
            g = std::min(1.0f, 2 * c.detail.g * g);
            b = std::min(1.0f, 2 * c.detail.b * b);
        }
        if (c.bump.texture != -1 && c.bumpOn) {
            r *= c.bump.r;
            g *= c.bump.g;
            b *= c.bump.b;
        }
        const FrameCapture frame;
        const Rgb expected = expectedPixel(r, g, b);
        const std::pair<int, int> places[] = {
            {kLowerRightX, kLowerRightY}, {kUpperLeftX, kUpperLeftY}, {5, 5}, {1018, 762}};
        for (const auto& at : places) {
            const Rgb drawn = frame.at(at.first, at.second);
            EXPECT_TRUE(gltest::near(drawn, expected, 3))
                << "at (" << at.first << ", " << at.second << "): " << drawn << ", expected "
                << expected;
        }
    }
}

TEST_F(MeshDrawTest, AnEarlierDetailStaysOnForAMaterialWithoutOne) {
    const int base = addSolidTexture("base.bmp", 100, 100, 100);
    const int detail = addSolidTexture("detail.bmp", 255, 255, 255);
    const int withDetail = addMaterial({.base = base, .detail = detail});
    const int withoutDetail = addMaterial({.base = base});
    const Colour white = {1, 1, 1};
    // One frame draws the material with detail first, then the one without.
    Mesh mesh = viewportQuad(withDetail, withoutDetail, {withDetail, withoutDetail}, white);
    scene->meshes.add(mesh);
    drawFrame();
    const FrameCapture frame;
    EXPECT_TRUE(gltest::near(frame.at(kLowerRightX, kLowerRightY), {200, 200, 200}, 3));
    EXPECT_TRUE(gltest::near(frame.at(kUpperLeftX, kUpperLeftY), {200, 200, 200}, 3))
        << frame.at(kUpperLeftX, kUpperLeftY);
}

TEST_F(MeshDrawTest, FacesOfAMaterialNotInTheListAreNotDrawn) {
    const int base = addSolidTexture("base.bmp", 90, 180, 240);
    const int listed = addMaterial({.base = base});
    const int unlisted = addMaterial({.base = base, .baseScrollU = 0.5f});
    scene->meshes.add(viewportQuad(listed, unlisted, {listed}, {1, 1, 1}));
    drawFrame();
    const FrameCapture frame;
    EXPECT_TRUE(gltest::near(frame.at(kLowerRightX, kLowerRightY), {90, 180, 240}, 3));
    EXPECT_EQ(frame.at(kUpperLeftX, kUpperLeftY), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.countLit({0, 0, 300, 300}), 0);
}

TEST_F(MeshDrawTest, AFaceMovedToAnotherMaterialIsDrawnWithItFromTheNextFrame) {
    const int base = addSolidTexture("base.bmp", 90, 180, 240);
    const int listed = addMaterial({.base = base});
    const int unlisted = addMaterial({.base = base});
    const int id = scene->meshes.add(viewportQuad(listed, unlisted, {listed}, {1, 1, 1}));
    Mesh* mesh = scene->meshes.find(id);
    drawFrame();  // the drawing index is made here
    ASSERT_EQ(FrameCapture().at(kUpperLeftX, kUpperLeftY), (Rgb{0, 0, 0}));

    Face moved = mesh->faces[1];
    moved.materialId = listed;
    mesh->faces.set(1, moved);
    drawFrame();
    const FrameCapture frame;
    EXPECT_TRUE(gltest::near(frame.at(kUpperLeftX, kUpperLeftY), {90, 180, 240}, 3))
        << frame.at(kUpperLeftX, kUpperLeftY);

    moved.materialId = unlisted;
    mesh->faces.set(1, moved);
    drawFrame();
    EXPECT_EQ(FrameCapture().at(kUpperLeftX, kUpperLeftY), (Rgb{0, 0, 0}));
}

TEST_F(MeshDrawTest, ScrollingAddsTheAmountsOncePerDrawingInSinglePrecision) {
    const int base = addSolidTexture("base.bmp", 255, 255, 255);
    const int scrolling = addMaterial({.base = base,
                                       .baseScrollU = 0.1f,
                                       .baseScrollV = 0.3f,
                                       .detailScrollU = 0.7f,
                                       .detailScrollV = -0.2f});
    const int still = addMaterial({.base = base});
    const int otherScrolling = addMaterial({.base = base, .baseScrollU = 0.25f});
    constexpr int kNoSuchMaterial = 99;

    const struct {
        const char* what;
        int faceMaterial;
        std::vector<int> materialIds;
        float baseU, baseV, detailU, detailV;  // added per drawing
        int drawingsPerFrame;
    } cases[] = {
        {"one pass", scrolling, {scrolling}, 0.1f, 0.3f, 0.7f, -0.2f, 1},
        {"the id listed twice", scrolling, {scrolling, scrolling}, 0.1f, 0.3f, 0.7f, -0.2f, 2},
        {"an id that names no material", kNoSuchMaterial, {kNoSuchMaterial}, -1, -1, -1, -1, 1},
        {"no amounts", still, {still}, 0, 0, 0, 0, 1},
        {"a material not in the list", otherScrolling, {scrolling}, 0, 0, 0, 0, 0},
    };
    // Starting values that show any rounding, and a negative zero that must stay one.
    const float starts[3][2] = {{0.2f, 0.6f}, {-0.0f, 1.1f}, {123.456f, -7.77f}};
    constexpr int kFrames = 7;

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        scene->meshes.clear();
        Mesh mesh = viewportQuad(c.faceMaterial, c.faceMaterial, c.materialIds, {1, 1, 1});
        for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
            Face face = mesh.faces[f];
            for (int i = 0; i < 3; ++i) {
                Vertex& v = face.vertices[i];
                v.baseU = v.detailU = v.bumpU = starts[i][0];
                v.baseV = v.detailV = v.bumpV = starts[i][1];
            }
            mesh.faces.set(f, face);
        }
        const int id = scene->meshes.add(mesh);

        for (int frame = 1; frame <= kFrames; ++frame) {
            drawFrame();
            const Mesh& drawn = *scene->meshes.find(id);
            for (const Face& face : drawn.faces)
                for (int i = 0; i < 3; ++i) {
                    float baseU = starts[i][0], baseV = starts[i][1];
                    float detailU = starts[i][0], detailV = starts[i][1];
                    for (int n = 0; n < frame * c.drawingsPerFrame; ++n) {
                        if (c.baseU != 0.0f) baseU += c.baseU;
                        if (c.baseV != 0.0f) baseV += c.baseV;
                        if (c.detailU != 0.0f) detailU += c.detailU;
                        if (c.detailV != 0.0f) detailV += c.detailV;
                    }
                    const Vertex& v = face.vertices[i];
                    SCOPED_TRACE("frame " + std::to_string(frame) + ", corner " +
                                 std::to_string(i));
                    EXPECT_EQ(v.baseU, baseU);
                    EXPECT_EQ(v.baseV, baseV);
                    EXPECT_EQ(v.detailU, detailU);
                    EXPECT_EQ(v.detailV, detailV);
                    EXPECT_EQ(std::signbit(v.baseU), std::signbit(baseU));
                    // Bump coordinates never scroll.
                    EXPECT_EQ(v.bumpU, starts[i][0]);
                    EXPECT_EQ(v.bumpV, starts[i][1]);
                }
        }
    }
}

// Without GL_ARB_multitexture the lists get no entry points: only unit 0 is used, with the
// base coordinates, and the detail and bump layers are left out.
TEST_F(MeshDrawTest, WithoutMultitextureEntryPointsOneUnitDraws) {
    GlExtensions none;
    TextureList textures;
    textures.setExtensions(none);
    MaterialList materials;
    materials.textureList = &textures;
    materials.extensions = &none;
    materials.detailEnabled = true;
    materials.bumpEnabled = true;
    MeshList meshes;
    meshes.init(materials, none);

    // Left texel red, right texel half green: the base coordinates pick the right one.
    Picture twoTexels = Picture::solid(2, 1, 255, 0, 0);
    twoTexels.rgb[3] = 0;
    twoTexels.rgb[4] = 128;
    twoTexels.rgb[5] = 0;
    const auto add = [&](const char* name, const Picture& picture) {
        return textures.addTexture(files.write(name, gltest::bmpFile(picture)).c_str(), 0, 0);
    };
    Material material;
    material.setBaseTexture(add("base.bmp", twoTexels));
    material.setDetailTexture(add("detail.bmp", Picture::solid(1, 1, 255, 200, 64)));
    material.setBumpTexture(add("bump.bmp", Picture::solid(1, 1, 255, 128, 255)));
    material.setBaseScrollU(0.5f);
    const int id = materials.add(material);
    // Drawn once, the scroll moves the coordinates from the left texel to the right one.
    meshes.add(viewportQuad(id, id, {id}, {1, 1, 1}, 0.25f, 0.5f));

    meshes.drawAll();
    const FrameCapture frame;
    EXPECT_EQ(frame.at(kLowerRightX, kLowerRightY), (Rgb{0, 128, 0}));
    EXPECT_EQ(frame.at(kUpperLeftX, kUpperLeftY), (Rgb{0, 128, 0}));
    const gltest::TextureUnits units = gltest::readTextureUnits();
    EXPECT_EQ(units.activeUnit, 0);
    EXPECT_FALSE(units.units[1].texture2d);
    EXPECT_FALSE(units.units[2].texture2d);
    EXPECT_EQ(units.units[1].binding, 0);
    EXPECT_EQ(units.units[2].binding, 0);
}

}  // namespace
