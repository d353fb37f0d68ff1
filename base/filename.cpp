#include "base/filename.h"

#include <errno.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/filesys.h"
#include "base/osysfile.h"
#include "frame/platform.h"

namespace {

constexpr const char* SOURCE = "filename";
constexpr int BLOCKSIZE = 4096;

struct SHELLSTRING {
    STRING Name;
    STRING Alias;
    STRING Value;
    int Flag = 0;
};

SHELLSTRING gShellStrings[FILENAME_SHELLSTRINGS];
bool gShellStringsFilled = false;
FILENAME::FOLDERSOURCE gFolderSource = &FILESYS::SystemFolder;

const struct {
    const char* name;
    int type;
} BUILTIN[] = {
    {"%USERHOME%", 6},     {"%USERPROFILE%", 6},    {"%USERDOCUMENTS%", 14},
    {"%USERDESKTOP%", 8},  {"%APPDATA%", 5},        {"%ALLUSERAPPDATA%", 13},
    {"%ALLUSERPROFILE%", 12}, {"%USERPICTURES%", 7},
};

void StripTrailing(STRING& text, const char* characters)
{
    while (text.Length() > 0 && strchr(characters, text.Buffer[text.StrLen - 1]))
        text.SetLength(text.StrLen - 1);
}

bool StartsWithNoCase(const STRING& text, const STRING& prefix)
{
    return prefix.Length() > 0 && text.Length() >= prefix.Length() &&
           ombix_strnicmp(text.Buffer, prefix.Buffer, size_t(prefix.Length())) == 0;
}

void ReplacePrefix(STRING& text, const STRING& prefix, const STRING& value)
{
    if (StartsWithNoCase(text, prefix))
        text = value + text.Mid(prefix.Length());
}

STRING AliasOf(const char* name)
{
    STRING alias("$(");
    for (const char* p = name; *p; ++p)
        if (*p != '%')
            alias.Append(p, 1);
    return alias + ")";
}

// Longest name first; a stable exchange sort, so entries of equal length keep their order.
void SortShellStrings()
{
    for (int pass = 0; pass < FILENAME_SHELLSTRINGS; ++pass)
        for (int i = 0; i + 1 < FILENAME_SHELLSTRINGS; ++i)
            if (gShellStrings[i].Name.Length() < gShellStrings[i + 1].Name.Length())
                std::swap(gShellStrings[i], gShellStrings[i + 1]);
}

bool SetShellString(const char* name, const char* value, int flag)
{
    for (SHELLSTRING& slot : gShellStrings) {
        bool usable = !slot.Name.HasBuffer() || strcmp(slot.Name.Buffer, name) == 0;
        if (!usable)
            continue;
        slot.Name = name;
        slot.Alias = AliasOf(name);
        slot.Value = value;
        slot.Flag = flag;
        SortShellStrings();
        return true;
    }
    LOGIT("FILENAME::ShellStringSet no free slot for %s\n", name);
    return false;
}

STRING NameOrDefault(bool (*query)(char*, int), const char* fallback)
{
    char name[256];
    return query(name, sizeof(name)) ? STRING(name) : STRING(fallback);
}

STRING TempName()
{
    const char* env = getenv("TEMP");
    STRING folder = env && *env ? STRING(env) : FILESYS::DefaultTempFolder();
    StripTrailing(folder, "\\/");
    if (folder.IsEmpty())
        return STRING();
    static unsigned counter = 0;
    unsigned seed = unsigned(PLATFORM::ProcessId() * 2654435761u) ^ unsigned(PLATFORM::Seconds() * 1e6);
    for (int attempt = 0; attempt < 10000; ++attempt) {
        STRING name;
        name.Format("%s\\omb%05x.tmp", folder.Buffer, (seed + counter++) & 0xFFFFF);
        if (FILESYS::Attributes(name.Buffer) == FILESYS::ATTR_NONE)
            return name;
    }
    return STRING();
}

bool Contains(const char* mode, char c) { return strchr(mode, c) != nullptr; }

}  // namespace

