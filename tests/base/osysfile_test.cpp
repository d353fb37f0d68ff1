#include "base/osysfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/base/treetest.h"

namespace {

size_t IndexOf(const std::vector<std::string>& names, const std::string& name)
{
    return size_t(std::find(names.begin(), names.end(), name) - names.begin());
}

TEST_F(TreeTest, ListFilesPutsEverySubfolderAfterItsContents)
{
    MakeDir("a\\b");
    WriteFile("a\\b\\c.txt", "c");
    WriteFile("top.txt", "t");
    STRINGARRAY list(16);
    EXPECT_EQ(OSYS::ListFiles(root, "*", &list, true), 4);
    std::vector<std::string> names = Relative(list);
    ASSERT_EQ(names.size(), 4u);
    for (const char* name : {"a\\b\\c.txt", "a\\b", "a", "top.txt"})
        EXPECT_LT(IndexOf(names, name), names.size()) << name;
    EXPECT_LT(IndexOf(names, "a\\b\\c.txt"), IndexOf(names, "a\\b"));
    EXPECT_LT(IndexOf(names, "a\\b"), IndexOf(names, "a"));

    EXPECT_EQ(OSYS::ListFiles(root, "*", nullptr, true), 4);
}

TEST_F(TreeTest, ListFilesWithoutRecursionGivesOnlyTheFiles)
{
    MakeDir("a\\b");
    WriteFile("a\\b\\c.txt", "c");
    WriteFile("top.txt", "t");
    STRINGARRAY list(16);
    EXPECT_EQ(OSYS::ListFiles(root, "*", &list, false), 1);
    EXPECT_EQ(Relative(list), std::vector<std::string>{"top.txt"});
}

TEST_F(TreeTest, OnlySubfoldersMatchingThePatternAreEnteredAndDotFoldersNever)
{
    MakeDir("d.txt");
    MakeDir("other");
    MakeDir(".hidden.txt");
    WriteFile("a.txt", "a");
    WriteFile("b.dat", "b");
    WriteFile("d.txt\\x.txt", "x");
    WriteFile("other\\y.txt", "y");
    WriteFile(".hidden.txt\\z.txt", "z");
    STRINGARRAY list(16);
    EXPECT_EQ(OSYS::ListFiles(root, "*.txt", &list, true), 3);
    std::vector<std::string> names = Relative(list);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "d.txt", "d.txt\\x.txt"}));
}

TEST_F(TreeTest, DeleteTreeRemovesEverythingDeepestFirst)
{
    MakeDir("a\\b\\c");
    MakeDir("e");
    WriteFile("a\\b\\c\\f1", "1");
    WriteFile("a\\b\\f2", "2");
    WriteFile("a\\f3", "3");
    WriteFile("f4", "4");
    // The start, a, a\b, a\b\c and e.
    EXPECT_EQ(OSYS::DeleteTree(root, "*", true), 5);
    EXPECT_FALSE(Exists(""));
}

TEST_F(TreeTest, DeleteTreeWithAPatternTakesOnlyTheMatchingFiles)
{
    MakeDir("sub");
    WriteFile("x.tmp", "x");
    WriteFile("keep.txt", "k");
    WriteFile("sub\\y.tmp", "y");
    EXPECT_EQ(OSYS::DeleteTree(root, "*.tmp", false), 1);
    EXPECT_FALSE(Exists("x.tmp"));
    EXPECT_TRUE(Exists("keep.txt"));
    EXPECT_TRUE(Exists("sub\\y.tmp"));
}

TEST_F(TreeTest, DeleteTreeKeepsWhatItCannotDeleteAndItsFolders)
{
    MakeDir("a");
    WriteFile("a\\gone.txt", "g");
    MakeDir("a\\locked");
    WriteFile("a\\locked\\stays.txt", "s");
    // Only *.txt files are matched, and "locked" does not match: its content stays.
    OSYS::DeleteTree(Path("a"), "*.txt", true);
    EXPECT_FALSE(Exists("a\\gone.txt"));
    EXPECT_EQ(ReadFile("a\\locked\\stays.txt"), "s");
}

STRING gDocuments;
STRING ScratchDocuments(int type) { return type == 6 || type == 14 ? gDocuments : STRING(); }

TEST_F(TreeTest, DeleteTreeRefusesTheUsersOwnFolders)
{
    MakeDir("docs\\sub");
    WriteFile("docs\\letter.txt", "dear");
    gDocuments = Path("docs") + "\\";
    FILENAME::SetFolderSource(&ScratchDocuments);
    for (const char* spelling : {"docs", "docs\\", "docs\\sub\\..", "DOCS"}) {
        STRING target = Path(spelling);
        // Where names keep their case, "DOCS" is another folder that does not exist.
        if (Str(target).find("DOCS") != std::string::npos && !Exists("DOCS"))
            continue;
        SCOPED_TRACE(spelling);
        ASSERTCATCHER catcher;
        EXPECT_EQ(OSYS::DeleteTree(target, "*", true), 0);
        EXPECT_TRUE(catcher.Saw("!IsProtectedFolder(directory)"));
        EXPECT_EQ(ReadFile("docs\\letter.txt"), "dear");
        EXPECT_TRUE(Exists("docs\\sub"));
    }
    // A folder inside is an ordinary folder.
    EXPECT_EQ(OSYS::DeleteTree(Path("docs\\sub"), "*", true), 1);
    EXPECT_FALSE(Exists("docs\\sub"));
}

