#include "frame/approot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frame/platform.h"
#include "tests/support/testsupport.h"

namespace {

std::vector<std::string> Split(const std::string& line, bool withSelf = false, int maxArgs = 256)
{
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back(0);
    char self[260];
    std::vector<char*> argv(size_t(maxArgs) + 1);
    int n = OMBIXAPP::SplitCommandLine(writable.data(), withSelf ? self : nullptr, argv.data(), maxArgs);
    EXPECT_EQ(argv[size_t(n)], nullptr);
    return std::vector<std::string>(argv.begin(), argv.begin() + n);
}

using ARGS = std::vector<std::string>;

TEST(SplitCommandLine, QuotesBlanksAndLimits)
{
    struct CASE {
        const char* line;
        ARGS expected;
    } cases[] = {
        {"\"C:\\My Dir\\setup.exe\" /LOG -LANG ger", {"C:\\My Dir\\setup.exe", "/LOG", "-LANG", "ger"}},
        {"  setup.exe   /a    ", {"setup.exe", "/a"}},
        {"setup.exe \"unclosed quote here", {"setup.exe", "unclosed quote here"}},
        {"a \"\" b", {"a", "", "b"}},
        {"tab\tinside x", {"tab\tinside", "x"}},
        {"say \"he said\"x", {"say", "he said", "x"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Split(c.line), c.expected);
    }
    ARGS withSelf = Split("prog /x", true);
    ASSERT_EQ(withSelf.size(), 3u);
    EXPECT_FALSE(withSelf[0].empty());
    EXPECT_EQ(withSelf[1], "prog");
}

TEST(SplitCommandLine, AtMost255EntriesTheRestStaysTogether)
{
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += "a" + std::to_string(i) + " ";
    ARGS args = Split(line, true);
    ASSERT_EQ(args.size(), 255u);
    EXPECT_EQ(args[1], "a0");
    EXPECT_EQ(args[253], "a252");
    EXPECT_EQ(args[254].rfind("a253 a254 ", 0), 0u);
    EXPECT_EQ(args[254].substr(args[254].size() - 4), "a299");
}

class ArgumentQueries : public testing::Test {
protected:
    void Use(const ARGS& args)
    {
        gArguments.Clear();
        for (const auto& a : args)
            gArguments.Add(STRING(a.c_str()));
    }
    void TearDown() override { gArguments.Clear(); }
};

TEST_F(ArgumentQueries, TheThreeQueries)
{
    Use({"self", "prog", "/REMOVE", "-lang", "ger", "/STARTUPDELAY:5", "/LANGUAGE", "/X:1",
         "/X:2", "/STARTUPDELAY", "-flag", "plain"});
    struct CASE {
        const char* name;
        int n;
        bool testArg, testArgValue;
        const char* value;  // nullptr: no buffer
    } cases[] = {
        {"remove", 0, true, false, ""},
        {"LANG", 0, true, true, "ger"},
        {"LANG", 1, false, false, "UAGE"},
        {"STARTUPDELAY", 0, true, true, "5"},
        {"STARTUPDELAY", 1, false, false, ""},
        {"X", 1, false, true, "2"},
        {"X", 2, false, false, nullptr},
        {"plain", 0, false, false, nullptr},
        {"FLAG", 0, true, true, "plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " #" + std::to_string(c.n));
        if (c.n == 0) {
            EXPECT_EQ(TestArg(c.name), c.testArg);
        }
        EXPECT_EQ(TestArgValue(c.name, c.n), c.testArgValue);
        STRING v = GetArgValue(c.name, c.n);
        if (c.value)
            EXPECT_EQ(std::string(v.Text()), c.value);
        else
            EXPECT_FALSE(v.HasBuffer());
    }
}

TEST_F(ArgumentQueries, HyphenSwitchInLastPlaceHasNoValue)
{
    Use({"self", "prog", "-LANG"});
    ASSERTCATCHER catcher;
    EXPECT_FALSE(GetArgValue("LANG").HasBuffer());
    EXPECT_EQ(catcher.Count(), 0u);
}

// Runs the argument reading with the current directory in a scratch folder, and restores it.
class ReadArgumentsTest : public testing::Test {
protected:
    void SetUp() override
    {
        char cwd[1024];
        PLATFORM::CurrentDirectory(cwd, sizeof(cwd));
        saved = cwd;
        PLATFORM::SetCurrentDirectory(dir.Path().c_str());
    }
    void TearDown() override
    {
        PLATFORM::SetCurrentDirectory(saved.c_str());
        gArguments.Clear();
        gLocale = 9;
    }
    void Read(std::vector<std::string> args)
    {
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        OMBIXAPP::ReadArguments(int(argv.size()), argv.data(), 9);
    }
    ARGS Arguments()
    {
        ARGS out;
        for (int i = 0; i < gArguments.Count(); ++i)
            out.push_back(gArguments[i].Text());
        return out;
    }
    SCRATCHDIR dir;
    std::string saved;
};

TEST_F(ReadArgumentsTest, ArgumentFileLinesFollowTheCommandLineTrimmedAndEmptyOnesSkipped)
{
    dir.Write("commandline.ini", "/LOGX\n\n \t/X \t\r\n   \nlast");
    Read({"self", "prog", "-LANG", "ger"});
    EXPECT_EQ(Arguments(), (ARGS{"self", "prog", "-LANG", "ger", "/LOGX", "/X", "", "last"}));
    EXPECT_EQ(gLocale, 7);
}

TEST_F(ReadArgumentsTest, LanguageNames)
{
    struct CASE {
        const char* value;
        int locale;
    } cases[] = {{"GER", 7}, {"engl", 9}, {"French", 12}, {"HUNGARIAN", 14}, {"SPANISH", 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Read({"self", "prog", std::string("/LANG:") + c.value});
        EXPECT_EQ(gLocale, c.locale);
    }
}

TEST_F(ReadArgumentsTest, ProgramDirectoryInABuildFolderOfTheSourceTree)
{
    std::filesystem::create_directories(dir.File("proj/Release"));
    dir.Write("proj/main.cpp", "");
    std::string root = dir.Path() + "\\proj";
    EXPECT_EQ(std::string(OMBIXAPP::FindProgramDir(STRING((root + "\\Release").c_str())).Text()), root);
    EXPECT_EQ(std::string(OMBIXAPP::FindProgramDir(STRING((root + "\\Other").c_str())).Text()),
              root + "\\Other");
    std::filesystem::create_directories(dir.File("plain/Debug"));
    std::string plain = dir.Path() + "\\plain\\Debug";
    EXPECT_EQ(std::string(OMBIXAPP::FindProgramDir(STRING(plain.c_str())).Text()), plain);
}

TEST(LanguageModule, SuffixByLanguageNumber)
{
    EXPECT_STREQ(OMBIXAPP::LanguageModuleSuffix(7), "german.dll");
    EXPECT_STREQ(OMBIXAPP::LanguageModuleSuffix(12), "french.dll");
    EXPECT_STREQ(OMBIXAPP::LanguageModuleSuffix(14), "hungarian.dll");
    EXPECT_STREQ(OMBIXAPP::LanguageModuleSuffix(10), "english.dll");
}

}  // namespace
