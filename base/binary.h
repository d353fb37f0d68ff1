#pragma once
// BINARY: a STRING used as a byte buffer, loaded from and saved to a whole file.

#include "base/strings.h"

class BINARY : public STRING {
public:
    using STRING::STRING;
    BINARY() = default;
    BINARY(const STRING& other) : STRING(other) {}

    // The mode goes to the open unchanged ("r" and "w" translate line ends on Windows).
    bool Load(const char* path, const char* mode = "rb");
    bool Save(const char* path, const char* mode = "wb") const;
};
