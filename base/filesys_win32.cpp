#include "base/filesys.h"

#include "frame/win32api.h"

#include <io.h>

#include <cstring>

#include "base/sysinfo.h"

namespace {

STRING WithoutTrailingSlash(STRING folder)
{
    while (folder.Length() > 0 && folder.Buffer[folder.StrLen - 1] == '\\')
        folder.SetLength(folder.StrLen - 1);
    return folder;
}

void AddFolder(STRINGARRAY* folders, const STRING& folder)
{
    STRING f = WithoutTrailingSlash(folder);
    if (f.Length() > 0)
        folders->Add(f);
}

STRING Environment(const char* name)
{
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? STRING(value) : STRING();
}

struct PROFILES {
    STRING directory;
    STRINGARRAY* folders;
};

// Every user's profile folder, not only the one of the user running the program.
void AddProfile(const FILESYS::ENTRY& entry, void* context)
{
    auto* profiles = static_cast<PROFILES*>(context);
    if (entry.name[0] != '.' && (entry.attributes & FILESYS::ATTR_DIRECTORY))
        profiles->folders->Add(profiles->directory + "\\" + entry.name);
}

}  // namespace

namespace FILESYS {

int Attributes(const char* path)
{
    DWORD a = GetFileAttributesA(path);
    return a == INVALID_FILE_ATTRIBUTES ? ATTR_NONE : int(a);
}

bool SetAttributes(const char* path, int attributes)
{
    return SetFileAttributesA(path, DWORD(attributes)) != FALSE;
}

bool Access(const char* path) { return _access(path, 0) == 0; }
bool DeleteFile(const char* path) { return DeleteFileA(path) != FALSE; }
bool MakeDir(const char* path) { return CreateDirectoryA(path, nullptr) != FALSE; }
// RemoveDirectoryA takes a junction or directory symbolic link away without entering it.
bool RemoveDir(const char* path) { return RemoveDirectoryA(path) != FALSE; }
bool MoveFile(const char* from, const char* to) { return MoveFileA(from, to) != FALSE; }

bool SameFile(const char* a, const char* b)
{
    auto open = [](const char* path) {
        return CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    };
    HANDLE ha = open(a);
    HANDLE hb = open(b);
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    bool same = ha != INVALID_HANDLE_VALUE && hb != INVALID_HANDLE_VALUE &&
                GetFileInformationByHandle(ha, &ia) && GetFileInformationByHandle(hb, &ib) &&
                ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
                ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    if (ha != INVALID_HANDLE_VALUE)
        CloseHandle(ha);
    if (hb != INVALID_HANDLE_VALUE)
        CloseHandle(hb);
    return same;
}

bool ListDirectory(const char* directory, const char* pattern, ENTRYVISITOR visit, void* context)
{
    STRING search = STRING(directory) + "\\" + pattern;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(search.Buffer, &data);
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do
        visit({data.cFileName, int(data.dwFileAttributes)}, context);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

STRING FullPath(const char* path)
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, sizeof(full), full, nullptr);
    return n > 0 && n < sizeof(full) ? STRING(full) : STRING();
}

void ProtectedFolders(STRINGARRAY* folders)
{
    char folder[MAX_PATH];
    UINT n = GetWindowsDirectoryA(folder, sizeof(folder));
    if (n > 0 && n < sizeof(folder))
        AddFolder(folders, folder);
    n = GetSystemDirectoryA(folder, sizeof(folder));
    if (n > 0 && n < sizeof(folder))
        AddFolder(folders, folder);
    static const char* const variables[] = {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432",
                                            "CommonProgramFiles", "USERPROFILE", "PUBLIC",
                                            "ALLUSERSPROFILE", "SystemRoot"};
    for (const char* name : variables)
        AddFolder(folders, Environment(name));
    // The folder that holds every user's profile.
    STRING profile = WithoutTrailingSlash(Environment("USERPROFILE"));
    STRING_SIZE_T cut = -1;
    for (STRING_SIZE_T i = 0; i < profile.Length(); ++i)
        if (profile.Buffer[i] == '\\')
            cut = i;
    if (cut <= 2)
        return;
    PROFILES profiles{profile.Left(cut), folders};
    AddFolder(folders, profiles.directory);
    ListDirectory(profiles.directory.Buffer, "*", &AddProfile, &profiles);
}

STRING DefaultTempFolder()
{
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof(folder), folder);
    return n > 0 && n < sizeof(folder) ? WithoutTrailingSlash(folder) : STRING();
}

bool UserName(char* buffer, int size)
{
    DWORD n = DWORD(size);
    return GetUserNameA(buffer, &n) != FALSE;
}

bool ComputerName(char* buffer, int size)
{
    DWORD n = DWORD(size);
    return GetComputerNameA(buffer, &n) != FALSE;
}

STRING SystemFolder(int type) { return OSYS::GetSystemPath(type); }

}  // namespace FILESYS

int FILESYS::Descriptor(FILE* stream) { return stream ? _fileno(stream) : -1; }
