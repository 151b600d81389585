#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Clipboard.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/TextWidget.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/Guards.h"
#include "platform/sys/Beep.h"

namespace {

bool IsMouseMessage(Cardinal Msg) {
    return Msg >= WM_MOUSEFIRST && Msg <= WM_MBUTTONDBLCLK;
}

// A typed character in the edit's CharCase (ASCII letters convert).
char32_t InCharCase(TEditCharCase Case, char32_t C) {
    if (C >= 0x80) return C;
    if (Case == ecUpperCase) return static_cast<char32_t>(std::toupper(static_cast<int>(C)));
    if (Case == ecLowerCase) return static_cast<char32_t>(std::tolower(static_cast<int>(C)));
    return C;
}

} // namespace

// The lines of a memo: the text widget's document while the window exists,
// a list of their own before.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    TTextWidget* Widget() const { return FMemo->TextWidget(); }
    TStringList& Pending() { return FPending; }
    const TStringList& Pending() const { return FPending; }

    Integer Count() const override {
        TTextWidget* w = Widget();
        if (!w) return FPending.Count();
        const Integer blocks = w->LineCount();
        // The empty block after a final line break is no line.
        if (blocks == 1) return w->TextLength() == 0 ? 0 : 1;
        return w->Line(blocks - 1).empty() ? blocks - 1 : blocks;
    }

    String Get(Integer Index) const override {
        if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
        TTextWidget* w = Widget();
        return w ? w->Line(Index) : FPending.Get(Index);
    }

    void Put(Integer Index, const String& S) override {
        if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
        if (TTextWidget* w = Widget())
            w->PutLine(Index, S);
        else
            FPending.Put(Index, S);
    }

    Integer Add(const String& S) override {
        TTextWidget* w = Widget();
        if (!w) return FPending.Add(S);
        const Integer index = w->AppendLine(S);
        FMemo->Change(); // as an insertion into the window's text reports it
        return index;
    }

    void Insert(Integer Index, const String& S) override {
        const Integer count = Count();
        if (Index < 0 || Index > count) Error("List index out of bounds (%d)", Index);
        if (Index == count) {
            Add(S);
            return;
        }
        if (TTextWidget* w = Widget())
            w->InsertLine(Index, S);
        else
            FPending.Insert(Index, S);
    }

    void Delete(Integer Index) override {
        if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
        if (TTextWidget* w = Widget())
            w->DeleteLine(Index);
        else
            FPending.Delete(Index);
    }

    void Clear() override {
        if (TTextWidget* w = Widget())
            w->SetText(String());
        else
            FPending.Clear();
    }

    String Text() const override {
        if (TTextWidget* w = Widget()) {
            String text = w->Text();
            if (!text.empty() && text.back() != '\n') text += sLineBreak;
            return text;
        }
        return FPending.Text();
    }

    void SetText(const String& Value) override {
        if (TTextWidget* w = Widget())
            w->SetText(Value);
        else
            FPending.SetText(Value);
    }

    // The lines as the window's text: joined, no break after the last.
    String JoinedText() const {
        String text;
        for (Integer i = 0; i < FPending.Count(); ++i) {
            if (i) text += sLineBreak;
            text += FPending.Get(i);
        }
        return text;
    }

private:
    TCustomMemo* FMemo;
    TStringList FPending;
};

namespace {

void FillLine(HDC DC, Integer L, Integer T, Integer R, Integer B, TColor Color) {
    const TRect r{L, T, R, B};
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    FillRect(DC, &r, brush);
    DeleteObject(AsGdiObj(brush));
}

} // namespace

const TTypeInfo* EditCharCaseTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TEditCharCase>("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    return type;
}

const TTypeInfo* ScrollStyleTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TScrollStyle>("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    return type;
}

// ================================================================ TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& Params) {
    const String text = Text(); // before the text widget answers for it
    TWinControl::CreateWindowHandle(Params);
    FWidget = std::make_unique<TTextWidget>(this, TWindowAccess::Widget(this), MultiLine());
    Surface()->SetKeyWidget(FWidget->Widget());
    FWidget->SetText(text, false);
    FWidget->SetModified(false);
    // The read-only style is the window's from its creation on; a change of
    // colour, font or focus leaves it as EM_SETREADONLY set it.
    FWidget->SetReadOnly(Params.Style & ES_READONLY);
    ApplyAppearance();
    UpdateTextRect();
}

