// The frame controller, with fake controls that record every setting they
// receive by name, in order.
#include "controls/common/QxControlLinks.h"
#include "controls/common/QxMenuController.h"
#include "controls/common/QxRegIniFile.h"
#include "platform/forms/Reader.h"
#include "platform/gui/controls/Forms.h"
#include "platform/rtl/Guards.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<String>& Log() {
    static std::vector<String> log;
    return log;
}

// A control that publishes every setting and its notification filter, and
// joins and leaves the controller through its links as the library's
// controls do.
class TFakeFramed : public TControl {
public:
    using TControl::TControl;
    QUENTA_PUBLISHED

    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    Integer Notifications() const { return static_cast<Integer>(FLinks.Notifications().ToInt()); }
    void SetNotifications(Integer Value) {
        FLinks.SetNotifications(
            TQxFrameControllerNotifications::FromInt(static_cast<std::uint64_t>(Value) & 0xFFFF));
    }

    // Each setting is recorded as "Name=value".
    void Record(const String& Name, Int64 Value) { Log().push_back(Name + "=" + IntToStr(Value)); }
    TColor FColorValue = 0, FFocus = 0, FDisabled = 0, FReadOnly = 0, FFlatButton = 0, FFrame = 0,
           FFrameHot = 0;
    bool FParentColorValue = false, FReadOnlyOnFocus = false, FFlatButtons = false, FHotTrack = false,
         FVisible = false;
    TFrameStyle FHotStyle = fsNone, FStyle = fsNone;
    Integer FSides = 0;
    TFramingPreference FPreference = fpCustomFraming;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TControl::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FrameController()) Log().push_back("controller gone");
        FLinks.Notification(AComponent, Operation);
    }

private:
    TQxControlLinks FLinks{this};
};

#define FAKE_PROP(Name, Field, Type)                                                                         \
    .Property(                                                                                               \
        Name, [](const TFakeFramed* c) { return c->Field; },                                                 \
        [](TFakeFramed* c, decltype(TFakeFramed::Field) v) {                                                 \
            c->Field = v;                                                                                    \
            c->Record(Name, static_cast<Int64>(v));                                                          \
        },                                                                                                   \
        Type)

const TClassInfo& TFakeFramed::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TFakeFramed>("TFakeFramed", &TControl::ClassInfo()) FAKE_PROP(
            "Color", FColorValue, ColorTypeInfo()) FAKE_PROP("FocusColor", FFocus, ColorTypeInfo())
            FAKE_PROP("DisabledColor", FDisabled, ColorTypeInfo()) FAKE_PROP("ReadOnlyColor", FReadOnly,
                                                                             ColorTypeInfo())
                FAKE_PROP("ReadOnlyColorOnFocus", FReadOnlyOnFocus,
                          nullptr) FAKE_PROP("ParentColor", FParentColorValue, nullptr)
                    FAKE_PROP("FlatButtonColor", FFlatButton, ColorTypeInfo()) FAKE_PROP(
                        "FlatButtons", FFlatButtons, nullptr) FAKE_PROP("FrameColor", FFrame, ColorTypeInfo())
                        FAKE_PROP("FrameHotColor", FFrameHot, ColorTypeInfo())
                            FAKE_PROP("FrameHotTrack", FHotTrack, nullptr)
                                FAKE_PROP("FrameHotStyle", FHotStyle, FrameStyleTypeInfo())
                                    FAKE_PROP("FrameSides", FSides, SidesTypeInfo())
                                        FAKE_PROP("FrameStyle", FStyle, FrameStyleTypeInfo())
                                            FAKE_PROP("FrameVisible", FVisible, nullptr) FAKE_PROP(
                                                "FramingPreference", FPreference, FramingPreferenceTypeInfo())
                                                .Property("FrameControllerNotifications",
                                                          &TFakeFramed::Notifications,
                                                          &TFakeFramed::SetNotifications,
                                                          FrameControllerNotificationsTypeInfo())
                                                .Property("FrameController", &TFakeFramed::FrameController,
                                                          &TFakeFramed::SetFrameController)
                                                .Register();
    return info;
}

// A control with only one of the settings and no filter.
class TFakePartial : public TControl {
public:
    using TControl::TControl;
    QUENTA_PUBLISHED
    TColor FColorValue = 0;
    TFrameStyle FStyle = fsNone;
};

const TClassInfo& TFakePartial::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TFakePartial>("TFakePartial", &TControl::ClassInfo())
                                        .Property(
                                            "FrameStyle", [](const TFakePartial* c) { return c->FStyle; },
                                            [](TFakePartial* c, TFrameStyle v) {
                                                c->FStyle = v;
                                                Log().push_back("partial FrameStyle=" + IntToStr(v));
                                            },
                                            FrameStyleTypeInfo())
                                        .Register();
    return info;
}

