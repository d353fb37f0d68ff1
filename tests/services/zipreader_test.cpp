#include "services/zipreader.h"

#include "services/zipdecode.h"
#include "tests/services/ziptestfolder.h"
#include "tests/services/zipbuilder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path TestData()
{
    const char* fromEnvironment = std::getenv("OMBIX_ZIPTESTDATA");
    return fromEnvironment ? fs::path(fromEnvironment) : fs::path(OMBIX_ZIPTESTDATA);
}

struct FILEINFO {
    uint64_t Size = 0;
    uint32_t Crc = 0;
};

FILEINFO Inspect(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    FILEINFO info;
    info.Size = data.size();
    info.Crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    return info;
}

struct MANIFESTROW {
    std::string Archive;
    std::string Name;
    int Method = 0;
    uint32_t Crc = 0;
    uint64_t Size = 0;
};

std::vector<MANIFESTROW> ReadManifest()
{
    std::vector<MANIFESTROW> rows;
    std::ifstream in(TestData() / "MANIFEST.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        if (fields.size() < 9) continue;
        MANIFESTROW row;
        row.Archive = fields[0];
        row.Name = fields[2];
        row.Method = std::stoi(fields[3]);
        row.Crc = static_cast<uint32_t>(std::stoul(fields[6], nullptr, 16));
        row.Size = std::stoull(fields[8]);
        rows.push_back(row);
    }
    return rows;
}

int Unzip(std::vector<std::string> arguments, ZIPLISTENER* listener = nullptr)
{
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    return UnzipMain(static_cast<int>(argv.size()), argv.data(), listener);
}

int ExtractAll(const fs::path& archive, const fs::path& folder)
{
    return Unzip({"unzip", "-qq", archive.string(), "-d", folder.string()});
}

class LISTING : public ZIPLISTENER {
public:
    void Member(const std::string& name, uint64_t size, bool) override
    {
        Names.push_back(name);
        Total += size;
    }
    std::vector<std::string> Names;
    uint64_t Total = 0;
};

class ZipReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(TestData() / "MANIFEST.tsv"))
            GTEST_SKIP() << "no test data at " << TestData();
    }
    ZIPTESTFOLDER Scratch;
};

// Every shrunk, reduced and imploded member of the collected archives arrives with the size and
// CRC the archive's directory gives.
TEST_F(ZipReaderTest, LegacyMethodsExtractWithManifestCrc)
{
    std::map<std::string, std::vector<MANIFESTROW>> byArchive;
    for (const MANIFESTROW& row : ReadManifest()) {
        if (row.Method >= 1 && row.Method <= 6) byArchive[row.Archive];
    }
    for (const MANIFESTROW& row : ReadManifest()) {
        if (byArchive.count(row.Archive)) byArchive[row.Archive].push_back(row);
    }
    ASSERT_GE(byArchive.size(), 15u);
    for (const auto& [archive, rows] : byArchive) {
        SCOPED_TRACE(archive);
        fs::path out = Scratch.Fresh();
        EXPECT_EQ(ExtractAll(TestData() / archive, out), ZIP_OK);
        for (const MANIFESTROW& row : rows) {
            SCOPED_TRACE(row.Name);
            // The manifest spells names in UTF-8, as they arrive on disk.
            std::u8string name(row.Name.begin(), row.Name.end());
            FILEINFO info = Inspect(out / fs::path(name));
            EXPECT_EQ(info.Size, row.Size);
            EXPECT_EQ(info.Crc, row.Crc);
        }
    }
}

struct ARCHIVECASE {
    const char* Archive;
    int Result;
    std::vector<const char*> Present;  // files (or folders, ending in "/") that must exist
    std::vector<const char*> Absent;
};

