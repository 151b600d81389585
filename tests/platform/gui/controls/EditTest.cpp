// Edits and memos: the non-client geometry, text reaching the hosted text
// widget as the user's input, and memo lines.
#include "platform/gui/controls/Clipboard.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/SystemParameters.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/Guards.h"
#include "platform/sys/Beep.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

using namespace probes;

namespace {

TEST(NonClient, GeometryOfBordersButtonsAndRegions) {
    EXPECT_EQ(BorderInset(bsNone, true), 0);
    EXPECT_EQ(BorderInset(bsSingle, true), 2);
    EXPECT_EQ(BorderInset(bsSingle, false), 1);

    struct Case {
        Integer Border, Button;
        bool Rtl;
        TRect Client, ButtonRect;
    };
    // A 100 x 21 window; the button is inset as the edit paints it (2).
    const Case cases[] = {
        {2, 0, false, {2, 2, 98, 19}, {82, 2, 98, 19}},
        {2, 16, false, {2, 2, 82, 19}, {82, 2, 98, 19}},
        {2, 16, true, {18, 2, 98, 19}, {2, 2, 18, 19}},
        {1, 15, false, {1, 1, 84, 20}, {82, 2, 98, 19}},
        {0, 16, false, {0, 0, 84, 21}, {82, 2, 98, 19}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NonClientClientRect(100, 21, c.Border, c.Button, c.Rtl), c.Client) << c.Border << c.Button;
        EXPECT_EQ(DropButtonRect(100, 21, 2, 16, c.Rtl), c.ButtonRect) << c.Rtl;
    }
    // A window too small for its parts keeps an empty client area.
    EXPECT_EQ(NonClientClientRect(10, 3, 2, 16, false).Width(), 0);

    const TRect client = NonClientClientRect(100, 21, 2, 16, false);
    EXPECT_EQ(NonClientHitTest({10, 10}, 100, 21, 2, client), HTCLIENT);
    EXPECT_EQ(NonClientHitTest({1, 10}, 100, 21, 2, client), HTBORDER);
    EXPECT_EQ(NonClientHitTest({90, 10}, 100, 21, 2, client), HTNOWHERE); // the button's part
    EXPECT_EQ(NonClientHitTest({99, 0}, 100, 21, 2, client), HTBORDER);
    EXPECT_EQ(NonClientHitTest({100, 10}, 100, 21, 2, client), HTNOWHERE);

    EXPECT_EQ(NonClientCursor(HTCLIENT, crDefault), crIBeam);
    EXPECT_EQ(NonClientCursor(HTCLIENT, crHandPoint), crHandPoint);
    EXPECT_EQ(NonClientCursor(HTNOWHERE, crHandPoint), crArrow);
    EXPECT_EQ(NonClientCursor(HTBORDER, crDefault), crArrow);
}

class EditInput : public FormTest {};

TEST_F(EditInput, KeysOfTheUserAndOfTheProgramReachTheText) {
    auto* edit = new TCustomMaskEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 100, 21);
    Integer changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnKeyPress = [](TObject*, char32_t& Key) {
        if (Key == 'x') Key = 0; // consumed: never typed
    };
    ShowForm();
    edit->SetFocus();
    EXPECT_EQ(edit->TextRect(), TRect(2, 2, 98, 19));

    // The window system's key events on the text widget.
    auto* line = dynamic_cast<QLineEdit*>(WindowWidget(edit->Handle())->findChild<QLineEdit*>());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->geometry(), QRect(2, 2, 96, 17));
    for (const char* t : {"a", "x", "b"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (t[0] - 'a'), Qt::NoModifier, t);
        QApplication::sendEvent(line, &press);
    }
    EXPECT_EQ(edit->Text(), "ab");
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, "\b");
    QApplication::sendEvent(line, &back);
    EXPECT_EQ(edit->Text(), "a");

    // Keys the program sends go the same way.
    Key('C', {}, "c");
    Key(VK_HOME);
    Key('D', {}, "d");
    EXPECT_EQ(edit->Text(), "dac");
    EXPECT_EQ(changes, 5);
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    EXPECT_EQ(edit->SelText(), "ac");

    // Text set before and kept over a new window.
    edit->SetText("kept");
    edit->SetBorderStyle(bsNone);
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_EQ(edit->TextRect(), TRect(0, 0, 100, 21));
    EXPECT_THROW(edit->ValidateError(), EDBEditError);
}

