#include "ui/msgbox.h"

namespace MSGBOX {

void* TopLevelOwner(void* owner) { return owner; }

// No boxes on the host: a question nobody answers is declined.
int ShowSystemBox(const MSGBOXQUESTION& question)
{
    bool isQuestion = (question.flags & 0xF) == 0x4;
    LOGIT("WINOMBIX::ShowSystemBox no box on this system, answered %s\n",
          isQuestion ? "No" : "OK");
    return isQuestion ? ANSWER_NO : ANSWER_OK;
}

}  // namespace MSGBOX
