// The bootloader's answer to each command and each fault, without a network.
#include "tools/devsim/SimBootloader.h"

#include <gtest/gtest.h>

using namespace devsim;

namespace {

class SimBootloader : public ::testing::Test {
protected:
    TSimTarget Target = DefaultSimTarget();
    TSimIdentity Identity{0x0042, 0x11, 0x22, 0x33};
    TSimBootloader Device{Target, DefaultSimWindow(Target), Identity, TSimVersion{3, 2, 1, 2}, 0x04307053,
                          {}};
    Word NextMsgNum = 1;
    TSimLogEntry Last;

    TSimDatagram Request(Byte Command, Word Length = 0, Cardinal Address = 0) {
        TSimDatagram d;
        d.DeviceID = 0x0042;
        d.MsgNum = NextMsgNum++;
        d.Command = Command;
        d.Length = Length;
        d.Address = Address;
        for (std::size_t i = 0; i < PayloadSize; ++i)
            d.Payload[i] = static_cast<Byte>(i * 7 + 3);
        return d;
    }
    std::vector<TSimAnswer> Send(const TSimDatagram& D) {
        const TDatagramBytes b = EncodeDatagram(D);
        Last = TSimLogEntry{};
        return Device.Handle(b.data(), b.size(), Last);
    }
    // The single answer to a request (fails the test when there is not exactly one).
    TSimDatagram Ask(const TSimDatagram& D) {
        const auto answers = Send(D);
        EXPECT_EQ(answers.size(), 1u) << Last.Text();
        return answers.empty() ? TSimDatagram{} : answers[0].Datagram;
    }
    // A program chunk of 128 words, word i = First + i.
    TSimDatagram Chunk(Byte Command, Cardinal Address, Cardinal First) {
        TSimDatagram d = Request(Command, 512, Address);
        for (Cardinal i = 0; i < 128; ++i)
            d.SetPayloadWord(4 * i, First + i);
        return d;
    }
};

} // namespace

TEST_F(SimBootloader, VersionAnswerCarriesIdentityEchoAndAddressWindow) {
    TSimDatagram req = Request(cmdVersion, 0x5555, 0x12345678); // length and address mean nothing here
    req.DeviceID = 0;                                           // a discovery request
    req.MsgNum = 0xBEEF;
    const TSimDatagram a = Ask(req);
    EXPECT_EQ(a.ProtocolID, ProtocolMagic);
    EXPECT_EQ(a.DeviceID, 0x0042);
    EXPECT_EQ(a.MsgNum, 0xBEEF);
    EXPECT_EQ(a.CompanyID, 0x11u);
    EXPECT_EQ(a.ModelID, 0x22u);
    EXPECT_EQ(a.SerialNum, 0x33u);
    EXPECT_EQ(a.Command, cmdVersion);
    EXPECT_EQ(a.Payload[0], 3);
    EXPECT_EQ(a.Payload[1], 2);
    EXPECT_EQ(a.Payload[2], 1);
    EXPECT_EQ(a.Payload[3], 2);
    EXPECT_EQ(a.PayloadWord(4), 0x9D070000u);
    EXPECT_EQ(a.PayloadWord(8), 0x9D07FFFFu);
    EXPECT_EQ(a.PayloadWord(12), 0x9D000000u);
    EXPECT_EQ(a.PayloadWord(16), 0x9D06FFFFu);
}

TEST_F(SimBootloader, MalformedOrForeignRequestsAreIgnoredAndSaySo) {
    const TDatagramBytes b = EncodeDatagram(Request(cmdVersion));
    TSimLogEntry e;
    EXPECT_TRUE(Device.Handle(b.data(), 538, e).empty());
    EXPECT_TRUE(e.Ignored);
    EXPECT_EQ(e.Bytes, 538u);

    TSimDatagram wrong = Request(cmdVersion);
    wrong.ProtocolID = 0x4B565A51;
    EXPECT_TRUE(Send(wrong).empty());
    EXPECT_TRUE(Last.Ignored);
    EXPECT_NE(Last.Note.find("Protocol_ID"), String::npos);

    TSimDatagram other = Request(cmdVersion);
    other.DeviceID = 0x0043;
    EXPECT_TRUE(Send(other).empty());
    EXPECT_TRUE(Last.Ignored);

    EXPECT_TRUE(Send(Request(0x77)).empty()); // an unknown command is taken but not answered
    EXPECT_FALSE(Last.Ignored);
    EXPECT_NE(Last.Text().find("unknown command"), String::npos);
}

