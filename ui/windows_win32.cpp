#include "ui/windows.h"

#include <shellapi.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/langmodule_win32.h"
#include "frame/ombix_win32.h"

namespace {

constexpr const char* SOURCE = "windows_win32";
constexpr DWORD CLIPSTYLES = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr UINT SETZORDERFLAGS = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;
constexpr int CLASSNAMEMAX = 127;
// Window class names are at most 256 characters; a name read in full never compares equal by
// accident of truncation.
constexpr int CLASSNAMEREAD = 257;

// Notification codes, signed as the dispatcher compares them.
constexpr int NOTE_LVDBLCLK = -3;
constexpr int NOTE_LVRETURN = -4;
constexpr int NOTE_LVRCLICK = -5;
constexpr int NOTE_LVITEMCHANGED = -101;
constexpr int NOTE_LVCOLUMNCLICK = -108;
constexpr int NOTE_LVKEYDOWN = -155;
constexpr int NOTE_TABSELCHANGE = -551;
constexpr int NOTE_TABSELCHANGING = -552;
constexpr int NOTE_TREESELCHANGED = -402;
constexpr int NOTE_TIPGETDISPINFO = -520;
constexpr int NOTE_UPDOWNDELTAPOS = -722;

int gUnnamedClassCounter = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterWindowClass(const char* className, WNDPROC procedure, UINT classStyle, int iconId,
                         HINSTANCE instance, HCURSOR cursor)
{
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = procedure;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance ? instance : gLanguageModule;
    wc.hIcon = OSYS::LoadWindowIcon(iconId);
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
}

WINDOW* BoundObject(HWND hwnd)
{
    return reinterpret_cast<WINDOW*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT RunWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE && lParam) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* object = static_cast<WINDOW*>(create->lpCreateParams);
        if (object) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
            object->hWnd = hwnd;
        }
    }
    WINDOW* object = BoundObject(hwnd);
    if (!object)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT hookResult = 0;
    if (object->pfnHook)
        hookResult = object->pfnHook(hwnd, message, wParam, lParam);
    OMBIXAPP::LogHotKey(message, wParam, lParam);
    LRESULT result = object->HandleMessage(message, wParam, lParam) | hookResult;
    // Nothing may reach the object after the window is gone: it may be gone itself by then.
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return result;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return RunWindowProc(hwnd, message, wParam, lParam);
    } catch (...) {
        LOGIT("WINDOW::WindowProc exception in message %04x\n", message);
        return 0;
    }
}

bool IsUserMessage(UINT message)
{
    return message >= 0x0401 && message <= 0x0500 && message != WMU_GETID;
}

bool IsMouseMessage(UINT message)
{
    return message >= WM_MOUSEMOVE && message <= 0x0209;
}

bool IsControlCommand(int code)
{
    return code == 1 || code == 2 || code == 4 || code == 5 || code == 0x0200 || code == 0x0300;
}

