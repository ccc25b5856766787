// The engine's start-up without a rendering context: the driver reports no extension, so both
// capability messages appear, in order, and both switches stay off; the lists get wired.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/fake_platform.h"

namespace fake = platform::fake;

namespace {

const std::vector<std::string> capabilityMessages = {
    "Votre carte graphique ne supporte pas le multitexturing",
    "Votre carte graphique ne supporte pas le BumpMapping",
};

void someUnit(GLenum) {}
void someCoordinates(GLenum, GLfloat, GLfloat) {}

class EngineStartUpTest : public ::testing::Test {
protected:
    void SetUp() override { fake::reset(); }

    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
};

TEST_F(EngineStartUpTest, WithoutExtensionsTellsOfMultitexturingThenBumpMapping) {
    engine->init();

    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), capabilityMessages.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].text, capabilityMessages[i]);
        EXPECT_EQ(boxes[i].caption, "Erreur");
        EXPECT_EQ(boxes[i].style, platform::MB_OK);
    }
    EXPECT_FALSE(engine->isDetailEnabled());
    EXPECT_FALSE(engine->isBumpEnabled());
    EXPECT_TRUE(fake::callsNamed("getProcAddress").empty());
    EXPECT_EQ(engine->extensions.multiTexCoord2f, nullptr);
    EXPECT_EQ(engine->extensions.activeTexture, nullptr);
    EXPECT_EQ(engine->extensions.clientActiveTexture, nullptr);
}

TEST_F(EngineStartUpTest, EveryStartUpChecksAgainAndPutsTheSwitchesBack) {
    engine->init();
    engine->enableDetail();
    engine->enableBump();
    ASSERT_TRUE(engine->isDetailEnabled());
    ASSERT_TRUE(engine->isBumpEnabled());

    engine->init();

    EXPECT_FALSE(engine->isDetailEnabled());
    EXPECT_FALSE(engine->isBumpEnabled());
    const auto& boxes = fake::messageBoxes();
    ASSERT_EQ(boxes.size(), 2 * capabilityMessages.size());
    EXPECT_EQ(boxes[2].text, capabilityMessages[0]);
    EXPECT_EQ(boxes[3].text, capabilityMessages[1]);
}

TEST_F(EngineStartUpTest, LinksTheListsToOneAnother) {
    engine->init();
    EXPECT_EQ(engine->materials.textureList, &engine->textures);
    EXPECT_EQ(engine->materials.extensions, &engine->extensions);
    EXPECT_EQ(engine->meshes.materials, &engine->materials);
    EXPECT_EQ(engine->meshes.extensions, &engine->extensions);
}

TEST_F(EngineStartUpTest, SwitchesAreOffBeforeTheStartUp) {
    EXPECT_FALSE(engine->isDetailEnabled());
    EXPECT_FALSE(engine->isBumpEnabled());
}

TEST_F(EngineStartUpTest, SwitchOperationsActOnTheirOwnSwitchOnly) {
    engine->enableDetail();
    EXPECT_TRUE(engine->isDetailEnabled());
    EXPECT_FALSE(engine->isBumpEnabled());
    engine->enableBump();
    engine->disableDetail();
    EXPECT_FALSE(engine->isDetailEnabled());
    EXPECT_TRUE(engine->isBumpEnabled());
    EXPECT_TRUE(engine->materials.bumpEnabled);
    engine->disableBump();
    EXPECT_FALSE(engine->materials.bumpEnabled);
}

TEST(GlExtensionsWithoutDriver, EveryQueryIsFalseAndNoEntryPointIsFetched) {
    fake::reset();
    GlExtensions extensions;
    extensions.capture();
    EXPECT_EQ(extensions.extensionString, nullptr);
    for (const char* name : {"GL_ARB_multitexture", "GL_EXT_texture_env_combine",
                             "GL_EXT_texture_env_dot3", "", "GL_ARB_multitexture "})
        EXPECT_FALSE(extensions.isSupported(name)) << '"' << name << '"';
    EXPECT_FALSE(extensions.supportsDot3Bump());

    // A failed check leaves the entry points as they were.
    extensions.activeTexture = someUnit;
    extensions.clientActiveTexture = someUnit;
    extensions.multiTexCoord2f = someCoordinates;
    EXPECT_FALSE(extensions.initMultitexture());
    EXPECT_EQ(extensions.activeTexture, someUnit);
    EXPECT_EQ(extensions.clientActiveTexture, someUnit);
    EXPECT_EQ(extensions.multiTexCoord2f, someCoordinates);
    EXPECT_TRUE(fake::callsNamed("getProcAddress").empty());
}

}  // namespace
