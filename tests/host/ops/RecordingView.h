#pragma once
// A main window stand-in for the operations: records what they show and
// answers message boxes from a script.

#include "host/ops/BootloaderView.h"

#include <deque>
#include <functional>
#include <map>
#include <vector>

struct TRecordedBox {
    String Text;
    TMsgBoxKind Kind;
    TMsgBoxButtons Buttons;
};

class TRecordingView : public IBootloaderView {
public:
    TRecordingView() {
        for (TOpsMenuItem i : {miOptionsVerifyAfter, miOptionsRunAfter, miOptionsProgMem})
            Checked[i] = true;
    }

    void AddResultLine(const String& Line) override { Lines.push_back(Line); }
    void ClearResults() override {
        Lines.assign({"Ethernet Quenta:  (date and time)", "", ""});
        ++Clears;
    }
    void SetStatusText(const String& Text, bool RepaintNow) override {
        StatusText = Text;
        Statuses.push_back(Text);
        if (RepaintNow) Repainted.push_back(Text);
        if (OnStatus) OnStatus(Text);
    }
    TMsgBoxAnswer MessageBox(const String& Text, TMsgBoxKind Kind, TMsgBoxButtons Buttons) override {
        Boxes.push_back({Text, Kind, Buttons});
        if (OnBox) OnBox(Boxes.back());
        if (Buttons == mbOKOnly) return maOK;
        if (Answers.empty()) return maNo;
        const TMsgBoxAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    void SetProgressCaption(const String& Caption) override { ProgressCaption = Caption; }
    void ShowProgress() override {
        ProgressShown = true;
        Progress.push_back(0);
        if (OnProgressShown) OnProgressShown(ProgressCaption);
    }
    void HideProgress() override {
        if (ProgressShown && OnProgressHidden) OnProgressHidden(ProgressCaption);
        ProgressShown = false;
    }
    void SetProgress(Integer Percent) override {
        if (Progress.empty() || Progress.back() != Percent) Progress.push_back(Percent);
    }
    void SetHourglass(bool Busy) override { Hourglass = Busy; }
    void Beep() override { ++Beeps; }
    bool MenuChecked(TOpsMenuItem Item) const override {
        auto it = Checked.find(Item);
        return it != Checked.end() && it->second;
    }
    void SetMenuChecked(TOpsMenuItem Item, bool Value) override { Checked[Item] = Value; }
    void SetMenuEnabled(TOpsMenuItem Item, bool Value) override { Enabled[Item] = Value; }
    bool MenuVisible(TOpsMenuItem Item) const override { return Item == miMenuTest && TestMenuVisible; }
    Byte OperatingMode() const override { return Mode; }
    void ComboClear() override {
        ComboItems.clear();
        ComboIndex = -1;
    }
    Integer ComboAdd(const String& Text) override {
        ComboItems.push_back(Text);
        return static_cast<Integer>(ComboItems.size()) - 1;
    }
    void ComboDelete(Integer Index) override {
        ComboItems.erase(ComboItems.begin() + Index);
        if (ComboIndex >= static_cast<Integer>(ComboItems.size()) || ComboIndex == Index) ComboIndex = -1;
    }
    void ComboSetItemText(Integer Index, const String& Text) override { ComboItems.at(Index) = Text; }
    void ComboSetItemIndex(Integer Index) override {
        ComboIndex = Index;
        ComboText = Index >= 0 ? ComboItems.at(Index) : String();
    }
    Integer ComboItemIndex() const override { return ComboIndex; }
    void ComboSetText(const String& Text) override { ComboText = Text; }
    void EnableDeviceControls(bool Enable) override { DeviceControlsEnabled = Enable; }
    void ClearRomMemo() override { ++RomMemoClears; }
    void SaveHexFile() override {
        ++SaveHexCalls;
        if (OnSaveHex) OnSaveHex();
    }
    bool ExecuteIpDialog(TIpDialogValues& Values) override {
        if (!IpDialogOk) return false;
        Values = IpValues;
        return true;
    }
    void CloseMainWindow() override { Closed = true; }

    // Lines from the first one equal to From (or from the start).
    std::vector<String> LinesFrom(const String& From) const {
        for (std::size_t i = 0; i < Lines.size(); ++i)
            if (Lines[i] == From) return {Lines.begin() + i, Lines.end()};
        return {};
    }
    bool HasLine(const String& Line) const {
        for (const String& l : Lines)
            if (l == Line) return true;
        return false;
    }
    Integer CountLines(const String& Line) const {
        Integer n = 0;
        for (const String& l : Lines)
            n += l == Line;
        return n;
    }

    std::vector<String> Lines, Statuses, Repainted;
    String StatusText;
    std::vector<TRecordedBox> Boxes;
    std::deque<TMsgBoxAnswer> Answers; // for Yes/No boxes; No when empty
    std::function<void(const TRecordedBox&)> OnBox;
    std::function<void(const String&)> OnStatus;
    std::function<void(const String&)> OnProgressShown, OnProgressHidden; // with the caption
    String ProgressCaption;
    bool ProgressShown = false;
    std::vector<Integer> Progress;
    bool Hourglass = false;
    Integer Beeps = 0;
    std::map<TOpsMenuItem, bool> Checked, Enabled;
    bool TestMenuVisible = false;
    Byte Mode = 1;
    std::vector<String> ComboItems;
    Integer ComboIndex = -1;
    String ComboText;
    bool DeviceControlsEnabled = false;
    Integer Clears = 0, RomMemoClears = 0, SaveHexCalls = 0;
    std::function<void()> OnSaveHex;
    bool IpDialogOk = true;
    TIpDialogValues IpValues;
    bool Closed = false;
};