int SizingEdges(WPARAM wParam)
{
    static const int edges[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    return wParam < sizeof(edges) / sizeof(edges[0]) ? edges[wParam] : 0;
}

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

bool BelongsToThisProcess(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

std::wstring WidenAnsi(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(size_t(length - 1));
    return wide;
}

STRING NarrowAnsi(const wchar_t* text, int length)
{
    STRING result("");
    if (!text || length == 0)
        return result;
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return result;
    std::vector<char> narrow(size_t(bytes) + 1, 0);
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
    int used = length < 0 ? bytes - 1 : bytes;
    return STRING(narrow.data(), used, STRING_DEFAULTBLOCK);
}

// ---- construction and lifetime ----

WINDOW::WINDOW(HWND window)
{
    hWnd = window;
    if (!window) {
        Id = -1;
        return;
    }
    Id = int(GetWindowLongPtrA(window, GWL_ID));
    // The id question carries a pointer, so it is only asked of this process's windows.
    if (Id == 0 && BelongsToThisProcess(window)) {
        int answer = 0;
        SendMessageA(window, WMU_GETID, reinterpret_cast<WPARAM>(&answer), 0);
        Id = answer;
    }
}

WINDOW::WINDOW(const WINDOW& other) : BASEWINDOW(other), AutoDestroy(false) {}

WINDOW& WINDOW::operator=(const WINDOW& other)
{
    if (this == &other)
        return *this;
    BASEWINDOW::operator=(other);
    AutoDestroy = false;
    return *this;
}

WINDOW::WINDOW(DWORD style, const char* title, int x, int y, int width, int height, HWND parent,
               int id, int menuId, const char* className, HCURSOR cursor)
{
    Create(style, title, x, y, width, height, parent, id, menuId, className, cursor);
    AutoDestroy = true;
}

WINDOW::~WINDOW()
{
    if (AutoDestroy) {
        LOGIT("WINDOW::~WINDOW auto-destroying %s %d\n", GetText().Text(), Id);
        WINDOW::Destroy();
    }
    Unbind();
    hWnd = nullptr;
}

void WINDOW::Unbind()
{
    if (hWnd && IsWindow(hWnd) && BoundObject(hWnd) == this)
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
}

bool WINDOW::Create(DWORD style, const char* title, int x, int y, int width, int height,
                    HWND parent, int id, int menuId, const char* className, HCURSOR cursor)
{
    hWnd = nullptr;
    pfnHook = nullptr;
    Id = id;
    char unnamed[32];
    if (!className) {
        snprintf(unnamed, sizeof(unnamed), "AppWindow%d", gUnnamedClassCounter++);
        className = unnamed;
    }
    RegisterWindowClass(className, WindowProc, CS_OWNDC, Id, nullptr, cursor);

    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(INT_PTR(id))
                                    : OSYS::LoadLanguageMenu(menuId);
    HWND made = CreateWindowExA(0, className, title, style | CLIPSTYLES, x, y, width, height,
                                parent, menu, gLanguageModule, this);
    hWnd = made;
    if (!hWnd)
        return false;

    RECT client{};
    GetClientRect(hWnd, &client);
    bool noWidth = width == int(CW_USEDEFAULT) && RectWidth(client) == 0;
    bool noHeight = height == int(CW_USEDEFAULT) && RectHeight(client) == 0;
    if (noWidth || noHeight)
        MoveWindow(hWnd, 32, 32, 600, 400, TRUE);
    return true;
}

int WINDOW::Destroy()
{
    if (!hWnd)
        return 0;
    BOOL destroyed = DestroyWindow(hWnd);
    hWnd = nullptr;
    return destroyed;
}

// ---- default handlers ----

int WINDOW::OnPaint()
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hWnd, &paint);
    if (dc) {
        RECT client{};
        GetClientRect(hWnd, &client);
        HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    ::EndPaint(hWnd, &paint);
    return 1;
}

// No help file is configured in this program: the request ends in the default procedure.
int WINDOW::OnHelp() { return 0; }

int WINDOW::OnEndSession()
{
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return 0;
}

// ---- the dispatcher ----

LRESULT WINDOW::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool final = false;
    LRESULT result = Dispatch(message, wParam, lParam, &final);
    if (result != 0 || final)
        return result;
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT WINDOW::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool* final)
{
    if (IsUserMessage(message))
        return OnUserMessage(message, wParam, lParam);
    if (IsMouseMessage(message))
        return OnMouse(message, short(LOWORD(lParam)), short(HIWORD(lParam)), int(wParam));
    switch (message) {
    case WM_CREATE:
        if (lParam) {
            PostMessageA(hWnd, WMU_CREATED, 0, 0);
            return 0;
        }
        return OnCreate();
    case WM_DESTROY: {
        LRESULT result = OnDestroy();
        pfnHook = nullptr;
        return result;
    }
    case WM_MOVE:
        return OnMove();
    case WM_SIZE:
        return DispatchSize(wParam);
    case WM_ACTIVATE:
        return LOWORD(wParam) ? OnActivate() : OnDeactivate();
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_KILLFOCUS:
        return OnKillFocus();
    case WM_PAINT:
        return OnPaint();
    case WM_CLOSE:
        return OnClose();
    case WM_QUERYENDSESSION:
    case WM_ERASEBKGND:
        *final = true;
        return 1;
    case WM_ENDSESSION:
        return wParam ? OnEndSession() : 0;
    case WM_SHOWWINDOW:
        return wParam ? OnShow() : OnHide();
    case WM_NOTIFY:
        return lParam ? DispatchNotify(lParam) : 0;
    case WM_INPUTLANGCHANGE:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
        return OnImeMessage(message, wParam, lParam);
    case WM_HELP:
        return OnHelp();
    case WM_NCPAINT:
        return OnNcPaint();
    case WM_COMMAND:
        return DispatchCommand(wParam, lParam);
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        return DispatchScroll(wParam, lParam);
    case WM_MOUSEWHEEL:
        return DispatchWheel(wParam, lParam);
    case WM_SIZING:
        return OnSizing(reinterpret_cast<RECT*>(lParam), SizingEdges(wParam));
    case WM_DROPFILES:
        return DispatchDropFiles(wParam);
    case WMU_GETID:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = Id;
        return 0;
    case WMU_CREATED:
        HandleMessage(WM_CREATE, 0, 0);
        return 0;
    default:
        // Keyboard messages go to the default procedure: this program has no key translator.
        return 0;
    }
}

