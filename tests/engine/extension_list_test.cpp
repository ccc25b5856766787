// The whole-word search of an extension name in the driver's extension string: prefixes,
// suffixes, the ends of the string, spaces, case, and the boundary after a rejected match.
#include <gtest/gtest.h>

#include <string>

#include "engine/gl_extensions.h"

namespace {

struct SearchCase {
    const char* label;
    const char* extensions;  // nullptr: the driver gave none
    const char* name;
    bool found;
};

class ExtensionListContains : public ::testing::TestWithParam<SearchCase> {};

TEST_P(ExtensionListContains, FindsWholeWordsOnly) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(extensionListContains(c.extensions, c.name), c.found)
        << "\"" << (c.name ? c.name : "(null)") << "\" in \""
        << (c.extensions ? c.extensions : "(null)") << "\"";
}

const char* const typical =
    "GL_ARB_multitexture GL_EXT_texture_env_combine GL_EXT_texture_env_dot3";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ExtensionListContains,
    ::testing::Values(
        SearchCase{"FirstWord", typical, "GL_ARB_multitexture", true},
        SearchCase{"MiddleWord", typical, "GL_EXT_texture_env_combine", true},
        SearchCase{"LastWordWithoutTrailingSpace", typical, "GL_EXT_texture_env_dot3", true},
        SearchCase{"OnlyWord", "GL_ARB_multitexture", "GL_ARB_multitexture", true},
        SearchCase{"Absent", typical, "GL_ARB_texture_cube_map", false},
        SearchCase{"PrefixOfAReportedName", "GL_EXT_texture_env_combine", "GL_EXT_texture_env",
                   false},
        SearchCase{"PrefixOfEveryReportedName", typical, "GL_EXT_texture_env", false},
        SearchCase{"SuffixOfAReportedName", typical, "texture_env_dot3", false},
        SearchCase{"InsideALongerNameOnly", "GL_XARB_multitexture_ext", "GL_ARB_multitexture",
                   false},
        SearchCase{"InsideALongerNameThenAloneLater",
                   "GL_ARB_multitexture_ext GL_EXT_foo GL_ARB_multitexture",
                   "GL_ARB_multitexture", true},
        SearchCase{"SuffixOfALongerNameThenAloneLater", "XGL_ARB_multitexture GL_ARB_multitexture",
                   "GL_ARB_multitexture", true},
        SearchCase{"LongerThanTheString", "GL_A", "GL_ARB_multitexture", false},
        SearchCase{"NameWithTrailingSpace", typical, "GL_ARB_multitexture ", false},
        SearchCase{"NameWithLeadingSpace", typical, " GL_ARB_multitexture", false},
        SearchCase{"TwoNamesAsOne", typical, "GL_ARB_multitexture GL_EXT_texture_env_combine",
                   false},
        SearchCase{"EmptyName", typical, "", false},
        SearchCase{"EmptyNameInEmptyString", "", "", false},
        SearchCase{"NullName", typical, nullptr, false},
        SearchCase{"NullString", nullptr, "GL_ARB_multitexture", false},
        SearchCase{"EmptyString", "", "GL_ARB_multitexture", false},
        SearchCase{"OnlySpaces", "   ", "GL_ARB_multitexture", false},
        SearchCase{"LowerCaseName", typical, "gl_arb_multitexture", false},
        SearchCase{"UpperCaseString", "GL_ARB_MULTITEXTURE", "GL_ARB_multitexture", false},
        // A rejected occurrence followed directly by the name: the search goes on from the
        // end of the rejected one, and that end counts as a word start.
        SearchCase{"RejectedThenNameDirectlyAfter", "GL_ARB_multitextureGL_ARB_multitexture",
                   "GL_ARB_multitexture", true},
        SearchCase{"MidWordRejectedThenNameDirectlyAfter", "XGL_AGL_A", "GL_A", true},
        SearchCase{"RejectedThenNameDirectlyAfterThenMore", "XGL_AGL_Ab", "GL_A", false},
        SearchCase{"LeadingSpaces", "   GL_ARB_multitexture", "GL_ARB_multitexture", true},
        SearchCase{"TrailingSpaces", "GL_ARB_multitexture   ", "GL_ARB_multitexture", true},
        SearchCase{"MultipleSpacesBetween", "GL_EXT_foo    GL_ARB_multitexture   GL_EXT_bar",
                   "GL_ARB_multitexture", true},
        // Only the space separates names.
        SearchCase{"TabBefore", "GL_EXT_foo\tGL_ARB_multitexture", "GL_ARB_multitexture", false},
        SearchCase{"NewlineAfter", "GL_ARB_multitexture\nGL_EXT_foo", "GL_ARB_multitexture",
                   false},
        SearchCase{"UnderscoreJoined", "GL_EXT_foo_GL_ARB_multitexture", "GL_ARB_multitexture",
                   false}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
