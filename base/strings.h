#pragma once
// STRING: a growable, zero-terminated byte string with a code page tag.

#include <cstddef>
#include <cstdint>

#include "frame/ombix.h"

using STRING_SIZE_T = int32_t;

constexpr uint32_t STRINGFLAG_DYNABLOCK = 0x02;
constexpr uint32_t STRINGFLAG_WIDE = 0x10;
constexpr int UNICODE_CPSYSTEM = -2;
constexpr int UNICODE_CPFLAT = -3;
constexpr int STRING_DEFAULTBLOCK = 96;
// Token flag: a token that does not exist is given an empty buffer.
constexpr uint32_t STRING_TOKEN_NONNULL = 0x10000;

class STRING {
public:
    char* Buffer = nullptr;
    STRING_SIZE_T StrLen = 0;
    STRING_SIZE_T BufLen = 0;
    STRING_SIZE_T BlockSize = STRING_DEFAULTBLOCK;
    uint32_t Flags = 0;
    int CodePage = 1252;

    STRING() = default;
    STRING(const char* text, int codePage = 1252);
    STRING(const char* bytes, STRING_SIZE_T length, STRING_SIZE_T blockSize);
    STRING(int value);
    STRING(unsigned long value);
    STRING(const STRING& other);
    STRING(STRING&& other) noexcept;
    ~STRING();

    STRING& operator=(const STRING& other);
    STRING& operator=(STRING&& other) noexcept;
    STRING& operator=(const char* text);

    // Makes room for len bytes and, when bytes are given, replaces the content with them.
    void Make(STRING_SIZE_T len, const char* bytes = nullptr);
    STRING& Append(const char* bytes, STRING_SIZE_T len = -1);
    STRING& Append(const STRING& other);
    STRING& AppendBytes(const char* bytes, STRING_SIZE_T len);
    STRING& operator+=(const STRING& other) { return Append(other); }
    STRING& operator+=(const char* text) { return Append(text); }
    STRING& SetIfNoBuffer(const STRING& other);
    STRING& MakeNonNull();

    STRING_SIZE_T Length() const { return Buffer ? StrLen : 0; }
    bool IsEmpty() const { return !Buffer || StrLen <= 0; }
    bool HasBuffer() const { return Buffer != nullptr; }
    // The text for printing and reading: "<NULL>" for a string without buffer.
    const char* Text() const;

    char& At(STRING_SIZE_T i);
    char& At0(STRING_SIZE_T i);
    void SetLength(STRING_SIZE_T newLength);
    void CutLeft(STRING_SIZE_T howmany);
    void CutRight(STRING_SIZE_T howmany);
    void Delete(STRING_SIZE_T howmany, STRING_SIZE_T pos);
    void InsertChars(STRING_SIZE_T howmany, STRING_SIZE_T pos, char ch);
    void Insert(const char* text, STRING_SIZE_T pos);

    STRING Left(STRING_SIZE_T n) const;
    STRING Right(STRING_SIZE_T n) const;
    STRING Mid(STRING_SIZE_T pos, STRING_SIZE_T n = -1) const;
    STRING Token(int n, const char* separators, uint32_t flags = 0) const;
    STRING Line(int n, uint32_t flags = 0) const { return Token(n, "\n", flags); }

    STRING_SIZE_T Pos(const char* text, STRING_SIZE_T start = 0) const;
    STRING_SIZE_T iPos(const char* text, STRING_SIZE_T start = 0) const;
    bool Find(const char* text, STRING_SIZE_T* index = nullptr, STRING_SIZE_T start = 0) const;
    bool iFind(const char* text, STRING_SIZE_T* index = nullptr, STRING_SIZE_T start = 0) const;
    // Replaces every occurrence; returns how many were replaced.
    int Replace(const char* from, const char* to, bool caseSensitive = true);
    void Strip(char how, const char* characters = " \t");
    void ToUpper();
    void ToLower();

    int Format(const char* format, ...) OMBIX_PRINTF(2, 3);
    int AppendFormat(const char* format, ...) OMBIX_PRINTF(2, 3);

    int AsInt() const;
    double AsDouble() const;

    // Empties the process-wide cache of 96-byte blocks; from then on every size goes to the heap.
    static void ReleaseCache();

private:
    void FreeBuffer();
    void Terminate();
};

STRING operator+(const STRING& a, const STRING& b);
STRING operator+(const STRING& a, const char* b);
STRING operator+(const char* a, const STRING& b);

bool operator==(const STRING& a, const STRING& b);
bool operator==(const STRING& a, const char* b);
inline bool operator==(const char* a, const STRING& b) { return b == a; }
inline bool operator!=(const STRING& a, const STRING& b) { return !(a == b); }
inline bool operator!=(const STRING& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const STRING& b) { return !(b == a); }
bool operator<(const STRING& a, const STRING& b);
bool operator>(const STRING& a, const STRING& b);

// The framework's null guard: "<NULL>" in place of a null text unless OMBIXFAILONNULL says
// otherwise (bit 0: pass the null on; bits 0 and 1: report it first).
const char* NullGuard(const char* text, const char* operation);

// ASCII-only case-insensitive comparisons, independent of any locale.
int ombix_stricmp(const char* a, const char* b);
int ombix_strnicmp(const char* a, const char* b, size_t n);