LRESULT WINDOW::DispatchSize(WPARAM wParam)
{
    if (wParam == SIZE_MINIMIZED)
        return OnMinimize();
    if (wParam == SIZE_RESTORED)
        OnRestore();
    return OnSize();
}

LRESULT WINDOW::DispatchCommand(WPARAM wParam, LPARAM lParam)
{
    int code = HIWORD(wParam);
    int id = LOWORD(wParam);
    bool fromMenu = (code == 0 || code == 1) && lParam == 0;
    if (fromMenu)
        return OnMenuCommand(id);
    CONTROL control(reinterpret_cast<HWND>(lParam));
    if (code == BN_CLICKED) {
        if (!control.IsPushButton())
            return OnControl(0, control, 0);
        bool help = id == IDHELP || id == 0xFFFC;
        int result = help ? OnHelp() : OnButton(id);
        return result ? result : OnControl(0, control, 0);
    }
    if (IsControlCommand(code))
        return OnControl(code, control, 0);
    return 0;
}

LRESULT WINDOW::DispatchNotify(LPARAM lParam)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    int code = int(header->code);
    CONTROL control(header->hwndFrom);
    if (control.IsClass("SysListView32")) {
        switch (code) {
        case NOTE_LVDBLCLK:
        case NOTE_LVRETURN:
        case NOTE_LVRCLICK:
            return OnControl(code, control, 0);
        case NOTE_LVCOLUMNCLICK: {
            auto* pnm = reinterpret_cast<NMLISTVIEW*>(lParam);
            ASSERT(pnm->iItem == -1, "pnm->iItem==-1", SOURCE, __LINE__);
            return OnControl(code, control, pnm->iSubItem);
        }
        case NOTE_LVITEMCHANGED:
            return OnControl(code, control, 0);
        case NOTE_LVKEYDOWN:
            return OnControl(code, control, lParam);
        default:
            return 0;
        }
    }
    if (control.IsClass("SysTabControl32")) {
        if (code == NOTE_TABSELCHANGE)
            return OnControl(code, control, 0);
        return code == NOTE_TABSELCHANGING ? 1 : 0;
    }
    if (control.IsClass("SysTreeView32"))
        return code == NOTE_TREESELCHANGED ? OnControl(code, control, 0) : 0;
    if (code == NOTE_UPDOWNDELTAPOS) {
        auto* updown = reinterpret_cast<NMUPDOWN*>(lParam);
        return OnControl(code, control, updown->iPos + updown->iDelta);
    }
    if (code == NOTE_TIPGETDISPINFO)
        return OnControl(code, control, lParam);
    return 0;
}

