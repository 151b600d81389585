// Menus on a shown form, driven as the user drives them: keys through the
// form's input, the mouse through the window system's events on the menu
// bar and the drop-down windows.
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/gdi/FrameControl.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QApplication>
#include <QMouseEvent>

using namespace probes;

namespace {

class Menu : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        MainMenu = new TMainMenu(Form);
        FileMenu = AddItem(MainMenu->Items(), "&File");
        Open = AddItem(FileMenu, "&Open...");
        Open->SetShortCut(ShortCut('O', {ssCtrl}));
        AddItem(FileMenu, "-");
        Hidden = AddItem(FileMenu, "&Hidden");
        Hidden->SetVisible(false);
        Disabled = AddItem(FileMenu, "&Disabled");
        Disabled->SetEnabled(false);
        Auto = AddItem(FileMenu, "&Auto");
        Auto->SetAutoCheck(true);
        Sub = AddItem(FileMenu, "&Sub");
        Child = AddItem(Sub, "&Child");
        EditMenu = AddItem(MainMenu->Items(), "&Edit");
        Undo = AddItem(EditMenu, "&Undo");
        Form->SetMenu(MainMenu);
    }
    void TearDown() override {
        CloseMenus();
        FormTest::TearDown();
    }
    TMenuItem* AddItem(TMenuItem* Parent, const String& Caption) {
        auto* item = new TMenuItem(Form);
        item->SetCaption(Caption);
        item->OnClick = [this, Caption](TObject*) { Fired.push_back(Caption); };
        Parent->Add(item);
        return item;
    }
    // A press, moves or a release of the window system on a menu window.
    static void Mouse(QWidget* W, QEvent::Type Type, QPoint P) {
        ASSERT_NE(W, nullptr);
        const Qt::MouseButton b = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(Type, QPointF(P), W->mapToGlobal(QPointF(P)), b,
                      Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(W, &e);
    }
    TRect BarRect(Integer I) { return TMenuLoop::Get().LayoutBar(Form).Rects[static_cast<size_t>(I)]; }
    QPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
    QPoint ItemCentre(Integer Level, const TMenuItem* Item) {
        const auto& l = TMenuLoop::Get().Level(Level);
        for (size_t i = 0; i < l.Items.size(); ++i)
            if (l.Items[i] == Item) return Centre(l.Rects[i]);
        ADD_FAILURE() << "item not shown";
        return {};
    }

    TMainMenu* MainMenu = nullptr;
    TMenuItem *FileMenu, *Open, *Hidden, *Disabled, *Auto, *Sub, *Child, *EditMenu, *Undo;
    std::vector<String> Fired;
};

TEST_F(Menu, TheBarLiesAboveTheClientAreaInTheFormsWindow) {
    Form->SetMenu(nullptr);
    Form->SetClientSize(200, 150);
    const Integer height = Form->Height();
    Form->SetMenu(MainMenu);
    ShowForm();
    EXPECT_EQ(Form->MenuHeight(), GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(Form->ClientHeight(), 150);
    EXPECT_EQ(Form->Height(), height + Form->MenuHeight());
    QWidget* window = WindowWidget(Form->Handle());
    EXPECT_EQ(window->height(), 150 + Form->MenuHeight());
    QWidget* bar = TMenuWindows::BarWidget(Form);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 200, Form->MenuHeight()));
    // Hiding every entry removes the bar; the client area keeps its size.
    FileMenu->SetVisible(false);
    EditMenu->SetVisible(false);
    EXPECT_EQ(Form->MenuHeight(), 0);
    EXPECT_EQ(Form->ClientHeight(), 150);
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(Menu, KeysOpenMoveFireAndClose) {
    ShowForm();
    // Alt+F opens File with its first item selected.
    KeyInput(kaDown, 'F', {ssAlt});
    KeyInput(kaUp, 'F', {ssAlt});
    ASSERT_EQ(OpenMenus(), std::vector<TMenuItem*>{FileMenu});
    EXPECT_EQ(SelectedMenuItem(0), Open);
    // Down skips the separator and the hidden item; the disabled one is
    // selected but does not fire.
    Key(VK_DOWN);
    EXPECT_EQ(SelectedMenuItem(0), Disabled);
    Key(VK_RETURN);
    EXPECT_TRUE(Fired.empty());
    EXPECT_TRUE(MenuActive());
    // Up wraps from the first item to the last.
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(SelectedMenuItem(0), Sub);
    // Right opens the sub-menu, Left closes it again.
    Key(VK_RIGHT);
    ASSERT_EQ(OpenMenus(), (std::vector<TMenuItem*>{FileMenu, Sub}));
    EXPECT_EQ(SelectedMenuItem(1), Child);
    Key(VK_LEFT);
    EXPECT_EQ(OpenMenus(), std::vector<TMenuItem*>{FileMenu});
    // Enter on the sub-menu opens it, Enter on Child fires it and closes all.
    Key(VK_RETURN);
    Key(VK_RETURN);
    EXPECT_EQ(Fired, Entries({"&Child"}));
    EXPECT_FALSE(MenuActive());
    // Right from the last item moves along the bar; Esc backs out one level
    // at a time.
    KeyInput(kaDown, 'F', {ssAlt});
    Key(VK_RIGHT);
    EXPECT_EQ(OpenMenus(), std::vector<TMenuItem*>{EditMenu});
    Key(VK_ESCAPE);
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_EQ(TMenuLoop::Get().BarIndex(), 1);
    Key(VK_ESCAPE);
    EXPECT_FALSE(MenuActive());
    // An accelerator in an open menu fires its item.
    KeyInput(kaDown, 'E', {ssAlt});
    Key('U', {}, "u");
    EXPECT_EQ(Fired, Entries({"&Child", "&Undo"}));
}

