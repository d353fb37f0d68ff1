#include "services/unzipper.h"

#include "frame/ombix.h"
#include "frame/ombix_win32.h"

namespace {

constexpr UINT IDS_OVERWRITE_QUESTION = 2992;
constexpr UINT IDS_OVERWRITE_TITLE = 2993;

std::string LanguageString(UINT id)
{
    char text[1024] = "";
    LoadStringA(gLanguageModule ? gLanguageModule : gInstance, id, text, sizeof text);
    return text;
}

}  // namespace

// The copy worker asks from its own thread; the box belongs to whichever window is active.
bool UnzipPlatformQuestion(const char* displayName)
{
    std::string text =
        UnzipQuestionText(LanguageString(IDS_OVERWRITE_QUESTION).c_str(), displayName);
    std::string title = LanguageString(IDS_OVERWRITE_TITLE);
    int answer =
        MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION);
    LOGIT("UNZIPPER::Extract question '%s' answered %s\n", text.c_str(),
          answer == IDYES ? "Yes" : "No");
    return answer == IDYES;
}
