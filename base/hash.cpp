#include "base/hash.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>

#include "base/binary.h"
#include "frame/platform.h"

namespace {

constexpr const char* SOURCE = "stringarray";

unsigned Folded(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// ombix_stricmp's order (ASCII letters folded), with equal bytes passed without folding:
// lookups spend their time here.
int KeyCompare(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        unsigned char ca = (unsigned char)*a, cb = (unsigned char)*b;
        if (ca == cb) {
            if (ca == 0)
                return 0;
            continue;
        }
        int d = int(Folded(ca)) - int(Folded(cb));
        if (d != 0)
            return d;
    }
}

const char* KeyText(const STRING* key) { return key->Buffer ? key->Buffer : "<NULL>"; }
STRING_SIZE_T KeyLength(const STRING* key) { return key->Buffer ? key->StrLen : 0; }

bool HasZeroByte(uint64_t x) { return ((x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL) != 0; }

// KeyCompare for texts whose first n bytes are known to be readable: equal 8-byte blocks
// without a terminator are passed whole (configuration keys share long prefixes).
int KeyCompare(const char* a, const char* b, size_t n)
{
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        memcpy(&x, a + i, 8);
        memcpy(&y, b + i, 8);
        if (x != y || HasZeroByte(x))
            break;
    }
    return KeyCompare(a + i, b + i);
}

int KeyCompare(const STRING* a, const STRING* b)
{
    STRING_SIZE_T n = KeyLength(a) < KeyLength(b) ? KeyLength(a) : KeyLength(b);
    return KeyCompare(KeyText(a), KeyText(b), size_t(n));
}

bool BeginsWith(const char* text, STRING_SIZE_T length, const char* prefix)
{
    size_t n = strlen(prefix);
    return size_t(length) >= n && memcmp(text, prefix, n) == 0;
}

bool BeginsWithNoCase(const char* text, STRING_SIZE_T length, const char* prefix)
{
    size_t n = strlen(prefix);
    return size_t(length) >= n && ombix_strnicmp(text, prefix, n) == 0;
}

STRING DecodeValue(const char* raw, STRING_SIZE_T length)
{
    bool base64 = BeginsWith(raw, length, "={{") && length >= 5 && raw[length - 2] == '}' &&
                  raw[length - 1] == '}';
    if (!base64 && !memchr(raw, '\\', size_t(length)))
        return STRING(raw, length, 0);
    if (!base64)
        return STRING(raw, length, 0).Unescape(false);
    STRING value = STRING(raw + 3, length - 5, 0).FromBase64();
    value.Flags |= STRINGFLAG_DECODED;
    return value;
}

}  // namespace

HASH::HASH(const STRING& text) { Parse(text); }

void HASH::Parse(const STRING& text)
{
    MUTEXLOCK keys(Keys.pLock);
    MUTEXLOCK values(Values.pLock);
    Handle = Reserved = LockTable = 0;
    Keys.Clear();
    Values.Clear();
    Key = STRING();
    int lines = text.Buffer ? 1 + int(std::count(text.Buffer, text.Buffer + text.StrLen, '\n')) : 0;
    Keys.Reserve(lines);
    Values.Reserve(lines);
    const char* p = text.Buffer;
    STRING_SIZE_T left = text.Length();
    while (p && left >= 0) {
        const char* lf = static_cast<const char*>(memchr(p, '\n', size_t(left)));
        STRING_SIZE_T length = lf ? STRING_SIZE_T(lf - p) : left;
        ParseLine(p, length);
        if (!lf)
            break;
        p = lf + 1;
        left -= length + 1;
    }
    Sort();
}

HASH::HASH(const HASH& other) { *this = other; }

HASH& HASH::operator=(const HASH& other)
{
    if (this == &other)
        return *this;
    Handle = other.Handle;
    Reserved = other.Reserved;
    Keys = other.Keys;
    Values = other.Values;
    LockTable = other.LockTable;
    Key = other.Key;
    return *this;
}