LRESULT WINDOW::DispatchScroll(WPARAM wParam, LPARAM lParam)
{
    int code = LOWORD(wParam);
    int position = HIWORD(wParam);
    CONTROL control(reinterpret_cast<HWND>(lParam));
    int minimum = 0;
    int maximum = 100;
    if (!GetScrollRange(control.hWnd, SB_CTL, &minimum, &maximum)) {
        minimum = 0;
        maximum = 100;
    }
    if (code == SB_ENDSCROLL)
        return 0;
    if (code == SB_TOP) {
        code = SB_THUMBPOSITION;
        position = minimum;
    } else if (code == SB_BOTTOM) {
        code = SB_THUMBPOSITION;
        position = maximum;
    }
    return OnScroll(code, control, position);
}

LRESULT WINDOW::DispatchWheel(WPARAM wParam, LPARAM lParam)
{
    POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
    MapWindowPoints(nullptr, hWnd, &point, 1);
    int steps = short(HIWORD(wParam)) / WHEEL_DELTA;
    return OnMouse(WM_MOUSEWHEEL, short(point.x), short(point.y), steps);
}

LRESULT WINDOW::DispatchDropFiles(WPARAM wParam)
{
    auto drop = reinterpret_cast<HDROP>(wParam);
    STRINGARRAY files(64);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[MAX_PATH + 1] = {};
        UINT length = DragQueryFileW(drop, i, path, MAX_PATH + 1);
        files.Add(NarrowAnsi(path, int(length)));
    }
    LRESULT result = OnDropFiles(int(count), files);
    DragFinish(drop);
    return result;
}

// ---- window operations ----

bool WINDOW::IsValid() const { return hWnd && IsWindow(hWnd); }

void WINDOW::Show(int state)
{
    if (state != SW_HIDE) {
        if (IsMinimized())
            state = SW_RESTORE;
        else if (IsMaximized())
            state = SW_SHOWMAXIMIZED;
    }
    ShowWindow(hWnd, state);
}

void WINDOW::Enable(bool on) { EnableWindow(hWnd, on); }
bool WINDOW::IsEnabled() const { return IsWindowEnabled(hWnd) != FALSE; }
HWND WINDOW::SetFocus() { return ::SetFocus(hWnd); }
void WINDOW::Invalidate(const RECT* rect, bool erase) { InvalidateRect(hWnd, rect, erase); }

bool WINDOW::IsMinimized() const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    return GetWindowPlacement(hWnd, &placement) && placement.showCmd == SW_SHOWMINIMIZED;
}

bool WINDOW::IsMaximized() const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    return GetWindowPlacement(hWnd, &placement) && placement.showCmd == SW_SHOWMAXIMIZED;
}

bool WINDOW::IsChildWindow() const { return (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) != 0; }

void WINDOW::SetText(const STRING& text) { SetWindowTextW(hWnd, WidenAnsi(text.Buffer).c_str()); }
void WINDOW::SetTextW(const wchar_t* text) { SetWindowTextW(hWnd, text); }

std::wstring WINDOW::GetTextW() const
{
    int length = GetWindowTextLengthW(hWnd);
    if (length <= 0)
        return std::wstring();
    std::wstring text(size_t(length) + 1, L'\0');
    int got = GetWindowTextW(hWnd, text.data(), length + 1);
    text.resize(size_t(got > 0 ? got : 0));
    return text;
}

STRING WINDOW::GetText() const
{
    std::wstring text = GetTextW();
    return NarrowAnsi(text.c_str(), int(text.size()));
}

RECT WINDOW::GetClientArea() const
{
    RECT area{};
    if (!ASSERT(hWnd != HWND_DESKTOP, "this->hWnd!=HWND_DESKTOP", SOURCE, __LINE__))
        return area;
    if (!hWnd)
        return area;
    GetClientRect(hWnd, &area);
    return area;
}