TEST_F(SimBootloader, ReadsReturnWordsAtActiveByteStepsAndCountThem) {
    Device.Flash().WriteWord(0x9D000000, 0x11223344);
    Device.Flash().WriteWord(0x9D000004, 0x55667788);
    TSimDatagram a = Ask(Request(cmdRead, 2, 0x9D000000));
    EXPECT_EQ(a.Length, 2);
    EXPECT_EQ(a.Address, 0x9D000000u);
    EXPECT_EQ(a.PayloadWord(0), 0x11223344u);
    EXPECT_EQ(a.PayloadWord(4), 0x55667788u);

    EXPECT_EQ(Ask(Request(cmdRead, 1000, 0x9D000000)).Length, 128); // a payload holds 128 words
    EXPECT_EQ(Ask(Request(cmdRead, 128, 0xBFC02FF8)).Length, 2);    // boot flash ends
    EXPECT_EQ(Ask(Request(cmdRead, 4, 0x40000000)).Length, 0);      // no memory there

    a = Ask(Request(cmdReadConfig, 4, 0xBFC02FF0));
    EXPECT_EQ(a.Command, cmdReadConfig);
    EXPECT_EQ(a.Length, 4);
    EXPECT_EQ(a.PayloadWord(12), Device.Flash().ReadWord(0xBFC02FFC));
}

TEST_F(SimBootloader, ReadsWithThreeActiveBytesPackWordsThreeBytesApart) {
    TSimTarget t = DefaultSimTarget();
    t.ActiveBytesPerIwu = 3;
    TSimBootloader dev(t, DefaultSimWindow(t), Identity, {}, 0, {});
    dev.Flash().WriteWord(0x9D000000, 0x00AABBCC);
    dev.Flash().WriteWord(0x9D000004, 0x00112233);
    TSimDatagram req = Request(cmdRead, 2, 0x9D000000);
    const TDatagramBytes b = EncodeDatagram(req);
    TSimLogEntry e;
    const auto answers = dev.Handle(b.data(), b.size(), e);
    ASSERT_EQ(answers.size(), 1u);
    const auto& p = answers[0].Datagram.Payload;
    EXPECT_EQ((std::vector<Byte>(p.begin(), p.begin() + 6)),
              (std::vector<Byte>{0xCC, 0xBB, 0xAA, 0x33, 0x22, 0x11}));
}

TEST_F(SimBootloader, EraseIsAnsweredFromVersion2OnAndAlwaysCarriedOut) {
    Device.Flash().WriteWord(0x9D000000, 0);
    TSimDatagram a = Ask(Request(cmdErase, 112, 0x9D000000));
    EXPECT_EQ(a.Payload[0], 1);
    EXPECT_EQ(a.Length, 112);
    EXPECT_EQ(Device.Flash().ReadWord(0x9D000000), BlankWord);

    // Into the bootloader's window: refused there, reported as failure.
    a = Ask(Request(cmdErase, 2, 0x9D06F000));
    EXPECT_EQ(a.Payload[0], 0);
    EXPECT_NE(Device.Flash().ReadWord(0x9D070000), BlankWord);

    Device.SetVersion({1, 9, 0, 0});
    Device.Flash().WriteWord(0x9D000000, 0);
    EXPECT_TRUE(Send(Request(cmdErase, 1, 0x9D000000)).empty());
    EXPECT_EQ(Device.Flash().ReadWord(0x9D000000), BlankWord);
}

