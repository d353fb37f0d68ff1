#include "setup/setupmain.h"

#include <cstring>

#include "base/filename.h"
#include "base/registry.h"
#include "base/sysinfo.h"
#include "frame/approot.h"
#include "frame/langmodule.h"
#include "hooks/setuphook.h"
#include "lang/langids.h"
#include "setup/configkeys.h"
#include "setup/script.h"
#include "ui/msgbox.h"

HASH gSetupConfig;
STRING gInstallDir;
STRING gInstallType;
STRING gProgramGroupDir;
STRING gProductTitle;
STRING gActiveSyncManager;

namespace {

constexpr const char* SOURCE = "main";
constexpr const char* UNINSTALLKEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* SHAREDTOOLS = "Software\\Microsoft\\Shared Tools";

void SetupError(int textId)
{
    ErrorMsgBox(nullptr, OSYS::GetStringFromResource(IDS_SETUP_CAPTION).Text(),
                OSYS::GetStringFromResource(textId).Text());
}

bool LoadsAsLibrary(const STRING& path)
{
    if (path.IsEmpty())
        return false;
    HMODULE library = LoadLibraryA(path.Buffer);
    if (!library)
        return false;
    FreeLibrary(library);
    return true;
}

STRING ReadValue(const char* subkey, const char* value)
{
    REGISTRY key(HKEY_LOCAL_MACHINE, SHAREDTOOLS, subkey, REGISTRY_CREATE);
    STRING data;
    key.Read(value, data);
    return data;
}

// DAO 3.6 where the shared tools say it is, or beside a registered DAO 3.5.
bool FindDao360()
{
    STRING shared = ReadValue("", "SharedFilesDir");
    if (!shared.IsEmpty() && LoadsAsLibrary(shared + "DAO\\dao360.dll"))
        return true;
    STRING candidate = ReadValue("dao360.dll", "Path");
    if (candidate.IsEmpty()) {
        STRING dao35 = ReadValue("dao350.dll", "Path");
        if (dao35.IsEmpty())
            dao35 = ReadValue("DAO350", "Path");
        if (!dao35.IsEmpty()) {
            dao35.Replace("350.dll", "360.dll");
            candidate = dao35;
        }
    }
    return LoadsAsLibrary(candidate);
}

bool RequiredComponentsPresent()
{
    STRING checkDll = ConfigText(gSetupConfig, "CheckDll");
    if (checkDll.IsEmpty())
        return true;
    for (int i = 0;; ++i) {
        STRING token = checkDll.Token(i, "|");
        if (!token.HasBuffer())
            return true;
        if (token == "dao360" && OSYS::GetWindowsVersion() < 4 && !FindDao360()) {
            SetupError(IDS_ERR_NODAO);
            return false;
        }
    }
}

bool ActiveSyncPresent()
{
    if (ConfigNumber(gSetupConfig, "ActiveSyncInstall") == 0)
        return true;
    REGISTRY key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\",
                 "CEAppMgr.exe", REGISTRY_CREATE);
    gActiveSyncManager = STRING();
    key.Read("", gActiveSyncManager);
    if (gActiveSyncManager.IsEmpty() || !FILENAME(gActiveSyncManager).Exists()) {
        SetupError(IDS_ERR_ACTIVESYNC);
        return false;
    }
    return true;
}

void ChooseProductHook()
{
    if (!(ConfigText(gSetupConfig, "AppName") == "VOK"))
        return;
    double version = ConfigText(gSetupConfig, "AppVersion", "4.00").AsDouble();
    // A product's own hook library always wins over the built-in hooks.
    if (fpNewSetupHook == NewSetupHookDummy)
        fpNewSetupHook = ProductHookForVersion(version);
}

STRING ProgramFilesFolder()
{
    REGISTRY key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "",
                 REGISTRY_CREATE);
    STRING raw;
    key.Read("ProgramFilesDir", raw);
    char expanded[1024] = "";
    if (!raw.IsEmpty())
        ExpandEnvironmentStringsA(raw.Buffer, expanded, sizeof(expanded));
    STRING folder(expanded);
    if (folder.Length() == 0 || folder.Buffer[folder.StrLen - 1] != '\\')
        folder.Append("\\");
    return folder;
}

