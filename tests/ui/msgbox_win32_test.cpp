#include "ui/msgbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/robot/robot.h"
#include "tests/support/testsupport.h"
#include "tests/ui/uitest.h"
#include "ui/wincontrols.h"

// After <windows.h>, which the window headers bring.
#include <commctrl.h>

namespace {

using MessageBoxTest = UITEST;

bool Has(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(MessageBoxTest, YesNoShowsTheQuestionAndIsTrueOnlyForYes)
{
    for (int button : {IDYES, IDNO}) {
        SCOPED_TRACE(button);
        ROBOT::BOXANSWERER answer(button);
        bool result = YesNoMsgBox(nullptr, nullptr, "Replace the file\r\nnow?");
        ASSERT_TRUE(answer.Wait()) << "no box appeared";
        EXPECT_EQ(result, button == IDYES);
        EXPECT_EQ(answer.Box().title, "Module caption") << "text 10001 as the default title";
        EXPECT_EQ(answer.Box().text, "Replace the file now?");
        EXPECT_EQ(answer.Box().icon, "question");
        EXPECT_TRUE(Has(answer.Box().buttons, IDYES));
        EXPECT_TRUE(Has(answer.Box().buttons, IDNO));
        EXPECT_FALSE(Has(answer.Box().buttons, IDOK));
    }
}

TEST_F(MessageBoxTest, InfoAndErrorBoxesHaveTheirIconsAndOneButton)
{
    {
        ROBOT::BOXANSWERER answer(IDOK);
        InfoMsgBox(nullptr, "Notice", "All done.");
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(answer.Box().title, "Notice");
        EXPECT_EQ(answer.Box().text, "All done.");
        EXPECT_EQ(answer.Box().icon, "information");
        EXPECT_TRUE(Has(answer.Box().buttons, IDOK));
        EXPECT_FALSE(Has(answer.Box().buttons, IDNO));
    }
    {
        ROBOT::BOXANSWERER answer(IDOK);
        ErrorMsgBox(nullptr, nullptr, "Broken.\r\n\r\nReally.");
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(answer.Box().title, "Module caption");
        EXPECT_EQ(answer.Box().text, "Broken.\r\rReally.");
        EXPECT_EQ(answer.Box().icon, "error");
    }
}

TEST_F(MessageBoxTest, TheBoxBelongsToTheTopLevelOwner)
{
    RECORDER top;
    ASSERT_TRUE(top.Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CONTROL child(top.hWnd, 5, "Static", WS_VISIBLE, 0, 0, 20, 20, "", 0);
    ROBOT::BOXANSWERER answer(IDOK);
    InfoMsgBox(child.hWnd, "Owned", "text");
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(answer.Box().owner, top.hWnd);
}

// The folder picker, answered like a box: wait until it has selected the initial folder.
class FOLDERANSWER {
public:
    // selection: the tree item the initial folder shows as; empty when that is not known.
    explicit FOLDERANSWER(int button, std::string selection = "")
        : worker([this, button, selection] {
              HWND dialog = ROBOT::FindBox(GetCurrentProcessId());
              if (!dialog)
                  return;
              ROBOT::WaitIdle(dialog);
              // The selection arrives through the callback once the tree is filled, which
              // takes longer than a fixed pause the first time the shell is used.
              Sleep(500);
              if (!selection.empty())
                  ROBOT::WaitFolderSelection(dialog, selection);
              ROBOT::WaitIdle(dialog);
              answered = ROBOT::PressButton(dialog, button);
          })
    {
    }
    ~FOLDERANSWER() { Wait(); }
    bool Wait()
    {
        if (worker.joinable())
            worker.join();
        return answered;
    }

private:
    bool answered = false;
    std::thread worker;
};

std::string WindowsPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    GetLongPathNameA(path.c_str(), full, MAX_PATH);
    return full;
}

TEST_F(MessageBoxTest, BrowseForFolderReturnsTheChosenFolder)
{
    SCRATCHDIR dir;
    std::string initial = WindowsPath(dir.Path());
    std::string name = initial.substr(initial.find_last_of('\\') + 1);
    {
        FOLDERANSWER answer(IDOK, name);
        STRING chosen = BrowseForFolder(nullptr, "Pick a folder", initial.c_str());
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(ombix_stricmp(chosen.Text(), initial.c_str()), 0)
            << chosen.Text() << " vs " << initial;
        EXPECT_EQ(chosen.CodePage, 1252);
    }
    {
        FOLDERANSWER answer(IDCANCEL);
        STRING chosen = BrowseForFolder(nullptr, "Pick a folder", initial.c_str());
        ASSERT_TRUE(answer.Wait());
        EXPECT_STREQ(chosen.Text(), "") << "cancelled";
    }
}

TEST_F(MessageBoxTest, BrowseForFolderGivesADriveRootWithoutBackslash)
{
    FOLDERANSWER answer(IDOK);
    STRING chosen = BrowseForFolder(nullptr, "Pick a drive", "C:\\");
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(ombix_stricmp(chosen.Text(), "C:"), 0) << chosen.Text();
}

}  // namespace
