#include "services/zipreader.h"

#include "tests/services/zipbuilder.h"
#include "tests/services/ziptestfolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A full disk while writing: /dev/full fails every write with ENOSPC. The member's output name
// is a link to it, so the reader writes there and must report the failure and remove the name.
TEST(ZipFilePosix, FullDiskIsAnErrorAndLeavesNoFile)
{
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ZIPBUILDER builder;
    builder.Add({.Name = "big.dat", .Data = std::string(200000, 'z'), .Method = 8})
        .Add({.Name = "small.txt", .Data = "fits"});
    std::vector<uint8_t> bytes = builder.Build();
    ZIPTESTFOLDER scratch;
    fs::path out = scratch.Fresh();
    fs::create_directories(out);
    ASSERT_EQ(symlink("/dev/full", (out / "big.dat").c_str()), 0);

    ZIPMEMORYIN source(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    ASSERT_EQ(ZipReadDirectory(source, directory), ZIP_OK);
    EXPECT_EQ(ZipExtract(source, directory, {}, out.string()), ZIP_OUTPUTFAIL);
    EXPECT_FALSE(fs::exists(fs::symlink_status(out / "big.dat")));
    EXPECT_TRUE(fs::is_regular_file(out / "small.txt"));
}

}  // namespace