RECT WINDOW::GetRect() const
{
    RECT rect{};
    if (!hWnd) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
        return rect;
    }
    GetWindowRect(hWnd, &rect);
    HWND parent = GetParent(hWnd);
    if (parent && parent != GetWindow(hWnd, GW_OWNER)) {
        POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
        ScreenToClient(parent, &corners[0]);
        ScreenToClient(parent, &corners[1]);
        rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
    return rect;
}

SIZE WINDOW::GetSize() const
{
    RECT rect = GetRect();
    return {RectWidth(rect), RectHeight(rect)};
}

void WINDOW::Move(int x, int y, int width, int height)
{
    if (width == -1 || height == -1) {
        SIZE size = GetSize();
        if (width == -1)
            width = size.cx;
        if (height == -1)
            height = size.cy;
    }
    MoveWindow(hWnd, x, y, width, height, TRUE);
}

void WINDOW::MoveToRect(const RECT& rect)
{
    Move(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
}

void WINDOW::Center(HWND over)
{
    WINDOW other(over);
    if (!other.hWnd || !IsWindowVisible(other.hWnd))
        other = WINDOW(static_cast<HWND>(nullptr));
    bool is_child = other.hWnd && IsChild(hWnd, other.hWnd);
    ASSERT(!is_child, "!is_child", SOURCE, __LINE__);

    RECT r = other.GetRect();
    RECT m = GetRect();
    int w = RectWidth(m);
    int h = RectHeight(m);
    int x = (RectWidth(r) - w) / 2 + r.left;
    int y = (RectHeight(r) - h) / 2 + r.top;

    RECT desktop = GetDesktopRect();
    if (RectWidth(desktop) < w + x)
        x = RectWidth(desktop) - w;
    if (x < 0)
        x = 0;
    if (RectHeight(desktop) < h + y)
        y = RectHeight(desktop) - h;
    if (y < 0)
        y = 0;
    MoveToRect({x, y, x + w, y + h});
}

WINDOW WINDOW::GetParentWindow() const { return WINDOW(GetParent(hWnd)); }

WINDOW WINDOW::GetOwnerWindow() const
{
    if (IsChildWindow())
        return WINDOW(GetTopLevel());
    return WINDOW(GetWindow(hWnd, GW_OWNER));
}

HWND WINDOW::GetTopLevel() const
{
    HWND window = hWnd;
    while (window && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD))
        window = GetParent(window);
    return window;
}

void WINDOW::SetZOrder(int topbottom, HWND after)
{
    HWND insertAfter = topbottom == -1 ? HWND_BOTTOM : HWND_TOP;
    if (after) {
        ASSERT(topbottom == +1, "topbottom==+1", SOURCE, __LINE__);
        insertAfter = after;
    }
    SetWindowPos(hWnd, insertAfter, 0, 0, 0, 0, SETZORDERFLAGS);
}

bool WINDOW::BringToForeground(bool attach)
{
    BOOL result = SetForegroundWindow(hWnd);
    if (!attach)
        return result != FALSE;
    DWORD self = GetCurrentThreadId();
    DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    AttachThreadInput(self, foreground, TRUE);
    result = SetForegroundWindow(hWnd);
    AttachThreadInput(self, foreground, FALSE);
    return result != FALSE;
}

void WINDOW::AddStyle(DWORD bits)
{
    SetWindowLongPtrA(hWnd, GWL_STYLE, GetWindowLongPtrA(hWnd, GWL_STYLE) | LONG_PTR(bits));
}

void WINDOW::RemoveStyle(DWORD bits)
{
    SetWindowLongPtrA(hWnd, GWL_STYLE, GetWindowLongPtrA(hWnd, GWL_STYLE) & ~LONG_PTR(bits));
}

void WINDOW::AddExStyle(DWORD bits)
{
    SetWindowLongPtrA(hWnd, GWL_EXSTYLE, GetWindowLongPtrA(hWnd, GWL_EXSTYLE) | LONG_PTR(bits));
}

