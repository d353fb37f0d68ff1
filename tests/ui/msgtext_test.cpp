#include "ui/msgtext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LAYOUTCASE {
    const char* name;
    std::string text;
    int column;
    bool force;
    std::string expected;
};

std::string Layout(const std::string& text, int column, bool force)
{
    STRING result = LayoutMessageText(STRING(text.c_str()), column, force);
    return std::string(result.Text(), size_t(result.Length()));
}

TEST(LayoutMessageText, JoinsLinesKeepsParagraphsAndIndents)
{
    const LAYOUTCASE cases[] = {
        {"single break joins", "first\r\nsecond", 55, false, "first second"},
        {"bare LF joins", "first\nsecond", 55, false, "first second"},
        {"bare CR joins", "first\rsecond", 55, false, "first second"},
        {"paragraph keeps both breaks", "first\r\n\r\nsecond", 55, false, "first\r\rsecond"},
        {"blank before the break", "first \r\nsecond", 55, false, "first second"},
        {"indented line keeps its break", "first\r\n  second", 55, false, "first\r  second"},
        {"tab-indented line", "first\r\n\tsecond", 55, false, "first\r\tsecond"},
        {"no wrap without force on a wrapping system", std::string(70, 'a') + " b", 55, false,
         std::string(70, 'a') + " b"},
        {"column -1 never wraps unless forced", "a b c", -1, false, "a b c"},
        {"first character is always kept", "\r\nx", 55, false, "\rx"},
        {"last character is always kept", "x\r\n", 55, false, "x\r"},
        {"short text unchanged", "x", 55, true, "x"},
        {"empty text", "", 55, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Layout(c.text, c.column, c.force), c.expected);
    }
}

TEST(LayoutMessageText, NoWrapMarkerKeepsTheRestAsItIs)
{
    const LAYOUTCASE cases[] = {
        {"marker removed, breaks normalised", "##NOWRAP##\r\nline one\r\nline two\n", 55, true,
         "line one\rline two\r"},
        {"marker ignores case", "##nowrap##\rA\rB", 55, false, "A\rB"},
        {"long line is not wrapped", "##NOWRAP##\n" + std::string(60, 'x') + " y z", 10, true,
         std::string(60, 'x') + " y z"},
        {"marker only at the start", "x##NOWRAP##\ry", 55, false, "x##NOWRAP## y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Layout(c.text, c.column, c.force), c.expected);
    }
}

TEST(LayoutMessageText, ForcedWrappingBreaksAtTheFirstBlankPastTheColumn)
{
    // 50 letters, blank, 9 letters, blank (the 61st character), 9 letters: the first blank at
    // or after character 56 becomes the break.
    std::string line = std::string(50, 'a') + " " + std::string(9, 'b') + " " + std::string(9, 'c');
    ASSERT_EQ(line.size(), 70u);
    EXPECT_EQ(Layout(line, 55, true),
              std::string(50, 'a') + " " + std::string(9, 'b') + "\r" + std::string(9, 'c'));

    std::string exact = std::string(55, 'a') + " tail";
    EXPECT_EQ(Layout(exact, 55, true), std::string(55, 'a') + "\rtail")
        << "a blank that is the 56th character breaks";
    std::string before = std::string(54, 'a') + " tail";
    EXPECT_EQ(Layout(before, 55, true), before) << "the 55th character still fits";

    std::string twoLines = std::string(60, 'a') + " " + std::string(60, 'b') + " c";
    EXPECT_EQ(Layout(twoLines, 55, true),
              std::string(60, 'a') + "\r" + std::string(60, 'b') + "\rc")
        << "the counter starts again after each break";

    std::string paragraph = std::string(40, 'a') + "\r\n\r\n" + std::string(40, 'b') + " c";
    EXPECT_EQ(Layout(paragraph, 55, true),
              std::string(40, 'a') + "\r\r" + std::string(40, 'b') + " c")
        << "a kept break resets the counter";
}

}  // namespace
