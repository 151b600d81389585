#pragma once
// TQxDialogButtons: a panel, docked at the bottom of a dialog by default,
// that makes and owns the dialog's OK, Cancel and Help buttons.
//
// The buttons are laid out along the panel's edge: in a row, right-aligned
// 8 pixels apart (mirrored under right-to-left reading), or, docked left or
// right, in a column. Shared button settings go to all three; each button
// has its own caption, width, visibility, enabled state, modal result and
// action; one event fires per button after its click. A divider may be
// drawn on the edge that faces the dialog.
//
//   row (h = 25, widths 75):                      column (docked left):
//   +------------------------------------------+  +-------------+
//   |               6                          |  | 8           |
//   |          [  OK  ] 8 [Cancel] 8 [ Help ] 8|  | 6[  OK  ]   |
//   |                                          |  | 8           |
//   +------------------------------------------+  | 6[Cancel]   |

#include "controls/button/QxButton.h"
#include "controls/panel/QxPanel.h"

class TQxDialogButtons : public TQxCustomPanel {
public:
    QUENTA_PUBLISHED
    explicit TQxDialogButtons(TComponent* AOwner);

    enum TButtonIndex { biOk = 1, biCancel = 2, biHelp = 3 };

    TQxBitBtn* OkButton() const { return FOk; }
    TQxBitBtn* CancelButton() const { return FCancel; }
    TQxBitBtn* HelpButton() const { return FHelp; }

    TBasicAction* ButtonAction(Integer Index) const { return Button(Index)->Action(); }
    virtual void SetButtonAction(Integer Index, TBasicAction* Value);
    void SetAlign(TAlign Value) override;
    TColor ButtonColor() const { return FOk->Color(); }
    virtual void SetButtonColor(TColor Value);
    TColor ButtonFrameColor() const { return FOk->FrameColor(); }
    virtual void SetButtonFrameColor(TColor Value);
    String ButtonCaption(Integer Index) const { return Button(Index)->Caption(); }
    virtual void SetButtonCaption(Integer Index, const String& Value);
    bool ButtonEnabled(Integer Index) const { return Button(Index)->Enabled(); }
    virtual void SetButtonEnabled(Integer Index, bool Value);
    Integer ButtonWidth(Integer Index) const { return FWidths[static_cast<size_t>(Index - 1)]; }
    virtual void SetButtonWidth(Integer Index, Integer Value);
    bool ShowDivider() const { return FShowDivider; }
    virtual void SetShowDivider(bool Value);
    bool ShowGlyphs() const { return FShowGlyphs; }
    virtual void SetShowGlyphs(bool Value);
    bool ShowButton(Integer Index) const { return Button(Index)->Visible(); }
    virtual void SetShowButton(Integer Index, bool Value);
    bool CancelCancel() const { return FCancel->Cancel(); }
    virtual void SetCancelCancel(bool Value);
    bool OKDefault() const { return FOk->Default(); }
    virtual void SetOKDefault(bool Value);
    bool HotTrack() const { return FOk->HotTrack(); }
    virtual void SetHotTrack(bool Value);
    TColor HotTrackColor() const { return FOk->HotTrackColor(); }
    virtual void SetHotTrackColor(TColor Value);
    TQxHotTrackColorType HotTrackColorType() const { return FOk->HotTrackColorType(); }
    virtual void SetHotTrackColorType(TQxHotTrackColorType Value);
    TColor HighlightColor() const { return FOk->HighlightColor(); }
    virtual void SetHighlightColor(TColor Value);
    TModalResult ButtonModalResult(Integer Index) const { return Button(Index)->ModalResult(); }
    virtual void SetButtonModalResult(Integer Index, TModalResult Value);
    Integer ButtonHeight() const { return FButtonHeight; }

    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnClickOk;
    TNotifyEvent OnClickCancel;
    TNotifyEvent OnClickHelp;

protected:
    virtual void CreateButtons();
    virtual void AdjustPanelSize();
    virtual void PositionButtons();
    virtual void ClickOk();
    virtual void ClickCancel();
    virtual void ClickHelp();
    void Paint() override;
    void ChangeScale(Integer M, Integer D) override;
    void Resize() override;

private:
    TQxBitBtn* Button(Integer Index) const;
    void ButtonClicked(TObject* Sender);

    bool FShowDivider = false;
    bool FShowGlyphs = false;
    std::array<Integer, 3> FWidths{75, 75, 75};
    Integer FButtonHeight = 25;
    Integer FDefaultWidth = 75;
    TQxBitBtn* FOk = nullptr;
    TQxBitBtn* FCancel = nullptr;
    TQxBitBtn* FHelp = nullptr;
};
