// vorn-import on the cases scene authors meet beyond a clean model: options, broken and
// unreadable files, missing, embedded and unusual images, paths too long, broken data, and
// models too large for one mesh file. Whatever it refuses, it leaves nothing behind.
#include "import_fixture.h"

#include "tools/import/image_format.h"

#include <gmock/gmock.h>

#include <numbers>

using namespace importtest;
using testsupport::contentOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const char* const pngSignature = "\x89PNG\r\n\x1A\n";

// One triangle with texture coordinates and a material named "m" of colour (0.2, 0.4, 0.6).
std::string objTriangle(const std::string& materialLines) {
    return "mtllib tri.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\nusemtl m\n"
           "f 1/1/1 2/2/1 3/3/1\n" +
           std::string(materialLines.empty() ? "" : "");
}

void writeObjTriangle(const ImportFolder& folder, const std::string& mapLine) {
    folder.write("tri.obj", objTriangle(""));
    folder.write("tri.mtl", "newmtl m\nKd 0.2 0.4 0.6\n" + mapLine);
}

struct UsageCase {
    const char* arguments;
    const char* problem;
};

}  // namespace

TEST(ImportCommandLine, HelpPrintsTheUsageAndSucceeds) {
    ImportFolder folder;
    const ToolRun run = runImport(folder.path(), "--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, StartsWith("usage: vorn-import MODEL [-o OUTDIR]"));
    EXPECT_EQ(run.err, "");
}

TEST(ImportCommandLine, UsageErrorsExitWith2AndSayWhy) {
    const UsageCase cases[] = {
        {"", "no model given"},
        {"a.obj b.obj", "more than one model given: b.obj"},
        {"a.obj --frobnicate", "unknown option --frobnicate"},
        {"a.obj -o", "-o needs a value"},
        {"a.obj --scale 0", "--scale needs a positive number, not '0'"},
        {"a.obj --scale=-2", "--scale needs a positive number, not '-2'"},
        {"a.obj --detail-scale lots", "--detail-scale needs a positive number, not 'lots'"},
        {"a.obj --scale nan", "--scale needs a positive number, not 'nan'"},
    };
    ImportFolder folder;
    for (const UsageCase& c : cases) {
        const ToolRun run = runImport(folder.path(), c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_THAT(run.err, StartsWith(std::string("vorn-import: error: ") + c.problem + "\nusage:")) << c.arguments;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(folder.contents().empty());
}

TEST(ImportFailure, ModelsAssimpCannotReadExitWith1AndWriteNothing) {
    struct BrokenFile {
        const char* name;
        std::string bytes;
        const char* assimpSays;
    };
    const BrokenFile files[] = {
        {"broken.glb", std::string("glTF\x02\0\0\0\xFF\0\0\0JSONjunk", 20), ""},
        {"broken.dae", "<?xml version=\"1.0\"?><COLLADA><library_geometries><geometry", ""},
        {"broken.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n", "OBJ: vertex index out of range"},
        {"empty.stl", "", ""},
        {"notes.txt", "nothing a model is made of\n", ""},
        // Promises 350 billion vertices: refused, not read until the memory runs out.
        {"huge.off", "OFF\n353535235358 6 0\n-0.5 -0.5 0.5\n0.5 -0.5 0.5\n-0.5 0.5 0.5\n4 0 1 3 2\n", "std::bad_alloc"},
    };
    for (const BrokenFile& file : files) {
        ImportFolder folder;
        folder.write(file.name, file.bytes);
        const ToolRun run = runImport(folder.path(), std::string(file.name) + " -o out");
        EXPECT_EQ(run.exitCode, 1) << file.name;
        EXPECT_THAT(run.err, StartsWith(std::string(file.name) + ": error: ")) << file.name;
        EXPECT_THAT(run.err, HasSubstr(file.assimpSays));
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.contents(), std::set<std::string>{file.name}) << file.name;
    }
}

TEST(ImportFailure, AMissingModelIsAssimpsErrorToo) {
    ImportFolder folder;
    const ToolRun run = runImport(folder.path(), "absent.obj");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, StartsWith("absent.obj: error: "));
    EXPECT_TRUE(folder.contents().empty());
}

TEST(ImportFailure, APathLongerThanALineIsRefusedBeforeAnythingIsWritten) {
    ImportFolder folder;
    writeObjTriangle(folder, "");
    const std::string longFolder(240, 'd');
    const ToolRun run = runImport(folder.path(), "tri.obj -o " + longFolder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("is longer than the 253 characters a line holds"));
    EXPECT_EQ(folder.contents(), (std::set<std::string>{"tri.mtl", "tri.obj"}));
    // The same folder name fits once the paths start below it.
    EXPECT_EQ(runImport(folder.path(), "tri.obj -o " + longFolder + " --root " + longFolder).exitCode, 0);
    const InspectedScene scene = inspectScene(folder.path() / longFolder, "tri.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    EXPECT_EQ(scene.faces.size(), 1u);
}

TEST(ImportFailure, AFolderThatCannotBeMadeLeavesNoHalfWrittenScene) {
    ImportFolder folder;
    writeObjTriangle(folder, "");
    folder.write("blocked", "a file where the output folder would go");
    const ToolRun run = runImport(folder.path(), "tri.obj -o blocked/out");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, StartsWith("tri.obj: error: "));
    EXPECT_EQ(folder.contents(), (std::set<std::string>{"blocked", "tri.mtl", "tri.obj"}));
}

TEST(ImportFailure, ANameThatWouldEndTheTextureSectionIsWrittenSafely) {
    ImportFolder folder;
    folder.write("FIN_TEXTURE.obj", objTriangle(""));
    folder.write("tri.mtl", "newmtl m\nKd 1 1 1\n");
    ASSERT_EQ(runImport(folder.path(), "FIN_TEXTURE.obj").exitCode, 0);
    const InspectedScene scene = inspectScene(folder.path(), "FIN_TEXTURE.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    EXPECT_EQ(scene.textures.at(0), "./FIN_TEXTURE-textures/white.png");
    EXPECT_EQ(scene.faces.size(), 1u);
}

TEST(ImportData, BrokenFacesAreDroppedAndCountedAndNeverWritten) {
    ImportFolder folder;
    // Face 2 names a vertex that does not exist, face 3 a vertex at infinity, face 4 a
    // vertex whose coordinate is not a number; face 1 is whole.
    folder.write("broken.ply",
                     "ply\nformat ascii 1.0\nelement vertex 5\nproperty float x\nproperty float y\n"
                     "property float z\nelement face 4\nproperty list uchar int vertex_indices\nend_header\n"
                     "0 0 0\n1 0 0\n0 1 0\n1 inf 0\n0 nan 1\n3 0 1 2\n3 0 1 7\n3 0 3 2\n3 4 1 2\n");
    const ToolRun run = runImport(folder.path(), "broken.ply");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("triangles:  1\n"));
    EXPECT_THAT(run.out, HasSubstr("3 broken faces, 0 triangles without area\n"));
    const std::string meshText = contentOf(folder.path() / "broken.vno");
    EXPECT_EQ(meshText.find("inf"), std::string::npos);
    EXPECT_EQ(meshText.find("nan"), std::string::npos);
    const InspectedScene scene = inspectScene(folder.path(), "broken.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    ASSERT_EQ(scene.faces.size(), 1u);
    EXPECT_EQ(scene.faces[0].corners[1].position, (Vec3{1, 0, 0}));
}

TEST(ImportImages, AMissingImageWarnsAndItsMaterialIsWhiteAndShaded) {
    ImportFolder folder;
    writeObjTriangle(folder, "map_Kd nothere.png\n");
    const ToolRun run = runImport(folder.path(), "tri.obj");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.err, StartsWith("tri.obj: warning: image not found: nothere.png (tried its name and the extensions"));
    EXPECT_THAT(run.out, HasSubstr("images:     2 (0 converted, 1 missing)\n"));
    const InspectedScene scene = inspectScene(folder.path(), "tri.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    ASSERT_EQ(scene.faces.size(), 1u);
    EXPECT_EQ(scene.baseTextureOf(scene.faces[0]), "tri-textures/white.png");
    // Lit by the fixed light: darker than the material, in the material's proportions.
    const Vec3 colour = scene.faces[0].corners[0].colour;
    EXPECT_LT(colour[2], 0.6f);
    EXPECT_GT(colour[2], 0.6f * 0.4f);
    EXPECT_NEAR(colour[0] / colour[2], 0.2f / 0.6f, 1e-5f);
}

TEST(ImportImages, ImagesAreFoundWhateverTheSlashesAndTheLetterCase) {
    ImportFolder folder;
    writeObjTriangle(folder, "map_Kd Maps\\Sub\\STONE.Png\nmap_Ka ao.png\n");
    std::filesystem::create_directories(folder.path() / "maps" / "sub");
    writePng(folder.path() / "maps" / "sub" / "stone.png", 2, 2, 10, 20, 30);
    const ToolRun run = runImport(folder.path(), "tri.obj -o out");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(contentOf(folder.path() / "out/tri-textures/stone.png"),
              contentOf(folder.path() / "maps/sub/stone.png"));
    const InspectedScene scene = inspectScene(folder.path(), "out/tri.vnt");
    EXPECT_EQ(scene.baseTextureOf(scene.faces.at(0)), "out/tri-textures/stone.png");
}

TEST(ImportImages, ImagesTheEngineCannotReadAreConvertedToPng) {
    ImportFolder folder;
    // A Radiance HDR picture of one pixel: stb reads it, the engine does not.
    folder.write("sky.hdr", std::string("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n\x80\x40\x20\x81", 48));
    writeObjTriangle(folder, "map_Kd sky.hdr\n");
    const ToolRun run = runImport(folder.path(), "tri.obj");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("(1 converted, 0 missing)"));
    EXPECT_THAT(contentOf(folder.path() / "tri-textures/sky.png"), StartsWith(pngSignature));
    const InspectedScene scene = inspectScene(folder.path(), "tri.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    EXPECT_EQ(scene.baseTextureOf(scene.faces.at(0)), "tri-textures/sky.png");
}

TEST(ImportImages, ImagesThatNothingReadsWarnAndUseWhite) {
    ImportFolder folder;
    folder.write("noise.png", "this is not a picture at all");
    writeObjTriangle(folder, "map_Kd noise.png\n");
    const ToolRun run = runImport(folder.path(), "tri.obj");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.err, HasSubstr("warning: image noise.png is in no format that can be read"));
    EXPECT_EQ(inspectScene(folder.path(), "tri.vnt").textures.size(), 2u);
}

TEST(ImportImages, EmbeddedImagesAreWrittenOut) {
    for (const char* format : {"glb2", "gltf2"}) {
        ImportFolder folder;
        auto scene = makeTestScene({false, false, "*0"});
        std::vector<unsigned char> pixels(3 * 3 * 3, 77);
        const vornimport::Bytes png = vornimport::encodePng(pixels.data(), 3, 3, 3);
        auto* texture = new aiTexture;
        texture->mWidth = static_cast<unsigned>(png.size());
        texture->mHeight = 0;
        std::strcpy(texture->achFormatHint, "png");
        texture->pcData = new aiTexel[(png.size() + 3) / 4];
        std::memcpy(texture->pcData, png.data(), png.size());
        scene->mNumTextures = 1;
        scene->mTextures = new aiTexture*[1]{texture};
        const std::string file = std::string("model.") + (format == std::string("glb2") ? "glb" : "gltf");
        ASSERT_EQ(exportScene(*scene, format, folder.path() / file), "");
        const ToolRun run = runImport(folder.path(), file + " -o out");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const InspectedScene inspected = inspectScene(folder.path(), "out/model.vnt");
        EXPECT_EQ(inspected.run.err, loadedWithoutMessages);
        const std::string name = inspected.baseTextureOf(*inspected.facesAt({6, 0, 0}).at(0));
        EXPECT_THAT(name, StartsWith("out/model-textures/")) << format;
        EXPECT_EQ(contentOf(folder.path() / name), std::string(png.begin(), png.end())) << format;
    }
}

TEST(ImportOptions, DetailImageAndScaleReachEveryMaterial) {
    ImportFolder folder;
    writeObjTriangle(folder, "");
    writePng(folder.path() / "grain.png", 8, 8, 128, 120, 110);
    const ToolRun run = runImport(folder.path(), "tri.obj --detail grain.png --detail-scale 2.5");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const InspectedScene scene = inspectScene(folder.path(), "tri.vnt");
    ASSERT_EQ(scene.materials.size(), 1u);
    EXPECT_EQ(scene.textureName(scene.materials[0].detail), "tri-textures/grain.png");
    EXPECT_EQ(scene.faces.at(0).corners[1].detail, (Vec2{2.5f, 0}));
    EXPECT_EQ(scene.faces.at(0).corners[2].detail, (Vec2{0, 2.5f}));
}

TEST(ImportOptions, AnUnreadableDetailImageIsRefused) {
    ImportFolder folder;
    writeObjTriangle(folder, "");
    const ToolRun run = runImport(folder.path(), "tri.obj --detail absent.png");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "absent.png: error: cannot read the detail image\n");
    EXPECT_EQ(folder.contents(), (std::set<std::string>{"tri.mtl", "tri.obj"}));
}

