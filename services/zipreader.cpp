#include "services/zipreader.h"

#include "frame/ombix.h"
#include "services/zipdecode.h"

#include <zlib.h>

#include <algorithm>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

constexpr uint32_t SIG_LOCAL = 0x04034b50;
constexpr uint32_t SIG_CENTRAL = 0x02014b50;
constexpr uint32_t SIG_END = 0x06054b50;
constexpr uint32_t SIG_END64 = 0x06064b50;
constexpr uint32_t SIG_LOCATOR64 = 0x07064b50;
constexpr size_t END_SIZE = 22;
constexpr size_t END64_SIZE = 56;
constexpr size_t LOCATOR64_SIZE = 20;
constexpr size_t CENTRAL_SIZE = 46;
constexpr size_t LOCAL_SIZE = 30;
constexpr size_t MAXCOMMENT = 0xFFFF;
constexpr uint8_t NEWEST_NEEDED = 45;  // ZIP64; later versions mean features we do not have

// The reader's messages go to the error stream, as a command-line reader's do, and to the log:
// a windowed program shows neither to the user.
void Report(const char* format, ...) OMBIX_PRINTF(1, 2);
void Report(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::fputs(text, stderr);
    LOGIT("UNZIP %s", text);
}

uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p)
{
    return Get16(p) | (static_cast<uint32_t>(Get16(p + 2)) << 16);
}
uint64_t Get64(const uint8_t* p)
{
    return Get32(p) | (static_cast<uint64_t>(Get32(p + 4)) << 32);
}

int Worst(int a, int b)
{
    return std::max(a, b);
}

struct ENDRECORD {
    uint64_t Position = 0;  // of the record that the directory immediately precedes
    uint32_t Disk = 0;
    uint32_t DirectoryDisk = 0;
    uint64_t EntriesHere = 0;
    uint64_t Entries = 0;
    uint64_t DirectorySize = 0;
    uint64_t DirectoryOffset = 0;
    bool Zip64 = false;
    bool CountWrapped = false;
};

// The last end record whose comment fits into the file; bytes after the comment are tolerated.
bool FindEnd(ZIPSOURCE& source, ENDRECORD& end, std::string& comment)
{
    uint64_t size = source.Size();
    if (size < END_SIZE) return false;
    size_t tailSize = static_cast<size_t>(std::min<uint64_t>(size, END_SIZE + MAXCOMMENT));
    std::vector<uint8_t> tail(tailSize);
    uint64_t tailStart = size - tailSize;
    if (!source.ReadAt(tailStart, tail.data(), tailSize)) return false;
    for (size_t i = tailSize - END_SIZE + 1; i-- > 0;) {
        const uint8_t* p = tail.data() + i;
        if (Get32(p) != SIG_END) continue;
        size_t commentLength = Get16(p + 20);
        if (i + END_SIZE + commentLength > tailSize) continue;
        end.Position = tailStart + i;
        end.Disk = Get16(p + 4);
        end.DirectoryDisk = Get16(p + 6);
        end.EntriesHere = Get16(p + 8);
        end.Entries = Get16(p + 10);
        end.DirectorySize = Get32(p + 12);
        end.DirectoryOffset = Get32(p + 16);
        end.CountWrapped = end.Entries == 0xFFFF;
        comment.assign(reinterpret_cast<const char*>(p + END_SIZE), commentLength);
        return true;
    }
    return false;
}

bool ReadEnd64At(ZIPSOURCE& source, uint64_t position, ENDRECORD& end)
{
    uint8_t record[END64_SIZE];
    if (!source.ReadAt(position, record, sizeof record) || Get32(record) != SIG_END64) return false;
    end.Position = position;
    end.Disk = Get32(record + 16);
    end.DirectoryDisk = Get32(record + 20);
    end.EntriesHere = Get64(record + 24);
    end.Entries = Get64(record + 32);
    end.DirectorySize = Get64(record + 40);
    end.DirectoryOffset = Get64(record + 48);
    end.Zip64 = true;
    end.CountWrapped = false;
    return true;
}

