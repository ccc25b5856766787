// The installed file types as the desktop tells them: a shared MIME database made from the
// installed definitions alone, asked through GIO for files of every kind, with and without
// their usual name ending.
#include <gtest/gtest.h>

#include "installed_paths.h"

using namespace installtest;

namespace {

struct FileTypeCase {
    const char* name;
    const char* fileName;
    const char* firstLine;
    const char* type;
};

const FileTypeCase fileTypeCases[] = {
    {"SceneDescriptionByItsName", "house.vnt", "FICHIER_VNT", "text/x-vorn-scene"},
    {"SceneDescriptionByItsFirstLine", "house", "FICHIER_VNT", "text/x-vorn-scene"},
    {"SecondSceneKindByItsFirstLine", "house", "FICHIER_VNS", "text/x-vorn-scene"},
    {"MeshFileByItsName", "cubes.vno", "FICHIER_VNO", "text/x-vorn-mesh"},
    {"MeshFileByItsFirstLine", "cubes", "FICHIER_VNO", "text/x-vorn-mesh"},
    // A first line the readers refuse is not theirs, whatever follows.
    {"OtherTextIsPlainText", "notes", "FICHIER", "text/plain"},
    {"KindWordNotAtTheStartIsPlainText", "notes", " FICHIER_VNT", "text/plain"},
};

void PrintTo(const FileTypeCase& value, std::ostream* out) { *out << value.name; }

using FileTypeTest = ::testing::TestWithParam<FileTypeCase>;

TEST_P(FileTypeTest, IsToldByTheInstalledDefinitions) {
    const FileTypeCase& file = GetParam();
    TestFolder folder("install-mime");
    const auto packages = folder.path() / "share" / "mime" / "packages";
    std::filesystem::create_directories(packages);
    std::filesystem::copy_file(shareFolder / "mime" / "packages" / "vorn.xml",
                               packages / "vorn.xml");
    const ToolRun update = runCaptured(
        "update-mime-database " + quoted((folder.path() / "share" / "mime").string()),
        folder.path());
    ASSERT_EQ(update.exitCode, 0) << update.err;

    const std::string path = folder.write(file.fileName, std::string(file.firstLine) +
                                                             "\nfree text between blocks\n");
    const ToolRun info = runCaptured(
        "XDG_DATA_HOME=" + quoted((folder.path() / "share").string()) +
            " XDG_DATA_DIRS=/usr/share gio info -a standard::content-type " + quoted(path),
        folder.path());
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find(std::string("standard::content-type: ") + file.type + "\n"),
              std::string::npos)
        << info.out;
}

INSTANTIATE_TEST_SUITE_P(Files, FileTypeTest, ::testing::ValuesIn(fileTypeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
