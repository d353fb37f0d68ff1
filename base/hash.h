#pragma once
// HASH: a sorted, case-insensitive key/value table of STRINGs and its text format.

#include "base/stringarray.h"
#include "base/strings.h"

// Set in a value's Flags when it was given as "={{Base64}}" and may not be text.
constexpr uint32_t STRINGFLAG_DECODED = 0x01;

class HASH {
public:
    int Handle = 0;
    int Reserved = 0;
    STRINGARRAY Keys{64, "HASH-KEYS"};
    STRINGARRAY Values{64, "HASH-VALUES"};
    int LockTable = 0;
    STRING Key;

    HASH() = default;
    // Parses the key/value text format (the syntax of setup.cfg).
    explicit HASH(const STRING& text);
    HASH(const HASH& other);
    HASH& operator=(const HASH& other);
    virtual ~HASH() = default;

    // The value of key; an absent key is added at its sorted place with a value without buffer.
    STRING& Item(const char* key);
    STRING& operator[](const char* key) { return Item(key); }
    STRING& operator[](const STRING& key) { return Item(key.Text()); }
    int FindKey(const char* key) const;
    bool Exists(const char* key) const { return FindKey(key) != -1; }
    bool Remove(const char* key);
    STRINGARRAY GetKeys() const;
    int Count() const { return Keys.Count(); }
    // Stable: of equal keys the first in file order stays first, so lookups find it.
    void Sort();
    // Replaces the whole table by the file's entries; false (table unchanged) if unreadable.
    bool Load(const char* path);

private:
    // The first index whose key is not below key: the place of key or where it belongs.
    int LowerBound(const char* key) const;
    // Makes this table the text's table, dropping every earlier entry.
    void Parse(const STRING& text);
    void ParseLine(const char* line, STRING_SIZE_T length);
};
