// Checks both language modules against what the program asks of them: every string, every
// dialog template with its controls, matching placeholders, and layouts whose texts fit.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lang/langids.h"

namespace {

const UINT kStringIds[] = {
    2900, 2901, 2902, 2903, 2904, 2905, 2906, 2907, 2909, 2911, 2912, 2913, 2914,  2915, 2916,
    2917, 2918, 2919, 2920, 2921, 2922, 2923, 2932, 2933, 2934, 2935, 2936, 2937,  2938, 2939,
    2950, 2951, 2980, 2983, 2984, 2985, 2986, 2987, 2988, 2989, 2992, 2993, 2994,  2995, 2997,
    2998, 3000, 3008, 3009, 3010, 3011, 3013, 3014, 3300, 3301, 3302, 3303, 10001,
};

struct TEMPLATE {
    int id;
    bool page;
    std::vector<int> controls;
};

const TEMPLATE kTemplates[] = {
    {IDD_WIZARD, false, {666, 667, 916, 915, 914, 148, 149, 2, 901}},
    {IDD_WELCOME, true, {401, 402, 403}},
    {IDD_DIR, true, {201, 101, 202}},
    {IDD_LICENSE, true, {201, 301, 101}},
    {IDD_COPY, true, {901, 201}},
    {IDD_STARTMENU, true, {401, 402, 403, 301}},
    {IDD_ADV, true, {650, 651, 201, 101}},
    {IDD_FINISH, true, {651, 2070}},
    {IDD_DATAFOLDER, true, {401, 402, 403, 404, 405, 201, 101}},
    {IDD_USAGE, true, {401, 402, 403, 404, 405, 501}},
    {IDD_UNINST_WELCOME, true, {202, 110}},
    {IDD_UNINST_OPTIONS, true, {401, 402}},
    {IDD_UNINST_REMOVE, true, {901, 201, 202}},
    {IDD_MAIL, false, {1001, 1002, 1003, 1004, 1005, 1009, 2}},
};

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string Text(HMODULE module, UINT id)
{
    char buffer[1024];
    int n = LoadStringA(module, id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string();
}

std::string WindowText(HWND window)
{
    char buffer[1024] = "";
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ClassName(HWND window)
{
    char buffer[64] = "";
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

RECT ChildRect(HWND parent, HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// How often each placeholder occurs; "$PROG" counts only where it is not the start of "$PROGRAM".
std::map<std::string, int> Placeholders(const std::string& text)
{
    std::map<std::string, int> found;
    for (const char* token :
         {"$PROGRAM", "$PROG", "$FILE", "$DIR", "$(PATH)", "$error", "Ombix", "|"}) {
        std::string t = token;
        for (size_t at = text.find(t); at != std::string::npos; at = text.find(t, at + t.size())) {
            if (t == "$PROG" && text.compare(at, 8, "$PROGRAM") == 0)
                continue;
            ++found[t];
        }
    }
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2)) {
        found[text.substr(at, 2)]++;
    }
    return found;
}

class LangModule : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA(GetParam());
        ASSERT_NE(module_, nullptr)
            << GetParam() << " not found beside the test or in the working folder";
        parent_ = CreateWindowExA(0, "Static", "parent", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override
    {
        if (parent_)
            DestroyWindow(parent_);
        if (module_)
            FreeLibrary(module_);
    }
    HWND Create(const TEMPLATE& t)
    {
        return CreateDialogParamA(module_, MAKEINTRESOURCEA(t.id), t.page ? parent_ : nullptr,
                                  PlainProc, 0);
    }

    HMODULE module_ = nullptr;
    HWND parent_ = nullptr;
};

TEST_P(LangModule, HoldsEveryString)
{
    for (UINT id : kStringIds) {
        EXPECT_FALSE(Text(module_, id).empty()) << "string " << id;
    }
}

TEST_P(LangModule, TemplatesCreateWithTheirControlsAndStyles)
{
    for (const TEMPLATE& t : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(t.id));
        HWND dialog = Create(t);
        ASSERT_NE(dialog, nullptr);
        for (int control : t.controls) {
            EXPECT_NE(GetDlgItem(dialog, control), nullptr) << "control " << control;
        }
        LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
        EXPECT_EQ((style & WS_CHILD) != 0, t.page);
        EXPECT_EQ((style & DS_CONTROL) != 0, t.page);
        EXPECT_EQ(style & WS_VISIBLE, 0)
            << "the wizard and the pages show themselves when they are ready";
        DestroyWindow(dialog);
    }
}

TEST_P(LangModule, FrameHidesControl901AndStacksBannerBelowItsTexts)
{
    HWND frame = Create(kTemplates[0]);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(GetWindowLongPtrA(GetDlgItem(frame, IDC_FRAME_BRAND), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrA(GetDlgItem(frame, IDC_PAGE_AREA), GWL_STYLE) & WS_VISIBLE);
    std::vector<HWND> order = Children(frame);
    auto at = [&](int id) {
        return std::find(order.begin(), order.end(), GetDlgItem(frame, id)) - order.begin();
    };
    for (int id : {IDC_BANNER_TITLE, IDC_BANNER_SUBTITLE, IDC_BANNER_ICON}) {
        EXPECT_LT(at(id), at(IDC_BANNER_AREA))
            << "control " << id << " must lie above the white banner";
    }
    RECT banner = ChildRect(frame, GetDlgItem(frame, IDC_BANNER_AREA));
    RECT area = ChildRect(frame, GetDlgItem(frame, IDC_PAGE_AREA));
    RECT back = ChildRect(frame, GetDlgItem(frame, IDC_BACK));
    EXPECT_LE(banner.bottom, area.top + 1);
    EXPECT_LT(area.bottom, back.top);
    DestroyWindow(frame);
}

TEST_P(LangModule, PagesFillThePageAreaExactly)
{
    HWND frame = Create(kTemplates[0]);
    ASSERT_NE(frame, nullptr);
    RECT area = ChildRect(frame, GetDlgItem(frame, IDC_PAGE_AREA));
    for (const TEMPLATE& t : kTemplates) {
        if (!t.page)
            continue;
        SCOPED_TRACE("template " + std::to_string(t.id));
        HWND page = CreateDialogParamA(module_, MAKEINTRESOURCEA(t.id), frame, PlainProc, 0);
        ASSERT_NE(page, nullptr);
        RECT client{};
        GetClientRect(page, &client);
        EXPECT_EQ(client.right, area.right - area.left);
        EXPECT_EQ(client.bottom, area.bottom - area.top);
        for (HWND c : Children(page)) {
            RECT r = ChildRect(page, c);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(c) << " leaves the page";
        }
        DestroyWindow(page);
    }
    DestroyWindow(frame);
}

// A static text with the group style between two radio buttons would split their group, and
// the automatic buttons would no longer clear each other.
TEST_P(LangModule, RadioButtonsOfAPageFormOneGroup)
{
    for (const TEMPLATE& t : kTemplates) {
        std::vector<int> radios;
        for (int id : t.controls) {
            if (id >= 401 && id <= 405)
                radios.push_back(id);
        }
        if (radios.empty())
            continue;
        SCOPED_TRACE("template " + std::to_string(t.id));
        HWND page = Create(t);
        ASSERT_NE(page, nullptr);
        ShowWindow(page, SW_SHOW);
        for (int picked : radios) {
            SendDlgItemMessageA(page, picked, BM_CLICK, 0, 0);
            for (int other : radios) {
                EXPECT_EQ(IsDlgButtonChecked(page, other) == BST_CHECKED, other == picked)
                    << "after a click on " << picked << ", button " << other;
            }
        }
        DestroyWindow(page);
    }
}

// Each access key reaches one control of the page or of the frame around it.
TEST_P(LangModule, AccessKeysAreUniqueOnEveryPage)
{
    HWND frame = Create(kTemplates[0]);
    ASSERT_NE(frame, nullptr);
    std::string frameKeys;
    for (int id : {IDC_BACK, IDC_NEXT, IDC_CANCEL})
        frameKeys += WindowText(GetDlgItem(frame, id));
    for (const TEMPLATE& t : kTemplates) {
        if (t.id == IDD_WIZARD)
            continue;
        SCOPED_TRACE("template " + std::to_string(t.id));
        HWND dialog = Create(t);
        ASSERT_NE(dialog, nullptr);
        std::string texts = t.page ? frameKeys : std::string();
        for (HWND c : Children(dialog)) {
            bool noPrefix =
                ClassName(c) == "Static" && (GetWindowLongPtrA(c, GWL_STYLE) & SS_NOPREFIX);
            if (!noPrefix)
                texts += WindowText(c) + "\n";
        }
        std::set<char> keys;
        for (size_t at = texts.find('&'); at != std::string::npos && at + 1 < texts.size();
             at = texts.find('&', at + 2)) {
            char key = static_cast<char>(std::tolower(static_cast<unsigned char>(texts[at + 1])));
            if (key == '&')
                continue;
            EXPECT_TRUE(keys.insert(key).second) << "access key '" << key << "' is used twice";
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(frame);
}

// Buttons show one line; static texts wrap. Either must show its whole text in its rectangle.
TEST_P(LangModule, TextsFitTheirControls)
{
    for (const TEMPLATE& t : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(t.id));
        HWND dialog = Create(t);
        ASSERT_NE(dialog, nullptr);
        for (HWND c : Children(dialog)) {
            std::string text = WindowText(c);
            if (text.empty())
                continue;
            std::string cls = ClassName(c);
            LONG_PTR style = GetWindowLongPtrA(c, GWL_STYLE);
            RECT box{};
            GetClientRect(c, &box);
            HDC dc = GetDC(c);
            HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)));
            RECT need = {0, 0, box.right, 0};
            int checkWidth = GetSystemMetrics(SM_CXMENUCHECK) + 6;
            if (cls == "Button") {
                DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
                bool push = (style & BS_TYPEMASK) == BS_PUSHBUTTON ||
                            (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
                int room = push ? box.right - 8 : box.right - checkWidth;
                EXPECT_LE(need.right, room) << "button " << GetDlgCtrlID(c) << ": " << text;
            } else if (cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT) {
                UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
                DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | prefix);
                EXPECT_LE(need.bottom, box.bottom) << "text " << GetDlgCtrlID(c) << ": " << text;
            }
            SelectObject(dc, old);
            ReleaseDC(c, dc);
        }
        DestroyWindow(dialog);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LangModule,
                         ::testing::Values("setupenglish.dll", "setupgerman.dll"),
                         [](const auto& info) {
                             return std::string(info.param) == "setupgerman.dll" ? "German"
                                                                                 : "English";
                         });

class LangPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        english_ = LoadLibraryA("setupenglish.dll");
        german_ = LoadLibraryA("setupgerman.dll");
        ASSERT_NE(english_, nullptr);
        ASSERT_NE(german_, nullptr);
    }
    void TearDown() override
    {
        if (english_)
            FreeLibrary(english_);
        if (german_)
            FreeLibrary(german_);
    }
    std::string ControlText(HMODULE module, int templateId, int control)
    {
        HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
        HWND dialog =
            CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), parent, PlainProc, 0);
        std::string text =
            dialog ? WindowText(GetDlgItem(dialog, control)) : std::string("<no dialog>");
        DestroyWindow(parent);
        return text;
    }

    HMODULE english_ = nullptr;
    HMODULE german_ = nullptr;
};

