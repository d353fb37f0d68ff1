// zipbench ARCHIVE FOLDER: the reader extracting everything at once against UNZIPPER's member by
// member loop as the copy step drives it (GetFirst, Extract, GetNext), on the same archive.
// zipbench --decode ARCHIVE ROUNDS: the decoders alone, in memory, as MB/s of output.
#include "services/unzipper.h"
#include "services/zipdecode.h"
#include "services/zipreader.h"

#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

class SPANINPUT : public ZIPINPUT {
public:
    SPANINPUT(const uint8_t* data, uint64_t size) : Data(data), Left(size) {}
    long Read(uint8_t* buffer, size_t size) override
    {
        size_t count = static_cast<size_t>(std::min<uint64_t>(size, Left));
        std::copy(Data, Data + count, buffer);
        Data += count;
        Left -= count;
        return static_cast<long>(count);
    }

private:
    const uint8_t* Data;
    uint64_t Left;
};

class NULLOUTPUT : public ZIPOUTPUT {
public:
    bool Write(const uint8_t*, size_t) override { return true; }
};

int Decode(const char* path, int rounds)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    ZIPMEMORYIN source(bytes.data(), bytes.size());
    ZIPDIRECTORY directory;
    if (ZipReadDirectory(source, directory) != ZIP_OK) return 1;
    uint64_t produced = 0;
    auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const ZIPMEMBER& m : directory.Members) {
            const uint8_t* header = bytes.data() + m.LocalOffset;
            uint64_t data = m.LocalOffset + 30 + (header[26] | header[27] << 8) +
                            (header[28] | header[29] << 8);
            SPANINPUT input(bytes.data() + data, m.CompressedSize);
            NULLOUTPUT output;
            if (ZipDecode(m.Method, m.Flags, m.CompressedSize, m.Size, input, output) ==
                ZIPDECODE::OK)
                produced += m.Size;
        }
    }
    double seconds = Seconds(start);
    std::printf("decode: %.2f MB/s\n", seconds > 0 ? produced / seconds / 1e6 : 0.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--decode") return Decode(argv[2], std::atoi(argv[3]));
    if (argc != 3) {
        std::fprintf(stderr, "usage: zipbench ARCHIVE FOLDER\n");
        return 2;
    }
    std::string archive = argv[1];
    std::filesystem::path folder = argv[2];
    // Best of three each, taken in turns, so a busy moment of the machine hits neither alone.
    double all = 1e9;
    double loop = 1e9;
    for (int round = 0; round < 3; ++round) {
        std::filesystem::remove_all(folder);
        all = std::min(all, ExtractAll(archive, (folder / "all").string()));
        std::filesystem::remove_all(folder);
        loop = std::min(loop, MemberLoop(archive, (folder / "loop").string()));
    }
    std::filesystem::remove_all(folder);
    std::printf("zipread_all: %.3f s\n", all);
    std::printf("unzipper_loop: %.3f s\n", loop);
    std::printf("ratio unzipper_loop/zipread_all: %.2f\n", all > 0 ? loop / all : 0.0);
    return 0;
}
