// The viewer drawn unseen in this process, frame by frame, with keys and mouse moves given
// between frames as the window's procedure would record them: light markers, cameras, the two
// switches, the orbit controls and the reload, seen in the pixels.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/platform.h"
#include "tests/view/picture_support.h"
#include "tools/view/viewer.h"

using namespace viewtest;
using platform::VK_DOWN;
using platform::VK_LEFT;
using platform::VK_NUMPAD1;
using platform::VK_NUMPAD2;
using platform::VK_TAB;
using platform::VK_UP;

namespace {

constexpr int width = 640, height = 480;
// Rows below the overlay's lines and above the switch labels: the scene alone.
constexpr int sceneTop = 130, sceneBottom = 440;
// Two pictures of different views differ in far more pixels than this.
constexpr int manyPixels = 2000;

class ViewerPictureTest : public ::testing::Test {
protected:
    void TearDown() override {
        closeViewerPicture();
        resetShellState();
    }

    // The viewer unseen on the file, from camera N when one is named; 0 when it is ready.
    int open(const std::string& path, int camera = -1) {
        closeViewerPicture();
        resetShellState();
        ViewOptions options;
        options.path = path;
        options.width = width;
        options.height = height;
        options.frames = 1;
        options.screenshot = "unused.png";
        options.cameraGiven = camera >= 0;
        options.camera = camera >= 0 ? camera : 0;
        return openViewerPicture(options);
    }
    Picture frames(int count = 1) {
        drawViewerFrames(count);
        return fromGl(viewerPixels(), width, height);
    }
    // One press: down in one pass, up in the next.
    void press(unsigned key) {
        keyDown[key] = true;
        handleViewerKeys();
        keyDown[key] = false;
        handleViewerKeys();
    }
    // Lit pixels of the scene's rows.
    static int litScene(const Picture& picture) {
        int count = 0;
        for (int y = sceneTop; y < sceneBottom; ++y)
            for (int x = 0; x < width; ++x) {
                const Rgb p = picture.at(x, y);
                count += p.r + p.g + p.b > 40;
            }
        return count;
    }

    ScratchDirectory scratch;
};

// Three cameras around the demo's cubes, and the cubes themselves.
std::vector<std::string> threeCameras() {
    return {"FICHIER_VNT",    "CAMERA", "Front", "0, 0.5, -1.5", "0, 0, 0", "",
            "CAMERA",         "Side",   "2, 0.2, 0",         "0, 0, 0",  "",
            "CAMERA",         "Above",  "0.1, 2.5, 0.1",     "0, 0, 0",  "",
            "MESH",           "scene/2cube.vno", "FIN_FICHIER_VNT"};
}

TEST_F(ViewerPictureTest, LightMarkersShowEachLightInItsColourAndLHidesThem) {
    ASSERT_EQ(open("scene/example.vnt"), 0);
    const Picture shown = frames();
    press('L');
    const Picture hidden = frames();
    ASSERT_EQ(engine.lights.all().size(), 2u);
    for (const Light& light : engine.lights.all()) {
        SCOPED_TRACE(light.getName());
        const Rgb colour = toRgb(light.getRed(), light.getGreen(), light.getBlue());
        EXPECT_GT(countNear(shown, colour, 8), countNear(hidden, colour, 8) + 50);
    }
    press('L');
    const Rgb blue = toRgb(0.3f, 0.4f, 1.0f);
    EXPECT_EQ(countNear(frames(), blue, 8), countNear(shown, blue, 8));
}

TEST_F(ViewerPictureTest, EachCameraGivesItsOwnPicture) {
    const std::string path = scratch.write("three.vnt", threeCameras());
    std::vector<Picture> pictures;
    for (int camera = 0; camera < 3; ++camera) {
        ASSERT_EQ(open(path, camera), 0);
        pictures.push_back(frames(2));
    }
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b)
            EXPECT_GT(differingPixels(pictures[std::size_t(a)], pictures[std::size_t(b)], 16),
                      manyPixels)
                << "cameras " << a << " and " << b;

