// Drawing cost: the engine drawing a generated mesh of 100,000 faces in 50 materials, beside a
// reference loop that makes the same GL calls with no engine work, and the demo's own frame
// at 1024 x 768. Needs a display (or Mesa's surfaceless EGL); run from the repository root.
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/demo_program.h"
#include "app/frame.h"
#include "app/gl_window.h"
#include "engine/engine.h"
#include "platform/platform.h"

namespace {

constexpr int kFaces = 100000;
constexpr int kMaterials = 50;

int answerQuietly(const char*, const char*, unsigned) { return platform::IDOK; }

// A 4 x 4 grey BMP, so that every material has real textures on its three units.
std::string writeSmallBitmap() {
    const auto path = std::filesystem::temp_directory_path() / "vorn-draw-bench.bmp";
    std::vector<unsigned char> file(54 + 4 * 4 * 3, 0x80);
    const unsigned char header[54] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                      4,   0,   0,   0, 4, 0, 0, 0, 1, 0, 24, 0};
    std::copy(std::begin(header), std::end(header), file.begin());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                std::streamsize(file.size()));
    return path.string();
}

Face makeFace(int index, int materialId) {
    Face face;
    face.materialId = materialId;
    face.normal = {0.0f, 0.0f, 1.0f};
    const float x = float(index % 300) * 0.01f - 1.5f, y = float(index / 300) * 0.005f - 1.0f;
    const float corners[3][2] = {{x, y}, {x + 0.01f, y}, {x, y + 0.01f}};
    for (int k = 0; k < 3; ++k) {
        Vertex& v = face.vertices[k];
        v.position = {corners[k][0], corners[k][1], -2.0f};
        v.baseU = v.detailU = v.bumpU = corners[k][0];
        v.baseV = v.detailV = v.bumpV = corners[k][1];
        v.color[0] = v.color[1] = v.color[2] = 0.8f;
    }
    return face;
}

struct Scene {
    Engine engine;
    // The reference loop's own copy: the faces of each material, in array order.
    std::vector<std::vector<Face>> facesByMaterial;
};

Scene& generatedScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        s->engine.init();
        const std::string image = writeSmallBitmap();
        const int base = s->engine.textures.addTexture(image.c_str(), 2, 0);
        const int detail = s->engine.textures.addTexture(image.c_str(), 2, 0);
        const int bump = s->engine.textures.addTexture(image.c_str(), 2, 0);
        Mesh mesh;
        mesh.setName("generated");
        mesh.setScale({1.0f, 1.0f, 1.0f});
        for (int m = 0; m < kMaterials; ++m) {
            Material material;
            material.setBaseTexture(base);
            material.setDetailTexture(detail);
            material.setBumpTexture(bump);
            material.setBaseScrollU(0.001f * float(m + 1));
            material.setDetailScrollV(0.0005f);
            mesh.addMaterialId(s->engine.materials.add(material));
        }
        s->facesByMaterial.resize(kMaterials);
        for (int i = 0; i < kFaces; ++i) {
            const Face face = makeFace(i, i % kMaterials);
            mesh.addFace(face);
            s->facesByMaterial[std::size_t(i % kMaterials)].push_back(face);
        }
        s->engine.meshes.add(mesh);
        s->engine.enableDetail();
        s->engine.enableBump();
        return s;
    }();
    return *scene;
}

// The GL calls of one material application, as the engine makes them.
void applyReferenceMaterial(const GlExtensions& ext, const std::vector<Texture>& textures) {
    ext.activeTexture(GL_TEXTURE0_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, textures[0].glTexture);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    ext.activeTexture(GL_TEXTURE1_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 2);
    glBindTexture(GL_TEXTURE_2D, textures[1].glTexture);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    ext.activeTexture(GL_TEXTURE2_ARB);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLfloat(GL_COMBINE_EXT));
    glTexEnvf(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GLfloat(GL_DOT3_RGB_EXT));
    glTexEnvf(GL_TEXTURE_ENV, GL_SOURCE2_RGB_EXT, GLfloat(GL_PRIMARY_COLOR_EXT));
    glTexEnvf(GL_TEXTURE_ENV, GL_OPERAND2_RGB_EXT, GLfloat(GL_SRC_COLOR));
    glTexEnvf(GL_TEXTURE_ENV, GL_SOURCE0_RGB_EXT, GLfloat(GL_TEXTURE));
    glTexEnvf(GL_TEXTURE_ENV, GL_OPERAND0_RGB_EXT, GLfloat(GL_SRC_COLOR));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, textures[2].glTexture);
    glEnable(GL_TEXTURE_2D);
}

void referenceFrame(Scene& scene) {
    const GlExtensions& ext = scene.engine.extensions;
    glColor3f(1, 1, 1);
    glPushMatrix();
    glTranslated(0, 0, 0);
    glRotated(0, 1, 0, 0);
    glRotated(0, 0, 1, 0);
    glRotated(0, 0, 0, 1);
    glScaled(1, 1, 1);
    for (const std::vector<Face>& faces : scene.facesByMaterial) {
        applyReferenceMaterial(ext, scene.engine.textures.all());
        for (const Face& face : faces) {
            glPushMatrix();
            glNormal3f(face.normal.x, face.normal.y, face.normal.z);
            glBegin(GL_TRIANGLES);
            for (const Vertex& v : face.vertices) {
                ext.multiTexCoord2f(GL_TEXTURE0_ARB, v.baseU, v.baseV);
                ext.multiTexCoord2f(GL_TEXTURE1_ARB, v.detailU, v.detailV);
                ext.multiTexCoord2f(GL_TEXTURE2_ARB, v.bumpU, v.bumpV);
                glColor3f(v.color[0], v.color[1], v.color[2]);
                glVertex3f(v.position.x, v.position.y, v.position.z);
            }
            glEnd();
            glPopMatrix();
        }
    }
    glPopMatrix();
    glColor3f(1, 1, 1);
}

bool contextReady() {
    static const bool ready = [] {
        platform::setMessageBoxResponder(answerQuietly);
        if (!platform::createOffscreenContext(1024, 768)) return false;
        resizeView(1024, 768);
        static DemoProgram demo(demoSceneFile);
        initGlState(demo);  // the demo's own state and start-up, with scene/2cube.vno
        return true;
    }();
    return ready;
}

void BM_EngineDrawsGeneratedMesh(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    Scene& scene = generatedScene();
    for (auto _ : state) {
        scene.engine.drawAllMeshes();
        glFinish();
    }
    state.counters["faces"] = kFaces;
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void BM_ReferenceLoopSameCalls(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    Scene& scene = generatedScene();
    for (auto _ : state) {
        referenceFrame(scene);
        glFinish();
    }
    state.counters["faces"] = kFaces;
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void BM_DemoFrame1024x768(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    for (auto _ : state) {
        drawScene();
        glFinish();
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_EngineDrawsGeneratedMesh)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_ReferenceLoopSameCalls)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_DemoFrame1024x768)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK_MAIN();
