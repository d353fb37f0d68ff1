#include "base/osys.h"

#include <gtest/gtest.h>

#include "frame/win32api.h"

#include <filesystem>
#include <string>

#include "frame/platform.h"
#include "tests/support/testsupport.h"

namespace {

std::string ChildProgram()
{
    char self[MAX_PATH];
    PLATFORM::ModulePath(self, sizeof(self));
    return (std::filesystem::path(self).parent_path() / "childprogram.exe").string();
}

// Runs with the log open into a scratch file.
class StartProgramTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str())); }
    void TearDown() override { OMBIXAPP::LogOption("/LOGITCLOSE"); }
    // The log's lines, with the CR LF it writes turned back into LF.
    std::string Log()
    {
        OMBIXAPP::LogOption("/LOGITCLOSE");
        std::string log = dir.Read("log.txt"), lines;
        for (char c : log)
            if (c != '\r')
                lines += c;
        return lines;
    }
    SCRATCHDIR dir;
};

TEST_F(StartProgramTest, ExitCodeOfAChild)
{
    int code = 0;
    EXPECT_TRUE(OSYS::StartProgram(ChildProgram().c_str(), "exit 3", nullptr, nullptr,
                                   STARTPROGRAM_WAIT, nullptr, &code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(StartProgramExitCode(ChildProgram().c_str(), "exit 7", nullptr, nullptr), 7);
    EXPECT_NE(Log().find("StartProgramExitCode returns 7\n"), std::string::npos);
}

TEST_F(StartProgramTest, MissingProgramGivesFalseAndMinusEight)
{
    int code = 0;
    std::string missing = dir.File("nothere.exe");
    EXPECT_FALSE(OSYS::StartProgram(missing.c_str(), "x", nullptr, nullptr, STARTPROGRAM_WAIT,
                                    nullptr, &code));
    EXPECT_EQ(code, -8);
    EXPECT_EQ(StartProgramExitCode(missing.c_str(), nullptr, nullptr, nullptr), 1);
    std::string log = Log();
    EXPECT_NE(log.find("OSYS::StartProgram rc= 0\n"), std::string::npos);
    EXPECT_NE(log.find("OSYS::StartProgram getlasterrorstring returned "), std::string::npos);
    EXPECT_NE(log.find("StartProgram done ok= 0\n"), std::string::npos);
}

TEST_F(StartProgramTest, ProgramWithBlanksIsQuotedOnce)
{
    std::filesystem::create_directory(dir.File("with blank"));
    std::string copy = dir.File("with blank\\child.exe");
    ASSERT_TRUE(CopyFileA(ChildProgram().c_str(), copy.c_str(), FALSE));
    std::string out = dir.File("cmdline.txt");
    std::string args = "cmdline \"" + out + "\"";
    ASSERT_TRUE(StartProgram(copy.c_str(), args.c_str(), nullptr, true));
    EXPECT_EQ(dir.Read("cmdline.txt"), "\"" + copy + "\" " + args);

    std::string quoted = "\"" + copy + "\"";
    ASSERT_TRUE(StartProgram(quoted.c_str(), args.c_str(), nullptr, true));
    EXPECT_EQ(dir.Read("cmdline.txt"), quoted + " " + args);
}

TEST_F(StartProgramTest, PrefixesAreLoggedWithoutThemselves)
{
    std::string child = ChildProgram();
    EXPECT_TRUE(OSYS::StartProgram(("*" + child).c_str(), "exit 0", nullptr, nullptr, STARTPROGRAM_WAIT));
    EXPECT_TRUE(OSYS::StartProgram(("#" + child).c_str(), "exit 0", nullptr, "title", STARTPROGRAM_WAIT));
    std::string log = Log();
    EXPECT_NE(log.find("OSYS::StartProgram " + child + " exit 0 (sync= 1)\n"), std::string::npos);
    EXPECT_EQ(log.find("*" + child), std::string::npos);
    EXPECT_EQ(log.find("#" + child), std::string::npos);
}

TEST_F(StartProgramTest, ProcessInformationIsHandedOver)
{
    PROCESSINFO info;
    ASSERT_TRUE(OSYS::StartProgram(ChildProgram().c_str(), "exit 5", nullptr, nullptr, 0, &info));
    ASSERT_NE(info.hProcess, nullptr);
    EXPECT_NE(info.ProcessId, 0u);
    WaitForSingleObject(info.hProcess, 10000);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    EXPECT_EQ(code, 5u);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

TEST(MutexSem, ASecondNamedMutexReportsThatItExisted)
{
    SCRATCHDIR dir;
    ASSERT_TRUE(OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str()));
    LogitLevel = 11;
    MUTEXSEM first(false, "Ombix_Test_Mutex");
    EXPECT_NE(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    MUTEXSEM second(false, "Ombix_Test_Mutex");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    OMBIXAPP::LogOption("/LOGITCLOSE");
    LogitLevel = 0;
    EXPECT_NE(dir.Read("log.txt").find("MUTEXSEM::MUTEXSEM created "), std::string::npos);
}

TEST(OpenDocument, MissingFileIsReportedAsFailure)
{
    SCRATCHDIR dir;
    EXPECT_FALSE(OSYS::OpenDocument(nullptr, dir.File("missing.txt").c_str()));
}

TEST(RaiseThreadPriority, RaisesForTheScopeAndRestores)
{
    int before = GetThreadPriority(GetCurrentThread());
    {
        RAISETHREADPRIORITY raise(THREAD_PRIORITY_ABOVE_NORMAL);
        EXPECT_TRUE(raise.RaiseOk);
        EXPECT_EQ(raise.PrevPriority, before);
        EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_ABOVE_NORMAL);
    }
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), before);
    {
        RAISETHREADPRIORITY raise(THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_LOWEST);
    }
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_LOWEST);
    SetThreadPriority(GetCurrentThread(), before);
}

struct PUMPPROBE {
    bool dispatched = false;
};

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_APP) {
        reinterpret_cast<PUMPPROBE*>(lp)->dispatched = true;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(StartProgramTest, WaitWithMessageProcessingKeepsTheWindowServed)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OmbixPumpProbe";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "OmbixPumpProbe", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);

    PUMPPROBE blocked, served;
    PostMessageA(hwnd, WM_APP, 0, reinterpret_cast<LPARAM>(&blocked));
    ASSERT_TRUE(OSYS::StartProgram(ChildProgram().c_str(), "sleep 200", nullptr, nullptr, STARTPROGRAM_WAIT));
    EXPECT_FALSE(blocked.dispatched);  // a plain wait leaves the queue alone

    PostMessageA(hwnd, WM_APP, 0, reinterpret_cast<LPARAM>(&served));
    ASSERT_TRUE(OSYS::StartProgram(ChildProgram().c_str(), "sleep 200", nullptr, nullptr,
                                   STARTPROGRAM_WAIT | STARTPROGRAM_PROCESSMESSAGES));
    EXPECT_TRUE(blocked.dispatched);
    EXPECT_TRUE(served.dispatched);
    DestroyWindow(hwnd);
}

}  // namespace
