#include "ui/windows.h"

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/support/testsupport.h"
#include "tests/ui/uitest.h"

namespace {

using WindowTest = UITEST;

RECT WorkArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

std::string ClassOf(HWND window)
{
    char name[300] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

TEST_F(WindowTest, CreateBindsTheObjectAndDefersOnCreate)
{
    RECORDER window;
    ASSERT_TRUE(window.Create(WS_OVERLAPPEDWINDOW, "Deferred", 10, 10, 200, 100, nullptr, 7));
    window.AutoDestroy = true;
    EXPECT_EQ(reinterpret_cast<WINDOW*>(GetWindowLongPtrA(window.hWnd, GWLP_USERDATA)), &window);
    EXPECT_EQ(window.Id, 7);
    EXPECT_EQ(window.Calls(), "") << "OnCreate must not run inside CreateWindowExA";
    EXPECT_EQ(GetWindowLongPtrA(window.hWnd, GWL_STYLE) & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
              LONG_PTR(WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    EXPECT_GE(GetClassLongPtrA(window.hWnd, GCL_CBWNDEXTRA), LONG_PTR(sizeof(void*)));
    WinProcessMessages(20);
    EXPECT_EQ(window.Calls(), "OnCreate");
}

TEST_F(WindowTest, UnnamedWindowsGetClassesOfTheirOwn)
{
    RECORDER first, second, named;
    ASSERT_TRUE(first.Make());
    ASSERT_TRUE(second.Make());
    ASSERT_TRUE(named.Make(WS_OVERLAPPEDWINDOW, 300, 200, nullptr, 0, "OmbixNamedTestClass"));
    std::string a = ClassOf(first.hWnd), b = ClassOf(second.hWnd);
    EXPECT_EQ(a.rfind("AppWindow", 0), 0u) << a;
    EXPECT_EQ(b.rfind("AppWindow", 0), 0u) << b;
    EXPECT_NE(a, b);
    EXPECT_EQ(ClassOf(named.hWnd), "OmbixNamedTestClass");
}

TEST_F(WindowTest, DefaultSizeThatComesOutEmptyIsFixedUp)
{
    RECORDER popup;
    ASSERT_TRUE(popup.Create(WS_POPUP, "Popup", int(CW_USEDEFAULT), int(CW_USEDEFAULT),
                             int(CW_USEDEFAULT), int(CW_USEDEFAULT), nullptr, 0));
    popup.AutoDestroy = true;
    RECT rect{};
    GetWindowRect(popup.hWnd, &rect);
    EXPECT_EQ(rect.left, 32);
    EXPECT_EQ(rect.top, 32);
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 400);

    RECORDER zero;
    ASSERT_TRUE(zero.Create(WS_POPUP, "Zero", 5, 5, 0, 0, nullptr, 0));
    zero.AutoDestroy = true;
    GetWindowRect(zero.hWnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 0) << "only CW_USEDEFAULT is fixed up";
}

TEST_F(WindowTest, WindowIconComesFromTheLanguageModuleFirst)
{
    RECORDER withIcon, without;
    ASSERT_TRUE(withIcon.Make(WS_OVERLAPPEDWINDOW, 300, 200, nullptr, 42));
    ASSERT_TRUE(without.Make(WS_OVERLAPPEDWINDOW, 300, 200, nullptr, 43));
    auto icon = [](HWND w) { return reinterpret_cast<HICON>(GetClassLongPtrA(w, GCLP_HICON)); };
    EXPECT_EQ(icon(withIcon.hWnd), LoadIconA(Module(), MAKEINTRESOURCEA(42)));
    EXPECT_EQ(icon(without.hWnd), LoadIconA(gInstance, MAKEINTRESOURCEA(1)));
}

struct SIZECASE {
    WPARAM state;
    const char* calls;
};

TEST_F(WindowTest, SizeMessagesByState)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    const SIZECASE cases[] = {{SIZE_RESTORED, "OnRestore OnSize"},
                              {SIZE_MAXIMIZED, "OnSize"},
                              {SIZE_MINIMIZED, "OnMinimize"},
                              {SIZE_MAXSHOW, "OnSize"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        window.Clear();
        SendMessageA(window.hWnd, WM_SIZE, c.state, MAKELPARAM(100, 100));
        EXPECT_EQ(window.Calls(), c.calls);
    }
}

struct MESSAGECASE {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* calls;
};

TEST_F(WindowTest, MessagesReachTheirHandlers)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    const MESSAGECASE cases[] = {
        {WM_MOVE, 0, 0, "OnMove"},
        {WM_SHOWWINDOW, 1, 0, "OnShow"},
        {WM_SHOWWINDOW, 0, 0, "OnHide"},
        {WM_TIMER, 77, 0, "OnTimer(77)"},
        {WM_NCPAINT, 1, 0, "OnNcPaint"},
        {WM_HELP, 0, 0, "OnHelp"},
        {WM_ENDSESSION, 0, 0, ""},
        {WM_INPUTLANGCHANGE, 0, 0, "OnImeMessage(51)"},
        {WM_IME_STARTCOMPOSITION, 0, 0, "OnImeMessage(10d)"},
        {0x0401, 0, 0, "OnUserMessage(401)"},
        {0x0500, 0, 0, "OnUserMessage(500)"},
        {0x0501 + 1, 0, 0, ""},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 7), "OnMouse(200,-5,7,1)"},
        {WM_MBUTTONUP, 0, MAKELPARAM(3, -4), "OnMouse(208,3,-4,0)"},
        {WM_COMMAND, MAKEWPARAM(5, 0), 0, "OnMenuCommand(5)"},
        {WM_COMMAND, MAKEWPARAM(6, 1), 0, "OnMenuCommand(6)"},
        {WM_NOTIFY, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        window.Clear();
        SendMessageA(window.hWnd, c.message, c.wParam, c.lParam);
        EXPECT_EQ(window.Calls(), c.calls);
    }
}

TEST_F(WindowTest, ActivationByTheLowWord)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    SendMessageA(window.hWnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ(window.calls[0], "OnDeactivate");
    window.Clear();
    SendMessageA(window.hWnd, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ(window.calls[0], "OnActivate");
}

TEST_F(WindowTest, SizingEdgesAreMappedToASet)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (WPARAM edge = 0; edge <= 8; ++edge) {
        SCOPED_TRACE(edge);
        RECT drag{0, 0, 100, 100};
        window.Clear();
        SendMessageA(window.hWnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&drag));
        EXPECT_EQ(window.Calls(), "OnSizing(" + std::to_string(expected[edge]) + ")");
    }
}

