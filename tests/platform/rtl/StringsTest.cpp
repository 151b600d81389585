#include "platform/rtl/Classes.h"

#include <cstdio>
#include <gtest/gtest.h>

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
    TStringList l;
    l.SetText("a\r\nb\nc\rd");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[3], "d");
    l.SetText("x\r\n");
    EXPECT_EQ(l.Count(), 1);
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
    l.SetText("\n\n");
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Text(), "\n\n");
}

TEST(StringList, SortedListsFindAndHandleDuplicates) {
    TStringList l;
    l.SetSorted(true);
    l.Add("pear");
    l.Add("Apple");
    l.Add("fig");
    EXPECT_EQ(l[0], "Apple");
    EXPECT_EQ(l.Add("APPLE"), 0); // dupIgnore, case-insensitive
    EXPECT_EQ(l.Count(), 3);
    l.SetDuplicates(dupError);
    EXPECT_THROW(l.Add("fig"), EStringListError);
    EXPECT_THROW(l.Insert(0, "x"), EStringListError);
    Integer index;
    EXPECT_FALSE(l.Find("grape", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(l.IndexOf("PEAR"), 2);
}

TEST(StringList, IndexErrorsAndNameValuePairs) {
    TStringList l;
    try {
        l.Get(0);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (0)");
    }
    l.Add("Key=1");
    l.SetValue("other", "2");
    EXPECT_EQ(l.Values("KEY"), "1");
    EXPECT_EQ(l.Names(1), "other");
    l.SetValue("key", "");
    EXPECT_EQ(l.Count(), 1);
}

TEST(StringList, ChangeEventsRespectUpdates) {
    TStringList l;
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    l.Add("a");
    EXPECT_EQ(changes, 1);
    l.BeginUpdate();
    l.Add("b");
    l.Add("c");
    EXPECT_EQ(changes, 1);
    l.EndUpdate();
    EXPECT_EQ(changes, 2);
}

TEST(StringList, AChangeThatFailsHalfwayStillEndsItsUpdate) {
    TStringList l;
    l.SetSorted(true);
    l.SetDuplicates(dupError);
    l.Add("fig");
    TStringList more;
    more.Add("pear");
    more.Add("fig");
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(l.AddStrings(&more), EStringListError);
    EXPECT_THROW(l.Move(7, 0), EStringListError);
    EXPECT_THROW(l.Exchange(0, 7), EStringListError);
    EXPECT_EQ(l.UpdateCount(), 0);
    EXPECT_EQ(changes, 3); // each failed change still reports what it did
    l.Add("apple");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(l.CommaText(), "apple,fig,pear");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    TStringList l;
    l.Add("a b");
    l.Add("c");
    l.Add("d\"e");
    EXPECT_EQ(l.CommaText(), "\"a b\",c,\"d\"\"e\"");
    TStringList m;
    m.SetCommaText(l.CommaText());
    EXPECT_TRUE(m.Equals(&l));
}

TEST(StringList, FilesRoundTripAndReportErrors) {
    char name[] = "/tmp/quenta_strings_XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    TStringList l;
    l.Add("one");
    l.Add("two");
    l.SaveToFile(name);
    TStringList m;
    m.LoadFromFile(name);
    EXPECT_TRUE(m.Equals(&l));
    std::remove(name);
    EXPECT_THROW(m.LoadFromFile("/nonexistent/dir/file.txt"), EFOpenError);
    EXPECT_THROW(l.SaveToFile("/nonexistent/dir/file.txt"), EFCreateError);
}

TEST(StringList, FilesOfUnknownSizeAreReadToTheirEnd) {
    // A /proc file reports size 0 and still has lines.
    TStringList l;
    l.LoadFromFile("/proc/self/status");
    ASSERT_GT(l.Count(), 5);
    EXPECT_EQ(l[0].rfind("Name:", 0), 0u) << l[0];
}

namespace {
struct Counted : TObject {
    explicit Counted(int& n) : N(n) {}
    ~Counted() override { ++N; }
    int& N;
};
} // namespace

TEST(ObjectList, OwnsAndFreesItsObjects) {
    int freed = 0;
    {
        TObjectList l;
        l.Add(new Counted(freed));
        l.Add(new Counted(freed));
        auto* kept = new Counted(freed);
        l.Add(kept);
        l.Extract(kept);
        EXPECT_EQ(freed, 0);
        l.Delete(0);
        EXPECT_EQ(freed, 1);
        kept->Free();
        EXPECT_EQ(freed, 2);
    }
    EXPECT_EQ(freed, 3);
    TList plain;
    EXPECT_THROW(plain.Get(0), EListError);
}
