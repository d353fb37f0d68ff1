// The program that the process-start tests run: "exit N" ends with N, "sleep MS" waits,
// "cmdline FILE" writes its own command line into FILE.
#include "frame/win32api.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 2 && strcmp(argv[1], "exit") == 0)
        return atoi(argv[2]);
    if (argc > 2 && strcmp(argv[1], "sleep") == 0) {
        Sleep(DWORD(atoi(argv[2])));
        return 0;
    }
    if (argc > 2 && strcmp(argv[1], "cmdline") == 0) {
        FILE* f = fopen(argv[2], "wb");
        if (!f)
            return 2;
        fputs(GetCommandLineA(), f);
        fclose(f);
        return 0;
    }
    return 0;
}
