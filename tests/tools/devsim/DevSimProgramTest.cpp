// The devsim program as the project's tests and outside checks run it.
#include "DevSimTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using devsim_test::TBytes;
using devsim_test::TChild;
using devsim_test::TUdpPeer;

namespace {

std::string DevSimPath() {
    return DEVSIM_PROGRAM;
}

std::vector<std::string> Command(std::vector<std::string> Args) {
    Args.insert(Args.begin(), DevSimPath());
    return Args;
}

// A version request made byte by byte: header as it stands, every field
// after it XOR-masked (command 0x00 -> 0x6D, length 0 -> 97 2E, address 0
// -> D2 16 8B 4E, payload bytes 0 -> 0x6D).
TBytes HandMadeVersionRequest(Byte MsgLow, Byte MsgHigh) {
    TBytes b = {0x4B, 0x56, 0x5A, 0x51, 0x00, 0x00, MsgLow, MsgHigh};
    b.resize(20, 0x00);
    b.push_back(0x6D);
    for (Byte x : {0x97, 0x2E, 0xD2, 0x16, 0x8B, 0x4E})
        b.push_back(x);
    b.resize(539, 0x6D);
    return b;
}

// Starts devsim and waits for its start-up line.
std::unique_ptr<TChild> StartDevSim(const std::vector<std::string>& Args, std::string* StartLine = nullptr) {
    auto child = std::make_unique<TChild>(Command(Args));
    const std::string line = child->ReadLine(10000);
    EXPECT_NE(line.find("listening on"), std::string::npos) << line << child->Stderr();
    if (StartLine) *StartLine = line;
    return child;
}

Word PortOf(const std::string& StartLine) {
    return static_cast<Word>(std::stoi(StartLine.substr(StartLine.rfind(':') + 1)));
}

std::string ReadFile(const std::string& Name) {
    std::ifstream in(Name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(DevSimProgram, AnswersAHandMadeVersionRequest) {
    const Word port = devsim_test::FreeLoopbackPort();
    auto dev = StartDevSim({"--bind", "127.0.0.1", "--port", std::to_string(port), "--device-id", "0x1234",
                            "--version", "3.2.0.9"});
    TUdpPeer peer;
    peer.SendTo(port, HandMadeVersionRequest(0x34, 0x12));
    const TBytes a = peer.Receive(5000);
    ASSERT_EQ(a.size(), 539u);
    EXPECT_EQ(a[0], 0x4B);
    EXPECT_EQ(a[3], 0x51);
    EXPECT_EQ(a[4], 0x34); // Device_ID 0x1234
    EXPECT_EQ(a[5], 0x12);
    EXPECT_EQ(a[6], 0x34); // MsgNum echoed
    EXPECT_EQ(a[7], 0x12);
    EXPECT_EQ(a[27] ^ 0x6D, 3);
    EXPECT_EQ(a[28] ^ 0x6D, 2);
    EXPECT_EQ(a[29] ^ 0x6D, 0);
    EXPECT_EQ(a[30] ^ 0x6D, 9);

    // One line per request: command, length, address, sequence number, source.
    const std::string line = dev->ReadLine(5000);
    EXPECT_EQ(line, "0x00 version      len=0 addr=0x00000000 seq=4660 from 127.0.0.1:" +
                        std::to_string(peer.Port()) + ": answered");
    dev->Signal(SIGINT);
    EXPECT_EQ(dev->Wait(), 0);
}

TEST(DevSimProgram, BadArgumentsPrintTheUsageAndEndWith2) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--port", "70000"},
                                                 {"--fault", "sometimes"},
                                                 {"--frobnicate"},
                                                 {"--settings", "/nonexistent/Settings.ini"}}) {
        TChild child(Command(args));
        EXPECT_EQ(child.Wait(), 2) << args[0];
        const std::string err = child.Stderr();
        EXPECT_EQ(err.rfind("devsim: ", 0), 0u) << err;
        if (args[0] != "--settings") {
            EXPECT_NE(err.find("Usage: devsim"), std::string::npos) << err;
        }
    }
    TChild help(Command({"--help"}));
    EXPECT_EQ(help.Wait(), 0);
    EXPECT_NE(help.RestOfStdout().find("failblock:ADDR[:N]"), std::string::npos);
}

