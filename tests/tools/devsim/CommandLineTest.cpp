// The devsim command line, the fault grammar and the catalogue entry from
// a settings file.
#include "tools/devsim/DevSimCommandLine.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace devsim;

namespace {

TDevSimCommandLine Parse(std::vector<String> Args) {
    return ParseDevSimCommandLine(Args);
}

String ErrorOf(std::vector<String> Args) {
    try {
        Parse(Args);
    } catch (const EDevSimError& e) {
        return e.Message;
    }
    return "(accepted)";
}

// A settings file in the temporary folder, removed at the end of the test.
class TTempSettings {
public:
    explicit TTempSettings(const String& Text) {
        char name[] = "/tmp/devsim-settings-XXXXXX";
        const int fd = mkstemp(name);
        close(fd);
        FName = name;
        std::ofstream(FName) << Text;
    }
    ~TTempSettings() { std::remove(FName.c_str()); }
    const String& Name() const { return FName; }

private:
    String FName;
};

} // namespace

TEST(DevSimCommandLine, DefaultsAndEveryOption) {
    TDevSimOptions o = Parse({}).Options;
    EXPECT_EQ(o.BindAddress, "0.0.0.0");
    EXPECT_EQ(o.Port, 16388);
    EXPECT_EQ(o.Version.Text(), "3.2.1.2");
    EXPECT_FALSE(o.DevIdRegister);
    EXPECT_FALSE(o.Quiet);

    o = Parse({"--bind", "127.0.0.1", "--port=0x4004", "--device-id", "0x1234", "--version", "3.2.0.9",
               "--devid-register", "0x14A0A053", "--settings", "S.ini", "--target-index", "1", "--fault",
               "noanswer:0x0B:3", "--fault=late:0:500", "--save-hex", "out.hex", "--quiet"})
            .Options;
    EXPECT_EQ(o.BindAddress, "127.0.0.1");
    EXPECT_EQ(o.Port, 0x4004);
    EXPECT_EQ(o.Identity.DeviceID, 0x1234);
    EXPECT_EQ(o.Version.Text(), "3.2.0.9");
    EXPECT_EQ(o.DevIdRegister, 0x14A0A053u);
    EXPECT_EQ(o.SettingsFile, "S.ini");
    EXPECT_EQ(o.TargetIndex, 1);
    ASSERT_EQ(o.Faults.size(), 2u);
    EXPECT_EQ(o.Faults[1].Kind, fkLate);
    EXPECT_EQ(o.SaveHexFile, "out.hex");
    EXPECT_TRUE(o.Quiet);
    EXPECT_TRUE(Parse({"--help"}).Help);
}

TEST(DevSimCommandLine, BadArgumentsNameWhatIsWrong) {
    EXPECT_EQ(ErrorOf({"--colour"}), "Unknown argument \"--colour\".");
    EXPECT_EQ(ErrorOf({"--port"}), "Option --port needs a value.");
    EXPECT_NE(ErrorOf({"--port", "65536"}).find("Invalid port \"65536\""), String::npos);
    EXPECT_NE(ErrorOf({"--port", "-1"}).find("Invalid port"), String::npos);
    EXPECT_NE(ErrorOf({"--device-id", "0x"}).find("Invalid device ID"), String::npos);
    EXPECT_NE(ErrorOf({"--device-id", "12abc"}).find("Invalid device ID"), String::npos);
    EXPECT_NE(ErrorOf({"--devid-register", "0x100000000"}).find("Invalid device ID register"), String::npos);
    for (const char* v : {"3.2.1", "3.2.1.2.5", "3.2.1.256", "3..1.2", "a.b.c.d"})
        EXPECT_NE(ErrorOf({"--version", v}).find("Invalid version"), String::npos) << v;
    EXPECT_NE(ErrorOf({"--target-index", "1"}).find("needs --settings"), String::npos);
    EXPECT_EQ(ErrorOf({"--quiet=1"}), "Option --quiet takes no value.");
    EXPECT_NE(ErrorOf({"--fault", "late:0x00"}).find("late:CMD:MS[:N]"), String::npos);
}

