#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/gui/gdi/FrameControl.h"
#include "platform/gui/graphics/ImgList.h"

#include <algorithm>

// ================================================================ shortcuts

namespace {

struct TKeyName {
    Word Key;
    const char* Name;
};
// The names ShortCutToText gives keys that are not letters, digits or F-keys.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

String KeyName(Word Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return String(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VK_F24) return "F" + IntToStr(Key - VK_F1 + 1);
    for (const TKeyName& k : KeyNames)
        if (k.Key == Key) return k.Name;
    return String();
}

} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key & 0xFF00) return 0;
    TShortCut s = Key;
    if (Shift.Contains(ssShift)) s |= scShift;
    if (Shift.Contains(ssCtrl)) s |= scCtrl;
    if (Shift.Contains(ssAlt)) s |= scAlt;
    return s;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = {};
    if (ShortCut & scShift) Shift << ssShift;
    if (ShortCut & scCtrl) Shift << ssCtrl;
    if (ShortCut & scAlt) Shift << ssAlt;
}

String ShortCutToText(TShortCut ShortCut) {
    String name = KeyName(ShortCut & 0xFF);
    if (name.empty()) return String();
    String prefix;
    if (ShortCut & scShift) prefix += "Shift+";
    if (ShortCut & scCtrl) prefix += "Ctrl+";
    if (ShortCut & scAlt) prefix += "Alt+";
    return prefix + name;
}

TShortCut TextToShortCut(const String& Text) {
    String rest = Text;
    TShortCut mods = 0;
    for (bool found = true; found;) {
        found = false;
        for (auto [name, bit] :
             {std::pair<const char*, TShortCut>{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}}) {
            const size_t n = std::char_traits<char>::length(name);
            if (rest.size() > n && SameText(rest.substr(0, n), name)) {
                mods |= bit;
                rest = rest.substr(n);
                found = true;
            }
        }
    }
    for (Word key = 1; key < 256; ++key)
        if (String name = KeyName(key); !name.empty() && SameText(name, rest)) return mods | key;
    return 0;
}

// ================================================================ TMenuItem

// The base is made without owner and the item inserted at the end, so that
// the owner tree is told of a whole TMenuItem (the menu controller hooks
// items by their class when they are inserted).
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(nullptr) {
    if (AOwner) AOwner->InsertComponent(this);
}

TMenuItem::~TMenuItem() {
    TMenuLoop::Get().Forget(this);
    if (FParent) FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* child = FItems.back();
        FItems.pop_back();
        child->FParent = nullptr;
        child->Free();
    }
}

TMenuItem* TMenuItem::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError(Format("Menu index out of range (%d)", {Index}));
    return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(Count(), Item);
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->FParent) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError(Format("Menu index out of range (%d)", {Index}));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) throw EMenuError("Sub-menu is not in menu");
    TMenuLoop::Get().Forget(Item);
    FItems.erase(it);
    Item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Delete(Integer Index) {
    Remove(Items(Index));
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        FItems.back()->Free();
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

bool TMenuItem::IsTopLevel() const {
    return FParent && FParent->FMenu && dynamic_cast<TMainMenu*>(FParent->FMenu);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(Value))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value))
        item->Add(this);
}

void TMenuItem::MenuChanged(bool Rebuild) {
    if (TMenu* menu = GetParentMenu()) menu->Changed(this, Rebuild);
}

void TMenuItem::SetCaption(const String& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
    if (!FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
            sibling->FChecked) {
            sibling->FChecked = false;
            sibling->MenuChanged(false);
        }
}

