#include "base/osys.h"

#include "frame/ombix.h"
#include "frame/platform.h"

#include <new>

namespace {
constexpr const char* SOURCE = "osys_win32";
int64_t gClockZero = 0;
bool gClockStarted = false;
}

bool OSYS::PerformanceCounter(int64_t* counter, int64_t* frequency)
{
    return PLATFORM::PerformanceCounter(counter, frequency);
}

int64_t OSYS::Milliseconds(bool reset)
{
    int64_t counter = 0, frequency = 0;
    PLATFORM::PerformanceCounter(&counter, &frequency);
    if (reset || !gClockStarted) {
        gClockZero = counter;
        gClockStarted = true;
    }
    int64_t perMillisecond = frequency / 1000;
    return perMillisecond > 0 ? (counter - gClockZero) / perMillisecond : 0;
}

void OMBIXAPP::ThreadInit() { OMBIXAPP::SetCrashDumpLevel(0); }

CRITSECT::CRITSECT()
{
    pCritSect = new (std::nothrow) PLATFORM::LOCK;
    ASSERT(pCritSect != nullptr, "this->pCritSect", SOURCE, __LINE__);
}

CRITSECT::~CRITSECT() { delete static_cast<PLATFORM::LOCK*>(pCritSect); }

void CRITSECT::Enter()
{
    if (pCritSect)
        static_cast<PLATFORM::LOCK*>(pCritSect)->Enter();
}

void CRITSECT::Leave()
{
    if (pCritSect)
        static_cast<PLATFORM::LOCK*>(pCritSect)->Leave();
}

RAISETHREADPRIORITY::RAISETHREADPRIORITY(int priority, int previous)
{
    hthread = CurrentThread();
    LOGITLEVEL(1, "RAISETHREADPRIORITY::RAISETHREADPRIORITY prio= %d\n", priority);
    PrevPriority = previous == -1 ? CurrentPriority(hthread) : previous;
    RaiseOk = SetPriority(priority);
    LOGIT("RAISETHREADPRIORITY::RAISETHREADPRIORITY done, ok= %d, origclass= %d\n", int(RaiseOk),
          PrevPriority);
}

RAISETHREADPRIORITY::~RAISETHREADPRIORITY()
{
    LOGIT("RAISETHREADPRIORITY::~RAISETHREADPRIORITY (RaiseOk=%d)\n", int(RaiseOk));
    int rc = RaiseOk ? int(SetPriority(PrevPriority)) : 0;
    LOGIT("RAISETHREADPRIORITY::~RAISETHREADPRIORITY done (rc= %d)\n", rc);
}
