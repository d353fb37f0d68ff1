#include "base/filename.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/filesys.h"
#include "tests/support/testsupport.h"

namespace {

STRING FakeFolder(int type)
{
    switch (type) {
    case 5: return STRING("C:\\Users\\u\\AppData\\Roaming\\");
    case 6: case 14: return STRING("C:\\Users\\u\\Documents\\");
    case 7: return STRING("C:\\Users\\u\\Pictures/");
    case 8: return STRING("C:\\Users\\u\\Desktop\\");
    case 12: return STRING("C:\\Users\\Public\\Documents\\");
    case 13: return STRING("C:\\ProgramData\\");
    default: return STRING();
    }
}

// Every test starts with the built-in entries over fixed folders.
class FilenameTest : public testing::Test {
protected:
    void SetUp() override { FILENAME::SetFolderSource(&FakeFolder); }
    void TearDown() override { FILENAME::SetFolderSource(nullptr); }
};

std::string Str(const STRING& s) { return s.Text(); }

struct CASE {
    const char* input;
    const char* expected;
};

TEST_F(FilenameTest, ConstructionExpandsLeadingShellStringsAndNormalises)
{
    const CASE cases[] = {
        {"%APPDATA%\\Vok\\x.ini", "C:\\Users\\u\\AppData\\Roaming\\Vok\\x.ini"},
        {"$(APPDATA)\\x", "C:\\Users\\u\\AppData\\Roaming\\x"},
        {"%appdata%/Vok/", "C:\\Users\\u\\AppData\\Roaming\\Vok"},
        {"$(appdata)", "C:\\Users\\u\\AppData\\Roaming"},
        {"C:\\%APPDATA%", "C:\\%APPDATA%"},
        {"x\\%APPDATA%\\y", "x\\%APPDATA%\\y"},
        {"~/notes.txt", "C:\\Users\\u\\Documents\\notes.txt"},
        {"~\\notes.txt", "C:\\Users\\u\\Documents\\notes.txt"},
        {"~notes.txt", "~notes.txt"},
        {"%USERHOME%\\a", "C:\\Users\\u\\Documents\\a"},
        {"%USERPROFILE%", "C:\\Users\\u\\Documents"},
        {"%USERDOCUMENTS%\\b", "C:\\Users\\u\\Documents\\b"},
        {"%USERDESKTOP%\\c.lnk", "C:\\Users\\u\\Desktop\\c.lnk"},
        {"%USERPICTURES%\\p", "C:\\Users\\u\\Pictures\\p"},
        {"%ALLUSERAPPDATA%\\Vok", "C:\\ProgramData\\Vok"},
        {"%ALLUSERPROFILE%\\Vok", "C:\\Users\\Public\\Documents\\Vok"},
        {"%NOSUCHTHING%\\x", "%NOSUCHTHING%\\x"},
        {"$NOTANALIAS\\x", "$NOTANALIAS\\x"},
        {"C:\\Temp\\", "C:\\Temp"},
        {"C:\\", "C:"},
        {"C:/a/b//", "C:\\a\\b"},
        {"relative/name.txt", "relative\\name.txt"},
        {"", ""},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.input);
        FILENAME name(c.input);
        EXPECT_EQ(Str(name), c.expected);
        EXPECT_EQ(Str(FILENAME(STRING(c.input))), c.expected);
    }
}

TEST_F(FilenameTest, NullTextGivesAnEmptyPath)
{
    FILENAME name(static_cast<const char*>(nullptr));
    EXPECT_TRUE(name.HasBuffer());
    EXPECT_EQ(name.Length(), 0);
}

TEST_F(FilenameTest, UserAndComputerNamesAreReplacedAnywhere)
{
    char user[256] = "<NULL>", computer[256] = "<N/A>";
    FILESYS::UserName(user, sizeof(user));
    FILESYS::ComputerName(computer, sizeof(computer));
    EXPECT_EQ(Str(FILENAME("C:\\Users\\%username%\\x")), std::string("C:\\Users\\") + user + "\\x");
    EXPECT_EQ(Str(FILENAME("\\\\%COMPUTERNAME%\\share\\%USERNAME%")),
              std::string("\\\\") + computer + "\\share\\" + user);
}

