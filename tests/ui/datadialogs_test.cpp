#include "ui/datadialogs.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "frame/ombix_win32.h"
#include "tests/robot/robot.h"
#include "tests/support/testsupport.h"
#include "ui/datadialogitems.h"

namespace {

// Templates of datadialogs_test.rc.
constexpr int ITEMSDIALOG = 100;
constexpr int NOFOCUSDIALOG = 110;
constexpr int FOCUSDIALOG = 111;
constexpr int PAGEDIALOG = 120;
constexpr int NOCANCELDIALOG = 130;

// A step of a modal run arrives as this user message; its wParam is the step's index.
constexpr UINT STEPMESSAGE = 0x0480;
constexpr UINT WATCHDOGMS = 60000;
constexpr int WATCHDOGRESULT = -99;

HMODULE TestModule()
{
    return GetModuleHandleA(nullptr);
}

void Drain()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND Item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}
void Click(HWND dialog, int id)
{
    SendMessageA(Item(dialog, id), BM_CLICK, 0, 0);
}
int Checked(HWND dialog, int id)
{
    return int(SendMessageA(Item(dialog, id), BM_GETCHECK, 0, 0));
}
bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(Item(dialog, id)) != FALSE;
}
bool Shown(HWND dialog, int id)
{
    return (GetWindowLongPtrA(Item(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}
std::string Text(HWND dialog, int id)
{
    char text[512] = {};
    GetWindowTextA(Item(dialog, id), text, sizeof(text));
    return text;
}
// As typed: the edit tells the dialog of the change.
void Type(HWND dialog, int id, const char* text)
{
    SetWindowTextA(Item(dialog, id), text);
}

// A modal box that runs the test's steps one after another from inside its own message loop
// (each step sees what the ones before it caused), and ends itself
// with WATCHDOGRESULT when the steps never end it.
class TESTBOX : public DATADIALOGBOX {
public:
    using STEP = std::function<void(HWND dialog)>;

    explicit TESTBOX(int templateId = ITEMSDIALOG)
        : DATADIALOGBOX(templateId, nullptr, TestModule())
    {
    }

    // Hidden unless asked: under Wine without a window manager every hide waits two seconds.
    int Run(std::vector<STEP> run, bool shown = false)
    {
        steps = std::move(run);
        if (!steps.empty())
            PostMessageA(hWnd, STEPMESSAGE, 0, 0);
        running = this;
        UINT_PTR timer = SetTimer(nullptr, 0, WATCHDOGMS, Watchdog);
        int result = RunModal(!shown);
        KillTimer(nullptr, timer);
        running = nullptr;
        return result;
    }

    LRESULT OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != STEPMESSAGE || wParam >= steps.size())
            return DATADIALOGBOX::OnUserMessage(message, wParam, lParam);
        steps[wParam](hWnd);
        // The next step is posted only now: a modal loop that a step opens must not run it.
        if (wParam + 1 < steps.size())
            PostMessageA(hWnd, STEPMESSAGE, wParam + 1, 0);
        return 1;
    }

private:
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
    {
        if (running)
            running->EndModal(WATCHDOGRESULT);
    }

    static TESTBOX* running;
    std::vector<STEP> steps;
};
TESTBOX* TESTBOX::running = nullptr;

TESTBOX::STEP Press(int id)
{
    return [id](HWND dialog) { PostMessageA(Item(dialog, id), BM_CLICK, 0, 0); };
}

TESTBOX::STEP Pick(int id)
{
    return [id](HWND dialog) { Click(dialog, id); };
}

// The title bar's close box.
void CloseBox(HWND dialog)
{
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Every test watches for assertion reports: none may appear unless a test expects them.
class DataDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage = gLanguageModule;
        gLanguageModule = TestModule();
        Drain();
    }
    void TearDown() override
    {
        Drain();
        gLanguageModule = savedLanguage;
    }

    ASSERTCATCHER asserts;

private:
    HMODULE savedLanguage = nullptr;
};

struct RADIOS {
    STRING value;
    void Bind(DATADIALOG& dialog)
    {
        dialog.AddItem(new RADIOITEM(401, &value, 0));
        dialog.AddItem(new RADIOITEM(402, &value, 1));
        dialog.AddItem(new RADIOITEM(403, &value, 2));
    }
};

