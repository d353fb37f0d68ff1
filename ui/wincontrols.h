#pragma once
// Typed wrappers of the standard controls, and the shell's folder picker.

#include "ui/windows.h"

class CHECKBOX : public CONTROL {
public:
    CHECKBOX(HWND parent, int id) : CONTROL(parent, id) {}
};

class RADIOBUTTON : public CONTROL {
public:
    RADIOBUTTON(HWND parent, int id) : CONTROL(parent, id) {}
};

class ENTRYFIELD : public CONTROL {
public:
    ENTRYFIELD(HWND parent, int id) : CONTROL(parent, id) {}
    void LimitText(int n);
    // (0, -1) selects everything.
    void SelectText(int from, int to);
};

class PROGRESSBAR : public CONTROL {
public:
    PROGRESSBAR(HWND parent, int id) : CONTROL(parent, id) {}
    // Creates the bar, with the range 0 to 100.
    PROGRESSBAR(HWND parent, int id, int x, int y, int width, int height);
    void SetRange(int maximum);
    void SetPos(int position);
};

// A list box or a combo box: every operation sends the message of the kind it wraps.
class LISTCONTROL : public CONTROL {
public:
    bool IsListBox = false;

    LISTCONTROL(HWND parent, int id);
    void ResetContent();
    int AddStringW(const wchar_t* text);
    int AddString(const char* text);
    // The n-th selected item, -1 for none.
    int GetSelection(int n = 0) const;
    // Selects or clears, then tells the parent as a user's selection would.
    void Select(int index, bool on = true);
    // Index -1: the current selection. Empty for a missing item or selection.
    STRING GetItemText(int index) const;

protected:
    LISTCONTROL(HWND parent, int id, DWORD extraStyle, int placeholderId);

private:
    bool IsMultipleSelection() const;
    void NotifySelectionChange();
};

class LISTBOX : public LISTCONTROL {
public:
    LISTBOX(HWND parent, int id) : LISTCONTROL(parent, id) {}
    // Creates a list box in the placeholder's place, rectangle and tab position, and owns it.
    LISTBOX(HWND parent, int id, DWORD extraStyle, int placeholderId)
        : LISTCONTROL(parent, id, extraStyle, placeholderId)
    {
    }
};

class DROPDOWNLIST : public LISTCONTROL {
public:
    DROPDOWNLIST(HWND parent, int id);
};

class DROPDOWNCOMBO : public LISTCONTROL {
public:
    DROPDOWNCOMBO(HWND parent, int id);
};

// The chosen folder without a trailing backslash ("D:" for a drive root); empty on cancel.
STRING BrowseForFolder(HWND owner, const char* prompt, const char* initialFolder);
