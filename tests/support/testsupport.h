#pragma once
// Shared helpers of the test programs.

#include <string>
#include <vector>

#include "frame/ombix.h"

// Collects every assertion report made while it lives, in place of the box.
class ASSERTCATCHER {
public:
    struct REPORT {
        std::string condition, source, info;
        bool quiet;
    };

    ASSERTCATCHER();
    ~ASSERTCATCHER();
    ASSERTCATCHER(const ASSERTCATCHER&) = delete;
    ASSERTCATCHER& operator=(const ASSERTCATCHER&) = delete;

    const std::vector<REPORT>& Reports() const { return reports; }
    size_t Count() const { return reports.size(); }
    bool Saw(const std::string& condition) const;
    void Clear() { reports.clear(); }

private:
    static void Observe(const ASSERTREPORT& report, void* context);
    std::vector<REPORT> reports;
};

// A fresh, empty folder below the system's temporary folder, removed with its content.
class SCRATCHDIR {
public:
    SCRATCHDIR();
    ~SCRATCHDIR();
    SCRATCHDIR(const SCRATCHDIR&) = delete;
    SCRATCHDIR& operator=(const SCRATCHDIR&) = delete;
    // The folder in the native form of the platform, and a file name inside it.
    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const;
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::string path;
};
