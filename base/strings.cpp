#include "base/strings.h"

#include "frame/platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* SOURCE = "strings";
constexpr int CACHEDEPTH = 127;
constexpr int FORMATSIZE = 8192;

// Recycled 96-byte blocks: most strings are short and live briefly.
struct BLOCKCACHE {
    PLATFORM::LOCK lock;
    void* blocks[CACHEDEPTH];
    int count = 0;
};

BLOCKCACHE* gCache = nullptr;
bool gCacheReleased = false;

BLOCKCACHE* Cache()
{
    if (!gCache && !gCacheReleased)
        gCache = new BLOCKCACHE;
    return gCache;
}

char* AllocBlock(STRING_SIZE_T size)
{
    if (size == STRING_DEFAULTBLOCK) {
        if (BLOCKCACHE* cache = Cache()) {
            PLATFORM::LOCKGUARD guard(cache->lock);
            if (cache->count > 0)
                return static_cast<char*>(cache->blocks[--cache->count]);
        }
    }
    return static_cast<char*>(malloc(size_t(size)));
}

void FreeBlock(char* block, STRING_SIZE_T size)
{
    if (size == STRING_DEFAULTBLOCK && gCache) {
        PLATFORM::LOCKGUARD guard(gCache->lock);
        if (gCache->count < CACHEDEPTH) {
            gCache->blocks[gCache->count++] = block;
            return;
        }
    }
    free(block);
}

char gZeroByte;

char& ZeroByte()
{
    gZeroByte = 0;
    return gZeroByte;
}

bool Inside(const char* p, const STRING& s)
{
    return p && s.Buffer && p >= s.Buffer && p < s.Buffer + s.BufLen;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

STRING_SIZE_T Search(const STRING& s, const char* text, STRING_SIZE_T start, bool caseSensitive,
                     const char* bufferName, const char* textName)
{
    const char* hay = NullGuard(s.Buffer, bufferName);
    const char* needle = NullGuard(text, textName);
    if (!hay || !needle || start < 0 || start >= s.StrLen)
        return -1;
    size_t n = strlen(needle);
    STRING_SIZE_T last = s.StrLen - STRING_SIZE_T(n);
    for (STRING_SIZE_T i = start; i <= last; ++i) {
        size_t k = 0;
        if (caseSensitive)
            while (k < n && hay[i + k] == needle[k])
                ++k;
        else
            while (k < n && Upper(hay[i + k]) == Upper(needle[k]))
                ++k;
        if (k == n)
            return i;
    }
    return -1;
}

int FormatInto(char* buffer, const char* format, va_list args)
{
    int rc = vsnprintf(buffer, FORMATSIZE, format, args);
    bool fits = rc >= 0 && rc < FORMATSIZE - 1;
    ASSERT(fits, "rc>=0 && rc<sizeof(buf)-1", SOURCE, __LINE__, format);
    if (rc < 0) {
        buffer[0] = 0;
        return 0;
    }
    // A longer result keeps what fits, terminated.
    return fits ? rc : int(strlen(buffer));
}

}  // namespace

const char* NullGuard(const char* text, const char* operation)
{
    if (text)
        return text;
    const char* env = getenv("OMBIXFAILONNULL");
    int mode = env ? atoi(env) : 0;
    if ((mode & 3) == 3)
        ASSERT(false, "p!=NULL", SOURCE, __LINE__, operation ? operation : "<none>");
    return (mode & 1) ? nullptr : "<NULL>";
}