// The earlier installation's folder, read into a 512-byte buffer: a longer value does not
// fit and counts as absent.
STRING EarlierInstallFolder(REGISTRY& uninstallKey)
{
    char buffer[512];
    DWORD size = sizeof(buffer);
    if (!uninstallKey.Read("UninstallPath", buffer, &size) || size >= sizeof(buffer))
        return STRING();
    buffer[size] = 0;
    return STRING(buffer);
}

}  // namespace

void FillSetupSteps(STEP (&steps)[SETUPSTEPCOUNT])
{
    const STEP engine[] = {
        {STEPWELCOME, 2912, 2913, 2001, 0, nullptr, 0},
        {STEPLICENSE, 2904, 2905, 2003, 0, nullptr, 0},
        {STEPDIR, 2902, 2903, 2002, 0, nullptr, 0},
        {STEPCOPY, 2906, 2907, 2004, 0, nullptr, 0},
        {STEPSTARTMENU, 2916, 2917, 2005, 0, nullptr, 0},
        {STEPADV, 2914, 2915, 2006, 0, nullptr, 0},
        {STEPFINISH, 2918, 2919, 2009, 0, nullptr, 0},
    };
    memset(steps, 0, sizeof(steps));
    memcpy(steps, engine, sizeof(engine));
    steps[SETUPSTEPCOUNT - 1].idstep = STEPGUARD;
}

int SetupMain()
{
    STEP steps[SETUPSTEPCOUNT];
    FillSetupSteps(steps);
    if (!gSetupConfig.Load("setup.cfg")) {
        SetupError(IDS_ERR_NOCONFIG);
        return 0;
    }
    if (!RequiredComponentsPresent() || !ActiveSyncPresent())
        return 0;
    ChooseProductHook();

    CallSetupHook(HOOK_CONFIG, nullptr);
    CallNewSetupHook(HOOK_STEPTABLE, 0, 0, 0, 0, reinterpret_cast<INT_PTR>(steps));
    CallNewSetupHook(HOOK_CONFIG, gLocale, 0, 0, 0, reinterpret_cast<INT_PTR>(&gSetupConfig));
    FoldLanguageKeys(gSetupConfig, OSYS::GetStringFromResource(IDS_LANGUAGE_SUFFIX).Text());

    gProductTitle = ConfigText(gSetupConfig, "AppName") + " " + ConfigText(gSetupConfig, "AppVersion");
    ConfigText(gSetupConfig, "Advertise", "");

    REGISTRY uninstallKey(HKEY_LOCAL_MACHINE, UNINSTALLKEY,
                          ConfigText(gSetupConfig, "IniKey").Text(), REGISTRY_CREATE);
    STRING earlier = EarlierInstallFolder(uninstallKey);
    bool earlierExists = !earlier.IsEmpty() && FILENAME(earlier).IsDirectory();
    gInstallDir = DefaultInstallDir(earlier, earlierExists, ConfigText(gSetupConfig, "InstallPath"),
                                    ProgramFilesFolder());
    LOGIT("SETUP::SetupMain %s into %s\n", gProductTitle.Text(), gInstallDir.Text());
    return 0;
}

int UninstallMain(const char*) { return 0; }

int AppMain(int argc, char** argv, char**)
{
    const char* self = argc > 0 ? argv[0] : "";
    OMBIXAPP::Init(self, "setup", "1.00");
    if (TestArg("AUTODIR"))
        OSYS::SetCurrentDirectory(FILENAME(self).GetPath().Text());

    HMODULE hookLibrary = LoadLibraryA("SETUPHOOK");
    if (hookLibrary) {
        fpSetupHook = reinterpret_cast<SETUPHOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(hookLibrary, "SetupHook")));
        ASSERT(fpSetupHook != nullptr, "fpSetupHook", SOURCE, 75);
        fpNewSetupHook = reinterpret_cast<NEWSETUPHOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(hookLibrary, "NewSetupHook")));
    }

    int exitCode = 0;
    if (!RunScriptCommand(exitCode) && !TestArgValue("ORDER")) {
        if (TestArgValue("REMOVE"))
            UninstallMain(self);
        else
            SetupMain();
    }
    if (hookLibrary) {
        FreeLibrary(hookLibrary);
        fpSetupHook = nullptr;
    }
    return exitCode;
}
