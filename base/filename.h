#pragma once
// FILENAME: a path that is normalised on every assignment ("/" becomes "\", trailing "\" go)
// and whose leading shell strings ("%APPDATA%", "$(APPDATA)", "~\") are expanded on
// construction; with the file queries and operations on it.

#include <cstdint>
#include <cstdio>

#include "base/stringarray.h"
#include "base/strings.h"
#include "frame/platform.h"

class FILENAME : public STRING {
public:
    int64_t StatSize = 0;
    PLATFORM::DATETIME StatModified{};
    bool StatValid = false;

    FILENAME();
    // "<self>" is the program's path, "<tmp>"/"<temp>" a new unique name in TEMP; shell
    // strings are expanded.
    FILENAME(const char* text);
    FILENAME(const STRING& text);
    // An absolute name wins; otherwise directory + "\" + name.
    FILENAME(const char* directory, const char* name);
    FILENAME(const STRING& directory, const STRING& name);
    FILENAME(const char* directory, const char* subdirectory, const char* name);
    FILENAME(const STRING& directory, const STRING& subdirectory, const STRING& name);
    FILENAME(const FILENAME& other);

    // Assignment normalises, it does not expand.
    FILENAME& operator=(const char* text);
    FILENAME& operator=(const STRING& text);
    FILENAME& operator=(const FILENAME& other);

    bool Exists() const;
    bool IsDirectory() const;
    bool IsFile() const;
    bool IsAbsolute() const;
    STRING GetName() const;
    STRING GetPath() const;
    int64_t Size();
    int GetAttributes() const;
    bool SetAttributes(int attributes) const;
    bool SetReadOnly(bool on) const;
    bool Delete() const;
    bool MakeDir() const;
    bool RemoveDir() const;
    bool Rename(const char* newName, bool replace) const;
    bool Copy(const char* target, bool overwrite) const;

    static FILE* fsopen(const char* path, const char* mode, int share = -1);

    // Shell strings: expands a text as construction does; defines or changes an entry.
    static STRING ExpandShellString(const STRING& text);
    static bool ShellStringSet(const char* name, const char* value, int flag = 0);
    static void ShellStringsInit();
    // Where the built-in entries take their folders from (by special-folder type; the system's
    // folders unless set). Setting it empties the table, so the next expansion fills it anew.
    using FOLDERSOURCE = STRING (*)(int type);
    static void SetFolderSource(FOLDERSOURCE source);
    // The values of the built-in entries, each without trailing "\".
    static void BuiltInFolders(STRINGARRAY* folders);

private:
    void Construct(const char* text);
    void Join(const STRING& directory, const STRING& name);
    void Normalise();
    void ClearStatus();
};

constexpr int FILENAME_SHELLSTRINGS = 32;
