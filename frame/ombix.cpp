#include "frame/ombix.h"

#include "frame/platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>

uint32_t LogitLevel = 0;
int gLocale = 9;
int gCrashDumpLevel = 0;
const char* const gCompanyName = "Ombix";

namespace {

constexpr int LOGBUFSIZE = 8192;
constexpr int REPORTSIZE = 8192;

struct LOGSTATE {
    PLATFORM::LOGHANDLE handle = PLATFORM::NOHANDLE;
    bool open = false;
    bool isFile = false;
    bool debugOutput = false;
    bool consoleAllocated = false;
    bool hardMode = false;
    bool keepMode = false;
    bool noAssert = false;
    bool lineStart = true;
    bool timeZeroSet = false;
    double timeZero = 0;
    char fileName[256] = {};
};

LOGSTATE gLog;
char gAppNameText[128] = "Application";
char gAppVersionText[64] = "0.00";
ASSERTOBSERVER gAssertObserver = nullptr;
void* gAssertObserverContext = nullptr;
// Kept for a memory dump after the user ended the program from the assertion box.
char gFatalAssertText[REPORTSIZE];

// Created on first use and never destroyed, so that a line written during static
// destruction still finds its lock.
PLATFORM::LOCK& LogLock()
{
    static PLATFORM::LOCK* lock = new PLATFORM::LOCK;
    return *lock;
}

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (!*text || (*text | 0x20) != (*prefix | 0x20))
            return false;
    return true;
}

bool EqualsNoCase(const char* a, const char* b)
{
    return StartsWithNoCase(a, b) && a[strlen(b)] == 0;
}

bool LevelPasses(uint32_t level)
{
    if ((LogitLevel & 0xF) < (level & 0xF))
        return false;
    uint32_t categories = level & ~uint32_t(0xF);
    return categories == 0 || (categories & LogitLevel) != 0;
}

void WriteLine(const char* format, va_list args)
{
    double now = PLATFORM::Seconds();
    char buffer[LOGBUFSIZE + 64];
    bool truncated = false;

    PLATFORM::LOCKGUARD guard(LogLock());
    if (!gLog.timeZeroSet) {
        gLog.timeZero = now;
        gLog.timeZeroSet = true;
    }
    int length = 0;
    if (gLog.lineStart)
        length = snprintf(buffer, 64, "[%07.3lf:%04lx] ", now - gLog.timeZero,
                          PLATFORM::CurrentThreadId() & 0xFFFFF);
    char* text = buffer + length;
    int howmany;
    if (strchr(format, '%')) {
        howmany = vsnprintf(text, LOGBUFSIZE, format, args);
        if (howmany < 0)
            howmany = 0;
    } else {
        howmany = int(strlen(format));
    }
    if (howmany >= LOGBUFSIZE) {
        truncated = true;
        howmany = LOGBUFSIZE - 1;
    }
    if (!strchr(format, '%'))
        memcpy(text, format, size_t(howmany));
    text[howmany] = 0;
    length += howmany;
    gLog.lineStart = howmany > 0 && text[howmany - 1] == '\n';
    if (gLog.lineStart) {
        buffer[length - 1] = '\r';
        buffer[length++] = '\n';
        buffer[length] = 0;
    }
    if (gLog.open)
        PLATFORM::WriteHandle(gLog.handle, buffer, length);
    if (gLog.debugOutput)
        PLATFORM::DebugOutput(buffer);
    if (truncated) {
        // Reported after the cut line is out, so the report's own log line follows it.
        if (!gLog.lineStart) {
            gLog.lineStart = true;
            if (gLog.open)
                PLATFORM::WriteHandle(gLog.handle, "\r\n", 2);
        }
        ASSERT(false, "howmany < sizeof(logitbuf)", "ombix", __LINE__, "log line cut");
    }
}

void CloseLog()
{
    PLATFORM::LOCKGUARD guard(LogLock());
    if (gLog.open && gLog.handle != PLATFORM::NOHANDLE && gLog.isFile)
        PLATFORM::CloseLogHandle(gLog.handle);
    if (gLog.consoleAllocated)
        PLATFORM::FreeConsole();
    gLog.handle = PLATFORM::NOHANDLE;
    gLog.open = false;
    gLog.isFile = false;
    gLog.consoleAllocated = false;
    gLog.lineStart = true;
}

