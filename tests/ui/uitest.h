#pragma once
// Shared pieces of the window tests: the test language module and a window that records which
// handlers the dispatcher called.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/ombix_win32.h"
#include "ui/windows.h"

// Loads uitestmodule.dll beside the test program as the language module for one test.
class UITEST : public testing::Test {
public:
    // Empties the thread's queue, so each test starts without leftovers.
    static void Drain();

protected:
    void SetUp() override;
    void TearDown() override;
    static HMODULE Module() { return module; }

private:
    static HMODULE module;
    HMODULE savedLanguage = nullptr;
    HINSTANCE savedInstance = nullptr;
};

// A window whose handlers write "Name(args)" lines and answer with configurable results.
class RECORDER : public WINDOW {
public:
    std::vector<std::string> calls;
    int helpResult = 0;
    int buttonResult = 0;
    int closeResult = 1;
    int userResult = 0;

    bool Make(DWORD style = WS_OVERLAPPEDWINDOW, int width = 300, int height = 200,
              HWND parent = nullptr, int id = 0, const char* className = nullptr);
    std::string Calls() const;
    void Clear() { calls.clear(); }

    int OnCreate() override { return Note("OnCreate"); }
    int OnActivate() override { return Note("OnActivate"); }
    int OnDeactivate() override { return Note("OnDeactivate"); }
    int OnMenuCommand(int id) override { return Note("OnMenuCommand(" + std::to_string(id) + ")"); }
    int OnButton(int id) override;
    int OnControl(int code, CONTROL& control, LPARAM data) override;
    int OnScroll(int code, CONTROL& control, int position) override;
    int OnTimer(UINT_PTR id) override { return Note("OnTimer(" + std::to_string(id) + ")"); }
    int OnMove() override { return Note("OnMove"); }
    int OnSize() override { return Note("OnSize"); }
    int OnSizing(RECT*, int edges) override { return Note("OnSizing(" + std::to_string(edges) + ")"); }
    int OnShow() override { return Note("OnShow"); }
    int OnHide() override { return Note("OnHide"); }
    int OnSetFocus() override { return Note("OnSetFocus"); }
    int OnKillFocus() override { return Note("OnKillFocus"); }
    int OnMinimize() override { return Note("OnMinimize"); }
    int OnRestore() override { return Note("OnRestore"); }
    int OnMouse(UINT message, int x, int y, int keys) override;
    int OnNcPaint() override { return Note("OnNcPaint"); }
    int OnClose() override;
    int OnDestroy() override { return Note("OnDestroy"); }
    LRESULT OnUserMessage(UINT message, WPARAM, LPARAM) override;
    int OnImeMessage(UINT message, WPARAM, LPARAM) override;
    int OnHelp() override;
    int OnEndSession() override;

private:
    int Note(const std::string& call);
};
