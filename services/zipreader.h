// The ZIP reader: archive structure, safe member paths and extraction into a folder, with the
// command-line style entry that UNZIPPER and the zipread program use.
#pragma once

#include "services/zipfs.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Results, the worst one of a run wins (larger is worse).
enum ZIPRESULT : int {
    ZIP_OK = 0,
    ZIP_WARNING = 1,  // a member skipped (encrypted, unsupported), prefix data before the archive
    ZIP_ERROR = 2,    // a damaged or refused member: CRC, sizes, local header, unsafe name
    ZIP_BADARCHIVE = 3,  // the archive's structure: directory, overlapping members, several disks
    ZIP_NOMEMORY = 4,
    ZIP_NOTFOUND = 9,  // the archive cannot be opened or is no ZIP archive
    ZIP_BADARGS = 10,
    ZIP_NOMATCH = 11,     // a requested member is not in the archive
    ZIP_OUTPUTFAIL = 50,  // an output file or folder could not be created or written (full disk)
    ZIP_EOF = 51,         // the archive ends early
};

constexpr size_t ZIP_MAXNAME = 259;

struct ZIPMEMBER {
    std::string Name;  // as stored, "\" turned into "/"
    uint64_t Size = 0;
    uint64_t CompressedSize = 0;
    uint64_t LocalOffset = 0;  // prefix shift applied
    uint64_t DataLimit = 0;    // where the next member's header or the directory begins
    uint32_t Crc = 0;
    uint32_t ExternalAttributes = 0;
    uint16_t Method = 0;
    uint16_t Flags = 0;
    uint16_t DosTime = 0;
    uint16_t DosDate = 0;
    uint8_t Needed = 0;
    uint8_t MadeBySystem = 0;

    bool Utf8() const { return (Flags & 0x0800) != 0; }
    bool Encrypted() const { return (Flags & 0x0041) != 0; }
    bool DosAttributes() const;
    bool IsFolder() const;
};

struct ZIPDIRECTORY {
    std::vector<ZIPMEMBER> Members;
    std::unordered_map<std::string, size_t> ByName;  // the first member of each name
    uint64_t PrefixBytes = 0;
    std::string Comment;
};

class ZIPLISTENER {
public:
    virtual ~ZIPLISTENER() = default;
    virtual void Member(const std::string& name, uint64_t size, bool utf8) = 0;
};

// An archive held in memory (tests, fuzzing).
class ZIPMEMORYIN : public ZIPSOURCE {
public:
    ZIPMEMORYIN(const uint8_t* data, size_t size) : Data(data), Length(size) {}
    uint64_t Size() const override { return Length; }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    const uint8_t* Data;
    size_t Length;
};

// The member's path below the target folder, or an empty text when the name is unsafe: absolute,
// a drive letter or stream, a ".." component (also as Windows reads "..." or ".. "), a device
// name, an embedded zero byte.
std::string ZipSafeRelativePath(const std::string& name);

int ZipReadDirectory(ZIPSOURCE& source, ZIPDIRECTORY& directory);
// Hands every member to the listener in directory order (the prefix warning included).
int ZipList(const ZIPDIRECTORY& directory, ZIPLISTENER& listener);
// Extracts the named members, or all when names is empty, below folder.
int ZipExtract(ZIPSOURCE& source, const ZIPDIRECTORY& directory,
               const std::vector<std::string>& names, const std::string& folder);

// The command-line style entry: "unzip", "-v", archive lists the members to listener (printed as
// "SIZE NAME" lines and "total N" when listener is null); "unzip", "-qq", archive, [names...],
// "-d", folder extracts. The directory of the last archive is kept for the next call.
int UnzipMain(int argc, const char* const argv[], ZIPLISTENER* listener);
