// robot: drives another program's windows from the command line, one command after another.
// Exit code 0 when every command succeeded, 1 at the first that failed, 2 for a usage error.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/robot/robot.h"

namespace {

const char USAGE[] =
    "usage: robot [--timeout MS] [--pid N] COMMAND... \n"
    "  window TITLE        wait for a top-level window with this title; it becomes current\n"
    "  class NAME          wait for a top-level window of this class; it becomes current\n"
    "  text ID             print the text of control ID (0: the window itself)\n"
    "  expect ID TEXT      wait until control ID shows TEXT\n"
    "  settext ID TEXT     replace the text of control ID\n"
    "  type ID TEXT        type TEXT into control ID\n"
    "  click ID            click button ID\n"
    "  check ID 0|1        check or clear check box ID\n"
    "  select ID INDEX     choose item INDEX of list or combo box ID\n"
    "  state ID            print enabled=, visible= and checked= of control ID\n"
    "  answer yes|no|ok|cancel   answer the next message box, print its title and text\n"
    "  gone                wait until the current window is gone\n";

struct SESSION {
    DWORD process = 0;
    int timeout = ROBOT::DEFAULTWAIT;
    HWND window = nullptr;
};

int Fail(const std::string& what)
{
    fprintf(stderr, "robot: %s\n", what.c_str());
    return 1;
}

int ButtonId(const char* name)
{
    static const struct {
        const char* name;
        int id;
    } buttons[] = {{"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"cancel", IDCANCEL}};
    for (const auto& b : buttons)
        if (_stricmp(name, b.name) == 0)
            return b.id;
    return atoi(name);
}

// The control, or the current window itself for id 0.
HWND Control(SESSION& s, const char* id)
{
    int n = atoi(id);
    if (!s.window)
        return nullptr;
    return n == 0 ? s.window : ROBOT::FindControl(s.window, n, s.timeout);
}

// Runs the command at argv[i]; returns how many arguments it used, or -1 on failure.
int RunCommand(SESSION& s, int argc, char** argv, int i, std::string* error)
{
    std::string verb = argv[i];
    auto need = [&](int n) {
        if (i + n < argc)
            return true;
        *error = "missing arguments for " + verb;
        return false;
    };
    if (verb == "window" || verb == "class") {
        if (!need(1))
            return -1;
        bool byTitle = verb == "window";
        s.window = ROBOT::FindTopWindow(s.process, byTitle ? argv[i + 1] : nullptr,
                                        byTitle ? nullptr : argv[i + 1], s.timeout);
        *error = "no window " + std::string(argv[i + 1]);
        return s.window ? 1 : -1;
    }
    if (verb == "gone") {
        *error = "the window is still there";
        return ROBOT::WaitGone(s.window, s.timeout) ? 0 : -1;
    }
    if (verb == "answer") {
        if (!need(1))
            return -1;
        ROBOT::BOX box;
        *error = "no message box to answer";
        if (!ROBOT::AnswerBox(s.process, ButtonId(argv[i + 1]), &box, s.timeout))
            return -1;
        printf("title: %s\ntext: %s\n", box.title.c_str(), box.text.c_str());
        return 1;
    }
    if (!need(1))
        return -1;
    HWND control = Control(s, argv[i + 1]);
    *error = "no control " + std::string(argv[i + 1]);
    if (!control)
        return -1;
    *error = verb + " failed on control " + argv[i + 1];
    if (verb == "text") {
        printf("%s\n", ROBOT::GetText(control).c_str());
        return 1;
    }
    if (verb == "click")
        return ROBOT::Click(control) && (ROBOT::WaitIdle(control, s.timeout) || !IsWindow(control)) ? 1 : -1;
    if (verb == "state") {
        printf("enabled=%d visible=%d checked=%d\n", ROBOT::IsEnabled(control),
               ROBOT::IsVisible(control), ROBOT::GetCheck(control));
        return 1;
    }
    if (!need(2))
        return -1;
    const char* value = argv[i + 2];
    bool ok = false;
    if (verb == "expect") {
        ok = ROBOT::WaitText(control, value, s.timeout);
        if (!ok)
            *error = "control " + std::string(argv[i + 1]) + " shows '" +
                     ROBOT::GetText(control) + "', not '" + value + "'";
    } else if (verb == "settext") {
        ok = ROBOT::SetText(control, value);
    } else if (verb == "type") {
        ok = ROBOT::Type(control, value);
    } else if (verb == "check") {
        ok = ROBOT::SetCheck(control, atoi(value));
    } else if (verb == "select") {
        ok = ROBOT::Select(control, atoi(value));
    } else {
        *error = "unknown command " + verb;
        return -1;
    }
    return ok ? 2 : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    SESSION session;
    int i = 1;
    for (; i + 1 < argc && strncmp(argv[i], "--", 2) == 0; i += 2) {
        if (strcmp(argv[i], "--timeout") == 0)
            session.timeout = atoi(argv[i + 1]);
        else if (strcmp(argv[i], "--pid") == 0)
            session.process = DWORD(strtoul(argv[i + 1], nullptr, 10));
        else
            break;
    }
    if (i >= argc) {
        fputs(USAGE, stderr);
        return 2;
    }
    for (; i < argc; ++i) {
        std::string error;
        int used = RunCommand(session, argc, argv, i, &error);
        if (used < 0)
            return Fail(error);
        i += used;
        fflush(stdout);
    }
    return 0;
}