const ARCHIVECASE ARCHIVECASES[] = {
    {"commons-compress/COMPRESS-546.zip", ZIP_NOTFOUND, {}, {}},
    {"commons-compress/COMPRESS-621.zip", ZIP_WARNING, {"COMPRESS-621.txt"}, {}},
    {"commons-compress/apache-maven-2.2.1.zip.001", ZIP_NOTFOUND, {}, {}},
    {"commons-compress/archive_with_trailer.zip", ZIP_OK, {"test1.xml", "test2.xml"}, {}},
    {"commons-compress/bzip2-zip.zip", ZIP_WARNING, {}, {"lots-of-as"}},
    {"commons-compress/invalid-zip.zip", ZIP_NOTFOUND, {}, {}},
    {"commons-compress/lorem-ipsum-deflate64.zip", ZIP_WARNING, {}, {"lorem-ipsum.txt"}},
    {"commons-compress/moby.zip", ZIP_WARNING, {}, {"README"}},
    {"commons-compress/password-encrypted.zip",
     ZIP_WARNING,
     {"bin/", "boot/", "conf/"},
     {"LICENSE.txt", "bin/mvn"}},
    {"commons-compress/split_zip_created_by_zip.zip", ZIP_BADARCHIVE, {}, {}},
    {"libarchive/test_compat_zip_6.zip",
     ZIP_OK,
     {"New Folder/New Folder/", "New Folder/New Folder/New Text Document.txt"},
     {}},
    {"libarchive/test_compat_zip_8.zip", ZIP_OK, {"arc/test"}, {}},
    {"libarchive/test_read_format_zip.zip", ZIP_ERROR, {"dir/", "file1"}, {"file2"}},
    {"libarchive/test_read_format_zip_comment_stored_1.zip", ZIP_OK, {"file0", "build.sh"}, {}},
    {"libarchive/test_read_format_zip_comment_stored_2.zip", ZIP_OK, {"file0", "build.sh"}, {}},
    {"libarchive/test_read_format_zip_encryption_data.zip", ZIP_WARNING, {}, {"bar.txt"}},
    {"libarchive/test_read_format_zip_encryption_header.zip", ZIP_BADARCHIVE, {}, {}},
    {"libarchive/test_read_format_zip_encryption_partially.zip",
     ZIP_WARNING,
     {"bar.txt"},
     {"foo.txt"}},
    {"libarchive/test_read_format_zip_high_compression.zip", ZIP_OK, {"char.bin"}, {}},
    {"libarchive/test_read_format_zip_length_at_end.zip", ZIP_OK, {"hello.txt"}, {}},
    {"libarchive/test_read_format_zip_malformed1.zip", ZIP_NOTFOUND, {}, {}},
    {"libarchive/test_read_format_zip_msdos.zip",
     ZIP_OK,
     {"abc", "def/", "def/foo", "ghi/", "jkl/", "mno/"},
     {}},
    {"libarchive/test_read_format_zip_padded1.zip", ZIP_WARNING, {"file0", "file1"}, {}},
    {"libarchive/test_read_format_zip_padded2.zip", ZIP_OK, {"file0", "file1"}, {}},
    {"libarchive/test_read_format_zip_padded3.zip", ZIP_WARNING, {"file0", "file1"}, {}},
    {"libarchive/test_read_format_zip_sfx", ZIP_WARNING, {"file0", "build.sh"}, {}},
    {"libarchive/test_read_format_zip_size_exceeds_declared_deflate.zip",
     ZIP_ERROR,
     {"second"},
     {"first"}},
    {"libarchive/test_read_format_zip_size_exceeds_declared_stored.zip",
     ZIP_ERROR,
     {"second"},
     {"first"}},
    {"libarchive/test_read_format_zip_symlink_unsupported_compression.zip",
     ZIP_WARNING,
     {"second"},
     {"bad_symlink"}},
    {"libarchive/test_read_format_zip_traditional_encryption_data.zip",
     ZIP_WARNING,
     {},
     {"bar.txt", "foo.txt"}},
    {"libarchive/test_read_format_zip_uncompressed_size_off_by_4gib.zip",
     ZIP_ERROR,
     {},
     {"hello.txt"}},
    {"libarchive/test_read_format_zip_zip64a.zip", ZIP_OK, {"-"}, {}},
    {"libarchive/test_read_format_zip_zip64b.zip", ZIP_OK, {"-"}, {}},
    {"recursiveextractor/zip-slip.zip", ZIP_ERROR, {"good.txt"}, {"tmp/evil.txt"}},
    {"sharpcompress/Infozip.nocomp.multi.zip", ZIP_BADARCHIVE, {}, {}},
    {"sharpcompress/WinZip26.nocomp.multi.zip", ZIP_BADARCHIVE, {}, {}},
    {"sharpcompress/Zip.EntryComment.zip", ZIP_OK, {"test.txt"}, {}},
    {"sharpcompress/Zip.LongComment.zip", ZIP_OK, {"A Text File.txt"}, {}},
    {"sharpcompress/Zip.none.encrypted.zip", ZIP_WARNING, {}, {"first.txt", "second.txt"}},
    {"sharpcompress/zipcrypto.zip", ZIP_WARNING, {}, {"brown.txt"}},
    {"zip2/aes_archive.zip", ZIP_WARNING, {}, {"secret_data_128"}},
    {"zip2/comment_garbage.zip", ZIP_OK, {}, {}},
    {"zip2/data_descriptor.zip", ZIP_OK, {"hello.txt"}, {}},
    {"zip2/ignore_encryption_flag.zip", ZIP_WARNING, {}, {"plaintext.txt"}},
    {"zip2/invalid_cde_number_of_files_allocation_greater_offset.zip", ZIP_BADARCHIVE, {}, {}},
    {"zip2/invalid_cde_number_of_files_allocation_smaller_offset.zip", ZIP_BADARCHIVE, {}, {}},
    {"zip2/invalid_offset.zip", ZIP_BADARCHIVE, {}, {}},
    {"zip2/invalid_offset2.zip", ZIP_BADARCHIVE, {}, {}},
    {"zip2/zip64_demo.zip", ZIP_WARNING, {"-"}, {}},
};

