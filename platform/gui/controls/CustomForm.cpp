#include "platform/gui/controls/CustomForm.h"
#include "platform/forms/Reader.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

namespace {

TCustomForm* gActiveForm = nullptr;
TModalFormHook gModalHook;

// The size of the window frame around the client area, by border style
// (classic metrics: sizing frame 4, fixed frame 3, caption 19, tool caption 15).
TRect Frame(TFormBorderStyle Style) {
    switch (Style) {
    case bsNone:
        return {0, 0, 0, 0};
    case bsSingle:
    case bsDialog:
        return {3, 3 + 19, 3, 3};
    case bsSizeable:
        return {4, 4 + 19, 4, 4};
    case bsToolWindow:
        return {3, 3 + 15, 3, 3};
    case bsSizeToolWin:
        return {4, 4 + 15, 4, 4};
    }
    return {};
}

} // namespace

// ================================================================ construction

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FVisible = false;
    SetParentColor(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (gActiveForm == this) gActiveForm = nullptr;
    Screen->RemoveForm(this);
}

void TCustomForm::BeforeDestruction() {
    if (!FDestroyed) {
        FDestroyed = true;
        try {
            DoDestroy();
        } catch (const std::exception& E) {
            Application->HandleException(E);
        }
    }
    if (gActiveForm == this) {
        gActiveForm = nullptr;
        FActive = false;
        if (FocusedWindow() && GetParentForm(FocusedWindow()) == this) FocusWindow(nullptr);
    }
    Screen->RemoveForm(this);
    Application->FormDestroyed(this);
    TWinControl::BeforeDestruction();
}

void TCustomForm::InitializeForm(const String& FormText, const String& FileName,
                                 const TClassInfo* FormClass) {
    {
        TFlagGuard creating(FFormState, fsCreating);
        ReadComponentText(this, FormText, FileName, FormClass);
    }
    DoCreate();
    if (FFormState.Contains(fsVisible)) {
        FFormState >> fsVisible;
        Show();
    }
}

void TCustomForm::InitializeFormFile(const String& FileName, const TClassInfo* FormClass) {
    InitializeForm(ReadFileText(FileName), FileName, FormClass);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (FActiveControl && !ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (FMenu) MenuChanged();
}

// ================================================================ window

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == FBorderStyle) return;
    // The client area keeps its size; the frame around it changes.
    const Integer cw = ClientWidth(), ch = ClientHeight();
    FBorderStyle = Value;
    SetClientSize(cw, ch);
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (Value == FBorderIcons) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (Value == FWindowState) return;
    FWindowState = Value;
    if (Surface()) TWindowAccess::ApplyWindowState(this);
}

TRect TCustomForm::FrameMetrics() const {
    TRect f = Frame(FBorderStyle);
    f.Top += FMenuHeight;
    return f;
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (Value == FMenu) return;
    if (TMenuLoop::Get().BarForm() == this) CloseMenus();
    if (FMenu && FMenu->FWindowForm == this) FMenu->FWindowForm = nullptr;
    FMenu = Value;
    if (Value) {
        if (Value->FWindowForm && Value->FWindowForm != this) Value->FWindowForm->SetMenu(nullptr);
        Value->FWindowForm = this;
        Value->FreeNotification(this);
    }
    MenuChanged();
}

void TCustomForm::MenuChanged() {
    if (HasState(csDestroying)) FMenuHeight = 0;
    if (HasState(csLoading) || HasState(csDestroying)) return;
    const Integer height = MenuBarHeight(this);
    if (height != FMenuHeight) {
        const Integer cw = ClientWidth(), ch = ClientHeight();
        FMenuHeight = height;
        SetClientSize(cw, ch);
    }
    if (HandleAllocated()) TMenuWindows::UpdateBar(this);
}

TRect TCustomForm::WindowClientRect() const {
    TRect f = FrameMetrics();
    return {0, 0, std::max(0, Width() - f.Left - f.Right), std::max(0, Height() - f.Top - f.Bottom)};
}

TPoint TCustomForm::ClientOrigin() const {
    TRect f = FrameMetrics();
    return {Left() + f.Left, Top() + f.Top};
}

void TCustomForm::SetClientSize(Integer AWidth, Integer AHeight) {
    TRect f = FrameMetrics();
    SetBounds(Left(), Top(), AWidth + f.Left + f.Right, AHeight + f.Top + f.Bottom);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WndParent = 0;
    switch (FBorderStyle) {
    case bsNone:
        Params.Style = WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style = WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style = WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style = WS_POPUP | WS_CAPTION;
        Params.ExStyle = WS_EX_DLGMODALFRAME;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderIcons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (FBorderIcons.Contains(biMinimize) && FBorderStyle != bsDialog) Params.Style |= WS_MINIMIZEBOX;
    if (FBorderIcons.Contains(biMaximize) && FBorderStyle != bsDialog) Params.Style |= WS_MAXIMIZEBOX;
}

void TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
    TWinControl::CreateWindowHandle(Params);
    if (FMenu) MenuChanged();
}

