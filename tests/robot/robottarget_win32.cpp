// A small program with one dialog, for the robot to drive from outside.

#include "frame/ombix_win32.h"
#include "ui/msgbox.h"
#include "ui/wincontrols.h"

namespace {

constexpr int IDD_TARGET = 100;
constexpr int ID_INPUT = 101;
constexpr int ID_CONVERT = 102;
constexpr int ID_RESULT = 103;
constexpr int ID_PLUS = 104;
constexpr int ID_COLOUR = 105;
constexpr int ID_ASK = 106;

void Convert(HWND dialog)
{
    STRING text = ENTRYFIELD(dialog, ID_INPUT).GetText();
    text.ToUpper();
    if (CHECKBOX(dialog, ID_PLUS).GetCheck() == BST_CHECKED)
        text += " +";
    text += " ";
    text += DROPDOWNLIST(dialog, ID_COLOUR).GetItemText(-1);
    CONTROL(dialog, ID_RESULT).SetText(text);
}

INT_PTR CALLBACK TargetProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        DROPDOWNLIST colours(dialog, ID_COLOUR);
        for (const char* colour : {"red", "green", "blue"})
            colours.AddString(colour);
        SendMessageA(colours.hWnd, CB_SETCURSEL, 0, 0);
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case ID_CONVERT:
        Convert(dialog);
        return TRUE;
    case ID_ASK:
        CONTROL(dialog, ID_RESULT).SetText(YesNoMsgBox(dialog, nullptr, "Proceed?") ? "yes" : "no");
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    gInstance = instance;
    gLanguageModule = instance;
    return int(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_TARGET), nullptr, TargetProcedure, 0));
}
