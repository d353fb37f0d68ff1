// A scratch folder for extraction tests: the reader writes into sandbox/out, and anything that
// appears in sandbox beside out escaped the target folder.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class ZIPTESTFOLDER {
public:
    ZIPTESTFOLDER()
    {
        std::random_device random;
        Root = std::filesystem::temp_directory_path() /
               ("ziptest-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(Root / "sandbox");
    }
    ~ZIPTESTFOLDER() { Clear(Root); }
    ZIPTESTFOLDER(const ZIPTESTFOLDER&) = delete;
    ZIPTESTFOLDER& operator=(const ZIPTESTFOLDER&) = delete;

    // An empty, not yet existing target folder: the reader creates it.
    std::filesystem::path Fresh()
    {
        Clear(Target());
        return Target();
    }

    std::filesystem::path Target() const { return Root / "sandbox" / "out"; }

    size_t EntriesBesideTarget() const
    {
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Root / "sandbox")) {
            if (entry.path().filename() != "out") ++count;
        }
        return count;
    }

private:
    // Read-only files (extracted with the DOS bit) cannot be removed on Windows as they are.
    static void Clear(const std::filesystem::path& path)
    {
        std::error_code error;
        if (!std::filesystem::exists(path, error)) return;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, error);
        }
        std::filesystem::remove_all(path, error);
    }

    std::filesystem::path Root;
};
