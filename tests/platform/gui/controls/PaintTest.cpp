// Painting: a shown form with painted controls as the screen shows it, the
// meanings of Invalidate, Update and Repaint, and a child painting its
// parent's background.
#include "platform/gui/controls/Themes.h"
#include "platform/gui/controls/WindowSurface.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QImage>

#include <cstdlib>

using namespace probes;

namespace {

COLORREF At(const QImage& Image, int X, int Y) {
    QRgb p = Image.pixel(X, Y);
    return RGB(static_cast<Byte>(qRed(p)), static_cast<Byte>(qGreen(p)), static_cast<Byte>(qBlue(p)));
}

class Paint : public FormTest {
protected:
    // Counts the messages that reach a window.
    Integer Watch(TWinControl* W, Cardinal Msg) {
        Integer* count = &Counts[Msg];
        TWndMethod old = W->WindowProc;
        W->WindowProc = [old, count, Msg](TMessage& M) {
            if (M.Msg == Msg) ++*count;
            old(M);
        };
        return 0;
    }
    std::map<Cardinal, Integer> Counts;
};

TEST_F(Paint, AFormWithPaintedControlsShowsExactlyWhatTheyPainted) {
    Form->SetBounds(0, 0, 60, 40);
    Form->OnPaint = [this](TObject*) {
        // A one-pixel frame around the form's client area.
        Form->Canvas()->Brush()->SetColor(clNavy);
        Form->Canvas()->FrameRect(Form->ClientRect());
    };
    auto* box = Make<TWinProbe>(Form, "Box", {10, 10, 30, 30});
    box->Paints = true;
    box->PaintColor = clRed;
    auto* pane = Make<TGraphicProbe>(Form, "Pane", {40, 5, 50, 15});
    pane->PaintColor = clBlue;
    Form->Show();
    QImage shot = GrabWindow(Form);
    ASSERT_EQ(shot.width(), 60);
    ASSERT_EQ(shot.height(), 40);
    const String file =
        String(std::getenv("QUENTA_BINARY_DIR")) + "/tests/platform/gui/controls/form-smoke.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(file), "PNG"));
    QImage png(QString::fromStdString(file));
    ASSERT_EQ(png.size(), shot.size());

    const COLORREF face = ColorToRGB(clBtnFace);
    for (const QImage* img : {&shot, &png}) {
        EXPECT_EQ(At(*img, 0, 0), ColorToRGB(clNavy));
        EXPECT_EQ(At(*img, 59, 39), ColorToRGB(clNavy));
        EXPECT_EQ(At(*img, 1, 1), face);
        EXPECT_EQ(At(*img, 9, 10), face);
        EXPECT_EQ(At(*img, 10, 10), ColorToRGB(clRed)); // the child window
        EXPECT_EQ(At(*img, 29, 29), ColorToRGB(clRed));
        EXPECT_EQ(At(*img, 30, 29), face);
        EXPECT_EQ(At(*img, 40, 5), ColorToRGB(clBlue)); // the graphic control on the form's surface
        EXPECT_EQ(At(*img, 49, 14), ColorToRGB(clBlue));
        EXPECT_EQ(At(*img, 50, 14), face);
    }
    // Moving the graphic control repaints both places; under the child
    // window it is hidden.
    pane->SetLeft(20);
    shot = GrabWindow(Form);
    EXPECT_EQ(At(shot, 45, 10), face);
    EXPECT_EQ(At(shot, 25, 7), ColorToRGB(clBlue));
    EXPECT_EQ(At(shot, 25, 10), ColorToRGB(clRed));
}

TEST_F(Paint, InvalidateWaitsUpdatePaintsRepaintDoesBoth) {
    auto* box = Make<TWinProbe>(Form, "Box", {0, 0, 30, 30});
    Form->Show();
    box->Update();
    const Integer start = box->PaintCount;
    box->Invalidate();
    box->Invalidate();
    EXPECT_EQ(box->PaintCount, start);
    box->Update();
    EXPECT_EQ(box->PaintCount, start + 1); // once for both
    box->Update();
    EXPECT_EQ(box->PaintCount, start + 1); // nothing marked
    box->Repaint();
    EXPECT_EQ(box->PaintCount, start + 2);
    box->Invalidate();
    Application->ProcessMessages(); // the event loop paints what is marked
    GrabWindow(Form);
    EXPECT_EQ(box->PaintCount, start + 3);
}

TEST_F(Paint, AnOpaqueGraphicControlRepaintsWithoutErasingItsParent) {
    auto* pane = Make<TGraphicProbe>(Form, "Pane", {10, 10, 20, 20});
    Form->Show();
    Form->Update();
    Watch(Form, WM_ERASEBKGND);
    Watch(Form, WM_PAINT);
    pane->Repaint();
    EXPECT_EQ(Counts[WM_ERASEBKGND], 1);
    EXPECT_EQ(Counts[WM_PAINT], 1);
    const Integer painted = pane->PaintCount;
    pane->SetControlStyle(pane->ControlStyle() + TControlStyle{csOpaque});
    pane->Repaint();
    EXPECT_EQ(Counts[WM_ERASEBKGND], 1);
    EXPECT_EQ(Counts[WM_PAINT], 1);
    EXPECT_EQ(pane->PaintCount, painted + 1);
}

TEST_F(Paint, AChildCanPaintWhatItsParentShowsBehindIt) {
    Form->SetBounds(0, 0, 80, 40);
    Form->OnPaint = [this](TObject*) {
        Form->Canvas()->Brush()->SetColor(clLime);
        Form->Canvas()->FillRect(TRect(40, 0, 80, 40));
    };
    Make<TGraphicProbe>(Form, "Pane", {44, 4, 48, 8}); // a graphic child painted on the form
    auto* child = Make<TWinProbe>(Form, "Child", {30, 0, 60, 20});
    Form->Show();
    TBitmap behind(30, 20);
    ClassicThemeServices()->DrawParentBackground(child->Handle(), behind.Canvas()->Handle(), nullptr);
    EXPECT_EQ(behind.Canvas()->Pixels(0, 0), ColorToRGB(clBtnFace) & 0xFFFFFF); // erased in the form's colour
    EXPECT_EQ(behind.Canvas()->Pixels(9, 0), ColorToRGB(clBtnFace) & 0xFFFFFF);
    EXPECT_EQ(behind.Canvas()->Pixels(10, 0), clLime); // painted by the form
    EXPECT_EQ(behind.Canvas()->Pixels(14, 4), clBlue); // and its graphic child under it
    EXPECT_EQ(behind.Canvas()->Pixels(29, 19), clLime);
}

TEST_F(Paint, APaintThatRaisesLeavesTheDeviceContextAsItWas) {
    class TFailingPane : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;

    protected:
        void Paint() override { throw EInvalidOperation("paint failed"); }
    };
    Form->SetBounds(0, 0, 40, 30);
    Make<TGraphicProbe>(Form, "Opaque", {0, 0, 5, 5})->SetControlStyle(TControlStyle{csOpaque});
    Make<TFailingPane>(Form, "Failing", {10, 10, 20, 20});
    TBitmap bmp(40, 30);
    HDC dc = bmp.Canvas()->Handle();
    EXPECT_THROW(Form->PaintTo(dc, 5, 5), EInvalidOperation);
    TPoint org;
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org, Point(0, 0));
    TRect clip;
    GetClipBox(dc, &clip);
    EXPECT_EQ(clip, Rect(0, 0, 40, 30));
    EXPECT_EQ(SaveDC(dc), 1); // no level left saved
}

