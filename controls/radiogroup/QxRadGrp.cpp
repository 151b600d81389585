#include "controls/radiogroup/QxRadGrp.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

// ================================================================ TQxGroupButton

TQxGroupButton::TQxGroupButton(TQxCustomRadioGroup* Group) : TQxRadioButton(Group), FGroup(Group) {
    FGroup->FButtons.push_back(this);
}

TQxGroupButton::~TQxGroupButton() {
    if (FGroup) FGroup->ButtonGone(this);
}

void TQxGroupButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (!FGroup->EditAllowed()) return;
    try {
        TQxRadioButton::MouseDown(Button, Shift, X, Y);
    } catch (const std::exception& E) {
        Application->HandleException(E);
    }
}

void TQxGroupButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (!FGroup->EditAllowed() || FInMouseUp) return;
    TRestoreOnExit<bool> inMouseUp(FInMouseUp, true);
    try {
        TQxRadioButton::MouseUp(Button, Shift, X, Y);
    } catch (const std::exception& E) {
        Application->HandleException(E);
    }
}

void TQxGroupButton::KeyPress(char32_t& Key) {
    TQxRadioButton::KeyPress(Key);
    FGroup->KeyPress(Key);
    if ((Key == 8 || Key == U' ') && !FGroup->EditAllowed()) Key = 0;
}

void TQxGroupButton::KeyDown(Word& Key, TShiftState Shift) {
    TQxRadioButton::KeyDown(Key, Shift);
    FGroup->KeyDown(Key, Shift);
}

// ================================================================ TQxCustomRadioGroup

TQxCustomRadioGroup::TQxCustomRadioGroup(TComponent* AOwner)
    : TQxCustomGroupBox(AOwner), FItemFont(std::make_unique<TFont>()), FItems(std::make_unique<TStringList>()),
      FCustomGlyphs(std::make_unique<TBitmap>()), FImageChangeLink(std::make_unique<TChangeLink>()) {
    FControlStyle >> csReplicatable;
    FItemFont->SetName("Tahoma");
    FItemFont->SetSize(8);
    FItemFont->OnChange = [this](TObject*) {
        FItemFontSet = true;
        LayoutButtons();
        Invalidate();
    };
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    FCustomGlyphs->OnChange = [this](TObject*) {
        FUseCustomGlyphs = !FCustomGlyphs->Empty();
        Invalidate();
    };
    FImageChangeLink->OnChange = [this](TObject*) {
        FUseCustomGlyphs = FCustomGlyphImages && FCustomGlyphImages->Count() > 0;
        LayoutButtons();
    };
}

TQxCustomRadioGroup::~TQxCustomRadioGroup() {
    ResizeButtonList(0);
    FItems->OnChange = nullptr;
}

TQxGroupButton* TQxCustomRadioGroup::ItemButton(Integer Index) const {
    if (Index < 0 || Index >= ButtonCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FButtons[static_cast<size_t>(Index)];
}

void TQxCustomRadioGroup::ButtonGone(TQxGroupButton* Button) {
    std::erase(FButtons, Button);
}

void TQxCustomRadioGroup::ResizeButtonList(Integer Count) {
    while (ButtonCount() < Count) {
        auto* b = new TQxGroupButton(this);
        b->SetAutoSize(false);
        b->SetVisible(false);
        b->SetEnabled(Enabled());
        b->SetParentShowHint(false);
        b->OnClick = [this](TObject* Sender) { ItemButtonClicked(Sender); };
        b->SetParent(this);
        b->SetParentFont(false);
    }
    while (ButtonCount() > Count)
        FButtons.back()->Free(); // leaves the list as it goes
}

void TQxCustomRadioGroup::CheckQuietly(Integer Index) {
    TRestoreOnExit<bool> ignore(FIgnoreItemClicks, true);
    if (Index >= 0)
        ItemButton(Index)->SetChecked(true);
    else
        for (TQxGroupButton* b : FButtons)
            b->SetChecked(false);
}

// A stored ItemIndex beyond the lines is brought to the last line.
void TQxCustomRadioGroup::RebuildButtons() {
    ResizeButtonList(FItems->Count());
    for (Integer i = 0; i < ButtonCount(); ++i)
        ItemButton(i)->SetCaption(FItems->Strings(i));
    FItemIndex = std::clamp(FItemIndex, -1, ButtonCount() - 1);
    if (FItemIndex >= 0) CheckQuietly(FItemIndex);
    LayoutButtons();
    Invalidate();
}

void TQxCustomRadioGroup::ItemsChanged() {
    if (HasState(csLoading)) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    RebuildButtons();
}

void TQxCustomRadioGroup::Loaded() {
    TQxCustomGroupBox::Loaded();
    RebuildButtons();
}

bool TQxCustomRadioGroup::ChangeAllowed(Integer NewIndex) {
    bool allow = true;
    if (OnChanging) OnChanging(this, NewIndex, allow);
    return allow;
}

// A change by code to an item is offered to OnChanging first; refused,
// nothing moves. Clearing the selection checks no button, so there is
// nothing to offer and nothing to click: it always happens, quietly.
void TQxCustomRadioGroup::SetItemIndex(Integer Value) {
    if (HasState(csLoading)) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, ButtonCount() - 1);
    if (Value == FItemIndex) return;
    if (Value >= 0 && !ChangeAllowed(Value)) return;
    FItemIndex = Value;
    CheckQuietly(Value);
    if (Value >= 0) Click();
}

