#pragma once
// The application root's Windows state: the program instance and the language module.

#include "frame/win32api.h"

extern HINSTANCE gInstance;
// Texts and dialog templates come from here; the program itself until the module is loaded.
extern HMODULE gLanguageModule;

namespace OMBIXAPP {
// The logging hot keys (Ctrl+Shift+F5 to F9); every window and dialog procedure offers them.
void LogHotKey(UINT message, WPARAM wParam, LPARAM lParam);
}
