#include "base/sysinfo.h"

#include "frame/win32api.h"

#include <cstdio>
#include <cstring>

#include "base/registry.h"
#include "frame/platform.h"

namespace {

constexpr const char* SOURCE = "sysinfo_win32";
constexpr const char* SHELLFOLDERS = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* RUNKEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct SHELLFOLDER {
    HKEY root;
    const char* key;
    const char* value;
};

// Types 3, 4 and 15 to 17 name nothing.
bool FolderOf(int type, SHELLFOLDER* folder)
{
    switch (type) {
    case 0: *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "Programs"}; return true;
    case 1: *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "Startup"}; return true;
    case 2:
        *folder = {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                   "ProgramFilesDir"};
        return true;
    case 5: *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "AppData"}; return true;
    case 6: case 14: case 18: case 19:
        *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "Personal"};
        return true;
    case 7: *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "My Pictures"}; return true;
    case 8: *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "Desktop"}; return true;
    case 9: *folder = {HKEY_CURRENT_USER, SHELLFOLDERS, "SendTo"}; return true;
    case 10: *folder = {HKEY_LOCAL_MACHINE, SHELLFOLDERS, "Common Programs"}; return true;
    case 11: *folder = {HKEY_LOCAL_MACHINE, SHELLFOLDERS, "Common Startup"}; return true;
    case 12:
        *folder = {HKEY_LOCAL_MACHINE, SHELLFOLDERS,
                   OSYS::GetWindowsVersion() == 0 ? "Common AppData" : "Common Documents"};
        return true;
    case 13: *folder = {HKEY_LOCAL_MACHINE, SHELLFOLDERS, "Common AppData"}; return true;
    default: return false;
    }
}

STRING ReadFolder(const SHELLFOLDER& folder, LONG* rc)
{
    HKEY key;
    *rc = RegOpenKeyExA(folder.root, folder.key, 0, KEY_READ, &key);
    if (*rc != ERROR_SUCCESS)
        return STRING();
    char raw[1024];
    DWORD size = sizeof(raw) - 1, type = 0;
    *rc = RegQueryValueExA(key, folder.value, nullptr, &type, reinterpret_cast<BYTE*>(raw), &size);
    RegCloseKey(key);
    if (*rc != ERROR_SUCCESS)
        return STRING();
    raw[size] = 0;
    char expanded[1024];
    DWORD n = ExpandEnvironmentStringsA(raw, expanded, sizeof(expanded));
    if (n == 0 || n > sizeof(expanded)) {
        *rc = ERROR_INSUFFICIENT_BUFFER;
        return STRING();
    }
    STRING path(expanded);
    if (path.Length() == 0 || path.Buffer[path.StrLen - 1] != '\\')
        path += "\\";
    return path;
}

STRING OwnPath()
{
    char self[MAX_PATH] = "";
    PLATFORM::ModulePath(self, sizeof(self));
    return STRING(self);
}

bool MeansSelf(const char* command, const STRING& self)
{
    return command == OSYS::AUTOSTART_SELF || ombix_stricmp(command, "<ownfile>") == 0 ||
           ombix_stricmp(command, "<self>") == 0 || self == command;
}

}  // namespace

STRING OSYS::GetSystemPath(int type)
{
    SHELLFOLDER folder;
    if (!FolderOf(type, &folder)) {
        ASSERTF(false, "FALSE", SOURCE, __LINE__, "type= %d", type);
        return STRING();
    }
    LONG rc = ERROR_SUCCESS;
    STRING path = ReadFolder(folder, &rc);
    if (rc != ERROR_SUCCESS) {
        char info[32];
        snprintf(info, sizeof(info), "GetSystemPath %d", type);
        ASSERT(false, "rc==ERROR_SUCCESS", SOURCE, __LINE__, info, true);
    }
    return path;
}

STRING OSYS::GetDate()
{
    char text[64];
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof(text)))
        return STRING();
    return STRING(text);
}

bool OSYS::SetAutostart(const char* valueName, const char* command)
{
    REGISTRY run(HKEY_CURRENT_USER, "", RUNKEY, REGISTRY_CREATE);
    if (!run.IsOpen())
        return false;
    if (!command)
        return run.DeleteValue(valueName);
    STRING self = OwnPath();
    STRING text;
    if (MeansSelf(command, self))
        text.Format("\"%s\"", self.Buffer);
    else
        text = command;
    // Autostart readers expect the terminating zero in the stored size.
    LONG rc = RegSetValueExA(run.hKey, valueName, 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.Buffer), DWORD(text.Length() + 1));
    LOGITLEVEL(2, "OSYS::SetAutostart value= %s; data=%s, error=%d\n", valueName ? valueName : "",
               text.Buffer, int(rc));
    return rc == ERROR_SUCCESS;
}