int ombix_stricmp(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        int ca = (unsigned char)Lower(*a), cb = (unsigned char)Lower(*b);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

int ombix_strnicmp(const char* a, const char* b, size_t n)
{
    for (; n > 0; --n, ++a, ++b) {
        int ca = (unsigned char)Lower(*a), cb = (unsigned char)Lower(*b);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
    return 0;
}

STRING::STRING(const char* text, int codePage) : CodePage(codePage)
{
    if (text)
        Make(STRING_SIZE_T(strlen(text)), text);
}

STRING::STRING(const char* bytes, STRING_SIZE_T length, STRING_SIZE_T blockSize)
    : BlockSize(blockSize > 0 ? blockSize : STRING_DEFAULTBLOCK)
{
    if (bytes && length >= 0)
        Make(length, bytes);
}

STRING::STRING(int value) : BlockSize(16) { Format("%d", value); }
STRING::STRING(unsigned long value) : BlockSize(16) { Format("%lu", value); }

STRING::STRING(const STRING& other)
    : BlockSize(other.BlockSize), Flags(other.Flags), CodePage(other.CodePage)
{
    if (other.Buffer)
        Make(other.StrLen, other.Buffer);
}

STRING::STRING(STRING&& other) noexcept
    : Buffer(other.Buffer), StrLen(other.StrLen), BufLen(other.BufLen),
      BlockSize(other.BlockSize), Flags(other.Flags), CodePage(other.CodePage)
{
    other.Buffer = nullptr;
    other.StrLen = other.BufLen = 0;
}

STRING::~STRING() { FreeBuffer(); }

STRING& STRING::operator=(const STRING& other)
{
    if (this == &other)
        return *this;
    BlockSize = other.BlockSize;
    Flags = other.Flags;
    CodePage = other.CodePage;
    if (!other.Buffer)
        FreeBuffer();
    else
        Make(other.StrLen, other.Buffer);
    return *this;
}

STRING& STRING::operator=(STRING&& other) noexcept
{
    if (this == &other)
        return *this;
    FreeBuffer();
    Buffer = other.Buffer;
    StrLen = other.StrLen;
    BufLen = other.BufLen;
    BlockSize = other.BlockSize;
    Flags = other.Flags;
    CodePage = other.CodePage;
    other.Buffer = nullptr;
    other.StrLen = other.BufLen = 0;
    return *this;
}

STRING& STRING::operator=(const char* text)
{
    if (!text)
        FreeBuffer();
    else
        Make(STRING_SIZE_T(strlen(text)), text);
    CodePage = 1252;
    return *this;
}

void STRING::FreeBuffer()
{
    if (Buffer)
        FreeBlock(Buffer, BufLen);
    Buffer = nullptr;
    StrLen = BufLen = 0;
}

void STRING::Terminate()
{
    if (Flags & STRINGFLAG_WIDE) {
        STRING_SIZE_T at = StrLen & ~1;
        Buffer[at] = Buffer[at + 1] = 0;
    } else {
        Buffer[StrLen] = 0;
    }
}

void STRING::Make(STRING_SIZE_T len, const char* bytes)
{
    STRING_SIZE_T extra = (Flags & STRINGFLAG_WIDE) ? 2 : 1;
    if (BlockSize <= 0)
        BlockSize = STRING_DEFAULTBLOCK;
    if (len < 0)
        return;
    STRING_SIZE_T need = len + extra;

    // Bytes from inside this buffer would not survive its reallocation or zeroing.
    char* own = nullptr;
    if (bytes && Inside(bytes, *this)) {
        own = static_cast<char*>(malloc(size_t(len) + 1));
        if (!own) {
            ASSERT(false, "buffer", SOURCE, __LINE__);
            return;
        }
        memcpy(own, bytes, size_t(len));
        bytes = own;
    }

    if (BufLen < need) {
        STRING_SIZE_T newSize = BlockSize * (need / BlockSize + 1);
        char* fresh = AllocBlock(newSize);
        if (!fresh) {
            ASSERT(false, "buffer", SOURCE, __LINE__);
            free(own);
            return;
        }
        memset(fresh, 0, size_t(newSize));
        if (Buffer) {
            memcpy(fresh, Buffer, size_t(StrLen < newSize ? StrLen : newSize));
            FreeBlock(Buffer, BufLen);
        }
        Buffer = fresh;
        BufLen = newSize;
        STRING_SIZE_T oldBlock = BlockSize;
        if (Flags & STRINGFLAG_DYNABLOCK) {
            if (BlockSize < newSize / 2)
                BlockSize = newSize / 2;
            if (BlockSize >= 2097152)
                BlockSize = 2097152;
            else if (BlockSize >= 4096)
                BlockSize = (BlockSize + 1023) / 1024 * 1024;
            if (BlockSize != oldBlock)
                LOGIT("STRING::Make STRINGFLAG_DYNABLOCK new blocksize %d\n", BlockSize);
        } else if (newSize > 32768) {
            Flags |= STRINGFLAG_DYNABLOCK;
            if (BlockSize < 32768) {
                BlockSize = 32768;
                LOGIT("STRING::Make Upgrade String to STRINGFLAG_DYNABLOCK\n");
            }
        } else if (newSize >= 8192) {
            if (BlockSize < 4096)
                BlockSize = 4096;
        } else if (newSize >= 4096) {
            if (BlockSize < 2048)
                BlockSize = 2048;
        } else if (newSize >= 1024) {
            if (BlockSize < 1024)
                BlockSize = 1024;
        }
    }
    if (bytes) {
        ASSERT(BufLen >= need, "this->BufLen>=(len+extra)", SOURCE, __LINE__);
        memset(Buffer, 0, size_t(StrLen));
        memcpy(Buffer, bytes, size_t(len));
        memset(Buffer + len, 0, size_t(extra));
    }
    StrLen = len;
    Terminate();
    free(own);
}

const char* STRING::Text() const { return Buffer ? Buffer : "<NULL>"; }

STRING& STRING::Append(const char* bytes, STRING_SIZE_T len)
{
    const char* p = NullGuard(bytes, "STRING::Append op1");
    if (!p)
        return *this;
    if (len < 0)
        len = STRING_SIZE_T(strlen(p));
    return AppendBytes(p, len);
}

STRING& STRING::Append(const STRING& other)
{
    if (other.Buffer)
        AppendBytes(other.Buffer, other.StrLen);
    return *this;
}

STRING& STRING::AppendBytes(const char* bytes, STRING_SIZE_T len)
{
    if (!bytes || len <= 0) {
        if (!Buffer && bytes)
            Make(0);
        return *this;
    }
    STRING_SIZE_T old = StrLen;
    STRING_SIZE_T offset = Inside(bytes, *this) ? STRING_SIZE_T(bytes - Buffer) : -1;
    if (!Buffer || old + len >= BufLen - 8)
        Make(old + len);
    else {
        StrLen = old + len;
    }
    const char* source = offset >= 0 ? Buffer + offset : bytes;
    memmove(Buffer + old, source, size_t(len));
    StrLen = old + len;
    Terminate();
    return *this;
}

STRING& STRING::SetIfNoBuffer(const STRING& other)
{
    if (!Buffer && other.Buffer)
        Make(other.StrLen, other.Buffer);
    return *this;
}

STRING& STRING::MakeNonNull()
{
    if (!Buffer)
        Make(0);
    return *this;
}

char& STRING::At(STRING_SIZE_T i)
{
    bool ok = Buffer && i >= 0 && i < StrLen;
    ASSERTF(ok, "i>=0 && i<this->StrLen", SOURCE, __LINE__, "i= %d, len= %d, buf= %s", i, StrLen,
            Text());
    return ok ? Buffer[i] : ZeroByte();
}

char& STRING::At0(STRING_SIZE_T i)
{
    bool ok = Buffer && i >= 0 && i <= StrLen;
    ASSERTF(ok, "i>=0 && i<=this->StrLen", SOURCE, __LINE__, "i= %d, len= %d, buf= %s", i, StrLen,
            Text());
    return ok ? Buffer[i] : ZeroByte();
}

void STRING::SetLength(STRING_SIZE_T newLength)
{
    if (!ASSERT(newLength >= 0, "newlength>=0", SOURCE, __LINE__) || newLength < 0)
        return;
    if (Buffer && newLength < StrLen) {
        StrLen = newLength;
        Terminate();
    }
}

void STRING::CutLeft(STRING_SIZE_T howmany)
{
    if (!ASSERT(howmany >= 0, "howmany>=0", SOURCE, __LINE__) || howmany < 0 || !Buffer)
        return;
    if (howmany >= StrLen)
        howmany = StrLen;
    memmove(Buffer, Buffer + howmany, size_t(StrLen - howmany));
    StrLen -= howmany;
    Terminate();
}

void STRING::CutRight(STRING_SIZE_T howmany)
{
    if (!ASSERT(howmany >= 0, "howmany>=0", SOURCE, __LINE__) || howmany < 0 || !Buffer)
        return;
    SetLength(howmany >= StrLen ? 0 : StrLen - howmany);
}

void STRING::Delete(STRING_SIZE_T howmany, STRING_SIZE_T pos)
{
    if (!ASSERT(howmany >= 0, "howmany>=0", SOURCE, __LINE__) || howmany < 0)
        return;
    if (!Buffer || pos < 0 || pos >= StrLen)
        return;
    if (howmany >= StrLen - pos) {
        SetLength(pos);
        return;
    }
    memmove(Buffer + pos, Buffer + pos + howmany, size_t(StrLen - pos - howmany));
    StrLen -= howmany;
    Terminate();
}

void STRING::InsertChars(STRING_SIZE_T howmany, STRING_SIZE_T pos, char ch)
{
    if (!ASSERT(howmany >= 0, "howmany>=0", SOURCE, __LINE__) || howmany < 0)
        return;
    if (!Buffer || pos < 0 || pos >= StrLen || howmany == 0)
        return;
    STRING_SIZE_T old = StrLen;
    Make(old + howmany);
    memmove(Buffer + pos + howmany, Buffer + pos, size_t(old - pos));
    memset(Buffer + pos, ch, size_t(howmany));
}

void STRING::Insert(const char* text, STRING_SIZE_T pos)
{
    if (!ASSERT(!text || text != Buffer, "text!=this->Buffer", SOURCE, __LINE__) || !text)
        return;
    if (text == Buffer || pos < 0 || pos > StrLen || (!Buffer && pos > 0))
        return;
    STRING copy(text);
    STRING_SIZE_T n = copy.StrLen, old = StrLen;
    if (n == 0)
        return;
    Make(old + n);
    memmove(Buffer + pos + n, Buffer + pos, size_t(old - pos));
    memcpy(Buffer + pos, copy.Buffer, size_t(n));
}

STRING STRING::Mid(STRING_SIZE_T pos, STRING_SIZE_T n) const
{
    STRING result;
    if (pos < 0)
        pos = 0;
    if (!Buffer || pos >= StrLen || n == 0 || n < -1) {
        result.Make(0);
        return result;
    }
    if (n == -1 || n > StrLen - pos)
        n = StrLen - pos;
    result.Make(n, Buffer + pos);
    return result;
}

STRING STRING::Left(STRING_SIZE_T n) const { return Mid(0, n); }

STRING STRING::Right(STRING_SIZE_T n) const
{
    STRING_SIZE_T start = StrLen - n;
    return Mid(start > 0 ? start : 0, n);
}

STRING STRING::Token(int n, const char* separators, uint32_t flags) const
{
    STRING result;
    const char* p = separators ? Buffer : nullptr;
    for (int i = 0; i < n && p; ++i) {
        const char* hit = strpbrk(p, separators);
        p = hit ? hit + 1 : nullptr;
    }
    if (p) {
        const char* end = (flags & 0xFFFF) ? nullptr : strpbrk(p, separators);
        STRING_SIZE_T length = end ? STRING_SIZE_T(end - p) : STRING_SIZE_T(strlen(p));
        result.Make(length, p);
    }
    if ((flags & STRING_TOKEN_NONNULL) && !result.Buffer)
        result.Make(0);
    return result;
}

STRING_SIZE_T STRING::Pos(const char* text, STRING_SIZE_T start) const
{
    return Search(*this, text, start, true, "Pos Buffer", "Pos str");
}

STRING_SIZE_T STRING::iPos(const char* text, STRING_SIZE_T start) const
{
    return Search(*this, text, start, false, "iPos Buffer", "iPos str");
}

bool STRING::Find(const char* text, STRING_SIZE_T* index, STRING_SIZE_T start) const
{
    STRING_SIZE_T at = Pos(text, start);
    if (index)
        *index = at;
    return at != -1;
}

bool STRING::iFind(const char* text, STRING_SIZE_T* index, STRING_SIZE_T start) const
{
    STRING_SIZE_T at = iPos(text, start);
    if (index)
        *index = at;
    return at != -1;
}

int STRING::Replace(const char* from, const char* to, bool caseSensitive)
{
    if (!from || !*from)
        return 0;
    const char* replacement = to ? to : "<NULL>";
    if (strcmp(from, replacement) == 0)
        return 0;
    STRING source(from), target(replacement);
    int count = 0;
    STRING_SIZE_T at = caseSensitive ? Pos(source.Buffer) : iPos(source.Buffer);
    while (at != -1) {
        Delete(source.StrLen, at);
        if (at == StrLen)
            Append(target);
        else
            Insert(target.Buffer, at);
        ++count;
        STRING_SIZE_T next = at + target.StrLen;
        at = caseSensitive ? Pos(source.Buffer, next) : iPos(source.Buffer, next);
    }
    return count;
}

void STRING::Strip(char how, const char* characters)
{
    char h = Upper(how);
    if (!ASSERT(h == 'L' || h == 'R' || h == 'B', "how=='L' || how=='R' || how=='B'", SOURCE,
                __LINE__))
        return;
    if (!(h == 'L' || h == 'R' || h == 'B') || !Buffer || !characters)
        return;
    if (h == 'R' || h == 'B') {
        STRING_SIZE_T n = StrLen;
        while (n > 0 && strchr(characters, Buffer[n - 1]))
            --n;
        SetLength(n);
    }
    if (h == 'L' || h == 'B') {
        STRING_SIZE_T n = 0;
        while (n < StrLen && strchr(characters, Buffer[n]))
            ++n;
        CutLeft(n);
    }
}

void STRING::ToUpper()
{
    if (!NullGuard(Buffer, "ToUpper") || !Buffer)
        return;
    for (STRING_SIZE_T i = 0; i < StrLen; ++i)
        Buffer[i] = Upper(Buffer[i]);
}

void STRING::ToLower()
{
    if (!NullGuard(Buffer, "ToLower") || !Buffer)
        return;
    for (STRING_SIZE_T i = 0; i < StrLen; ++i)
        Buffer[i] = Lower(Buffer[i]);
}

int STRING::Format(const char* format, ...)
{
    char buffer[FORMATSIZE];
    va_list args;
    va_start(args, format);
    int n = FormatInto(buffer, format, args);
    va_end(args);
    Make(n, buffer);
    CodePage = 1252;
    return n;
}

int STRING::AppendFormat(const char* format, ...)
{
    char buffer[FORMATSIZE];
    va_list args;
    va_start(args, format);
    int n = FormatInto(buffer, format, args);
    va_end(args);
    AppendBytes(buffer, n);
    MakeNonNull();
    return n;
}

int STRING::AsInt() const
{
    const char* p = NullGuard(Buffer, "atoi");
    return p ? atoi(p) : 0;
}

double STRING::AsDouble() const
{
    const char* p = NullGuard(Buffer, "atof");
    return p ? atof(p) : 0.0;
}

void STRING::ReleaseCache()
{
    BLOCKCACHE* cache = gCache;
    gCacheReleased = true;
    gCache = nullptr;
    if (!cache)
        return;
    for (int i = 0; i < cache->count; ++i)
        free(cache->blocks[i]);
    delete cache;
}

STRING operator+(const STRING& a, const char* b)
{
    STRING result;
    result.Append(a);
    const char* right = NullGuard(b, "STR::op2||");
    if (right)
        result.Append(right);
    result.MakeNonNull();
    return result;
}

STRING operator+(const STRING& a, const STRING& b) { return a + b.Buffer; }

STRING operator+(const char* a, const STRING& b)
{
    STRING result;
    if (a)
        result.Append(a);
    const char* right = NullGuard(b.Buffer, "STR::op2||");
    if (right)
        result.Append(right);
    result.MakeNonNull();
    return result;
}

bool operator==(const STRING& a, const char* b)
{
    if (!a.Buffer || !b)
        return !a.Buffer && !b;
    return ombix_stricmp(a.Buffer, b) == 0;
}

bool operator==(const STRING& a, const STRING& b) { return a == b.Buffer; }

static const char* CompareText(const char* text, const char* operation)
{
    const char* guarded = NullGuard(text, operation);
    return guarded ? guarded : "";
}

bool operator<(const STRING& a, const STRING& b)
{
    return ombix_stricmp(CompareText(a.Buffer, "stricmp p1"), CompareText(b.Buffer, "stricmp p2")) < 0;
}

bool operator>(const STRING& a, const STRING& b) { return b < a; }
