#pragma once
// TQxStatusBar: the panel at the bottom of a form that holds status panes.
//
// The panes are ordinary child controls. The bar adds an automatic flat
// style (no borders, 19 pixels high) that any border change turns off once
// the bar is loaded (a stored bar with AutoStyle shows it whatever borders
// its description holds), a size grip in its bottom-right corner that sizes
// the parent form, a simple status mode that hides the panes and shows one
// caption instead (and shows again exactly the panes that were shown
// before), and, on request, panes that keep their share of the width when
// the bar is sized.
//
// The grip is usable on a sizeable form that is not maximised. A press in
// the 13 pixels at the bar's right edge then asks the form to size itself
// from its bottom-right corner; panes and progress bars over that corner
// let such presses through to the bar. The grip's dots:
//
//   ..........LL.     L light 2 x 2 square, D dark one
//   .........DDL.       over it one pixel up and left
//   .........DD..
//   ......LL..LL.
//   .....DDL.DDL.
//   .....DD..DD..
//   ..LL..LL..LL.
//   .DDL.DDL.DDL.
//   .DD..DD..DD..
//   .............

#include "controls/panel/QxPanel.h"

class TQxStatusBar : public TQxCustomPanel {
public:
    QUENTA_PUBLISHED
    explicit TQxStatusBar(TComponent* AOwner);
    ~TQxStatusBar() override;

    bool AutoScalePanes() const { return FAutoScalePanes; }
    void SetAutoScalePanes(bool Value) { FAutoScalePanes = Value; }
    bool AutoStyle() const { return FAutoStyle; }
    void SetAutoStyle(bool Value) { FAutoStyle = Value; }
    bool ShowSizeGrip() const { return FShowSizeGrip; }
    virtual void SetShowSizeGrip(bool Value);
    const String& SimpleCaption() const { return FSimpleCaption; }
    virtual void SetSimpleCaption(const String& Value);
    TFrameStyle SimpleFrameStyle() const { return FSimpleFrameStyle; }
    virtual void SetSimpleFrameStyle(TFrameStyle Value);
    bool SimpleStatus() const { return FSimpleStatus; }
    virtual void SetSimpleStatus(bool Value);

    void SetBorderInner(TFrameStyleEx Value) override;
    void SetBorderOuter(TFrameStyleEx Value) override;
    void SetBorderSides(TSides Value) override;

    // The automatic style: no borders, all sides, 19 pixels high.
    virtual void ApplyAutoStyle();
    // The grip can size the parent form: a sizeable form, not maximised.
    bool SizeGripUsable() const { return FGripUsable; }
    void UpdateSizeGripUsable();
    // The 13 pixels at the right edge, the whole height.
    TRect SizeGripRect() const { return {Width() - 13, 0, Width(), Height()}; }
    // A point (bar client coordinates) that the shown, usable grip takes.
    bool InSizeGrip(TPoint P) const;

    TRect PanelClientRect() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    virtual void DrawSimpleFrame(const TRect& R);
    virtual void DrawSizeGrip(HDC DC, const TRect& R);
    void GradientColors(TColor& Start, TColor& Stop) override;
    void Paint() override;
    void Resize() override;
    void CreateWnd() override;

private:
    void PaintGrip(HDC DC);
    // A border change ends the automatic style, unless it is read from a
    // form description.
    void EndAutoStyle();

    bool FAutoStyle = true;
    std::unique_ptr<TCanvas> FGripCanvas;
    bool FSimpleStatus = false;
    String FSimpleCaption;
    TFrameStyle FSimpleFrameStyle = fsFlat;
    bool FGripUsable = false;
    bool FShowSizeGrip = true;
    bool FAutoScalePanes = false;
    bool FFirstResize = true;
    Integer FDelta = 0;
    Integer FLastWidth = 0;
    // The children's own visibility while simple status hides them.
    std::vector<std::pair<TControl*, bool>> FShownBeforeSimple;
};
