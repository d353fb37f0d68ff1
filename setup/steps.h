#pragma once
// The wizard's step records and step ids.

#include <cstdint>

class SETUPDIALOGBOX;
class DATADIALOG;

// A step function fills its page, waits for the user and returns a navigation code.
using STEPFUNC = int (*)(SETUPDIALOGBOX* wizard, DATADIALOG* page);

struct STEP {
    int idstep;
    int idtitle;
    int idsubtitle;
    int iddialog;
    int param;
    STEPFUNC callback;
    // Handed to the hook with the step; pointer-sized so a hook may keep a pointer in it.
    intptr_t user;
};

enum STEPID {
    STEPEND = 0,
    STEPWELCOME = 1,
    STEPLICENSE = 2,
    STEPDIR = 3,
    STEPCOPY = 4,
    STEPSTARTMENU = 5,
    STEPADV = 6,
    STEPFINISH = 7,
    STEPGUARD = 9,
    STEPDATAFOLDER = 15,
    STEPUSAGE = 16,
};

enum NAVIGATION { NAV_NEXT = 149, NAV_BACK = 148, NAV_LEAVE = 0, NAV_REPEATMOVE = -1 };

constexpr int SETUPSTEPCOUNT = 15;
