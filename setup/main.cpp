#include <windows.h>

#include "frame/approot.h"

int AppMain(int argc, char** argv, char**)
{
    if (argc < 1)
        return 0;
    OMBIXAPP::Init(argv[0], "setup", "1.00");
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return OMBIXAPP::Run(instance, AppMain);
}
