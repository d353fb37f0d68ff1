#include "ui/msgbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/langmodule.h"
#include "tests/support/testsupport.h"

namespace {

// Answers every box in place of the user and keeps what it was asked.
class MsgBoxTest : public testing::Test {
protected:
    struct ASKED {
        void* owner;
        std::string title, text;
        unsigned flags;
    };

    void SetUp() override { SetMsgBoxAnswer(&MsgBoxTest::Answer, this); }
    void TearDown() override
    {
        SetMsgBoxAnswer(nullptr, nullptr);
        OMBIXAPP::LogOption("/LOGITCLOSE");
    }

    static int Answer(const MSGBOXQUESTION& question, void* context)
    {
        auto* self = static_cast<MsgBoxTest*>(context);
        self->asked.push_back({question.owner, question.title, question.text, question.flags});
        return self->answer;
    }

    std::vector<ASKED> asked;
    int answer = MSGBOX::ANSWER_YES;
};

TEST_F(MsgBoxTest, YesNoIsTrueOnlyForYes)
{
    const struct {
        int answer;
        bool result;
    } cases[] = {{6, true}, {7, false}, {0, false}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        answer = c.answer;
        EXPECT_EQ(YesNoMsgBox(nullptr, "Title", "Question?"), c.result);
    }
}

TEST_F(MsgBoxTest, FlagsTitleAndLaidOutText)
{
    YesNoMsgBox(nullptr, "Ask", "one\r\ntwo");
    InfoMsgBox(nullptr, "Note", "a\r\n\r\nb");
    ErrorMsgBox(nullptr, nullptr, "broken");
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].flags, 0x10024u);
    EXPECT_EQ(asked[0].title, "Ask");
    EXPECT_EQ(asked[0].text, "one two");
    EXPECT_EQ(asked[1].flags, 0x10040u);
    EXPECT_EQ(asked[1].text, "a\r\rb");
    EXPECT_EQ(asked[2].flags, 0x10010u);
    EXPECT_EQ(asked[2].title, OSYS::GetStringFromResource(10001).Text())
        << "a null title is text 10001 of the language module";
    EXPECT_EQ(asked[2].owner, nullptr);
}

TEST_F(MsgBoxTest, EveryBoxIsLogged)
{
    SCRATCHDIR dir;
    ASSERT_TRUE(OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str()));
    YesNoMsgBox(nullptr, "T1", "Q1");
    InfoMsgBox(nullptr, "T2", "I2");
    ErrorMsgBox(nullptr, nullptr, "E3");
    OMBIXAPP::LogOption("/LOGITCLOSE");
    std::string log = dir.Read("log.txt");
    EXPECT_NE(log.find("WINOMBIX::YesNoMsgBox title=T1 text=Q1"), std::string::npos) << log;
    EXPECT_NE(log.find("WINOMBIX::InfoMsgBox title=T2 text=I2"), std::string::npos) << log;
    EXPECT_NE(log.find("WINOMBIX::ErrorMsgBox title=<NULL> text=E3"), std::string::npos)
        << log;
}

}  // namespace
