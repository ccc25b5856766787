// Frame cost through the fixed-function layer against Mesa's own fixed function, at
// 1024 x 768: the demo's frame, and a model of 110,336 triangles (imported by run.sh from
// Debian's assimp-testmodels with vorn-import). Built twice, on the system's GL and on the
// layer; the layer's build also draws each frame's vertices from one buffer object with one
// draw call under the same shader: the floor its batches are held to. Run from the repository
// root through bench/fixedfunction/run.sh, which runs both builds in one go.
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo_program.h"
#include "app/frame.h"
#include "app/gl_window.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/platform.h"
#ifdef VORN_BENCH_LAYER
#include "fixedfunction/context.h"
#endif

namespace {

int answerQuietly(const char*, const char*, unsigned) { return platform::IDOK; }

bool contextReady() {
    static const bool ready = [] {
        platform::setMessageBoxResponder(answerQuietly);
        if (!platform::createOffscreenContext(1024, 768)) return false;
        resizeView(1024, 768);
        static DemoProgram demo("scene/2cube.vno");
        initGlState(demo);  // the demo's own state and start-up
        engine.enableDetail();
        engine.enableBump();
        return true;
    }();
    return ready;
}

// The model's mesh files, loaded into a second engine once.
Engine* modelEngine() {
    static Engine* model = [] () -> Engine* {
        const char* folder = std::getenv("VORN_BENCH_MODEL");
        if (folder == nullptr) return nullptr;
        auto* e = new Engine;
        e->init();
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".vno") e->load(entry.path().string().c_str());
        e->enableDetail();
        return e;
    }();
    return model;
}

void demoFrame() {
    viewAngleX = 20.0f;
    viewAngleY = 30.0f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    drawFrame();
}

void modelFrame(Engine& model) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, 2, 7, 0, -0.4, 0, 0, 1, 0);  // the whole engine in view
    model.drawAllMeshes();
}

template <class Frame>
void timeFrames(benchmark::State& state, Frame frame) {
    // One frame first: the driver compiles its shaders for the frame's states on first use.
    frame();
    glFinish();
    for (auto _ : state) {
        frame();
        glFinish();
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DemoFrame(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    timeFrames(state, demoFrame);
}

void BM_ModelFrame(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    Engine* model = modelEngine();
    if (model == nullptr) return state.SkipWithError("no model: set VORN_BENCH_MODEL (run.sh does)");
    timeFrames(state, [model] { modelFrame(*model); });
    state.counters["triangles"] = double(model->meshes.faceCount());
}

#ifdef VORN_BENCH_LAYER
// One frame's vertices in one buffer object, drawn in one call under the draw state of the
// frame's largest batch.
struct Floor {
    fixedfunction::DrawState state;
    GLuint buffer = 0;
    std::size_t count = 0;
};

template <class Frame>
Floor floorOf(Frame frame) {
    fixedfunction::Context& context = fixedfunction::current();
    std::vector<fixedfunction::Vertex> vertices;
    Floor floor;
    std::size_t largest = 0;
    context.observeBatches([&](const fixedfunction::DrawState& state, const fixedfunction::Vertex* v, std::size_t n) {
        if (state.key.primitive != fixedfunction::PrimitiveClass::triangles) return;
        vertices.insert(vertices.end(), v, v + n);
        if (n > largest) largest = n, floor.state = state;
    });
    frame();
    glFinish();
    context.observeBatches(nullptr);
    const fixedfunction::Driver& driver = context.driverTable();
    driver.GenBuffers(1, &floor.buffer);
    driver.BindBuffer(GL_ARRAY_BUFFER, floor.buffer);
    driver.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(fixedfunction::Vertex)), vertices.data(),
                      GL_STATIC_DRAW);
    floor.count = vertices.size();
    return floor;
}

void drawFloor(const Floor& floor) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    fixedfunction::current().renderer().drawBuffer(floor.state, floor.buffer, floor.count);
}

void BM_DemoFloor(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    const Floor floor = floorOf(demoFrame);
    timeFrames(state, [&] { drawFloor(floor); });
    state.counters["vertices"] = double(floor.count);
}

void BM_ModelFloor(benchmark::State& state) {
    if (!contextReady()) return state.SkipWithError("no OpenGL context");
    Engine* model = modelEngine();
    if (model == nullptr) return state.SkipWithError("no model: set VORN_BENCH_MODEL (run.sh does)");
    const Floor floor = floorOf([model] { modelFrame(*model); });
    timeFrames(state, [&] { drawFloor(floor); });
    state.counters["vertices"] = double(floor.count);
}
#endif

}  // namespace

BENCHMARK(BM_DemoFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ModelFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
#ifdef VORN_BENCH_LAYER
BENCHMARK(BM_DemoFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ModelFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
#endif
BENCHMARK_MAIN();