void TMenuItem::SetChecked(bool Value) {
    if (Value == FChecked) return;
    FChecked = Value;
    if (Value && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
    if (Value == FDefault) return;
    if (Value && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            sibling->FDefault = false;
    FDefault = Value;
    MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value) {
    if (Value == FRadioItem) return;
    FRadioItem = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(Byte Value) {
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (Value == FShortCut) return;
    FShortCut = Value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(Integer Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    MenuChanged(true);
}

void TMenuItem::Click() {
    if (FAutoCheck) SetChecked(!FChecked);
    // A copy runs, so that a handler that frees its item does not run on
    // freed storage.
    if (TNotifyEvent handler = OnClick) handler(this);
}

// ---------------------------------------------------------------- classic look
//
// A drop-down item, classic:
//
//   | 18: check | caption ...      20 | shortcut | 18: arrow |
//
// selected items are filled with clHighlight and written in
// clHighlightText; disabled ones are written in clGrayText; a separator is
// an etched line (clBtnShadow over clBtnHighlight) through its middle. A
// bar entry is its caption centred, on clHighlight when selected.

namespace {

constexpr Integer CheckColumn = 18;
constexpr Integer ArrowColumn = 18;
constexpr Integer ShortCutGap = 20;
constexpr Integer BarPadding = 6;
constexpr Integer SeparatorHeight = 9;

String CaptionText(const String& Caption) {
    String s;
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&' && i + 1 < Caption.size()) ++i;
        s += Caption[i];
    }
    return s;
}

void DrawGlyph(TCanvas* Canvas, const TRect& R, UINT State, TColor Color) {
    HDC dc = Canvas->Handle();
    const COLORREF old = SetTextColor(dc, ColorToRGB(Color));
    TRect r = R;
    DrawFrameControl(dc, &r, DFC_MENU, State | DFCS_TRANSPARENT);
    SetTextColor(dc, old);
}

} // namespace

void TMenuItem::MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height) {
    const bool top = IsTopLevel();
    if (IsLine() && !top) {
        Width = CheckColumn + ArrowColumn;
        Height = SeparatorHeight;
    } else {
        const TSize text = ACanvas->TextExtent(CaptionText(FCaption).empty() ? "W" : CaptionText(FCaption));
        Width = CaptionText(FCaption).empty() ? 0 : text.cx;
        Height = std::max(GetSystemMetrics(SM_CYMENU), text.cy + 4);
        if (top)
            Width += 2 * BarPadding;
        else {
            Width += CheckColumn + ArrowColumn;
            if (FShortCut) Width += ShortCutGap + ACanvas->TextWidth(ShortCutToText(FShortCut));
        }
        if (TMenu* menu = GetParentMenu(); menu && menu->Images() && !top)
            Height = std::max(Height, menu->Images()->Height() + 4);
    }
    TMenu* menu = GetParentMenu();
    if (OnMeasureItem && menu && menu->OwnerDraw()) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
    if (TMenu* owner = GetParentMenu(); OnAdvancedDrawItem && owner && owner->OwnerDraw()) {
        OnAdvancedDrawItem(this, ACanvas, ARect, State);
        // The menu itself draws the arrow of an owner-drawn item that opens a
        // sub-menu, over what the owner drew, in the colour the owner left
        // for its text.
        if (!IsTopLevel() && Count() > 0)
            DrawGlyph(ACanvas, {ARect.Right - ArrowColumn, ARect.Top, ARect.Right, ARect.Bottom}, DFCS_MENUARROW,
                      ACanvas->Font()->Color());
        return;
    }
    const bool top = IsTopLevel();
    const bool selected = State.Contains(odSelected) || State.Contains(odHotLight);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(selected ? clHighlight : (top ? clMenuBar : clMenu));
    ACanvas->FillRect(ARect);
    if (IsLine() && !top) {
        const Integer y = ARect.Top + ARect.Height() / 2 - 1;
        ACanvas->Pen()->SetColor(clBtnShadow);
        ACanvas->MoveTo(ARect.Left + 1, y);
        ACanvas->LineTo(ARect.Right - 1, y);
        ACanvas->Pen()->SetColor(clBtnHighlight);
        ACanvas->MoveTo(ARect.Left + 1, y + 1);
        ACanvas->LineTo(ARect.Right - 1, y + 1);
        return;
    }
    const TColor textColor = !FEnabled ? clGrayText : selected ? clHighlightText : clMenuText;
    ACanvas->Font()->SetColor(textColor);
    ACanvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (State.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
    TFontStyles style = ACanvas->Font()->Style();
    if (FDefault) ACanvas->Font()->SetStyle(style + TFontStyles{fsBold});
    TRect text = ARect;
    if (top) {
        DrawText(ACanvas->Handle(), FCaption, &text, flags | DT_CENTER);
    } else {
        TRect check{ARect.Left, ARect.Top, ARect.Left + CheckColumn, ARect.Bottom};
        TMenu* menu = GetParentMenu();
        if (menu && menu->Images() && FImageIndex >= 0 && FImageIndex < menu->Images()->Count())
            menu->Images()->Draw(ACanvas, check.Left + 1,
                                 check.Top + (check.Height() - menu->Images()->Height()) / 2, FImageIndex,
                                 FEnabled);
        else if (FChecked)
            DrawGlyph(ACanvas, check, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK, textColor);
        text.Left += CheckColumn;
        text.Right -= ArrowColumn;
        DrawText(ACanvas->Handle(), FCaption, &text, flags);
        if (FShortCut)
            DrawText(ACanvas->Handle(), ShortCutToText(FShortCut), &text, flags | DT_RIGHT | DT_NOPREFIX);
        if (Count() > 0)
            DrawGlyph(ACanvas, {ARect.Right - ArrowColumn, ARect.Top, ARect.Right, ARect.Bottom},
                      DFCS_MENUARROW, textColor);
    }
    ACanvas->Font()->SetStyle(style);
    ACanvas->Brush()->SetStyle(bsSolid);
}

// ================================================================ TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    TMenuLoop::Get().Forget(this);
    FItems->Free();
}

void TMenu::SetOwnerDraw(bool Value) {
    if (Value == FOwnerDraw) return;
    FOwnerDraw = Value;
    Changed(nullptr, true);
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    Changed(nullptr, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

namespace {
TMenuItem* FindShortCut(TMenuItem* Item, TShortCut ShortCut) {
    for (Integer i = 0; i < Item->Count(); ++i) {
        TMenuItem* child = Item->Items(i);
        if (!child->Enabled()) continue;
        if (child->ShortCut() == ShortCut) return child;
        if (TMenuItem* found = FindShortCut(child, ShortCut)) return found;
    }
    return nullptr;
}
} // namespace

TMenuItem* TMenu::FindItem(TShortCut ShortCut) const {
    return ShortCut ? FindShortCut(FItems, ShortCut) : nullptr;
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift) {
    TMenuItem* item = FindItem(::ShortCut(Key, Shift));
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::Changed(TMenuItem* Source, bool Rebuild) {
    TMenuLoop::Get().MenuChanged(this, Rebuild);
}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
    if (FWindowForm && FWindowForm->Menu() == this) FWindowForm->SetMenu(nullptr);
}

void TMainMenu::Changed(TMenuItem* Source, bool Rebuild) {
    TMenu::Changed(Source, Rebuild);
    if (Rebuild && FWindowForm) FWindowForm->MenuChanged();
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(Integer X, Integer Y) {
    DoPopup(this);
    TMenuLoop::Get().OpenPopup(this, X, Y);
}

bool TPopupMenu::IsPoppedUp() const {
    return TMenuLoop::Get().PoppedUp() == this;
}

// ================================================================ state

Integer MenuBarHeight(const TCustomForm* Form) {
    return TMenuLoop::Get().LayoutBar(Form).Height;
}

void CloseMenus() {
    TMenuLoop::Get().Close();
}

bool MenuActive() {
    return TMenuLoop::Get().Active();
}

std::vector<TMenuItem*> OpenMenus() {
    std::vector<TMenuItem*> v;
    const TMenuLoop& loop = TMenuLoop::Get();
    for (Integer i = 0; i < loop.LevelCount(); ++i)
        v.push_back(loop.Level(i).Parent);
    return v;
}

TMenuItem* SelectedMenuItem(Integer Level) {
    const TMenuLoop& loop = TMenuLoop::Get();
    if (Level < 0 || Level >= loop.LevelCount()) return nullptr;
    const auto& l = loop.Level(Level);
    return l.Selected >= 0 ? l.Items[static_cast<size_t>(l.Selected)] : nullptr;
}

// ================================================================ published

void RegisterMenuClasses() {
    RegisterClasses({&TMenuItem::ClassInfo(), &TMainMenu::ClassInfo(), &TPopupMenu::ClassInfo()});
}

const TClassInfo& TMenuItem::ClassInfo() {
    using T = TMenuItem;
    static const TClassInfo& info = TClassBuilder<T>("TMenuItem", &ComponentClassInfo())
                                        .Property("AutoCheck", &T::AutoCheck, &T::SetAutoCheck)
                                        .Property("Caption", &T::Caption, &T::SetCaption)
                                        .Property("Checked", &T::Checked, &T::SetChecked)
                                        .Property("Default", &T::Default, &T::SetDefault)
                                        .Property("Enabled", &T::Enabled, &T::SetEnabled)
                                        .Default(true)
                                        .Property("GroupIndex", &T::GroupIndex, &T::SetGroupIndex)
                                        .Default(0)
                                        .Property("Hint", &T::Hint, &T::SetHint)
                                        .Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex)
                                        .Default(-1)
                                        .Property("RadioItem", &T::RadioItem, &T::SetRadioItem)
                                        .Property("ShortCut", &T::ShortCut, &T::SetShortCut)
                                        .Default(0)
                                        .Property("Visible", &T::Visible, &T::SetVisible)
                                        .Default(true)
                                        .Property(
                                            "Tag", [](const T* c) { return static_cast<Integer>(c->Tag); },
                                            [](T* c, Integer v) { c->Tag = v; })
                                        .Event("OnClick", &T::OnClick)
                                        .Event("OnMeasureItem", &T::OnMeasureItem)
                                        .Event("OnAdvancedDrawItem", &T::OnAdvancedDrawItem)
                                        .Register();
    return info;
}

const TClassInfo& TMenu::ClassInfo() {
    using T = TMenu;
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TMenu", &ComponentClassInfo());
        b.Property("Images", &T::Images, &T::SetImages)
            .Property("OwnerDraw", &T::OwnerDraw, &T::SetOwnerDraw);
        return PublishDesignPlace(b).Register();
    }();
    return info;
}

const TClassInfo& TMainMenu::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TMainMenu>("TMainMenu", &TMenu::ClassInfo()).Register();
    return info;
}

const TClassInfo& TPopupMenu::ClassInfo() {
    using T = TPopupMenu;
    static const TClassInfo& info = []() -> const TClassInfo& {
        RegisterEnumType<TPopupAlignment>("TPopupAlignment", {"paLeft", "paRight", "paCenter"});
        return TClassBuilder<T>("TPopupMenu", &TMenu::ClassInfo())
            .Property("Alignment", &T::Alignment, &T::SetAlignment)
            .Default(paLeft)
            .Property("AutoPopup", &T::AutoPopup, &T::SetAutoPopup)
            .Default(true)
            .Event("OnPopup", &T::OnPopup)
            .Register();
    }();
    return info;
}
