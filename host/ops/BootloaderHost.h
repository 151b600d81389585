#pragma once
// The bootloader host's working state and every operation it runs on a
// device: the device list and discovery, the version and target checks,
// erase and blank check, programming, verify, reads, dumps, the IP settings
// commands and the traffic listings. The main window holds one host, wires
// its menu and button handlers to the operations of the same names and
// implements IBootloaderView for it.
//
// Everything runs on the GUI thread. Waits for answers and the pauses the
// bootloader needs pump the event loop (the window stays painted, its timers
// run), so events arrive in the middle of an operation:
// - a user command (the ...Click operations) is refused and does nothing
//   but beep: one operation runs at a time, and IsBusy tells whether one
//   runs (the window refuses its own commands by it);
// - a device that stopped answering is reported when the operation ends,
//   and only when it still has not answered (a retry may have reached it);
// - a device found meanwhile is listed, but the operation's device stays
//   selected (unless the operation is a discovery, Find All or Connect);
// - a device object removed stays alive, out of every list, until the
//   outermost operation ends.

#include "host/image/Catalogue.h"
#include "host/image/HexImage.h"
#include "host/link/dsProgE_L.h"
#include "host/link/UDPagnt.h"
#include "host/ops/BootloaderView.h"
#include "host/ops/OwnVersion.h"
#include "platform/rtl/Messages.h"

#include <functional>
#include <optional>
#include <vector>

// The protocol magic of a discovery request ("QZVK").
inline constexpr Integer DispatcherProtocolID = 0x515A564B;
inline constexpr Integer DispatcherAssignedID = 0xFFFF;
// The fixed addresses of the two program blocks a device keeps as the copy
// of its boot stub (virtual, in program flash).
inline constexpr Cardinal BootStubCopyAddress1 = 0x9D07EC00;
inline constexpr Cardinal BootStubCopyAddress2 = 0x9D07EE00;
// Program blocks of the boot stub at the start of boot memory (one copy each).
inline constexpr Integer BootStubBlocks = 2;
// Bytes of one program chunk (one request).
inline constexpr Integer ChunkBytes = 512;
// Instruction words of one chunk whatever the target.
inline constexpr Integer ChunkWords = 128;
// The report of a command that got no answer.
inline constexpr const char* UnableToCommunicate = "  *** Unable to communicate with device! ***";

class TBootloaderHost {
public:
    TBootloaderHost(IBootloaderView& View, TDataModule1& Agent);
    // A host whose agent is made later (the main window exists before the
    // report agent): SetAgent before StartUp or any device operation.
    explicit TBootloaderHost(IBootloaderView& View);
    ~TBootloaderHost();
    void SetAgent(TDataModule1& Agent);
    // The agent is going away (it may go before the host): the host lets go
    // of it and of its events. No device operation runs afterwards.
    void DetachAgent();
    TBootloaderHost(const TBootloaderHost&) = delete;
    TBootloaderHost& operator=(const TBootloaderHost&) = delete;

    // ------------------------------------------------------------ state

    THexImage Image;              // image lines, buffers, read-back lines
    TCatalogue Catalogue;         // the device catalogue
    TDeviceTypeRec CurrentTarget; // the selected catalogue entry
    TStringList OwnVersion;       // the program's version lines
    THostVersion HostVersion;     // parsed from OwnVersion's file version
    bool AtStartup = true;        // until the start-up step's first discovery
    // Where discovery requests go: the broadcast address and the devices'
    // port (the dispatcher is made with them; Connect aims it elsewhere).
    String DiscoveryIP = EthBroadcastIP;
    Integer DiscoveryPort = EthDevicePort;

    // The bootloader version of the last version answer.
    Byte BootloaderVersionBytes[4] = {};
    long double BootloaderVersion = 0; // major + minor x 0.1
    // The last target answer: register, device ID, revision, JEDEC maker.
    Cardinal DeviceIdRegister = 0;
    Cardinal TargetDeviceID = 0, TargetRevision = 0, TargetJedecID = 0;

