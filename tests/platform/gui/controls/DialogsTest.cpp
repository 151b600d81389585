// Message boxes as the user would see them, answered from a script, and the
// application's handling of exceptions nobody caught.
#include "platform/rtl/EventLoop.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <thread>

namespace {

std::vector<String> Captions(const TMessageBoxRequest& R) {
    std::vector<String> c;
    for (const auto& b : R.Buttons)
        c.push_back(b.Caption);
    return c;
}

TEST(MessageBoxes, MessageDlgShowsTheTypeTheButtonsAndGivesTheAnswer) {
    TScriptedMessageBoxes boxes;
    boxes.Answer(mrNo);
    EXPECT_EQ(MessageDlg("Erase the device?", mtConfirmation, mbYesNoCancel), mrNo);
    // Unscripted: the default button answers.
    EXPECT_EQ(
        MessageDlg("Required Upgrade files are missing. Please re-install application.", mtError, {mbOK}),
        mrOk);
    EXPECT_EQ(MessageDlg("Retry?", mtWarning, mbAbortRetryIgnore), mrRetry);
    ASSERT_EQ(boxes.Shown().size(), 3u);
    const auto& first = boxes.Shown()[0];
    EXPECT_EQ(first.Caption, "Confirm");
    EXPECT_EQ(first.Text, "Erase the device?");
    EXPECT_EQ(first.DlgType, mtConfirmation);
    EXPECT_EQ(Captions(first), (std::vector<String>{"&Yes", "&No", "Cancel"}));
    EXPECT_EQ(first.DefaultResult, mrYes);
    EXPECT_EQ(first.CancelResult, mrCancel);
    EXPECT_EQ(boxes.Shown()[1].Caption, "Error");
    EXPECT_EQ(boxes.Shown()[2].Caption, "Warning");
    EXPECT_EQ(Captions(boxes.Shown()[2]), (std::vector<String>{"&Abort", "&Retry", "&Ignore"}));
}

TEST(MessageBoxes, Win32StyleBoxesFollowTheirFlags) {
    TScriptedMessageBoxes boxes;
    boxes.Answer(IDNO);
    EXPECT_EQ(MessageBox(0, "Device ID 0x1234 is not responding!", "Host",
                         MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2),
              IDNO);
    const auto& r = boxes.Shown()[0];
    EXPECT_EQ(Captions(r), (std::vector<String>{"&Yes", "&No"}));
    EXPECT_EQ(r.DlgType, mtWarning);
    EXPECT_EQ(r.DefaultResult, IDNO);
    EXPECT_EQ(MessageBox(0, "Saved.", "", MB_OK), IDOK);
    EXPECT_EQ(boxes.Shown()[1].Caption, "Error"); // no caption given
    EXPECT_EQ(MessageBox(0, "x", "c", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(boxes.Shown()[2].CancelResult, IDCANCEL);
}

TEST(MessageBoxes, UncaughtExceptionsAreShownUnderTheApplicationTitle) {
    Application->Initialize();
    Application->SetTitle("Upgrader");
    TScriptedMessageBoxes boxes;
    HandleException(EInvalidOperation("Cannot open file x.hex"));
    HandleException(EAbort("silent"));
    HandleException(EInvalidOperation("Already ends with a stop."));
    HandleException(EInvalidOperation("Cannot open file \"x.hex\""));
    ASSERT_EQ(boxes.Shown().size(), 3u);
    EXPECT_EQ(boxes.Shown()[0].Caption, "Upgrader");
    EXPECT_EQ(boxes.Shown()[0].Text, "Cannot open file x.hex.");
    EXPECT_EQ(boxes.Shown()[0].DlgType, mtError);
    // A full stop is added only after a letter or digit (a character above '.').
    EXPECT_EQ(boxes.Shown()[1].Text, "Already ends with a stop.");
    EXPECT_EQ(boxes.Shown()[2].Text, "Cannot open file \"x.hex\"");
    // An exception escaping a posted message's handler ends up there too.
    HWND h = AllocateHWnd([](TMessage&) { throw EInvalidOperation("posted handler failed"); });
    PostMessage(h, WM_APP, 0, 0);
    Application->ProcessMessages();
    DeallocateHWnd(h);
    ASSERT_EQ(boxes.Shown().size(), 4u);
    EXPECT_EQ(boxes.Shown()[3].Text, "posted handler failed.");
    Application->SetTitle("");
}

TEST(MessageBoxes, ExceptionsOfOtherThreadsAreShownByTheGuiThread) {
    Application->Initialize();
    TScriptedMessageBoxes boxes;
    std::thread worker([] {
        Application->HandleException(EInvalidOperation("Receive failed"));
        HandleException(EInvalidOperation("Device list failed"));
    });
    worker.join();
    EXPECT_TRUE(boxes.Shown().empty()); // no box on the other thread
    Application->ProcessMessages();
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Receive failed.");
    EXPECT_EQ(boxes.Shown()[1].Text, "Device list failed.");
}

} // namespace
