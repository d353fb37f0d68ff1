#include "ui/datadialogs.h"

#include <shellapi.h>

#include <cstring>

#include "base/filename.h"
#include "frame/ombix_win32.h"
#include "ui/datadialogitems.h"
#include "ui/wincontrols.h"

namespace {

constexpr const char* SOURCE = "datadialogs";
constexpr int NOFOCUSID = 800;
constexpr const char* NOFOCUSTEXT = "WM_INITDIALOG:RC=0";
constexpr int NOFOCUSTEXTMAX = 127;
constexpr UINT HHPRETRANSLATEMESSAGE = 0x00FD;

// ---- the help-file object's pre-translation ----

using HTMLHELPPROC = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The HTML Help library is loaded at the first offer; once it could not be, every offer is
// declined.
bool HelpPreTranslate(MSG* message)
{
    static bool tried = false;
    static HTMLHELPPROC htmlHelp = nullptr;
    if (!tried) {
        tried = true;
        HMODULE library = LoadLibraryA("hhctrl.ocx");
        if (library)
            htmlHelp = reinterpret_cast<HTMLHELPPROC>(
                reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    }
    if (!htmlHelp)
        return false;
    return htmlHelp(nullptr, nullptr, HHPRETRANSLATEMESSAGE,
                    reinterpret_cast<DWORD_PTR>(message)) != nullptr;
}

bool IsForwardedToWindow(UINT message)
{
    if (message >= 0x0401 && message <= 0x0500)
        return true;
    switch (message) {
    case WM_DESTROY:
    case WM_MOVE:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CLOSE:
    case WM_ENDSESSION:
    case WM_SHOWWINDOW:
    case WM_NOTIFY:
    case WM_HELP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_COMMAND:
    case WM_TIMER:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SIZING:
    case WMU_GETID:
        return true;
    default:
        return false;
    }
}

DIALOG* BoundDialog(HWND window)
{
    return reinterpret_cast<DIALOG*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

INT_PTR RunDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam) {
        auto* object = reinterpret_cast<DIALOG*>(lParam);
        object->hWnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        PostMessageA(window, WMU_CREATED, 0, 0);
    }
    DIALOG* object = BoundDialog(window);
    if (!object)
        return 0;
    LRESULT hookResult = 0;
    if (object->pfnHook)
        hookResult = object->pfnHook(window, message, wParam, lParam);
    OMBIXAPP::LogHotKey(message, wParam, lParam);
    INT_PTR result = 0;
    if (hookResult) {
        if (message == WM_DESTROY)
            object->DIALOG::DialogProc(message, wParam, lParam);
        result = hookResult;
    } else {
        result = object->DialogProc(message, wParam, lParam);
    }
    // Nothing may reach the object after the window is gone: it may be gone itself by then.
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return result;
}

bool IsRadioButton(const WINDOW& window)
{
    return window.IsClass("Button", BS_RADIOBUTTON, BS_AUTORADIOBUTTON);
}

bool IsCheckButton(const WINDOW& window)
{
    return IsRadioButton(window) ||
           window.IsClass("Button", BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE);
}

bool IsNotifyingChange(int code)
{
    return code == BN_CLICKED || code == LBN_SELCHANGE || code == EN_CHANGE;
}

bool KindNotFitting()
{
    ASSERT(false, "FALSE", SOURCE, __LINE__);
    return false;
}

bool TestButton(const CONTROL& source, int kind)
{
    if (kind == DEPEND::CHECKED)
        return source.GetCheck() != 0;
    if (kind == DEPEND::UNCHECKED)
        return source.GetCheck() == 0;
    return KindNotFitting();
}

bool TestList(LISTCONTROL& list, int kind, const STRING& text)
{
    int index = list.GetSelection(0);
    STRING selected = index == -1 ? STRING("") : list.GetItemText(index);
    switch (kind) {
    case DEPEND::EQUAL:
        return selected == text;
    case DEPEND::DIFFERENT:
        return !(selected == text);
    case DEPEND::INDEX:
        return index == text.AsInt();
    case DEPEND::NOTINDEX:
        return index != text.AsInt();
    default:
        return KindNotFitting();
    }
}

bool TestEdit(const CONTROL& source, int kind, const STRING& text)
{
    STRING content = source.GetText();
    switch (kind) {
    case DEPEND::CHECKED:
        return !content.IsEmpty();
    case DEPEND::UNCHECKED:
        return content.IsEmpty();
    case DEPEND::EQUAL:
        return content == text;
    case DEPEND::DIFFERENT:
        return !(content == text);
    case DEPEND::EXISTS:
        return !content.IsEmpty() && FILENAME(content).Exists();
    case DEPEND::NOTEXISTS:
        return content.IsEmpty() || !FILENAME(content).Exists();
    case DEPEND::FOLDER:
        return !content.IsEmpty() && FILENAME(content).IsDirectory();
    case DEPEND::NOTFOLDER:
        return content.IsEmpty() || !FILENAME(content).IsDirectory();
    default:
        return KindNotFitting();
    }
}

void ShowTarget(HWND dialog, int id, bool hidden)
{
    CONTROL target(dialog, id);
    target.Show(hidden ? SW_HIDE : SW_SHOWNORMAL);
    if (!target.IsClass("Edit"))
        return;
    CONTROL label(dialog, id + DEPEND::LABELOFFSET);
    if (label.IsValid())
        label.Show(hidden ? SW_HIDE : SW_SHOWNORMAL);
}

} // namespace