TEST_F(DataDialogTest, RadioGroupPutsPicksAndReadsBackOnlyWithoutCancel)
{
    {
        RADIOS group{"1"};
        TESTBOX box;
        group.Bind(box);
        std::vector<int> seen;
        int result = box.Run({[&](HWND d) {
                                  seen = {Checked(d, 401), Checked(d, 402), Checked(d, 403)};
                              },
                              Pick(403), Press(IDOK)},
                             true);
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(seen, (std::vector<int>{0, 1, 0})) << "the variable's 1 checks the second";
        EXPECT_STREQ(group.value.Text(), "2");
    }
    {
        RADIOS group{"1"};
        TESTBOX box;
        group.Bind(box);
        EXPECT_EQ(box.Run({Pick(403), Press(IDCANCEL)}, true), 0);
        EXPECT_STREQ(group.value.Text(), "1") << "Cancel reads nothing back";
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, CloseBoxEndsWithZeroAndReadsBackButCancelAndEscapeDoNot)
{
    struct CASE {
        const char* name;
        TESTBOX::STEP end;
        int result;
        bool readBack;
    };
    const CASE cases[] = {
        {"close box", CloseBox, 0, true},
        {"Cancel button", Press(IDCANCEL), 0, false},
        {"Escape", [](HWND d) { PostMessageA(Item(d, 201), WM_KEYDOWN, VK_ESCAPE, 0); }, 0, false},
        {"OK", Press(IDOK), IDOK, true},
        {"EndModal", [](HWND d) { PostMessageA(d, WMU_ENDMODAL, 77, 0); }, 77, true},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        STRING name("old");
        RADIOS group{"0"};
        TESTBOX box;
        box.AddItem(new ENTRYITEM(201, &name, 40));
        group.Bind(box);
        int result = box.Run({[](HWND d) { Type(d, 201, "new"); }, Pick(402), c.end});
        EXPECT_EQ(result, c.result);
        EXPECT_STREQ(name.Text(), c.readBack ? "new" : "old");
        EXPECT_STREQ(group.value.Text(), c.readBack ? "1" : "0");
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, EscapeWithoutACancelButtonLeavesTheDialogOpen)
{
    STRING name("old");
    TESTBOX box(NOCANCELDIALOG);
    box.AddItem(new ENTRYITEM(201, &name, 40));
    bool openAfterEscape = false;
    int result =
        box.Run({[](HWND d) { PostMessageA(Item(d, 201), WM_KEYDOWN, VK_ESCAPE, 0); },
                 [&](HWND d) { openAfterEscape = IsWindowVisible(d) != FALSE; }, Press(IDOK)},
                true);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, IDOK);
}

TEST_F(DataDialogTest, UncheckedRadioLeavesItsVariableAlone)
{
    {
        // A lone check box bound with value 1 does not write 0 when it is cleared.
        STRING lonely("1");
        TESTBOX box;
        box.AddItem(new RADIOITEM(405, &lonely, 1));
        int checkedAtStart = -1;
        box.Run({[&](HWND d) { checkedAtStart = Checked(d, 405); }, Pick(405), Press(IDOK)});
        EXPECT_EQ(checkedAtStart, BST_CHECKED);
        EXPECT_STREQ(lonely.Text(), "1");
    }
    {
        // No button of the group holds the variable's value, and none is picked.
        RADIOS group{"5"};
        TESTBOX box;
        group.Bind(box);
        int anyChecked = -1;
        box.Run({[&](HWND d) { anyChecked = Checked(d, 401) + Checked(d, 402) + Checked(d, 403); },
                 Press(IDOK)});
        EXPECT_EQ(anyChecked, 0);
        EXPECT_STREQ(group.value.Text(), "5");
    }
}

TEST_F(DataDialogTest, ListItemSelectsTheIndexAndLeavesNoSelectionOutsideTheEntries)
{
    STRINGARRAY entries;
    entries.Add(STRING("alpha"));
    entries.Add(STRING("beta"));
    entries.Add(STRING("gamma"));
    struct CASE {
        const char* value;
        int selected;
    };
    const CASE values[] = {{"1", 1}, {"-1", -1}, {"3", -1}, {"7", -1}, {"0", 0}, {"", 0}};
    // A list box, a drop-down list, a list of several selections, a placeholder frame.
    for (int id : {501, 502, 503, 504}) {
        for (const CASE& c : values) {
            SCOPED_TRACE(std::to_string(id) + " holding '" + c.value + "'");
            DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
            STRING value(c.value);
            dialog.AddItem(new LISTITEM(id, &value, &entries));
            dialog.PutAll();
            HWND list = Item(dialog.hWnd, id);
            ASSERT_NE(list, nullptr);
            bool combo = id == 502;
            EXPECT_EQ(SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0), 3);
            if (id == 503) {
                EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), c.selected == -1 ? 0 : 1);
            }
            dialog.GetAll();
            EXPECT_EQ(value.AsInt(), c.selected);
            EXPECT_STREQ(value.Text(), std::to_string(c.selected).c_str());
        }
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, PlaceholderBecomesAListBoxInItsPlace)
{
    DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
    RECT before{};
    GetWindowRect(Item(dialog.hWnd, 504), &before);
    STRING value("0");
    STRINGARRAY entries;
    entries.Add(STRING("only"));
    dialog.AddItem(new LISTITEM(504, &value, &entries));
    dialog.PutAll();
    HWND list = Item(dialog.hWnd, 504);
    EXPECT_TRUE(CONTROL(list).IsClass("ListBox"));
    RECT after{};
    GetWindowRect(list, &after);
    // A list box rounds its height to whole items.
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
}

