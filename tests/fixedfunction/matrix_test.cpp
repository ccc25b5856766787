// The matrix arithmetic against values worked by hand, and the unpacking of images and
// bitmaps under each unpack setting.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "fixedfunction/matrix.h"
#include "tests/fixedfunction/recording_driver.h"
#include "fixedfunction/pixels.h"

namespace {

using fixedfunction::Matrix;

std::array<float, 4> apply(const Matrix& m, float x, float y, float z) {
    return fixedfunction::transformed(m, {x, y, z, 1});
}

TEST(Matrix, RotationsAboutOneAxisUseSingleSines) {
    Matrix m;
    fixedfunction::rotate(m, 30.0f, 0, 0, 1);
    const float radians = float(30.0 * 3.14159265358979323846 / 180.0);
    EXPECT_EQ(m.at(0, 0), std::cos(radians));
    EXPECT_EQ(m.at(1, 0), std::sin(radians));
    EXPECT_EQ(m.at(0, 1), -std::sin(radians));
}

struct TransformCase {
    const char* name;
    void (*build)(Matrix&);
    std::array<float, 3> in;
    std::array<float, 4> out;
};

class Transforms : public ::testing::TestWithParam<TransformCase> {};

TEST_P(Transforms, MapAPointAsOpenGLSays) {
    Matrix m;
    GetParam().build(m);
    const auto in = GetParam().in;
    const auto out = apply(m, in[0], in[1], in[2]);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(out[std::size_t(i)], GetParam().out[std::size_t(i)], 1e-6f) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Transforms,
    ::testing::Values(
        TransformCase{"translate", [](Matrix& m) { fixedfunction::translate(m, 1, 2, 3); }, {1, 1, 1}, {2, 3, 4, 1}},
        TransformCase{"scale", [](Matrix& m) { fixedfunction::scale(m, 2, 3, 4); }, {1, 1, 1}, {2, 3, 4, 1}},
        TransformCase{"translate then scale", [](Matrix& m) { fixedfunction::translate(m, 1, 0, 0); fixedfunction::scale(m, 2, 2, 2); }, {1, 0, 0}, {3, 0, 0, 1}},
        TransformCase{"quarter turn about y", [](Matrix& m) { fixedfunction::rotate(m, 90, 0, 1, 0); }, {1, 0, 0}, {0, 0, -1, 1}},
        TransformCase{"quarter turn about -x", [](Matrix& m) { fixedfunction::rotate(m, 90, -1, 0, 0); }, {0, 1, 0}, {0, 0, -1, 1}},
        TransformCase{"half turn about a diagonal", [](Matrix& m) { fixedfunction::rotate(m, 180, 1, 1, 0); }, {1, 0, 0}, {0, 1, 0, 1}},
        TransformCase{"ortho of the overlay", [](Matrix& m) { fixedfunction::ortho(m, 0, 1024, 768, 0, 0, 1); }, {1024, 0, 0}, {1, 1, -1, 1}},
        TransformCase{"frustum", [](Matrix& m) { fixedfunction::frustum(m, -1, 1, -1, 1, 1, 3); }, {0, 0, -1}, {0, 0, -1, 1}}),
    fftest::NamedCase<TransformCase>());

TEST(Matrix, InverseUndoesAndSingularIsRefused) {
    Matrix m;
    fixedfunction::translate(m, 1, 2, 3);
    fixedfunction::rotate(m, 33, 1, 2, 3);
    fixedfunction::scale(m, 2, 0.5f, 4);
    Matrix inverted;
    ASSERT_TRUE(fixedfunction::inverse(m, inverted));
    const Matrix identity = fixedfunction::product(m, inverted);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(identity.at(i, j), i == j ? 1.0f : 0.0f, 1e-5f);
    Matrix flat;
    fixedfunction::scale(flat, 1, 0, 1);
    EXPECT_FALSE(fixedfunction::inverse(flat, inverted));
}

struct UnpackCase {
    const char* name;
    fixedfunction::PixelStore store;
    std::vector<std::uint8_t> given;  // a 2 x 2 RGB image as stored by the program
};

class ImageUnpacking : public ::testing::TestWithParam<UnpackCase> {};

TEST_P(ImageUnpacking, FindsTheSameFourPixels) {
    const auto out = fixedfunction::unpackImage(GetParam().store, 2, 2, GL_RGB, GetParam().given.data(), GL_RGBA);
    const std::vector<std::uint8_t> expected = {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255};
    EXPECT_EQ(out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ImageUnpacking,
    ::testing::Values(
        UnpackCase{"tight", {1, 0, 0, 0, false, false}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        UnpackCase{"aligned to 4", {4, 0, 0, 0, false, false}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
        UnpackCase{"rows of 3 pixels", {1, 3, 0, 0, false, false}, {1, 2, 3, 4, 5, 6, 0, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 0}},
        UnpackCase{"a row and a pixel skipped", {1, 3, 1, 1, false, false},
                   {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0, 0, 7, 8, 9, 10, 11, 12}}),
    fftest::NamedCase<UnpackCase>());

TEST(BitmapUnpacking, ReadsBitsInEitherOrderAndSkipsAsTold) {
    fixedfunction::PixelStore store;
    store.alignment = 1;
    const std::uint8_t bits[2] = {0xA0, 0x01};
    EXPECT_EQ(fixedfunction::unpackBitmap(store, 3, 1, bits), (std::vector<std::uint8_t>{255, 0, 255}));
    store.lsbFirst = true;
    EXPECT_EQ(fixedfunction::unpackBitmap(store, 3, 1, bits), (std::vector<std::uint8_t>{0, 0, 0}));
    store.skipRows = 1;
    EXPECT_EQ(fixedfunction::unpackBitmap(store, 1, 1, bits), (std::vector<std::uint8_t>{255}));
}

TEST(Packing, RgbRowsFollowThePackAlignment) {
    fixedfunction::PixelStore store;  // alignment 4
    const std::uint8_t rgba[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<std::uint8_t> out(8, 0xEE);
    fixedfunction::packPixels(store, 1, 2, rgba, GL_RGB, out.data());
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3, 0xEE, 5, 6, 7, 0xEE}));
}

}  // namespace
