#include "base/binary.h"

#include <cstdio>
#include <cstdlib>

#include "base/filename.h"
#include "base/osys.h"
#include "frame/platform.h"

namespace {

constexpr size_t PIECE = 32768;
constexpr STRING_SIZE_T GRANULE = 65536;

const char* Show(const char* text) { return text ? text : "<NULL>"; }

void LastErrorText(char* buffer, int size)
{
    if (!PLATFORM::ErrorText(PLATFORM::LastError(), buffer, size))
        snprintf(buffer, size_t(size), "error %d", PLATFORM::LastError());
}

}  // namespace

bool BINARY::Load(const char* path, const char* mode)
{
    int64_t size = -1;
    if (!path || !PLATFORM::FileStatus(path, &size, nullptr))
        size = -1;
    LOGIT("BINARY::Load %s (%d bytes)\n", Show(path), int(size));
    FILE* f = FILENAME::fsopen(path, mode, -1);
    char result[256] = "OK";
    if (f) {
        if (size > 0 && size < 0x7FFF0000)
            BlockSize = STRING_SIZE_T((size + GRANULE - 1) / GRANULE * GRANULE);
        Make(0, "");
        char* piece = static_cast<char*>(malloc(PIECE));
        size_t got = PIECE;
        while (piece && got == PIECE) {
            got = fread(piece, 1, PIECE, f);
            AppendBytes(piece, STRING_SIZE_T(got));
        }
        free(piece);
        fclose(f);
    } else {
        LastErrorText(result, sizeof(result));
    }
    LOGIT("BINARY::Load returns %p, %d bytes, %s\n", static_cast<void*>(f), int(Length()), result);
    return f != nullptr;
}

bool BINARY::Save(const char* path, const char* mode) const
{
    LOGIT("BINARY::Save %s\n", Show(path));
    FILE* f = FILENAME::fsopen(path, mode, -1);
    long written = -1;
    char result[256] = "OK";
    if (f) {
        written = Buffer ? long(fwrite(Buffer, 1, size_t(StrLen), f)) : 0;
        OSYS::CommitStream(f);
        if (fclose(f) != 0 || written != Length())
            LastErrorText(result, sizeof(result));
    } else {
        LastErrorText(result, sizeof(result));
    }
    LOGIT("BINARY::Save returns %p, %d bytes, %s\n", static_cast<void*>(f), int(written), result);
    return f != nullptr;
}
