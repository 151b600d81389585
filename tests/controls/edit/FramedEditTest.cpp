// The framed edit: colour states through focus moves, the drop button under
// the user's mouse and keys, and reading forms with old property names and a
// frame controller.
#include "controls/edit/QxEdit.h"
#include "platform/forms/Reader.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/controls/Themes.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QApplication>
#include <QMouseEvent>

using namespace probes;

namespace {

class FramedEdit : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetThemeServices(ClassicThemeServices());
        RegisterQxEditClasses();
    }
    TQxEdit* NewEdit(const String& Name, TRect Bounds) {
        auto* e = new TQxEdit(Form);
        e->SetName(Name);
        e->SetParent(Form);
        e->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        return e;
    }
    // The user presses and releases the left button at P of the edit's window.
    void MouseClick(TQxEdit* Edit, TPoint P) {
        QWidget* w = WindowWidget(Edit->Handle());
        for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const QPointF at(P.X, P.Y);
            QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        }
    }
};

TEST_F(FramedEdit, ColourStatesFollowFocusMovesInsideTheForm) {
    TQxEdit* a = NewEdit("A", {10, 10, 110, 31});
    TQxEdit* b = NewEdit("B", {10, 40, 110, 61});
    a->SetColor(clYellow); // the focus colour, equal to the old normal colour, follows
    EXPECT_EQ(a->FocusColor(), clYellow);
    a->SetFocusColor(clAqua);
    ShowForm();
    a->SetFocus();
    EXPECT_EQ(a->Color(), clAqua);
    b->SetFocus();
    EXPECT_EQ(a->Color(), clYellow);
    a->SetReadOnly(true); // unfocused: at once
    EXPECT_EQ(a->Color(), clInfoBk);
    a->SetFocus();
    EXPECT_EQ(a->Color(), clAqua);
    a->SetReadOnlyColorOnFocus(true);
    b->SetFocus();
    a->SetFocus();
    EXPECT_EQ(a->Color(), clInfoBk);
    // The program losing the focus is no focus move: the colour stays.
    ActivateForm(nullptr);
    EXPECT_EQ(a->Color(), clInfoBk);
    ActivateForm(Form);
    a->SetEnabled(false); // disabled wins over everything
    EXPECT_EQ(a->Color(), clBtnFace);
    a->SetEnabled(true);
    a->SetReadOnly(false);
    EXPECT_EQ(a->NormalColor(), clYellow);
}

