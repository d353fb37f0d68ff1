// setup.exe's modes, the script commands and the hook library, run as a user runs them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/registry.h"
#include "tests/e2e/setuprun.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* TESTKEY = "Software\\Ombix\\OmbixE2E";

class SetupStart : public testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.Path();
        MakeDistribution(folder);
        caption = ModuleString("setupenglish.dll", 2900);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, TESTKEY);
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, TESTKEY);
        _putenv("OMBIX_HOOKLOG=");
        _putenv("OMBIX_HOOKRESULT=");
    }
    std::string Value(const char* name)
    {
        char data[256];
        DWORD size = sizeof(data), type = 0;
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TESTKEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<nokey>";
        LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS)
            return "<novalue>";
        EXPECT_EQ(type, DWORD(REG_BINARY));
        return std::string(data, size);
    }
    void UseHook(const char* library)
    {
        fs::copy_file(BinDir() / library, folder / "SETUPHOOK.dll");
        hookLog = folder / "hook.log";
        _putenv(("OMBIX_HOOKLOG=" + hookLog.string()).c_str());
    }
    SCRATCHDIR dir;
    fs::path folder, hookLog;
    std::string caption;
};

TEST_F(SetupStart, WriteRegWritesTextAndZeroAndReportsIt)
{
    SETUPRUN run = RunSetup(folder, "/WRITEREG:OmbixE2E|Name|abc");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(Value("Name"), std::string("abc\0", 4));
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, caption);
    EXPECT_EQ(run.boxes[0].text, ModuleString("setupenglish.dll", 3303));
}

TEST_F(SetupStart, WriteRegToAKeyThatCannotBeOpened)
{
    // Key names are limited to 255 characters.
    SETUPRUN run = RunSetup(folder, "/WRITEREG:" + std::string(300, 'k') + "|Name|abc");
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, caption);
    EXPECT_EQ(run.boxes[0].text, ModuleString("setupenglish.dll", 3302));
}

TEST_F(SetupStart, WriteHexRegQuietAndMalformed)
{
    SETUPRUN run = RunSetup(folder, "-WRITEHEXREG \"OmbixE2E|Hex|41420|1\"");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(Value("Hex"), "AB");
    EXPECT_TRUE(run.boxes.empty());

    SETUPRUN bad = RunSetup(folder, "-WRITEHEXREG \"OmbixE2E|Bad|41zz\"");
    EXPECT_EQ(bad.exitCode, 0u);
    EXPECT_EQ(Value("Bad"), "<novalue>");
    ASSERT_EQ(bad.boxes.size(), 1u);
    EXPECT_EQ(bad.boxes[0].text, ModuleString("setupenglish.dll", 3302));
}

TEST_F(SetupStart, DeleteRegRemovesTheValueSilently)
{
    RunSetup(folder, "/WRITEREG:OmbixE2E|Name|abc");
    SETUPRUN run = RunSetup(folder, "/DELETEREG:OmbixE2E|Name");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(Value("Name"), "<novalue>");
}

TEST_F(SetupStart, CopyAndDeleteFile)
{
    std::ofstream(folder / "a.txt") << "new";
    std::ofstream(folder / "b.txt") << "old";
    std::string a = (folder / "a.txt").string(), b = (folder / "b.txt").string();
    EXPECT_EQ(RunSetup(folder, "\"/COPYFILE:" + a + "|" + b + "\"").exitCode, 0u);
    EXPECT_EQ(ReadText(folder / "b.txt"), "old");
    EXPECT_EQ(RunSetup(folder, "\"/COPYFILE:" + a + "|" + b + "|1\"").exitCode, 1u);
    EXPECT_EQ(ReadText(folder / "b.txt"), "new");
    EXPECT_EQ(RunSetup(folder, "\"/DELETEFILE:" + b + "\"").exitCode, 1u);
    EXPECT_FALSE(fs::exists(folder / "b.txt"));
    EXPECT_EQ(RunSetup(folder, "\"/DELETEFILE:" + b + "\"").exitCode, 0u);
}

TEST_F(SetupStart, OnlyOneModeRuns)
{
    std::ofstream(folder / "victim.txt") << "x";
    std::string victim = (folder / "victim.txt").string();
    SETUPRUN both = RunSetup(folder, "\"/DELETEFILE:" + victim + "\" /WRITEREG:OmbixE2E|Name|abc");
    EXPECT_EQ(both.exitCode, 1u);
    EXPECT_TRUE(fs::exists(folder / "victim.txt"));
    EXPECT_EQ(Value("Name"), std::string("abc\0", 4));

    SETUPRUN removeToo = RunSetup(folder, "-REMOVE Product /WRITEREG:OmbixE2E|Other|x");
    EXPECT_EQ(removeToo.exitCode, 1u);
    EXPECT_EQ(Value("Other"), std::string("x\0", 2));

    SETUPRUN order = RunSetup(folder, "/ORDER:1");
    EXPECT_EQ(order.exitCode, 0u);
    EXPECT_TRUE(order.boxes.empty());
}

