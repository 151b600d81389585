#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/PopupWindow.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/gdi/Edges.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

namespace {

constexpr Word VK_F4 = VK_F1 + 3;

// The 7 x 4 arrow of drop-down and scroll buttons, its top-left at (X, Y).
void PaintArrow(TCanvas* Canvas, Integer X, Integer Y, bool Up, TColor Color) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    for (Integer row = 0; row < 4; ++row) {
        const Integer inset = Up ? 3 - row : row;
        Canvas->FillRect({X + inset, Y + row, X + 7 - inset, Y + row + 1});
    }
}

void PaintArrowButton(TCanvas* Canvas, TRect R, bool Up, bool Pushed, bool Enabled) {
    HDC dc = Canvas->Handle();
    TRect face = R;
    DrawEdge(dc, &face, Pushed ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_MIDDLE | (Pushed ? BF_FLAT : BF_SOFT));
    const Integer shift = Pushed ? 1 : 0;
    PaintArrow(Canvas, R.Left + (R.Width() - 7) / 2 + shift, R.Top + (R.Height() - 4) / 2 + shift, Up,
               Enabled ? clBtnText : clBtnShadow);
}

bool SameFirstLetter(const String& Item, char32_t Char) {
    if (Item.empty() || Char > 0x7F) return false;
    return std::tolower(static_cast<unsigned char>(Item[0])) == std::tolower(static_cast<int>(Char));
}

} // namespace

// ---------------------------------------------------------------- the items

class TCustomComboBox::TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox* Combo) : FCombo(Combo) {}

    Integer Count() const override { return static_cast<Integer>(FList.size()); }
    String Get(Integer Index) const override { return FList[Checked(Index)].Text; }
    TObject* GetObject(Integer Index) const override { return FList[Checked(Index)].Object; }
    void PutObject(Integer Index, TObject* AObject) override { FList[Checked(Index)].Object = AObject; }
    void Put(Integer Index, const String& S) override {
        FList[Checked(Index)].Text = S;
        if (Index == FCombo->FItemIndex) FCombo->SetTextQuietly(S);
        FCombo->ItemsChanged();
    }
    void Insert(Integer Index, const String& S) override {
        if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
        FList.insert(FList.begin() + Index, TItem{S, nullptr});
        if (FCombo->FItemIndex >= Index) ++FCombo->FItemIndex;
        if (FCombo->FHighlight >= Index) ++FCombo->FHighlight;
        FCombo->ItemsChanged();
    }
    void Delete(Integer Index) override {
        FList.erase(FList.begin() + Checked(Index));
        if (Index == FCombo->FItemIndex) {
            FCombo->FItemIndex = -1;
            FCombo->SetTextQuietly("");
        } else if (Index < FCombo->FItemIndex) {
            --FCombo->FItemIndex;
        }
        if (FCombo->FHighlight >= Count()) FCombo->FHighlight = Count() - 1;
        FCombo->ItemsChanged();
    }
    void Clear() override {
        FList.clear();
        FCombo->FItemIndex = -1;
        FCombo->FHighlight = -1;
        FCombo->SetTextQuietly("");
        FCombo->ItemsChanged();
    }

private:
    struct TItem {
        String Text;
        TObject* Object;
    };
    Integer Checked(Integer Index) const {
        if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
        return Index;
    }

    TCustomComboBox* FCombo;
    std::vector<TItem> FList;
};

