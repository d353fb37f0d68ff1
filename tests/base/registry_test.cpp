#include "base/registry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>

#include "tests/support/testsupport.h"

namespace {

// Each test works below a key of its own, removed again afterwards.
class RegistryTest : public testing::Test {
protected:
    RegistryTest()
    {
        static int counter = 0;
        base = "Software\\OmbixTest" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++counter);
    }
    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, base.c_str());
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, base.c_str());
        OMBIXAPP::LogOption("/LOGITCLOSE");
        LogitLevel = 0;
    }
    static bool KeyExists(HKEY root, const std::string& path)
    {
        HKEY key;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    static DWORD StoredSize(HKEY key, const char* value, DWORD* type)
    {
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueExA(key, value, nullptr, type, nullptr, &size), ERROR_SUCCESS);
        return size;
    }
    std::string base;
    SCRATCHDIR dir;
};

TEST_F(RegistryTest, ApplicationKeyLandsBelowTheRootOfTheUser)
{
    {
        REGISTRY machine("Vok", (base + "\\Ombix\\").c_str(), 0);
        ASSERT_TRUE(machine.IsOpen());
        EXPECT_EQ(machine.hRoot, HKEY_LOCAL_MACHINE);
        EXPECT_STREQ(machine.KeyPath.Text(), (base + "\\Ombix\\Vok").c_str());
    }
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, base + "\\Ombix\\Vok"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\Ombix\\Vok"));
    {
        REGISTRY user("\\Vok\\", (base + "\\Ombix").c_str(), 1);
        ASSERT_TRUE(user.IsOpen());
        EXPECT_EQ(user.hRoot, HKEY_CURRENT_USER);
        EXPECT_STREQ(user.KeyPath.Text(), (base + "\\Ombix\\Vok").c_str());
    }
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\Ombix\\Vok"));
    REGISTRY byHandle("Other", base.c_str(), reinterpret_cast<INT_PTR>(HKEY_CURRENT_USER));
    EXPECT_TRUE(byHandle.IsOpen());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\Other"));
}

TEST_F(RegistryTest, AnApplicationKeyInAnglesIsRefused)
{
    ASSERTCATCHER catcher;
    REGISTRY reg("<self>", base.c_str(), 1);
    EXPECT_TRUE(catcher.Saw("app[0]!='<'"));
}

