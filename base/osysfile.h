#pragma once
// The OSYS file services: directory paths, listing, deleting and copying trees.

#include "base/stringarray.h"
#include "base/strings.h"

namespace OSYS {

// The longest path the system's ANSI calls take; longer ones are refused, not cut.
constexpr STRING_SIZE_T MAXPATH = 260;

// Creates every missing directory of path; true if it is a directory afterwards.
bool CreateDirectoryPath(const STRING& path);
// The files matching pattern and, when recursive, the subdirectories matching it, each after
// its own contents; links to directories are listed but never entered. Returns how many.
int ListFiles(const STRING& directory, const char* pattern, STRINGARRAY* list, bool recursive);
// Deletes the matched files, then removes the directories deepest first; returns how many
// directories it tried to remove. Refuses roots and the system's and users' own folders.
int DeleteTree(const STRING& directory, const char* pattern, bool recursive);
// Copies a tree, directories before their contents; true if every file copy succeeded.
bool CopyTree(const STRING& from, const STRING& to, const char* pattern, bool recursive,
              bool keepExisting);

}  // namespace OSYS