// ---- DIALOG ----

INT_PTR CALLBACK DIALOG::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return RunDialogProc(window, message, wParam, lParam);
    } catch (...) {
        LOGIT("DIALOG::StaticDialogProc exception in message %04x\n", message);
        return 0;
    }
}

DIALOG::DIALOG(int templateId, HWND parent, HMODULE module)
{
    if (templateId == 0)
        return;
    Id = templateId;
    HMODULE from = module ? module : gLanguageModule;
    HWND made = CreateDialogParamA(from, MAKEINTRESOURCEA(templateId), parent, StaticDialogProc,
                                   reinterpret_cast<LPARAM>(this));
    hWnd = made;
    AutoDestroy = true;
    if (!ASSERTF(hWnd != nullptr, "this->hWnd", SOURCE, __LINE__, "%d", templateId) || !hWnd)
        return;
    if (!IsChildWindow()) {
        Center(WINDOW(parent).GetTopLevel());
        return;
    }
    // For a top-level window the id slot holds its menu: only a child takes the template id.
    if (GetWindowLongPtrA(hWnd, GWLP_ID) == 0)
        SetWindowLongPtrA(hWnd, GWLP_ID, templateId);
}

DIALOG::~DIALOG()
{
    // Destroyed here, while the dialog's own handlers are still those of a DIALOG.
    if (AutoDestroy && hWnd) {
        LOGIT("WINDOW::~WINDOW auto-destroying %s %d\n", GetText().Text(), Id);
        Destroy();
    }
    AutoDestroy = false;
}

int DIALOG::OnButton(int id)
{
    EndModal(id == IDCANCEL ? 0 : id);
    return 1;
}

int DIALOG::OnClose()
{
    EndModal(0);
    return 1;
}

INT_PTR DIALOG::InitDialog(LPARAM lParam)
{
    if (!lParam) {
        OnCreate();
        return 1;
    }
    HWND marker = GetDlgItem(hWnd, NOFOCUSID);
    if (!marker)
        return 1;
    char text[NOFOCUSTEXTMAX + 1] = {};
    GetWindowTextA(marker, text, sizeof(text));
    // The dialog manager sets no default focus when the answer is 0.
    return strcmp(text, NOFOCUSTEXT) == 0 ? 0 : 1;
}

INT_PTR DIALOG::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitDialog(lParam);
    if (message == WMU_CREATED) {
        // Through the virtual table: OnCreate runs once the object is complete.
        DialogProc(WM_INITDIALOG, 0, 0);
        return 0;
    }
    if (IsForwardedToWindow(message))
        return HandleMessage(message, wParam, lParam);
    return 0;
}