// ---------------------------------------------------------------- the combo

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)) {
    // The list takes the mouse while it is open; the face has no caption.
    FControlStyle = TControlStyle{csOpaque, csDoubleClicks};
    SetBounds(Left(), Top(), 145, 21);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() {
    if (MouseCapture()) SetCaptureControl(nullptr);
}

void TCustomComboBox::SetItemIndex(Integer Value) {
    if (HasState(csLoading)) {
        FPendingItemIndex = Value;
        return;
    }
    if (Value < -1 || Value >= FItems->Count()) Value = -1;
    FItemIndex = Value;
    SetTextQuietly(Value >= 0 ? FItems->Get(Value) : String());
    if (FDropped) MoveHighlight(Value);
    Invalidate();
}

void TCustomComboBox::Loaded() {
    TCustomControl::Loaded();
    if (FPendingItemIndex >= 0) SetItemIndex(FPendingItemIndex);
    FPendingItemIndex = -1;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

Integer TCustomComboBox::ItemHeight() const {
    if (FItemHeight > 0) return FItemHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, AsGdiObj(Font()->Handle()));
    TTextMetric tm;
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::max<Integer>(1, tm.tmHeight);
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetTextQuietly("");
}

void TCustomComboBox::SetTextQuietly(const String& Value) {
    TRestoreOnExit<bool> quiet(FSettingText, true);
    SetText(Value);
}

void TCustomComboBox::ItemsChanged() {
    if (FDropped && FList) {
        FTopIndex = std::clamp(FTopIndex, 0, std::max(0, FItems->Count() - VisibleRows()));
        FList->Show(ListBoundsOnScreen());
        FList->Invalidate();
    }
    Invalidate();
}

// ---------------------------------------------------------------- choosing

void TCustomComboBox::Choose(Integer Index) {
    if (Index < 0 || Index >= FItems->Count() || Index == FItemIndex) return;
    FItemIndex = Index;
    SetTextQuietly(FItems->Get(Index));
    Invalidate();
    // Handlers may free the combo: nothing of it is touched after one that did.
    const HWND handle = Handle();
    Click();
    if (FindControl(handle) != this) return;
    Select();
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::ChooseByLetter(char32_t Char) {
    const Integer count = FItems->Count();
    const Integer from = FDropped ? FHighlight : FItemIndex;
    for (Integer step = 1; step <= count; ++step) {
        const Integer i = (std::max<Integer>(from, -1) + step) % count;
        if (!SameFirstLetter(FItems->Get(i), Char)) continue;
        if (FDropped)
            MoveHighlight(i);
        else
            Choose(i);
        return;
    }
}

// ---------------------------------------------------------------- the list

bool TCustomComboBox::DroppedDown() const {
    return FDropped;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value)
        OpenList();
    else
        CloseList(false);
}

Integer TCustomComboBox::VisibleRows() const {
    return std::max<Integer>(1, std::min(FItems->Count(), FDropDownCount));
}

bool TCustomComboBox::HasScrollBar() const {
    return FItems->Count() > FDropDownCount;
}

TRect TCustomComboBox::ListBoundsOnScreen() {
    const Integer height = VisibleRows() * FListItemHeight + 2;
    TPoint below = ClientToScreen({0, ClientHeight()});
    TPoint above = ClientToScreen({0, 0});
    Integer top = below.Y;
    if (top + height > Screen->Height() && above.Y - height >= 0) top = above.Y - height;
    return {below.X, top, below.X + Width(), top + height};
}

void TCustomComboBox::OpenList() {
    if (FDropped || !Enabled() || !HandleAllocated() || !Showing()) return;
    const HWND handle = Handle();
    DropDown();
    if (FindControl(handle) != this || FDropped) return;
    if (!FList)
        FList = std::make_unique<TPopupWindow>(
            [this](TCanvas* Canvas) { PaintList(Canvas); },
            [this](TMouseAction Action, TMouseButton Button, TPoint Pos) {
                ListPointer(Action, Button, {Pos.X + FList->Bounds().Left, Pos.Y + FList->Bounds().Top});
            });
    FListItemHeight = ItemHeight();
    FDropped = true;
    FTopIndex = 0;
    FHighlight = -1;
    MoveHighlight(FItemIndex);
    FList->Show(ListBoundsOnScreen());
    SetMouseCapture(true);
    Invalidate();
}

void TCustomComboBox::CloseList(bool Accept) {
    if (!FDropped) return;
    FDropped = false;
    FButtonHeld = false;
    if (FList) FList->Hide();
    if (MouseCapture()) SetMouseCapture(false);
    Invalidate();
    const HWND handle = Handle();
    if (Accept) {
        Choose(FHighlight);
        if (FindControl(handle) != this) return;
    }
    CloseUp();
}

void TCustomComboBox::MoveHighlight(Integer Index) {
    const Integer count = FItems->Count();
    if (count == 0) {
        FHighlight = -1;
        return;
    }
    if (Index < 0) {
        FHighlight = -1;
    } else {
        FHighlight = std::min(Index, count - 1);
        const Integer rows = VisibleRows();
        if (FHighlight < FTopIndex) FTopIndex = FHighlight;
        if (FHighlight >= FTopIndex + rows) FTopIndex = FHighlight - rows + 1;
    }
    if (FList) FList->Invalidate();
}

void TCustomComboBox::ScrollList(Integer Rows) {
    FTopIndex = std::clamp(FTopIndex + Rows, 0, std::max(0, FItems->Count() - VisibleRows()));
    if (FList) FList->Invalidate();
}

void TCustomComboBox::ListPointer(TMouseAction Action, TMouseButton Button, TPoint ScreenPos) {
    if (!FDropped || !FList) return;
    const TRect list = FList->Bounds();
    const bool press = Action == maDown || Action == maDoubleClick;
    if (Action == maUp && Button == mbLeft && FButtonHeld) {
        FButtonHeld = false;
        Invalidate();
        // The press that opened the list, released over an item, chooses it.
        if (!PtInRect(list, ScreenPos)) return;
    }
    if (!PtInRect(list, ScreenPos)) {
        // A press anywhere else closes the list; the press is used up.
        if (press) CloseList(false);
        return;
    }
    if (press && Button != mbLeft) return;
    const TPoint p{ScreenPos.X - list.Left, ScreenPos.Y - list.Top};
    const Integer sb = GetSystemMetrics(SM_CXVSCROLL);
    if (HasScrollBar() && p.X >= list.Width() - 1 - sb) {
        if (!press) return;
        const Integer top = 1, bottom = list.Height() - 1;
        if (p.Y < top + sb)
            ScrollList(-1);
        else if (p.Y >= bottom - sb)
            ScrollList(1);
        else
            ScrollList(p.Y < ThumbRect(list.Width(), list.Height()).Top ? -VisibleRows() : VisibleRows());
        return;
    }
    const Integer row = std::clamp((p.Y - 1) / FListItemHeight, 0, VisibleRows() - 1);
    const Integer index = FTopIndex + row;
    if (index >= FItems->Count()) return;
    if (Action == maMove || press) {
        if (index != FHighlight) MoveHighlight(index);
        return;
    }
    if (Action == maUp && Button == mbLeft) {
        FHighlight = index;
        CloseList(true);
    }
}

TRect TCustomComboBox::ThumbRect(Integer Width, Integer Height) const {
    const Integer sb = GetSystemMetrics(SM_CXVSCROLL);
    const Integer trackTop = 1 + sb, trackBottom = Height - 1 - sb;
    const Integer track = std::max(0, trackBottom - trackTop);
    const Integer count = FItems->Count(), rows = VisibleRows();
    const Integer thumb = std::min(track, std::max<Integer>(8, track * rows / std::max(1, count)));
    const Integer range = std::max(1, count - rows);
    const Integer top = trackTop + (track - thumb) * FTopIndex / range;
    return {Width - 1 - sb, top, Width - 1, top + thumb};
}

// ---------------------------------------------------------------- input

namespace {

// Where a navigation key moves a selection at At among Count items, Page
// items to a page; -2 for a key that does not navigate.
Integer NavigationTarget(Word Key, Integer At, Integer Count, Integer Page) {
    switch (Key) {
    case VK_UP:
    case VK_LEFT:
        return std::max<Integer>(At - 1, 0);
    case VK_DOWN:
    case VK_RIGHT:
        return std::min(At + 1, Count - 1);
    case VK_HOME:
        return 0;
    case VK_END:
        return Count - 1;
    case VK_PRIOR:
        return std::max<Integer>(At - Page, 0);
    case VK_NEXT:
        return std::min(std::max<Integer>(At, 0) + Page, Count - 1);
    default:
        return -2;
    }
}

} // namespace

bool TCustomComboBox::KeyWhileClosed(Word Key, TShiftState Shift) {
    if (Shift.Contains(ssAlt) ? Key == VK_DOWN || Key == VK_UP : Key == VK_F4) {
        OpenList();
        return true;
    }
    if (Shift.Contains(ssAlt)) return false;
    const Integer count = FItems->Count();
    const Integer target = NavigationTarget(Key, FItemIndex, count, std::max<Integer>(1, FDropDownCount - 1));
    if (target == -2) return false;
    if (count) Choose(target);
    return true;
}

bool TCustomComboBox::KeyWhileOpen(Word Key, TShiftState Shift) {
    const bool altArrow = Shift.Contains(ssAlt) && (Key == VK_DOWN || Key == VK_UP);
    if (Key == VK_RETURN || Key == VK_F4 || altArrow) {
        CloseList(true);
        return true;
    }
    if (Key == VK_ESCAPE) {
        CloseList(false);
        return true;
    }
    const Integer count = FItems->Count();
    const Integer target = NavigationTarget(Key, FHighlight, count, std::max<Integer>(1, VisibleRows() - 1));
    if (target == -2) return false;
    if (count) MoveHighlight(target);
    return true;
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (FDropped ? KeyWhileOpen(Key, Shift) : KeyWhileClosed(Key, Shift)) Key = 0;
}

void TCustomComboBox::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key < 0x20 || Key == 0x7F || FItems->Count() == 0) return;
    ChooseByLetter(Key);
    Key = 0;
}

