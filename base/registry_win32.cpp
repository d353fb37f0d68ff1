#include "base/registry.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr const char* SOURCE = "registry_win32";

STRING JoinKeyPath(const char* basekey, const char* subkey)
{
    STRING path(basekey ? basekey : "");
    const char* sub = subkey ? subkey : "";
    while (*sub == '\\')
        ++sub;
    // An empty base key needs no separator: a key path must not begin with "\".
    if (path.Length() > 0 && path.Buffer[path.StrLen - 1] != '\\' && *sub)
        path += "\\";
    path += sub;
    while (path.Length() > 0 && path.Buffer[path.StrLen - 1] == '\\')
        path.SetLength(path.StrLen - 1);
    return path;
}

HKEY RootFor(INT_PTR user)
{
    if (user == 0)
        return HKEY_LOCAL_MACHINE;
    if (user == 1)
        return HKEY_CURRENT_USER;
    return reinterpret_cast<HKEY>(user);
}

const char* Name(const char* value) { return value ? value : "<default>"; }

}  // namespace

REGISTRY::REGISTRY(const char* app, const char* basekey, INT_PTR user)
{
    bool plainName = !app || app[0] != '<';
    ASSERT(plainName, "app[0]!='<'", SOURCE, __LINE__, app);
    Open(RootFor(user), basekey, app, REGISTRY_CREATE);
    if (!hKey)
        LOGITLEVEL(2, "REGISTRY::Constructor failed for app=%s, basekey=%s, user=%d\n",
                   app ? app : "<NULL>", basekey ? basekey : "<NULL>", int(user));
}

REGISTRY::REGISTRY(HKEY root, const char* basekey, const char* subkey, int mode)
{
    Open(root, basekey, subkey, mode);
}

REGISTRY::~REGISTRY() { Close(); }

void REGISTRY::Open(HKEY root, const char* basekey, const char* subkey, int mode)
{
    hRoot = root;
    KeyPath = JoinKeyPath(basekey, subkey);
    LONG rc = ERROR_INVALID_PARAMETER;
    switch (mode) {
    case REGISTRY_READ: rc = RegOpenKeyExA(root, KeyPath.Buffer, 0, KEY_READ, &hKey); break;
    case REGISTRY_WRITE:
        rc = RegOpenKeyExA(root, KeyPath.Buffer, 0, KEY_READ | KEY_WRITE, &hKey);
        break;
    case REGISTRY_CREATE:
        rc = RegCreateKeyExA(root, KeyPath.Buffer, 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr);
        break;
    default: ASSERT(false, "FALSE", SOURCE, __LINE__); break;
    }
    if (rc != ERROR_SUCCESS)
        hKey = nullptr;
    LOGITLEVEL(2, "REGISTRY::Open key=%s, mode=%d, error=%d\n", KeyPath.Text(), mode, int(rc));
}

bool REGISTRY::Read(const char* value, STRING& data)
{
    std::vector<BYTE> buffer(2048);
    DWORD type = 0, size = DWORD(buffer.size());
    LONG rc = hKey ? RegQueryValueExA(hKey, value, nullptr, &type, buffer.data(), &size)
                   : ERROR_INVALID_HANDLE;
    while (rc == ERROR_MORE_DATA) {
        buffer.resize(size);
        rc = RegQueryValueExA(hKey, value, nullptr, &type, buffer.data(), &size);
    }
    LOGITLEVEL(2, "REGISTRY::Read key=%s, ok=%d, error=%d\n", Name(value), int(rc == ERROR_SUCCESS),
               int(rc));
    if (rc != ERROR_SUCCESS)
        return false;
    // Writers differ in whether they store the terminating zero; the text never holds it.
    if (type == REG_SZ)
        while (size > 0 && buffer[size - 1] == 0)
            --size;
    data.Make(STRING_SIZE_T(size), reinterpret_cast<const char*>(buffer.data()));
    return true;
}

bool REGISTRY::Read(const char* value, void* buffer, DWORD* size)
{
    DWORD capacity = size ? *size : 0;
    DWORD type = 0, got = capacity;
    LONG rc = hKey && size ? RegQueryValueExA(hKey, value, nullptr, &type,
                                              static_cast<BYTE*>(buffer), &got)
                           : ERROR_INVALID_HANDLE;
    LOGITLEVEL(2, "REGISTRY::Read key=%s, ok=%d, error=%d\n", Name(value), int(rc == ERROR_SUCCESS),
               int(rc));
    if (rc != ERROR_SUCCESS)
        return false;
    if (got < capacity)
        static_cast<BYTE*>(buffer)[got] = 0;
    *size = got;
    return true;
}

