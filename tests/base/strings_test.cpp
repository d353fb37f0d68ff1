#include "base/strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/testsupport.h"

namespace {

std::string Str(const STRING& s) { return s.Buffer ? std::string(s.Buffer, size_t(s.StrLen)) : "<nobuf>"; }

TEST(StringGrowth, AppendingOneByteAtATimeFollowsTheGranuleRule)
{
    STRING s;
    std::vector<int> sizes;
    int lastBlock = s.BlockSize;
    std::vector<std::pair<int, int>> blockChanges;  // buffer size at which the granule changed
    bool dynablockAt32k = false;
    for (int i = 0; i < 200000; ++i) {
        int before = s.BufLen;
        s.Append("x", 1);
        if (s.BufLen != before)
            sizes.push_back(s.BufLen);
        if (s.BlockSize != lastBlock) {
            blockChanges.push_back({s.BufLen, s.BlockSize});
            lastBlock = s.BlockSize;
        }
        if (s.BufLen > 32768 && !dynablockAt32k) {
            dynablockAt32k = true;
            EXPECT_TRUE(s.Flags & STRINGFLAG_DYNABLOCK);
            EXPECT_EQ(s.BlockSize, 32768);
        }
        ASSERT_EQ(s.StrLen, i + 1);
        ASSERT_EQ(s.Buffer[s.StrLen], 0);
    }
    ASSERT_GE(sizes.size(), 4u);
    EXPECT_EQ(sizes[0], 96);
    EXPECT_EQ(sizes[1], 192);
    EXPECT_EQ(sizes[2], 288);
    ASSERT_GE(blockChanges.size(), 4u);
    EXPECT_EQ(blockChanges[0], std::make_pair(1056, 1024));
    EXPECT_EQ(blockChanges[1], std::make_pair(4096, 2048));
    EXPECT_EQ(blockChanges[2], std::make_pair(8192, 4096));
    // Past 32 KiB each growth sets the granule to half the new buffer, in whole KiB.
    for (size_t i = 4; i < blockChanges.size(); ++i) {
        EXPECT_EQ(blockChanges[i].second % 1024, 0);
        EXPECT_GE(blockChanges[i].second, blockChanges[i].first / 2);
    }
}

TEST(StringGrowth, GranuleIsCappedAtTwoMebibytes)
{
    STRING s;
    s.Flags |= STRINGFLAG_DYNABLOCK;
    s.Make(8 * 1024 * 1024);
    s.Make(8 * 1024 * 1024 + 10);
    EXPECT_EQ(s.BlockSize, 2097152);
}

TEST(StringState, NoBufferAndEmptyTextAreDifferentInComparisonsAndConcatenation)
{
    STRING none, empty("");
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(none == "");
    EXPECT_TRUE(empty == "");
    EXPECT_FALSE(none == empty);
    EXPECT_TRUE(none == STRING());
    EXPECT_TRUE(STRING("ABC") == "abc");
    EXPECT_TRUE(STRING("abc") != "abd");

    EXPECT_EQ(Str(STRING("abc") + static_cast<const char*>(nullptr)), "abc<NULL>");
    EXPECT_EQ(Str(STRING("abc") + none), "abc<NULL>");
    EXPECT_EQ(Str(none + "x"), "x");
    STRING appended("abc");
    appended += none;
    EXPECT_EQ(Str(appended), "abc");
    EXPECT_LT(STRING("abc"), STRING("ABD"));
    EXPECT_GT(none, STRING("<MULL>"));

    STRING copy(none);
    EXPECT_FALSE(copy.HasBuffer());
    STRING target("text");
    target = none;
    EXPECT_FALSE(target.HasBuffer());
}

TEST(StringOps, ExtractionAndEditing)
{
    STRING abc("abc");
    EXPECT_EQ(Str(abc.Right(10)), "abc");
    EXPECT_EQ(Str(abc.Mid(5, 2)), "");
    EXPECT_EQ(Str(abc.Mid(1)), "bc");
    EXPECT_EQ(Str(abc.Left(2)), "ab");
    EXPECT_EQ(Str(STRING().Mid(0, 1)), "");

    STRING s("hello world");
    s.Delete(6, 5);
    EXPECT_EQ(Str(s), "hello");
    s.Insert(" there", 5);
    EXPECT_EQ(Str(s), "hello there");
    s.InsertChars(2, 0, '*');
    EXPECT_EQ(Str(s), "**hello there");
    s.CutLeft(2);
    s.CutRight(6);
    EXPECT_EQ(Str(s), "hello");
    s.CutRight(100);
    EXPECT_EQ(Str(s), "");
    EXPECT_TRUE(s.HasBuffer());

    STRING x("self");
    x.Append(x.Buffer);
    EXPECT_EQ(Str(x), "selfself");
}

TEST(StringOps, Tokens)
{
    struct CASE {
        const char* text;
        const char* separators;
        int n;
        uint32_t flags;
        const char* expected;  // nullptr: no buffer
    } cases[] = {
        {"a,,b", ",", 0, 0, "a"},
        {"a,,b", ",", 1, 0, ""},
        {"a,,b", ",", 2, 0, "b"},
        {"a,,b", ",", 3, 0, nullptr},
        {"a,,b", ",", 3, STRING_TOKEN_NONNULL, ""},
        {",a", ",", 0, 0, ""},
        {"x y z", " ", 1, 1, "y z"},
        {"a;b|c", ";|", 2, 0, "c"},
        {"one\ntwo", "\n", 1, 0, "two"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " #" + std::to_string(c.n));
        STRING t = STRING(c.text).Token(c.n, c.separators, c.flags);
        if (c.expected)
            EXPECT_EQ(Str(t), c.expected);
        else
            EXPECT_FALSE(t.HasBuffer());
    }
    EXPECT_FALSE(STRING().Token(0, ",").HasBuffer());
    EXPECT_EQ(Str(STRING("l1\nl2").Line(1)), "l2");
}

TEST(StringOps, SearchReplaceStrip)
{
    EXPECT_EQ(STRING("/logit").iPos("LOG"), 1);
    EXPECT_EQ(STRING("/logit").Pos("LOG"), -1);
    EXPECT_EQ(STRING("abcabc").Pos("c", 3), 5);
    EXPECT_EQ(STRING("abc").Pos("c", 3), -1);
    STRING_SIZE_T at = 0;
    EXPECT_FALSE(STRING("abc").Find("x", &at));
    EXPECT_EQ(at, -1);

    struct CASE {
        const char *text, *from, *to;
        bool caseSensitive;
        const char* expected;
    } cases[] = {
        {"aXa", "a", "aa", true, "aaXaa"},
        {"aXA", "a", "b", false, "bXb"},
        {"aXA", "a", "b", true, "bXA"},
        {"$DIR\\$DIR", "$DIR", "C:\\x", true, "C:\\x\\C:\\x"},
        {"abc", "", "x", true, "abc"},
        {"abc", "b", "b", true, "abc"},
        {"abc", "b", nullptr, true, "a<NULL>c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        STRING s(c.text);
        s.Replace(c.from, c.to, c.caseSensitive);
        EXPECT_EQ(Str(s), c.expected);
    }

    STRING s("  x \t");
    s.Strip('b', " \t");
    EXPECT_EQ(Str(s), "x");
    STRING l("..x..");
    l.Strip('L', ".");
    EXPECT_EQ(Str(l), "x..");
    STRING r("..x..");
    r.Strip('R', ".");
    EXPECT_EQ(Str(r), "..x");
    STRING all("...");
    all.Strip('B', ".");
    EXPECT_EQ(Str(all), "");

    ASSERTCATCHER catcher;
    STRING bad("x ");
    bad.Strip('Q', " ");
    EXPECT_EQ(Str(bad), "x ");
    EXPECT_TRUE(catcher.Saw("how=='L' || how=='R' || how=='B'"));
}

TEST(StringOps, FormatAndNumbers)
{
    STRING s;
    EXPECT_EQ(s.Format("%d-%s", 42, "x"), 4);
    EXPECT_EQ(Str(s), "42-x");
    s.AppendFormat("/%02d", 7);
    EXPECT_EQ(Str(s), "42-x/07");
    EXPECT_EQ(Str(STRING(-5)), "-5");
    EXPECT_EQ(Str(STRING(4000000000UL)), "4000000000");
    EXPECT_EQ(STRING("12abc").AsInt(), 12);
    EXPECT_EQ(STRING().AsInt(), 0);
    EXPECT_DOUBLE_EQ(STRING("2.5").AsDouble(), 2.5);
}

TEST(StringOps, FormatBeyondItsBufferIsReportedAndCut)
{
    ASSERTCATCHER catcher;
    std::string big(20000, 'q');
    STRING s;
    int n = s.Format("%s", big.c_str());
    EXPECT_TRUE(catcher.Saw("rc>=0 && rc<sizeof(buf)-1"));
    EXPECT_EQ(n, s.StrLen);
    EXPECT_GT(s.StrLen, 8000);
    EXPECT_LT(s.StrLen, 8192);
    EXPECT_EQ(s.Buffer[s.StrLen], 0);
}

TEST(StringAssertions, PreconditionsAreReportedWithTheirTexts)
{
    ASSERTCATCHER catcher;
    STRING s("abc");
    EXPECT_EQ(s.At(3), 0);
    EXPECT_EQ(s.At0(3), 0);
    EXPECT_EQ(s.At(1), 'b');
    s.SetLength(-1);
    s.CutLeft(-1);
    s.Insert(s.Buffer, 0);
    EXPECT_EQ(Str(s), "abc");
    ASSERT_EQ(catcher.Count(), 4u);
    EXPECT_EQ(catcher.Reports()[0].condition, "i>=0 && i<this->StrLen");
    EXPECT_EQ(catcher.Reports()[0].info, "i= 3, len= 3, buf= abc");
    EXPECT_EQ(catcher.Reports()[0].source, "strings");
    EXPECT_EQ(catcher.Reports()[1].condition, "newlength>=0");
    EXPECT_EQ(catcher.Reports()[2].condition, "howmany>=0");
    EXPECT_EQ(catcher.Reports()[3].condition, "text!=this->Buffer");
}

class NullRule : public testing::Test {
protected:
    void SetMode(const char* mode)
    {
        // putenv keeps the pointer, so the texts must outlive the test.
        static char off[] = "OMBIXFAILONNULL=", one[] = "OMBIXFAILONNULL=1",
                    three[] = "OMBIXFAILONNULL=3";
        putenv(!mode ? off : mode[0] == '1' ? one : three);
    }
    void TearDown() override { SetMode(nullptr); }
};

TEST_F(NullRule, NullTextsReadAsNullMarkerUnlessTheVariableSaysOtherwise)
{
    ASSERTCATCHER catcher;
    STRING s("a");
    s.Append(nullptr);
    EXPECT_EQ(Str(s), "a<NULL>");
    EXPECT_EQ(catcher.Count(), 0u);

    SetMode("1");
    STRING quiet("a");
    quiet.Append(nullptr);
    EXPECT_EQ(Str(quiet), "a");
    EXPECT_EQ(catcher.Count(), 0u);

    SetMode("3");
    STRING loud("a");
    loud.Append(nullptr);
    EXPECT_EQ(Str(loud), "a");
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Reports()[0].condition, "p!=NULL");
    EXPECT_EQ(catcher.Reports()[0].info, "STRING::Append op1");
    EXPECT_EQ(STRING().Pos("x"), -1);
    ASSERT_EQ(catcher.Count(), 2u);
    EXPECT_EQ(catcher.Reports()[1].info, "Pos Buffer");
}

}  // namespace
