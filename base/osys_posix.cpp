#include "base/osys.h"

#include <errno.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include "frame/ombix.h"

namespace {

constexpr const char* SOURCE = "osys_posix";

pthread_mutex_t* Mutex(void* handle) { return static_cast<pthread_mutex_t*>(handle); }

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
        timespec until;
        clock_gettime(CLOCK_REALTIME, &until);
        until.tv_sec += milliseconds / 1000;
        until.tv_nsec += long(milliseconds % 1000) * 1000000;
        if (until.tv_nsec >= 1000000000) {
            until.tv_sec += 1;
            until.tv_nsec -= 1000000000;
        }
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
