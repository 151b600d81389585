#include "host/link/EthDev.h"
#include "host/link/UDPagnt.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

namespace {

// The address of a dotted decimal IPv4 text ("127.00.0.1" is 127.0.0.1);
// nothing for any other text.
std::optional<Cardinal> DottedValue(const String& Text) {
    Cardinal value = 0;
    const char* p = Text.data();
    const char* const end = p + Text.size();
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (p == end || *p++ != '.')) return std::nullopt;
        unsigned octet = 0;
        const auto [next, ec] = std::from_chars(p, end, octet);
        if (ec != std::errc() || next == p || octet > 255) return std::nullopt;
        value = value << 8 | octet;
        p = next;
    }
    if (p != end) return std::nullopt;
    return value;
}

// Two address texts name the same address: as numbers when both are dotted
// addresses (a typed one may be spelled with leading zeros), else as texts.
bool SameAddress(const String& A, const String& B) {
    const auto a = DottedValue(A), b = DottedValue(B);
    return a && b ? *a == *b : A == B;
}

} // namespace

TEthDev::TEthDev(TDataModule1* AAgent) : FAgent(AAgent) {
    // Header fields in wire order.
    Protocol_ID = AddField(evHeader, "Protocol_ID", true, 1, 32);
    Device_ID = AddField(evHeader, "Device_ID", false, 1, 16);
    MsgNum = AddField(evHeader, "MsgNum", false, 1, 16);
    Company_ID = AddField(evHeader, "Company_ID", false, 1, 32);
    Model_ID = AddField(evHeader, "Model_ID", false, 1, 32);
    SerialNum = AddField(evHeader, "SerialNum", true, 1, 32);
    FieldCount = 6;
    if (FAgent) FAgent->AttachReport(this);
}

TEthDev::~TEthDev() {
    if (FAgent) FAgent->DetachReport(this);
    for (Integer i = Fields.Count() - 1; i >= 0; --i)
        static_cast<TOneEthVar*>(Fields[i])->Free();
    Fields.Clear();
}

TOneEthVar* TEthDev::AddField(Integer ADirection, const String& AName, bool ASigned, Integer ACount,
                              Integer ABits) {
    auto* field = new TOneEthVar(ADirection, AName, ASigned, Fields.Count(), ACount, ABits);
    Fields.Add(field);
    return field;
}

Integer TEthDev::CountClosedFields() {
    Integer n = 0;
    for (Integer i = 0; i < Fields.Count(); ++i)
        if (FieldAt(i)->Handle < 0) ++n;
    return n;
}

TOneEthVar* TEthDev::FindFieldByHandle(Integer AHandle) {
    for (Integer i = 0; i < Fields.Count(); ++i)
        if (FieldAt(i)->Handle == AHandle) return FieldAt(i);
    return nullptr;
}

Integer TEthDev::ReadUnsigned(Integer N, Integer& Pos) {
    Cardinal value = 0;
    for (Integer i = 0; i < N; ++i) {
        const Integer at = Pos + i;
        const Cardinal b = (at >= 0 && at < EthBufferSize) ? RxBuffer[at] : 0;
        value |= b << (8 * i);
    }
    Pos += N;
    return static_cast<Integer>(value);
}

Integer TEthDev::ReadSigned(Integer N, Integer& Pos) {
    Integer value = ReadUnsigned(N, Pos);
    if (N >= 1 && N < 4) {
        const Cardinal sign = 1u << (8 * N - 1);
        const Cardinal low = static_cast<Cardinal>(value) & ((sign << 1) - 1u);
        value = static_cast<Integer>((low ^ sign) - sign);
    }
    return value;
}

void TEthDev::WriteLE(Integer AValue, Integer N, Integer& Pos) {
    const Cardinal v = static_cast<Cardinal>(AValue);
    for (Integer i = 0; i < N; ++i) {
        const Integer at = Pos + i;
        if (at >= 0 && at < EthBufferSize) TxBuffer[at] = static_cast<Byte>(v >> (8 * i));
    }
    Pos += N;
}

bool TEthDev::CanOpen() {
    return true;
}

Integer TEthDev::GetFieldCount() {
    return Fields.Count();
}

void TEthDev::ReportReceived() {}

void TEthDev::SetIdAndRegister(Integer AId) {
    AssignedID = AId;
    if (FAgent) ListIndex = FAgent->AddDevice(this);
}

void TEthDev::SetIdAsDispatcher(Integer AId) {
    AssignedID = AId;
    if (FAgent) FAgent->SetDispatcher(this);
}

