// The registry stand-in under its roots, and the special folders of the desktop.
#include "platform/rtl/Registry.h"
#include "platform/rtl/SpecialFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = std::filesystem::temp_directory_path() /
               ("quenta_registry_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(FDir);
        SetRegistryFileName((FDir / "sub" / "Registry.ini").string());
    }
    void TearDown() override {
        SetRegistryFileName("");
        std::filesystem::remove_all(FDir);
    }
    std::filesystem::path FDir;
};

TEST_F(Registry, KeysOpenOnlyWhereTheRootAndTheAccessAllow) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("\\Software\\Quenta", false)); // missing, not made
    EXPECT_TRUE(reg.OpenKey("\\Software\\Quenta", true));   // made, with the registry's folder
    EXPECT_EQ(reg.CurrentPath(), "Software\\Quenta");
    EXPECT_TRUE(reg.KeyExists("\\Software"));
    reg.WriteString("Name", "value");
    EXPECT_EQ(reg.ReadString("Name"), "value");
    // The same path under another root is another key.
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(machine.OpenKey("\\Software\\Quenta", false));
    EXPECT_TRUE(machine.OpenKey("\\Software\\Quenta", true));
    EXPECT_EQ(machine.ReadString("Name"), "");
    // Without the right to make keys a missing key stays closed; without
    // the right to set values writes raise.
    TRegistry readOnly(KEY_READ);
    EXPECT_FALSE(readOnly.OpenKey("\\Software\\Other", true));
    EXPECT_TRUE(readOnly.OpenKey("\\Software\\Quenta", false));
    EXPECT_EQ(readOnly.ReadString("Name"), "value");
    EXPECT_THROW(readOnly.WriteString("Name", "x"), ERegistryException);
    // The performance root holds no keys.
    TRegistry perf;
    perf.SetRootKey(HKEY_PERFORMANCE_DATA);
    EXPECT_FALSE(perf.OpenKey("\\Software", true));
    EXPECT_THROW(perf.WriteString("X", "1"), ERegistryException);
}

TEST_F(Registry, BinaryValuesRoundTripAndLongOnesRaise) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Control Panel\\Desktop", true));
    const Byte mask[4] = {0x9E, 0x1E, 0x07, 0x80};
    reg.WriteBinaryData("UserPreferencesMask", mask, 4);
    Byte back[8] = {};
    EXPECT_EQ(reg.ReadBinaryData("UserPreferencesMask", back, 8), 4);
    EXPECT_EQ(back[0], 0x9E);
    EXPECT_EQ(back[3], 0x80);
    EXPECT_THROW(reg.ReadBinaryData("UserPreferencesMask", back, 2), ERegistryException);
    reg.WriteString("Text", "abc");
    EXPECT_THROW(reg.ReadBinaryData("Text", back, 8), ERegistryException);
    EXPECT_EQ(reg.ReadBinaryData("Missing", back, 8), 0);
}

TEST_F(Registry, IniFileViewSectionsAreSubkeys) {
    TRegistryIniFile ini("\\Software\\Temp\\App");
    ini.WriteString("Window", "Left", "12");
    ini.WriteBool("Window", "Max", true);
    EXPECT_EQ(ini.ReadString("Window", "Left", "0"), "12");
    EXPECT_TRUE(ini.ReadBool("Window", "Max", false));
    EXPECT_EQ(TRegIniFile("\\Software\\Temp\\App").ReadString("Window", "Left", ""), "12");
    ini.EraseSection("Window");
    EXPECT_EQ(ini.ReadString("Window", "Left", "gone"), "gone");
}

TEST(SpecialFolders, DesktopFoldersFollowTheXdgVariables) {
    struct Env {
        const char* Name;
        const char* Value;
    };
    const auto dir = std::filesystem::temp_directory_path() / "quenta_special_folders";
    std::filesystem::create_directories(dir / "config");
    {
        FILE* f = std::fopen((dir / "config" / "user-dirs.dirs").c_str(), "w");
        std::fputs("# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", f);
        std::fclose(f);
    }
    const String home = (dir / "home").string(), config = (dir / "config").string();
    std::vector<std::pair<String, const char*>> saved;
    for (Env e : {Env{"HOME", home.c_str()}, Env{"XDG_CONFIG_HOME", config.c_str()},
                  Env{"XDG_DATA_HOME", "relative/ignored"}, Env{"XDG_CONFIG_DIRS", "/opt/xdg:/etc/xdg"},
                  Env{"XDG_DOCUMENTS_DIR", nullptr}}) {
        const char* old = std::getenv(e.Name);
        saved.emplace_back(e.Name, old ? strdup(old) : nullptr);
        if (e.Value)
            setenv(e.Name, e.Value, 1);
        else
            unsetenv(e.Name);
    }
    EXPECT_EQ(SpecialFolderPath(CSIDL_APPDATA), (dir / "config").string() + "/");
    EXPECT_EQ(SpecialFolderPath(CSIDL_LOCAL_APPDATA), home + "/.local/share/");
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), home + "/Papers/");
    EXPECT_EQ(SpecialFolderPath(CSIDL_COMMON_APPDATA), "/opt/xdg/");
    EXPECT_EQ(SpecialFolderPath(99), "");
    // A resolver of the tests' own takes over, and gets its separator.
    auto old = SetSpecialFolderResolver(
        [](Integer Csidl) { return Csidl == CSIDL_COMMON_APPDATA ? "/x/data" : ""; });
    EXPECT_EQ(SpecialFolderPath(CSIDL_COMMON_APPDATA), "/x/data/");
    EXPECT_EQ(SpecialFolderPath(CSIDL_APPDATA), "");
    SetSpecialFolderResolver(old);
    std::filesystem::remove_all(dir);
    for (auto& [name, value] : saved) {
        if (value)
            setenv(name.c_str(), value, 1);
        else
            unsetenv(name.c_str());
        std::free(const_cast<char*>(value));
    }
}

} // namespace