TEST_F(EditInput, MaskedEditTypesByPositionAndValidatesOnLeaving) {
    std::vector<Cardinal> beeps;
    TScopeExit restoreSink([old = SetBeepSink([&](Cardinal Type) { beeps.push_back(Type); })] { SetBeepSink(old); });
    auto* date = Make<TCustomMaskEdit>(Form, "Date", {10, 10, 110, 31});
    auto* address = Make<TCustomMaskEdit>(Form, "Address", {10, 40, 110, 61});
    date->SetEditMask("!99/99/0000;1;_");
    address->SetEditMask("000.000.000.000;0; ");
    address->SetText("10001002003");
    EXPECT_EQ(date->EditText(), "__/__/____");
    EXPECT_EQ(date->Text(), "  /  /    ");
    ShowForm();
    EXPECT_EQ(address->EditText(), "100.010.020.03 "); // the window shows the formatted text
    EXPECT_EQ(address->Text(), "10001002003");

    // Typing overwrites, skips the literals and refuses what does not fit.
    date->SetFocus();
    date->SetSelStart(0);
    for (const char* t : {"1", "2", "x", "0", "5"})
        Key(static_cast<Word>(std::toupper(t[0])), {}, t);
    EXPECT_EQ(date->EditText(), "12/05/____");
    EXPECT_EQ(date->SelStart(), 6);
    EXPECT_EQ(beeps, std::vector<Cardinal>{0});
    // Backspace blanks backwards over the literal; Delete blanks in place.
    for (Integer i = 0; i < 3; ++i)
        Key(VK_BACK);
    EXPECT_EQ(date->EditText(), "1_/__/____");
    EXPECT_EQ(date->SelStart(), 1);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(date->EditText(), "__/__/____");
    EXPECT_EQ(date->SelStart(), 0);
    SetClipboardText("3105x");
    Key('V', {ssCtrl});
    EXPECT_EQ(date->EditText(), "31/05/____");
    EXPECT_EQ(beeps.size(), 2u);
    date->SetSelStart(0);
    date->SetSelLength(2);
    Key('X', {ssCtrl});
    EXPECT_EQ(ClipboardText(), "31");
    EXPECT_EQ(date->EditText(), "__/05/____");
    Key('V', {ssCtrl});
    EXPECT_EQ(date->EditText(), "31/05/____");

    // Leaving with the year missing keeps the focus, with the caret on the gap.
    EXPECT_THROW(address->SetFocus(), EDBEditError);
    EXPECT_TRUE(date->Focused());
    EXPECT_EQ(date->SelStart(), 6);
    // Escape gives back the text of when the edit got the focus; unmodified, it may be left.
    Key(VK_ESCAPE);
    EXPECT_EQ(date->EditText(), "__/__/____");
    address->SetFocus();
    EXPECT_TRUE(address->Focused());

    // The formatted text outlives a new window; no mask is the plain edit again.
    address->SetBorderStyle(bsNone);
    Application->ProcessMessages();
    EXPECT_EQ(address->EditText(), "100.010.020.03 ");
    address->SetEditMask("");
    EXPECT_EQ(address->Text(), "10001002003");
    Key('4', {}, "4");
    EXPECT_EQ(address->Text(), "100010020034");
    // The user's change is still known after the focus moved on.
    date->SetFocus();
    EXPECT_TRUE(address->Modified());
}

TEST_F(EditInput, MemoLinesAppendEditAndOutliveTheWindow) {
    auto* memo = new TMemo(Form);
    memo->Lines()->Add("before");
    memo->SetParent(Form);
    memo->SetBounds(0, 0, 150, 100);
    ShowForm();
    TStrings* lines = memo->Lines();
    EXPECT_EQ(lines->Count(), 1);
    EXPECT_EQ(lines->Add("one"), 1);
    lines->Add("two");
    lines->Insert(1, "inserted");
    lines->Put(3, "TWO");
    lines->Delete(0);
    EXPECT_EQ(lines->Text(), "inserted\none\nTWO\n");
    EXPECT_EQ(memo->Text(), "inserted\none\nTWO");
    EXPECT_EQ(memo->Perform(EM_GETLINECOUNT), 3);
    EXPECT_EQ(memo->Perform(EM_LINEINDEX, 1), 9);
    EXPECT_EQ(memo->Perform(EM_LINEFROMCHAR, 10), 1);
    EXPECT_EQ(memo->Perform(EM_LINELENGTH, 10), 3);

    // A text ending in a line break has no empty last line; the next line fills it.
    memo->SetText("a\nb\n");
    EXPECT_EQ(lines->Count(), 2);
    lines->Add("c");
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Get(2), "c");
    lines->Clear();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add("first");
    EXPECT_EQ(memo->Text(), "first");
    EXPECT_THROW(lines->Get(1), EStringListError);

    memo->SetAlignment(taCenter); // a new window
    Application->ProcessMessages();
    EXPECT_EQ(lines->Count(), 1);
    EXPECT_EQ(lines->Get(0), "first");
}

TEST(Settings, WheelLinesAndClipboardText) {
    Application->Initialize();
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 5, nullptr, 0));
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 5u);
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, nullptr, 0));

    QApplication::clipboard()->clear();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    SetClipboardText("copied");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(ClipboardText(), "copied");
}

} // namespace
