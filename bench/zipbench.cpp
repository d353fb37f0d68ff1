// zipbench ARCHIVE FOLDER: the reader extracting everything at once against UNZIPPER's member by
// member loop as the copy step drives it (GetFirst, Extract, GetNext), on the same archive.
#include "services/unzipper.h"
#include "services/zipreader.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double ExtractAll(const std::string& archive, const std::string& folder)
{
    auto start = std::chrono::steady_clock::now();
    const char* argv[] = {"unzip", "-qq", archive.c_str(), "-d", folder.c_str()};
    int result = UnzipMain(5, argv, nullptr);
    double seconds = Seconds(start);
    if (result != ZIP_OK) std::fprintf(stderr, "zipbench: reader result %d\n", result);
    return seconds;
}

double MemberLoop(const std::string& archive, const std::string& folder)
{
    auto start = std::chrono::steady_clock::now();
    UNZIPPER unzipper(archive.c_str(), "<NULL>", "<NULL>");
    char name[260];
    for (unzipper.GetFirst(name); name[0]; unzipper.GetNext(name)) {
        if (!unzipper.Extract(name, folder.c_str(), nullptr))
            std::fprintf(stderr, "zipbench: %s failed\n", name);
    }
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zipbench ARCHIVE FOLDER\n");
        return 2;
    }
    std::string archive = argv[1];
    std::filesystem::path folder = argv[2];
    std::filesystem::remove_all(folder);
    double all = ExtractAll(archive, (folder / "all").string());
    std::filesystem::remove_all(folder);
    double loop = MemberLoop(archive, (folder / "loop").string());
    std::filesystem::remove_all(folder);
    std::printf("zipread_all: %.3f s\n", all);
    std::printf("unzipper_loop: %.3f s\n", loop);
    std::printf("ratio unzipper_loop/zipread_all: %.2f\n", all > 0 ? loop / all : 0.0);
    return 0;
}
