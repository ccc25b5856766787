// Materials put on texture units 0, 1 and 2 of a real context: what GL reports for each unit
// after applyMaterial, with the switches on and off, partial materials, sphere mapping,
// unknown ids, and the same material applied twice.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include "tests/gl/engine_fixture.h"
#include "tests/gl/texture_units.h"

namespace {

using gltest::TextureUnits;
using gltest::UnitState;

class MaterialApplyTest : public gltest::EngineGlTest {
protected:
    void SetUp() override {
        EngineGlTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(startUpBoxes.empty()) << startUpBoxes.front().text;
        ASSERT_TRUE(scene->extensions.hasMultitexture());
        ASSERT_TRUE(scene->isDetailEnabled() && scene->isBumpEnabled());
        base = addSolidTexture("base.bmp", 200, 150, 100);
        otherBase = addSolidTexture("other-base.bmp", 10, 20, 30);
        detail = addSolidTexture("detail.bmp", 128, 128, 128);
        bump = addSolidTexture("bump.bmp", 128, 128, 255);
        full = addMaterial({.base = base, .detail = detail, .bump = bump});
    }

    // Unit 0 as a base texture leaves it.
    UnitState baseUnit(int texture, bool sphereMap) const {
        UnitState unit = untouched();
        unit.texture2d = true;
        unit.binding = GLint(glName(texture));
        unit.envMode = GL_MODULATE;
        unit.genS = unit.genT = sphereMap;
        // Loading the textures set sphere mapping on unit 0, the unit active then.
        unit.genModeS = unit.genModeT = GL_SPHERE_MAP;
        return unit;
    }
    UnitState detailUnit(int texture, bool enabled, bool sphereMap) const {
        UnitState unit = untouched();
        unit.texture2d = enabled;
        unit.binding = GLint(glName(texture));
        unit.envMode = GL_COMBINE_EXT;
        unit.rgbScale = 2;
        unit.genS = unit.genT = sphereMap;
        return unit;
    }
    UnitState bumpUnit(int texture, bool enabled) const {
        UnitState unit = untouched();
        unit.texture2d = enabled;
        unit.binding = GLint(glName(texture));
        unit.envMode = GL_MODULATE;
        // Stored for DOT3, without effect while the unit modulates.
        unit.combineRgb = GL_DOT3_RGB_EXT;
        unit.source2Rgb = GL_PRIMARY_COLOR_EXT;
        unit.operand2Rgb = GL_SRC_COLOR;
        unit.source0Rgb = GL_TEXTURE;
        unit.operand0Rgb = GL_SRC_COLOR;
        return unit;
    }
    // A unit as a new context has it.
    static UnitState untouched() {
        UnitState unit;
        unit.envMode = GL_MODULATE;
        unit.rgbScale = 1;
        unit.combineRgb = GL_MODULATE;
        unit.source0Rgb = GL_TEXTURE;
        unit.operand0Rgb = GL_SRC_COLOR;
        unit.source2Rgb = GL_CONSTANT_EXT;
        unit.operand2Rgb = GL_SRC_ALPHA;
        unit.genModeS = unit.genModeT = GL_EYE_LINEAR;
        return unit;
    }

