#include "hooks/setuphook.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(ProductHook, ChosenByProductVersion)
{
    struct CASE {
        const char* version;
        NEWSETUPHOOKPROC hook;
    } cases[] = {
        {"4.00", NewSetupHookVOK4}, {"4.79", NewSetupHookVOK4}, {"4.8", NewSetupHookVOK5},
        {"5.55", NewSetupHookVOK5}, {"5.6", NewSetupHookVOK6},  {"6.00", NewSetupHookVOK6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(ProductHookForVersion(atof(c.version)), c.hook);
    }
}

TEST(ProductHook, DefaultsAnswerOne)
{
    EXPECT_EQ(fpSetupHook, SetupHookDefault);
    EXPECT_EQ(fpNewSetupHook, NewSetupHookDummy);
    EXPECT_EQ(SetupHookDefault(256, "addprinter"), 1);
    EXPECT_EQ(NewSetupHookDummy(5, 3, 0, 0, 0, 0), 1);
}

}  // namespace