// Each archive's result, what arrives and what must not, and that nothing lands beside the
// target folder.
TEST_F(ZipReaderTest, CollectedArchivesGiveTheirResults)
{
    for (const ARCHIVECASE& c : ARCHIVECASES) {
        SCOPED_TRACE(c.Archive);
        fs::path out = Scratch.Fresh();
        EXPECT_EQ(ExtractAll(TestData() / c.Archive, out), c.Result);
        for (const char* name : c.Present) {
            std::string path = name;
            bool folder = path.back() == '/';
            EXPECT_TRUE(folder ? fs::is_directory(out / path) : fs::is_regular_file(out / path))
                << path;
        }
        for (const char* name : c.Absent) EXPECT_FALSE(fs::exists(out / name)) << name;
        EXPECT_EQ(Scratch.EntriesBesideTarget(), 0u);
    }
}

TEST_F(ZipReaderTest, ListingGivesNamesWithSlashesAndTotal)
{
    LISTING listing;
    EXPECT_EQ(Unzip({"unzip", "-v", (TestData() / "libarchive/test_compat_zip_8.zip").string()},
                    &listing),
              ZIP_OK);
    EXPECT_EQ(listing.Names, std::vector<std::string>{"arc/test"});
    EXPECT_EQ(listing.Total, 14u);

    LISTING empty;
    EXPECT_EQ(Unzip({"unzip", "-v", (TestData() / "zip2/comment_garbage.zip").string()}, &empty),
              ZIP_OK);
    EXPECT_TRUE(empty.Names.empty());

    LISTING prefixed;
    EXPECT_EQ(Unzip({"unzip", "-v", (TestData() / "libarchive/test_read_format_zip_sfx").string()},
                    &prefixed),
              ZIP_WARNING);
    EXPECT_EQ(prefixed.Names, (std::vector<std::string>{"file0", "build.sh"}));
}

// The comment is found behind the end record, also with stale bytes after it.
TEST_F(ZipReaderTest, ArchiveCommentsAreRead)
{
    struct {
        const char* Archive;
        const char* Comment;
    } cases[] = {
        {"libarchive/test_read_format_zip_comment_stored_1.zip",
         "This is a sample file for issue 271."},
        {"libarchive/test_read_format_zip_sfx", "This is a sample file for issue 257."},
        {"zip2/comment_garbage.zip", "short."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Archive);
        ZIPFILEIN file;
        ASSERT_TRUE(file.Open((TestData() / c.Archive).string()));
        ZIPDIRECTORY directory;
        EXPECT_EQ(ZipReadDirectory(file, directory), ZIP_OK);
        EXPECT_EQ(directory.Comment, c.Comment);
    }
}

