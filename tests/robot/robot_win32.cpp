#include "tests/robot/robot.h"

#include <commctrl.h>

#include <cstring>

namespace ROBOT {

namespace {

constexpr int POLLMS = 50;
constexpr UINT SENDWAIT = 5000;
// The message text of a message box; Windows and Wine both give it this id.
constexpr int BOXTEXTID = 0xFFFF;
// The icon of a message box: 0x14 on Windows, 0x440 in Wine.
constexpr int BOXICONIDS[] = {0x14, 0x440};

bool Elapsed(DWORD start, int timeoutMs) { return GetTickCount() - start >= DWORD(timeoutMs); }

std::string ClassOf(HWND window)
{
    char name[260] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr)
{
    DWORD_PTR answer = 0;
    LRESULT ok = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SENDWAIT,
                                     &answer);
    if (result)
        *result = LRESULT(answer);
    return ok != 0;
}

struct TOPSEARCH {
    DWORD process;
    const char* title;
    const char* className;
    bool enabledOnly;
    int requiredChild;
    HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<TOPSEARCH*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (search->process && process != search->process)
        return TRUE;
    if (!IsWindowVisible(window))
        return TRUE;
    if (search->enabledOnly && !IsWindowEnabled(window))
        return TRUE;
    if (search->requiredChild && !GetDlgItem(window, search->requiredChild))
        return TRUE;
    if (search->className && ClassOf(window) != search->className)
        return TRUE;
    if (search->title && GetText(window) != search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

std::string IconName(HWND box)
{
    static const struct {
        LPCSTR id;
        const char* name;
    } icons[] = {{IDI_QUESTION, "question"},
                 {IDI_INFORMATION, "information"},
                 {IDI_ERROR, "error"},
                 {IDI_WARNING, "warning"}};
    for (int iconId : BOXICONIDS) {
        HWND control = GetDlgItem(box, iconId);
        if (!control)
            continue;
        LRESULT icon = 0;
        if (!Send(control, STM_GETICON, 0, 0, &icon) || !icon)
            continue;
        for (const auto& known : icons)
            if (reinterpret_cast<HICON>(icon) == LoadIconA(nullptr, known.id))
                return known.name;
    }
    return "";
}

HWND FindTop(DWORD process, const char* title, const char* className, bool enabledOnly,
             int timeoutMs, int requiredChild = 0)
{
    DWORD start = GetTickCount();
    for (;;) {
        TOPSEARCH search{process, title, className, enabledOnly, requiredChild, nullptr};
        EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
        if (search.found || Elapsed(start, timeoutMs))
            return search.found;
        Sleep(POLLMS);
    }
}

}  // namespace

HWND FindTopWindow(DWORD process, const char* title, const char* className, int timeoutMs)
{
    return FindTop(process, title, className, false, timeoutMs);
}

HWND FindControl(HWND parent, int id, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND control = GetDlgItem(parent, id);
        for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); !control && child;
             child = FindWindowExA(parent, child, nullptr, nullptr))
            control = GetDlgItem(child, id);
        if (control || Elapsed(start, timeoutMs) || !IsWindow(parent))
            return control;
        Sleep(POLLMS);
    }
}

std::string GetText(HWND window)
{
    LRESULT length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0)
        return "";
    std::vector<char> text(size_t(length) + 1, 0);
    LRESULT got = 0;
    Send(window, WM_GETTEXT, WPARAM(length) + 1, reinterpret_cast<LPARAM>(text.data()), &got);
    return std::string(text.data(), strnlen(text.data(), size_t(length)));
}

