// FromBase64 on arbitrary input, and the round trip of the input's bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

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
    STRING decoded = input.FromBase64();
    FuzzCheck(decoded.HasBuffer() && decoded.Length() <= STRING_SIZE_T(size));
    for (bool crlf : {false, true}) {
        STRING back = input.ToBase64(crlf).FromBase64();
        FuzzCheck(back.Length() == input.Length());
        FuzzCheck(size == 0 || memcmp(back.Buffer, data, size) == 0);
    }
    STRING hex = input.FromHex();
    FuzzCheck(hex.Length() == STRING_SIZE_T(size / 2));
    return 0;
}