TEST_F(ZipReaderTest, ExtractsOneNamedMemberOnly)
{
    fs::path out = Scratch.Fresh();
    fs::path archive = TestData() / "sharpcompress/Zip.reduce2.zip";
    EXPECT_EQ(Unzip({"unzip", "-qq", archive.string(), "TEST.JPG", "-d", out.string()}), ZIP_OK);
    EXPECT_EQ(Inspect(out / "TEST.JPG").Crc, 0x088814e3u);
    EXPECT_FALSE(fs::exists(out / "TEST.EXE"));
    EXPECT_EQ(Unzip({"unzip", "-qq", archive.string(), "NOSUCH", "-d", out.string()}), ZIP_NOMATCH);
    // Names are asked for with either separator.
    fs::path backslashed = TestData() / "libarchive/test_compat_zip_8.zip";
    EXPECT_EQ(Unzip({"unzip", "-qq", backslashed.string(), "arc\\test", "-d", out.string()}),
              ZIP_OK);
    EXPECT_TRUE(fs::is_regular_file(out / "arc" / "test"));
}

TEST(ZipReaderArguments, BadArgumentsAndMissingArchive)
{
    EXPECT_EQ(Unzip({"unzip"}), ZIP_BADARGS);
    EXPECT_EQ(Unzip({"unzip", "-qq"}), ZIP_BADARGS);
    EXPECT_EQ(Unzip({"unzip", "-x", "x.zip"}), ZIP_BADARGS);
    EXPECT_EQ(Unzip({"unzip", "-v", "/nonexistent/archive.zip"}), ZIP_NOTFOUND);
}

// ---- member names ----------------------------------------------------------------------------

TEST(ZipSafeRelativePath, RefusesEverythingThatLeavesTheFolder)
{
    struct {
        const char* Name;
        const char* Expected;  // "" = refused
    } cases[] = {
        {"a.txt", "a.txt"},
        {"dir/sub/a.txt", "dir/sub/a.txt"},
        {"dir\\sub\\a.txt", "dir/sub/a.txt"},
        {"./dir//a.txt", "dir/a.txt"},
        {"dir/", "dir"},
        {"a..b/c..", "a..b/c.."},
        {"../evil.txt", ""},
        {"dir/../../evil.txt", ""},
        {"dir\\..\\..\\evil.txt", ""},
        {"..", ""},
        {"dir/...", ""},
        {"dir/.. /x", ""},
        {"/etc/passwd", ""},
        {"\\windows\\win.ini", ""},
        {"\\\\server\\share\\x", ""},
        {"C:/autoexec.bat", ""},
        {"c:evil", ""},
        {"file.txt:stream", ""},
        {"dir/CON", ""},
        {"nul.txt", ""},
        {"lpt1", ""},
        {"console.txt", "console.txt"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ZipSafeRelativePath(c.Name), c.Expected);
    }
    EXPECT_EQ(ZipSafeRelativePath(std::string("a\0b", 3)), "");
}

// ---- built archives --------------------------------------------------------------------------

class ZipBuiltTest : public ::testing::Test {
protected:
    int ExtractBuilt(const std::vector<uint8_t>& bytes, const fs::path& out,
                     std::vector<std::string> names = {})
    {
        ZIPMEMORYIN source(bytes.data(), bytes.size());
        ZIPDIRECTORY directory;
        int result = ZipReadDirectory(source, directory);
        if (result != ZIP_OK) return result;
        return ZipExtract(source, directory, names, out.string());
    }
    ZIPTESTFOLDER Scratch;
};

TEST_F(ZipBuiltTest, TraversalNamesAreRefusedAndNothingLeavesTheFolder)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "good.txt", .Data = "good"})
        .Add({.Name = "..\\evil1.txt", .Data = "evil"})
        .Add({.Name = "sub/../../evil2.txt", .Data = "evil"})
        .Add({.Name = "/evil3.txt", .Data = "evil"})
        .Add({.Name = "C:evil4.txt", .Data = "evil"});
    fs::path out = Scratch.Fresh();
    EXPECT_EQ(ExtractBuilt(builder.Build(), out), ZIP_ERROR);
    EXPECT_TRUE(fs::is_regular_file(out / "good.txt"));
    EXPECT_EQ(Scratch.EntriesBesideTarget(), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}

// Member names that look like the reader's options are names once the archive is named.
TEST_F(ZipBuiltTest, NamesThatLookLikeOptions)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "-v", .Data = "vee"}).Add({.Name = "-d", .Data = "dee"});
    fs::path archive = Scratch.Target().parent_path().parent_path() / "options.zip";
    std::vector<uint8_t> bytes = builder.Build();
    std::ofstream(archive, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    fs::path out = Scratch.Fresh();
    EXPECT_EQ(Unzip({"unzip", "-qq", archive.string(), "-v", "-d", out.string()}), ZIP_OK);
    EXPECT_EQ(Inspect(out / "-v").Size, 3u);
    EXPECT_EQ(Unzip({"unzip", "-qq", archive.string(), "-d", "-d", out.string()}), ZIP_OK);
    EXPECT_EQ(Inspect(out / "-d").Size, 3u);
}

