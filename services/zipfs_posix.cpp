#include "services/zipfs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace {

std::string Join(const ZIPPATH& path)
{
    if (path.Relative.empty()) return path.Folder;
    if (path.Folder.empty()) return path.Relative;
    return path.Folder + "/" + path.Relative;
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
