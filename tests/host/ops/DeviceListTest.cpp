// The device list: discovery by typed address and by a repeated discovery,
// new and renamed devices, removal, and devices that stop answering.
#include "host/ops/BootCommands.h"
#include "host/ops/IpAddressText.h"
#include "HostFixture.h"
#include "tools/devsim/SimDatagram.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class DeviceListTest : public HostFixture {};

TEST_F(DeviceListTest, ATypedAddressFindsTheDeviceAndAsksItsVersion) {
    Host->FixedIP_BtnClick("127.0.0.1");
    ASSERT_EQ(Host->DeviceList().size(), 1u);
    TdsProg* d = Host->DeviceList()[0];
    EXPECT_EQ(Host->SelectedDevice(), d);
    EXPECT_EQ(d->AssignedID, 1);
    EXPECT_EQ(d->DeviceName, "Dev_0");
    EXPECT_EQ(d->PeerIP, "127.0.0.1");
    EXPECT_EQ(d->PeerPort, Sim->Port());
    EXPECT_EQ(View.ComboItems, std::vector<String>{"127.0.0.1"});
    EXPECT_EQ(View.ComboIndex, 0);
    EXPECT_TRUE(View.DeviceControlsEnabled);
    EXPECT_EQ(View.Clears, 1);
    EXPECT_TRUE(LinesInOrder({"", String(44, '='), "Bootloader Version = 3.2.1.2  "}));
    EXPECT_EQ(View.StatusText, "");
    EXPECT_EQ(View.Statuses[View.Statuses.size() - 2], "Bootloader device found and selected");
    EXPECT_EQ(Host->Dispatcher()->PeerIP, "127.0.0.1");

    // Found again: the pane is kept this time.
    View.Lines.clear();
    Host->FixedIP_BtnClick("127.0.0.1");
    EXPECT_EQ(View.Clears, 1);
    EXPECT_EQ(Host->DeviceList().size(), 1u);

    // Spelled with a doubled zero it is the same address, and its answer
    // is taken.
    Host->FixedIP_BtnClick("127.00.0.1");
    EXPECT_TRUE(View.Boxes.empty()) << View.Boxes.front().Text;
    EXPECT_EQ(Host->DeviceList().size(), 1u);
    EXPECT_EQ(View.StatusText, "");
}

TEST_F(DeviceListTest, AnInvalidAddressSendsNothing) {
    Host->FixedIP_BtnClick("192.168.001.5");
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, "Sorry, the IP address you entered, \"192.168.001.5\", is invalid.");
    EXPECT_EQ(View.Beeps, 1);
    EXPECT_EQ(Sim->RequestCount(), 0u);
    EXPECT_TRUE(Host->DeviceList().empty());
}

TEST_F(DeviceListTest, NobodyAnsweringLeavesThePlaceholderAndDisablesTheControls) {
    Sim->AddFault("noanswer:0x00");
    Host->FixedIP_BtnClick("127.0.0.1");
    const String text =
        "No devices in bootloader mode were found.\r\n\r\nPlease put your device in bootloader mode, "
        "\r\nconnect it to the network, and click Find All.";
    EXPECT_TRUE(LinesInOrder({"Ethernet Quenta:  (date and time)", "", "", text}));
    EXPECT_EQ(View.StatusText, "No devices in Upgrade Mode were found");
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_EQ(View.Boxes[0].Kind, mkInformation);
    EXPECT_FALSE(View.DeviceControlsEnabled);
    ASSERT_EQ(Host->DeviceList().size(), 1u);
    EXPECT_EQ(Host->DeviceList()[0]->AssignedID, 0);
    EXPECT_EQ(View.ComboItems, std::vector<String>{"255.255.255.255"});
    EXPECT_EQ(Host->SelectedDevice(), nullptr);
}

TEST_F(DeviceListTest, RemovingDevices) {
    Connect();
    // An ID nobody carries changes nothing.
    Host->RemoveDevice(0x77);
    EXPECT_EQ(Host->DeviceList().size(), 1u);
    EXPECT_NE(Host->SelectedDevice(), nullptr);
    // A not-responding report for ID 0 is shown and removes nothing.
    PostMessage(Host->Handle(), WM_DEVICE_NOT_RESPONDING, 0x10000, 0);
    ProcessMessages();
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, "Device ID 0000 is not responding!");
    EXPECT_EQ(Host->DeviceList().size(), 1u);
    // The last device goes: "No devices", and nothing that needs one.
    Host->RemoveDevice(1);
    EXPECT_TRUE(Host->DeviceList().empty());
    EXPECT_EQ(Host->SelectedDevice(), nullptr);
    EXPECT_EQ(View.ComboText, "No devices");
    EXPECT_FALSE(View.DeviceControlsEnabled);
    EXPECT_EQ(Agent->DeviceCount(), 0);
    // Operations without a device report it and send nothing.
    Sim->ClearLog();
    EXPECT_FALSE(Host->Prog_GetBLVersionClick());
    Host->Prog_EraseClick();
    Host->Prog_VerifyClick();
    EXPECT_EQ(Sim->RequestCount(), 0u);
}

