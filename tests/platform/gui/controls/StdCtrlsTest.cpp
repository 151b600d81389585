// The standard controls the windows use directly, driven through the window
// system's own mouse and key events on a shown offscreen form: push buttons
// in their dialog roles, the drop-down list with its popup list, pictures
// fitted into image controls, and their classic looks as pixel maps.
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/PopupWindow.h"
#include "platform/gui/controls/WindowSurface.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace probes;

namespace {

// System colours that tell the parts of the classic look apart.
struct TLookColors {
    Integer Index;
    COLORREF Value;
    char Letter;
};
const TLookColors kLook[] = {
    {COLOR_WINDOWFRAME, RGB(0, 0, 1), 'W'}, {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255), 'H'},
    {COLOR_3DLIGHT, RGB(230, 230, 230), 'L'}, {COLOR_BTNSHADOW, RGB(128, 128, 128), 'S'},
    {COLOR_3DDKSHADOW, RGB(64, 64, 64), 'D'},  {COLOR_BTNFACE, RGB(212, 208, 200), '.'},
    {COLOR_WINDOW, RGB(250, 250, 250), 'w'},   {COLOR_BTNTEXT, RGB(0, 0, 0), 'X'},
    {COLOR_HIGHLIGHT, RGB(10, 36, 106), 'h'},
};

class StdCtrls : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        TSysColorTable table = DefaultSysColors();
        for (const TLookColors& c : kLook) table[static_cast<size_t>(c.Index)] = c.Value;
        SetSysColors(table);
        Form->SetBounds(0, 0, 300, 200);
    }
    void TearDown() override {
        FormTest::TearDown();
        ResetSysColors();
    }

    // The screen's pixels of R (form client coordinates) as letters.
    std::string Map(TRect R) {
        QImage shot = GrabWindow(Form);
        std::string s;
        for (Integer y = R.Top; y < R.Bottom; ++y) {
            for (Integer x = R.Left; x < R.Right; ++x) {
                const QRgb p = shot.pixel(x, y);
                const COLORREF c = RGB(static_cast<Byte>(qRed(p)), static_cast<Byte>(qGreen(p)),
                                       static_cast<Byte>(qBlue(p)));
                char letter = '?';
                for (const TLookColors& l : kLook)
                    if (l.Value == c) letter = l.Letter;
                s += letter;
            }
            s += '\n';
        }
        return s;
    }

    // The window system's events.
    static void QtMouse(QWidget* W, QEvent::Type Type, QPoint P, Qt::MouseButton Button = Qt::LeftButton) {
        const Qt::MouseButtons held = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Button);
        QMouseEvent e(Type, QPointF(P), W->mapToGlobal(QPointF(P)), Type == QEvent::MouseMove ? Qt::NoButton : Button,
                      Type == QEvent::MouseMove ? Qt::MouseButtons() : held, Qt::NoModifier);
        QApplication::sendEvent(W, &e);
    }
    void QtClick(TWinControl* C, QPoint P) {
        QWidget* w = WindowWidget(C->Handle());
        QtMouse(w, QEvent::MouseButtonPress, P);
        QtMouse(w, QEvent::MouseButtonRelease, P);
    }
    void QtKey(int Key, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString& Text = QString()) {
        QWidget* w = WindowWidget(Form->Handle());
        QKeyEvent down(QEvent::KeyPress, Key, Mods, Text);
        QApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, Key, Mods, Text);
        QApplication::sendEvent(w, &up);
    }

    TButton* NewButton(const String& Name, TRect Bounds) {
        auto* b = Make<TButton>(Form, Name, Bounds);
        b->OnClick = [this, b](TObject*) { Events.push_back(b->Name() + " click"); };
        return b;
    }
    TComboBox* NewCombo(std::initializer_list<const char*> Items, TRect Bounds = {10, 10, 110, 31}) {
        auto* c = Make<TComboBox>(Form, "Combo", Bounds);
        for (const char* i : Items) c->Items()->Add(i);
        c->OnClick = [this](TObject*) { Events.push_back("click"); };
        c->OnSelect = [this, c](TObject*) { Events.push_back("select " + c->Text()); };
        return c;
    }
    std::vector<String> Events;
};