TEST_F(SimBootloader, BlankCheckCoversTheApplicationRangeOnly) {
    TSimDatagram a = Ask(Request(cmdBlankCheck));
    EXPECT_EQ(a.Payload[0], 0); // boot stub and bootloader do not count
    Device.Flash().WriteWord(0x9D000400, 0x1234);
    a = Ask(Request(cmdBlankCheck));
    EXPECT_NE(a.Payload[0], 0);
    EXPECT_EQ(a.Address, 0x1D000400u);
}

TEST_F(SimBootloader, ProgramChunksWriteAtOnceAndTheLastGivesTheBlockVerdict) {
    EXPECT_TRUE(Send(Chunk(cmdProgram, 0x9D000000, 100)).empty()); // 0x0A: no answer
    EXPECT_EQ(Device.Flash().ReadWord(0x9D0001FC), 227u);
    TSimDatagram a = Ask(Chunk(cmdProgramLast, 0x9D000200, 500));
    EXPECT_EQ(a.Payload[0], 1);
    EXPECT_EQ(a.Address, 0x9D000200u);
    EXPECT_EQ(Device.Flash().ReadWord(0x9D000200), 500u);

    // A refused 0x0A chunk fails the verdict of the 0x0B that ends its block, and only that one.
    EXPECT_TRUE(Send(Chunk(cmdProgram, 0x9D070000, 0)).empty());
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D001000, 0)).Payload[0], 0);
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D001200, 0)).Payload[0], 1);

    // Into the bootloader, over unerased data, or where no memory is: failure.
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D06FE04, 0)).Payload[0], 0);
    EXPECT_EQ(Device.Flash().ReadWord(0x9D06FE04), BlankWord);
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D000000, 7)).Payload[0], 0);
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x40000000, 0)).Payload[0], 0);
}

TEST_F(SimBootloader, HostEraseSequenceKeepsTheBootStubAndEndsBlank) {
    // Save the stub's copy, erase boot block 0, write the copy back, erase
    // boot block 1 and the application range, then blank-check.
    const TSimDatagram saved = Ask(Request(cmdRead, 128, 0x9D07EC00));
    const Cardinal stub = Device.Flash().ReadWord(0xBFC00000);
    EXPECT_EQ(Ask(Request(cmdErase, 1, 0xBFC00000)).Payload[0], 1);
    EXPECT_EQ(Device.Flash().ReadWord(0xBFC00000), BlankWord);
    TSimDatagram write = Request(cmdProgramLast, 512, 0xBFC00000);
    write.Payload = saved.Payload;
    EXPECT_EQ(Ask(write).Payload[0], 1);
    EXPECT_EQ(Device.Flash().ReadWord(0xBFC00000), stub);
    EXPECT_EQ(Ask(Request(cmdErase, 1, 0xBFC01000)).Payload[0], 1);
    EXPECT_EQ(Ask(Request(cmdErase, 112, 0x9D000000)).Payload[0], 1);
    EXPECT_EQ(Ask(Request(cmdBlankCheck)).Payload[0], 0);
}

TEST_F(SimBootloader, RunTargetInfoAndIpSettings) {
    EXPECT_TRUE(Send(Request(cmdRun)).empty());
    EXPECT_EQ(Device.RunCount(), 1u);

    TSimDatagram a = Ask(Request(cmdTargetInfo, 1, 0));
    EXPECT_EQ((std::vector<Byte>(a.Payload.begin(), a.Payload.begin() + 4)),
              (std::vector<Byte>{0x53, 0x70, 0x30, 0x04}));

    TSimDatagram store = Request(cmdStoreIp);
    const Byte settings[13] = {10, 0, 0, 7, 10, 0, 0, 1, 255, 255, 0, 0, 1};
    std::copy(std::begin(settings), std::end(settings), store.Payload.begin());
    a = Ask(store);
    EXPECT_EQ(Device.IpSettings().Address, 0x0A000007u);
    EXPECT_EQ(Device.IpSettings().Mask, 0xFFFF0000u);
    EXPECT_TRUE(Device.IpSettings().Dhcp);
    TSimDatagram read = Request(cmdReadIp);
    read.Payload[0] = 0;
    a = Ask(read);
    EXPECT_TRUE(std::equal(std::begin(settings), std::end(settings), a.Payload.begin()));
    EXPECT_EQ(a.Payload[13], 0);
}