TEST(ImportSplit, MaterialsBeyondOneFilesLimitsGoToFurtherMeshFiles) {
    ImportFolder folder;
    // 150 triangles, each of its own material with its own image: a file holds white, grey
    // and 98 images, so 98 materials, then the rest.
    std::string obj = "mtllib many.mtl\n", mtl;
    for (int i = 0; i < 150; ++i) {
        obj += "v " + std::to_string(i) + " 0 0\nv " + std::to_string(i) + " 1 0\nv " + std::to_string(i + 1) +
               " 0 0\nusemtl m" + std::to_string(i) + "\nf -3 -1 -2\n";
        mtl += "newmtl m" + std::to_string(i) + "\nKd 1 1 1\nmap_Kd t" + std::to_string(i) + ".png\n";
        writePng(folder.path() / ("t" + std::to_string(i) + ".png"), 1, 1, static_cast<unsigned char>(i), 0, 0);
    }
    folder.write("many.obj", obj);
    folder.write("many.mtl", mtl);
    const ToolRun run = runImport(folder.path(), "many.obj -o out");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("out/many-1.vno\n              out/many-2.vno\n"));
    const InspectedScene scene = inspectScene(folder.path(), "out/many.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    EXPECT_EQ(scene.meshes, 2);
    EXPECT_EQ(scene.faces.size(), 150u);
    EXPECT_EQ(scene.materials.size(), 150u);
    EXPECT_EQ(scene.textures.size(), 152u);  // white and grey are loaded once, by name
    const std::string first = contentOf(folder.path() / "out/many-1.vno");
    auto count = [](const std::string& text, const std::string& line) {
        long n = 0;
        for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(first, "\nFIN_MATERIAU\n"), 98);
    EXPECT_EQ(count(first, "\nREPEAT\n"), 100);
    for (const InspectedFace& face : scene.faces)
        EXPECT_EQ(scene.baseTextureOf(face), "out/many-textures/t" + std::to_string(int(face.corners[0].position[0])) + ".png");
}