    // Flags of the operations.
    bool AbortFlag = false;      // the attempt in progress must stop
    bool Aborted = false;        // programming cannot go on (no retries)
    bool VerifyAll = true;       // no verify has failed
    bool Blank = true;           // the last blank check found the device blank
    bool ReadFailure = false;    // the last read failed
    bool CommFailure = false;    // the last IP settings read got no answer
    bool ProgVerified = false;   // program memory matched
    bool BootVerified = false;   // boot memory matched
    bool ConfigVerified = false; // configuration memory matched

    // ------------------------------------------------------------ start-up

    // Takes the catalogue and target of Settings.ini and sizes the buffers.
    void ApplySettings(const TSettings& Settings);
    // Reads the own version into OwnVersion and HostVersion. A bad file
    // version: error box, the main window is closed, false.
    bool ReadOwnVersion();
    // Sets the agent's OnDisplay, OnDeviceFound and OnDeviceIDChanged to the
    // host and its ShowOperations from "Show All Operations".
    void WireAgent();
    // WireAgent, opens the agent, creates the dispatcher, runs Find All;
    // AtStartup := false afterwards.
    void StartUp();
    // Closes the agent (its receive thread ends) and pauses 1000 ms.
    void ShutDown();
    // The window handle that device-not-responding messages are posted to.
    HWND Handle() const { return FHandle; }

    // True while an operation runs (the window must not close then).
    bool IsBusy() const { return FBusyDepth > 0; }

    // ------------------------------------------------------------ devices

    const std::vector<TdsProg*>& DeviceList() const { return FDevices; }
    TdsProg* SelectedDevice() const { return FSelected; }
    Integer SelectedIndex() const { return FSelectedIndex; }
    TdsProg* Dispatcher() const { return FDispatcher; }

    void CreateDispatcher();
    void CreateDefaultDevice();
    void DeviceFound(TObject* Sender, Integer OpenIntfIndex, Integer NumConnected, Integer NewDevID);
    void DeviceIdChanged(TObject* Sender, Integer OldDevID, Integer NewDevID);
    void WMDeviceNotResponding(TMessage& Message);
    void RemoveDevice(Integer Id);
    void RemoveAllDevices();
    void SelectDevice(Integer Index);
    void DeviceIDComboSelect();
    void EnableDeviceControls(bool Enable);
    void SetDispatcherHeader(TdsProg* Device);
    bool AwaitDiscoveryReply(TdsProg* Device);
    void FindAllBtnClick();
    void FixedIP_BtnClick(const String& Text);

    // ------------------------------------------------------------ checks

    // The version check; true when the device answered.
    bool Prog_GetBLVersionClick();
    void Prog_GetTargetInfoClick();

    // ------------------------------------------------------------ erase

    bool EraseBlocks(Integer DeviceIndex, Cardinal Address, Integer Blocks);
    bool EraseBootBlock();
    bool RestoreBootStub();
    void Prog_EraseClick();
    void Prog_BlankCheckClick();

    // ------------------------------------------------------------ programming

    bool CheckFirmwareFits();
    void Prog_BlockProgramClick();
    bool ProgramDevice();
    void ProgramBlockWithRetry(Integer WordIndex);
    bool ProgramBootBlockWithRetry(Integer WordIndex);
    bool SendProgramChunk(Integer WordIndex, Integer ByteOffset, Integer Kind, Integer ByteCount);
    bool SendProgramChunkAndWait(Integer WordIndex, Integer ByteOffset, Integer Kind, Integer ByteCount);
    void Prog_RunCodeClick();

    // ------------------------------------------------------------ verify

    void Prog_VerifyClick();
    // Each returns the region's verdict: false after a mismatch or a read
    // failure, true when it matched or was not compared.
    bool VerifyProgramMemory();
    bool VerifyBootMemory();
    bool VerifyConfigMemory();

    // ------------------------------------------------------------ reads