// Reads the ZIP64 end record named by the locator before the classic end record. A prefix shifts
// the locator's offset too, so the record is also looked for right before the locator.
int ReadEnd64(ZIPSOURCE& source, ENDRECORD& end, uint32_t& diskCount)
{
    if (end.Position < LOCATOR64_SIZE) return ZIP_OK;
    uint64_t locatorPosition = end.Position - LOCATOR64_SIZE;
    uint8_t locator[LOCATOR64_SIZE];
    if (!source.ReadAt(locatorPosition, locator, sizeof locator) ||
        Get32(locator) != SIG_LOCATOR64) {
        return ZIP_OK;
    }
    diskCount = Get32(locator + 16);
    uint64_t stated = Get64(locator + 8);
    if (stated + END64_SIZE <= locatorPosition && ReadEnd64At(source, stated, end)) return ZIP_OK;
    if (locatorPosition >= END64_SIZE && ReadEnd64At(source, locatorPosition - END64_SIZE, end)) {
        return ZIP_OK;
    }
    Report("error: ZIP64 end of central directory record not found\n");
    return ZIP_BADARCHIVE;
}

// Replaces the classic fields that hold the ZIP64 marker by the values of the ZIP64 extra field.
bool ApplyZip64Extra(const uint8_t* extra, size_t length, ZIPMEMBER& member, uint32_t& size32,
                     uint32_t& compressed32, uint32_t& offset32)
{
    size_t pos = 0;
    while (pos + 4 <= length) {
        uint16_t id = Get16(extra + pos);
        size_t fieldLength = Get16(extra + pos + 2);
        pos += 4;
        if (pos + fieldLength > length) return true;  // a torn extra block carries nothing we use
        if (id == 0x0001) {
            const uint8_t* field = extra + pos;
            size_t need = 0;
            auto take = [&](uint32_t& marker, uint64_t& value) {
                if (marker != 0xFFFFFFFF) return true;
                if (need + 8 > fieldLength) return false;
                value = Get64(field + need);
                need += 8;
                marker = 0;
                return true;
            };
            return take(size32, member.Size) && take(compressed32, member.CompressedSize) &&
                   take(offset32, member.LocalOffset);
        }
        pos += fieldLength;
    }
    return true;
}

// One central directory entry at p (bytes available: left); returns its length or 0.
size_t ParseEntry(const uint8_t* p, size_t left, ZIPMEMBER& member)
{
    if (left < CENTRAL_SIZE || Get32(p) != SIG_CENTRAL) return 0;
    size_t nameLength = Get16(p + 28);
    size_t extraLength = Get16(p + 30);
    size_t commentLength = Get16(p + 32);
    size_t total = CENTRAL_SIZE + nameLength + extraLength + commentLength;
    if (total > left) return 0;
    member.MadeBySystem = p[5];
    member.Needed = p[6];
    member.Flags = Get16(p + 8);
    member.Method = Get16(p + 10);
    member.DosTime = Get16(p + 12);
    member.DosDate = Get16(p + 14);
    member.Crc = Get32(p + 16);
    uint32_t compressed32 = Get32(p + 20);
    uint32_t size32 = Get32(p + 24);
    member.ExternalAttributes = Get32(p + 38);
    uint32_t offset32 = Get32(p + 42);
    member.CompressedSize = compressed32;
    member.Size = size32;
    member.LocalOffset = offset32;
    member.Name.assign(reinterpret_cast<const char*>(p + CENTRAL_SIZE), nameLength);
    std::replace(member.Name.begin(), member.Name.end(), '\\', '/');
    if (!ApplyZip64Extra(p + CENTRAL_SIZE + nameLength, extraLength, member, size32, compressed32,
                         offset32)) {
        return 0;
    }
    return total;
}

// Two members sharing data, or data running into the directory, make the overlapping-file zip
// bomb: refuse the archive. Each member's data must end before the next local header.
bool CheckOverlap(std::vector<ZIPMEMBER>& members, uint64_t directoryStart)
{
    std::vector<size_t> order(members.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return members[a].LocalOffset < members[b].LocalOffset; });
    for (size_t k = 0; k < order.size(); ++k) {
        ZIPMEMBER& member = members[order[k]];
        uint64_t limit = k + 1 < order.size() ? members[order[k + 1]].LocalOffset : directoryStart;
        if (member.LocalOffset > limit || limit - member.LocalOffset < LOCAL_SIZE ||
            limit - member.LocalOffset - LOCAL_SIZE < member.CompressedSize) {
            return false;
        }
        member.DataLimit = limit;
    }
    return true;
}