bool REGISTRY::Write(const char* value, const char* text)
{
    const char* t = text ? text : "";
    LONG rc = hKey ? RegSetValueExA(hKey, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(t),
                                    DWORD(strlen(t)))
                   : ERROR_INVALID_HANDLE;
    LOGITLEVEL(2, "REGISTRY::Write String value= %s; data=%s, error=%08x\n", Name(value), t,
               unsigned(rc));
    return rc == ERROR_SUCCESS;
}

bool REGISTRY::Write(const char* value, const void* bytes, DWORD length)
{
    LONG rc = hKey ? RegSetValueExA(hKey, value, 0, REG_BINARY, static_cast<const BYTE*>(bytes),
                                    length)
                   : ERROR_INVALID_HANDLE;
    LOGITLEVEL(2, "REGISTRY::Write binary value= %s, error=%08x\n", Name(value), unsigned(rc));
    return rc == ERROR_SUCCESS;
}

bool REGISTRY::WriteNumber(const char* value, DWORD number)
{
    LONG rc = hKey ? RegSetValueExA(hKey, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                    sizeof(number))
                   : ERROR_INVALID_HANDLE;
    LOGITLEVEL(2, "REGISTRY::Write DWORD value= %s; data=%ld, error=%08x\n", Name(value),
               long(number), unsigned(rc));
    return rc == ERROR_SUCCESS;
}

bool REGISTRY::DeleteValue(const char* value)
{
    LONG rc = hKey ? RegDeleteValueA(hKey, value) : ERROR_INVALID_HANDLE;
    LOGITLEVEL(2, "REGISTRY::delete value= %s, error=%d\n", Name(value), int(rc));
    return rc == ERROR_SUCCESS;
}

bool REGISTRY::DeleteKey(const char* subkey, bool recursive)
{
    LONG rc = ERROR_INVALID_HANDLE;
    if (hKey)
        rc = recursive ? LONG(SHDeleteKeyA(hKey, subkey)) : RegDeleteKeyA(hKey, subkey);
    LOGITLEVEL(2, "REGISTRY::delete key= %s, error=%d\n", subkey ? subkey : "<NULL>", int(rc));
    return rc == ERROR_SUCCESS;
}

void REGISTRY::Close()
{
    if (!hKey)
        return;
    RegCloseKey(hKey);
    hKey = nullptr;
}

DLLINTERFACE::DLLINTERFACE(const char* library, const char* function)
{
    LOGIT("DLLINTERFACE::DLLINTERFACE dllname= %s\n", library ? library : "<NULL>");
    Load(library, function);
    LOGIT("DLLINTERFACE::DLLINTERFACE done, hdll= %p\n", static_cast<void*>(hDll));
}

DLLINTERFACE::~DLLINTERFACE()
{
    LOGIT("DLLINTERFACE::~DLLINTERFACE this->DllName= %s\n", DllName);
    Unload();
    LOGIT("DLLINTERFACE::~DLLINTERFACE\n");
}

bool DLLINTERFACE::Load(const char* path, const char* function)
{
    Unload();
    LOGIT("DLLINTERFACE::Load %s %s\n", path ? path : "<NULL>", function ? function : "<NULL>");
    snprintf(DllName, sizeof(DllName), "%s", path ? path : "");
    hDll = path ? LoadLibraryA(path) : nullptr;
    bool ok = hDll != nullptr;
    if (ok && function) {
        snprintf(FunctionName, sizeof(FunctionName), "%s", function);
        DefaultFunction = GetProcAddress(hDll, function);
        ok = DefaultFunction != nullptr;
    }
    LOGIT("DLLINTERFACE::Load returns %d\n", int(ok));
    return ok;
}

FARPROC DLLINTERFACE::GetFunction(const char* name)
{
    if (!quiet)
        LOGIT("DLLINTERFACE::GetFunction %s from %s\n", name ? name : FunctionName, DllName);
    FARPROC f = !name ? DefaultFunction : hDll ? GetProcAddress(hDll, name) : nullptr;
    if (!quiet)
        LOGIT("DLLINTERFACE::GetFunction %s for %p returns %p\n", name ? name : FunctionName,
              static_cast<void*>(hDll), reinterpret_cast<void*>(f));
    return f;
}

void DLLINTERFACE::Unload()
{
    LOGIT("DLLINTERFACE::Unload this->DllName= %s\n", DllName);
    FunctionName[0] = 0;
    DefaultFunction = nullptr;
    if (hDll) {
        LOGIT("DLLINTERFACE::Unload free library %p (%s)\n", static_cast<void*>(hDll), DllName);
        FreeLibrary(hDll);
        hDll = nullptr;
    }
    LOGIT("DLLINTERFACE::Unload done\n");
}
