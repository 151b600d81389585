// What the controls publish: every published default is the value a new
// control has, and a setting a frame controller governs is not stored.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/dialogbuttons/QxDlgBtn.h"
#include "controls/edit/QxEdit.h"
#include "controls/ipaddress/ComCtrlsAdds.h"
#include "controls/label/QxLabel.h"
#include "controls/progress/QxPrgres.h"
#include "controls/radiogroup/QxRadGrp.h"
#include "controls/separator/QxBckgnd.h"
#include "controls/spinedit/TimeSpin.h"
#include "controls/status/QxStatus.h"
#include "controls/status/QxStatusBar.h"
#include "controls/tabs/QxTabs.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Spin.h"

namespace {

using Published = ControlTest;

TEST_F(Published, EveryDefaultIsTheValueANewControlHas) {
    const TClassInfo* classes[] = {
        &TQxGroupBox::ClassInfo(),      &TQxRadioGroup::ClassInfo(), &TQxStatusBar::ClassInfo(),
        &TQxDialogButtons::ClassInfo(), &TQxStatusPane::ClassInfo(), &TQxGlyphStatus::ClassInfo(),
        &TQxProgressBar::ClassInfo(),   &TTimeSpinEdit::ClassInfo(), &TIPAddress::ClassInfo(),
        &TQxButton::ClassInfo(),        &TQxBitBtn::ClassInfo(),     &TQxCheckBox::ClassInfo(),
        &TQxRadioButton::ClassInfo(),   &TQxEdit::ClassInfo(),       &TQxMemo::ClassInfo(),
        &TQxLabel::ClassInfo(),         &TQxURLLabel::ClassInfo(),   &TQxSeparator::ClassInfo(),
        &TQxTabControl::ClassInfo(),    &TQxPageControl::ClassInfo(), &TQxTabSheet::ClassInfo(),
        // The framework's own controls.
        &TLabel::ClassInfo(),           &TPanel::ClassInfo(),        &TButton::ClassInfo(),
        &TComboBox::ClassInfo(),        &TMemo::ClassInfo(),         &TImage::ClassInfo(),
        &TSpinButton::ClassInfo(),      &TForm::ClassInfo()};
    for (const TClassInfo* info : classes) {
        TComponent* c = info->Create(Form);
        for (const TPropInfo* p : info->Properties()) {
            // A property declared twice is found by name as listed.
            EXPECT_EQ(info->FindProperty(p->Name), p) << info->ClassName() << "." << p->Name;
            if (p->Default && p->GetOrd)
                EXPECT_EQ(p->GetOrd(c), *p->Default) << info->ClassName() << "." << p->Name;
        }
        c->Free();
    }
}

// Each property that the setting writes, set away from its default: stored
// without a controller, and with one that passes the setting on; not
// stored while the controller governs it.
TEST_F(Published, SettingsAControllerGovernsAreNotStored) {
    auto* fc = new TQxFrameController(Form);
    struct Case {
        const TClassInfo* Class;
        const char* Property;
        TQxFrameControllerPropertyConnection Setting;
    } cases[] = {
        {&TQxProgressBar::ClassInfo(), "BorderOuter", fcpFrameStyle},
        {&TQxProgressBar::ClassInfo(), "FlatColor", fcpFrameColor},
        {&TQxProgressBar::ClassInfo(), "FlatColorAdjustment", fcpFrameColor},
        {&TQxProgressBar::ClassInfo(), "BackColor", fcpColor},
        {&TQxStatusPane::ClassInfo(), "FrameStyle", fcpFrameStyle},
        {&TQxStatusPane::ClassInfo(), "FlatColor", fcpFrameColor},
        {&TQxStatusPane::ClassInfo(), "FlatColorAdjustment", fcpFrameColor},
        {&TQxStatusPane::ClassInfo(), "FillColor", fcpColor},
        {&TQxStatusPane::ClassInfo(), "ParentColor", fcpParentColor},
        {&TQxGlyphStatus::ClassInfo(), "FrameStyle", fcpFrameStyle},
        {&TQxLabel::ClassInfo(), "BorderOuter", fcpFrameStyle},
        {&TQxLabel::ClassInfo(), "BorderSides", fcpFrameSides},
        {&TQxLabel::ClassInfo(), "FlatColorAdjustment", fcpFrameColor},
        {&TQxLabel::ClassInfo(), "Color", fcpColor},
        {&TQxLabel::ClassInfo(), "BorderShadow", fcpColor},
        {&TQxLabel::ClassInfo(), "ParentColor", fcpParentColor},
        {&TQxGroupBox::ClassInfo(), "BorderOuter", fcpFrameStyle},
        {&TQxRadioGroup::ClassInfo(), "BorderSides", fcpFrameSides},
        {&TQxStatusBar::ClassInfo(), "FlatColor", fcpFrameColor},
        {&TQxDialogButtons::ClassInfo(), "Color", fcpColor},
        {&TQxGroupBox::ClassInfo(), "ParentColor", fcpParentColor},
        {&TQxCheckBox::ClassInfo(), "FillColor", fcpColor},
        {&TQxCheckBox::ClassInfo(), "FocusColor", fcpFocusColor},
        {&TQxRadioButton::ClassInfo(), "ReadOnlyColorOnFocus", fcpReadOnlyColorOnFocus},
        {&TQxRadioButton::ClassInfo(), "HotTrackStyle", fcpFrameHotTrack},
        {&TQxCheckBox::ClassInfo(), "HotTrackColor", fcpFrameHotColor},
    };
    for (const Case& k : cases) {
        auto* c = dynamic_cast<TControl*>(k.Class->Create(Form));
        const TPropInfo* p = k.Class->FindProperty(k.Property);
        ASSERT_NE(p, nullptr) << k.Property;
        SetOrdProp(c, k.Property, p->Default ? (*p->Default == 0 ? 1 : 0) : 0x123456);
        const String what = k.Class->ClassName() + "." + k.Property;
        EXPECT_TRUE(p->IsStored(c)) << what;
        SetObjectProp(c, "FrameController", fc);
        EXPECT_FALSE(p->IsStored(c)) << what;
        SetOrdProp(c, "FrameControllerNotifications",
                   (AllFrameControllerNotifications - TQxFrameControllerNotifications{k.Setting}).ToInt());
        EXPECT_TRUE(p->IsStored(c)) << what;
        c->Free();
    }
}

} // namespace
