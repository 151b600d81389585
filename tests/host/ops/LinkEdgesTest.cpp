// Answers and sends at the edges of what the link allows: a read answer
// that claims more words than its payload holds, a discovery request that
// cannot be sent.
#include "host/link/LoopbackPeer.h"
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

class LinkEdgesTest : public HostFixture {};

TEST_F(LinkEdgesTest, AReadAnswerClaimingMoreWordsThanItsPayloadWritesOnlyThePayload) {
    // A bootloader that answers every read with InLen 0x7FFF.
    TLoopbackPeer device([](const TBytes& req) {
        const TWire w = TWire::Decode(req);
        return std::vector<TBytes>{AnswerTo(req, 0x0009, [&](TWire& a) {
            if (w.Code == cmdGetVersion) {
                const std::uint8_t version[20] = {3, 2, 0, 0, 0x00, 0x00, 0x07, 0x9D, 0xFF, 0xFF, 0x07, 0x9D,
                                                  0x00, 0x00, 0x00, 0x9D, 0xFF, 0xFF, 0x06, 0x9D};
                std::copy(std::begin(version), std::end(version), a.Payload.begin());
                return;
            }
            a.Len = 0x7FFF;
            a.Payload.fill(0x11);
        })};
    });
    Host->DiscoveryPort = device.Port();
    Connect();
    // Three active bytes in four, and blocks of 256 words: the lines of one
    // block would reach 768 payload bytes.
    TDeviceTypeRec& t = Host->CurrentTarget;
    t.ActiveBytesPerIwu = 3;
    t.ProgBlockSizePcu = 1024;
    t.ProgBlockSizeIwu = 256;
    ASSERT_TRUE(Host->ReadRangeToHex(bkProgImage, 0x9D000000, false, 0x9D000400));
    std::vector<String> data;
    for (Integer i = 0; i < Host->Image.ReadBackLines.Count(); ++i)
        if (Host->Image.ReadBackLines[i].substr(7, 2) == "00") data.push_back(Host->Image.ReadBackLines[i]);
    // 42 lines of 12 payload bytes and one of the last 8, each with a zero
    // after every third byte.
    ASSERT_EQ(data.size(), 43u);
    EXPECT_EQ(data.front().substr(0, 9), ":10000000");
    EXPECT_EQ(data.back().substr(0, 9), ":0a02a000");
}

TEST_F(LinkEdgesTest, ADiscoveryRequestThatCannotBeSentEndsAsNoDeviceFound) {
    // The fixture refuses broadcasts: Find All's request cannot go out. The
    // command ends as one that found nothing, and raises nothing; the pane,
    // cleared for the outcome, still says why. No answer is waited for.
    const Cardinal before = Clock.Now();
    EXPECT_NO_THROW(Host->FindAllBtnClick());
    EXPECT_LT(Clock.Now() - before, static_cast<Cardinal>(Agent->TimeOut()));
    ASSERT_GE(View.Lines.size(), 3u);
    EXPECT_EQ(View.Lines[View.Lines.size() - 3], "+ + + Unable to send to device! + + +");
    EXPECT_EQ(View.Lines.back(), "No devices in upgrade mode were found.\r\n\r\nPlease put your device in upgrade "
                                 "mode, \r\nconnect it to the network, and click Find All.");
    EXPECT_EQ(View.StatusText, "No devices in Upgrade Mode were found");
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Kind, mkInformation);
    EXPECT_FALSE(View.DeviceControlsEnabled);
    EXPECT_EQ(Sim->RequestCount(), 0u);
}
