#pragma once
// Questions, notices and errors for the user. Portable: code without windows asks questions too.
// owner is a window handle (HWND) or null; a null title shows the language module's text 10001.

#include "base/strings.h"

bool YesNoMsgBox(void* owner, const char* title, const char* text);
void InfoMsgBox(void* owner, const char* title, const char* text);
void ErrorMsgBox(void* owner, const char* title, const char* text);

// What a box is asked to show, for whoever answers in place of the system.
struct MSGBOXQUESTION {
    void* owner;        // the top-level owner, or null
    const char* title;  // the caption as shown
    const char* text;   // the laid-out text
    unsigned flags;     // MB_* style flags
};
// Returns the button id (IDYES 6, IDNO 7, IDOK 1). While one is set it answers every box;
// without one the system shows the box, and a host without boxes answers No (or OK).
using MSGBOXANSWER = int (*)(const MSGBOXQUESTION& question, void* context);
void SetMsgBoxAnswer(MSGBOXANSWER answer, void* context);

namespace MSGBOX {
constexpr unsigned QUESTIONBOX = 0x10024;  // MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND
constexpr unsigned INFOBOX = 0x10040;   // MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND
constexpr unsigned ERRORBOX = 0x10010;  // MB_OK | MB_ICONERROR | MB_SETFOREGROUND
constexpr int ANSWER_OK = 1;
constexpr int ANSWER_YES = 6;
constexpr int ANSWER_NO = 7;

// The platform's part: the top-level ancestor of an owner, and the box itself.
void* TopLevelOwner(void* owner);
int ShowSystemBox(const MSGBOXQUESTION& question);
}  // namespace MSGBOX
