#pragma once
// A scratch tree for the file tests, addressed the framework's way: Windows paths with "\".

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/filename.h"
#include "base/filesys.h"
#include "base/osysfile.h"
#include "tests/support/testsupport.h"

inline std::string Str(const STRING& s) { return s.Text(); }

class TreeTest : public testing::Test {
protected:
    TreeTest() { root = dir.Path().c_str(); }
    void TearDown() override { FILENAME::SetFolderSource(nullptr); }

    STRING Path(const char* relative) const { return FILENAME(root, relative); }
    void MakeDir(const char* relative) const
    {
        ASSERT_TRUE(OSYS::CreateDirectoryPath(Path(relative))) << relative;
    }
    void WriteFile(const char* relative, const std::string& content) const
    {
        FILE* f = FILENAME::fsopen(Path(relative).Buffer, "wb");
        ASSERT_NE(f, nullptr) << relative;
        fwrite(content.data(), 1, content.size(), f);
        fclose(f);
    }
    std::string ReadFile(const char* relative) const
    {
        FILE* f = FILENAME::fsopen(Path(relative).Buffer, "rb");
        if (!f)
            return "<missing>";
        std::string content;
        char block[512];
        for (size_t n; (n = fread(block, 1, sizeof(block), f)) > 0;)
            content.append(block, n);
        fclose(f);
        return content;
    }
    bool Exists(const char* relative) const
    {
        return FILESYS::Attributes(Path(relative).Buffer) != FILESYS::ATTR_NONE;
    }
    std::vector<std::string> Relative(const STRINGARRAY& list) const
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i) {
            std::string entry = list[i].Text();
            std::string prefix = std::string(root.Text()) + "\\";
            names.push_back(entry.rfind(prefix, 0) == 0 ? entry.substr(prefix.size()) : entry);
        }
        return names;
    }

    SCRATCHDIR dir;
    FILENAME root;
};