void TCustomEdit::DestroyWnd() {
    if (FWidget) {
        // The text outlives the window.
        String text = FWidget->Text();
        std::unique_ptr<TTextWidget> widget = std::move(FWidget);
        widget.reset();
        TMessage m = MakeMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text));
        Dispatch(m);
    }
    TWinControl::DestroyWnd();
}

void TCustomEdit::ApplyAppearance() {
    if (!FWidget) return;
    FWidget->ShowSelection(!FHideSelection || Focused());
    FWidget->SetColors(Color(), Font()->Color());
    FWidget->SetFont(Font());
    FWidget->SetAlignment(WindowParams().Style);
    FWidget->SetMaxLength(FMaxLength);
    FWidget->SetPasswordChar(FPasswordChar);
    FWidget->Widget()->setEnabled(Enabled());
    FWidget->SetInputMethod(ImeMode() != imDisable, ImeMode() == imAlpha || ImeMode() == imSAlpha);
}

void TCustomEdit::UpdateTextRect() {
    TRect r{0, 0, Width(), Height()};
    Perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    FTextRect = r;
    if (FWidget) FWidget->SetGeometry(r);
}

void TCustomEdit::BoundsChanged(const TRect& OldBounds) {
    TWinControl::BoundsChanged(OldBounds);
    if (FWidget) UpdateTextRect();
}

void TCustomEdit::TextWidgetChanged() {
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::SetReadOnly(bool Value) {
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    if (FWidget) FWidget->SetReadOnly(Value);
}

void TCustomEdit::SetMaxLength(Integer Value) {
    FMaxLength = std::max(0, Value);
    if (FWidget) FWidget->SetMaxLength(FMaxLength);
}

void TCustomEdit::SetPasswordChar(char Value) {
    FPasswordChar = Value;
    if (FWidget) FWidget->SetPasswordChar(Value);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}


Integer TCustomEdit::SelStart() const {
    return FWidget ? FWidget->SelStart() : 0;
}

void TCustomEdit::SetSelStart(Integer Value) {
    if (FWidget) FWidget->SetSel(Value, Value);
}

Integer TCustomEdit::SelLength() const {
    return FWidget ? FWidget->SelEnd() - FWidget->SelStart() : 0;
}

void TCustomEdit::SetSelLength(Integer Value) {
    if (FWidget) FWidget->SetSel(FWidget->SelStart(), FWidget->SelStart() + Value);
}

String TCustomEdit::SelText() const {
    if (!FWidget) return String();
    const String text = FWidget->Text();
    const Integer start = FWidget->SelStart(), end = FWidget->SelEnd();
    // Indexes count characters; the text is UTF-8.
    const QString q = QString::fromStdString(text);
    return q.mid(start, end - start).toStdString();
}

void TCustomEdit::SetSelText(const String& Value) {
    if (FWidget) FWidget->ReplaceSel(Value);
}

void TCustomEdit::SelectAll() {
    if (FWidget) FWidget->SetSel(0, -1);
}

void TCustomEdit::Clear() {
    SetText(String());
}

void TCustomEdit::ClearSelection() {
    if (FWidget && SelLength() > 0) FWidget->ReplaceSel(String());
}

void TCustomEdit::CopyToClipboard() {
    if (FWidget) FWidget->Copy();
}

void TCustomEdit::CutToClipboard() {
    Perform(WM_CUT);
}

void TCustomEdit::PasteFromClipboard() {
    Perform(WM_PASTE);
}

void TCustomEdit::Undo() {
    if (FWidget) FWidget->Undo();
}

bool TCustomEdit::Modified() const {
    return FWidget ? FWidget->Modified() : FModifiedBeforeWindow;
}

void TCustomEdit::SetModified(bool Value) {
    FModifiedBeforeWindow = Value;
    if (FWidget) FWidget->SetModified(Value);
}

bool TCustomEdit::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (TWinControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!FWidget || !MultiLine()) return false;
    FWidget->DeliverWheel(WheelDelta);
    return true;
}