    // Tab moves to the next camera: the same picture as starting from it.
    ASSERT_EQ(open(path, 0), 0);
    frames();
    press(VK_TAB);
    EXPECT_EQ(frames(), pictures[1]);
}

TEST_F(ViewerPictureTest, TabGoesFromTheLastCameraToTheOrbitViewAndBack) {
    const std::string withCameras = scratch.write("scene.vnt", threeCameras());
    ScratchDirectory other;
    const std::string withoutCameras =
        other.write("scene.vnt", {"FICHIER_VNT", "MESH", "scene/2cube.vno", "FIN_FICHIER_VNT"});
    ASSERT_EQ(open(withoutCameras), 0);
    const Picture orbit = frames(2);

    ASSERT_EQ(open(withCameras, 2), 0);
    frames();
    press(VK_TAB);
    EXPECT_EQ(frames(), orbit);
    press(VK_TAB);
    ASSERT_EQ(open(withCameras, 0), 0);
    const Picture first = frames(3);
    ASSERT_EQ(open(withCameras, 2), 0);
    frames();
    press(VK_TAB);
    frames();
    press(VK_TAB);
    EXPECT_EQ(frames(), first);
}

struct SwitchCase {
    const char* label;
    unsigned key;
};

class ViewerSwitches : public ViewerPictureTest,
                       public ::testing::WithParamInterface<SwitchCase> {};

// As in the demo: keypad 1 turns the detail map off, keypad 2 the bump map, which darkens the
// cubes, so the cubes brighten without it.
TEST_P(ViewerSwitches, ChangeTheCubesAsInTheDemo) {
    ASSERT_EQ(open("scene/example.vnt"), 0);
    ASSERT_TRUE(engine.isDetailEnabled() && engine.isBumpEnabled());
    const Picture both = frames();
    ASSERT_EQ(open("scene/example.vnt"), 0);
    press(GetParam().key);
    const Picture one = frames();
    EXPECT_EQ(engine.isDetailEnabled(), GetParam().key != VK_NUMPAD1);
    EXPECT_EQ(engine.isBumpEnabled(), GetParam().key != VK_NUMPAD2);
    EXPECT_GT(differingPixels(both, one, 8), 1000);
    if (GetParam().key == VK_NUMPAD2) {
        EXPECT_GT(meanBrightness(one, sceneTop, sceneBottom),
                  meanBrightness(both, sceneTop, sceneBottom) + 1.0);
    }
    press(GetParam().key);
    EXPECT_TRUE(engine.isDetailEnabled() && engine.isBumpEnabled());
}

INSTANTIATE_TEST_SUITE_P(Keys, ViewerSwitches,
                         ::testing::Values(SwitchCase{"Keypad1Detail", VK_NUMPAD1},
                                           SwitchCase{"Keypad2Bump", VK_NUMPAD2}),
                         [](const auto& info) { return std::string(info.param.label); });

struct OrbitCase {
    const char* label;
    std::function<void()> act;  // between the first and the second frame
    int litChange;              // +1 more lit scene pixels, -1 fewer, 0 either
};

class ViewerOrbitControls : public ViewerPictureTest,
                            public ::testing::WithParamInterface<OrbitCase> {};

TEST_P(ViewerOrbitControls, TurnOrZoomTheOrbitViewOnly) {
    ASSERT_EQ(open("scene/2cube.vno"), 0);
    const Picture still = frames(2);
    ASSERT_EQ(open("scene/2cube.vno"), 0);
    frames();
    GetParam().act();
    const Picture moved = frames();
    EXPECT_GT(differingPixels(still, moved, 16), manyPixels);
    if (GetParam().litChange > 0) {
        EXPECT_GT(litScene(moved), litScene(still) + manyPixels);
    } else if (GetParam().litChange < 0) {
        EXPECT_LT(litScene(moved), litScene(still) - manyPixels);
    }

    // From a scene camera the same actions change nothing.
    ASSERT_EQ(open("scene/example.vnt"), 0);
    const Picture fromCamera = frames(2);
    ASSERT_EQ(open("scene/example.vnt"), 0);
    frames();
    GetParam().act();
    EXPECT_EQ(frames(), fromCamera);
}

