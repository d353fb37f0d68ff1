#pragma once
// Dialog templates, menus and window icons of the language module.

#include "frame/langmodule.h"
#include "frame/win32api.h"

namespace OSYS {

// The module a lookup goes to: gLanguageModule for LANGUAGEMODULE, else the handle itself.
HMODULE ResourceModule(intptr_t module);

// A modeless dialog from the template id, on gLanguageModule unless a module is named.
HWND CreateLanguageDialog(int id, HWND parent, DLGPROC procedure, LPARAM parameter,
                          HMODULE module = nullptr);
// The menu id from gLanguageModule; null for id 0 or a missing menu.
HMENU LoadLanguageMenu(int id);
// A window's icon: the id from the language module, then icon 1 of the program, icon 1 of the
// language module, and the system's application icon.
HICON LoadWindowIcon(int id);

}  // namespace OSYS
