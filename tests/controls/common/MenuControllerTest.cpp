// The menu controller: the pixels of its items, their measures, which items
// it hooks and unhooks, the obsolete stored names, and the desktop setting
// that hides accelerator underlines.
#include "controls/common/QxMenuController.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/graphics/ImgList.h"
#include "platform/rtl/OSVersion.h"
#include "platform/rtl/Registry.h"
#include "tests/controls/common/PaintTestSupport.h"

#include <filesystem>

namespace {

constexpr TColor Frame = RGB(1, 2, 3), SelStart = RGB(200, 0, 0), SelStop = RGB(0, 0, 200),
                 BarStart = RGB(0, 200, 0), BarStop = RGB(0, 100, 0), MenuBack = RGB(250, 250, 200),
                 Image = RGB(90, 60, 30);

class MenuController : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        Owner = new TComponent(nullptr);
        Controller = new TQxMenuController(Owner);
        Controller->SetGradientColorStyle(gcsCustom);
        Controller->SetSelectionFrameColor(Frame);
        Controller->SetSelectionColorStart(SelStart);
        Controller->SetSelectionColorStop(SelStop);
        Controller->SetIconBarColorStart(BarStart);
        Controller->SetIconBarColorStop(BarStop);
        Controller->SetMenuColor(MenuBack);
        Bar = new TMainMenu(Owner);
        Popup = new TPopupMenu(Owner);
        BarItem = AddTo(Bar->Items(), "");
        Item = AddTo(Popup->Items(), "");
    }
    void TearDown() override {
        Owner->Free();
        PaintTest::TearDown();
    }
    TMenuItem* AddTo(TMenuItem* Parent, const String& Caption) {
        auto* i = new TMenuItem(Owner);
        i->SetCaption(Caption);
        Parent->Add(i);
        return i;
    }
    // Paints the item over a W x H bitmap and maps it; gradient shades
    // between the named colours show as '~'.
    std::string Draw(TMenuItem* I, int W, int H, TOwnerDrawState State) {
        NewCanvas(W, H);
        Controller->DrawMenuItem(I, Canvas(), State, TRect(0, 0, W, H));
        std::string s = Map({{Paper, '.'},
                             {Frame, 'F'},
                             {SelStart, 'a'},
                             {SelStop, 'b'},
                             {BarStart, 'i'},
                             {BarStop, 'j'},
                             {MenuBack, 'm'},
                             {clBtnFace, 'B'},
                             {clBtnShadow, 'S'},
                             {clBtnText, 'T'},
                             {DarkenColor(SelStop, 40), 'd'},
                             {Image, 'g'}});
        for (char& c : s)
            if (c == '?') c = '~';
        return s;
    }

    TComponent* Owner = nullptr;
    TQxMenuController* Controller = nullptr;
    TMainMenu* Bar = nullptr;
    TPopupMenu* Popup = nullptr;
    TMenuItem *BarItem = nullptr, *Item = nullptr;
};

TEST_F(MenuController, BarEntriesAreOutlinedInsideAndFilledWhenSelected) {
    EXPECT_EQ(Draw(BarItem, 8, 4, {}), Rows({"BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB"}));
    // The gradient runs from the start colour (its first band already one
    // step on) to the stop colour in the last row.
    const std::string selected =
        Rows({"........", ".FFFFFF.", ".F~~~~F.", ".FbbbbF.", ".FFFFFF.", "........"});
    EXPECT_EQ(Draw(BarItem, 8, 6, {odSelected}), selected);
    EXPECT_EQ(Draw(BarItem, 8, 6, {odHotLight}), selected);
    FullColorDisplay = false;
    EXPECT_EQ(Draw(BarItem, 8, 6, {odSelected}),
              Rows({"........", ".FFFFFF.", ".FbbbbF.", ".FbbbbF.", ".FFFFFF.", "........"}));
}

