#include "frame/approot.h"

#include "base/filename.h"
#include "base/osys.h"
#include "frame/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

STRINGARRAY gArguments(64);
STRING gAppName("Application");
STRING gAppVersion("0.00");
STRING gStartDir(".");
STRING gProgramDir(".");
unsigned long gMainThreadId = 0;
bool gLanguageModuleLoaded = false;

namespace {

bool EndsWithNoCase(const STRING& text, const char* ending)
{
    STRING_SIZE_T n = STRING_SIZE_T(strlen(ending));
    return text.Length() >= n && ombix_stricmp(text.Buffer + text.StrLen - n, ending) == 0;
}

STRING SelfPath() { return FILENAME("<self>"); }

// The argument files: "commandline.ini" and "<program>_commandline.ini" in the program and
// start folders, each existing file once.
STRINGARRAY ArgumentFiles(const STRING& self)
{
    STRING trimmed(self);
    while (trimmed.Length() > 0 && strchr("/.", trimmed.Buffer[trimmed.StrLen - 1]))
        trimmed.SetLength(trimmed.StrLen - 1);
    STRING second(".");
    if (EndsWithNoCase(trimmed, ".exe") || EndsWithNoCase(trimmed, ".app")) {
        STRING name = FILENAME(self).GetName();
        second = name.Left(name.Length() - 4) + "_commandline.ini";
    }
    const char* names[] = {"commandline.ini", second.Buffer};
    STRINGARRAY files(8);
    for (const STRING* dir : {&gProgramDir, &gStartDir})
        for (const char* name : names) {
            FILENAME candidate(*dir, STRING(name));
            if (candidate.IsFile() && files.Find(candidate.Buffer) == -1)
                files.Add(candidate);
        }
    return files;
}

void ReadArgumentFile(const STRING& file, bool isService)
{
    STRINGARRAY lines(64);
    lines.Load(file.Buffer);
    for (int i = 0; i < lines.Count(); ++i) {
        STRING line = lines[i];
        if (line.Length() == 0)
            continue;
        line.Strip('B', " \t\r");
        if (!isService)
            OMBIXAPP::LogOption(line.Buffer);
        gArguments.Add(line);
    }
    LOGIT("OMBIXAPP processing of %s done\n", file.Buffer);
}

int LocaleFromName(const STRING& value, int userLanguage)
{
    static const struct {
        const char* name;
        int locale;
    } languages[] = {{"GER", 7}, {"ENGL", 9}, {"FRENCH", 12}, {"HUNGARIAN", 14}};
    for (const auto& language : languages)
        if (value == language.name)
            return language.locale;
    return userLanguage;
}

// The entries that are switches, in order: the text after "/" or "-", and which it was.
template <class VISIT>
void ForEachSwitch(VISIT visit)
{
    MUTEXLOCK lock(gArguments.pLock);
    for (int i = 0; i < gArguments.Count(); ++i) {
        const STRING& entry = gArguments[i];
        if (entry.Length() > 0 && (entry.Buffer[0] == '/' || entry.Buffer[0] == '-'))
            if (visit(i, entry.Buffer + 1, entry.Buffer[0] == '-'))
                return;
    }
}

}  // namespace