// ---------------------------------------------------------------- buttons

TEST_F(StdCtrls, AButtonClicksOnAMouseReleaseOverItAndTellsItsFormTheModalResult) {
    TButton* ok = NewButton("Ok", {10, 10, 85, 35});
    ok->SetModalResult(mrOk);
    ShowForm();
    QWidget* w = WindowWidget(ok->Handle());
    QtMouse(w, QEvent::MouseButtonPress, {5, 5});
    EXPECT_TRUE(ok->Pushed());
    EXPECT_TRUE(ok->Focused());
    QtMouse(w, QEvent::MouseMove, {80, 5}); // off the button: it pops up
    EXPECT_FALSE(ok->Pushed());
    QtMouse(w, QEvent::MouseButtonRelease, {80, 5});
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Form->ModalResult(), mrNone);

    QtClick(ok, {5, 5});
    EXPECT_EQ(Events, Entries({"Ok click"}));
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_FALSE(ok->Pushed());
    EXPECT_EQ(GetCaptureControl(), nullptr);

    // A right press does nothing; a disabled button does not click.
    QtMouse(w, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    QtMouse(w, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    ok->SetEnabled(false);
    QtClick(ok, {5, 5});
    EXPECT_EQ(Events.size(), 1u);
}

TEST_F(StdCtrls, AModalFormClosesWithTheResultOfTheButtonClicked) {
    TButton* cancel = NewButton("Cancel", {10, 10, 85, 35});
    cancel->SetModalResult(mrCancel);
    TModalFormHook old = SetModalFormHook([&](TCustomForm*) { QtClick(cancel, {5, 5}); });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    SetModalFormHook(old);
    EXPECT_EQ(Events, Entries({"Cancel click"}));
}

TEST_F(StdCtrls, SpaceEnterEscapeAndAcceleratorsClickTheirButtons) {
    auto* edit = Make<TWinProbe>(Form, "Edit", {10, 100, 60, 120});
    edit->SetTabStop(true);
    TButton* ok = NewButton("Ok", {10, 10, 85, 35});
    TButton* cancel = NewButton("Cancel", {100, 10, 175, 35});
    TButton* go = NewButton("Go", {10, 50, 85, 75});
    go->SetCaption("&Go");
    ok->SetDefault(true);
    cancel->SetCancel(true);
    ShowForm();
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    QtKey(Qt::Key_Return);
    QtKey(Qt::Key_Escape);
    QtKey(Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(Events, Entries({"Ok click", "Cancel click", "Go click"}));

    // A focused button is the one Enter clicks; the default one waits.
    Events.clear();
    cancel->SetFocus();
    EXPECT_TRUE(cancel->Active());
    EXPECT_FALSE(ok->Active());
    QtKey(Qt::Key_Return);
    QWidget* form = WindowWidget(Form->Handle());
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(form, &space);
    EXPECT_TRUE(cancel->Pushed());
    QKeyEvent spaceUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(form, &spaceUp);
    EXPECT_EQ(Events, Entries({"Cancel click", "Cancel click"}));

    // Space held while the focus moves away clicks nothing.
    QApplication::sendEvent(form, &space);
    edit->SetFocus();
    QApplication::sendEvent(form, &spaceUp);
    EXPECT_FALSE(cancel->Pushed());
    EXPECT_EQ(Events.size(), 2u);
    EXPECT_TRUE(ok->Active());
}

TEST_F(StdCtrls, AButtonClickThatFreesItsFormLeavesNothingBehind) {
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(0, 0, 100, 60);
    auto* b = Make<TButton>(dialog, "Close", {5, 5, 80, 30});
    b->OnClick = [dialog](TObject*) { dialog->Free(); };
    dialog->Show();
    QtClick(b, {5, 5});
    Application->ProcessMessages();
    SUCCEED();
}

TEST_F(StdCtrls, AChoiceThatFreesTheComboLeavesNothingBehind) {
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(0, 0, 200, 100);
    auto* c = Make<TComboBox>(dialog, "Combo", {5, 5, 105, 26});
    c->Items()->Add("one");
    c->Items()->Add("two");
    c->OnSelect = [dialog](TObject*) { dialog->Free(); };
    dialog->Show();
    QtClick(c, {20, 10});
    ASSERT_TRUE(c->DroppedDown());
    QWidget* list = c->ListWindow()->Widget();
    QtMouse(list, QEvent::MouseButtonPress, {10, 1 + c->ItemHeight() + 2});
    QtMouse(list, QEvent::MouseButtonRelease, {10, 1 + c->ItemHeight() + 2});
    Application->ProcessMessages();
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(StdCtrls, ButtonsLookClassic) {
    auto* edit = Make<TWinProbe>(Form, "Edit", {100, 100, 120, 120});
    edit->SetTabStop(true);
    TButton* plain = NewButton("Plain", {10, 10, 20, 18});
    TButton* def = NewButton("Def", {30, 10, 40, 18});
    plain->SetCaption("");
    def->SetCaption("");
    def->SetDefault(true);
    ShowForm();
    edit->SetFocus();
    EXPECT_EQ(Map({10, 10, 20, 18}), "HHHHHHHHHD\n"
                                     "HLLLLLLLSD\n"
                                     "HL......SD\n"
                                     "HL......SD\n"
                                     "HL......SD\n"
                                     "HL......SD\n"
                                     "HSSSSSSSSD\n"
                                     "DDDDDDDDDD\n");
    EXPECT_EQ(Map({30, 10, 40, 18}), "WWWWWWWWWW\n"
                                     "WHHHHHHHDW\n"
                                     "WHLLLLLSDW\n"
                                     "WHL....SDW\n"
                                     "WHL....SDW\n"
                                     "WHSSSSSSDW\n"
                                     "WDDDDDDDDW\n"
                                     "WWWWWWWWWW\n");
    // Held down: the active button sinks flat inside its frame, a button
    // that is not active sinks with its edges turned round.
    QtMouse(WindowWidget(def->Handle()), QEvent::MouseButtonPress, {2, 2});
    EXPECT_EQ(Map({30, 10, 40, 18}), "WWWWWWWWWW\n"
                                     "WSSSSSSSSW\n"
                                     "WS......SW\n"
                                     "WS......SW\n"
                                     "WS......SW\n"
                                     "WS......SW\n"
                                     "WSSSSSSSSW\n"
                                     "WWWWWWWWWW\n");
    QtMouse(WindowWidget(def->Handle()), QEvent::MouseButtonRelease, {50, 2});
    def->SetDefault(false);
    QtMouse(WindowWidget(plain->Handle()), QEvent::MouseButtonPress, {2, 2});
    // Focused on the press, it is active now: the frame is back.
    EXPECT_EQ(Map({10, 10, 20, 18}).substr(0, 22), "WWWWWWWWWW\nWSSSSSSSSW\n");
    QtMouse(WindowWidget(plain->Handle()), QEvent::MouseButtonRelease, {50, 2});
}

// ---------------------------------------------------------------- combo boxes

TEST_F(StdCtrls, AComboKeepsItsSelectionAndTextInStepWithItsItems) {
    TComboBox* c = NewCombo({"alpha", "beta", "gamma"});
    c->SetItemIndex(1);
    EXPECT_EQ(c->Text(), "beta");
    c->Items()->Insert(0, "first");
    EXPECT_EQ(c->ItemIndex(), 2);
    c->Items()->Put(2, "BETA");
    EXPECT_EQ(c->Text(), "BETA");
    EXPECT_EQ(c->ItemIndex(), 2);
    c->Items()->Delete(0);
    EXPECT_EQ(c->ItemIndex(), 1);
    c->Items()->Delete(1);
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), "");

    // Text selects its item without regard to case, or none, and is shown.
    c->SetText("GAMMA");
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SetText("No devices");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), "No devices");
    c->SetItemIndex(7);
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), "");
    c->Items()->Clear();
    EXPECT_EQ(c->Items()->Count(), 0);
    EXPECT_TRUE(Events.empty()); // the program's changes fire nothing
}

