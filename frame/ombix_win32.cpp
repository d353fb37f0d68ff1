#include "frame/ombix_win32.h"

#include <commctrl.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "base/filename.h"
#include "frame/approot.h"
#include "frame/platform.h"

HINSTANCE gInstance = nullptr;
HMODULE gLanguageModule = nullptr;

namespace {

HMODULE gKernel32 = nullptr;

using HEAPSETINFORMATION = BOOL(WINAPI*)(HANDLE, HEAP_INFORMATION_CLASS, PVOID, SIZE_T);
using ISDEBUGGERPRESENT = BOOL(WINAPI*)();

template <class FN>
FN Kernel32Function(const char* name)
{
    return reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(gKernel32, name)));
}

void SetupHeap()
{
    gKernel32 = LoadLibraryW(L"kernel32");
    auto heapSetInformation = Kernel32Function<HEAPSETINFORMATION>("HeapSetInformation");
    auto isDebuggerPresent = Kernel32Function<ISDEBUGGERPRESENT>("IsDebuggerPresent");
    bool switched = false;
    if (isDebuggerPresent && isDebuggerPresent()) {
        LOGITLEVEL(14, "Not using LowFragmentation Heap in debugger\n");
    } else if (heapSetInformation) {
        ULONG lowFragmentation = 2;
        switched = heapSetInformation(GetProcessHeap(), HeapCompatibilityInformation,
                                      &lowFragmentation, sizeof(lowFragmentation)) != FALSE;
    }
    // The run-time library's small-block heap is the fallback; today's msvcrt ignores it.
    if (!switched)
        _set_sbh_threshold(1016);
}

void InitAllCommonControls()
{
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = 0x7FF;
    InitCommonControlsEx(&init);
}

void Beeps(std::initializer_list<int> tones)
{
    // Pairs of frequency and duration; a frequency of 0 is a pause of that length.
    for (auto it = tones.begin(); it != tones.end(); it += 2) {
        if (it[0] == 0)
            Sleep(DWORD(it[1]));
        else
            Beep(DWORD(it[0]), DWORD(it[1]));
        Sleep(10);
    }
}

}  // namespace

namespace OMBIXAPP {

bool Init(const char* programPath, const char* appName, const char* version)
{
    STRING name(appName);
    name.MakeNonNull();
    if (name.Length() > 0 && name.Buffer[0] >= 'a' && name.Buffer[0] <= 'z')
        name.Buffer[0] = char(name.Buffer[0] - 'a' + 'A');
    SetApplication(name.Buffer, version);

    STRING prefix = FindProgramDir(FILENAME(programPath).GetPath()) + "\\" + appName;
    for (;;) {
        const char* suffix = LanguageModuleSuffix(gLocale);
        STRING path = prefix + suffix;
        HMODULE module = LoadLibraryA(path.Buffer);
        if (module) {
            LOGIT("OMBIXAPP::Init language module %s loaded\n", path.Buffer);
            gLanguageModule = module;
            gLanguageModuleLoaded = true;
            return true;
        }
        if (strcmp(suffix, "english.dll") != 0) {
            gLocale = 9;
            continue;
        }
        STRING text;
        text.Format("DLL not found:\r%s", path.Buffer);
        MessageBoxA(nullptr, text.Buffer, "Ombix Application", MB_OK | MB_ICONERROR);
        Shutdown(99);
        ExitProcess(99);
    }
}

void Shutdown(int result)
{
    LOGIT("\n");
    LOGIT("Welcome back %s, you have safely returned to OMBIXAPP with exit code %d\n",
          gAppName.Text(), result);
    LOGIT("Taxi to your hangar and have a pleasant stay.\n");
    LOGIT("Over and out.\n");
    LogOption("/LOGITCLOSE");
    STRING::ReleaseCache();
}

int Run(void* instance, APPMAIN appMain)
{
    const char* commandLine = GetCommandLineA();
    std::vector<char> writable(commandLine, commandLine + strlen(commandLine) + 1);
    gInstance = static_cast<HINSTANCE>(instance);
    gLanguageModule = gInstance;

    char self[260];
    char* argv[MAXARGS];
    int argc = SplitCommandLine(writable.data(), self, argv, MAXARGS);
    SetupHeap();
    SetCrashDumpLevel(0);
    InitAllCommonControls();
    _putenv("TZ=");
    OSYS::Milliseconds(true);
    LOGIT("OMBIXAPP instance= %p gMainThreadId= %08lx\n", instance, GetCurrentThreadId());
    ReadArguments(argc, argv, int(GetUserDefaultLCID() & 0x3FF));

    std::vector<char*> appArgv;
    for (int i = 0; i < gArguments.Count(); ++i)
        appArgv.push_back(gArguments[i].Buffer);
    appArgv.push_back(nullptr);
    ASSERT(appMain != nullptr, "pfnAppMain", "ombix_win32", 139);
    int result = appMain ? appMain(gArguments.Count(), appArgv.data(), _environ) : 0;

    Shutdown(result);
    if (gKernel32)
        FreeLibrary(gKernel32);
    if (gLanguageModuleLoaded)
        FreeLibrary(gLanguageModule);
    return result;
}

void LogHotKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT key = 0;
    if (message == WM_KEYDOWN)
        key = UINT(wParam);
    else if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UINT(-155))
        key = reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey;
    bool held = (GetAsyncKeyState(VK_CONTROL) & 0x8000) && (GetAsyncKeyState(VK_SHIFT) & 0x8000) &&
                !(GetAsyncKeyState(VK_MENU) & 0x8000);
    if (!key || !held)
        return;
    switch (key) {
    case VK_F5:
        Beeps({440, 200, 660, 100, 880, 100});
        LogOption("/LOGIT");
        break;
    case VK_F6:
        Beeps({440, 200, 660, 100, 880, 100, 0, 100, 880, 100});
        LogOption("/LOGITHARD");
        break;
    case VK_F7:
        Beeps({440, 200, 660, 100, 880, 100, 0, 100, 880, 100, 0, 100, 880, 100});
        LogOption("/LOGIT:CONSOLE");
        break;
    case VK_F8:
        Beeps({880, 100, 660, 100, 440, 100});
        LogOption("/LOGITCLOSE");
        break;
    case VK_F9:
        Beeps({880, 100, 660, 100, 440, 100, 440, 100, 440, 100});
        LOGIT("OMBIXAPP::LogHotKey crash-report test\n");
        LogOption("/LOGITCLOSE");
        ExitProcess(3);
    default:
        break;
    }
}

}  // namespace OMBIXAPP
