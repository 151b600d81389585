// The page control: loading from a form description, page changes and the
// veto, the simple view, closing, Ctrl+Tab, dragging pages, and its sheets.
#include "controls/tabs/QxTabs.h"
#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/DockTree.h"
#include "tests/controls/tabs/TabTestSupport.h"

#include <map>

namespace {

const char* MainDescription = R"(object MainForm: TPagesForm
  Left = 0
  Top = 0
  Width = 400
  Height = 300
  object MainPageControl: TQxPageControl
    Left = 0
    Top = 0
    Width = 400
    Height = 300
    ActivePage = ResultsSheet
    ActivePageDefault = AboutSheet
    TabIndex = 1
    TabHeight = 20
    FixedDimension = 20
    OnChange = PagesChange
    OnChanging = PagesChanging
    OnPageChange = PagesPageChange
    object AboutSheet: TQxTabSheet
      Caption = 'About...'
    end
    object ResultsSheet: TQxTabSheet
      Caption = 'Results'
    end
    object ROMSheet: TQxTabSheet
      Caption = 'Program Memory'
    end
  end
end
)";

// The main window's page control as the host's form describes it.
class TPagesForm : public TForm {
public:
    QUENTA_PUBLISHED
    TPagesForm(TComponent* AOwner, const String& Description) : TForm(AOwner) {
        RegisterQxTabsClasses();
        InitializeForm(Description, "Pages.dfm");
    }
    TQxPageControl* MainPageControl = nullptr;
    TQxTabSheet* AboutSheet = nullptr;
    TQxTabSheet* ResultsSheet = nullptr;
    TQxTabSheet* ROMSheet = nullptr;
    std::vector<String> Events;
    bool Refuse = false;

    void PagesChange(TObject*) { Events.push_back("change " + IntToStr(MainPageControl->TabIndex())); }
    void PagesChanging(TObject*, Integer NewIndex, bool& Allow) {
        Events.push_back("changing " + IntToStr(NewIndex));
        Allow = !Refuse;
    }
    void PagesPageChange(TObject*) {
        TQxTabSheet* page = MainPageControl->ActivePage();
        Events.push_back("page " + (page ? page->Name() : String("none")));
    }
};

const TClassInfo& PagesFormInfo() {
    static const TClassInfo& info = TClassBuilder<TPagesForm>("TPagesForm", &TForm::ClassInfo())
                                        .Field("MainPageControl", &TPagesForm::MainPageControl)
                                        .Field("AboutSheet", &TPagesForm::AboutSheet)
                                        .Field("ResultsSheet", &TPagesForm::ResultsSheet)
                                        .Field("ROMSheet", &TPagesForm::ROMSheet)
                                        .Method("PagesChange", &TPagesForm::PagesChange)
                                        .Method("PagesChanging", &TPagesForm::PagesChanging)
                                        .Method("PagesPageChange", &TPagesForm::PagesPageChange)
                                        .Register();
    return info;
}

} // namespace

const TClassInfo& TPagesForm::ClassInfo() {
    return PagesFormInfo();
}

namespace {

class PageControl : public TabTest {
protected:
    void Load(const String& Description = MainDescription) {
        Main = new TPagesForm(nullptr, Description);
        Main->SetBorderStyle(bsNone);
        Main->Font()->SetName(TestBlockFontName);
        Main->Font()->SetHeight(-8);
        Main->Show();
        Application->ProcessMessages();
        Pages = Main->MainPageControl;
    }
    void TearDown() override {
        if (Main) Main->Free();
        TabTest::TearDown();
    }
    // Which sheets show.
    String Showing() const {
        String s;
        for (Integer i = 0; i < Pages->PageCount(); ++i)
            if (Pages->Pages(i)->Visible()) s += Pages->Pages(i)->Name() + " ";
        return s;
    }
    TPagesForm* Main = nullptr;
    TQxPageControl* Pages = nullptr;
};

TEST_F(PageControl, LoadingShowsTheDefaultPageWithoutEvents) {
    Load();
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Main->AboutSheet);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_EQ(Showing(), "AboutSheet ");
    EXPECT_EQ(Pages->FixedDimension(), 20);
    EXPECT_TRUE(Main->Events.empty());
    // The full view: the host makes the results page active.
    Pages->SetActivePage(Main->ResultsSheet);
    EXPECT_EQ(Showing(), "ResultsSheet ");
    EXPECT_EQ(Main->Events, (std::vector<String>{"changing 1", "change 1", "page ResultsSheet"}));
}