Integer TEthDev::Open() {
    Opened = true;
    return CanOpen() ? CountClosedFields() : -1;
}

Integer TEthDev::ResetFields() {
    for (Integer i = 0; i < Fields.Count(); ++i)
        FieldAt(i)->Reset();
    const Integer closed = CountClosedFields();
    AfterOpen();
    return closed;
}

void TEthDev::AfterOpen() {}

Integer TEthDev::CountClosedFields2() {
    Integer opened = 0;
    for (Integer i = 0; i < Fields.Count(); ++i)
        if (FieldAt(i)->IsOpen()) ++opened;
    return FieldCount - opened;
}

bool TEthDev::AllFieldsClosed() {
    return GetFieldCount() == CountClosedFields2();
}

bool TEthDev::HasUsage(Integer AUsage) {
    for (Integer i = 0; i < Fields.Count(); ++i)
        if (FieldAt(i)->Usage == AUsage) return true;
    return false;
}

void TEthDev::Close() {
    Opened = false;
}

bool TEthDev::WaitReply() {
    WaitReplyBase();
    return true;
}

bool TEthDev::Send() {
    return PackHeader();
}

bool TEthDev::Receive() {
    return false;
}

bool TEthDev::UnpackHeader() {
    Integer pos = 0;
    for (Integer i = 0; i < 6; ++i) {
        TOneEthVar* f = FieldAt(i);
        const Integer n = f->Bits / 8;
        f->SetValue(f->Signed ? ReadSigned(n, pos) : ReadUnsigned(n, pos));
    }
    RxIndex = pos;
    return true;
}

TOneEthVar* TEthDev::FieldAt(Integer I) {
    return static_cast<TOneEthVar*>(Fields[I]);
}

bool TEthDev::WaitReplyBase() {
    return true;
}

bool TEthDev::PackHeader() {
    MsgNum->Increment();
    TxCount = 0;
    Integer pos = 0;
    for (Integer i = 0; i < 6; ++i) {
        TOneEthVar* f = FieldAt(i);
        WriteLE(f->GetValue(), f->Bits / 8, pos);
    }
    TxHeaderLength = pos;
    return true;
}

Integer TEthDev::SwapBytes(Integer AValue, Integer N) {
    const Cardinal v = static_cast<Cardinal>(AValue);
    Cardinal result = 0;
    for (Integer i = 0; i < N && i < 4; ++i)
        result = (result << 8) | ((v >> (8 * i)) & 0xFFu);
    return static_cast<Integer>(result);
}

String TEthDev::FormatAddress(Integer AValue) {
    const Cardinal v = static_cast<Cardinal>(AValue);
    return Format("%3.3d.%3.3d.%3.3d.%3.3d", {(v >> 24) & 0xFF, (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF});
}

void TEthDev::StoreDatagram(const Byte* Data, Integer Count) {
    const Integer kept = std::clamp<Integer>(Count, 0, EthBufferSize);
    if (kept > 0) std::memcpy(RxBuffer, Data, static_cast<size_t>(kept));
    PadRxBuffer(kept);
}

void TEthDev::PadRxBuffer(Integer From) {
    if (From < EthBufferSize) std::memset(RxBuffer + From, 0, static_cast<size_t>(EthBufferSize - From));
}

void TEthDev::NoteRequest() {
    FAwaiting = true;
    FRequestSeq = MsgNum->GetValue();
    FRequestIP = PeerIP;
    FRequestPort = PeerPort;
}

String TEthDev::AnswerProblem(Integer Seq, const String& FromIP, Integer FromPort) const {
    if (!FAwaiting)
        return Format("**ERROR Datagram for device ID 0x%4.4x from %s:%d dropped: no request is waiting for "
                      "an answer (Seq: %d)",
                      {AssignedID, FromIP, FromPort, Seq});
    if (FRequestIP != EthBroadcastIP && (!SameAddress(FromIP, FRequestIP) || FromPort != FRequestPort))
        return Format("**ERROR Datagram for device ID 0x%4.4x from %s:%d dropped: the request went to %s:%d",
                      {AssignedID, FromIP, FromPort, FRequestIP, FRequestPort});
    if (Seq != FRequestSeq) return "**ERROR Out of Sequence Control PDU Seq: " + IntToStr(Seq);
    return {};
}

void TEthDev::AnswerTaken() {
    if (FRequestIP != EthBroadcastIP) FAwaiting = false;
}
