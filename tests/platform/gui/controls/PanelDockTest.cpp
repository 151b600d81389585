// Panels, docking and sizing a form from a grip: the panel's border takes
// its part of the client area, clients docked into a site are laid out one
// after another with grabbers, close and float from their grabbers and
// leave nothing behind when freed, and a size command reaches the desktop's
// window services or, failing those, makes the form follow the mouse.
#include "tests/platform/gui/controls/ControlProbes.h"

#include "platform/gui/controls/DockTree.h"
#include "platform/gui/controls/WindowServices.h"

using namespace probes;

namespace {

class Panels : public FormTest {};

TEST_F(Panels, TheBorderAndBevelsTakeTheirPartOfTheClientArea) {
    auto* panel = Make<TPanel>(Form, "Panel", {0, 0, 100, 80});
    auto* child = Make<TWinProbe>(panel, "Child", {0, 0, 10, 10});
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), TRect(1, 1, 99, 79)); // the raised outer bevel
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    panel->SetBevelInner(bvLowered);
    EXPECT_EQ(child->BoundsRect(), TRect(7, 7, 93, 73)); // 2 + 3 + 2 on each side
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    EXPECT_EQ(child->BoundsRect(), TRect(3, 3, 97, 77));

    // Painted: highlight top-left, shadow bottom-right, then the colour.
    panel->SetBorderWidth(0);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelWidth(1);
    child->Hide();
    ShowForm();
    TBitmap* bmp = new TBitmap(100, 80);
    panel->PaintTo(bmp->Canvas()->Handle(), 0, 0);
    TCanvas* c = bmp->Canvas();
    EXPECT_EQ(c->Pixels(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c->Pixels(98, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c->Pixels(99, 0), ColorToRGB(clBtnShadow)); // the bottom-right colour owns the corner
    EXPECT_EQ(c->Pixels(0, 79), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c->Pixels(5, 40), ColorToRGB(clBtnFace));
    bmp->Free();
}

// ---------------------------------------------------------------- docking

class Docking : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Site = Make<TPanel>(Form, "Site", {0, 0, 120, 100});
        Site->SetBevelOuter(bvNone);
        Site->SetDockSite(true);
        A = Make<TWinProbe>(Form, "A", {150, 0, 30, 30});
        B = Make<TWinProbe>(Form, "B", {150, 50, 30, 30});
    }
    TDockTree* Tree() { return dynamic_cast<TDockTree*>(Site->DockManager()); }
    TPanel* Site = nullptr;
    TWinProbe* A = nullptr;
    TWinProbe* B = nullptr;
};

TEST_F(Docking, ClientsDockedByCodeShareTheSiteOneAfterAnother) {
    ASSERT_NE(Tree(), nullptr); // a panel uses a dock manager once it is a dock site
    EXPECT_THROW(A->ManualDock(Form), EInvalidOperation); // the form is no dock site
    A->ManualDock(Site);
    B->ManualDock(Site);
    EXPECT_EQ(Site->DockClientCount(), 2);
    EXPECT_EQ(A->HostDockSite(), Site);
    EXPECT_FALSE(A->Floating());
    // Grabbers of 12 pixels on top; each client half the height.
    EXPECT_EQ(A->BoundsRect(), TRect(0, 12, 120, 50));
    EXPECT_EQ(B->BoundsRect(), TRect(0, 62, 120, 100));
    // Docking again where it already is changes nothing.
    EXPECT_TRUE(B->ManualDock(Site));
    EXPECT_EQ(Tree()->Clients(), (std::vector<TControl*>{A, B}));

    // A site aligned to the bottom puts the grabbers on the left, side by side.
    Site->SetAlign(alBottom);
    Tree()->ResetBounds(true);
    EXPECT_EQ(A->BoundsRect(), TRect(12, 0, 100, 100));
    EXPECT_EQ(B->BoundsRect(), TRect(112, 0, 200, 100));

    // The grabbers are painted over the site.
    Site->SetAlign(alNone);
    Site->SetBounds(0, 0, 120, 100);
    ShowForm();
    TBitmap* bmp = new TBitmap(120, 100);
    Site->PaintTo(bmp->Canvas()->Handle(), 0, 0);
    EXPECT_EQ(bmp->Canvas()->Pixels(2, 2), ColorToRGB(clBtnHighlight)); // first grabber line
    EXPECT_EQ(bmp->Canvas()->Pixels(2, 52), ColorToRGB(clBtnHighlight));
    bmp->Free();
}

TEST_F(Docking, TheCloseButtonHidesItsClientAndTheOthersTakeTheRoom) {
    A->ManualDock(Site);
    B->ManualDock(Site);
    ShowForm();
    Integer flag = 0;
    EXPECT_EQ(Tree()->HitTest({115, 5}, flag), A);
    EXPECT_EQ(flag, HTCLOSE);
    EXPECT_EQ(Tree()->HitTest({40, 5}, flag), A);
    EXPECT_EQ(flag, HTCAPTION);
    Click(Site, {115, 5});
    EXPECT_FALSE(A->Visible());
    EXPECT_EQ(B->BoundsRect(), TRect(0, 12, 120, 100));
    A->Show();
    EXPECT_EQ(B->BoundsRect(), TRect(0, 62, 120, 100));
    // A press on the close button released elsewhere closes nothing.
    MouseInput(Site, maDown, mbLeft, {}, {115, 5});
    MouseInput(Site, maUp, mbLeft, {}, {60, 5});
    EXPECT_TRUE(A->Visible());
}

