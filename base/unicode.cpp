#include "base/unicode.h"

namespace {

constexpr const char* SOURCE = "unicode";
constexpr char UNMAPPEDCHARACTER = '?';

bool ByteToWideAs1252(int codePage)
{
    return codePage == 850 || codePage == 1000;
}

bool LowBytesAs1252(int codePage)
{
    return codePage != 437 && codePage != 1252;
}

char Lookup(const UNICODETABLE& table, WIDECHAR c)
{
    int low = 0, high = table.FromWideCount;
    while (low < high) {
        int middle = (low + high) / 2;
        if (table.FromWide[middle].Wide < uint16_t(c))
            low = middle + 1;
        else
            high = middle;
    }
    bool found = low < table.FromWideCount && table.FromWide[low].Wide == uint16_t(c);
    return found ? char(table.FromWide[low].Byte) : UNMAPPEDCHARACTER;
}

}  // namespace

// The tables are constant data, so the converter holds nothing to release: a function-local
// object is created safely on first use from any thread and ends with the process.
UNICODE& UNICODE::Get()
{
    static UNICODE converter;
    return converter;
}

int UNICODE::TableIndex(int codePage) const
{
    for (int i = 0; i < gUnicodeTableCount; ++i)
        if (gUnicodeTables[i].CodePage == codePage)
            return i;
    return -1;
}

const UNICODETABLE& UNICODE::Table(int codePage) const
{
    // No table of its own: 1000 is read as 1252 both ways.
    int idx = TableIndex(codePage == 1000 ? 1252 : codePage);
    ASSERTF(idx != -1, "idx!=-1", SOURCE, __LINE__, "codepage :%d", codePage);
    return gUnicodeTables[idx != -1 ? idx : TableIndex(1252)];
}

int UNICODE::ToWide(const char* bytes, int length, int codePage, WIDECHAR* out) const
{
    if (!bytes || length <= 0)
        return 0;
    if (codePage == UNICODE_CPSYSTEM)
        return SystemToWide(bytes, length, out);
    if (codePage == UNICODE_CPFLAT) {
        for (int i = 0; i < length; ++i)
            out[i] = WIDECHAR((unsigned char)bytes[i]);
        return length;
    }
    const UNICODETABLE& table = Table(ByteToWideAs1252(codePage) ? 1252 : codePage);
    const UNICODETABLE& low = LowBytesAs1252(codePage) ? Table(1252) : table;
    for (int i = 0; i < length; ++i) {
        unsigned char b = (unsigned char)bytes[i];
        out[i] = WIDECHAR(b < 32 ? low.ToWide[b] : table.ToWide[b]);
    }
    return length;
}

int UNICODE::FromWide(const WIDECHAR* text, int length, int codePage, char* out, int room) const
{
    if (!text || length <= 0)
        return 0;
    if (codePage == UNICODE_CPSYSTEM)
        return SystemFromWide(text, length, out, room);
    if (!out)
        return length;
    int n = length < room ? length : room;
    if (codePage == UNICODE_CPFLAT) {
        for (int i = 0; i < n; ++i)
            out[i] = uint16_t(text[i]) < 256 ? char(text[i]) : UNMAPPEDCHARACTER;
        return n;
    }
    const UNICODETABLE& table = Table(codePage);
    for (int i = 0; i < n; ++i)
        out[i] = Lookup(table, text[i]);
    return n;
}