// A control that reads the settings itself.
class TFakePuller : public TControl, public IQxFrameControllerNotification {
public:
    using TControl::TControl;
    void FrameControllerChanged() override { Log().push_back("changed"); }
};

class FrameControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitQxCommon();
        Log().clear();
        FController = new TQxFrameController(nullptr);
    }
    void TearDown() override {
        for (TControl* c : FControls)
            c->Free();
        if (FController) FController->Free();
    }
    template <class T> T* Add() {
        T* c = new T(nullptr);
        FControls.push_back(c);
        return c;
    }
    TFakeFramed* Framed(TQxFrameControllerNotifications Filter = AllFrameControllerNotifications) {
        TFakeFramed* c = Add<TFakeFramed>();
        c->SetNotifications(static_cast<Integer>(Filter.ToInt()));
        c->SetFrameController(FController);
        return c;
    }
    std::vector<String> TakeLog() {
        std::vector<String> l;
        l.swap(Log());
        return l;
    }

    TQxFrameController* FController = nullptr;
    std::vector<TControl*> FControls;
};

using Lines = std::vector<String>;

String N(TColor C) {
    return IntToStr(C);
}

TEST_F(FrameControllerTest, RegisteringPushesEverySettingInOrder) {
    Framed();
    EXPECT_EQ(TakeLog(),
              (Lines{"ParentColor=0", "Color=" + N(clWindow), "DisabledColor=" + N(clBtnFace),
                     "ReadOnlyColor=" + N(clInfoBk), "ReadOnlyColorOnFocus=0", "FocusColor=" + N(clWindow),
                     "FlatButtonColor=" + N(clBtnFace), "FlatButtons=1", "FrameColor=" + N(clBtnShadow),
                     "FrameHotColor=" + N(clBtnShadow), "FrameHotTrack=0", "FrameHotStyle=10",
                     "FrameSides=15", "FrameStyle=1", "FrameVisible=0", "FramingPreference=1"}));
    EXPECT_EQ(FController->ControlCount(), 1);
}

TEST_F(FrameControllerTest, ParentColorSuppressesColor) {
    FController->SetParentColor(true);
    Framed();
    Lines log = TakeLog();
    EXPECT_EQ(log.front(), "ParentColor=1");
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(), [](const String& l) { return l.rfind("Color=", 0) == 0; }), 0);
    EXPECT_EQ(log.size(), 15u);

    FController->SetParentColor(false);
    EXPECT_EQ(TakeLog(), (Lines{"ParentColor=0", "Color=" + N(clWindow)}));
    FController->SetParentColor(true);
    EXPECT_EQ(TakeLog(), (Lines{"ParentColor=1"}));
    // Setting a colour ends following the parent, without saying so.
    FController->SetColor(clRed);
    EXPECT_FALSE(FController->ParentColor());
    EXPECT_EQ(TakeLog(), (Lines{"Color=" + N(clRed)}));
}