TEST(SimFaultGrammar, EveryFormParsesAndBadFormsAreRefused) {
    TSimFault f = ParseSimFault("noanswer:0x0B:3");
    EXPECT_EQ(f.Kind, fkNoAnswer);
    EXPECT_EQ(f.Command, 0x0B);
    EXPECT_EQ(f.Occurrence, 3u);
    f = ParseSimFault("late:0x00:500");
    EXPECT_EQ(f.Kind, fkLate);
    EXPECT_EQ(f.DelayMs, 500u);
    EXPECT_EQ(f.Occurrence, 0u);
    EXPECT_EQ(ParseSimFault("dup:48").Command, 0x30);
    EXPECT_EQ(ParseSimFault("badseq:*").Command, AnyCommand);
    f = ParseSimFault("failblock:0x9D000200:2");
    EXPECT_EQ(f.Address, 0x9D000200u);
    EXPECT_EQ(f.Occurrence, 2u);
    EXPECT_EQ(ParseSimFault("devid:0x14A0A053").Register, 0x14A0A053u);
    EXPECT_EQ(ParseSimFault("version:1.9.0.0").Version.Major, 1);

    for (const char* bad : {"", "noanswer", "noanswer:0x100", "noanswer:0x0B:0", "noanswer:1:2:3", "late:0:x",
                            "dup:", "failblock", "devid:1:2", "version:1.9", "sometimes:0x00"})
        EXPECT_THROW(ParseSimFault(bad), EDevSimError) << bad;
}

TEST(SimTargetSettings, EntryIsReadWithItsTwoDigitIndexAndDerivedWindow) {
    TTempSettings ini("[Known Devices]\n"
                      "NumDevices=2\n"
                      "DeviceName01=PIC32MX675F256L\n"
                      "DeviceID01=0x04327053\n"
                      "BytesPerPcu01=1\n"
                      "PcuPerIwu01=4\n"
                      "ActiveBytesPerIwu01=4\n"
                      "ProgMemPhysicalStartPcu01=0x1D000000\n"
                      "ProgMemVirtualStartPcu01=0x9D000000\n"
                      "ProgMemSizePcu01=0x40000\n"
                      "BootMemPhysicalStartPcu01=0x1FC00000\n"
                      "BootMemVirtualStartPcu01=0xBFC00000\n"
                      "BootMemSizePcu01=0x3000\n"
                      "EraseBlockSizePcu01=4096\n"
                      "ProgBlockSizePcu01=512\n"
                      "ConfigPhysicalStartPcu01=0x1FC02FF0\n"
                      "ConfigPhysicalEndPcu01=0x1FC02FFF\n"
                      "ConfigVirtualStartPcu01=0xBFC02FF0\n"
                      "ConfigVirtualEndPcu01=0xBFC02FFF\n"
                      "ConfigCount01=4\n");
    const TSimTarget t = LoadSimTarget(ini.Name(), 1);
    EXPECT_EQ(t.DeviceName, "PIC32MX675F256L");
    EXPECT_EQ(t.DeviceID, 0x04327053u);
    EXPECT_EQ(t.ProgMemSizePcu, 0x40000u);
    EXPECT_EQ(t.ConfigRegBlank[2], 255u); // the catalogue's default
    const TSimWindow w = DefaultSimWindow(t);
    EXPECT_EQ(w.BootloaderStart, 0x9D030000u);
    EXPECT_EQ(w.AppEnd, 0x9D02FFFFu);

    // Entry 0 is absent: the catalogue's defaults describe a usable device.
    EXPECT_EQ(LoadSimTarget(ini.Name(), 0).DeviceID, 255u);
}

TEST(SimTargetSettings, MissingFileBadIndexAndUnusableEntriesAreErrors) {
    EXPECT_THROW(LoadSimTarget("/nonexistent/Settings.ini", 0), EDevSimError);
    TTempSettings ini("[Known Devices]\nNumDevices=1\nPcuPerIwu00=0\n");
    try {
        LoadSimTarget(ini.Name(), 1);
        FAIL();
    } catch (const EDevSimError& e) {
        EXPECT_NE(e.Message.find("lists 1 device(s)"), String::npos) << e.Message;
    }
    try {
        LoadSimTarget(ini.Name(), 0);
        FAIL();
    } catch (const EDevSimError& e) {
        EXPECT_NE(e.Message.find("cannot be simulated"), String::npos) << e.Message;
    }
    TSimTarget t = DefaultSimTarget();
    t.ProgMemSizePcu = 0xFFFFFFF0; // past the top of the address space
    EXPECT_THROW(ValidateSimTarget(t), EDevSimError);
}
