#include "services/unzipper.h"

#include "frame/langmodule.h"
#include "frame/ombix.h"
#include "lang/langids.h"
#include "services/zipfs.h"
#include "services/zipreader.h"
#include "ui/msgbox.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <climits>
#include <cstring>

std::vector<std::string> gUnzipNames;
std::vector<uint64_t> gUnzipSizes;
int64_t gUnzipTotalSize64 = 0;
int gUnzipTotalSize = 0;

namespace {

constexpr int ASSERTLINE_LISTING = 88;
constexpr size_t NAMESLOT = 260;

std::vector<bool> gUnzipUtf8;  // whether the member name in the same slot is UTF-8
UNZIPQUESTION gQuestion = nullptr;
void* gQuestionContext = nullptr;

int Saturated(uint64_t value)
{
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

class TABLELISTENER : public ZIPLISTENER {
public:
    void Member(const std::string& name, uint64_t size, bool utf8) override
    {
        gUnzipNames.push_back(name);
        gUnzipSizes.push_back(size);
        gUnzipUtf8.push_back(utf8);
        Total = size > UINT64_MAX - Total ? UINT64_MAX : Total + size;
    }
    uint64_t Total = 0;
};

int Fold(char c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

// Matches one "[...]" set at pattern (just after "["); advances pattern past the "]".
bool MatchSet(const char*& pattern, char c)
{
    bool negated = *pattern == '!' || *pattern == '^';
    if (negated) ++pattern;
    bool hit = false;
    bool first = true;
    while (*pattern && (first || *pattern != ']')) {
        char low = *pattern++;
        char high = low;
        if (*pattern == '-' && pattern[1] && pattern[1] != ']') {
            high = pattern[1];
            pattern += 2;
        }
        hit |= Fold(c) >= Fold(low) && Fold(c) <= Fold(high);
        first = false;
    }
    if (*pattern == ']') ++pattern;
    return hit != negated;
}

bool Matches(const char* pattern, const char* name)
{
    // Backtracking over the last "*" only: linear in practice, no recursion on hostile patterns.
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        const char* p = pattern;
        bool step = false;
        if (*p == '*') {
            starPattern = ++pattern;
            starName = name;
            continue;
        }
        if (*p == '?') {
            step = true;
            ++p;
        } else if (*p == '[') {
            ++p;
            step = MatchSet(p, *name);
        } else if (*p) {
            step = Fold(*p) == Fold(*name);
            ++p;
        }
        if (step) {
            pattern = p;
            ++name;
            continue;
        }
        if (!starPattern) return false;
        pattern = starPattern;
        name = ++starName;
    }
    while (*pattern == '*') ++pattern;
    return *pattern == 0;
}

bool HasWildcard(const STRING& pattern)
{
    return pattern.Find("*") || pattern.Find("?");
}

bool MemberIsUtf8(const char* name)
{
    for (size_t i = 0; i < gUnzipNames.size(); ++i) {
        if (gUnzipNames[i] == name) return gUnzipUtf8[i];
    }
    return false;
}

bool TargetExists(const char* folder, const char* name)
{
    return ZipIsFile({folder, name, MemberIsUtf8(name)});
}

// The parents of the destination; the reader creates the folder itself.
void CreateParents(const char* folder)
{
    std::string path = folder;
    size_t last = path.find_last_of("\\/");
    bool atRoot = last == std::string::npos || last == 0 || (last == 2 && path[1] == ':');
    if (atRoot || ZipIsFolder({path, "", false})) return;
    ZipMakeFolders({path.substr(0, last), "", false});
}

int RunReader(std::vector<std::string> arguments, ZIPLISTENER* listener)
{
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    return UnzipMain(static_cast<int>(argv.size()), argv.data(), listener);
}

}  // namespace

void UnzipSetQuestion(UNZIPQUESTION question, void* context)
{
    gQuestion = question;
    gQuestionContext = context;
}

bool UnzipPlatformQuestion(const char* displayName)
{
    std::string text = UnzipQuestionText(
        OSYS::GetStringFromResource(IDS_OVERWRITE_QUESTION).Text(), displayName);
    bool yes = YesNoMsgBox(UnzipQuestionOwner(), OSYS::GetStringFromResource(IDS_OVERWRITE_TITLE).Text(),
                           text.c_str());
    LOGIT("UNZIPPER::Extract question '%s' answered %s\n", text.c_str(), yes ? "Yes" : "No");
    return yes;
}

std::string UnzipQuestionText(const char* format, const char* argument)
{
    constexpr size_t MAXTEXT = 1023;
    std::string text;
    bool argumentUsed = false;
    for (const char* p = format ? format : ""; *p && text.size() < MAXTEXT; ++p) {
        if (p[0] == '%' && p[1] == '%') {
            text += '%';
            ++p;
        } else if (p[0] == '%' && p[1] == 's' && !argumentUsed) {
            text += argument ? argument : "<NULL>";
            argumentUsed = true;
            ++p;
        } else {
            text += *p;
        }
    }
    if (text.size() > MAXTEXT) text.resize(MAXTEXT);
    return text;
}

bool UnzipWildcardMatch(const char* pattern, const char* name)
{
    return pattern && name && Matches(pattern, name);
}

UNZIPPER::UNZIPPER(const char* archivePath, const char* askOverwriteList, const char* protectedList)
    : archive(archivePath), askOverwrite(askOverwriteList), protectedFiles(protectedList)
{
    askOverwrite.Replace("\\", "/");
    protectedFiles.Replace("\\", "/");
    gUnzipNames.clear();
    gUnzipSizes.clear();
    gUnzipUtf8.clear();
    gUnzipTotalSize64 = 0;
    gUnzipTotalSize = 0;
    TABLELISTENER listener;
    int error = RunReader({"unzip", "-v", archive.HasBuffer() ? archive.Buffer : ""}, &listener);
    ASSERT(error == 0, "error==FALSE", "unzipper", ASSERTLINE_LISTING, archive.Buffer);
    gUnzipTotalSize64 = static_cast<int64_t>(std::min<uint64_t>(listener.Total, INT64_MAX));
    gUnzipTotalSize = Saturated(listener.Total);
    LOGIT("UNZIPPER::UNZIPPER '%s' %lu members, %" PRId64 " bytes\n",
          archive.Buffer ? archive.Buffer : "", static_cast<unsigned long>(gUnzipNames.size()),
          gUnzipTotalSize64);
}

int UNZIPPER::CopySlot(char* buffer)
{
    bool pastEnd = index >= gUnzipNames.size();
    const std::string empty;
    const std::string& name = pastEnd ? empty : gUnzipNames[index];
    size_t length = std::min(name.size(), NAMESLOT - 1);
    std::memcpy(buffer, name.data(), length);
    buffer[length] = 0;
    int size = pastEnd ? 0 : Saturated(gUnzipSizes[index]);
    if (!pastEnd) ++index;
    return size;
}

int UNZIPPER::GetFirst(char* buffer)
{
    index = 0;
    return CopySlot(buffer);
}

int UNZIPPER::GetNext(char* buffer)
{
    return CopySlot(buffer);
}

bool UNZIPPER::Protected(const char* name, const char* folder) const
{
    bool keep = false;
    for (int n = 0;; ++n) {
        STRING entry = protectedFiles.Token(n, "|");
        if (!entry.HasBuffer()) break;
        STRING pattern = entry.Token(0, ";", STRING_TOKEN_NONNULL);
        bool match = HasWildcard(pattern) ? UnzipWildcardMatch(pattern.Buffer, name)
                                          : ombix_stricmp(pattern.Buffer, name) == 0;
        if (match && TargetExists(folder, name)) keep = true;
    }
    return keep;
}

bool UNZIPPER::AskAllows(const char* name, const char* folder) const
{
    for (int n = 0;; ++n) {
        STRING entry = askOverwrite.Token(n, "|");
        if (!entry.HasBuffer()) break;
        STRING listed = entry.Token(0, ";", STRING_TOKEN_NONNULL);
        if (ombix_stricmp(listed.Buffer, name) != 0 || !TargetExists(folder, name)) continue;
        STRING display = entry.Token(1, ";");
        const char* shown = display.IsEmpty() ? name : display.Buffer;
        bool yes = gQuestion ? gQuestion(shown, gQuestionContext) : UnzipPlatformQuestion(shown);
        LOGIT("UNZIPPER::Extract asked to overwrite '%s': %s\n", shown, yes ? "yes" : "no");
        return yes;
    }
    return true;
}

int UNZIPPER::Extract(const char* name, const char* folder, int* extracted)
{
    if (!name || !folder) return 0;
    // The copy step extracts every member into the same folder: look at its parents once.
    if (parentsChecked != folder) {
        CreateParents(folder);
        parentsChecked = folder;
    }
    bool extract = !Protected(name, folder) && AskAllows(name, folder);
    int result = 1;
    if (extract) {
        int r = RunReader(
            {"unzip", "-qq", archive.Buffer ? archive.Buffer : "", name, "-d", folder}, nullptr);
        result = r == 0 ? 1 : 0;
    }
    if (extracted) *extracted = extract ? 1 : 0;
    return result;
}
