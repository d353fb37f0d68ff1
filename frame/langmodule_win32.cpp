#include "frame/langmodule_win32.h"

#include "frame/ombix_win32.h"

namespace OSYS {

namespace {
constexpr int MAXRESOURCETEXT = 1023;
}

HMODULE ResourceModule(intptr_t module)
{
    if (module == LANGUAGEMODULE)
        return gLanguageModule;
    return reinterpret_cast<HMODULE>(module);
}

STRING GetStringFromResource(int id, intptr_t module)
{
    char text[MAXRESOURCETEXT + 1] = {};
    int length = LoadStringA(ResourceModule(module), UINT(id), text, MAXRESOURCETEXT + 1);
    STRING result(length > 0 ? text : "<STR-ERR>", 1252);
    LOGITLEVEL(12, "OSYS::GetStringFromResource %d returns %s\n", id, result.Text());
    return result;
}

HWND CreateLanguageDialog(int id, HWND parent, DLGPROC procedure, LPARAM parameter,
                          HMODULE module)
{
    HMODULE from = module ? module : gLanguageModule;
    HWND dialog = CreateDialogParamA(from, MAKEINTRESOURCEA(id), parent, procedure, parameter);
    ASSERTF(dialog != nullptr, "this->hWnd", "langmodule_win32", __LINE__, "dialog %d", id);
    return dialog;
}

HMENU LoadLanguageMenu(int id)
{
    if (id == 0)
        return nullptr;
    return LoadMenuA(gLanguageModule, MAKEINTRESOURCEA(id));
}

HICON LoadWindowIcon(int id)
{
    HICON icon = id ? LoadIconA(gLanguageModule, MAKEINTRESOURCEA(id)) : nullptr;
    if (!icon)
        icon = LoadIconA(gInstance, MAKEINTRESOURCEA(1));
    if (!icon)
        icon = LoadIconA(gLanguageModule, MAKEINTRESOURCEA(1));
    // The stock icon lives in the system, not in any module.
    if (!icon)
        icon = LoadIconA(nullptr, IDI_APPLICATION);
    return icon;
}

}  // namespace OSYS
