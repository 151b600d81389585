// Theme services drawn with the platform's widget style.
#include "platform/gui/gdi/RasterAccess.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Themes.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

bool IsDisabled(const TThemedElementDetails& D) {
    switch (D.Element) {
    case teButton:
        if (D.Part == BP_PUSHBUTTON) return D.State == PBS_DISABLED;
        if (D.Part == BP_GROUPBOX) return D.State == GBS_DISABLED;
        return D.State % 4 == 0;
    case teComboBox:
        return D.State == CBXS_DISABLED;
    case teEdit:
        return D.State == ETS_DISABLED;
    case teTab:
        return D.State == TIS_DISABLED;
    case teSpin:
        return D.State == UPS_DISABLED;
    default:
        return false;
    }
}

// Hot, pressed: the second and third state of each group of four.
Integer StateInGroup(Integer State) {
    return (State - 1) % 4 + 1;
}

void Prepare(QStyleOption& O, const TThemedElementDetails& D, const QRect& R) {
    O.rect = R;
    O.palette = QApplication::palette();
    O.state = IsDisabled(D) ? QStyle::State_None : QStyle::State_Enabled;
}

void Paint(QPainter& P, const TThemedElementDetails& D, const QRect& R) {
    QStyle* style = QApplication::style();
    switch (D.Element) {
    case teButton: {
        QStyleOptionButton o;
        Prepare(o, D, R);
        if (D.Part == BP_PUSHBUTTON) {
            if (D.State == PBS_HOT) o.state |= QStyle::State_MouseOver;
            if (D.State == PBS_PRESSED)
                o.state |= QStyle::State_Sunken;
            else
                o.state |= QStyle::State_Raised;
            if (D.State == PBS_DEFAULTED) o.features |= QStyleOptionButton::DefaultButton;
            style->drawControl(QStyle::CE_PushButtonBevel, &o, &P);
        } else if (D.Part == BP_CHECKBOX || D.Part == BP_RADIOBUTTON) {
            const Integer group = (D.State - 1) / 4; // 0 unchecked, 1 checked, 2 mixed
            o.state |= group == 0   ? QStyle::State_Off
                       : group == 1 ? QStyle::State_On
                                    : QStyle::State_NoChange;
            if (StateInGroup(D.State) == 2) o.state |= QStyle::State_MouseOver;
            if (StateInGroup(D.State) == 3) o.state |= QStyle::State_Sunken;
            style->drawPrimitive(D.Part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox
                                                       : QStyle::PE_IndicatorRadioButton,
                                 &o, &P);
        } else {
            QStyleOptionFrame f;
            Prepare(f, D, R);
            f.lineWidth = 1;
            style->drawPrimitive(QStyle::PE_FrameGroupBox, &f, &P);
        }
        return;
    }
    case teComboBox: {
        QStyleOptionButton o;
        Prepare(o, D, R);
        if (D.State == CBXS_HOT) o.state |= QStyle::State_MouseOver;
        if (D.State == CBXS_PRESSED) o.state |= QStyle::State_Sunken;
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &o, &P);
        QStyleOption arrow;
        Prepare(arrow, D, R.adjusted(3, 3, -3, -3));
        style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &P);
        return;
    }
    case teEdit: {
        QStyleOptionFrame o;
        Prepare(o, D, R);
        o.lineWidth = 1;
        if (D.State == ETS_FOCUSED) o.state |= QStyle::State_HasFocus;
        if (D.State == ETS_HOT) o.state |= QStyle::State_MouseOver;
        style->drawPrimitive(QStyle::PE_PanelLineEdit, &o, &P);
        return;
    }
    case teStatus: {
        QStyleOption o;
        Prepare(o, D, R);
        if (D.Part == SP_GRIPPER) {
            QStyleOptionSizeGrip g;
            Prepare(g, D, R);
            g.corner = Qt::BottomRightCorner;
            style->drawControl(QStyle::CE_SizeGrip, &g, &P);
        } else if (D.Part == SP_PANE || D.Part == SP_GRIPPERPANE) {
            style->drawPrimitive(QStyle::PE_FrameStatusBarItem, &o, &P);
        } else {
            P.fillRect(R, o.palette.window());
            style->drawPrimitive(QStyle::PE_PanelStatusBar, &o, &P);
        }
        return;
    }
    case teTab: {
        if (D.Part == TABP_TABITEM) {
            QStyleOptionTab o;
            Prepare(o, D, R);
            if (D.State == TIS_SELECTED) o.state |= QStyle::State_Selected;
            if (D.State == TIS_HOT) o.state |= QStyle::State_MouseOver;
            style->drawControl(QStyle::CE_TabBarTabShape, &o, &P);
        } else if (D.Part == TABP_PANE) {
            QStyleOptionTabWidgetFrame o;
            Prepare(o, D, R);
            o.lineWidth = 1;
            style->drawPrimitive(QStyle::PE_FrameTabWidget, &o, &P);
        } else {
            P.fillRect(R, QApplication::palette().window());
        }
        return;
    }
    case teProgress: {
        QStyleOptionProgressBar o;
        Prepare(o, D, R);
        o.minimum = 0;
        o.maximum = 100;
        o.progress = 0;
        if (D.Part == PP_CHUNK || D.Part == PP_CHUNKVERT)
            style->drawPrimitive(QStyle::PE_IndicatorProgressChunk, &o, &P);
        else
            style->drawControl(QStyle::CE_ProgressBarGroove, &o, &P);
        return;
    }
    case teSpin: {
        QStyleOption o;
        Prepare(o, D, R);
        if (D.State == UPS_HOT) o.state |= QStyle::State_MouseOver;
        if (D.State == UPS_PRESSED) o.state |= QStyle::State_Sunken;
        style->drawPrimitive(QStyle::PE_PanelButtonBevel, &o, &P);
        style->drawPrimitive(D.Part == SPNP_UP ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown,
                             &o, &P);
        return;
    }
    default: {
        QStyleOptionButton o;
        Prepare(o, D, R);
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &o, &P);
        return;
    }
    }
}

