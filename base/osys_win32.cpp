#include "base/osys.h"

#include "frame/win32api.h"

#include <io.h>
#include <process.h>
#include <shellapi.h>

#include <cstring>
#include <new>
#include <string>

#include "frame/ombix.h"
#include "frame/platform.h"

namespace {

constexpr const char* SOURCE = "osys_win32";
constexpr unsigned THREADSTACK = 32768;
constexpr DWORD MESSAGESLICE = 10;
constexpr int MESSAGESPERSLICE = 10;
constexpr size_t MAXTITLE = 255;

const char* Show(const char* text) { return text ? text : "<NULL>"; }

std::string LastErrorText()
{
    char error[512] = "";
    PLATFORM::ErrorText(PLATFORM::LastError(), error, sizeof(error));
    return error;
}

struct THREADSTART {
    THREADFUNCTION function;
    void* argument;
};

unsigned __stdcall ThreadTrampoline(void* p)
{
    THREADSTART start = *static_cast<THREADSTART*>(p);
    delete static_cast<THREADSTART*>(p);
    return start.function(start.argument);
}

// The part of the window toolkit's pump that a waiting start needs; base sits below ui.
void PumpMessages(int most)
{
    MSG msg;
    for (int i = 0; i < most && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void WaitForProcess(HANDLE process, bool processMessages)
{
    if (!processMessages) {
        WaitForSingleObject(process, INFINITE);
        return;
    }
    while (WaitForSingleObject(process, MESSAGESLICE) == WAIT_TIMEOUT)
        PumpMessages(MESSAGESPERSLICE);
}

int ShowState(int flags)
{
    if (flags & STARTPROGRAM_HIDDEN)
        return SW_HIDE;
    if (flags & STARTPROGRAM_MINIMIZED)
        return SW_SHOWMINIMIZED;
    if (flags & STARTPROGRAM_MAXIMIZED)
        return SW_SHOWMAXIMIZED;
    return -1;
}

std::string CommandLine(const char* program, const char* arguments)
{
    if (!arguments || !*arguments)
        return program;
    std::string line = program[0] == '"' ? program : "\"" + std::string(program) + "\"";
    return line + " " + arguments;
}

void ReadExitCode(HANDLE process, int* exitCode)
{
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code)) {
        *exitCode = int(code);
        return;
    }
    LOGIT("OSYS::StartProgram GetExitCodeProcess returned %d/%s\n", 0, LastErrorText().c_str());
}

}  // namespace

void OSYS::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool OSYS::StartProgram(const char* program, const char* arguments, const char* workingDirectory,
                        const char* windowTitle, int flags, PROCESSINFO* info, int* exitCode)
{
    if (exitCode)
        *exitCode = -8;
    const char* name = program ? program : "";
    if (*name == '*') {
        flags |= STARTPROGRAM_MINIMIZED;
        ++name;
    } else if (*name == '#') {
        flags |= STARTPROGRAM_HIDDEN;
        ++name;
    }
    bool wait = (flags & STARTPROGRAM_WAIT) != 0;
    LOGIT("OSYS::StartProgram %s %s (sync= %d)\n", name, Show(arguments), int(wait));

    // The system limit replaces a fixed buffer: a cut command line would start something else.
    std::string line = CommandLine(name, arguments);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    std::string title = windowTitle ? std::string(windowTitle).substr(0, MAXTITLE) : "";
    if (windowTitle)
        startup.lpTitle = title.data();
    int show = ShowState(flags);
    if (show != -1) {
        startup.dwFlags |= STARTF_USESHOWWINDOW;
        startup.wShowWindow = WORD(show);
    }
    PROCESS_INFORMATION process;
    memset(&process, 0, sizeof(process));
    BOOL rc = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             workingDirectory, &startup, &process);
    LOGIT("OSYS::StartProgram rc= %d\n", int(rc));
    if (!rc) {
        LOGIT("OSYS::StartProgram getlasterrorstring returned %s\n", LastErrorText().c_str());
        LOGIT("StartProgram done ok= %d\n", 0);
        return false;
    }
    if (wait) {
        WaitForProcess(process.hProcess, (flags & STARTPROGRAM_PROCESSMESSAGES) != 0);
        if (exitCode)
            ReadExitCode(process.hProcess, exitCode);
    }
    if (info) {
        info->hProcess = process.hProcess;
        info->hThread = process.hThread;
        info->ProcessId = process.dwProcessId;
        info->ThreadId = process.dwThreadId;
    } else {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    LOGIT("StartProgram done ok= %d\n", 1);
    return true;
}

int StartProgramExitCode(const char* program, const char* arguments, const char* workingDirectory,
                         const char* windowTitle)
{
    int exitCode = -8;
    int result = OSYS::StartProgram(program, arguments, workingDirectory, windowTitle,
                                    STARTPROGRAM_WAIT, nullptr, &exitCode)
                     ? exitCode
                     : 1;
    LOGIT("StartProgramExitCode returns %d\n", result);
    return result;
}

bool StartProgram(const char* program, const char* arguments, const char* windowTitle, bool wait)
{
    return OSYS::StartProgram(program, arguments, nullptr, windowTitle,
                              wait ? STARTPROGRAM_WAIT : 0);
}

bool OSYS::OpenDocument(void* ownerWindow, const char* file)
{
    HINSTANCE rc = ShellExecuteA(static_cast<HWND>(ownerWindow), "open", file, nullptr, nullptr,
                                 SW_SHOWNORMAL);
    return INT_PTR(rc) > 32;
}