TEST(ImportNames, NamesAreCutToTheRecordsAndTheSummaryListsTheFiles) {
    ImportFolder folder;
    auto scene = makeTestScene();
    scene->mCameras[0]->mName = std::string(300, 'c');
    scene->mRootNode->mChildren[3]->mName = std::string(300, 'c');
    const std::string model(120, 'm');
    ASSERT_EQ(exportScene(*scene, "collada", folder.path() / (model + ".dae")), "");
    const ToolRun run = runImport(folder.path(), model + ".dae");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("  cameras:    1\n  lights:     1\n  wrote:      " + model + ".vnt\n              " +
                                   model + ".vno\n              " + model + "-textures/ (2 images)\n"));
    const InspectedScene inspected = inspectScene(folder.path(), model + ".vnt");
    EXPECT_EQ(inspected.run.err, loadedWithoutMessages);
    EXPECT_EQ(inspected.cameras.at(0).name, std::string(253, 'c'));
    EXPECT_THAT(inspected.run.out, HasSubstr("\"name\":\"" + std::string(99, 'm') + "\","));
}

namespace {

std::string base64(const std::string& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t(std::uint8_t(bytes[i])) << 16;
        if (i + 1 < bytes.size()) group |= std::uint32_t(std::uint8_t(bytes[i + 1])) << 8;
        if (i + 2 < bytes.size()) group |= std::uint8_t(bytes[i + 2]);
        for (int k = 0; k < 4; ++k)
            out += i * 4 / 3 + k < (bytes.size() * 4 + 2) / 3 ? digits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

template <typename T>
std::string bytesOfValues(std::initializer_list<T> values) {
    return std::string(reinterpret_cast<const char*>(values.begin()), values.size() * sizeof(T));
}

}  // namespace

TEST(ImportImages, GltfDataUrisAreWrittenOutWithTheCameraAndTheLight) {
    ImportFolder folder;
    const std::string buffer = bytesOfValues<float>({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1});
    std::vector<unsigned char> pixels(2 * 2 * 3, 200);
    const vornimport::Bytes png = vornimport::encodePng(pixels.data(), 2, 2, 3);
    std::vector<unsigned char> shadow(2 * 2 * 3, 90);
    const vornimport::Bytes occlusion = vornimport::encodePng(shadow.data(), 2, 2, 3);
    folder.write("inline.gltf", R"({"asset": {"version": "2.0"}, "scene": 0, "scenes": [{"nodes": [0, 1, 2]}],
 "nodes": [{"mesh": 0, "translation": [1, 0, 0]}, {"camera": 0, "name": "Cam", "translation": [0, 0, 5]},
           {"name": "Bulb", "translation": [0, 3, 0], "extensions": {"KHR_lights_punctual": {"light": 0}}}],
 "cameras": [{"name": "Cam", "type": "perspective", "perspective": {"yfov": 0.8, "znear": 0.1}}],
 "extensionsUsed": ["KHR_lights_punctual"],
 "extensions": {"KHR_lights_punctual": {"lights": [{"name": "Bulb", "type": "point", "color": [1, 0.5, 0.5], "intensity": 2}]}},
 "meshes": [{"primitives": [{"attributes": {"POSITION": 0, "TEXCOORD_0": 1}, "material": 0}]}],
 "materials": [{"pbrMetallicRoughness": {"baseColorTexture": {"index": 0}}, "occlusionTexture": {"index": 1}}],
 "textures": [{"source": 0}, {"source": 1}],
 "images": [{"uri": "data:image/png;base64,)" + base64(std::string(png.begin(), png.end())) + R"("},
            {"uri": "data:image/png;base64,)" + base64(std::string(occlusion.begin(), occlusion.end())) + R"("}],
 "buffers": [{"byteLength": 60, "uri": "data:application/octet-stream;base64,)" + base64(buffer) + R"("}],
 "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 36}, {"buffer": 0, "byteOffset": 36, "byteLength": 24}],
 "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3", "min": [0, 0, 0], "max": [1, 1, 0]},
               {"bufferView": 1, "componentType": 5126, "count": 3, "type": "VEC2"}]})");
    const ToolRun run = runImport(folder.path(), "inline.gltf");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const InspectedScene scene = inspectScene(folder.path(), "inline.vnt");
    EXPECT_EQ(scene.run.err, loadedWithoutMessages);
    ASSERT_EQ(scene.faces.size(), 1u);
    EXPECT_EQ(scene.faces[0].corners[1].position, (Vec3{2, 0, 0}));
    const std::string image = scene.baseTextureOf(scene.faces[0]);
    EXPECT_THAT(image, StartsWith("inline-textures/"));
    EXPECT_EQ(contentOf(folder.path() / image), std::string(png.begin(), png.end()));
    // The occlusion map is the bump layer.
    const std::string bump = scene.textureName(scene.materials.at(scene.faces[0].material).bump);
    EXPECT_THAT(bump, StartsWith("inline-textures/"));
    EXPECT_EQ(contentOf(folder.path() / bump), std::string(occlusion.begin(), occlusion.end()));
    ASSERT_EQ(scene.cameras.size(), 1u);
    EXPECT_EQ(scene.cameras[0].name, "Cam");
    EXPECT_EQ(scene.cameras[0].position, (Vec3{0, 0, 5}));
    EXPECT_EQ(scene.cameras[0].target, (Vec3{0, 0, 4}));
    ASSERT_EQ(scene.lights.size(), 1u);
    EXPECT_EQ(scene.lights[0].name, "Bulb");
    EXPECT_EQ(scene.lights[0].position, (Vec3{0, 3, 0}));
    EXPECT_EQ(scene.lights[0].colour, (Vec3{1, 0.5f, 0.5f}));
    EXPECT_EQ(scene.lights[0].radius, 16.0f);  // the inverse square falls to 1/256 at 16
}

