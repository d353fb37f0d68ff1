#pragma once
// The few operating-system primitives that the portable core needs, with one implementation
// for Windows (the product) and one for POSIX hosts (only so the core runs its tests under
// sanitizers). Paths are Windows paths; the POSIX side maps "\" to "/" where it touches files.

#include <cstdint>
#include <cstdio>

namespace PLATFORM {

// A recursive in-process lock: a critical section on Windows.
class LOCK {
public:
    LOCK();
    ~LOCK();
    LOCK(const LOCK&) = delete;
    LOCK& operator=(const LOCK&) = delete;
    void Enter();
    void Leave();

private:
    alignas(8) unsigned char storage[64];
};

class LOCKGUARD {
public:
    explicit LOCKGUARD(LOCK& l) : lock(l) { lock.Enter(); }
    ~LOCKGUARD() { lock.Leave(); }
    LOCKGUARD(const LOCKGUARD&) = delete;
    LOCKGUARD& operator=(const LOCKGUARD&) = delete;

private:
    LOCK& lock;
};

// Raw high-resolution counter; false when the system has none.
bool PerformanceCounter(int64_t* counter, int64_t* frequency);
double Seconds();
void SleepMs(unsigned milliseconds);

unsigned long CurrentThreadId();
unsigned long ProcessId();
bool DebuggerPresent();

int LastError();
void SetLastError(int code);
// The system's message for an error code, trailing CR/LF removed; false when it has none.
bool ErrorText(int code, char* buffer, int size);

struct DATETIME {
    int year, month, day, hour, minute, second;
};
DATETIME LocalNow();
// The current local time in the user's time format (for the assertion box caption).
void LocalTimeText(char* buffer, int size);

// The program's own full path (up to size - 1 bytes); false if unknown.
bool ModulePath(char* buffer, int size);
bool CurrentDirectory(char* buffer, int size);
bool SetCurrentDirectory(const char* path);

enum { ATTR_NONE = -1, ATTR_DIRECTORY = 0x10 };
// File attributes in the Windows bit layout, or ATTR_NONE when the path does not exist.
int FileAttributes(const char* path);
// Size and last-write time (local) of a file; false if it cannot be read.
bool FileStatus(const char* path, int64_t* size, DATETIME* modified);
// Share flags in the values of the Windows run-time library (_SH_DENYRW and friends).
enum { SHARE_COMPAT = 0x00, SHARE_DENYRW = 0x10, SHARE_DENYWR = 0x20, SHARE_DENYRD = 0x30, SHARE_DENYNO = 0x40 };
FILE* OpenFile(const char* path, const char* mode, int share);

// Log targets: a write handle that is a file, the standard-error stream or a console.
using LOGHANDLE = intptr_t;
constexpr LOGHANDLE NOHANDLE = 0;
LOGHANDLE CreateLogFile(const char* path, bool append, bool writeThrough);
LOGHANDLE StdErrHandle();
LOGHANDLE AllocConsoleHandle();
void FreeConsole();
bool WriteHandle(LOGHANDLE handle, const char* bytes, int length);
void CloseLogHandle(LOGHANDLE handle);
void DebugOutput(const char* text);

// The user's documents folder with a trailing "\"; false if unknown.
bool DocumentsFolder(char* buffer, int size);
// The Windows version class: 0 not NT, 1 NT before 5.0, 2 for 5.0, 3 for 5.1, 4 other 5.x, 5 for 6+.
int WindowsVersionClass();
// Thread, user and system locale ids.
void LocaleIds(unsigned long* thread, unsigned long* user, unsigned long* system);

// The assertion box: true when the user chooses to continue.
bool AssertBox(const char* text, const char* caption);
[[noreturn]] void TerminateProcess(int exitCode);

}  // namespace PLATFORM
