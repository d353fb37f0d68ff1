#include "base/osysfile.h"

#include "frame/win32api.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/sysinfo.h"
#include "tests/base/treetest.h"

namespace {

// The mount-point form of the reparse data (the driver kit's REPARSE_DATA_BUFFER).
struct MOUNTPOINTDATA {
    DWORD ReparseTag;
    WORD ReparseDataLength;
    WORD Reserved;
    WORD SubstituteNameOffset;
    WORD SubstituteNameLength;
    WORD PrintNameOffset;
    WORD PrintNameLength;
    WCHAR PathBuffer[MAX_PATH * 2];
};

std::wstring Wide(const char* text)
{
    wchar_t buffer[MAX_PATH * 2];
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, MAX_PATH * 2);
    return n > 0 ? std::wstring(buffer) : std::wstring();
}

bool MakeJunction(const char* link, const char* target)
{
    if (!CreateDirectoryA(link, nullptr))
        return false;
    HANDLE h = CreateFileA(link, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        RemoveDirectoryA(link);
        return false;
    }
    std::wstring substitute = L"\\??\\" + Wide(target);
    MOUNTPOINTDATA data{};
    data.ReparseTag = IO_REPARSE_TAG_MOUNT_POINT;
    WORD bytes = WORD(substitute.size() * sizeof(WCHAR));
    memcpy(data.PathBuffer, substitute.c_str(), bytes + sizeof(WCHAR));
    data.SubstituteNameLength = bytes;
    data.PrintNameOffset = WORD(bytes + sizeof(WCHAR));
    data.ReparseDataLength = WORD(8 + bytes + 2 * sizeof(WCHAR));
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, &data, data.ReparseDataLength + 8,
                              nullptr, 0, &returned, nullptr);
    CloseHandle(h);
    if (!ok)
        RemoveDirectoryA(link);
    return ok != FALSE;
}