bool IsAbsolutePath(const char* p)
{
    return p[0] == '\\' || p[0] == '/' || (p[0] && p[1] == ':') || p[0] == '~';
}

// The default log name: the program file's name made into Ombix_<NAME>_logit.log.
void DefaultLogName(const char* self, char* name, int size)
{
    char base[256];
    const char* slash = strrchr(self, '\\');
    const char* fwd = strrchr(self, '/');
    if (fwd > slash)
        slash = fwd;
    snprintf(base, sizeof(base), "%s", slash ? slash + 1 : self);
    size_t n = strlen(base);
    while (n > 0 && (base[n - 1] == '/' || base[n - 1] == '.'))
        base[--n] = 0;
    for (const char* ext : {".exe", ".app"})
        for (char* hit = strstr(base, ext); hit; hit = strstr(hit + 1, ext))
            hit[0] = '_', memmove(hit + 1, hit + 4, strlen(hit + 4) + 1);
    for (char* p = base; *p; ++p)
        if (*p >= 'a' && *p <= 'z')
            *p = char(*p - 'a' + 'A');
    snprintf(name, size_t(size), "Ombix_%slogit.log", base);
}

// The full name of the log file for a target; false when it does not fit the name buffer.
bool LogFileName(const char* target, const char* self, char* out, int size)
{
    bool modern = PLATFORM::WindowsVersionClass() >= 5;
    char name[512];
    char documents[512];
    bool haveDocuments = modern && PLATFORM::DocumentsFolder(documents, sizeof(documents));
    if (!*target) {
        if (!haveDocuments)
            return snprintf(out, size_t(size), "logit.log") < size;
        DefaultLogName(self, name, sizeof(name));
        return snprintf(out, size_t(size), "%s%s", documents, name) < size;
    }
    if (EqualsNoCase(target, "UNIQUE")) {
        int64_t counter = 0, frequency = 1;
        PLATFORM::PerformanceCounter(&counter, &frequency);
        int millis = frequency ? int((counter % frequency) * 1000 / frequency) : 0;
        snprintf(name, sizeof(name), "LOGIT_%lu_%d_%lX.log", (unsigned long)time(nullptr), millis,
                 PLATFORM::ProcessId());
        target = name;
    }
    if (haveDocuments && !IsAbsolutePath(target))
        return snprintf(out, size_t(size), "%s%s", documents, target) < size;
    return snprintf(out, size_t(size), "%s", target) < size;
}

void OpenLog(const char* argument, bool keep, bool hard)
{
    char self[512] = "";
    PLATFORM::ModulePath(self, sizeof(self));
    int64_t selfSize = 0;
    PLATFORM::DATETIME selfTime{};
    PLATFORM::FileStatus(self, &selfSize, &selfTime);

    const char* colon = strchr(argument, ':');
    const char* target = colon ? colon + 1 : "";
    gLog.keepMode = gLog.keepMode || keep;
    gLog.hardMode = gLog.hardMode || hard;
    if (gLog.open)
        CloseLog();

    PLATFORM::LOGHANDLE handle = PLATFORM::NOHANDLE;
    bool isFile = false;
    if (EqualsNoCase(target, "STDERR")) {
        handle = PLATFORM::StdErrHandle();
    } else if (EqualsNoCase(target, "CONSOLE")) {
        handle = PLATFORM::AllocConsoleHandle();
        gLog.consoleAllocated = handle != PLATFORM::NOHANDLE;
    } else {
        // A name longer than the name buffer is refused rather than cut to another file's name.
        if (!LogFileName(target, self, gLog.fileName, sizeof(gLog.fileName)))
            return;
        handle = PLATFORM::CreateLogFile(gLog.fileName, gLog.keepMode, gLog.hardMode);
        isFile = true;
    }
    if (handle == PLATFORM::NOHANDLE)
        return;
    {
        PLATFORM::LOCKGUARD guard(LogLock());
        gLog.handle = handle;
        gLog.isFile = isFile;
        gLog.open = true;
        gLog.lineStart = true;
    }
    PLATFORM::DATETIME now = PLATFORM::LocalNow();
    LOGIT("Logging starts at %04d-%02d-%02d %02d:%02d:%02d\n", now.year, now.month, now.day,
          now.hour, now.minute, now.second);
    LOGIT("Running as %s (%lu bytes, %04d-%02d-%02d  %02d:%02d:%02d)\n", self,
          (unsigned long)selfSize, selfTime.year, selfTime.month, selfTime.day, selfTime.hour,
          selfTime.minute, selfTime.second);
    if (gLog.hardMode)
        OMBIXAPP::SetCrashDumpLevel(2);
}

