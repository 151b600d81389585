#include "ImageTestSupport.h"

#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

namespace {

struct TLoaded {
    TSettings Settings;
    std::vector<String> Lines;
};

TLoaded Load(const String& Text) {
    TMemIniFile ini("/nonexistent/Settings.ini");
    ini.SetText(Text);
    TLoaded r;
    r.Settings = LoadSettings(ini, [&r](const String& line) { r.Lines.push_back(line); });
    return r;
}

} // namespace

TEST(Catalogue, AnEmptyFileGivesTheDefaults) {
    const TLoaded r = Load("");
    const TSettings& s = r.Settings;
    EXPECT_TRUE(r.Lines.empty());
    EXPECT_EQ(s.FormCaption, "<Customize this>");
    EXPECT_EQ(s.OperatingMode, 0);
    EXPECT_EQ(s.Catalogue.NumDevices, 2);
    ASSERT_EQ(s.ProcessorItems.size(), 2u);
    EXPECT_EQ(s.ProcessorItems[1].Name, "PIC32MX795F512L");
    EXPECT_EQ(s.ProcessorItems[1].DeviceID, 255);
    EXPECT_EQ(s.Catalogue.Entries[0], s.Catalogue.Entries[1]);
    // TargetID 144 matches nothing: entry 0 is the target, nothing is selected.
    EXPECT_EQ(s.ProcessorIndex, -1);
    EXPECT_EQ(s.ProcessorText, "");
    EXPECT_EQ(s.CurrentTarget, s.Catalogue.Entries[0]);
    EXPECT_EQ(s.DefaultFirmwareFile, "Sample.pfw");
    EXPECT_FALSE(s.Options.VerifyAfter);
    EXPECT_TRUE(s.Options.ProgMem);
    EXPECT_TRUE(s.Options.ConfigMem);

    const TDeviceTypeRec& d = s.CurrentTarget;
    EXPECT_EQ(d.ProgMemSizeIwu, 0x40000);
    EXPECT_EQ(d.BootMemSizeIwu, 0x1800);
    EXPECT_EQ(d.BytesPerIwu, 4);
    EXPECT_EQ(d.EraseBlockSizeBytes, 2048);
    EXPECT_EQ(d.EraseBlockSizeIwu, 512);
    EXPECT_EQ(d.ProgBlockSizeBytes, 128);
    EXPECT_EQ(d.ProgBlockSizeIwu, 32);
    EXPECT_EQ(static_cast<Cardinal>(d.ProgMemPhysicalEndPcu), 0x1D07FFFFu);
    EXPECT_EQ(static_cast<Cardinal>(d.ProgMemVirtualEndPcu), 0x9D07FFFFu);
    EXPECT_EQ(static_cast<Cardinal>(d.BootMemVirtualEndPcu), 0xBFC02FFFu);
    EXPECT_EQ(d.SpareWord1, 0);
    EXPECT_EQ(d.SpareWord2, 0);
}

TEST(Catalogue, TheFullViewNeedsBothAccessValues) {
    EXPECT_EQ(Load("[General]\nOperatingMode=1\n").Settings.OperatingMode, 0);
    // Also behind a byte-order mark that an editor put at the start.
    EXPECT_EQ(Load("\xEF\xBB\xBF[General]\nOperatingMode=1\nP1=1370582946\nP2=1629047315\n").Settings.OperatingMode,
              1);
    EXPECT_EQ(Load("[General]\nOperatingMode=1\nP1=1370582946\n").Settings.OperatingMode, 0);
    const TSettings s = Load("[general]\noperatingmode=1\nP1=1370582946\nP2=1629047315\n").Settings;
    EXPECT_EQ(s.OperatingMode, 1);
    EXPECT_EQ(s.AccessValue1, 1370582946);
    EXPECT_EQ(s.AccessValue2, 1629047315);
    // Only the low 8 bits of the mode count.
    EXPECT_EQ(Load("[General]\nOperatingMode=0x103\nP1=1370582946\nP2=1629047315\n").Settings.OperatingMode, 3);
}