FILENAME::FILENAME() { MakeNonNull(); }
FILENAME::FILENAME(const char* text) { Construct(text); }
FILENAME::FILENAME(const STRING& text) { Construct(text.Buffer); }

FILENAME::FILENAME(const char* directory, const char* name) { Join(STRING(directory), STRING(name)); }
FILENAME::FILENAME(const STRING& directory, const STRING& name) { Join(directory, name); }

FILENAME::FILENAME(const char* directory, const char* subdirectory, const char* name)
    : FILENAME(STRING(directory), STRING(subdirectory), STRING(name))
{
}

FILENAME::FILENAME(const STRING& directory, const STRING& subdirectory, const STRING& name)
{
    auto orDot = [](const STRING& part) { return part.IsEmpty() ? STRING(".") : part; };
    FILENAME first(orDot(directory), orDot(subdirectory));
    Join(first, orDot(name));
    while (Replace("\\.\\", "\\") > 0) {
    }
    StripTrailing(*this, "\\");
}

FILENAME::FILENAME(const FILENAME& other) : STRING(other)
{
    LOGIT("FILENAME::FILENAME returns %s\n", Text());
}

FILENAME& FILENAME::operator=(const char* text)
{
    STRING::operator=(text);
    Normalise();
    return *this;
}

FILENAME& FILENAME::operator=(const STRING& text)
{
    STRING::operator=(text);
    Normalise();
    return *this;
}

FILENAME& FILENAME::operator=(const FILENAME& other)
{
    return operator=(static_cast<const STRING&>(other));
}

void FILENAME::ClearStatus()
{
    StatSize = 0;
    StatModified = {};
    StatValid = false;
}

void FILENAME::Normalise()
{
    ClearStatus();
    CodePage = 1252;
    if (!Buffer)
        return;
    Replace("/", "\\");
    StripTrailing(*this, "\\");
}

void FILENAME::Construct(const char* text)
{
    ClearStatus();
    if (!text) {
        MakeNonNull();
        return;
    }
    STRING source(text);
    if (ombix_stricmp(text, "<self>") == 0) {
        char self[256] = "";
        // A path that does not fit is no path: a cut one would name some other file.
        if (!PLATFORM::ModulePath(self, sizeof(self)))
            LOGIT("FILENAME::FILENAME the program path does not fit in %d bytes\n", int(sizeof(self)));
        source = self;
    } else if (ombix_stricmp(text, "<tmp>") == 0 || ombix_stricmp(text, "<temp>") == 0) {
        source = TempName();
        ASSERT(source.HasBuffer(), "fname", SOURCE, __LINE__);
        source.MakeNonNull();
    }
    STRING::operator=(ExpandShellString(source));
    CodePage = 1252;
}

void FILENAME::Join(const STRING& directory, const STRING& name)
{
    FILENAME own(name.Buffer);
    if (own.IsAbsolute()) {
        STRING::operator=(own);
    } else {
        STRING dir(directory.IsEmpty() ? "." : directory.Buffer);
        dir.Replace("/", "\\");
        StripTrailing(dir, "\\");
        STRING::operator=(ExpandShellString(dir + "\\" + own));
    }
    CodePage = 1252;
    ClearStatus();
    LOGIT("FILENAME::FILENAME returns %s\n", Text());
}

STRING FILENAME::ExpandShellString(const STRING& text)
{
    STRING s(text);
    bool leading = s.Length() > 0 && strchr("$%~", s.Buffer[0]);
    bool hasUser = s.iPos("%USERNAME%") >= 0;
    bool hasComputer = s.iPos("%COMPUTERNAME%") >= 0;
    if (leading || hasUser || hasComputer) {
        if (!gShellStringsFilled)
            ShellStringsInit();
        s.Replace("/", "\\");
        if (s.Length() >= 2 && s.Buffer[0] == '~' && s.Buffer[1] == '\\')
            s = STRING("%USERHOME%") + s.Mid(1);
        if (hasUser)
            s.Replace("%USERNAME%", NameOrDefault(&FILESYS::UserName, "<NULL>").Buffer, false);
        if (hasComputer)
            s.Replace("%COMPUTERNAME%", NameOrDefault(&FILESYS::ComputerName, "<N/A>").Buffer,
                      false);
        for (const SHELLSTRING& slot : gShellStrings) {
            if (!slot.Name.HasBuffer() || !slot.Value.HasBuffer())
                continue;
            STRING value(slot.Value);
            StripTrailing(value, "\\/");
            ReplacePrefix(s, slot.Name, value);
            ReplacePrefix(s, slot.Alias, value);
        }
        LOGIT("FILENAME::ExpandShellString %s -> %s\n", text.Text(), s.Text());
    }
    if (s.HasBuffer()) {
        s.Replace("/", "\\");
        StripTrailing(s, "\\");
    }
    return s;
}

