#pragma once
// The application root: process start-up state, program arguments and their queries.

#include "base/stringarray.h"
#include "base/strings.h"

extern STRINGARRAY gArguments;
extern STRING gAppName;
extern STRING gAppVersion;
extern STRING gStartDir;
extern STRING gProgramDir;
extern unsigned long gMainThreadId;
extern bool gLanguageModuleLoaded;

using APPMAIN = int (*)(int argc, char** argv, char** envp);

namespace OMBIXAPP {

constexpr int MAXARGS = 256;

// Splits a writable command line in place; entry 0 is the self buffer when one is given.
int SplitCommandLine(char* commandLine, char* selfBuffer, char** argv, int maxArgs);
void ReadArguments(int argc, char** argv, int userLanguage);
// Cuts a build-configuration ending off a program folder that sits in a source tree.
STRING FindProgramDir(const STRING& directory);
// "german.dll", "french.dll", "hungarian.dll" or "english.dll" by language number.
const char* LanguageModuleSuffix(int locale);
// Sets name and version, as Init does before it loads the language module.
void SetApplication(const char* appName, const char* version);
bool Init(const char* programPath, const char* appName, const char* version);
int Run(void* instance, APPMAIN appMain);
void Shutdown(int result);

}  // namespace OMBIXAPP

bool TestArg(const char* name);
bool TestArgValue(const char* name, int n = 0);
STRING GetArgValue(const char* name, int n = 0);
