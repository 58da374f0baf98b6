// The string tree: texts asked through events, shortening of texts that do not fit,
// multi-line measuring, the caption chunk of the tree stream, the CSV file, and a picture
// of a tree with columns, a multi-line row and shortened cells.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "platform/rtl/Unicode.h"
#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/treeview/tree_fixture.h"

namespace {

// Keeps what each cell drew: the text after shortening and the format's alignment.
class TTextTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    using TCustomLazyStringTree::GetNodeWidth;
    using TCustomLazyStringTree::MeasureCellText;
    struct TDrawn {
        String Text;
        TRect R;
        unsigned Format;
    };
    std::map<std::pair<PLazyNode, TColumnIndex>, TDrawn> Drawn;

protected:
    void DrawCellText(TLTPaintInfo& PaintInfo, const String& Text, TRect CellRect, unsigned DrawFormat) override
    {
        Drawn[{PaintInfo.Node, PaintInfo.Column}] = TDrawn{Text, CellRect, DrawFormat};
        TLazyStringTree::DrawCellText(PaintInfo, Text, CellRect, DrawFormat);
    }
};

class StringTreeTest : public TreeTest {
protected:
    TTextTree* T = nullptr;
    std::map<PLazyNode, std::map<TColumnIndex, String>> Texts;
    void SetUp() override
    {
        TreeTest::SetUp();
        delete Tree;
        Tree = T = new TTextTree(Form);
        T->SetParent(Form);
        T->SetBounds(0, 0, 300, 200);
        T->SetColor(clWhite);
    }
    // Texts come from the map; a new text is stored in it.
    void UseTexts()
    {
        T->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex C, TVSTTextType Type, String& S) {
            if (Type == ttNormal) S = Texts[N][C];
        };
        T->OnNewText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex C, const String& S) { Texts[N][C] = S; };
    }
    void AddColumns(std::initializer_list<std::pair<const char*, int>> Cols)
    {
        for (auto [name, width] : Cols) {
            TLazyTreeColumn* c = T->Header()->Columns()->Add();
            c->SetText(name);
            c->SetWidth(width);
        }
    }
    void PaintAll()
    {
        TRecordingCanvas rec;
        T->Drawn.clear();
        T->PaintTree(&rec, TRect(0, 0, 300, 200), TPoint(0, 0), TLTInternalPaintOptions{poUnbuffered});
    }
};

TEST(ShortenStringTest, LongestPrefixThatFitsWithTheEllipsis)
{
    TBitmap bmp(10, 10);
    TCanvas* c = bmp.Canvas();
    const String s = "Temperature sensor";
    const int full = c->TextWidth(s), dots = c->TextWidth("...");
    struct TCase {
        const char* Name;
        int Width;
        bool Whole, Empty;
    } cases[] = {
        {"wider than the text", full + 5, true, false},  {"exactly the text", full, true, false},
        {"one pixel short", full - 1, false, false},      {"half the text", full / 2, false, false},
        {"only the ellipsis", dots, false, false},        {"less than the ellipsis", dots - 1, false, true},
        {"zero", 0, false, true},                          {"negative", -3, false, true},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        const String r = ShortenString(c, s, k.Width);
        if (k.Whole) {
            EXPECT_EQ(r, s);
        } else if (k.Empty) {
            EXPECT_EQ(r, "");
        } else {
            ASSERT_GE(r.size(), 3u);
            EXPECT_EQ(r.substr(r.size() - 3), "...");
            const String prefix = r.substr(0, r.size() - 3);
            EXPECT_EQ(s.compare(0, prefix.size(), prefix), 0);
            EXPECT_LE(c->TextWidth(prefix) + dots, k.Width);
            // The longest such prefix: one character more would not fit.
            EXPECT_GT(c->TextWidth(s.substr(0, prefix.size() + 1)) + dots, k.Width);
        }
    }
    EXPECT_EQ(ShortenString(c, "", 100), "");
    // A cut never splits a character of more than one byte.
    const String umlauts = "Grüße über Köln";
    for (int w = dots; w < c->TextWidth(umlauts); ++w) EXPECT_TRUE(IsValidUtf8(ShortenString(c, umlauts, w))) << w;
}

