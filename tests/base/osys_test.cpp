#include "base/osys.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "tests/support/testsupport.h"

namespace {

struct SHARED {
    EVENTSEM go;
    EVENTSEM started;
    MUTEXSEM* mutex = nullptr;
    std::atomic<int> obtained{-1};
};

unsigned WaitForGo(void* p)
{
    auto* s = static_cast<SHARED*>(p);
    OMBIXAPP::ThreadInit();
    s->started.Set();
    s->go.Wait(-1);
    return 0;
}

unsigned TryMutex(void* p)
{
    auto* s = static_cast<SHARED*>(p);
    s->obtained = s->mutex->Obtain(0) ? 1 : 0;
    if (s->obtained == 1)
        s->mutex->Release();
    return 0;
}

// 32 KiB is what the thread commits at the start; its stack must still grow beyond that.
unsigned DeepStack(void* p)
{
    volatile char big[256 * 1024];
    for (size_t i = 0; i < sizeof(big); i += 4096)
        big[i] = char(i);
    *static_cast<int*>(p) = big[8192];
    return 0;
}

TEST(Threads, ABodyMayUseMoreStackThanTheInitialSize)
{
    int result = -1;
    void* h = OSYS::CreateThread(DeepStack, &result);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(OSYS::WaitThread(h, 10000));
    EXPECT_EQ(result, 0);
}

TEST(EventSem, WaitTimesOutOnAResetEventAndSeesASetOne)
{
    EVENTSEM e;
    EXPECT_FALSE(e.Wait(0));
    EXPECT_FALSE(e.Wait(20));
    e.Set();
    EXPECT_TRUE(e.Wait(0));
    EXPECT_TRUE(e.Wait(0));  // manual reset: it stays set
    e.Reset();
    EXPECT_FALSE(e.Wait(0));
    EVENTSEM set(true);
    EXPECT_TRUE(set.Wait(0));
}

TEST(Threads, WaitThreadWithTimeoutZeroOnARunningThread)
{
    SHARED s;
    void* h = OSYS::CreateThread(WaitForGo, &s);
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(s.started.Wait(5000));
    SCRATCHDIR dir;
    ASSERT_TRUE(OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str()));
    EXPECT_FALSE(OSYS::WaitThread(h, 0));
    LOGIT("after the quiet wait\n");
    EXPECT_FALSE(OSYS::WaitThread(h, 30));
    OMBIXAPP::LogOption("/LOGITCLOSE");
    std::string log = dir.Read("log.txt");
    size_t quietEnd = log.find("after the quiet wait");
    ASSERT_NE(quietEnd, std::string::npos);
    EXPECT_EQ(log.substr(0, quietEnd).find("OSYS::WaitThread"), std::string::npos) << log;
    EXPECT_NE(log.find("OSYS::WaitThread hthread="), std::string::npos) << log;
    EXPECT_NE(log.find("timeout=30 failed "), std::string::npos) << log;
    s.go.Set();
    // The handle is still usable after the failed waits.
    EXPECT_TRUE(OSYS::WaitThread(h, -1));
}

TEST(Threads, WaitThreadOnNullIsReported)
{
    ASSERTCATCHER catcher;
    EXPECT_FALSE(OSYS::WaitThread(nullptr, 0));
    EXPECT_TRUE(catcher.Saw("hthread!=NULL"));
}

TEST(MutexSem, RecursiveOwnerMustReleaseAsOftenAsItObtained)
{
    MUTEXSEM m;
    SHARED s;
    s.mutex = &m;
    ASSERT_TRUE(m.Obtain());
    ASSERT_TRUE(m.Obtain(0));
    m.Release();
    OSYS::WaitThread(OSYS::CreateThread(TryMutex, &s), -1);
    EXPECT_EQ(s.obtained, 0);  // still held once
    m.Release();
    OSYS::WaitThread(OSYS::CreateThread(TryMutex, &s), -1);
    EXPECT_EQ(s.obtained, 1);
}

TEST(MutexSem, InitiallyOwned)
{
    MUTEXSEM m(true);
    SHARED s;
    s.mutex = &m;
    OSYS::WaitThread(OSYS::CreateThread(TryMutex, &s), -1);
    EXPECT_EQ(s.obtained, 0);
    m.Release();
}

TEST(CritSect, EnterIsRecursive)
{
    CRITSECT c;
    ASSERT_NE(c.pCritSect, nullptr);
    c.Enter();
    c.Enter();
    c.Leave();
    c.Leave();
}

TEST(Clock, MillisecondsAdvanceAndReset)
{
    OSYS::Milliseconds(true);
    OSYS::Sleep(30);
    int64_t later = OSYS::Milliseconds();
    EXPECT_GE(later, 25);
    EXPECT_LT(later, 5000);
    EXPECT_LT(OSYS::Milliseconds(true), 5);
    int64_t counter = 0, frequency = 0;
    EXPECT_TRUE(OSYS::PerformanceCounter(&counter, &frequency));
    EXPECT_GT(frequency, 0);
    EXPECT_TRUE(OSYS::PerformanceCounter(&counter));
}

TEST(RaiseThreadPriority, RestoresOnDestruction)
{
    RAISETHREADPRIORITY raise(1);
    EXPECT_TRUE(raise.RaiseOk);
}

}  // namespace
