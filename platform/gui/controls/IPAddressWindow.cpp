#include "platform/gui/controls/IPAddressWindow.h"
#include "platform/gui/gdi/Edges.h"

#include <algorithm>

namespace {
constexpr Integer Edge = 2; // the sunken edge around the fields
} // namespace

TIPAddressWindow::TIPAddressWindow(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle << csOpaque;
}

TRect TIPAddressWindow::EditArea() const {
    TRect r{0, 0, Width(), Height()};
    const_cast<TIPAddressWindow*>(this)->Perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

TRect TIPAddressWindow::FieldRect(Integer Field) const {
    const TRect area = EditArea();
    const Integer inner = std::max(0, area.Width() - 2 * Edge);
    const Integer left = area.Left + Edge + inner * Field / 4, right = area.Left + Edge + inner * (Field + 1) / 4;
    return {left, area.Top + Edge, right, std::max(area.Top + Edge, area.Bottom - Edge)};
}

// ================================================================ painting

void TIPAddressWindow::PaintWindow(HDC DC) {
    TCanvas canvas;
    canvas.SetHandle(DC);
    const TRect client = EditArea();
    canvas.Brush()->SetColor(Enabled() ? clWindow : clBtnFace);
    canvas.FillRect(client);
    TRect edge = client;
    DrawEdge(DC, &edge, EDGE_SUNKEN, BF_RECT);

    canvas.Font()->Assign(Font());
    canvas.Font()->SetColor(Enabled() ? clWindowText : clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    const bool focused = Focused();
    for (Integer i = 0; i < 4; ++i) {
        TRect r = FieldRect(i);
        const String& text = FFields[static_cast<size_t>(i)].Text;
        const Integer w = canvas.TextWidth(text), h = canvas.TextHeight("0");
        const Integer x = r.Left + (r.Width() - w) / 2, y = r.Top + (r.Height() - h) / 2;
        if (focused && i == FField && FSelectAll && !text.empty()) {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clHighlight);
            canvas.FillRect({x, y, x + w, y + h});
            canvas.Brush()->SetStyle(bsClear);
            canvas.Font()->SetColor(clHighlightText);
        }
        canvas.TextOut(x, y, text);
        canvas.Font()->SetColor(Enabled() ? clWindowText : clGrayText);
        if (i < 3) canvas.TextOut(r.Right - canvas.TextWidth(".") / 2, y, ".");
        if (focused && i == FField && !FSelectAll) {
            const Integer cx = x + canvas.TextWidth(text.substr(0, static_cast<size_t>(FCaret)));
            canvas.Pen()->SetColor(clWindowText);
            canvas.MoveTo(cx, y);
            canvas.LineTo(cx, y + h);
        }
    }
    canvas.SetHandle(nullptr);
}

// ================================================================ editing

void TIPAddressWindow::Changed() {
    Perform(CN_COMMAND, MakeWParam(0, EN_CHANGE), static_cast<LPARAM>(HandleAllocated() ? Handle() : 0));
}

void TIPAddressWindow::SetFieldText(Integer Field, const String& Text) {
    TField& f = FFields[static_cast<size_t>(Field)];
    if (f.Text == Text) return;
    f.Text = Text;
    if (Field == FField) FCaret = std::min<Integer>(FCaret, static_cast<Integer>(Text.size()));
    Invalidate();
    Changed();
}

void TIPAddressWindow::ConstrainField() {
    if (HasState(csDestroying)) return; // a window going away tells nobody
    TField& f = FFields[static_cast<size_t>(FField)];
    const Integer value = f.Text.empty() ? -1 : StrToIntDef(f.Text, 0);
    NMIPADDRESS n;
    n.hdr.hwndFrom = HandleAllocated() ? Handle() : 0;
    n.hdr.code = IPN_FIELDCHANGED;
    n.iField = FField;
    n.iValue = value;
    Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    Integer v = n.iValue;
    if (v != -1) v = std::clamp<Integer>(v, f.Low, f.High);
    SetFieldText(FField, v == -1 ? String() : IntToStr(v));
}

void TIPAddressWindow::GoToField(Integer Field, Integer Caret, bool SelectAll) {
    Field = std::clamp<Integer>(Field, 0, 3);
    if (Field != FField) {
        ConstrainField();
        FField = Field;
    }
    const Integer length = static_cast<Integer>(FFields[static_cast<size_t>(Field)].Text.size());
    FCaret = Caret < 0 ? length : std::min(Caret, length);
    FSelectAll = SelectAll;
    Invalidate();
}

void TIPAddressWindow::TypeChar(char32_t Char) {
    TField& f = FFields[static_cast<size_t>(FField)];
    if (Char == '.' || Char == ' ') {
        if (FField < 3 && !f.Text.empty() && !FSelectAll) GoToField(FField + 1, -1, true);
        return;
    }
    if (Char == VK_BACK) {
        if (FSelectAll) {
            FSelectAll = false;
            FCaret = 0;
            SetFieldText(FField, String());
        } else if (FCaret > 0) {
            String t = f.Text;
            t.erase(static_cast<size_t>(FCaret - 1), 1);
            --FCaret;
            SetFieldText(FField, t);
        } else if (FField > 0) {
            GoToField(FField - 1, -1, false);
        }
        Invalidate();
        return;
    }
    if (Char < '0' || Char > '9') return;
    if (FSelectAll) {
        // The digit replaces the selected field: one change.
        FSelectAll = false;
        FCaret = 1;
        SetFieldText(FField, String(1, static_cast<char>(Char)));
        return;
    }
    if (f.Text.size() >= 3) {
        // A full field: the digit starts the next one.
        if (FField == 3 || FCaret < 3) return;
        GoToField(FField + 1, 0, true);
        TypeChar(Char);
        return;
    }
    String t = f.Text;
    t.insert(static_cast<size_t>(FCaret), 1, static_cast<char>(Char));
    ++FCaret;
    SetFieldText(FField, t);
    if (t.size() == 3 && FCaret == 3 && FField < 3) GoToField(FField + 1, -1, true);
}

void TIPAddressWindow::KeyDownDefault(Word Key) {
    const Integer length = static_cast<Integer>(FFields[static_cast<size_t>(FField)].Text.size());
    switch (Key) {
    case VK_LEFT:
        if (FSelectAll || FCaret > 0)
            GoToField(FField, FSelectAll ? 0 : FCaret - 1, false);
        else if (FField > 0)
            GoToField(FField - 1, -1, false);
        break;
    case VK_RIGHT:
        if (FSelectAll || FCaret < length)
            GoToField(FField, FSelectAll ? length : FCaret + 1, false);
        else if (FField < 3)
            GoToField(FField + 1, 0, false);
        break;
    case VK_HOME:
        GoToField(0, 0, false);
        break;
    case VK_END:
        GoToField(3, -1, false);
        break;
    case VK_DELETE: {
        String t = FFields[static_cast<size_t>(FField)].Text;
        if (FSelectAll) {
            t.clear();
            FCaret = 0;
            FSelectAll = false;
        } else if (FCaret < length) {
            t.erase(static_cast<size_t>(FCaret), 1);
        }
        SetFieldText(FField, t);
        break;
    }
    default:
        break;
    }
}

// ================================================================ messages

void TIPAddressWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::Dispatch(Message);
    // The non-client parts (a bevel) are painted over what the paint left.
    if (Message.Msg == WM_PAINT && HandleAllocated()) Perform(WM_NCPAINT, 1);
}