TEST_F(WindowTest, BackgroundAndSessionQueriesAnswerOneAndEndSessionCloses)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    HDC dc = GetDC(window.hWnd);
    EXPECT_EQ(SendMessageA(window.hWnd, WM_ERASEBKGND, WPARAM(dc), 0), 1);
    ReleaseDC(window.hWnd, dc);
    EXPECT_EQ(SendMessageA(window.hWnd, WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(window.Calls(), "");

    SendMessageA(window.hWnd, WM_ENDSESSION, 1, 0);
    EXPECT_EQ(window.Calls(), "OnEndSession");
    MSG posted;
    EXPECT_TRUE(PeekMessageA(&posted, window.hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

TEST_F(WindowTest, AZeroResultFallsThroughToTheDefaultProcedure)
{
    RECORDER kept, closed;
    ASSERT_TRUE(kept.Make());
    ASSERT_TRUE(closed.Make());
    kept.closeResult = 1;
    closed.closeResult = 0;
    SendMessageA(kept.hWnd, WM_CLOSE, 0, 0);
    SendMessageA(closed.hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(kept.hWnd));
    EXPECT_FALSE(IsWindow(closed.hWnd)) << "DefWindowProcA destroys a window on WM_CLOSE";
    EXPECT_EQ(closed.Calls(), "OnClose OnDestroy");
    closed.hWnd = nullptr;
}

LRESULT CALLBACK HookAnswers10(HWND, UINT message, WPARAM, LPARAM)
{
    return message == 0x0402 ? 0x10 : 0;
}

TEST_F(WindowTest, HookResultIsOredAndDestroyClearsTheHook)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    window.pfnHook = HookAnswers10;
    window.userResult = 0x01;
    EXPECT_EQ(SendMessageA(window.hWnd, 0x0402, 0, 0), 0x11);
    DestroyWindow(window.hWnd);
    EXPECT_EQ(window.pfnHook, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window.hWnd, GWLP_USERDATA), 0);
    window.hWnd = nullptr;
}

TEST_F(WindowTest, ButtonClicksByKindOfButton)
{
    RECORDER window;
    ASSERT_TRUE(window.Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300));
    CONTROL help(window.hWnd, IDHELP, "Button", WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20, "Help", 0);
    CONTROL other(window.hWnd, 100, "Button", WS_VISIBLE | BS_DEFPUSHBUTTON, 70, 5, 60, 20, "OK", 0);
    CONTROL check(window.hWnd, 101, "Button", WS_VISIBLE | BS_AUTOCHECKBOX, 5, 30, 60, 20, "C", 0);
    CONTROL radio(window.hWnd, 102, "Button", WS_VISIBLE | BS_AUTORADIOBUTTON, 70, 30, 60, 20, "R", 0);
    struct CASE {
        HWND button;
        int helpResult, buttonResult;
        const char* calls;
    } cases[] = {
        {help.hWnd, 0, 0, "OnHelp OnControl(0,9,0)"},
        {help.hWnd, 1, 0, "OnHelp"},
        {other.hWnd, 0, 0, "OnButton(100) OnControl(0,100,0)"},
        {other.hWnd, 0, 1, "OnButton(100)"},
        {check.hWnd, 0, 0, "OnControl(0,101,0)"},
        {radio.hWnd, 0, 0, "OnControl(0,102,0)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calls);
        window.helpResult = c.helpResult;
        window.buttonResult = c.buttonResult;
        window.Clear();
        SendMessageA(window.hWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(c.button));
        EXPECT_EQ(window.Calls(), c.calls);
    }
    window.Clear();
    window.helpResult = 0;
    SendMessageA(check.hWnd, BM_CLICK, 0, 0);
    // The click moves the focus first; what matters is how the click itself arrives.
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ(window.calls.back(), "OnControl(0,101,0)") << "a real click on a check box";
    EXPECT_EQ(window.Calls().find("OnButton"), std::string::npos);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
}

TEST_F(WindowTest, ControlCommandCodes)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    CONTROL edit(window.hWnd, 200, "Edit", 0, 5, 5, 60, 20, "", 0);
    for (int code : {1, 2, 3, 4, 5, 0x100, 0x200, 0x300, 0x400}) {
        SCOPED_TRACE(code);
        window.Clear();
        SendMessageA(window.hWnd, WM_COMMAND, MAKEWPARAM(200, code),
                     reinterpret_cast<LPARAM>(edit.hWnd));
        bool routed = code == 1 || code == 2 || code == 4 || code == 5 || code == 0x200 ||
                      code == 0x300;
        EXPECT_EQ(window.Calls(), routed ? "OnControl(" + std::to_string(code) + ",200,0)" : "");
    }
}

TEST_F(WindowTest, NotificationsByControlClass)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    CONTROL list(window.hWnd, 300, WC_LISTVIEWA, LVS_REPORT, 0, 0, 50, 50, "", 0);
    CONTROL tabs(window.hWnd, 301, WC_TABCONTROLA, 0, 0, 0, 50, 50, "", 0);
    CONTROL tree(window.hWnd, 302, WC_TREEVIEWA, 0, 0, 0, 50, 50, "", 0);
    CONTROL plain(window.hWnd, 303, "Static", 0, 0, 0, 50, 50, "", 0);

    struct CASE {
        HWND from;
        int code;
        LRESULT result;
        std::string calls;
    };
    NMLISTVIEW column{};
    NMUPDOWN updown{};
    updown.iPos = 5;
    updown.iDelta = -2;
    const CASE cases[] = {
        {list.hWnd, -3, 0, "OnControl(-3,300,0)"},
        {list.hWnd, -4, 0, "OnControl(-4,300,0)"},
        {list.hWnd, -5, 0, "OnControl(-5,300,0)"},
        {list.hWnd, -101, 0, "OnControl(-101,300,0)"},
        {list.hWnd, -108, 0, "OnControl(-108,300,3)"},
        {list.hWnd, -2, 0, ""},
        {tabs.hWnd, -551, 0, "OnControl(-551,301,0)"},
        {tabs.hWnd, -552, 1, ""},
        {tree.hWnd, -402, 0, "OnControl(-402,302,0)"},
        {tree.hWnd, -401, 0, ""},
        {plain.hWnd, -722, 0, "OnControl(-722,303,3)"},
        {plain.hWnd, -3, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        window.Clear();
        NMHDR* header = &column.hdr;
        if (c.code == -722)
            header = &updown.hdr;
        column.iItem = -1;
        column.iSubItem = 3;
        header->hwndFrom = c.from;
        header->idFrom = UINT_PTR(GetDlgCtrlID(c.from));
        header->code = UINT(c.code);
        EXPECT_EQ(SendMessageA(window.hWnd, WM_NOTIFY, header->idFrom,
                               reinterpret_cast<LPARAM>(header)),
                  c.result);
        EXPECT_EQ(window.Calls(), c.calls);
    }

    NMLISTVIEW key{};
    key.hdr = {list.hWnd, 300, UINT(-155)};
    window.Clear();
    SendMessageA(window.hWnd, WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ(window.Calls(), "OnControl(-155,300," + std::to_string(LPARAM(&key)) + ")");

    ASSERTCATCHER catcher;
    column.iItem = 4;
    column.hdr = {list.hWnd, 300, UINT(-108)};
    SendMessageA(window.hWnd, WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&column));
    EXPECT_TRUE(catcher.Saw("pnm->iItem==-1"));
}

TEST_F(WindowTest, ScrollCodesAreMappedOntoTheControlsRange)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    CONTROL bar(window.hWnd, 400, "ScrollBar", SBS_HORZ, 0, 0, 100, 16, "", 0);
    SetScrollRange(bar.hWnd, SB_CTL, 10, 50, FALSE);
    struct CASE {
        HWND control;
        int code, position;
        const char* calls;
    } cases[] = {
        {bar.hWnd, SB_TOP, 0, "OnScroll(4,10)"},
        {bar.hWnd, SB_BOTTOM, 0, "OnScroll(4,50)"},
        {bar.hWnd, SB_ENDSCROLL, 0, ""},
        {bar.hWnd, SB_THUMBTRACK, 33, "OnScroll(5,33)"},
        {bar.hWnd, SB_LINEDOWN, 0, "OnScroll(1,0)"},
        {nullptr, SB_BOTTOM, 0, "OnScroll(4,100)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calls);
        window.Clear();
        SendMessageA(window.hWnd, WM_HSCROLL, MAKEWPARAM(c.code, c.position),
                     reinterpret_cast<LPARAM>(c.control));
        EXPECT_EQ(window.Calls(), c.calls);
    }
}

TEST_F(WindowTest, WheelStepsAndClientCoordinates)
{
    RECORDER window;
    ASSERT_TRUE(window.Make(WS_POPUP | WS_VISIBLE, 300, 200));
    POINT origin{0, 0};
    ClientToScreen(window.hWnd, &origin);
    struct CASE {
        int delta;
        int steps;
    } cases[] = {{-240, -2}, {-100, 0}, {120, 1}, {359, 2}, {-121, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delta);
        window.Clear();
        SendMessageA(window.hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, c.delta),
                     MAKELPARAM(origin.x + 10, origin.y + 20));
        EXPECT_EQ(window.Calls(), "OnMouse(20a,10,20," + std::to_string(c.steps) + ")");
    }
}

