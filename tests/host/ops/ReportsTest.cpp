// The device's IP settings and the request and answer listings.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

class ReportsTest : public HostFixture {};

TEST_F(ReportsTest, StoredSettingsAreReadBack) {
    Connect();
    View.IpValues = {0x0A010203, 0xFFFF0000, 0x0A010201, false};
    Host->Test_StoreIPClick();
    const auto stored = Sim->IpSettings();
    EXPECT_EQ(stored.Address, 0x0A010203u);
    EXPECT_EQ(stored.Dns, 0x0A010201u);
    EXPECT_EQ(stored.Mask, 0xFFFF0000u);
    EXPECT_FALSE(stored.Dhcp);
    EXPECT_TRUE(View.Lines.empty());
    EXPECT_TRUE(View.Boxes.empty());

    View.IpValues.UseDHCP = true;
    Host->Test_StoreIPClick();
    Host->Test_ReadIPClick();
    EXPECT_EQ(View.Lines,
              (std::vector<String>{"", String(44, '='), "  Bootloader (Main App) IP address = 10.1.2.3",
                                   "  Bootloader (Main App) DNS address = 10.1.2.1",
                                   "  Bootloader (Main App) address mask = 255.255.0.0", "",
                                   " Bootloader SHOULD use DHCP", String(44, '='), ""}));
    EXPECT_FALSE(Host->CommFailure);
}

TEST_F(ReportsTest, ACancelledDialogSendsNothing) {
    Connect();
    Sim->ClearLog();
    View.IpDialogOk = false;
    Host->Test_StoreIPClick();
    EXPECT_EQ(Sim->RequestCount(), 0u);
}

TEST_F(ReportsTest, UnansweredSettingsRequests) {
    Connect();
    Sim->AddFault("noanswer:0x31");
    Sim->AddFault("noanswer:0x32");
    Host->Test_StoreIPClick();
    EXPECT_EQ(View.Lines, (std::vector<String>{"", String(88, '='), "Bootloader device failed to respond",
                                               String(88, '='), ""}));
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Kind, mkError);
    EXPECT_TRUE(Host->AbortFlag);
    View.Lines.clear();
    Host->Test_ReadIPClick();
    EXPECT_EQ(View.Lines,
              (std::vector<String>{"", String(88, '='), "  *** Unable to communicate with device! ***",
                                   String(88, '='), ""}));
    EXPECT_TRUE(Host->CommFailure);
    EXPECT_EQ(View.StatusText, "Bootloader device failed to respond");
}

TEST_F(ReportsTest, ListingsOfTheDiscoveryRequestAndItsAnswer) {
    Connect();
    View.Checked[miTestShowOutputReports] = true;
    View.Checked[miTestShowInputReports] = true;
    View.Lines.clear();
    Host->FixedIP_BtnClick("127.0.0.1");
    // The request, the discovery's empty line, then the answer.
    const auto& l = View.Lines;
    ASSERT_GE(l.size(), 531u + 1u + 528u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], String(38, '*'));
    EXPECT_EQ(l[3], "Sending to device:");
    EXPECT_EQ(l[4], String(17, '-'));
    EXPECT_EQ(l[5], "  Protocol_ID = 0x515a564b");
    EXPECT_EQ(l[6], "  Device_ID = 0x0");
    EXPECT_EQ(l[12], "  Command = 0x0");
    const Integer e0 = Host->Dispatcher()->PayloadStore[0] ^ 0x6D; // masked by the send since
    EXPECT_EQ(l[15], Format("  OutPayload_Array[0] = 0x%x = %d", {e0, e0}));
    EXPECT_EQ(l[15 + 511].rfind("  OutPayload_Array[511] = 0x", 0), 0u);
    EXPECT_EQ(l[527], "");
    EXPECT_EQ(l[528], String(38, '*'));
    EXPECT_EQ(l[529], "");
    EXPECT_EQ(l[530], "");
    EXPECT_EQ(l[531], "");
    EXPECT_EQ(l[532], "");
    EXPECT_EQ(l[533], String(38, '*'));
    EXPECT_EQ(l[535], "Received from device:");
    EXPECT_EQ(l[536], String(20, '-'));
    EXPECT_EQ(l[538], "  Device_ID = 0x1");
    EXPECT_EQ(l[544], "  CmdResponse = 0x0");
    EXPECT_EQ(l[545], "  InLen = 0x14");
    EXPECT_EQ(l[547], "  InPayload_Array[0] = 0x3 = 3");
    EXPECT_EQ(l[548], "  InPayload_Array[1] = 0x2 = 2");
    EXPECT_EQ(l[532 + 527], "");
    // The version check that follows lists its request and answer too.
    EXPECT_EQ(View.CountLines("Sending to device:"), 2);
    EXPECT_EQ(View.CountLines("Received from device:"), 2);
}