TEST_F(StringTreeTest, TextsWithoutAndWithHandlers)
{
    T->SetRootNodeCount(1);
    PLazyNode a = T->GetFirst();
    EXPECT_EQ(T->Text(a, -1), "Node");
    EXPECT_EQ(T->StaticText(a, -1), "");
    // Writing a text without a handler that keeps it changes nothing.
    T->SetText(a, -1, "Pump");
    EXPECT_EQ(T->Text(a, -1), "Node");
    UseTexts();
    T->SetText(a, -1, "Pump");
    EXPECT_EQ(T->Text(a, -1), "Pump");
    // One call with both texts replaces the two OnGetText calls.
    T->OnGetCellText = [](TBaseLazyTree*, TVSTGetCellTextEventArgs& E) {
        E.CellText = "cell";
        E.StaticText = "static";
    };
    EXPECT_EQ(T->Text(a, 0), "cell");
    EXPECT_EQ(T->StaticText(a, 0), "static");
    EXPECT_THROW(T->Text(nullptr, 0), ELazyTreeError);
    EXPECT_THROW(T->StaticText(nullptr, 0), ELazyTreeError);
}

TEST_F(StringTreeTest, PathFromTheTopLevelDown)
{
    UseTexts();
    PLazyNode a = T->AddChild(nullptr), b = T->AddChild(a), c = T->AddChild(b);
    Texts[a][-1] = "A";
    Texts[b][-1] = "B";
    Texts[c][-1] = "C";
    EXPECT_EQ(T->Path(c, -1, '\\'), "A\\B\\C\\");
    EXPECT_EQ(T->Path(a, -1, '/'), "A/");
    EXPECT_EQ(T->Path(nullptr, -1, '/'), "/");
    EXPECT_EQ(T->Path(T->RootNode(), -1, '/'), "/");
}

// Every alignment, with the column wider than the text, just as wide and narrower:
// only a text that does not fit is shortened, and a shortened centred text starts left.
TEST_F(StringTreeTest, ShorteningByAlignmentAndWidth)
{
    UseTexts();
    AddColumns({{"Name", 200}});
    T->SetRootNodeCount(1);
    PLazyNode n = T->GetFirst();
    const String text = "Flow meter channel";
    Texts[n][0] = text;
    TBitmap bmp(10, 10);
    bmp.Canvas()->Font()->Assign(*T->Font());
    const int textWidth = bmp.Canvas()->TextWidth(text);
    // Content = column - margin - indentation - two text margins.
    const int chrome = T->Margin() + T->Indent() + 2 * T->TextMargin();
    struct TCase {
        TAlignment Align;
        int Width;
        bool Shortened;
        unsigned Flag;
    } cases[] = {
        {taLeftJustify, textWidth + chrome + 20, false, DT_LEFT},
        {taLeftJustify, textWidth + chrome, false, DT_LEFT},
        {taLeftJustify, textWidth + chrome - 1, true, DT_LEFT},
        {taRightJustify, textWidth + chrome + 20, false, DT_RIGHT},
        {taRightJustify, textWidth + chrome - 10, true, DT_RIGHT},
        {taCenter, textWidth + chrome + 20, false, DT_CENTER},
        {taCenter, textWidth + chrome - 10, true, DT_LEFT},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(testing::Message() << "align " << int(k.Align) << " width " << k.Width);
        T->Header()->Columns()->Items(0)->SetAlignment(k.Align);
        T->Header()->Columns()->Items(0)->SetWidth(k.Width);
        PaintAll();
        const TTextTree::TDrawn& d = T->Drawn.at({n, 0});
        if (k.Shortened) {
            EXPECT_NE(d.Text, text);
            EXPECT_EQ(d.Text.substr(d.Text.size() - 3), "...");
        } else {
            EXPECT_EQ(d.Text, text);
        }
        EXPECT_EQ(d.Format & (DT_LEFT | DT_CENTER | DT_RIGHT), k.Flag);
        EXPECT_TRUE(d.Format & DT_SINGLELINE);
    }
}