TEST(DevSimProgram, SigtermWritesTheFlashAsIntelHex) {
    char name[] = "/tmp/devsim-flash-XXXXXX";
    close(mkstemp(name));
    const std::string hex = std::string(name) + ".hex", bin = std::string(name) + ".bin";
    std::remove(name);

    auto dev = std::make_unique<TChild>(
        Command({"--bind", "127.0.0.1", "--port", "0", "--quiet", "--save-hex", hex}));
    const Word port = PortOf(dev->ReadLine(10000));
    // Program one chunk at 0x9D000000: words 0x03020100, 0x07060504, ...
    TBytes req = HandMadeVersionRequest(1, 0);
    req[20] = 0x0B ^ 0x6D;
    req[21] = 0x00 ^ 0x97; // length 512
    req[22] = 0x02 ^ 0x2E;
    const Byte addr[4] = {0x00, 0x00, 0x00, 0x9D};
    const Byte mask[4] = {0xD2, 0x16, 0x8B, 0x4E};
    for (int i = 0; i < 4; ++i)
        req[23 + i] = addr[i] ^ mask[i];
    for (int i = 0; i < 512; ++i)
        req[27 + i] = static_cast<Byte>(i) ^ 0x6D;
    TUdpPeer peer;
    peer.SendTo(port, req);
    const TBytes a = peer.Receive(5000);
    ASSERT_EQ(a.size(), 539u);
    EXPECT_EQ(a[27] ^ 0x6D, 1); // programmed

    dev->Signal(SIGTERM);
    EXPECT_EQ(dev->Wait(), 0);
    EXPECT_EQ(dev->RestOfStdout(), "devsim: flash written to " + hex + "\n"); // quiet: no request line
    const std::string cmd = "srec_cat " + hex +
                            " -intel -crop 0x1D000000 0x1D000200 -offset -0x1D000000 -o " + bin +
                            " -binary 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string data = ReadFile(bin);
    ASSERT_EQ(data.size(), 512u);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(static_cast<Byte>(data[i]), static_cast<Byte>(i)) << i;
    // The boot stub is in boot flash at its physical address.
    const std::string info = "srec_info " + hex + " -intel 2>&1 | grep -q '1FC00000 - 1FC0000F'";
    EXPECT_EQ(std::system(info.c_str()), 0);
    std::remove(hex.c_str());
    std::remove(bin.c_str());
}

TEST(DevSimProgram, TakesItsTargetFromASettingsFileAndFaultsFromTheCommandLine) {
    char name[] = "/tmp/devsim-settings-XXXXXX";
    close(mkstemp(name));
    std::ofstream(name) << "[Known Devices]\nNumDevices=2\nDeviceName01=Other\nDeviceID01=0x04307053\n"
                           "BytesPerPcu01=1\nPcuPerIwu01=4\nActiveBytesPerIwu01=4\nProgMemSizePcu01=0x20000\n"
                           "BootMemPhysicalStartPcu01=0x1FC00000\nEraseBlockSizePcu01=4096\n"
                           "ProgBlockSizePcu01=512\nConfigPhysicalStartPcu01=0x1FC02FF0\n"
                           "ConfigVirtualStartPcu01=0xBFC02FF0\nConfigPhysicalEndPcu01=0x1FC02FFF\n"
                           "ConfigVirtualEndPcu01=0xBFC02FFF\nConfigCount01=4\n";
    std::string start;
    auto dev = StartDevSim({"--bind", "127.0.0.1", "--port", "0", "--settings", name, "--target-index", "1",
                            "--fault", "noanswer:0x00:1", "--quiet"},
                           &start);
    std::remove(name);
    EXPECT_EQ(start.rfind("devsim: Other, Device_ID 0x0001, bootloader 3.2.1.2, listening on 127.0.0.1:", 0),
              0u)
        << start;
    const Word port = PortOf(start);
    TUdpPeer peer;
    peer.SendTo(port, HandMadeVersionRequest(1, 0));
    EXPECT_TRUE(peer.Receive(200).empty()); // the first version request is lost
    peer.SendTo(port, HandMadeVersionRequest(2, 0));
    const TBytes a = peer.Receive(5000);
    ASSERT_EQ(a.size(), 539u);
    EXPECT_EQ(a[6], 2);
    // Bootloader start: the top 64 KiB of this entry's 128 KiB program flash.
    const Byte start4[4] = {0x00, 0x00, 0x01, 0x9D};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(a[31 + i] ^ 0x6D, start4[i]) << i;
    dev->Signal(SIGTERM);
    EXPECT_EQ(dev->Wait(), 0);
}

