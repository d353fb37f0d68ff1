// Every byte of every code page table against the host's iconv, the published mappings.
#include "base/unicode.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>

namespace {

// The character iconv gives for one byte, or -1 when it has none.
int IconvCharacter(const char* name, unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-16LE", name);
    if (cd == iconv_t(-1))
        return -2;
    char in[1] = {char(byte)};
    unsigned char out[8];
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inleft = 1, outleft = sizeof(out);
    size_t rc = iconv(cd, &inp, &inleft, &outp, &outleft);
    iconv_close(cd);
    if (rc == size_t(-1) || inleft != 0 || sizeof(out) - outleft != 2)
        return -1;
    return out[0] | (out[1] << 8);
}

TEST(UnicodeTables, EveryByteMatchesIconv)
{
    ASSERT_EQ(gUnicodeTableCount, 25);
    for (int t = 0; t < gUnicodeTableCount; ++t) {
        const UNICODETABLE& table = gUnicodeTables[t];
        SCOPED_TRACE(table.IconvName);
        for (int b = 0; b < 256; ++b) {
            int expected = IconvCharacter(table.IconvName, (unsigned char)b);
            ASSERT_NE(expected, -2) << "iconv has no " << table.IconvName;
            EXPECT_EQ(table.ToWide[b], expected == -1 ? 127 : expected) << "byte " << b;
            if (expected == -1)
                continue;
            // The way back gives a byte with the same character.
            char back = 0;
            WIDECHAR c = WIDECHAR(expected);
            UNICODE::Get().FromWide(&c, 1, table.CodePage, &back, 1);
            EXPECT_EQ(table.ToWide[(unsigned char)back], expected) << "byte " << b;
        }
    }
}

}  // namespace
