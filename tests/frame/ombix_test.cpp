#include "frame/ombix.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "frame/platform.h"
#include "tests/support/testsupport.h"

namespace {

// Opens a log into a scratch file for one test, and closes it again.
class LogTest : public testing::Test {
protected:
    void Open(const char* prefix = "/LOGIT:")
    {
        ASSERT_TRUE(OMBIXAPP::LogOption((prefix + dir.File("log.txt")).c_str()));
    }
    std::string CloseAndRead()
    {
        OMBIXAPP::LogOption("/LOGITCLOSE");
        return dir.Read("log.txt");
    }
    void TearDown() override
    {
        OMBIXAPP::LogOption("/LOGITCLOSE");
        LogitLevel = 0;
    }
    SCRATCHDIR dir;
};

TEST_F(LogTest, LinesCarryThePrefixAndAContinuedLineHasNone)
{
    Open("-logit:");
    LOGIT("first %d\n", 1);
    LOGIT("no line feed, ");
    LOGIT("continued\n");
    LOGIT("plain text without percent\n");
    std::string log = CloseAndRead();
    EXPECT_NE(log.find("Logging starts at "), std::string::npos);
    EXPECT_NE(log.find("Running as "), std::string::npos);
    std::regex prefixed(R"(\[\d{3}\.\d{3}:[0-9a-f]{4,5}\] first 1\r\n)");
    EXPECT_TRUE(std::regex_search(log, prefixed)) << log;
    std::regex continued(R"(\] no line feed, continued\r\n)");
    EXPECT_TRUE(std::regex_search(log, continued)) << log;
    EXPECT_NE(log.find("] plain text without percent\r\n"), std::string::npos);
}

TEST_F(LogTest, LevelMaskDecidesWhichLinesAppear)
{
    struct CASE {
        uint32_t mask, level;
        bool written;
    } cases[] = {
        {0, 0, true},       {0, 1, false},     {12, 12, true},     {12, 14, false},
        {15, 2, true},      {0x10F, 0x102, true}, {0x20F, 0x102, false}, {0x100, 0x100, true},
        {0x1, 0x100, false}, {0x103, 0x104, false},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mask) + "/" + std::to_string(c.level));
        LogitLevel = c.mask;
        EXPECT_EQ(LOGITLEVEL(c.level, nullptr), c.written);
        EXPECT_EQ(LOGITLEVEL(c.level, "level line\n"), c.written);
    }
}

TEST_F(LogTest, SwitchesThatAreNotLogSwitches)
{
    EXPECT_FALSE(OMBIXAPP::LogOption("/LOG"));
    EXPECT_FALSE(OMBIXAPP::LogOption("/LOGITX"));
    EXPECT_FALSE(OMBIXAPP::LogOption("plain"));
    EXPECT_FALSE(OMBIXAPP::LogActive());
    EXPECT_FALSE(LOGIT("nothing is written\n"));
}

TEST_F(LogTest, LongLinesAreCutAndReported)
{
    Open();
    ASSERTCATCHER catcher;
    std::string big(10000, 'z');
    LOGIT("%s\n", big.c_str());
    LOGIT("after\n");
    std::string log = CloseAndRead();
    EXPECT_TRUE(catcher.Saw("howmany < sizeof(logitbuf)"));
    EXPECT_NE(log.find(std::string(8000, 'z')), std::string::npos);
    EXPECT_EQ(log.find(std::string(8192, 'z')), std::string::npos);
    EXPECT_NE(log.find("] after\r\n"), std::string::npos);
}

TEST_F(LogTest, CrashDumpLevelOnlyRises)
{
    OMBIXAPP::LogOption("/CRASHDUMP:3");
    OMBIXAPP::LogOption("/CRASHDUMP:1");
    EXPECT_EQ(gCrashDumpLevel, 3);
}

class AssertTest : public testing::Test {
protected:
    // assert.log is a text file: CR LF line ends on Windows.
    std::string ReadAssertLog()
    {
        std::string text = dir.Read("assert.log"), out;
        for (char c : text)
            if (c != '\r')
                out += c;
        return out;
    }
    void SetUp() override
    {
        char cwd[1024];
        PLATFORM::CurrentDirectory(cwd, sizeof(cwd));
        saved = cwd;
        PLATFORM::SetCurrentDirectory(dir.Path().c_str());
    }
    void TearDown() override { PLATFORM::SetCurrentDirectory(saved.c_str()); }
    SCRATCHDIR dir;
    std::string saved;
};

TEST_F(AssertTest, UnderNoAssertAFailureIsAppendedToAssertLogWithoutABox)
{
    ASSERT_TRUE(OMBIXAPP::LogOption("/NOASSERT"));
    OMBIXAPP::SetIdentity("Setup", "1.00");
    PLATFORM::SetLastError(0);
    EXPECT_TRUE(ASSERT(true, "never", "x", 1));
    EXPECT_TRUE(ASSERT(false, "a==b", "src/base\\dynarray.cpp", 42, nullptr));
    EXPECT_TRUE(ASSERT(false, "second", "strings", 7, "more"));
    OMBIXAPP::LogOption("/NOASSERT");
    std::string log = ReadAssertLog();
    EXPECT_NE(log.find("--- Ombix Setup (1.00) --- "), std::string::npos) << log;
    EXPECT_NE(log.find("    Condition: a==b\n    Location : dynarray.cpp line 42\n"
                       "    Last Err.: 0L ()\n    Add. Info: <null>\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("    Condition: second\n"), std::string::npos);
}

TEST_F(AssertTest, GermanReport)
{
    ASSERTCATCHER catcher;
    gLocale = 7;
    PLATFORM::SetLastError(0);
    ASSERT(false, "x", "y", 3, "z");
    gLocale = 9;
    EXPECT_NE(ReadAssertLog().find("    Bedingung: x\n    Datei: y Zeile 3\n    Code : 0L ()\n    Info : z\n"),
              std::string::npos);
}

}  // namespace