int CheckEnd(const ENDRECORD& end, uint32_t diskCount, uint64_t& shift)
{
    bool severalDisks =
        end.Disk != 0 || end.DirectoryDisk != 0 || end.EntriesHere != end.Entries || diskCount > 1;
    if (severalDisks) {
        Report("error: archives spread over several disks are not supported\n");
        return ZIP_BADARCHIVE;
    }
    if (end.DirectorySize > end.Position ||
        end.DirectoryOffset > end.Position - end.DirectorySize) {
        Report("error: central directory lies beyond its end record\n");
        return ZIP_BADARCHIVE;
    }
    if (end.Entries > end.DirectorySize / CENTRAL_SIZE && !end.CountWrapped) {
        Report("error: central directory too small for %" PRIu64 " entries\n", end.Entries);
        return ZIP_BADARCHIVE;
    }
    shift = end.Position - end.DirectorySize - end.DirectoryOffset;
    return ZIP_OK;
}

int ParseDirectory(const std::vector<uint8_t>& bytes, const ENDRECORD& end, uint64_t shift,
                   std::vector<ZIPMEMBER>& members)
{
    size_t pos = 0;
    while (end.CountWrapped ? pos < bytes.size() : members.size() < end.Entries) {
        ZIPMEMBER member;
        size_t length = ParseEntry(bytes.data() + pos, bytes.size() - pos, member);
        if (length == 0) {
            Report("error: central directory entry %lu is damaged\n",
                   static_cast<unsigned long>(members.size()));
            return ZIP_BADARCHIVE;
        }
        if (member.LocalOffset > UINT64_MAX - shift) return ZIP_BADARCHIVE;
        member.LocalOffset += shift;
        members.push_back(std::move(member));
        pos += length;
    }
    return ZIP_OK;
}

int ReadDirectory(ZIPSOURCE& source, ZIPDIRECTORY& directory)
{
    ENDRECORD end;
    if (!FindEnd(source, end, directory.Comment)) {
        Report("error: end of central directory not found, no ZIP archive\n");
        return ZIP_NOTFOUND;
    }
    uint32_t diskCount = 0;
    int result = ReadEnd64(source, end, diskCount);
    if (result != ZIP_OK) return result;
    uint64_t shift = 0;
    result = CheckEnd(end, diskCount, shift);
    if (result != ZIP_OK) return result;
    if (end.DirectorySize > SIZE_MAX / 2) return ZIP_NOMEMORY;
    std::vector<uint8_t> bytes(static_cast<size_t>(end.DirectorySize));
    uint64_t directoryStart = end.DirectoryOffset + shift;
    if (!source.ReadAt(directoryStart, bytes.data(), bytes.size())) return ZIP_EOF;
    result = ParseDirectory(bytes, end, shift, directory.Members);
    if (result != ZIP_OK) return result;
    if (!CheckOverlap(directory.Members, directoryStart)) {
        Report("error: members overlap each other or the central directory\n");
        return ZIP_BADARCHIVE;
    }
    for (size_t i = 0; i < directory.Members.size(); ++i) {
        directory.ByName.emplace(directory.Members[i].Name, i);
    }
    directory.PrefixBytes = shift;
    return ZIP_OK;
}

bool IsDeviceName(const std::string& component)
{
    std::string stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : devices) {
        if (stem == device) return true;
    }
    bool numbered =
        stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0);
    return numbered && stem[3] >= '0' && stem[3] <= '9';
}

// Windows drops trailing dots and spaces, so "..." and ".. " name the parent folder there.
bool OnlyDotsAndSpaces(const std::string& component)
{
    return component.find_first_not_of(". ") == std::string::npos;
}

// "./" (as bsdtar stores the folder it archived) is the target folder itself.
bool NamesTheFolderItself(const std::string& name)
{
    return !name.empty() && name.find_first_not_of("./") == std::string::npos &&
           name.find("..") == std::string::npos;
}

// ---- extraction ------------------------------------------------------------------------------

class MEMBERINPUT : public ZIPINPUT {
public:
    MEMBERINPUT(ZIPSOURCE& source, uint64_t start, uint64_t length)
        : Source(source), Position(start), Left(length)
    {
    }

    long Read(uint8_t* buffer, size_t size) override
    {
        size_t count =
            static_cast<size_t>(std::min<uint64_t>(Left, std::min<size_t>(size, 1 << 20)));
        if (count == 0) return 0;
        if (!Source.ReadAt(Position, buffer, count)) return -1;
        Position += count;
        Left -= count;
        return static_cast<long>(count);
    }

private:
    ZIPSOURCE& Source;
    uint64_t Position;
    uint64_t Left;
};

