#include "base/sysinfo.h"

#include <gtest/gtest.h>

#include <string>

#include "base/filename.h"
#include "base/registry.h"
#include "frame/platform.h"
#include "frame/win32api.h"
#include "tests/support/testsupport.h"

namespace {

std::string Str(const STRING& s) { return s.Text(); }

TEST(SystemPathTest, DocumentsFolderEndsWithABackslashAndAgreesWithTheLog)
{
    STRING documents = OSYS::GetSystemPath(18);
    ASSERT_GT(documents.Length(), 1);
    EXPECT_EQ(documents.Buffer[documents.StrLen - 1], '\\');
    char logFolder[1024];
    ASSERT_TRUE(PLATFORM::DocumentsFolder(logFolder, sizeof(logFolder)));
    EXPECT_EQ(Str(documents), logFolder);
    for (int type : {6, 14, 19})
        EXPECT_EQ(Str(OSYS::GetSystemPath(type)), Str(documents)) << type;
}

TEST(SystemPathTest, TheFoldersWineKnows)
{
    ASSERTCATCHER catcher;
    for (int type : {0, 1, 2, 5, 7, 8, 9, 10, 11, 12, 13}) {
        STRING folder = OSYS::GetSystemPath(type);
        SCOPED_TRACE(type);
        ASSERT_GT(folder.Length(), 3);
        EXPECT_EQ(folder.Buffer[folder.StrLen - 1], '\\');
        EXPECT_EQ(folder.Pos("%"), -1) << folder.Text();
    }
    EXPECT_EQ(catcher.Count(), 0u);
}

TEST(SystemPathTest, TypesWithoutAFolderAreAssertions)
{
    for (int type : {3, 4, 15, 16, 17, 20, -1}) {
        SCOPED_TRACE(type);
        ASSERTCATCHER catcher;
        EXPECT_FALSE(OSYS::GetSystemPath(type).HasBuffer());
        EXPECT_TRUE(catcher.Saw("FALSE"));
    }
}

TEST(SystemPathTest, AMissingValueIsAQuietAssertion)
{
    REGISTRY folders(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                     "Shell Folders", REGISTRY_WRITE);
    ASSERT_TRUE(folders.IsOpen());
    STRING sendTo;
    ASSERT_TRUE(folders.Read("SendTo", sendTo));
    ASSERT_TRUE(folders.DeleteValue("SendTo"));
    ASSERTCATCHER catcher;
    STRING missing = OSYS::GetSystemPath(9);
    folders.Write("SendTo", sendTo.Buffer);
    EXPECT_FALSE(missing.HasBuffer());
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Reports()[0].condition, "rc==ERROR_SUCCESS");
    EXPECT_EQ(catcher.Reports()[0].info, "GetSystemPath 9");
    EXPECT_TRUE(catcher.Reports()[0].quiet);
}

TEST(SystemPathTest, TheBuiltInShellStringsUseTheSystemFolders)
{
    FILENAME::SetFolderSource(nullptr);
    STRING appData = OSYS::GetSystemPath(5);
    appData.SetLength(appData.Length() - 1);
    EXPECT_EQ(Str(FILENAME("%APPDATA%\\Vok\\x.ini")), Str(appData + "\\Vok\\x.ini"));
    STRING documents = OSYS::GetSystemPath(6);
    EXPECT_EQ(Str(FILENAME("~/notes.txt")), Str(documents + "notes.txt"));
}

TEST(WindowsVersionTest, IsTheClassTheLogUses)
{
    int version = OSYS::GetWindowsVersion();
    EXPECT_EQ(version, PLATFORM::WindowsVersionClass());
    EXPECT_GE(version, 1);
    EXPECT_LE(version, 5);
}

TEST(ErrorStringTest, SuccessUnknownCodesAndTheLastError)
{
    STRING success = OSYS::GetLastErrorString(0);
    EXPECT_GT(success.Length(), 0);
    EXPECT_STRNE(success.Text(), "<no error>");
    char last = success.Buffer[success.StrLen - 1];
    EXPECT_TRUE(last != '\r' && last != '\n');
    EXPECT_STREQ(OSYS::GetLastErrorString(0x2F7E1234).Text(), "<no error>");

    STRING notFound = OSYS::GetLastErrorString(ERROR_FILE_NOT_FOUND);
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Str(OSYS::GetLastErrorString(OSYS::LASTERROR)), Str(notFound));
    EXPECT_NE(Str(notFound), Str(success));
}

TEST(DateTimeTest, TodayInTheUsersFormats)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    STRING date = OSYS::GetDate();
    EXPECT_NE(Str(date).find(std::to_string(now.wYear % 100)), std::string::npos) << date.Text();
    STRING time = OSYS::GetTime();
    EXPECT_NE(time.Pos(":"), -1) << time.Text();
}

TEST(CurrentDirectoryTest, ChangesAndComesBack)
{
    SCRATCHDIR dir;
    STRING before = OSYS::GetCurrentDirectory();
    ASSERT_TRUE(before.HasBuffer());
    ASSERT_TRUE(OSYS::SetCurrentDirectory(dir.Path().c_str()));
    EXPECT_EQ(OSYS::GetCurrentDirectory(), STRING(dir.Path().c_str()));
    EXPECT_FALSE(OSYS::SetCurrentDirectory((dir.Path() + "\\none").c_str()));
    EXPECT_TRUE(OSYS::SetCurrentDirectory(before.Buffer));
}

class AutostartTest : public testing::Test {
protected:
    void TearDown() override { OSYS::SetAutostart(NAME, nullptr); }
    static std::string Stored(DWORD* size)
    {
        REGISTRY run(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion", "Run",
                     REGISTRY_READ);
        char buffer[600] = "";
        *size = sizeof(buffer) - 1;
        if (!run.Read(NAME, buffer, size))
            return "<none>";
        return buffer;
    }
    static constexpr const char* NAME = "OmbixTestAutostart";
};

TEST_F(AutostartTest, SelfStoresTheQuotedProgramPath)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string quoted = std::string("\"") + self + "\"";
    for (const char* command : {"<self>", "<OWNFILE>", static_cast<const char*>(self),
                                OSYS::AUTOSTART_SELF}) {
        ASSERT_TRUE(OSYS::SetAutostart(NAME, command));
        DWORD size = 0;
        EXPECT_EQ(Stored(&size), quoted);
        EXPECT_EQ(size, quoted.size() + 1);
        ASSERT_TRUE(OSYS::SetAutostart(NAME, nullptr));
        EXPECT_EQ(Stored(&size), "<none>");
    }
}

TEST_F(AutostartTest, OtherCommandsAreStoredAsTheyAre)
{
    ASSERT_TRUE(OSYS::SetAutostart(NAME, "C:\\Vok\\vok.exe /minimized"));
    DWORD size = 0;
    EXPECT_EQ(Stored(&size), "C:\\Vok\\vok.exe /minimized");
    EXPECT_TRUE(OSYS::SetAutostart(NAME, nullptr));
    EXPECT_FALSE(OSYS::SetAutostart(NAME, nullptr));
}

}  // namespace
