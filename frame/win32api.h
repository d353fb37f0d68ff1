#pragma once
// <windows.h> for the framework's Windows files. The framework calls the A and W functions by
// their own names; the generic macros of the same names would rename framework operations
// (OSYS::SetCurrentDirectory, WINDOW::GetClassName and the like), so they are removed here.

#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef CreateEvent
#undef CreateMutex
#undef CreateWindow
#undef DeleteFile
#undef GetClassName
#undef GetCurrentDirectory
#undef GetObject
#undef GetUserName
#undef GetComputerName
#undef LoadString
#undef MessageBox
#undef MoveFile
#undef RegisterClass
#undef SetCurrentDirectory
#undef GetWindowText
#undef SetWindowText
#undef FindWindow
#undef SendMessage
#undef PostMessage
#undef DrawText
#undef TextOut
#undef StartDoc
#undef GetMessage
#undef DispatchMessage
#undef PeekMessage
#undef IsDialogMessage
#undef CreateFont
#undef LoadIcon
#undef LoadMenu
#undef LoadBitmap
#undef GetModuleFileName
#undef ShellExecute
#undef FormatMessage
#undef GetSystemDirectory
#undef GetWindowsDirectory
#undef GetTempPath
#undef GetTempFileName
#undef ExpandEnvironmentStrings