TEST_F(SimBootloader, NoAnswerDropsEveryOrOnlyTheNthRequest) {
    Device.AddFault(ParseSimFault("noanswer:0x0B:2"));
    EXPECT_EQ(Send(Chunk(cmdProgramLast, 0x9D000000, 1)).size(), 1u);
    EXPECT_TRUE(Send(Chunk(cmdProgramLast, 0x9D000200, 1)).empty());
    EXPECT_EQ(Device.Flash().ReadWord(0x9D000200), BlankWord); // lost: not carried out
    EXPECT_EQ(Send(Chunk(cmdProgramLast, 0x9D000200, 1)).size(), 1u);

    Device.AddFault(ParseSimFault("noanswer:*"));
    EXPECT_TRUE(Send(Request(cmdVersion)).empty());
    EXPECT_TRUE(Send(Request(cmdTargetInfo)).empty());
    Device.ClearFaults();
    EXPECT_EQ(Send(Request(cmdVersion)).size(), 1u);
}

TEST_F(SimBootloader, LateDuplicateAndMisnumberedAnswers) {
    Device.AddFault(ParseSimFault("late:0x00:500"));
    auto answers = Send(Request(cmdVersion));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].DelayMs, 500u);
    EXPECT_EQ(Send(Request(cmdTargetInfo))[0].DelayMs, 0u);

    Device.AddFault(ParseSimFault("dup:0x30"));
    EXPECT_EQ(Send(Request(cmdTargetInfo)).size(), 2u);

    Device.AddFault(ParseSimFault("badseq:0x32:1"));
    TSimDatagram req = Request(cmdReadIp);
    req.MsgNum = 0xFFFF;
    EXPECT_EQ(Ask(req).MsgNum, 0); // wraps like the sequence number it stands for
    req.MsgNum = 9;
    EXPECT_EQ(Ask(req).MsgNum, 9); // only the first one
}

TEST_F(SimBootloader, ForgedAndFloodedCopiesComeBeforeTheAnswer) {
    Device.AddFault(ParseSimFault("spoof:0x30:1"));
    Device.AddFault(ParseSimFault("flood:0x30:2"));
    auto answers = Send(Request(cmdTargetInfo));
    ASSERT_EQ(answers.size(), 4u) << Last.Text();
    const TSimDatagram& real = answers[3].Datagram;
    EXPECT_FALSE(answers[3].FromOtherPort);
    EXPECT_EQ(real.PayloadWord(0), 0x04307053u);
    EXPECT_TRUE(answers[0].FromOtherPort); // the forgery: same header, payload inverted
    EXPECT_EQ(answers[0].Datagram.DeviceID, 0x0042);
    EXPECT_EQ(answers[0].Datagram.MsgNum, real.MsgNum);
    EXPECT_EQ(answers[0].Datagram.PayloadWord(0), ~0x04307053u);
    EXPECT_EQ(answers[1].Datagram.DeviceID, 0x0043);
    EXPECT_EQ(answers[2].Datagram.DeviceID, 0x0044);
    // The next flood goes on with the following IDs; the forgery came once.
    answers = Send(Request(cmdTargetInfo));
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0].Datagram.DeviceID, 0x0045);
    EXPECT_THROW(ParseSimFault("flood:0x30"), EDevSimError);
}

TEST_F(SimBootloader, FailBlockFailsItsBlockOnTheChosenAttempt) {
    Device.AddFault(ParseSimFault("failblock:0x1D000200:1")); // a physical address names the block too
    TSimDatagram a = Ask(Chunk(cmdProgramLast, 0x9D000200, 5));
    EXPECT_EQ(a.Payload[0], 0);
    EXPECT_EQ(Device.Flash().ReadWord(0x9D000200), BlankWord);
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D000000, 5)).Payload[0], 1); // another block
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D000200, 5)).Payload[0], 1); // the retry
    EXPECT_EQ(Device.Flash().ReadWord(0x9D000200), 5u);

    Device.ClearFaults();
    Device.AddFault(ParseSimFault("failblock:0x9D000404"));
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D000400, 5)).Payload[0], 0);
    EXPECT_EQ(Ask(Chunk(cmdProgramLast, 0x9D000400, 5)).Payload[0], 0);
}