bool TCustomComboBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    const Integer notches = WheelDelta / 120;
    if (notches == 0) return true;
    if (FDropped) {
        ScrollList(-3 * notches);
    } else if (FItems->Count()) {
        Choose(std::clamp(FItemIndex - notches, 0, FItems->Count() - 1));
    }
    return true;
}

void TCustomComboBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const TPoint p = LParamToPoint(Message.LParam);
        if (FDropped) {
            // Captured while open: the point may be anywhere.
            const bool onFace = PtInRect(ClientRect(), p);
            ListPointer(maDown, mbLeft, ClientToScreen(p));
            if (onFace && FDropped) CloseList(false);
            return;
        }
        if (!Focused() && CanFocus()) SetFocus();
        if (!Enabled() || !Focused()) return;
        OpenList();
        FButtonHeld = FDropped;
        Invalidate();
        TCustomControl::Dispatch(Message);
        return;
    }
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (FDropped) {
            CloseList(false);
            return;
        }
        break;
    case WM_MOUSEMOVE:
        if (FDropped) {
            ListPointer(maMove, mbLeft, ClientToScreen(LParamToPoint(Message.LParam)));
            if (!PtInRect(ClientRect(), LParamToPoint(Message.LParam))) return;
        }
        break;
    case WM_LBUTTONUP:
        if (FDropped) {
            const TPoint p = LParamToPoint(Message.LParam);
            ListPointer(maUp, mbLeft, ClientToScreen(p));
            if (!PtInRect(ClientRect(), p)) return;
        }
        break;
    case WM_CAPTURECHANGED:
        if (FDropped && !MouseCapture()) CloseList(false);
        break;
    case WM_KILLFOCUS:
        CloseList(false);
        Invalidate();
        break;
    case WM_SETFOCUS:
        Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) CloseList(false);
        Invalidate();
        break;
    case CM_SHOWINGCHANGED:
        if (!Showing()) CloseList(false);
        break;
    case CM_TEXTCHANGED:
        // Text set by the program selects the item of that text, or none.
        if (!FSettingText && !HasState(csLoading)) FItemIndex = FItems->IndexOf(Text());
        Invalidate();
        break;
    case CM_FONTCHANGED:
        Invalidate();
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FDropped ? DLGC_WANTALLKEYS : 0);
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------- painting