TEST(DevSimProgram, AddressAndFileMistakesEndItAtStartWith2AndTheUsage) {
    char name[] = "/tmp/devsim-start-XXXXXX";
    const std::string dir = mkdtemp(name);
    auto write = [&](const std::string& File, const std::string& Text) {
        std::ofstream(dir + "/" + File) << Text;
        return dir + "/" + File;
    };
    const std::string noSection = write("nosection.ini", "[General]\nTargetID=0x04307053\n");
    const std::string noEntry = write("noentry.ini", "[Known Devices]\nNumDevices=1\n");
    const std::string entry1 = write("entry1.ini", "[Known Devices]\nNumDevices=1\nDeviceID01=0x04307053\n");
    const struct {
        std::vector<std::string> Args;
        std::string Says;
    } cases[] = {
        {{"--bind", "127.0.0.256"}, "Invalid bind address \"127.0.0.256\""},
        {{"--bind", "localhost"}, "Invalid bind address \"localhost\""},
        {{"--save-hex", dir + "/missing/flash.hex"}, "Cannot write --save-hex file"},
        {{"--save-hex", dir}, "it is a folder"},
        {{"--settings", dir}, "cannot be read: it is a folder"},
        {{"--settings", noSection}, "has no usable device entry 0"},
        {{"--settings", noEntry}, "has no usable device entry 0"},
        {{"--settings", entry1}, "has no usable device entry 0"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.Args;
        args.insert(args.end(), {"--port", "0", "--quiet"});
        TChild child(Command(args));
        const std::string line = child.ReadLine(5000);
        EXPECT_EQ(line.find("listening on"), std::string::npos) << c.Args[1] << " was served";
        if (!line.empty()) child.Signal(SIGTERM);
        EXPECT_EQ(child.Wait(), 2) << c.Args[1];
        const std::string err = child.Stderr();
        EXPECT_EQ(err.rfind("devsim: ", 0), 0u) << err;
        EXPECT_NE(err.find(c.Says), std::string::npos) << err;
        EXPECT_NE(err.find("Usage: devsim"), std::string::npos) << err;
    }
    // The check of a new --save-hex file at start leaves nothing behind;
    // the file comes when the device stops.
    const std::string flash = dir + "/flash.hex";
    TChild dev(Command({"--bind", "127.0.0.1", "--port", "0", "--quiet", "--save-hex", flash}));
    EXPECT_NE(dev.ReadLine(10000).find("listening on"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(flash));
    dev.Signal(SIGTERM);
    EXPECT_EQ(dev.Wait(), 0);
    EXPECT_TRUE(std::filesystem::exists(flash));
    std::filesystem::remove_all(dir);

    TChild help(Command({"--help"}));
    EXPECT_EQ(help.Wait(), 0);
    EXPECT_EQ(help.RestOfStdout().rfind("Usage: devsim", 0), 0u);
}
