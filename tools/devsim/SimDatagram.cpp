#include "tools/devsim/SimDatagram.h"

namespace devsim {

namespace {

void Put(TDatagramBytes& B, std::size_t Offset, Cardinal Value, int Bytes) {
    for (int i = 0; i < Bytes; ++i)
        B[Offset + i] = static_cast<Byte>(Value >> (8 * i));
}

Cardinal Get(const Byte* Data, std::size_t Offset, int Bytes) {
    Cardinal v = 0;
    for (int i = 0; i < Bytes; ++i)
        v |= static_cast<Cardinal>(Data[Offset + i]) << (8 * i);
    return v;
}

} // namespace

const char* CommandName(Byte Command) {
    switch (Command) {
    case cmdVersion:
        return "version";
    case cmdRead:
        return "read";
    case cmdErase:
        return "erase";
    case cmdReadConfig:
        return "read-config";
    case cmdBlankCheck:
        return "blank-check";
    case cmdRun:
        return "run";
    case cmdProgram:
        return "program";
    case cmdProgramLast:
        return "program-last";
    case cmdTargetInfo:
        return "target-info";
    case cmdStoreIp:
        return "store-ip";
    case cmdReadIp:
        return "read-ip";
    default:
        return "unknown";
    }
}

Cardinal TSimDatagram::PayloadWord(std::size_t Index) const {
    Cardinal v = 0;
    for (std::size_t i = 0; i < 4 && Index + i < PayloadSize; ++i)
        v |= static_cast<Cardinal>(Payload[Index + i]) << (8 * i);
    return v;
}

void TSimDatagram::SetPayloadWord(std::size_t Index, Cardinal Value) {
    for (std::size_t i = 0; i < 4 && Index + i < PayloadSize; ++i)
        Payload[Index + i] = static_cast<Byte>(Value >> (8 * i));
}

TDatagramBytes EncodeDatagram(const TSimDatagram& D) {
    TDatagramBytes B{};
    Put(B, OffProtocolID, D.ProtocolID, 4);
    Put(B, OffDeviceID, D.DeviceID, 2);
    Put(B, OffMsgNum, D.MsgNum, 2);
    Put(B, OffCompanyID, D.CompanyID, 4);
    Put(B, OffModelID, D.ModelID, 4);
    Put(B, OffSerialNum, D.SerialNum, 4);
    Put(B, OffCommand, D.Command ^ Mask8, 1);
    Put(B, OffLength, D.Length ^ Mask16, 2);
    Put(B, OffAddress, D.Address ^ Mask32, 4);
    for (std::size_t i = 0; i < PayloadSize; ++i)
        B[OffPayload + i] = D.Payload[i] ^ Mask8;
    return B;
}

bool DecodeDatagram(const Byte* Data, std::size_t Count, TSimDatagram& D) {
    if (Data == nullptr || Count < DatagramSize) return false;
    D.ProtocolID = Get(Data, OffProtocolID, 4);
    D.DeviceID = static_cast<Word>(Get(Data, OffDeviceID, 2));
    D.MsgNum = static_cast<Word>(Get(Data, OffMsgNum, 2));
    D.CompanyID = Get(Data, OffCompanyID, 4);
    D.ModelID = Get(Data, OffModelID, 4);
    D.SerialNum = Get(Data, OffSerialNum, 4);
    D.Command = static_cast<Byte>(Data[OffCommand] ^ Mask8);
    D.Length = static_cast<Word>(Get(Data, OffLength, 2) ^ Mask16);
    D.Address = Get(Data, OffAddress, 4) ^ Mask32;
    for (std::size_t i = 0; i < PayloadSize; ++i)
        D.Payload[i] = Data[OffPayload + i] ^ Mask8;
    return true;
}

} // namespace devsim
