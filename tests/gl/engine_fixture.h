// An engine started in a hidden window's context as the program starts its own, with small
// texture files and materials made by the test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tests/gl/gl_test_support.h"
#include "tests/gl/image_files.h"

namespace gltest {

struct MaterialRecipe {
    int base = -1;
    bool baseSphereMap = false;
    int detail = -1;
    bool detailSphereMap = false;
    int bump = -1;
    float baseScrollU = 0, baseScrollV = 0, detailScrollU = 0, detailScrollV = 0;
};

class EngineGlTest : public OffscreenGlTest {
protected:
    void SetUp() override {
        OffscreenGlTest::SetUp();
        if (HasFatalFailure()) return;
        scene = std::make_unique<Engine>();
        scene->init();
        startUpBoxes = recordedBoxes();
        recordedBoxes().clear();
    }
    void TearDown() override {
        scene.reset();
        OffscreenGlTest::TearDown();
    }

    int addTexture(const std::string& name, const Picture& picture) {
        const std::string path = files.write(name, bmpFile(picture));
        return scene->textures.addTexture(path.c_str(), 0, 0);
    }
    int addSolidTexture(const std::string& name, unsigned char r, unsigned char g,
                        unsigned char b) {
        return addTexture(name, Picture::solid(1, 1, r, g, b));
    }
    GLuint glName(int textureId) const {
        return scene->textures.all().at(std::size_t(textureId)).glTexture;
    }
    int addMaterial(const MaterialRecipe& recipe) {
        Material material;
        material.setBaseTexture(recipe.base);
        material.setBaseSphereMap(recipe.baseSphereMap);
        material.setDetailTexture(recipe.detail);
        material.setDetailSphereMap(recipe.detailSphereMap);
        material.setBumpTexture(recipe.bump);
        material.setBaseScrollU(recipe.baseScrollU);
        material.setBaseScrollV(recipe.baseScrollV);
        material.setDetailScrollU(recipe.detailScrollU);
        material.setDetailScrollV(recipe.detailScrollV);
        return scene->materials.add(material);
    }

    TempDirectory files;
    std::unique_ptr<Engine> scene;
    std::vector<RecordedBox> startUpBoxes;
};

}  // namespace gltest
