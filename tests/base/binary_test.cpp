#include "base/binary.h"

#include <gtest/gtest.h>

#include <string>

#include "base/stringarray.h"
#include "tests/support/testsupport.h"

namespace {

std::string Str(const STRING& s) { return s.Buffer ? std::string(s.Buffer, size_t(s.StrLen)) : "<nobuf>"; }

TEST(Binary, LoadReadsTheWholeFileWithAGranuleOfWholeBlocks)
{
    SCRATCHDIR dir;
    std::string content;
    for (int i = 0; i < 70000; ++i)
        content += char('a' + i % 26);
    dir.Write("big.bin", content);
    BINARY b;
    ASSERT_TRUE(b.Load(dir.File("big.bin").c_str(), "rb"));
    EXPECT_EQ(b.BlockSize, 131072);
    EXPECT_EQ(Str(b), content);

    BINARY missing("unchanged");
    EXPECT_FALSE(missing.Load(dir.File("none.bin").c_str(), "rb"));
    EXPECT_EQ(Str(missing), "unchanged");

    dir.Write("empty.bin", "");
    ASSERT_TRUE(b.Load(dir.File("empty.bin").c_str(), "rb"));
    EXPECT_TRUE(b.HasBuffer());
    EXPECT_EQ(b.Length(), 0);
}

TEST(Binary, SaveWritesTheBytesAndNothingForNoBuffer)
{
    SCRATCHDIR dir;
    std::string bytes("a\0b\xff", 4);
    BINARY b(STRING(bytes.data(), 4, 0));
    ASSERT_TRUE(b.Save(dir.File("out.bin").c_str(), "wb"));
    EXPECT_EQ(dir.Read("out.bin"), bytes);

    dir.Write("old.bin", "previous content");
    ASSERT_TRUE(BINARY().Save(dir.File("old.bin").c_str(), "wb"));
    EXPECT_EQ(dir.Read("old.bin"), "");

    EXPECT_FALSE(b.Save(dir.File("no\\such\\folder\\x.bin").c_str(), "wb"));
}


TEST(StringArrayLoad, LongLinesAndUnescape)
{
    SCRATCHDIR dir;
    std::string longLine(100000, 'x');
    dir.Write("long.txt", longLine + "\nshort\\tend\n");
    STRINGARRAY a;
    ASSERT_EQ(a.Load(dir.File("long.txt").c_str(), true), 2);
    EXPECT_EQ(Str(a[0]), longLine);
    EXPECT_EQ(Str(a[1]), "short\tend");
    STRINGARRAY raw;
    raw.Load(dir.File("long.txt").c_str(), false);
    EXPECT_EQ(Str(raw[1]), "short\\tend");
}

}  // namespace