namespace OMBIXAPP {

int SplitCommandLine(char* commandLine, char* selfBuffer, char** argv, int maxArgs)
{
    int count = 0;
    if (selfBuffer) {
        snprintf(selfBuffer, 260, "%s", FILENAME("<self>").Buffer);
        argv[count++] = selfBuffer;
    }
    char* p = commandLine;
    while (*p == ' ')
        ++p;
    size_t length = strlen(p);
    while (length > 0 && p[length - 1] == ' ')
        p[--length] = 0;

    while (count < maxArgs - 2 && *p) {
        bool quoted = *p == '"';
        char* start = quoted ? p + 1 : p;
        char* end = strchr(start, quoted ? '"' : ' ');
        if (!end)
            break;
        do
            *end++ = 0;
        while (*end == ' ');
        argv[count++] = start;
        p = end;
    }
    if (*p)
        argv[count++] = *p == '"' ? p + 1 : p;
    argv[count] = nullptr;
    return count;
}

STRING FindProgramDir(const STRING& directory)
{
    static const char* const sources[] = {"main.cpp", "approot.cpp"};
    static const char* const endings[] = {"\\Debug", "\\Debug2", "\\Release", "\\Release2"};
    bool inSourceTree = false;
    for (const char* source : sources)
        inSourceTree = inSourceTree ||
                       PLATFORM::FileAttributes((directory + "\\..\\" + source).Buffer) !=
                           PLATFORM::ATTR_NONE;
    if (!inSourceTree)
        return directory;
    for (const char* ending : endings)
        if (EndsWithNoCase(directory, ending))
            return directory.Left(directory.Length() - STRING_SIZE_T(strlen(ending)));
    return directory;
}

void ReadArguments(int argc, char** argv, int userLanguage)
{
    gMainThreadId = PLATFORM::CurrentThreadId();
    char cwd[260] = ".";
    PLATFORM::CurrentDirectory(cwd, sizeof(cwd));
    gStartDir = cwd;

    STRING self = SelfPath();
    gProgramDir = FindProgramDir(FILENAME(self).GetPath());
    PLATFORM::SetCurrentDirectory(gProgramDir.Buffer);
    STRING selfName = FILENAME(self).GetName();
    bool isService = selfName == "service.exe";
    STRING_SIZE_T dot = selfName.Pos(".");
    SetApplication(dot >= 0 ? selfName.Left(dot).Buffer : selfName.Buffer, gAppVersion.Buffer);

    STRINGARRAY files = ArgumentFiles(self);
    gArguments.Clear();
    for (int i = 0; i < argc; ++i) {
        LogOption(argv[i]);
        gArguments.Add(STRING(argv[i]));
    }
    for (int i = 0; i < files.Count(); ++i)
        ReadArgumentFile(files[i], isService);

    LOGIT("OMBIXAPP arguments acquired\n");
    for (int i = 0; i < gArguments.Count(); ++i)
        LOGIT("OMBIXAPP program argument %d= '%s'\n", i, gArguments[i].Text());

    if (TestArgValue("STARTUPDELAY", 0)) {
        LOGIT("OMBIXAPP sleeping for startupdelay\n");
        OSYS::Sleep(unsigned(GetArgValue("STARTUPDELAY", 0).AsInt()) * 1000);
    }
    gLocale = LocaleFromName(GetArgValue("LANG", 0), userLanguage);

    unsigned long thread = 0, user = 0, system = 0;
    PLATFORM::LocaleIds(&thread, &user, &system);
    LOGIT("OMBIXAPP gLocale= %d, locale= %lx/%lx/%lx, primarylang= %lx\n", gLocale, thread, user,
          system, thread & 0x3FF);
}

const char* LanguageModuleSuffix(int locale)
{
    switch (locale) {
    case 7: return "german.dll";
    case 12: return "french.dll";
    case 14: return "hungarian.dll";
    default: return "english.dll";
    }
}

void SetApplication(const char* appName, const char* version)
{
    gAppName = appName;
    gAppVersion = version;
    SetIdentity(gAppName.Text(), gAppVersion.Text());
}

}  // namespace OMBIXAPP

bool TestArg(const char* name)
{
    bool found = false;
    ForEachSwitch([&](int, const char* text, bool) {
        found = ombix_stricmp(text, name) == 0;
        return found;
    });
    LOGIT("TestArg(\"%s\") returned %d\n", name, int(found));
    return found;
}

bool TestArgValue(const char* name, int n)
{
    size_t length = strlen(name);
    int matches = 0;
    bool found = false;
    ForEachSwitch([&](int, const char* text, bool hyphen) {
        bool match = hyphen ? ombix_stricmp(text, name) == 0
                            : ombix_strnicmp(text, name, length) == 0 && text[length] == ':';
        found = match && matches++ == n;
        return found;
    });
    LOGIT("TestArgValue(\"%s\", %d) returned %d\n", name, n, int(found));
    return found;
}

STRING GetArgValue(const char* name, int n)
{
    size_t length = strlen(name);
    int matches = 0;
    STRING value;
    ForEachSwitch([&](int index, const char* text, bool hyphen) {
        if (ombix_strnicmp(text, name, length) != 0 || matches++ != n)
            return false;
        if (!hyphen) {
            const char* rest = text + length;
            value = rest[0] == ':' ? rest + 1 : rest;
        } else if (index + 1 < gArguments.Count()) {
            value = gArguments[index + 1];
        }
        // A hyphen switch in the last place has no value to give: it stays without buffer.
        return true;
    });
    LOGIT("GetArgValue(\"%s\", %d) returned %s\n", name, n, value.Text());
    return value;
}