class FILEOUTPUT : public ZIPOUTPUT {
public:
    explicit FILEOUTPUT(ZIPFILEOUT& file) : File(file) {}

    bool Write(const uint8_t* data, size_t size) override
    {
        Crc = crc32_z(Crc, data, size);
        return File.Write(data, size);
    }

    uLong Crc = crc32_z(0, nullptr, 0);

private:
    ZIPFILEOUT& File;
};

int DecodeResult(ZIPDECODE decode, const std::string& name)
{
    switch (decode) {
        case ZIPDECODE::OK:
            return ZIP_OK;
        case ZIPDECODE::TOOLONG:
            Report("error: %s: data longer than its declared size\n", name.c_str());
            return ZIP_ERROR;
        case ZIPDECODE::READFAIL:
            Report("error: %s: unexpected end of archive\n", name.c_str());
            return ZIP_EOF;
        case ZIPDECODE::WRITEFAIL:
            Report("error: %s: write failed, disk full?\n", name.c_str());
            return ZIP_OUTPUTFAIL;
        case ZIPDECODE::NOMEMORY:
            return ZIP_NOMEMORY;
        default:
            Report("error: %s: compressed data damaged or of the wrong size\n", name.c_str());
            return ZIP_ERROR;
    }
}

// Skipped members: the run still goes on, with a warning.
bool Skipped(const ZIPMEMBER& member)
{
    if (member.Encrypted()) {
        Report("warning: skipping %s: encrypted\n", member.Name.c_str());
        return true;
    }
    if (!ZipMethodSupported(member.Method) || member.Needed > NEWEST_NEEDED) {
        Report("warning: skipping %s: method %u / version %u not supported\n", member.Name.c_str(),
               member.Method, member.Needed);
        return true;
    }
    return false;
}

int DataStart(ZIPSOURCE& source, const ZIPMEMBER& member, uint64_t& start)
{
    uint8_t header[LOCAL_SIZE];
    if (!source.ReadAt(member.LocalOffset, header, sizeof header)) return ZIP_EOF;
    if (Get32(header) != SIG_LOCAL) {
        Report("error: %s: bad local header\n", member.Name.c_str());
        return ZIP_ERROR;
    }
    start = member.LocalOffset + LOCAL_SIZE + Get16(header + 26) + Get16(header + 28);
    if (start > member.DataLimit || member.DataLimit - start < member.CompressedSize) {
        Report("error: %s: data overlaps the next member\n", member.Name.c_str());
        return ZIP_ERROR;
    }
    return ZIP_OK;
}

int ExtractFile(ZIPSOURCE& source, const ZIPMEMBER& member, const ZIPPATH& path)
{
    uint64_t start = 0;
    int result = DataStart(source, member, start);
    if (result != ZIP_OK) return result;
    size_t slash = path.Relative.rfind('/');
    ZIPPATH parent{path.Folder, path.Relative.substr(0, slash == std::string::npos ? 0 : slash),
                   path.Utf8};
    if (slash != std::string::npos && !ZipIsFolder(parent) && !ZipMakeFolders(parent)) {
        Report("error: %s: cannot create its folder\n", member.Name.c_str());
        return ZIP_OUTPUTFAIL;
    }
    ZIPFILEOUT file;
    if (!file.Create(path)) {
        Report("error: %s: cannot create the file\n", member.Name.c_str());
        return ZIP_OUTPUTFAIL;
    }
    MEMBERINPUT input(source, start, member.CompressedSize);
    FILEOUTPUT output(file);
    ZIPDECODE decode =
        ZipDecode(member.Method, member.Flags, member.CompressedSize, member.Size, input, output);
    result = DecodeResult(decode, member.Name);
    if (result != ZIP_OK) return result;  // the file's destructor removes the unfinished file
    if (output.Crc != member.Crc) {
        Report("error: %s: bad CRC %08lx (should be %08" PRIx32 ")\n", member.Name.c_str(),
               output.Crc, member.Crc);
        return ZIP_ERROR;
    }
    if (!file.Close()) {
        file.Remove();
        return ZIP_OUTPUTFAIL;
    }
    ZipSetTimeAndAttributes(path, member.DosDate, member.DosTime,
                            static_cast<uint8_t>(member.ExternalAttributes),
                            member.DosAttributes());
    return ZIP_OK;
}

