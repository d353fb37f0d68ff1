// Backslash-escape decoding in both modes on arbitrary input.
#include <cstddef>
#include <cstdint>

#include "base/strings.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    STRING input(reinterpret_cast<const char*>(data), STRING_SIZE_T(size), 0);
    STRING strict = input.Unescape(false);
    STRING lenient = input.Unescape(true);
    FuzzCheck(strict.Length() <= input.Length());
    FuzzCheck(lenient.Length() <= input.Length());
    FuzzCheck(strict.Length() <= lenient.Length());
    return 0;
}
