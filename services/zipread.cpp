// zipread: the ZIP reader from the command line, for makers of distributions and for tests.
//   zipread -v ARCHIVE                  lists "SIZE NAME" lines and "total N"
//   zipread -qq ARCHIVE [NAME] -d FOLDER  extracts one member or all
// The exit code is the reader's result.
#include "services/zipreader.h"

#include <vector>

int main(int argc, char** argv)
{
    std::vector<const char*> arguments(argv, argv + argc);
    arguments[0] = "unzip";
    return UnzipMain(argc, arguments.data(), nullptr);
}
