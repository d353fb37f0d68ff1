// The file operations the ZIP reader needs, one implementation per platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A path below the reader's target folder. Folder is in the system's code page; Relative uses
// "/" between components and is in the archive's encoding: UTF-8 when Utf8, else code page 437.
struct ZIPPATH {
    std::string Folder;
    std::string Relative;
    bool Utf8 = false;
};

// An archive, read at absolute offsets.
class ZIPSOURCE {
public:
    virtual ~ZIPSOURCE() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly size bytes at offset; false on a short read or a failure.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

// An archive file.
class ZIPFILEIN : public ZIPSOURCE {
public:
    ZIPFILEIN() = default;
    ZIPFILEIN(const ZIPFILEIN&) = delete;
    ZIPFILEIN& operator=(const ZIPFILEIN&) = delete;
    ~ZIPFILEIN() override;

    bool Open(const std::string& path);
    uint64_t Size() const override { return FileSize; }
    int64_t ModifiedTime() const { return Modified; }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    intptr_t Handle = -1;  // a file descriptor or a HANDLE
    uint64_t FileSize = 0;
    int64_t Modified = 0;
};

// A member's output file. Dropping an unfinished file (Remove) leaves nothing behind.
class ZIPFILEOUT {
public:
    ZIPFILEOUT() = default;
    ZIPFILEOUT(const ZIPFILEOUT&) = delete;
    ZIPFILEOUT& operator=(const ZIPFILEOUT&) = delete;
    ~ZIPFILEOUT();

    // Creates or truncates the file; an existing read-only file is made writable first.
    bool Create(const ZIPPATH& path);
    bool Write(const void* data, size_t size);
    bool Close();
    void Remove();

private:
    intptr_t Handle = -1;  // a file descriptor or a HANDLE
    ZIPPATH Path;
};

// Creates the folder Folder/Relative and every missing folder above it.
bool ZipMakeFolders(const ZIPPATH& path);
bool ZipIsFolder(const ZIPPATH& path);
bool ZipIsFile(const ZIPPATH& path);
// Applies the DOS date and time (local time) as the last-write time, then, when applyAttributes,
// the DOS attribute bits read-only, hidden, system and archive. Invalid dates are left alone.
bool ZipSetTimeAndAttributes(const ZIPPATH& path, uint16_t dosDate, uint16_t dosTime,
                             uint8_t attributes, bool applyAttributes);
