#pragma once
// The file-system primitives below FILENAME and the OSYS file services: one implementation for
// Windows, one for POSIX hosts (tests only). Paths are Windows paths with "\"; the POSIX side
// maps them to "/" when it touches the file system.

#include <cstdint>
#include <cstdio>

#include "base/stringarray.h"
#include "base/strings.h"

namespace FILESYS {

enum {
    ATTR_NONE = -1,
    ATTR_READONLY = 0x01,
    ATTR_DIRECTORY = 0x10,
    ATTR_NORMAL = 0x80,
    ATTR_REPARSE = 0x400,
};

// The attributes of the entry itself (a link is not followed), in the Windows bit layout:
// a link to a directory has ATTR_DIRECTORY and ATTR_REPARSE; ATTR_NONE when nothing is there.
int Attributes(const char* path);
bool SetAttributes(const char* path, int attributes);
// The run-time library's existence test (follows links); sets errno when it fails.
bool Access(const char* path);
bool DeleteFile(const char* path);
bool MakeDir(const char* path);
// Removes an empty directory, or a link to a directory without touching what it points to.
bool RemoveDir(const char* path);
// Fails when the target exists, like MoveFileA.
bool MoveFile(const char* from, const char* to);
// True when both names reach the same file (so a copy from one to the other would truncate it).
bool SameFile(const char* a, const char* b);

struct ENTRY {
    const char* name;
    int attributes;
};
using ENTRYVISITOR = void (*)(const ENTRY& entry, void* context);
// Every entry of directory that matches the wildcard pattern, "." and ".." included; false when
// the directory cannot be read.
bool ListDirectory(const char* directory, const char* pattern, ENTRYVISITOR visit, void* context);

// The descriptor behind a stream, -1 for none.
int Descriptor(FILE* stream);
// The absolute form of a path with "." and ".." resolved, "\" separated; no buffer on failure.
STRING FullPath(const char* path);
// Folders that a tree deletion must never take away as a whole (system, program and profile
// folders of the platform), each without trailing "\".
void ProtectedFolders(STRINGARRAY* folders);
// The platform's temporary folder when the environment names none.
STRING DefaultTempFolder();
// The login and machine names; false when the system cannot tell.
bool UserName(char* buffer, int size);
bool ComputerName(char* buffer, int size);
// The default values of the shell strings: the special folder of that type (see
// OSYS::GetSystemPath), with a trailing "\"; no buffer when unknown.
STRING SystemFolder(int type);

}  // namespace FILESYS