TEST_F(SimBootloader, DevIdAndVersionFaultsOverrideTheAnswersWhileInPlace) {
    Device.AddFault(ParseSimFault("devid:0x14A0A053"));
    Device.AddFault(ParseSimFault("version:1.9.0.0"));
    EXPECT_EQ(Ask(Request(cmdTargetInfo)).PayloadWord(0), 0x14A0A053u);
    EXPECT_EQ(Ask(Request(cmdVersion)).Payload[0], 1);
    EXPECT_TRUE(Send(Request(cmdErase, 1, 0x9D000000)).empty());
    Device.ClearFaults();
    EXPECT_EQ(Ask(Request(cmdTargetInfo)).PayloadWord(0), 0x04307053u);
    EXPECT_EQ(Send(Request(cmdErase, 1, 0x9D000000)).size(), 1u);
}

TEST_F(SimBootloader, NoiseKeepsWhatTheHostReadsAndMakesEverythingElseRandom) {
    struct TCase {
        const char* Name;
        std::function<TSimDatagram()> Make; // each call a request of its own
        std::size_t NamedBytes;             // payload bytes 0 .. NamedBytes - 1 are read
        bool LengthNamed, AddressNamed;
    };
    Cardinal chunkAt = 0x9D000000;
    const std::vector<TCase> cases = {
        {"version", [&] { return Request(cmdVersion); }, 20, false, false},
        {"read 8 words", [&] { return Request(cmdRead, 8, 0xBFC00000); }, 7 * 4 + 4, true, false},
        {"read nothing", [&] { return Request(cmdReadConfig, 4, 0x40000000); }, 0, true, false},
        {"blank", [&] { return Request(cmdBlankCheck); }, 1, false, false},
        {"erase", [&] { return Request(cmdErase, 1, 0x9D010000); }, 0, false, false},
        {"last chunk", [&] { return Chunk(cmdProgramLast, chunkAt += 0x200, 9); }, 1, false, false},
        {"target", [&] { return Request(cmdTargetInfo, 1, 0); }, 4, false, false},
        {"store IP", [&] { return Request(cmdStoreIp); }, 0, false, false},
        {"read IP", [&] { return Request(cmdReadIp); }, 13, false, false},
        {"not blank", [&] {
             Device.Flash().WriteWord(0x9D000400, 0);
             return Request(cmdBlankCheck);
         }, 1, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TSimDatagram plain = Ask(c.Make());
        Device.AddFault(ParseSimFault("noise:*"));
        const TSimDatagram req = c.Make();
        const TSimDatagram a = Ask(req), b = Ask(c.Make());
        Device.ClearFaults();
        // The header routes the answer and pairs it with its request.
        EXPECT_EQ(a.DeviceID, 0x0042);
        EXPECT_EQ(a.MsgNum, req.MsgNum);
        EXPECT_EQ(a.ProtocolID, ProtocolMagic);
        EXPECT_TRUE(std::equal(plain.Payload.begin(), plain.Payload.begin() + c.NamedBytes, a.Payload.begin()));
        EXPECT_EQ(a.Length == plain.Length, c.LengthNamed);
        EXPECT_EQ(a.Address == plain.Address, c.AddressNamed);
        // What the host does not read differs from one answer to the next.
        EXPECT_FALSE(std::equal(a.Payload.begin() + c.NamedBytes, a.Payload.end(), b.Payload.begin() + c.NamedBytes));
        EXPECT_NE(a.Command, b.Command);
        EXPECT_EQ(a.Address == b.Address, c.AddressNamed);
        EXPECT_EQ(a.Length == b.Length, c.LengthNamed);
    }
}