// The main window's description stores its page control settled: the about
// page active and the default, its tab current, and the row height its
// first layout will give.
TEST_F(PageControl, TheMainWindowsDescriptionStoresThePageControlSettled) {
    const String file = String(std::getenv("QUENTA_SOURCE_DIR")) + "/host/ui/forms/dsProgEv4_M.dfm";
    TStringList text;
    text.LoadFromFile(file);
    const TFormObject form = ParseFormText(text.Text(), file);
    const auto pages = std::find_if(form.Children.begin(), form.Children.end(),
                                    [](const TFormObject& O) { return O.Name == "MainPageControl"; });
    ASSERT_NE(pages, form.Children.end());
    std::map<String, String> stored;
    for (const TFormProperty& p : pages->Properties)
        stored[p.Name] = p.Value.Type == vaIdent ? p.Value.Str : IntToStr(static_cast<Integer>(p.Value.Int));
    const std::map<String, String> expected = {{"ActivePage", "AboutSheet"},
                                               {"ActivePageDefault", "AboutSheet"},
                                               {"TabIndex", "0"},
                                               {"FixedDimension", "20"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(stored[name], value) << name;
}

TEST_F(PageControl, WithoutADefaultTheStoredActivePageIsKept) {
    String d = MainDescription;
    d.erase(d.find("    ActivePageDefault = AboutSheet\n"), 35);
    Load(d);
    EXPECT_EQ(Pages->ActivePage(), Main->ResultsSheet);
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_EQ(Showing(), "ResultsSheet ");
    EXPECT_TRUE(Main->Events.empty());
}

// Loading lays out with the stored TabIndex unless a stored ActivePage
// names the current tab: a disabled stored tab then gives way to the next
// tab allowed, whose page is the one shown, alone and without events. A
// stored ActivePageDefault whose tab is disabled gives way alike, to the
// nearest tab allowed, forward first.
TEST_F(PageControl, TheFirstLayoutOfALoadRepairsAStoredTabThatCannotBeSelected) {
    struct Case {
        const char* ActivePage;        // stored, or "" for none
        const char* ActivePageDefault; // stored, or "" for none
        const char* Disabled;          // the caption of the page whose tab is disabled, or ""
        const char* Shows;
        Integer TabIndex;
    };
    for (const Case& c :
         {Case{"", "", "About...", "ResultsSheet ", 1}, Case{"ROMSheet", "", "About...", "ROMSheet ", 2},
          Case{"", "", "", "", -1}, Case{"ROMSheet", "AboutSheet", "About...", "ResultsSheet ", 1},
          Case{"", "ROMSheet", "Program Memory", "ResultsSheet ", 1}}) {
        String d = MainDescription;
        const String preferred = String("    ActivePageDefault = ") + c.ActivePageDefault + "\n";
        d.replace(d.find("    ActivePageDefault = AboutSheet\n"), 35,
                  *c.ActivePageDefault ? preferred : String());
        const String active = String("    ActivePage = ") + c.ActivePage + "\n";
        d.replace(d.find("    ActivePage = ResultsSheet\n"), 30, *c.ActivePage ? active : String());
        d.replace(d.find("TabIndex = 1"), 12, "TabIndex = 0");
        if (*c.Disabled) {
            const String caption = String("      Caption = '") + c.Disabled + "'";
            d.replace(d.find(caption), caption.size(), caption + "\n      TabEnabled = False");
        }
        if (Main) Main->Free();
        Load(d);
        SCOPED_TRACE(String(c.ActivePage) + " " + c.ActivePageDefault + " " + c.Disabled);
        EXPECT_EQ(Showing(), c.Shows);
        EXPECT_EQ(Pages->TabIndex(), c.TabIndex);
        EXPECT_TRUE(Main->Events.empty());
    }
}

TEST_F(PageControl, AStandAloneTabControlKeepsItsStoredFixedDimensionUntilItsLayout) {
    auto* t = new TQxTabControl(Form);
    TQxTabControl::ClassInfo();
    const TFormObject tree =
        ParseFormText("object Tabs: TQxTabControl\n  FixedDimension = 33\n  TabIndex = 0\nend\n", "Tabs.dfm");
    TReader reader("Tabs.dfm");
    reader.ReadRootComponent(t, tree);
    EXPECT_EQ(t->FixedDimension(), 33);
    EXPECT_EQ(t->TabIndex(), -1); // no tabs: none can be current
}

TEST_F(PageControl, ARefusedChangeLeavesTheOldPageAloneShowing) {
    Load();
    Main->Refuse = true;
    Pages->SetActivePage(Main->ROMSheet);
    EXPECT_EQ(Pages->ActivePage(), Main->AboutSheet);
    EXPECT_EQ(Showing(), "AboutSheet ");
    Click(Pages, {60, 10});
    EXPECT_EQ(Showing(), "AboutSheet ");
    EXPECT_EQ(Pages->TabIndex(), 0);
    // No page at all: the old one goes, none shows.
    Main->Refuse = false;
    Pages->SetActivePage(nullptr);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    EXPECT_EQ(Showing(), "");
    EXPECT_EQ(Pages->TabIndex(), -1);
}

// The simple view hides every tab and keeps the about page; the full view
// shows them again.
TEST_F(PageControl, TheSimpleViewHidesAllTabsAndKeepsAPageShown) {
    Load();
    Pages->SetActivePage(Main->ResultsSheet);
    Pages->HideAllTabs();
    Pages->SetActivePage(Main->AboutSheet);
    Application->ProcessMessages();
    EXPECT_EQ(Showing(), "AboutSheet ");
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Pages->Tabs()->Count(), 0);
    Pages->ShowAllTabs();
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_EQ(Showing(), "AboutSheet ");
    // A hidden tab of the active page leaves the page showing, no tab
    // current; the tab back selects it.
    Main->AboutSheet->SetTabVisible(false);
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Main->ResultsSheet->TabIndex(), 0);
    Main->AboutSheet->SetTabVisible(true);
    EXPECT_EQ(Pages->TabIndex(), 0);
}

