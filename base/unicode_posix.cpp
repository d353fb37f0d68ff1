#include "base/unicode.h"

// The host has no system code page of the framework's kind; 1252 stands in for it.
int SystemToWide(const char* bytes, int length, WIDECHAR* out)
{
    return UNICODE::Get().ToWide(bytes, length, 1252, out);
}

int SystemFromWide(const WIDECHAR* text, int length, char* out, int room)
{
    return UNICODE::Get().FromWide(text, length, 1252, out, room);
}
