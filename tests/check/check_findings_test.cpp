// The checker on broken files: each fault put into a copy of the worked example (or of the
// worked scene description) is reported at its exact place, with its severity and code.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "check_fixture.h"
#include "tools/check/report.h"

namespace {

using checktext::exampleWith;
using checktext::exampleWithout;

const Severity E = Severity::error;
const Severity W = Severity::warning;
const Severity N = Severity::note;

std::string manyTextures(int count) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < count; ++i) entries.push_back({"textures/stone.jpg", "REPEAT"});
    return meshtext::file(entries, {meshtext::Block{}}, {"0"});
}

std::string manyMaterials(int count) {
    return meshtext::file({{"textures/stone.jpg", "REPEAT"}}, std::vector<meshtext::Block>(count), {"0"});
}

std::string sceneWith(int number, const std::string& text) {
    std::vector<std::string> lines = checktext::splitLines(checktext::sceneExample);
    lines.at(std::size_t(number - 1)) = text;
    return checktext::joined(lines);
}

std::string sceneWithout(int number) {
    std::vector<std::string> lines = checktext::splitLines(checktext::sceneExample);
    lines.erase(lines.begin() + (number - 1));
    return checktext::joined(lines);
}

}  // namespace

const std::vector<BrokenFile>& brokenFiles() {
    static const std::vector<BrokenFile> cases = {
        // Mesh files: the worked example with one line changed.
        {"MagicWithBlank", exampleWith(1, "FICHIER_VNO "), {1, 12, E, "bad-first-line"}, true},
        {"MagicOther", exampleWith(1, "FICHIER"), {1, 1, E, "bad-first-line"}, true},
        {"EmptyFile", "", {1, 1, E, "bad-first-line"}, true},
        {"WordForScroll", exampleWith(9, "corner"), {9, 1, E, "number-expected"}, true},
        {"IndentedWord", exampleWith(9, "  abc"), {9, 3, E, "number-expected"}, true},
        {"EmptyIndex", exampleWith(8, ""), {8, 1, E, "number-expected"}, true},
        {"PositionTwoValues", exampleWith(38, "1.0, 0.0"), {38, 9, E, "too-few-values"}, true},
        {"PairOneValue", exampleWith(32, "0.0"), {32, 4, E, "too-few-values"}, true},
        {"ColourWithoutCommas", exampleWith(35, "1 1 1"), {35, 3, E, "too-few-values"}, true},
        {"EmptyValueInList", exampleWith(31, "-1.0,, -1.0"), {31, 6, E, "number-expected"}, true},
        {"Infinity", exampleWith(31, "-1.0, inf, -1.0"), {31, 7, E, "not-finite"}, true},
        {"Overflow", exampleWith(9, "1e39"), {9, 1, E, "not-finite"}, true},
        {"NotANumber", exampleWith(29, "nan, 1, 0"), {29, 1, E, "not-finite"}, true},
        {"WrapLineTooLong", exampleWith(4, "REPEAT_ALWAYS"), {4, 12, E, "wrap-line-too-long"}, false},
        {"LineTooLong", exampleWith(7, std::string(260, 'x')), {7, 255, E, "line-too-long"}, false},
        {"FileNameTooLong", exampleWith(3, std::string(230, 'a')), {3, 225, E, "file-name-too-long"}, false},
        {"BaseIndexPastEntries", exampleWith(8, "1"), {8, 1, E, "bad-texture-index"}, false},
        {"BaseIndexNone", exampleWith(8, "-1"), {8, 1, E, "bad-texture-index"}, true},
        {"DetailIndexPastEntries", exampleWith(13, "5"), {13, 1, E, "bad-texture-index"}, true},
        {"BumpIndexBelowNone", exampleWith(18, "-2"), {18, 1, E, "bad-texture-index"}, true},
        {"MaterialIndexPastBlocks", exampleWith(28, "1"), {28, 1, E, "bad-material-index"}, true},
        {"MaterialIndexNone", exampleWith(28, "-1"), {28, 1, E, "bad-material-index"}, true},
        {"TooManyTextures", manyTextures(101), {203, 1, E, "too-many-textures"}, false},
        {"TooManyMaterials", manyMaterials(100), {1491, 1, E, "too-many-materials"}, false},
        {"ImageMissing", exampleWith(3, "textures/none.jpg"), {3, 1, E, "image-missing"}, true},
        {"ImageUnreadable", exampleWith(3, "broken.png"), {3, 1, E, "image-unreadable"}, true},
        {"EndsInCorner", meshtext::firstLines(meshtext::workedExample, 40), {40, 9, E, "unexpected-end"}, true},
        {"EndsInTextures", meshtext::firstLines(meshtext::workedExample, 3), {3, 19, E, "unexpected-end"}, true},
        {"EndsBeforeFinMesh", meshtext::firstLines(meshtext::workedExample, 51), {51, 12, E, "unexpected-end"}, true},
        {"ExtraValue", exampleWith(31, "-1.0, 0.0, -1.0, 7"), {31, 18, W, "extra-values"}, true},
        {"ExtraValueOnScroll", exampleWith(10, "0.01, 0.02"), {10, 5, W, "extra-values"}, true},
        {"UnitAfterNumber", exampleWith(9, "0.0px"), {9, 4, W, "text-after-number"}, true},
        {"FractionOfIndex", exampleWith(8, "0.5"), {8, 2, W, "text-after-number"}, true},
        {"WordBetweenValues", exampleWith(31, "-1.0 m, 0.0, -1.0"), {31, 6, W, "text-after-number"}, true},
        {"NameTooLong", exampleWith(23, std::string(100, 'n')), {23, 100, W, "name-too-long"}, true},
        {"DegenerateFace", exampleWith(45, "0.0, 0.0, -1.0"), {27, 1, W, "degenerate-face"}, true},
        {"TextAfterEnd", std::string(meshtext::workedExample) + "more\n", {53, 1, W, "text-after-end"}, true},
        {"RepeatInLowerCase", exampleWith(4, "repeat"), {4, 1, W, "repeat-misspelt"}, true},
        {"RepeatAfterBlank", exampleWith(4, " REPEAT"), {4, 2, W, "repeat-misspelt"}, true},
        {"LongLineAfterEnd", std::string(meshtext::workedExample) + std::string(300, 'x') + "\n",
         {53, 1, W, "text-after-end"}, true},
        {"KeywordWithSuffix", exampleWith(5, "FIN_TEXTURES"), {5, 12, W, "keyword-prefix"}, true},
        {"MaterialLineMissing", exampleWithout(20), {20, 1, W, "misplaced-keyword"}, false},
        {"CrLf", checktext::joined(checktext::exampleLines(), "\r\n"), {1, 12, N, "crlf"}, true},
        // Scene descriptions: the worked scene description with one line changed.
        {"SceneKindWithBlank", sceneWith(1, "FICHIER_VNT "), {1, 12, E, "bad-first-line"}, true, "broken.vnt"},
        {"SceneEmpty", "", {1, 1, E, "bad-first-line"}, true, "broken.vnt"},
        {"CameraBlockShort", sceneWithout(9), {9, 1, W, "block-ends-early"}, true, "broken.vnt"},
        {"CameraPositionWord", sceneWith(7, "here"), {7, 1, E, "number-expected"}, true, "broken.vnt"},
        {"LightColourTwoValues", sceneWith(13, "1,0.9"), {13, 6, E, "too-few-values"}, true, "broken.vnt"},
        {"LightRadiusUnit", sceneWith(14, "3.8 m"), {14, 5, W, "text-after-number"}, true, "broken.vnt"},
        {"SceneImageMissing", sceneWith(3, "none.png"), {3, 1, E, "image-missing"}, true, "broken.vnt"},
        {"MeshCannotOpen", sceneWith(17, "none.vno"), {17, 1, E, "cannot-open"}, true, "broken.vnt"},
        {"MeshNamedTwice", sceneWith(18, "MESH\none.vno\nFIN_FICHIER_VNT"), {19, 1, W, "mesh-named-twice"}, true, "broken.vnt"},
        {"MeshKeywordSuffix", sceneWith(16, "MESHES"), {16, 5, W, "keyword-prefix"}, true, "broken.vnt"},
        {"CameraLowerCase", sceneWith(5, "camera"), {5, 1, N, "skipped-line"}, false, "broken.vnt"},
        {"SceneEndsEarly", sceneWithout(18), {17, 8, E, "unexpected-end"}, true, "broken.vnt"},
        {"SceneEndsInLight", checktext::joined({"FICHIER_VNT", "LUMIERE", "Lamp01", "1,2,3"}), {4, 6, E, "unexpected-end"}, true, "broken.vnt"},
        {"SceneTextAfterEnd", std::string(checktext::sceneExample) + "x\n", {19, 1, W, "text-after-end"}, true, "broken.vnt"},
        {"SceneCrLf", sceneWith(1, "FICHIER_VNT\r"), {1, 12, N, "crlf"}, true, "broken.vnt"},
    };
    return cases;
}

