// The dialog button bar: the row and column geometry, right-to-left rows,
// the Cancel role moving to OK, the panel's size, events after clicks and
// captions stored only when changed.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/dialogbuttons/QxDlgBtn.h"

namespace {

class DialogButtons : public ControlTest {
protected:
    TQxDialogButtons* NewBar() {
        auto* bar = new TQxDialogButtons(Form);
        bar->SetParent(Form);
        return bar;
    }
};

TEST_F(DialogButtons, TheRowEndsEightPixelsFromTheRightAndTheColumnStartsEightDown) {
    auto* bar = NewBar();
    const Integer w = bar->Width(); // the form's width: aligned to the bottom
    EXPECT_EQ(bar->Height(), 36);
    EXPECT_EQ(bar->CancelButton()->BoundsRect(), TRect(w - 83, 6, w - 8, 31));
    EXPECT_EQ(bar->OkButton()->BoundsRect(), TRect(w - 166, 6, w - 91, 31));
    EXPECT_EQ(bar->HelpButton()->BoundsRect(), TRect(0, 0, 0, 0)); // hidden
    EXPECT_TRUE(bar->OkButton()->Default());
    EXPECT_TRUE(bar->CancelButton()->Cancel());
    EXPECT_EQ(bar->OkButton()->ModalResult(), mrOk);
    EXPECT_EQ(bar->CancelButton()->ModalResult(), mrCancel);

    bar->SetShowButton(TQxDialogButtons::biHelp, true);
    EXPECT_EQ(bar->HelpButton()->Left(), w - 83);
    EXPECT_EQ(bar->CancelButton()->Left(), w - 166);
    EXPECT_EQ(bar->OkButton()->Left(), w - 249);
    bar->SetBiDiMode(bdRightToLeft);
    bar->SetButtonWidth(TQxDialogButtons::biHelp, 75); // lays out again
    EXPECT_EQ(bar->HelpButton()->Left(), 8);
    EXPECT_EQ(bar->OkButton()->Left(), 8 + 83 + 83);
    bar->SetBiDiMode(bdLeftToRight);

    // Docked left: a column as wide as the widest button + 12.
    bar->SetAlign(alLeft);
    EXPECT_EQ(bar->Width(), 87);
    EXPECT_EQ(bar->OkButton()->BoundsRect(), TRect(6, 8, 81, 33));
    EXPECT_EQ(bar->CancelButton()->Top(), 41);
    EXPECT_EQ(bar->HelpButton()->Top(), 74);
    // The column follows a new width in the same change, either way.
    bar->SetButtonWidth(TQxDialogButtons::biOk, 100);
    EXPECT_EQ(bar->Width(), 112);
    EXPECT_EQ(bar->OkButton()->Width(), 100);
    bar->SetButtonWidth(TQxDialogButtons::biOk, 75);
    EXPECT_EQ(bar->Width(), 87);
}

TEST_F(DialogButtons, WithoutCancelButtonEscapeReachesOk) {
    auto* bar = NewBar();
    const Integer w = bar->Width();
    bar->SetShowButton(TQxDialogButtons::biCancel, false);
    EXPECT_TRUE(bar->OkButton()->Cancel());
    EXPECT_EQ(bar->OkButton()->Left(), w - 83);
    bar->SetShowButton(TQxDialogButtons::biCancel, true);
    EXPECT_FALSE(bar->OkButton()->Cancel());
}

TEST_F(DialogButtons, AClickGivesTheModalResultThenFiresTheBarsEvent) {
    auto* bar = NewBar();
    Form->Show();
    std::vector<String> seen;
    bar->OnClickCancel = [&](TObject* Sender) {
        seen.push_back(Sender == bar ? "bar" : "other");
        seen.push_back(IntToStr(Form->ModalResult()));
    };
    bar->CancelButton()->Click();
    EXPECT_EQ(seen, (std::vector<String>{"bar", IntToStr(mrCancel)}));
}

TEST_F(DialogButtons, CaptionsAreStoredOnlyWhenTheyDiffer) {
    auto* bar = NewBar();
    const TPropInfo* ok = GetPropInfo(bar, "CaptionOk");
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->IsStored(bar));
    bar->SetButtonCaption(TQxDialogButtons::biOk, "Accept");
    EXPECT_TRUE(ok->IsStored(bar));
    // The old name of HotTrack.
    RegisterClass(TQxDialogButtons::ClassInfo());
    Read("  object Stored: TQxDialogButtons\n    FrameFlat = True\n  end\n");
    EXPECT_TRUE(dynamic_cast<TQxDialogButtons*>(Form->FindComponent("Stored"))->HotTrack());
}

} // namespace
