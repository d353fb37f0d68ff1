#include "base/osys.h"

#include "frame/platform.h"

namespace {
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
