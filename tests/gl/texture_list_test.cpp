// The texture list on real image files and a real context: numbering, lookups, the texture
// parameters that GL reports back, the texels of each file format, and every unreadable or
// hostile file reported by its box while the list goes on.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "render/texture_list.h"
#include "tests/gl/gl_test_support.h"
#include "tests/gl/image_files.h"

namespace {

using gltest::Bytes;
using gltest::Picture;

class TextureListTest : public gltest::TextureListGlTest {
protected:
    const Texture& texture(int id) const { return list->all().at(std::size_t(id)); }

    // A level parameter of the texture (GL_TEXTURE_WIDTH, GL_TEXTURE_HEIGHT).
    GLint levelParameter(int id, int level, GLenum what) const {
        glBindTexture(GL_TEXTURE_2D, texture(id).glTexture);
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, what, &value);
        return value;
    }

    GLint parameter(int id, GLenum what) const {
        glBindTexture(GL_TEXTURE_2D, texture(id).glTexture);
        GLint value = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, what, &value);
        return value;
    }

    Bytes texels(int id, int level) const {
        const GLint width = levelParameter(id, level, GL_TEXTURE_WIDTH);
        const GLint height = levelParameter(id, level, GL_TEXTURE_HEIGHT);
        Bytes out(std::size_t(width) * std::size_t(height) * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, out.data());
        return out;
    }

    void expectReportedOnce(const std::string& name) {
        ASSERT_EQ(gltest::recordedBoxes().size(), 1u) << name;
        const gltest::RecordedBox& box = gltest::recordedBoxes().front();
        EXPECT_EQ(box.text, "Probleme de chargement du fichier " + name);
        EXPECT_EQ(box.caption, "Erreur");
        EXPECT_EQ(box.style, platform::MB_OK);
        gltest::recordedBoxes().clear();
    }

    gltest::TempDirectory files;
};

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(TextureListTest, IdsFollowTheOrderOfAddingWhateverTheOutcome) {
    const std::string good = files.write("good.bmp", gltest::bmpFile(Picture::distinct(4, 4)));
    const std::string missing = files.pathOf("missing.bmp");
    const std::string garbage = files.write("garbage.bmp", Bytes(40, 'x'));

    EXPECT_EQ(list->addTexture(good.c_str(), 2, 0), 0);
    EXPECT_EQ(list->addTexture(missing.c_str(), 2, 0), 1);
    EXPECT_EQ(list->addTexture(good.c_str(), 2, 0), 2);
    EXPECT_EQ(list->addTexture(garbage.c_str(), 2, 0), 3);

    EXPECT_EQ(list->nextIdValue(), 4);
    ASSERT_EQ(list->all().size(), 4u);
    for (int id = 0; id < 4; ++id) EXPECT_EQ(texture(id).id, id);
    EXPECT_STREQ(texture(1).fileName, missing.c_str());
    ASSERT_EQ(gltest::recordedBoxes().size(), 2u);
    EXPECT_EQ(gltest::recordedBoxes()[0].text, "Probleme de chargement du fichier " + missing);
    EXPECT_EQ(gltest::recordedBoxes()[1].text, "Probleme de chargement du fichier " + garbage);
}

TEST_F(TextureListTest, FindByNameMatchesTheWholeNameExactlyAndTakesTheFirst) {
    const std::string stone = files.write("stone.bmp", gltest::bmpFile(Picture::distinct(4, 4)));
    const std::string wood = files.write("wood.bmp", gltest::bmpFile(Picture::distinct(2, 2)));
    ASSERT_EQ(list->addTexture(stone.c_str(), 2, 0), 0);
    ASSERT_EQ(list->addTexture(wood.c_str(), 2, 0), 1);
    ASSERT_EQ(list->addTexture(stone.c_str(), 2, 1), 2);
    // A second record of the same name is a texture of its own.
    EXPECT_NE(texture(0).glTexture, texture(2).glTexture);

    const struct {
        const char* what;
        std::string query;
        int expected;
    } lookups[] = {
        {"the name added twice", stone, 0},
        {"another name", wood, 1},
        {"a letter in another case", files.pathOf("Stone.bmp"), -1},
        {"without its directory", "stone.bmp", -1},
        {"with another directory part", files.pathOf("./stone.bmp"), -1},
        {"with a trailing space", stone + " ", -1},
        {"a prefix of a name", stone.substr(0, stone.size() - 4), -1},
        {"empty", "", -1},
    };
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(lookup.what);
        EXPECT_EQ(list->findByName(lookup.query.c_str()), lookup.expected);
    }
    EXPECT_TRUE(gltest::recordedBoxes().empty());
}

