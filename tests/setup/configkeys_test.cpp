#include "setup/configkeys.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using ENTRIES = std::map<std::string, std::string>;

HASH Table(const ENTRIES& entries)
{
    HASH table;
    for (const auto& [key, value] : entries)
        table[key.c_str()] = value.c_str();
    return table;
}

// Keys compare without regard to case, so the map's keys are given in their stored form.
ENTRIES Entries(const HASH& table)
{
    ENTRIES out;
    STRINGARRAY keys = table.GetKeys();
    for (int i = 0; i < keys.Count(); ++i)
        out[keys[i].Text()] = const_cast<HASH&>(table)[keys[i]].Text();
    return out;
}

TEST(FoldLanguageKeys, Cases)
{
    struct CASE {
        const char* name;
        const char* suffix;
        ENTRIES before, after;
    } cases[] = {
        {"own language wins over the plain key", ".DE",
         {{"WelcomeMsg", "Welcome"}, {"WelcomeMsg.de", "Willkommen"}},
         {{"WelcomeMsg", "Willkommen"}}},
        {"a foreign language form is removed", ".DE",
         {{"WelcomeMsg", "Welcome"}, {"WelcomeMsg.FR", "Bienvenue"}},
         {{"WelcomeMsg", "Welcome"}}},
        {"a dotted key that is no language form is removed", ".DE",
         {{"Setup.Mode", "x"}, {"Plain", "y"}},
         {{"Plain", "y"}}},
        {"the suffix alone folds into the empty key", ".DE", {{".DE", "v"}}, {{"", "v"}}},
        {"a missing suffix text removes every dotted key", "<STR-ERR>",
         {{"A.DE", "1"}, {"B.<STR-ERR>", "2"}, {"C", "3"}},
         {{"B.", "2"}, {"C", "3"}}},
        {"continuations after a gap are appended in index order", ".DE",
         {{"FinishMsg", "a"}, {"FinishMsg_0", "b"}, {"FinishMsg_2", "c"}, {"FinishMsg_24", "z"}},
         {{"FinishMsg", "abc"}, {"FinishMsg_24", "z"}}},
        {"continuations without their base key stay", ".DE",
         {{"Lonely_0", "x"}},
         {{"Lonely_0", "x"}}},
        {"a key holding _ is never extended", ".DE",
         {{"My_Key", "a"}, {"My_Key_0", "b"}},
         {{"My_Key", "a"}, {"My_Key_0", "b"}}},
        {"a folded language form takes its continuations", ".DE",
         {{"FinishMsg.DE", "x"}, {"FinishMsg_0", "y"}},
         {{"FinishMsg", "xy"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HASH table = Table(c.before);
        FoldLanguageKeys(table, c.suffix);
        EXPECT_EQ(Entries(table), c.after);
    }
}

TEST(ConfigReaders, DefaultsAreStoredAndKindsRead)
{
    HASH table = Table({{"Number", "-12abc"}, {"Empty", ""}, {"List", "a||b|"}, {"Flag", "2"}});
    EXPECT_EQ(ConfigNumber(table, "Number"), -12);
    EXPECT_EQ(ConfigNumber(table, "Empty", "7"), 0);
    EXPECT_EQ(ConfigNumber(table, "Absent", "7"), 7);
    EXPECT_STREQ(table["Absent"].Text(), "7");
    EXPECT_TRUE(ConfigFlag(table, "Flag"));
    EXPECT_FALSE(ConfigFlag(table, "NoFlag", "0"));
    EXPECT_FALSE(ConfigText(table, "Missing").HasBuffer());
    EXPECT_TRUE(table.Exists("Missing"));

    STRINGARRAY list = ConfigList(table, "List");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_STREQ(list[1].Text(), "b");
    EXPECT_EQ(ConfigList(table, "List", true).Count(), 4);
    EXPECT_EQ(ConfigList(table, "Nothing").Count(), 0);

    STRING fields("Test|Name");
    EXPECT_STREQ(ListField(fields, 1).Text(), "Name");
    EXPECT_TRUE(ListField(fields, 2).HasBuffer());
    EXPECT_EQ(ListField(fields, 2).Length(), 0);
}

TEST(DefaultInstallDir, EarlierFolderThenStarFormThenProgramFiles)
{
    STRING programFiles("C:\\Program Files\\");
    EXPECT_STREQ(DefaultInstallDir("D:\\Old", true, "Maker\\Product", programFiles).Text(), "D:\\Old");
    EXPECT_STREQ(DefaultInstallDir("D:\\Gone", false, "Maker\\Product", programFiles).Text(),
                 "C:\\Program Files\\Maker\\Product");
    EXPECT_STREQ(DefaultInstallDir(STRING(), false, "*C:\\Apps\\X", programFiles).Text(), "C:\\Apps\\X");
    EXPECT_STREQ(DefaultInstallDir(STRING(), false, STRING(), programFiles).Text(), "C:\\Program Files\\");
}

}  // namespace