TEST_F(LangPair, StringsCarryTheSamePlaceholders)
{
    for (UINT id : kStringIds) {
        SCOPED_TRACE("string " + std::to_string(id));
        EXPECT_EQ(Placeholders(Text(english_, id)), Placeholders(Text(german_, id)));
    }
}

TEST_F(LangPair, PlaceholdersStandWhereTheProgramReplacesThem)
{
    struct CASE {
        UINT id;
        const char* token;
        int count;
    };
    const CASE cases[] = {
        {IDS_SETUP_CAPTION, "Ombix", 1},
        {IDS_UNINSTALL_CAPTION, "Ombix", 1},
        {IDS_ADV_TITLE, "$PROG", 1},
        {IDS_ADV_SUBTITLE, "$PROG", 1},
        {IDS_FINISH_SUBTITLE, "$PROG", 1},
        {IDS_TRANSFER_QUESTION, "%s", 1},
        {IDS_COPY_RETRY, "$FILE", 1},
        {IDS_COPY_RETRY, "$PROGRAM", 1},
        {IDS_UNINST_QUESTION, "$PROGRAM", 1},
        {IDS_OVERWRITE_QUESTION, "%s", 1},
        {IDS_FINAL_TEXT, "$PROGRAM", 1},
        {IDS_UNINSTALL_SHORTCUT, "$PROGRAM", 1},
        {IDS_REMOVEALL_CONFIRM1, "$PROGRAM", 1},
        {IDS_REMOVEALL_CONFIRM2, "$DIR", 1},
        {IDS_REMOVEDATA_CONFIRM1, "$PROGRAM", 1},
        {IDS_REMOVEDATA_CONFIRM1, "$DIR", 1},
        {IDS_USAGE_LIST, "|", 2},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE("string " + std::to_string(c.id) + " " + c.token);
        EXPECT_EQ(Placeholders(Text(english_, c.id))[c.token], c.count);
    }
    // Formatted with printf: any other conversion would read an argument that is not there.
    for (UINT id : {IDS_TRANSFER_QUESTION, IDS_OVERWRITE_QUESTION}) {
        for (HMODULE m : {english_, german_}) {
            std::string format = Text(m, id);
            EXPECT_EQ(std::count(format.begin(), format.end(), '%'), 1);
        }
    }
    for (HMODULE m : {english_, german_}) {
        EXPECT_NE(ControlText(m, IDD_DATAFOLDER, IDC_DATAFOLDER_PROFILE).find("$(PATH)"),
                  std::string::npos);
        EXPECT_NE(ControlText(m, IDD_ADV, IDC_ADV_TEASER1).find("$PROG"), std::string::npos);
        EXPECT_NE(ControlText(m, IDD_ADV, IDC_ADV_TEASER2).find("$PROG"), std::string::npos);
    }
}

