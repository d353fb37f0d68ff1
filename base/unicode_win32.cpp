#include "base/unicode.h"

#include "frame/win32api.h"

int SystemToWide(const char* bytes, int length, WIDECHAR* out)
{
    return MultiByteToWideChar(CP_ACP, 0, bytes, length, out, length);
}

int SystemFromWide(const WIDECHAR* text, int length, char* out, int room)
{
    return WideCharToMultiByte(CP_ACP, 0, text, length, out, out ? room : 0, nullptr, nullptr);
}