// A disabled active page gives way to the nearest page OnChanging allows,
// forward first; refused everywhere, it stays shown.
TEST_F(PageControl, ADisabledActivePageGivesWayToTheNearestOneAllowed) {
    Load();
    Pages->SetActivePage(Main->ResultsSheet);
    Main->Events.clear();
    Main->ResultsSheet->SetTabEnabled(false);
    Application->ProcessMessages();
    EXPECT_EQ(Pages->ActivePage(), Main->ROMSheet);
    EXPECT_EQ(Showing(), "ROMSheet ");
    EXPECT_EQ(Main->Events, (std::vector<String>{"changing 2", "change 2", "page ROMSheet"}));
    Main->Events.clear();
    Main->Refuse = true;
    Main->ROMSheet->SetTabEnabled(false);
    Application->ProcessMessages();
    EXPECT_EQ(Pages->ActivePage(), Main->ROMSheet);
    EXPECT_EQ(Pages->TabIndex(), 2);
    EXPECT_EQ(Main->Events, (std::vector<String>{"changing 0"}));
}

// Closing the current page selects the tab before it (the new first tab
// for the first) through the setter: OnChanging is asked and the page
// shows; a disabled tab there leaves none current.
TEST_F(PageControl, ClosingAPageSelectsTheTabBeforeIt) {
    Load();
    Pages->SetShowCloseButton(true);
    Pages->OnClose = [](TObject*, bool& Allow) { Allow = true; };
    Pages->SetActivePage(Main->ResultsSheet);
    Application->ProcessMessages();
    Main->Events.clear();
    Click(Pages->CloseButton(), {3, 3});
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePage(), Main->AboutSheet);
    EXPECT_EQ(Showing(), "AboutSheet ");
    EXPECT_EQ(Main->Events, (std::vector<String>{"changing 0", "change 0", "page AboutSheet"}));
    Main->Events.clear();
    Click(Pages->CloseButton(), {3, 3});
    EXPECT_EQ(Pages->ActivePage(), Main->ROMSheet);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_EQ(Showing(), "ROMSheet ");
    EXPECT_EQ(Main->Events, (std::vector<String>{"changing 0", "change 0", "page ROMSheet"}));
    // Without a handler that allows it nothing closes.
    Pages->OnClose = nullptr;
    Click(Pages->CloseButton(), {3, 3});
    EXPECT_EQ(Pages->PageCount(), 1);
    // A disabled tab left: no page current.
    auto* last = new TQxTabSheet(Main);
    last->SetPageControl(Pages);
    last->SetTabEnabled(false);
    Pages->OnClose = [](TObject*, bool& Allow) { Allow = true; };
    Click(Pages->CloseButton(), {3, 3});
    EXPECT_EQ(Pages->PageCount(), 1);
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
}

