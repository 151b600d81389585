#pragma once
// The two bases of owner-painted controls: TGraphicControl (no window of its
// own; paints on its parent's surface) and TCustomControl (a window that
// paints itself), both through a canvas that Paint draws on; and
// TControlCanvas, a canvas bound to a control.

#include "platform/gui/controls/WinControl.h"

// A canvas that draws on a control. While a paint message is handled the
// canvas is attached to that message's device context; at other times the
// first drawing call gets a device context on the control's window (its
// parent's, moved to the control, for a graphic control), which is released
// when the event loop next runs.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* AControl = nullptr) : FControl(AControl) {}
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);
    // Releases a device context this canvas got for itself.
    void FreeHandle();
    // Runs Paint with the canvas attached to DC (a paint message's context).
    void PaintOn(HDC DC, const std::function<void()>& Paint);

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HDC FDeviceContext = nullptr;
};

class TGraphicControl : public TControl {
public:
    QUENTA_PUBLISHED
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;

protected:
    // Draws the control on Canvas, in the control's own coordinates.
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
public:
    QUENTA_PUBLISHED
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    // Draws the control on Canvas.
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