namespace {

class BrokenFiles : public CheckTest, public ::testing::WithParamInterface<BrokenFile> {};

}  // namespace

TEST_P(BrokenFiles, AreReportedAtTheirPlace) {
    const BrokenFile& c = GetParam();
    write("broken.png", "not an image");
    write(c.file, c.text);
    const std::vector<Finding> findings = check(c.file);
    const std::string printed = findingsAsText(findings);
    ASSERT_FALSE(findings.empty());
    bool found = false;
    for (const Finding& f : findings)
        found = found || (f.file == c.file && f.line == c.finding.line &&
                          f.column == c.finding.column && f.severity == c.finding.severity &&
                          f.code == c.finding.code);
    EXPECT_TRUE(found) << printed;
    if (c.alone) {
        EXPECT_EQ(findings.size(), 1u) << printed;
    }
    for (const Finding& f : findings) EXPECT_FALSE(f.message.empty());
}

INSTANTIATE_TEST_SUITE_P(Check, BrokenFiles, ::testing::ValuesIn(brokenFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, TheWorkedExamplesCheckClean) {
    write("example.vnt", checktext::sceneExample);
    EXPECT_EQ(findingsAsText(check("one.vno")), "");
    EXPECT_EQ(findingsAsText(check("example.vnt")), "");
}

// The end of the file names what the engine wanted to read there.
TEST_F(CheckTest, TheEndOfTheFileSaysWhatWasExpected) {
    write("cut.vno", meshtext::firstLines(meshtext::workedExample, 37));
    const std::vector<Finding> findings = check("cut.vno");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].message, "the file ends here; expected the position of corner 2 of face 0");
}