TEST_F(Paint, ThemeServicesAreChosenExplicitly) {
    EXPECT_FALSE(ThemeServices()->ThemesEnabled());
    TBitmap bmp(20, 20);
    TThemedElementDetails button{teButton, BP_PUSHBUTTON, PBS_NORMAL};
    ClassicThemeServices()->DrawElement(bmp.Canvas()->Handle(), button, TRect(0, 0, 20, 20));
    EXPECT_EQ(bmp.Canvas()->Pixels(10, 10), clWhite); // themes off draw nothing
    SetThemeServices(StyleThemeServices());
    EXPECT_TRUE(ThemeServices()->ThemesEnabled());
    TRect clip(0, 0, 10, 20);
    ThemeServices()->DrawElement(bmp.Canvas()->Handle(), button, TRect(0, 0, 20, 20), &clip);
    bool drew = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            drew = drew || bmp.Canvas()->Pixels(x, y) != clWhite;
    EXPECT_TRUE(drew);
    for (int y = 0; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            EXPECT_EQ(bmp.Canvas()->Pixels(x, y), clWhite) << x << "," << y;
    COLORREF border;
    EXPECT_TRUE(ThemeServices()->GetColor(button, TMT_BORDERCOLOR, border));
    SetThemeServices(nullptr);
    EXPECT_FALSE(ThemeServices()->ThemesEnabled());
}

} // namespace
