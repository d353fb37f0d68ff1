// Shows every dialog template of both language modules, filled with sample texts the way the
// wizard and its pages fill them, and writes one PNG per template and language.
//
//   langscreens [module folder] [output folder]     (defaults: "." and "screens")
//
// The pictures are taken from the screen, so the program needs a display (Xvfb under Wine).
#include <windows.h>
#include <commctrl.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lang/langids.h"
#include "res/resids.h"

namespace {

struct LANGUAGE {
    const char* file;
    const char* tag;
    bool german;
};

const LANGUAGE kLanguages[] = {
    {"setupenglish.dll", "english", false},
    {"setupgerman.dll", "german", true},
};

struct SCREEN {
    HMODULE module = nullptr;
    bool german = false;
    HWND frame = nullptr;
    HWND page = nullptr;
};

HBRUSH gWhiteBrush;
HFONT gTitleFont;

std::string Text(HMODULE module, UINT id)
{
    char buffer[1024];
    int n = LoadStringA(module, id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string("<STR-ERR>");
}

std::string Pick(const SCREEN& s, const char* english, const char* german)
{
    return s.german ? german : english;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string ItemText(HWND dialog, int id)
{
    char buffer[1024] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

void SetItem(HWND dialog, int id, const std::string& text)
{
    SetDlgItemTextA(dialog, id, text.c_str());
}

void Check(HWND dialog, int id)
{
    CheckDlgButton(dialog, id, BST_CHECKED);
}

void Show(HWND dialog, int id, bool show)
{
    ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

RECT ChildRect(HWND parent, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(parent, id), &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The wizard paints its banner texts and icon on the shared white brush and nothing else.
INT_PTR CALLBACK FrameProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC) {
        int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        bool banner = id == IDC_BANNER_TITLE || id == IDC_BANNER_SUBTITLE || id == IDC_BANNER_ICON;
        return banner ? reinterpret_cast<INT_PTR>(gWhiteBrush) : 0;
    }
    return message == WM_INITDIALOG;
}

HFONT ScreenFont(const char* face, int points, bool bold)
{
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       face);
}

void AddLine(HWND frame, int id, int x, int y, int width)
{
    HWND line =
        CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, x, y, width, 2,
                        frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SetWindowPos(line, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The frame as the wizard builds it: caption, subtitle one pixel lower, 901 hidden, the two
// separator lines placed from the banner, page area and Back button rectangles.
HWND CreateFrame(SCREEN& s, UINT captionId, const std::string& product, int iconId)
{
    s.frame = CreateDialogParamA(s.module, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, FrameProc, 0);
    if (!s.frame)
        return nullptr;
    std::string caption = Text(s.module, captionId);
    ReplaceAll(caption, "Ombix", product);
    SetWindowTextA(s.frame, caption.c_str());
    RECT sub = ChildRect(s.frame, IDC_BANNER_SUBTITLE);
    SetWindowPos(GetDlgItem(s.frame, IDC_BANNER_SUBTITLE), nullptr, sub.left, sub.top + 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    Show(s.frame, IDC_FRAME_BRAND, false);
    RECT banner = ChildRect(s.frame, IDC_BANNER_AREA);
    RECT area = ChildRect(s.frame, IDC_PAGE_AREA);
    RECT back = ChildRect(s.frame, IDC_BACK);
    AddLine(s.frame, 100, 0, banner.bottom - 1, banner.right);
    AddLine(s.frame, 101, 0, area.bottom + (back.top - area.bottom) / 4, banner.right);
    SendDlgItemMessageA(s.frame, IDC_BANNER_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(gTitleFont),
                        TRUE);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
    SendDlgItemMessageA(s.frame, IDC_BANNER_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return s.frame;
}

bool CreatePage(SCREEN& s, int templateId, const std::string& title, const std::string& subtitle)
{
    SetItem(s.frame, IDC_BANNER_TITLE, title);
    SetItem(s.frame, IDC_BANNER_SUBTITLE, subtitle);
    RECT area = ChildRect(s.frame, IDC_PAGE_AREA);
    s.page = CreateDialogParamA(s.module, MAKEINTRESOURCEA(templateId), s.frame, PlainProc, 0);
    if (!s.page)
        return false;
    LONG_PTR style =
        GetWindowLongPtrA(s.page, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER | WS_DLGFRAME);
    SetWindowLongPtrA(s.page, GWL_STYLE, style);
    SetWindowLongPtrA(s.page, GWL_EXSTYLE,
                      GetWindowLongPtrA(s.page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    RECT client{};
    GetClientRect(s.page, &client);
    if (client.right != area.right - area.left || client.bottom != area.bottom - area.top) {
        std::fprintf(stderr, "page %d is %ldx%ld, the page area %ldx%ld\n", templateId,
                     client.right, client.bottom, area.right - area.left, area.bottom - area.top);
    }
    SetWindowPos(s.page, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_FRAMECHANGED);
    ShowWindow(s.page, SW_SHOW);
    return true;
}

enum class POSITION { FIRST, MIDDLE, LAST };

void SetButtons(SCREEN& s, POSITION position)
{
    Show(s.frame, IDC_BACK, position == POSITION::MIDDLE);
    Show(s.frame, IDC_NEXT, position != POSITION::LAST);
    if (position == POSITION::LAST)
        SetItem(s.frame, IDC_CANCEL, Text(s.module, IDS_FINISH_BUTTON));
}

HWND ProgressInPlaceOf(HWND page, int id, int percent)
{
    RECT r = ChildRect(page, id);
    DestroyWindow(GetDlgItem(page, id));
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, page,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar, PBM_SETPOS, percent, 0);
    return bar;
}

void Pump(DWORD milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
}

void PutBigEndian(std::vector<unsigned char>& out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data)
{
    PutBigEndian(out, static_cast<unsigned long>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, crc32(0, out.data() + start, static_cast<uInt>(out.size() - start)));
}

// rows: top-down, 3 bytes per pixel in red, green, blue order, no padding.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    std::vector<unsigned char> raw;
    raw.reserve((width * 3 + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<unsigned char> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && written;
}

bool Capture(HWND window, const std::string& path)
{
    ShowWindow(window, SW_SHOW);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    UpdateWindow(window);
    Pump(400);
    RECT r{};
    GetWindowRect(window, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    const unsigned char* src = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = src + y * stride + x * 3;
            unsigned char* q = rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    bool ok = WritePng(path, width, height, rgb);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

const char* kProduct = "VOK";
const char* kProductTitle = "VOK 6.00";

void FillWelcome(SCREEN& s)
{
    SetItem(s.frame, IDC_BANNER_TITLE, ItemText(s.frame, IDC_BANNER_TITLE) + kProductTitle);
    SetItem(s.frame, IDC_BANNER_SUBTITLE,
            Pick(s,
                 "The terminal for mainframe, midrange and Unix hosts, now with SSH and a new "
                 "script editor.",
                 "Das Terminal f\374r Gro\337rechner, Midrange- und Unix-Hosts, jetzt mit SSH und "
                 "neuem Skripteditor."));
    Check(s.page, IDC_WELCOME_NEW);
}

void FillDir(SCREEN& s)
{
    SetItem(s.page, IDC_DIR_EDIT, "C:\\Program Files\\Ombix\\VOK6");
    SetItem(s.page, IDC_DIR_HINT, Text(s.module, IDS_DIR_HINT_V6));
}

void FillLicense(SCREEN& s)
{
    std::string text = Pick(
        s,
        "LICENCE AGREEMENT FOR $PROGRAM\r\n\r\nPlease read this agreement carefully. By installing "
        "the software you agree to be bound by its terms.\r\n\r\n1. Grant of licence. The maker "
        "grants you the right to install and use one copy of the software on one computer.\r\n\r\n"
        "2. Copyright. The software is protected by copyright laws and international treaties.",
        "LIZENZVERTRAG F\334R $PROGRAM\r\n\r\nBitte lesen Sie diesen Vertrag sorgf\344ltig. Mit "
        "der "
        "Installation der Software erkennen Sie seine Bedingungen an.\r\n\r\n1. Lizenz. Der "
        "Hersteller r\344umt Ihnen das Recht ein, eine Kopie der Software auf einem Computer zu "
        "installieren und zu nutzen.\r\n\r\n2. Urheberrecht. Die Software ist urheberrechtlich "
        "gesch\374tzt.");
    ReplaceAll(text, "$PROGRAM", kProductTitle);
    SetItem(s.page, IDC_LICENSE_TEXT, text);
    EnableWindow(GetDlgItem(s.frame, IDC_NEXT), FALSE);
}

void FillCopy(SCREEN& s)
{
    ProgressInPlaceOf(s.page, IDC_COPY_PROGRESS, 45);
    SetItem(s.page, IDC_COPY_STATUS, Text(s.module, IDS_COPY_RUNNING));
    EnableWindow(GetDlgItem(s.frame, IDC_BACK), FALSE);
    EnableWindow(GetDlgItem(s.frame, IDC_NEXT), FALSE);
    EnableWindow(GetDlgItem(s.frame, IDC_CANCEL), FALSE);
}

void FillStartMenu(SCREEN& s)
{
    Check(s.page, IDC_STARTMENU_USER);
    Check(s.page, IDC_STARTMENU_DESKTOP);
    EnableWindow(GetDlgItem(s.frame, IDC_BACK), FALSE);
}

void FillAdv(SCREEN& s)
{
    static HFONT big = ScreenFont("Arial", 12, true);
    static HFONT middle = ScreenFont("Arial", 9, true);
    static HFONT small = ScreenFont("Arial", 8, false);
    const std::string advertised = "Ombix Mail";
    std::string title = ItemText(s.frame, IDC_BANNER_TITLE);
    std::string subtitle = ItemText(s.frame, IDC_BANNER_SUBTITLE);
    ReplaceAll(title, "$PROG", kProduct);
    ReplaceAll(subtitle, "$PROG", advertised);
    SetItem(s.frame, IDC_BANNER_TITLE, title);
    SetItem(s.frame, IDC_BANNER_SUBTITLE, subtitle);
    std::string teaser1 = ItemText(s.page, IDC_ADV_TEASER1);
    std::string teaser2 = ItemText(s.page, IDC_ADV_TEASER2);
    ReplaceAll(teaser1, "$PROG", kProduct);
    ReplaceAll(teaser2, "$PROG", advertised);
    SendDlgItemMessageA(s.page, IDC_ADV_TEASER1, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    SendDlgItemMessageA(s.page, IDC_ADV_TEASER2, WM_SETFONT, reinterpret_cast<WPARAM>(middle),
                        TRUE);
    SendDlgItemMessageA(s.page, IDC_ADV_DESCRIPTION, WM_SETFONT, reinterpret_cast<WPARAM>(small),
                        TRUE);
    SetItem(s.page, IDC_ADV_TEASER1, teaser1);
    SetItem(s.page, IDC_ADV_TEASER2, teaser2);
    SetItem(
        s.page, IDC_ADV_DESCRIPTION,
        Pick(s,
             "Ombix Mail sends and receives your mail from the same desktop as your host sessions. "
             "It reads every common mailbox format and keeps your address book in step with the "
             "host "
             "directory.\r\n\r\nTry it free for 30 days.",
             "Ombix Mail sendet und empf\344ngt Ihre Post auf demselben Desktop wie Ihre "
             "Host-Sitzungen. "
             "Es liest alle g\344ngigen Postfachformate und h\344lt Ihr Adressbuch mit dem "
             "Hostverzeichnis "
             "abgeglichen.\r\n\r\nTesten Sie es 30 Tage kostenlos."));
    SetItem(s.page, IDC_ADV_LINK, "https://www.ombix.example/mail");
    EnableWindow(GetDlgItem(s.frame, IDC_BACK), FALSE);
}

void FillFinish(SCREEN& s)
{
    COLORMAP map = {RGB(255, 0, 0), GetSysColor(COLOR_BTNFACE)};
    HBITMAP picture = CreateMappedBitmap(GetModuleHandleA(nullptr), IDB_FINISH, 0, &map, 1);
    std::string subtitle = ItemText(s.frame, IDC_BANNER_SUBTITLE);
    ReplaceAll(subtitle, "$PROG", kProduct);
    SetItem(s.frame, IDC_BANNER_SUBTITLE, subtitle);
    SetItem(
        s.page, IDC_FINISH_TEXT,
        Pick(s,
             "VOK 6.00 is ready to use. You find it in the Start menu and on your desktop.\r\n\r\n"
             "Thank you for choosing VOK.",
             "VOK 6.00 ist bereit. Sie finden es im Startmen\374 und auf Ihrem Desktop.\r\n\r\n"
             "Vielen Dank, dass Sie sich f\374r VOK entschieden haben."));
    HWND control = GetDlgItem(s.page, IDC_FINISH_PICTURE);
    LONG_PTR style =
        (GetWindowLongPtrA(control, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_BITMAP;
    SetWindowLongPtrA(control, GWL_STYLE, style);
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    EnableWindow(GetDlgItem(s.frame, IDC_BACK), FALSE);
}

void FillDataFolder(SCREEN& s)
{
    std::string profile = ItemText(s.page, IDC_DATAFOLDER_PROFILE);
    ReplaceAll(profile, "$(PATH)", Pick(s, "VOK6 Files", "VOK6 Dateien"));
    SetItem(s.page, IDC_DATAFOLDER_PROFILE, profile);
    SetItem(s.page, IDC_DATAFOLDER_PROGRAM,
            ItemText(s.page, IDC_DATAFOLDER_PROGRAM) + " (C:\\Program Files\\Ombix\\VOK6\\" +
                Pick(s, "Userfiles", "Benutzerdateien") + ")");
    Check(s.page, IDC_DATAFOLDER_PROFILE);
    SetItem(s.page, IDC_DATAFOLDER_EDIT, "C:\\Users\\Public");
    EnableWindow(GetDlgItem(s.page, IDC_DATAFOLDER_ALLUSERS), FALSE);
    EnableWindow(GetDlgItem(s.page, IDC_DATAFOLDER_EDIT), FALSE);
    EnableWindow(GetDlgItem(s.page, IDC_DATAFOLDER_BROWSE), FALSE);
    EnableWindow(GetDlgItem(s.frame, IDC_BACK), FALSE);
}

void FillUsage(SCREEN& s)
{
    Check(s.page, IDC_USAGE_TYPE5);
    std::string list = Text(s.module, IDS_USAGE_LIST) + "|";
    for (size_t start = 0, bar; (bar = list.find('|', start)) != std::string::npos;
         start = bar + 1) {
        SendDlgItemMessageA(s.page, IDC_USAGE_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(list.substr(start, bar - start).c_str()));
    }
    SendDlgItemMessageA(s.page, IDC_USAGE_LIST, CB_SETCURSEL, 2, 0);
    EnableWindow(GetDlgItem(s.frame, IDC_BACK), FALSE);
}

void FillUninstallWelcome(SCREEN& s)
{
    SetItem(s.page, IDC_UNINST_COMMENT,
            Pick(s, "I only needed the program for a short project.\r\nThank you, it worked well.",
                 "Ich habe das Programm nur f\374r ein kurzes Projekt gebraucht.\r\nDanke, es hat "
                 "gut funktioniert."));
}

void FillUninstallOptions(SCREEN& s)
{
    Check(s.page, IDC_UNINST_KEEP);
}

void FillRemoval(SCREEN& s)
{
    ProgressInPlaceOf(s.page, IDC_REMOVE_PROGRESS, 60);
    EnableWindow(GetDlgItem(s.frame, IDC_CANCEL), FALSE);
}

void FillRemovalDone(SCREEN& s)
{
    ProgressInPlaceOf(s.page, IDC_REMOVE_PROGRESS, 100);
    SetItem(s.frame, IDC_BANNER_TITLE, Text(s.module, IDS_UNINST_DONE_TITLE));
    SetItem(s.frame, IDC_BANNER_SUBTITLE, "");
    SetItem(s.page, IDC_REMOVE_TEXTALL, Text(s.module, IDS_UNINST_DONE_ALL));
    Show(s.page, IDC_REMOVE_TEXTALL, true);
    Show(s.page, IDC_REMOVE_TEXT, false);
}

struct PAGE {
    int id;
    const char* suffix;
    UINT title;
    UINT subtitle;
    bool uninstall;
    POSITION position;
    void (*fill)(SCREEN&);
};

const PAGE kPages[] = {
    {IDD_WELCOME, "", IDS_WELCOME_TITLE, IDS_WELCOME_SUBTITLE, false, POSITION::FIRST, FillWelcome},
    {IDD_LICENSE, "", IDS_LICENSE_TITLE, IDS_LICENSE_SUBTITLE, false, POSITION::MIDDLE,
     FillLicense},
    {IDD_DIR, "", IDS_DIR_TITLE, IDS_DIR_SUBTITLE, false, POSITION::MIDDLE, FillDir},
    {IDD_COPY, "", IDS_COPY_TITLE, IDS_COPY_SUBTITLE, false, POSITION::MIDDLE, FillCopy},
    {IDD_STARTMENU, "", IDS_STARTMENU_TITLE, IDS_STARTMENU_SUBTITLE, false, POSITION::MIDDLE,
     FillStartMenu},
    {IDD_USAGE, "", IDS_USAGE_TITLE, IDS_USAGE_SUBTITLE, false, POSITION::MIDDLE, FillUsage},
    {IDD_DATAFOLDER, "", IDS_DATAFOLDER_TITLE, IDS_DATAFOLDER_SUBTITLE, false, POSITION::MIDDLE,
     FillDataFolder},
    {IDD_ADV, "", IDS_ADV_TITLE, IDS_ADV_SUBTITLE, false, POSITION::MIDDLE, FillAdv},
    {IDD_FINISH, "", IDS_FINISH_TITLE, IDS_FINISH_SUBTITLE, false, POSITION::LAST, FillFinish},
    {IDD_UNINST_WELCOME, "", IDS_UNINST_WELCOME_TITLE, IDS_UNINST_WELCOME_SUBTITLE, true,
     POSITION::FIRST, FillUninstallWelcome},
    {IDD_UNINST_OPTIONS, "", IDS_UNINST_OPTIONS_TITLE, IDS_UNINST_OPTIONS_SUBTITLE, true,
     POSITION::MIDDLE, FillUninstallOptions},
    {IDD_UNINST_REMOVE, "", IDS_UNINST_REMOVE_TITLE, IDS_UNINST_REMOVE_SUBTITLE, true,
     POSITION::LAST, FillRemoval},
    {IDD_UNINST_REMOVE, "-done", IDS_UNINST_REMOVE_TITLE, IDS_UNINST_REMOVE_SUBTITLE, true,
     POSITION::LAST, FillRemovalDone},
};

bool ShootPage(HMODULE module, const LANGUAGE& language, const PAGE& page, const std::string& out)
{
    SCREEN s;
    s.module = module;
    s.german = language.german;
    UINT caption = page.uninstall ? IDS_UNINSTALL_CAPTION : IDS_SETUP_CAPTION;
    if (!CreateFrame(s, caption, kProduct, page.uninstall ? IDI_UNINSTALL : IDI_TERMINAL)) {
        std::printf("FAILED frame %d of %s\n", IDD_WIZARD, language.file);
        return false;
    }
    bool ok = CreatePage(s, page.id, Text(module, page.title), Text(module, page.subtitle));
    if (ok) {
        SetButtons(s, page.position);
        page.fill(s);
        ok = Capture(s.frame, out + "\\" + language.tag + "-" + std::to_string(page.id) +
                                  page.suffix + ".png");
    } else {
        std::printf("FAILED page %d of %s\n", page.id, language.file);
    }
    DestroyWindow(s.frame);
    return ok;
}

bool ShootMail(HMODULE module, const LANGUAGE& language, const std::string& out)
{
    HWND box = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_MAIL), nullptr, PlainProc, 0);
    if (!box) {
        std::printf("FAILED mail dialog of %s\n", language.file);
        return false;
    }
    RECT r{};
    GetWindowRect(box, &r);
    SetWindowPos(box, nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    std::string caption = Text(module, IDS_FEEDBACK_CAPTION);
    SetWindowTextA(box, caption.substr(0, caption.find('|')).c_str());
    SetItem(box, IDC_MAIL_TO, "feedback@ombix.example");
    SetItem(box, IDC_MAIL_FROM, "anonymous@ombix.example");
    SetItem(box, IDC_MAIL_SUBJECT, "VOK V6.00 uninstall");
    SetItem(box, IDC_MAIL_BODY,
            language.german
                ? "Ich habe das Programm nur f\374r ein kurzes Projekt gebraucht.\r\nDanke!"
                : "I only needed the program for a short project.\r\nThank you!");
    SetItem(box, IDC_MAIL_STATUS, language.german ? "Sende eMail ..." : "Sending mail ...");
    SetItem(box, IDCANCEL, language.german ? "Abbruch" : "Cancel");
    bool ok = Capture(box, out + "\\" + language.tag + "-" + std::to_string(IDD_MAIL) + ".png");
    DestroyWindow(box);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    std::string modules = argc > 1 ? argv[1] : ".";
    std::string out = argc > 2 ? argv[2] : "screens";
    CreateDirectoryA(out.c_str(), nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    gWhiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    gTitleFont = ScreenFont("Arial", 9, true);
    int failures = 0;
    for (const LANGUAGE& language : kLanguages) {
        std::string path = modules + "\\" + language.file;
        HMODULE module = LoadLibraryA(path.c_str());
        if (!module) {
            std::printf("FAILED to load %s\n", path.c_str());
            ++failures;
            continue;
        }
        for (const PAGE& page : kPages)
            failures += ShootPage(module, language, page, out) ? 0 : 1;
        failures += ShootMail(module, language, out) ? 0 : 1;
        FreeLibrary(module);
    }
    return failures == 0 ? 0 : 1;
}
