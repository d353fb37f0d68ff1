#include "frame/platform.h"

#include "frame/win32api.h"
#include <share.h>

#include <cstring>

namespace PLATFORM {

static_assert(sizeof(CRITICAL_SECTION) <= 64, "LOCK storage too small");

static CRITICAL_SECTION* Section(unsigned char* storage)
{
    return reinterpret_cast<CRITICAL_SECTION*>(storage);
}

LOCK::LOCK() { InitializeCriticalSection(Section(storage)); }
LOCK::~LOCK() { DeleteCriticalSection(Section(storage)); }
void LOCK::Enter() { EnterCriticalSection(Section(storage)); }
void LOCK::Leave() { LeaveCriticalSection(Section(storage)); }

bool PerformanceCounter(int64_t* counter, int64_t* frequency)
{
    LARGE_INTEGER c, f;
    if (!QueryPerformanceCounter(&c) || !QueryPerformanceFrequency(&f))
        return false;
    if (counter)
        *counter = c.QuadPart;
    if (frequency)
        *frequency = f.QuadPart;
    return true;
}

double Seconds()
{
    int64_t counter = 0, frequency = 0;
    if (!PerformanceCounter(&counter, &frequency) || frequency == 0)
        return GetTickCount() / 1000.0;
    return double(counter) / double(frequency);
}

void SleepMs(unsigned milliseconds) { ::Sleep(milliseconds); }
unsigned long CurrentThreadId() { return GetCurrentThreadId(); }
unsigned long ProcessId() { return GetCurrentProcessId(); }
bool DebuggerPresent() { return IsDebuggerPresent() != FALSE; }
int LastError() { return int(GetLastError()); }
void SetLastError(int code) { ::SetLastError(DWORD(code)); }

bool ErrorText(int code, char* buffer, int size)
{
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             DWORD(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer,
                             DWORD(size), nullptr);
    if (n == 0) {
        buffer[0] = 0;
        return false;
    }
    while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n'))
        buffer[--n] = 0;
    return true;
}

DATETIME LocalNow()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void LocalTimeText(char* buffer, int size)
{
    char format[80];
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format, sizeof(format)))
        strcpy(format, "HH:mm:ss");
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, format, buffer, size))
        buffer[0] = 0;
}

bool ModulePath(char* buffer, int size)
{
    DWORD n = GetModuleFileNameA(nullptr, buffer, DWORD(size));
    return n > 0 && n < DWORD(size);
}

bool CurrentDirectory(char* buffer, int size)
{
    DWORD n = GetCurrentDirectoryA(DWORD(size), buffer);
    return n > 0 && n < DWORD(size);
}

bool SetCurrentDirectory(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }

int FileAttributes(const char* path)
{
    DWORD a = GetFileAttributesA(path);
    return a == INVALID_FILE_ATTRIBUTES ? ATTR_NONE : int(a);
}

bool FileStatus(const char* path, int64_t* size, DATETIME* modified)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    if (size)
        *size = (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (modified) {
        FILETIME local;
        SYSTEMTIME st;
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &st);
        *modified = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    }
    return true;
}

FILE* OpenFile(const char* path, const char* mode, int share)
{
    // The run-time library refuses the MS-DOS compatibility mode; Win32 files have none.
    return _fsopen(path, mode, share == SHARE_COMPAT ? SHARE_DENYNO : share);
}

LOGHANDLE CreateLogFile(const char* path, bool append, bool writeThrough)
{
    DWORD flags = FILE_ATTRIBUTE_NORMAL | (writeThrough ? FILE_FLAG_WRITE_THROUGH : 0);
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           append ? OPEN_ALWAYS : CREATE_ALWAYS, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return NOHANDLE;
    if (append)
        SetFilePointer(h, 0, nullptr, FILE_END);
    return LOGHANDLE(h);
}

LOGHANDLE StdErrHandle()
{
    HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
    return h == INVALID_HANDLE_VALUE ? NOHANDLE : LOGHANDLE(h);
}

LOGHANDLE AllocConsoleHandle()
{
    if (!AllocConsole())
        return NOHANDLE;
    HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
    return h == INVALID_HANDLE_VALUE ? NOHANDLE : LOGHANDLE(h);
}

void FreeConsole() { ::FreeConsole(); }

bool WriteHandle(LOGHANDLE handle, const char* bytes, int length)
{
    DWORD written = 0;
    return WriteFile(HANDLE(handle), bytes, DWORD(length), &written, nullptr) &&
           written == DWORD(length);
}

void CloseLogHandle(LOGHANDLE handle) { CloseHandle(HANDLE(handle)); }
void DebugOutput(const char* text) { OutputDebugStringA(text); }

bool DocumentsFolder(char* buffer, int size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char raw[1024];
    DWORD len = sizeof(raw) - 1, type = 0;
    LONG rc = RegQueryValueExA(key, "Personal", nullptr, &type, reinterpret_cast<BYTE*>(raw), &len);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    raw[len] = 0;
    DWORD n = ExpandEnvironmentStringsA(raw, buffer, DWORD(size - 1));
    if (n == 0 || n > DWORD(size - 1))
        return false;
    size_t l = strlen(buffer);
    if (l == 0 || buffer[l - 1] != '\\') {
        if (l + 2 > size_t(size))
            return false;
        buffer[l] = '\\';
        buffer[l + 1] = 0;
    }
    return true;
}

int WindowsVersionClass()
{
    // GetVersionEx lies to programs without a matching manifest; the ntdll call does not.
    using RTLGETVERSION = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RTLGETVERSION>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!rtlGetVersion || rtlGetVersion(&info) != 0)
        return 5;
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    if (info.dwMajorVersion < 5)
        return 1;
    if (info.dwMajorVersion == 5)
        return info.dwMinorVersion == 0 ? 2 : info.dwMinorVersion == 1 ? 3 : 4;
    return 5;
}

void LocaleIds(unsigned long* thread, unsigned long* user, unsigned long* system)
{
    *thread = GetThreadLocale();
    *user = GetUserDefaultLCID();
    *system = GetSystemDefaultLCID();
}

bool AssertBox(const char* text, const char* caption)
{
    return MessageBoxA(nullptr, text, caption, MB_YESNO | MB_ICONERROR | MB_SETFOREGROUND) == IDYES;
}

void TerminateProcess(int exitCode)
{
    ::TerminateProcess(GetCurrentProcess(), UINT(exitCode));
    ExitProcess(UINT(exitCode));
}

}  // namespace PLATFORM
