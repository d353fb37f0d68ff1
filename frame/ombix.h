#pragma once
// Diagnostic log (LOGIT), log switches and the assertion handler.

#include <cstdint>

#define OMBIX_PRINTF(f, a) __attribute__((format(printf, f, a)))

// Writes one (piece of a) log line when the log is open or debug output is on.
bool LOGIT(const char* format, ...) OMBIX_PRINTF(1, 2);
// The same, only when the level passes the mask; with a null format it only tells whether it would.
bool LOGITLEVEL(uint32_t level, const char* format, ...) OMBIX_PRINTF(2, 3);

extern uint32_t LogitLevel;

// The assertion handler: true to continue. A true condition returns at once.
bool ASSERT(bool condition, const char* conditionText, const char* source, int line,
            const char* additionalInfo = nullptr, bool quiet = false);
// ASSERT with a printf-style additional information, formatted only when the condition fails.
bool ASSERTF(bool condition, const char* conditionText, const char* source, int line,
             const char* format, ...) OMBIX_PRINTF(5, 6);

// What an assertion report holds, for whoever observes reports in place of the box.
struct ASSERTREPORT {
    const char* condition;
    const char* source;
    int line;
    const char* info;
    const char* report;
    bool quiet;
};
// While an observer is set, every report goes to it and no box is shown.
using ASSERTOBSERVER = void (*)(const ASSERTREPORT&, void* context);
void SetAssertObserver(ASSERTOBSERVER observer, void* context);

namespace OMBIXAPP {

// Recognises the log and diagnosis switches; true when the argument was one of them.
bool LogOption(const char* argument);
void SetCrashDumpLevel(int level);
bool LogActive();

int GetLocale();
bool IsGerman();

// The names the assertion caption is made of; the application root keeps them current.
void SetIdentity(const char* appName, const char* appVersion);

}  // namespace OMBIXAPP

extern int gLocale;
extern int gCrashDumpLevel;
extern const char* const gCompanyName;