TEST_F(FrameControllerTest, EachControlChoosesWhatItAccepts) {
    Framed(TQxFrameControllerNotifications{fcpFrameStyle, fcpFrameColor});
    Framed(TQxFrameControllerNotifications());
    Add<TFakePartial>();
    FController->RegisterControl(FControls.back());
    FController->RegisterControl(Add<TFakePuller>());
    EXPECT_EQ(TakeLog(),
              (Lines{"FrameColor=" + N(clBtnShadow), "FrameStyle=1", "partial FrameStyle=1", "changed"}));

    FController->SetFrameStyle(fsLowered);
    EXPECT_EQ(TakeLog(), (Lines{"FrameStyle=4", "partial FrameStyle=4", "changed"}));
    FController->SetDisabledColor(clGray);
    EXPECT_EQ(TakeLog(), (Lines{"changed"}));
    // The same value again pushes nothing.
    FController->SetFrameStyle(fsLowered);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(FrameControllerTest, HeldUpdatesArePushedOnceOnTheLastRelease) {
    Framed(TQxFrameControllerNotifications{fcpFrameStyle, fcpFrameVisible});
    TakeLog();
    FController->HoldUpdates();
    FController->HoldUpdates();
    FController->SetFrameStyle(fsRaised);
    FController->SetFrameVisible(true);
    FController->ReleaseUpdates();
    EXPECT_TRUE(TakeLog().empty());
    FController->ReleaseUpdates();
    EXPECT_EQ(TakeLog(), (Lines{"FrameStyle=6", "FrameVisible=1"}));
    EXPECT_EQ(FController->UpdateCount(), 0);
    // An extra release pushes again and leaves the count at 0.
    FController->ReleaseUpdates();
    EXPECT_EQ(FController->UpdateCount(), 0);
    EXPECT_EQ(TakeLog().size(), 2u);
}

TEST_F(FrameControllerTest, ColourAndHotTrackSetterSideEffects) {
    Framed(TQxFrameControllerNotifications{fcpColor, fcpFocusColor, fcpFrameHotTrack, fcpFrameVisible});
    TakeLog();
    // Equal colour and focus colour move together; the focus colour is not pushed.
    FController->SetColor(clYellow);
    EXPECT_EQ(FController->FocusColor(), clYellow);
    EXPECT_EQ(TakeLog(), (Lines{"Color=" + N(clYellow)}));
    FController->SetFocusColor(clAqua);
    FController->SetColor(clAqua);
    EXPECT_EQ(FController->FocusColor(), clAqua);
    // Now equal again, they move together.
    FController->SetColor(clLime);
    EXPECT_EQ(FController->FocusColor(), clLime);
    TakeLog();

    FController->SetFrameSides(TSides{sdTop});
    FController->SetFrameHotTrack(true);
    EXPECT_EQ(TakeLog(), (Lines{"FrameVisible=1", "FrameHotTrack=1"}));
    EXPECT_TRUE(FController->FrameVisible());
    EXPECT_EQ(FController->FrameSides(), AllSides);
    // Turning it off again leaves the frame visible.
    FController->SetFrameHotTrack(false);
    EXPECT_EQ(TakeLog(), (Lines{"FrameHotTrack=0"}));
    EXPECT_TRUE(FController->FrameVisible());
    // While a form is read the stored sides stay as stored.
    FController->SetFrameSides(TSides{sdTop});
    FController->SetLoadingState(true);
    FController->SetFrameHotTrack(true);
    FController->SetLoadingState(false);
    EXPECT_EQ(FController->FrameSides(), TSides{sdTop});
}

TEST_F(FrameControllerTest, FrameSidesArePushedAsASet) {
    TFakeFramed* c = Framed(TQxFrameControllerNotifications{fcpFrameSides});
    TakeLog();
    FController->SetFrameSides(TSides{sdLeft, sdBottom});
    EXPECT_EQ(TakeLog(), (Lines{"FrameSides=9"}));
    EXPECT_EQ(GetSetProp(FController, "FrameSides"), "sdLeft,sdBottom");
    EXPECT_EQ(c->FSides, 9);
}

TEST_F(FrameControllerTest, RegistrationIsOnceAndTheListLivesWhileUsed) {
    TFakeFramed* a = Framed();
    TakeLog();
    FController->RegisterControl(a);
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(FController->ControlCount(), 1);
    FController->UnregisterControl(a);
    EXPECT_FALSE(FController->HasControlList());
    FController->UnregisterControl(a);
    FController->SetFrameStyle(fsBump); // no list: nothing to do
    FController->RegisterControl(a);
    EXPECT_TRUE(FController->HasControlList());
    EXPECT_EQ(TakeLog().size(), 16u);
    FController->RegisterControl(nullptr);
    EXPECT_EQ(FController->ControlCount(), 1);
}

TEST_F(FrameControllerTest, LoadedPushesTheLoadedSettings) {
    Framed(TQxFrameControllerNotifications{fcpFrameStyle});
    TakeLog();
    FController->SetLoadingState(true);
    FController->SetFrameStyle(fsPopup); // pushed as set
    FController->SetLoadingState(false);
    TakeLog();
    FController->Loaded();
    EXPECT_EQ(TakeLog(), (Lines{"FrameStyle=9"}));
}

TEST_F(FrameControllerTest, AssignCopiesEverythingAndPushesOnce) {
    Framed(TQxFrameControllerNotifications{fcpFrameStyle, fcpColor, fcpFrameHotStyle});
    TakeLog();
    TQxFrameController* source = new TQxFrameController(nullptr);
    source->SetColor(clNavy);
    source->SetFrameStyle(fsGroove);
    source->SetFrameHotStyle(fsButtonUp);
    source->SetFrameSides(TSides{sdRight});
    source->SetFrameHotColor(clMaroon);
    source->SetFramingPreference(fpCustomFraming);
    source->SetReadOnlyColorOnFocus(true);
    FController->Assign(source);
    EXPECT_EQ(TakeLog(), (Lines{"Color=" + N(clNavy), "FrameHotStyle=7", "FrameStyle=2"}));
    EXPECT_EQ(FController->FrameSides(), TSides{sdRight});
    EXPECT_EQ(FController->FrameHotColor(), clMaroon);
    EXPECT_EQ(FController->FramingPreference(), fpCustomFraming);
    EXPECT_TRUE(FController->ReadOnlyColorOnFocus());
    EXPECT_EQ(FController->FocusColor(), clNavy);

    TComponent* other = new TComponent(nullptr);
    EXPECT_THROW(FController->Assign(other), EConvertError);
    other->Free();
    source->Free();
}

TEST_F(FrameControllerTest, ObsoletePropertiesOfOlderForms) {
    ReadComponentText(FController,
                      "object QxFrameController1: TQxFrameController\n"
                      "  FrameFlat = True\n"
                      "  FrameFlatStyle = fsWhatever\n"
                      "end\n",
                      "Old.dfm");
    EXPECT_TRUE(FController->FrameHotTrack());
    EXPECT_EQ(FController->FrameStyle(), fsStatus);
    EXPECT_EQ(FController->FrameHotStyle(), fsLowered);

    TQxFrameController* second = new TQxFrameController(nullptr);
    ReadComponentText(second,
                      "object QxFrameController2: TQxFrameController\n"
                      "  FrameStyle = fsLowered\n"
                      "  FrameFocusStyle = fsRaised\n"
                      "end\n",
                      "Old.dfm");
    EXPECT_EQ(second->FrameHotStyle(), fsRaised);
    EXPECT_EQ(second->FrameStyle(), fsLowered);
    EXPECT_FALSE(second->FrameVisible());
    // A name that is no frame style keeps the current hot style.
    ReadComponentText(second,
                      "object QxFrameController2: TQxFrameController\n  FrameFocusStyle = fsSparkly\nend\n",
                      "Old.dfm");
    EXPECT_EQ(second->FrameHotStyle(), fsRaised);
    // FrameFlat False changes only the hot tracking.
    ReadComponentText(second, "object QxFrameController2: TQxFrameController\n  FrameFlat = False\nend\n",
                      "Old.dfm");
    EXPECT_FALSE(second->FrameHotTrack());
    EXPECT_EQ(second->FrameStyle(), fsLowered);
    second->Free();
}

TEST_F(FrameControllerTest, ControlsLeaveSafelyWhenTheControllerIsFreed) {
    Framed();
    Framed();
    TakeLog();
    FController->Free();
    FController = nullptr;
    EXPECT_EQ(TakeLog(), (Lines{"controller gone", "controller gone"}));
    for (TControl* c : FControls)
        EXPECT_EQ(static_cast<TFakeFramed*>(c)->FrameController(), nullptr);
}

TEST_F(FrameControllerTest, TheStoreComponentIsAStoreAndIsForgottenWhenFreed) {
    auto* store = new TQxRegIniFile(nullptr);
    FController->SetRegIniFile(store);
    EXPECT_EQ(FController->RegIniFile(), store);
    store->Free();
    EXPECT_EQ(FController->RegIniFile(), nullptr);

    // A description may name a store there, and no other component.
    RegisterClasses({&TQxRegIniFile::ClassInfo(), &TQxMenuController::ClassInfo()});
    auto read = [](const String& Named) {
        auto* form = new TForm(nullptr);
        TScopeExit freeForm([form] { form->Free(); });
        ReadComponentText(form,
                          "object F: TForm\n  object Store: TQxRegIniFile\n  end\n"
                          "  object Menus: TQxMenuController\n  end\n"
                          "  object Frames: TQxFrameController\n    RegIniFile = " +
                              Named + "\n  end\nend\n",
                          "Store.dfm", &TForm::ClassInfo());
        auto* frames = static_cast<TQxFrameController*>(form->FindComponent("Frames"));
        return frames->RegIniFile() == form->FindComponent("Store");
    };
    EXPECT_TRUE(read("Store"));
    EXPECT_THROW(read("Menus"), EFormError);
}

TEST_F(FrameControllerTest, PublishedDefaultsAndStoredColour) {
    const TClassInfo* info = GetClassInfo(FController);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(&FindClass("TQxFrameController"), info);
    EXPECT_EQ(*info->FindProperty("FrameHotStyle")->Default, fsFlatBold);
    EXPECT_EQ(*info->FindProperty("FramingPreference")->Default, fpXPThemes);
    EXPECT_FALSE(info->FindProperty("Color")->IsStored(FController));
    FController->SetColor(clRed);
    EXPECT_TRUE(info->FindProperty("Color")->IsStored(FController));
    FController->SetParentColor(true);
    EXPECT_FALSE(info->FindProperty("Color")->IsStored(FController));
}

} // namespace