// ---------------------------------------------------------------- messages

void TCustomEdit::WndProc(TMessage& Message) {
    // A key the program posts to the window (key data 0) is offered as a
    // dialog key first, as the input path offers typed keys: a posted Tab
    // moves the focus.
    if (Message.Msg == WM_KEYDOWN && Message.LParam == 0 && Perform(CN_KEYDOWN, Message.WParam, 0) != 0) return;
    // The window learns where the pointer is before each mouse message, and
    // the cursor follows the region under it.
    if (IsMouseMessage(Message.Msg) && HandleAllocated())
        Perform(WM_NCHITTEST, 0, PointToLParam(ClientToScreen(LParamToPoint(Message.LParam))));
    else if (Message.Msg == WM_SETCURSOR && HandleAllocated() && Message.WParam == static_cast<WPARAM>(Handle())) {
        const LRESULT hit = Perform(WM_NCHITTEST, 0, PointToLParam(GetCursorPos()));
        Message.LParam = MakeLParam(static_cast<Word>(hit), HiWord(static_cast<std::uintptr_t>(Message.LParam)));
    }
    TWinControl::WndProc(Message);
}

void TCustomEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT:
        if (FWidget) {
            const auto* text = reinterpret_cast<const String*>(Message.LParam);
            const String value = text ? *text : String();
            if (FWidget->Text() != value) FWidget->SetText(value);
            Perform(CM_TEXTCHANGED);
            return;
        }
        break;
    case WM_GETTEXT:
        if (FWidget) {
            const String text = FWidget->Text();
            if (auto* out = reinterpret_cast<String*>(Message.LParam)) *out = text;
            Message.Result = static_cast<LRESULT>(text.size());
            return;
        }
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        return;
    case WM_NCCALCSIZE:
        WMNCCalcSize(Message);
        return;
    case WM_NCHITTEST: {
        const TPoint p = ScreenToClient(LParamToPoint(Message.LParam));
        Message.Result = NonClientHitTest(p, Width(), Height(), BorderInset(FBorderStyle, Ctl3D()), FTextRect);
        return;
    }
    case WM_NCPAINT:
        WMNCPaint(Message);
        return;
    case WM_PAINT:
        // The non-client parts are painted over what the paint left.
        TWinControl::Dispatch(Message);
        if (HandleAllocated()) Perform(WM_NCPAINT, 1);
        return;
    case WM_SETCURSOR:
        WMSetCursor(Message);
        return;
    case CM_ENTER:
        if (FAutoSelect && !FControlState.Contains(csLButtonDown) && !MultiLine()) SelectAll();
        break;
    case CM_CTL3DCHANGED:
    case CM_BIDIMODECHANGED:
        // The border and the reading order are the window's styles.
        TWinControl::Dispatch(Message);
        RecreateWnd();
        return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::Dispatch(Message);
        ApplyAppearance();
        return;
    default:
        break;
    }
    TWinControl::Dispatch(Message);
    if (IsMouseMessage(Message.Msg)) DefaultHandler(Message);
}

void TCustomEdit::WMNCCalcSize(TMessage& Message) {
    auto* r = reinterpret_cast<TRect*>(Message.LParam);
    if (!r) return;
    AdjustForBevel(*r);
    const Integer border = BorderInset(FBorderStyle, Ctl3D());
    InflateRect(*r, -border, -border);
    if (r->Right < r->Left) r->Right = r->Left;
    if (r->Bottom < r->Top) r->Bottom = r->Top;
}

