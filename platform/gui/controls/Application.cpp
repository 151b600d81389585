#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/ActnList.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/Timers.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/EventLoop.h"

#include <QApplication>
#include <QToolTip>

TApplication* Application = new TApplication;

namespace {
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// Frees what the application still owns while the window system exists.
void FreeWhatIsLeft() {
    if (Application) Application->DestroyComponents();
}
} // namespace

String GetShortHint(const String& Hint) {
    size_t bar = Hint.find('|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
    size_t bar = Hint.find('|');
    return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    if (FHandle) DeallocateHWnd(FHandle);
}

void TApplication::Initialize() {
    if (FInitialized) return;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw EInvalidOperation("The GUI application must be created before Application->Initialize");
    InitEventLoop();
    FHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
    SetExceptionHandler([](const std::exception& E) { Application->HandleException(E); });
    qAddPostRoutine(FreeWhatIsLeft);
    FInitialized = true;
}

void TApplication::Run() {
    Initialize();
    if (FMainForm) {
        FMainForm->Show();
        while (!FTerminated)
            HandleMessage();
    }
    DestroyComponents();
    FMainForm = nullptr;
}

void TApplication::Terminate() {
    FTerminated = true;
    // Wakes a loop that waits for messages.
    if (FHandle) PostMessage(FHandle, WM_NULL, 0, 0);
}

void TApplication::ProcessMessages() {
    ::ProcessMessages();
}

void TApplication::HandleMessage() {
    ::ProcessMessages();
    if (!FTerminated) WaitMessage(1000);
}

void TApplication::HandleException(const std::exception& E) {
    if (dynamic_cast<const EAbort*>(&E)) return;
    // A box cannot be shown from another thread: the event loop hands the
    // exception to the GUI thread, which brings it back here.
    if (FInitialized && !IsGuiThread()) {
        ::HandleException(E);
        return;
    }
    if (OnException)
        OnException(this, E);
    else
        ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
    String msg = E.what();
    if (!msg.empty()) {
        unsigned char last = static_cast<unsigned char>(msg.back());
        if (last > '.') msg += '.';
    }
    MessageBox(msg, Title(), MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, Cardinal Flags) {
    TCustomForm* owner = ActiveCustomForm();
    return ::MessageBox(owner && owner->HandleAllocated() ? owner->Handle() : 0, Text, Caption, Flags);
}

String TApplication::ExeName() const {
    return ParamStr(0);
}

String TApplication::Title() const {
    if (!FTitle.empty()) return FTitle;
    return ChangeFileExt(ExtractFileName(ExeName()), "");
}

void TApplication::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_RELEASE: {
        auto* form = reinterpret_cast<TCustomForm*>(Message.LParam);
        if (form && Screen->HasForm(form)) form->Free();
        break;
    }
    case WM_TIMER:
        if (Message.WParam == kHintShowTimer) {
            KillTimer(FHandle, kHintShowTimer);
            ShowHintNow();
        } else if (Message.WParam == kHintHideTimer) {
            HideHintNow();
        }
        break;
    default:
        break;
    }
}

void TApplication::ReleaseForm(TCustomForm* Form) {
    Initialize();
    PostMessage(FHandle, CM_RELEASE, 0, reinterpret_cast<LPARAM>(Form));
}

void TApplication::FormDestroyed(TCustomForm* Form) {
    if (FMainForm == Form) FMainForm = nullptr;
    if (FHintControl && GetParentForm(FHintControl) == Form) CancelHint();
}

// ================================================================ hints

void TApplication::SetHint(const String& Value) {
    if (Value == FHint) return;
    FHint = Value;
    if (OnHint) {
        OnHint(this);
        return;
    }
    // Without a handler the hint goes out as a hint action: the active form
    // (else the main form) offers it to its controls.
    THintAction action(nullptr);
    action.SetHint(Value);
    TCustomForm* form = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (!form) form = FMainForm;
    if (form) form->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(&action));
}

void TApplication::SetShowHint(bool Value) {
    if (Value == FShowHint) return;
    FShowHint = Value;
    if (!Value) CancelHint();
}

void TApplication::HintControlChanged(TControl* Control) {
    CancelHint();
    FHintControl = Control;
    SetHint(Control ? GetLongHint(Control->Hint()) : String());
    if (Control && FShowHint && Control->ShowHint() && !GetShortHint(Control->Hint()).empty() && FHandle)
        SetTimer(FHandle, kHintShowTimer, FHintPause);
}

void TApplication::ShowHintNow() {
    if (!FHintControl) return;
    FActiveHint = GetShortHint(FHintControl->Hint());
    if (FActiveHint.empty()) return;
    TWindowAccess::ShowToolTip(FHintControl, FActiveHint);
    if (FHintHidePause > 0) SetTimer(FHandle, kHintHideTimer, FHintHidePause);
}

void TApplication::HideHintNow() {
    if (FHandle) KillTimer(FHandle, kHintHideTimer);
    if (!FActiveHint.empty()) TWindowAccess::ShowToolTip(nullptr, String());
    FActiveHint.clear();
}

void TApplication::CancelHint() {
    if (FHandle) KillTimer(FHandle, kHintShowTimer);
    HideHintNow();
    FHintControl = nullptr;
}

void MouseControlChanged(TControl* Control) {
    Application->HintControlChanged(Control);
}

void HintMouseMoved(TControl* Control) {
    if (Control != Application->FHintControl) Application->HintControlChanged(Control);
}
