#include "services/zipfs.h"

#include "frame/win32api.h"

namespace {

constexpr UINT CODEPAGE_DOS = 437;  // member names without the UTF-8 flag

std::wstring Widen(const std::string& text, UINT codePage)
{
    if (text.empty()) return {};
    int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::wstring Plain(const ZIPPATH& path)
{
    std::wstring folder = Widen(path.Folder, CP_ACP);
    std::wstring relative = Widen(path.Relative, path.Utf8 ? CP_UTF8 : CODEPAGE_DOS);
    for (wchar_t& c : relative) {
        if (c == L'/') c = L'\\';
    }
    if (relative.empty()) return folder;
    if (folder.empty()) return relative;
    wchar_t last = folder.back();
    if (last != L'\\' && last != L'/') folder += L'\\';
    return folder + relative;
}

// Past MAX_PATH the Win32 file functions need the "\\?\" form of the full path; a target folder
// deep below Program Files and a member name of up to 259 bytes easily get there.
std::wstring Extended(const std::wstring& path)
{
    constexpr size_t ROOM = MAX_PATH - 12;  // CreateDirectoryW leaves room for an 8.3 name
    if (path.size() < ROOM || path.rfind(L"\\\\?\\", 0) == 0) return path;
    DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::wstring full(need, L'\0');
    DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need) return path;
    full.resize(got);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring Join(const ZIPPATH& path)
{
    return Extended(Plain(path));
}

bool IsFolderW(const std::wstring& name)
{
    DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeOne(const std::wstring& plain)
{
    std::wstring folder = Extended(plain);
    if (folder.empty() || CreateDirectoryW(folder.c_str(), nullptr)) return true;
    return IsFolderW(folder);
}

HANDLE OpenForWriting(const std::wstring& name)
{
    return CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Through SYSTEMTIME rather than LocalFileTimeToFileTime, which applies today's daylight saving
// bias instead of the one in force on the member's date.
bool DosToUtc(uint16_t dosDate, uint16_t dosTime, FILETIME& utc)
{
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(1980 + (dosDate >> 9));
    local.wMonth = static_cast<WORD>((dosDate >> 5) & 15);
    local.wDay = static_cast<WORD>(dosDate & 31);
    local.wHour = static_cast<WORD>(dosTime >> 11);
    local.wMinute = static_cast<WORD>((dosTime >> 5) & 63);
    local.wSecond = static_cast<WORD>((dosTime & 31) * 2);
    FILETIME check{};
    SYSTEMTIME universal{};
    return SystemTimeToFileTime(&local, &check) &&
           TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) &&
           SystemTimeToFileTime(&universal, &utc);
}

HANDLE AsHandle(intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

ZIPFILEIN::~ZIPFILEIN()
{
    if (AsHandle(Handle) != INVALID_HANDLE_VALUE) CloseHandle(AsHandle(Handle));
}

bool ZIPFILEIN::Open(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    FILETIME written{};
    if (!GetFileSizeEx(file, &size) || !GetFileTime(file, nullptr, nullptr, &written)) {
        CloseHandle(file);
        return false;
    }
    Handle = reinterpret_cast<intptr_t>(file);
    FileSize = static_cast<uint64_t>(size.QuadPart);
    Modified = static_cast<int64_t>((static_cast<uint64_t>(written.dwHighDateTime) << 32) |
                                    written.dwLowDateTime);
    return true;
}

bool ZIPFILEIN::ReadAt(uint64_t offset, void* buffer, size_t size)
{
    auto* bytes = static_cast<char*>(buffer);
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!ReadFile(AsHandle(Handle), bytes, chunk, &got, &at) || got == 0) return false;
        bytes += got;
        size -= got;
        offset += got;
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
    std::wstring name = Join(path);
    HANDLE file = OpenForWriting(name);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED &&
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        file = OpenForWriting(name);
    }
    Handle = reinterpret_cast<intptr_t>(file);
    return file != INVALID_HANDLE_VALUE;
}

bool ZIPFILEOUT::Write(const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD done = 0;
        if (!WriteFile(AsHandle(Handle), bytes, chunk, &done, nullptr) || done == 0) return false;
        bytes += done;
        size -= done;
    }
    return true;
}

bool ZIPFILEOUT::Close()
{
    if (AsHandle(Handle) == INVALID_HANDLE_VALUE) return false;
    bool closed = CloseHandle(AsHandle(Handle)) != 0;
    Handle = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
    return closed;
}

void ZIPFILEOUT::Remove()
{
    if (AsHandle(Handle) == INVALID_HANDLE_VALUE) return;
    CloseHandle(AsHandle(Handle));
    Handle = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
    DeleteFileW(Join(Path).c_str());
}

bool ZipMakeFolders(const ZIPPATH& path)
{
    std::wstring full = Plain(path);
    // Skip the drive ("C:\") or the server and share of a UNC name.
    size_t from = 1;
    if (full.size() > 2 && full[1] == L':') from = 3;
    if (full.rfind(L"\\\\", 0) == 0) {
        from = full.find(L'\\', 2);
        from = from == std::wstring::npos ? full.size() : full.find(L'\\', from + 1);
    }
    for (size_t slash = full.find_first_of(L"\\/", from); slash != std::wstring::npos;
         slash = full.find_first_of(L"\\/", slash + 1)) {
        if (!MakeOne(full.substr(0, slash))) return false;
    }
    return MakeOne(full);
}

bool ZipIsFile(const ZIPPATH& path)
{
    DWORD attributes = GetFileAttributesW(Join(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ZipIsFolder(const ZIPPATH& path)
{
    return IsFolderW(Join(path));
}

bool ZipSetTimeAndAttributes(const ZIPPATH& path, uint16_t dosDate, uint16_t dosTime,
                             uint8_t attributes, bool applyAttributes)
{
    std::wstring name = Join(path);
    bool ok = true;
    FILETIME utc{};
    if (DosToUtc(dosDate, dosTime, utc)) {
        HANDLE file = CreateFileW(name.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ok = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &utc);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    if (!applyAttributes) return ok;
    constexpr DWORD DOSBITS = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    DWORD bits = attributes & DOSBITS;
    return SetFileAttributesW(name.c_str(), bits != 0 ? bits : FILE_ATTRIBUTE_NORMAL) && ok;
}