TEST_F(CheckTest, MessagesNameTheRoleAndWhatWasFound) {
    write("a.vno", exampleWith(9, "corner"));
    write("b.vno", exampleWith(38, "1.0, 0.0"));
    write("c.vno", exampleWith(4, "REPEAT_ALWAYS"));
    EXPECT_EQ(check("a.vno").at(0).message,
              "the base scroll u of material 0 expects a number, found 'corner'; the engine reads 0");
    EXPECT_EQ(check("b.vno").at(0).message,
              "the position of corner 2 of face 0 holds 2 of its 3 values (x, y and z) separated "
              "by commas; the engine reads 0 for z");
    EXPECT_EQ(check("c.vno").at(0).message,
              "the wrap line of texture 0 is longer than 10 characters; the engine reads the rest, "
              "'YS', as the file name of texture 1 or 'FIN_TEXTURE'");
}

// A scene's mesh files are checked after it, in their own name, and each file only once.
TEST_F(CheckTest, SceneDescriptionsAreFollowedIntoTheirMeshFilesOnce) {
    write("bad.vno", exampleWith(9, "corner"));
    write("scene.vnt", "FICHIER_VNT\nMESH\nbad.vno\nMESH\none.vno\nFIN_FICHIER_VNT\n");
    write("other.vnt", "FICHIER_VNT\nMESH\n./bad.vno\nFIN_FICHIER_VNT\n");
    CheckRun run;
    std::string reason;
    ASSERT_TRUE(run.checkPath("scene.vnt", reason));
    ASSERT_TRUE(run.checkPath("other.vnt", reason));
    ASSERT_TRUE(run.checkPath("bad.vno", reason));
    ASSERT_EQ(run.findings().size(), 1u) << findingsAsText(run.findings());
    EXPECT_EQ(run.findings()[0].file, "bad.vno");
    EXPECT_EQ(run.findings()[0].line, 9);
}

