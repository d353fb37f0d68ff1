#pragma once
// Processes, threads and synchronisation objects.

#include <cstdint>

namespace OSYS {
void Sleep(unsigned milliseconds);
// Milliseconds since the clock's zero, taken on the first call and whenever reset is true.
int64_t Milliseconds(bool reset = false);
bool PerformanceCounter(int64_t* counter, int64_t* frequency);
}

// A recursive system mutex, named or unnamed.
class MUTEXSEM {
public:
    explicit MUTEXSEM(bool initiallyOwned = false, const char* name = nullptr);
    ~MUTEXSEM();
    MUTEXSEM(const MUTEXSEM&) = delete;
    MUTEXSEM& operator=(const MUTEXSEM&) = delete;
    // -1 waits for ever; an abandoned mutex counts as not obtained.
    bool Obtain(int milliseconds = -1);
    bool Release();

    void* hmux = nullptr;
};

// Holds a MUTEXSEM for a scope.
class MUTEXLOCK {
public:
    explicit MUTEXLOCK(MUTEXSEM* m) : mutex(m) { mutex->Obtain(); }
    ~MUTEXLOCK() { mutex->Release(); }
    MUTEXLOCK(const MUTEXLOCK&) = delete;
    MUTEXLOCK& operator=(const MUTEXLOCK&) = delete;

private:
    MUTEXSEM* mutex;
};