TEST_F(TextureListTest, WrapModeOfGivesTheStoredModeOrMinusOne) {
    const std::string name = files.write("wrap.bmp", gltest::bmpFile(Picture::distinct(2, 2)));
    const int wraps[] = {0, 1, 7};
    for (int wrap : wraps) list->addTexture(name.c_str(), 2, wrap);

    const struct {
        int id, expected;
    } lookups[] = {{0, 0}, {1, 1}, {2, 7}, {3, -1}, {-1, -1}, {1000, -1}};
    for (const auto& lookup : lookups) {
        SCOPED_TRACE("id " + std::to_string(lookup.id));
        EXPECT_EQ(list->wrapModeOf(lookup.id), lookup.expected);
    }
}

TEST_F(TextureListTest, FilterAndWrapModesReachTheTexture) {
    const std::string name = files.write("modes.bmp", gltest::bmpFile(Picture::distinct(8, 4)));
    const struct {
        int filterMode;
        GLint mag, min;
    } filters[] = {
        {0, GL_NEAREST, GL_NEAREST},
        {1, GL_LINEAR, GL_LINEAR},
        {2, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST},
        {3, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR},
    };
    // Mode 7 sets no wrap mode, so GL's default, GL_REPEAT, stays.
    const struct {
        int wrapMode;
        GLint wrap;
    } wraps[] = {{0, GL_REPEAT}, {1, GL_CLAMP}, {7, GL_REPEAT}};

    for (const auto& filter : filters)
        for (const auto& wrap : wraps) {
            SCOPED_TRACE("filter " + std::to_string(filter.filterMode) + ", wrap " +
                         std::to_string(wrap.wrapMode));
            const int id = list->addTexture(name.c_str(), filter.filterMode, wrap.wrapMode);
            EXPECT_EQ(texture(id).filterMode, filter.filterMode);
            EXPECT_EQ(texture(id).wrapMode, wrap.wrapMode);
            EXPECT_EQ(texture(id).width, 8);
            EXPECT_EQ(texture(id).height, 4);
            EXPECT_EQ(parameter(id, GL_TEXTURE_MAG_FILTER), filter.mag);
            EXPECT_EQ(parameter(id, GL_TEXTURE_MIN_FILTER), filter.min);
            EXPECT_EQ(parameter(id, GL_TEXTURE_WRAP_S), wrap.wrap);
            EXPECT_EQ(parameter(id, GL_TEXTURE_WRAP_T), wrap.wrap);
            EXPECT_EQ(levelParameter(id, 0, GL_TEXTURE_WIDTH), 8);
            EXPECT_EQ(levelParameter(id, 0, GL_TEXTURE_HEIGHT), 4);
        }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_TRUE(gltest::recordedBoxes().empty());
}

TEST_F(TextureListTest, MipmappedTexturesHaveTheirFullChain) {
    const std::string name =
        files.write("chain.bmp", gltest::bmpFile(Picture::solid(8, 4, 200, 100, 50)));
    const struct {
        int level, width, height;
    } chain[] = {{0, 8, 4}, {1, 4, 2}, {2, 2, 1}, {3, 1, 1}};

    for (int filterMode = 0; filterMode <= 3; ++filterMode) {
        SCOPED_TRACE("filter " + std::to_string(filterMode));
        const int id = list->addTexture(name.c_str(), filterMode, 0);
        if (filterMode < 2) {
            EXPECT_EQ(levelParameter(id, 1, GL_TEXTURE_WIDTH), 0) << "a single level";
            continue;
        }
        for (const auto& level : chain) {
            SCOPED_TRACE("level " + std::to_string(level.level));
            EXPECT_EQ(levelParameter(id, level.level, GL_TEXTURE_WIDTH), level.width);
            EXPECT_EQ(levelParameter(id, level.level, GL_TEXTURE_HEIGHT), level.height);
        }
        // The smallest level is made from the picture, not left undefined.
        EXPECT_EQ(texels(id, 3), (Bytes{200, 100, 50}));
    }
}

