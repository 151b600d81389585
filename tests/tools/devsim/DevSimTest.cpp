// The device on its thread behind a real UDP socket on loopback.
#include "tools/devsim/DevSim.h"

#include "DevSimTestSupport.h"
#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>

using namespace devsim;
using devsim_test::TBytes;
using devsim_test::TUdpPeer;

namespace {

TDevSimOptions LoopbackOptions() {
    TDevSimOptions o;
    o.BindAddress = "127.0.0.1";
    o.Port = 0;
    return o;
}

TDatagramBytes RequestBytes(Byte Command, Word MsgNum, Word Length = 0, Cardinal Address = 0) {
    TSimDatagram d;
    d.MsgNum = MsgNum;
    d.Command = Command;
    d.Length = Length;
    d.Address = Address;
    return EncodeDatagram(d);
}

TSimDatagram Decode(const TBytes& B) {
    TSimDatagram d;
    EXPECT_TRUE(DecodeDatagram(B.data(), B.size(), d)) << B.size() << " bytes";
    return d;
}

} // namespace

TEST(DevSim, AnswersToTheSourcePortAndKeepsItsPortAcrossARestart) {
    TDevSim dev(LoopbackOptions());
    dev.Start();
    const Word port = dev.Port();
    ASSERT_NE(port, 0);
    TUdpPeer peer;
    peer.SendTo(port, RequestBytes(cmdVersion, 7));
    Word from = 0;
    TBytes answer = peer.Receive(2000, &from);
    ASSERT_EQ(answer.size(), 539u);
    EXPECT_EQ(from, port);
    EXPECT_EQ(Decode(answer).MsgNum, 7);

    dev.Stop();
    EXPECT_FALSE(dev.Running());
    peer.SendTo(port, RequestBytes(cmdVersion, 8)); // to a closed port
    EXPECT_TRUE(peer.Receive(50).empty());
    dev.Start();
    EXPECT_EQ(dev.Port(), port);
    peer.SendTo(port, RequestBytes(cmdVersion, 9));
    EXPECT_EQ(Decode(peer.Receive(2000)).MsgNum, 9);
}

TEST(DevSim, CountsLogsAndIgnoresMalformedDatagrams) {
    TDevSim dev(LoopbackOptions());
    std::vector<String> lines;
    std::mutex lock;
    dev.OnRequest = [&](const TSimLogEntry& e) {
        std::lock_guard<std::mutex> g(lock);
        lines.push_back(e.Text());
    };
    dev.Start();
    TUdpPeer peer;
    peer.SendTo(dev.Port(), TBytes(12, 0x4B));
    peer.SendTo(dev.Port(), RequestBytes(cmdProgram, 3, 512, 0x9D000000)); // not answered
    ASSERT_TRUE(dev.WaitForRequests(cmdProgram, 1, 2000));
    EXPECT_TRUE(peer.Receive(20).empty());
    EXPECT_EQ(dev.IgnoredCount(), 1u);
    EXPECT_EQ(dev.RequestCount(), 1u);
    EXPECT_EQ(dev.ReadWord(0x9D000000), 0u); // an all-zero payload was programmed

    const auto log = dev.RequestLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].Ignored);
    const String expected =
        Format("0x0A program      len=512 addr=0x9D000000 seq=3 from 127.0.0.1:%d: no answer", {peer.Port()});
    EXPECT_EQ(log[1].Text(), expected);
    std::lock_guard<std::mutex> g(lock);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              Format("ignored 12 bytes from 127.0.0.1:%d: shorter than a 539-byte request", {peer.Port()}));

    dev.ClearLog();
    EXPECT_EQ(dev.RequestCount(cmdProgram), 0u);
    EXPECT_TRUE(dev.RequestLog().empty());
}

TEST(DevSim, LateAnswersFollowTheInstalledClock) {
    TManualClock clock(1000);
    TScopedClock scoped(&clock);
    TDevSim dev(LoopbackOptions());
    dev.AddFault("late:0x30:500");
    dev.Start();
    TUdpPeer peer;
    peer.SendTo(dev.Port(), RequestBytes(cmdTargetInfo, 1));
    ASSERT_TRUE(dev.WaitForRequests(cmdTargetInfo, 1, 2000));
    clock.Advance(499);
    EXPECT_TRUE(peer.Receive(30).empty());
    clock.Advance(1);
    EXPECT_EQ(Decode(peer.Receive(2000)).MsgNum, 1);
}

TEST(DevSim, FaultsCanBeAddedAndClearedWhileRunning) {
    TDevSim dev(LoopbackOptions());
    dev.Start();
    TUdpPeer peer;
    dev.AddFault("dup:0x00");
    dev.AddFault("badseq:0x00");
    peer.SendTo(dev.Port(), RequestBytes(cmdVersion, 40));
    EXPECT_EQ(Decode(peer.Receive(2000)).MsgNum, 41);
    EXPECT_EQ(Decode(peer.Receive(2000)).MsgNum, 41);
    dev.ClearFaults();
    dev.SetDevIdRegister(0x14A0A053);
    peer.SendTo(dev.Port(), RequestBytes(cmdTargetInfo, 42));
    const TSimDatagram a = Decode(peer.Receive(2000));
    EXPECT_EQ(a.MsgNum, 42);
    EXPECT_EQ(a.PayloadWord(0), 0x14A0A053u);
    EXPECT_TRUE(peer.Receive(20).empty());
    EXPECT_THROW(dev.AddFault("often:0x00"), EDevSimError);
}

TEST(DevSim, ReportsWhatItCannotDo) {
    TDevSimOptions o = LoopbackOptions();
    o.BindAddress = "localhost";
    EXPECT_THROW(TDevSim(o).Start(), EDevSimError);

    TDevSim first(LoopbackOptions());
    first.Start();
    o = LoopbackOptions();
    o.Port = first.Port();
    TDevSim second(o);
    try {
        second.Start();
        FAIL() << "a port in use was bound twice";
    } catch (const EDevSimError& e) {
        EXPECT_NE(e.Message.find(Format("127.0.0.1:%d", {first.Port()})), String::npos) << e.Message;
    }
    EXPECT_THROW(first.SaveHex("/nonexistent-folder/flash.hex"), EDevSimError);
}
