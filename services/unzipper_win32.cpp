#include "services/unzipper.h"

#include "frame/win32api.h"

// The copy worker asks from its own thread, which has no active window of its own: the box
// belongs to the program's window in the foreground.
void* UnzipQuestionOwner()
{
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId() ? foreground : nullptr;
}
