#pragma once
// REGISTRY: an open registry key with typed, logged reads and writes. DLLINTERFACE: a loaded
// library and its functions. Windows only.

#include "frame/win32api.h"

#include "base/strings.h"

enum { REGISTRY_READ = 256, REGISTRY_WRITE = 257, REGISTRY_CREATE = 258 };

class REGISTRY {
public:
    HKEY hKey = nullptr;
    HKEY hRoot = nullptr;
    STRING KeyPath;

    // Opens or creates root\basekey\app; user 0 is HKEY_LOCAL_MACHINE, 1 HKEY_CURRENT_USER,
    // any other value is a root key handle itself.
    REGISTRY(const char* app, const char* basekey, INT_PTR user);
    REGISTRY(HKEY root, const char* basekey, const char* subkey, int mode);
    ~REGISTRY();
    REGISTRY(const REGISTRY&) = delete;
    REGISTRY& operator=(const REGISTRY&) = delete;

    bool IsOpen() const { return hKey != nullptr; }
    bool Read(const char* value, STRING& data);
    // size in: the buffer's size; out: the data's size.
    bool Read(const char* value, void* buffer, DWORD* size);
    bool Write(const char* value, const char* text);
    bool Write(const char* value, const void* bytes, DWORD length);
    bool Write(const char* value, int number) { return WriteNumber(value, DWORD(number)); }
    bool Write(const char* value, unsigned number) { return WriteNumber(value, DWORD(number)); }
    bool Write(const char* value, long number) { return WriteNumber(value, DWORD(number)); }
    bool Write(const char* value, unsigned long number) { return WriteNumber(value, DWORD(number)); }
    bool DeleteValue(const char* value);
    bool DeleteKey(const char* subkey, bool recursive);
    void Close();

private:
    void Open(HKEY root, const char* basekey, const char* subkey, int mode);
    bool WriteNumber(const char* value, DWORD number);
};

class DLLINTERFACE {
public:
    HMODULE hDll = nullptr;
    int quiet = 0;
    FARPROC DefaultFunction = nullptr;
    char FunctionName[128] = "";
    char DllName[128] = "";

    DLLINTERFACE(const char* library, const char* function = nullptr);
    ~DLLINTERFACE();
    DLLINTERFACE(const DLLINTERFACE&) = delete;
    DLLINTERFACE& operator=(const DLLINTERFACE&) = delete;

    bool Load(const char* path, const char* function = nullptr);
    // The named export, or the default function when name is null.
    FARPROC GetFunction(const char* name = nullptr);
    void Unload();
};