// ---- dependency entries ----

TEST_F(DataDialogTest, UncheckedBoxDisablesItsTargetUntilChecked)
{
    DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
    STRING box("0");
    dialog.AddItem(new RADIOITEM(405, &box, 1));
    dialog.AddDisableItem(nullptr, 201, nullptr, 405, DEPEND::UNCHECKED);
    dialog.PutAll();
    EXPECT_FALSE(Enabled(dialog.hWnd, 201)) << "PutAll evaluates";
    Click(dialog.hWnd, 405);
    EXPECT_TRUE(Enabled(dialog.hWnd, 201));
    Click(dialog.hWnd, 405);
    EXPECT_FALSE(Enabled(dialog.hWnd, 201));
    EXPECT_TRUE(Enabled(dialog.hWnd, 202)) << "other controls untouched";
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, EntriesOfOneTargetAreOredOrWithTheFlagAnded)
{
    struct CASE {
        bool box, third;
        bool disabledOr, disabledAnd;
    };
    const CASE cases[] = {
        {false, false, false, false},
        {true, false, true, false},
        {false, true, true, false},
        {true, true, true, true},
    };
    for (bool anded : {false, true}) {
        for (const CASE& c : cases) {
            SCOPED_TRACE(std::string(anded ? "AND" : "OR") + " box " + std::to_string(c.box) +
                         " third " + std::to_string(c.third));
            DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
            STRING box("0"), radio("0");
            dialog.AddItem(new RADIOITEM(405, &box, 1));
            dialog.AddItem(new RADIOITEM(401, &radio, 0));
            dialog.AddDisableItem(nullptr, 201, nullptr, 405,
                                  DEPEND::CHECKED | (anded ? DEPEND::ALL : 0));
            dialog.AddDisableItem(nullptr, 201, nullptr, 403, DEPEND::CHECKED);
            dialog.PutAll();
            EXPECT_TRUE(Enabled(dialog.hWnd, 201));
            if (c.box)
                Click(dialog.hWnd, 405);
            // The click of one radio button changes its group: 403 is tested on 401's click.
            Click(dialog.hWnd, c.third ? 403 : 402);
            if (c.third)
                Click(dialog.hWnd, 403);
            EXPECT_EQ(!Enabled(dialog.hWnd, 201), anded ? c.disabledAnd : c.disabledOr);
            Click(dialog.hWnd, 401);
            EXPECT_EQ(!Enabled(dialog.hWnd, 201), anded ? false : c.box);
        }
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, AlwaysKindDisablesAndEntriesWithoutSourceCountOnTheFirstPassOnly)
{
    DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
    STRING folder("x"), box("0");
    dialog.AddItem(new ENTRYITEM(202, &folder, 100));
    dialog.AddItem(new RADIOITEM(405, &box, 1));
    dialog.AddDisableItem(nullptr, 202, nullptr, 202, DEPEND::ALWAYS);
    dialog.AddDisableItem(nullptr, 203, nullptr, 0, DEPEND::ALWAYS);
    dialog.AddDisableItem(nullptr, 101, nullptr, 405, DEPEND::NEVER);
    dialog.PutAll();
    EXPECT_FALSE(Enabled(dialog.hWnd, 202));
    EXPECT_FALSE(Enabled(dialog.hWnd, 203));
    EXPECT_TRUE(Enabled(dialog.hWnd, 101));

    Type(dialog.hWnd, 202, "changed");
    EXPECT_FALSE(Enabled(dialog.hWnd, 202)) << "kept disabled";
    EnableWindow(Item(dialog.hWnd, 203), TRUE);
    Click(dialog.hWnd, 405);
    EXPECT_TRUE(Enabled(dialog.hWnd, 203)) << "no second look at an entry without source";
    EXPECT_GT(dialog.EvalCount, 1);
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, HideModeHidesTheEditAndItsLabel)
{
    DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
    STRING box("0");
    dialog.AddItem(new RADIOITEM(405, &box, 1));
    dialog.AddDisableItem(nullptr, 202, nullptr, 405, DEPEND::CHECKED | DEPEND::HIDE);
    dialog.PutAll();
    EXPECT_TRUE(Shown(dialog.hWnd, 202));
    EXPECT_TRUE(Shown(dialog.hWnd, 202 + DEPEND::LABELOFFSET));
    Click(dialog.hWnd, 405);
    EXPECT_FALSE(Shown(dialog.hWnd, 202));
    EXPECT_FALSE(Shown(dialog.hWnd, 202 + DEPEND::LABELOFFSET));
    EXPECT_TRUE(Enabled(dialog.hWnd, 202)) << "hidden, not disabled";
    EXPECT_TRUE(Shown(dialog.hWnd, 201 + DEPEND::LABELOFFSET)) << "another edit's label";
    Click(dialog.hWnd, 405);
    EXPECT_TRUE(Shown(dialog.hWnd, 202));
    EXPECT_TRUE(Shown(dialog.hWnd, 202 + DEPEND::LABELOFFSET));
}

TEST_F(DataDialogTest, ControlParentTargetIsHiddenInsteadOfDisabled)
{
    DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
    SetWindowLongPtrA(Item(dialog.hWnd, 101), GWL_EXSTYLE,
                      GetWindowLongPtrA(Item(dialog.hWnd, 101), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    STRING box("1");
    dialog.AddItem(new RADIOITEM(405, &box, 1));
    dialog.AddDisableItem(nullptr, 101, nullptr, 405, DEPEND::CHECKED);
    dialog.PutAll();
    EXPECT_FALSE(Shown(dialog.hWnd, 101));
    EXPECT_TRUE(Enabled(dialog.hWnd, 101));
}

TEST_F(DataDialogTest, EditAndListConditions)
{
    SCRATCHDIR scratch;
    scratch.Write("file.txt", "x");
    std::string folder = scratch.Path();
    std::string file = scratch.File("file.txt");
    std::string missing = scratch.File("missing.txt");
    struct CASE {
        int kind;
        const char* compare;
        std::string text;
        bool disabled;
    };
    const CASE edits[] = {
        {DEPEND::CHECKED, "", "some", true},    {DEPEND::CHECKED, "", "", false},
        {DEPEND::UNCHECKED, "", "", true},      {DEPEND::EQUAL, "Yes", "yES", true},
        {DEPEND::EQUAL, "Yes", "no", false},    {DEPEND::DIFFERENT, "Yes", "no", true},
        {DEPEND::EXISTS, "", file, true},       {DEPEND::EXISTS, "", missing, false},
        {DEPEND::NOTEXISTS, "", missing, true}, {DEPEND::FOLDER, "", folder, true},
        {DEPEND::FOLDER, "", file, false},      {DEPEND::NOTFOLDER, "", file, true},
        {DEPEND::NOTFOLDER, "", folder, false},
    };
    for (const CASE& c : edits) {
        SCOPED_TRACE("edit kind " + std::to_string(c.kind) + " '" + c.text + "'");
        DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
        STRING text("");
        dialog.AddItem(new ENTRYITEM(203, &text, 260));
        dialog.AddDisableItem(nullptr, 101, nullptr, 203, c.kind, c.compare);
        dialog.PutAll();
        Type(dialog.hWnd, 203, c.text.c_str());
        EXPECT_EQ(!Enabled(dialog.hWnd, 101), c.disabled);
    }

    STRINGARRAY entries;
    entries.Add(STRING("alpha"));
    entries.Add(STRING("beta"));
    const CASE lists[] = {
        {DEPEND::EQUAL, "BETA", "1", true},     {DEPEND::EQUAL, "BETA", "0", false},
        {DEPEND::DIFFERENT, "beta", "0", true}, {DEPEND::INDEX, "1", "1", true},
        {DEPEND::INDEX, "-1", "-1", true},      {DEPEND::NOTINDEX, "1", "0", true},
        {DEPEND::EQUAL, "", "-1", true},
    };
    for (int id : {501, 502}) {
        for (const CASE& c : lists) {
            SCOPED_TRACE("list " + std::to_string(id) + " kind " + std::to_string(c.kind) +
                         " index " + c.text);
            DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
            STRING index(c.text.c_str());
            dialog.AddItem(new LISTITEM(id, &index, &entries));
            dialog.AddDisableItem(nullptr, 101, nullptr, id, c.kind, c.compare);
            dialog.PutAll();
            EXPECT_EQ(!Enabled(dialog.hWnd, 101), c.disabled);
        }
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, KindsThatDoNotFitTheSourceAreFalseWithAReport)
{
    struct CASE {
        int source;
        int kind;
        const char* report;
    };
    const CASE cases[] = {
        {405, DEPEND::INDEX, "FALSE"},     {501, DEPEND::CHECKED, "FALSE"},
        {203, DEPEND::INDEX, "FALSE"},     {999, DEPEND::CHECKED, "cdepend.IsValid()"},
        {55201, DEPEND::CHECKED, nullptr}, // a static text: false without a report
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(std::to_string(c.source) + " kind " + std::to_string(c.kind));
        asserts.Clear();
        DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
        STRING text("");
        dialog.AddItem(new ENTRYITEM(201, &text, 10));
        dialog.AddDisableItem(nullptr, 101, nullptr, 0, DEPEND::NEVER);
        dialog.AddDisableItem(nullptr, 101, nullptr, c.source, c.kind);
        dialog.PutAll();
        EXPECT_TRUE(Enabled(dialog.hWnd, 101));
        if (c.report) {
            EXPECT_TRUE(asserts.Saw(c.report));
        } else {
            EXPECT_EQ(asserts.Count(), 0u);
        }
    }
}

TEST_F(DataDialogTest, TablesHoldSixtyFourAndRefuseMore)
{
    DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
    STRING value("0");
    for (int i = 0; i < DATADIALOGBASE::MAXITEMS; ++i)
        EXPECT_EQ(dialog.AddItem(new RADIOITEM(401, &value, 0)), i);
    EXPECT_EQ(dialog.AddItem(new RADIOITEM(401, &value, 0)), -1);
    EXPECT_TRUE(asserts.Saw("this->Howmany < this->Max"));
    EXPECT_EQ(dialog.Howmany, DATADIALOGBASE::MAXITEMS);
    for (int i = 0; i < DATADIALOGBASE::MAXDISABLEITEMS; ++i)
        EXPECT_EQ(dialog.AddDisableItem(nullptr, 201, nullptr, 405, 0), i);
    EXPECT_EQ(dialog.AddDisableItem(nullptr, 201, nullptr, 405, 0), -1);
    EXPECT_TRUE(asserts.Saw("this->DisableItemCount<ARRAYMAX(this->DisableItems)"));
    EXPECT_EQ(dialog.DisableItemCount, DATADIALOGBASE::MAXDISABLEITEMS);
}

TEST_F(DataDialogTest, MissingControlsAreReportedWithTheirIds)
{
    struct CASE {
        const char* kind;
        int id;
        const char* report;
    };
    const CASE cases[] = {
        {"entry", 999, "this->pEntry->IsValid()"},
        {"radio", 998, "this->pRadio->IsValid()"},
        {"list", 997, "this->pList->IsValid()"},
        {"list on a static text", 55201, "this->pList->IsValid()"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.kind);
        asserts.Clear();
        DATADIALOG dialog(ITEMSDIALOG, nullptr, TestModule());
        STRING value("1");
        std::string kind = c.kind;
        if (kind == "entry")
            dialog.AddItem(new ENTRYITEM(c.id, &value, 10));
        else if (kind == "radio")
            dialog.AddItem(new RADIOITEM(c.id, &value, 1));
        else
            dialog.AddItem(new LISTITEM(c.id, &value, nullptr));
        dialog.PutAll();
        dialog.GetAll();
        ASSERT_EQ(asserts.Count(), 1u);
        EXPECT_EQ(asserts.Reports()[0].condition, c.report);
        EXPECT_EQ(asserts.Reports()[0].info, std::to_string(c.id));
        EXPECT_EQ(asserts.Reports()[0].source, "datadialogitems");
    }
}

// The wizard frame and a page of the real English module, through gLanguageModule.
TEST_F(DataDialogTest, TemplatesOfTheLanguageModuleBindTheirControls)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    HMODULE english = LoadLibraryA((dir + "setupenglish.dll").c_str());
    ASSERT_NE(english, nullptr);
    gLanguageModule = english;
    {
        STRING keep("1");
        DATADIALOGBOX frame(10702, nullptr);
        ASSERT_TRUE(frame.IsValid());
        auto* page = new DATADIALOG(2014, frame.hWnd);
        ASSERT_TRUE(page->IsValid());
        page->AddItem(new RADIOITEM(401, &keep, 0));
        page->AddItem(new RADIOITEM(402, &keep, 1));
        frame.SubDialogs[0].Dialog = page;
        frame.SubDialogCount = 1;
        frame.PutAll();
        page->PutAll();
        EXPECT_EQ(Checked(page->hWnd, 402), BST_CHECKED);
        Click(page->hWnd, 401);
        page->GetAll();
        EXPECT_STREQ(keep.Text(), "0");
    }
    gLanguageModule = TestModule();
    FreeLibrary(english);
    EXPECT_EQ(asserts.Count(), 0u);
}

// ---- dialogs ----

TEST_F(DataDialogTest, ControlEightHundredAsksForNoDefaultFocus)
{
    for (int templateId : {NOFOCUSDIALOG, FOCUSDIALOG}) {
        SCOPED_TRACE(templateId);
        SetFocus(nullptr);
        DIALOG dialog(templateId, nullptr, TestModule());
        ASSERT_TRUE(dialog.IsValid());
        bool noFocus = templateId == NOFOCUSDIALOG;
        EXPECT_EQ(dialog.DialogProc(WM_INITDIALOG, 0, 1), noFocus ? 0 : 1);
        EXPECT_EQ(GetFocus() == Item(dialog.hWnd, 201), !noFocus);
    }
}

class COUNTINGDIALOG : public DIALOG {
public:
    using DIALOG::DIALOG;
    int creates = 0;
    int OnCreate() override { return ++creates; }
};

TEST_F(DataDialogTest, DialogRunsOnCreateLaterAndAnswersItsId)
{
    DIALOG top(ITEMSDIALOG, nullptr, TestModule());
    COUNTINGDIALOG dialog(PAGEDIALOG, top.hWnd, TestModule());
    ASSERT_TRUE(dialog.IsValid());
    EXPECT_EQ(dialog.creates, 0) << "not inside the constructor";
    Drain();
    EXPECT_EQ(dialog.creates, 1);
    EXPECT_EQ(GetWindowLongPtrA(dialog.hWnd, GWLP_ID), PAGEDIALOG);
    EXPECT_EQ(WINDOW(dialog.hWnd).Id, PAGEDIALOG);

    EXPECT_EQ(WINDOW(top.hWnd).Id, ITEMSDIALOG) << "asked with WMU_GETID";
    EXPECT_EQ(GetMenu(top.hWnd), nullptr);

    HWND gone = top.hWnd;
    {
        ASSERTCATCHER missing;
        DIALOG none(4711, nullptr, TestModule());
        EXPECT_EQ(none.hWnd, nullptr);
        ASSERT_EQ(missing.Count(), 1u);
        EXPECT_EQ(missing.Reports()[0].condition, "this->hWnd");
        EXPECT_EQ(missing.Reports()[0].info, "4711");
        EXPECT_EQ(none.RunModal(), 0) << "a run without a window ends at once";
    }
    EXPECT_TRUE(IsWindow(gone));
}

TEST_F(DataDialogTest, ModalRunDisablesTheOwnerAndHidesAfterwards)
{
    DIALOG owner(ITEMSDIALOG, nullptr, TestModule());
    ShowWindow(owner.hWnd, SW_SHOW);
    TESTBOX box(NOCANCELDIALOG);
    SetWindowLongPtrA(box.hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.hWnd));
    bool ownerEnabled = true, boxVisible = false;
    int result = box.Run({[&](HWND d) {
                              ownerEnabled = IsWindowEnabled(owner.hWnd) != FALSE;
                              boxVisible = IsWindowVisible(d) != FALSE;
                          },
                          Press(IDOK)},
                         true);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(boxVisible);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd));
    EXPECT_FALSE(IsWindowVisible(box.hWnd));
}

