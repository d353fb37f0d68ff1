#pragma once
// Data items: each binds one control of a data dialog to a STRING variable that belongs to the
// caller and outlives the dialog. Numbers are kept in the variables as decimal text.

#include "base/stringarray.h"
#include "base/strings.h"
#include "ui/wincontrols.h"

class DATAITEM {
public:
    int Id = 0;
    STRING* pVariable = nullptr;

    DATAITEM(int id, STRING* variable) : Id(id), pVariable(variable) {}
    DATAITEM(const DATAITEM&) = delete;
    DATAITEM& operator=(const DATAITEM&) = delete;

    // The variable into the control.
    virtual void Put(HWND dialog) = 0;
    // The control back into the variable; only after a Put.
    virtual void Get(HWND dialog) = 0;
    virtual ~DATAITEM() = default;
};

class ENTRYITEM : public DATAITEM {
public:
    int MaxLength;
    ENTRYFIELD* pEntry = nullptr;

    ENTRYITEM(int id, STRING* variable, int maxLength);
    ~ENTRYITEM() override;
    void Put(HWND dialog) override;
    void Get(HWND dialog) override;
};

// One button of a radio group (or a lone check box): checked when the variable holds Value.
class RADIOITEM : public DATAITEM {
public:
    int Value;
    RADIOBUTTON* pRadio = nullptr;

    RADIOITEM(int id, STRING* variable, int value);
    ~RADIOITEM() override;
    void Put(HWND dialog) override;
    // Writes Value only when the button is checked.
    void Get(HWND dialog) override;
};

// A list box, a drop-down list or a drop-down combo box; the variable holds the selected index.
class LISTITEM : public DATAITEM {
public:
    LISTCONTROL* pList = nullptr;
    const STRINGARRAY* pEntries; // not owned; null keeps the control's own entries

    LISTITEM(int id, STRING* variable, const STRINGARRAY* entries);
    ~LISTITEM() override;
    void Put(HWND dialog) override;
    void Get(HWND dialog) override;

private:
    bool MakeList(HWND dialog);
};

// (user value, int value, dialog window, the item's parameter); the result is not used.
using PUSHCALLBACK = int (*)(INT_PTR user, int value, HWND dialog, STRING* parameter);

// A push button that runs a callback; the variable travels in the parameter while the dialog
// is open.
class PUSHITEM : public DATAITEM {
public:
    static constexpr uint32_t MAGIC = 0x50555348;

    PUSHCALLBACK Callback;
    INT_PTR UserValue;
    int IntValue;
    HWND DialogWindow = nullptr;
    STRING Parameter;
    uint32_t Magic = MAGIC;

    PUSHITEM(int id, STRING* parameter, PUSHCALLBACK callback, INT_PTR user = 0, int value = 0);
    void Put(HWND dialog) override;
    void Get(HWND dialog) override;
    void Run();
};