TEST_F(TreeTest, DeleteTreeRefusesTheRootOfADrive)
{
    STRING top = root.Length() > 1 && root.Buffer[1] == ':' ? root.Left(2) : STRING("\\");
    for (STRING spelling : {top, top + "\\", STRING("")}) {
        SCOPED_TRACE(spelling.Text());
        ASSERTCATCHER catcher;
        // A pattern that matches nothing: should the refusal ever fail, nothing is lost.
        EXPECT_EQ(OSYS::DeleteTree(spelling, "no-such-file-*.xyz", false), 0);
        EXPECT_TRUE(catcher.Saw("!IsProtectedFolder(directory)"));
    }
}

TEST_F(TreeTest, CopyTreeCopiesFoldersAndFilesAndCanKeepExistingFiles)
{
    MakeDir("from\\a\\b");
    MakeDir("from\\empty");
    WriteFile("from\\x.txt", "new x");
    WriteFile("from\\a\\b\\c.txt", "c");
    MakeDir("to");
    WriteFile("to\\x.txt", "old x");

    EXPECT_FALSE(OSYS::CopyTree(Path("from"), Path("to"), "*", true, true));
    EXPECT_EQ(ReadFile("to\\x.txt"), "old x");
    EXPECT_EQ(ReadFile("to\\a\\b\\c.txt"), "c");
    EXPECT_TRUE(FILENAME(Path("to\\empty")).IsDirectory());

    EXPECT_TRUE(OSYS::CopyTree(Path("from"), Path("to"), "*", true, false));
    EXPECT_EQ(ReadFile("to\\x.txt"), "new x");
}

TEST_F(TreeTest, CopyTreeCreatesTheTargetPath)
{
    MakeDir("from");
    WriteFile("from\\f", "f");
    EXPECT_TRUE(OSYS::CopyTree(Path("from"), Path("deep\\er\\to"), "*", true, false));
    EXPECT_EQ(ReadFile("deep\\er\\to\\f"), "f");
}

TEST_F(TreeTest, CreateDirectoryPathMakesEveryMissingPart)
{
    EXPECT_TRUE(OSYS::CreateDirectoryPath(Path("n1\\n2\\n3")));
    EXPECT_TRUE(FILENAME(Path("n1\\n2\\n3")).IsDirectory());
    EXPECT_TRUE(OSYS::CreateDirectoryPath(Path("n1\\n2")));
    STRING doubled = Path("m1") + "\\\\m2\\";
    EXPECT_TRUE(OSYS::CreateDirectoryPath(doubled));
    EXPECT_TRUE(FILENAME(Path("m1\\m2")).IsDirectory());
    WriteFile("file", "f");
    EXPECT_FALSE(OSYS::CreateDirectoryPath(Path("file\\sub")));
    EXPECT_FALSE(OSYS::CreateDirectoryPath(STRING("")));
}

TEST_F(TreeTest, PathsTooLongForTheSystemAreRefused)
{
    STRING longName(std::string(270, 'l').c_str());
    STRING longPath = Path(longName.Buffer);
    WriteFile("short", "s");
    EXPECT_FALSE(OSYS::CreateDirectoryPath(longPath));
    EXPECT_EQ(OSYS::ListFiles(longPath, "*", nullptr, true), 0);
    EXPECT_EQ(OSYS::DeleteTree(longPath, "*", true), 0);
    EXPECT_FALSE(OSYS::CopyTree(root, longPath, "*", true, false));
    EXPECT_FALSE(FILENAME(Path("short")).Copy(longPath.Buffer, true));
    EXPECT_EQ(ReadFile("short"), "s");
}

// The file operations of FILENAME on real files.
class FileTest : public TreeTest {};

TEST_F(FileTest, QueriesOnFilesAndFolders)
{
    MakeDir("dir");
    WriteFile("f.bin", std::string(5000, 'x'));
    FILENAME file(Path("f.bin")), folder(Path("dir")), none(Path("none"));
    EXPECT_TRUE(file.Exists());
    EXPECT_TRUE(file.IsFile());
    EXPECT_FALSE(file.IsDirectory());
    EXPECT_EQ(file.Size(), 5000);
    EXPECT_TRUE(folder.Exists());
    EXPECT_TRUE(folder.IsDirectory());
    EXPECT_FALSE(folder.IsFile());
    EXPECT_FALSE(none.Exists());
    EXPECT_FALSE(none.IsFile());
    EXPECT_FALSE(none.IsDirectory());
    EXPECT_EQ(none.Size(), -1);
    EXPECT_EQ(none.GetAttributes(), FILESYS::ATTR_NONE);
}