// Records which messages reach the dialog window itself, and swallows one of them.
std::vector<UINT> gHooked;
UINT gSwallow = 0;
LRESULT CALLBACK RecordingHook(HWND, UINT message, WPARAM, LPARAM)
{
    gHooked.push_back(message);
    return message == gSwallow ? 1 : 0;
}

bool Saw(UINT message)
{
    return std::find(gHooked.begin(), gHooked.end(), message) != gHooked.end();
}

TEST_F(DataDialogTest, ControlTabGoesToTheDialogPastTheDialogManager)
{
    for (bool control : {false, true}) {
        SCOPED_TRACE(control ? "Ctrl+Tab" : "Tab");
        TESTBOX box;
        gHooked.clear();
        box.pfnHook = RecordingHook;
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        bool reached = false;
        box.Run({[](HWND d) {
                     SetFocus(Item(d, 201));
                     PostMessageA(Item(d, 201), WM_KEYDOWN, VK_TAB, 0);
                 },
                 [&](HWND) { reached = Saw(WM_KEYDOWN); }, Press(IDOK)});
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(reached, control) << "a plain Tab moves the focus inside the dialog manager";
    }
}

TEST_F(DataDialogTest, HookAnswerKeepsTheMessageFromTheDialogButNotItsDestruction)
{
    class DESTROYCOUNT : public DIALOG {
    public:
        using DIALOG::DIALOG;
        int closes = 0, destroys = 0;
        int OnClose() override { return ++closes; }
        int OnDestroy() override { return ++destroys; }
    };
    DESTROYCOUNT dialog(ITEMSDIALOG, nullptr, TestModule());
    dialog.pfnHook = RecordingHook;
    gSwallow = WM_CLOSE;
    SendMessageA(dialog.hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.closes, 0);
    gSwallow = WM_DESTROY;
    dialog.Destroy();
    gSwallow = 0;
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_EQ(dialog.pfnHook, nullptr) << "cleared at WM_DESTROY";
}

