// Streaming decoders for the ZIP compression methods the reader supports: 0 stored, 1 shrunk,
// 2-5 reduced, 6 imploded, 8 deflated. Memory use is bounded and independent of member size.
#pragma once

#include <cstddef>
#include <cstdint>

// Delivers the compressed bytes of one member, exactly its compressed size.
class ZIPINPUT {
public:
    virtual ~ZIPINPUT() = default;
    // Returns the number of bytes placed in buffer (0 at the end of the data), -1 on a read
    // failure.
    virtual long Read(uint8_t* buffer, size_t size) = 0;
};

// Receives the uncompressed bytes of one member.
class ZIPOUTPUT {
public:
    virtual ~ZIPOUTPUT() = default;
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

enum class ZIPDECODE {
    OK,
    BADDATA,    // the compressed data is invalid
    TRUNCATED,  // the compressed data ends before the declared size was produced
    TOOLONG,    // the data decodes to more than the declared size
    READFAIL,   // the archive could not be read
    WRITEFAIL,  // the output could not be written (full disk)
    NOMEMORY,
    UNSUPPORTED,  // a method outside the supported set
};

bool ZipMethodSupported(uint16_t method);

// Decodes one member. flags are the member's general-purpose bits (implode reads its window size
// and tree count from them). Output stops at size: a member that would produce more is TOOLONG.
ZIPDECODE ZipDecode(uint16_t method, uint16_t flags, uint64_t compressedSize, uint64_t size,
                    ZIPINPUT& input, ZIPOUTPUT& output);
