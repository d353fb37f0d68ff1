// Arbitrary bytes as an archive: list it, extract everything into a scratch folder, and stop the
// run if anything appears beside that folder.
#include "services/zipreader.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class COUNTER : public ZIPLISTENER {
public:
    void Member(const std::string& name, uint64_t size, bool) override
    {
        Bytes += name.size();
        Total += size;
    }
    uint64_t Bytes = 0;
    uint64_t Total = 0;
};

const fs::path& Sandbox()
{
    static const fs::path sandbox = [] {
        fs::path path = fs::temp_directory_path() / ("zipfuzz-" + std::to_string(getpid()));
        fs::create_directories(path / "box");
        return path / "box";
    }();
    return sandbox;
}

void Clear(const fs::path& path)
{
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(path, error)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(path, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZIPMEMORYIN source(data, size);
    ZIPDIRECTORY directory;
    if (ZipReadDirectory(source, directory) != ZIP_OK) return 0;
    COUNTER counter;
    ZipList(directory, counter);
    fs::path out = Sandbox() / "out";
    ZipExtract(source, directory, {}, out.string());
    for (const auto& entry : fs::directory_iterator(Sandbox())) {
        if (entry.path().filename() != "out") {
            std::fprintf(stderr, "written outside the target folder: %s\n", entry.path().c_str());
            std::abort();
        }
    }
    Clear(out);
    return 0;
}