TEST_F(DataDialogTest, PageThatEndsItselfDoesNotEndTheBox)
{
    TESTBOX box;
    DATADIALOG page(PAGEDIALOG, box.hWnd, TestModule());
    int result = box.Run({[&](HWND) { page.EndModal(5); }, Press(IDOK)});
    EXPECT_EQ(result, IDOK);
}

class SWALLOWINGBOX : public TESTBOX {
public:
    bool PreTranslate(MSG* message) override { return message->message == WM_KEYDOWN; }
};

TEST_F(DataDialogTest, PreTranslateTakesMessagesBeforeTheDialogManager)
{
    SWALLOWINGBOX box;
    STRING name("old");
    box.AddItem(new ENTRYITEM(201, &name, 40));
    int result = box.Run(
        {[](HWND d) { PostMessageA(Item(d, 201), WM_KEYDOWN, VK_ESCAPE, 0); }, Press(IDOK)});
    EXPECT_EQ(result, IDOK) << "Escape never reached the dialog manager";
}

// ---- push items and sub-dialogs ----

struct PUSHRECORD {
    int calls = 0;
    int value = 0;
    HWND dialog = nullptr;
    std::string parameter;
};

int RecordPush(INT_PTR user, int value, HWND dialog, STRING* parameter)
{
    auto* record = reinterpret_cast<PUSHRECORD*>(user);
    ++record->calls;
    record->value = value;
    record->dialog = dialog;
    record->parameter = parameter->Text();
    *parameter = STRING("changed by the button");
    return 0;
}

