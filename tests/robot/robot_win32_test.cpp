#include "tests/robot/robot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int ID_INPUT = 101;
constexpr int ID_CONVERT = 102;
constexpr int ID_RESULT = 103;
constexpr int ID_PLUS = 104;
constexpr int ID_COLOUR = 105;
constexpr int ID_ASK = 106;

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir + name;
}

// Starts a program; with output set, its standard output is collected through a pipe.
bool Start(const std::string& commandLine, PROCESS_INFORMATION* process, HANDLE* output)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    HANDLE writeEnd = nullptr;
    if (output) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        if (!CreatePipe(output, &writeEnd, &inherit, 0))
            return false;
        SetHandleInformation(*output, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    std::string line = commandLine;
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, output != nullptr, 0,
                                  nullptr, nullptr, &startup, process);
    if (writeEnd)
        CloseHandle(writeEnd);
    return started != FALSE;
}

std::string ReadAll(HANDLE pipe)
{
    std::string all;
    char chunk[512];
    DWORD got = 0;
    while (ReadFile(pipe, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        all.append(chunk, got);
    return all;
}

// robot_target.exe, started for one test and ended after it, whatever the test did.
class RobotTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start("\"" + BesideThisProgram("robot_target.exe") + "\"", &target, nullptr));
        window = ROBOT::FindTopWindow(target.dwProcessId, "Robot target", nullptr);
        ASSERT_NE(window, nullptr) << "the target's dialog did not appear";
    }
    void TearDown() override
    {
        if (!target.hProcess)
            return;
        if (WaitForSingleObject(target.hProcess, 0) == WAIT_TIMEOUT) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            if (WaitForSingleObject(target.hProcess, 5000) == WAIT_TIMEOUT)
                TerminateProcess(target.hProcess, 1);
        }
        CloseHandle(target.hThread);
        CloseHandle(target.hProcess);
    }

    int RunRobot(const std::string& arguments, std::string* output)
    {
        PROCESS_INFORMATION robot{};
        HANDLE pipe = nullptr;
        std::string line = "\"" + BesideThisProgram("robot.exe") + "\" --pid " +
                           std::to_string(target.dwProcessId) + " " + arguments;
        if (!Start(line, &robot, &pipe))
            return -1;
        *output = ReadAll(pipe);
        CloseHandle(pipe);
        DWORD code = 99;
        if (WaitForSingleObject(robot.hProcess, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(robot.hProcess, &code);
        CloseHandle(robot.hThread);
        CloseHandle(robot.hProcess);
        return int(code);
    }

    HWND Control(int id) { return ROBOT::FindControl(window, id); }

    PROCESS_INFORMATION target{};
    HWND window = nullptr;
};

TEST_F(RobotTest, TypesClicksAndReadsTheResultBack)
{
    HWND input = Control(ID_INPUT);
    ASSERT_NE(input, nullptr);
    ASSERT_TRUE(ROBOT::Type(input, "hello"));
    EXPECT_EQ(ROBOT::GetText(input), "hello");
    ASSERT_TRUE(ROBOT::SetCheck(Control(ID_PLUS), BST_CHECKED));
    EXPECT_EQ(ROBOT::GetCheck(Control(ID_PLUS)), BST_CHECKED);
    ASSERT_TRUE(ROBOT::Select(Control(ID_COLOUR), 2));
    ASSERT_TRUE(ROBOT::Click(Control(ID_CONVERT)));
    EXPECT_TRUE(ROBOT::WaitText(Control(ID_RESULT), "HELLO + blue"))
        << ROBOT::GetText(Control(ID_RESULT));
    EXPECT_TRUE(ROBOT::IsEnabled(Control(ID_CONVERT)));
    EXPECT_TRUE(ROBOT::IsVisible(Control(ID_CONVERT)));
}

TEST_F(RobotTest, AnswersTheTargetsMessageBox)
{
    ASSERT_TRUE(ROBOT::Click(Control(ID_ASK)));
    ROBOT::BOX box;
    ASSERT_TRUE(ROBOT::AnswerBox(target.dwProcessId, IDYES, &box));
    EXPECT_EQ(box.title, "Robot target");
    EXPECT_EQ(box.text, "Proceed?");
    EXPECT_EQ(box.owner, window);
    EXPECT_TRUE(ROBOT::WaitText(Control(ID_RESULT), "yes"));

    ASSERT_TRUE(ROBOT::Click(Control(ID_ASK)));
    ASSERT_TRUE(ROBOT::AnswerBox(target.dwProcessId, IDNO, &box));
    EXPECT_TRUE(ROBOT::WaitText(Control(ID_RESULT), "no"));
}

TEST_F(RobotTest, WaitsAreBounded)
{
    DWORD start = GetTickCount();
    EXPECT_EQ(ROBOT::FindTopWindow(target.dwProcessId, "No such window", nullptr, 300), nullptr);
    EXPECT_EQ(ROBOT::FindControl(window, 999, 300), nullptr);
    EXPECT_FALSE(ROBOT::WaitText(Control(ID_RESULT), "never", 300));
    EXPECT_FALSE(ROBOT::AnswerBox(target.dwProcessId, IDOK, nullptr, 300));
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST_F(RobotTest, CommandLineProgramDrivesTheDialog)
{
    std::string output;
    int code = RunRobot("window \"Robot target\" settext 101 abc select 105 1 click 102 "
                        "expect 103 \"ABC green\" text 103 state 104 click 106 answer no "
                        "expect 103 no click 2 gone",
                        &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("ABC green"), std::string::npos) << output;
    EXPECT_NE(output.find("enabled=1 visible=1 checked=0"), std::string::npos) << output;
    EXPECT_NE(output.find("title: Robot target"), std::string::npos) << output;
    EXPECT_NE(output.find("text: Proceed?"), std::string::npos) << output;
    EXPECT_EQ(WaitForSingleObject(target.hProcess, 5000), WAIT_OBJECT_0) << "Close ended it";
}

TEST_F(RobotTest, CommandLineProgramFailsWithoutHanging)
{
    std::string output;
    EXPECT_EQ(RunRobot("--timeout 300 window \"No such window\"", &output), 1);
    EXPECT_EQ(RunRobot("--timeout 300 window \"Robot target\" expect 103 never", &output), 1);
    EXPECT_EQ(RunRobot("", &output), 2);
}

}  // namespace