TEST_F(PageControl, CtrlTabCyclesThroughThePagesWithTabs) {
    Load();
    auto* edit = new TCustomControl(Main);
    edit->SetTabStop(true);
    edit->SetParent(Main->AboutSheet);
    edit->SetFocus();
    Main->ResultsSheet->SetTabVisible(false);
    Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(Pages->ActivePage(), Main->ROMSheet);
    Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(Pages->ActivePage(), Main->AboutSheet);
    Key(VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(Pages->ActivePage(), Main->ROMSheet);
    // From no page every page is reached: forward the last, backward the
    // first, each the only one with a tab; a page alone finds itself.
    Main->AboutSheet->SetTabVisible(false);
    EXPECT_EQ(Pages->FindNextPage(nullptr, true, true), Main->ROMSheet);
    EXPECT_EQ(Pages->FindNextPage(Main->ROMSheet, true, true), Main->ROMSheet);
    Main->AboutSheet->SetTabVisible(true);
    Main->ROMSheet->SetTabVisible(false);
    EXPECT_EQ(Pages->FindNextPage(nullptr, false, true), Main->AboutSheet);
}

// Showing a control that sits on a page, or the page, activates the page.
TEST_F(PageControl, ShowingAControlOnAPageActivatesThePage) {
    Load();
    auto* panel = new TCustomControl(Main);
    panel->SetParent(Main->ROMSheet);
    panel->SetVisible(false);
    Main->Events.clear();
    panel->Show();
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(Pages->ActivePage(), Main->ROMSheet);
    EXPECT_EQ(Main->Events, (std::vector<String>{"changing 2", "change 2", "page ROMSheet"}));
    EXPECT_THROW(Main->ResultsSheet->Show(), EQxTabControlError); // its Visible is the page control's
    EXPECT_EQ(Pages->ActivePage(), Main->ResultsSheet);
}

// Dragging the current tab onto another moves its page there; a press on a
// tab whose selection was refused drags nothing; the scrolling timer stops
// with the drag.
TEST_F(PageControl, DraggingTheCurrentTabReordersThePages) {
    Load();
    Pages->SetAllowTabDragging(true);
    std::vector<String> order;
    Pages->OnTabOrderChange = [&](TObject*, Integer Old, Integer New) {
        order.push_back(IntToStr(Old) + ">" + IntToStr(New));
    };
    Mouse(Pages, maMove, {10, 10});
    Mouse(Pages, maDown, {10, 10});
    Mouse(Pages, maMove, {20, 10}, {ssLeft});
    EXPECT_TRUE(Pages->Dragging());
    Mouse(Pages, maMove, {140, 10}, {ssLeft});
    Mouse(Pages, maUp, {140, 10});
    EXPECT_FALSE(Pages->Dragging());
    EXPECT_EQ(Main->AboutSheet->PageIndex(), 2);
    EXPECT_EQ(Pages->Pages(0), Main->ResultsSheet);
    EXPECT_EQ(order, (std::vector<String>{"0>2"}));

    Main->Refuse = true;
    Mouse(Pages, maMove, {10, 10});
    Mouse(Pages, maDown, {10, 10});
    Mouse(Pages, maMove, {30, 10}, {ssLeft});
    EXPECT_FALSE(Pages->Dragging());
    Mouse(Pages, maUp, {30, 10});
    Main->Refuse = false;

    // Over the empty strip the scrolling timer starts; Escape ends the drag
    // and the timer with it.
    const Integer current = Pages->TabClientRect(Pages->TabIndex()).Left + 10;
    Mouse(Pages, maMove, {current, 10});
    Mouse(Pages, maDown, {current, 10});
    Mouse(Pages, maMove, {current + 1, 10}, {ssLeft});
    Mouse(Pages, maMove, {300, 10}, {ssLeft});
    ASSERT_TRUE(DragActive());
    const Integer timers = ActiveTimerCount();
    KeyInput(kaDown, VK_ESCAPE, {});
    EXPECT_FALSE(Pages->Dragging());
    EXPECT_LT(ActiveTimerCount(), timers);
    Mouse(Pages, maUp, {300, 10});
}

TEST_F(PageControl, SheetsGuardTheirPlaceAndVisibility) {
    Load();
    try {
        Main->ROMSheet->SetPageIndex(3);
        ADD_FAILURE();
    } catch (const EQxTabControlError& e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value. PageIndex must be between 0 and 2");
    }
    try {
        Main->ROMSheet->SetVisible(false);
        ADD_FAILURE();
    } catch (const EQxTabControlError& e) {
        EXPECT_STREQ(e.what(), "You cannot change the Visible property of a page");
    }
    EXPECT_THROW(Main->AboutSheet->SetVisible(true), EQxTabControlError);
    // A colour of its own turns on coloured tabs.
    EXPECT_FALSE(Pages->UseColoredTabs());
    Main->ROMSheet->SetColor(clRed);
    EXPECT_TRUE(Pages->UseColoredTabs());
    // Coloured tabs off again: every page takes the control's colour.
    Pages->SetUseColoredTabs(false);
    EXPECT_EQ(Main->ROMSheet->Color(), Pages->Color());
}

// With coloured tabs a change of the control's colour still repaints it.
TEST_F(PageControl, AColourChangeWithColouredTabsRepaints) {
    Load();
    Pages->SetUseColoredTabs(true);
    Application->ProcessMessages();
    Integer paints = 0;
    Pages->OnPaintBackground = [&](TObject*, TCanvas*, const TRect&, bool&) { ++paints; };
    Pages->SetColor(clYellow);
    Application->ProcessMessages();
    EXPECT_EQ(paints, 1);
}

// Sheets hear when they are shown and hidden; with SaveResources the pages
// not shown give up their windows, made again when shown.
TEST_F(PageControl, SheetsShowAndHideAndMaySaveTheirWindows) {
    Load();
    std::vector<String> seen;
    for (TQxTabSheet* s : {Main->AboutSheet, Main->ResultsSheet}) {
        s->OnShow = [&seen, s](TObject*) { seen.push_back("show " + s->Name()); };
        s->OnHide = [&seen, s](TObject*) { seen.push_back("hide " + s->Name()); };
    }
    Pages->SetActivePage(Main->ResultsSheet);
    EXPECT_EQ(seen, (std::vector<String>{"show ResultsSheet", "hide AboutSheet"}));
    Main->AboutSheet->HandleNeeded();
    Pages->SetSaveResources(true);
    EXPECT_FALSE(Main->AboutSheet->HandleAllocated());
    EXPECT_TRUE(Main->ResultsSheet->HandleAllocated());
    Pages->SetActivePage(Main->AboutSheet);
    EXPECT_TRUE(Main->AboutSheet->HandleAllocated());
    EXPECT_FALSE(Main->ResultsSheet->HandleAllocated());
    for (TQxTabSheet* s : {Main->AboutSheet, Main->ResultsSheet})
        s->OnShow = s->OnHide = nullptr;
}

// A client that refuses its new parent.
class TStubbornPanel : public TCustomControl {
public:
    explicit TStubbornPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
    void SetParent(TWinControl* AParent) override {
        if (AParent) throw EInvalidOperation("no new parent");
        TCustomControl::SetParent(AParent);
    }
};

// Clients docked by code get a page each, whose tab follows the client's
// visibility and caption; a double click on the tab floats the client and
// its page goes.
TEST_F(PageControl, DockedClientsLiveInPagesOfTheirOwn) {
    Load();
    Pages->SetDockSite(true);
    auto* client = new TPanel(Main);
    client->SetCaption("Log\r\nsecond line");
    ASSERT_TRUE(client->ManualDock(Pages));
    ASSERT_EQ(Pages->PageCount(), 4);
    TQxTabSheet* page = Pages->Pages(3);
    EXPECT_EQ(client->Parent(), page);
    EXPECT_EQ(client->HostDockSite(), Pages);
    EXPECT_EQ(client->Align(), alClient);
    EXPECT_EQ(Pages->ActivePage(), page);
    client->SetCaption("Trace\r\nmore");
    EXPECT_EQ(page->Caption(), "Trace");
    client->SetVisible(false);
    EXPECT_FALSE(page->TabVisible());
    client->SetVisible(true);
    EXPECT_TRUE(page->TabVisible());
    Application->ProcessMessages();
    const TRect tab = Pages->TabClientRect(3);
    EXPECT_EQ(Pages->DockClientAt({tab.Left + 5, tab.Top + 5}), client);
    EXPECT_EQ(Pages->DockClientAt({5, 5}), nullptr); // the about page's tab: no client
    Mouse(Pages, maDoubleClick, {tab.Left + 5, tab.Top + 5});
    Mouse(Pages, maUp, {tab.Left + 5, tab.Top + 5});
    EXPECT_TRUE(client->Floating());
    Application->ProcessMessages();
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Main->AboutSheet);

    // A client that cannot be taken leaves no page behind.
    auto* stubborn = new TStubbornPanel(Main);
    EXPECT_THROW(stubborn->ManualDock(Pages), EInvalidOperation);
    EXPECT_EQ(Pages->PageCount(), 3);
}

} // namespace