void FILENAME::ShellStringsInit()
{
    LOGIT("FILENAME::ShellStringsInit\n");
    gShellStringsFilled = true;
    for (const auto& entry : BUILTIN) {
        STRING value = gFolderSource ? gFolderSource(entry.type) : STRING();
        SetShellString(entry.name, value.Buffer, 0);
    }
    LOGIT("FILENAME::ShellStringsInit done\n");
}

bool FILENAME::ShellStringSet(const char* name, const char* value, int flag)
{
    LOGIT("FILENAME::ShellStringSet %s %s\n", name ? name : "<NULL>", value ? value : "<NULL>");
    if (!name || !*name)
        return false;
    if (!gShellStringsFilled)
        ShellStringsInit();
    return SetShellString(name, value, flag);
}

void FILENAME::SetFolderSource(FOLDERSOURCE source)
{
    gFolderSource = source ? source : &FILESYS::SystemFolder;
    for (SHELLSTRING& slot : gShellStrings)
        slot = SHELLSTRING();
    gShellStringsFilled = false;
}

void FILENAME::BuiltInFolders(STRINGARRAY* folders)
{
    if (!gShellStringsFilled)
        ShellStringsInit();
    for (const SHELLSTRING& slot : gShellStrings)
        for (const auto& entry : BUILTIN)
            if (slot.Name == entry.name && slot.Value.Length() > 0) {
                STRING value(slot.Value);
                value.Replace("/", "\\");
                StripTrailing(value, "\\");
                folders->Add(value);
            }
}

bool FILENAME::Exists() const
{
    if (Buffer && FILESYS::Access(Buffer))
        return true;
    LOGIT("FILENAME::Exists '%s' returns %s\n", Text(), strerror(errno));
    return false;
}

bool FILENAME::IsDirectory() const
{
    int attributes = GetAttributes();
    return attributes != FILESYS::ATTR_NONE && (attributes & FILESYS::ATTR_DIRECTORY);
}

bool FILENAME::IsFile() const { return Exists() && !IsDirectory(); }

bool FILENAME::IsAbsolute() const
{
    if (Length() == 0)
        return false;
    char first = Buffer[0];
    return first == '\\' || first == '/' || first == '~' || (StrLen > 1 && Buffer[1] == ':');
}

STRING FILENAME::GetName() const
{
    STRING_SIZE_T cut = -1;
    for (STRING_SIZE_T i = 0; i < Length(); ++i)
        if (Buffer[i] == '\\' || Buffer[i] == '/')
            cut = i;
    if (cut < 0 && Length() > 1 && Buffer[1] == ':')
        cut = 1;
    if (cut < 0 && Length() > 0 && Buffer[0] == '~')
        cut = 0;
    STRING name = Mid(cut + 1);
    STRING_SIZE_T lead = 0;
    while (lead < name.Length() && name.Buffer[lead] == '\\')
        ++lead;
    name.CutLeft(lead);
    return name;
}

STRING FILENAME::GetPath() const
{
    STRING_SIZE_T cut = -1;
    for (STRING_SIZE_T i = 0; i < Length(); ++i)
        if (Buffer[i] == '\\' || Buffer[i] == '/')
            cut = i;
    if (cut < 0)
        return STRING(".");
    STRING path = Left(cut);
    StripTrailing(path, "\\");
    return path;
}

