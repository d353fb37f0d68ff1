#include "ui/msgbox.h"

#include <gtest/gtest.h>

namespace {

// The host has no boxes: a question that nobody answers is declined.
TEST(MsgBoxHost, UnansweredQuestionIsNo)
{
    SetMsgBoxAnswer(nullptr, nullptr);
    EXPECT_FALSE(YesNoMsgBox(nullptr, "Overwrite?", "The file exists."));
    InfoMsgBox(nullptr, "Info", "shown nowhere");
    ErrorMsgBox(reinterpret_cast<void*>(0x1234), nullptr, "shown nowhere");
}

}  // namespace
