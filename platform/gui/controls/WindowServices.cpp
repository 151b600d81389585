#include "platform/gui/controls/WindowServices.h"
#include "platform/gui/controls/WindowSurface.h"

#include <QWindow>

namespace {

class TDesktopWindowServices : public TWindowServices {
public:
    bool StartSystemResize(TCustomForm* Form, Integer Edge) override {
        QWidget* widget = TWindowAccess::Widget(Form);
        QWindow* window = widget ? widget->windowHandle() : nullptr;
        if (!window) return false;
        Qt::Edges edges;
        if (Edge == WMSZ_LEFT || Edge == WMSZ_TOPLEFT || Edge == WMSZ_BOTTOMLEFT) edges |= Qt::LeftEdge;
        if (Edge == WMSZ_RIGHT || Edge == WMSZ_TOPRIGHT || Edge == WMSZ_BOTTOMRIGHT) edges |= Qt::RightEdge;
        if (Edge == WMSZ_TOP || Edge == WMSZ_TOPLEFT || Edge == WMSZ_TOPRIGHT) edges |= Qt::TopEdge;
        if (Edge == WMSZ_BOTTOM || Edge == WMSZ_BOTTOMLEFT || Edge == WMSZ_BOTTOMRIGHT) edges |= Qt::BottomEdge;
        if (!edges) return false;
        return window->startSystemResize(edges);
    }
};

TWindowServices* gServices = nullptr;

// The form's window procedure while it follows the mouse; puts the
// previous one back (and frees itself) when the sizing ends.
class TSizeTracker {
public:
    TSizeTracker(TCustomForm* Form, Integer Edge)
        : FForm(Form), FEdge(Edge), FStart(GetCursorPos()), FBounds(Form->BoundsRect()),
          FOldWndProc(Form->WindowProc) {
        Form->WindowProc = [this](TMessage& M) { WindowProc(M); };
        SetCaptureControl(Form);
    }

private:
    void WindowProc(TMessage& Message) {
        switch (Message.Msg) {
        case WM_MOUSEMOVE:
            Follow(FForm->ClientToScreen(LParamToPoint(Message.LParam)));
            return;
        case WM_LBUTTONUP:
            Follow(FForm->ClientToScreen(LParamToPoint(Message.LParam)));
            End(); // frees this tracker
            return;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE: {
            TWndMethod old = FOldWndProc;
            TCustomForm* form = FForm;
            End();
            Call(old, form, Message);
            return;
        }
        default:
            Call(FOldWndProc, FForm, Message);
            return;
        }
    }

    static void Call(const TWndMethod& Proc, TControl* Control, TMessage& Message) {
        if (Proc)
            Proc(Message);
        else
            Control->WndProc(Message);
    }

    void Follow(TPoint P) {
        const Integer dx = P.X - FStart.X, dy = P.Y - FStart.Y;
        TRect r = FBounds;
        const bool left = FEdge == WMSZ_LEFT || FEdge == WMSZ_TOPLEFT || FEdge == WMSZ_BOTTOMLEFT;
        const bool right = FEdge == WMSZ_RIGHT || FEdge == WMSZ_TOPRIGHT || FEdge == WMSZ_BOTTOMRIGHT;
        const bool top = FEdge == WMSZ_TOP || FEdge == WMSZ_TOPLEFT || FEdge == WMSZ_TOPRIGHT;
        const bool bottom = FEdge == WMSZ_BOTTOM || FEdge == WMSZ_BOTTOMLEFT || FEdge == WMSZ_BOTTOMRIGHT;
        if (left) r.Left = std::min(r.Left + dx, r.Right);
        if (right) r.Right = std::max(r.Right + dx, r.Left);
        if (top) r.Top = std::min(r.Top + dy, r.Bottom);
        if (bottom) r.Bottom = std::max(r.Bottom + dy, r.Top);
        FForm->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }

    void End() {
        FForm->WindowProc = FOldWndProc;
        if (GetCaptureControl() == FForm) SetCaptureControl(nullptr);
        delete this;
    }

    TCustomForm* FForm;
    Integer FEdge;
    TPoint FStart;
    TRect FBounds;
    TWndMethod FOldWndProc;
};

} // namespace

TWindowServices* WindowServices() {
    static TDesktopWindowServices desktop;
    return gServices ? gServices : &desktop;
}

void SetWindowServices(TWindowServices* Services) {
    gServices = Services;
}

void TrackFormSize(TCustomForm* Form, Integer Edge) {
    new TSizeTracker(Form, Edge); // lives until the sizing ends
}

void TCustomForm::WMSysCommand(TMessage& Message) {
    if ((Message.WParam & 0xFFF0) != SC_SIZE) return;
    const Integer edge = static_cast<Integer>(Message.WParam & 0x000F);
    if (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT) return;
    if (FBorderStyle != bsSizeable && FBorderStyle != bsSizeToolWin) return;
    if (!WindowServices()->StartSystemResize(this, edge)) TrackFormSize(this, edge);
}
