#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

ASSERTCATCHER::ASSERTCATCHER() { SetAssertObserver(&ASSERTCATCHER::Observe, this); }
ASSERTCATCHER::~ASSERTCATCHER() { SetAssertObserver(nullptr, nullptr); }

void ASSERTCATCHER::Observe(const ASSERTREPORT& report, void* context)
{
    static_cast<ASSERTCATCHER*>(context)->reports.push_back(
        {report.condition, report.source, report.info, report.quiet});
}

bool ASSERTCATCHER::Saw(const std::string& condition) const
{
    for (const auto& r : reports)
        if (r.condition == condition)
            return true;
    return false;
}

SCRATCHDIR::SCRATCHDIR()
{
    std::random_device seed;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("ombixtest-" + std::to_string(seed()));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            path = candidate.string();
            return;
        }
    }
}

SCRATCHDIR::~SCRATCHDIR()
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::string SCRATCHDIR::File(const std::string& name) const
{
    return (std::filesystem::path(path) / name).string();
}

void SCRATCHDIR::Write(const std::string& name, const std::string& content) const
{
    std::ofstream(File(name), std::ios::binary) << content;
}

std::string SCRATCHDIR::Read(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
