#pragma once
// TQxCustomRadioGroup: a group box with one radio button per line of Items,
// in up to 16 columns, reporting the chosen line as ItemIndex.
//
// The group makes, owns, lays out and configures its item buttons
// (TQxGroupButton) from its own item settings; they are never placed by
// hand. A change of the selection, by the user or by code, is first offered
// to OnChanging; a refusal changes nothing, and a refused click puts the
// check back on the selected button. Items fill the columns top to bottom:
//
//   7 items, 3 columns (rows = 3):     column widths: even (SpaceEvenly) or
//   (o) Item 0  (o) Item 3  (o) Item 6  each column as wide as its widest
//   (o) Item 1  (o) Item 4              caption plus glyph plus 12
//   (o) Item 2  (o) Item 5

#include "controls/check/QxRadChk.h"
#include "controls/panel/QxPanel.h"

class TQxCustomRadioGroup;

using TQxIndexChangingEvent = std::function<void(TObject* Sender, Integer NewIndex, bool& AllowChange)>;

// An item button: a radio button that leaves its presses and keys to the
// group's say.
class TQxGroupButton : public TQxRadioButton {
public:
    explicit TQxGroupButton(TQxCustomRadioGroup* Group);
    ~TQxGroupButton() override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyPress(char32_t& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TQxCustomRadioGroup* FGroup;
    bool FInMouseUp = false;
};

class TQxCustomRadioGroup : public TQxCustomGroupBox {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomRadioGroup(TComponent* AOwner);
    ~TQxCustomRadioGroup() override;

    TStrings* Items() const { return FItems.get(); }
    virtual void SetItems(TStrings* Value);
    Integer ItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(Integer Value);
    Integer Columns() const { return FColumns; }
    virtual void SetColumns(Integer Value);
    TFont* ItemFont() const { return FItemFont.get(); }
    virtual void SetItemFont(TFont* Value);
    // ItemFont was changed on its own (it no longer follows Font).
    bool ItemFontSet() const { return FItemFontSet; }
    Integer ItemHeight() const { return FItemHeight; }
    virtual void SetItemHeight(Integer Value);
    Integer VerticalSpacing() const { return FVerticalSpacing; }
    virtual void SetVerticalSpacing(Integer Value);
    bool SpaceEvenly() const { return FSpaceEvenly; }
    virtual void SetSpaceEvenly(bool Value);
    Integer StartXPos() const { return FStartXPos; }
    Integer StartYPos() const { return FStartYPos; }
    virtual void SetStartPos(Integer Index, Integer Value);
    void SetStartXPos(Integer Value) { SetStartPos(1, Value); }
    void SetStartYPos(Integer Value) { SetStartPos(2, Value); }
    TColor ItemFrameColor() const { return FItemFrameColor; }
    virtual void SetItemFrameColor(TColor Value);
    bool ItemHotTrack() const { return FItemHotTrack; }
    virtual void SetItemHotTrack(bool Value);
    TColor ItemHotTrackColor() const { return FItemHotTrackColor; }
    virtual void SetItemHotTrackColor(TColor Value);
    TQxHotTrackColorType ItemHotTrackColorType() const { return FItemHotTrackColorType; }
    virtual void SetItemHotTrackColorType(TQxHotTrackColorType Value);
    TColor ItemHighlightColor() const { return FItemHighlightColor; }
    virtual void SetItemHighlightColor(TColor Value);
    bool LightTextStyle() const { return FLightTextStyle; }
    virtual void SetLightTextStyle(bool Value);
    TTextStyle TextStyle() const { return FTextStyle; }
    virtual void SetTextStyle(TTextStyle Value);
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    virtual void SetTextHighlightColor(TColor Value);
    TColor TextShadowColor() const { return FTextShadowColor; }
    virtual void SetTextShadowColor(TColor Value);
    Integer TextShadowDepth() const { return FTextShadowDepth; }
    virtual void SetTextShadowDepth(Integer Value);
    TColor TransparentColor() const { return FTransparentColor; }
    virtual void SetTransparentColor(TColor Value);
    TColor WinMaskColor() const { return FWinMaskColor; }
    virtual void SetWinMaskColor(TColor Value);
    TBitmap* CustomGlyphs() const { return FCustomGlyphs.get(); }
    virtual void SetCustomGlyphs(TBitmap* Value);
    TCustomImageList* CustomGlyphImages() const { return FCustomGlyphImages; }
    virtual void SetCustomGlyphImages(TCustomImageList* Value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    virtual void SetUseCustomGlyphs(bool Value);
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
    void SetTransparent(bool Value) override;
    void SetBiDiMode(TBiDiMode Value) override;
    void SetGroupStyle(TQxGroupBoxStyle Value) override;
    void SetBannerHeight(Integer Value) override;

    Integer ButtonCount() const { return static_cast<Integer>(FButtons.size()); }
    virtual TQxGroupButton* ItemButton(Integer Index) const;
    // Whether the user may change the selection (always here).
    virtual bool EditAllowed() const { return true; }

    void FrameControllerChanged() override;
    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;
    void Dispatch(TMessage& Message) override;

    TQxIndexChangingEvent OnChanging;

protected:
    friend class TQxGroupButton;
    virtual void ResizeButtonList(Integer Count);
    virtual void LayoutButtons();
    virtual void RebuildButtons();
    // OnChanging's answer for a change to NewIndex.
    virtual bool ChangeAllowed(Integer NewIndex);
    void ChangeScale(Integer M, Integer D) override;
    void KeyPress(char32_t& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ItemButtonClicked(TObject* Sender);
    void ItemsChanged();
    void ButtonGone(TQxGroupButton* Button);
    // Checks the button at Index (none for -1) without asking or clicking.
    void CheckQuietly(Integer Index);

    std::vector<TQxGroupButton*> FButtons;
    std::unique_ptr<TFont> FItemFont;
    bool FItemFontSet = false;
    std::unique_ptr<TStringList> FItems;
    Integer FItemIndex = -1;
    Integer FColumns = 1;
    bool FIgnoreItemClicks = false;
    bool FSpaceEvenly = false;
    Integer FStartXPos = 8;
    Integer FStartYPos = 2;
    Integer FVerticalSpacing = 3;
    Integer FItemHeight = 17;
    Integer FGlyphWidth = 13;
    Integer FGlyphHeight = 13;
    std::unique_ptr<TBitmap> FCustomGlyphs;
    TCustomImageList* FCustomGlyphImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    bool FUseCustomGlyphs = false;
    TColor FTransparentColor = static_cast<TColor>(0x008080);
    TColor FWinMaskColor = static_cast<TColor>(0x00FF00);
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TColor FTextHighlightColor = clBtnHighlight;
    TColor FTextShadowColor = clBtnShadow;
    Integer FTextShadowDepth = 2;
    bool FTabOnEnter = false;
    TColor FItemFrameColor = clBtnShadow;
    bool FItemHotTrack = false;
    TColor FItemHotTrackColor = static_cast<TColor>(0x149BF0);
    TQxHotTrackColorType FItemHotTrackColorType = htctActual;
    TColor FItemHighlightColor = clHighlight;
};

class TQxRadioGroup : public TQxCustomRadioGroup {
public:
    QUENTA_PUBLISHED
    explicit TQxRadioGroup(TComponent* AOwner) : TQxCustomRadioGroup(AOwner) {}
};
