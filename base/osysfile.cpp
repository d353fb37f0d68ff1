#include "base/osysfile.h"

#include "base/filename.h"
#include "base/filesys.h"

#include <cstring>

namespace {

constexpr const char* SOURCE = "osysfile";

bool IsDirectory(const STRING& path)
{
    int attributes = FILESYS::Attributes(path.Buffer);
    return attributes != FILESYS::ATTR_NONE && (attributes & FILESYS::ATTR_DIRECTORY);
}

bool IsDirectoryLink(const STRING& path)
{
    int attributes = FILESYS::Attributes(path.Buffer);
    return attributes != FILESYS::ATTR_NONE && (attributes & FILESYS::ATTR_DIRECTORY) &&
           (attributes & FILESYS::ATTR_REPARSE);
}

STRING Normalised(const STRING& path)
{
    FILENAME name;
    name = path;
    return name;
}

struct ENTRIES {
    STRINGARRAY names{16};
    DYNARRAY<int> attributes{16};
};

void CollectEntry(const FILESYS::ENTRY& entry, void* context)
{
    auto* entries = static_cast<ENTRIES*>(context);
    entries->names.Add(STRING(entry.name));
    entries->attributes.Add(entry.attributes);
}

int ListInto(const STRING& directory, const char* pattern, STRINGARRAY* list, bool recursive)
{
    LOGIT("OSYS::ListFiles %s/%s\n", directory.Text(), pattern);
    if (directory.Length() + 1 + STRING_SIZE_T(strlen(pattern)) >= OSYS::MAXPATH) {
        LOGIT("OSYS::ListFiles %s/%s path too long\n", directory.Text(), pattern);
        return 0;
    }
    // Gathered first, so no enumeration stays open while the subdirectories are listed.
    ENTRIES entries;
    FILESYS::ListDirectory(directory.Buffer, pattern, &CollectEntry, &entries);
    int howmany = 0;
    for (int i = 0; i < entries.names.Count(); ++i) {
        const STRING& name = entries.names[i];
        int attributes = *entries.attributes.Get(i);
        STRING path = directory + "\\" + name;
        if (!(attributes & FILESYS::ATTR_DIRECTORY)) {
            ++howmany;
            LOGIT("OSYS::ListFiles %s/%s found '%s'\n", directory.Text(), pattern, name.Text());
            if (list)
                list->Add(path);
            continue;
        }
        if (name.Buffer[0] == '.' || !recursive)
            continue;
        // What a junction or symbolic link points to belongs to someone else.
        if (attributes & FILESYS::ATTR_REPARSE)
            LOGIT("OSYS::ListFiles %s/%s link '%s' not entered\n", directory.Text(), pattern,
                  name.Text());
        else
            howmany += ListInto(path, pattern, list, recursive);
        if (list)
            list->Add(path);
        ++howmany;
    }
    LOGIT("OSYS::ListFiles %s/%s done, howmany= %d\n", directory.Text(), pattern, howmany);
    return howmany;
}

STRING Comparable(const STRING& path)
{
    STRING full = FILESYS::FullPath(path.Buffer);
    if (!full.HasBuffer())
        full = path;
    return Normalised(full);
}

// "", "C:", "\\server" and "\\server\share": the tops of a file system.
bool IsRoot(const STRING& full)
{
    if (full.Length() == 0 || (full.Length() == 2 && full.Buffer[1] == ':'))
        return true;
    if (full.Length() < 2 || full.Buffer[0] != '\\' || full.Buffer[1] != '\\')
        return false;
    int separators = 0;
    for (STRING_SIZE_T i = 2; i < full.Length(); ++i)
        separators += full.Buffer[i] == '\\';
    return separators <= 1;
}

bool IsProtectedFolder(const STRING& directory)
{
    // The tree functions read "" and "C:" as the top of the drive, as "\*" and "C:\*" do.
    STRING full = Comparable(directory);
    if (IsRoot(directory) || IsRoot(full))
        return true;
    STRINGARRAY folders(16);
    FILESYS::ProtectedFolders(&folders);
    FILENAME::BuiltInFolders(&folders);
    for (int i = 0; i < folders.Count(); ++i)
        if (Comparable(folders[i]) == full)
            return true;
    return false;
}

bool TooLong(const char* operation, const STRING& path)
{
    if (path.Length() < OSYS::MAXPATH)
        return false;
    LOGIT("OSYS::%s %s: path too long\n", operation, path.Text());
    return true;
}

}  // namespace

