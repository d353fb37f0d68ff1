#pragma once
// The robot: drives windows of this or another process the way a user does. Every wait is
// bounded; a failed wait gives a null window or false, never a hang.

#include <string>
#include <thread>
#include <vector>

#include "frame/win32api.h"

namespace ROBOT {

constexpr int DEFAULTWAIT = 10000;

// A top-level window of the process (0: any) whose title and class match (null: any).
HWND FindTopWindow(DWORD process, const char* title, const char* className,
                   int timeoutMs = DEFAULTWAIT);
// A direct or deeper child with this id.
HWND FindControl(HWND parent, int id, int timeoutMs = DEFAULTWAIT);

std::string GetText(HWND window);
bool SetText(HWND window, const char* text);
// Character by character, as typed on the keyboard.
bool Type(HWND window, const char* text);
// A mouse click on a button, check box or radio button; returns at once.
bool Click(HWND button);
int GetCheck(HWND button);
bool SetCheck(HWND button, int state);
// Selects an item of a list box or combo box and tells its owner, as a user's choice would.
bool Select(HWND list, int index);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);

// Waits until the window's thread has handled everything sent to it so far.
bool WaitIdle(HWND window, int timeoutMs = DEFAULTWAIT);
bool WaitText(HWND window, const char* expected, int timeoutMs = DEFAULTWAIT);
bool WaitGone(HWND window, int timeoutMs = DEFAULTWAIT);

// A message box or dialog box (class "#32770") as a user sees it.
struct BOX {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string title;
    std::string text;               // the message of a message box
    std::vector<int> buttons;       // ids of its visible buttons
    // "question", "information", "error", "warning" or "": icon handles are compared with the
    // system's, which only works for boxes of this process.
    std::string icon;
};

// The enabled dialog box of the process: the one a modal box leaves the user.
HWND FindBox(DWORD process, int timeoutMs = DEFAULTWAIT);
bool ReadBox(HWND box, BOX* seen);
bool PressButton(HWND dialog, int id);
// The name of the folder the folder picker's tree has selected ("" when none).
std::string SelectedFolderName(HWND picker);
// Waits until the folder picker has selected the named folder. The picker walks its tree down
// to the initial folder one level at a time, which under Wine in a new prefix and on a busy
// machine takes many seconds.
bool WaitFolderSelection(HWND picker, const std::string& name, int timeoutMs = 60000);
// Waits for a message box of the process, reads it and presses the button.
bool AnswerBox(DWORD process, int button, BOX* seen, int timeoutMs = DEFAULTWAIT);

// Answers the next box of this process from a thread of its own, while the test's thread sits in
// the box's modal loop. Wait() tells whether a box was seen and answered.
class BOXANSWERER {
public:
    explicit BOXANSWERER(int button, int timeoutMs = DEFAULTWAIT);
    ~BOXANSWERER();
    BOXANSWERER(const BOXANSWERER&) = delete;
    BOXANSWERER& operator=(const BOXANSWERER&) = delete;
    bool Wait();
    const BOX& Box() const { return box; }

private:
    BOX box;
    bool answered = false;
    // Last: the thread starts in the constructor and uses the members above.
    std::thread worker;
};

}  // namespace ROBOT
