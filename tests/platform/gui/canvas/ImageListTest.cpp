// Image lists: adding strips, transparency, greyed drawing, drawing
// settings, change links, bounds, and lists read from form descriptions.
#include "PixelTestSupport.h"

#include "platform/forms/FormText.h"
#include "platform/forms/Reader.h"
#include "platform/gui/graphics/ImgList.h"

namespace {

struct TListDeleter {
    void operator()(TImageList* L) const { L->Free(); }
};

std::string Shades(TCanvas* C, int W, int H) {
    std::string s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            TColor c = C->Pixels(x, y);
            s += c == clWhite ? '.' : c == clBlack ? '#' : c == clRed ? 'r'
                 : static_cast<COLORREF>(c) == ColorToRGB(clBtnShadow) ? 's'
                 : c == clYellow ? 'h' : c == clBlue ? 'b' : c == RGB(255, 127, 127) ? 'p'
                 : c == RGB(255, 63, 63) ? 'q' : '?';
        }
        s += '\n';
    }
    return s;
}

String Hex(const std::vector<Byte>& Bytes) {
    String s;
    for (Byte b : Bytes) s += IntToHex(b, 2);
    return s;
}

// A 2 x 2 image list read from a form description whose Bitmap is Strip.
std::unique_ptr<TImageList, TListDeleter> ReadList(const String& Settings, const String& Strip) {
    std::unique_ptr<TImageList, TListDeleter> list(new TImageList(nullptr));
    ReadComponentText(list.get(),
                      "object L: TImageList\n  Width = 2\n  Height = 2\n" + Settings + "  Bitmap = {" + Strip +
                          "}\nend\n",
                      "List.dfm", &TImageList::ClassInfo());
    return list;
}

// Three 2 x 2 images side by side on olive, the transparent colour:
//   r.|..|##
//   ..|.r|##
String ThreeImages() {
    auto strip = NewBitmap(6, 2);
    TCanvas* s = strip->Canvas();
    s->Brush()->SetColor(clOlive);
    s->FillRect(Rect(0, 0, 6, 2));
    s->SetPixels(0, 0, clRed);
    s->SetPixels(3, 1, clRed);
    s->Brush()->SetColor(clBlack);
    s->FillRect(Rect(4, 0, 6, 2));
    return Hex(strip->SaveToBytes());
}

} // namespace

TEST(ImageLists, ADescriptionsStripGivesEachImageDrawnAsItsSettingsSay) {
    auto list = ReadList("", ThreeImages());
    ASSERT_EQ(list->Count(), 3);
    auto dst = NewBitmap(9, 2);
    for (int k = 0; k < 3; ++k) list->Draw(dst->Canvas(), 3 * k, 0, k);
    EXPECT_EQ(Shades(dst->Canvas(), 9, 2), Rows({"r.....##.", "....r.##."}));

    // Image 1 drawn over white under each setting.
    struct {
        const char* Settings;
        std::vector<const char*> Rows;
    } cases[] = {
        {"  BkColor = clBlue\n", {"bb", "br"}},
        {"  BkColor = clBlue\n  DrawingStyle = dsTransparent\n", {"..", ".r"}},
        {"  Masked = False\n", {"??", "?r"}},
        {"  ImageType = itMask\n", {"..", ".#"}},
        {"  DrawingStyle = dsSelected\n", {"..", ".p"}},
        {"  DrawingStyle = dsFocus\n  BlendColor = clWhite\n", {"..", ".q"}},
    };
    for (const auto& c : cases) {
        auto l = ReadList(c.Settings, ThreeImages());
        auto out = NewBitmap(2, 2);
        l->Draw(out->Canvas(), 0, 0, 1);
        EXPECT_EQ(Shades(out->Canvas(), 2, 2), Rows({c.Rows[0], c.Rows[1]})) << c.Settings;
    }
}

TEST(ImageLists, ABadStripNamesTheFileAndTheProperty) {
    auto tall = NewBitmap(4, 3);
    struct {
        String Settings, Strip, Prop, Says;
    } cases[] = {
        {"", "0154", "L.Bitmap", "not a bitmap file"},
        {"", Hex(tall->SaveToBytes()), "L.Bitmap", "the image strip is 4 x 3 pixels"},
        {"  Bitmap = {" + ThreeImages() + "}\n  Width = 3\n", ThreeImages(), "L.Width", "give Width and Height before Bitmap"},
    };
    for (const auto& c : cases) {
        try {
            ReadList(c.Settings, c.Strip);
            ADD_FAILURE() << c.Prop << " read";
        } catch (const EFormError& E) {
            EXPECT_EQ(E.FileName, "List.dfm");
            EXPECT_EQ(E.PropPath, c.Prop);
            EXPECT_NE(String(E.what()).find(c.Says), std::string::npos) << E.what();
        }
    }
}