HDC WINDOW::BeginPaint(PAINTSTRUCT* paint) { return ::BeginPaint(hWnd, paint); }
void WINDOW::EndPaint(PAINTSTRUCT* paint) { ::EndPaint(hWnd, paint); }

STRING WINDOW::GetClassName() const
{
    char name[CLASSNAMEMAX + 1] = {};
    int length = GetClassNameA(hWnd, name, sizeof(name));
    return STRING(name, length > 0 ? length : 0, STRING_DEFAULTBLOCK);
}

bool WINDOW::IsClass(const char* className, int s1, int s2, int s3) const
{
    char name[CLASSNAMEREAD + 1] = {};
    if (GetClassNameA(hWnd, name, sizeof(name)) <= 0)
        return false;
    if (ombix_stricmp(name, className) != 0)
        return false;
    if (s1 == -1)
        return true;
    int low = int(GetWindowLongPtrA(hWnd, GWL_STYLE) & 0xF);
    return low == s1 || low == s2 || low == s3;
}

bool WINDOW::IsPushButton() const
{
    return IsClass("Button", BS_PUSHBUTTON, BS_USERBUTTON, BS_DEFPUSHBUTTON);
}

int WINDOW::FocusFirstControl()
{
    for (HWND child = FindWindowExA(hWnd, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(hWnd, child, nullptr, nullptr)) {
        WINDOW candidate(child);
        LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        bool tabStop = (style & WS_TABSTOP) != 0;
        bool isStatic = candidate.IsClass("STATIC");
        bool autoRadio = (style & 0xF) == BS_AUTORADIOBUTTON;
        bool qualifies = tabStop && !isStatic && IsWindowEnabled(child) && !autoRadio;
        if (!qualifies && SendMessageA(child, BM_GETCHECK, 0, 0) == 0)
            continue;
        ::SetFocus(child);
        return candidate.Id;
    }
    return 0;
}

// ---- controls ----

CONTROL::CONTROL(HWND parent, int id) : WINDOW(id == -1 ? parent : GetDlgItem(parent, id)) {}

CONTROL::CONTROL(HWND parent, int id, const char* className, DWORD style, int x, int y,
                 int width, int height, const char* text, DWORD exStyle)
{
    LOGIT("CONTROL::CONTROL %p, %d, %s, %s, %x, %x\n", static_cast<void*>(parent), id,
          NullGuard(className, "CONTROL::CONTROL"), NullGuard(text, "CONTROL::CONTROL"),
          unsigned(style), unsigned(exStyle));
    LOGIT("CONTROL::CONTROL %d\n", IsWindow(parent));
    CreateChild(parent, id, className, style, x, y, width, height, text, exStyle);
}

CONTROL::CONTROL(HWND parent, int id, const char* className, DWORD style, int placeholderId,
                 const char* text, DWORD exStyle)
{
    LOGIT("CONTROL::CONTROL %p, %d, %s, %s, %x, %x\n", static_cast<void*>(parent), id,
          NullGuard(className, "CONTROL::CONTROL"), NullGuard(text, "CONTROL::CONTROL"),
          unsigned(style), unsigned(exStyle));
    LOGIT("CONTROL::CONTROL %d\n", IsWindow(parent));
    CONTROL placeholder(parent, placeholderId);
    RECT rect = placeholder.GetRect();
    CreateChild(parent, id, className, style, rect.left, rect.top, RectWidth(rect),
                RectHeight(rect), text, exStyle);
    if (hWnd && placeholder.hWnd) {
        SetZOrder(+1, placeholder.hWnd);
        DestroyWindow(placeholder.hWnd);
    }
    ASSERT(CONTROL(parent, id).Hwnd() == hWnd, "CONTROL(hwndparent, id).Hwnd()==this->hWnd",
           SOURCE, __LINE__);
}

void CONTROL::CreateChild(HWND parent, int id, const char* className, DWORD style, int x, int y,
                          int width, int height, const char* text, DWORD exStyle)
{
    hWnd = CreateWindowExA(exStyle, className, text, style | WS_CHILD, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
    ASSERTF(hWnd != nullptr, "this->hWnd", SOURCE, __LINE__, "class %s id %d",
            NullGuard(className, "CONTROL::CONTROL"), id);
    Id = id;
    AutoDestroy = true;
    TakeParentFont(parent);
}

void CONTROL::TakeParentFont(HWND parent)
{
    LRESULT font = SendMessageA(parent, WM_GETFONT, 0, 0);
    if (font && hWnd)
        SendMessageA(hWnd, WM_SETFONT, WPARAM(font), FALSE);
}

CONTROL::~CONTROL() = default;

int CONTROL::GetCheck() const { return int(SendMessageA(hWnd, BM_GETCHECK, 0, 0)); }

void CONTROL::SetCheck(int state)
{
    SendMessageA(hWnd, BM_SETCHECK, WPARAM(state), 0);
    SendMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hWnd));
}