TEST_F(FilenameTest, JoiningADirectoryAndAName)
{
    struct JOIN {
        const char* directory;
        const char* name;
        const char* expected;
    };
    const JOIN cases[] = {
        {"C:\\a", "b.txt", "C:\\a\\b.txt"},
        {"C:\\a\\", "b", "C:\\a\\b"},
        {"C:/a/", "b/c/", "C:\\a\\b\\c"},
        {"C:\\", "x", "C:\\x"},
        {"C:\\a", "D:\\b", "D:\\b"},
        {"C:\\a", "D:b", "D:b"},
        {"C:\\a", "\\b", "\\b"},
        {"C:\\a", "/b", "\\b"},
        {"C:\\a", "~/n.txt", "C:\\Users\\u\\Documents\\n.txt"},
        {"C:\\a", "%APPDATA%\\v", "C:\\Users\\u\\AppData\\Roaming\\v"},
        {"%APPDATA%", "Vok\\x.ini", "C:\\Users\\u\\AppData\\Roaming\\Vok\\x.ini"},
        {"", "b", ".\\b"},
        {nullptr, "b", ".\\b"},
        {"C:\\a", "", "C:\\a"},
    };
    for (const JOIN& c : cases) {
        SCOPED_TRACE(std::string(c.directory ? c.directory : "<null>") + " + " + c.name);
        EXPECT_EQ(Str(FILENAME(c.directory, c.name)), c.expected);
        EXPECT_EQ(Str(FILENAME(STRING(c.directory), STRING(c.name))), c.expected);
    }
}

TEST_F(FilenameTest, JoiningThreeParts)
{
    struct JOIN3 {
        const char* directory;
        const char* subdirectory;
        const char* name;
        const char* expected;
    };
    const JOIN3 cases[] = {
        {"C:\\a", "sub", "f.txt", "C:\\a\\sub\\f.txt"},
        {"C:\\a\\", "sub\\", "f.txt", "C:\\a\\sub\\f.txt"},
        {"C:\\a", "", "f.txt", "C:\\a\\f.txt"},
        {"C:\\a", ".\\.", "f.txt", "C:\\a\\f.txt"},
        {"", "", "f.txt", ".\\f.txt"},
        {"C:\\a", "sub", "D:\\f.txt", "D:\\f.txt"},
        {"%APPDATA%", "Vok", "x.ini", "C:\\Users\\u\\AppData\\Roaming\\Vok\\x.ini"},
    };
    for (const JOIN3& c : cases) {
        SCOPED_TRACE(std::string(c.directory) + " + " + c.subdirectory + " + " + c.name);
        EXPECT_EQ(Str(FILENAME(c.directory, c.subdirectory, c.name)), c.expected);
    }
}

TEST_F(FilenameTest, AssignmentNormalisesWithoutExpanding)
{
    FILENAME name("C:\\x");
    name = "%APPDATA%/Vok/";
    EXPECT_EQ(Str(name), "%APPDATA%\\Vok");
    name = STRING("C:\\");
    EXPECT_EQ(Str(name), "C:");
    FILENAME other("D:\\y");
    other = name;
    EXPECT_EQ(Str(other), "C:");
    FILENAME copy(other);
    EXPECT_EQ(Str(copy), "C:");
}

TEST_F(FilenameTest, NameAndPathParts)
{
    struct PARTS {
        const char* path;
        const char* name;
        const char* directory;
        bool absolute;
    };
    const PARTS cases[] = {
        {"C:\\dir\\file.txt", "file.txt", "C:\\dir", true},
        {"C:\\file", "file", "C:", true},
        {"C:file", "file", ".", true},
        {"file", "file", ".", false},
        {"a\\b\\c", "c", "a\\b", false},
        {"\\\\server\\share", "share", "\\\\server", true},
        {"\\top", "top", "", true},
        {"~notes", "notes", ".", true},
        {"", "", ".", false},
    };
    for (const PARTS& c : cases) {
        SCOPED_TRACE(c.path);
        FILENAME name;
        name = c.path;
        EXPECT_EQ(Str(name.GetName()), c.name);
        EXPECT_EQ(Str(name.GetPath()), c.directory);
        EXPECT_EQ(name.IsAbsolute(), c.absolute);
    }
}