TEST_F(Menu, AltAloneAndF10EnterTheBarWithoutOpeningIt) {
    ShowForm();
    KeyInput(kaDown, VK_MENU, {ssAlt});
    KeyInput(kaUp, VK_MENU, {});
    EXPECT_TRUE(MenuActive());
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_EQ(TMenuLoop::Get().BarIndex(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(OpenMenus(), std::vector<TMenuItem*>{FileMenu});
    // Alt again leaves the menus.
    KeyInput(kaDown, VK_MENU, {ssAlt});
    KeyInput(kaUp, VK_MENU, {});
    EXPECT_FALSE(MenuActive());
    Key(VK_F1 + 9);
    EXPECT_EQ(TMenuLoop::Get().BarIndex(), 0);
    Key(VK_F1 + 9);
    EXPECT_FALSE(MenuActive());
    // While a menu holds the keyboard the focused control gets no keys.
    Key(VK_F1 + 9);
    Log().clear();
    Key('X', {}, "x");
    EXPECT_TRUE(Log().empty());
}

TEST_F(Menu, ShortcutsFireEnabledItemsAndAutoCheckInvertsOnce) {
    ShowForm();
    Key('O', {ssCtrl});
    EXPECT_EQ(Fired, Entries({"&Open..."}));
    Open->SetEnabled(false);
    Key('O', {ssCtrl});
    EXPECT_EQ(Fired.size(), 1u);

    Auto->OnClick = [this](TObject*) { Fired.push_back(Auto->Checked() ? "checked" : "unchecked"); };
    KeyInput(kaDown, 'F', {ssAlt});
    Key('A', {}, "a");
    EXPECT_TRUE(Auto->Checked());
    EXPECT_EQ(Fired.back(), "checked");
    KeyInput(kaDown, 'F', {ssAlt});
    Key('A', {}, "a");
    EXPECT_FALSE(Auto->Checked());
    EXPECT_EQ(ShortCutToText(Open->ShortCut()), "Ctrl+O");
    EXPECT_EQ(TextToShortCut("shift+ctrl+F5"), ShortCut(VK_F1 + 4, {ssShift, ssCtrl}));
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssAlt})), "Alt+Del");
}

