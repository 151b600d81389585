// The progress window: built from its description, the bar reset on show,
// and a new percent painted at once while the same percent paints nothing.
#include "host/ui/Prog.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/gdi/Gdi.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

COLORREF At(const QImage& Image, int X, int Y) {
    const QRgb p = Image.pixel(X, Y);
    return static_cast<COLORREF>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

class ProgressFormTest : public ::testing::Test {
protected:
    void SetUp() override { Form = new TProgressForm(nullptr); }
    void TearDown() override { Form->Free(); }
    // Paints a marker square over the bar straight onto the window, without
    // marking anything for painting: it stays until the bar paints again.
    void Mark() {
        HDC dc = GetDC(Form->Handle());
        HBRUSH brush = CreateSolidBrush(0x00FF00FF);
        const TRect r = Bar()->BoundsRect();
        FillRect(dc, &r, brush);
        DeleteObject(AsGdiObj(brush));
        ReleaseDC(Form->Handle(), dc);
    }
    bool Marked() {
        const TRect r = Bar()->BoundsRect();
        return At(GrabWindow(Form), r.Left + 1, r.Top + r.Height() / 2) == 0x00FF00FF;
    }
    TQxProgressBar* Bar() const { return Form->QxProgressBar1; }
    TProgressForm* Form = nullptr;
};

TEST_F(ProgressFormTest, IsBuiltAsDescribed) {
    EXPECT_EQ(Form->Caption(), "Progress...");
    EXPECT_EQ(Form->ClientWidth(), 246);
    EXPECT_EQ(Form->ClientHeight(), 69);
    EXPECT_EQ(Form->BorderStyle(), bsDialog);
    EXPECT_EQ(Form->Position(), poScreenCenter);
    EXPECT_EQ(Bar()->Left(), 24);
    EXPECT_EQ(Bar()->Top(), 16);
    EXPECT_EQ(Bar()->BarStyle(), bsGradient);
    EXPECT_EQ(Bar()->BarColor(), clBlue);
    EXPECT_EQ(Bar()->BarColorStop(), clAqua);
    EXPECT_EQ(Bar()->BackColorStop(), clSilver);
    EXPECT_EQ(Bar()->InteriorOffset(), 2);
    EXPECT_EQ(Bar()->Font()->Color(), clBlue);
    EXPECT_EQ(Bar()->Percent(), 50); // as stored, until the window is shown
    EXPECT_FALSE(Form->Visible());
}

TEST_F(ProgressFormTest, ShowingResetsTheBarWhateverTheLastPercent) {
    Form->Show();
    EXPECT_EQ(Bar()->Percent(), 0);
    Form->SetProgress(73);
    Form->Hide();
    Form->Show();
    EXPECT_EQ(Bar()->Percent(), 0);
}

TEST_F(ProgressFormTest, ANewPercentPaintsAtOnceTheSamePercentNotAgain) {
    Form->Show();
    Form->Update();
    Form->SetProgress(40);
    Mark();
    ASSERT_TRUE(Marked());
    Form->SetProgress(40);
    EXPECT_TRUE(Marked()) << "the same percent painted the bar again";
    Form->SetProgress(41);
    EXPECT_FALSE(Marked()) << "a new percent was not painted before the call returned";
    EXPECT_EQ(Bar()->Percent(), 41);
}

} // namespace
