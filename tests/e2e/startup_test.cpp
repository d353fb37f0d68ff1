// Starts the real setup.exe from a distribution folder made in a scratch directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/e2e/setuprun.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.Path();
        MakeDistribution(folder);
    }
    SCRATCHDIR dir;
    fs::path folder;
};

TEST_F(Startup, LogsEveryArgumentAndLoadsTheGermanModule)
{
    fs::path log = folder / "log.txt";
    SETUPRUN run = RunSetup(folder, "\"/LOGIT:" + log.string() + "\" /X:1 -LANG ger");
    EXPECT_EQ(run.exitCode, 0u);
    std::string text = ReadText(log);
    EXPECT_NE(text.find("OMBIXAPP program argument 3= '/X:1'\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("OMBIXAPP program argument 4= '-LANG'\r\n"), std::string::npos);
    EXPECT_NE(text.find("OMBIXAPP gLocale= 7,"), std::string::npos);
    EXPECT_NE(text.find("setupgerman.dll loaded"), std::string::npos);
    EXPECT_NE(text.find("Welcome back Setup, you have safely returned to OMBIXAPP with exit code 0\r\n["),
              std::string::npos);
    EXPECT_NE(text.find("] Over and out.\r\n"), std::string::npos);
    ASSERT_EQ(text.rfind("[", 0), 0u);
    EXPECT_EQ(text[8], ':');
}

TEST_F(Startup, ArgumentFilesOfProgramFolderAreReadOnce)
{
    fs::path log = folder / "log.txt";
    std::ofstream(folder / "commandline.ini", std::ios::binary)
        << "/LOGIT:" << log.string() << "\r\n\r\n  /FROMFILE \t\r\n";
    std::ofstream(folder / "setup_commandline.ini", std::ios::binary) << "/SECOND\r\n";
    SETUPRUN run = RunSetup(folder, "/ARG");
    EXPECT_EQ(run.exitCode, 0u);
    std::string text = ReadText(log);
    EXPECT_NE(text.find("program argument 2= '/ARG'"), std::string::npos) << text;
    EXPECT_NE(text.find("program argument 4= '/FROMFILE'"), std::string::npos) << text;
    EXPECT_NE(text.find("program argument 5= '/SECOND'"), std::string::npos) << text;
    EXPECT_EQ(text.find("program argument 6="), std::string::npos) << text;
}

TEST_F(Startup, WithoutLanguageModuleTheBoxAndExitCode99)
{
    fs::remove(folder / "setupenglish.dll");
    fs::remove(folder / "setupgerman.dll");
    SETUPRUN run = RunSetup(folder, "");
    EXPECT_EQ(run.exitCode, 99u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, "Ombix Application");
    EXPECT_EQ(run.boxes[0].text.rfind("DLL not found:", 0), 0u) << run.boxes[0].text;
    EXPECT_NE(run.boxes[0].text.find("setupenglish.dll"), std::string::npos);
}

}  // namespace