    bool ReadDeviceBlock(Integer DeviceIndex, Cardinal Address, Integer CountIwu);
    // Reads one region (kind 0 program, 1 configuration, 8 boot) into its
    // read-back buffer and, with WriteLines, the read-back hex lines; false
    // on a read failure.
    bool ReadRangeToHex(Integer Kind, Cardinal Start, bool Show, Cardinal End, bool WriteLines = true);
    void Prog_ReadClick();
    void Prod_MakeProductImageClick();
    void Prog_DumpBuffersClick();
    void DumpBuffer(Integer Kind);
    // The last answer of the selected device.
    void DumpResponse();

    // ------------------------------------------------------------ IP settings

    void Test_StoreIPClick();
    void Test_ReadIPClick();
    // "Show All Operations" was clicked: the agent's traffic log follows its check mark.
    void ShowOpsChkClick();

    // ------------------------------------------------------------ listings

    void ShowOutputReport(TdsProg* Device);
    void ShowInputReport(TdsProg* Device);

    // The results pane's AddResultLine, for the agent's OnDisplay.
    void AddResultLine(const String& Line) { FView.AddResultLine(Line); }

private:
    // Marks an operation in progress; device objects removed meanwhile are
    // freed when the outermost one ends. Every operation that holds a device
    // object across a wait runs inside one.
    class TBusy {
    public:
        explicit TBusy(TBootloaderHost& Host);
        ~TBusy();

    private:
        TBootloaderHost& FHost;
    };
    friend class TBusy;
    // A user command: refused with a beep while an operation runs (it can
    // only have come through the event loop of that operation's waits),
    // otherwise an operation of its own.
    class TCommand {
    public:
        explicit TCommand(TBootloaderHost& Host);
        bool Refused() const { return !FBusy; }

    private:
        std::optional<TBusy> FBusy;
    };

    // The work of the commands of the same names, for the operations that
    // run them as steps.
    bool GetBLVersion();
    void GetTargetInfo();
    void Erase();
    void BlankCheck();
    void RunCode();
    void FindAll();
    void ConnectTo(const String& Text);
    // Sends the dispatcher's discovery request and waits for the first answer.
    void Discover();
    // A pause of the GUI thread that keeps the window alive: pending and
    // arriving messages are handled meanwhile (user commands are refused, as
    // the pause runs inside an operation). With a clock that moves only
    // when told (tests) the time passes at once.
    void Pause(Cardinal Milliseconds);
    // The not-responding reports held back while an operation ran, posted
    // again for the devices that still have not answered.
    void ReleaseHeldReports();

