#pragma once
// Dialogs from templates of the language module, and data dialogs whose controls are bound to
// STRING variables through data items, with dependency entries that enable, disable, show or
// hide controls by the state of others.

#include "base/strings.h"
#include "ui/windows.h"

class DATAITEM;

// A dialog made from a template; it owns its window. A modal run pumps the thread's messages
// until WMU_ENDMODAL arrives for the dialog.
class DIALOG : public WINDOW {
public:
    // Template id 0 makes no window; a null module means gLanguageModule.
    DIALOG(int templateId, HWND parent, HMODULE module = nullptr);
    ~DIALOG() override;
    DIALOG(const DIALOG&) = delete;
    DIALOG& operator=(const DIALOG&) = delete;

    // Ends the modal run with the button id; IDCANCEL ends it with 0.
    int OnButton(int id) override;
    int OnClose() override;

    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    // True when the message is taken before the dialog manager sees it.
    virtual bool PreTranslate(MSG* message);
    virtual bool IsDialogMessage(HWND dialog, MSG* message);
    virtual int OnEndModal(int result);
    virtual int RunModal(bool noShow = false);
    virtual int MessageLoop();
    virtual void EndModal(int result);

    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

private:
    INT_PTR InitDialog(LPARAM lParam);
};

// Condition of a dependency entry: a kind in the low 12 bits and two flags.
namespace DEPEND {
constexpr int CHECKED = 0;   // check box checked; edit text not empty
constexpr int UNCHECKED = 1; // check box not checked; edit text empty
constexpr int EQUAL = 2;     // list's selected text or edit text equals the entry's text
constexpr int DIFFERENT = 3;
constexpr int INDEX = 5; // list's selected index equals the entry's text as number
constexpr int NOTINDEX = 6;
constexpr int EXISTS = 7; // edit text names an existing file or folder
constexpr int NOTEXISTS = 8;
constexpr int FOLDER = 9; // edit text names an existing folder
constexpr int NOTFOLDER = 10;
constexpr int ALWAYS = 11;
constexpr int NEVER = 12;
constexpr int KINDMASK = 0xFFF;
constexpr int HIDE = 0x10000; // hide the target instead of disabling it
constexpr int ALL = 0x40000;  // every entry of the target must hold, not any
// An edit field's label has the edit's id plus this.
constexpr int LABELOFFSET = 55000;
} // namespace DEPEND

struct DISABLEITEM {
    HWND TargetDialog = nullptr;
    int TargetId = 0;
    HWND SourceDialog = nullptr;
    int SourceId = 0;
    int Condition = 0;
    STRING Text;
    bool Done = false;
};

// The item table and the dependency entries of a data dialog.
class DATADIALOGBASE {
public:
    static constexpr int MAXITEMS = 64;
    static constexpr int MAXDISABLEITEMS = 64;

    DATAITEM* Items[MAXITEMS] = {};
    int Howmany = 0;
    int Max = MAXITEMS;
    int EvalCount = 0;
    DISABLEITEM DisableItems[MAXDISABLEITEMS];
    int DisableItemCount = 0;
    bool ReadBack = true;

    DATADIALOGBASE() = default;
    DATADIALOGBASE(const DATADIALOGBASE&) = delete;
    DATADIALOGBASE& operator=(const DATADIALOGBASE&) = delete;

    virtual HWND GetHwnd() = 0;
    // The dependency evaluation; always 0.
    virtual int OnControl(int code, CONTROL& control, LPARAM data);
    // Runs the push item with this id; false when there is none.
    virtual bool OnCommand(int idc);
    virtual ~DATADIALOGBASE();
    virtual void PutAll();
    // Only while ReadBack is set.
    virtual void GetAll();
    virtual void Cancel();

    // The dialog owns the item from here on; -1 when the table is full (the item is deleted).
    int AddItem(DATAITEM* item);
    // A null dialog stands for this dialog's own window.
    int AddDisableItem(HWND targetDialog, int targetId, HWND sourceDialog, int sourceId,
                       int condition, const char* text = nullptr);

protected:
    void DeleteItems();

private:
    bool TestCondition(const DISABLEITEM& entry) const;
    void EvaluateTarget(DISABLEITEM& entry);
};

class DATADIALOG : public DATADIALOGBASE, public DIALOG {
public:
    DATADIALOG(int templateId, HWND parent, HMODULE module = nullptr);
    DATADIALOG(int templateId, const WINDOW& parent, HMODULE module = nullptr);
    ~DATADIALOG() override;

    HWND GetHwnd() override { return DIALOG::hWnd; }
    // A push item's button runs its callback; other buttons end a modal run.
    int OnButton(int id) override;
    // The dependency evaluation, then the window's default.
    int OnControl(int code, CONTROL& control, LPARAM data) override;
};

// A data dialog run modally: the items are put when the run starts and read back when it
// ends, unless it was cancelled. Sub-dialogs take part in put, read-back and cancel.
class DATADIALOGBOX : public DATADIALOG {
public:
    static constexpr int MAXSUBDIALOGS = 16;
    struct SUBDIALOG {
        DATADIALOG* Dialog = nullptr; // owned
        int Key = -1;
    };

    int SubDialogCount = 0;
    int SubDialogMax = MAXSUBDIALOGS;
    SUBDIALOG SubDialogs[MAXSUBDIALOGS];

    DATADIALOGBOX(int templateId, HWND parent, HMODULE module = nullptr);
    DATADIALOGBOX(int templateId, const WINDOW& parent, HMODULE module = nullptr);
    ~DATADIALOGBOX() override;

    int OnButton(int id) override;
    int OnEndModal(int result) override;
    int RunModal(bool noShow = false) override;
};

// Standard push-item callbacks.
// Lets the user pick a folder for the edit field whose id is the int value (or the user value
// when that is 0); the parameter's part before "|" is the prompt.
int BrowseIntoEntry(INT_PTR user, int value, HWND dialog, STRING* parameter);
// Opens the parameter text with the shell.
int OpenParameter(INT_PTR user, int value, HWND dialog, STRING* parameter);
