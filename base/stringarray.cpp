#include "base/stringarray.h"

#include "frame/platform.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr int LINEBUFFER = 32767;
}

STRINGARRAY::STRINGARRAY(int initialSize, const char* typeName)
    : DYNARRAY<STRING>(initialSize, typeName, 64)
{
}

STRINGARRAY::STRINGARRAY(const STRING& source, const char* separators, int initialSize)
    : STRINGARRAY(initialSize)
{
    LOGITLEVEL(1, "STRINGARRAY::STRINGARRAY source= %s, token= %s\n", source.Text(),
               separators ? separators : "<NULL>");
    if (!source.Buffer)
        return;
    const char* seps = separators ? separators : "";
    STRING_SIZE_T start = 0;
    for (STRING_SIZE_T i = 0; i < source.StrLen; ++i) {
        if (source.Buffer[i] && strchr(seps, source.Buffer[i])) {
            Add(STRING(source.Buffer + start, i - start, 0));
            start = i + 1;
        }
    }
    Add(STRING(source.Buffer + start, source.StrLen - start, 0));
}

int STRINGARRAY::CompareItems(const STRING& a, const STRING& b, int flags) const
{
    if (flags & 1)
        return a.AsInt() - b.AsInt();
    if (flags & 0x10)
        return ombix_stricmp(a.Text(), b.Text());
    return strcmp(a.Text(), b.Text());
}

int STRINGARRAY::Find(const char* text, int mode) const
{
    MUTEXLOCK lock(pLock);
    STRING wanted(text);
    size_t length = text ? strlen(text) : 0;
    for (int i = 0; i < ItemCount; ++i) {
        const STRING& item = *ppItems[i];
        bool match = false;
        switch (mode) {
        case FIND_EQUAL: match = item == wanted; break;
        case FIND_PREFIX: match = text && item.Buffer && ombix_strnicmp(item.Buffer, text, length) == 0; break;
        case FIND_CONTAINS: match = text && item.iPos(text) != -1; break;
        case FIND_NUMERIC: match = item.AsInt() == wanted.AsInt(); break;
        default: break;
        }
        if (match)
            return i;
    }
    return -1;
}

int STRINGARRAY::Load(const char* path, bool unescape)
{
    (void)unescape;
    int64_t size = -1;
    if (!PLATFORM::FileStatus(path, &size, nullptr))
        size = -1;
    LOGIT("STRINGARRAY::Load %s (%ld bytes)\n", path ? path : "<NULL>", long(size));
    FILE* f = path ? PLATFORM::OpenFile(path, "r", PLATFORM::SHARE_DENYWR) : nullptr;
    int lines = 0;
    if (f) {
        MUTEXLOCK lock(pLock);
        char* chunk = static_cast<char*>(malloc(LINEBUFFER));
        STRING line;
        line.MakeNonNull();
        size_t got;
        while (chunk && (got = fread(chunk, 1, LINEBUFFER, f)) > 0) {
            size_t start = 0;
            for (size_t i = 0; i < got; ++i) {
                if (chunk[i] != '\n')
                    continue;
                line.AppendBytes(chunk + start, STRING_SIZE_T(i - start));
                Insert(lines++, line);
                line.Make(0);
                start = i + 1;
            }
            line.AppendBytes(chunk + start, STRING_SIZE_T(got - start));
        }
        // A last line without line feed counts only when it holds something.
        if (!line.IsEmpty())
            Insert(lines++, line);
        free(chunk);
        fclose(f);
    }
    char error[256] = "";
    PLATFORM::ErrorText(PLATFORM::LastError(), error, sizeof(error));
    LOGIT("STRINGARRAY::Load returns %d, %s\n", lines, error);
    return lines;
}

STRING& STRINGARRAY::operator[](int i) const
{
    // A bad index has been reported; the caller gets a fresh string without buffer.
    static STRING none;
    STRING* item = Get(i);
    if (item)
        return *item;
    none = STRING();
    return none;
}