TEST_F(FilenameTest, SelfIsTheProgramPath)
{
    char self[256] = "";
    ASSERT_TRUE(PLATFORM::ModulePath(self, sizeof(self)));
    FILENAME expected;
    expected = self;
    EXPECT_EQ(Str(FILENAME("<self>")), Str(expected));
    EXPECT_EQ(Str(FILENAME("<SELF>")), Str(expected));
    EXPECT_EQ(Str(FILENAME("C:\\elsewhere", "<self>")), Str(expected));
}

TEST_F(FilenameTest, TempNamesAreNewAndUnique)
{
    const char* env = getenv("TEMP");
    FILENAME folder;
    folder = env && *env ? STRING(env) : FILESYS::DefaultTempFolder();
    FILENAME first("<tmp>"), second("<TEMP>");
    EXPECT_EQ(Str(first.GetPath()), Str(folder));
    EXPECT_EQ(Str(second.GetPath()), Str(folder));
    EXPECT_NE(Str(first), Str(second));
    EXPECT_EQ(FILESYS::Attributes(first.Buffer), FILESYS::ATTR_NONE);
}

TEST_F(FilenameTest, DefinedShellStringsExpandByNameAndAlias)
{
    EXPECT_TRUE(FILENAME::ShellStringSet("%PRODUCT%", "D:\\Prod\\"));
    EXPECT_EQ(Str(FILENAME("%PRODUCT%\\bin")), "D:\\Prod\\bin");
    EXPECT_EQ(Str(FILENAME("$(PRODUCT)\\bin")), "D:\\Prod\\bin");
    EXPECT_TRUE(FILENAME::ShellStringSet("%PRODUCT%", "E:\\Other"));
    EXPECT_EQ(Str(FILENAME("%PRODUCT%\\bin")), "E:\\Other\\bin");
    EXPECT_TRUE(FILENAME::ShellStringSet("%APPDATA%", "F:\\Roaming"));
    EXPECT_EQ(Str(FILENAME("%APPDATA%\\x")), "F:\\Roaming\\x");
}

TEST_F(FilenameTest, TheLongestNameWinsWhenOneStartsAnother)
{
    // Defined shortest first: the table must still try the longer name before the shorter.
    ASSERT_TRUE(FILENAME::ShellStringSet("$HOME", "H:\\home"));
    ASSERT_TRUE(FILENAME::ShellStringSet("$HOMEDIR", "D:\\dir"));
    EXPECT_EQ(Str(FILENAME("$HOMEDIR\\x")), "D:\\dir\\x");
    EXPECT_EQ(Str(FILENAME("$HOME\\x")), "H:\\home\\x");
}

TEST_F(FilenameTest, TheTableHoldsThirtyTwoEntries)
{
    int defined = 0;
    for (int i = 0; i < FILENAME_SHELLSTRINGS; ++i) {
        std::string name = "%EXTRA" + std::to_string(i) + "%";
        defined += FILENAME::ShellStringSet(name.c_str(), "X:\\x") ? 1 : 0;
    }
    EXPECT_EQ(defined, FILENAME_SHELLSTRINGS - 8);
    EXPECT_EQ(Str(FILENAME("%EXTRA0%\\y")), "X:\\x\\y");
    EXPECT_EQ(Str(FILENAME("%APPDATA%\\y")), "C:\\Users\\u\\AppData\\Roaming\\y");
}

TEST_F(FilenameTest, AMissingFolderLeavesItsNameAlone)
{
    FILENAME::SetFolderSource([](int) { return STRING(); });
    EXPECT_EQ(Str(FILENAME("%APPDATA%\\x")), "%APPDATA%\\x");
}

}  // namespace
