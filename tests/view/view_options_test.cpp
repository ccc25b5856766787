// vorn-view's command line: what runs, what asks for help, and every usage error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/view/view_options.h"

namespace {

struct Parsed {
    ParseOutcome outcome;
    ViewOptions options;
    std::string error;
};

Parsed parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "vorn-view");
    Parsed parsed;
    parsed.outcome = parseViewOptions(int(arguments.size()), arguments.data(), parsed.options,
                                      parsed.error);
    return parsed;
}

TEST(ViewOptions, AFileAloneOpensTheWindowAtTheDemosSize) {
    const Parsed parsed = parse({"scene/example.vnt"});
    ASSERT_EQ(parsed.outcome, ParseOutcome::run);
    EXPECT_EQ(parsed.options.path, "scene/example.vnt");
    EXPECT_EQ(parsed.options.camera, 0);
    EXPECT_FALSE(parsed.options.cameraGiven);
    EXPECT_EQ(parsed.options.width, 1024);
    EXPECT_EQ(parsed.options.height, 768);
    EXPECT_FALSE(parsed.options.fullscreen);
    EXPECT_FALSE(parsed.options.headless());
}

TEST(ViewOptions, EveryOptionInAnyOrder) {
    const Parsed parsed = parse({"--size", "320x200", "--screenshot", "out.png", "--camera", "2",
                                 "scene/example.vnt", "--frames", "3", "--fullscreen", "--renderer", "es2"});
    ASSERT_EQ(parsed.outcome, ParseOutcome::run) << parsed.error;
    EXPECT_EQ(parsed.options.renderer, "es2");
    EXPECT_EQ(parsed.options.path, "scene/example.vnt");
    EXPECT_EQ(parsed.options.camera, 2);
    EXPECT_TRUE(parsed.options.cameraGiven);
    EXPECT_EQ(parsed.options.width, 320);
    EXPECT_EQ(parsed.options.height, 200);
    EXPECT_TRUE(parsed.options.fullscreen);
    EXPECT_EQ(parsed.options.frames, 3);
    EXPECT_EQ(parsed.options.screenshot, "out.png");
    EXPECT_TRUE(parsed.options.headless());
}

TEST(ViewOptions, HelpWinsOverEverythingElse) {
    EXPECT_EQ(parse({"--help"}).outcome, ParseOutcome::help);
    EXPECT_EQ(parse({"-h"}).outcome, ParseOutcome::help);
    EXPECT_EQ(parse({"--bogus", "--help"}).outcome, ParseOutcome::usageError);
    EXPECT_EQ(parse({"scene/example.vnt", "--help"}).outcome, ParseOutcome::help);
}

struct UsageErrorCase {
    const char* label;
    std::vector<const char*> arguments;
    const char* said;  // a piece of the one-line error
};

class ViewOptionsUsageError : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(ViewOptionsUsageError, IsRefusedWithItsReason) {
    const Parsed parsed = parse(GetParam().arguments);
    EXPECT_EQ(parsed.outcome, ParseOutcome::usageError);
    EXPECT_NE(parsed.error.find(GetParam().said), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewOptionsUsageError,
    ::testing::Values(
        UsageErrorCase{"NoFile", {}, "no file"},
        UsageErrorCase{"OptionsButNoFile", {"--fullscreen"}, "no file"},
        UsageErrorCase{"TwoFiles", {"a.vnt", "b.vnt"}, "one file at a time"},
        UsageErrorCase{"EmptyFileName", {""}, "empty file name"},
        UsageErrorCase{"UnknownOption", {"a.vnt", "--zoom"}, "unknown option --zoom"},
        UsageErrorCase{"UnknownShortOption", {"a.vnt", "-x"}, "unknown option -x"},
        UsageErrorCase{"CameraWithoutValue", {"a.vnt", "--camera"}, "--camera needs a value"},
        UsageErrorCase{"CameraNegative", {"a.vnt", "--camera", "-1"}, "camera number"},
        UsageErrorCase{"CameraNotANumber", {"a.vnt", "--camera", "first"}, "camera number"},
        UsageErrorCase{"CameraWithTrailingText", {"a.vnt", "--camera", "1x"}, "camera number"},
        UsageErrorCase{"CameraTwice", {"a.vnt", "--camera", "1", "--camera", "2"}, "twice"},
        UsageErrorCase{"SizeWithoutHeight", {"a.vnt", "--size", "640"}, "WIDTHxHEIGHT"},
        UsageErrorCase{"SizeZero", {"a.vnt", "--size", "0x480"}, "WIDTHxHEIGHT"},
        UsageErrorCase{"SizeTooLarge", {"a.vnt", "--size", "100000x480"}, "WIDTHxHEIGHT"},
        UsageErrorCase{"SizeWithBlanks", {"a.vnt", "--size", "640 x 480"}, "WIDTHxHEIGHT"},
        UsageErrorCase{"SizeTwice", {"a.vnt", "--size", "1x1", "--size", "2x2"}, "twice"},
        UsageErrorCase{"FullscreenTwice", {"a.vnt", "--fullscreen", "--fullscreen"}, "twice"},
        UsageErrorCase{"RendererUnknown", {"a.vnt", "--renderer", "vulkan"}, "wants gl or es2"},
        UsageErrorCase{"RendererWithoutValue", {"a.vnt", "--renderer"}, "--renderer needs a value"},
        UsageErrorCase{"RendererTwice", {"a.vnt", "--renderer", "gl", "--renderer", "es2"}, "twice"},
        UsageErrorCase{"FramesZero", {"a.vnt", "--frames", "0", "--screenshot", "o.png"},
                       "number of frames"},
        UsageErrorCase{"FramesWithoutScreenshot", {"a.vnt", "--frames", "3"}, "go together"},
        UsageErrorCase{"ScreenshotWithoutFrames", {"a.vnt", "--screenshot", "o.png"},
                       "go together"},
        UsageErrorCase{"ScreenshotEmpty", {"a.vnt", "--frames", "1", "--screenshot", ""},
                       "wants a file name"},
        UsageErrorCase{"ScreenshotWithoutValue", {"a.vnt", "--frames", "1", "--screenshot"},
                       "needs a value"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