TEST_F(StringTreeTest, NoShorteningWithoutColumnsAndAHandlerMayShorten)
{
    UseTexts();
    T->SetBounds(0, 0, 60, 200);
    T->SetRootNodeCount(1);
    PLazyNode n = T->GetFirst();
    Texts[n][-1] = "A text much wider than the tree itself";
    PaintAll();
    EXPECT_EQ(T->Drawn.at({n, -1}).Text, Texts[n][-1]);

    AddColumns({{"Name", 60}});
    Texts[n][0] = Texts[n][-1];
    T->OnShortenString = [](TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, const String&, int, String& R,
                            bool& Done) {
        R = "~";
        Done = true;
    };
    PaintAll();
    EXPECT_EQ(T->Drawn.at({n, 0}).Text, "~");
}

TEST_F(StringTreeTest, AutoSpanOverEmptyLeftToRightColumns)
{
    UseTexts();
    AddColumns({{"A", 60}, {"B", 50}, {"C", 40}, {"D", 50}});
    T->TreeOptions()->SetAutoOptions(T->TreeOptions()->AutoOptions() | toAutoSpanColumns);
    T->SetRootNodeCount(2);
    PLazyNode spans = T->GetFirst(), stops = T->GetNextSibling(spans);
    const String text = "A text that needs about three columns";
    Texts[spans][0] = Texts[stops][0] = text;
    Texts[spans][3] = Texts[stops][2] = "x";
    PaintAll();
    // Over B and C, stopping before the filled D; the empty cells paint nothing.
    EXPECT_EQ(T->Drawn.at({spans, 0}).R.Right, 60 + 50 + 40 - T->TextMargin());
    EXPECT_EQ(T->Drawn.count({spans, 1}), 0u);
    EXPECT_EQ(T->Drawn.count({spans, 2}), 0u);
    EXPECT_EQ(T->Drawn.at({spans, 3}).Text, "x");
    EXPECT_EQ(T->Drawn.at({stops, 0}).R.Right, 60 + 50 - T->TextMargin());
    // A right-to-left cell never spans.
    T->Header()->Columns()->Items(0)->SetBiDiMode(bdRightToLeft);
    PaintAll();
    EXPECT_LE(T->Drawn.at({spans, 0}).R.Right, 60);
    // Without the option each cell keeps its column.
    T->Header()->Columns()->Items(0)->SetBiDiMode(bdLeftToRight);
    T->TreeOptions()->SetAutoOptions(T->TreeOptions()->AutoOptions() - TLTAutoOptions{toAutoSpanColumns});
    PaintAll();
    EXPECT_EQ(T->Drawn.at({spans, 0}).R.Right, 60 - T->TextMargin());
}

TEST_F(StringTreeTest, MultiLineMeasuring)
{
    UseTexts();
    AddColumns({{"Name", 120}, {"Value", 80}});
    T->SetRootNodeCount(2);
    PLazyNode single = T->GetFirst(), multi = T->GetNextSibling(single);
    const String words = "one two three four five six seven eight nine ten";
    Texts[single][0] = Texts[multi][0] = words;
    T->SetMultiLine(multi, true);
    TBitmap bmp(10, 10);
    TCanvas* c = bmp.Canvas();
    c->Font()->Assign(*T->Font());
    const int line = c->TextHeight("Tg");
    EXPECT_EQ(T->ComputeNodeHeight(c, single, 0), line);
    const int h = T->ComputeNodeHeight(c, multi, 0);
    EXPECT_GE(h, 3 * line);
    EXPECT_EQ(h % line, 0);
    // A wider column needs fewer lines; a text given replaces the cell's.
    T->Header()->Columns()->Items(0)->SetWidth(400);
    EXPECT_LT(T->ComputeNodeHeight(c, multi, 0), h);
    EXPECT_EQ(T->ComputeNodeHeight(c, multi, 0, "short"), line);
    // A multi-line node is as wide as its column; a single-line one as its text.
    EXPECT_EQ(T->GetNodeWidth(multi, 1), 80);
    EXPECT_EQ(T->GetNodeWidth(single, 0), c->TextWidth(words) + 2 * T->TextMargin());
    // Multi-line measuring keeps the single-line height.
    EXPECT_EQ(T->MeasureCellText(c, multi, 0, "a\nb").Y, c->TextExtent("a\nb").Y);
}