void TCustomEdit::WMNCPaint(TMessage& Message) {
    // The bevel outside, the border inside it.
    TWinControl::Dispatch(Message);
    Message.Result = 0;
    if (FBorderStyle != bsSingle || !HandleAllocated()) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    TRect b{0, 0, Width(), Height()};
    AdjustForBevel(b);
    const Integer x = b.Left, y = b.Top, w = b.Right, h = b.Bottom;
    if (Ctl3D()) {
        // The sunken client edge: shadow over dark shadow at the top left,
        // highlight over light at the bottom right.
        const TColor tl[2] = {clBtnShadow, cl3DDkShadow}, br[2] = {clBtnHighlight, cl3DLight};
        for (Integer i = 0; i < 2; ++i) {
            FillLine(dc, x + i, y + i, w - 1 - i, y + i + 1, tl[i]);
            FillLine(dc, x + i, y + i, x + i + 1, h - 1 - i, tl[i]);
            FillLine(dc, w - 1 - i, y + i, w - i, h - i, br[i]);
            FillLine(dc, x + i, h - 1 - i, w - i, h - i, br[i]);
        }
    } else {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(clWindowFrame));
        FrameRect(dc, &b, brush);
        DeleteObject(AsGdiObj(brush));
    }
    ReleaseDC(Handle(), dc);
}

void TCustomEdit::WMSetCursor(TMessage& Message) {
    if (Message.WParam != static_cast<WPARAM>(Handle())) return;
    const LRESULT hit = static_cast<SmallInt>(LoWord(static_cast<std::uintptr_t>(Message.LParam)));
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) cursor = NonClientCursor(hit, Cursor());
    ::SetCursor(Screen->Cursors(cursor));
    Message.Result = 1;
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
    if (!FWidget) {
        TWinControl::DefaultHandler(Message);
        return;
    }
    TTextWidget& w = *FWidget;
    switch (Message.Msg) {
    case WM_CONTEXTMENU: {
        TPoint at = LParamToPoint(Message.LParam);
        if (at.X == -1 && at.Y == -1) at = ClientToScreen({FTextRect.Left, FTextRect.Top});
        w.ShowStandardMenu(at);
        Message.Result = 1;
        return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        w.DeliverKey(static_cast<Word>(Message.WParam), KeyDataToShiftState(Message.LParam) + KeyboardStateToShiftState(), true);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        w.DeliverKey(static_cast<Word>(Message.WParam), KeyDataToShiftState(Message.LParam) + KeyboardStateToShiftState(), false);
        break;
    case WM_CHAR: {
        w.DeliverChar(InCharCase(FCharCase, static_cast<char32_t>(Message.WParam)));
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        // A press on the non-client parts is not the text's.
        if (PtInRect(FTextRect, LParamToPoint(Message.LParam)))
            w.DeliverMouse(Message.Msg, Message.WParam, LParamToPoint(Message.LParam));
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        w.DeliverMouse(Message.Msg, Message.WParam, LParamToPoint(Message.LParam));
        break;
    case WM_COPY: w.Copy(); break;
    case WM_CUT: w.Cut(); break;
    case WM_PASTE: w.Paste(); break;
    case EM_GETSEL: {
        const Integer start = w.SelStart(), end = w.SelEnd();
        if (auto* p = reinterpret_cast<DWORD*>(Message.WParam)) *p = static_cast<DWORD>(start);
        if (auto* p = reinterpret_cast<DWORD*>(Message.LParam)) *p = static_cast<DWORD>(end);
        Message.Result = MakeLParam(static_cast<Word>(start), static_cast<Word>(end));
        break;
    }
    case EM_SETSEL:
        w.SetSel(static_cast<Integer>(Message.WParam), static_cast<Integer>(Message.LParam));
        break;
    case EM_SCROLL: {
        bool moved = false;
        switch (Message.WParam) {
        case SB_LINEUP: moved = w.ScrollLines(-1); break;
        case SB_LINEDOWN: moved = w.ScrollLines(1); break;
        case SB_PAGEUP: moved = w.ScrollPages(-1); break;
        case SB_PAGEDOWN: moved = w.ScrollPages(1); break;
        default: break;
        }
        Message.Result = moved ? MakeLParam(1, 1) : 0;
        break;
    }
    case EM_LINESCROLL:
        w.ScrollLines(static_cast<Integer>(Message.LParam));
        Message.Result = 1;
        break;
    case EM_SCROLLCARET: w.ScrollToCaret(); break;
    case EM_GETMODIFY: Message.Result = w.Modified(); break;
    case EM_SETMODIFY: w.SetModified(Message.WParam != 0); break;
    case EM_GETLINECOUNT: Message.Result = w.LineCount(); break;
    case EM_LINEINDEX: Message.Result = w.LineIndex(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam))); break;
    case EM_LINELENGTH: Message.Result = w.LineLength(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam))); break;
    case EM_LINEFROMCHAR: Message.Result = w.LineFromChar(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam))); break;
    case EM_REPLACESEL:
        if (auto* text = reinterpret_cast<const String*>(Message.LParam)) w.ReplaceSel(*text);
        break;
    case EM_LIMITTEXT: SetMaxLength(static_cast<Integer>(Message.WParam)); break;
    case EM_CANUNDO: Message.Result = w.CanUndo(); break;
    case EM_UNDO: w.Undo(); Message.Result = 1; break;
    case EM_GETFIRSTVISIBLELINE: Message.Result = w.FirstVisibleLine(); break;
    // The window's read-only style alone: the control's ReadOnly property
    // is what the window takes again when it is made anew.
    case EM_SETREADONLY: w.SetReadOnly(Message.WParam != 0); Message.Result = 1; break;
    case EM_CHARFROMPOS: {
        TPoint p = LParamToPoint(Message.LParam);
        p.X -= FTextRect.Left;
        p.Y -= FTextRect.Top;
        Integer index = 0, line = 0;
        Message.Result = w.CharFromPos(p, index, line)
                             ? MakeLParam(static_cast<Word>(index), static_cast<Word>(line))
                             : static_cast<LRESULT>(-1);
        break;
    }
    case EM_SETCUEBANNER:
        if (auto* text = reinterpret_cast<const String*>(Message.LParam)) w.SetCueBanner(*text, Message.WParam != 0);
        Message.Result = 1;
        break;
    default:
        TWinControl::DefaultHandler(Message);
        break;
    }
}

