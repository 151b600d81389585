#pragma once
// The control library's shared ground: the colour model and the two display
// facts every painter consults, the frame and border painters, the glyphs
// and progress bar bodies, and small helpers for fonts, captions, sets and
// operating-system versions. The frame controller, the blinking controls
// list and the old-property reader have headers of their own, included here;
// a control includes QxControlLinks.h for its links to the controller and
// the blink list.
//
// Painters keep no state: canvas, rectangle, colours and styles in, the
// rectangle left inside the frame out. Frames stack: paint the outer one,
// then the next on the rectangle it returned, and fill what remains last.
// In every one-line step the top-left colour is drawn before the
// bottom-right one, which so owns the two corner pixels the sides share.

#include "controls/common/QxGrafx.h"
#include "platform/gui/controls/Controls.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/TypInfo.h"

#include <array>

// ================================================================ colour model

// True when the display shows more than 256 colours; gradients and blended
// anti-aliasing are drawn only then. Set by InitQxCommon.
extern bool FullColorDisplay;
// The colour scheme of the visual style: 0 blue, 1 olive, 2 silver. Set by
// InitQxCommon and detected again when the theme changes.
extern Byte XPColorScheme;

// Sets the unit state from the platform's screen and theme state. Called
// once by the program after the platform is up (later calls do nothing).
void InitQxCommon();

enum TQxGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };

// Per scheme: selection frame, selection start, selection stop, gradient
// start, gradient stop, frame (RGB values).
extern const std::array<std::array<TColor, 6>, 3> XPSchemeColors;

// Hue, saturation and luminance on a 0..240 scale.
void ColorToHSLValues(TColor Color, Byte& H, Byte& S, Byte& L);
Byte ColorHueValue(TColor Color);
// H, S and L may be 0..255; the result is an RGB colour.
TColor HSLValuesToColor(Byte H, Byte S, Byte L);
TColor DarkenColor(TColor Color, Byte Amount);
TColor LightenColor(TColor Color, Byte Amount);
// Amount > 0 lightens, < 0 darkens, 0 returns Color itself (a system colour
// stays one). Raises ERangeError when |Amount| > 255.
TColor AdjustColorLuminance(TColor Color, Integer Amount);
// Per channel Weight/255 of Color1 and the rest of Color2.
TColor BlendColors(TColor Color1, TColor Color2, Byte Weight);
TColor XorColors(TColor Color1, TColor Color2);
// Hues less than 20 apart and luminances less than 60 apart.
bool ColorsAreSimilar(TColor Color1, TColor Color2);
// The hue turned by a third, full saturation, the given luminance.
TColor ComplementColor(TColor Color, Byte Luminance);
bool DisplayHasFullColor();
Byte DetectXPColorScheme();
void GetSchemeSelectionColors(TQxGradientColorStyle Style, TColor& FrameColor, TColor& StartColor,
                              TColor& StopColor);
void GetSchemeGradientColors(TQxGradientColorStyle Style, TColor& StartColor, TColor& StopColor);
TColor GetSchemeFrameColor(TQxGradientColorStyle Style);
void GetSchemeBarColors(TQxGradientColorStyle Style, TColor& StopColor, TColor& StartColor,
                        TColor& ThirdColor);
// A colour of the visual style: 0 edit border, 1 and 2 explorer-bar group
// text, 3 group fill, 4 bar gradient, 5 special group head fill, 6 group
// box text; clBtnFace without visual styles.
TColor GetThemedElementColor(Integer Kind);

// ================================================================ shared enumerations

// Used by several controls: vertical placement of a caption, 3D text
// styles, the direction of bars and separators, and the three states of a
// check box (as the framework's standard controls name them).
enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TOrientation { orHorizontal, orVertical };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Published types "TAlignmentVertical", "TTextStyle", "TOrientation",
// "TCheckBoxState".
const TTypeInfo* AlignmentVerticalTypeInfo();
const TTypeInfo* TextStyleTypeInfo();
const TTypeInfo* OrientationTypeInfo();
const TTypeInfo* CheckBoxStateTypeInfo();

