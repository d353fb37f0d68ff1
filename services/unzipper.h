#pragma once
// UNZIPPER: lists an archive into the process-wide tables and extracts its members one at a
// time, with the never-overwrite and ask-before-overwrite policies of the setup configuration.

#include "base/strings.h"

#include <cstdint>
#include <string>
#include <vector>

// The listing of the last constructed UNZIPPER, in directory order. The tables grow with the
// archive; names are at most 259 bytes.
extern std::vector<std::string> gUnzipNames;
extern std::vector<uint64_t> gUnzipSizes;
// The sum of all listed sizes; gUnzipTotalSize is its int view, saturated at INT_MAX.
extern int64_t gUnzipTotalSize64;
extern int gUnzipTotalSize;

// The ask-before-overwrite question, true for Yes. Tests may set their own; while none is set,
// string 2992 with the display name is asked in a Yes/No box titled string 2993, owned by the
// active window (a host without boxes answers No and keeps the file).
using UNZIPQUESTION = bool (*)(const char* displayName, void* context);
void UnzipSetQuestion(UNZIPQUESTION question, void* context);
bool UnzipPlatformQuestion(const char* displayName);
// The window the question belongs to: the active window of this program, or none.
void* UnzipQuestionOwner();

// The question's text: the language module's format with its one "%s" replaced by the argument
// ("%%" gives "%", any other "%" stays as it is), at most 1023 characters.
std::string UnzipQuestionText(const char* format, const char* argument);

// The reader's wildcards: "*" any run, "?" one character, "[...]" one of a set ("a-z" ranges,
// "!" or "^" first negates); case ignored; "*" also runs over "/".
bool UnzipWildcardMatch(const char* pattern, const char* name);

class UNZIPPER {
public:
    UNZIPPER(const char* archivePath, const char* askOverwriteList, const char* protectedList);
    UNZIPPER(const UNZIPPER&) = delete;
    UNZIPPER& operator=(const UNZIPPER&) = delete;

    // Copies the name of the first or next member into buffer (at least 260 bytes) and returns
    // its size (saturated at INT_MAX); an empty name ends the listing.
    int GetFirst(char* buffer);
    int GetNext(char* buffer);

    // 1 when the member was extracted or a policy skipped it, 0 on a reader error. *extracted
    // (if given) tells whether extraction was attempted.
    int Extract(const char* name, const char* folder, int* extracted);

private:
    int CopySlot(char* buffer);
    bool Protected(const char* name, const char* folder) const;
    bool AskAllows(const char* name, const char* folder) const;

    STRING archive;
    STRING askOverwrite;
    STRING protectedFiles;
    size_t index = 0;
    std::string parentsChecked;
};
