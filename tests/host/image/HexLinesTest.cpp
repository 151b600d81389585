// The image lines as one text block: they must split, change and read back
// exactly as a string list does, and the HEX reader must give the same
// verdict and buffers through either.
#include "ImageTestSupport.h"

#include <gtest/gtest.h>

using imagetest::Pic32Target;

namespace {
std::vector<String> Items(const TStrings& L) {
    std::vector<String> v;
    for (Integer i = 0; i < L.Count(); ++i) v.push_back(L[i]);
    return v;
}
} // namespace

TEST(HexLines, SplitAndEditLikeAStringList) {
    for (const String text : {"", "a", "a\n", "a\r\nb", "a\rb\r\n\r\nc\n\n", "\n", "\r\r\n", "x\ry\n\rz"}) {
        THexLines packed;
        TStringList list;
        packed.SetText(text);
        list.SetText(text);
        EXPECT_EQ(Items(packed), Items(list)) << text;
        EXPECT_EQ(packed.Text(), list.Text()) << text;
        for (Integer i = 0; i < packed.Count(); ++i) EXPECT_EQ(packed.Line(i), list[i]);
    }

    THexLines packed;
    TStringList list;
    for (TStrings* l : std::initializer_list<TStrings*>{&packed, &list}) {
        l->SetText("one\ntwo\nthree");
        l->Add("four");
        l->Insert(0, "zero");
        l->Put(2, "TWO");
        l->Delete(3);
    }
    EXPECT_EQ(Items(packed), (std::vector<String>{"zero", "one", "TWO", "four"}));
    EXPECT_EQ(Items(packed), Items(list));
    EXPECT_THROW(packed.Line(4), EStringListError);
    EXPECT_THROW(packed.Delete(-1), EStringListError);
    packed.Clear();
    EXPECT_EQ(packed.Count(), 0);
}

TEST(HexLines, TheReaderGivesTheSameResultsAsThroughAStringList) {
    const TDeviceTypeRec target = Pic32Target();
    for (const String text : {
             ":020000041D00DD\r\n:10000000000102030405060708090A0B0C0D0E0F78\r\n:00000001FF\r\n",
             ":020000041D00DD\n:0300000000010202F8\n:020000041FC0\n:00000001FF\n", // a bad address record
             ":020000041FC0\n:0400000000010203F6\n\n:0700000004000000000000F5\n",
             ":020000041D00DD\n:0400000500000000F7\n:0400000000010203F6\n", // type 5 before data
         }) {
        THexLines packed;
        TStringList list;
        packed.SetText(text);
        list.SetText(text);
        const THexCheck a = CheckHexLines(packed), b = CheckHexLines(list);
        EXPECT_EQ(a.Valid, b.Valid) << text;
        EXPECT_EQ(a.Line, b.Line) << text;
        EXPECT_EQ(a.Problem, b.Problem) << text;
        TMemoryBuffers viaPacked, viaList;
        viaPacked.Allocate(target);
        viaList.Allocate(target);
        LoadBuffersFromHex(packed, target, viaPacked, nullptr);
        LoadBuffersFromHex(list, target, viaList, nullptr);
        EXPECT_EQ(viaPacked.ProgImage, viaList.ProgImage) << text;
        EXPECT_EQ(viaPacked.BootImage, viaList.BootImage) << text;
        EXPECT_EQ(viaPacked.HighestPhysProgAddress, viaList.HighestPhysProgAddress) << text;
    }
}