TEST_F(RegistryTest, TheThreeModes)
{
    {
        REGISTRY reading(HKEY_CURRENT_USER, base.c_str(), "Missing", REGISTRY_READ);
        EXPECT_FALSE(reading.IsOpen());
        REGISTRY writing(HKEY_CURRENT_USER, base.c_str(), "Missing", REGISTRY_WRITE);
        EXPECT_FALSE(writing.IsOpen());
        EXPECT_FALSE(writing.Write("v", "x"));
        STRING text("unchanged");
        EXPECT_FALSE(writing.Read("v", text));
        EXPECT_STREQ(text.Text(), "unchanged");
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\Missing"));
    {
        REGISTRY creating(HKEY_CURRENT_USER, base.c_str(), "Made", REGISTRY_CREATE);
        ASSERT_TRUE(creating.IsOpen());
        EXPECT_TRUE(creating.Write("v", "x"));
    }
    REGISTRY writing(HKEY_CURRENT_USER, base.c_str(), "Made", REGISTRY_WRITE);
    EXPECT_TRUE(writing.Write("w", "y"));
    REGISTRY reading(HKEY_CURRENT_USER, base.c_str(), "Made", REGISTRY_READ);
    STRING text;
    EXPECT_TRUE(reading.Read("w", text));
    EXPECT_STREQ(text.Text(), "y");
    EXPECT_FALSE(reading.Write("z", "read-only key"));

    ASSERTCATCHER catcher;
    REGISTRY bad(HKEY_CURRENT_USER, base.c_str(), "Made", 5);
    EXPECT_TRUE(catcher.Saw("FALSE"));
    EXPECT_FALSE(bad.IsOpen());
}

TEST_F(RegistryTest, StringsAreStoredAndReadWithoutTrailingZero)
{
    REGISTRY reg("Vok", base.c_str(), 1);
    for (const char* text : {"C:\\Program Files\\Vok", "", "x"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(reg.Write("Path", text));
        // Wine's RegSetValueExA stores a terminating zero that it was not given.
        DWORD type = 0;
        EXPECT_LE(StoredSize(reg.hKey, "Path", &type), strlen(text) + 1);
        EXPECT_EQ(type, DWORD(REG_SZ));
        STRING back;
        ASSERT_TRUE(reg.Read("Path", back));
        EXPECT_STREQ(back.Text(), text);
        EXPECT_EQ(back.Length(), STRING_SIZE_T(strlen(text)));
    }
    // Other writers store the zero; it is not part of the text.
    const char withZero[] = "abc\0\0";
    RegSetValueExA(reg.hKey, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(withZero), 5);
    STRING back;
    ASSERT_TRUE(reg.Read("Other", back));
    EXPECT_EQ(back.Length(), 3);
    EXPECT_STREQ(back.Text(), "abc");
}

TEST_F(RegistryTest, BinaryValuesGrowTheBufferAndKeepEveryByte)
{
    REGISTRY reg("Vok", base.c_str(), 1);
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += char(i % 251);
    ASSERT_TRUE(reg.Write("Blob", bytes.data(), DWORD(bytes.size())));
    DWORD type = 0;
    EXPECT_EQ(StoredSize(reg.hKey, "Blob", &type), bytes.size());
    EXPECT_EQ(type, DWORD(REG_BINARY));
    STRING back;
    ASSERT_TRUE(reg.Read("Blob", back));
    ASSERT_EQ(back.Length(), STRING_SIZE_T(bytes.size()));
    EXPECT_EQ(std::string(back.Buffer, size_t(back.Length())), bytes);

    ASSERT_TRUE(reg.Write("Zeros", "\0\0", 2));
    ASSERT_TRUE(reg.Read("Zeros", back));
    EXPECT_EQ(back.Length(), 2);
}

TEST_F(RegistryTest, NumbersAreDwords)
{
    REGISTRY reg("Vok", base.c_str(), 1);
    ASSERT_TRUE(reg.Write("Number", 0x12345678));
    ASSERT_TRUE(reg.Write("Big", 0xFFFFFFFFul));
    DWORD type = 0;
    EXPECT_EQ(StoredSize(reg.hKey, "Number", &type), 4u);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    DWORD value = 0, size = sizeof(value);
    ASSERT_TRUE(reg.Read("Number", &value, &size));
    EXPECT_EQ(value, 0x12345678u);
    EXPECT_EQ(size, 4u);
    ASSERT_TRUE(reg.Read("Big", &value, &size));
    EXPECT_EQ(value, 0xFFFFFFFFu);
}

TEST_F(RegistryTest, ReadingIntoACallersBuffer)
{
    REGISTRY reg("Vok", base.c_str(), 1);
    ASSERT_TRUE(reg.Write("Text", "hello", 5));
    char buffer[16];
    memset(buffer, 'x', sizeof(buffer));
    DWORD size = sizeof(buffer);
    ASSERT_TRUE(reg.Read("Text", buffer, &size));
    EXPECT_EQ(size, 5u);
    EXPECT_STREQ(buffer, "hello");
    // Exactly the data's size: no room for the zero, none written behind.
    char exact[7] = "??????";
    size = 5;
    ASSERT_TRUE(reg.Read("Text", exact, &size));
    EXPECT_EQ(std::string(exact, 6), "hello?");
    size = 3;
    EXPECT_FALSE(reg.Read("Text", buffer, &size));
    size = sizeof(buffer);
    EXPECT_FALSE(reg.Read("Missing", buffer, &size));
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    REGISTRY reg("Vok", base.c_str(), 1);
    ASSERT_TRUE(reg.Write("Gone", "x"));
    EXPECT_TRUE(reg.DeleteValue("Gone"));
    EXPECT_FALSE(reg.DeleteValue("Gone"));
    STRING back;
    EXPECT_FALSE(reg.Read("Gone", back));

    { REGISTRY deep("Tree\\Branch\\Leaf", (base + "\\Vok").c_str(), 1); }
    { REGISTRY empty("Empty", (base + "\\Vok").c_str(), 1); }
    EXPECT_TRUE(reg.DeleteKey("Empty", false));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\Vok\\Empty"));
    EXPECT_FALSE(reg.DeleteKey("Tree", false));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\Vok\\Tree\\Branch\\Leaf"));
    EXPECT_TRUE(reg.DeleteKey("Tree", true));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\Vok\\Tree"));
}

TEST_F(RegistryTest, AClosedKeyFailsEveryOperation)
{
    REGISTRY reg("Vok", base.c_str(), 1);
    reg.Close();
    reg.Close();
    EXPECT_FALSE(reg.IsOpen());
    STRING text;
    EXPECT_FALSE(reg.Read("v", text));
    EXPECT_FALSE(reg.Write("v", "x"));
    EXPECT_FALSE(reg.Write("v", 1));
    EXPECT_FALSE(reg.Write("v", "b", 1));
    EXPECT_FALSE(reg.DeleteValue("v"));
    EXPECT_FALSE(reg.DeleteKey("k", true));
}

TEST_F(RegistryTest, EveryCallLogsAtLevelTwo)
{
    ASSERT_TRUE(OMBIXAPP::LogOption(("/LOGIT:" + dir.File("log.txt")).c_str()));
    {
        REGISTRY reg("Vok", base.c_str(), 1);
        reg.Write("Path", "C:\\x");
        reg.Write("Count", 7);
        LogitLevel = 2;
        reg.Write("Path", "C:\\y");
        reg.Write("Count", 8);
        reg.Write("Blob", "ab", 2);
        STRING back;
        reg.Read("Path", back);
        reg.DeleteValue("Count");
        reg.DeleteKey("None", false);
    }
    OMBIXAPP::LogOption("/LOGITCLOSE");
    std::string log = dir.Read("log.txt");
    EXPECT_EQ(log.find("C:\\x"), std::string::npos) << log;
    for (const char* line : {"REGISTRY::Write String value= Path; data=C:\\y, error=00000000",
                             "REGISTRY::Write DWORD value= Count; data=8, error=00000000",
                             "REGISTRY::Write binary value= Blob, error=00000000",
                             "REGISTRY::Read key=Path, ok=1, error=0",
                             "REGISTRY::delete value= Count, error=0",
                             "REGISTRY::delete key= None, error=2"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
}

TEST(DllInterfaceTest, LoadsALibraryAndFindsItsFunctions)
{
    DLLINTERFACE dll("kernel32.dll", "GetTickCount");
    ASSERT_NE(dll.hDll, nullptr);
    EXPECT_STREQ(dll.DllName, "kernel32.dll");
    EXPECT_STREQ(dll.FunctionName, "GetTickCount");
    FARPROC tick = dll.GetFunction();
    EXPECT_EQ(tick, reinterpret_cast<FARPROC>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                             "GetTickCount")));
    EXPECT_NE(dll.GetFunction("GetCurrentProcessId"), nullptr);
    EXPECT_EQ(dll.GetFunction("NoSuchFunction"), nullptr);

    EXPECT_FALSE(dll.Load("kernel32.dll", "NoSuchFunction"));
    EXPECT_NE(dll.hDll, nullptr);
    EXPECT_EQ(dll.GetFunction(), nullptr);
    EXPECT_FALSE(dll.Load("no-such-library-here.dll"));
    EXPECT_EQ(dll.hDll, nullptr);
    dll.Unload();
    EXPECT_EQ(dll.hDll, nullptr);
}

TEST(DllInterfaceTest, KeepsAtMost127CharactersOfTheName)
{
    std::string name(300, 'n');
    DLLINTERFACE dll(name.c_str());
    EXPECT_EQ(dll.hDll, nullptr);
    EXPECT_EQ(strlen(dll.DllName), 127u);
}

}  // namespace