TEST_F(WindowTest, DropFilesArriveAsAList)
{
    class DROPPER : public RECORDER {
    public:
        int OnDropFiles(int count, STRINGARRAY& files) override
        {
            calls.push_back(std::to_string(count));
            for (int i = 0; i < files.Count(); ++i)
                calls.push_back(files[i].Text());
            return 0;
        }
    } window;
    ASSERT_TRUE(window.Make());
    const wchar_t paths[] = L"C:\\one.txt\0C:\\two\\three.txt\0";
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof(paths));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, paths, sizeof(paths));
    GlobalUnlock(memory);
    SendMessageA(window.hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(window.Calls(), "2 C:\\one.txt C:\\two\\three.txt");
}

TEST_F(WindowTest, GetIdAnswersForWindowsWithoutAnId)
{
    RECORDER top;
    ASSERT_TRUE(top.Make());
    top.Id = 55;
    EXPECT_EQ(WINDOW(top.hWnd).Id, 55) << "asked through WMU_GETID";
    RECORDER child;
    ASSERT_TRUE(child.Make(WS_CHILD, 50, 50, top.hWnd, 56));
    EXPECT_EQ(WINDOW(child.hWnd).Id, 56) << "read from GWL_ID";
    EXPECT_EQ(WINDOW(static_cast<HWND>(nullptr)).Id, -1);
}