// Publishes the 3D caption settings through T's accessors of their names,
// each with the library's default: LightTextStyle (False), TextStyle
// (tsNormal), TextHighlightColor (clBtnHighlight), TextShadowColor
// (clBtnShadow) and TextShadowDepth (2). The buttons draw their captions
// with them; the radio group passes them to its item buttons.
template <class T> TClassBuilder<T>& PublishTextStyle(TClassBuilder<T>& B) {
    return B.Property("LightTextStyle", &T::LightTextStyle, &T::SetLightTextStyle)
        .Default(false)
        .Property("TextStyle", &T::TextStyle, &T::SetTextStyle, TextStyleTypeInfo())
        .Default(tsNormal)
        .Property("TextHighlightColor", &T::TextHighlightColor, &T::SetTextHighlightColor, ColorTypeInfo())
        .Default(clBtnHighlight)
        .Property("TextShadowColor", &T::TextShadowColor, &T::SetTextShadowColor, ColorTypeInfo())
        .Default(clBtnShadow)
        .Property("TextShadowDepth", &T::TextShadowDepth, &T::SetTextShadowDepth)
        .Default(2);
}

// ================================================================ frame types

enum TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};
// The styles fsNone .. fsFlatBold; fsFlatRounded is painted only by
// PaintInnerOuterFrame.
using TFrameStyle = TFrameStyleEx;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;
inline constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

// Published types: "TFrameStyle" (fsNone .. fsFlatBold), "TFrameStyleEx"
// (with fsFlatRounded), "TSides". Properties of these types name them
// explicitly (Property(..., FrameStyleTypeInfo())).
const TTypeInfo* FrameStyleTypeInfo();
const TTypeInfo* FrameStyleExTypeInfo();
const TTypeInfo* SideTypeInfo();
const TTypeInfo* SidesTypeInfo();
const TTypeInfo* GradientColorStyleTypeInfo();

// Style colour tables, by TFrameStyle (fsLowered, fsRaised, fsButtonDown and
// fsButtonUp are painted from the two-line tables instead).
extern const std::array<TColor, 11> StyleColorsTopLeft;
extern const std::array<TColor, 11> StyleColorsBottomRight;

// The colours of a two-line frame: the outer line, then the inner one, each
// top-left colour first.
struct TTwoLineColors {
    TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};
// The two-line 3D frame: [0] raised, [1] lowered (index by Lowered).
extern const std::array<TTwoLineColors, 2> Ctl3DColors;
// The two-line button frame: [0] up, [1] down (index by Down).
extern const std::array<TTwoLineColors, 2> ButtonColors;

// ================================================================ frame painters

TRect PaintFrameSides(TCanvas* Canvas, const TRect& R, TColor TopLeftColor, TSides Sides,
                      TColor BottomRightColor);
TRect PaintBevelLines(TCanvas* Canvas, const TRect& R, TColor TopLeftColor, TSides Sides, Integer Count,
                      TColor BottomRightColor);
TRect PaintRectOutline(TCanvas* Canvas, const TRect& R, TColor Color);

TRect PaintCtl3DFrameSides(TCanvas* Canvas, const TRect& R, bool Lowered, TSides Sides);
TRect PaintButtonFrameSides(TCanvas* Canvas, const TRect& R, bool Down, TSides Sides);
TRect PaintButtonFrame(TCanvas* Canvas, const TRect& R, bool Down);
TRect PaintColorButtonFrameSides(TCanvas* Canvas, const TRect& R, TColor BaseColor, TSides Sides, bool Down);
TRect PaintColorButtonFrame(TCanvas* Canvas, const TRect& R, TColor BaseColor, bool Down);

TRect PaintStyleFrameSides(TCanvas* Canvas, const TRect& R, TFrameStyle Style, TSides Sides);
TRect PaintStyleFrame(TCanvas* Canvas, const TRect& R, TFrameStyle Style);
TRect PaintColorStyleFrameSides(TCanvas* Canvas, const TRect& R, TColor BaseColor, TSides Sides,
                                TFrameStyle Style);
TRect PaintColorStyleFrame(TCanvas* Canvas, const TRect& R, TColor BaseColor, TFrameStyle Style);

