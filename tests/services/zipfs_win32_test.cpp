#include "services/zipreader.h"

#include "frame/win32api.h"
#include "tests/services/zipbuilder.h"
#include "tests/services/ziptestfolder.h"

#include <gtest/gtest.h>

namespace {

DWORD Attributes(const std::filesystem::path& file)
{
    return GetFileAttributesW(file.wstring().c_str());
}

// The DOS bits arrive as the file's attributes; a member from a Unix system keeps the defaults.
TEST(ZipFileWin32, DosAttributeBitsArrive)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "hidden.txt", .Data = "h", .ExternalAttributes = 0x22})
        .Add({.Name = "system.txt", .Data = "s", .ExternalAttributes = 0x05})
        .Add({.Name = "unix.txt", .Data = "u", .ExternalAttributes = 0x06, .MadeBySystem = 3});
    std::vector<uint8_t> bytes = builder.Build();
    ZIPMEMORYIN source(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    ASSERT_EQ(ZipReadDirectory(source, directory), ZIP_OK);
    ZIPTESTFOLDER scratch;
    std::filesystem::path out = scratch.Fresh();
    ASSERT_EQ(ZipExtract(source, directory, {}, out.string()), ZIP_OK);

    constexpr DWORD DOSBITS = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(Attributes(out / "hidden.txt") & DOSBITS,
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
    // Wine reports every file with the archive bit, whatever was set.
    EXPECT_EQ(Attributes(out / "system.txt") & (DOSBITS & ~DWORD{FILE_ATTRIBUTE_ARCHIVE}),
              DWORD{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(Attributes(out / "unix.txt") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
}

// Target folder and member name together longer than MAX_PATH. Wine does not enforce the limit,
// so here this shows only that the "\\?\" form works; on Windows it is what makes it work.
TEST(ZipFileWin32, PathsPastMaxPath)
{
    std::string name = std::string(120, 'a') + "/" + std::string(120, 'b') + ".txt";
    ZIPBUILDER builder;
    builder.Add({.Name = name, .Data = "deep"});
    std::vector<uint8_t> bytes = builder.Build();
    ZIPMEMORYIN source(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    ASSERT_EQ(ZipReadDirectory(source, directory), ZIP_OK);
    ZIPTESTFOLDER scratch;
    std::filesystem::path out = std::filesystem::absolute(scratch.Fresh()) / std::string(40, 'c');
    ASSERT_EQ(ZipExtract(source, directory, {}, out.string()), ZIP_OK);
    std::wstring full = L"\\\\?\\" + (out / std::string(120, 'a') / (std::string(120, 'b') + ".txt"))
                                          .make_preferred()
                                          .wstring();
    ASSERT_GT(full.size(), size_t{MAX_PATH});
    EXPECT_NE(GetFileAttributesW(full.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
