#include "services/unzipper.h"

#include "tests/services/zipbuilder.h"
#include "tests/services/ziptestfolder.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& file, const std::string& content)
{
    std::ofstream(file, std::ios::binary) << content;
}

struct QUESTIONS {
    bool Answer = false;
    std::vector<std::string> Asked;

    static bool Ask(const char* displayName, void* context)
    {
        auto* self = static_cast<QUESTIONS*>(context);
        self->Asked.push_back(displayName);
        return self->Answer;
    }
};

class UnzipperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZIPBUILDER builder;
        builder.Add({.Name = "options/standard.cfg", .Data = "standard", .Method = 8})
            .Add({.Name = "admin.ini", .Data = "[admin]", .Method = 8})
            .Add({.Name = "bin\\prog.exe", .Data = std::string(3000, 'p'), .Method = 8})
            .Add({.Name = "readme.txt", .Data = "read me"});
        Archive = Write("setup.fil", builder.Build());
        Target = Scratch.Target().string();
        UnzipSetQuestion(&QUESTIONS::Ask, &Questions);
    }
    void TearDown() override { UnzipSetQuestion(nullptr, nullptr); }

    std::string Write(const char* name, const std::vector<uint8_t>& bytes)
    {
        fs::path file = Scratch.Target().parent_path().parent_path() / name;
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file.string();
    }

    fs::path InTarget(const char* name) const { return fs::path(Target) / name; }

    ZIPTESTFOLDER Scratch;
    ASSERTCATCHER Asserts;
    QUESTIONS Questions;
    std::string Archive;
    std::string Target;
};

TEST_F(UnzipperTest, ListsMembersWithSlashesAndTotal)
{
    UNZIPPER unzipper(Archive.c_str(), "<NULL>", "<NULL>");
    EXPECT_EQ(Asserts.Count(), 0u);
    char name[260];
    std::vector<std::string> names;
    int total = 0;
    for (int size = unzipper.GetFirst(name); name[0]; size = unzipper.GetNext(name)) {
        names.push_back(name);
        total += size;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"options/standard.cfg", "admin.ini", "bin/prog.exe",
                                               "readme.txt"}));
    EXPECT_EQ(total, 8 + 7 + 3000 + 7);
    EXPECT_EQ(gUnzipTotalSize, total);
    EXPECT_EQ(unzipper.GetNext(name), 0);
    EXPECT_STREQ(name, "");
}

