#include "tests/ui/uitest.h"

#include <sstream>

HMODULE UITEST::module = nullptr;

void UITEST::SetUp()
{
    if (!module) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string dir(path);
        dir.resize(dir.find_last_of('\\') + 1);
        module = LoadLibraryA((dir + "uitestmodule.dll").c_str());
    }
    ASSERT_NE(module, nullptr) << "uitestmodule.dll beside the test program";
    savedLanguage = gLanguageModule;
    savedInstance = gInstance;
    gLanguageModule = module;
    gInstance = GetModuleHandleA(nullptr);
    Drain();
}

void UITEST::TearDown()
{
    Drain();
    gLanguageModule = savedLanguage;
    gInstance = savedInstance;
}

void UITEST::Drain()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool RECORDER::Make(DWORD style, int width, int height, HWND parent, int id,
                    const char* className)
{
    bool made = Create(style, "Recorder", 40, 40, width, height, parent, id, 0, className);
    AutoDestroy = true;
    UITEST::Drain();
    Clear();
    return made;
}

std::string RECORDER::Calls() const
{
    std::ostringstream all;
    for (size_t i = 0; i < calls.size(); ++i)
        all << (i ? " " : "") << calls[i];
    return all.str();
}

int RECORDER::Note(const std::string& call)
{
    calls.push_back(call);
    return 0;
}

int RECORDER::OnButton(int id)
{
    Note("OnButton(" + std::to_string(id) + ")");
    return buttonResult;
}

int RECORDER::OnControl(int code, CONTROL& control, LPARAM data)
{
    return Note("OnControl(" + std::to_string(code) + "," + std::to_string(control.Id) + "," +
                std::to_string(data) + ")");
}

int RECORDER::OnScroll(int code, CONTROL&, int position)
{
    return Note("OnScroll(" + std::to_string(code) + "," + std::to_string(position) + ")");
}

int RECORDER::OnMouse(UINT message, int x, int y, int keys)
{
    std::ostringstream call;
    call << "OnMouse(" << std::hex << message << std::dec << "," << x << "," << y << "," << keys
         << ")";
    return Note(call.str());
}

int RECORDER::OnClose()
{
    Note("OnClose");
    return closeResult;
}

LRESULT RECORDER::OnUserMessage(UINT message, WPARAM, LPARAM)
{
    std::ostringstream call;
    call << "OnUserMessage(" << std::hex << message << ")";
    Note(call.str());
    return userResult;
}

int RECORDER::OnImeMessage(UINT message, WPARAM, LPARAM)
{
    std::ostringstream call;
    call << "OnImeMessage(" << std::hex << message << ")";
    return Note(call.str());
}

int RECORDER::OnHelp()
{
    Note("OnHelp");
    return helpResult;
}

int RECORDER::OnEndSession()
{
    Note("OnEndSession");
    return WINDOW::OnEndSession();
}
