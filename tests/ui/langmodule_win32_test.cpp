#include "frame/langmodule_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/testsupport.h"
#include "tests/ui/uitest.h"

namespace {

using LanguageModuleTest = UITEST;

TEST_F(LanguageModuleTest, TextsByNumberAndTheMissingText)
{
    const struct {
        int id;
        intptr_t module;
        const char* text;
    } cases[] = {
        {500, OSYS::LANGUAGEMODULE, "Hello from the module"},
        {10001, OSYS::LANGUAGEMODULE, "Module caption"},
        {9999, OSYS::LANGUAGEMODULE, "<STR-ERR>"},
        {500, reinterpret_cast<intptr_t>(GetModuleHandleA(nullptr)), "<STR-ERR>"},
        {500, reinterpret_cast<intptr_t>(Module()), "Hello from the module"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        STRING text = OSYS::GetStringFromResource(c.id, c.module);
        EXPECT_STREQ(text.Text(), c.text);
        EXPECT_EQ(text.CodePage, 1252);
    }
}

TEST_F(LanguageModuleTest, LookupsAreLoggedAtLevel12)
{
    SCRATCHDIR dir;
    ASSERT_TRUE(OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str()));
    OSYS::GetStringFromResource(500);
    LogitLevel = 12;
    OSYS::GetStringFromResource(500);
    OSYS::GetStringFromResource(9999);
    LogitLevel = 0;
    OMBIXAPP::LogOption("/LOGITCLOSE");
    std::string log = dir.Read("log.txt");
    size_t first = log.find("OSYS::GetStringFromResource 500 returns Hello from the module");
    EXPECT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("OSYS::GetStringFromResource 500", first + 1), std::string::npos)
        << "below level 12 nothing is logged";
    EXPECT_NE(log.find("OSYS::GetStringFromResource 9999 returns <STR-ERR>"), std::string::npos);
}

INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(LanguageModuleTest, DialogsAndMenusComeFromTheLanguageModule)
{
    HWND dialog = OSYS::CreateLanguageDialog(600, nullptr, NoDialogProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(GetDlgItem(dialog, 610), nullptr);
    DestroyWindow(dialog);

    ASSERTCATCHER catcher;
    EXPECT_EQ(OSYS::CreateLanguageDialog(601, nullptr, NoDialogProcedure, 0), nullptr);
    EXPECT_TRUE(catcher.Saw("this->hWnd"));
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_NE(catcher.Reports()[0].info.find("601"), std::string::npos);

    dialog = OSYS::CreateLanguageDialog(600, nullptr, NoDialogProcedure, 0, Module());
    EXPECT_NE(dialog, nullptr) << "a named module";
    DestroyWindow(dialog);

    HMENU menu = OSYS::LoadLanguageMenu(700);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), 701u);
    DestroyMenu(menu);
    EXPECT_EQ(OSYS::LoadLanguageMenu(0), nullptr);
    EXPECT_EQ(OSYS::LoadLanguageMenu(799), nullptr);
}

TEST_F(LanguageModuleTest, WindowIconLookupOrder)
{
    HICON moduleIcon = LoadIconA(Module(), MAKEINTRESOURCEA(42));
    HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    HICON systemIcon = LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_NE(moduleIcon, nullptr);
    ASSERT_NE(programIcon, nullptr);
    ASSERT_NE(moduleIcon, programIcon);
    EXPECT_EQ(OSYS::LoadWindowIcon(42), moduleIcon);
    EXPECT_EQ(OSYS::LoadWindowIcon(43), programIcon);
    EXPECT_EQ(OSYS::LoadWindowIcon(0), programIcon);

    // Neither module has icon 1 when both are the language module.
    gInstance = Module();
    EXPECT_EQ(OSYS::LoadWindowIcon(43), systemIcon);
    gLanguageModule = GetModuleHandleA(nullptr);
    EXPECT_EQ(OSYS::LoadWindowIcon(43), programIcon) << "icon 1 of the language module";
}

}  // namespace