TEST_F(Docking, AGrabberDraggedOutFloatsItsClientAndDocksBack) {
    A->ManualDock(Site);
    B->ManualDock(Site);
    ShowForm();
    MouseInput(Site, maDown, mbLeft, {}, {40, 55});
    MouseInput(Site, maMove, mbLeft, {ssLeft}, {200, 120});
    EXPECT_EQ(B->HostDockSite(), Site); // not yet: only the release floats
    MouseInput(Site, maUp, mbLeft, {}, {200, 120});
    EXPECT_TRUE(B->Floating());
    auto* host = dynamic_cast<TToolDockForm*>(B->HostDockSite());
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(host->Visible());
    EXPECT_EQ(host->ClientOrigin(), Site->ClientToScreen({200, 120}));
    EXPECT_EQ(B->BoundsRect(), host->ClientRect());
    EXPECT_EQ(Site->DockClientCount(), 1);
    EXPECT_EQ(A->BoundsRect(), TRect(0, 12, 120, 100));
    // A release inside the site is no drag.
    MouseInput(Site, maDown, mbLeft, {}, {40, 5});
    MouseInput(Site, maUp, mbLeft, {}, {60, 50});
    EXPECT_EQ(A->HostDockSite(), Site);

    // Docked back, the tool window goes away by itself.
    B->ManualDock(Site);
    EXPECT_EQ(B->Align(), alNone);
    EXPECT_EQ(Site->DockClientCount(), 2);
    Application->ProcessMessages();
    for (Integer i = 0; i < Application->ComponentCount(); ++i)
        EXPECT_EQ(dynamic_cast<TToolDockForm*>(Application->Components(i)), nullptr);
}

TEST_F(Docking, NothingDanglesAfterADockedClientIsFreed) {
    A->ManualDock(Site);
    B->ManualDock(Site);
    ShowForm();
    MouseInput(Site, maDown, mbLeft, {}, {40, 55}); // B's grabber held
    B->Free();
    MouseInput(Site, maUp, mbLeft, {}, {200, 120});
    EXPECT_EQ(Site->DockClientCount(), 1);
    EXPECT_EQ(Tree()->Clients(), (std::vector<TControl*>{A}));
    EXPECT_EQ(A->BoundsRect(), TRect(0, 12, 120, 100));

    // A floating client freed takes its tool window with it.
    A->ManualFloat({300, 300, 340, 340});
    auto* host = A->HostDockSite();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(Site->DockClientCount(), 0);
    A->Free();
    EXPECT_EQ(host->DockClientCount(), 0);
    Application->ProcessMessages();
    for (Integer i = 0; i < Application->ComponentCount(); ++i)
        EXPECT_NE(Application->Components(i), static_cast<TComponent*>(host));

    // A site that stops being one drops its manager.
    Site->SetDockSite(false);
    EXPECT_EQ(Site->DockManager(), nullptr);
}

// ---------------------------------------------------------------- sizing from a grip

class TRecordingWindowServices : public TWindowServices {
public:
    bool StartSystemResize(TCustomForm* Form, Integer Edge) override {
        Calls.push_back({Form, Edge});
        return Answer;
    }
    std::vector<std::pair<TCustomForm*, Integer>> Calls;
    bool Answer = true;
};

class GripSizing : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetWindowServices(&Services);
    }
    void TearDown() override {
        SetWindowServices(nullptr);
        FormTest::TearDown();
    }
    TRecordingWindowServices Services;
};

TEST_F(GripSizing, ASizeCommandGoesToTheDesktopOrTheFormFollowsTheMouse) {
    Form->SetBorderStyle(bsSizeable);
    Form->SetBounds(0, 0, 200, 150);
    ShowForm();
    Form->Perform(WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT);
    ASSERT_EQ(Services.Calls.size(), 1u);
    EXPECT_EQ(Services.Calls[0].first, Form);
    EXPECT_EQ(Services.Calls[0].second, WMSZ_BOTTOMRIGHT);

    // Without the desktop's help the form follows the mouse to the release.
    Services.Answer = false;
    const TPoint start = {Form->ClientWidth() - 3, Form->ClientHeight() - 3};
    MouseInput(Form, maMove, mbLeft, {}, start);
    Form->Perform(WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT);
    MouseInput(Form, maMove, mbLeft, {ssLeft}, {start.X + 30, start.Y + 20});
    EXPECT_EQ(Form->Width(), 230);
    EXPECT_EQ(Form->Height(), 170);
    MouseInput(Form, maUp, mbLeft, {}, {start.X + 40, start.Y + 20});
    EXPECT_EQ(Form->Width(), 240);
    MouseInput(Form, maMove, mbLeft, {}, {start.X + 80, start.Y + 80});
    EXPECT_EQ(Form->Width(), 240); // the release ended it
    EXPECT_EQ(GetCaptureControl(), nullptr);

    // A form of fixed size is not sized.
    Form->SetBorderStyle(bsSingle);
    Form->Perform(WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT);
    EXPECT_EQ(Services.Calls.size(), 2u);
}

} // namespace
