#include "ui/msgtext.h"

#include "frame/platform.h"

namespace {

constexpr const char* NOWRAP = "##NOWRAP##\r";
constexpr int NOWRAPLENGTH = 11;
constexpr int NTVERSION6 = 5;

bool SystemWrapsBoxes() { return PLATFORM::WindowsVersionClass() >= NTVERSION6; }

bool StartsParagraphOrIndent(char before, char after)
{
    return before == '\r' || after == '\r' || after == ' ' || after == '\t';
}

}  // namespace

STRING LayoutMessageText(const STRING& text, int column, bool force)
{
    STRING source(text);
    source.MakeNonNull();
    source.Replace("\r\n", "\r");
    source.Replace("\n", "\r");

    bool noWrap = source.Length() >= NOWRAPLENGTH &&
                  ombix_strnicmp(source.Buffer, NOWRAP, NOWRAPLENGTH) == 0;
    if (noWrap)
        source.CutLeft(NOWRAPLENGTH);
    STRING_SIZE_T length = source.Length();
    if (length < 2)
        return source;

    bool wrap = force || (column != -1 && !SystemWrapsBoxes());
    const char* s = source.Buffer;
    STRING result("", source.CodePage);
    result.Append(s, 1);
    int counter = 1;
    for (STRING_SIZE_T i = 1; i < length - 1; ++i) {
        char c = s[i];
        bool dropped = false;
        if (!noWrap && c == '\r') {
            if (StartsParagraphOrIndent(s[i - 1], s[i + 1]))
                counter = 0;
            else if (s[i - 1] == ' ')
                dropped = true;
            else
                c = ' ';
        }
        ++counter;
        if (!noWrap && wrap && counter > column && c == ' ') {
            c = '\r';
            counter = 0;
        }
        if (!dropped)
            result.Append(&c, 1);
    }
    result.Append(s + length - 1, 1);
    return result;
}
