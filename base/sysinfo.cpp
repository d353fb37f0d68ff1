#include "base/sysinfo.h"

#include "frame/platform.h"

int OSYS::GetWindowsVersion() { return PLATFORM::WindowsVersionClass(); }

STRING OSYS::GetLastErrorString(int code)
{
    if (code == LASTERROR)
        code = PLATFORM::LastError();
    char text[256];
    if (!PLATFORM::ErrorText(code, text, sizeof(text)))
        return STRING("<no error>");
    return STRING(text);
}

STRING OSYS::GetTime()
{
    char text[80];
    PLATFORM::LocalTimeText(text, sizeof(text));
    return STRING(text);
}

STRING OSYS::GetCurrentDirectory()
{
    char directory[260];
    if (!PLATFORM::CurrentDirectory(directory, sizeof(directory))) {
        LOGIT("OSYS::GetCurrentDirectory failed or longer than %d bytes\n", int(sizeof(directory)));
        return STRING();
    }
    return STRING(directory);
}

bool OSYS::SetCurrentDirectory(const char* path)
{
    return path && PLATFORM::SetCurrentDirectory(path);
}