void TIPAddressWindow::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        KeyDownDefault(static_cast<Word>(Message.WParam));
        return;
    case WM_CHAR:
        TypeChar(static_cast<char32_t>(Message.WParam));
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const TPoint p = LParamToPoint(Message.LParam);
        Integer field = 0;
        while (field < 3 && p.X >= FieldRect(field).Right)
            ++field;
        if (CanFocus() && !Focused()) SetFocus();
        GoToField(field, -1, Message.Msg == WM_LBUTTONDBLCLK);
        return;
    }
    case WM_SETFOCUS:
        // Focus comes to the first field, selected whole.
        FField = 0;
        FCaret = static_cast<Integer>(FFields[0].Text.size());
        FSelectAll = true;
        Invalidate();
        return;
    case WM_KILLFOCUS:
        ConstrainField();
        Invalidate();
        return;
    case IPM_CLEARADDRESS:
    case IPM_SETADDRESS: {
        const std::uint32_t a = static_cast<std::uint32_t>(Message.LParam);
        bool changed = false;
        for (Integer i = 0; i < 4; ++i) {
            String t = Message.Msg == IPM_CLEARADDRESS ? String() : IntToStr((a >> (24 - 8 * i)) & 0xFF);
            TField& f = FFields[static_cast<size_t>(i)];
            if (f.Text != t) changed = true;
            f.Text = t;
        }
        FCaret =
            std::min<Integer>(FCaret, static_cast<Integer>(FFields[static_cast<size_t>(FField)].Text.size()));
        Message.Result = 1;
        if (changed) {
            Invalidate();
            Changed();
        }
        return;
    }
    case IPM_GETADDRESS: {
        std::uint32_t a = 0;
        Integer filled = 0;
        for (const TField& f : FFields) {
            a = (a << 8) | static_cast<std::uint32_t>(f.Text.empty() ? 0 : StrToIntDef(f.Text, 0) & 0xFF);
            if (!f.Text.empty()) ++filled;
        }
        if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = a;
        Message.Result = filled;
        return;
    }
    case IPM_SETRANGE:
        if (Message.WParam > 3) {
            Message.Result = 0;
            return;
        }
        FFields[Message.WParam].Low = static_cast<Byte>(Message.LParam & 0xFF);
        FFields[Message.WParam].High = static_cast<Byte>((Message.LParam >> 8) & 0xFF);
        Message.Result = 1;
        return;
    case IPM_SETFOCUS:
        if (CanFocus() && !Focused()) SetFocus();
        GoToField(static_cast<Integer>(Message.WParam & 3), -1, true);
        return;
    case IPM_ISBLANK:
        Message.Result =
            std::all_of(FFields.begin(), FFields.end(), [](const TField& f) { return f.Text.empty(); });
        return;
    default:
        TWinControl::DefaultHandler(Message);
        return;
    }
}