TEST_F(StdCtrls, TheKeyboardChoosesAtOnceWhileClosedAndMovesTheHighlightWhileOpen) {
    TComboBox* c = NewCombo({"alpha", "beta", "gamma", "delta", "bravo"});
    TButton* ok = NewButton("Ok", {150, 10, 225, 35});
    ok->SetDefault(true);
    ShowForm();
    c->SetFocus();
    QtKey(Qt::Key_Down);
    QtKey(Qt::Key_Down);
    QtKey(Qt::Key_Up);
    QtKey(Qt::Key_End);
    QtKey(Qt::Key_End); // no change: no event
    QtKey(Qt::Key_B, Qt::NoModifier, "b");
    QtKey(Qt::Key_B, Qt::NoModifier, "b"); // the next item with that letter
    EXPECT_EQ(Events, Entries({"click", "select alpha", "click", "select beta", "click", "select alpha", "click",
                               "select bravo", "click", "select beta", "click", "select bravo"}));
    // Enter on a closed list is the form's: the default button clicks.
    Events.clear();
    QtKey(Qt::Key_Return);
    EXPECT_EQ(Events, Entries({"Ok click"}));

    // Open: arrows move the highlight only; Enter chooses it, Escape not.
    Events.clear();
    QtKey(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->ListHighlight(), 4);
    QtKey(Qt::Key_Home);
    QtKey(Qt::Key_Down);
    EXPECT_TRUE(Events.empty());
    QtKey(Qt::Key_Return);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(Events, Entries({"click", "select beta"}));
    QtKey(Qt::Key_F4);
    QtKey(Qt::Key_Up);
    QtKey(Qt::Key_Escape);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->Text(), "beta");

    // Without OnSelect a choice fires OnChange.
    Events.clear();
    c->OnSelect = nullptr;
    c->OnChange = [this](TObject*) { Events.push_back("change"); };
    QtKey(Qt::Key_Up);
    EXPECT_EQ(Events, Entries({"click", "change"}));
}

