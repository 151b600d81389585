#pragma once
// What the bootloader operations need from the main window: the results
// pane, the status pane, message boxes, the progress window, the cursor, the
// menu items they read or change, the operating mode, the device list combo
// and a few window actions. The main window implements it; tests implement
// it with a recorder.

#include "platform/rtl/System.h"

// The kind of a message box (its icon and title).
enum TMsgBoxKind { mkError, mkInformation, mkWarning, mkConfirmation, mkPlain };
enum TMsgBoxButtons { mbOKOnly, mbYesNo };
enum TMsgBoxAnswer { maOK, maYes, maNo };

// The menu items the operations consult or change.
enum TOpsMenuItem {
    miOptionsEraseFirst,           // "Auto Erase Before Programming"
    miOptionsBlankCheckFirst,      // "Auto Blank Check Before Programming"
    miOptionsVerifyAfter,          // "Auto Verify After Programming"
    miOptionsRunAfter,             // "Auto Run After Programming"
    miOptionsDumpAllProgMem,       // "Display All Program Memory"
    miOptionsProgMem,              // "Program memory"
    miOptionsConfigMem,            // "Configuration memory"
    miTestShowAllOperations,       // "Show All Operations"
    miTestShowOutputReports,       // "Show Output Reports"
    miTestShowInputReports,        // "ShowInputReports"
    miTestShowIP,                  // "Show Remote (Peer) IP"
    miTestShowProgMemDuringVerify, // "Show program memory during Verify"
    miTestShowProdImageMemory,     // "Show Product Image memory"
    miProgRunCode,                 // "Run Program"
    miProgProgram,                 // "&Program"
    miMenuTest,                    // the Test menu itself ("&Test")
};

// The device's network settings as the IP settings dialog gives them; each
// address with its first octet in the top byte.
struct TIpDialogValues {
    Cardinal Address = 0;
    Cardinal SubnetMask = 0;
    Cardinal DNS = 0;
    bool UseDHCP = false;
};

class IBootloaderView {
public:
    virtual ~IBootloaderView() = default;

    // Results pane: one line per call (a text may hold "\r\n" breaks; an
    // empty text is an empty line). ClearResults empties the pane and writes
    // its header line and two empty lines.
    virtual void AddResultLine(const String& Line) = 0;
    virtual void ClearResults() = 0;

    // The status pane's text; RepaintNow paints it before the call returns
    // (set before a long step).
    virtual void SetStatusText(const String& Text, bool RepaintNow) = 0;

    // A modal message box; returns the button pressed (maOK for mbOKOnly).
    virtual TMsgBoxAnswer MessageBox(const String& Text, TMsgBoxKind Kind, TMsgBoxButtons Buttons) = 0;

    // The progress window: caption, shown (the bar starts at 0), hidden, and
    // the bar's percent (repainted at once when it changes).
    virtual void SetProgressCaption(const String& Caption) = 0;
    virtual void ShowProgress() = 0;
    virtual void HideProgress() = 0;
    virtual void SetProgress(Integer Percent) = 0;

    // The hourglass (true) or the default cursor (false).
    virtual void SetHourglass(bool Busy) = 0;
    virtual void Beep() = 0;

    // Menu items: check marks, enabled and visible states.
    virtual bool MenuChecked(TOpsMenuItem Item) const = 0;
    virtual void SetMenuChecked(TOpsMenuItem Item, bool Checked) = 0;
    virtual void SetMenuEnabled(TOpsMenuItem Item, bool Enabled) = 0;
    virtual bool MenuVisible(TOpsMenuItem Item) const = 0;

    // 0 simple upgrade view, 1 full view (4 before the first mode is set).
    virtual Byte OperatingMode() const = 0;

    // The device list combo: items with texts, the selected item, the text.
    virtual void ComboClear() = 0;
    virtual Integer ComboAdd(const String& Text) = 0; // returns the new item's index
    virtual void ComboDelete(Integer Index) = 0;
    virtual void ComboSetItemText(Integer Index, const String& Text) = 0;
    virtual void ComboSetItemIndex(Integer Index) = 0;
    virtual Integer ComboItemIndex() const = 0;
    virtual void ComboSetText(const String& Text) = 0;

    // The controls that need a device: the Program Memory page's tab, the
    // Program menu, "Upgrade Now" and the results pane's colour.
    virtual void EnableDeviceControls(bool Enable) = 0;

    // Empties the Program Memory page's memo.
    virtual void ClearRomMemo() = 0;
    // "Save hex file...": saves the read-back hex lines where the user says.
    virtual void SaveHexFile() = 0;
    // The IP settings dialog (it shows the values of its last use): true,
    // with the values entered, when the user pressed OK.
    virtual bool ExecuteIpDialog(TIpDialogValues& Values) = 0;
    // Closes the main window (the program ends).
    virtual void CloseMainWindow() = 0;
};
