#pragma once
// Window objects: BASEWINDOW, WINDOW with its handler table, CONTROL; the message pumps, the
// desktop rectangle and screen fonts. All windows live on the thread that made them.

#include <string>

#include "base/stringarray.h"
#include "base/strings.h"
#include "frame/win32api.h"

constexpr UINT WMU_ENDMODAL = 0x04F1;
constexpr UINT WMU_GETID = 0x04F3;
constexpr UINT WMU_CREATED = 0x0501;

// Sees every message before the object's own handler; its result is OR-ed into the answer.
using WINDOWHOOK = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

class CONTROL;
// The keyboard translator's key record; no keyboard module is part of this program.
struct KEYRECORD;

class BASEWINDOW {
public:
    HWND hWnd = nullptr;
    int Id = 0;
    WINDOWHOOK pfnHook = nullptr;

    BASEWINDOW() = default;
    BASEWINDOW(const BASEWINDOW&) = default;
    BASEWINDOW& operator=(const BASEWINDOW&) = default;
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual ~BASEWINDOW() = default;
};

class WINDOW : public BASEWINDOW {
public:
    bool AutoDestroy = false;

    WINDOW() = default;
    explicit WINDOW(HWND window);
    // A copy only wraps: it never destroys the window.
    WINDOW(const WINDOW& other);
    WINDOW& operator=(const WINDOW& other);
    WINDOW(DWORD style, const char* title, int x, int y, int width, int height, HWND parent,
           int id, int menuId = 0, const char* className = nullptr, HCURSOR cursor = nullptr);
    ~WINDOW() override;

    // Registers the class and creates the window bound to this object; OnCreate follows later,
    // from the posted WMU_CREATED.
    bool Create(DWORD style, const char* title, int x, int y, int width, int height, HWND parent,
                int id, int menuId = 0, const char* className = nullptr,
                HCURSOR cursor = nullptr);

    // The dispatcher: one handler per message, DefWindowProcA when the handler gives 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual int Destroy();
    virtual int OnCreate() { return 0; }
    virtual int OnActivate() { return 0; }
    virtual int OnDeactivate() { return 0; }
    virtual int OnMenuCommand(int) { return 0; }
    virtual int OnButton(int) { return 0; }
    // data: a sub-item, an up-down position or the notification's lParam, by code.
    virtual int OnControl(int, CONTROL&, LPARAM) { return 0; }
    virtual int OnScroll(int, CONTROL&, int) { return 0; }
    virtual int OnKey(KEYRECORD*) { return 0; }
    virtual int OnImeMessage(UINT, WPARAM, LPARAM) { return 0; }
    virtual int OnTimer(UINT_PTR) { return 0; }
    virtual int OnMove() { return 0; }
    virtual int OnSize() { return 0; }
    // edges: left 1, right 2, top 4, bottom 8.
    virtual int OnSizing(RECT*, int) { return 0; }
    virtual int OnShow() { return 0; }
    virtual int OnHide() { return 0; }
    virtual int OnSetFocus() { return 0; }
    virtual int OnKillFocus() { return 0; }
    virtual int OnMinimize() { return 0; }
    virtual int OnRestore() { return 0; }
    // The last value is the key state, or the wheel steps for WM_MOUSEWHEEL.
    virtual int OnMouse(UINT, int, int, int) { return 0; }
    virtual int OnDropFiles(int, STRINGARRAY&) { return 0; }
    virtual int OnNcPaint() { return 0; }
    virtual int OnClose() { return 0; }
    virtual int OnDestroy() { return 0; }
    // Pointer-sized: a user message may answer with a handle or a pointer.
    virtual LRESULT OnUserMessage(UINT, WPARAM, LPARAM) { return 0; }
    virtual int OnSpare(int, int, int) { return 0; }
    virtual int OnPaint();
    virtual int OnHelp();
    virtual int OnEndSession();