void* OSYS::CreateThread(THREADFUNCTION function, void* argument)
{
    THREADSTART* start = new (std::nothrow) THREADSTART{function, argument};
    unsigned tid = 0;
    uintptr_t h = start ? _beginthreadex(nullptr, THREADSTACK, ThreadTrampoline, start, 0, &tid) : 0;
    if (!h)
        delete start;
    LOGIT("OSYS::CreateThread returned hthread= %p, tid= %04x\n", reinterpret_cast<void*>(h), tid);
    return reinterpret_cast<void*>(h);
}

bool OSYS::WaitThread(void* hthread, int timeoutMs)
{
    if (!ASSERT(hthread != nullptr, "hthread!=NULL", SOURCE, __LINE__) || !hthread)
        return false;
    if (timeoutMs != 0)
        LOGIT("OSYS::WaitThread hthread=%p, timeout=%d\n", hthread, timeoutMs);
    DWORD rc = WaitForSingleObject(hthread, timeoutMs < 0 ? INFINITE : DWORD(timeoutMs));
    if (rc != WAIT_OBJECT_0) {
        if (timeoutMs != 0)
            LOGIT("OSYS::WaitThread hthread=%p timeout=%d failed %s\n", hthread, timeoutMs,
                  LastErrorText().c_str());
        return false;
    }
    CloseHandle(hthread);
    return true;
}

bool OSYS::CommitStream(FILE* f)
{
    if (!f || fflush(f) != 0)
        return false;
    return _commit(_fileno(f)) == 0;
}

EVENTSEM::EVENTSEM(bool initiallySet)
{
    hev = CreateEventA(nullptr, TRUE, initiallySet, nullptr);
    LOGITLEVEL(7, "EVENTSEM::EVENTSEM created %p\n", hev);
    ASSERT(hev != nullptr, "this->hev", SOURCE, __LINE__);
}

EVENTSEM::~EVENTSEM()
{
    BOOL ok = hev ? CloseHandle(hev) : FALSE;
    LOGITLEVEL(12, "EVENTSEM::~EVENTSEM deleted %p, ok= %d\n", hev, int(ok));
    ASSERT(ok != FALSE, "ok", SOURCE, __LINE__);
}

bool EVENTSEM::Set()
{
    LOGITLEVEL(12, "EVENTSEM::Set %p\n", hev);
    BOOL ok = hev ? SetEvent(hev) : FALSE;
    ASSERTF(ok != FALSE, "ok", SOURCE, __LINE__, "handle= %p", hev);
    return ok != FALSE;
}

bool EVENTSEM::Reset()
{
    LOGITLEVEL(12, "EVENTSEM::Reset %p\n", hev);
    BOOL ok = hev ? ResetEvent(hev) : FALSE;
    ASSERTF(ok != FALSE, "ok", SOURCE, __LINE__, "handle= %p", hev);
    return ok != FALSE;
}

bool EVENTSEM::Wait(int milliseconds)
{
    DWORD rc = WaitForSingleObject(hev, milliseconds < 0 ? INFINITE : DWORD(milliseconds));
    LOGITLEVEL(12, "EVENTSEM::Wait %p rc=%d\n", hev, int(rc));
    ASSERT(rc != WAIT_FAILED, "rc!=WAIT_FAILED", SOURCE, __LINE__);
    return rc == WAIT_OBJECT_0;
}

MUTEXSEM::MUTEXSEM(bool initiallyOwned, const char* name)
{
    hmux = CreateMutexA(nullptr, initiallyOwned, name);
    // Callers of a named mutex ask GetLastError for ERROR_ALREADY_EXISTS after construction;
    // the log line must not change the answer.
    DWORD created = GetLastError();
    LOGITLEVEL(11, "MUTEXSEM::MUTEXSEM created %p, name= %s\n", hmux, Show(name));
    ASSERT(hmux != nullptr, "this->hmux", SOURCE, __LINE__, name);
    SetLastError(created);
}

MUTEXSEM::~MUTEXSEM()
{
    LOGITLEVEL(11, "MUTEXSEM::MUTEXSEM delete %p\n", hmux);
    if (hmux)
        ASSERT(CloseHandle(hmux) != FALSE, "ok", SOURCE, __LINE__);
}

bool MUTEXSEM::Obtain(int milliseconds)
{
    DWORD rc = WaitForSingleObject(hmux, milliseconds < 0 ? INFINITE : DWORD(milliseconds));
    LOGITLEVEL(11, "MUTEXSEM::Obtain %p rc= %d\n", hmux, int(rc));
    ASSERT(rc != WAIT_FAILED, "rc!=WAIT_FAILED", SOURCE, __LINE__);
    // An abandoned mutex is owned by the caller now; a caller told "not obtained" never
    // releases it, so the ownership is given back here instead of leaking it.
    if (rc == WAIT_ABANDONED)
        ReleaseMutex(hmux);
    return rc == WAIT_OBJECT_0;
}

bool MUTEXSEM::Release()
{
    BOOL ok = ReleaseMutex(hmux);
    LOGITLEVEL(11, "MUTEXSEM::Release %p rc= %d\n", hmux, int(ok));
    ASSERTF(ok != FALSE, "ok", SOURCE, __LINE__, "handle= %p", hmux);
    return ok != FALSE;
}

void* RAISETHREADPRIORITY::CurrentThread() { return GetCurrentThread(); }

int RAISETHREADPRIORITY::CurrentPriority(void* thread)
{
    return GetThreadPriority(static_cast<HANDLE>(thread));
}

bool RAISETHREADPRIORITY::SetPriority(int priority)
{
    LOGITLEVEL(1, "RAISETHREADPRIORITY::SetPriority called, prio= %d\n", priority);
    return SetThreadPriority(static_cast<HANDLE>(hthread), priority) != FALSE;
}
