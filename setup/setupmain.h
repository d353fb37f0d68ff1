#pragma once
// The setup program's modes and the setup-wide state that its steps and hooks share.

#include "base/hash.h"
#include "base/strings.h"
#include "setup/steps.h"

extern HASH gSetupConfig;
extern STRING gInstallDir;
extern STRING gInstallType;
extern STRING gProgramGroupDir;
extern STRING gProductTitle;
extern STRING gActiveSyncManager;

int AppMain(int argc, char** argv, char** envp);
int SetupMain();
// The removal mode; the uninstall wizard hangs in here.
int UninstallMain(const char* programPath);

// Fills the installation step table with the engine's seven steps and the free room after them.
void FillSetupSteps(STEP (&steps)[SETUPSTEPCOUNT]);
