#pragma once
// TCustomPanel: a container with a bevelled border and a centred caption;
// TPanel publishes it.
//
// The border is, from the outside in: the outer bevel (BevelWidth lines),
// BorderWidth lines in the panel's colour, the inner bevel. What is left is
// the client area that aligned children share (AdjustClientRect takes the
// border off), filled with Color; the caption is drawn on one line in the
// middle of it, placed by Alignment.
//
//   BevelOuter bvRaised, BevelWidth 1, BorderWidth 1, BevelInner bvLowered:
//   HHHHHHHHHHS        H highlight, S shadow, F the panel's colour
//   HFFFFFFFFFS
//   HFSSSSSSSHFS       (rows shortened)
//   HFS.....HFS        . the client area
//   HFHHHHHHHHFS
//   HFFFFFFFFFS
//   SSSSSSSSSSS
//
// A panel is a dock site's natural host: it uses a dock manager whenever it
// is made a dock site.

#include "platform/gui/controls/GraphicControl.h"
#include "platform/gui/controls/Published.h"

// Draws Width rings of a 3D frame inside Rect, top-left lines in TopColor
// and bottom-right ones in BottomColor (which own the two shared corners);
// Rect becomes the rectangle inside the rings.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

class TCustomPanel : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    Integer BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer Value);
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);
    // Repaint the whole panel when it is sized (else only what is uncovered).
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value);
    // A locked panel stays docked when dragged (kept for form descriptions).
    bool Locked() const { return FLocked; }
    void SetLocked(bool Value) { FLocked = Value; }

    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    // The border changed: the client area is laid out again and repainted.
    void BorderChanged();

private:
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    Integer FBevelWidth = 1;
    Integer FBorderWidth = 0;
    bool FFullRepaint = true;
    bool FLocked = false;
};

class TPanel : public TCustomPanel {
public:
    QUENTA_PUBLISHED
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// Publishes what every panel shows of TCustomPanel, the framework's and
// the library's alike: Alignment, BevelWidth, BorderWidth, FullRepaint and
// Locked with their defaults, and the control properties and events of a
// panel (in its own colour, clBtnFace: ParentColor False).
template <class T> TClassBuilder<T>& PublishCustomPanel(TClassBuilder<T>& B) {
    RegisterControlTypes();
    B.Property("Alignment", &T::Alignment, &T::SetAlignment)
        .Default(taCenter)
        .Property("BevelWidth", &T::BevelWidth, &T::SetBevelWidth)
        .Default(1)
        .Property("BorderWidth", &T::BorderWidth, &T::SetBorderWidth)
        .Default(0)
        .Property("FullRepaint", &T::FullRepaint, &T::SetFullRepaint)
        .Default(true)
        .Property("Locked", &T::Locked, &T::SetLocked)
        .Default(false);
    PublishControlProperties(B, {"Align", "Anchors", "Caption", "Color", "Constraints", "Ctl3D",
                                        "DragCursor", "DragMode", "Enabled", "Font", "ParentColor",
                                        "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                                        "Visible", "TabOrder", "TabStop", "OnClick", "OnContextPopup",
                                        "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown",
                                        "OnMouseMove", "OnMouseUp", "OnResize", "OnEnter", "OnExit",
                                        "OnStartDrag"});
    return B.Qualify("Color").Default(clBtnFace).Qualify("ParentColor").Default(false);
}
