// Starts the real setup.exe from a distribution folder made in a scratch directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "frame/win32api.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

fs::path BinDir()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path();
}

struct RUN {
    DWORD exitCode = 0xFFFFFFFF;
    std::string boxText;
};

struct BOXSEARCH {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<BOXSEARCH*>(p);
    char text[256];
    GetWindowTextA(w, text, sizeof(text));
    if (IsWindowVisible(w) && strcmp(text, s->caption) == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

// A message box of the started process, found by its caption.
HWND FindBox(const char* caption)
{
    BOXSEARCH search{caption, nullptr};
    EnumWindows(MatchCaption, LPARAM(&search));
    return search.found;
}

// Runs setup.exe with the arguments; a box with the given caption is read and confirmed.
RUN RunSetup(const fs::path& folder, const std::string& arguments, const char* boxCaption = nullptr)
{
    RUN run;
    std::string commandLine = "\"" + (folder / "setup.exe").string() + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.string().c_str(), &si, &pi))
        return run;
    for (int i = 0; i < 300 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; ++i) {
        HWND box = boxCaption ? FindBox(boxCaption) : nullptr;
        if (!box)
            continue;
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        run.boxText = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return run;
}

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.Path();
        for (const char* f : {"setup.exe", "setupenglish.dll", "setupgerman.dll"})
            fs::copy_file(BinDir() / f, folder / f);
    }
    SCRATCHDIR dir;
    fs::path folder;
};

TEST_F(Startup, LogsEveryArgumentAndLoadsTheGermanModule)
{
    fs::path log = folder / "log.txt";
    RUN run = RunSetup(folder, "\"/LOGIT:" + log.string() + "\" /X:1 -LANG ger");
    EXPECT_EQ(run.exitCode, 0u);
    std::string text = ReadFile(log);
    EXPECT_NE(text.find("OMBIXAPP program argument 3= '/X:1'\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("OMBIXAPP program argument 4= '-LANG'\r\n"), std::string::npos);
    EXPECT_NE(text.find("OMBIXAPP gLocale= 7,"), std::string::npos);
    EXPECT_NE(text.find("setupgerman.dll loaded"), std::string::npos);
    EXPECT_NE(text.find("Welcome back Setup, you have safely returned to OMBIXAPP with exit code 0\r\n"
                        "[")
                  ,
              std::string::npos);
    EXPECT_NE(text.find("] Over and out.\r\n"), std::string::npos);
    ASSERT_EQ(text.rfind("[", 0), 0u);
    EXPECT_EQ(text[8], ':');
}

TEST_F(Startup, ArgumentFilesOfProgramFolderAreReadOnce)
{
    fs::path log = folder / "log.txt";
    std::ofstream(folder / "commandline.ini", std::ios::binary) << "/LOGIT:" << log.string() << "\r\n\r\n  /FROMFILE \t\r\n";
    std::ofstream(folder / "setup_commandline.ini", std::ios::binary) << "/SECOND\r\n";
    RUN run = RunSetup(folder, "/ARG");
    EXPECT_EQ(run.exitCode, 0u);
    std::string text = ReadFile(log);
    EXPECT_NE(text.find("program argument 2= '/ARG'"), std::string::npos) << text;
    EXPECT_NE(text.find("program argument 4= '/FROMFILE'"), std::string::npos) << text;
    EXPECT_NE(text.find("program argument 5= '/SECOND'"), std::string::npos) << text;
    EXPECT_EQ(text.find("program argument 6="), std::string::npos) << text;
}

TEST_F(Startup, WithoutLanguageModuleTheBoxAndExitCode99)
{
    fs::remove(folder / "setupenglish.dll");
    fs::remove(folder / "setupgerman.dll");
    RUN run = RunSetup(folder, "", "Ombix Application");
    EXPECT_EQ(run.exitCode, 99u);
    EXPECT_EQ(run.boxText.rfind("DLL not found:", 0), 0u) << run.boxText;
    EXPECT_NE(run.boxText.find("setupenglish.dll"), std::string::npos) << run.boxText;
}

}  // namespace