TEST(Catalogue, EntriesAreReadAndTheirFieldsDerived) {
    const TSettings s = Load("[General]\nTargetID=144\n[Options]\nRunAfter=7\nProgMem=0\n"
                             "[Known Devices]\nNumDevices=1\nDeviceID00=144\nDeviceName00=Board A\n"
                             "EraseBlockSizePcu00=1024\nBytesPerPcu00=4\nPcuPerIwu00=1\n"
                             "ProgBlockSizePcu00=$40\nConfigReg02Blank00=0xFFFFFFFE\n")
                            .Settings;
    EXPECT_EQ(s.ProcessorIndex, 0);
    EXPECT_EQ(s.ProcessorText, "Board A");
    EXPECT_TRUE(s.Options.RunAfter);
    EXPECT_FALSE(s.Options.ProgMem);
    const TDeviceTypeRec& t = s.CurrentTarget;
    EXPECT_EQ(t.DeviceID, 144);
    EXPECT_EQ(t.EraseBlockSizeBytes, 4096);
    EXPECT_EQ(t.EraseBlockSizeIwu, 1024);
    EXPECT_EQ(t.ProgBlockSizeIwu, 64);
    EXPECT_EQ(t.ProgBlockSizeBytes, 256);
    EXPECT_EQ(t.ConfigRegBlank[2], -2);
    EXPECT_EQ(t.ConfigRegBlank[3], 255);
}

TEST(Catalogue, TheShippedSettingsDescribeThePic32) {
    const String folder = String(std::getenv("QUENTA_SOURCE_DIR")) + "/dist/";
    std::vector<String> lines;
    const TSettings s = LoadSettings(folder, [&](const String& l) { lines.push_back(l); });
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(s.SettingsPath, folder + "Settings.ini");
    EXPECT_EQ(s.FormCaption, "Ethernet Quenta PIC32 Bootloader");
    EXPECT_EQ(s.OperatingMode, 0);
    EXPECT_EQ(s.ProcessorIndex, 0);
    EXPECT_EQ(s.ProcessorText, "PIC32MX795F512L");
    EXPECT_EQ(s.CurrentTarget, imagetest::Pic32Target());
    EXPECT_EQ(s.CurrentTarget.ProgMemSizeIwu, 0x20000);
    EXPECT_EQ(s.CurrentTarget.ProgBlockSizeIwu, 128);
    EXPECT_EQ(s.CurrentTarget.EraseBlockSizeIwu, 1024);
    EXPECT_EQ(static_cast<Cardinal>(s.CurrentTarget.BootMemPhysicalEndPcu), 0x1FC02FFFu);
    EXPECT_TRUE(s.Options.RunAfter && s.Options.VerifyAfter && s.Options.ProgMem);
    EXPECT_FALSE(s.Options.ConfigMem);
    EXPECT_EQ(s.DefaultFirmwareFile, "Sample.pfw");
}

TEST(Catalogue, ACountAboveTheRoomKeepsTheFirst21) {
    String text = "[Known Devices]\nNumDevices=25\n";
    for (int i = 0; i < 25; ++i) text += Format("DeviceID%2.2d=%d\n", {i, 1000 + i});
    const TLoaded r = Load(text);
    EXPECT_EQ(r.Settings.Catalogue.NumDevices, 21);
    EXPECT_EQ(r.Settings.ProcessorItems.size(), 21u);
    EXPECT_EQ(r.Settings.Catalogue.Entries[20].DeviceID, 1020);
    ASSERT_EQ(r.Lines.size(), 1u);
    EXPECT_EQ(r.Lines[0], "Settings.ini lists 25 devices (NumDevices); only the first 21 are used.");
    EXPECT_EQ(Load("[Known Devices]\nNumDevices=-4\n").Settings.ProcessorItems.size(), 0u);
}