void TCustomComboBox::Paint() {
    PaintFace(Canvas());
}

void TCustomComboBox::PaintFace(TCanvas* Canvas) {
    HDC dc = Canvas->Handle();
    TRect inner = ClientRect();
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const Integer buttonWidth = std::min(GetSystemMetrics(SM_CXVSCROLL), std::max(0, inner.Width()));
    const TRect button{inner.Right - buttonWidth, inner.Top, inner.Right, inner.Bottom};
    const TRect text{inner.Left, inner.Top, button.Left, inner.Bottom};

    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    Canvas->FillRect(text);
    Canvas->SetFont(Font());
    TRect field = text;
    InflateRect(field, -1, -1);
    const bool selected = Focused() && !FDropped && Enabled();
    if (selected) {
        Canvas->Brush()->SetColor(clHighlight);
        Canvas->FillRect(field);
        Canvas->Font()->SetColor(clHighlightText);
    } else if (!Enabled()) {
        Canvas->Font()->SetColor(clGrayText);
    }
    TRect caption = field;
    caption.Left += 1;
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(Canvas->Handle(), Text(), &caption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (selected) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clHighlight);
        Canvas->Font()->SetColor(clHighlightText);
        Canvas->DrawFocusRect(field);
    }

    TThemeServices* themes = ThemeServices();
    if (themes->ThemesEnabled()) {
        Integer state = CBXS_NORMAL;
        if (!Enabled())
            state = CBXS_DISABLED;
        else if (FButtonHeld)
            state = CBXS_PRESSED;
        themes->DrawElement(Canvas->Handle(), {teComboBox, CP_DROPDOWNBUTTON, state}, button);
    } else if (button.Width() > 0) {
        PaintArrowButton(Canvas, button, false, FButtonHeld, Enabled());
    }
}

