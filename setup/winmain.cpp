#include "frame/approot.h"
#include "frame/win32api.h"
#include "setup/setupmain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return OMBIXAPP::Run(instance, AppMain);
}