TEST(ImageLists, AddSplitsAStripAndKeysOutTheMaskColour) {
    std::unique_ptr<TImageList, TListDeleter> list(new TImageList(nullptr));
    list->SetWidth(2);
    list->SetHeight(2);
    auto strip = NewBitmap(5, 2); // two images; the fifth column is ignored
    TCanvas* s = strip->Canvas();
    s->Brush()->SetColor(clOlive);
    s->FillRect(Rect(0, 0, 5, 2));
    s->SetPixels(0, 0, clBlack);
    s->SetPixels(3, 1, clRed);
    EXPECT_EQ(list->AddMasked(strip.get(), clDefault), 0); // olive: the bottom-left pixel
    EXPECT_EQ(list->Count(), 2);
    auto dst = NewBitmap(5, 2);
    list->Draw(dst->Canvas(), 0, 0, 0);
    list->Draw(dst->Canvas(), 3, 0, 1);
    EXPECT_EQ(Shades(dst->Canvas(), 5, 2), Rows({"#....", "....r"}));
    auto narrow = NewBitmap(1, 2);
    EXPECT_THROW(list->AddMasked(narrow.get(), clNone), EInvalidOperation);
}

TEST(ImageLists, MaskBitmapsAreBlackWhereTheImageShows) {
    std::unique_ptr<TImageList, TListDeleter> list(new TImageList(nullptr));
    list->SetWidth(3);
    list->SetHeight(1);
    auto img = NewBitmap(3, 1);
    img->Canvas()->Brush()->SetColor(clRed);
    img->Canvas()->FillRect(Rect(0, 0, 3, 1));
    auto mask = NewBitmap(3, 1);
    mask->Canvas()->SetPixels(1, 0, clBlack);
    list->Add(img.get(), mask.get());
    auto dst = NewBitmap(3, 1);
    list->Draw(dst->Canvas(), 0, 0, 0);
    EXPECT_EQ(Shades(dst->Canvas(), 3, 1), Rows({".r."}));
    list->Add(img.get(), nullptr); // no mask: all of it shows
    list->Draw(dst->Canvas(), 0, 0, 1);
    EXPECT_EQ(Shades(dst->Canvas(), 3, 1), Rows({"rrr"}));
}

TEST(ImageLists, DisabledImagesAreEmbossedInShadowAndHighlight) {
    std::unique_ptr<TImageList, TListDeleter> list(new TImageList(nullptr));
    list->SetWidth(3);
    list->SetHeight(3);
    auto img = NewBitmap(3, 3);
    TCanvas* c = img->Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 3, 3));
    c->SetPixels(0, 0, clRed);
    c->SetPixels(1, 1, clBlack);
    c->SetPixels(2, 0, clWhite); // white parts vanish from the greyed image
    c->SetPixels(0, 2, clFuchsia);
    list->AddMasked(img.get(), clFuchsia);
    SetSysColor(COLOR_BTNHIGHLIGHT, RGB(255, 255, 0)); // tell highlight from the white page
    auto dst = NewBitmap(4, 4);
    list->Draw(dst->Canvas(), 0, 0, 0, false);
    ResetSysColors();
    EXPECT_EQ(Shades(dst->Canvas(), 4, 4), Rows({"s...", ".s..", "..h.", "...."}));
}

TEST(ImageLists, IndicesAreCheckedAndOutOfRangeDrawsNothing) {
    std::unique_ptr<TImageList, TListDeleter> list(new TImageList(nullptr));
    auto img = NewBitmap(16, 16);
    img->Canvas()->Brush()->SetColor(clBlack);
    img->Canvas()->FillRect(Rect(0, 0, 16, 16));
    list->Add(img.get(), nullptr);
    auto dst = NewBitmap(16, 16);
    list->Draw(dst->Canvas(), 0, 0, 1);
    list->Draw(dst->Canvas(), 0, 0, -1);
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clWhite);
    try {
        list->Delete(1);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(String(e.what()), "Invalid ImageList Index");
    }
    EXPECT_THROW(list->GetBitmap(5, dst.get()), EInvalidOperation);
    EXPECT_THROW(list->Replace(-1, img.get(), nullptr), EInvalidOperation);
    list->GetBitmap(0, dst.get());
    EXPECT_EQ(dst->Canvas()->Pixels(15, 15), clBlack);
    list->Delete(0);
    EXPECT_EQ(list->Count(), 0);
}

TEST(ImageLists, ChangeLinksHearOfEveryChangeUntilEitherSideGoes) {
    auto* list = new TImageList(nullptr);
    int heard = 0, listHeard = 0;
    TObject* sender = nullptr;
    auto* link = new TChangeLink;
    link->OnChange = [&](TObject* S) {
        ++heard;
        sender = S;
    };
    list->OnChange = [&](TObject*) { ++listHeard; };
    list->RegisterChanges(link);
    EXPECT_EQ(link->Sender(), list);
    auto img = NewBitmap(16, 16);
    list->Add(img.get(), nullptr);
    list->SetWidth(8); // a new size empties the list
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(listHeard, 2);
    EXPECT_EQ(sender, list);
    link->Free(); // unregisters itself
    list->Clear();
    list->SetWidth(16);
    EXPECT_EQ(heard, 2);
    auto* other = new TChangeLink;
    list->RegisterChanges(other);
    list->Free(); // the link forgets its list
    EXPECT_EQ(other->Sender(), nullptr);
    other->Free();
}
