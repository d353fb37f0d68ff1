#include "base/hash.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/testsupport.h"

namespace {

std::string Str(const STRING& s) { return s.Buffer ? std::string(s.Buffer, size_t(s.StrLen)) : "<nobuf>"; }

std::vector<std::pair<std::string, std::string>> Entries(const HASH& h)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (int i = 0; i < h.Count(); ++i)
        out.push_back({Str(*h.Keys.Get(i)), Str(*h.Values.Get(i))});
    return out;
}

const char* const SETUPCFG =
    "// a comment line\r\n"
    "# another comment\r\n"
    "#x=1\r\n"
    "\r\n"
    "#Key=abc\r\n"
    "#Handle=12\r\n"
    "Product=My Program\r\n"
    "Product = X\r\n"
    "A=b=c\r\n"
    "Text=one\\ntwo\r\n"
    "Data=={{SGVsbG8=}}\r\n"
    "zeta=first\r\n"
    "ZETA=second\r\n"
    "no equals sign here\r\n"
    "Empty=\r\n"
    "Last=no line end";

TEST(Hash, LoadsTheConfigurationFormat)
{
    SCRATCHDIR dir;
    dir.Write("setup.cfg", SETUPCFG);
    HASH h;
    h["Old"] = "dropped";
    ASSERTCATCHER catcher;
    ASSERT_TRUE(h.Load(dir.File("setup.cfg").c_str()));

    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Reports()[0].condition, "item.Find(\"=\")");
    EXPECT_EQ(catcher.Reports()[0].source, "stringarray");
    EXPECT_EQ(catcher.Reports()[0].info, "no equals sign here");

    std::vector<std::pair<std::string, std::string>> expected = {
        {"A", "b=c"},
        {"Data", "Hello"},
        {"Empty", ""},
        {"Last", "no line end"},
        {"Product", "My Program"},
        {"Product ", " X"},
        {"Text", "one\ntwo"},
        {"zeta", "first"},
        {"ZETA", "second"},
    };
    EXPECT_EQ(Entries(h), expected);
    EXPECT_EQ(h.Handle, 12);
    EXPECT_EQ(Str(h.Key), "abc");
    EXPECT_FALSE(h.Exists("Old"));
    EXPECT_TRUE(h["Data"].Flags & STRINGFLAG_DECODED);
    EXPECT_FALSE(h["Text"].Flags & STRINGFLAG_DECODED);
    EXPECT_EQ(Str(h["Zeta"]), "first");
    EXPECT_EQ(Str(h["product "]), " X");
}

TEST(Hash, UnreadableFileLeavesTheTable)
{
    SCRATCHDIR dir;
    HASH h;
    h["Kept"] = "yes";
    h.Key = "k";
    EXPECT_FALSE(h.Load(dir.File("missing.cfg").c_str()));
    EXPECT_EQ(Str(h["Kept"]), "yes");

    dir.Write("nokey.cfg", "A=1\n");
    ASSERT_TRUE(h.Load(dir.File("nokey.cfg").c_str()));
    EXPECT_FALSE(h.Exists("Kept"));
    EXPECT_EQ(Str(h.Key), "k");  // a file without "#Key" keeps the table's key
}

TEST(Hash, ReadingAnAbsentKeyAddsItExistsDoesNot)
{
    HASH h;
    EXPECT_FALSE(h.Exists("Missing"));
    EXPECT_EQ(h.Count(), 0);
    EXPECT_FALSE(h["Missing"].HasBuffer());
    EXPECT_EQ(h.Count(), 1);
    EXPECT_TRUE(h.Exists("MISSING"));
    EXPECT_EQ(h.FindKey("nothing"), -1);
}

TEST(Hash, InsertionKeepsKeysSortedAndRemoveTakesTheValueAlong)
{
    HASH h;
    for (const char* k : {"m", "B", "z", "a", "Y", "c"})
        h[k] = (std::string("v") + k).c_str();
    std::vector<std::string> keys;
    for (int i = 0; i < h.Count(); ++i)
        keys.push_back(Str(*h.Keys.Get(i)));
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "B", "c", "m", "Y", "z"}));
    EXPECT_EQ(Str(h["y"]), "vY");
    EXPECT_TRUE(h.Remove("M"));
    EXPECT_FALSE(h.Remove("m"));
    EXPECT_EQ(h.FindKey("Y"), 3);
    EXPECT_EQ(Str(*h.Values.Get(3)), "vY");
    STRINGARRAY copy = h.GetKeys();
    EXPECT_EQ(copy.Count(), 5);
}

TEST(Hash, LockedTableRefusesNewKeys)
{
    HASH h;
    h["a"] = "1";
    h.LockTable = 1;
    ASSERTCATCHER catcher;
    EXPECT_EQ(Str(h["a"]), "1");
    EXPECT_EQ(catcher.Count(), 0u);
    EXPECT_FALSE(h["b"].HasBuffer());
    EXPECT_TRUE(catcher.Saw("!this->LockTable"));
    EXPECT_FALSE(h.Exists("b"));
}

// The binary search must give the answer of a linear scan that stops at the first key not
// below the wanted one, duplicates included.
TEST(Hash, LookupsAgreeWithALinearScanOverDuplicates)
{
    std::string text;
    std::vector<std::pair<std::string, std::string>> lines;
    unsigned seed = 7;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245 + 12345;
        std::string key = std::string(1, char('a' + (seed >> 16) % 6)) + char('A' + (seed >> 8) % 3);
        lines.push_back({key, std::to_string(i)});
        text += key + "=" + std::to_string(i) + "\n";
    }
    HASH h{STRING(text.c_str())};
    // Straight at the slots: every Get is a system mutex round trip, slow under Wine.
    STRING** keys = h.Keys.ppItems;
    for (int i = 1; i < h.Count(); ++i)
        ASSERT_LE(ombix_stricmp(keys[i - 1]->Text(), keys[i]->Text()), 0);
    for (const auto& [key, value] : lines) {
        SCOPED_TRACE(key);
        std::string first;
        for (const auto& [k, v] : lines)
            if (ombix_stricmp(k.c_str(), key.c_str()) == 0) {
                first = v;
                break;
            }
        EXPECT_EQ(Str(h[key.c_str()]), first);
        int linear = 0;
        while (linear < h.Count() && ombix_stricmp(keys[linear]->Text(), key.c_str()) < 0)
            ++linear;
        EXPECT_EQ(h.FindKey(key.c_str()), linear);
    }
}

TEST(Hash, CopyIsDeep)
{
    HASH h{STRING("#Handle=3\n#Key=x\nA=1\n")};
    HASH c = h;
    c["A"] = "2";
    EXPECT_EQ(Str(h["A"]), "1");
    EXPECT_EQ(c.Handle, 3);
    EXPECT_EQ(Str(c.Key), "x");
}

TEST(Hash, UnknownEscapeInAValueIsReported)
{
    ASSERTCATCHER catcher;
    HASH h{STRING("Path=C:\\dir\n")};
    EXPECT_TRUE(catcher.Saw("FALSE"));
    EXPECT_EQ(Str(h["Path"]), "C:dir");
}

}  // namespace