    bool IsValid() const;
    HWND Hwnd() const { return hWnd; }
    void Show(int state);
    void Enable(bool on);
    bool IsEnabled() const;
    HWND SetFocus();
    void Invalidate(const RECT* rect = nullptr, bool erase = true);
    bool IsMinimized() const;
    bool IsMaximized() const;
    bool IsChildWindow() const;
    void SetText(const STRING& text);
    void SetTextW(const wchar_t* text);
    STRING GetText() const;
    std::wstring GetTextW() const;
    RECT GetClientArea() const;
    RECT GetRect() const;
    SIZE GetSize() const;
    void Move(int x, int y, int width, int height);
    void MoveToRect(const RECT& rect);
    void Center(HWND over);
    WINDOW GetParentWindow() const;
    WINDOW GetOwnerWindow() const;
    HWND GetTopLevel() const;
    void SetZOrder(int topbottom, HWND after = nullptr);
    bool BringToForeground(bool attach);
    void AddStyle(DWORD bits);
    void RemoveStyle(DWORD bits);
    void AddExStyle(DWORD bits);
    HDC BeginPaint(PAINTSTRUCT* paint);
    void EndPaint(PAINTSTRUCT* paint);
    STRING GetClassName() const;
    // s1 -1: the class alone decides; otherwise the low four style bits must be s1, s2 or s3.
    bool IsClass(const char* className, int s1 = -1, int s2 = -1, int s3 = -1) const;
    bool IsPushButton() const;
    int FocusFirstControl();

    // Kinds of combo box and the list-box placeholder of dialog templates.
    bool IsDropdownList() const;
    bool IsDropdownCombo() const;
    bool IsPlaceholderFrame() const;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool* final);
    LRESULT DispatchSize(WPARAM wParam);
    LRESULT DispatchCommand(WPARAM wParam, LPARAM lParam);
    LRESULT DispatchNotify(LPARAM lParam);
    LRESULT DispatchScroll(WPARAM wParam, LPARAM lParam);
    LRESULT DispatchWheel(WPARAM wParam, LPARAM lParam);
    LRESULT DispatchDropFiles(WPARAM wParam);
    void Unbind();
};

class CONTROL : public WINDOW {
public:
    CONTROL() = default;
    explicit CONTROL(HWND window) : WINDOW(window) {}
    // Wraps the child with this id; id -1 wraps the parent itself.
    CONTROL(HWND parent, int id);
    // Creates a child control and owns it.
    CONTROL(HWND parent, int id, const char* className, DWORD style, int x, int y, int width,
            int height, const char* text, DWORD exStyle);
    // Creates a child control where the placeholder control was, in its place in the tab order.
    CONTROL(HWND parent, int id, const char* className, DWORD style, int placeholderId,
            const char* text, DWORD exStyle);
    CONTROL(const CONTROL&) = default;
    CONTROL& operator=(const CONTROL&) = default;
    ~CONTROL() override;

    int GetCheck() const;
    // Sets the state and tells the parent, as a click would.
    void SetCheck(int state);

private:
    void CreateChild(HWND parent, int id, const char* className, DWORD style, int x, int y,
                     int width, int height, const char* text, DWORD exStyle);
    void TakeParentFont(HWND parent);
};

// Dispatches at most n pending messages; returns how many of the n were not used.
int WinProcessMessages(int n);
// Waits for the object while dispatching messages; true when it was signalled.
bool WinWaitForSingleObject(HANDLE handle, DWORD timeout);
RECT GetDesktopRect();
// A font for the screen, owned by the caller.
HFONT CreateScreenFont(const STRING& face, int points, bool bold, bool italic, bool fixedPitch,
                       int codePage);
int CodePageToCharset(int codePage, int fallback);

// Conversions with the system's ANSI code page, where a W call is named.
std::wstring WidenAnsi(const char* text);
STRING NarrowAnsi(const wchar_t* text, int length = -1);