TEST_F(UnzipperTest, ProtectedPatternKeepsAnExistingFileOnly)
{
    UNZIPPER unzipper(Archive.c_str(), "<NULL>", "*.cfg");
    int extracted = -1;
    EXPECT_EQ(unzipper.Extract("options/standard.cfg", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 1);
    EXPECT_EQ(ReadFile(InTarget("options/standard.cfg")), "standard");

    WriteFile(InTarget("options/standard.cfg"), "edited");
    EXPECT_EQ(unzipper.Extract("options/standard.cfg", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 0);
    EXPECT_EQ(ReadFile(InTarget("options/standard.cfg")), "edited");
    // Other members are not protected by the pattern.
    EXPECT_EQ(unzipper.Extract("readme.txt", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 1);
}

TEST_F(UnzipperTest, AskListQuestionUsesTheDisplayNameAndNoSkips)
{
    UNZIPPER unzipper(Archive.c_str(), "other.ini|ADMIN.INI;Administrator settings", "<NULL>");
    int extracted = -1;
    EXPECT_EQ(unzipper.Extract("admin.ini", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 1);
    EXPECT_TRUE(Questions.Asked.empty());

    WriteFile(InTarget("admin.ini"), "mine");
    Questions.Answer = false;
    EXPECT_EQ(unzipper.Extract("admin.ini", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 0);
    EXPECT_EQ(ReadFile(InTarget("admin.ini")), "mine");
    EXPECT_EQ(Questions.Asked, std::vector<std::string>{"Administrator settings"});

    Questions.Answer = true;
    EXPECT_EQ(unzipper.Extract("admin.ini", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 1);
    EXPECT_EQ(ReadFile(InTarget("admin.ini")), "[admin]");
}

TEST_F(UnzipperTest, AskWithoutDisplayNameShowsTheMemberName)
{
    UNZIPPER unzipper(Archive.c_str(), "readme.txt", "<NULL>");
    fs::create_directories(Target);
    WriteFile(InTarget("readme.txt"), "old");
    int extracted = -1;
    EXPECT_EQ(unzipper.Extract("readme.txt", Target.c_str(), &extracted), 1);
    EXPECT_EQ(Questions.Asked, std::vector<std::string>{"readme.txt"});
}

TEST_F(UnzipperTest, ProtectedWinsOverAsk)
{
    UNZIPPER unzipper(Archive.c_str(), "admin.ini;Settings", "admin.ini");
    fs::create_directories(Target);
    WriteFile(InTarget("admin.ini"), "mine");
    Questions.Answer = true;
    int extracted = -1;
    EXPECT_EQ(unzipper.Extract("admin.ini", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 0);
    EXPECT_TRUE(Questions.Asked.empty());
    EXPECT_EQ(ReadFile(InTarget("admin.ini")), "mine");
}

TEST_F(UnzipperTest, NullListsProtectAndAskNothing)
{
    UNZIPPER unzipper(Archive.c_str(), "<NULL>", "<NULL>");
    fs::create_directories(Target);
    WriteFile(InTarget("admin.ini"), "mine");
    int extracted = -1;
    EXPECT_EQ(unzipper.Extract("admin.ini", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 1);
    EXPECT_TRUE(Questions.Asked.empty());
    EXPECT_EQ(ReadFile(InTarget("admin.ini")), "[admin]");

    // Keys absent from the configuration come as texts without buffer.
    UNZIPPER unconfigured(Archive.c_str(), nullptr, nullptr);
    EXPECT_EQ(unconfigured.Extract("admin.ini", Target.c_str(), &extracted), 1);
    EXPECT_EQ(extracted, 1);
    EXPECT_TRUE(Questions.Asked.empty());
}

TEST_F(UnzipperTest, ExtractCreatesTheFolderParentsAndReportsReaderErrors)
{
    UNZIPPER unzipper(Archive.c_str(), "<NULL>", "<NULL>");
    std::string deep = (fs::path(Target) / "a" / "b" / "c").string();
    int extracted = -1;
    EXPECT_EQ(unzipper.Extract("bin/prog.exe", deep.c_str(), &extracted), 1);
    EXPECT_EQ(ReadFile(fs::path(deep) / "bin" / "prog.exe"), std::string(3000, 'p'));
    EXPECT_EQ(unzipper.Extract("missing.txt", deep.c_str(), &extracted), 0);
    EXPECT_EQ(extracted, 1);
    EXPECT_EQ(unzipper.Extract("readme.txt", deep.c_str(), nullptr), 1);
}

TEST_F(UnzipperTest, EmptyArchiveListsNothing)
{
    UNZIPPER unzipper(Write("empty.fil", ZIPBUILDER().Build()).c_str(), "<NULL>", "<NULL>");
    EXPECT_EQ(Asserts.Count(), 0u);
    char name[260] = "stale";
    EXPECT_EQ(unzipper.GetFirst(name), 0);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(gUnzipTotalSize, 0);
}

TEST_F(UnzipperTest, BrokenArchiveAssertsAndListsNothing)
{
    {
        UNZIPPER first(Archive.c_str(), "<NULL>", "<NULL>");
    }
    std::vector<uint8_t> junk(100, 'j');
    UNZIPPER unzipper(Write("junk.fil", junk).c_str(), "<NULL>", "<NULL>");
    EXPECT_TRUE(Asserts.Saw("error==FALSE"));
    char name[260];
    EXPECT_EQ(unzipper.GetFirst(name), 0);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(gUnzipTotalSize, 0);
}

// More members than the old fixed tables held, and sizes past what an int holds.
TEST_F(UnzipperTest, TablesGrowAndTotalsSaturate)
{
    ZIPBUILDER builder;
    for (int i = 0; i < 600; ++i) builder.Add({.Name = "f" + std::to_string(i), .Data = "x"});
    builder.Add({.Name = "huge", .Data = "x", .DeclaredSize = 3000000000});
    UNZIPPER unzipper(Write("many.fil", builder.Build()).c_str(), "<NULL>", "<NULL>");
    char name[260];
    int count = 0;
    int last = 0;
    for (last = unzipper.GetFirst(name); name[0]; last = unzipper.GetNext(name)) {
        ++count;
        if (std::string(name) == "huge") {
            EXPECT_EQ(last, INT_MAX);
        }
    }
    EXPECT_EQ(count, 601);
    EXPECT_EQ(gUnzipTotalSize64, 600 + 3000000000LL);
    EXPECT_EQ(gUnzipTotalSize, INT_MAX);
}

TEST(UnzipQuestionText, OneArgumentAndTheLimit)
{
    EXPECT_EQ(UnzipQuestionText("Replace %s?", "admin.ini"), "Replace admin.ini?");
    EXPECT_EQ(UnzipQuestionText("100%% sure: %s %s %d", "x"), "100% sure: x %s %d");
    EXPECT_EQ(UnzipQuestionText(nullptr, "x"), "");
    EXPECT_EQ(UnzipQuestionText("%s", std::string(5000, 'n').c_str()).size(), 1023u);
}

TEST(UnzipWildcardMatch, ReaderRules)
{
    struct {
        const char* Pattern;
        const char* Name;
        bool Match;
    } cases[] = {
        {"*.cfg", "options/standard.cfg", true},
        {"*.CFG", "standard.cfg", true},
        {"*.cfg", "standard.cfg.bak", false},
        {"options/*", "options/a/b", true},
        {"?dmin.ini", "admin.ini", true},
        {"?dmin.ini", "dmin.ini", false},
        {"[abc]*.txt", "B1.txt", true},
        {"[a-c]*.txt", "d1.txt", false},
        {"[!a-c]*.txt", "d1.txt", true},
        {"[^a-c]*.txt", "a1.txt", false},
        {"*a*b*c", "xaxbxc", true},
        {"*a*b*c", "xaxbx", false},
        {"*", "", true},
        {"", "x", false},
        {"a*", "A", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Pattern) + " / " + c.Name);
        EXPECT_EQ(UnzipWildcardMatch(c.Pattern, c.Name), c.Match);
    }
}

}  // namespace