TEST(Catalogue, AnEntryThatWouldDivideByZeroIsRejected) {
    const TLoaded r = Load("[Known Devices]\nNumDevices=3\nDeviceName00=Zero\nDeviceID00=7\nPcuPerIwu00=0\n"
                           "DeviceName01=Negative\nBytesPerPcu01=-1\n"
                           "DeviceName02=Good\nDeviceID02=9\nPcuPerIwu02=1\nBytesPerPcu02=4\n");
    ASSERT_EQ(r.Lines.size(), 2u);
    EXPECT_EQ(r.Lines[0], "Settings.ini, device entry 00 (\"Zero\"): PcuPerIwu00 = 0 is not a positive number. "
                          "The entry is rejected and takes the default values instead (DeviceName "
                          "\"PIC32MX795F512L\", DeviceID 255).");
    EXPECT_NE(r.Lines[1].find("BytesPerPcu01 = -1 is not a positive number"), String::npos);
    const TCatalogue& c = r.Settings.Catalogue;
    EXPECT_EQ(c.Entries[0], DefaultDeviceTypeRec());
    EXPECT_EQ(c.Entries[1], DefaultDeviceTypeRec());
    EXPECT_EQ(c.Entries[2].DeviceName, "Good");
    EXPECT_EQ(c.Entries[2].ProgMemSizeIwu, 0x80000);
}

TEST(Catalogue, EntriesTheBuffersCannotHoldAreRejected) {
    TDeviceTypeRec r = DefaultDeviceTypeRec();
    EXPECT_EQ(DeviceEntryProblem(r, 0), "");
    r.ProgBlockSizePcu = 1; // less than one instruction word of 2 PCU
    EXPECT_EQ(DeviceEntryProblem(r, 4), "ProgBlockSizePcu04 = 1 is smaller than one instruction word (2 PCU)");
    r = DefaultDeviceTypeRec();
    r.ProgMemSizePcu = 0x7FFFFFFF;
    EXPECT_NE(DeviceEntryProblem(r, 0).find("ProgMemSizePcu00"), String::npos);
    r = DefaultDeviceTypeRec();
    r.BootMemSizePcu = -16;
    EXPECT_EQ(DeviceEntryProblem(r, 1), "BootMemSizePcu01 = -16 is negative");
    r = DefaultDeviceTypeRec();
    r.PcuPerIwu = 4; // 2 x 4 = 8 bytes per instruction word
    EXPECT_NE(DeviceEntryProblem(r, 0).find("does not fit"), String::npos);
    r = DefaultDeviceTypeRec();
    r.ActiveBytesPerIwu = 5;
    EXPECT_NE(DeviceEntryProblem(r, 0).find("ActiveBytesPerIwu00 = 5"), String::npos);
}

TEST(Catalogue, SelectingATargetById) {
    TCatalogue c;
    c.NumDevices = 3;
    c.Entries[0].DeviceID = 10;
    c.Entries[1].DeviceID = 20;
    c.Entries[1].DeviceName = "Twenty";
    c.Entries[2].DeviceID = 20;
    c.Entries[2].DeviceName = "Second twenty";
    TDeviceTypeRec target;
    EXPECT_EQ(c.SelectTargetById(20, target), 1);
    EXPECT_EQ(target, c.Entries[1]);
    EXPECT_EQ(c.SelectTargetById(99, target), -1);
    EXPECT_EQ(target, c.Entries[0]);
    EXPECT_EQ(c.TargetNameById(20), "Twenty");
    EXPECT_EQ(c.TargetNameById(99), "Unknown");

    // With no entry listed, entry 0 is still looked at but nothing can be selected.
    c.NumDevices = 0;
    EXPECT_EQ(c.SelectTargetById(10, target), -1);
    EXPECT_EQ(target, c.Entries[0]);
    EXPECT_EQ(c.TargetNameById(10), "Unknown");
}