const TClassInfo& TCustomEdit::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::ClassInfo()).Register();
    return info;
}

// ================================================================ TCustomMaskEdit

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

namespace {

// The mask counts characters; the edit's texts are UTF-8.
std::u32string Chars(const String& Value) {
    return QString::fromStdString(Value).toStdU32String();
}

String Utf8(const std::u32string& Value) {
    return QString::fromStdU32String(Value).toStdString();
}

} // namespace

void TCustomMaskEdit::SetEditMask(const String& Value) {
    if (Value == FEditMask) return;
    const String text = Text();
    FEditMask = Value;
    FMask = TEditMask(Chars(Value));
    SetRawText(IsMasked() ? Utf8(FMask.Format(Chars(text))) : text);
}

String TCustomMaskEdit::RawText() const {
    String text;
    TMessage m = MakeMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    const_cast<TCustomMaskEdit*>(this)->TCustomEdit::Dispatch(m);
    return text;
}

void TCustomMaskEdit::SetRawText(const String& Value) {
    String text = Value;
    TMessage m = MakeMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    TCustomEdit::Dispatch(m);
}

String TCustomMaskEdit::EditText() const {
    return RawText();
}

void TCustomMaskEdit::SetEditText(const String& Value) {
    SetRawText(IsMasked() ? Utf8(FMask.Format(Chars(Value), true)) : Value);
}

void TCustomMaskEdit::CreateWindowHandle(const TCreateParams& Params) {
    const String edit = RawText();
    TCustomEdit::CreateWindowHandle(Params);
    // The window started with Text; it shows the formatted text.
    if (IsMasked()) TextWidget()->SetText(edit, false);
}

void TCustomMaskEdit::DestroyWnd() {
    const String edit = RawText();
    const bool hadWindow = TextWidget() != nullptr;
    TCustomEdit::DestroyWnd();
    // The window handed its formatted text on as Text: it is kept as it was.
    if (hadWindow && IsMasked()) SetRawText(edit);
}

void TCustomMaskEdit::PutEdited(const std::u32string& EditText, Integer Caret) {
    TTextWidget* w = TextWidget();
    if (!w) return;
    w->SetText(Utf8(EditText));
    w->SetModified(true);
    w->SetSel(Caret, Caret);
}