// ---- free functions ----

int WinProcessMessages(int n)
{
    int dispatched = 0;
    MSG message;
    while (dispatched < n && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        LOGIT("WINDOW::WinProcessMessages dispatch msg= %04x\n", message.message);
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++dispatched;
    }
    LOGIT("WINDOW::WinProcessMessages done after n=%d messages\n", dispatched);
    return n - dispatched;
}

bool WinWaitForSingleObject(HANDLE handle, DWORD timeout)
{
    for (;;) {
        // MWMO_INPUTAVAILABLE: messages left over from an earlier burst wake the wait as well;
        // without it they would sit in the queue until new input arrived.
        DWORD result = MsgWaitForMultipleObjectsEx(1, &handle, timeout, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
        if (result != WAIT_OBJECT_0 + 1) {
            LOGIT("WINDOW::WinWaitForSingleObject finished\n");
            return result == WAIT_OBJECT_0;
        }
        MSG message;
        for (int i = 0; i < 10 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
            LOGIT("WINDOW::WinWaitForSingleObject dispatch msg= %04x\n", message.message);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

RECT GetDesktopRect()
{
    int monitors = GetSystemMetrics(SM_CMONITORS);
    LOGIT("WINDOW::GetDesktopRect detected %d monitors\n", monitors);
    RECT rect{};
    if (monitors > 1) {
        rect.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        rect.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        rect.right = rect.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        rect.bottom = rect.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    } else {
        rect = WINDOW(static_cast<HWND>(nullptr)).GetRect();
    }
    LOGIT("WINDOW::GetDesktopRect return (%d %d %d %d)\n", int(rect.left), int(rect.top),
          int(rect.right), int(rect.bottom));
    return rect;
}

HFONT CreateScreenFont(const STRING& face, int points, bool bold, bool italic, bool fixedPitch,
                       int codePage)
{
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!ASSERT(dc != nullptr, "hdc", SOURCE, __LINE__) || !dc)
        return nullptr;
    int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);

    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, pixelsPerInch, 72);
    font.lfWidth = 0;
    font.lfCharSet = BYTE(CodePageToCharset(codePage, 0));
    font.lfItalic = italic ? 1 : 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfPitchAndFamily = fixedPitch ? (FIXED_PITCH | FF_MODERN) : 0;
    std::wstring name = WidenAnsi(face.Buffer);
    size_t room = sizeof(font.lfFaceName) / sizeof(font.lfFaceName[0]) - 1;
    wcsncpy(font.lfFaceName, name.c_str(), room);
    font.lfFaceName[room] = 0;
    return CreateFontIndirectW(&font);
}

int CodePageToCharset(int codePage, int fallback)
{
    switch (codePage) {
    case 0:
    case 850:
    case 1000:
    case 1252:
        return ANSI_CHARSET;
    case 437:
    case 737:
    case 852:
    case 866:
        return OEM_CHARSET;
    case 1250:
        return EASTEUROPE_CHARSET;
    case 1251:
        return RUSSIAN_CHARSET;
    case 1253:
        return GREEK_CHARSET;
    case -1:
        return DEFAULT_CHARSET;
    default:
        return fallback;
    }
}
