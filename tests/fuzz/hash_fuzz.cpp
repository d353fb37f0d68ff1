// The key/value text parser on arbitrary text, then lookups of every key it produced.
#include <cstddef>
#include <cstdint>

#include "base/hash.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    STRING text(reinterpret_cast<const char*>(data), STRING_SIZE_T(size), 0);
    HASH h(text);
    for (int i = 1; i < h.Count(); ++i)
        FuzzCheck(ombix_stricmp(h.Keys.Get(i - 1)->Text(), h.Keys.Get(i)->Text()) <= 0);
    STRINGARRAY keys = h.GetKeys();
    for (int i = 0; i < keys.Count(); ++i) {
        int at = h.FindKey(keys[i].Text());
        FuzzCheck(at != -1 && at <= i);
    }
    return 0;
}