TEST_F(WindowTest, OwningObjectsDestroyTheirWindowAndCopiesOnlyWrap)
{
    HWND made = nullptr;
    {
        RECORDER window;
        ASSERT_TRUE(window.Make());
        made = window.hWnd;
        WINDOW copy(window);
        EXPECT_FALSE(copy.AutoDestroy);
        WINDOW wrapper(made);
        EXPECT_FALSE(wrapper.AutoDestroy);
    }
    EXPECT_FALSE(IsWindow(made));

    auto* unowned = new RECORDER;
    ASSERT_TRUE(unowned->Make());
    unowned->AutoDestroy = false;
    HWND kept = unowned->hWnd;
    delete unowned;
    EXPECT_TRUE(IsWindow(kept));
    EXPECT_EQ(GetWindowLongPtrA(kept, GWLP_USERDATA), 0) << "no dangling object pointer";
    SendMessageA(kept, WM_SIZE, 0, 0);
    DestroyWindow(kept);
}

TEST_F(WindowTest, MoveKeepsTheSizeForMinusOne)
{
    RECORDER window;
    ASSERT_TRUE(window.Make(WS_POPUP, 300, 200));
    window.Move(100, 120, -1, -1);
    RECT rect = window.GetRect();
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    window.Move(10, 10, 50, -1);
    SIZE size = window.GetSize();
    EXPECT_EQ(size.cx, 50);
    EXPECT_EQ(size.cy, 200);
}