// A click on an item button: offered to OnChanging; refused, the check
// goes back to the selected button (focused only when it can be).
void TQxCustomRadioGroup::ItemButtonClicked(TObject* Sender) {
    if (FIgnoreItemClicks) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
    if (it == FButtons.end()) return;
    // The selected item clicks too (the Down arrow on it): asked again and
    // clicked again.
    const Integer i = static_cast<Integer>(it - FButtons.begin());
    if (ChangeAllowed(i)) {
        FItemIndex = i;
        Click();
        return;
    }
    CheckQuietly(FItemIndex);
    if (FItemIndex >= 0) {
        TQxGroupButton* selected = ItemButton(FItemIndex);
        if (selected->CanFocus()) selected->SetFocus();
    }
}

void TQxCustomRadioGroup::LayoutButtons() {
    if (FButtons.empty() || HasState(csLoading)) return;
    const Integer n = ButtonCount();
    const Integer rows = (n + FColumns - 1) / FColumns;
    const Integer even = std::max<Integer>(0, (Width() - FStartXPos - 2 * BorderWidth() - 10) / FColumns);
    TRect r = ClientRect();
    AdjustClientRect(r);
    const Integer top = r.Top + FStartYPos;
    std::array<Integer, 16> widths{};
    if (!FSpaceEvenly) {
        TCanvas* c = MeasureCanvas(FItemFont.get());
        for (Integer i = 0; i < n; ++i) {
            TRect m = r;
            DrawTextOnCanvas(c, StripAccelChars(Trim(ItemButton(i)->Caption())), m,
                             DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
            Integer& w = widths[static_cast<size_t>(i / rows)];
            w = std::max(w, m.Width() + FGlyphWidth + 12);
        }
    }
    const bool rtl = UseRightToLeftAlignment();
    for (Integer i = 0; i < n; ++i) {
        TQxGroupButton* b = ItemButton(i);
        const Integer k = i / rows, row = i % rows;
        const Integer y = top + row * (FItemHeight + FVerticalSpacing);
        Integer x, w;
        if (FSpaceEvenly) {
            w = even;
            x = rtl ? ClientWidth() - k * w - w - FStartXPos : k * w + FStartXPos;
        } else {
            Integer s = 0;
            for (Integer j = 0; j < k; ++j)
                s += widths[static_cast<size_t>(j)];
            const Integer c = widths[static_cast<size_t>(k)];
            w = std::max<Integer>(0, c - 4);
            x = rtl ? ClientWidth() - s - c + 4 - FStartXPos : s + FStartXPos;
        }
        b->SetBounds(x, y, w, FItemHeight);
        b->SetVisible(true);
        b->SetFont(FItemFont.get());
        b->SetBiDiMode(BiDiMode());
        b->SetTextHighlightColor(FTextHighlightColor);
        b->SetTextShadowColor(FTextShadowColor);
        b->SetTextShadowDepth(FTextShadowDepth);
        b->SetLightTextStyle(FLightTextStyle);
        b->SetTextStyle(FTextStyle);
        b->SetTransparent(Transparent());
        b->SetWinMaskColor(FWinMaskColor);
        b->SetTransparentColor(FTransparentColor);
        b->SetCustomGlyphs(FCustomGlyphs.get());
        b->SetCustomGlyphImages(FCustomGlyphImages);
        b->SetUseCustomGlyphs(FUseCustomGlyphs);
        b->SetFrameColor(FItemFrameColor);
        b->SetHotTrack(FItemHotTrack);
        b->SetHighlightColor(FItemHighlightColor);
        b->SetHotTrackColor(FItemHotTrackColor);
        b->SetHotTrackColorType(FItemHotTrackColorType);
    }
}

void TQxCustomRadioGroup::SetItems(TStrings* Value) {
    FItems->Assign(Value);
}

void TQxCustomRadioGroup::SetColumns(Integer Value) {
    Value = std::clamp(Value, 1, 16);
    if (Value == FColumns) return;
    FColumns = Value;
    LayoutButtons();
    Invalidate();
}

void TQxCustomRadioGroup::SetItemFont(TFont* Value) {
    if (Value == FItemFont.get()) return;
    FItemFont->Assign(Value);
}

#define QX_LAYOUT_SETTER(Name, Type, Field)                                                                    \
    void TQxCustomRadioGroup::Set##Name(Type Value) {                                                          \
        if (StoreChanged(this, Field, Value)) LayoutButtons();                                                 \
    }
