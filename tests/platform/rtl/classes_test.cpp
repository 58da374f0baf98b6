#include <gtest/gtest.h>

#include "platform/rtl/Classes.h"

namespace {

struct Counted : TObject {
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
};

TEST(StringList, UnsortedKeepsOrderAndFindsCaseInsensitively)
{
    TStringList l;
    l.Add("Beta");
    l.Add("alpha");
    l.Add("beta");
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.IndexOf("BETA"), 0);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("beta"), 2);
    EXPECT_EQ(l.IndexOf("BETA"), -1);
    EXPECT_THROW(l.Strings(3), EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    l.Move(2, 0);
    EXPECT_EQ(l.Text(), "beta\r\nBeta\r\nalpha\r\n");
}

TEST(StringList, SortedWithDuplicatePolicies)
{
    TStringList l;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "apple"}) l.Add(s);
    // dupIgnore: "apple" equals "Apple" without regard to case and is dropped.
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l[0], "Apple");
    EXPECT_EQ(l[1], "fig");
    EXPECT_EQ(l[2], "pear");
    int idx = -1;
    EXPECT_TRUE(l.Find("FIG", idx));
    EXPECT_EQ(idx, 1);
    EXPECT_FALSE(l.Find("grape", idx));
    EXPECT_EQ(idx, 2);   // where it would go
    EXPECT_THROW(l.Insert(0, "x"), EListError);

    l.SetDuplicates(dupAccept);
    l.AddObject("FIG", nullptr);
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l[1], "fig");
    EXPECT_EQ(l[2], "FIG");   // equal texts keep their order of adding
    l.SetDuplicates(dupError);
    EXPECT_THROW(l.Add("Pear"), EListError);
}

TEST(StringList, ObjectsOwnershipAndNameValues)
{
    {
        TStringList l;
        l.SetOwnsObjects(true);
        l.AddObject("a", new Counted);
        l.AddObject("b", new Counted);
        l.SetObjects(0, new Counted);   // the replaced object goes
        EXPECT_EQ(Counted::alive, 2);
        l.Delete(1);
        EXPECT_EQ(Counted::alive, 1);
    }
    EXPECT_EQ(Counted::alive, 0);

    TStringList nv;
    nv.SetValues("ip", "127.0.0.1");
    nv.SetValues("port", "10000");
    nv.SetValues("ip", "10.0.0.1=x");
    EXPECT_EQ(nv.Values("IP"), "10.0.0.1=x");
    EXPECT_EQ(nv.Names(1), "port");
    nv.SetValues("port", "");
    EXPECT_EQ(nv.Count(), 1);
}

TEST(StringList, TextAndDelimitedRoundTrips)
{
    TStringList l;
    l.SetText("a\r\nb\n\nc\rd");
    ASSERT_EQ(l.Count(), 5);
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(l[4], "d");
    l.SetText("x\n\n");
    EXPECT_EQ(l.Count(), 2);

    TStringList d;
    for (const char* s : {"plain", "with blank", "quo\"te", "", "comma,x"}) d.Add(s);
    String text = d.CommaText();
    EXPECT_EQ(text, "plain,\"with blank\",\"quo\"\"te\",,\"comma,x\"");
    TStringList back;
    back.SetCommaText(text);
    ASSERT_EQ(back.Count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(back[i], d[i]);
    back.SetDelimitedText("a;b c;", ';', '"', true);
    EXPECT_EQ(back.Count(), 3);
    EXPECT_EQ(back[1], "b c");
}

TEST(StringList, CustomSortSeesTheListAsItStands)
{
    TStringList l;
    for (const char* s : {"10", "9", "100", "1"}) l.Add(s);
    l.CustomSort([](const TStringList& list, int a, int b) {
        return StrToInt(list[a]) - StrToInt(list[b]);
    });
    EXPECT_EQ(l.CommaText(), "1,9,10,100");
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    l.Add("x");
    l.Clear();
    EXPECT_EQ(changes, 2);
}

} // namespace
