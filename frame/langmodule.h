#pragma once
// Texts of the language module, by number. Portable: code without windows asks for texts too.

#include <cstdint>

#include "base/strings.h"

namespace OSYS {

// Stands for gLanguageModule where a module handle is asked for.
constexpr intptr_t LANGUAGEMODULE = -1;

// The text with this id (code page 1252), or "<STR-ERR>" when it is missing or empty.
STRING GetStringFromResource(int id, intptr_t module = LANGUAGEMODULE);

}  // namespace OSYS
