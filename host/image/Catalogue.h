#pragma once
// The device catalogue and the options read from Settings.ini.

#include "host/image/BT_Types.h"
#include "host/image/ImageEvents.h"

#include <array>
#include <vector>

class TCustomIniFile;

inline constexpr Integer MaxDevices = 21;
// P1 and P2 must hold these values for the operating mode of Settings.ini
// to be honoured; otherwise the simple upgrade view (mode 0) is used.
inline constexpr Integer FullViewAccessValue1 = 1370582946;
inline constexpr Integer FullViewAccessValue2 = 1629047315;

// The entry that a device without any key in Settings.ini gets, with its
// derived fields.
TDeviceTypeRec DefaultDeviceTypeRec();

// Computes the derived fields (end addresses, sizes in IWU and bytes,
// BytesPerIwu) from the fields read. PcuPerIwu must be positive.
void DeriveDeviceFields(TDeviceTypeRec& Rec);

// Why an entry cannot be used (a value that the memory operations divide
// by is not positive, an instruction word does not fit the 32-bit buffer
// words, a size is negative or too large); empty when it can be used.
// Index names the keys (PcuPerIwu03 ...).
String DeviceEntryProblem(const TDeviceTypeRec& Rec, Integer Index);

class TCatalogue {
public:
    // Slots not read from Settings.ini hold the default entry.
    TCatalogue();

    // CurrentTarget := entry 0; then the first of the listed entries (entry 0
    // is looked at even when none is listed) whose DeviceID equals Id is
    // copied into CurrentTarget. Returns the index of the listed entry that
    // matched (the processor list's new selection), or -1 when none did
    // (the selection stays as it is).
    Integer SelectTargetById(Integer Id, TDeviceTypeRec& CurrentTarget) const;
    // The name of the first listed entry with that DeviceID; "Unknown" when none.
    String TargetNameById(Integer Id) const;

    std::array<TDeviceTypeRec, MaxDevices> Entries;
    Integer NumDevices = 0; // entries listed, 0..MaxDevices
};

// The check marks of the Options menu.
struct TOptionStates {
    bool EraseFirst = false;
    bool BlankCheckFirst = false;
    bool VerifyAfter = false;
    bool RunAfter = false;
    bool DumpAllProgMem = false;
    bool ProgMem = true;
    bool ConfigMem = true;
};

// One item of the processor list: the name shown, the device ID stored with it.
struct TProcessorItem {
    String Name;
    Integer DeviceID = 0;
};

// Everything Settings.ini gives the main window.
struct TSettings {
    String SettingsPath;
    String FormCaption;        // the main window's caption
    Integer AccessValue1 = 0;  // P1
    Integer AccessValue2 = 0;  // P2
    Byte RequestedMode = 0;    // OperatingMode as read (low 8 bits)
    Byte OperatingMode = 0;    // the mode to set: RequestedMode with both access values, else 0
    TOptionStates Options;
    TCatalogue Catalogue;
    std::vector<TProcessorItem> ProcessorItems; // one per listed entry
    TDeviceTypeRec CurrentTarget;
    Integer ProcessorIndex = -1; // selection of the processor list; -1 none
    String ProcessorText;        // the selected item's name; empty when none
    String DefaultFirmwareFile;  // Targets/FwFileName01
};

// Reads ProgramFolder + "Settings.ini" (a missing file gives the defaults).
// Problems with the catalogue go to AddResultLine, one line each.
// The window then applies the results, sizes the buffers from CurrentTarget
// (TMemoryBuffers::Allocate) and opens DefaultFirmwareFile.
TSettings LoadSettings(const String& ProgramFolder, const TResultLineEvent& AddResultLine);
TSettings LoadSettings(const TCustomIniFile& Ini, const TResultLineEvent& AddResultLine);

// The file a firmware file name from Settings.ini stands for: a name that
// starts with "/" as it stands, any other in ProgramFolder (with trailing
// separator). The start-up check and the window's opening of
// DefaultFirmwareFile both resolve it here.
String FirmwareFilePath(const String& ProgramFolder, const String& Name);