// The mesh loader refuses a scene description named as a mesh file, itself included.
TEST_F(CheckTest, ASceneDescriptionNamedAsAMeshFileIsCheckedAsOne) {
    write("self.vnt", "FICHIER_VNT\nMESH\nself.vnt\nFIN_FICHIER_VNT\n");
    const std::vector<Finding> findings = check("self.vnt");
    ASSERT_EQ(findings.size(), 1u) << findingsAsText(findings);
    EXPECT_EQ(findings[0].file, "self.vnt");
    EXPECT_EQ(findings[0].line, 1);
    EXPECT_EQ(findings[0].code, "bad-first-line");
}

TEST_F(CheckTest, AFileThatCannotBeOpenedSaysWhy) {
    CheckRun run;
    std::string reason;
    EXPECT_FALSE(run.checkPath("none.vno", reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_FALSE(run.checkPath("textures", reason));
    EXPECT_EQ(reason, "it is a directory");
    EXPECT_TRUE(run.findings().empty());
}

// Files whose first line is of neither kind are told apart by their name.
TEST_F(CheckTest, AnUnknownFirstLineIsJudgedByTheFileName) {
    write("a.vnt", "FICHIER\n");
    write("a.vno", "FICHIER\n");
    EXPECT_NE(check("a.vnt").at(0).message.find("'FICHIER_VNT'"), std::string::npos);
    EXPECT_NE(check("a.vno").at(0).message.find("'FICHIER_VNO'"), std::string::npos);
}

// Scene descriptions with random damage: every finding lies in the file that it names.
TEST_F(CheckTest, RandomlyDamagedSceneDescriptionsAreReadSafely) {
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const std::string text = checktext::damaged(checktext::sceneExample, random);
        write("damaged.vnt", text);
        const int lineCount = int(std::count(text.begin(), text.end(), '\n')) + 1;
        for (const Finding& f : check("damaged.vnt")) {
            if (f.file != "damaged.vnt") continue;
            EXPECT_GE(f.line, 1);
            EXPECT_LE(f.line, lineCount);
            EXPECT_GE(f.column, 1);
        }
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round << ":\n" << text;
            return;
        }
    }
}

TEST(CheckReport, PrintsFindingsAsCompilersDo) {
    const std::vector<Finding> findings = {
        {"a.vno", 3, 7, Severity::error, "number-expected", "text"},
        {"a.vno", 4, 1, Severity::warning, "extra-values", "more"},
        {"b.vnt", 1, 1, Severity::note, "crlf", "note"},
        {"b.vnt", 2, 1, Severity::warning, "keyword-prefix", "again"},
    };
    EXPECT_EQ(findingsAsText(findings),
              "a.vno:3:7: error: text [number-expected]\n"
              "a.vno:4:1: warning: more [extra-values]\n"
              "b.vnt:1:1: note: note [crlf]\n"
              "b.vnt:2:1: warning: again [keyword-prefix]\n");
    EXPECT_EQ(countLine(findings), "1 error, 2 warnings, 1 note");
    EXPECT_EQ(countLine({}), "0 errors, 0 warnings");
}