TEST_F(FramedEdit, DropButtonTakesClicksAndKeysWithoutTouchingTheText) {
    TQxEdit* e = NewEdit("E", {10, 10, 110, 31});
    e->SetText("keep");
    std::vector<String> events;
    e->OnDropButtonPress = [&](TObject*) { events.push_back("press " + std::to_string(e->ButtonState())); };
    e->OnDropButtonRelease = [&](TObject*) { events.push_back("release"); };
    e->SetDropButtonRequested(true);
    ShowForm();
    // The client area gives the button its strip on the right.
    EXPECT_EQ(e->TextRect(), TRect(2, 2, 82, 19));
    MouseClick(e, {90, 10});
    EXPECT_EQ(events, Entries({"press 2", "release"}));
    EXPECT_EQ(e->ButtonState(), dbsUp);
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(e->Text(), "keep");

    // Alt+Down and F4 press it too, and hold no mouse capture afterwards.
    events.clear();
    Key(VK_DOWN, {ssAlt});
    Key(VK_F1 + 3);
    EXPECT_EQ(events, Entries({"press 2", "release", "press 2", "release"}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(e->Text(), "keep");

    // A click on the text is the text's.
    events.clear();
    MouseClick(e, {20, 10});
    EXPECT_TRUE(events.empty());
    // Read-only hides the button; the text takes its room.
    e->SetReadOnly(true);
    Application->ProcessMessages();
    EXPECT_FALSE(e->DropButtonShown());
    EXPECT_EQ(e->TextRect(), TRect(2, 2, 98, 19));
    e->SetReadOnly(false);
    e->SetBiDiMode(bdRightToLeft);
    Application->ProcessMessages();
    EXPECT_EQ(e->TextRect(), TRect(18, 2, 98, 19));
}

TEST_F(FramedEdit, ValidationMessagesAndEnterAsTab) {
    TQxEdit* a = NewEdit("A", {10, 10, 110, 31});
    TQxEdit* b = NewEdit("B", {10, 40, 110, 61});
    a->SetTabOnEnter(true);
    ShowForm();
    a->SetFocus();
    Key(VK_RETURN, {}, "\r");
    Application->ProcessMessages();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(a->Text(), "");

    EXPECT_THROW(a->ValidateError(), EDBEditError);
    a->OnValidationMessage = [](TObject*, String& Message) { Message = "Type a number"; };
    try {
        a->ValidateError();
        FAIL();
    } catch (const EDBEditError& E) {
        EXPECT_EQ(String(E.Message), "Type a number");
    }
}

TEST_F(FramedEdit, AMaskedEditAsksForItsValidationMessageOnLeaving) {
    TQxEdit* a = NewEdit("A", {10, 10, 110, 31});
    TQxEdit* b = NewEdit("B", {10, 40, 110, 61});
    a->SetEditMask("000;0;_");
    std::vector<String> asked;
    a->OnValidationMessage = [&](TObject*, String& Message) {
        asked.push_back(a->EditText());
        Message = "Type three digits";
    };
    ShowForm();
    a->SetFocus();
    a->SetSelStart(0);
    Key('1', {}, "1");
    try {
        b->SetFocus();
        FAIL();
    } catch (const EDBEditError& E) {
        EXPECT_EQ(String(E.Message), "Type three digits");
    }
    EXPECT_EQ(asked, Entries({"1__"}));
    // The descendants' hooks: the text as shown and where it is edited.
    EXPECT_EQ(a->GetEditText(), "1__");
    TRect r;
    a->GetEditRect(r);
    EXPECT_EQ(r, a->ClientRect());
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(a->SelStart(), 1);
    Key('2', {}, "2");
    Key('3', {}, "3");
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(a->Text(), "123");
    a->SetAlignment(taCenter); // the alignment is what mirrors under right-to-left reading
    EXPECT_EQ(a->GetControlsAlignment(), taCenter);
}

TEST_F(FramedEdit, FormsWithOldNamesAndAControllerSettleWhenLoaded) {
    TForm* form = new TForm(nullptr);
    ReadComponentText(form,
                      "object F: TForm\n"
                      "  object E: TQxEdit\n"
                      "    Left = 4\n"
                      "    FrameSides = [sdLeft]\n"
                      "    FrameFlat = True\n"
                      "    FrameFocusStyle = fsRaised\n"
                      "    FrameFlatStyle = fsWhatever\n"
                      "    Color = clYellow\n"
                      "    ReadOnly = True\n"
                      "    FrameController = C\n"
                      "    FrameControllerNotifications = [fcpFrameColor]\n"
                      "  end\n"
                      "  object C: TQxFrameController\n"
                      "    FrameColor = clRed\n"
                      "  end\n"
                      "end\n",
                      "Old.dfm");
    auto* e = dynamic_cast<TQxEdit*>(form->FindComponent("E"));
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->FrameHotTrack());
    EXPECT_TRUE(e->FrameVisible()); // an old flat frame shows, hot-tracked
    EXPECT_EQ(e->FrameStyle(), fsStatus);
    EXPECT_EQ(e->FrameHotStyle(), fsRaised);
    EXPECT_EQ(e->FrameSides(), TSides{sdLeft}); // hot tracking read from a form keeps the stored sides
    EXPECT_EQ(e->FrameColor(), clRed);          // pushed by the controller
    EXPECT_EQ(e->NormalColor(), clYellow);
    EXPECT_EQ(e->Color(), clInfoBk); // settled in Loaded: read-only
    e->SetFrameHotTrack(false);
    e->SetFrameHotTrack(true); // after loading: all four sides
    EXPECT_EQ(e->FrameSides(), AllSides);
    // A governed or disabled colour is not written.
    const TPropInfo* color = GetPropInfo(e, "Color");
    ASSERT_NE(color, nullptr);
    EXPECT_TRUE(color->IsStored(e));
    e->SetEnabled(false);
    EXPECT_FALSE(color->IsStored(e));
    form->Free();
}

} // namespace