void TCustomMaskEdit::EraseSelection(bool Backward) {
    TTextWidget* w = TextWidget();
    std::u32string edit = Chars(w->Text());
    Integer start = w->SelStart(), end = w->SelEnd();
    if (start == end) {
        if (Backward) start = FMask.PreviousInput(start);
        if (start < 0) return; // nothing before the caret to erase
        end = start + 1;
    }
    FMask.Erase(edit, start, end);
    PutEdited(edit, start);
}

void TCustomMaskEdit::PasteText(const String& Value) {
    TTextWidget* w = TextWidget();
    std::u32string edit = Chars(w->Text());
    Integer caret = w->SelStart();
    FMask.Erase(edit, caret, w->SelEnd());
    bool refused = false;
    for (char32_t c : Chars(Value))
        if (c >= 0x20 && !FMask.Type(edit, caret, c)) {
            refused = true; // the rest of the text has no place either
            break;
        }
    PutEdited(edit, caret);
    if (refused) MessageBeep(0);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || !TextWidget() || Key == 0) return;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if (Key == VK_ESCAPE) {
        if (!Modified()) return;
        SetEditText(FOldValue);
        SetModified(false);
        SetSelStart(0);
        Key = 0;
        return;
    }
    const Word key = Key;
    const bool cut = (key == VK_DELETE && shift) || (key == 'X' && ctrl);
    const bool paste = (key == VK_INSERT && shift) || (key == 'V' && ctrl);
    const bool erase = key == VK_BACK || key == VK_DELETE;
    // The widget's other editing shortcuts (undo, word and line deletion)
    // would break the format: only moves, selection and copying reach it.
    const bool otherEdit = ctrl && key >= 'A' && key <= 'Z' && key != 'A' && key != 'C';
    if (!cut && !paste && !erase && !otherEdit) return;
    Key = 0;
    if (cut)
        CutToClipboard();
    else if (paste)
        PasteFromClipboard();
    else if (erase && !ReadOnly())
        EraseSelection(key == VK_BACK);
}

void TCustomMaskEdit::KeyPress(char32_t& Key) {
    TCustomEdit::KeyPress(Key);
    if (!IsMasked() || !TextWidget() || Key < 0x20 || Key == 0x7F) return;
    const char32_t typed = InCharCase(CharCase(), Key);
    Key = 0;
    if (ReadOnly()) return;
    TTextWidget* w = TextWidget();
    std::u32string edit = Chars(w->Text());
    Integer caret = w->SelStart();
    FMask.Erase(edit, caret, w->SelEnd());
    if (!FMask.Type(edit, caret, typed)) {
        MessageBeep(0);
        return;
    }
    PutEdited(edit, caret);
}

void TCustomMaskEdit::Change() {
    // A change past the keys (a drop, an input method) is brought back to
    // one character per position.
    if (TTextWidget* w = TextWidget(); w && IsMasked()) {
        const std::u32string edit = Chars(w->Text());
        if (static_cast<Integer>(edit.size()) != FMask.Size()) {
            const Integer caret = w->SelStart();
            w->SetText(Utf8(FMask.Format(edit, true)));
            w->SetSel(caret, caret);
            return; // that setting reports the change
        }
    }
    TCustomEdit::Change();
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    const Integer missing = FMask.FirstMissing(Chars(RawText()));
    if (missing < 0) return;
    if (GetParentForm(this) && CanFocus()) {
        TRestoreOnExit<bool> reEnter(FReEnter, true);
        SetFocus();
    }
    SetSelStart(missing);
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETTEXT:
        if (IsMasked()) {
            const String text = Utf8(FMask.Unformat(Chars(RawText())));
            if (auto* out = reinterpret_cast<String*>(Message.LParam)) *out = text;
            Message.Result = static_cast<LRESULT>(text.size());
            return;
        }
        break;
    case WM_SETTEXT:
        if (IsMasked()) {
            const auto* text = reinterpret_cast<const String*>(Message.LParam);
            SetRawText(Utf8(FMask.Format(Chars(text ? *text : String()))));
            return;
        }
        break;
    case WM_CUT:
        if (IsMasked() && TextWidget()) {
            CopyToClipboard();
            if (!ReadOnly()) EraseSelection(false);
            return;
        }
        break;
    case WM_PASTE:
        if (IsMasked() && TextWidget()) {
            if (!ReadOnly()) PasteText(ClipboardText());
            return;
        }
        break;
    case CM_ENTER:
        if (IsMasked() && !FReEnter) FOldValue = RawText();
        break;
    case CM_EXIT:
        ValidateEdit();
        break;
    default:
        break;
    }
    TCustomEdit::Dispatch(Message);
}