    int base = -1, otherBase = -1, detail = -1, bump = -1, full = -1;
};

TEST_F(MaterialApplyTest, BothSwitchesOnPutAllThreeLayersOnTheirUnits) {
    scene->materials.applyMaterial(full);
    const TextureUnits units = gltest::readTextureUnits();
    EXPECT_EQ(units.units[0], baseUnit(base, false));
    EXPECT_EQ(units.units[1], detailUnit(detail, true, false));
    EXPECT_EQ(units.units[2], bumpUnit(bump, true));
    EXPECT_EQ(units.activeUnit, 2);
    EXPECT_EQ(scene->materials.currentMaterialId, full);
    EXPECT_EQ(scene->textures.currentTextureId(), bump);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(MaterialApplyTest, DetailSwitchOffSetsUpUnitOneAndDisablesIt) {
    scene->disableDetail();
    for (bool sphereMap : {false, true}) {
        SCOPED_TRACE(sphereMap ? "detail sphere-mapped" : "detail not sphere-mapped");
        const int material = addMaterial(
            {.base = base, .detail = detail, .detailSphereMap = sphereMap, .bump = bump});
        scene->materials.applyMaterial(material);
        const TextureUnits units = gltest::readTextureUnits();
        EXPECT_EQ(units.units[0], baseUnit(base, false));
        EXPECT_EQ(units.units[1], detailUnit(detail, false, sphereMap));
        EXPECT_EQ(units.units[2], bumpUnit(bump, true));
        EXPECT_EQ(units.activeUnit, 2);
    }
}

TEST_F(MaterialApplyTest, BumpSwitchOffSetsUpUnitTwoAndDisablesIt) {
    scene->disableBump();
    scene->materials.applyMaterial(full);
    const TextureUnits units = gltest::readTextureUnits();
    EXPECT_EQ(units.units[0], baseUnit(base, false));
    EXPECT_EQ(units.units[1], detailUnit(detail, true, false));
    EXPECT_EQ(units.units[2], bumpUnit(bump, false));
    EXPECT_EQ(units.activeUnit, 2);
}

TEST_F(MaterialApplyTest, MaterialWithoutDetailOrBumpTouchesOnlyUnitZero) {
    scene->materials.applyMaterial(full);
    const TextureUnits before = gltest::readTextureUnits();
    const int baseOnly = addMaterial({.base = otherBase});

    scene->materials.applyMaterial(baseOnly);
    const TextureUnits after = gltest::readTextureUnits();
    EXPECT_EQ(after.units[0], baseUnit(otherBase, false));
    // The earlier detail and bump textures stay on, as the earlier material left them.
    EXPECT_EQ(after.units[1], before.units[1]);
    EXPECT_EQ(after.units[2], before.units[2]);
    EXPECT_EQ(after.activeUnit, 0);
    EXPECT_EQ(scene->materials.currentMaterialId, baseOnly);
}

TEST_F(MaterialApplyTest, BaseSphereMapStaysOnUntilAMaterialWithoutIt) {
    const int sphere = addMaterial({.base = base, .baseSphereMap = true});
    const int sphereWithLayers =
        addMaterial({.base = otherBase, .baseSphereMap = true, .detail = detail, .bump = bump});
    const int plain = addMaterial({.base = base, .detail = detail});
    const struct {
        const char* what;
        int material;
        bool generating;
    } steps[] = {
        {"a sphere-mapped material", sphere, true},
        {"an id that names no material", 12345, true},
        {"the full material, whose base is not sphere-mapped", full, false},
        {"the sphere-mapped material again", sphere, true},
        {"a sphere-mapped material with detail and bump", sphereWithLayers, true},
        {"a plain material", plain, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        scene->materials.applyMaterial(step.material);
        const UnitState unit0 = gltest::readTextureUnits().units[0];
        EXPECT_EQ(unit0.genS, step.generating);
        EXPECT_EQ(unit0.genT, step.generating);
        EXPECT_EQ(unit0.genModeS, GL_SPHERE_MAP);
        EXPECT_EQ(unit0.genModeT, GL_SPHERE_MAP);
    }
}

TEST_F(MaterialApplyTest, UnknownMaterialIdChangesNothing) {
    scene->materials.applyMaterial(full);
    const TextureUnits before = gltest::readTextureUnits();
    for (int unknown : {-1, 4, 999}) {
        SCOPED_TRACE("material id " + std::to_string(unknown));
        scene->materials.applyMaterial(unknown);
        EXPECT_EQ(gltest::readTextureUnits(), before);
        EXPECT_EQ(scene->materials.currentMaterialId, full);
        EXPECT_EQ(scene->textures.currentTextureId(), bump);
    }
}

TEST_F(MaterialApplyTest, UnknownBaseTextureLeavesTheOtherStepsOnTheActiveUnit) {
    scene->materials.applyMaterial(full);
    const TextureUnits before = gltest::readTextureUnits();
    ASSERT_EQ(before.activeUnit, 2);
    const int lost = addMaterial({.base = 77, .baseSphereMap = true});

    scene->materials.applyMaterial(lost);
    const TextureUnits after = gltest::readTextureUnits();
    // No unit was selected, so the sphere mapping went to unit 2, still the active one.
    EXPECT_EQ(after.activeUnit, 2);
    EXPECT_EQ(after.units[0], before.units[0]);
    EXPECT_EQ(after.units[1], before.units[1]);
    UnitState expected2 = before.units[2];
    expected2.genS = expected2.genT = true;
    EXPECT_EQ(after.units[2], expected2);
    EXPECT_EQ(scene->materials.currentMaterialId, lost);
    EXPECT_EQ(scene->textures.currentTextureId(), bump);
}

TEST_F(MaterialApplyTest, ApplyingTheSameMaterialTwiceRepeatsEveryCall) {
    scene->materials.applyMaterial(full);
    const TextureUnits applied = gltest::readTextureUnits();

    // Undo everything the material sets, behind the engine's back: its current ids still
    // name this material and its textures.
    for (int unit = 0; unit < 3; ++unit) {
        gltest::selectUnit(unit);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        if (unit < 2) {
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
        }
    }
    gltest::selectUnit(1);
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 4);
    gltest::selectUnit(2);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB_EXT, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB_EXT, GL_ONE_MINUS_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_EXT, GL_PREVIOUS_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_EXT, GL_ONE_MINUS_SRC_COLOR);
    gltest::selectUnit(0);
    ASSERT_NE(gltest::readTextureUnits(), applied);

    scene->materials.applyMaterial(full);
    const TextureUnits again = gltest::readTextureUnits();
    EXPECT_EQ(again, applied);
}

}  // namespace
