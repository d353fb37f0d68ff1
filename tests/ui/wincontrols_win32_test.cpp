#include "ui/wincontrols.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "frame/langmodule_win32.h"
#include "tests/support/testsupport.h"
#include "tests/ui/uitest.h"

namespace {

// The controls dialog of the test module, its WM_COMMAND traffic forwarded to a RECORDER.
class ControlsTest : public UITEST {
protected:
    void SetUp() override
    {
        UITEST::SetUp();
        ASSERT_TRUE(owner.Make());
        dialog = OSYS::CreateLanguageDialog(600, owner.hWnd, Procedure,
                                            reinterpret_cast<LPARAM>(&owner));
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        UITEST::TearDown();
    }

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG)
            SetWindowLongPtrA(window, DWLP_USER, lParam);
        auto* recorder = reinterpret_cast<RECORDER*>(GetWindowLongPtrA(window, DWLP_USER));
        if (message == WM_COMMAND && recorder && lParam)
            recorder->HandleMessage(message, wParam, lParam);
        return FALSE;
    }

    RECORDER owner;
    HWND dialog = nullptr;
};

TEST_F(ControlsTest, SetCheckTellsTheOwnerAsAClickWould)
{
    CHECKBOX check(dialog, 605);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(owner.Calls(), "OnControl(0,605,0)");
    RADIOBUTTON radio(dialog, 606);
    owner.Clear();
    radio.SetCheck(BST_CHECKED);
    EXPECT_EQ(radio.GetCheck(), BST_CHECKED);
    EXPECT_EQ(owner.Calls(), "OnControl(0,606,0)");
}

TEST_F(ControlsTest, EntryFieldLimitAndSelection)
{
    ENTRYFIELD edit(dialog, 602);
    edit.LimitText(5);
    EXPECT_EQ(SendMessageA(edit.hWnd, EM_GETLIMITTEXT, 0, 0), 5);
    edit.SetText(STRING("abc"));
    edit.SelectText(0, -1);
    DWORD from = 0, to = 0;
    SendMessageA(edit.hWnd, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 3u);
    edit.SelectText(1, 2);
    SendMessageA(edit.hWnd, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 2u);
}