TEST_F(WindowTest, ChildRectsAreInParentClientCoordinates)
{
    RECORDER parent;
    ASSERT_TRUE(parent.Make(WS_OVERLAPPEDWINDOW, 400, 300));
    CONTROL child(parent.hWnd, 10, "Static", 0, 15, 25, 40, 30, "", 0);
    RECT rect = child.GetRect();
    EXPECT_EQ(rect.left, 15);
    EXPECT_EQ(rect.top, 25);
    EXPECT_EQ(rect.right, 55);
    EXPECT_EQ(rect.bottom, 55);
    RECT area = WINDOW().GetRect();
    RECT work = WorkArea();
    EXPECT_TRUE(EqualRect(&area, &work)) << "an object without a window has the work area";
}

TEST_F(WindowTest, CenterOverVisibleHiddenAndOversized)
{
    RECORDER over, hidden, moved, huge;
    ASSERT_TRUE(over.Make(WS_POPUP | WS_VISIBLE, 400, 300));
    ASSERT_TRUE(hidden.Make(WS_POPUP, 400, 300));
    ASSERT_TRUE(moved.Make(WS_POPUP, 100, 50));
    over.Move(200, 100, 400, 300);

    moved.Center(over.hWnd);
    RECT rect = moved.GetRect();
    EXPECT_EQ(rect.left, 200 + (400 - 100) / 2);
    EXPECT_EQ(rect.top, 100 + (300 - 50) / 2);

    moved.Center(hidden.hWnd);
    RECT work = WorkArea();
    rect = moved.GetRect();
    EXPECT_EQ(rect.left, work.left + (work.right - work.left - 100) / 2);
    EXPECT_EQ(rect.top, work.top + (work.bottom - work.top - 50) / 2);

    RECT desktop = GetDesktopRect();
    int width = desktop.right - desktop.left + 200;
    int height = desktop.bottom - desktop.top + 100;
    ASSERT_TRUE(huge.Make(WS_POPUP, width, height));
    huge.Move(0, 0, width, height);
    huge.Center(nullptr);
    rect = huge.GetRect();
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, width);
}

