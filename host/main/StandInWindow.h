#pragma once
// A plain window that carries the host's operations until the main window
// is built from its controls: an "Upgrade Now" button, the status text
// painted below it, the results lines on standard output. It finds the
// devices at start and upgrades the selected one on a click, so the
// program's start, its private-network run and its headless run can be
// exercised end to end. The main window replaces it.

#include "controls/button/QxButton.h"
#include "host/ops/BootloaderHost.h"
#include "platform/gui/controls/Forms.h"

#include <map>
#include <memory>

class TStandInWindow : public TForm, public IBootloaderView {
public:
    QUENTA_PUBLISHED
    explicit TStandInWindow(TComponent* AOwner);
    ~TStandInWindow() override;

    TQxBitBtn* UpgradeBtn = nullptr;
    // Where discovery requests go (benchmarks aim them at a device on loopback).
    String DiscoveryIP = EthBroadcastIP;
    Integer DiscoveryPort = EthDevicePort;

    // Reads Settings.ini and the firmware file, opens the agent (DataModule1,
    // made after this window) and finds the devices.
    void StartUp();
    TBootloaderHost* Host() const { return FHost.get(); }

    void FormPaint(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void UpgradeBtnClick(TObject* Sender);

    // IBootloaderView
    void AddResultLine(const String& Line) override;
    void ClearResults() override;
    void SetStatusText(const String& Text, bool RepaintNow) override;
    TMsgBoxAnswer MessageBox(const String& Text, TMsgBoxKind Kind, TMsgBoxButtons Buttons) override;
    void SetProgressCaption(const String&) override {}
    void ShowProgress() override {}
    void HideProgress() override {}
    void SetProgress(Integer) override {}
    void SetHourglass(bool) override {}
    void Beep() override {}
    bool MenuChecked(TOpsMenuItem Item) const override;
    void SetMenuChecked(TOpsMenuItem Item, bool Checked) override { FChecked[Item] = Checked; }
    void SetMenuEnabled(TOpsMenuItem, bool) override {}
    bool MenuVisible(TOpsMenuItem) const override { return false; }
    Byte OperatingMode() const override { return 0; }
    void ComboClear() override { FComboItems = 0; }
    Integer ComboAdd(const String&) override { return FComboItems++; }
    void ComboDelete(Integer) override { --FComboItems; }
    void ComboSetItemText(Integer, const String&) override {}
    void ComboSetItemIndex(Integer) override {}
    Integer ComboItemIndex() const override { return FComboItems > 0 ? 0 : -1; }
    void ComboSetText(const String&) override {}
    void EnableDeviceControls(bool Enable) override { UpgradeBtn->SetEnabled(Enable); }
    void ClearRomMemo() override {}
    void SaveHexFile() override {}
    bool ExecuteIpDialog(TIpDialogValues&) override { return false; }
    void CloseMainWindow() override { Close(); }

private:
    std::unique_ptr<TBootloaderHost> FHost;
    String FStatus = "Please connect your device";
    std::map<TOpsMenuItem, bool> FChecked;
    Integer FComboItems = 0;
};

extern TStandInWindow* StandInWindow;