TEST_F(DeviceListTest, ADeviceThatStoppedAnsweringDuringAnOperationIsReportedAfterIt) {
    Connect();
    // The report arrives while the version request waits for an answer
    // that does not come: it is held until the operation has ended, and
    // then given, as the device still has not answered.
    Sim->AddFault("noanswer:0x00:1");
    PostMessage(Host->Handle(), WM_DEVICE_NOT_RESPONDING, 1, 0);
    EXPECT_FALSE(Host->Prog_GetBLVersionClick());
    EXPECT_TRUE(View.Boxes.empty());
    ASSERT_EQ(Host->DeviceList().size(), 1u);
    ProcessMessages();
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, "Device ID 0001 is not responding!");
    EXPECT_TRUE(Host->DeviceList().empty());
    EXPECT_EQ(Host->SelectedDevice(), nullptr);
    EXPECT_EQ(Agent->DeviceCount(), 0);
    EXPECT_EQ(Agent->CurrentDevice(), nullptr);
    // The device is found again as a new object.
    Host->FixedIP_BtnClick("127.0.0.1");
    ASSERT_EQ(Host->DeviceList().size(), 1u);
    EXPECT_EQ(Host->DeviceList()[0]->AssignedID, 1);
    EXPECT_TRUE(Host->Prog_GetBLVersionClick());
}

namespace {

// Answers a discovery request as a second device on loopback would: the
// same sequence number, another device ID, from another port.
class TSecondDevice {
public:
    TSecondDevice() { FSocket = ::socket(AF_INET, SOCK_DGRAM, 0); }
    ~TSecondDevice() { ::close(FSocket); }
    void Answer(const devsim::TSimLogEntry& Request, Word DeviceID) {
        devsim::TSimDatagram a;
        a.DeviceID = DeviceID;
        a.MsgNum = Request.MsgNum;
        a.Payload[0] = 3;
        a.Payload[1] = 2;
        a.SetPayloadWord(4, 0x9D070000);
        a.SetPayloadWord(8, 0x9D07FFFF);
        a.SetPayloadWord(12, 0x9D000000);
        a.SetPayloadWord(16, 0x9D06FFFF);
        const auto bytes = devsim::EncodeDatagram(a);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port =
            htons(static_cast<uint16_t>(std::stoi(Request.Source.substr(Request.Source.find(':') + 1))));
        ::sendto(FSocket, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }

private:
    int FSocket;
};

} // namespace

class TwoDevicesTest : public HostFixture {
protected:
    // The second device's answer to the discovery comes late: while the
    // host asks the first device for its version.
    void PrepareDevice(TDevSim& Sim) override {
        Sim.OnRequest = [this](const devsim::TSimLogEntry& e) {
            if (!SecondId || e.Command != cmdGetVersion) return;
            if (e.DeviceID == 0)
                Discovery = e;
            else
                Second.Answer(Discovery, static_cast<Word>(SecondId.load()));
        };
    }
    TSecondDevice Second;
    std::atomic<int> SecondId{0};   // the second device's ID; 0: it does not answer
    devsim::TSimLogEntry Discovery; // used on the device's thread only
};

TEST_F(TwoDevicesTest, TheSecondAnswerToADiscoveryBecomesDev1AndTheSelectedDevice) {
    Connect();
    // The first device answers the version read late enough that the second
    // device's answer comes while the read is outstanding (on the real clock,
    // which the device's delay follows).
    TScopedClock realTime(nullptr);
    Sim->AddFault("late:0x00:50");
    struct TCase {
        const char* Command;
        Integer Id;
        std::function<void()> Run;
    };
    const TCase cases[] = {
        // Connect keeps the device it has; Find All starts the list again (a
        // repeated discovery goes to the address typed before).
        {"Connect", 0x0A02, [this] { Host->FixedIP_BtnClick("127.0.0.1"); }},
        {"Find All", 0x0A03, [this] { Host->FindAllBtnClick(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Command);
        SecondId = c.Id;
        View.Lines.clear();
        c.Run();
        SecondId = 0;
        ASSERT_EQ(Host->DeviceList().size(), 2u);
        TdsProg* first = Host->DeviceList()[0];
        TdsProg* second = Host->DeviceList()[1];
        EXPECT_EQ(first->AssignedID, 1);
        EXPECT_EQ(first->DeviceName, "Dev_0");
        EXPECT_EQ(second->AssignedID, c.Id);
        EXPECT_EQ(second->DeviceName, "Dev_1");
        EXPECT_EQ(Host->SelectedDevice(), second);
        EXPECT_EQ(Host->SelectedIndex(), 1);
        EXPECT_EQ(View.ComboItems, (std::vector<String>{"127.0.0.1", "127.0.0.1"}));
        EXPECT_EQ(View.ComboIndex, 1);
        const String found = Format("+ + + Device[2] with ID = 0x%x  has just been FOUND. + + +", {c.Id});
        EXPECT_TRUE(LinesInOrder({found, "(There are now 2 known devices connected)", "",
                                  Format("+ + + Device[2] with ID = 0x%x  has PeerIP = 127.0.0.1. + + +", {c.Id}),
                                  "Bootloader Version = 3.2.1.2  "}));
        EXPECT_EQ(View.CountLines(found), 1);
    }
}

TEST(IpAddressText, InvalidAddresses) {
    for (const char* ok : {"10.0.0.1", "192.168.0.5", "1.2.3.00", "255.255.255.255", "1.0.0.0"})
        EXPECT_FALSE(IpAddressInvalid(ok)) << ok;
    for (const char* bad : {"192.168.001.5", "0.1.2.3", "1.2.3", "1.2.3.4.", "1234.1.1.1", "1.2.3.256", "",
                            "1..2.3", "1.2.3.4 ", "a.b.c.d", "1.2.3.01", "01.2.3.4", "1.2.3.99999999999"})
        EXPECT_TRUE(IpAddressInvalid(bad)) << bad;
    EXPECT_EQ(DottedAddress(0xC0A80105), "192.168.1.5");
}