void TCustomComboBox::PaintList(TCanvas* Canvas) {
    const Integer width = FList->Bounds().Width(), height = FList->Bounds().Height();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clWindowFrame);
    Canvas->FrameRect({0, 0, width, height});
    const Integer sb = HasScrollBar() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const Integer right = width - 1 - sb;
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect({1, 1, right, height - 1});
    Canvas->SetFont(Font());
    for (Integer row = 0; row < VisibleRows(); ++row) {
        const Integer index = FTopIndex + row;
        if (index >= FItems->Count()) break;
        const TRect r{1, 1 + row * FListItemHeight, right, 1 + (row + 1) * FListItemHeight};
        const bool lit = index == FHighlight;
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(lit ? clHighlight : Color());
        Canvas->FillRect(r);
        Canvas->Font()->SetColor(lit ? clHighlightText : Font()->Color());
        Canvas->Brush()->SetStyle(bsClear);
        TRect text = r;
        text.Left += 2;
        DrawText(Canvas->Handle(), FItems->Get(index), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (!sb) return;
    const TRect up{right, 1, width - 1, 1 + sb};
    const TRect down{right, height - 1 - sb, width - 1, height - 1};
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clScrollBar);
    Canvas->FillRect({right, up.Bottom, width - 1, down.Top});
    PaintArrowButton(Canvas, up, true, false, true);
    PaintArrowButton(Canvas, down, false, false, true);
    TRect thumb = ThumbRect(width, height);
    DrawEdge(Canvas->Handle(), &thumb, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
}

// ---------------------------------------------------------------- published

const TClassInfo& TCustomComboBox::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomComboBox>("TCustomComboBox", &TCustomControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TComboBox::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        RegisterEnumType<TComboBoxStyle>("TComboBoxStyle",
                                         {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                                          "csOwnerDrawVariable"});
        TClassBuilder<TComboBox> b("TComboBox", &TCustomComboBox::ClassInfo());
        PublishControlProperties(b, {"Color", "Enabled", "Font", "ParentColor", "ParentFont", "ParentShowHint",
                                     "ShowHint", "TabOrder", "TabStop", "Text", "Visible", "OnClick",
                                     "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp"});
        b.Qualify("ParentColor").Default(false).Qualify("TabStop").Default(true);
        b.Property("Style", &TComboBox::Style, &TComboBox::SetStyle)
            .Default(csDropDown)
            .Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
            .Default(8)
            .Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight)
            .Property("Items", &TComboBox::Items, &TComboBox::SetItems)
            .Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
            .Default(-1)
            .Event("OnChange", &TCustomComboBox::OnChange)
            .Event("OnSelect", &TCustomComboBox::OnSelect)
            .Event("OnDropDown", &TCustomComboBox::OnDropDown)
            .Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
        return b.Register();
    }();
    return info;
}
