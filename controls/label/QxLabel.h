#pragma once
// The library's label (TQxLabel) and link label (TQxURLLabel).
//
// TQxLabel paints its caption itself, inside library borders (an outer
// frame, BorderWidth lines of BorderColor, an inner frame): straight, turned
// by Angle about its middle (Rotation roFlat), or set character by
// character along an arc about one of nine centre points (roCurve), in one
// of the 3D text styles (raised, recessed, shadowed). The caption is drawn
// in the current colour: the font's colour, the fly-by colour while the
// mouse is over it (FlyByEnabled), or the blink colour in the on phase of
// the shared blink timer while Blinking. AutoSize fits the label to its
// text plus borders, margins, shadow and, for turned text, the bounds of the
// turned box. A frame controller's frame settings are pulled when the
// controller reports a change.
//
// TQxURLLabel opens its URL (or its caption when URL is blank) through the
// desktop's opener when clicked, and shows itself visited after a
// successful open.

#include "controls/common/QxCommon.h"
#include "controls/common/QxControlLinks.h"
#include "platform/gui/controls/Label.h"

enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
enum TQxCondenseCaption { ccNone, ccAtEnd, ccWithinPath };

const TTypeInfo* RotationTypeInfo();
const TTypeInfo* CenterPointTypeInfo();
const TTypeInfo* CondenseCaptionTypeInfo();

// The size of a W x H box turned by Angle degrees (any value; taken modulo
// 360): round(|cos|·W + |sin|·H) by round(|sin|·W + |cos|·H), halves to even.
TSize RotatedBounds(Integer Width, Integer Height, Integer Angle);

// The screen cursor number of the link hand.
inline constexpr TCursor crQxHandPoint = 26000;

class TQxLabel : public TLabel, public IQxFrameControllerNotification {
public:
    QUENTA_PUBLISHED
    explicit TQxLabel(TComponent* AOwner);
    ~TQxLabel() override;

    Integer Angle() const { return FAngle; }
    virtual void SetAngle(Integer Value);
    TRotation Rotation() const { return FRotation; }
    virtual void SetRotation(TRotation Value);
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    virtual void SetCenterPoint(TCenterPoint Value);
    TTextStyle TextStyle() const { return FTextStyle; }
    virtual void SetTextStyle(TTextStyle Value);
    bool LightTextStyle() const { return FLightTextStyle; }
    virtual void SetLightTextStyle(bool Value);
    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor Value);
    TColor ShadowColor() const { return FShadowColor; }
    virtual void SetShadowColor(TColor Value);
    Integer ShadowDepth() const { return FShadowDepth; }
    virtual void SetShadowDepth(Integer Value);
    Integer TextMargin() const { return FTextMargin; }
    virtual void SetTextMargin(Integer Value);
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyleEx Value);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyleEx Value);
    TSides BorderSides() const { return FBorderSides; }
    virtual void SetBorderSides(TSides Value);
    Integer BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(Integer Value);
    Integer BevelWidth() const { return FBevelWidth; }
    virtual void SetBevelWidth(Integer Value);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor Value);
    TColor BorderHighlight() const { return FBorderHighlight; }
    virtual void SetBorderHighlight(TColor Value);
    TColor BorderShadow() const { return FBorderShadow; }
    virtual void SetBorderShadow(TColor Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    Integer FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(Integer Value);
    TQxCondenseCaption CondenseCaption() const { return FCondenseCaption; }
    virtual void SetCondenseCaption(TQxCondenseCaption Value);
    bool FlyByEnabled() const { return FFlyByEnabled; }
    virtual void SetFlyByEnabled(bool Value);
    TColor FlyByColor() const { return FFlyByColor; }
    virtual void SetFlyByColor(TColor Value);
    bool Blinking() const { return FBlinking; }
    virtual void SetBlinking(bool Value);
    TColor BlinkColor() const { return FBlinkColor; }
    virtual void SetBlinkColor(TColor Value);
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    virtual void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) { FLinks.SetNotifications(Value); }
    // The colour the caption is drawn in now.
    TColor CurrentColor() const { return FCurrentColor; }

    void FrameControllerChanged() override;
    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

    // The text area of rectangle R: inside BorderWidth (with
    // IncludeBorderWidth) and the outer and inner borders on BorderSides.
    virtual void AdjustTextRect(TRect& R, bool IncludeBorderWidth);
    // Grows a text size (S at (0,0)) by borders, margins and shadow, and to
    // the bounds of the turned text.
    virtual void ExtendTextBounds(TRect& S);
    TPoint GetRotationCenter() const;
    TPoint GetArcRadius() const;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    String GetLabelText() override;
    void AdjustBounds() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void SetBlinkState(bool On);
    void PaintFlatText();
    void PaintCurvedText();
    void ApplyLayoutOffset(Integer Flags, TRect& R);
    UINT CondenseFlag() const;

private:
    Integer BorderAmount(TFrameStyleEx Style) const;
    void UseVerdanaWhenNotScalable();
    void DrawCopy(const TRect& Clip, TPoint P, TColor Color, const TRect& TextR, Integer Flags, bool Rotated);

    Integer FAngle = 0;
    TColor FBlinkColor = clHighlight;
    bool FBlinkOn = false;
    bool FBlinking = false;
    Integer FBevelWidth = 1;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsNone;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    Integer FBorderWidth = 0;
    TColor FFlatColor = clBtnShadow;
    Integer FFlatColorAdjustment = 30;
    TColor FFontColor = clWindowText; // the font's colour outside blinking
    TCenterPoint FCenterPoint = cpCenter;
    TColor FFlyBySaved = clNone;
    bool FFlyByApplied = false;
    bool FColorInit = false;
    bool FFlyByEnabled = false;
    TColor FFlyByColor = clHighlight;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TRotation FRotation = roNone;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    Integer FShadowDepth = 2;
    Integer FTextMargin = 0;
    TQxCondenseCaption FCondenseCaption = ccNone;
    TColor FCurrentColor = clWindowText;
    TQxControlLinks FLinks{this};
};

class TQxURLLabel : public TQxLabel {
public:
    QUENTA_PUBLISHED
    explicit TQxURLLabel(TComponent* AOwner);

    String URL;
    bool Visited() const { return FVisited; }
    virtual void SetVisited(bool Value);
    TColor UnvisitedColor() const { return FUnvisitedColor; }
    virtual void SetUnvisitedColor(TColor Value);
    TColor VisitedColor() const { return FVisitedColor; }
    virtual void SetVisitedColor(TColor Value);
    // Why the last click opened nothing (empty after a successful open).
    const String& LastOpenError() const { return FLastOpenError; }

protected:
    void Click() override;
    virtual void UpdateLinkColor();

private:
    bool FVisited = false;
    TColor FUnvisitedColor = clHighlight;
    TColor FVisitedColor = 0x800080;
    String FLastOpenError;
};

// Registers TQxLabel and TQxURLLabel (and the framework's TLabel) for form
// descriptions.
void RegisterQxLabelClasses();