TEST_F(MenuController, DropDownItemsHaveAnIconBarAndASelectionBar) {
    const std::string plain = "~~~~~~~~~~~~~~~~~~~~~~~jmmmm\n";
    EXPECT_EQ(Draw(Item, 28, 3, {}), plain + plain + plain);
    EXPECT_EQ(Draw(Item, 28, 4, {odSelected}),
              Rows({"FFFFFFFFFFFFFFFFFFFFFFFFFFFF", "F~~~~~~~~~~~~~~~~~~~~~~~~~~F",
                    "FbbbbbbbbbbbbbbbbbbbbbbbbbbF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFF"}));
    // A disabled item is not shown selected.
    Item->SetEnabled(false);
    EXPECT_EQ(Draw(Item, 28, 3, {odSelected}), plain + plain + plain);
    FullColorDisplay = false;
    EXPECT_EQ(Draw(Item, 28, 2, {}), Rows({"jjjjjjjjjjjjjjjjjjjjjjjjmmmm", "jjjjjjjjjjjjjjjjjjjjjjjjmmmm"}));
    // A separator: one shadow line one pixel down, from 6 pixels into the text part.
    Item->SetCaption("-");
    EXPECT_EQ(Draw(Item, 34, 3, {}),
              Rows({"jjjjjjjjjjjjjjjjjjjjjjjjmmmmmmmmmm", "jjjjjjjjjjjjjjjjjjjjjjjjmmmmmmSSSS",
                    "jjjjjjjjjjjjjjjjjjjjjjjjmmmmmmmmmm"}));
}

TEST_F(MenuController, CheckedItemsShowAFramedBoxWithAGlyphOrBehindTheirImage) {
    FullColorDisplay = false;
    Item->SetChecked(true);
    EXPECT_EQ(Draw(Item, 26, 16, {}), Rows({
                                          "jjjjjjjjjjjjjjjjjjjjjjjjmm",
                                          "jFFFFFFFFFFFFFFFFFFFFjjjmm",
                                          "jFbbbbbbbbbbbbbbbbbbFjjjmm",
                                          "jFbbbbbbbbbbbbbbbbbbFjjjmm",
                                          "jFbbbbbbbbbbbbTbbbbbFjjjmm",
                                          "jFbbbbbbbbbbbTTbbbbbFjjjmm",
                                          "jFbbbbbbTbbbTTTbbbbbFjjjmm",
                                          "jFbbbbbbTTbTTTbbbbbbFjjjmm",
                                          "jFbbbbbbTTTTTbbbbbbbFjjjmm",
                                          "jFbbbbbbbTTTbbbbbbbbFjjjmm",
                                          "jFbbbbbbbbTbbbbbbbbbFjjjmm",
                                          "jFbbbbbbbbbbbbbbbbbbFjjjmm",
                                          "jFbbbbbbbbbbbbbbbbbbFjjjmm",
                                          "jFbbbbbbbbbbbbbbbbbbFjjjmm",
                                          "jFFFFFFFFFFFFFFFFFFFFjjjmm",
                                          "jjjjjjjjjjjjjjjjjjjjjjjjmm",
                                      }));
    // Selected, the box is darker; a radio item shows the bullet.
    Item->SetRadioItem(true);
    EXPECT_EQ(Draw(Item, 26, 16, {odSelected}), Rows({
                                                    "FFFFFFFFFFFFFFFFFFFFFFFFFF",
                                                    "FFFFFFFFFFFFFFFFFFFFFbbbbF",
                                                    "FFddddddddddddddddddFbbbbF",
                                                    "FFddddddddddddddddddFbbbbF",
                                                    "FFddddddddddddddddddFbbbbF",
                                                    "FFddddddddTTTTddddddFbbbbF",
                                                    "FFdddddddTTTTTTdddddFbbbbF",
                                                    "FFdddddddTTTTTTdddddFbbbbF",
                                                    "FFdddddddTTTTTTdddddFbbbbF",
                                                    "FFdddddddTTTTTTdddddFbbbbF",
                                                    "FFddddddddTTTTddddddFbbbbF",
                                                    "FFddddddddddddddddddFbbbbF",
                                                    "FFddddddddddddddddddFbbbbF",
                                                    "FFddddddddddddddddddFbbbbF",
                                                    "FFFFFFFFFFFFFFFFFFFFFbbbbF",
                                                    "FFFFFFFFFFFFFFFFFFFFFFFFFF",
                                                }));

    // With an image list the item shows its image over the box, no glyph.
    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    TBitmap picture(4, 4);
    picture.Canvas()->Brush()->SetColor(Image);
    picture.Canvas()->FillRect({0, 0, 4, 4});
    images.Add(&picture, nullptr);
    Popup->SetImages(&images);
    Item->SetRadioItem(false);
    Item->SetImageIndex(0);
    EXPECT_EQ(Draw(Item, 14, 10, {}), Rows({
                                          "jjjjjjjjjjjjmm",
                                          "jFFFFFFFFjjjmm",
                                          "jFbbbbbbFjjjmm",
                                          "jFbggggbFjjjmm",
                                          "jFbggggbFjjjmm",
                                          "jFbggggbFjjjmm",
                                          "jFbggggbFjjjmm",
                                          "jFbbbbbbFjjjmm",
                                          "jFFFFFFFFjjjmm",
                                          "jjjjjjjjjjjjmm",
                                      }));
    Popup->SetImages(nullptr);
}

