#pragma once
// Theme services: whether visual themes are on, and the drawing of themed
// elements (a part of a control class in a state), their text and colours.
//
// Two implementations: the classic one, with themes off (controls draw
// their classic look themselves; drawing an element does nothing), and one
// that draws elements with the platform's widget style. The classic one is
// in use until SetThemeServices chooses; tests choose explicitly.

#include "platform/gui/graphics/Graphics.h"

enum TThemedElement {
    teButton,
    teComboBox,
    teEdit,
    teHeader,
    teProgress,
    teSpin,
    teStatus,
    teTab,
    teToolBar,
    teWindow
};

// A part of an element in a state, numbered as the theme API numbers them.
struct TThemedElementDetails {
    TThemedElement Element = teButton;
    Integer Part = 0;
    Integer State = 0;
};

// Parts and states.
inline constexpr Integer BP_PUSHBUTTON = 1;
inline constexpr Integer BP_RADIOBUTTON = 2;
inline constexpr Integer BP_CHECKBOX = 3;
inline constexpr Integer BP_GROUPBOX = 4;
inline constexpr Integer PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
inline constexpr Integer RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3,
                         RBS_UNCHECKEDDISABLED = 4, RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6,
                         RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
inline constexpr Integer CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3,
                         CBS_UNCHECKEDDISABLED = 4, CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6,
                         CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8, CBS_MIXEDNORMAL = 9,
                         CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;
inline constexpr Integer GBS_NORMAL = 1, GBS_DISABLED = 2;
inline constexpr Integer CP_DROPDOWNBUTTON = 1;
inline constexpr Integer CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
inline constexpr Integer EP_EDITTEXT = 1;
inline constexpr Integer ETS_NORMAL = 1, ETS_HOT = 2, ETS_SELECTED = 3, ETS_DISABLED = 4, ETS_FOCUSED = 5,
                         ETS_READONLY = 6;
inline constexpr Integer SP_BACKGROUND = 0, SP_PANE = 1, SP_GRIPPERPANE = 2, SP_GRIPPER = 3;
inline constexpr Integer TABP_TABITEM = 1, TABP_PANE = 9, TABP_BODY = 10;
inline constexpr Integer TIS_NORMAL = 1, TIS_HOT = 2, TIS_SELECTED = 3, TIS_DISABLED = 4, TIS_FOCUSED = 5;
inline constexpr Integer PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
inline constexpr Integer SPNP_UP = 1, SPNP_DOWN = 2;
inline constexpr Integer UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;

// Theme colour properties.
inline constexpr Integer TMT_BORDERCOLOR = 3801;
inline constexpr Integer TMT_FILLCOLOR = 3802;
inline constexpr Integer TMT_TEXTCOLOR = 3803;
inline constexpr Integer TMT_EDGELIGHTCOLOR = 3804;
inline constexpr Integer TMT_EDGEHIGHLIGHTCOLOR = 3805;
inline constexpr Integer TMT_EDGESHADOWCOLOR = 3806;
inline constexpr Integer TMT_EDGEDKSHADOWCOLOR = 3807;
inline constexpr Integer TMT_EDGEFILLCOLOR = 3808;

class TThemeServices {
public:
    virtual ~TThemeServices() = default;
    virtual bool ThemesAvailable() const = 0;
    virtual bool ThemesEnabled() const = 0;
    // Draws the element over R (logical coordinates of DC), limited to
    // ClipRect when given and to DC's clip.
    virtual void DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R,
                             const TRect* ClipRect = nullptr) = 0;
    // Draws text as the element shows it (DrawText flags in Flags).
    virtual void DrawText(HDC DC, const TThemedElementDetails& Details, const String& Text, TRect R,
                          Cardinal Flags) = 0;
    // The rectangle the text needs with these DrawText flags (from
    // BoundingRect's top left, or (0,0)); by default as DrawText measures
    // it in DC's font, which both the classic and the styled drawing use.
    virtual TRect GetTextExtent(HDC DC, const TThemedElementDetails& Details, const String& Text,
                                Cardinal Flags, const TRect* BoundingRect = nullptr);
    // A colour of the element (TMT_...); false when the theme has none.
    virtual bool GetColor(const TThemedElementDetails& Details, Integer PropId, COLORREF& Color) = 0;
    // The part of R inside the element's border.
    virtual TRect ContentRect(HDC DC, const TThemedElementDetails& Details, const TRect& BoundingRect) = 0;
    // Paints into Target what the window's parent shows under it.
    void DrawParentBackground(HWND Wnd, HDC Target, const TRect* R);
};

// The theme services in use (never nullptr).
TThemeServices* ThemeServices();
// Chooses the theme services; nullptr returns to the classic ones. The
// caller keeps ownership.
void SetThemeServices(TThemeServices* Services);
// Themes off: classic drawing.
TThemeServices* ClassicThemeServices();
// Themes on, drawn with the platform's widget style.
TThemeServices* StyleThemeServices();
