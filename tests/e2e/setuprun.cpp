#include "tests/e2e/setuprun.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct BOXSEARCH {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<BOXSEARCH*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (pid == search->processId && IsWindowVisible(window) && strcmp(className, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindBox(DWORD processId)
{
    BOXSEARCH search{processId, nullptr};
    EnumWindows(MatchBox, LPARAM(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(size_t(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    text.resize(size_t(length));
    return text;
}

}  // namespace

fs::path BinDir()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path();
}

void MakeDistribution(const fs::path& folder)
{
    for (const char* f : {"setup.exe", "setupenglish.dll", "setupgerman.dll"})
        fs::copy_file(BinDir() / f, folder / f, fs::copy_options::overwrite_existing);
}

SETUPRUN RunSetup(const fs::path& folder, const std::string& arguments, int answer)
{
    SETUPRUN run;
    std::string commandLine = "\"" + (folder / "setup.exe").string() + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.string().c_str(), &si, &pi))
        return run;
    HWND answered = nullptr;
    for (int i = 0; i < 300 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; ++i) {
        HWND box = FindBox(pi.dwProcessId);
        if (!box || box == answered)
            continue;
        HWND label = GetDlgItem(box, 0xFFFF);
        run.boxes.push_back({WindowText(box), label ? WindowText(label) : std::string()});
        // A box without the chosen button (an assertion's Yes/No) is answered so it goes on.
        int button = answer;
        for (int fallback : {IDYES, IDOK, IDCANCEL})
            if (!GetDlgItem(box, button))
                button = fallback;
        PostMessageA(box, WM_COMMAND, WPARAM(button), 0);
        answered = box;
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return run;
}

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ModuleString(const char* module, int id)
{
    HMODULE library = LoadLibraryExA((BinDir() / module).string().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = "";
    if (library) {
        LoadStringA(library, UINT(id), text, sizeof(text));
        FreeLibrary(library);
    }
    return text;
}
