#include "controls/ipaddress/ComCtrlsAdds.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/rtl/Guards.h"

// ================================================================ text

String IPAddrToStr(Cardinal Address) {
    String s;
    for (Integer n = 0; n < 4; ++n) {
        if (n) s += '.';
        s += IntToStr((Address >> (24 - 8 * n)) & 0xFF);
    }
    return s;
}

Cardinal StrToIPAddr(const String& Text) {
    const auto invalid = [&Text]() { return EConvertError(Text + " is not a valid IP address"); };
    String rest = Text;
    Cardinal address = 0;
    for (Integer n = 0; n < 4; ++n) {
        const size_t dot = rest.find('.');
        const String part = rest.substr(0, dot);
        Integer value = 0;
        if (part.empty() || !TryStrToInt(part, value) || value < 0 || value > 255) throw invalid();
        rest = dot == String::npos ? String() : rest.substr(dot + 1);
        address = (address << 8) | static_cast<Cardinal>(value);
    }
    return address;
}

// ================================================================ TIPAddress

TIPAddress::TIPAddress(TComponent* AOwner) try : TIPAddressWindow(AOwner) {
    SetBounds(Left(), Top(), 120, 25);
    SetTabStop(true);
    SetParentColor(true);
    SendRanges();
    FAutoSize = true;
    ApplyAutoSize();
} catch (const std::exception&) {
    throw Exception("Create Error");
}

TIPAddress::~TIPAddress() {
    FAddress = 0;
}

void TIPAddress::CreateWnd() {
    TRestoreOnExit<bool> creating(FCreating, true);
    TIPAddressWindow::CreateWnd();
    if (HandleAllocated()) Perform(IPM_SETADDRESS, 0, static_cast<LPARAM>(FAddress));
    SendRanges();
    ApplyAutoSize();
}

void TIPAddress::Refresh() {
    if (!HandleAllocated()) return;
    DWORD a = 0;
    Perform(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a));
    FAddress = a;
}

String TIPAddress::Address() {
    Refresh();
    return IPAddrToStr(FAddress);
}

void TIPAddress::SetAddress(const String& Value) {
    SetWinAddress(StrToIPAddr(Value));
}

Cardinal TIPAddress::WinAddress() {
    Refresh();
    return FAddress;
}

void TIPAddress::SetWinAddress(Cardinal Value) {
    FAddress = Value;
    if (HandleAllocated()) Perform(IPM_SETADDRESS, 0, static_cast<LPARAM>(Value));
}

void TIPAddress::SendRanges() {
    if (!HandleAllocated()) return;
    for (Integer i = 0; i < 4; ++i)
        Perform(IPM_SETRANGE, static_cast<WPARAM>(i),
                MAKEIPRANGE(FRanges[static_cast<size_t>(i)].Low, FRanges[static_cast<size_t>(i)].High));
}

void TIPAddress::SetFieldLowRange(Integer Field, Byte Value) {
    TRange& r = FRanges[static_cast<size_t>(Field)];
    if (Value == r.Low) return;
    r.Low = Value;
    if (r.High < Value) r.High = Value;
    SendRanges();
}

void TIPAddress::SetFieldHighRange(Integer Field, Byte Value) {
    TRange& r = FRanges[static_cast<size_t>(Field)];
    if (Value == r.High) return;
    r.High = Value;
    if (r.Low > Value) r.Low = Value;
    SendRanges();
}

// The height of the font's text and a border allowance of eight border
// widths (six without Ctl3D).
void TIPAddress::AdjustHeight() {
    HDC dc = GetDC(0);
    HGDIOBJ old = SelectObject(dc, AsGdiObj(Font()->Handle()));
    TTextMetric font;
    GetTextMetrics(dc, &font);
    SelectObject(dc, old);
    ReleaseDC(0, dc);
    SetHeight(font.tmHeight + GetSystemMetrics(SM_CYBORDER) * (Ctl3D() ? 8 : 6));
}

void TIPAddress::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    ApplyAutoSize();
}

