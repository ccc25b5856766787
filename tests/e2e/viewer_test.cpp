// vorn-view on its own X screen, driven as a scene author drives it: keys, mouse drags and the
// wheel, F12 pictures, R after an edit, Escape; and the unseen picture run, which shows nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "demo_fixture.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

inline constexpr Rgb nightLightBlue{77, 102, 255};  // (0.3, 0.4, 1) of scene/example.vnt
inline constexpr Rgb green{0, 255, 0};
inline constexpr Milliseconds settle(400);  // a few frames at the slowest
inline constexpr Milliseconds reloadTimeout(5000);
inline const std::string loadDoneTitle = "Information";

// A PNG's size from its header; 0 x 0 when the file is not a PNG.
std::pair<int, int> pngSize(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return {0, 0};
    auto word = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    return {word(16), word(20)};
}

class ViewerTest : public DemoTest {
protected:
    void SetUp() override {
        // The viewer runs in a directory of its own, where F12 writes and the test edits; the
        // scene's files are reached there by the same relative names as in the repository.
        directory = fs::temp_directory_path() /
                    ("vorn-view-e2e-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
        fs::create_directory_symlink(fs::path(VORN_SOURCE_DIR) / "scene", directory / "scene");
    }
    void TearDown() override {
        DemoTest::TearDown();
        std::error_code ignored;
        fs::remove_all(directory, ignored);
    }

    void write(const std::string& name, const std::vector<std::string>& lines) {
        std::ofstream out(directory / name, std::ios::binary);
        for (const std::string& line : lines) out << line << '\n';
    }

    // The viewer on a 1024 x 768 screen with its window drawn; a scene description's "Chargement
    // Terminé" answered first.
    std::optional<WindowInfo> launchViewer(const std::vector<std::string>& arguments,
                                           const std::string& fileName, bool loadBox) {
        if (!display.start(1024, 768, Milliseconds(10000)) ||
            !screen.connect(display.name(), display.environment(), Milliseconds(10000)))
            return std::nullopt;
        std::vector<std::string> command = {VORN_VIEW_PROGRAM};
        command.insert(command.end(), arguments.begin(), arguments.end());
        if (!demo.start(command, SpawnOptions{display.environment(), directory.string(),
                                              artifactPath(".log"), {}}))
            return std::nullopt;
        if (loadBox && !answerBox(loadDoneTitle, "Return")) return std::nullopt;
        return waitForFrames("vorn-view: " + fileName);
    }

    Image scene() { return screen.grab(sceneArea); }
    bool press(WindowId window, const std::string& key) {
        const bool pressed = screen.pressKey(window, key, Milliseconds(120));
        std::this_thread::sleep_for(settle);
        return pressed;
    }

    fs::path directory;
};

TEST_F(ViewerTest, KeysSwitchTheMarkersTheMapsAndTheViewAndF12WritesPictures) {
    const auto window = launchViewer({"scene/example.vnt"}, "example.vnt", true);
    ASSERT_TRUE(window);
    std::this_thread::sleep_for(settle);
    const Image start = scene();
    ASSERT_GT(countColour(start, nightLightBlue, 16), 500) << "the NightLight's marker";

    ASSERT_TRUE(press(window->id, "l"));
    EXPECT_LT(countColour(scene(), nightLightBlue, 16), 50);
    ASSERT_TRUE(press(window->id, "l"));
    EXPECT_GT(countColour(scene(), nightLightBlue, 16), 500);

    EXPECT_EQ(readAnswer(detailBaseline), Answer::Yes);
    ASSERT_TRUE(press(window->id, "KP_1"));
    EXPECT_TRUE(waitForAnswer(detailBaseline, Answer::No));
    EXPECT_EQ(readAnswer(bumpBaseline), Answer::Yes);
    ASSERT_TRUE(press(window->id, "KP_2"));
    EXPECT_TRUE(waitForAnswer(bumpBaseline, Answer::No));
    ASSERT_TRUE(press(window->id, "KP_1"));
    ASSERT_TRUE(press(window->id, "KP_2"));
    EXPECT_TRUE(waitForAnswer(detailBaseline, Answer::Yes));
    EXPECT_TRUE(waitForAnswer(bumpBaseline, Answer::Yes));

    // The file's one camera, then the orbit view, then the camera again.
    ASSERT_TRUE(press(window->id, "Tab"));
    EXPECT_GT(silhouetteChange(start, scene()), 20000);
    ASSERT_TRUE(press(window->id, "Tab"));
    EXPECT_LT(silhouetteChange(start, scene()), 2000);

    ASSERT_TRUE(press(window->id, "F12"));
    ASSERT_TRUE(press(window->id, "F12"));
    for (const char* name : {"vorn-view-1.png", "vorn-view-2.png"}) {
        const auto written = [&] { return pngSize(directory / name).first > 0; };
        ASSERT_TRUE(waitUntil(written, Milliseconds(5000))) << name;
        EXPECT_EQ(pngSize(directory / name), std::make_pair(1024, 768)) << name;
    }

    ASSERT_TRUE(screen.pressKey(window->id, "Escape", keyHold));
    EXPECT_EQ(demo.waitForExit(exitTimeout), 0);
}

// SDL draws its boxes in the characters of the locale the environment names: in the C locale
// of a fresh root shell the "é" of "Chargement Terminé" would be left out.
TEST_F(ViewerTest, TheLoadBoxShowsItsWholeTextInAnyLocale) {
    ASSERT_TRUE(display.start(1024, 768, Milliseconds(10000)));
    ASSERT_TRUE(screen.connect(display.name(), display.environment(), Milliseconds(10000)));
    std::vector<Image> boxes;
    for (const char* locale : {"LC_ALL=C.UTF-8", "LC_ALL=C", "LC_ALL=POSIX"}) {
        ASSERT_TRUE(demo.start({VORN_VIEW_PROGRAM, "scene/example.vnt"},
                               SpawnOptions{display.environment({locale, "LANG="}),
                                            directory.string(), artifactPath(".log"), {}}));
        const std::optional<WindowInfo> box = waitForWindow(loadDoneTitle);
        ASSERT_TRUE(box) << locale;
        std::this_thread::sleep_for(settle);  // drawn
        boxes.push_back(screen.grab(Area{box->x, box->y, box->x + box->width, box->y + box->height}));
        ASSERT_TRUE(answerBox(loadDoneTitle, "Return")) << locale;
        ASSERT_TRUE(waitForFrames("vorn-view: example.vnt")) << locale;
        demo.stop();
    }
    for (std::size_t i = 1; i < boxes.size(); ++i) {
        ASSERT_EQ(boxes[i].pixels.size(), boxes[0].pixels.size()) << i;
        int differing = 0;
        for (std::size_t p = 0; p < boxes[0].pixels.size(); ++p)
            differing += boxes[i].pixels[p].r != boxes[0].pixels[p].r ||
                         boxes[i].pixels[p].g != boxes[0].pixels[p].g ||
                         boxes[i].pixels[p].b != boxes[0].pixels[p].b;
        EXPECT_EQ(differing, 0) << "the box in locale " << i << " differs from the UTF-8 one";
    }
}

TEST_F(ViewerTest, TheMouseAndTheArrowsTurnAndZoomTheOrbitView) {
    const auto window = launchViewer({"scene/2cube.vno"}, "2cube.vno", false);
    ASSERT_TRUE(window);
    std::this_thread::sleep_for(settle);
    Image before = scene();

    ASSERT_TRUE(screen.drag(window->id, 400, 400, 600, 450));
    std::this_thread::sleep_for(settle);
    Image after = scene();
    EXPECT_GT(silhouetteChange(before, after), 5000) << "drag";

    before = after;
    ASSERT_TRUE(screen.turnWheel(window->id, 512, 384, 3));
    std::this_thread::sleep_for(settle);
    after = scene();
    EXPECT_GT(litPixels(after), litPixels(before) + 10000) << "wheel away: nearer";
    ASSERT_TRUE(screen.turnWheel(window->id, 512, 384, -6));
    std::this_thread::sleep_for(settle);
    EXPECT_LT(litPixels(scene()), litPixels(before) - 5000) << "wheel towards: farther";

    before = scene();
    ASSERT_TRUE(screen.pressKey(window->id, "Left", Milliseconds(600)));
    std::this_thread::sleep_for(settle);
    EXPECT_GT(silhouetteChange(before, scene()), 2000) << "arrow";

    // The close button ends it as Escape does.
    ASSERT_TRUE(screen.requestClose(window->id));
    EXPECT_EQ(demo.waitForExit(exitTimeout), 0);
}

TEST_F(ViewerTest, RReadsTheEditedFileAgain) {
    write("edited.vnt", {"FICHIER_VNT", "MESH", "scene/2cube.vno", "FIN_FICHIER_VNT"});
    const auto window = launchViewer({"edited.vnt"}, "edited.vnt", true);
    ASSERT_TRUE(window);
    EXPECT_LT(countColour(scene(), green, 16), 20);

    write("edited.vnt", {"FICHIER_VNT", "LUMIERE", "Green", "0, 0, 0", "0, 1, 0", "1", "",
                         "MESH", "scene/2cube.vno", "FIN_FICHIER_VNT"});
    ASSERT_TRUE(screen.pressKey(window->id, "r", Milliseconds(120)));
    ASSERT_TRUE(answerBox(loadDoneTitle, "Return"));
    EXPECT_TRUE(waitUntil([&] { return countColour(scene(), green, 16) > 200; }, reloadTimeout));

    // The key is heard again after the box took its release.
    write("edited.vnt", {"FICHIER_VNT", "MESH", "scene/2cube.vno", "FIN_FICHIER_VNT"});
    ASSERT_TRUE(screen.pressKey(window->id, "r", Milliseconds(120)));
    ASSERT_TRUE(answerBox(loadDoneTitle, "Return"));
    EXPECT_TRUE(waitUntil([&] { return countColour(scene(), green, 16) < 20; }, reloadTimeout));
}

TEST_F(ViewerTest, APictureRunShowsNoWindow) {
    ASSERT_TRUE(display.start(1024, 768, Milliseconds(10000)));
    ASSERT_TRUE(screen.connect(display.name(), display.environment(), Milliseconds(10000)));
    ChildProcess run;
    ASSERT_TRUE(run.start({VORN_VIEW_PROGRAM, "scene/2cube.vno", "--frames", "150",
                           "--screenshot", (directory / "unseen.png").string()},
                          SpawnOptions{display.environment(), directory.string(),
                                       artifactPath(".log"), {}}));
    int looks = 0;
    while (run.running()) {
        for (const WindowInfo& window : screen.windowsTitled("vorn offscreen"))
            EXPECT_FALSE(window.viewable);
        EXPECT_EQ(litPixels(screen.grab(Area{0, 0, 1024, 768})), 0);
        ++looks;
        std::this_thread::sleep_for(Milliseconds(50));
    }
    EXPECT_EQ(run.waitForExit(exitTimeout), 0);
    EXPECT_GT(looks, 0);
    EXPECT_EQ(pngSize(directory / "unseen.png"), std::make_pair(1024, 768));
}

}  // namespace
}  // namespace e2e