TEST_F(MenuController, MeasuresFollowSeparatorsImagesAndTheMenuBar) {
    TImageList images(nullptr);
    images.SetHeight(20);
    struct Case {
        TMenuItem* I;
        const char* Caption;
        bool Images;
        Integer Width, Height;
    };
    for (const Case& c : {Case{Item, "-", false, 131, 3}, Case{Item, "&Open", false, 131, 22},
                          Case{Item, "&Open", true, 100, 26}, Case{BarItem, "&File", false, 100, 22},
                          Case{BarItem, "-", false, 100, 3}}) {
        c.I->SetCaption(c.Caption);
        Popup->SetImages(c.Images ? &images : nullptr);
        Integer w = 100, h = 0;
        Controller->MeasureMenuItem(c.I, w, h);
        EXPECT_EQ(w, c.Width) << c.Caption << c.Images;
        EXPECT_EQ(h, c.Height) << c.Caption << c.Images;
    }
    Popup->SetImages(nullptr);
}

TEST_F(MenuController, ItemsAreHookedUnlessTheProgramDrawsThem) {
    // Made while the controller lives: hooked at once.
    EXPECT_TRUE(Controller->OwnsHandlers(Item));
    EXPECT_TRUE(Controller->OwnsHandlers(BarItem));
    Integer width = 0, height = 0;
    TBitmap b(1, 1);
    Popup->SetOwnerDraw(true);
    Item->MeasureItem(b.Canvas(), width, height);
    EXPECT_EQ(height, 22);
    // The program takes over one item; freeing the controller leaves it so
    // and gives the others their events back.
    std::vector<String> drawn;
    Item->OnAdvancedDrawItem = [&](TObject*, TCanvas*, TRect, TOwnerDrawState) {
        drawn.push_back("program");
    };
    auto* gone = AddTo(Popup->Items(), "Gone");
    EXPECT_EQ(Controller->HookedItems().size(), 3u);
    gone->Free();
    EXPECT_EQ(Controller->HookedItems().size(), 2u);
    Controller->Free();
    Controller = nullptr;
    EXPECT_FALSE(BarItem->OnAdvancedDrawItem);
    EXPECT_FALSE(BarItem->OnMeasureItem);
    ASSERT_TRUE(Item->OnAdvancedDrawItem);
    Item->AdvancedDrawItem(b.Canvas(), {0, 0, 1, 1}, {});
    EXPECT_EQ(drawn, std::vector<String>{"program"});
    // A controller made later hooks what its owner holds when it is loaded.
    auto* late = new TQxMenuController(Owner);
    EXPECT_TRUE(late->HookedItems().empty());
    late->Loaded();
    EXPECT_EQ(late->HookedItems(), std::vector<TMenuItem*>{BarItem});
}

// A form whose description sets one item's drawing to its own handler.
class TMenuForm : public TForm {
public:
    QUENTA_PUBLISHED
    using TForm::TForm;
    void AppDraw(TObject* Sender, TCanvas*, TRect, TOwnerDrawState) {
        Drawn.push_back(static_cast<TMenuItem*>(Sender)->Name());
    }
    TQxMenuController* QxMenuController1 = nullptr;
    TMenuItem* Own1 = nullptr;
    TMenuItem* Plain1 = nullptr;
    std::vector<String> Drawn;
};

