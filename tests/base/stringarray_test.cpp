#include "base/stringarray.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/testsupport.h"

namespace {

std::string Str(const STRING& s) { return s.Buffer ? std::string(s.Buffer, size_t(s.StrLen)) : "<nobuf>"; }

TEST(StringArray, SplittingKeepsEmptyPieces)
{
    STRINGARRAY a(STRING("a,b,"), ",");
    ASSERT_EQ(a.Count(), 3);
    EXPECT_EQ(Str(a[0]), "a");
    EXPECT_EQ(Str(a[1]), "b");
    EXPECT_EQ(Str(a[2]), "");
    EXPECT_EQ(STRINGARRAY(STRING(), ",").Count(), 0);
    EXPECT_EQ(STRINGARRAY(STRING(""), ",").Count(), 1);
}

TEST(StringArray, GrowsByItsStepAndReportsBadIndexes)
{
    STRINGARRAY a(64);
    for (int i = 0; i < 64; ++i)
        a.Add(STRING(i));
    EXPECT_EQ(a.MaxItems, 64);
    a.Add(STRING("65th"));
    EXPECT_EQ(a.MaxItems, 128);
    EXPECT_EQ(Str(a[64]), "65th");

    ASSERTCATCHER catcher;
    EXPECT_EQ(a.Get(65), nullptr);
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Reports()[0].condition, "FALSE");
    EXPECT_EQ(catcher.Reports()[0].info.rfind("i= 65, max= 128, count= 65, type= STRINGARRAY", 0), 0u);
    EXPECT_FALSE(a.Insert(70, STRING("x")));
    EXPECT_EQ(catcher.Reports()[1].info, "70/65");
}

TEST(StringArray, CopiesAreDeepAndDeletingClosesTheGap)
{
    STRINGARRAY a(4);
    a.Add(STRING("one"));
    a.Add(STRING("two"));
    a.Add(STRING("three"));
    STRINGARRAY b(a);
    b[0] = "changed";
    EXPECT_EQ(Str(a[0]), "one");
    a.DeleteItem(1);
    ASSERT_EQ(a.Count(), 2);
    EXPECT_EQ(Str(a[1]), "three");
    a.Swap(0, 1);
    EXPECT_EQ(Str(a[0]), "three");
    a.Clear();
    EXPECT_EQ(a.MaxItems, 0);
    a.Add(STRING("again"));
    EXPECT_EQ(a.MaxItems, 64);
}

TEST(StringArray, FindModes)
{
    STRINGARRAY a(8);
    for (const char* s : {"Alpha", "beta gamma", "007"})
        a.Add(STRING(s));
    struct CASE {
        const char* text;
        int mode;
        int expected;
    } cases[] = {
        {"alpha", FIND_EQUAL, 0}, {"alp", FIND_EQUAL, -1}, {"ALP", FIND_PREFIX, 0},
        {"GAMMA", FIND_CONTAINS, 1}, {"7", FIND_NUMERIC, 2}, {"x", FIND_CONTAINS, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(a.Find(c.text, c.mode), c.expected);
    }
}

TEST(StringArrayLoad, LinesComeFirstAndOddFilesAreReadSafely)
{
    SCRATCHDIR dir;
    struct CASE {
        const char* name;
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"plain", "one\ntwo\n", {"one", "two"}},
        {"nofinal", "one\ntwo", {"one", "two"}},
        {"emptylines", "\n\nx\n", {"", "", "x"}},
        {"emptylast", "\n\nx\n\n", {"", "", "x", ""}},
        {"empty", "", {}},
        {"withzero", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
        {"long", std::string(70000, 'L') + "\nshort\n", {std::string(70000, 'L'), "short"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.content);
        STRINGARRAY a(4);
        a.Add(STRING("old"));
        EXPECT_EQ(a.Load(dir.File(c.name).c_str()), int(c.lines.size()));
        ASSERT_EQ(a.Count(), int(c.lines.size()) + 1);
        for (size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(Str(a[int(i)]), c.lines[i]);
        EXPECT_EQ(Str(a[a.Count() - 1]), "old");
    }
    STRINGARRAY missing(4);
    EXPECT_EQ(missing.Load(dir.File("absent").c_str()), 0);
    EXPECT_EQ(missing.Count(), 0);
}

}  // namespace