TEST_F(Menu, TheMouseOpensSwitchesFiresAndClosesFromOutside) {
    ShowForm();
    QWidget* bar = TMenuWindows::BarWidget(Form);
    // Hovering with no menu open draws the entry hot.
    std::vector<TOwnerDrawState> states;
    MainMenu->SetOwnerDraw(true);
    EditMenu->OnAdvancedDrawItem = [&](TObject*, TCanvas*, TRect, TOwnerDrawState S) { states.push_back(S); };
    Mouse(bar, QEvent::MouseMove, Centre(BarRect(1)));
    TBitmap strip(200, Form->MenuHeight());
    TMenuLoop::Get().PaintBar(Form, strip.Canvas());
    ASSERT_FALSE(states.empty());
    EXPECT_TRUE(states.back().Contains(odHotLight));
    EditMenu->OnAdvancedDrawItem = nullptr;
    MainMenu->SetOwnerDraw(false);
    Mouse(bar, QEvent::MouseButtonPress, Centre(BarRect(0)));
    Mouse(bar, QEvent::MouseButtonRelease, Centre(BarRect(0)));
    ASSERT_EQ(OpenMenus(), std::vector<TMenuItem*>{FileMenu});
    EXPECT_EQ(SelectedMenuItem(0), nullptr);
    // Hovering over another entry switches to its menu.
    Mouse(bar, QEvent::MouseMove, Centre(BarRect(1)));
    ASSERT_EQ(OpenMenus(), std::vector<TMenuItem*>{EditMenu});
    QWidget* level = TMenuWindows::LevelWidget(0);
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(level->isVisible());
    const TPoint origin = Form->ClientOrigin();
    EXPECT_EQ(level->geometry().topLeft(), QPoint(origin.X + BarRect(1).Left, origin.Y));
    // Releasing over an item fires it.
    Mouse(level, QEvent::MouseMove, ItemCentre(0, Undo));
    Mouse(level, QEvent::MouseButtonRelease, ItemCentre(0, Undo));
    EXPECT_EQ(Fired, Entries({"&Undo"}));
    EXPECT_FALSE(level->isVisible());

    // Hovering over an item with a sub-menu opens it; a disabled item does
    // not fire.
    Mouse(bar, QEvent::MouseButtonPress, Centre(BarRect(0)));
    level = TMenuWindows::LevelWidget(0);
    Mouse(level, QEvent::MouseMove, ItemCentre(0, Sub));
    EXPECT_EQ(OpenMenus(), (std::vector<TMenuItem*>{FileMenu, Sub}));
    Mouse(level, QEvent::MouseButtonRelease, ItemCentre(0, Disabled));
    EXPECT_EQ(Fired.size(), 1u);
    // A press on the form outside the menus closes them and reaches no control.
    Log().clear();
    MouseInput(Form, maDown, mbLeft, {}, {50, 50});
    MouseInput(Form, maUp, mbLeft, {}, {50, 50});
    EXPECT_FALSE(MenuActive());
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "Form:WM_LBUTTONDOWN"), 0);
    // A second press on an open entry closes its menu.
    Mouse(bar, QEvent::MouseButtonPress, Centre(BarRect(0)));
    Mouse(bar, QEvent::MouseButtonPress, Centre(BarRect(0)));
    EXPECT_FALSE(MenuActive() && !OpenMenus().empty());
}

TEST_F(Menu, OwnerDrawMenusMeasureAndDrawThroughTheirItemsEvents) {
    std::vector<String> drawn;
    for (TMenuItem* item : {FileMenu, Open, Disabled}) {
        item->OnMeasureItem = [](TObject*, TCanvas*, Integer& W, Integer& H) { H = 25; };
        item->OnAdvancedDrawItem = [&drawn](TObject* Sender, TCanvas*, TRect R, TOwnerDrawState State) {
            drawn.push_back(static_cast<TMenuItem*>(Sender)->Caption() +
                            (State.Contains(odSelected) ? " sel" : "") +
                            (State.Contains(odDisabled) ? " dis" : "") +
                            (State.Contains(odNoAccel) ? " noaccel" : "") + " h" + IntToStr(R.Height()));
        };
    }
    ShowForm();
    const Integer client = Form->ClientHeight();
    EXPECT_EQ(Form->MenuHeight(), GetSystemMetrics(SM_CYMENU)); // not owner-drawn yet
    MainMenu->SetOwnerDraw(true);
    EXPECT_EQ(Form->MenuHeight(), 25);
    EXPECT_EQ(Form->ClientHeight(), client);
    TBitmap b(300, 25);
    TMenuLoop::Get().PaintBar(Form, b.Canvas());
    EXPECT_EQ(drawn, Entries({"&File noaccel h25"})); // not entered by the keyboard: no underlines
    drawn.clear();
    KeyInput(kaDown, 'F', {ssAlt});
    TBitmap level(200, 200);
    TMenuLoop::Get().PaintLevel(0, level.Canvas());
    EXPECT_EQ(drawn, Entries({"&Open... sel h25", "&Disabled dis h25"}));
}

TEST_F(Menu, AnOwnerDrawnItemWithASubMenuGetsItsArrowInTheOwnersTextColour) {
    for (TMenuItem* item : {Open, Sub})
        item->OnAdvancedDrawItem = [](TObject*, TCanvas* C, TRect R, TOwnerDrawState) {
            C->Brush()->SetColor(clWhite);
            C->FillRect(R);
            C->Font()->SetColor(clRed);
        };
    MainMenu->SetOwnerDraw(true);
    ShowForm();
    KeyInput(kaDown, 'F', {ssAlt});
    TBitmap level(300, 300);
    TMenuLoop::Get().PaintLevel(0, level.Canvas());
    auto redIn = [&](TMenuItem* Item, bool ArrowColumn) {
        const auto& l = TMenuLoop::Get().Level(0);
        for (size_t i = 0; i < l.Items.size(); ++i) {
            if (l.Items[i] != Item) continue;
            const TRect& r = l.Rects[i];
            Integer red = 0;
            for (Integer y = r.Top; y < r.Bottom; ++y)
                for (Integer x = ArrowColumn ? r.Right - 18 : r.Left; x < (ArrowColumn ? r.Right : r.Right - 18); ++x)
                    red += level.Canvas()->Pixels(x, y) == clRed;
            return red;
        }
        ADD_FAILURE() << "item not shown";
        return 0;
    };
    EXPECT_GT(redIn(Sub, true), 0);
    EXPECT_EQ(redIn(Sub, false), 0);
    EXPECT_EQ(redIn(Open, true), 0);
}

