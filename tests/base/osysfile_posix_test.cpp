#include "base/osysfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/base/treetest.h"

namespace {

std::string HostPath(const STRING& path)
{
    std::string p = path.Text();
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

class LinkTest : public TreeTest {
protected:
    void SetUp() override
    {
        MakeDir("outside\\inner");
        WriteFile("outside\\precious.txt", "keep me");
        WriteFile("outside\\inner\\deep.txt", "me too");
        MakeDir("product\\sub");
        WriteFile("product\\sub\\f.txt", "f");
        ASSERT_EQ(symlink(HostPath(Path("outside")).c_str(), HostPath(Path("product\\link")).c_str()),
                  0);
        ASSERT_EQ(symlink(HostPath(Path("outside\\precious.txt")).c_str(),
                          HostPath(Path("product\\filelink")).c_str()),
                  0);
    }
    void ExpectOutsideIntact()
    {
        EXPECT_EQ(ReadFile("outside\\precious.txt"), "keep me");
        EXPECT_EQ(ReadFile("outside\\inner\\deep.txt"), "me too");
    }
};

TEST_F(LinkTest, ListFilesListsALinkButDoesNotEnterIt)
{
    STRINGARRAY list(16);
    OSYS::ListFiles(Path("product"), "*", &list, true);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list[i].Text());
    for (const std::string& name : names)
        EXPECT_EQ(name.find("precious.txt"), std::string::npos) << name;
    EXPECT_NE(std::find(names.begin(), names.end(), Str(Path("product\\link"))), names.end());
}

TEST_F(LinkTest, DeleteTreeRemovesTheLinksNotWhatTheyPointTo)
{
    OSYS::DeleteTree(Path("product"), "*", true);
    EXPECT_FALSE(Exists("product"));
    ExpectOutsideIntact();
}

TEST_F(LinkTest, DeleteTreeOnALinkRemovesOnlyTheLink)
{
    EXPECT_EQ(OSYS::DeleteTree(Path("product\\link"), "*", true), 1);
    EXPECT_FALSE(Exists("product\\link"));
    ExpectOutsideIntact();
}

TEST_F(TreeTest, CreateDirectoryPathNeverCreatesTheServerOfAUncPath)
{
    // POSIX reads a leading "//" as "/", so the scratch folder doubles as \\server\share.
    STRING unc = STRING("\\") + Path("share");
    MakeDir("share");
    OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str());
    bool ok = OSYS::CreateDirectoryPath(unc + "\\new\\deeper");
    OMBIXAPP::LogOption("/LOGITCLOSE");
    EXPECT_TRUE(ok);
    EXPECT_TRUE(FILENAME(Path("share\\new\\deeper")).IsDirectory());
    std::string log = dir.Read("log.txt");
    size_t lines = 0;
    for (size_t at = log.find("mkdir "); at != std::string::npos; at = log.find("mkdir ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 2u) << log;
    EXPECT_NE(log.find("mkdir " + Str(unc) + "\\new returns ok= 1"), std::string::npos) << log;
}

}  // namespace