bool OSYS::CreateDirectoryPath(const STRING& path)
{
    STRING p = Normalised(path);
    if (p.IsEmpty() || TooLong("CreateDirectoryPath", p))
        return false;
    STRINGARRAY parts(p, "\\");
    STRING prefix("");
    int first = 0;
    bool unc = p.Length() > 2 && p.Buffer[0] == '\\' && p.Buffer[1] == '\\' && parts.Count() > 2;
    if (unc) {
        prefix = STRING("\\\\") + parts[2] + "\\";
        first = 3;
    }
    for (int i = first; i < parts.Count(); ++i) {
        if (parts[i].IsEmpty()) {
            prefix += "\\";
            continue;
        }
        prefix += parts[i];
        if (!IsDirectory(prefix)) {
            bool ok = FILESYS::MakeDir(prefix.Buffer);
            LOGIT("OSYS::CreateDirectoryPath mkdir %s returns ok= %d\n", prefix.Buffer, int(ok));
            if (!ok)
                return false;
        }
        prefix += "\\";
    }
    return IsDirectory(p);
}

int OSYS::ListFiles(const STRING& directory, const char* pattern, STRINGARRAY* list, bool recursive)
{
    return ListInto(Normalised(directory), pattern ? pattern : "*", list, recursive);
}

int OSYS::DeleteTree(const STRING& directory, const char* pattern, bool recursive)
{
    STRING start = Normalised(directory);
    LOGIT("OSYS::DeleteTree %s/%s recursive= %d\n", start.Text(), pattern ? pattern : "*",
          int(recursive));
    if (TooLong("DeleteTree", start))
        return 0;
    // An uninstall entry that names such a folder must not wipe it.
    if (IsProtectedFolder(start)) {
        ASSERT(false, "!IsProtectedFolder(directory)", SOURCE, __LINE__, start.Text());
        return 0;
    }
    if (IsDirectoryLink(start)) {
        bool ok = FILESYS::RemoveDir(start.Buffer);
        LOGIT("OSYS::DeleteTree %s is a link, removed it alone: %d\n", start.Buffer, int(ok));
        return 1;
    }
    STRINGARRAY list(64);
    ListFiles(start, pattern, &list, recursive);
    list.Add(start);
    for (int i = 0; i < list.Count(); ++i) {
        int attributes = FILESYS::Attributes(list[i].Buffer);
        if (attributes != FILESYS::ATTR_NONE && !(attributes & FILESYS::ATTR_DIRECTORY))
            FILESYS::DeleteFile(list[i].Buffer);
    }
    int tried = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (!IsDirectory(list[i]))
            continue;
        ++tried;
        FILESYS::RemoveDir(list[i].Buffer);
    }
    return tried;
}

bool OSYS::CopyTree(const STRING& from, const STRING& to, const char* pattern, bool recursive,
                    bool keepExisting)
{
    STRING source = Normalised(from);
    STRING target = Normalised(to);
    if (TooLong("CopyTree", source) || TooLong("CopyTree", target))
        return false;
    STRINGARRAY list(64);
    ListFiles(source, pattern, &list, recursive);
    list.Add(source);
    STRING_SIZE_T fromlen = source.Length();
    bool ok = true;
    for (int i = list.Count() - 1; i >= 0; --i) {
        const STRING& entry = list[i];
        if (entry.Left(fromlen) != source) {
            ASSERTF(false, "source.Left((STRING_SIZE_T)fromlen)==from", SOURCE, __LINE__, "%s::%s",
                    entry.Text(), source.Text());
            continue;
        }
        STRING destination = target + entry.Mid(fromlen);
        if (IsDirectory(entry)) {
            CreateDirectoryPath(destination);
            continue;
        }
        FILENAME file;
        file = entry;
        ok = file.Copy(destination.Buffer, !keepExisting) && ok;
    }
    return ok;
}