const TClassInfo& TMenuForm::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TMenuForm>("TMenuForm", &TForm::ClassInfo())
                                        .Field("QxMenuController1", &TMenuForm::QxMenuController1)
                                        .Field("Own1", &TMenuForm::Own1)
                                        .Field("Plain1", &TMenuForm::Plain1)
                                        .Method("AppDraw", &TMenuForm::AppDraw)
                                        .Register();
    return info;
}

TEST(MenuControllerForm, AFormReadsItsOwnHandlersAndTheOldColourNames) {
    auto* form = new TMenuForm(nullptr);
    form->InitializeForm(R"(object MenuForm: TMenuForm
  Menu = MainMenu1
  object QxMenuController1: TQxMenuController
    GradientColorDefault = False
    ThemeAware = True
    GradientColorStart = clRed
    GradientColorStop = 255
    FrameColor = clBlue
    Left = 40
    Top = 8
  end
  object MainMenu1: TMainMenu
    OwnerDraw = True
    object File1: TMenuItem
      Caption = '&File'
      object Own1: TMenuItem
        Caption = 'Own'
        OnAdvancedDrawItem = AppDraw
      end
      object Plain1: TMenuItem
        Caption = 'Plain'
      end
    end
  end
end
)",
                         "MenuForm.dfm");
    TQxMenuController* c = form->QxMenuController1;
    EXPECT_EQ(c->SelectionColorStart(), clRed);
    EXPECT_EQ(c->SelectionColorStop(), 255);
    EXPECT_EQ(c->SelectionFrameColor(), clBlue);
    EXPECT_FALSE(c->OwnsHandlers(form->Own1));
    EXPECT_TRUE(c->OwnsHandlers(form->Plain1));
    EXPECT_EQ(std::count(c->HookedItems().begin(), c->HookedItems().end(), form->Own1), 0);
    // Freeing the controller leaves the form's own handler in place.
    c->Free();
    TBitmap b(1, 1);
    form->Own1->AdvancedDrawItem(b.Canvas(), {0, 0, 1, 1}, {});
    EXPECT_EQ(form->Drawn, std::vector<String>{"Own1"});
    EXPECT_FALSE(form->Plain1->OnAdvancedDrawItem);
    form->Free();
}

TEST(MenuUnderlines, TheDesktopMaskDecides) {
    const auto file = std::filesystem::temp_directory_path() / "quenta_menu_underlines.ini";
    std::filesystem::remove(file);
    SetRegistryFileName(file.string());
    EXPECT_FALSE(MenuUnderlinesHidden()); // no key
    TRegistry reg;
    reg.OpenKey("\\Control Panel\\Desktop", true);
    struct Case {
        std::vector<Byte> Mask;
        Integer Major;
        bool Hidden;
    };
    for (const Case& c : {Case{{0x9E, 0x1E, 0x07, 0x80, 0x12, 0, 0, 0}, 10, true},
                          Case{{0xBE, 0x1E, 0x07, 0x80, 0x12, 0, 0, 0}, 10, false},
                          Case{{0x9E, 0x1E, 0x07, 0x80}, 10, false}, // too short after Vista
                          Case{{0x9E, 0x1E, 0x07, 0x80}, 5, true},
                          Case{{0x9E, 0x1E, 0x07, 0x80, 0x12, 0, 0, 0}, 5, false}}) { // too long before
        SetWin32Version(VER_PLATFORM_WIN32_NT, c.Major, 1);
        reg.WriteBinaryData("UserPreferencesMask", c.Mask.data(), static_cast<Integer>(c.Mask.size()));
        EXPECT_EQ(MenuUnderlinesHidden(), c.Hidden) << c.Mask.size() << " bytes on " << c.Major;
    }
    reg.WriteString("UserPreferencesMask", "text");
    EXPECT_FALSE(MenuUnderlinesHidden());
    SetWin32Version();
    SetRegistryFileName("");
    std::filesystem::remove(file);
}

} // namespace