void TCustomForm::BoundsChanged(const TRect& OldBounds) {
    TWinControl::BoundsChanged(OldBounds);
}

void TCustomForm::PaintWindow(HDC DC) {
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

// ================================================================ showing

void TCustomForm::SetVisible(bool Value) {
    if (FFormState.Contains(fsCreating) || HasState(csLoading)) {
        // Shown once the form is made.
        if (Value)
            FFormState << fsVisible;
        else
            FFormState >> fsVisible;
        return;
    }
    TWinControl::SetVisible(Value);
}

void TCustomForm::PlaceOnScreen() {
    TRect area{0, 0, Screen->Width(), Screen->Height()};
    TPosition pos = FPosition;
    if (pos == poMainFormCenter || pos == poOwnerFormCenter) {
        TCustomForm* center =
            pos == poMainFormCenter ? Application->MainForm() : dynamic_cast<TCustomForm*>(Owner());
        if (center && center != this && center->Visible())
            area = center->BoundsRect();
        else
            pos = poScreenCenter;
    }
    if (pos == poScreenCenter || pos == poDesktopCenter || pos == poMainFormCenter ||
        pos == poOwnerFormCenter)
        SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
                  Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage& Message) {
    if (Showing()) {
        FFormState << fsShowing;
        try {
            DoShow();
        } catch (const std::exception& E) {
            Application->HandleException(E);
        }
        FFormState >> fsShowing;
        PlaceOnScreen();
        TWindowAccess::ShowSurface(this, true);
        if (!Screen->IsFormDisabled(this)) ActivateForm(this);
    } else {
        try {
            DoHide();
        } catch (const std::exception& E) {
            Application->HandleException(E);
        }
        TWindowAccess::ShowSurface(this, false);
        if (gActiveForm == this) ActivateForm(Screen->NextActiveForm(this));
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FFormState.Contains(fsModal))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCaptureControl()) SetCaptureControl(nullptr);
    TCustomForm* before = ActiveCustomForm();
    // Every other form takes no input while this one is up.
    std::vector<TCustomForm*> disabled = Screen->DisableOtherForms(this);
    FFormState << fsModal;
    FModalResult = mrNone;
    TModalResult result = mrNone;
    {
        TScopeExit endModal([&] {
            FFormState >> fsModal;
            Screen->EnableForms(disabled);
            Hide();
        });
        Show();
        ActivateForm(this);
        if (gModalHook) gModalHook(this);
        while (true) {
            if (FModalResult == mrNone) Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
            if (FModalResult != mrNone) break;
        }
        result = FModalResult;
    }
    if (before && before != this && Screen->HasForm(before) && before->Visible()) ActivateForm(before);
    return result;
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
    case caNone:
        FModalResult = mrNone;
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Release() {
    Application->ReleaseForm(this);
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}
void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// ================================================================ focus

void TCustomForm::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    if (Value) {
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        Activate();
        SetWindowFocus();
    } else {
        Deactivate();
    }
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = FActiveControl ? FActiveControl : this;
    if (FocusedWindow() == target) {
        // Focus came back to the same window: only the form needs telling.
        SetFocusedControl(target);
        return;
    }
    FocusWindow(target);
}

bool TCustomForm::CanFocus() const {
    return Visible() && Enabled();
}

