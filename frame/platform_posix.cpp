#include "frame/platform.h"

#include <errno.h>
#include <pthread.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace PLATFORM {

static_assert(sizeof(pthread_mutex_t) <= 64, "LOCK storage too small");

static pthread_mutex_t* Mutex(unsigned char* storage)
{
    return reinterpret_cast<pthread_mutex_t*>(storage);
}

LOCK::LOCK()
{
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(Mutex(storage), &attr);
    pthread_mutexattr_destroy(&attr);
}
LOCK::~LOCK() { pthread_mutex_destroy(Mutex(storage)); }
void LOCK::Enter() { pthread_mutex_lock(Mutex(storage)); }
void LOCK::Leave() { pthread_mutex_unlock(Mutex(storage)); }

static std::string HostPath(const char* path)
{
    std::string p = path ? path : "";
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

bool PerformanceCounter(int64_t* counter, int64_t* frequency)
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    if (counter)
        *counter = int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    if (frequency)
        *frequency = 1000000000;
    return true;
}

double Seconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void SleepMs(unsigned milliseconds) { usleep(useconds_t(milliseconds) * 1000); }
unsigned long CurrentThreadId() { return (unsigned long)gettid(); }
unsigned long ProcessId() { return (unsigned long)getpid(); }
bool DebuggerPresent() { return false; }
int LastError() { return errno; }
void SetLastError(int code) { errno = code; }

bool ErrorText(int code, char* buffer, int size)
{
    if (code == 0) {
        snprintf(buffer, size_t(size), "The operation completed successfully.");
        return true;
    }
    const char* text = strerror(code);
    if (!text || strncmp(text, "Unknown error", 13) == 0) {
        buffer[0] = 0;
        return false;
    }
    snprintf(buffer, size_t(size), "%s", text);
    return true;
}

static DATETIME FromTm(const tm& t)
{
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

DATETIME LocalNow()
{
    time_t now = time(nullptr);
    tm t;
    localtime_r(&now, &t);
    return FromTm(t);
}

void LocalTimeText(char* buffer, int size)
{
    DATETIME d = LocalNow();
    snprintf(buffer, size_t(size), "%02d:%02d:%02d", d.hour, d.minute, d.second);
}

bool ModulePath(char* buffer, int size)
{
    ssize_t n = readlink("/proc/self/exe", buffer, size_t(size - 1));
    if (n <= 0)
        return false;
    buffer[n] = 0;
    return true;
}

bool CurrentDirectory(char* buffer, int size) { return getcwd(buffer, size_t(size)) != nullptr; }
bool SetCurrentDirectory(const char* path) { return chdir(HostPath(path).c_str()) == 0; }

int FileAttributes(const char* path)
{
    struct stat st;
    if (stat(HostPath(path).c_str(), &st) != 0)
        return ATTR_NONE;
    int attributes = S_ISDIR(st.st_mode) ? ATTR_DIRECTORY : 0x80;
    if (!(st.st_mode & S_IWUSR))
        attributes |= 0x01;
    return attributes;
}

bool FileStatus(const char* path, int64_t* size, DATETIME* modified)
{
    struct stat st;
    if (stat(HostPath(path).c_str(), &st) != 0)
        return false;
    if (size)
        *size = int64_t(st.st_size);
    if (modified) {
        tm t;
        localtime_r(&st.st_mtime, &t);
        *modified = FromTm(t);
    }
    return true;
}

FILE* OpenFile(const char* path, const char* mode, int)
{
    // Text and binary modes are the same here; Windows' "t" would be rejected by glibc.
    char m[8];
    int n = 0;
    for (const char* p = mode; *p && n < 7; ++p)
        if (*p != 't')
            m[n++] = *p;
    m[n] = 0;
    return fopen(HostPath(path).c_str(), m);
}

LOGHANDLE CreateLogFile(const char* path, bool append, bool writeThrough)
{
    FILE* f = fopen(HostPath(path).c_str(), append ? "ab" : "wb");
    if (f && writeThrough)
        setvbuf(f, nullptr, _IONBF, 0);
    return LOGHANDLE(f);
}

LOGHANDLE StdErrHandle() { return LOGHANDLE(stderr); }
LOGHANDLE AllocConsoleHandle() { return LOGHANDLE(stdout); }
void FreeConsole() {}

bool WriteHandle(LOGHANDLE handle, const char* bytes, int length)
{
    FILE* f = reinterpret_cast<FILE*>(handle);
    bool ok = fwrite(bytes, 1, size_t(length), f) == size_t(length);
    fflush(f);
    return ok;
}

void CloseLogHandle(LOGHANDLE handle)
{
    FILE* f = reinterpret_cast<FILE*>(handle);
    if (f != stderr && f != stdout)
        fclose(f);
}

void DebugOutput(const char* text) { fputs(text, stderr); }

bool DocumentsFolder(char* buffer, int size)
{
    const char* home = getenv("HOME");
    if (!home)
        return false;
    return snprintf(buffer, size_t(size), "%s/", home) < size;
}

int WindowsVersionClass() { return 5; }

void LocaleIds(unsigned long* thread, unsigned long* user, unsigned long* system)
{
    *thread = *user = *system = 0x409;
}

bool AssertBox(const char* text, const char* caption)
{
    fprintf(stderr, "%s: %s\n", caption, text);
    return true;
}

void TerminateProcess(int exitCode) { _exit(exitCode); }

}  // namespace PLATFORM
