// The engine's start-up against what the driver really reports. CTest runs these tests three
// times: as the driver is, and with Mesa told to hide GL_EXT_texture_env_dot3 or
// GL_ARB_multitexture (MESA_EXTENSION_OVERRIDE); the expectations follow the extension string.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/gl/engine_fixture.h"
#include "tests/gl/texture_units.h"

namespace {

using gltest::Picture;
using gltest::RecordedBox;
using gltest::Rgb;

// The names that MESA_EXTENSION_OVERRIDE asks Mesa to hide ("-NAME" words).
std::vector<std::string> hiddenByOverride() {
    std::vector<std::string> hidden;
    const char* value = std::getenv("MESA_EXTENSION_OVERRIDE");
    std::istringstream words(value ? value : "");
    for (std::string word; words >> word;)
        if (word.size() > 1 && word[0] == '-') hidden.push_back(word.substr(1));
    return hidden;
}

bool driverReports(const std::string& name) {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    std::istringstream words(extensions ? extensions : "");
    for (std::string word; words >> word;)
        if (word == name) return true;
    return false;
}

using DriverCapabilitiesTest = gltest::OffscreenGlTest;

TEST_F(DriverCapabilitiesTest, StartUpFollowsWhatTheDriverReports) {
    // Mesa really hides what it was told to, so the run without it tests what it says.
    for (const std::string& name : hiddenByOverride()) EXPECT_FALSE(driverReports(name)) << name;
    const bool multitexture = driverReports("GL_ARB_multitexture");
    const bool dot3Bump =
        driverReports("GL_EXT_texture_env_combine") && driverReports("GL_EXT_texture_env_dot3");
    std::vector<RecordedBox> expectedBoxes;
    if (!multitexture)
        expectedBoxes.push_back(
            {"Votre carte graphique ne supporte pas le multitexturing", "Erreur", platform::MB_OK});
    if (!dot3Bump)
        expectedBoxes.push_back(
            {"Votre carte graphique ne supporte pas le BumpMapping", "Erreur", platform::MB_OK});

    Engine scene;
    scene.init();

    const std::vector<RecordedBox>& boxes = gltest::recordedBoxes();
    ASSERT_EQ(boxes.size(), expectedBoxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].text, expectedBoxes[i].text);
        EXPECT_EQ(boxes[i].caption, expectedBoxes[i].caption);
        EXPECT_EQ(boxes[i].style, expectedBoxes[i].style);
    }
    // Both effects start on only when the driver can combine textures with DOT3.
    EXPECT_EQ(scene.isDetailEnabled(), dot3Bump);
    EXPECT_EQ(scene.isBumpEnabled(), dot3Bump);
    EXPECT_EQ(scene.extensions.multiTexCoord2f != nullptr, multitexture);
    EXPECT_EQ(scene.extensions.activeTexture != nullptr, multitexture);
    EXPECT_EQ(scene.extensions.clientActiveTexture != nullptr, multitexture);
}

TEST_F(DriverCapabilitiesTest, DrawingUsesTheUnitsTheDriverOffers) {
    const bool multitexture = driverReports("GL_ARB_multitexture");
    gltest::TempDirectory files;
    Engine scene;
    scene.init();
    // The user may turn both effects on with the keys whatever the start-up decided.
    scene.enableDetail();
    scene.enableBump();

    const auto add = [&](const char* name, const Picture& picture) {
        return scene.textures.addTexture(files.write(name, gltest::bmpFile(picture)).c_str(), 0, 0);
    };
    Material material;
    material.setBaseTexture(add("base.bmp", Picture::solid(1, 1, 0, 128, 200)));
    material.setDetailTexture(add("detail.bmp", Picture::solid(1, 1, 255, 200, 255)));
    material.setBumpTexture(add("bump.bmp", Picture::solid(1, 1, 255, 128, 128)));
    const int id = scene.materials.add(material);

    Mesh quad;
    quad.setScale({1, 1, 1});
    Face face;
    const float corners[3][2] = {{-1, -1}, {3, -1}, {-1, 3}};  // covers the whole viewport
    for (int i = 0; i < 3; ++i) {
        face.vertices[i].position = {corners[i][0], corners[i][1], 0};
        face.vertices[i].color[0] = face.vertices[i].color[1] = face.vertices[i].color[2] = 1;
    }
    face.materialId = id;
    quad.addFace(face);
    quad.addMaterialId(id);
    scene.meshes.add(quad);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    scene.drawAllMeshes();

    // Three layers: 2 x detail x base x bump; one unit: the base alone.
    const Rgb expected = multitexture ? Rgb{0, 101, 128} : Rgb{0, 128, 200};
    const gltest::FrameCapture frame;
    EXPECT_TRUE(gltest::near(frame.at(512, 384), expected, 3)) << frame.at(512, 384);
    if (!multitexture) {
        const gltest::TextureUnits units = gltest::readTextureUnits();
        EXPECT_EQ(units.activeUnit, 0);
        EXPECT_FALSE(units.units[1].texture2d);
        EXPECT_FALSE(units.units[2].texture2d);
    }
}

}  // namespace