TEST_F(TextureListTest, EveryFormatGivesTheSameTexelsBottomRowFirst) {
    const Picture picture = Picture::distinct(4, 4);
    const struct {
        const char* name;
        Bytes bytes;
    } formats[] = {
        {"picture.bmp", gltest::bmpFile(picture)},
        {"bottom-up.tga", gltest::tgaFile(picture, false)},
        {"top-down.tga", gltest::tgaFile(picture, true)},
        {"picture.png", gltest::pngFile(picture)},
    };
    for (const auto& format : formats) {
        SCOPED_TRACE(format.name);
        const std::string path = files.write(format.name, format.bytes);
        const int id = list->addTexture(path.c_str(), 0, 0);
        EXPECT_EQ(texture(id).width, 4);
        EXPECT_EQ(texture(id).height, 4);
        EXPECT_EQ(texels(id, 0), picture.rgb);
    }
    EXPECT_TRUE(gltest::recordedBoxes().empty());
}

TEST_F(TextureListTest, UnreadableImagesAreReportedAndStillNumbered) {
    const Bytes bmp = gltest::bmpFile(Picture::distinct(8, 8));
    const Bytes tga = gltest::tgaFile(Picture::distinct(8, 8), false);
    const Bytes png = gltest::pngFile(Picture::distinct(8, 8));
    const Bytes text(200, 'z');
    std::filesystem::create_directory(files.pathOf("folder.bmp"));

    const struct {
        const char* what;
        const char* name;
        Bytes bytes;
        bool written;
    } cases[] = {
        {"a missing file", "missing.png", {}, false},
        {"a directory", "folder.bmp", {}, false},
        {"an empty file", "empty.bmp", {}, true},
        {"garbage named .bmp", "garbage.bmp", text, true},
        {"garbage named .png", "garbage.png", text, true},
        {"garbage named .tga", "garbage.tga", text, true},
        {"a BMP cut in half", "cut.bmp", Bytes(bmp.begin(), bmp.begin() + 100), true},
        {"a TGA cut in half", "cut.tga", Bytes(tga.begin(), tga.begin() + 100), true},
        {"a PNG cut in half", "cut.png", Bytes(png.begin(), png.begin() + 100), true},
    };
    int expectedId = 0;
    for (const auto& unreadable : cases) {
        SCOPED_TRACE(unreadable.what);
        const std::string path = unreadable.written ? files.write(unreadable.name, unreadable.bytes)
                                                    : files.pathOf(unreadable.name);
        const int id = list->addTexture(path.c_str(), 2, 0);
        EXPECT_EQ(id, expectedId++);
        expectReportedOnce(path);
        EXPECT_STREQ(texture(id).fileName, path.c_str());
        EXPECT_EQ(levelParameter(id, 0, GL_TEXTURE_WIDTH), 0) << "no image behind the texture";
    }
}

TEST_F(TextureListTest, HostileImagesAreRefusedQuicklyWithoutHugeAllocations) {
    const struct {
        const char* what;
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"a 23-byte TGA declaring 65535 x 65535", "huge.tga",
         gltest::tgaDeclaringSize(65535, 65535)},
        {"a 23-byte TGA declaring 1 GB of pixels", "big.tga",
         gltest::tgaDeclaringSize(16384, 16384)},
        {"a BMP whose size wraps, with a few pixels", "wraps-short.bmp",
         gltest::bmpWhoseSizeWraps(16)},
        {"a BMP whose size wraps, with the wrapped size of pixels", "wraps.bmp",
         gltest::bmpWhoseSizeWraps(524292)},
        {"a complete BMP of 70000 x 1", "wide.bmp",
         gltest::bmpFile(Picture::solid(70000, 1, 9, 9, 9))},
    };
    const long peakBefore = peakResidentKilobytes();
    for (const auto& hostile : cases) {
        SCOPED_TRACE(hostile.what);
        const std::string path = files.write(hostile.name, hostile.bytes);
        const int id = list->addTexture(path.c_str(), 2, 0);
        expectReportedOnce(path);
        EXPECT_EQ(levelParameter(id, 0, GL_TEXTURE_WIDTH), 0);
    }
    EXPECT_LT(peakResidentKilobytes() - peakBefore, 64 * 1024) << "kilobytes of new peak memory";
}

}  // namespace