    void Status(const String& Text, bool RepaintNow = false) { FView.SetStatusText(Text, RepaintNow); }
    void Rule(Integer Length, char C = '=');
    // "", rule of 88, Text, rule, "" (Spaced: an empty line before the
    // closing rule).
    void FramedError(const String& Text, bool Spaced);
    void Hourglass(bool Busy) { FView.SetHourglass(Busy); }
    bool Checked(TOpsMenuItem Item) const { return FView.MenuChecked(Item); }
    void DeviceFailedToRespond() { Status("Bootloader device failed to respond"); }
    void WireImageEvents();
    // The agent's traffic log goes to the results pane.
    void AttachAgentDisplay();
    // The listing of a request (Output) or an answer, without its closing rule.
    void ListReport(TdsProg* Device, bool Output);
    TdsProg* NewDeviceObject();
    void FreeDevice(TdsProg* Device);
    Integer ComboIndexOfId(Integer Id) const;
    // The payload of a chunk: the buffer's words from WordIndex, each giving
    // its ActiveBytesPerIwu low bytes; returns the bytes filled (at most 512).
    Integer ChunkPayload(Integer Kind, Integer WordIndex, Byte* Payload) const;
    Cardinal RegionVirtualStart(Integer Kind) const;
    // True when the words [First, First + Count) of a buffer are all blank
    // (words beyond its words in use read blank).
    bool BlankWords(Integer Kind, Integer First, Integer Count) const;
    // The program blocks that cover a buffer's words in use (the last one
    // may reach past them); no block loop goes further.
    Integer BlocksInUse(Integer Kind) const;
    // The words [First, First + Count) of a buffer when all of them lie inside
    // its words in use, else nullptr: then GetWord and SetWord bound each
    // word. Block loops take the words at once this way.
    Integer* BufferWords(Integer Kind, Integer First, Integer Count);
    const Integer* BufferWords(Integer Kind, Integer First, Integer Count) const;
    bool SendChunk(Integer WordIndex, Integer Kind, bool Last);
    // Sends one chunk; a failure asks to retry, naming the chunk by Address
    // written with AddressFormat.
    bool ProgramChunkWithRetry(Integer WordIndex, Integer ByteOffset, Integer Kind, bool Last,
                               Cardinal Address, const char* AddressFormat);
    // The retry prompt of a block that failed: the abort flag, the box, and
    // one more try when the user says Yes; true when that try succeeded.
    bool AskToRetry(const String& AddressText, const std::function<bool()>& Retry);
    // Programs the blocks of one region (when "Program memory" is checked),
    // pauses for the device, and verifies it when asked; false when the
    // programming was aborted.
    bool UpdateRegion(bool Boot, bool Verify);
    bool ProgramRegion(Integer Kind, Integer Blocks, bool Boot);
    void ReportUnableToClear(Cardinal Address);
    // Reads the device's copy of its boot stub into the scratch words of
    // the boot addresses it belongs at; a failed read is reported with Boxes
    // boxes and gives false.
    bool ReadBootStubCopy(Integer Boxes);
    // The words at the start of boot memory that the boot stub takes.
    Integer BootStubWords() const;
    // True when programming writes the image's own data over the boot stub:
    // "Program memory" is checked and the image holds data there. Otherwise
    // the device keeps the stub the erase wrote back.
    bool ImageReplacesBootStub() const;
    // The boot stub cannot be kept: nothing is erased, and the user is told
    // why in the pane, the status and a box.
    void RefuseErase(const String& Text);
    bool WriteBootBlockBack(Integer ScratchWord);
    bool TryBootBlockWrite(Integer ScratchWord, Cardinal Address);
    // The boot block was erased and its stub could not be written back.
    void ReportBootBlockEmpty();
    // Compares the read-back blocks [FirstBlock, EndBlock) with what the
    // device must hold: the image, or in the first StubBlocks blocks the
    // saved boot stub (scratch words).
    bool CompareBlocks(bool Boot, Integer FirstBlock, Integer EndBlock, Integer StubBlocks);
    bool VerifyRegion(bool Boot);
    void ReportMismatch(bool Boot, Integer Block, Integer Word, Integer Expected);
    // "  Verify PASSED" (and "Run Program" enabled) or "  Verify FAILED!"
    // (and the abort flag set) after VerifyAll.
    void ReportVerifyVerdict();
    // The end of a discovery: the first device selected and asked for its
    // version, or the not-found text in the pane, the status and a box.
    void FinishDiscovery(bool ClearWhenFound, bool CheckFit, const char* NotFoundText);
    // A read that got no answer: the read failure flag, the status, the
    // framed text, the progress window hidden and Boxes plain boxes.
    void ReportReadFailure(const String& Text, Integer Boxes);

    IBootloaderView& FView;
    TDataModule1* FAgent = nullptr;
    HWND FHandle = 0;
    std::vector<TdsProg*> FDevices;      // owned, in creation order
    std::vector<TdsProg*> FComboDevices; // the device of each combo item
    std::vector<TdsProg*> FRetired;      // removed while an operation ran
    TdsProg* FDispatcher = nullptr;
    TdsProg* FSelected = nullptr;
    Integer FSelectedIndex = -1;
    Integer FBusyDepth = 0;
    String FDiscoverySendError;        // why the last discovery request could not be sent
    bool FDiscovering = false;         // Find All or Connect runs: devices found are selected
    bool FFoundByDiscovery = false;    // the running discovery selected a device it found
    std::vector<Integer> FHeldReports; // device IDs not responding while an operation ran
};
