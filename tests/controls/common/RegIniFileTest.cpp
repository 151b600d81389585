// The INI/registry store: where it resolves its file or key, when it opens
// the store again, how it writes, and what a key that cannot be opened does.
#include "controls/common/QxRegIniFile.h"
#include "platform/forms/Reader.h"
#include "platform/gui/controls/Application.h"
#include "platform/rtl/SpecialFolders.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class RegIniFile : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() /
               ("quenta_store_" + String(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
        FOldResolver = SetSpecialFolderResolver([this](Integer Csidl) -> String {
            if (Csidl == CSIDL_APPDATA) return (FDir / "roaming").string();
            if (Csidl == CSIDL_LOCAL_APPDATA) return (FDir / "local").string();
            return String();
        });
        SetRegistryFileName((FDir / "Registry.ini").string());
        Store = new TQxRegIniFile(nullptr);
    }
    void TearDown() override {
        Store->Free();
        SetRegistryFileName("");
        SetSpecialFolderResolver(FOldResolver);
        fs::remove_all(FDir);
    }
    String Resolved() {
        Store->ReadString("S", "I", "");
        return Store->Path();
    }
    static ino_t Inode(const fs::path& P) {
        struct stat s {};
        return stat(P.c_str(), &s) == 0 ? s.st_ino : 0;
    }

    fs::path FDir;
    TSpecialFolderResolver FOldResolver;
    TQxRegIniFile* Store = nullptr;
};

TEST_F(RegIniFile, PathsResolveBesideTheProgramOrInASpecialFolder) {
    const String program = ParamStr(0);
    struct Case {
        TQxSpecialFolder Folder;
        String Path, Expected;
    };
    const String roaming = (FDir / "roaming").string();
    for (const Case& c :
         {Case{sfNone, "", ChangeFileExt(program, ".ini")},
          Case{sfNone, "Settings.cfg", ProgramFolder() + "Settings.ini"},
          Case{sfNone, "/etc/quenta/Settings.cfg", "/etc/quenta/Settings.cfg"},
          Case{sfUserAppDataRoaming, "Vendor/Product/Settings.cfg", roaming + "/Vendor/Product/Settings.ini"},
          Case{sfUserAppDataRoaming, "", roaming + "/" + ChangeFileExt(ExtractFileName(program), ".ini")},
          // No such folder on this system: the path as given.
          Case{sfUserDocuments, "Vendor/Settings.cfg", "Vendor/Settings.cfg"}}) {
        Store->SetSpecialFolder(c.Folder);
        Store->SetPath(c.Path);
        EXPECT_EQ(Resolved(), c.Expected) << c.Path;
    }
    EXPECT_TRUE(fs::is_directory(FDir / "roaming" / "Vendor" / "Product"));
}

TEST_F(RegIniFile, EveryPropertyChangeResolvesAgainFromTheConfiguredPath) {
    Store->SetSpecialFolder(sfUserAppDataRoaming);
    Store->SetPath("Vendor/App/Store.cfg");
    EXPECT_EQ(Resolved(), (FDir / "roaming/Vendor/App/Store.ini").string());
    EXPECT_EQ(Store->ConfiguredPath(), "Vendor/App/Store.cfg");
    // The resolved path is not taken for a new configured one: a change of
    // folder lands under the new folder only.
    Store->SetSpecialFolder(sfUserAppDataLocal);
    EXPECT_EQ(Resolved(), (FDir / "local/Vendor/App/Store.ini").string());
    Store->SetFileEncoding(feUTF8);
    Store->SetSpecialFolder(sfUserAppDataRoaming);
    EXPECT_EQ(Resolved(), (FDir / "roaming/Vendor/App/Store.ini").string());
    // The store is opened anew: a file changed behind its back is read again.
    TIniFile((FDir / "roaming/Vendor/App/Store.ini").string()).WriteString("S", "I", "outside");
    EXPECT_EQ(Store->ReadString("S", "I", ""), "");
    Store->SetPathType(ptIniFile); // unchanged: still the open store
    EXPECT_EQ(Store->ReadString("S", "I", ""), "");
    Store->SetFileEncoding(feUnicode);
    EXPECT_EQ(Store->ReadString("S", "I", ""), "outside");
}

