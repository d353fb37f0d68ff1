#pragma once
// STRINGARRAY: the array of STRING items.

#include "base/dynarray.h"
#include "base/strings.h"

enum STRINGARRAY_FINDMODE { FIND_EQUAL = 0, FIND_PREFIX = 1, FIND_CONTAINS = 2, FIND_NUMERIC = 3 };

class STRINGARRAY : public DYNARRAY<STRING> {
public:
    explicit STRINGARRAY(int initialSize = 64, const char* typeName = "STRINGARRAY");
    // Every piece between separator characters, empty ones included.
    STRINGARRAY(const STRING& source, const char* separators, int initialSize = 64);
    STRINGARRAY(const STRINGARRAY& other) = default;
    STRINGARRAY& operator=(const STRINGARRAY& other) = default;

    // flags bit 0: numeric; 0x10: case-insensitive; otherwise case-sensitive.
    int CompareItems(const STRING& a, const STRING& b, int flags) const override;
    int Find(const char* text, int mode = FIND_EQUAL) const;
    // Puts the file's lines in front of the present items; returns the number of lines read.
    int Load(const char* path, bool unescape = false);

    STRING& operator[](int i) const;
};