TEST_F(ZipBuiltTest, DotFolderEntryIsTheTargetItself)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "./", .Data = "", .ExternalAttributes = 0x10})
        .Add({.Name = "./f.txt", .Data = "hi"});
    fs::path out = Scratch.Fresh();
    EXPECT_EQ(ExtractBuilt(builder.Build(), out), ZIP_OK);
    EXPECT_TRUE(fs::is_regular_file(out / "f.txt"));

    ZIPBUILDER fileNamedDot;
    fileNamedDot.Add({.Name = ".", .Data = "x", .ExternalAttributes = 0x20});
    EXPECT_EQ(ExtractBuilt(fileNamedDot.Build(), Scratch.Fresh()), ZIP_ERROR);
}

TEST_F(ZipBuiltTest, OverlappingMembersRefuseTheArchive)
{
    ZIPBUILDER same;
    same.Add({.Name = "a", .Data = std::string(1000, 'x'), .Method = 8})
        .Add({.Name = "b", .Data = std::string(1000, 'x'), .Method = 8, .OffsetOverride = 0});
    std::vector<uint8_t> bytes = same.Build();
    ZIPMEMORYIN overlapping(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    EXPECT_EQ(ZipReadDirectory(overlapping, directory), ZIP_BADARCHIVE);

    ZIPBUILDER intoDirectory;
    intoDirectory.Add({.Name = "a", .Data = "abc", .OffsetOverride = 20});
    bytes = intoDirectory.Build();
    ZIPMEMORYIN late(bytes.data(), bytes.size());
    ZIPDIRECTORY directory2;
    EXPECT_EQ(ZipReadDirectory(late, directory2), ZIP_BADARCHIVE);
}

TEST_F(ZipBuiltTest, NameLengthLimitIs259)
{
    std::string longest(ZIP_MAXNAME, 'n');
    std::string tooLong(ZIP_MAXNAME + 1, 'n');
    ZIPBUILDER builder;
    builder.Add({.Name = "d/" + longest.substr(2), .Data = "ok"})
        .Add({.Name = tooLong, .Data = "x"});
    std::vector<uint8_t> bytes = builder.Build();
    ZIPMEMORYIN source(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    ASSERT_EQ(ZipReadDirectory(source, directory), ZIP_OK);
    LISTING listing;
    EXPECT_EQ(ZipList(directory, listing), ZIP_ERROR);
    ASSERT_EQ(listing.Names.size(), 1u);
    EXPECT_EQ(listing.Names[0].size(), ZIP_MAXNAME);
}

TEST_F(ZipBuiltTest, ManyMembersAreAllListed)
{
    ZIPBUILDER builder;
    for (int i = 0; i < 3000; ++i) builder.Add({.Name = "f/" + std::to_string(i), .Data = "x"});
    std::vector<uint8_t> bytes = builder.Build();
    ZIPMEMORYIN source(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    ASSERT_EQ(ZipReadDirectory(source, directory), ZIP_OK);
    LISTING listing;
    EXPECT_EQ(ZipList(directory, listing), ZIP_OK);
    EXPECT_EQ(listing.Names.size(), 3000u);
    EXPECT_EQ(listing.Names.back(), "f/2999");
}

TEST_F(ZipBuiltTest, DeclaredSizeTooSmallStopsAndRemovesTheFile)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "big", .Data = std::string(100000, 'a'), .Method = 8, .DeclaredSize = 10})
        .Add({.Name = "short", .Data = std::string(100, 'a'), .Method = 8, .DeclaredSize = 1000});
    fs::path out = Scratch.Fresh();
    EXPECT_EQ(ExtractBuilt(builder.Build(), out), ZIP_ERROR);
    EXPECT_FALSE(fs::exists(out / "big"));
    EXPECT_FALSE(fs::exists(out / "short"));
}

