#include "services/zipfs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace {

// Code page 437, the upper half: names without the UTF-8 flag become UTF-8 file names here, as
// they become UTF-16 ones on Windows.
const uint16_t CP437[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

std::string Utf8FromDos(const std::string& name)
{
    std::string out;
    for (unsigned char c : name) {
        uint16_t u = c < 0x80 ? c : CP437[c - 0x80];
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

std::string Join(const ZIPPATH& path)
{
    std::string relative = path.Utf8 ? path.Relative : Utf8FromDos(path.Relative);
    if (relative.empty()) return path.Folder;
    if (path.Folder.empty()) return relative;
    return path.Folder + "/" + relative;
}

bool MakeOne(const std::string& folder)
{
    if (folder.empty() || mkdir(folder.c_str(), 0777) == 0) return true;
    struct stat info {};
    return errno == EEXIST && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int OpenForWriting(const std::string& name)
{
    return open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

bool ValidDosDate(int year, int month, int day, int hour, int minute, int second)
{
    return year >= 1980 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour <= 23 &&
           minute <= 59 && second <= 59;
}

}  // namespace

ZIPFILEIN::~ZIPFILEIN()
{
    if (Handle >= 0) close(static_cast<int>(Handle));
}

bool ZIPFILEIN::Open(const std::string& path)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    Handle = fd;
    FileSize = static_cast<uint64_t>(info.st_size);
    Modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

bool ZIPFILEIN::ReadAt(uint64_t offset, void* buffer, size_t size)
{
    auto* bytes = static_cast<char*>(buffer);
    while (size > 0) {
        ssize_t got = pread(static_cast<int>(Handle), bytes, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

ZIPFILEOUT::~ZIPFILEOUT()
{
    Remove();
}

bool ZIPFILEOUT::Create(const ZIPPATH& path)
{
    Path = path;
    std::string name = Join(path);
    int fd = OpenForWriting(name);
    if (fd < 0 && errno == EACCES && chmod(name.c_str(), 0666) == 0) fd = OpenForWriting(name);
    Handle = fd;
    return fd >= 0;
}

bool ZIPFILEOUT::Write(const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = write(static_cast<int>(Handle), bytes, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

bool ZIPFILEOUT::Close()
{
    if (Handle < 0) return false;
    bool closed = close(static_cast<int>(Handle)) == 0;
    Handle = -1;
    return closed;
}

void ZIPFILEOUT::Remove()
{
    if (Handle < 0) return;
    close(static_cast<int>(Handle));
    Handle = -1;
    unlink(Join(Path).c_str());
}

bool ZipMakeFolders(const ZIPPATH& path)
{
    std::string full = Join(path);
    for (size_t slash = full.find('/', 1); slash != std::string::npos;
         slash = full.find('/', slash + 1)) {
        if (!MakeOne(full.substr(0, slash))) return false;
    }
    return MakeOne(full);
}

bool ZipIsFile(const ZIPPATH& path)
{
    struct stat info {};
    return stat(Join(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ZipIsFolder(const ZIPPATH& path)
{
    struct stat info {};
    return stat(Join(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ZipSetTimeAndAttributes(const ZIPPATH& path, uint16_t dosDate, uint16_t dosTime,
                             uint8_t attributes, bool applyAttributes)
{
    std::string name = Join(path);
    std::tm local{};
    local.tm_year = 80 + (dosDate >> 9);
    local.tm_mon = ((dosDate >> 5) & 15) - 1;
    local.tm_mday = dosDate & 31;
    local.tm_hour = dosTime >> 11;
    local.tm_min = (dosTime >> 5) & 63;
    local.tm_sec = (dosTime & 31) * 2;
    local.tm_isdst = -1;
    bool ok = true;
    if (ValidDosDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec)) {
        struct timeval times[2] = {};
        times[0].tv_sec = times[1].tv_sec = mktime(&local);
        ok = utimes(name.c_str(), times) == 0;
    }
    constexpr uint8_t READONLY = 0x01;
    if (applyAttributes && (attributes & READONLY) != 0) {
        struct stat info {};
        ok = stat(name.c_str(), &info) == 0 &&
             chmod(name.c_str(), info.st_mode & ~static_cast<mode_t>(0222)) == 0 && ok;
    }
    return ok;
}