// Arrow keys are held: each pass turns by their rate times the frame's 1/60 s.
void hold(unsigned key, int passes) {
    keyDown[key] = true;
    for (int i = 0; i < passes; ++i) handleViewerKeys();
    keyDown[key] = false;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewerOrbitControls,
    ::testing::Values(OrbitCase{"ArrowLeft", [] { hold(VK_LEFT, 20); }, 0},
                      OrbitCase{"ArrowUp", [] { hold(VK_UP, 20); }, 0},
                      OrbitCase{"ArrowDown", [] { hold(VK_DOWN, 20); }, 0},
                      OrbitCase{"DragSideways", [] { mouse.dragX = 90; handleViewerKeys(); }, 0},
                      OrbitCase{"DragUp", [] { mouse.dragY = -60; handleViewerKeys(); }, 0},
                      OrbitCase{"WheelAway", [] { mouse.wheelSteps = 3; handleViewerKeys(); }, 1},
                      OrbitCase{"WheelTowards", [] { mouse.wheelSteps = -3; handleViewerKeys(); },
                                -1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ViewerPictureTest, ReloadPicksUpTheChangedFile) {
    const std::vector<std::string> cubes = {"FICHIER_VNT", "MESH", "scene/2cube.vno",
                                            "FIN_FICHIER_VNT"};
    const std::string path = scratch.write("edited.vnt", cubes);
    ASSERT_EQ(open(path), 0);
    const Rgb green = toRgb(0, 1, 0);
    EXPECT_LT(countNear(frames(), green, 8), 10);

    scratch.write("edited.vnt", {"FICHIER_VNT", "LUMIERE", "Green", "0, 0, 0", "0, 1, 0", "1",
                                 "", "MESH", "scene/2cube.vno", "FIN_FICHIER_VNT"});
    press('R');
    EXPECT_EQ(engine.lights.all().size(), 1u);
    EXPECT_EQ(engine.meshes.all().size(), 1u);
    EXPECT_GT(countNear(frames(), green, 8), 100);

    // A file that turned bad leaves an empty scene, not a stale one.
    scratch.write("edited.vnt", {"garbage"});
    press('R');
    EXPECT_TRUE(engine.meshes.all().empty());
    EXPECT_TRUE(engine.lights.all().empty());
    EXPECT_LT(litScene(frames()), 50);
}

// A reload reads the meshes afresh, so the frame after it is a first frame again.
TEST_F(ViewerPictureTest, ReloadKeepsTheCameraOrFallsBackToTheFirst) {
    const std::string path = scratch.write("cams.vnt", threeCameras());
    ASSERT_EQ(open(path, 2), 0);
    const Picture third = frames();
    frames();
    press('R');
    EXPECT_EQ(frames(), third);

    std::vector<std::string> frontOnly = threeCameras();
    frontOnly.erase(frontOnly.begin() + 6, frontOnly.begin() + 16);  // Side and Above
    scratch.write("cams.vnt", frontOnly);
    ASSERT_EQ(open(path, 0), 0);
    const Picture front = frames();

    scratch.write("cams.vnt", threeCameras());
    ASSERT_EQ(open(path, 2), 0);
    frames();
    scratch.write("cams.vnt", frontOnly);
    press('R');
    ASSERT_EQ(engine.cameras.all().size(), 1u);
    EXPECT_EQ(frames(), front);
}

TEST_F(ViewerPictureTest, RefusedFilesAndMissingCamerasStopBeforeAnyFrame) {
    EXPECT_EQ(open(scratch.path("missing.vnt").string()), 1);
    EXPECT_EQ(open(scratch.write("bad.vnt", {"FICHIER_VNT extra", "FIN_FICHIER_VNT"})), 1);
    EXPECT_EQ(open("scene/example.vnt", 1), 2);
    EXPECT_EQ(open("scene/2cube.vno", 0), 2);  // a mesh file has no cameras at all
    EXPECT_EQ(open("scene/example.vnt", 0), 0);
}

}  // namespace
