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

}  // namespace
