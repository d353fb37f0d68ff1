#include "base/osys.h"

#include <errno.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <new>

#include "frame/ombix.h"
#include "frame/platform.h"

namespace {

constexpr const char* SOURCE = "osys_posix";

pthread_mutex_t* Mutex(void* handle) { return static_cast<pthread_mutex_t*>(handle); }

timespec Deadline(int milliseconds)
{
    timespec until;
    clock_gettime(CLOCK_REALTIME, &until);
    until.tv_sec += milliseconds / 1000;
    until.tv_nsec += long(milliseconds % 1000) * 1000000;
    if (until.tv_nsec >= 1000000000) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000;
    }
    return until;
}

struct EVENT {
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
    pthread_cond_t cond = PTHREAD_COND_INITIALIZER;
    bool set = false;
};

EVENT* Event(void* handle) { return static_cast<EVENT*>(handle); }

struct THREAD {
    pthread_t id;
    THREADFUNCTION function;
    void* argument;
};

void* ThreadBody(void* p)
{
    THREAD* t = static_cast<THREAD*>(p);
    t->function(t->argument);
    return nullptr;
}

void LastErrorText(char* buffer, int size)
{
    PLATFORM::ErrorText(PLATFORM::LastError(), buffer, size);
}

}  // namespace

void OSYS::Sleep(unsigned milliseconds) { usleep(useconds_t(milliseconds) * 1000); }

// Names are ignored here: the host has no program that shares a mutex with another.
MUTEXSEM::MUTEXSEM(bool initiallyOwned, const char* name)
{
    auto* m = new pthread_mutex_t;
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(m, &attr);
    pthread_mutexattr_destroy(&attr);
    hmux = m;
    LOGITLEVEL(11, "MUTEXSEM::MUTEXSEM created %p, name= %s\n", hmux, name ? name : "<NULL>");
    if (initiallyOwned)
        pthread_mutex_lock(m);
}

MUTEXSEM::~MUTEXSEM()
{
    LOGITLEVEL(11, "MUTEXSEM::MUTEXSEM delete %p\n", hmux);
    ASSERT(pthread_mutex_destroy(Mutex(hmux)) == 0, "ok", SOURCE, __LINE__);
    delete Mutex(hmux);
}

bool MUTEXSEM::Obtain(int milliseconds)
{
    int rc;
    if (milliseconds < 0) {
        rc = pthread_mutex_lock(Mutex(hmux));
    } else {
        timespec until = Deadline(milliseconds);
        rc = pthread_mutex_timedlock(Mutex(hmux), &until);
    }
    LOGITLEVEL(11, "MUTEXSEM::Obtain %p rc= %d\n", hmux, rc);
    ASSERT(rc == 0 || rc == ETIMEDOUT, "rc!=WAIT_FAILED", SOURCE, __LINE__);
    return rc == 0;
}

bool MUTEXSEM::Release()
{
    int rc = pthread_mutex_unlock(Mutex(hmux));
    LOGITLEVEL(11, "MUTEXSEM::Release %p rc= %d\n", hmux, rc);
    ASSERTF(rc == 0, "ok", SOURCE, __LINE__, "handle= %p", hmux);
    return rc == 0;
}

EVENTSEM::EVENTSEM(bool initiallySet)
{
    EVENT* e = new (std::nothrow) EVENT;
    if (e)
        e->set = initiallySet;
    hev = e;
    LOGITLEVEL(7, "EVENTSEM::EVENTSEM created %p\n", hev);
    ASSERT(hev != nullptr, "this->hev", SOURCE, __LINE__);
}

EVENTSEM::~EVENTSEM()
{
    bool ok = hev != nullptr;
    LOGITLEVEL(12, "EVENTSEM::~EVENTSEM deleted %p, ok= %d\n", hev, int(ok));
    ASSERT(ok, "ok", SOURCE, __LINE__);
    delete Event(hev);
}

