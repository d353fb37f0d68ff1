// Hex, Base64 and backslash-escape conversions of STRING contents.
#include "base/strings.h"

#include <cstring>

namespace {

constexpr const char* SOURCE = "strings";
constexpr const char* ALPHABET =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
// The decode table's alphabet starts with "=", so "=" decodes to the padding mark.
constexpr const char* DECODEALPHABET =
    "=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned char NOTINALPHABET = 0xFF;
constexpr int PADDING = -1;
constexpr int LINELENGTH = 76;
constexpr int STAGESIZE = 125;
constexpr int ESCAPESTAGE = 126;

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What "%2x" makes of a pair: the leading hex digits; nothing readable gives 0.
unsigned char ScanHexPair(const char* pair)
{
    int first = HexValue(pair[0]);
    if (first < 0)
        return 0;
    int second = HexValue(pair[1]);
    return second < 0 ? (unsigned char)first : (unsigned char)(first * 16 + second);
}

struct DECODETABLE {
    unsigned char value[256];
    DECODETABLE()
    {
        memset(value, NOTINALPHABET, sizeof(value));
        for (int i = 0; DECODEALPHABET[i]; ++i)
            value[(unsigned char)DECODEALPHABET[i]] = (unsigned char)i;
    }
};

const DECODETABLE& DecodeTable()
{
    static const DECODETABLE table;
    return table;
}

// Collects output bytes and appends them to the result in pieces.
class STAGE {
public:
    STAGE(STRING& out, int size) : result(out), capacity(size) {}
    ~STAGE() { Flush(); }
    STAGE(const STAGE&) = delete;
    STAGE& operator=(const STAGE&) = delete;
    void Put(char c)
    {
        if (used == capacity)
            Flush();
        bytes[used++] = c;
    }
    void Flush()
    {
        result.AppendBytes(bytes, used);
        used = 0;
    }

private:
    STRING& result;
    int capacity;
    int used = 0;
    char bytes[128];
};

// A group needs two real sextets before it holds a byte; "=" earlier in a group ends the
// data without inventing a byte from the padding mark.
void EmitGroup(const int sextet[4], STAGE& out)
{
    if (sextet[0] == PADDING || sextet[1] == PADDING)
        return;
    out.Put(char((sextet[0] << 2) | (sextet[1] >> 4)));
    if (sextet[2] == PADDING)
        return;
    out.Put(char(((sextet[1] << 4) | (sextet[2] >> 2)) & 0xFF));
    if (sextet[3] == PADDING)
        return;
    out.Put(char(((sextet[2] << 6) | sextet[3]) & 0xFF));
}

void EncodeGroup(const unsigned char* in, int n, char out[4])
{
    unsigned v = unsigned(in[0]) << 16;
    if (n > 1)
        v |= unsigned(in[1]) << 8;
    if (n > 2)
        v |= in[2];
    out[0] = ALPHABET[(v >> 18) & 63];
    out[1] = ALPHABET[(v >> 12) & 63];
    out[2] = n > 1 ? ALPHABET[(v >> 6) & 63] : '=';
    out[3] = n > 2 ? ALPHABET[v & 63] : '=';
}

void EndLine(STRING& result, const char* line, int length, bool crlf)
{
    result.AppendBytes(line, length);
    if (crlf)
        result.AppendBytes("\r\n", 2);
}

// The escape's byte; left counts the bytes after the backslash, consumed those it used.
int EscapeByte(const char* next, STRING_SIZE_T left, bool lenient, const STRING& input,
               STRING_SIZE_T* consumed, bool* keepBackslash)
{
    *consumed = 1;
    *keepBackslash = false;
    switch (next[0]) {
    case '0': return 0;
    case '\\': return '\\';
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'z': return 26;
    default: break;
    }
    if (next[0] == 'x') {
        char xdigit[2] = {left > 1 ? next[1] : char(0), left > 2 ? next[2] : char(0)};
        ASSERT(HexValue(xdigit[0]) >= 0, "isxdigit(xdigit[0])", SOURCE, __LINE__, input.Text());
        ASSERT(HexValue(xdigit[1]) >= 0, "isxdigit(xdigit[1])", SOURCE, __LINE__, input.Text());
        *consumed = 1 + (left > 2 ? 2 : left - 1);
        return ScanHexPair(xdigit);
    }
    if (lenient) {
        *keepBackslash = true;
        return (unsigned char)next[0];
    }
    ASSERT(false, "FALSE", SOURCE, __LINE__, input.Text());
    return (unsigned char)next[0];
}

}  // namespace