// A one-pixel border with cut corners; inset by 2 on each chosen side.
TRect PaintRoundedFlatBorder(TCanvas* Canvas, const TRect& R, TColor Color, TSides Sides);

// The border of panels, group boxes, status bars, labels and progress bars:
// an outer frame, BorderWidth lines of BorderColor, an inner frame.
TRect PaintInnerOuterFrame(TCanvas* Canvas, const TRect& R, TFrameStyleEx BorderOuter, bool RoundInnerFlat,
                           bool Transparent, TColor ParentColor, TColor ControlColor,
                           Integer FlatColorAdjustment, TColor FlatColor, TColor BorderShadow,
                           TColor BorderHighlight, TColor BorderColor, Integer BevelWidth, TSides BorderSides,
                           Integer BorderWidth, TFrameStyleEx BorderInner);

// The frame of an edit-like control over its whole client area.
void PaintControlFrame(TCanvas* Canvas, Integer Width, Integer Height, bool SkipErase, TSides Sides,
                       TColor FrameColor, TColor BackColor, TFrameStyle Style);

// Blackens every second pixel of each edge, starting with the second.
TRect PaintDottedFocusRect(TCanvas* Canvas, const TRect& R);
// A 2-pixel gradient ring inside R (full-colour displays only).
void PaintHighlightFrame(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor Color1,
                         TColor Color2);
// Repaints R of the window when any of it can be seen.
void RedrawWindowFrame(HWND Window, const TRect& R);
// Repaints the children that publish "Transparent" as True.
void InvalidateTransparentChildren(TWinControl* Container);

// ================================================================ glyphs

// How a hot-tracked control's colour is made: the complement of its own
// colour, or the colour as set (buttons and tab controls).
enum TQxHotTrackColorType { htctComplement, htctActual };
// The look of the small glyphs (arrows, close cross): tlThemed takes the
// shape and colour of the visual style; tlPlain and tlClassic both draw the
// classic glyph (tlClassic is what newer systems force on the drop-down
// arrow).
enum TQxThemedLook { tlPlain, tlThemed, tlClassic };
// Where an arrow points.
enum TQxArrowDirection { adUp, adDown, adLeft, adRight };
// The look of a check box or radio glyph.
enum TQxGlyphLook { glNormal, glPressed, glHot, glDisabled };
// How a glyph shows the mouse over it: htsInterior a gradient ring inside
// the frame, htsFrame a plain frame in the hot colour. Published as
// "TQxButtonHotTrackStyle".
enum TQxButtonHotTrackStyle { htsInterior, htsFrame };
const TTypeInfo* ButtonHotTrackStyleTypeInfo();
const TTypeInfo* HotTrackColorTypeTypeInfo();

// The arrow of a drop-down button; classic, in an 11 x 11 rectangle (rows
// 4..7; # the arrow colour):
//   ..#######..
//   ...#####...
//   ....###....
//   .....#.....
void PaintDropDownArrow(TCanvas* Canvas, const TRect& R, TQxThemedLook ThemedLook, bool Enabled);
// The arrows of the tab scroller and tab menu button; classic ones are the
// same four-row triangles turned, adLeft in an 11 x 11 rectangle:
//   ......#....
//   .....##....
//   ....###....
//   ...####....
//   ....###....
//   .....##....
//   ......#....
void PaintArrowButton(TCanvas* Canvas, const TRect& R, TQxThemedLook ThemedLook, bool Enabled,
                      TQxArrowDirection Direction);
// A filled cross; the small form (10 high or less, or narrower than 9) in a
// 10 x 10 rectangle, rows 2..6:
//   ..##.##...
//   ...###....
//   ...###....
//   ..##.##...
//   ..#....#..
void PaintCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color);
void PaintCloseButton(TCanvas* Canvas, const TRect& R, TQxThemedLook ThemedLook, bool Enabled);