TEST(ImportLights, ADirectionalLightShinesFromFarOutAndNeverFades) {
    ImportFolder folder;
    auto scene = makeTestScene();
    // COLLADA's directional lights shine along their node's -Z: the node turns it downwards.
    scene->mLights[0]->mType = aiLightSource_DIRECTIONAL;
    scene->mLights[0]->mDirection = aiVector3D(0, 0, -1);
    aiMatrix4x4 down;
    scene->mRootNode->mChildren[4]->mTransformation *= aiMatrix4x4::RotationX(-std::numbers::pi_v<float> / 2, down);
    ASSERT_EQ(exportScene(*scene, "collada", folder.path() / "sun.dae"), "");
    ASSERT_EQ(runImport(folder.path(), "sun.dae --scale 2").exitCode, 0);
    const InspectedScene inspected = inspectScene(folder.path(), "sun.vnt");
    ASSERT_EQ(inspected.lights.size(), 1u);
    const InspectedLight& sun = inspected.lights[0];
    // Straight above the middle of the model's bounds, far beyond their size.
    Vec3 lowest{1e9f, 1e9f, 1e9f}, highest{-1e9f, -1e9f, -1e9f};
    for (const InspectedFace& face : inspected.faces)
        for (const InspectedCorner& corner : face.corners)
            for (int i = 0; i < 3; ++i)
                lowest[i] = std::min(lowest[i], corner.position[i]), highest[i] = std::max(highest[i], corner.position[i]);
    EXPECT_GT(sun.position[1], highest[1] + 5 * (highest[0] - lowest[0]));
    EXPECT_NEAR(sun.position[0], (lowest[0] + highest[0]) / 2, 1e-3f);
    EXPECT_NEAR(sun.position[2], (lowest[2] + highest[2]) / 2, 1e-3f);
    EXPECT_EQ(sun.radius, 20.0f);  // 10 times the scale
}
