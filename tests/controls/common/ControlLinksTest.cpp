// A framed control built on the shared settings block and links, read from
// a form description with a frame controller; and controls that are freed
// while still registered.
#include "controls/common/QxControlLinks.h"

#include "platform/forms/Reader.h"
#include "platform/gui/controls/Forms.h"

#include <gtest/gtest.h>

namespace {

// A framed, blinking control as the library's controls are written: each
// setter stores, and acts (here: records a repaint) only outside loading.
class TFramedProbe : public TGraphicControl {
public:
    explicit TFramedProbe(TComponent* AOwner) : TGraphicControl(AOwner) { FLinks.JoinBlinkList(); }
    QUENTA_PUBLISHED

    TFrameStyle FrameStyle() const { return FFrame.FrameStyle; }
    void SetFrameStyle(TFrameStyle Value) { Act(StoreChanged(this, FFrame.FrameStyle, Value), "FrameStyle"); }
    TColor FrameColor() const { return FFrame.FrameColor; }
    void SetFrameColor(TColor Value) { Act(StoreChanged(this, FFrame.FrameColor, Value), "FrameColor"); }
    TColor FocusColor() const { return FFrame.FocusColor; }
    void SetFocusColor(TColor Value) { Act(StoreChanged(this, FFrame.FocusColor, Value), "FocusColor"); }
    TSides FrameSides() const { return FFrame.FrameSides; }
    void SetFrameSides(TSides Value) { Act(StoreChanged(this, FFrame.FrameSides, Value), "FrameSides"); }
    bool FrameVisible() const { return FFrame.FrameVisible; }
    void SetFrameVisible(bool Value) { Act(StoreChanged(this, FFrame.FrameVisible, Value), "FrameVisible"); }
    bool FrameHotTrack() const { return FFrame.FrameHotTrack; }
    void SetFrameHotTrack(bool Value) { Act(StoreFrameHotTrack(this, FFrame, Value), "FrameHotTrack"); }
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) {
        FLinks.SetNotifications(Value);
    }

    std::vector<String> Repaints;
    Integer Settled = 0;

protected:
    void Loaded() override {
        TGraphicControl::Loaded();
        ++Settled;
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TGraphicControl::Notification(AComponent, Operation);
        FLinks.Notification(AComponent, Operation);
    }

private:
    void Act(bool Now, const char* What) {
        if (Now) Repaints.push_back(What);
    }

    TQxFrameSettings FFrame;
    TQxControlLinks FLinks{this};
};

const TClassInfo& TFramedProbe::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<TFramedProbe> b("TFramedProbe", &TGraphicControl::ClassInfo());
        PublishFrameController(b);
        PublishFrameSettings<fcpFrameStyle, fcpFrameColor, fcpFocusColor, fcpFrameSides, fcpFrameVisible,
                             fcpFrameHotTrack>(b);
        return PublishBlinkIntervals(b).Register();
    }();
    return info;
}

// Joins the controller and the blink list by hand and never leaves.
class TForgetfulProbe : public TGraphicControl {
public:
    TForgetfulProbe(TComponent* AOwner, TQxFrameController* Controller) : TGraphicControl(AOwner) {
        Controller->RegisterControl(this);
        NeedBlinkingControlsList()->RegisterControl(this);
    }
};

class ControlLinksTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitQxCommon();
        TFramedProbe::ClassInfo();
        ASSERT_EQ(BlinkingControlsList, nullptr);
    }
    void TearDown() override { EXPECT_EQ(BlinkingControlsList, nullptr); }
};

using Lines = std::vector<String>;