// "/LOGIT", "/LOGIT:target" and the KEEP and HARD variants.
bool IsLogOpenSwitch(const char* arg, const char* name)
{
    size_t n = strlen(name);
    return StartsWithNoCase(arg, name) && (arg[n] == 0 || arg[n] == ':');
}

void ReportAssertion(const char* caption, const char* report, const char* conditionText,
                     const char* source, int line, const char* info, bool quiet)
{
    LOGIT("*** ASSERTION FAILED: \n%s\n", report);
    PLATFORM::DATETIME now = PLATFORM::LocalNow();
    if (FILE* f = PLATFORM::OpenFile("assert.log", "a", 0)) {
        fprintf(f, "--- %s --- %04d-%02d-%02d %02d:%02d:%02d ---\n\n", caption, now.year, now.month,
                now.day, now.hour, now.minute, now.second);
        fprintf(f, "%s\n\n", report);
        fclose(f);
    }
    if (gAssertObserver)
        gAssertObserver({conditionText, source, line, info, report, quiet}, gAssertObserverContext);
}

}  // namespace

bool LOGIT(const char* format, ...)
{
    if (!gLog.open && !gLog.debugOutput)
        return false;
    va_list args;
    va_start(args, format);
    WriteLine(format ? format : "<NULL>", args);
    va_end(args);
    return true;
}

bool LOGITLEVEL(uint32_t level, const char* format, ...)
{
    if (!gLog.open && !gLog.debugOutput)
        return false;
    if (!LevelPasses(level))
        return false;
    if (!format)
        return true;
    va_list args;
    va_start(args, format);
    WriteLine(format, args);
    va_end(args);
    return true;
}

void SetAssertObserver(ASSERTOBSERVER observer, void* context)
{
    gAssertObserver = observer;
    gAssertObserverContext = context;
}

bool ASSERTF(bool condition, const char* conditionText, const char* source, int line,
             const char* format, ...)
{
    if (condition)
        return true;
    char info[REPORTSIZE / 2];
    va_list args;
    va_start(args, format);
    vsnprintf(info, sizeof(info), format, args);
    va_end(args);
    return ASSERT(false, conditionText, source, line, info);
}

