#include "platform/gui/controls/GraphicControl.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

namespace {

// Canvases that hold a device context of their own; the event loop releases
// them, as the framework does when it goes idle.
std::vector<TControlCanvas*>& HoldingCanvases() {
    static std::vector<TControlCanvas*> canvases;
    return canvases;
}

void ReleaseCanvasContexts() {
    std::vector<TControlCanvas*> list;
    list.swap(HoldingCanvases());
    for (TControlCanvas* c : list)
        c->FreeHandle();
}

} // namespace

// ================================================================ TControlCanvas

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value) {
    if (Value == FControl) return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::CreateHandle() {
    if (!FControl || FDeviceContext) return;
    HDC dc = nullptr;
    TRect clip;
    if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
        if (w->HandleAllocated()) dc = GetDC(w->Handle());
        clip = w->WindowClientRect();
    } else if (TWinControl* parent = FControl->Parent(); parent && parent->HandleAllocated()) {
        dc = GetDC(parent->Handle());
        if (dc) {
            SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
            clip = FControl->ClientRect();
        }
    }
    if (!dc) return;
    IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    FDeviceContext = dc;
    SetHandle(dc);
    static bool hooked = false;
    if (!hooked) {
        hooked = true;
        AddMessageLoopHook(ReleaseCanvasContexts);
    }
    HoldingCanvases().push_back(this);
}

void TControlCanvas::FreeHandle() {
    if (!FDeviceContext) return;
    auto& list = HoldingCanvases();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    HDC dc = FDeviceContext;
    FDeviceContext = nullptr;
    if (HandleAllocated()) SetHandle(nullptr);
    ReleaseDC(0, dc);
}

void TControlCanvas::PaintOn(HDC DC, const std::function<void()>& Paint) {
    FreeHandle();
    SetHandle(DC);
    TScopeExit detach([this] { SetHandle(nullptr); });
    Paint();
}

// ================================================================ TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_PAINT || Message.WParam == 0) {
        TControl::Dispatch(Message);
        return;
    }
    FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

// ================================================================ TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

const TClassInfo& TGraphicControl::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TCustomControl::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomControl>("TCustomControl", &TWinControl::ClassInfo()).Register();
    return info;
}