TEST_F(Menu, PopupMenusAlignOnThePointAndStayOnTheScreen) {
    auto* popup = new TPopupMenu(Form);
    auto* a = new TMenuItem(Form);
    a->SetCaption("Alpha");
    popup->Items()->Add(a);
    ShowForm();
    struct Case {
        TPopupAlignment Alignment;
        Integer X, Y;
    };
    for (auto [alignment, x, y] : {Case{paLeft, 100, 80}, Case{paRight, 300, 80}, Case{paCenter, 200, 80}}) {
        popup->SetAlignment(alignment);
        popup->Popup(x, y);
        ASSERT_TRUE(popup->IsPoppedUp());
        const TRect b = TMenuLoop::Get().Level(0).Bounds;
        const Integer anchor = alignment == paLeft    ? b.Left
                               : alignment == paRight ? b.Right
                                                      : (b.Left + b.Right) / 2;
        EXPECT_NEAR(anchor, x, 1) << alignment;
        EXPECT_EQ(b.Top, y);
    }
    // Near the bottom-right corner the menu opens above and left of the point.
    popup->SetAlignment(paLeft);
    popup->Popup(Screen->Width() - 2, Screen->Height() - 2);
    const TRect b = TMenuLoop::Get().Level(0).Bounds;
    EXPECT_LE(b.Right, Screen->Width());
    EXPECT_LE(b.Bottom, Screen->Height() - 2);
    Key(VK_ESCAPE);
    EXPECT_FALSE(popup->IsPoppedUp());
}

TEST_F(Menu, FormDescriptionsBuildTheTree) {
    Form->SetMenu(nullptr);
    MainMenu->Free();
    RegisterMenuClasses();
    auto* form = new TForm(nullptr);
    form->InitializeForm(R"(object F: TForm
  ClientHeight = 100
  ClientWidth = 160
  Menu = M
  object M: TMainMenu
    Left = 8
    Top = 8
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = 'E&xit'
        ShortCut = 16472
        RadioItem = True
        Checked = True
      end
    end
  end
end
)",
                         "F.dfm");
    ASSERT_NE(form->Menu(), nullptr);
    TMenuItem* file = form->Menu()->Items()->Items(0);
    EXPECT_EQ(file->GetParentComponent(), form->Menu());
    ASSERT_EQ(file->Count(), 1);
    EXPECT_EQ(file->Items(0)->ShortCut(), ShortCut('X', {ssCtrl}));
    EXPECT_EQ(form->ClientHeight(), 100);
    EXPECT_EQ(form->MenuHeight(), GetSystemMetrics(SM_CYMENU));
    form->Free();
}

TEST(MenuGlyphs, CheckBulletAndArrowAreCentredMasks) {
    TBitmap b(9, 9);
    auto map = [&] {
        std::string s;
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x)
                s += b.Canvas()->Pixels(x, y) == clWhite ? '.' : '#';
            s += '\n';
        }
        return s;
    };
    TRect r{0, 0, 9, 9};
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(r);
    ASSERT_TRUE(DrawFrameControl(b.Canvas()->Handle(), &r, DFC_MENU, DFCS_MENUCHECK));
    EXPECT_EQ(map(), ".........\n"
                     ".......#.\n"
                     "......##.\n"
                     ".#...###.\n"
                     ".##.###..\n"
                     ".#####...\n"
                     "..###....\n"
                     "...#.....\n"
                     ".........\n");
    // Transparent: only the shape is drawn, in the text colour.
    b.Canvas()->FillRect(r);
    SetTextColor(b.Canvas()->Handle(), RGB(0, 0, 255));
    DrawFrameControl(b.Canvas()->Handle(), &r, DFC_MENU, UINT(DFCS_MENUBULLET) | DFCS_TRANSPARENT);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed); // the bullet's rounded corner
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), TColor(0xFF0000));
    EXPECT_FALSE(DrawFrameControl(b.Canvas()->Handle(), &r, DFC_MENU, 0x77));
}

} // namespace
