// Find All by broadcast inside a private network made by the test, with two
// simulated devices answering.
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "platform/rtl/EventLoop.h"
#include "RecordingView.h"
#include "support/PrivateNetwork.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

TEST(NetnsFindAll, TwoDevicesAreFoundAndListedAsDev0AndDev1) {
    std::vector<std::unique_ptr<TIsolatedDevice>> devices;
    const std::string problem = MakePrivateNetwork({0x0A01, 0x0A02}, devices);
    if (!problem.empty()) GTEST_SKIP() << problem;

    InitEventLoop();
    SetProgramVersionInfo(&HostVersionInfo());
    TRecordingView view;
    auto* agent = new TDataModule1(nullptr);
    {
        TBootloaderHost host(view, *agent);
        const String folder = String(std::getenv("QUENTA_SOURCE_DIR")) + "/dist/";
        host.ApplySettings(LoadSettings(folder, [](const String&) {}));
        ASSERT_TRUE(host.ReadOwnVersion());
        host.StartUp(); // Find All, to 255.255.255.255:16388
        // The second answer comes in while the first device is asked for
        // its version, or right after: let it arrive.
        for (int i = 0; i < 100 && host.DeviceList().size() < 2; ++i)
            WaitMessage(20);

        ASSERT_EQ(host.DeviceList().size(), 2u);
        std::set<String> peers;
        for (Integer i = 0; i < 2; ++i) {
            TdsProg* d = host.DeviceList()[i];
            EXPECT_EQ(d->DeviceName, "Dev_" + IntToStr(i));
            EXPECT_EQ(view.ComboItems[i], d->PeerIP);
            peers.insert(d->PeerIP);
        }
        EXPECT_EQ(peers, (std::set<String>{"192.0.2.11", "192.0.2.12"}));
        const TdsProg* second = host.DeviceList()[1];
        EXPECT_EQ(view.CountLines(Format("+ + + Device[2] with ID = 0x%x  has just been FOUND. + + +",
                                         {second->AssignedID})),
                  1);
        EXPECT_EQ(view.CountLines("(There are now 2 known devices connected)"), 1);
        EXPECT_EQ(view.CountLines(Format("+ + + Device[2] with ID = 0x%x  has PeerIP = %s. + + +",
                                         {second->AssignedID, second->PeerIP})),
                  1);
        EXPECT_TRUE(view.DeviceControlsEnabled);
        EXPECT_FALSE(host.AtStartup);

        // Each device is reached on its own address from now on.
        for (Integer i = 0; i < 2; ++i) {
            host.SelectDevice(i);
            view.Lines.clear();
            EXPECT_TRUE(host.Prog_GetBLVersionClick());
            host.Prog_GetTargetInfoClick();
            EXPECT_TRUE(view.HasLine("Connected device matches expected Device ID"));
        }
        agent->Close();
    }
    agent->Free();
}