TEST_F(RegIniFile, EachWriteReplacesTheFileAndAFailedOneLeavesItWhole) {
    const fs::path file = FDir / "Store.ini";
    Store->SetPath(file.string());
    Store->WriteString("Main", "Name", "one");
    const ino_t first = Inode(file);
    Store->WriteBool("Main", "Flag", true);
    const ino_t second = Inode(file);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second); // written anew, twice
    EXPECT_EQ(ReadFileText(file.string()), "[Main]\nName=one\nFlag=1\n\n");

    // A file-size limit makes the next write fail part way.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(Store->WriteString("Main", "Name", "a much longer value than before"), EStreamError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ReadFileText(file.string()), "[Main]\nName=one\nFlag=1\n\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 1); // no leftovers
}

TEST_F(RegIniFile, RegistryKeysRoundTripAndAClosedKeyNeverFallsBackToTheRoot) {
    Application->SetTitle("QuentaStoreTest");
    Store->SetPathType(ptRegistry);
    Store->WriteString("Window", "Left", "40");
    Store->WriteBool("Window", "Max", true);
    EXPECT_EQ(Store->Path(), "\\Software\\Temp\\QuentaStoreTest");
    EXPECT_EQ(Store->ReadString("Window", "Left", ""), "40");
    EXPECT_TRUE(Store->ReadBool("Window", "Max", false));
    EXPECT_EQ(TRegIniFile("\\Software\\Temp\\QuentaStoreTest").ReadString("Window", "Left", ""), "40");
    Store->EraseSection("Window");
    EXPECT_EQ(Store->ReadString("Window", "Left", "gone"), "gone");

    // A value at the root of the current user, which a store whose key
    // cannot be opened must neither read nor overwrite.
    TRegistry root;
    root.OpenKey("\\Window", true);
    root.WriteString("Left", "root");
    for (auto setup : {+[](TQxRegIniFile* S) { S->SetRegAccess({keyRead}); },
                       +[](TQxRegIniFile* S) { S->SetRegKey(hkeyPerformanceData); }}) {
        Store->SetRegAccess({keyAllAccess});
        Store->SetRegKey(hkeyCurrentUser);
        Store->SetPath("\\Software\\Missing");
        setup(Store);
        EXPECT_EQ(Store->ReadString("Window", "Left", "default"), "default");
        EXPECT_THROW(Store->WriteString("Window", "Left", "x"), ERegistryException);
        EXPECT_EQ(root.ReadString("Left"), "root");
    }
    Application->SetTitle("");
}

TEST(RegIniFileAccess, AccessSetsGiveTheirMasks) {
    EXPECT_EQ(RegAccessMask({keyAllAccess}), 0xF003Fu);
    EXPECT_EQ(RegAccessMask({keyQueryValue, keySetValue, keyCreateSubKey}), 7u);
    EXPECT_EQ(RegAccessMask({keyRead, keyWrite}), 0x2001Fu);
    EXPECT_EQ(RegAccessMask({}), 0u);
}

} // namespace

namespace {

TEST(RegIniFileForm, AFormDescriptionSetsTheStore) {
    RegisterQxRegIniFileClasses();
    auto* owner = new TComponent(nullptr);
    ReadComponentText(owner, R"(object Owner: TComponent
  object QxRegIniFile1: TQxRegIniFile
    Path = 'Vendor\Product'
    PathType = ptRegistry
    RegKey = hkeyLocalMachine
    RegAccess = [keyRead, keyWrite]
    SpecialFolder = sfUserAppDataLocal
    Left = 16
    Top = 24
  end
end
)",
                      "Owner.dfm");
    auto* store = dynamic_cast<TQxRegIniFile*>(owner->FindComponent("QxRegIniFile1"));
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->Path(), "Vendor\\Product");
    EXPECT_EQ(store->PathType(), ptRegistry);
    EXPECT_EQ(store->RegKey(), hkeyLocalMachine);
    EXPECT_EQ(store->RegAccess(), (TQxRegAccess{keyRead, keyWrite}));
    EXPECT_EQ(store->SpecialFolder(), sfUserAppDataLocal);
    owner->Free();
}

} // namespace