TEST_F(WindowTest, BrokenPreconditionsAreReported)
{
    ASSERTCATCHER catcher;
    RECORDER parent;
    ASSERT_TRUE(parent.Make(WS_POPUP | WS_VISIBLE, 400, 300));
    CONTROL child(parent.hWnd, 11, "Static", WS_VISIBLE, 0, 0, 40, 30, "", 0);
    parent.Center(child.hWnd);
    EXPECT_TRUE(catcher.Saw("!is_child"));

    RECT area = WINDOW().GetClientArea();
    EXPECT_TRUE(catcher.Saw("this->hWnd!=HWND_DESKTOP"));
    EXPECT_EQ(area.right, 0);

    CONTROL other(parent.hWnd, 12, "Static", WS_VISIBLE, 0, 0, 40, 30, "", 0);
    other.SetZOrder(0, child.hWnd);
    EXPECT_TRUE(catcher.Saw("topbottom==+1"));

    CONTROL missing(parent.hWnd, 13, "NoSuchClassAnywhere", 0, 0, 0, 10, 10, "", 0);
    EXPECT_TRUE(catcher.Saw("this->hWnd"));
    EXPECT_FALSE(missing.IsValid());
}

TEST_F(WindowTest, ZOrderPlacesBehindTheGivenWindow)
{
    RECORDER parent;
    ASSERT_TRUE(parent.Make());
    CONTROL a(parent.hWnd, 1, "Static", 0, 0, 0, 10, 10, "", 0);
    CONTROL b(parent.hWnd, 2, "Static", 0, 0, 0, 10, 10, "", 0);
    CONTROL c(parent.hWnd, 3, "Static", 0, 0, 0, 10, 10, "", 0);
    c.SetZOrder(+1, a.hWnd);
    EXPECT_EQ(GetWindow(a.hWnd, GW_HWNDNEXT), c.hWnd);
    a.SetZOrder(-1);
    EXPECT_EQ(GetWindow(parent.hWnd, GW_CHILD), c.hWnd);
    EXPECT_EQ(GetWindow(b.hWnd, GW_HWNDNEXT), a.hWnd);
    a.SetZOrder(0);
    EXPECT_EQ(GetWindow(parent.hWnd, GW_CHILD), a.hWnd);
}

TEST_F(WindowTest, TextOfAnyLengthRoundTrips)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    CONTROL edit(window.hWnd, 20, "Edit", ES_AUTOHSCROLL, 0, 0, 100, 20, "", 0);
    SendMessageA(edit.hWnd, EM_LIMITTEXT, 0, 0);
    std::string longText(5000, 'x');
    longText += "\xe4nd";
    edit.SetText(STRING(longText.c_str()));
    STRING back = edit.GetText();
    EXPECT_EQ(back.Length(), STRING_SIZE_T(longText.size()));
    EXPECT_STREQ(back.Text(), longText.c_str());
    edit.SetTextW(L"wide \x00fc");
    EXPECT_EQ(edit.GetTextW(), L"wide \x00fc");
    edit.SetText(STRING(""));
    EXPECT_STREQ(edit.GetText().Text(), "");
}

TEST_F(WindowTest, LongClassNamesAreReadSafely)
{
    std::string longName(200, 'L');
    RECORDER window;
    ASSERT_TRUE(window.Make(WS_OVERLAPPEDWINDOW, 300, 200, nullptr, 0, longName.c_str()));
    STRING name = window.GetClassName();
    EXPECT_EQ(name.Length(), 127);
    EXPECT_EQ(std::string(name.Text()), longName.substr(0, 127));
    EXPECT_TRUE(window.IsClass(longName.c_str()));
    EXPECT_FALSE(window.IsClass(longName.substr(0, 63).c_str()))
        << "a truncated read must not match a prefix";
    EXPECT_FALSE(window.IsClass(longName.substr(0, 127).c_str()));
}

