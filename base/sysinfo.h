#pragma once
// System facts: special folders, the Windows version class, error texts, date and time, the
// current directory and the per-user autostart entry.

#include "base/strings.h"

namespace OSYS {

// A special folder by type (0 programs menu ... 19, see the table in sysinfo_win32.cpp),
// always with a trailing "\"; no buffer when it cannot be read. Windows only.
STRING GetSystemPath(int type);
// 0 not an NT system; 1 NT before 5.0; 2 for 5.0; 3 for 5.1; 4 for other 5.x; 5 for 6 and later.
int GetWindowsVersion();
constexpr int LASTERROR = -4711;
// The system's text for an error code (LASTERROR: the calling thread's last error).
STRING GetLastErrorString(int code);
// Today's date and the time in the user's formats. GetDate is Windows only.
STRING GetDate();
STRING GetTime();
STRING GetCurrentDirectory();
bool SetCurrentDirectory(const char* path);
// Command null removes the entry; "<self>", "<ownfile>", the program's own path or
// AUTOSTART_SELF store the program's path in quotes. Windows only.
inline const char* const AUTOSTART_SELF = reinterpret_cast<const char*>(1);
bool SetAutostart(const char* valueName, const char* command);

}  // namespace OSYS
