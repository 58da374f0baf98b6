// The header stream: a round trip keeps every column and header setting, old layouts
// read, and hostile streams are refused without touching the header.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/treeview/tree_fixture.h"

namespace {

class HeaderStreamTest : public HeaderTreeTest {
protected:
    // A header with something in every field.
    void Fill(TLTHeader* h)
    {
        TLazyTreeColumns* c = h->Columns();
        const char* texts[] = {"Name", "Gr\xC3\xB6\xC3\x9F" "e", "\xE2\x82\xAC"};
        for (int i = 0; i < 3; ++i) {
            TLazyTreeColumn* col = c->Add();
            col->SetText(texts[i]);
            col->SetHint(std::string("hint ") + char('a' + i));
            col->SetWidth(40 + 10 * i);
            col->SetTag(100 + i);
            col->SetAlignment(taRightJustify);
        }
        c->Items(1)->SetCaptionAlignment(taCenter);
        c->Items(2)->SetColor(clRed);
        c->Items(0)->SetPosition(2);
        c->SetDefaultWidth(77);
        h->SetHeight(24);
        h->SetBackground(clGreen);
        h->SetStyle(hsPlates);
        h->SetSortColumn(1);
        h->SetSortDirection(sdDescending);
        h->SetMainColumn(2);
        h->Font()->SetName("Schrift \xC3\xA4");
        h->FixedAreaConstraints()->SetMaxWidthPercent(60);
    }
    std::vector<uint8_t> Saved(const TLTHeader* h) const
    {
        TMemoryStream s;
        h->SaveToStream(s);
        return s.Bytes();
    }
    void Load(const std::vector<uint8_t>& b)
    {
        TMemoryStream s(b.data(), int64_t(b.size()));
        H->LoadFromStream(s);
    }
};

void PutInt(std::vector<uint8_t>& b, std::size_t at, int32_t v) { std::memcpy(&b[at], &v, 4); }

std::vector<int> Lefts(const TLazyTreeColumns* C)
{
    std::vector<int> out;
    for (int i = 0; i < C->Count(); ++i) out.push_back(C->Items(i)->RawLeft());
    return out;
}

TEST_F(HeaderStreamTest, RoundTripKeepsColumnsAndSettings)
{
    TLazyStringTree other(nullptr);
    Fill(other.Header());
    const std::vector<uint8_t> bytes = Saved(other.Header());
    Load(bytes);
    EXPECT_TRUE(C->Equals(*other.Header()->Columns()));
    EXPECT_EQ(C->Items(1)->Text(), "Gr\xC3\xB6\xC3\x9F" "e");
    EXPECT_EQ(C->Items(1)->CaptionAlignment(), taCenter);
    EXPECT_EQ(C->Items(2)->Color(), clRed);
    EXPECT_EQ(C->PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
    EXPECT_EQ(C->DefaultWidth(), 77);
    EXPECT_EQ(H->Height(), 24);
    EXPECT_EQ(H->SortColumn(), 1);
    EXPECT_EQ(H->SortDirection(), sdDescending);
    EXPECT_EQ(H->MainColumn(), 2);
    EXPECT_EQ(H->Font()->Name(), "Schrift \xC3\xA4");
    EXPECT_EQ(H->FixedAreaConstraints()->MaxWidthPercent(), 60);
    EXPECT_EQ(Saved(H), bytes);
}

TEST_F(HeaderStreamTest, FontNameIsStoredAsUtf8Bytes)
{
    H->Font()->SetName("\xC3\xA4\xC3\xB6");  // two characters, four bytes
    const std::vector<uint8_t> b = Saved(H);
    const std::vector<uint8_t> name = {0xC3, 0xA4, 0xC3, 0xB6};
    auto at = std::search(b.begin(), b.end(), name.begin(), name.end());
    ASSERT_NE(at, b.end());
    int32_t len = 0;
    std::memcpy(&len, &*(at - 4), 4);
    EXPECT_EQ(len, 4);
}

TEST_F(HeaderStreamTest, NarrowColumnSurvivesTheRoundTrip)
{
    // A column of 5 pixels with a lowered minimum: read back, its width must not be
    // clamped by the default minimum of 10 before its own limits are known.
    TLazyTreeColumn* c = C->Add();
    c->SetMinWidth(2);
    c->SetWidth(5);
    const std::vector<uint8_t> bytes = Saved(H);
    C->Clear();
    Load(bytes);
    ASSERT_EQ(C->Count(), 1);
    EXPECT_EQ(C->Items(0)->MinWidth(), 2);
    EXPECT_EQ(C->Items(0)->Width(), 5);
}

TEST_F(HeaderStreamTest, StreamWithoutMarkerReadsAsTheOldestLayout)
{
    // Count 1, one column record of the oldest layout (no tag, alignment, colour), then
    // the header fields without main column, sort column or limits.
    // Main and sort column of the header before point past the one column the stream has.
    for (int i = 0; i < 3; ++i) C->Add();
    H->SetMainColumn(2);
    H->SetSortColumn(2);
    TMemoryStream s;
    auto put = [&](int32_t v) { s.WriteBuffer(&v, 4); };
    put(1);
    put(1);
    const char16_t a = u'A';
    s.WriteBuffer(&a, 2);
    put(0);
    put(60), put(10), put(10000), put(0), put(-1), put(0), put(4), put(3), put(0);
    put(0x7F);  // bits 0-6 in the old layout: bits 4-6 move up by one, no parent colour
    put(0);     // position array
    put(0), put(clBtnFace), put(19), put(int32_t(DefaultHeaderOptions.Bits())), put(0);
    put(0), put(-11), put(0), put(0), put(0);
    s.SetPosition(0);
    H->LoadFromStream(s);
    ASSERT_EQ(C->Count(), 1);
    EXPECT_EQ(C->Items(0)->Text(), "A");
    EXPECT_EQ(C->Items(0)->Width(), 60);
    EXPECT_EQ(C->Items(0)->Options().Bits(), 0xEFu);
    EXPECT_FALSE(C->Items(0)->Options().Contains(coParentColor));
    EXPECT_EQ(H->SortColumn(), NoColumnIndex);
    EXPECT_EQ(H->MainColumn(), 0);
}

TEST_F(HeaderStreamTest, HostileStreamsAreRefusedAndLeaveTheHeaderAsItWas)
{
    TLazyStringTree other(nullptr);
    Fill(other.Header());
    const std::vector<uint8_t> good = Saved(other.Header());
    // Offsets into a version 6 stream: marker, version, count, then column 0's text length.
    const std::size_t count = 8, textLength = 12;
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
    } cases[] = {
        {"cut short", [](std::vector<uint8_t>& b) { b.resize(b.size() - 3); }},
        {"cut in the column list", [](std::vector<uint8_t>& b) { b.resize(40); }},
        {"a huge column count", [&](std::vector<uint8_t>& b) { PutInt(b, count, 0x7FFFFFFF); }},
        {"a negative column count", [&](std::vector<uint8_t>& b) { PutInt(b, count, -3); }},
        {"a text longer than the stream", [&](std::vector<uint8_t>& b) { PutInt(b, textLength, 1 << 29); }},
        {"a negative text length", [&](std::vector<uint8_t>& b) { PutInt(b, textLength, -1); }},
        {"a position outside the columns",
         [&](std::vector<uint8_t>& b) {
             // The position array follows the three records; find it by its contents 1, 2, 0.
             const uint8_t pos[] = {1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
             auto at = std::search(b.begin(), b.end(), std::begin(pos), std::end(pos));
             ASSERT_NE(at, b.end());
             PutInt(b, std::size_t(at - b.begin()), 7);
         }},
        {"a position twice",
         [&](std::vector<uint8_t>& b) {
             const uint8_t pos[] = {1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
             auto at = std::search(b.begin(), b.end(), std::begin(pos), std::end(pos));
             ASSERT_NE(at, b.end());
             PutInt(b, std::size_t(at - b.begin()), 2);
         }},
        {"height limits upside down",
         [](std::vector<uint8_t>& b) {
             // MaxHeight is the eighth value from the end.
             PutInt(b, b.size() - 7 * 4, 5);
         }},
        {"a percent above 100", [](std::vector<uint8_t>& b) { PutInt(b, b.size() - 4, 250); }},
    };
    // The header as it is before each load: three columns of its own.
    for (int i = 0; i < 3; ++i) C->Add()->SetText("own " + std::to_string(i));
    H->SetHeight(30);
    const std::vector<uint8_t> before = Saved(H);
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        c.damage(bad);
        EXPECT_THROW(Load(bad), EReadError) << c.what;
        EXPECT_EQ(Saved(H), before) << c.what;
        EXPECT_FALSE(H->States().Contains(hsLoading)) << c.what;
    }
    // And a good stream still reads after all that.
    Load(good);
    EXPECT_EQ(Saved(H), good);
}

}  // namespace

namespace {

TEST_F(HeaderStreamTest, AssignCopiesColumnsOrderAndSettings)
{
    TLazyStringTree other(nullptr);
    Fill(other.Header());
    other.Header()->SetOptions(other.Header()->Options() | hoHotTrack);
    H->Assign(*other.Header());
    EXPECT_TRUE(C->Equals(*other.Header()->Columns()));
    EXPECT_EQ(C->PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
    EXPECT_EQ(Lefts(C), (std::vector<int>{110, 0, 50}));
    EXPECT_EQ(H->Options(), other.Header()->Options());
    EXPECT_EQ(H->SortColumn(), 1);
    EXPECT_EQ(H->MainColumn(), 2);
    EXPECT_EQ(H->Height(), 24);
}

}  // namespace