TEST_F(WindowTest, IsClassComparesNameAndLowStyleBits)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    CONTROL push(window.hWnd, 1, "Button", BS_PUSHBUTTON, 0, 0, 10, 10, "", 0);
    CONTROL def(window.hWnd, 2, "Button", BS_DEFPUSHBUTTON, 0, 0, 10, 10, "", 0);
    CONTROL check(window.hWnd, 3, "Button", BS_AUTOCHECKBOX, 0, 0, 10, 10, "", 0);
    CONTROL edit(window.hWnd, 4, "Edit", 0, 0, 0, 10, 10, "", 0);
    EXPECT_TRUE(push.IsClass("BUTTON"));
    EXPECT_TRUE(push.IsPushButton());
    EXPECT_TRUE(def.IsPushButton());
    EXPECT_FALSE(check.IsPushButton());
    EXPECT_TRUE(check.IsClass("button", BS_AUTOCHECKBOX, -2, -2));
    EXPECT_FALSE(edit.IsPushButton());
}

TEST_F(WindowTest, FocusFirstControlSkipsWhatCannotTakeTheFocus)
{
    RECORDER window;
    ASSERT_TRUE(window.Make(WS_POPUP | WS_VISIBLE, 300, 200));
    SetForegroundWindow(window.hWnd);
    CONTROL label(window.hWnd, 1, "Static", WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, "", 0);
    CONTROL disabled(window.hWnd, 2, "Edit", WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 0, 10, 10, "", 0);
    CONTROL radio(window.hWnd, 3, "Button", WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 0, 10, 10, "", 0);
    CONTROL button(window.hWnd, 4, "Button", WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, "", 0);
    EXPECT_EQ(window.FocusFirstControl(), 4);
    EXPECT_EQ(GetFocus(), button.hWnd);
    SendMessageA(radio.hWnd, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(window.FocusFirstControl(), 3) << "a checked radio button takes the focus";

    RECORDER empty;
    ASSERT_TRUE(empty.Make());
    EXPECT_EQ(empty.FocusFirstControl(), 0);
}

TEST_F(WindowTest, ShowStatesAndStyleOperations)
{
    RECORDER window;
    ASSERT_TRUE(window.Make(WS_OVERLAPPEDWINDOW, 300, 200));
    window.Show(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(window.IsMaximized());
    window.Show(SW_SHOWNORMAL);
    EXPECT_TRUE(window.IsMaximized()) << "a maximized window stays maximized";
    window.Show(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(window.hWnd));
    window.Show(SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(window.hWnd));

    EXPECT_FALSE(window.IsChildWindow());
    window.AddExStyle(WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrA(window.hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    window.RemoveStyle(WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongPtrA(window.hWnd, GWL_STYLE) & WS_THICKFRAME);
    window.AddStyle(WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtrA(window.hWnd, GWL_STYLE) & WS_THICKFRAME);
    window.Enable(false);
    EXPECT_FALSE(window.IsEnabled());
    window.Enable(true);
    EXPECT_TRUE(window.IsEnabled());
}

TEST_F(WindowTest, TopLevelAndOwnerOfNestedChildren)
{
    RECORDER top, owned;
    ASSERT_TRUE(top.Make());
    CONTROL inner(top.hWnd, 1, "Static", 0, 0, 0, 50, 50, "", 0);
    CONTROL innermost(inner.hWnd, 2, "Static", 0, 0, 0, 10, 10, "", 0);
    EXPECT_EQ(innermost.GetTopLevel(), top.hWnd);
    EXPECT_EQ(innermost.GetOwnerWindow().hWnd, top.hWnd);
    EXPECT_EQ(innermost.GetParentWindow().hWnd, inner.hWnd);
    EXPECT_EQ(WINDOW().GetTopLevel(), nullptr);
    ASSERT_TRUE(owned.Make(WS_POPUP, 100, 100, top.hWnd));
    EXPECT_EQ(owned.GetOwnerWindow().hWnd, top.hWnd);
}

TEST_F(WindowTest, CreatedControlsTakeTheParentsFont)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    HFONT font = CreateScreenFont(STRING("Tahoma"), 10, false, false, false, 1252);
    CONTROL first(window.hWnd, 1, "Static", 0, 0, 0, 10, 10, "", 0);
    SendMessageA(first.hWnd, WM_SETFONT, WPARAM(font), FALSE);
    CONTROL second(first.hWnd, 2, "Static", 0, 0, 0, 10, 10, "", 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(second.hWnd, WM_GETFONT, 0, 0)), font);
    second.Destroy();
    first.Destroy();
    DeleteObject(font);
}

TEST_F(WindowTest, ProcessMessagesCountsWhatItDidNotUse)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    EXPECT_EQ(WinProcessMessages(5), 5) << "an empty queue";
    PostMessageA(window.hWnd, 0x0410, 0, 0);
    EXPECT_EQ(WinProcessMessages(0), 0);
    EXPECT_EQ(window.Calls(), "") << "0 dispatches nothing";
    PostMessageA(window.hWnd, 0x0411, 0, 0);
    EXPECT_EQ(WinProcessMessages(5), 3);
    EXPECT_EQ(window.Calls(), "OnUserMessage(410) OnUserMessage(411)");
    for (int i = 0; i < 4; ++i)
        PostMessageA(window.hWnd, 0x0412, 0, 0);
    EXPECT_EQ(WinProcessMessages(3), 0);
    EXPECT_EQ(WinProcessMessages(3), 2);
}

TEST_F(WindowTest, WaitDispatchesMessagesUntilTheObjectIsSignalled)
{
    RECORDER window;
    ASSERT_TRUE(window.Make());
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    for (int i = 0; i < 25; ++i)
        PostMessageA(window.hWnd, 0x0420, 0, 0);
    HWND target = window.hWnd;
    std::thread signaller([event, target] {
        Sleep(300);
        PostMessageA(target, 0x0421, 0, 0);
        Sleep(200);
        SetEvent(event);
    });
    EXPECT_TRUE(WinWaitForSingleObject(event, 5000));
    signaller.join();
    EXPECT_EQ(window.calls.size(), 26u) << "every message dispatched, in bursts of ten";
    EXPECT_EQ(window.calls.back(), "OnUserMessage(421)");

    ResetEvent(event);
    DWORD start = GetTickCount();
    EXPECT_FALSE(WinWaitForSingleObject(event, 200));
    EXPECT_GE(GetTickCount() - start, 150u);
    CloseHandle(event);
}

TEST_F(WindowTest, DesktopWithOneMonitorIsTheWorkArea)
{
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 1) << "the test display has one monitor";
    RECT desktop = GetDesktopRect();
    RECT work = WorkArea();
    EXPECT_TRUE(EqualRect(&desktop, &work));
}

