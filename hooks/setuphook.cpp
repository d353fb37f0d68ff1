#include "hooks/setuphook.h"

#include "frame/ombix.h"

SETUPHOOKPROC fpSetupHook = SetupHookDefault;
NEWSETUPHOOKPROC fpNewSetupHook = NewSetupHookDummy;

int WINAPI SetupHookDefault(int, const char*) { return 1; }

int WINAPI NewSetupHookDummy(int event, int value, INT_PTR, INT_PTR, INT_PTR, INT_PTR a6)
{
    LOGIT("SETUP::NewSetupHookDummy %d %d %p\n", event, value, reinterpret_cast<void*>(a6));
    return 1;
}

NEWSETUPHOOKPROC ProductHookForVersion(double version)
{
    if (version < 4.8)
        return NewSetupHookVOK4;
    if (version < 5.6)
        return NewSetupHookVOK5;
    return NewSetupHookVOK6;
}

void CallSetupHook(int event, const char* text)
{
    if (fpSetupHook)
        fpSetupHook(event, text);
}

void CallNewSetupHook(int event, int value, INT_PTR a3, INT_PTR a4, INT_PTR a5, INT_PTR a6)
{
    if (fpNewSetupHook)
        fpNewSetupHook(event, value, a3, a4, a5, a6);
}