bool EVENTSEM::Set()
{
    LOGITLEVEL(12, "EVENTSEM::Set %p\n", hev);
    if (!ASSERTF(hev != nullptr, "ok", SOURCE, __LINE__, "handle= %p", hev) || !hev)
        return false;
    EVENT* e = Event(hev);
    pthread_mutex_lock(&e->mutex);
    e->set = true;
    pthread_cond_broadcast(&e->cond);
    pthread_mutex_unlock(&e->mutex);
    return true;
}

bool EVENTSEM::Reset()
{
    LOGITLEVEL(12, "EVENTSEM::Reset %p\n", hev);
    if (!ASSERTF(hev != nullptr, "ok", SOURCE, __LINE__, "handle= %p", hev) || !hev)
        return false;
    EVENT* e = Event(hev);
    pthread_mutex_lock(&e->mutex);
    e->set = false;
    pthread_mutex_unlock(&e->mutex);
    return true;
}

bool EVENTSEM::Wait(int milliseconds)
{
    if (!ASSERT(hev != nullptr, "rc!=WAIT_FAILED", SOURCE, __LINE__) || !hev)
        return false;
    EVENT* e = Event(hev);
    timespec until = Deadline(milliseconds < 0 ? 0 : milliseconds);
    int rc = 0;
    pthread_mutex_lock(&e->mutex);
    while (!e->set && rc == 0)
        rc = milliseconds < 0 ? pthread_cond_wait(&e->cond, &e->mutex)
                              : pthread_cond_timedwait(&e->cond, &e->mutex, &until);
    bool set = e->set;
    pthread_mutex_unlock(&e->mutex);
    LOGITLEVEL(12, "EVENTSEM::Wait %p rc=%d\n", hev, set ? 0 : 258);
    ASSERT(rc == 0 || rc == ETIMEDOUT, "rc!=WAIT_FAILED", SOURCE, __LINE__);
    return set;
}

// The host's threads keep the default stack: the sanitizers need far more than 32 KiB.
void* OSYS::CreateThread(THREADFUNCTION function, void* argument)
{
    THREAD* t = new (std::nothrow) THREAD{pthread_t(), function, argument};
    if (t && pthread_create(&t->id, nullptr, ThreadBody, t) != 0) {
        delete t;
        t = nullptr;
    }
    LOGIT("OSYS::CreateThread returned hthread= %p, tid= %04x\n", static_cast<void*>(t),
          t ? unsigned(t->id & 0xFFFF) : 0u);
    return t;
}

bool OSYS::WaitThread(void* hthread, int timeoutMs)
{
    if (!ASSERT(hthread != nullptr, "hthread!=NULL", SOURCE, __LINE__) || !hthread)
        return false;
    THREAD* t = static_cast<THREAD*>(hthread);
    if (timeoutMs != 0)
        LOGIT("OSYS::WaitThread hthread=%p, timeout=%d\n", hthread, timeoutMs);
    int rc;
    if (timeoutMs < 0) {
        rc = pthread_join(t->id, nullptr);
    } else if (timeoutMs == 0) {
        rc = pthread_tryjoin_np(t->id, nullptr);
    } else {
        timespec until = Deadline(timeoutMs);
        rc = pthread_timedjoin_np(t->id, nullptr, &until);
    }
    if (rc != 0) {
        if (timeoutMs != 0) {
            char error[256];
            PLATFORM::SetLastError(rc);
            LastErrorText(error, sizeof(error));
            LOGIT("OSYS::WaitThread hthread=%p timeout=%d failed %s\n", hthread, timeoutMs, error);
        }
        return false;
    }
    delete t;
    return true;
}

bool OSYS::CommitStream(FILE* f)
{
    if (!f || fflush(f) != 0)
        return false;
    return fsync(fileno(f)) == 0;
}

// The host does not change priorities (an ordinary user may not raise them); the object
// only keeps the bookkeeping and the log lines.
void* RAISETHREADPRIORITY::CurrentThread() { return nullptr; }
int RAISETHREADPRIORITY::CurrentPriority(void*) { return 0; }

bool RAISETHREADPRIORITY::SetPriority(int priority)
{
    LOGITLEVEL(1, "RAISETHREADPRIORITY::SetPriority called, prio= %d\n", priority);
    return true;
}