void TCustomForm::SetFocus() {
    if (!FActive) {
        if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
        ActivateForm(this);
        SetWindowFocus();
    }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (FActiveControl == Control) return;
    if (Control &&
        (Control == this || GetParentForm(Control) != this || (!HasState(csLoading) && !Control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (!HasState(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
    const bool wasActive = FActive;
    SetActiveControl(Control);
    if (!wasActive) SetFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
    if (Control->ContainsControl(FActiveControl)) SetActiveControl(nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    ++FFocusCount;
    FActiveControl = Control != this ? Control : nullptr;
    Screen->SetActiveControlState(Control, this);
    if (Control->FControlState.Contains(csFocusing)) return false;
    TFlagGuard focusing(Control->FControlState, csFocusing);
    // A handler that moves the focus elsewhere ends this round.
    auto send = [this](TWinControl* W, Cardinal Msg) {
        Integer count = FFocusCount;
        W->Perform(Msg);
        return FFocusCount == count;
    };
    if (!FFocusedControl) FFocusedControl = this;
    if (FFocusedControl == Control) return true;
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
        TWinControl* leaving = FFocusedControl;
        FFocusedControl = FFocusedControl->Parent();
        if (!send(leaving, CM_EXIT)) return false;
    }
    while (FFocusedControl != Control) {
        TWinControl* entering = Control;
        while (entering->Parent() != FFocusedControl)
            entering = entering->Parent();
        FFocusedControl = entering;
        if (!send(entering, CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

void TCustomForm::CMDialogKey(TMessage& Message) {
    const bool alt = KeyDataToShiftState(Message.LParam).Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
    if (!alt) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(
                    FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::Dispatch(Message);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FActiveControl) FActiveControl = nullptr;
    if (AComponent == FFocusedControl) FFocusedControl = nullptr;
    if (AComponent == FMenu) SetMenu(nullptr);
    ClearFieldsReferring(this, AComponent);
}

namespace {
// Offers Action to every visible control inside Container until one takes it.
bool ExecuteInControls(TWinControl* Container, TBasicAction* Action) {
    for (Integer i = 0; i < Container->ControlCount(); ++i) {
        TControl* c = Container->Controls(i);
        if (!c->Visible()) continue;
        if (c->ExecuteAction(Action)) return true;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && ExecuteInControls(w, Action)) return true;
    }
    return false;
}
} // namespace

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_ACTIONEXECUTE: {
        // The focused control first, then the form, then its controls.
        auto* action = reinterpret_cast<TBasicAction*>(Message.LParam);
        Message.Result = action && ((FActiveControl && FActiveControl->ExecuteAction(action)) ||
                                    ExecuteAction(action) || ExecuteInControls(this, action))
                             ? 1
                             : 0;
        break;
    }
    case CM_SHOWINGCHANGED:
        CMShowingChanged(Message);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(Message);
        break;
    case WM_CLOSE:
        Close();
        break;
    case WM_SYSCOMMAND:
        WMSysCommand(Message);
        break;
    default:
        TWinControl::Dispatch(Message);
        break;
    }
}

// ================================================================ active form

TCustomForm* ActiveCustomForm() {
    return gActiveForm;
}

void ActivateForm(TCustomForm* Form) {
    if (Form == gActiveForm) return;
    TCustomForm* old = gActiveForm;
    gActiveForm = Form;
    if (old) old->SetActive(false);
    if (gActiveForm != Form) return; // a handler activated another form meanwhile
    if (Form) {
        Form->SetActive(true);
        TWindowAccess::RaiseWindow(Form);
    } else if (FocusedWindow()) {
        FocusWindow(nullptr);
    }
    Screen->ActiveFormChanged();
}

TModalFormHook SetModalFormHook(TModalFormHook Hook) {
    TModalFormHook old = std::move(gModalHook);
    gModalHook = std::move(Hook);
    return old;
}

// ================================================================ published

const TClassInfo& TCustomForm::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomForm>("TCustomForm", &TWinControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TForm::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        RegisterControlTypes();
        const TTypeInfo* borderIcons = MakeSetType(
            "TBorderIcons", RegisterEnumType<TBorderIcon>(
                                "TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}));
        // Stored by the form designer; this program keeps its scale at 96 pixels per inch.
        auto keep = [](const TForm*) { return Integer(0); };
        auto drop = [](TForm*, Integer) {};
        TClassBuilder<TForm> b("TForm", &TCustomForm::ClassInfo());
        b.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)
            .Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons, borderIcons)
            .Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
            .Default(bsSizeable)
            .Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
            .Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
            .Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
            .Property("Menu", &TForm::Menu, &TForm::SetMenu)
            .Property("Position", &TForm::Position, &TForm::SetPosition)
            .Default(poDesigned)
            .Property("WindowState", &TForm::WindowState, &TForm::SetWindowState)
            .Default(wsNormal)
            .Property("PixelsPerInch", keep, drop)
            .Property("TextHeight", keep, drop)
            .Property(
                "OldCreateOrder", [](const TForm*) { return false; }, [](TForm*, bool) {})
            .Property(
                "Scaled", [](const TForm*) { return true; }, [](TForm*, bool) {})
            .Event("OnActivate", &TForm::OnActivate)
            .Event("OnClose", &TForm::OnClose)
            .Event("OnCloseQuery", &TForm::OnCloseQuery)
            .Event("OnCreate", &TForm::OnCreate)
            .Event("OnDeactivate", &TForm::OnDeactivate)
            .Event("OnDestroy", &TForm::OnDestroy)
            .Event("OnHide", &TForm::OnHide)
            .Event("OnPaint", &TForm::OnPaint)
            .Event("OnShow", &TForm::OnShow);
        // BiDiMode: the controls that follow their parent (ParentBiDiMode)
        // read as the form does.
        PublishControlProperties(b, {"Align", "BiDiMode", "Caption", "Color", "Constraints", "Enabled", "Font",
                                     "ParentFont", "ShowHint", "Visible", "OnClick", "OnDblClick",
                                     "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseWheel", "OnResize",
                                     "OnKeyDown", "OnKeyPress", "OnKeyUp"});
        // A form is made hidden, in the button face colour, with its own font.
        b.Qualify("Color").Default(clBtnFace).Qualify("ParentFont").Default(false).Qualify("Visible").Default(false);
        return b.Register();
    }();
    return info;
}
