// A product hook library for the tests. It appends every event it receives to the file named
// by OMBIX_HOOKLOG, and answers with the number in OMBIX_HOOKRESULT (1 when unset).

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "frame/win32api.h"

namespace {

void Record(const char* format, ...)
{
    const char* path = getenv("OMBIX_HOOKLOG");
    FILE* f = path ? fopen(path, "ab") : nullptr;
    if (!f)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(f, format, args);
    va_end(args);
    fclose(f);
}

int Result()
{
    const char* value = getenv("OMBIX_HOOKRESULT");
    return value ? atoi(value) : 1;
}

}  // namespace

extern "C" {

#ifndef TESTHOOK_WITHOUT_SETUPHOOK
__declspec(dllexport) int WINAPI SetupHook(int event, const char* text)
{
    Record("SetupHook %d %s\n", event, text ? text : "(null)");
    return Result();
}
#endif

__declspec(dllexport) int WINAPI NewSetupHook(int event, int value, INT_PTR, INT_PTR, INT_PTR,
                                              INT_PTR a6)
{
    Record("NewSetupHook %d %d %s\n", event, value, a6 ? "table" : "0");
    return Result();
}
}
