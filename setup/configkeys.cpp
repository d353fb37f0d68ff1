#include "setup/configkeys.h"

#include <cstdio>
#include <cstring>

namespace {

void FoldLanguageForms(HASH& table, const char* suffix)
{
    STRING_SIZE_T n = STRING_SIZE_T(strlen(suffix));
    STRINGARRAY keys = table.GetKeys();
    for (int i = 0; i < keys.Count(); ++i) {
        const STRING& key = keys[i];
        if (key.Pos(".") == -1)
            continue;
        bool ownLanguage = key.Length() >= n && ombix_stricmp(key.Buffer + key.StrLen - n, suffix) == 0;
        if (ownLanguage) {
            STRING value = table[key];
            STRING base = key.Left(key.StrLen - n);
            table.Remove(key.Buffer);
            table[base] = value;
        } else {
            table.Remove(key.Buffer);
        }
    }
}

void JoinContinuations(HASH& table)
{
    STRINGARRAY keys = table.GetKeys();
    for (int i = 0; i < keys.Count(); ++i) {
        const STRING& key = keys[i];
        if (key.Pos("_") != -1 || !table.Exists(key.Buffer))
            continue;
        for (int part = 0; part <= 23; ++part) {
            STRING name;
            name.Format("%s_%d", key.Buffer, part);
            if (!table.Exists(name.Buffer))
                continue;
            STRING value = table[name];
            table[key].Append(value);
            table.Remove(name.Buffer);
        }
    }
}

}  // namespace

void FoldLanguageKeys(HASH& table, const char* suffix)
{
    FoldLanguageForms(table, suffix ? suffix : "");
    JoinContinuations(table);
}

STRING& ConfigText(HASH& table, const char* key, const char* defaultValue)
{
    STRING& value = table[key];
    if (defaultValue)
        value.SetIfNoBuffer(STRING(defaultValue));
    return value;
}

int ConfigNumber(HASH& table, const char* key, const char* defaultValue)
{
    return ConfigText(table, key, defaultValue).AsInt();
}

bool ConfigFlag(HASH& table, const char* key, const char* defaultValue)
{
    return ConfigNumber(table, key, defaultValue) != 0;
}

STRING ListField(const STRING& list, int index)
{
    STRING field = list.Token(index, "|");
    field.MakeNonNull();
    return field;
}

STRINGARRAY ConfigList(HASH& table, const char* key, bool keepEmpty)
{
    STRINGARRAY elements(16);
    const STRING& value = ConfigText(table, key);
    for (int i = 0;; ++i) {
        STRING element = value.Token(i, "|");
        if (!element.HasBuffer())
            break;
        if (keepEmpty || element.Length() > 0)
            elements.Add(element);
    }
    return elements;
}

STRING DefaultInstallDir(const STRING& earlierFolder, bool earlierExists, const STRING& installPath,
                         const STRING& programFiles)
{
    if (earlierExists && !earlierFolder.IsEmpty())
        return earlierFolder;
    if (installPath.Length() > 0 && installPath.Buffer[0] == '*')
        return installPath.Mid(1);
    STRING folder = programFiles;
    folder.MakeNonNull();
    return folder.Append(installPath);
}