TEST_F(SetupStart, AdminWithTheDefaultHookAndWithALibraryThatDeclines)
{
    SETUPRUN builtIn = RunSetup(folder, "/ADMIN:addprinter");
    EXPECT_EQ(builtIn.exitCode, 0u);
    ASSERT_EQ(builtIn.boxes.size(), 1u);
    EXPECT_EQ(builtIn.boxes[0].text, ModuleString("setupenglish.dll", 3300));

    UseHook("testhook.dll");
    _putenv("OMBIX_HOOKRESULT=0");
    SETUPRUN declined = RunSetup(folder, "/ADMIN:addprinter");
    EXPECT_EQ(declined.exitCode, 0u);
    EXPECT_TRUE(declined.boxes.empty());
    EXPECT_EQ(ReadText(hookLog), "SetupHook 256 addprinter\n");
}

TEST_F(SetupStart, WithoutSetupCfgTheErrorBox)
{
    SETUPRUN run = RunSetup(folder, "");
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, caption);
    EXPECT_EQ(run.boxes[0].text, ModuleString("setupenglish.dll", 2985));
}

TEST_F(SetupStart, HookLibraryReceivesTheStartEventsInOrder)
{
    std::ofstream(folder / "setup.cfg") << "AppName=Test\nAppVersion=1.0\nIniKey=OmbixE2E\n";
    UseHook("testhook.dll");
    SETUPRUN run = RunSetup(folder, "");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadText(hookLog), "SetupHook 1 (null)\nNewSetupHook 0 0 table\nNewSetupHook 1 9 table\n");
}

TEST_F(SetupStart, HookLibraryWithoutSetupHookIsReported)
{
    std::ofstream(folder / "setup.cfg") << "AppName=VOK\nAppVersion=6.00\n";
    UseHook("testhook_newonly.dll");
    SETUPRUN run = RunSetup(folder, "/NOASSERT");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(ReadText(folder / "assert.log").find("Condition: fpSetupHook"), std::string::npos);
    // The library's own entry stays even for the terminal product.
    EXPECT_EQ(ReadText(hookLog), "NewSetupHook 0 0 table\nNewSetupHook 1 9 table\n");
}

TEST_F(SetupStart, BuiltInProductHookByVersion)
{
    struct CASE {
        const char* name;
        const char* version;
        bool product;
    } cases[] = {{"VOK", "4.79", true}, {"vok", "5.6", true}, {"Other", "6.00", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        std::ofstream(folder / "setup.cfg") << "AppName=" << c.name << "\nAppVersion=" << c.version << "\n";
        fs::path log = folder / "log.txt";
        fs::remove(log);
        RunSetup(folder, "\"/LOGIT:" + log.string() + "\"");
        std::string text = ReadText(log);
        EXPECT_EQ(text.find("SETUP::NewSetupHookVOK 0 0") != std::string::npos, c.product) << text;
        EXPECT_EQ(text.find("SETUP::NewSetupHookDummy 0 0") != std::string::npos, !c.product);
    }
}

TEST_F(SetupStart, DefaultFolderFromEarlierInstallationOrInstallPath)
{
    const char* uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OmbixE2E";
    fs::path log = folder / "log.txt";
    auto folderOf = [&](const std::string& cfg) {
        std::ofstream(folder / "setup.cfg") << "AppName=Test\nAppVersion=1\nIniKey=OmbixE2E\n" << cfg;
        fs::remove(log);
        RunSetup(folder, "\"/LOGIT:" + log.string() + "\"");
        std::string text = ReadText(log);
        size_t at = text.find("SETUP::SetupMain Test 1 into ");
        return at == std::string::npos ? std::string("<none>") : text.substr(at + 29, text.find('\r', at) - at - 29);
    };
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, uninstall);
    EXPECT_EQ(folderOf("InstallPath=*C:\\\\Apps\\\\X\n"), "C:\\Apps\\X");
    std::string programFiles = folderOf("InstallPath=Maker\\\\Product\n");
    EXPECT_EQ(programFiles.substr(programFiles.size() - 14), "\\Maker\\Product");
    EXPECT_NE(programFiles.find("Program Files\\Maker"), std::string::npos) << programFiles;

    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, uninstall, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    std::string earlier = folder.string();
    RegSetValueExA(key, "UninstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(earlier.c_str()), DWORD(earlier.size() + 1));
    EXPECT_EQ(folderOf("InstallPath=*C:\\\\Apps\\\\X\n"), earlier);
    std::string gone = earlier + "\\gone";
    RegSetValueExA(key, "UninstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone.c_str()), DWORD(gone.size() + 1));
    EXPECT_EQ(folderOf("InstallPath=*C:\\\\Apps\\\\X\n"), "C:\\Apps\\X");
    std::string tooLong(600, 'x');
    RegSetValueExA(key, "UninstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()), DWORD(tooLong.size() + 1));
    EXPECT_EQ(folderOf("InstallPath=*C:\\\\Apps\\\\X\n"), "C:\\Apps\\X");
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, uninstall);
}

}  // namespace
