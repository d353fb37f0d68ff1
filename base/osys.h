#pragma once
// Processes, threads and synchronisation objects.

#include <cstdint>
#include <cstdio>

// Filled by OSYS::StartProgram on request; the caller closes both handles.
struct PROCESSINFO {
    void* hProcess = nullptr;
    void* hThread = nullptr;
    unsigned long ProcessId = 0;
    unsigned long ThreadId = 0;
};

enum {
    STARTPROGRAM_WAIT = 0x01,
    STARTPROGRAM_HIDDEN = 0x02,
    STARTPROGRAM_MINIMIZED = 0x04,
    STARTPROGRAM_MAXIMIZED = 0x08,
    STARTPROGRAM_PROCESSMESSAGES = 0x10,
};

using THREADFUNCTION = unsigned (*)(void* argument);

namespace OSYS {
void Sleep(unsigned milliseconds);
// Milliseconds since the clock's zero, taken on the first call and whenever reset is true.
int64_t Milliseconds(bool reset = false);
bool PerformanceCounter(int64_t* counter, int64_t* frequency = nullptr);

// A program text beginning with "*" starts minimised, one beginning with "#" hidden.
// The exit code is -8 unless the program ran and its code could be read. Windows only.
bool StartProgram(const char* program, const char* arguments, const char* workingDirectory,
                  const char* windowTitle, int flags, PROCESSINFO* info = nullptr,
                  int* exitCode = nullptr);
// Opens the file with its associated program. Windows only.
bool OpenDocument(void* ownerWindow, const char* file);

// Starts the function through the run-time library; null when it could not be started.
void* CreateThread(THREADFUNCTION function, void* argument);
// True when the thread ended within the time (its handle is then closed).
bool WaitThread(void* hthread, int timeoutMs);

// Flushes the stream and, when that succeeds, commits the file to disk.
bool CommitStream(FILE* f);
}

// Waits for the program with the wait flag; the exit code, 1 when it did not start, -8 when
// it ran but gave no exit code. Windows only.
int StartProgramExitCode(const char* program, const char* arguments,
                         const char* workingDirectory, const char* windowTitle);
// The start without working directory. Windows only.
bool StartProgram(const char* program, const char* arguments, const char* windowTitle,
                  bool wait);

namespace OMBIXAPP {
// The framework's per-thread start-up; thread bodies call it first.
void ThreadInit();
}

// An unnamed manual-reset event.
class EVENTSEM {
public:
    explicit EVENTSEM(bool initiallySet = false);
    ~EVENTSEM();
    EVENTSEM(const EVENTSEM&) = delete;
    EVENTSEM& operator=(const EVENTSEM&) = delete;
    bool Set();
    bool Reset();
    // -1 waits for ever.
    bool Wait(int milliseconds = -1);

    void* hev = nullptr;
};

// A recursive system mutex, named or unnamed.
class MUTEXSEM {
public:
    explicit MUTEXSEM(bool initiallyOwned = false, const char* name = nullptr);
    ~MUTEXSEM();
    MUTEXSEM(const MUTEXSEM&) = delete;
    MUTEXSEM& operator=(const MUTEXSEM&) = delete;
    // -1 waits for ever; an abandoned mutex counts as not obtained.
    bool Obtain(int milliseconds = -1);
    bool Release();

    void* hmux = nullptr;
};

// Holds a MUTEXSEM for a scope.
class MUTEXLOCK {
public:
    explicit MUTEXLOCK(MUTEXSEM* m) : mutex(m) { mutex->Obtain(); }
    ~MUTEXLOCK() { mutex->Release(); }
    MUTEXLOCK(const MUTEXLOCK&) = delete;
    MUTEXLOCK& operator=(const MUTEXLOCK&) = delete;

private:
    MUTEXSEM* mutex;
};

// An in-process lock.
class CRITSECT {
public:
    CRITSECT();
    ~CRITSECT();
    CRITSECT(const CRITSECT&) = delete;
    CRITSECT& operator=(const CRITSECT&) = delete;
    void Enter();
    void Leave();

    void* pCritSect = nullptr;
};

// Raises the current thread's priority for a scope.
class RAISETHREADPRIORITY {
public:
    explicit RAISETHREADPRIORITY(int priority, int previous = -1);
    ~RAISETHREADPRIORITY();
    RAISETHREADPRIORITY(const RAISETHREADPRIORITY&) = delete;
    RAISETHREADPRIORITY& operator=(const RAISETHREADPRIORITY&) = delete;
    bool SetPriority(int priority);

    void* hthread = nullptr;
    int PrevPriority = 0;
    bool RaiseOk = false;

private:
    // The platform's part: the calling thread and its present priority.
    static void* CurrentThread();
    static int CurrentPriority(void* thread);
};