QX_LAYOUT_SETTER(ItemHeight, Integer, FItemHeight)
QX_LAYOUT_SETTER(VerticalSpacing, Integer, FVerticalSpacing)
QX_LAYOUT_SETTER(SpaceEvenly, bool, FSpaceEvenly)
QX_LAYOUT_SETTER(ItemFrameColor, TColor, FItemFrameColor)
QX_LAYOUT_SETTER(ItemHotTrack, bool, FItemHotTrack)
QX_LAYOUT_SETTER(ItemHotTrackColor, TColor, FItemHotTrackColor)
QX_LAYOUT_SETTER(ItemHotTrackColorType, TQxHotTrackColorType, FItemHotTrackColorType)
QX_LAYOUT_SETTER(ItemHighlightColor, TColor, FItemHighlightColor)
QX_LAYOUT_SETTER(LightTextStyle, bool, FLightTextStyle)
QX_LAYOUT_SETTER(TextStyle, TTextStyle, FTextStyle)
QX_LAYOUT_SETTER(TextHighlightColor, TColor, FTextHighlightColor)
QX_LAYOUT_SETTER(TextShadowColor, TColor, FTextShadowColor)
QX_LAYOUT_SETTER(TextShadowDepth, Integer, FTextShadowDepth)
QX_LAYOUT_SETTER(TransparentColor, TColor, FTransparentColor)
QX_LAYOUT_SETTER(WinMaskColor, TColor, FWinMaskColor)
#undef QX_LAYOUT_SETTER

void TQxCustomRadioGroup::SetStartPos(Integer Index, Integer Value) {
    if (StoreChanged(this, Index == 1 ? FStartXPos : FStartYPos, Value)) LayoutButtons();
}

void TQxCustomRadioGroup::SetCustomGlyphs(TBitmap* Value) {
    FCustomGlyphs->Assign(Value);
    LayoutButtons();
}

void TQxCustomRadioGroup::SetCustomGlyphImages(TCustomImageList* Value) {
    LinkImageList(this, FCustomGlyphImages, Value, FImageChangeLink.get());
    FUseCustomGlyphs = FCustomGlyphImages && FCustomGlyphImages->Count() > 0;
    LayoutButtons();
}

void TQxCustomRadioGroup::SetUseCustomGlyphs(bool Value) {
    FUseCustomGlyphs = Value;
    if (Value && FCustomGlyphImages) {
        FGlyphWidth = FCustomGlyphImages->Width();
        FGlyphHeight = FCustomGlyphImages->Height();
    } else if (Value && !FCustomGlyphs->Empty()) {
        FGlyphWidth = FCustomGlyphs->Width() / 6;
        FGlyphHeight = FCustomGlyphs->Height();
    } else if (!Value) {
        FGlyphWidth = 13;
        FGlyphHeight = 13;
    }
    LayoutButtons();
}

// The items are placed and read from the right as the group is.
void TQxCustomRadioGroup::SetBiDiMode(TBiDiMode Value) {
    TQxCustomGroupBox::SetBiDiMode(Value);
    LayoutButtons();
}

void TQxCustomRadioGroup::SetTransparent(bool Value) {
    TQxCustomGroupBox::SetTransparent(Value);
    LayoutButtons();
}

void TQxCustomRadioGroup::SetGroupStyle(TQxGroupBoxStyle Value) {
    TQxCustomGroupBox::SetGroupStyle(Value);
    LayoutButtons();
    Invalidate();
}

void TQxCustomRadioGroup::SetBannerHeight(Integer Value) {
    TQxCustomGroupBox::SetBannerHeight(Value);
    LayoutButtons();
    Invalidate();
}

void TQxCustomRadioGroup::FrameControllerChanged() {
    TQxFrameController* fc = FrameController();
    if (!fc || !fc->FrameVisible()) return;
    if (GroupStyle() == gsCustom) TQxCustomGroupBox::FrameControllerChanged();
    FItemFrameColor = fc->FrameColor();
    for (TQxGroupButton* b : FButtons)
        b->SetDisabledColor(fc->DisabledColor());
    LayoutButtons();
}

void TQxCustomRadioGroup::ChangeScale(Integer M, Integer D) {
    TQxCustomGroupBox::ChangeScale(M, D);
    if (FItemFontSet) {
        TRestoreOnExit<bool> keep(FItemFontSet, true);
        FItemFont->SetSize(MulDiv(FItemFont->Size(), M, D));
    }
    FVerticalSpacing = MulDiv(FVerticalSpacing, M, D);
    FItemHeight = MulDiv(FItemHeight, M, D);
    FStartYPos = MulDiv(FStartYPos, M, D);
    LayoutButtons();
}

