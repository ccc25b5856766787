// Building a bitmap font on the recording platform: the font request, its selection into the
// device context and the glyph lists for codes 0 to 254.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/bitmap_font.h"
#include "platform/fake_platform.h"
#include "shell_fixture.h"

using namespace shelltest;
namespace fake = platform::fake;

namespace {

struct FontCase {
    const char* label;
    const char* face;
    int height;
};

class BitmapFontCreate : public ::testing::TestWithParam<FontCase> {
protected:
    void SetUp() override { fake::reset(); }
};

TEST_P(BitmapFontCreate, RequestsTheBoldTrueTypeFaceSelectsItAndBuildsGlyphLists) {
    const FontCase& c = GetParam();
    constexpr platform::DeviceContext dc = 0x55;
    BitmapFont font;
    font.create(dc, 1024, 768, c.face, c.height);

    const std::vector<Call> calls = recordedCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].name, "createFont");
    // height, width, escapement, orientation, weight, italic, underline, strike-out,
    // charset, output precision, clipping, quality, pitch and family, face
    EXPECT_EQ(calls[0].args,
              (std::vector<std::string>{number(unsigned(c.height)), "0", "0", "0", "700", "0",
                                        "0", "0", "0", "4", "0", "4", "0", c.face}));
    EXPECT_EQ(calls[1].name, "selectObject");
    ASSERT_EQ(calls[1].args.size(), 2u);
    EXPECT_EQ(calls[1].args[0], number(dc));
    EXPECT_NE(calls[1].args[1], "0") << "the font just made";
    EXPECT_EQ(calls[2].name, "useFontBitmaps");
    EXPECT_EQ(calls[2].args,
              (std::vector<std::string>{number(dc), "0", "255", number(font.lists())}));
}

INSTANTIATE_TEST_SUITE_P(
    Faces, BitmapFontCreate,
    ::testing::Values(FontCase{"Small", "Arial", 20},
                      FontCase{"Title", "Twentieth Century Poster1", 30},
                      FontCase{"Other", "Courier New", 12}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(BitmapFontRelease, GivesUpTheFontObjectOnceAndABuildAgainGivesUpTheEarlierOne) {
    fake::reset();
    BitmapFont font;
    font.create(0x55, 1024, 768, "Arial", 20);
    font.create(0x55, 1024, 768, "Arial", 20);
    ASSERT_EQ(countOf("createFont"), 2);
    // Built twice without a release: only the second font object is still held.
    ASSERT_EQ(fake::liveFonts().size(), 1u);
    const platform::FontHandle second = fake::liveFonts()[0];
    EXPECT_EQ(callsNamed("deleteObject").size(), 1u);

    font.release();
    EXPECT_TRUE(fake::liveFonts().empty());
    EXPECT_EQ(callsNamed("deleteObject").back().args, std::vector<std::string>{number(second)});
    EXPECT_EQ(font.lists(), 0u);

    const std::size_t before = fake::calls().size();
    font.release();
    EXPECT_EQ(fake::calls().size(), before) << "nothing is left to release";
}

TEST(BitmapFontPrint, WithoutGlyphListsDrawsNothingAndAsksThePlatformNothing) {
    fake::reset();
    BitmapFont font;
    font.print(10, 20, "fps: ");
    font.print(0, 0, "");
    font.print(0, 0, nullptr);
    EXPECT_TRUE(fake::calls().empty());
}

}  // namespace