int64_t FILENAME::Size()
{
    StatValid = Buffer && PLATFORM::FileStatus(Buffer, &StatSize, &StatModified);
    if (!StatValid)
        ClearStatus();
    return StatValid ? StatSize : -1;
}

int FILENAME::GetAttributes() const
{
    return Buffer ? FILESYS::Attributes(Buffer) : FILESYS::ATTR_NONE;
}

bool FILENAME::SetAttributes(int attributes) const
{
    return Buffer && FILESYS::SetAttributes(Buffer, attributes);
}

bool FILENAME::SetReadOnly(bool on) const
{
    int attributes = GetAttributes();
    if (attributes == FILESYS::ATTR_NONE)
        return false;
    attributes = on ? attributes | FILESYS::ATTR_READONLY : attributes & ~FILESYS::ATTR_READONLY;
    // Windows takes "normal" only on its own; no bits at all means the same.
    return SetAttributes(attributes == 0 ? FILESYS::ATTR_NORMAL : attributes);
}

bool FILENAME::Delete() const { return Buffer && FILESYS::DeleteFile(Buffer); }
bool FILENAME::MakeDir() const { return Buffer && FILESYS::MakeDir(Buffer); }
bool FILENAME::RemoveDir() const { return Buffer && FILESYS::RemoveDir(Buffer); }

bool FILENAME::Rename(const char* newName, bool replace) const
{
    if (!Buffer || !newName)
        return false;
    FILENAME target(GetPath(), FILENAME(newName).GetName());
    bool exists = FILESYS::Attributes(target.Buffer) != FILESYS::ATTR_NONE;
    // A new name that reaches this very file (a change of case) must not delete it first.
    if (replace && exists && !FILESYS::SameFile(Buffer, target.Buffer))
        FILESYS::DeleteFile(target.Buffer);
    return FILESYS::MoveFile(Buffer, target.Buffer);
}

bool FILENAME::Copy(const char* target, bool overwrite) const
{
    if (!Buffer || !target)
        return false;
    if (Length() >= OSYS::MAXPATH || STRING_SIZE_T(strlen(target)) >= OSYS::MAXPATH) {
        LOGIT("FILENAME::Copy %s to %s: path too long\n", Buffer, target);
        return false;
    }
    bool exists = FILESYS::Attributes(target) != FILESYS::ATTR_NONE;
    if (exists && !overwrite)
        return false;
    // Opening the target for writing would empty the source before a single byte is read.
    if (exists && FILESYS::SameFile(Buffer, target)) {
        LOGIT("FILENAME::Copy %s onto itself, nothing to do\n", Buffer);
        return true;
    }
    FILE* in = fsopen(Buffer, "rb");
    if (!in)
        return false;
    FILE* out = fsopen(target, "wb");
    if (!out) {
        fclose(in);
        return false;
    }
    char block[BLOCKSIZE];
    bool ok = true;
    for (size_t n; ok && (n = fread(block, 1, sizeof(block), in)) > 0;)
        ok = fwrite(block, 1, n, out) == n;
    ok = ok && !ferror(in);
    fclose(in);
    ok = fclose(out) == 0 && ok;
    return ok;
}

FILE* FILENAME::fsopen(const char* path, const char* mode, int share)
{
    LOGIT("FILENAME::fsopen(%s, %s, %d)\n", path ? path : "<NULL>", mode ? mode : "<NULL>", share);
    if (!path || !mode)
        return nullptr;
    if (share == -1) {
        bool writes = Contains(mode, 'w') || Contains(mode, 'a') ||
                      (Contains(mode, 'r') && Contains(mode, '+'));
        share = writes                ? PLATFORM::SHARE_DENYRW
                : Contains(mode, 'r') ? PLATFORM::SHARE_DENYWR
                                      : PLATFORM::SHARE_COMPAT;
    }
    FILE* f = PLATFORM::OpenFile(path, mode, share);
    if (f && Contains(mode, 'a'))
        fseek(f, 0, SEEK_END);
    LOGIT("FILENAME::fsopen(%s, %s, %d) returns f= %p, fd= %d\n", path, mode, share,
          static_cast<void*>(f), FILESYS::Descriptor(f));
    return f;
}
