#include "hooks/setuphook.h"

#include "frame/ombix.h"

// The terminal product's hooks. So far they only report the events they receive; the product's
// pages, its first configuration and the migration of earlier versions build on this.
namespace {

void LogProductHookEvent(int event, int value, INT_PTR a6)
{
    LOGIT("SETUP::NewSetupHookVOK %d %d %p\n", event, value, reinterpret_cast<void*>(a6));
}

}  // namespace

int WINAPI NewSetupHookVOK4(int event, int value, INT_PTR, INT_PTR, INT_PTR, INT_PTR a6)
{
    LogProductHookEvent(event, value, a6);
    return 1;
}

int WINAPI NewSetupHookVOK5(int event, int value, INT_PTR, INT_PTR, INT_PTR, INT_PTR a6)
{
    LogProductHookEvent(event, value, a6);
    return 1;
}

int WINAPI NewSetupHookVOK6(int event, int value, INT_PTR, INT_PTR, INT_PTR, INT_PTR a6)
{
    LogProductHookEvent(event, value, a6);
    return 1;
}