bool ASSERT(bool condition, const char* conditionText, const char* source, int line,
            const char* additionalInfo, bool quiet)
{
    if (condition)
        return true;
    int lastError = PLATFORM::LastError();
    char caption[256];
    snprintf(caption, sizeof(caption), "%s %s (%s)", gCompanyName, gAppNameText, gAppVersionText);
    char errorText[256] = "";
    if (lastError != 0)
        PLATFORM::ErrorText(lastError, errorText, sizeof(errorText));

    const char* name = source ? source : "<null>";
    for (const char* p = name; *p; ++p)
        if (*p == '/' || *p == ':' || *p == '\\')
            name = p + 1;
    const char* info = additionalInfo ? additionalInfo : "<null>";
    const char* condText = conditionText ? conditionText : "<null>";

    bool german = OMBIXAPP::IsGerman();
    char report[REPORTSIZE];
    snprintf(report, sizeof(report),
             german ? "    Bedingung: %s\n    Datei: %s Zeile %d\n    Code : %dL (%s)\n    Info : %s\n"
                    : "    Condition: %s\n    Location : %s line %d\n    Last Err.: %dL (%s)\n    Add. Info: %s\n",
             condText, name, line, lastError, errorText, info);
    ReportAssertion(caption, report, condText, name, line, info, quiet);
    if (gLog.noAssert || quiet || gAssertObserver)
        return true;

    char box[REPORTSIZE + 1024];
    snprintf(box, sizeof(box),
             german ? "Es ist eine unerwartete Situation aufgetreten.\n\nBitte melden Sie die Umstaende des Fehlers und die folgenden\nInformationen an uns (siehe auch Datei assert.log in dem Ordner, in dem das Programm installiert wurde):\n\n%s\nWollen Sie jetzt versuchen mit dem Programm fortzufahren?"
                    : "An unexpected condition has been encountered.\n\nPlease contact us via our web site and provide the following information (logged in the assert.log file in the program's installation folder):\n\n%s\nDo you want to try to continue with the program?",
             report);
    char timeText[64];
    PLATFORM::LocalTimeText(timeText, sizeof(timeText));
    char boxCaption[sizeof(caption) + 80];
    snprintf(boxCaption, sizeof(boxCaption), "%s / %s", caption, timeText);
    if (PLATFORM::AssertBox(box, boxCaption))
        return true;
    snprintf(gFatalAssertText, sizeof(gFatalAssertText), "%s", box);
    LOGIT("ASSERT: the user chose to end the program\n");
    CloseLog();
    PLATFORM::TerminateProcess(3);
}

namespace OMBIXAPP {

bool LogActive() { return gLog.open || gLog.debugOutput; }
int GetLocale() { return gLocale; }
bool IsGerman() { return gLocale == 7; }

void SetIdentity(const char* appName, const char* appVersion)
{
    snprintf(gAppNameText, sizeof(gAppNameText), "%s", appName ? appName : "");
    snprintf(gAppVersionText, sizeof(gAppVersionText), "%s", appVersion ? appVersion : "");
}

void SetCrashDumpLevel(int level)
{
    static bool checked = false;
    static bool debugger = false;
    static void* reserve = nullptr;
    if (!checked) {
        checked = true;
        debugger = PLATFORM::DebuggerPresent();
        if (debugger)
            LOGITLEVEL(14, "Not setting crash logger ExceptionHandler when debugging\n");
    }
    if (level > gCrashDumpLevel)
        gCrashDumpLevel = level;
    if (gCrashDumpLevel <= 0 || debugger)
        return;
    // Freed by the crash handler, so that it has memory to work with.
    if (!reserve)
        reserve = malloc(65536);
}

bool LogOption(const char* argument)
{
    if (!argument || (argument[0] != '/' && argument[0] != '-'))
        return false;
    char arg[512];
    snprintf(arg, sizeof(arg), "/%s", argument + 1);

    if (EqualsNoCase(arg, "/LOGITCLOSE")) {
        CloseLog();
        return true;
    }
    if (IsLogOpenSwitch(arg, "/LOGITKEEP")) {
        OpenLog(arg, true, false);
        return true;
    }
    if (IsLogOpenSwitch(arg, "/LOGITHARD")) {
        OpenLog(arg, false, true);
        return true;
    }
    if (IsLogOpenSwitch(arg, "/LOGIT")) {
        OpenLog(arg, false, false);
        return true;
    }
    if (EqualsNoCase(arg, "/LOGDEBUG") || EqualsNoCase(arg, "/LOGDBG")) {
        gLog.debugOutput = true;
        return true;
    }
    bool logLevel = StartsWithNoCase(arg, "/LOG:");
    if (logLevel || StartsWithNoCase(arg, "/D:")) {
        LogitLevel |= uint32_t(atoi(strchr(arg, ':') + 1));
        if (logLevel && !gLog.open)
            OpenLog("/LOGIT", false, false);
        LOGIT("LogitLevel %08x\n", LogitLevel);
        return true;
    }
    if (EqualsNoCase(arg, "/NOASSERT")) {
        gLog.noAssert = !gLog.noAssert;
        return true;
    }
    if (StartsWithNoCase(arg, "/CRASHDUMP")) {
        SetCrashDumpLevel(arg[10] == ':' ? atoi(arg + 11) : 2);
        return true;
    }
    return false;
}

}  // namespace OMBIXAPP
