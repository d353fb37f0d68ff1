#include "base/osys.h"

#include "frame/win32api.h"

#include "frame/ombix.h"

namespace {
constexpr const char* SOURCE = "osys_win32";
}

void OSYS::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

MUTEXSEM::MUTEXSEM(bool initiallyOwned, const char* name)
{
    hmux = CreateMutexA(nullptr, initiallyOwned, name);
    LOGITLEVEL(11, "MUTEXSEM::MUTEXSEM created %p, name= %s\n", hmux, name ? name : "<NULL>");
    ASSERT(hmux != nullptr, "this->hmux", SOURCE, __LINE__, name);
}

MUTEXSEM::~MUTEXSEM()
{
    LOGITLEVEL(11, "MUTEXSEM::MUTEXSEM delete %p\n", hmux);
    if (hmux)
        ASSERT(CloseHandle(hmux) != FALSE, "ok", SOURCE, __LINE__);
}

bool MUTEXSEM::Obtain(int milliseconds)
{
    DWORD rc = WaitForSingleObject(hmux, milliseconds < 0 ? INFINITE : DWORD(milliseconds));
    LOGITLEVEL(11, "MUTEXSEM::Obtain %p rc= %d\n", hmux, int(rc));
    ASSERT(rc != WAIT_FAILED, "rc!=WAIT_FAILED", SOURCE, __LINE__);
    return rc == WAIT_OBJECT_0;
}

bool MUTEXSEM::Release()
{
    BOOL ok = ReleaseMutex(hmux);
    LOGITLEVEL(11, "MUTEXSEM::Release %p rc= %d\n", hmux, int(ok));
    ASSERTF(ok != FALSE, "ok", SOURCE, __LINE__, "handle= %p", hmux);
    return ok != FALSE;
}