int ExtractMember(ZIPSOURCE& source, const ZIPMEMBER& member, const std::string& folder)
{
    if (member.Name.size() > ZIP_MAXNAME) {
        Report("error: member name longer than %lu bytes refused\n",
               static_cast<unsigned long>(ZIP_MAXNAME));
        return ZIP_ERROR;
    }
    std::string relative = ZipSafeRelativePath(member.Name);
    if (relative.empty() && member.IsFolder() && NamesTheFolderItself(member.Name)) return ZIP_OK;
    if (relative.empty()) {
        Report("error: unsafe member name refused: %s\n", member.Name.c_str());
        return ZIP_ERROR;
    }
    ZIPPATH path{folder, relative, member.Utf8()};
    if (member.IsFolder()) {
        if (ZipMakeFolders(path)) return ZIP_OK;
        Report("error: %s: cannot create the folder\n", member.Name.c_str());
        return ZIP_OUTPUTFAIL;
    }
    if (Skipped(member)) return ZIP_WARNING;
    return ExtractFile(source, member, path);
}

int PrefixWarning(const ZIPDIRECTORY& directory)
{
    if (directory.PrefixBytes == 0) return ZIP_OK;
    Report("warning: %" PRIu64 " extra bytes at beginning of the archive\n", directory.PrefixBytes);
    return ZIP_WARNING;
}

// ---- the command-line entry ------------------------------------------------------------------

struct ARGUMENTS {
    bool List = false;
    std::string Archive;
    std::vector<std::string> Names;
    std::string Folder = ".";
};

// unzip [-v] [-q|-qq] [-d FOLDER] ARCHIVE [NAME...] [-d FOLDER]. Options stand before the
// archive; after it only a last "-d FOLDER" pair is one, so a member named "-v" or "-d" is a name.
bool ParseArguments(int argc, const char* const argv[], ARGUMENTS& arguments)
{
    for (int i = 0; i < argc; ++i) {
        if (argv[i] == nullptr) return false;
    }
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string option = argv[i];
        if (option == "-v") {
            arguments.List = true;
        } else if (option == "-d" && i + 1 < argc) {
            arguments.Folder = argv[++i];
        } else if (option != "-q" && option != "-qq") {
            return false;
        }
    }
    if (i >= argc || argv[i][0] == 0) return false;
    arguments.Archive = argv[i++];
    int namesEnd = argc;
    if (argc - i >= 2 && std::string(argv[argc - 2]) == "-d") {
        arguments.Folder = argv[argc - 1];
        namesEnd = argc - 2;
    }
    for (; i < namesEnd; ++i) {
        arguments.Names.push_back(argv[i]);
        std::replace(arguments.Names.back().begin(), arguments.Names.back().end(), '\\', '/');
    }
    return true;
}

class PRINTLISTENER : public ZIPLISTENER {
public:
    void Member(const std::string& name, uint64_t size, bool) override
    {
        std::printf("%" PRIu64 " %s\n", size, name.c_str());
        Total += size;
    }
    uint64_t Total = 0;
};

struct CACHE {
    std::mutex Lock;
    std::string Path;
    uint64_t Size = 0;
    int64_t Modified = 0;
    std::shared_ptr<const ZIPDIRECTORY> Directory;
};

CACHE& Cache()
{
    static CACHE cache;
    return cache;
}

// The parsed directory of the last archive, reused while path, size and time are the same:
// the copy step extracts member by member and must not parse the directory every time.
int CachedDirectory(const std::string& path, ZIPFILEIN& file,
                    std::shared_ptr<const ZIPDIRECTORY>& directory)
{
    CACHE& cache = Cache();
    std::lock_guard<std::mutex> guard(cache.Lock);
    if (cache.Directory && cache.Path == path && cache.Size == file.Size() &&
        cache.Modified == file.ModifiedTime()) {
        directory = cache.Directory;
        return ZIP_OK;
    }
    auto fresh = std::make_shared<ZIPDIRECTORY>();
    int result = ReadDirectory(file, *fresh);
    if (result != ZIP_OK) return result;
    cache.Path = path;
    cache.Size = file.Size();
    cache.Modified = file.ModifiedTime();
    cache.Directory = fresh;
    directory = fresh;
    return ZIP_OK;
}