bool DIALOG::PreTranslate(MSG*)
{
    return false;
}

bool DIALOG::IsDialogMessage(HWND dialog, MSG* message)
{
    return IsDialogMessageA(dialog, message) != FALSE;
}

int DIALOG::OnEndModal(int)
{
    return 0;
}

void DIALOG::EndModal(int result)
{
    PostMessageA(hWnd, WMU_ENDMODAL, WPARAM(INT_PTR(result)), 0);
}

int DIALOG::MessageLoop()
{
    for (;;) {
        // A dialog destroyed behind the loop's back can never end it.
        if (!IsValid())
            return 0;
        MSG message{};
        GetMessageA(&message, nullptr, 0, 0);
        if (PreTranslate(&message))
            continue;
        bool controlTab = message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
                          (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (controlTab)
            message.hwnd = hWnd;
        bool skipDialogManager = controlTab || message.message == WMU_ENDMODAL;
        if (!skipDialogManager && IsDialogMessage(hWnd, &message))
            continue;
        if (HelpPreTranslate(&message))
            continue;
        MSG copy = message;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (copy.message == WMU_ENDMODAL && copy.hwnd == hWnd) {
            int result = int(INT_PTR(copy.wParam));
            OnEndModal(result);
            return result;
        }
    }
}

int DIALOG::RunModal(bool noShow)
{
    WINDOW owner = GetOwnerWindow();
    WINDOW parent = GetParentWindow();
    bool childOfOwner = IsChildWindow() && owner.hWnd == parent.hWnd;
    bool disableOwner = owner.IsValid() && !childOfOwner;
    if (disableOwner)
        owner.Enable(false);
    if (!noShow) {
        Show(SW_SHOWNORMAL);
        BringToForeground(false);
    }
    int result = MessageLoop();
    if (disableOwner)
        owner.Enable(true);
    if (!noShow)
        Show(SW_HIDE);
    return result;
}

// ---- DATADIALOGBASE ----

DATADIALOGBASE::~DATADIALOGBASE()
{
    DeleteItems();
}

void DATADIALOGBASE::DeleteItems()
{
    while (Howmany > 0) {
        --Howmany;
        delete Items[Howmany];
        Items[Howmany] = nullptr;
    }
}

int DATADIALOGBASE::AddItem(DATAITEM* item)
{
    if (!item)
        return -1;
    if (!ASSERT(Howmany < Max && Howmany < MAXITEMS, "this->Howmany < this->Max", SOURCE,
                __LINE__) ||
        Howmany >= MAXITEMS || Howmany >= Max) {
        delete item;
        return -1;
    }
    Items[Howmany] = item;
    return Howmany++;
}

int DATADIALOGBASE::AddDisableItem(HWND targetDialog, int targetId, HWND sourceDialog, int sourceId,
                                   int condition, const char* text)
{
    bool room = DisableItemCount < MAXDISABLEITEMS;
    if (!ASSERT(room, "this->DisableItemCount<ARRAYMAX(this->DisableItems)", SOURCE, __LINE__) ||
        !room)
        return -1;
    DISABLEITEM& entry = DisableItems[DisableItemCount];
    entry.TargetDialog = targetDialog ? targetDialog : GetHwnd();
    entry.TargetId = targetId;
    entry.SourceDialog = sourceDialog ? sourceDialog : GetHwnd();
    entry.SourceId = sourceId;
    entry.Condition = condition;
    entry.Text = STRING(text ? text : "", 1252);
    entry.Done = false;
    return DisableItemCount++;
}

void DATADIALOGBASE::PutAll()
{
    HWND dialog = GetHwnd();
    for (int i = 0; i < Howmany; ++i)
        Items[i]->Put(dialog);
}

void DATADIALOGBASE::GetAll()
{
    if (!ReadBack)
        return;
    HWND dialog = GetHwnd();
    for (int i = 0; i < Howmany; ++i)
        Items[i]->Get(dialog);
}

void DATADIALOGBASE::Cancel()
{
    ReadBack = false;
}

bool DATADIALOGBASE::OnCommand(int idc)
{
    ASSERT(idc != IDHELP, "idc!=IDHELP", SOURCE, __LINE__);
    for (int i = 0; i < Howmany; ++i) {
        if (Items[i]->Id != idc)
            continue;
        auto* push = dynamic_cast<PUSHITEM*>(Items[i]);
        // Another kind of item under a button's id: the button keeps its own meaning.
        if (!ASSERT(push != nullptr, "this->Magic==0x50555348", "datadialogitems", __LINE__) ||
            !push)
            return false;
        push->Run();
        return true;
    }
    return false;
}

bool DATADIALOGBASE::TestCondition(const DISABLEITEM& entry) const
{
    int kind = entry.Condition & DEPEND::KINDMASK;
    if (kind == DEPEND::ALWAYS)
        return true;
    if (kind == DEPEND::NEVER)
        return false;
    CONTROL cdepend(entry.SourceDialog, entry.SourceId);
    ASSERT(cdepend.IsValid(), "cdepend.IsValid()", SOURCE, __LINE__);
    if (!cdepend.IsValid())
        return false;
    if (IsCheckButton(cdepend))
        return TestButton(cdepend, kind);
    if (cdepend.IsClass("ListBox")) {
        LISTBOX list(entry.SourceDialog, entry.SourceId);
        return TestList(list, kind, entry.Text);
    }
    if (cdepend.IsDropdownCombo()) {
        DROPDOWNCOMBO list(entry.SourceDialog, entry.SourceId);
        return TestList(list, kind, entry.Text);
    }
    if (cdepend.IsDropdownList()) {
        DROPDOWNLIST list(entry.SourceDialog, entry.SourceId);
        return TestList(list, kind, entry.Text);
    }
    if (cdepend.IsClass("Edit"))
        return TestEdit(cdepend, kind, entry.Text);
    return false;
}

void DATADIALOGBASE::EvaluateTarget(DISABLEITEM& entry)
{
    int count = 0;
    int holding = 0;
    // The flags of every entry of the target count, not only those of the entry whose source
    // changed: otherwise the same states would give another result after another click.
    int flags = 0;
    for (int i = 0; i < DisableItemCount; ++i) {
        DISABLEITEM& other = DisableItems[i];
        if (other.TargetDialog != entry.TargetDialog || other.TargetId != entry.TargetId)
            continue;
        ++count;
        other.Done = true;
        flags |= other.Condition;
        if (TestCondition(other))
            ++holding;
    }
    bool needsAll = (flags & DEPEND::ALL) != 0;
    bool on = holding > 0 && (holding == count || !needsAll);
    CONTROL target(entry.TargetDialog, entry.TargetId);
    bool controlParent = (GetWindowLongPtrA(target.hWnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
    bool hide = (flags & DEPEND::HIDE) != 0 || controlParent;
    if (hide)
        ShowTarget(entry.TargetDialog, entry.TargetId, on);
    else
        target.Enable(!on);
}

int DATADIALOGBASE::OnControl(int code, CONTROL& control, LPARAM)
{
    if (!IsNotifyingChange(code))
        return 0;
    HWND self = GetHwnd();
    int changed = control.Id;
    bool changedIsRadio = IsRadioButton(control);
    for (int i = 0; i < DisableItemCount; ++i)
        DisableItems[i].Done = false;
    ++EvalCount;
    for (int i = 0; i < DisableItemCount; ++i) {
        DISABLEITEM& entry = DisableItems[i];
        if (entry.Done)
            continue;
        bool noSource = entry.SourceId == 0;
        if (EvalCount > 1 && noSource)
            continue;
        bool fromChanged = entry.SourceDialog == self && entry.SourceId == changed;
        bool radioGroup =
            changedIsRadio && IsRadioButton(CONTROL(entry.SourceDialog, entry.SourceId));
        if (!fromChanged && !noSource && !radioGroup)
            continue;
        EvaluateTarget(entry);
    }
    return 0;
}

// ---- DATADIALOG ----

DATADIALOG::DATADIALOG(int templateId, HWND parent, HMODULE module)
    : DIALOG(templateId, parent, module)
{
}

DATADIALOG::DATADIALOG(int templateId, const WINDOW& parent, HMODULE module)
    : DIALOG(templateId, parent.hWnd, module)
{
}

DATADIALOG::~DATADIALOG()
{
    // The window goes first: its last messages may still reach the items' controls.
    if (AutoDestroy && DIALOG::hWnd) {
        LOGIT("WINDOW::~WINDOW auto-destroying %s %d\n", GetText().Text(), DIALOG::Id);
        Destroy();
    }
    AutoDestroy = false;
    DeleteItems();
}

int DATADIALOG::OnButton(int id)
{
    if (OnCommand(id))
        return 1;
    return DIALOG::OnButton(id);
}

int DATADIALOG::OnControl(int code, CONTROL& control, LPARAM data)
{
    int result = DATADIALOGBASE::OnControl(code, control, data);
    return result ? result : WINDOW::OnControl(code, control, data);
}

// ---- DATADIALOGBOX ----

DATADIALOGBOX::DATADIALOGBOX(int templateId, HWND parent, HMODULE module)
    : DATADIALOG(templateId, parent, module)
{
}

DATADIALOGBOX::DATADIALOGBOX(int templateId, const WINDOW& parent, HMODULE module)
    : DATADIALOG(templateId, parent, module)
{
}

DATADIALOGBOX::~DATADIALOGBOX()
{
    for (SUBDIALOG& slot : SubDialogs) {
        delete slot.Dialog;
        slot = SUBDIALOG{};
    }
    SubDialogCount = 0;
}

int DATADIALOGBOX::OnButton(int id)
{
    if (id == IDCANCEL) {
        Cancel();
        for (int i = 0; i < SubDialogCount && i < MAXSUBDIALOGS; ++i)
            if (SubDialogs[i].Dialog)
                SubDialogs[i].Dialog->Cancel();
    }
    return DATADIALOG::OnButton(id);
}

int DATADIALOGBOX::OnEndModal(int)
{
    GetAll();
    for (int i = 0; i < SubDialogCount && i < MAXSUBDIALOGS; ++i)
        if (SubDialogs[i].Dialog)
            SubDialogs[i].Dialog->GetAll();
    return 1;
}

int DATADIALOGBOX::RunModal(bool noShow)
{
    ReadBack = true;
    PutAll();
    for (int i = 0; i < SubDialogCount && i < MAXSUBDIALOGS; ++i)
        if (SubDialogs[i].Dialog)
            SubDialogs[i].Dialog->PutAll();
    return DIALOG::RunModal(noShow);
}

// ---- standard push callbacks ----

int BrowseIntoEntry(INT_PTR user, int value, HWND dialog, STRING* parameter)
{
    int target = value;
    if (target == 0 && user != 0)
        target = int(user);
    ENTRYFIELD edit(dialog, target);
    STRING initial = edit.GetText();
    STRING prompt(parameter && parameter->Buffer ? parameter->Buffer : "", 1252);
    STRING_SIZE_T bar = prompt.Pos("|");
    if (bar >= 0)
        prompt.SetLength(bar);
    STRING chosen = BrowseForFolder(dialog, prompt.Buffer, initial.Buffer);
    if (!chosen.IsEmpty())
        edit.SetText(chosen);
    return 0;
}

int OpenParameter(INT_PTR, int, HWND dialog, STRING* parameter)
{
    if (!parameter || parameter->IsEmpty())
        return 0;
    char directory[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof(directory), directory);
    ShellExecuteA(dialog, "open", parameter->Buffer, nullptr, directory, SW_SHOW);
    return 0;
}
