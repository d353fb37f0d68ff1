#include "ui/msgbox.h"

#include "frame/langmodule.h"
#include "ui/msgtext.h"

namespace {

constexpr int DEFAULTCAPTION = 10001;
constexpr int MESSAGECOLUMN = 55;

MSGBOXANSWER gAnswer = nullptr;
void* gAnswerContext = nullptr;

int AskBox(void* owner, const char* title, const char* text, unsigned flags)
{
    void* topLevel = owner ? MSGBOX::TopLevelOwner(owner) : nullptr;
    STRING laidOut = LayoutMessageText(STRING(NullGuard(text, "WINOMBIX::MsgBox"), 1252),
                                       MESSAGECOLUMN, false);
    STRING caption = title ? STRING(title) : OSYS::GetStringFromResource(DEFAULTCAPTION);
    MSGBOXQUESTION question{topLevel, caption.Buffer, laidOut.Buffer, flags};
    if (gAnswer)
        return gAnswer(question, gAnswerContext);
    return MSGBOX::ShowSystemBox(question);
}

const char* Printable(const char* text) { return text ? text : "<NULL>"; }

}  // namespace

void SetMsgBoxAnswer(MSGBOXANSWER answer, void* context)
{
    gAnswer = answer;
    gAnswerContext = context;
}

bool YesNoMsgBox(void* owner, const char* title, const char* text)
{
    LOGIT("WINOMBIX::YesNoMsgBox title=%s text=%s\n", Printable(title), Printable(text));
    return AskBox(owner, title, text, MSGBOX::QUESTIONBOX) == MSGBOX::ANSWER_YES;
}

void InfoMsgBox(void* owner, const char* title, const char* text)
{
    LOGIT("WINOMBIX::InfoMsgBox title=%s text=%s\n", Printable(title), Printable(text));
    AskBox(owner, title, text, MSGBOX::INFOBOX);
}

void ErrorMsgBox(void* owner, const char* title, const char* text)
{
    LOGIT("WINOMBIX::ErrorMsgBox title=%s text=%s\n", Printable(title), Printable(text));
    AskBox(owner, title, text, MSGBOX::ERRORBOX);
}
