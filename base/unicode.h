#pragma once
// UNICODE: the process-wide converter between single-byte code pages and 16-bit characters.

#include <cstdint>

#include "base/strings.h"

struct UNICODEPAIR {
    uint16_t Wide;
    uint8_t Byte;
};

// One code page: the character of every byte (127 where it has none) and, sorted by
// character, the way back.
struct UNICODETABLE {
    int CodePage;
    const char* IconvName;
    uint16_t ToWide[256];
    UNICODEPAIR FromWide[256];
    int FromWideCount;
};

extern const UNICODETABLE gUnicodeTables[];
extern const int gUnicodeTableCount;

class UNICODE {
public:
    // Created on first use.
    static UNICODE& Get();

    // Index of the code page's table, or -1.
    int TableIndex(int codePage) const;
    // Bytes to characters; out has room for length characters. Returns the characters written.
    int ToWide(const char* bytes, int length, int codePage, WIDECHAR* out) const;
    // Characters to bytes; with a null out only the number of bytes needed is returned.
    int FromWide(const WIDECHAR* text, int length, int codePage, char* out, int room) const;

private:
    const UNICODETABLE& Table(int codePage) const;
};

// The system ANSI code page's conversion (1252 where the system has none).
int SystemToWide(const char* bytes, int length, WIDECHAR* out);
int SystemFromWide(const WIDECHAR* text, int length, char* out, int room);
