#include "ui/msgbox.h"

#include "frame/win32api.h"

namespace MSGBOX {

void* TopLevelOwner(void* owner)
{
    HWND window = static_cast<HWND>(owner);
    while (window && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD))
        window = GetParent(window);
    return window;
}

int ShowSystemBox(const MSGBOXQUESTION& question)
{
    return MessageBoxA(static_cast<HWND>(question.owner), question.text, question.title,
                       question.flags);
}

}  // namespace MSGBOX