TEST(CodePageToCharset, Table)
{
    const struct {
        int codePage, fallback, charset;
    } cases[] = {{0, 9, 0},     {850, 9, 0},   {1000, 9, 0},  {1252, 9, 0},  {437, 9, 255},
                 {737, 9, 255}, {852, 9, 255}, {866, 9, 255}, {1250, 9, 238}, {1251, 9, 204},
                 {1253, 9, 161}, {-1, 9, 1},   {932, 0, 0},   {932, 128, 128}, {65001, 7, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(CodePageToCharset(c.codePage, c.fallback), c.charset);
    }
}

TEST(CreateScreenFont, FillsTheLogicalFont)
{
    HFONT font = CreateScreenFont(STRING("Courier New"), 12, true, true, true, 1251);
    ASSERT_NE(font, nullptr);
    LOGFONTW seen{};
    ASSERT_GT(GetObjectW(font, sizeof(seen), &seen), 0);
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
    EXPECT_EQ(seen.lfHeight, -MulDiv(12, dpi, 72));
    EXPECT_EQ(seen.lfWeight, 700);
    EXPECT_EQ(seen.lfItalic, 1);
    EXPECT_EQ(seen.lfCharSet, 204);
    EXPECT_EQ(seen.lfPitchAndFamily, 49);
    EXPECT_EQ(std::wstring(seen.lfFaceName), L"Courier New");
    DeleteObject(font);

    std::string longFace(80, 'F');
    font = CreateScreenFont(STRING(longFace.c_str()), 8, false, false, false, 0);
    ASSERT_NE(font, nullptr);
    ASSERT_GT(GetObjectW(font, sizeof(seen), &seen), 0);
    EXPECT_EQ(wcslen(seen.lfFaceName), 31u) << "a long face name is cut to fit";
    EXPECT_EQ(seen.lfWeight, 400);
    DeleteObject(font);
}

}  // namespace
