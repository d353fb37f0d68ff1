#pragma once
// The setup hook entries: the old-style SetupHook (event, text) and the new-style NewSetupHook
// (event, value, four words). A product's "SETUPHOOK" library may replace the built-in ones.

#include "frame/win32api.h"

// A hook library is built separately, so the entries use the Windows API's calling convention.
// The four words carry window handles and pointers: pointer-sized on 64-bit Windows.
using SETUPHOOKPROC = int(WINAPI*)(int event, const char* text);
using NEWSETUPHOOKPROC = int(WINAPI*)(int event, int value, INT_PTR a3, INT_PTR a4, INT_PTR a5,
                                      INT_PTR a6);

extern SETUPHOOKPROC fpSetupHook;
extern NEWSETUPHOOKPROC fpNewSetupHook;

enum SETUPHOOKEVENT {
    HOOK_STEPTABLE = 0,
    HOOK_CONFIG = 1,
    HOOK_WIZARDDONE = 2,
    HOOK_UNINSTALLSTART = 3,
    HOOK_UNINSTALLDONE = 4,
    HOOK_BEFORESTEP = 5,
    HOOK_AFTERSTEP = 6,
    HOOK_BEFORECOPY = 7,
    HOOK_AFTERCOPY = 8,
    HOOK_PROGRAMGROUP = 9,
    HOOK_SHORTCUTS = 10,
    HOOK_REMOVESTART = 11,
    HOOK_REMOVEDONE = 12,
    HOOK_FINISHED = 13,
    HOOK_UNINSTALLPATH = 14,
    HOOK_ADMIN = 256,
};

// The built-in defaults: the old style does nothing, the new style only logs.
int WINAPI SetupHookDefault(int event, const char* text);
int WINAPI NewSetupHookDummy(int event, int value, INT_PTR a3, INT_PTR a4, INT_PTR a5, INT_PTR a6);

// The terminal product's built-in hooks, by product version.
int WINAPI NewSetupHookVOK4(int event, int value, INT_PTR a3, INT_PTR a4, INT_PTR a5, INT_PTR a6);
int WINAPI NewSetupHookVOK5(int event, int value, INT_PTR a3, INT_PTR a4, INT_PTR a5, INT_PTR a6);
int WINAPI NewSetupHookVOK6(int event, int value, INT_PTR a3, INT_PTR a4, INT_PTR a5, INT_PTR a6);

// The built-in hook for a product version of the terminal product.
NEWSETUPHOOKPROC ProductHookForVersion(double version);

// Sends an event to whichever entries are set.
void CallSetupHook(int event, const char* text);
void CallNewSetupHook(int event, int value, INT_PTR a3 = 0, INT_PTR a4 = 0, INT_PTR a5 = 0,
                      INT_PTR a6 = 0);
