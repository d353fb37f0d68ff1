#include "ui/wincontrols.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace {

constexpr const char* SOURCE = "wincontrols_win32";
constexpr DWORD LISTBOXSTYLE = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY;
constexpr DWORD OWNERDRAWFIXED = 0x10;
constexpr int MAXSELECTED = 256;
constexpr UINT BROWSEFLAGS = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;

LONG_PTR Style(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }

std::wstring Widen1252(const char* text)
{
    int length = MultiByteToWideChar(1252, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(1252, 0, text, -1, wide.data(), length);
    wide.resize(size_t(length - 1));
    return wide;
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message != BFFM_INITIALIZED || !data)
        return 0;
    std::wstring initial = Widen1252(reinterpret_cast<const char*>(data));
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(initial.c_str()));
    return 0;
}

HWND TopLevelOf(HWND window)
{
    while (window && (Style(window) & WS_CHILD))
        window = GetParent(window);
    return window;
}

}  // namespace

// ---- style tests ----

bool WINDOW::IsDropdownList() const
{
    return IsClass("ComboBox") && (Style(hWnd) & 7) == CBS_DROPDOWNLIST;
}

bool WINDOW::IsDropdownCombo() const
{
    return IsClass("ComboBox") && (Style(hWnd) & 7) == CBS_DROPDOWN;
}

bool WINDOW::IsPlaceholderFrame() const
{
    LONG_PTR low = Style(hWnd) & 0x1F;
    return IsClass("Static") && (low == SS_BLACKRECT || low == SS_GRAYRECT);
}

// ---- ENTRYFIELD, PROGRESSBAR ----

void ENTRYFIELD::LimitText(int n) { SendMessageA(hWnd, EM_LIMITTEXT, WPARAM(n), 0); }

void ENTRYFIELD::SelectText(int from, int to)
{
    SendMessageA(hWnd, EM_SETSEL, WPARAM(from), LPARAM(to));
}

PROGRESSBAR::PROGRESSBAR(HWND parent, int id, int x, int y, int width, int height)
    : CONTROL(parent, id, PROGRESS_CLASSA, WS_CHILD | WS_VISIBLE, x, y, width, height, "", 0)
{
    SetRange(100);
}

void PROGRESSBAR::SetRange(int maximum)
{
    SendMessageA(hWnd, PBM_SETRANGE, 0, LPARAM(maximum) << 16);
}

void PROGRESSBAR::SetPos(int position) { SendMessageA(hWnd, PBM_SETPOS, WPARAM(position), 0); }

// ---- LISTCONTROL and its kinds ----

LISTCONTROL::LISTCONTROL(HWND parent, int id) : CONTROL(parent, id)
{
    IsListBox = IsClass("ListBox");
}

LISTCONTROL::LISTCONTROL(HWND parent, int id, DWORD extraStyle, int placeholderId)
    : CONTROL(parent, id, "ListBox", extraStyle | LISTBOXSTYLE, placeholderId, "LISTBOX",
              WS_EX_CLIENTEDGE)
{
    IsListBox = true;
}

void LISTCONTROL::ResetContent()
{
    SendMessageA(hWnd, IsListBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

int LISTCONTROL::AddStringW(const wchar_t* text)
{
    return int(SendMessageW(hWnd, IsListBox ? LB_ADDSTRING : CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text)));
}

int LISTCONTROL::AddString(const char* text)
{
    // An owner-drawn list keeps the pointer itself as its item.
    if (Style(hWnd) & OWNERDRAWFIXED)
        return int(SendMessageA(hWnd, IsListBox ? LB_ADDSTRING : CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(text)));
    return AddStringW(WidenAnsi(text).c_str());
}

bool LISTCONTROL::IsMultipleSelection() const
{
    return IsListBox && (Style(hWnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

int LISTCONTROL::GetSelection(int n) const
{
    if (IsMultipleSelection()) {
        int selected[MAXSELECTED] = {};
        LRESULT count = SendMessageA(hWnd, LB_GETSELITEMS, MAXSELECTED,
                                     reinterpret_cast<LPARAM>(selected));
        if (count == LB_ERR || n < 0 || n >= count)
            return -1;
        return selected[n];
    }
    if (n != 0)
        return -1;
    return int(SendMessageA(hWnd, IsListBox ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

void LISTCONTROL::Select(int index, bool on)
{
    if (!IsListBox)
        SendMessageA(hWnd, CB_SETCURSEL, WPARAM(on ? index : -1), 0);
    else if (IsMultipleSelection())
        SendMessageA(hWnd, LB_SETSEL, WPARAM(on), LPARAM(index));
    else
        SendMessageA(hWnd, LB_SETCURSEL, WPARAM(on ? index : -1), 0);
    NotifySelectionChange();
}

void LISTCONTROL::NotifySelectionChange()
{
    SendMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(Id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hWnd));
}

STRING LISTCONTROL::GetItemText(int index) const
{
    STRING result("");
    if (index == -1)
        index = GetSelection(0);
    if (index == -1)
        return result;
    LRESULT length = SendMessageA(hWnd, IsListBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN,
                                  WPARAM(index), 0);
    if (length < 0)
        return result;
    // The buffer comes from the length the control reports, however long the item is.
    std::vector<char> text(size_t(length) + 1, 0);
    LRESULT got = SendMessageA(hWnd, IsListBox ? LB_GETTEXT : CB_GETLBTEXT, WPARAM(index),
                               reinterpret_cast<LPARAM>(text.data()));
    if (got < 0)
        return result;
    text[size_t(length)] = 0;
    return STRING(text.data(), STRING_SIZE_T(strnlen(text.data(), size_t(length))),
                  STRING_DEFAULTBLOCK);
}

DROPDOWNLIST::DROPDOWNLIST(HWND parent, int id) : LISTCONTROL(parent, id)
{
    ASSERT(IsDropdownList() || !IsValid(), "this->IsDropdownList() || !this->IsValid()", SOURCE,
           __LINE__);
}

DROPDOWNCOMBO::DROPDOWNCOMBO(HWND parent, int id) : LISTCONTROL(parent, id)
{
    ASSERT(IsDropdownCombo() || !IsValid(), "this->IsDropdownCombo() || !this->IsValid()",
           SOURCE, __LINE__);
}

// ---- folder picker ----

STRING BrowseForFolder(HWND owner, const char* prompt, const char* initialFolder)
{
    // The shell's dialog needs COM; the matching CoUninitialize would end it for the caller.
    CoInitialize(nullptr);
    BROWSEINFOA info{};
    info.hwndOwner = TopLevelOf(owner);
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = prompt;
    info.ulFlags = BROWSEFLAGS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initialFolder);

    STRING result("", 1252);
    LPITEMIDLIST items = SHBrowseForFolderA(&info);
    if (!items)
        return result;
    char path[MAX_PATH + 1] = {};
    BOOL found = SHGetPathFromIDListA(items, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
    if (!found)
        return result;
    result = STRING(path, 1252);
    if (result.Length() > 0 && result.Buffer[result.Length() - 1] == '\\')
        result.CutRight(1);
    return result;
}