// On: the height is fixed and follows the font. Off: the height is the
// control's own (a stored one is kept when the window is made).
void TIPAddress::ApplyAutoSize() {
    if (FAutoSize) {
        FControlStyle << csFixedHeight;
        AdjustHeight();
    } else {
        FControlStyle >> csFixedHeight;
    }
}

void TIPAddress::Change() {
    if (OnChange) OnChange(this);
}

void TIPAddress::CNCommand(TMessage& Message) {
    if (HiWord(Message.WParam) == EN_CHANGE && !FCreating) Change();
}

// Only the field-changed notification reaches the handler, and what it
// returns is brought into the field's range (-1, a blank field, stays).
void TIPAddress::CNNotify(TMessage& Message) {
    auto* n = reinterpret_cast<NMIPADDRESS*>(Message.LParam);
    if (!n || n->hdr.code != IPN_FIELDCHANGED || !OnIPFieldChange) return;
    if (n->iField < 0 || n->iField > 3) return;
    Integer value = n->iValue;
    OnIPFieldChange(n->iField, value);
    const TRange& r = FRanges[static_cast<size_t>(n->iField)];
    if (value != -1) value = std::clamp<Integer>(value, r.Low, r.High);
    n->iValue = value;
}

void TIPAddress::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        CNCommand(Message);
        break;
    case CN_NOTIFY:
        CNNotify(Message);
        break;
    case CM_FONTCHANGED:
    case CM_CTL3DCHANGED:
        TIPAddressWindow::Dispatch(Message);
        if (FControlStyle.Contains(csFixedHeight)) AdjustHeight();
        break;
    case WM_CONTEXTMENU:
        if (CanFocus()) SetFocus();
        TIPAddressWindow::Dispatch(Message);
        break;
    default:
        TIPAddressWindow::Dispatch(Message);
        break;
    }
}

// ================================================================ published

const TClassInfo& TIPAddress::ClassInfo() {
    using T = TIPAddress;
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TIPAddress", &TWinControl::ClassInfo());
        // Reading the address asks the window for it.
        b.Property(
             "Address", [](const T* c) { return const_cast<T*>(c)->Address(); }, &T::SetAddress)
            .Property("AutoSize", &T::AutoSize, &T::SetAutoSize)
            .Default(true)
            .Property(
                "WinAddress", [](const T* c) { return const_cast<T*>(c)->WinAddress(); }, &T::SetWinAddress);
        static const char* names[4][2] = {{"Field0LowRange", "Field0HighRange"},
                                          {"Field1LowRange", "Field1HighRange"},
                                          {"Field2LowRange", "Field2HighRange"},
                                          {"Field3LowRange", "Field3HighRange"}};
        for (Integer f = 0; f < 4; ++f) {
            b.Property(
                 names[f][0], [f](const T* c) { return c->FieldLowRange(f); },
                 [f](T* c, Byte v) { c->SetFieldLowRange(f, v); })
                .Default(0)
                .Property(
                    names[f][1], [f](const T* c) { return c->FieldHighRange(f); },
                    [f](T* c, Byte v) { c->SetFieldHighRange(f, v); })
                .Default(255);
        }
        b.Event("OnChange", &T::OnChange).Event("OnIPFieldChange", &T::OnIPFieldChange);
        PublishControlProperties(
            b, {"Anchors",    "BevelEdges",  "BevelInner",     "BevelKind",   "BevelOuter",  "BiDiMode",
                "Color",      "Constraints", "Ctl3D",          "DragCursor",  "DragKind",    "DragMode",
                "Enabled",    "Font",        "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                "ParentShowHint", "PopupMenu", "ShowHint",     "TabOrder",    "TabStop",     "Visible",
                "OnClick",    "OnContextPopup", "OnDblClick",  "OnDragDrop",  "OnDragOver",  "OnEndDock",
                "OnEndDrag",  "OnEnter",     "OnExit",         "OnKeyDown",   "OnKeyPress",  "OnKeyUp",
                "OnMouseDown", "OnMouseMove", "OnMouseUp",     "OnStartDock", "OnStartDrag"});
        b.Qualify("TabStop").Default(true);
        return b.Register();
    }();
    return info;
}

void RegisterComCtrlsAddsClasses() {
    RegisterClasses({&TIPAddress::ClassInfo()});
}