TEST_F(StdCtrls, TheMouseOpensTheListBelowTheComboAndChoosesFromIt) {
    TComboBox* c = NewCombo({"alpha", "beta", "gamma"});
    auto* other = Make<TWinProbe>(Form, "Other", {10, 100, 60, 120});
    ShowForm();
    QtClick(c, {20, 10});
    ASSERT_TRUE(c->DroppedDown());
    TPopupWindow* list = c->ListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->Visible());
    const Integer row = c->ItemHeight();
    const TPoint below = c->ClientToScreen({0, c->ClientHeight()});
    EXPECT_EQ(list->Bounds(), (TRect{below.X, below.Y, below.X + 100, below.Y + 3 * row + 2}));
    EXPECT_EQ(list->Widget()->geometry(), QRect(below.X, below.Y, 100, 3 * row + 2));

    // Moving over the list highlights; a click chooses and closes.
    QtMouse(list->Widget(), QEvent::MouseMove, {10, 1 + row + 2});
    EXPECT_EQ(c->ListHighlight(), 1);
    EXPECT_TRUE(Events.empty());
    QtMouse(list->Widget(), QEvent::MouseButtonPress, {10, 1 + 2 * row + 2});
    QtMouse(list->Widget(), QEvent::MouseButtonRelease, {10, 1 + 2 * row + 2});
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Events, Entries({"click", "select gamma"}));

    // Press on the face, drag into the list, release: chosen in one go.
    Events.clear();
    QWidget* face = WindowWidget(c->Handle());
    QtMouse(face, QEvent::MouseButtonPress, {20, 10});
    QtMouse(face, QEvent::MouseMove, {20, 21 + 1 + 2});
    EXPECT_EQ(c->ListHighlight(), 0);
    QtMouse(face, QEvent::MouseButtonRelease, {20, 21 + 1 + 2});
    EXPECT_EQ(Events, Entries({"click", "select alpha"}));

    // A press anywhere else closes the list and goes no further.
    Events.clear();
    QtClick(c, {20, 10});
    ASSERT_TRUE(c->DroppedDown());
    Log().clear();
    QtClick(Form, {30, 110});
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "Other:WM_LBUTTONDOWN"), 0);
    // Losing the focus closes it too.
    QtClick(c, {20, 10});
    other->SetTabStop(true);
    other->SetFocus();
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(StdCtrls, ALongListScrollsByKeysWheelAndItsScrollBar) {
    TComboBox* c = NewCombo({});
    for (Integer i = 0; i < 20; ++i) c->Items()->Add("item " + IntToStr(i));
    ShowForm();
    c->SetFocus();
    QtKey(Qt::Key_F4);
    ASSERT_TRUE(c->DroppedDown());
    const Integer row = c->ItemHeight();
    EXPECT_EQ(c->ListWindow()->Bounds().Height(), 8 * row + 2);
    QtKey(Qt::Key_End);
    EXPECT_EQ(c->ListHighlight(), 19);
    EXPECT_EQ(c->ListTopIndex(), 12);
    QWidget* list = c->ListWindow()->Widget();
    QtMouse(list, QEvent::MouseButtonPress, {95, 3}); // the up arrow
    QtMouse(list, QEvent::MouseButtonRelease, {95, 3});
    EXPECT_EQ(c->ListTopIndex(), 11);
    QtMouse(list, QEvent::MouseButtonPress, {95, 20}); // the track above the thumb
    EXPECT_EQ(c->ListTopIndex(), 3);
    MouseWheelInput(Form, {}, -120, {20, 10});
    EXPECT_EQ(c->ListTopIndex(), 6);
    EXPECT_TRUE(c->DroppedDown());
    QtKey(Qt::Key_Escape);
    // Closed, the wheel moves the selection.
    MouseWheelInput(Form, {}, -240, {20, 10});
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(StdCtrls, AComboLooksClassic) {
    auto* edit = Make<TWinProbe>(Form, "Edit", {100, 100, 120, 120});
    edit->SetTabStop(true);
    TComboBox* c = NewCombo({}, {10, 10, 40, 22});
    ShowForm();
    edit->SetFocus();
    EXPECT_EQ(Map({10, 10, 40, 22}), "SSSSSSSSSSSSSSSSSSSSSSSSSSSSSH\n"
                                     "SDDDDDDDDDDDDDDDDDDDDDDDDDDDLH\n"
                                     "SDwwwwwwwwwwHHHHHHHHHHHHHHHDLH\n"
                                     "SDwwwwwwwwwwHLLLLLLLLLLLLLSDLH\n"
                                     "SDwwwwwwwwwwHL..XXXXXXX...SDLH\n"
                                     "SDwwwwwwwwwwHL...XXXXX....SDLH\n"
                                     "SDwwwwwwwwwwHL....XXX.....SDLH\n"
                                     "SDwwwwwwwwwwHL.....X......SDLH\n"
                                     "SDwwwwwwwwwwHSSSSSSSSSSSSSSDLH\n"
                                     "SDwwwwwwwwwwDDDDDDDDDDDDDDDDLH\n"
                                     "SLLLLLLLLLLLLLLLLLLLLLLLLLLLLH\n"
                                     "HHHHHHHHHHHHHHHHHHHHHHHHHHHHHH\n");
    // Focused and closed, the text field is highlighted inside a one-pixel margin.
    c->SetFocus();
    EXPECT_EQ(Map({14, 14, 20, 16}), "hhhhhh\nhhhhhh\n");
}

TEST_F(StdCtrls, DescriptionsBuildTheStandardControls) {
    const char* text = R"(object Dialog: TForm
  ClientHeight = 100
  ClientWidth = 200
  object OKButton: TButton
    Left = 10
    Top = 60
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object ProcessorCombo: TComboBox
    Left = 10
    Top = 10
    Width = 120
    Style = csDropDownList
    ItemHeight = 15
    ItemIndex = 1
    Hint = 'Choose PIC target processor type'
    Items.Strings = (
      'PIC32MX795F512L'
      'PIC32MX460F512L')
  end
  object Image1: TImage
    Left = 140
    Top = 10
    Width = 50
    Height = 40
    Stretch = True
  end
end
)";
    RegisterClasses({&TButton::ClassInfo(), &TComboBox::ClassInfo(), &TImage::ClassInfo()});
    auto* dialog = new TForm(nullptr);
    dialog->InitializeForm(text, "Dialog.dfm", &TForm::ClassInfo());
    auto* ok = dynamic_cast<TButton*>(dialog->FindComponent("OKButton"));
    auto* combo = dynamic_cast<TComboBox*>(dialog->FindComponent("ProcessorCombo"));
    auto* image = dynamic_cast<TImage*>(dialog->FindComponent("Image1"));
    ASSERT_TRUE(ok && combo && image);
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_EQ(ok->Width(), 75);
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->ItemHeight(), 15);
    EXPECT_EQ(combo->ItemIndex(), 1); // stored before its items, applied after
    EXPECT_EQ(combo->Text(), "PIC32MX460F512L");
    EXPECT_EQ(combo->Hint(), "Choose PIC target processor type");
    EXPECT_TRUE(image->Stretch());
    dialog->Free();
}