TEST_F(StringTreeTest, CachedWidthIsMeasuredAgainAfterInvalidation)
{
    UseTexts();
    T->SetRootNodeCount(1);
    PLazyNode n = T->GetFirst();
    Texts[n][-1] = "ab";
    const int narrow = T->GetNodeWidth(n, -1);
    Texts[n][-1] = "a much longer text";
    EXPECT_EQ(T->GetNodeWidth(n, -1), narrow);   // cached
    T->InvalidateNode(n);
    EXPECT_GT(T->GetNodeWidth(n, -1), narrow);
    T->SetText(n, -1, "ab");
    EXPECT_EQ(T->GetNodeWidth(n, -1), narrow);
}

// A width cached for the old font or the old main column would cut or pad every text.
TEST_F(StringTreeTest, FontAndMainColumnChangesDropCachedWidths)
{
    UseTexts();
    AddColumns({{"Name", 100}, {"Value", 100}});
    T->SetRootNodeCount(1);
    PLazyNode n = T->GetFirst();
    Texts[n][0] = "ab";
    Texts[n][1] = "a much longer text";
    const int small = T->GetNodeWidth(n, 0);
    T->Font()->SetSize(T->Font()->Size() * 2);
    EXPECT_GT(T->GetNodeWidth(n, 0), small);
    const int narrow = T->GetNodeWidth(n, 0), wide = T->GetNodeWidth(n, 1);
    ASSERT_GT(wide, narrow);
    T->Header()->SetMainColumn(1);
    EXPECT_EQ(T->GetNodeWidth(n, 1), wide);
    EXPECT_EQ(T->GetNodeWidth(n, -1), wide);
}

TEST_F(StringTreeTest, CaptionChunkRoundTrip)
{
    UseTexts();
    PLazyNode a = T->AddChild(nullptr), b = T->AddChild(a), e = T->AddChild(nullptr);
    Texts[a][-1] = "Zähler";
    Texts[b][-1] = "Kanal \"1\"";
    Texts[e][-1] = "";
    TMemoryStream s;
    T->SaveToStream(s);

    TLazyStringTree other(nullptr);
    std::vector<String> got;
    other.OnNewText = [&](TBaseLazyTree*, PLazyNode, TColumnIndex, const String& S) { got.push_back(S); };
    s.SetPosition(0);
    other.LoadFromStream(s);
    EXPECT_EQ(got, (std::vector<String>{"Zähler", "Kanal \"1\""}));

    // Without toSaveCaptions no caption is written.
    T->TreeOptions()->SetStringOptions(TLTStringOptions{});
    TMemoryStream s2;
    T->SaveToStream(s2);
    EXPECT_LT(s2.Size(), s.Size());
    TLazyStringTree third(nullptr);
    got.clear();
    third.OnNewText = [&](TBaseLazyTree*, PLazyNode, TColumnIndex, const String& S) { got.push_back(S); };
    s2.SetPosition(0);
    third.LoadFromStream(s2);
    EXPECT_TRUE(got.empty());
}

TEST_F(StringTreeTest, CsvHoldsTopLevelRowsQuoted)
{
    UseTexts();
    AddColumns({{"Name", 80}, {"Value \"raw\"", 80}});
    PLazyNode a = T->AddChild(nullptr), child = T->AddChild(a), b = T->AddChild(nullptr);
    Texts[a][0] = "Pump";
    Texts[a][1] = "12";
    Texts[child][0] = "hidden child";
    Texts[b][0] = "Valve, 2";
    Texts[b][1] = "";
    const String path = TEST_OUTPUT("string_tree.csv");
    EXPECT_FALSE(T->SaveToCSVFile("", true));
    ASSERT_TRUE(T->SaveToCSVFile(path, true));
    std::ifstream f(path, std::ios::binary);
    std::stringstream all;
    all << f.rdbuf();
    EXPECT_EQ(all.str(), "\"Name\",\"Value \"\"raw\"\"\"\r\n"
                         "\"Pump\",\"12\"\r\n"
                         "\"Valve, 2\",\" \"\r\n");
    ASSERT_TRUE(T->SaveToCSVFile(path, false));
    std::ifstream g(path, std::ios::binary);
    std::stringstream rows;
    rows << g.rdbuf();
    EXPECT_EQ(rows.str(), "\"Pump\",\"12\"\r\n\"Valve, 2\",\" \"\r\n");
}