TEST_F(ControlsTest, ProgressBarIsCreatedWithARangeOfHundred)
{
    PROGRESSBAR bar(dialog, 620, 5, 5, 100, 10);
    ASSERT_TRUE(bar.IsValid());
    EXPECT_TRUE(bar.AutoDestroy);
    EXPECT_TRUE(bar.IsClass(PROGRESS_CLASSA));
    EXPECT_EQ(GetWindowLongPtrA(bar.hWnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
              LONG_PTR(WS_CHILD | WS_VISIBLE));
    PBRANGE range{};
    SendMessageA(bar.hWnd, PBM_GETRANGE, FALSE, LPARAM(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    bar.SetRange(250);
    bar.SetPos(120);
    EXPECT_EQ(SendMessageA(bar.hWnd, PBM_GETRANGE, FALSE, 0), 250);
    EXPECT_EQ(SendMessageA(bar.hWnd, PBM_GETPOS, 0, 0), 120);
}

TEST_F(ControlsTest, StyleTestsTellTheKinds)
{
    EXPECT_TRUE(WINDOW(GetDlgItem(dialog, 603)).IsDropdownList());
    EXPECT_FALSE(WINDOW(GetDlgItem(dialog, 603)).IsDropdownCombo());
    EXPECT_TRUE(WINDOW(GetDlgItem(dialog, 604)).IsDropdownCombo());
    EXPECT_FALSE(WINDOW(GetDlgItem(dialog, 604)).IsDropdownList());
    EXPECT_TRUE(WINDOW(GetDlgItem(dialog, 610)).IsPlaceholderFrame());
    EXPECT_TRUE(WINDOW(GetDlgItem(dialog, 608)).IsPlaceholderFrame());
    EXPECT_FALSE(WINDOW(GetDlgItem(dialog, 601)).IsPlaceholderFrame());
    EXPECT_FALSE(WINDOW(GetDlgItem(dialog, 607)).IsDropdownList());
}

TEST_F(ControlsTest, DropdownWrappersReportTheWrongKind)
{
    ASSERTCATCHER catcher;
    DROPDOWNLIST list(dialog, 603);
    DROPDOWNCOMBO combo(dialog, 604);
    DROPDOWNLIST missing(dialog, 699);
    EXPECT_EQ(catcher.Count(), 0u) << "right kinds and a missing control are fine";
    EXPECT_FALSE(list.IsListBox);
    EXPECT_FALSE(missing.IsValid());
    DROPDOWNLIST wrong(dialog, 604);
    EXPECT_TRUE(catcher.Saw("this->IsDropdownList() || !this->IsValid()"));
    DROPDOWNCOMBO wrongCombo(dialog, 603);
    EXPECT_TRUE(catcher.Saw("this->IsDropdownCombo() || !this->IsValid()"));
}

TEST_F(ControlsTest, ComboSelectionAndItemTexts)
{
    DROPDOWNLIST list(dialog, 603);
    EXPECT_EQ(list.AddString("first"), 0);
    EXPECT_EQ(list.AddString("zweit\xe4"), 1);
    EXPECT_EQ(list.AddStringW(L"third"), 2);
    EXPECT_EQ(list.AddString("fourth"), 3);
    EXPECT_EQ(list.GetSelection(0), -1);
    EXPECT_STREQ(list.GetItemText(-1).Text(), "") << "no selection";

    list.Select(1, true);
    EXPECT_EQ(owner.Calls(), "OnControl(1,603,0)");
    EXPECT_EQ(list.GetSelection(0), 1);
    EXPECT_EQ(list.GetSelection(1), -1);
    EXPECT_STREQ(list.GetItemText(-1).Text(), "zweit\xe4");
    EXPECT_STREQ(list.GetItemText(2).Text(), "third");
    EXPECT_STREQ(list.GetItemText(17).Text(), "") << "a missing item";

    owner.Clear();
    list.Select(3, false);
    EXPECT_EQ(list.GetSelection(0), -1);
    EXPECT_EQ(owner.Calls(), "OnControl(1,603,0)") << "clearing notifies too";

    list.ResetContent();
    EXPECT_EQ(SendMessageA(list.hWnd, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ControlsTest, LongItemsAreReadInFull)
{
    std::string longItem(3000, 'q');
    longItem += "end";
    LISTBOX single(dialog, 609);
    DROPDOWNCOMBO combo(dialog, 604);
    EXPECT_TRUE(single.IsListBox);
    single.AddString(longItem.c_str());
    combo.AddString(longItem.c_str());
    EXPECT_EQ(std::string(single.GetItemText(0).Text()), longItem);
    EXPECT_EQ(std::string(combo.GetItemText(0).Text()), longItem);
}

TEST_F(ControlsTest, ListBoxSelections)
{
    LISTBOX single(dialog, 609);
    for (const char* item : {"a", "b", "c", "d"})
        single.AddString(item);
    single.Select(2);
    EXPECT_EQ(single.GetSelection(0), 2);
    EXPECT_EQ(single.GetSelection(1), -1) << "a single-selection list has one selection";
    EXPECT_EQ(owner.Calls(), "OnControl(1,609,0)");
    single.Select(2, false);
    EXPECT_EQ(single.GetSelection(0), -1);

    LISTBOX multiple(dialog, 607);
    for (const char* item : {"a", "b", "c", "d", "e"})
        multiple.AddString(item);
    multiple.Select(1);
    multiple.Select(3);
    multiple.Select(4);
    multiple.Select(4, false);
    EXPECT_EQ(multiple.GetSelection(0), 1);
    EXPECT_EQ(multiple.GetSelection(1), 3);
    EXPECT_EQ(multiple.GetSelection(2), -1);
    EXPECT_STREQ(multiple.GetItemText(-1).Text(), "b");
}

TEST_F(ControlsTest, OwnerDrawnListsKeepThePointer)
{
    CONTROL created(dialog, 630, "ListBox", LBS_OWNERDRAWFIXED, 0, 0, 50, 50, "", 0);
    LISTCONTROL list(dialog, 630);
    static const char item[] = "drawn";
    EXPECT_EQ(list.AddString(item), 0);
    EXPECT_EQ(SendMessageA(list.hWnd, LB_GETITEMDATA, 0, 0), reinterpret_cast<LRESULT>(item));
}

TEST_F(ControlsTest, ListBoxTakesThePlaceholdersPlace)
{
    HWND placeholder = GetDlgItem(dialog, 610);
    RECT expected = CONTROL(dialog, 610).GetRect();
    HWND before = GetWindow(placeholder, GW_HWNDPREV);
    ASSERTCATCHER catcher;
    {
        // Without LBS_NOINTEGRALHEIGHT a list box trims its height to whole items.
        LISTBOX list(dialog, 640, LBS_SORT | LBS_NOINTEGRALHEIGHT, 610);
        ASSERT_TRUE(list.IsValid());
        EXPECT_EQ(catcher.Count(), 0u);
        EXPECT_TRUE(list.AutoDestroy);
        EXPECT_TRUE(list.IsListBox);
        EXPECT_FALSE(IsWindow(placeholder));
        EXPECT_EQ(GetDlgItem(dialog, 640), list.hWnd);
        RECT rect = list.GetRect();
        EXPECT_TRUE(EqualRect(&rect, &expected));
        EXPECT_EQ(GetWindow(before, GW_HWNDNEXT), list.hWnd) << "same place in the tab order";
        // An empty list box drops WS_VSCROLL until it needs the bar.
        LONG_PTR style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | LBS_SORT;
        EXPECT_EQ(GetWindowLongPtrA(list.hWnd, GWL_STYLE) & style, style);
        EXPECT_TRUE(GetWindowLongPtrA(list.hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_EQ(SendMessageA(list.hWnd, WM_GETFONT, 0, 0), SendMessageA(dialog, WM_GETFONT, 0, 0));
        list.AddString("b");
        list.AddString("a");
        EXPECT_STREQ(list.GetItemText(0).Text(), "a");
    }
    EXPECT_EQ(GetDlgItem(dialog, 640), nullptr) << "the object owns the list box";
}

TEST_F(ControlsTest, InPlaceCreationUnderAnIdInUseIsReported)
{
    ASSERTCATCHER catcher;
    CONTROL made(dialog, 602, "ListBox", WS_VISIBLE, 608, "", 0);
    EXPECT_TRUE(catcher.Saw("CONTROL(hwndparent, id).Hwnd()==this->hWnd"));
}

}  // namespace