int Run(const ARGUMENTS& arguments, ZIPLISTENER* listener)
{
    ZIPFILEIN file;
    if (!file.Open(arguments.Archive)) {
        Report("error: cannot open %s\n", arguments.Archive.c_str());
        return ZIP_NOTFOUND;
    }
    std::shared_ptr<const ZIPDIRECTORY> directory;
    int result = CachedDirectory(arguments.Archive, file, directory);
    if (result != ZIP_OK) return result;
    if (!arguments.List) return ZipExtract(file, *directory, arguments.Names, arguments.Folder);
    if (listener != nullptr) return ZipList(*directory, *listener);
    PRINTLISTENER printer;
    result = ZipList(*directory, printer);
    std::printf("total %" PRIu64 "\n", printer.Total);
    return result;
}

}  // namespace

bool ZIPMEMBER::DosAttributes() const
{
    return MadeBySystem == 0 || MadeBySystem == 6 || MadeBySystem == 10 || MadeBySystem == 14;
}

bool ZIPMEMBER::IsFolder() const
{
    constexpr uint32_t DOSFOLDER = 0x10;
    bool slash = !Name.empty() && Name.back() == '/';
    return slash || (DosAttributes() && (ExternalAttributes & DOSFOLDER) != 0);
}

bool ZIPMEMORYIN::ReadAt(uint64_t offset, void* buffer, size_t size)
{
    if (offset > Length || size > Length - offset) return false;
    if (size == 0) return true;
    std::memcpy(buffer, Data + offset, size);
    return true;
}

std::string ZipSafeRelativePath(const std::string& name)
{
    bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\');
    bool hasColon = name.find(':') != std::string::npos;  // drive letter or alternate stream
    if (name.empty() || absolute || hasColon || name.find('\0') != std::string::npos) return {};
    std::string relative;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        std::string component = name.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".") continue;
        if (OnlyDotsAndSpaces(component) || IsDeviceName(component)) return {};
        if (!relative.empty()) relative += '/';
        relative += component;
    }
    return relative;
}

int ZipReadDirectory(ZIPSOURCE& source, ZIPDIRECTORY& directory)
{
    try {
        return ReadDirectory(source, directory);
    } catch (const std::bad_alloc&) {
        return ZIP_NOMEMORY;
    }
}

int ZipList(const ZIPDIRECTORY& directory, ZIPLISTENER& listener)
{
    int result = ZIP_OK;
    for (const ZIPMEMBER& member : directory.Members) {
        if (member.Name.size() > ZIP_MAXNAME) {
            Report("error: member name longer than %lu bytes refused\n",
                   static_cast<unsigned long>(ZIP_MAXNAME));
            result = Worst(result, ZIP_ERROR);
            continue;
        }
        listener.Member(member.Name, member.Size, member.Utf8());
    }
    return Worst(result, PrefixWarning(directory));
}

int ZipExtract(ZIPSOURCE& source, const ZIPDIRECTORY& directory,
               const std::vector<std::string>& names, const std::string& folder)
{
    int result = ZIP_OK;
    try {
        ZIPPATH target{folder, "", false};
        if (!ZipIsFolder(target) && !ZipMakeFolders(target)) {
            Report("error: cannot create %s\n", folder.c_str());
            return ZIP_OUTPUTFAIL;
        }
        for (const std::string& name : names) {
            auto found = directory.ByName.find(name);
            if (found == directory.ByName.end()) {
                Report("caution: %s not found in the archive\n", name.c_str());
                result = Worst(result, ZIP_NOMATCH);
                continue;
            }
            result = Worst(result, ExtractMember(source, directory.Members[found->second], folder));
        }
        if (names.empty()) {
            for (const ZIPMEMBER& member : directory.Members) {
                result = Worst(result, ExtractMember(source, member, folder));
            }
        }
    } catch (const std::bad_alloc&) {
        return ZIP_NOMEMORY;
    }
    return Worst(result, PrefixWarning(directory));
}

int UnzipMain(int argc, const char* const argv[], ZIPLISTENER* listener)
{
    ARGUMENTS arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        Report("usage: unzip -v ARCHIVE | unzip -qq ARCHIVE [NAME...] -d FOLDER\n");
        return ZIP_BADARGS;
    }
    try {
        return Run(arguments, listener);
    } catch (const std::bad_alloc&) {
        return ZIP_NOMEMORY;
    }
}
