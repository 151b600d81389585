#pragma once
// The device's side of the bootloader datagram: a 20-byte header that is
// sent as it stands, then the command fields and the payload, each value
// XOR-masked with the mask of its width. All values are little-endian.
//
// This codec is the device's own; the host's report objects have theirs.
// Each side checks the other.

#include "platform/rtl/System.h"

#include <array>
#include <cstddef>

namespace devsim {

inline constexpr std::size_t DatagramSize = 539;
inline constexpr std::size_t PayloadSize = 512;
inline constexpr std::size_t HeaderSize = 20;

// "QZVK" read as a big-endian word: on the wire 4B 56 5A 51.
inline constexpr Cardinal ProtocolMagic = 0x515A564B;

inline constexpr Byte Mask8 = 0x6D;
inline constexpr Word Mask16 = 0x2E97;
inline constexpr Cardinal Mask32 = 0x4E8B16D2;

// Byte offsets of the fields.
inline constexpr std::size_t OffProtocolID = 0;
inline constexpr std::size_t OffDeviceID = 4;
inline constexpr std::size_t OffMsgNum = 6;
inline constexpr std::size_t OffCompanyID = 8;
inline constexpr std::size_t OffModelID = 12;
inline constexpr std::size_t OffSerialNum = 16;
inline constexpr std::size_t OffCommand = 20;
inline constexpr std::size_t OffLength = 21;
inline constexpr std::size_t OffAddress = 23;
inline constexpr std::size_t OffPayload = 27;

// Command codes of the bootloader.
enum : Byte {
    cmdVersion = 0x00,
    cmdRead = 0x01,
    cmdErase = 0x03,
    cmdReadConfig = 0x06,
    cmdBlankCheck = 0x08,
    cmdRun = 0x09,
    cmdProgram = 0x0A,
    cmdProgramLast = 0x0B,
    cmdTargetInfo = 0x30,
    cmdStoreIp = 0x31,
    cmdReadIp = 0x32,
};

// A short name of a command code for the request log ("version", "read", ...);
// "unknown" for any other code.
const char* CommandName(Byte Command);

// One datagram with plain (unmasked) values. The same layout serves both
// directions: in a request the fields are Command, OutLen, OutAddress and
// OutPayload; in an answer CmdResponse, InLen, InAddress and InPayload.
struct TSimDatagram {
    Cardinal ProtocolID = ProtocolMagic;
    Word DeviceID = 0;
    Word MsgNum = 0;
    Cardinal CompanyID = 0;
    Cardinal ModelID = 0;
    Cardinal SerialNum = 0;
    Byte Command = 0;
    Word Length = 0;
    Cardinal Address = 0;
    std::array<Byte, PayloadSize> Payload{};

    // Little-endian 32-bit word of the payload at byte Index (bytes past the
    // payload read as 0) and its writer (bytes past the payload are dropped).
    Cardinal PayloadWord(std::size_t Index) const;
    void SetPayloadWord(std::size_t Index, Cardinal Value);
};

using TDatagramBytes = std::array<Byte, DatagramSize>;

// Packs and masks a datagram into its 539 bytes.
TDatagramBytes EncodeDatagram(const TSimDatagram& D);

// Unpacks the first 539 bytes of Data into D. Returns false and leaves D
// alone when Count is below 539. Bytes beyond 539 are not looked at.
bool DecodeDatagram(const Byte* Data, std::size_t Count, TSimDatagram& D);

} // namespace devsim
