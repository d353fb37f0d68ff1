#include "base/wstring.h"

#include <gtest/gtest.h>

#include <string>

#include "base/unicode.h"
#include "tests/support/testsupport.h"

namespace {

using WIDETEXT = std::basic_string<WIDECHAR>;

WIDETEXT W(const char* ascii)
{
    WIDETEXT out;
    for (const char* p = ascii; *p; ++p)
        out += WIDECHAR((unsigned char)*p);
    return out;
}

WIDETEXT Text(const WSTRING& s) { return s.Buffer() ? WIDETEXT(s.Buffer(), size_t(s.Length())) : W("<nobuf>"); }
std::string Str(const STRING& s) { return s.Buffer ? std::string(s.Buffer, size_t(s.StrLen)) : "<nobuf>"; }

TEST(WString, ConversionsThroughCodePages)
{
    struct CASE {
        const char* bytes;
        int codePage;
        WIDETEXT wide;
    } cases[] = {
        {"Gr\xfc\xdf" "e \x80", 1252, WIDETEXT{'G', 'r', 0xFC, 0xDF, 'e', ' ', 0x20AC}},
        {"\x81", 1252, WIDETEXT{127}},                        // no character for the byte
        {"\x82\xe1", 437, WIDETEXT{0xE9, 0xDF}},
        {"\x82", 850, WIDETEXT{0x201A}},                      // read as 1252
        {"\x80\x8a", UNICODE_CPFLAT, WIDETEXT{0x80, 0x8A}},
        {"\xc1\x01", 1251, WIDETEXT{0x0411, 0x0001}},
        {"\xc1", 20866, WIDETEXT{0x0430}},
        {"\xa4", 28605, WIDETEXT{0x20AC}},
        {"\x8a", 10000, WIDETEXT{0xE4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        WSTRING w(c.bytes, -1, c.codePage);
        EXPECT_EQ(Text(w), c.wide);
    }
    EXPECT_EQ(Str(STRING(W("Gr\xfc\xdf").c_str(), -1, 1252)), "Gr\xfc\xdf");
    EXPECT_EQ(Str(STRING(WIDETEXT{0x20AC, 0x4E00, 'x'}.c_str(), -1, 1252)), "\x80?x");
    EXPECT_EQ(Str(STRING(WIDETEXT{0x0411}.c_str(), 1, 1251)), "\xc1");
    EXPECT_EQ(Str(STRING(WIDETEXT{0x0411, 0xE9}.c_str(), 2, 850)), "?\x82");
    EXPECT_EQ(Str(STRING(WIDETEXT{0x41, 0x141}.c_str(), 2, UNICODE_CPFLAT)), "A?");
}

TEST(WString, SystemCodePageRoundTrip)
{
    WSTRING w("Setup 1.00", -1, UNICODE_CPSYSTEM);
    EXPECT_EQ(Text(w), W("Setup 1.00"));
    EXPECT_EQ(Str(STRING(w, UNICODE_CPSYSTEM)), "Setup 1.00");
}

TEST(WString, FromAStringUsesItsCodePage)
{
    STRING s("\xc1", 1251);
    EXPECT_EQ(Text(WSTRING(s)), WIDETEXT{0x0411});
    EXPECT_FALSE(WSTRING(STRING()).HasBuffer());
    EXPECT_TRUE(WSTRING("", -1, 1252).HasBuffer());
    EXPECT_EQ(WSTRING("abc", 2, 1252).Length(), 2);
    WSTRING copy = WSTRING(W("abc").c_str());
    EXPECT_EQ(copy.Buffer()[3], 0);
    EXPECT_TRUE(copy.Str.Flags & STRINGFLAG_WIDE);
}

TEST(WString, UnknownCodePageAndLengthConfusionAreReported)
{
    ASSERTCATCHER catcher;
    WSTRING w("a", -1, 4711);
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Reports()[0].condition, "idx!=-1");
    EXPECT_EQ(catcher.Reports()[0].info, "codepage :4711");
    EXPECT_EQ(Text(w), W("a"));
    catcher.Clear();
    WSTRING x("abc", UNICODE_CPSYSTEM, 1252);
    EXPECT_TRUE(catcher.Saw("len!=UNICODE_CPSYSTEM && len!=UNICODE_CPFLAT"));
    catcher.Clear();
    STRING y(W("abc").c_str(), UNICODE_CPFLAT, 1252);
    EXPECT_TRUE(catcher.Saw("length!=UNICODE_CPSYSTEM && length!=UNICODE_CPFLAT"));
}

TEST(WString, PosAndReplace)
{
    WSTRING w(W("abcabc").c_str());
    struct CASE {
        const char* text;
        int start, expected;
    } cases[] = {{"bc", 0, 1}, {"bc", 2, 4}, {"BC", 0, -1}, {"c", 6, -1}, {"abcabcx", 0, -1}, {"a", -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(w.Pos(W(c.text).c_str(), c.start), c.expected);
    }
    EXPECT_EQ(w.Replace(W("b").c_str(), W("XYZ").c_str()), 2);
    EXPECT_EQ(Text(w), W("aXYZcaXYZc"));
    EXPECT_EQ(w.Replace(W("XYZ").c_str(), W("").c_str()), 2);
    EXPECT_EQ(Text(w), W("acac"));
    EXPECT_EQ(w.Replace(W("q").c_str(), W("r").c_str()), 0);
    EXPECT_EQ(w.Replace(W("a").c_str(), W("aa").c_str()), 2);
    EXPECT_EQ(Text(w), W("aacaac"));
    EXPECT_EQ(w.Buffer()[w.Length()], 0);
}

}  // namespace

namespace {

TEST(WStringArray, CompareItemsModesAndCopies)
{
    WSTRINGARRAY a(2);
    a.Add(WSTRING(W("abc").c_str()));
    a.Add(WSTRING(W("ABD").c_str()));
    a.Add(WSTRING(W(" -12x").c_str()));
    EXPECT_EQ(a.MaxItems, 66);  // initial 2, then the growth step of 64
    EXPECT_LT(a.CompareItems(a[0], a[1], 0x10), 0);
    EXPECT_GT(a.CompareItems(a[0], a[1], 0), 0);  // lower case sorts after upper case
    EXPECT_EQ(a.CompareItems(a[0], WSTRING(W("ABC").c_str()), 0x10), 0);
    EXPECT_EQ(a.CompareItems(a[2], WSTRING(W("-12").c_str()), 1), 0);
    EXPECT_EQ(a.CompareItems(a[2], WSTRING(W("3").c_str()), 1), -15);
    WSTRINGARRAY b(a);
    b[0] = W("changed").c_str();
    EXPECT_EQ(Text(a[0]), W("abc"));
    EXPECT_EQ(std::string(a.TypeName), "WSTRINGARRAY");
}

}  // namespace
