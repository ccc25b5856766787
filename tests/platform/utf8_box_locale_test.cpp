// The message boxes' locale: which environments name a UTF-8 locale, and the box's own UTF-8
// locale set only where needed and the environment given back as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/utf8_box_locale.h"

namespace {

struct LocaleEnvironment {
    const char* name;
    const char* all;    // nullptr: not set
    const char* ctype;
    const char* lang;
    bool utf8;
};

const LocaleEnvironment environments[] = {
    {"NothingSet", nullptr, nullptr, nullptr, false},
    {"LangC", nullptr, nullptr, "C", false},
    {"LangPosix", nullptr, nullptr, "POSIX", false},
    {"LangCUtf8", nullptr, nullptr, "C.UTF-8", true},
    {"LangNotInstalled", nullptr, nullptr, "xx_YY.UTF-8", false},
    {"CtypeOverLang", nullptr, "C.UTF-8", "C", true},
    {"AllOverCtype", "C", "C.UTF-8", "C.UTF-8", false},
    {"AllUtf8", "C.UTF-8", nullptr, nullptr, true},
    {"EmptyAllIsIgnored", "", nullptr, "C.UTF-8", true},
};

void setOrUnset(const char* name, const char* value) {
    if (value != nullptr)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

class Utf8BoxLocaleTest : public ::testing::TestWithParam<LocaleEnvironment> {
protected:
    void SetUp() override {
        for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) saved_.push_back({name, variable(name)});
        setOrUnset("LC_ALL", GetParam().all);
        setOrUnset("LC_CTYPE", GetParam().ctype);
        setOrUnset("LANG", GetParam().lang);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) setOrUnset(name, value ? value->c_str() : nullptr);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_P(Utf8BoxLocaleTest, TellsWhetherTheEnvironmentNamesAUtf8Locale) {
    EXPECT_EQ(platform::environmentLocaleIsUtf8(), GetParam().utf8);
}

TEST_P(Utf8BoxLocaleTest, ABoxIsShownInAUtf8LocaleAndTheEnvironmentComesBack) {
    const std::optional<std::string> allBefore = variable("LC_ALL");
    {
        const platform::Utf8BoxLocale utf8;
        EXPECT_TRUE(platform::environmentLocaleIsUtf8());
        if (GetParam().utf8) {
            EXPECT_EQ(variable("LC_ALL"), allBefore) << "changed without need";
        }
    }
    EXPECT_EQ(variable("LC_ALL"), allBefore);
    EXPECT_EQ(platform::environmentLocaleIsUtf8(), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Environments, Utf8BoxLocaleTest, ::testing::ValuesIn(environments),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