TEST_F(FileTest, ExistsLogsWhyItFails)
{
    OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str());
    FILENAME(Path("missing.txt")).Exists();
    OMBIXAPP::LogOption("/LOGITCLOSE");
    std::string log = dir.Read("log.txt");
    EXPECT_NE(log.find("FILENAME::Exists '" + Str(Path("missing.txt")) + "' returns "),
              std::string::npos)
        << log;
}

TEST_F(FileTest, ReadOnlyKeepsTheOtherAttributes)
{
    WriteFile("ro", "r");
    FILENAME file(Path("ro"));
    int before = file.GetAttributes();
    EXPECT_TRUE(file.SetReadOnly(true));
    EXPECT_EQ(file.GetAttributes(), before | FILESYS::ATTR_READONLY);
    EXPECT_TRUE(file.SetReadOnly(false));
    EXPECT_EQ(file.GetAttributes() & ~FILESYS::ATTR_NORMAL, before & ~FILESYS::ATTR_NORMAL);
    EXPECT_FALSE(FILENAME(Path("none")).SetReadOnly(true));
}

TEST_F(FileTest, DeleteMakeDirAndRemoveDir)
{
    WriteFile("f", "f");
    FILENAME file(Path("f")), folder(Path("d"));
    EXPECT_TRUE(file.Delete());
    EXPECT_FALSE(file.Delete());
    EXPECT_TRUE(folder.MakeDir());
    EXPECT_FALSE(folder.MakeDir());
    EXPECT_TRUE(folder.RemoveDir());
    EXPECT_FALSE(folder.RemoveDir());
}

TEST_F(FileTest, RenameStaysInItsFolderAndReplacesOnlyWhenAsked)
{
    MakeDir("other");
    WriteFile("a", "a");
    WriteFile("b", "b");
    EXPECT_FALSE(FILENAME(Path("a")).Rename("b", false));
    EXPECT_EQ(ReadFile("a"), "a");
    EXPECT_TRUE(FILENAME(Path("a")).Rename("b", true));
    EXPECT_EQ(ReadFile("b"), "a");
    EXPECT_FALSE(Exists("a"));
    // The new name's folder is ignored.
    EXPECT_TRUE(FILENAME(Path("b")).Rename(Path("other\\c").Buffer, false));
    EXPECT_EQ(ReadFile("c"), "a");
    EXPECT_FALSE(Exists("other\\c"));
    // Renaming a file onto its own name with replace must not delete it first.
    FILENAME(Path("c")).Rename("c", true);
    EXPECT_EQ(ReadFile("c"), "a");
}

TEST_F(FileTest, CopyWithoutOverwriteLeavesAnExistingTargetAlone)
{
    WriteFile("src", "source");
    WriteFile("dst", "target");
    EXPECT_FALSE(FILENAME(Path("src")).Copy(Path("dst").Buffer, false));
    EXPECT_EQ(ReadFile("dst"), "target");
    EXPECT_TRUE(FILENAME(Path("src")).Copy(Path("dst").Buffer, true));
    EXPECT_EQ(ReadFile("dst"), "source");
}

TEST_F(FileTest, CopyCarriesEveryByteAcrossBlocks)
{
    std::string content;
    for (int i = 0; i < 3 * 4096 + 17; ++i)
        content += char(i * 7 + (i >> 8));
    content[100] = '\n';
    content[101] = '\r';
    content[102] = '\x1a';
    WriteFile("big", content);
    EXPECT_TRUE(FILENAME(Path("big")).Copy(Path("copy").Buffer, false));
    EXPECT_EQ(ReadFile("copy"), content);
    WriteFile("empty", "");
    EXPECT_TRUE(FILENAME(Path("empty")).Copy(Path("empty2").Buffer, false));
    EXPECT_EQ(ReadFile("empty2"), "");
    EXPECT_FALSE(FILENAME(Path("none")).Copy(Path("none2").Buffer, true));
    EXPECT_FALSE(Exists("none2"));
}

TEST_F(FileTest, CopyOntoItselfKeepsTheFile)
{
    MakeDir("d");
    WriteFile("d\\self", "precious");
    EXPECT_TRUE(FILENAME(Path("d\\self")).Copy(Path("d\\self").Buffer, true));
    EXPECT_EQ(ReadFile("d\\self"), "precious");
    STRING otherSpelling = Path("d") + "\\.\\self";
    EXPECT_TRUE(FILENAME(Path("d\\self")).Copy(otherSpelling.Buffer, true));
    EXPECT_EQ(ReadFile("d\\self"), "precious");
}

TEST_F(FileTest, FsopenAppendsAtTheEnd)
{
    WriteFile("log", "abc");
    FILE* f = FILENAME::fsopen(Path("log").Buffer, "a");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ftell(f), 3);
    fputs("def", f);
    fclose(f);
    EXPECT_EQ(ReadFile("log"), "abcdef");
    EXPECT_EQ(FILENAME::fsopen(Path("none\\x").Buffer, "r"), nullptr);
    EXPECT_EQ(FILENAME::fsopen(nullptr, "r"), nullptr);
}

}  // namespace
