// HASH against std::map<std::string, std::string> on the same 20,000-line configuration:
// loading the file into the table, and looking up every key.
#include "base/hash.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int LINES = 20000;
constexpr int ROUNDS = 7;

using CLOCK = std::chrono::steady_clock;

double Since(CLOCK::time_point start)
{
    return std::chrono::duration<double>(CLOCK::now() - start).count();
}

std::vector<std::string> MakeKeys()
{
    std::vector<std::string> keys;
    for (int i = 0; i < LINES; ++i)
        keys.push_back("Section" + std::to_string(i % 97) + "Key" + std::to_string(i));
    std::mt19937 random(20000);
    std::shuffle(keys.begin(), keys.end(), random);
    return keys;
}

std::string WriteConfiguration(const std::vector<std::string>& keys)
{
    std::string path = (std::filesystem::temp_directory_path() / "hash_bench.cfg").string();
    std::ofstream out(path, std::ios::binary);
    out << "// generated configuration\r\n#Key=bench\r\n";
    for (size_t i = 0; i < keys.size(); ++i)
        out << keys[i] << "=Value number " << i << " with some text\r\n";
    return path;
}

std::map<std::string, std::string> LoadMap(const std::string& path)
{
    std::map<std::string, std::string> table;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line.rfind("//", 0) == 0)
            continue;
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            table.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return table;
}

void Report(const char* name, double ours, double theirs, const char* peer, double scale,
            const char* unit)
{
    printf("%s: %.3f %s\n", name, ours * scale, unit);
    printf("%s_%s: %.3f %s\n", name, peer, theirs * scale, unit);
    printf("ratio %s: %.2f\n", name, ours / theirs);
}

}  // namespace

int main()
{
    std::vector<std::string> keys = MakeKeys();
    std::string path = WriteConfiguration(keys);

    double hashLoad = 1e9, mapLoad = 1e9, hashLookup = 1e9, mapLookup = 1e9;
    size_t sink = 0;
    for (int round = 0; round < ROUNDS; ++round) {
        HASH h;
        auto start = CLOCK::now();
        h.Load(path.c_str());
        hashLoad = std::min(hashLoad, Since(start));

        start = CLOCK::now();
        std::map<std::string, std::string> m = LoadMap(path);
        mapLoad = std::min(mapLoad, Since(start));

        start = CLOCK::now();
        for (const std::string& k : keys)
            sink += size_t(h[k.c_str()].Length());
        hashLookup = std::min(hashLookup, Since(start) / LINES);

        start = CLOCK::now();
        for (const std::string& k : keys)
            sink += m.find(k)->second.size();
        mapLookup = std::min(mapLookup, Since(start) / LINES);

        if (h.Count() != LINES || m.size() != size_t(LINES)) {
            fprintf(stderr, "hash_bench: tables differ (%d, %zu)\n", h.Count(), m.size());
            return 1;
        }
    }
    std::filesystem::remove(path);

    Report("hash_load_20000", hashLoad, mapLoad, "map", 1e3, "ms");
    Report("hash_lookup", hashLookup, mapLookup, "map", 1e9, "ns");
    return sink == 0;
}
