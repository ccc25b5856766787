// The image box of the texture list, "Probleme de chargement du fichier ", and the checker's
// image findings, both through the engine's image decoding on the same files: a missing image,
// one that is not an image, and one whose header promises more pixels than any texture may
// have. No rendering context: a texture that failed to load makes no GL texture of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/engine.h"
#include "platform/fake_platform.h"
#include "tests/support/tool_run.h"
#include "tools/check/file_check.h"
#include "tools/check/report.h"

TEST(CheckImages, EveryImageBoxOfTheLoaderHasADiagnostic) {
    const testsupport::TestFolder folder("vorn-check-image");
    const std::filesystem::path& dir = folder.path();
    const std::string garbage = (dir / "garbage.png").string();
    const std::string missing = (dir / "none.png").string();
    const std::string huge = (dir / "huge.tga").string();
    std::ofstream(garbage, std::ios::binary) << "not an image at all";
    // A true-colour TGA header that declares 22627 x 26435 pixels, and a few bytes of them.
    const unsigned char hugeHeader[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0,
                                          0, 0, 0, 0x63, 0x58, 0x43, 0x67, 24, 0};
    std::ofstream(huge, std::ios::binary)
        .write(reinterpret_cast<const char*>(hugeHeader), sizeof hugeHeader)
        .write("\x10\x20\x30\x40\x50\x60", 6);
    const std::string mesh = (dir / "images.vno").string();
    std::ofstream(mesh, std::ios::binary)
        << "FICHIER_VNO\nTEXTURE\n" << garbage << "\nREPEAT\n" << missing << "\nREPEAT\n"
        << huge << "\nREPEAT\nFIN_TEXTURE\nFIN_ALL_MATERIAUX\nm\nn\n0,0,0\n0,0,0\n1,1,1\nFIN_MESH\n";

    Engine engine;
    engine.materials.init(engine.textures, engine.extensions);
    engine.meshes.init(engine.materials, engine.extensions);
    platform::fake::reset();
    engine.load(mesh.c_str());
    ASSERT_EQ(platform::fake::messageBoxes().size(), 3u);
    EXPECT_EQ(platform::fake::messageBoxes()[0].text, "Probleme de chargement du fichier " + garbage);
    EXPECT_EQ(platform::fake::messageBoxes()[1].text, "Probleme de chargement du fichier " + missing);
    EXPECT_EQ(platform::fake::messageBoxes()[2].text, "Probleme de chargement du fichier " + huge);

    CheckRun run;
    run.checkMeshFile(mesh);
    const std::vector<Finding>& findings = run.findings();
    ASSERT_EQ(findings.size(), 3u) << findingsAsText(findings);
    EXPECT_EQ(findings[0].line, 3);
    EXPECT_EQ(findings[0].code, "image-unreadable");
    EXPECT_EQ(findings[1].line, 5);
    EXPECT_EQ(findings[1].code, "image-missing");
    EXPECT_EQ(findings[2].line, 7);
    EXPECT_EQ(findings[2].code, "image-unreadable");
}
