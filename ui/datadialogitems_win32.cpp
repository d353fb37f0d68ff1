#include "ui/datadialogitems.h"

namespace {

constexpr const char* SOURCE = "datadialogitems";

int NumberIn(const STRING* variable)
{
    return variable ? variable->AsInt() : 0;
}

int ItemCount(const LISTCONTROL& list)
{
    LRESULT count = SendMessageA(list.hWnd, list.IsListBox ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : int(count);
}

} // namespace

// ---- ENTRYITEM ----

ENTRYITEM::ENTRYITEM(int id, STRING* variable, int maxLength)
    : DATAITEM(id, variable), MaxLength(maxLength)
{
}

ENTRYITEM::~ENTRYITEM()
{
    delete pEntry;
}

void ENTRYITEM::Put(HWND dialog)
{
    delete pEntry;
    pEntry = new ENTRYFIELD(dialog, Id);
    ASSERTF(pEntry->IsValid(), "this->pEntry->IsValid()", SOURCE, __LINE__, "%d", Id);
    if (GetWindowLongPtrA(pEntry->hWnd, GWL_STYLE) & ES_MULTILINE)
        pEntry->AddStyle(ES_AUTOHSCROLL);
    pEntry->LimitText(MaxLength);
    pEntry->SetText(pVariable ? *pVariable : STRING(""));
    // The dependencies are evaluated as for a change by the user.
    SendMessageA(GetParent(pEntry->hWnd), WM_COMMAND, MAKEWPARAM(Id, EN_CHANGE),
                 reinterpret_cast<LPARAM>(pEntry->hWnd));
    pEntry->SelectText(0, -1);
}

void ENTRYITEM::Get(HWND)
{
    if (pEntry && pVariable)
        *pVariable = pEntry->GetText();
}

// ---- RADIOITEM ----

RADIOITEM::RADIOITEM(int id, STRING* variable, int value) : DATAITEM(id, variable), Value(value) {}

RADIOITEM::~RADIOITEM()
{
    delete pRadio;
}

void RADIOITEM::Put(HWND dialog)
{
    delete pRadio;
    pRadio = new RADIOBUTTON(dialog, Id);
    ASSERTF(pRadio->IsValid(), "this->pRadio->IsValid()", SOURCE, __LINE__, "%d", Id);
    pRadio->SetCheck(NumberIn(pVariable) == Value ? BST_CHECKED : BST_UNCHECKED);
}

void RADIOITEM::Get(HWND)
{
    if (pRadio && pVariable && pRadio->GetCheck())
        *pVariable = STRING(Value);
}

// ---- LISTITEM ----

LISTITEM::LISTITEM(int id, STRING* variable, const STRINGARRAY* entries)
    : DATAITEM(id, variable), pEntries(entries)
{
}

LISTITEM::~LISTITEM()
{
    delete pList;
}

bool LISTITEM::MakeList(HWND dialog)
{
    delete pList;
    pList = nullptr;
    CONTROL control(dialog, Id);
    if (control.IsPlaceholderFrame())
        pList = new LISTBOX(dialog, Id, 0, Id);
    else if (control.IsClass("ListBox"))
        pList = new LISTBOX(dialog, Id);
    else if (control.IsDropdownList())
        pList = new DROPDOWNLIST(dialog, Id);
    else if (control.IsDropdownCombo())
        pList = new DROPDOWNCOMBO(dialog, Id);
    bool valid = pList && pList->IsValid();
    ASSERTF(valid, "this->pList->IsValid()", SOURCE, __LINE__, "%d", Id);
    return pList != nullptr;
}

void LISTITEM::Put(HWND dialog)
{
    if (!MakeList(dialog))
        return;
    if (pEntries) {
        pList->ResetContent();
        for (int i = 0; i < pEntries->Count(); ++i)
            pList->AddString((*pEntries)[i].Buffer ? (*pEntries)[i].Buffer : "");
    }
    // An index outside the entries leaves no selection; selecting -1 in a list of several
    // selections would select every entry instead.
    int index = NumberIn(pVariable);
    bool inRange = index >= 0 && index < ItemCount(*pList);
    pList->Select(inRange ? index : -1, inRange);
}

void LISTITEM::Get(HWND)
{
    if (pList && pVariable)
        *pVariable = STRING(pList->GetSelection(0));
}

// ---- PUSHITEM ----

PUSHITEM::PUSHITEM(int id, STRING* parameter, PUSHCALLBACK callback, INT_PTR user, int value)
    : DATAITEM(id, parameter), Callback(callback), UserValue(user), IntValue(value)
{
}

void PUSHITEM::Put(HWND dialog)
{
    DialogWindow = dialog;
    if (pVariable)
        Parameter = *pVariable;
}

void PUSHITEM::Get(HWND)
{
    if (pVariable)
        *pVariable = Parameter;
}

void PUSHITEM::Run()
{
    if (!ASSERT(Magic == MAGIC, "this->Magic==0x50555348", SOURCE, __LINE__) || !Callback)
        return;
    Callback(UserValue, IntValue, DialogWindow, &Parameter);
}
