#pragma once
// Reading the keys of setup.cfg, and the language folding of a loaded table.

#include "base/hash.h"
#include "base/stringarray.h"
#include "base/strings.h"

// Language pass: a key "name.suffix" replaces "name" when its suffix is the module's, and
// every other key holding a "." goes. Continuation pass: "name_0" … "name_23" are appended to
// "name" in index order and removed.
void FoldLanguageKeys(HASH& table, const char* suffix);

// The readers give an absent key its default and store it, so that later readers and the
// hooks see the value that was used. A key without a default reads as it stands.
STRING& ConfigText(HASH& table, const char* key, const char* defaultValue = nullptr);
// Leading digits with an optional sign; empty or non-numeric is 0.
int ConfigNumber(HASH& table, const char* key, const char* defaultValue = nullptr);
bool ConfigFlag(HASH& table, const char* key, const char* defaultValue = nullptr);
// The elements between "|", by index from 0 until none is left; empty ones skipped unless asked.
STRINGARRAY ConfigList(HASH& table, const char* key, bool keepEmpty = false);
// The fields of a "|" list taken by index; a missing field is empty.
STRING ListField(const STRING& list, int index);

// The default installation folder: an earlier installation's folder when it still exists,
// else "*folder" exactly as given, else the Program Files folder (ending in "\\") followed by
// the configured path.
STRING DefaultInstallDir(const STRING& earlierFolder, bool earlierExists, const STRING& installPath,
                         const STRING& programFiles);