STRING STRING::ToHex() const
{
    STRING result;
    if (IsEmpty())
        return result;
    static const char digits[] = "0123456789abcdef";
    result.Make(StrLen * 2);
    for (STRING_SIZE_T i = 0; i < StrLen; ++i) {
        unsigned char b = (unsigned char)Buffer[i];
        result.Buffer[2 * i] = digits[b >> 4];
        result.Buffer[2 * i + 1] = digits[b & 15];
    }
    return result;
}

STRING STRING::FromHex() const
{
    STRING result;
    STRING_SIZE_T pairs = Length() / 2;
    result.Make(pairs);
    for (STRING_SIZE_T i = 0; i < pairs; ++i)
        result.Buffer[i] = char(ScanHexPair(Buffer + 2 * i));
    return result;
}

STRING STRING::ToBase64(bool crlf) const
{
    STRING result;
    STRING_SIZE_T n = Length();
    STRING_SIZE_T expected = n / 3 * 4 + (n / 3 * 4) / LINELENGTH * 2 + 5;
    result.Make(expected);
    result.Make(0);
    const unsigned char* in = reinterpret_cast<const unsigned char*>(Buffer);
    char line[LINELENGTH + 4];
    int used = 0;
    for (STRING_SIZE_T i = 0; i < n; i += 3) {
        if (used + 4 > LINELENGTH) {
            EndLine(result, line, used, crlf);
            used = 0;
        }
        EncodeGroup(in + i, n - i >= 3 ? 3 : int(n - i), line + used);
        used += 4;
    }
    if (used > 0)
        EndLine(result, line, used, crlf);
    return result;
}

STRING STRING::FromBase64() const
{
    STRING result;
    result.Make(0);
    const DECODETABLE& table = DecodeTable();
    {
        STAGE out(result, STAGESIZE);
        int sextet[4] = {PADDING, PADDING, PADDING, PADDING};
        int n = 0;
        for (STRING_SIZE_T i = 0; i < Length(); ++i) {
            unsigned char v = table.value[(unsigned char)Buffer[i]];
            if (v == NOTINALPHABET)
                continue;
            bool padding = v == 0;
            sextet[n] = int(v) - 1;
            if (n < 3)
                sextet[n + 1] = PADDING;
            ++n;
            if (n < 4 && !padding)
                continue;
            EmitGroup(sextet, out);
            if (padding)
                break;
            n = 0;
        }
    }
    result.CodePage = 1252;
    return result;
}

STRING STRING::Unescape(bool lenient) const
{
    STRING result;
    if (!Buffer)
        return result;
    result.BlockSize = StrLen > 0 ? StrLen : STRING_DEFAULTBLOCK;
    result.CodePage = CodePage;
    result.Make(0);
    STAGE out(result, ESCAPESTAGE);
    for (STRING_SIZE_T i = 0; i < StrLen; ++i) {
        char c = Buffer[i];
        if (c != '\\') {
            out.Put(c);
            continue;
        }
        STRING_SIZE_T left = StrLen - i - 1;
        // A backslash that ends the input escapes nothing.
        if (left == 0) {
            if (lenient)
                out.Put('\\');
            else
                ASSERT(false, "FALSE", SOURCE, __LINE__, Text());
            break;
        }
        STRING_SIZE_T consumed;
        bool keepBackslash;
        int b = EscapeByte(Buffer + i + 1, left, lenient, *this, &consumed, &keepBackslash);
        if (keepBackslash)
            out.Put('\\');
        out.Put(char(b));
        i += consumed;
    }
    out.Flush();
    return result;
}