TEST_F(ControlLinksTest, AFormSettlesOnceWithTheControllersSettings) {
    auto* form = new TForm(nullptr);
    ReadComponentText(form,
                      "object Holder: TForm\n"
                      "  object Probe: TFramedProbe\n"
                      "    FrameController = Controller\n"
                      "    FrameControllerNotifications = [fcpFrameStyle, fcpFrameColor]\n"
                      "    FrameStyle = fsRaised\n"
                      "    FocusColor = clYellow\n"
                      "    FrameSides = [sdTop]\n"
                      "    FrameHotTrack = True\n"
                      "    BlinkIntervalOn = 300\n"
                      "  end\n"
                      "  object Controller: TQxFrameController\n"
                      "    FrameStyle = fsLowered\n"
                      "    FrameColor = clRed\n"
                      "  end\n"
                      "end\n",
                      "Probe.dfm", &TForm::ClassInfo());
    auto* probe = static_cast<TFramedProbe*>(form->FindComponent("Probe"));
    auto* controller = static_cast<TQxFrameController*>(form->FindComponent("Controller"));

    // Nothing acted while the form was read; Loaded settled once. The
    // controller's settings won over the stored ones it governs.
    EXPECT_TRUE(probe->Repaints.empty());
    EXPECT_EQ(probe->Settled, 1);
    EXPECT_EQ(probe->FrameController(), controller);
    EXPECT_EQ(controller->ControlCount(), 1);
    EXPECT_EQ(probe->FrameStyle(), fsLowered);
    EXPECT_EQ(probe->FrameColor(), clRed);
    EXPECT_EQ(probe->FocusColor(), clYellow);
    // Hot tracking read from the form showed the frame but kept the sides.
    EXPECT_TRUE(probe->FrameHotTrack());
    EXPECT_TRUE(probe->FrameVisible());
    EXPECT_EQ(probe->FrameSides(), TSides{sdTop});
    EXPECT_EQ(BlinkingControlsList->IntervalOn(), 300);

    // What the controller governs is not stored with the control.
    const TClassInfo* info = GetClassInfo(probe);
    EXPECT_FALSE(info->FindProperty("FrameStyle")->IsStored(probe));
    EXPECT_TRUE(info->FindProperty("FocusColor")->IsStored(probe));
    EXPECT_TRUE(info->FindProperty("FrameSides")->IsStored(probe));
    EXPECT_TRUE(info->FindProperty("FrameControllerNotifications")->IsStored(probe));

    // Loaded, setters act at once, pushed values included.
    controller->SetFrameStyle(fsBump);
    probe->SetFocusColor(clAqua);
    probe->SetFocusColor(clAqua);
    EXPECT_EQ(probe->Repaints, (Lines{"FrameStyle", "FocusColor"}));
    probe->SetFrameHotTrack(false);
    probe->SetFrameHotTrack(true);
    EXPECT_EQ(probe->FrameSides(), AllSides);

    // A freed controller is forgotten; the form frees the rest.
    controller->Free();
    EXPECT_EQ(probe->FrameController(), nullptr);
    form->Free();
}

TEST_F(ControlLinksTest, LinksMoveBetweenControllersAndLeaveWithTheControl) {
    auto* a = new TQxFrameController(nullptr);
    auto* b = new TQxFrameController(nullptr);
    auto* probe = new TFramedProbe(nullptr);
    probe->SetFrameController(a);
    probe->SetFrameController(b);
    EXPECT_FALSE(a->HasControlList());
    EXPECT_EQ(b->ControlCount(), 1);
    EXPECT_EQ(BlinkingControlsList->Count(), 1);
    probe->Free();
    EXPECT_FALSE(b->HasControlList());
    a->Free();
    b->Free();
}

TEST_F(ControlLinksTest, AFreedControlNeverStaysRegistered) {
    // Apart, the controller and the blink list hear of it by free
    // notification; on one form, through their owner.
    for (bool onForm : {false, true}) {
        SCOPED_TRACE(onForm ? "on a form" : "apart");
        auto* form = new TForm(nullptr);
        TComponent* owner = onForm ? form : nullptr;
        auto* controller = new TQxFrameController(owner);
        auto* probe = new TForgetfulProbe(owner, controller);
        if (onForm) probe->SetParent(form);
        ASSERT_EQ(controller->ControlCount(), 1);
        ASSERT_EQ(BlinkingControlsList->Count(), 1);
        probe->Free();
        EXPECT_FALSE(controller->HasControlList());
        EXPECT_EQ(BlinkingControlsList->Count(), 0);
        controller->SetFrameStyle(fsRaised); // nobody left to push to
        ReleaseBlinkingControlsList();
        if (!onForm) controller->Free();
        form->Free();
    }
}

} // namespace