const TClassInfo& TCustomMaskEdit::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomMaskEdit>("TCustomMaskEdit", &TCustomEdit::ClassInfo()).Register();
    return info;
}

// ================================================================ TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
    FControlStyle >> csFixedHeight;
    SetAutoSize(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~(ES_AUTOHSCROLL);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!FWordWrap) Params.Style |= ES_AUTOHSCROLL;
    if (FWantReturns) Params.Style |= ES_WANTRETURN;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
    if (FAlignment == taCenter) Params.Style |= ES_CENTER;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    FScrollBars = Value;
    if (TextWidget()) {
        TextWidget()->SetScrollBars(Value);
        TextWidget()->SetWordWrap(FWordWrap && Value != ssHorizontal && Value != ssBoth);
    }
}

void TCustomMemo::SetWordWrap(bool Value) {
    FWordWrap = Value;
    SetScrollBars(FScrollBars);
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    RecreateWnd();
}

TPoint TCustomMemo::CaretPos() const {
    TTextWidget* w = TextWidget();
    if (!w) return {0, 0};
    const Integer caret = w->CaretIndex();
    const Integer line = w->LineFromChar(caret);
    return {caret - w->LineIndex(line), line};
}

void TCustomMemo::Dispatch(TMessage& Message) {
    auto* lines = static_cast<TMemoStrings*>(FLines.get());
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        TCustomEdit::Dispatch(Message);
        if (FWantReturns) Message.Result |= DLGC_WANTALLKEYS;
        if (FWantTabs) Message.Result |= DLGC_WANTTAB;
        return;
    case WM_GETTEXT:
        if (!TextWidget()) {
            const String text = lines->JoinedText();
            if (auto* out = reinterpret_cast<String*>(Message.LParam)) *out = text;
            Message.Result = static_cast<LRESULT>(text.size());
            return;
        }
        break;
    case WM_SETTEXT:
        if (!TextWidget()) {
            const auto* text = reinterpret_cast<const String*>(Message.LParam);
            lines->Pending().SetText(text ? *text : String());
            Perform(CM_TEXTCHANGED);
            return;
        }
        break;
    case CM_SHOWINGCHANGED:
        TCustomEdit::Dispatch(Message);
        SetScrollBars(FScrollBars);
        return;
    default:
        break;
    }
    TCustomEdit::Dispatch(Message);
}

const TClassInfo& TCustomMemo::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomMemo>("TCustomMemo", &TCustomEdit::ClassInfo()).Register();
    return info;
}

const TClassInfo& TMemo::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
    TClassBuilder<TMemo> b("TMemo", &TCustomMemo::ClassInfo());
    PublishControlProperties(b, {"Align", "Anchors", "BevelEdges", "BevelInner", "BevelKind", "BevelOuter",
                                 "BiDiMode", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind",
                                 "DragMode", "Enabled", "Font", "ImeMode", "ImeName", "ParentBiDiMode",
                                 "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                                 "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnContextPopup",
                                 "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter",
                                 "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                                 "OnMouseUp", "OnMouseWheel", "OnMouseWheelDown", "OnMouseWheelUp",
                                 "OnStartDock", "OnStartDrag"});
    PublishEditProperties(b, {"Alignment", "BorderStyle", "HideSelection", "Lines", "MaxLength", "OEMConvert",
                              "ReadOnly", "ScrollBars", "WantReturns", "WantTabs", "WordWrap", "OnChange"});
    b.Qualify("ParentColor").Default(false).Qualify("TabStop").Default(true);
    return b.Register();
    }();
    return info;
}