void TQxCustomRadioGroup::KeyPress(char32_t& Key) {
    if (FTabOnEnter && TabOnEnterKey(this, Key)) return;
    TQxCustomGroupBox::KeyPress(Key);
}

void TQxCustomRadioGroup::Notification(TComponent* AComponent, TOperation Operation) {
    TQxCustomGroupBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCustomGlyphImages) SetCustomGlyphImages(nullptr);
}

void TQxCustomRadioGroup::DefineProperties(TFiler* Filer) {
    TQxCustomGroupBox::DefineProperties(Filer);
    Filer->DefineProperty("Flat", [this](TReader* R) { FItemHotTrack = R->ReadBoolean(); }, nullptr, false);
}

void TQxCustomRadioGroup::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        TQxCustomGroupBox::Dispatch(Message);
        Repaint();
        for (TQxGroupButton* b : FButtons)
            b->SetEnabled(Enabled());
        return;
    case CM_FONTCHANGED:
        TQxCustomGroupBox::Dispatch(Message);
        if (!FItemFontSet) {
            FItemFont->Assign(Font());
            FItemFontSet = false; // following Font is not a choice of its own
        }
        Invalidate();
        return;
    case WM_SIZE:
    case CM_TEXTCHANGED:
        TQxCustomGroupBox::Dispatch(Message);
        LayoutButtons();
        return;
    case CM_DIALOGCHAR:
        if (DialogChar(Message)) return;
        TQxCustomGroupBox::Dispatch(Message);
        return;
    case WM_KEYDOWN:
        // The Enter that TabOnEnter posts for an item moves on as Tab does,
        // from the focused item to the control after the group.
        if (FTabOnEnter && TabOnEnterPosted(this, Message)) return;
        TQxCustomGroupBox::Dispatch(Message);
        return;
    default:
        TQxCustomGroupBox::Dispatch(Message);
        return;
    }
}

const TClassInfo& TQxCustomRadioGroup::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomRadioGroup>("TQxCustomRadioGroup", &TQxCustomGroupBox::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxRadioGroup::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxRadioGroup;
        RegisterButtonTypes();
        TClassBuilder<T> b("TQxRadioGroup", &TQxCustomRadioGroup::ClassInfo());
        PublishGroupBoxProperties(b);
        b.Property("Items", &T::Items, nullptr)
            .Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex)
            .Default(-1)
            .Property("Columns", &T::Columns, &T::SetColumns)
            .Default(1)
            .Property("ItemFont", &T::ItemFont, nullptr)
            .Stored([](const T* c) { return c->ItemFontSet(); })
            .Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight)
            .Default(17)
            .Property("VerticalSpacing", &T::VerticalSpacing, &T::SetVerticalSpacing)
            .Default(3)
            .Property("SpaceEvenly", &T::SpaceEvenly, &T::SetSpaceEvenly)
            .Default(false)
            .Property("StartXPos", &T::StartXPos, &T::SetStartXPos)
            .Default(8)
            .Property("StartYPos", &T::StartYPos, &T::SetStartYPos)
            .Default(2)
            .Property("ItemFrameColor", &T::ItemFrameColor, &T::SetItemFrameColor, ColorTypeInfo())
            .Default(clBtnShadow)
            .Property("ItemHotTrack", &T::ItemHotTrack, &T::SetItemHotTrack)
            .Default(false)
            .Property("ItemHotTrackColor", &T::ItemHotTrackColor, &T::SetItemHotTrackColor, ColorTypeInfo())
            .Default(0x149BF0)
            .Property("ItemHotTrackColorType", &T::ItemHotTrackColorType, &T::SetItemHotTrackColorType)
            .Default(htctActual)
            .Property("ItemHighlightColor", &T::ItemHighlightColor, &T::SetItemHighlightColor, ColorTypeInfo())
            .Default(clHighlight)
            .Property("TransparentColor", &T::TransparentColor, &T::SetTransparentColor, ColorTypeInfo())
            .Default(0x008080)
            .Property("WinMaskColor", &T::WinMaskColor, &T::SetWinMaskColor, ColorTypeInfo())
            .Default(0x00FF00)
            .Property("CustomGlyphs", &T::CustomGlyphs, nullptr)
            .Property("CustomGlyphImages", &T::CustomGlyphImages, &T::SetCustomGlyphImages)
            .Property("UseCustomGlyphs", &T::UseCustomGlyphs, &T::SetUseCustomGlyphs)
            .Default(false)
            .Property("TabOnEnter", &T::TabOnEnter, &T::SetTabOnEnter)
            .Default(false)
            .Event("OnChanging", &T::OnChanging);
        PublishTextStyle(b);
        return b.Register();
    }();
    return info;
}