TEST_F(DataDialogTest, PushItemRunsItsCallbackAndCarriesTheParameter)
{
    for (int end : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(end);
        PUSHRECORD record;
        STRING parameter("given");
        TESTBOX box;
        box.AddItem(
            new PUSHITEM(101, &parameter, RecordPush, reinterpret_cast<INT_PTR>(&record), 42));
        int result = box.Run({Press(101), Press(end)});
        EXPECT_EQ(result, end == IDOK ? IDOK : 0) << "the push button did not end the run";
        EXPECT_EQ(record.calls, 1);
        EXPECT_EQ(record.value, 42);
        EXPECT_EQ(record.dialog, box.hWnd);
        EXPECT_EQ(record.parameter, "given");
        EXPECT_STREQ(parameter.Text(), end == IDOK ? "changed by the button" : "given");
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

TEST_F(DataDialogTest, ButtonOfAnotherItemKindEndsTheRunWithAReport)
{
    STRING value("0");
    TESTBOX box;
    box.AddItem(new RADIOITEM(IDOK, &value, 1));
    EXPECT_EQ(box.Run({Press(IDOK)}), IDOK);
    EXPECT_TRUE(asserts.Saw("this->Magic==0x50555348"));
}

TEST_F(DataDialogTest, SubDialogsArePutReadBackAndCancelledWithTheBox)
{
    for (int end : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(end);
        STRING text("page text");
        STRING boxText("box text");
        TESTBOX box;
        box.AddItem(new ENTRYITEM(201, &boxText, 40));
        auto* page = new DATADIALOG(PAGEDIALOG, box.hWnd, TestModule());
        page->AddItem(new ENTRYITEM(201, &text, 40));
        box.SubDialogs[0].Dialog = page;
        box.SubDialogs[0].Key = 7;
        box.SubDialogCount = 1;
        std::string seen;
        box.Run({[&](HWND) {
                     seen = Text(page->hWnd, 201);
                     Type(page->hWnd, 201, "typed");
                 },
                 Press(end)});
        EXPECT_EQ(seen, "page text");
        EXPECT_STREQ(text.Text(), end == IDOK ? "typed" : "page text");
        EXPECT_EQ(page->ReadBack, end == IDOK);
    }
}

// Answers the folder picker that the dialog opens, with its own thread.
class PICKERANSWER {
public:
    PICKERANSWER(HWND owner, int button, std::string selection)
        : worker([this, owner, button, selection] {
              DWORD start = GetTickCount();
              HWND picker = nullptr;
              while (!picker && GetTickCount() - start < WATCHDOGMS) {
                  picker = FindPicker(owner);
                  if (!picker)
                      Sleep(50);
              }
              if (!picker)
                  return;
              // The initial folder is selected through the callback once the tree is filled.
              ROBOT::WaitFolderSelection(picker, selection);
              for (HWND child = FindWindowExA(picker, nullptr, nullptr, nullptr); child;
                   child = FindWindowExA(picker, child, nullptr, nullptr))
                  texts += ROBOT::GetText(child) + "\n";
              answered = ROBOT::PressButton(picker, button);
          })
    {
    }
    ~PICKERANSWER() { Wait(); }
    bool Wait()
    {
        if (worker.joinable())
            worker.join();
        return answered;
    }
    std::string texts;

private:
    static HWND FindPicker(HWND owner)
    {
        for (HWND top = FindWindowExA(nullptr, nullptr, "#32770", nullptr); top;
             top = FindWindowExA(nullptr, top, "#32770", nullptr))
            if (GetWindow(top, GW_OWNER) == owner && IsWindowVisible(top))
                return top;
        return nullptr;
    }

    bool answered = false;
    std::thread worker;
};

TEST_F(DataDialogTest, BrowseIntoEntryPutsThePickedFolderIntoTheEdit)
{
    SCRATCHDIR scratch;
    char longPath[MAX_PATH] = {};
    GetLongPathNameA(scratch.Path().c_str(), longPath, MAX_PATH);
    std::string folder = longPath;
    // By the int value, and by the user value when the int value is 0.
    for (bool byUser : {false, true}) {
        SCOPED_TRACE(byUser ? "user value" : "int value");
        STRING target((folder + "\\").c_str());
        STRING prompt("Pick the folder|the rest is not shown");
        TESTBOX box;
        box.AddItem(new ENTRYITEM(202, &target, 260));
        box.AddItem(
            new PUSHITEM(101, &prompt, BrowseIntoEntry, byUser ? 202 : 0, byUser ? 0 : 202));
        PICKERANSWER answer(box.hWnd, IDOK, folder.substr(folder.find_last_of('\\') + 1));
        int result = box.Run({Pick(101), Press(IDOK)});
        EXPECT_TRUE(answer.Wait());
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(ombix_stricmp(target.Text(), folder.c_str()), 0) << target.Text();
        EXPECT_NE(answer.texts.find("Pick the folder"), std::string::npos) << answer.texts;
        EXPECT_EQ(answer.texts.find("the rest"), std::string::npos);
    }
    EXPECT_EQ(asserts.Count(), 0u);
}

} // namespace