bool IsFollowedLink(const char* link, const char* target)
{
    DWORD attributes = GetFileAttributesA(link);
    bool reparse = attributes != INVALID_FILE_ATTRIBUTES &&
                   (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                   (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return reparse && GetFileAttributesA((std::string(link) + "\\" + target).c_str()) !=
                          INVALID_FILE_ATTRIBUTES;
}

// Runs a program of the host that Wine starts for us (Z: is the host's root).
bool RunHostCommand(const char* program, const char* argument1, const char* argument2)
{
    using UNIXNAME = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UNIXNAME>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return false;
    std::string command = std::string("Z:\\bin\\") + program;
    for (const char* argument : {argument1, argument2}) {
        if (!argument)
            continue;
        char* name = unixName(Wide(argument).c_str());
        if (!name)
            return false;
        command += std::string(" \"") + name + "\"";
        HeapFree(GetProcessHeap(), 0, name);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Wine 8 accepts CreateSymbolicLinkA and junctions without making either, but shows a symbolic
// link of the host as a directory reparse point: make one of those with the host's ln.
bool MakeHostLink(const char* link, const char* target, const char* inside)
{
    if (!RunHostCommand("ln -s", target, link))
        return false;
    // The wait for a host process can return before the process has done its work.
    for (int i = 0; i < 100 && !IsFollowedLink(link, inside); ++i)
        Sleep(50);
    return IsFollowedLink(link, inside);
}

// A directory link by whatever means this system offers; true when it is there and followed.
bool MakeDirectoryLink(const char* link, const char* target, const char* inside)
{
    using CREATELINK = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    auto createLink = reinterpret_cast<CREATELINK>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    constexpr DWORD DIRECTORY = 0x1, UNPRIVILEGED = 0x2;
    if (createLink && createLink(link, target, DIRECTORY | UNPRIVILEGED) &&
        IsFollowedLink(link, inside))
        return true;
    if (MakeJunction(link, target) && IsFollowedLink(link, inside))
        return true;
    return MakeHostLink(link, target, inside);
}

class LinkTest : public TreeTest {
protected:
    void SetUp() override
    {
        MakeDir("outside\\inner");
        WriteFile("outside\\precious.txt", "keep me");
        WriteFile("outside\\inner\\deep.txt", "me too");
        MakeDir("product\\sub");
        WriteFile("product\\sub\\f.txt", "f");
        if (!MakeDirectoryLink(Path("product\\link").Buffer, Path("outside").Buffer,
                               "precious.txt"))
            GTEST_SKIP() << "this system makes no directory link that it follows";
    }
    void TearDown() override
    {
        if (Exists("product\\link") && !RemoveDirectoryA(Path("product\\link").Buffer))
            RunHostCommand("rm", Path("product\\link").Buffer, nullptr);
        TreeTest::TearDown();
    }
    // Wine cannot remove a host's link to a directory at all; elsewhere the link must go.
    void ExpectLinkGone()
    {
        if (Exists("product\\link")) {
            EXPECT_FALSE(RemoveDirectoryA(Path("product\\link").Buffer))
                << "the link was left although the system removes it";
        }
    }
    void ExpectOutsideIntact()
    {
        EXPECT_EQ(ReadFile("outside\\precious.txt"), "keep me");
        EXPECT_EQ(ReadFile("outside\\inner\\deep.txt"), "me too");
    }
};

TEST_F(LinkTest, ListFilesListsALinkButDoesNotEnterIt)
{
    STRINGARRAY list(16);
    OSYS::ListFiles(Path("product"), "*", &list, true);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list[i].Text());
    for (const std::string& name : names)
        EXPECT_EQ(name.find("precious.txt"), std::string::npos) << name;
    EXPECT_NE(std::find(names.begin(), names.end(), Str(Path("product\\link"))), names.end());
}

TEST_F(LinkTest, DeleteTreeRemovesTheLinkNotWhatItPointsTo)
{
    OSYS::DeleteTree(Path("product"), "*", true);
    EXPECT_FALSE(Exists("product\\sub"));
    ExpectLinkGone();
    ExpectOutsideIntact();
}

TEST_F(LinkTest, DeleteTreeOnALinkRemovesOnlyTheLink)
{
    EXPECT_EQ(OSYS::DeleteTree(Path("product\\link"), "*", true), 1);
    ExpectLinkGone();
    ExpectOutsideIntact();
}

TEST(ProtectedFolderTest, SystemAndUserFoldersAreRefused)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    const char* profile = getenv("USERPROFILE");
    ASSERT_NE(profile, nullptr);
    FILENAME::SetFolderSource(nullptr);
    FILENAME profiles(profile);
    FILENAME otherUser(profiles.GetPath(), "ombixtestuser");
    ASSERT_TRUE(otherUser.MakeDir() || otherUser.IsDirectory());
    STRING folders[] = {STRING(windows), OSYS::GetSystemPath(2), STRING(profile),
                        profiles.GetPath(), otherUser,
                        OSYS::GetSystemPath(6), OSYS::GetSystemPath(5), STRING("C:\\"),
                        STRING(windows) + "\\System32\\.."};
    for (const STRING& folder : folders) {
        SCOPED_TRACE(folder.Text());
        ASSERTCATCHER catcher;
        // A pattern that matches nothing: should the refusal ever fail, nothing is lost.
        EXPECT_EQ(OSYS::DeleteTree(folder, "no-such-file-*.xyz", false), 0);
        EXPECT_TRUE(catcher.Saw("!IsProtectedFolder(directory)"));
        EXPECT_TRUE(FILENAME(folder).IsDirectory());
    }
    otherUser.RemoveDir();
}

TEST_F(TreeTest, ShareModesFollowTheOpenMode)
{
    WriteFile("shared", "s");
    STRING name = Path("shared");
    FILE* writer = FILENAME::fsopen(name.Buffer, "r+");
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(FILENAME::fsopen(name.Buffer, "r"), nullptr);
    fclose(writer);

    FILE* reader = FILENAME::fsopen(name.Buffer, "rb");
    ASSERT_NE(reader, nullptr);
    FILE* second = FILENAME::fsopen(name.Buffer, "rb");
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(FILENAME::fsopen(name.Buffer, "ab"), nullptr);
    if (second)
        fclose(second);
    fclose(reader);

    FILE* open = FILENAME::fsopen(name.Buffer, "w", PLATFORM::SHARE_DENYNO);
    ASSERT_NE(open, nullptr);
    FILE* alongside = FILENAME::fsopen(name.Buffer, "r", PLATFORM::SHARE_DENYNO);
    EXPECT_NE(alongside, nullptr);
    if (alongside)
        fclose(alongside);
    fclose(open);
}

TEST_F(TreeTest, CreateDirectoryPathNeverCreatesTheServerOfAUncPath)
{
    // Wine finds \\server\share in the prefix's dosdevices\unc folder.
    const char* prefix = getenv("WINEPREFIX");
    if (!prefix || !*prefix)
        GTEST_SKIP() << "needs Wine's UNC folder";
    FILENAME unc;
    unc = (std::string("Z:") + prefix + "\\dosdevices\\unc").c_str();
    FILENAME share(unc, ("ombixsrv\\share" + std::to_string(GetCurrentProcessId())).c_str());
    ASSERT_TRUE(OSYS::CreateDirectoryPath(share));
    STRING target = STRING("\\\\ombixsrv\\share") + STRING(int(GetCurrentProcessId())) + "\\new";
    bool ok = OSYS::CreateDirectoryPath(target);
    bool madeNew = FILENAME(share, "new").IsDirectory();
    OSYS::DeleteTree(FILENAME(unc, "ombixsrv"), "*", true);
    if (!ok)
        GTEST_SKIP() << "this Wine does not reach UNC paths through dosdevices";
    EXPECT_TRUE(madeNew);
}

}  // namespace
