#pragma once
// Runs the real setup.exe of a distribution folder made in a scratch directory, the way a user
// starts it, and answers the message boxes it shows.

#include <filesystem>
#include <string>
#include <vector>

#include "frame/win32api.h"

struct SHOWNBOX {
    std::string title, text;
};

struct SETUPRUN {
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<SHOWNBOX> boxes;
};

// The folder of the running test program, where setup.exe and the language modules are built.
std::filesystem::path BinDir();
// Copies setup.exe and both language modules into folder.
void MakeDistribution(const std::filesystem::path& folder);
// Starts setup.exe with the arguments (working folder: folder), presses answer (IDOK, IDYES,
// IDNO) in every box it shows, and waits at most 30 seconds for it to end.
SETUPRUN RunSetup(const std::filesystem::path& folder, const std::string& arguments, int answer = IDOK);
std::string ReadText(const std::filesystem::path& file);
// A text of a language module, read the way the program reads it.
std::string ModuleString(const char* module, int id);