void HASH::ParseLine(const char* line, STRING_SIZE_T length)
{
    while (length > 0 && line[length - 1] == '\r')
        --length;
    if (length == 0 || BeginsWith(line, length, "//"))
        return;
    bool handle = BeginsWithNoCase(line, length, "#Handle=");
    bool key = BeginsWithNoCase(line, length, "#Key=");
    if (line[0] == '#' && !handle && !key)
        return;
    const char* equals = static_cast<const char*>(memchr(line, '=', size_t(length)));
    if (!equals) {
        ASSERT(false, "item.Find(\"=\")", SOURCE, __LINE__, STRING(line, length, 0).Text());
        return;
    }
    STRING_SIZE_T keyLength = STRING_SIZE_T(equals - line);
    STRING value = DecodeValue(equals + 1, length - keyLength - 1);
    if (handle) {
        Handle = int(atol(value.Text()));
    } else if (key) {
        Key = static_cast<STRING&&>(value);
    } else {
        MUTEXLOCK keys(Keys.pLock);
        Keys.Add(STRING(line, keyLength, 0));
        Values.Add(static_cast<STRING&&>(value));
    }
}

int HASH::LowerBound(const char* key) const
{
    size_t length = strlen(key);
    int low = 0, high = Keys.ItemCount;
    while (low < high) {
        int middle = low + (high - low) / 2;
        const STRING* k = Keys.ppItems[middle];
        size_t n = size_t(KeyLength(k)) < length ? size_t(KeyLength(k)) : length;
        if (KeyCompare(KeyText(k), key, n) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int HASH::FindKey(const char* key) const
{
    const char* wanted = key ? key : "<NULL>";
    MUTEXLOCK keys(Keys.pLock);
    int at = LowerBound(wanted);
    bool found = at < Keys.ItemCount && KeyCompare(KeyText(Keys.ppItems[at]), wanted) == 0;
    return found ? at : -1;
}

STRING& HASH::Item(const char* key)
{
    const char* wanted = key ? key : "<NULL>";
    MUTEXLOCK keys(Keys.pLock);
    int at = LowerBound(wanted);
    // Values change only under the key array's lock, which is held here.
    if (at < Keys.ItemCount && KeyCompare(KeyText(Keys.ppItems[at]), wanted) == 0)
        return *Values.ppItems[at];
    // A locked table hands out a scratch value and keeps its keys.
    static STRING refused;
    if (!ASSERT(!LockTable, "!this->LockTable", SOURCE, __LINE__, wanted) || LockTable) {
        refused = STRING();
        return refused;
    }
    MUTEXLOCK values(Values.pLock);
    Keys.Insert(at, STRING(wanted));
    Values.Insert(at, STRING());
    return *Values.Get(at);
}

bool HASH::Remove(const char* key)
{
    MUTEXLOCK keys(Keys.pLock);
    int at = FindKey(key);
    if (at == -1)
        return false;
    MUTEXLOCK values(Values.pLock);
    Keys.DeleteItem(at);
    Values.DeleteItem(at);
    return true;
}

STRINGARRAY HASH::GetKeys() const
{
    MUTEXLOCK keys(Keys.pLock);
    return Keys;
}

void HASH::Sort()
{
    MUTEXLOCK keys(Keys.pLock);
    MUTEXLOCK values(Values.pLock);
    int n = Keys.ItemCount;
    if (n < 2 || Values.ItemCount != n)
        return;
    int* order = new (std::nothrow) int[size_t(n)];
    STRING** moved = new (std::nothrow) STRING*[size_t(n)];
    if (order && moved) {
        for (int i = 0; i < n; ++i)
            order[i] = i;
        STRING** k = Keys.ppItems;
        std::stable_sort(order, order + n, [k](int a, int b) {
            return KeyCompare(k[a], k[b]) < 0;
        });
        for (STRINGARRAY* array : {&Keys, &Values}) {
            for (int i = 0; i < n; ++i)
                moved[i] = array->ppItems[order[i]];
            memcpy(static_cast<void*>(array->ppItems), moved, sizeof(STRING*) * size_t(n));
        }
    }
    delete[] order;
    delete[] moved;
}

bool HASH::Load(const char* path)
{
    LOGIT("HASH::Load %s\n", path ? path : "<NULL>");
    BINARY content;
    bool ok = content.Load(path, "r");
    if (ok) {
        STRING previousKey = Key;
        Parse(content);
        if (!Key.Buffer)
            Key = previousKey;
    }
    char error[256] = "";
    PLATFORM::ErrorText(PLATFORM::LastError(), error, sizeof(error));
    LOGIT("HASH::Load returns ok= %d, %s\n", int(ok), error);
    return ok;
}
