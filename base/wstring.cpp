#include "base/wstring.h"

#include <cstdlib>
#include <cstring>

#include "base/unicode.h"

namespace {

constexpr const char* SOURCE = "wstring";

bool IsSpecialCodePage(int value) { return value == UNICODE_CPSYSTEM || value == UNICODE_CPFLAT; }

bool SameAt(const WIDECHAR* text, const WIDECHAR* what, int n)
{
    return memcmp(text, what, sizeof(WIDECHAR) * size_t(n)) == 0;
}

WIDECHAR FoldedWide(WIDECHAR c) { return (c >= 'A' && c <= 'Z') ? WIDECHAR(c + ('a' - 'A')) : c; }

// The 16-bit atoi: optional blanks and sign, then decimal digits.
int WideToInt(const WSTRING& s)
{
    const WIDECHAR empty[1] = {0};
    const WIDECHAR* p = s.Buffer();
    if (!p && !NullGuard(nullptr, "wtoi"))
        return 0;
    if (!p)
        p = empty;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9' && value < 0x80000000LL; ++p)
        value = value * 10 + (*p - '0');
    if (negative)
        value = -value;
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : value < -0x7FFFFFFFLL - 1 ? int(-0x7FFFFFFFLL - 1) : int(value);
}

int CompareWide(const WIDECHAR* a, const WIDECHAR* b, bool fold)
{
    const WIDECHAR empty[1] = {0};
    a = a ? a : empty;
    b = b ? b : empty;
    for (;; ++a, ++b) {
        int ca = fold ? FoldedWide(*a) : *a, cb = fold ? FoldedWide(*b) : *b;
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

}  // namespace

int WideLength(const WIDECHAR* text)
{
    int n = 0;
    while (text && text[n])
        ++n;
    return n;
}

WSTRING::WSTRING() { Str.Flags |= STRINGFLAG_WIDE; }

WSTRING::WSTRING(const char* bytes, int len, int codePage) : WSTRING()
{
    ASSERT(!IsSpecialCodePage(len), "len!=UNICODE_CPSYSTEM && len!=UNICODE_CPFLAT", SOURCE,
           __LINE__);
    if (!bytes)
        return;
    if (len < 0)
        len = int(strlen(bytes));
    Str.CodePage = codePage;
    Str.Make(len * 2);
    int n = UNICODE::Get().ToWide(bytes, len, codePage, reinterpret_cast<WIDECHAR*>(Str.Buffer));
    Str.SetLength(n * 2);
}

WSTRING::WSTRING(const STRING& text) : WSTRING(text.Buffer, text.Length(), text.CodePage) {}

WSTRING::WSTRING(const WIDECHAR* text, int len) : WSTRING() { Assign(text, len); }

WSTRING& WSTRING::operator=(const WIDECHAR* text)
{
    Assign(text, -1);
    return *this;
}

WSTRING::~WSTRING() = default;

void WSTRING::Assign(const WIDECHAR* text, int len)
{
    if (!text) {
        Str = STRING();
        Str.Flags |= STRINGFLAG_WIDE;
        return;
    }
    if (len < 0)
        len = WideLength(text);
    Str.Make(len * 2, reinterpret_cast<const char*>(text));
}

int WSTRING::Pos(const WIDECHAR* text, int start) const
{
    int length = Length(), n = WideLength(text);
    if (!Buffer() || !text || start < 0 || start >= length)
        return -1;
    for (int i = start; i + n <= length; ++i)
        if (SameAt(Buffer() + i, text, n))
            return i;
    return -1;
}

int WSTRING::Replace(const WIDECHAR* from, const WIDECHAR* to)
{
    int n = WideLength(from), m = WideLength(to);
    if (n == 0 || !Buffer() || (n == m && SameAt(from, to, n)))
        return 0;
    STRING result;
    result.Flags |= STRINGFLAG_WIDE;
    result.CodePage = Str.CodePage;
    result.Make(0);
    int count = 0, copied = 0;
    for (int at = Pos(from, 0); at != -1; at = Pos(from, at + n)) {
        result.AppendBytes(Str.Buffer + copied * 2, (at - copied) * 2);
        if (m > 0)
            result.AppendBytes(reinterpret_cast<const char*>(to), m * 2);
        copied = at + n;
        ++count;
    }
    if (count == 0)
        return 0;
    result.AppendBytes(Str.Buffer + copied * 2, (Length() - copied) * 2);
    Str = static_cast<STRING&&>(result);
    return count;
}

STRING::STRING(const WIDECHAR* text, STRING_SIZE_T length, int codePage) : CodePage(codePage)
{
    ASSERT(!IsSpecialCodePage(length), "length!=UNICODE_CPSYSTEM && length!=UNICODE_CPFLAT",
           SOURCE, __LINE__);
    if (!text)
        return;
    if (length < 0)
        length = WideLength(text);
    const UNICODE& converter = UNICODE::Get();
    int need = converter.FromWide(text, length, codePage, nullptr, 0);
    Make(need);
    int n = converter.FromWide(text, length, codePage, Buffer, need);
    SetLength(n > 0 ? n : 0);
}

STRING::STRING(const WSTRING& text, int codePage) : STRING(text.Buffer(), text.Length(), codePage)
{
}

WSTRINGARRAY::WSTRINGARRAY(int initialSize) : DYNARRAY<WSTRING>(initialSize, "WSTRINGARRAY", 64) {}

int WSTRINGARRAY::CompareItems(const WSTRING& a, const WSTRING& b, int flags) const
{
    if (flags & 1)
        return WideToInt(a) - WideToInt(b);
    return CompareWide(a.Buffer(), b.Buffer(), (flags & 0x10) != 0);
}

WSTRING& WSTRINGARRAY::operator[](int i) const
{
    // A bad index has been reported; the caller gets a fresh string without buffer.
    static WSTRING none;
    WSTRING* item = Get(i);
    if (item)
        return *item;
    none = WSTRING();
    return none;
}