// ---------------------------------------------------------------- images

TEST_F(StdCtrls, APictureIsFittedStretchedAndCentredAsAsked) {
    auto* image = Make<TImage>(Form, "Image", {0, 0, 150, 100});
    auto* bitmap = new TBitmap(400, 200);
    image->Picture()->SetGraphic(bitmap);
    bitmap->Free();
    struct TCase {
        bool Stretch, Proportional, Center;
        TRect Dest;
    };
    const TCase cases[] = {
        {false, false, false, {0, 0, 400, 200}},  {false, false, true, {-125, -50, 275, 150}},
        {true, false, false, {0, 0, 150, 100}},   {false, true, false, {0, 0, 150, 75}},
        {false, true, true, {0, 12, 150, 87}},    {true, true, true, {0, 12, 150, 87}},
    };
    for (const TCase& c : cases) {
        image->SetStretch(c.Stretch);
        image->SetProportional(c.Proportional);
        image->SetCenter(c.Center);
        EXPECT_EQ(image->DestRect(), c.Dest) << c.Stretch << c.Proportional << c.Center;
    }
    // A small picture grows only with Stretch; tall pictures meet the height first.
    bitmap = new TBitmap(20, 40);
    image->Picture()->SetGraphic(bitmap);
    bitmap->Free();
    image->SetStretch(false);
    EXPECT_EQ(image->DestRect(), (TRect{65, 30, 85, 70}));
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), (TRect{50, 0, 100, 100}));
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 40);

    // The pictures shipped beside the program load through their decoders.
    const String dist = String(std::getenv("QUENTA_BINARY_DIR")) + "/dist/";
    image->Picture()->LoadFromFile(dist + "About.jpg");
    EXPECT_EQ(image->Width(), 400);
    EXPECT_EQ(image->Height(), 200);
    image->Picture()->LoadFromFile(dist + "Logo.bmp");
    EXPECT_EQ(image->Width(), 320);
}

TEST_F(StdCtrls, AnImageDrawsItsPictureWhereItFitsAndLeavesTheRestToItsParent) {
    Form->SetColor(clBtnFace);
    auto* image = Make<TImage>(Form, "Image", {10, 10, 20, 14});
    auto* bitmap = new TBitmap(2, 2);
    bitmap->Canvas()->SetPixels(0, 0, ColorToRGB(clBtnShadow));
    bitmap->Canvas()->SetPixels(1, 0, ColorToRGB(clBtnHighlight));
    bitmap->Canvas()->SetPixels(0, 1, ColorToRGB(cl3DDkShadow));
    bitmap->Canvas()->SetPixels(1, 1, ColorToRGB(clWindowFrame));
    image->Picture()->SetGraphic(bitmap);
    bitmap->Free();
    image->SetProportional(true);
    image->SetStretch(true);
    image->SetCenter(true);
    ShowForm();
    EXPECT_EQ(Map({10, 10, 20, 14}), "...SSHH...\n"
                                     "...SSHH...\n"
                                     "...DDWW...\n"
                                     "...DDWW...\n");
}

} // namespace
