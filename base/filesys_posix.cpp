#include "base/filesys.h"

#include <dirent.h>
#include <errno.h>
#include <fnmatch.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

std::string HostPath(const char* path)
{
    std::string p = path ? path : "";
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

STRING WindowsPath(const std::string& path)
{
    STRING result(path.c_str());
    result.Replace("/", "\\");
    return result;
}

int AttributesOf(const struct stat& st)
{
    int attributes = S_ISDIR(st.st_mode) ? FILESYS::ATTR_DIRECTORY : FILESYS::ATTR_NORMAL;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILESYS::ATTR_READONLY;
    return attributes;
}

int HostAttributes(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return FILESYS::ATTR_NONE;
    if (!S_ISLNK(st.st_mode))
        return AttributesOf(st);
    struct stat target;
    bool toDirectory = stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    return FILESYS::ATTR_REPARSE | (toDirectory ? FILESYS::ATTR_DIRECTORY : FILESYS::ATTR_NORMAL);
}

STRING HomeFolder(const char* below)
{
    const char* home = getenv("HOME");
    if (!home || !*home)
        return STRING();
    STRING folder(home);
    if (below)
        folder += below;
    folder += "/";
    return WindowsPath(folder.Buffer);
}

}  // namespace

namespace FILESYS {

int Attributes(const char* path) { return HostAttributes(HostPath(path)); }

bool SetAttributes(const char* path, int attributes)
{
    std::string p = HostPath(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & ATTR_READONLY) ? mode & ~mode_t(0222) : mode | S_IWUSR;
    return chmod(p.c_str(), mode) == 0;
}

bool Access(const char* path) { return access(HostPath(path).c_str(), F_OK) == 0; }
bool DeleteFile(const char* path) { return unlink(HostPath(path).c_str()) == 0; }
bool MakeDir(const char* path) { return mkdir(HostPath(path).c_str(), 0777) == 0; }

bool RemoveDir(const char* path)
{
    std::string p = HostPath(path);
    struct stat st;
    if (lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        return unlink(p.c_str()) == 0;
    return rmdir(p.c_str()) == 0;
}

bool MoveFile(const char* from, const char* to)
{
    std::string target = HostPath(to);
    struct stat st;
    if (lstat(target.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(HostPath(from).c_str(), target.c_str()) == 0;
}

bool SameFile(const char* a, const char* b)
{
    struct stat sa, sb;
    return stat(HostPath(a).c_str(), &sa) == 0 && stat(HostPath(b).c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool ListDirectory(const char* directory, const char* pattern, ENTRYVISITOR visit, void* context)
{
    std::string dir = HostPath(directory);
    DIR* d = opendir(dir.empty() ? "/" : dir.c_str());
    if (!d)
        return false;
    // Windows compares names without regard to case; so does the pattern here.
    while (dirent* e = readdir(d)) {
        if (fnmatch(pattern, e->d_name, FNM_CASEFOLD) != 0)
            continue;
        int attributes = HostAttributes(dir + "/" + e->d_name);
        visit({e->d_name, attributes}, context);
    }
    closedir(d);
    return true;
}

STRING FullPath(const char* path)
{
    std::string p = HostPath(path);
    if (p.empty() || p[0] != '/') {
        char cwd[PATH_MAX];
        if (!getcwd(cwd, sizeof(cwd)))
            return STRING();
        p = std::string(cwd) + "/" + p;
    }
    std::string out;
    size_t i = 0;
    while (i <= p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos)
            j = p.size();
        std::string part = p.substr(i, j - i);
        if (part == "..") {
            size_t cut = out.rfind('/');
            out.resize(cut == std::string::npos ? 0 : cut);
        } else if (!part.empty() && part != ".") {
            out += "/" + part;
        }
        i = j + 1;
    }
    return WindowsPath(out);
}

void ProtectedFolders(STRINGARRAY* folders)
{
    static const char* const system[] = {"/usr", "/etc", "/bin", "/home", "/tmp"};
    for (const char* folder : system)
        folders->Add(WindowsPath(folder));
    STRING home = HomeFolder(nullptr);
    if (home.Length() > 1) {
        home.SetLength(home.Length() - 1);
        folders->Add(home);
    }
}

STRING DefaultTempFolder()
{
    const char* tmp = getenv("TMPDIR");
    return WindowsPath(tmp && *tmp ? tmp : "/tmp");
}

bool UserName(char* buffer, int size)
{
    const char* user = getenv("USER");
    if (!user || !*user)
        return false;
    snprintf(buffer, size_t(size), "%s", user);
    return true;
}

bool ComputerName(char* buffer, int size)
{
    if (gethostname(buffer, size_t(size)) != 0)
        return false;
    buffer[size - 1] = 0;
    return true;
}

// A stand-in layout below the home folder; the tests set their own values.
STRING SystemFolder(int type)
{
    switch (type) {
    case 5: return HomeFolder("/.config");
    case 6: case 14: case 18: case 19: return HomeFolder(nullptr);
    case 7: return HomeFolder("/Pictures");
    case 8: return HomeFolder("/Desktop");
    case 12: case 13: return WindowsPath("/usr/share");
    default: return STRING();
    }
}

}  // namespace FILESYS

int FILESYS::Descriptor(FILE* stream) { return stream ? fileno(stream) : -1; }
