#pragma once
// WSTRING: a 16-bit text held in a STRING with the wide flag (two-byte terminator).

#include "base/dynarray.h"
#include "base/strings.h"

class WSTRING {
public:
    STRING Str;

    WSTRING();
    // Each byte becomes one character through the code page (length -1: up to the zero).
    WSTRING(const char* bytes, int len, int codePage);
    // The STRING's bytes in its own code page.
    explicit WSTRING(const STRING& text);
    WSTRING(const WIDECHAR* text, int len = -1);
    WSTRING(const WSTRING& other) = default;
    WSTRING(WSTRING&& other) noexcept = default;
    WSTRING& operator=(const WSTRING& other) = default;
    WSTRING& operator=(WSTRING&& other) noexcept = default;
    WSTRING& operator=(const WIDECHAR* text);
    virtual ~WSTRING();

    int Length() const { return Str.Buffer ? Str.StrLen / 2 : 0; }
    bool HasBuffer() const { return Str.Buffer != nullptr; }
    // The characters, zero-terminated; null without buffer.
    const WIDECHAR* Buffer() const { return reinterpret_cast<const WIDECHAR*>(Str.Buffer); }
    // Index of the first occurrence at or after start, case-sensitive; -1 if none.
    int Pos(const WIDECHAR* text, int start = 0) const;
    // Replaces every occurrence, case-sensitive; returns how many were replaced.
    int Replace(const WIDECHAR* from, const WIDECHAR* to);

private:
    void Assign(const WIDECHAR* text, int len);
};

// Length of a zero-terminated 16-bit text.
int WideLength(const WIDECHAR* text);

// The array of WSTRING items.
class WSTRINGARRAY : public DYNARRAY<WSTRING> {
public:
    explicit WSTRINGARRAY(int initialSize = 64);
    WSTRINGARRAY(const WSTRINGARRAY& other) = default;
    WSTRINGARRAY& operator=(const WSTRINGARRAY& other) = default;
    // flags bit 0: numeric; 0x10: case-insensitive (ASCII letters); otherwise case-sensitive.
    int CompareItems(const WSTRING& a, const WSTRING& b, int flags) const override;
    WSTRING& operator[](int i) const;
};