TEST_F(StringTreeTest, StaticTextsOnlyWhenAskedAndNotCentred)
{
    T->OnGetCellText = [](TBaseLazyTree*, TVSTGetCellTextEventArgs& E) {
        E.CellText = "Pump";
        E.StaticText = "(3)";
    };
    T->SetRootNodeCount(1);
    auto staticDrawn = [&] {
        TRecordingCanvas rec;
        T->PaintTree(&rec, TRect(0, 0, 300, 200), TPoint(0, 0), TLTInternalPaintOptions{poUnbuffered});
        for (const TDrawOp& o : rec.Of("DrawText"))
            if (o.Text == "(3)") return true;
        return false;
    };
    EXPECT_FALSE(staticDrawn());
    T->TreeOptions()->SetStringOptions(TLTStringOptions{toSaveCaptions, toShowStaticText});
    EXPECT_TRUE(staticDrawn());
    T->SetAlignment(taCenter);
    EXPECT_FALSE(staticDrawn());
}

TEST_F(StringTreeTest, PictureOfMultiLineAndShortenedTexts)
{
    Form->Show();
    UseTexts();
    T->Header()->SetOptions(T->Header()->Options() + TLTHeaderOptions{hoVisible});
    AddColumns({{"Name", 130}, {"Description", 150}});
    T->TreeOptions()->SetMiscOptions(T->TreeOptions()->MiscOptions() | toVariableNodeHeight);
    PLazyNode a = T->AddChild(nullptr), b = T->AddChild(nullptr), c = T->AddChild(nullptr);
    Texts[a][0] = "Meter";
    Texts[a][1] = "Short";
    Texts[b][0] = "Multi-line";
    Texts[b][1] = "A long description that wraps over several lines of its cell";
    Texts[c][0] = "A name far too long for its column";
    Texts[c][1] = "A description far too long for the column";
    T->SetMultiLine(b, true);
    T->OnMeasureItem = [this](TBaseLazyTree*, TCanvas* Canvas, PLazyNode N, int& H) {
        if (T->MultiLine(N)) H = T->ComputeNodeHeight(Canvas, N, 1) + 4;
    };
    for (PLazyNode n : {a, b, c}) T->InvalidateNode(n);
    T->Font()->SetColor(clBlack);
    T->Drawn.clear();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(T, "string_tree.png", png));
    EXPECT_EQ(T->Drawn.at({a, 1}).Text, "Short");
    EXPECT_EQ(T->Drawn.at({c, 0}).Text.substr(T->Drawn.at({c, 0}).Text.size() - 3), "...");
    EXPECT_EQ(T->Drawn.at({c, 1}).Text.substr(T->Drawn.at({c, 1}).Text.size() - 3), "...");
    // The multi-line row is taller and its text has ink on at least three line bands.
    const int top = T->Header()->Height() + int(T->NodeHeight(a));
    const int height = int(T->NodeHeight(b));
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(*T->Font());
    ASSERT_GE(height, 3 * probe.Canvas()->TextHeight("Tg"));
    const int line = height / 3;
    auto dark = [](TColor C) { return (C & 0xFF) < 0x80 && ((C >> 8) & 0xFF) < 0x80 && ((C >> 16) & 0xFF) < 0x80; };
    for (int k = 0; k < 3; ++k)
        EXPECT_GT(Count_Pixels(png, TRect(132, top + k * line, 278, top + (k + 1) * line), dark), 10) << k;
    // No ink of the shortened text passes its column's right edge.
    const int rowC = top + height;
    EXPECT_EQ(Count_Pixels(png, TRect(126 - T->TextMargin() + 3, rowC, 130, rowC + int(T->NodeHeight(c))), dark), 0);
}

}   // namespace