bool SetText(HWND window, const char* text)
{
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool Type(HWND window, const char* text)
{
    for (const char* c = text; *c; ++c)
        if (!Send(window, WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1))
            return false;
    return true;
}

// Posted: a click that opens a modal box must not hold the robot up.
bool Click(HWND button) { return button && PostMessageA(button, BM_CLICK, 0, 0); }

int GetCheck(HWND button)
{
    LRESULT state = 0;
    Send(button, BM_GETCHECK, 0, 0, &state);
    return int(state);
}

bool SetCheck(HWND button, int state)
{
    if (GetCheck(button) == state)
        return true;
    return Click(button) && WaitIdle(button);
}

bool Select(HWND list, int index)
{
    bool combo = ClassOf(list) == "ComboBox";
    if (!Send(list, combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(index), 0))
        return false;
    int id = GetDlgCtrlID(list);
    WPARAM code = MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
    return PostMessageA(GetParent(list), WM_COMMAND, code, reinterpret_cast<LPARAM>(list)) &&
           WaitIdle(list);
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
bool IsVisible(HWND window) { return IsWindowVisible(window) != FALSE; }

bool WaitIdle(HWND window, int timeoutMs)
{
    // A sent message is handled only after the posted ones in front of it have been taken.
    DWORD_PTR answer = 0;
    Sleep(POLLMS);
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, UINT(timeoutMs),
                               &answer) != 0;
}

bool WaitText(HWND window, const char* expected, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (GetText(window) == expected)
            return true;
        if (Elapsed(start, timeoutMs) || !IsWindow(window))
            return false;
        Sleep(POLLMS);
    }
}

bool WaitGone(HWND window, int timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (Elapsed(start, timeoutMs))
            return false;
        Sleep(POLLMS);
    }
    return true;
}

HWND FindBox(DWORD process, int timeoutMs)
{
    // The owner of a modal box is disabled while the box is open; only the box takes input.
    return FindTop(process, nullptr, "#32770", true, timeoutMs);
}

bool ReadBox(HWND box, BOX* seen)
{
    if (!IsWindow(box))
        return false;
    seen->window = box;
    seen->owner = GetWindow(box, GW_OWNER);
    seen->title = GetText(box);
    HWND text = GetDlgItem(box, BOXTEXTID);
    seen->text = text ? GetText(text) : "";
    seen->buttons.clear();
    for (HWND child = FindWindowExA(box, nullptr, "Button", nullptr); child;
         child = FindWindowExA(box, child, "Button", nullptr))
        if (IsWindowVisible(child))
            seen->buttons.push_back(GetDlgCtrlID(child));
    seen->icon = IconName(box);
    return true;
}

bool PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return false;
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button));
}

bool AnswerBox(DWORD process, int button, BOX* seen, int timeoutMs)
{
    // Only a message box has the message text: the dialog that opens it may carry the same
    // button ids.
    HWND box = FindTop(process, nullptr, "#32770", true, timeoutMs, BOXTEXTID);
    if (!box)
        return false;
    // The box fills in its controls while it opens; wait until it takes messages.
    WaitIdle(box);
    BOX local;
    BOX* target = seen ? seen : &local;
    return ReadBox(box, target) && PressButton(box, button);
}

BOXANSWERER::BOXANSWERER(int button, int timeoutMs)
    : worker([this, button, timeoutMs] {
          answered = AnswerBox(GetCurrentProcessId(), button, &box, timeoutMs);
      })
{
}

BOXANSWERER::~BOXANSWERER()
{
    if (worker.joinable())
        worker.join();
}

bool BOXANSWERER::Wait()
{
    if (worker.joinable())
        worker.join();
    return answered;
}

std::string SelectedFolderName(HWND picker)
{
    HWND tree = FindWindowExA(picker, nullptr, "SysTreeView32", nullptr);
    auto item = tree ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0))
                     : nullptr;
    if (!item)
        return "";
    char text[MAX_PATH] = {};
    TVITEMA request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

bool WaitFolderSelection(HWND picker, const std::string& name, int timeoutMs)
{
    DWORD start = GetTickCount();
    while (_stricmp(SelectedFolderName(picker).c_str(), name.c_str()) != 0) {
        if (GetTickCount() - start >= DWORD(timeoutMs))
            return false;
        Sleep(50);
    }
    return WaitIdle(picker);
}

}  // namespace ROBOT