TEST_F(ZipBuiltTest, TruncatedArchiveIsAnErrorAndLeavesNoFile)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "data", .Data = std::string(5000, 'q'), .Method = 0});
    std::vector<uint8_t> bytes = builder.Build();
    ZIPMEMORYIN whole(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    ASSERT_EQ(ZipReadDirectory(whole, directory), ZIP_OK);
    ZIPMEMORYIN cut(bytes.data(), 3000);  // the directory parsed before, the data now ends early
    fs::path out = Scratch.Fresh();
    EXPECT_EQ(ZipExtract(cut, directory, {}, out.string()), ZIP_EOF);
    EXPECT_FALSE(fs::exists(out / "data"));
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

std::time_t WriteTime(const fs::path& file)
{
    auto system = std::chrono::file_clock::to_sys(fs::last_write_time(file));
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
}

bool Writable(const fs::path& file)
{
    return (fs::status(file).permissions() & fs::perms::owner_write) != fs::perms::none;
}

TEST_F(ZipBuiltTest, DosTimeAndAttributesArrive)
{
    ZIPBUILDER builder;
    builder.Add({.Name = "ro.txt", .Data = "read only", .ExternalAttributes = 0x21})
        .Add({.Name = "rw.txt", .Data = "writable", .ExternalAttributes = 0x20})
        .Add({.Name = "unix.txt", .Data = "unix", .ExternalAttributes = 0x01, .MadeBySystem = 3})
        .Add({.Name = "folder", .Data = "", .ExternalAttributes = 0x10});
    std::vector<uint8_t> bytes = builder.Build();
    fs::path out = Scratch.Fresh();
    ASSERT_EQ(ExtractBuilt(bytes, out), ZIP_OK);
    EXPECT_EQ(WriteTime(out / "ro.txt"), LocalTime(1985, 3, 4, 12, 34, 56));
    EXPECT_EQ(WriteTime(out / "unix.txt"), LocalTime(1985, 3, 4, 12, 34, 56));
    EXPECT_FALSE(Writable(out / "ro.txt"));
    EXPECT_TRUE(Writable(out / "rw.txt"));
    EXPECT_TRUE(Writable(out / "unix.txt"));
    EXPECT_TRUE(fs::is_directory(out / "folder"));
    // Extracting again overwrites the read-only file without a question.
    EXPECT_EQ(ExtractBuilt(bytes, out, {"ro.txt"}), ZIP_OK);
}

// ---- legacy decoders on damaged input --------------------------------------------------------

class CUTINPUT : public ZIPINPUT {
public:
    CUTINPUT(const uint8_t* data, size_t size) : Data(data), Left(size) {}
    long Read(uint8_t* buffer, size_t size) override
    {
        size_t count = std::min(size, Left);
        std::memcpy(buffer, Data, count);
        Data += count;
        Left -= count;
        return static_cast<long>(count);
    }

private:
    const uint8_t* Data;
    size_t Left;
};

class COUNTOUTPUT : public ZIPOUTPUT {
public:
    bool Write(const uint8_t*, size_t size) override
    {
        Count += size;
        return true;
    }
    uint64_t Count = 0;
};

// Half of a member's compressed data never decodes as complete, for every method.
TEST_F(ZipReaderTest, CutCompressedDataIsNeverComplete)
{
    const char* archives[] = {"sharpcompress/Zip.shrink.zip",
                              "sharpcompress/Zip.reduce1.zip",
                              "sharpcompress/Zip.reduce4.zip",
                              "sharpcompress/Zip.implode.zip",
                              "commons-compress/imploding-4Kdict-2trees.zip",
                              "libarchive/test_read_format_zip_high_compression.zip"};
    for (const char* name : archives) {
        SCOPED_TRACE(name);
        std::ifstream in(TestData() / name, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        ZIPMEMORYIN source(bytes.data(), bytes.size());
        ZIPDIRECTORY directory;
        ASSERT_EQ(ZipReadDirectory(source, directory), ZIP_OK);
        for (const ZIPMEMBER& m : directory.Members) {
            if (m.Method == 0) continue;
            const uint8_t* header = bytes.data() + m.LocalOffset;
            size_t start = m.LocalOffset + 30 + (header[26] | header[27] << 8) +
                           (header[28] | header[29] << 8);
            CUTINPUT cut(bytes.data() + start, m.CompressedSize / 2);
            COUNTOUTPUT out;
            ZIPDECODE result = ZipDecode(m.Method, m.Flags, m.CompressedSize, m.Size, cut, out);
            EXPECT_NE(result, ZIPDECODE::OK) << m.Name;
            EXPECT_LE(out.Count, m.Size);
        }
    }
}

}  // namespace
