#pragma once
// The generic report object: the host's image of one device on the wire,
// an ordered list of fields packed little-endian after a 20-byte header
// (Protocol_ID, Device_ID, MsgNum, Company_ID, Model_ID, SerialNum).

#include "host/link/OneEVar.h"
#include "platform/rtl/Classes.h"

class TDataModule1;

// Size of a report object's receive and send buffers.
inline constexpr Integer EthBufferSize = 552;
// Bytes of the packed header.
inline constexpr Integer EthHeaderSize = 20;
// The device port, and the destination of a device not heard from yet.
inline constexpr Integer EthDevicePort = 16388;
inline constexpr const char* EthBroadcastIP = "255.255.255.255";

// OnReport: fired after each unpack with the Device_ID just read.
using TReportEvent = std::function<void(TObject* Sender, Integer DeviceID)>;

class TEthDev : public TObject {
public:
    // The object works through its report agent (registration, sending,
    // the answer time-out). It tells the agent when it is freed, so the
    // agent never routes to a freed object.
    explicit TEthDev(TDataModule1* AAgent);
    ~TEthDev() override;

    virtual Integer CountClosedFields();
    virtual TOneEthVar* FindFieldByHandle(Integer AHandle);
    // Reads N bytes little-endian from RxBuffer at Pos and advances Pos.
    virtual Integer ReadUnsigned(Integer N, Integer& Pos);
    // As ReadUnsigned, then sign-extends from 8N bits.
    virtual Integer ReadSigned(Integer N, Integer& Pos);
    // Writes the low N bytes of AValue, least significant first, into
    // TxBuffer at Pos and advances Pos.
    virtual void WriteLE(Integer AValue, Integer N, Integer& Pos);
    virtual bool CanOpen();
    virtual Integer GetFieldCount();
    virtual void ReportReceived();
    virtual void SetIdAndRegister(Integer AId);
    virtual void SetIdAsDispatcher(Integer AId);
    // Marks the object opened; a result of 0 or more means usable.
    virtual Integer Open();
    // Resets every field, then runs AfterOpen; returns the closed fields.
    virtual Integer ResetFields();
    virtual void AfterOpen();
    virtual Integer CountClosedFields2();
    virtual bool AllFieldsClosed();
    virtual bool HasUsage(Integer AUsage);
    virtual void Close();
    virtual bool WaitReply();
    virtual bool Send();
    virtual bool Receive();
    // Reads the six header fields from RxBuffer; RxIndex := 20.
    virtual bool UnpackHeader();
    virtual TOneEthVar* FieldAt(Integer I);
    virtual bool WaitReplyBase();
    // MsgNum := MsgNum + 1, then writes the six header fields to TxBuffer.
    virtual bool PackHeader();
    // The low N bytes of AValue in reverse order.
    virtual Integer SwapBytes(Integer AValue, Integer N);
    // "%3.3d.%3.3d.%3.3d.%3.3d" of the bytes, top byte first.
    virtual String FormatAddress(Integer AValue);

    // Puts one received datagram into RxBuffer: at most EthBufferSize bytes
    // are kept; the bytes the datagram did not carry are filled so that
    // they decode as 0 (see PadRxBuffer), never left from an earlier one.
    void StoreDatagram(const Byte* Data, Integer Count);

    TDataModule1* Agent() const { return FAgent; }

    // The outstanding request: recorded by a send (its MsgNum and where it
    // went), ended by its answer. A request to one address is answered once,
    // from that address and port; a broadcast is answered by every device
    // that hears it, from anywhere.
    void NoteRequest();
    // Why a datagram (its MsgNum, and the source address and port) is not
    // the answer to the outstanding request: the log line that drops it, or
    // empty when it is the answer.
    String AnswerProblem(Integer Seq, const String& FromIP, Integer FromPort) const;
    // The answer came: a request to one address takes no second answer.
    void AnswerTaken();
    bool AwaitingAnswer() const { return FAwaiting; }

    bool Opened = false;
    Integer FieldCount = 6;
    TList Fields; // of TOneEthVar, owned
    TOneEthVar* Protocol_ID = nullptr;
    TOneEthVar* SerialNum = nullptr;
    TOneEthVar* Device_ID = nullptr;
    TOneEthVar* MsgNum = nullptr;
    TOneEthVar* Company_ID = nullptr;
    TOneEthVar* Model_ID = nullptr;
    Integer TxHeaderLength = 0;
    Integer RxIndex = 0;
    TReportEvent OnReport;
    String DeviceName;
    Integer AssignedID = 0;
    Integer ListIndex = 0;
    Byte RxBuffer[EthBufferSize] = {};
    Integer TxCount = 0;
    Byte TxBuffer[EthBufferSize] = {};
    String PeerIP = EthBroadcastIP;
    Integer PeerPort = EthDevicePort;

protected:
    TOneEthVar* AddField(Integer ADirection, const String& AName, bool ASigned, Integer ACount,
                         Integer ABits);
    // Fills RxBuffer from From to its end with what a datagram of all-zero
    // values would carry there (zeros for the header).
    virtual void PadRxBuffer(Integer From);

private:
    friend class TDataModule1; // clears FAgent when the agent goes first
    TDataModule1* FAgent;
    bool FAwaiting = false;
    Integer FRequestSeq = 0;
    String FRequestIP;
    Integer FRequestPort = 0;
};
