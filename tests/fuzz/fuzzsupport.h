#pragma once
// Shared set-up of the fuzz targets: assertion reports go nowhere, and "assert.log" cannot be
// written (a folder of that name stands in its place), so a run does not fill the disk.

#include <sys/stat.h>

#include <cstdlib>

#include "frame/ombix.h"

inline void IgnoreAssertion(const ASSERTREPORT&, void*) {}

inline void FuzzSetUp()
{
    mkdir("assert.log", 0700);
    SetAssertObserver(IgnoreAssertion, nullptr);
}

// A broken property is a crash the fuzzer reports with its input.
inline void FuzzCheck(bool property)
{
    if (!property)
        abort();
}