TEST_F(LangPair, LanguageNumbersAndSuffixes)
{
    EXPECT_EQ(Text(german_, IDS_LICENSE_LANGUAGE), "49");
    std::string english = Text(english_, IDS_LICENSE_LANGUAGE);
    EXPECT_NE(english, "49");
    EXPECT_NE(english, "12");
    std::string suffixEnglish = Text(english_, IDS_LANGUAGE_SUFFIX);
    std::string suffixGerman = Text(german_, IDS_LANGUAGE_SUFFIX);
    EXPECT_EQ(suffixEnglish, ".en");
    EXPECT_EQ(suffixGerman, ".de");
    // The welcome title is followed directly by the product title.
    for (HMODULE m : {english_, german_})
        EXPECT_EQ(Text(m, IDS_WELCOME_TITLE).back(), ' ');
}

// windres must read the German script as code page 1252; otherwise umlauts come out garbled.
TEST_F(LangPair, GermanUmlautsSurviveTheResourceCompiler)
{
    wchar_t buffer[256] = L"";
    ASSERT_GT(LoadStringW(german_, IDS_DIR_TITLE, buffer, 256), 0);
    EXPECT_STREQ(buffer, L"Installationsordner w\u00e4hlen");
    HWND frame = CreateDialogParamA(german_, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, PlainProc, 0);
    ASSERT_NE(frame, nullptr);
    GetDlgItemTextW(frame, IDC_BACK, buffer, 256);
    EXPECT_STREQ(buffer, L"< &Zur\u00fcck");
    DestroyWindow(frame);
}

} // namespace