COLORREF ColorRefOf(const QColor& C) {
    return RGB(static_cast<Byte>(C.red()), static_cast<Byte>(C.green()), static_cast<Byte>(C.blue()));
}

class TStyleThemeServices : public TThemeServices {
public:
    bool ThemesAvailable() const override { return true; }
    bool ThemesEnabled() const override { return true; }

    void DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R,
                     const TRect* ClipRect) override {
        if (R.IsEmpty() || !qApp) return;
        const int w = R.Width(), h = R.Height();
        // Compose the element over what lies under it, then copy it back
        // through DC's clipping.
        auto raster = std::make_shared<TRaster>(w, h);
        HDC work = CreateRasterDC(raster);
        TScopeExit freeWork([work] { DeleteDC(work); });
        BitBlt(work, 0, 0, w, h, DC, R.Left, R.Top, SRCCOPY);
        {
            QImage image = RasterImage(*raster);
            QPainter painter(&image);
            Paint(painter, Details, QRect(0, 0, w, h));
        }
        TSavedDC saved(DC);
        if (ClipRect) IntersectClipRect(DC, ClipRect->Left, ClipRect->Top, ClipRect->Right, ClipRect->Bottom);
        BitBlt(DC, R.Left, R.Top, w, h, work, 0, 0, SRCCOPY);
    }

    void DrawText(HDC DC, const TThemedElementDetails& Details, const String& Text, TRect R,
                  Cardinal Flags) override {
        COLORREF color = 0;
        GetColor(Details, TMT_TEXTCOLOR, color);
        TSavedDC saved(DC);
        SetTextColor(DC, color);
        SetBkMode(DC, TRANSPARENT);
        ::DrawText(DC, Text, &R, Flags);
    }

    bool GetColor(const TThemedElementDetails& Details, Integer PropId, COLORREF& Color) override {
        if (!qApp) return false;
        const QPalette palette = QApplication::palette();
        const QPalette::ColorGroup group = IsDisabled(Details) ? QPalette::Disabled : QPalette::Active;
        switch (PropId) {
        case TMT_BORDERCOLOR:
            Color = ColorRefOf(palette.color(group, QPalette::Mid));
            return true;
        case TMT_FILLCOLOR:
            Color = ColorRefOf(
                palette.color(group, Details.Element == teEdit ? QPalette::Base : QPalette::Button));
            return true;
        case TMT_TEXTCOLOR:
            Color = ColorRefOf(
                palette.color(group, Details.Element == teEdit ? QPalette::Text : QPalette::ButtonText));
            return true;
        case TMT_EDGELIGHTCOLOR:
            Color = ColorRefOf(palette.color(group, QPalette::Midlight));
            return true;
        case TMT_EDGEHIGHLIGHTCOLOR:
            Color = ColorRefOf(palette.color(group, QPalette::Light));
            return true;
        case TMT_EDGESHADOWCOLOR:
            Color = ColorRefOf(palette.color(group, QPalette::Mid));
            return true;
        case TMT_EDGEDKSHADOWCOLOR:
            Color = ColorRefOf(palette.color(group, QPalette::Dark));
            return true;
        case TMT_EDGEFILLCOLOR:
            Color = ColorRefOf(palette.color(group, QPalette::Button));
            return true;
        default:
            return false;
        }
    }

    TRect ContentRect(HDC, const TThemedElementDetails&, const TRect& BoundingRect) override {
        const int frame = qApp ? QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 2;
        TRect r = BoundingRect;
        InflateRect(r, -frame, -frame);
        return r;
    }
};

} // namespace

TThemeServices* StyleThemeServices() {
    static TStyleThemeServices services;
    return &services;
}
