// Checks the program's own resources (res/setup.rc, compiled into this test as into setup.exe):
// the icon groups that pages and configurations name by number, and the finish picture whose
// red turns into the button face.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>

#include "res/resids.h"

namespace {

#pragma pack(push, 2)
struct ICONDIRENTRY16 {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct ICONDIR16 {
    WORD reserved, type, count;
    ICONDIRENTRY16 entries[1];
};
#pragma pack(pop)

class ProgramResources : public ::testing::Test {
protected:
    const void* Resource(int id, LPCSTR type, DWORD* size)
    {
        HRSRC found = FindResourceA(program_, MAKEINTRESOURCEA(id), type);
        if (!found)
            return nullptr;
        *size = SizeofResource(program_, found);
        return LockResource(LoadResource(program_, found));
    }

    HMODULE program_ = GetModuleHandleA(nullptr);
};

TEST_F(ProgramResources, EveryIconGroupHoldsThreeSizes)
{
    const int ids[] = {IDI_SETUP,    IDI_UNINSTALL,    IDI_UPDATE,   IDI_PRODUCT,  IDI_INFO,
                       IDI_TERMINAL, IDI_TERMINAL3270, IDI_NETWORK,  IDI_DOCUMENT, IDI_SCRIPT,
                       IDI_SETTINGS, IDI_PRINTER,      IDI_KEYBOARD, IDI_FOLDER,   IDI_FOLDEROPEN,
                       IDI_MAIL,     IDI_MAILSEND};
    for (int id : ids) {
        SCOPED_TRACE("icon group " + std::to_string(id));
        DWORD size = 0;
        auto group = static_cast<const ICONDIR16*>(Resource(id, MAKEINTRESOURCEA(14), &size));
        ASSERT_NE(group, nullptr);
        std::set<int> sizes;
        for (WORD i = 0; i < group->count; ++i)
            sizes.insert(group->entries[i].width);
        EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
    }
}

// The uninstall shortcut names "setup.exe:1": the second icon of the file must be the
// uninstaller's, so no icon group may sort between 1 and 2.
struct ICONCOUNT {
    int seen = 0;
    UINT_PTR second = 0;
};

// A plain function: a lambda does not convert to the stdcall callback of the 32-bit build.
BOOL CALLBACK CountIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR context)
{
    auto* c = reinterpret_cast<ICONCOUNT*>(context);
    if (++c->seen == 2)
        c->second = reinterpret_cast<UINT_PTR>(name);
    return TRUE;
}

TEST_F(ProgramResources, UninstallIconIsTheSecondOfTheFile)
{
    ICONCOUNT count;
    EnumResourceNamesA(program_, MAKEINTRESOURCEA(14), CountIconGroup,
                       reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count.second, static_cast<UINT_PTR>(IDI_UNINSTALL));
}

TEST_F(ProgramResources, FinishPictureMapsRedToTheButtonFace)
{
    DWORD size = 0;
    auto info =
        static_cast<const BITMAPINFOHEADER*>(Resource(IDB_FINISH, MAKEINTRESOURCEA(2), &size));
    ASSERT_NE(info, nullptr);
    // The mapping rewrites the colour table only, so the picture must have one.
    ASSERT_LE(info->biBitCount, 8);
    COLORMAP map = {RGB(255, 0, 0), RGB(1, 2, 3)};
    HBITMAP mapped = CreateMappedBitmap(program_, IDB_FINISH, 0, &map, 1);
    ASSERT_NE(mapped, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mapped);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3)) << "the corner is background";
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(mapped);
}

} // namespace
