// Tab records, the tab list, the colour sets and the region cache.
#include "tests/controls/tabs/TabTestSupport.h"

namespace {

TEST(TabRecords, ANewRecordAndCopiesOfTheList) {
    TQxTabData fresh;
    EXPECT_EQ(fresh.Color, TColor(clBtnFace));
    EXPECT_TRUE(fresh.Enabled && fresh.Visible);
    EXPECT_EQ(fresh.ImageIndex, -1);
    EXPECT_EQ(fresh.DisabledIndex, -1);

    TQxTabDataList source, copy;
    auto* a = new TQxTabData;
    a->Caption = "About";
    a->Hint = "h";
    a->Row = 3;
    a->TabRect = {1, 2, 3, 4};
    source.Add(a);
    copy.Assign(&source);
    source.Clear();
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy[0]->Caption, "About");
    EXPECT_EQ(copy[0]->Hint, "h");
    EXPECT_EQ(copy[0]->Row, 0); // layout's fields are not copied
    EXPECT_EQ(copy[0]->TabRect, TRect());
    EXPECT_THROW(copy.GetItem(1), EListError);
}

// Putting a record where it already is, or assigning a list to itself,
// keeps it (freeing first would leave a freed record in the list).
TEST(TabRecords, PutItemOfTheSameRecordAndAssignToItselfKeepTheRecords) {
    TQxTabDataList list;
    auto* a = new TQxTabData;
    a->Caption = "kept";
    list.Add(a);
    list.PutItem(0, a);
    EXPECT_EQ(list[0]->Caption, "kept");
    list.Assign(&list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0]->Caption, "kept");
    auto* b = new TQxTabData;
    b->Caption = "new";
    list.PutItem(0, b);
    EXPECT_EQ(list[0]->Caption, "new");
}

TEST(TabRegionCache, KeepsTheMostRecentRegionsUpToItsCapacityAndOwnsThem) {
    TQxTabRegionCache cache;
    auto rgn = [](int i) { return CreateRectRgn(i, 0, i + 1, 1); };
    auto alive = [](HRGN r) { return GetObjectType(AsGdiObj(r)) == OBJ_REGION; };
    HRGN first = rgn(0);
    cache.Add({0, 0, 1, 1}, first);
    EXPECT_EQ(cache.Find({0, 0, 1, 1}), first);
    EXPECT_EQ(cache.Find({0, 0, 1, 1}), first);
    // A second rectangle evicts the first and deletes its region.
    cache.Add({1, 0, 2, 1}, rgn(1));
    EXPECT_EQ(cache.Find({0, 0, 1, 1}), nullptr);
    EXPECT_FALSE(alive(first));
    // A region offered for a rectangle already kept is the cache's to delete.
    HRGN spare = rgn(9);
    cache.Add({1, 0, 2, 1}, spare);
    EXPECT_FALSE(alive(spare));
    EXPECT_NE(cache.Find({1, 0, 2, 1}), nullptr);

    cache.SetCapacity(3);
    for (int i = 0; i < 5; ++i)
        cache.Add({i, 10, i + 1, 11}, rgn(i));
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.Find({1, 10, 2, 11}), nullptr);
    EXPECT_NE(cache.Find({2, 10, 3, 11}), nullptr);
    cache.SetCapacity(1);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_NE(cache.Find({4, 10, 5, 11}), nullptr);
    cache.SetCapacity(-1);
    for (int i = 0; i < 50; ++i)
        cache.Add({i, 20, i + 1, 21}, rgn(i));
    EXPECT_EQ(cache.Count(), 51);
    for (int bad : {0, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const EQxTabControlError& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
    }
    EXPECT_EQ(cache.Capacity(), -1);
}

class TabColours : public TabTest {};

TEST_F(TabColours, AColourRepaintsOnlyWhenItChanges) {
    auto* t = NewTabs({"One"});
    Show();
    Integer paints = 0;
    t->OnPaintBackground = [&](TObject*, TCanvas*, const TRect&, bool&) { ++paints; };
    t->TabColors()->SetShadow(clBtnFace);
    t->TextColors()->SetSelected(clBtnText);
    Application->ProcessMessages();
    EXPECT_EQ(paints, 0);
    t->TabColors()->SetHighlightBar(clRed);
    Application->ProcessMessages();
    EXPECT_EQ(paints, 1);
    t->TextColors()->SetDisabled(clRed);
    Application->ProcessMessages();
    EXPECT_EQ(paints, 2);
}

} // namespace