// The library's own check box in R: a one-pixel frame (f), the fill by
// look, focus and read-only state (.), and the mark (m): a tick of seven
// three-pixel columns, or the inner square inset by 2 when grayed.
//   fffffffffffff
//   f...........f
//   f...........f
//   f........m..f
//   f.......mm..f
//   f..m...mmm..f
//   f..mm.mmm...f
//   f..mmmmm....f
//   f...mmm.....f
//   f....m......f
//   f...........f
//   f...........f
//   fffffffffffff
void PaintCheckBoxGlyph(TCanvas* Canvas, const TRect& R, TCheckBoxState State, TColor ReadOnlyColor,
                        bool ReadOnlyColorOnFocus, bool ReadOnly, TColor HotFrameColor, TColor HotFillColor,
                        TColor DisabledColor, TColor FocusColor, TColor FillColor, TColor MarkColor,
                        TColor FrameColor, TQxButtonHotTrackStyle HotTrackStyle, bool Focused,
                        TQxGlyphLook Look);
// The 13 x 13 radio circle.
void PaintRadioGlyph(TCanvas* Canvas, const TRect& R, bool Checked, TColor ReadOnlyColor,
                     bool ReadOnlyColorOnFocus, bool ReadOnly, TColor MaskColor, bool Transparent,
                     TColor ControlColor, TColor HotFrameColor, TColor HotFillColor, TColor DisabledColor,
                     TColor FocusColor, TColor FillColor, TColor DotColor, TColor FrameColor,
                     TQxButtonHotTrackStyle HotTrackStyle, bool Focused, TQxGlyphLook Look);

// ================================================================ progress bar bodies

// The filled part grows from the left (orHorizontal) or from the bottom
// (orVertical).
void PaintBarTraditional(TCanvas* Canvas, const TRect& R, TOrientation Orientation, Integer TotalParts,
                         Integer PartsComplete, bool ShowParts, bool ClearTextBackground, bool ShowPercent,
                         Word Percent, TColor BackColor, TColor BarColor);
void PaintBarLED(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool NoBackground,
                 bool ThemeAware, Word Percent, Integer NumSegments, TColor BackColor, TColor BarColor);
void PaintBarGradient(TCanvas* Canvas, const TRect& R, TOrientation Orientation, Integer TotalParts,
                      Integer PartsComplete, bool ShowParts, bool NoBackground, bool ShowPercent,
                      Word Percent, TGradientDirection Direction, TColor BackColorStop, TColor BackColor,
                      TColor BarColorStop, TColor BarColor);

// ================================================================ helpers

// A new font handle: the font turned by Angle degrees. The caller deletes it.
HFONT CreateRotatedFont(TFont* Font, Integer Angle);
bool FontIsTrueType(TFont* Font);
// The caption without accelerator marks ("&&" keeps one "&").
String StripAccelChars(const String& Caption);
// DrawText on the canvas with the whole text; answers the text height.
Integer DrawTextOnCanvas(TCanvas* Canvas, const String& Text, TRect& R, UINT Format);
// Bit N of a 256-bit set (bit N mod 32 of the 32-bit word N div 32).
bool BitInSet(Byte N, const std::array<Byte, 32>& Set);
inline Integer SmallerInt(Integer A, Integer B) {
    return A < B ? A : B;
}
inline Integer LargerInt(Integer A, Integer B) {
    return B < A ? A : B;
}
// Tells a form designer that the control changed; nothing at run time.
void NotifyDesignerModified(TComponent* Control);
// TabOnEnter: an Enter typed in Control is taken (Key becomes 0) and a Tab
// key posted to Control's window in its place, so that the focus moves on
// as Tab moves it. False, Key untouched, for any other key.
bool TabOnEnterKey(TWinControl* Control, char32_t& Key);
// The Tab that TabOnEnterKey posted, arriving at Control's window (a key
// down with key data 0): offered as a dialog key, as a typed Tab is, so the
// form moves the focus from its active control to the next tab stop. True
// when Message was that Tab; false, Message untouched, for anything else.
bool TabOnEnterPosted(TWinControl* Control, TMessage& Message);

// Version cases: 0 Windows 95, 1 NT 4, 2 98, 3 Me, 4 2000, 5 XP,
// 6 Server 2003, 7 Vista.
bool IsWindowsVersion(Byte Version);
bool IsWindowsAtLeast(Byte Version);

#include "controls/common/QxBlinkingControlsList.h"
#include "controls/common/QxFrameController.h"
#include "controls/common/QxOldPropReader.h"
