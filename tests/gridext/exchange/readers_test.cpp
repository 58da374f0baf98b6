// The readers: the shared rules of the grid's own format, CSV parsing and the delimiter
// guess, fixed-width fields, XML records, blocks of the binary stream placed anywhere,
// and files and streams that lie about their sizes or end too early.
#include "grid/util/GridSupport.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/gridext/exchange/exchange_fixture.h"

namespace {

using namespace GridExchange;

class Readers : public ExchangeTest {
public:
    // The grid's counts and one cell, to tell that a refused file changed nothing.
    String State(TExtStringGrid& G)
    {
        return IntToStr(G.ColCount()) + "x" + IntToStr(G.RowCount()) + ":" + G.GetGridCell(1, 1) + ":" +
               IntToStr(G.ColWidths(0));
    }
    static TMemoryStream Utf16(const String& text)
    {
        const std::u16string w = Utf8ToUtf16(text);
        return TMemoryStream(w.data(), static_cast<int64_t>(w.size() * 2));
    }
};

TEST_F(Readers, OwnFormatRules)
{
    // An empty grid: header and widths only, and back with its counts.
    Grid->SetColCount(4);
    Grid->SetRowCount(3);
    Grid->SetColWidths(2, 90);
    EXPECT_EQ(UsedCells(*Grid).Right, 0);
    SaveToFile(*Grid, Path("e.txt"));
    EXPECT_EQ(Bytes(Path("e.txt")), "4,3\r\ncw 0,64\r\ncw 1,64\r\ncw 2,90\r\ncw 3,64\r\n");
    TExtStringGrid* back = NewGrid();
    LoadFromFile(*back, Path("e.txt"));
    EXPECT_EQ(back->ColCount(), 4);
    EXPECT_EQ(back->RowCount(), 3);
    EXPECT_EQ(back->ColWidths(2), 90);

    // Multi-line text with and without Multilinecells; a line without a comma.
    Put(Path("m.txt"), "3,3\r\n1,1,a\t\bb\r\nstray\r\n");
    back->Multilinecells = true;
    LoadFromFile(*back, Path("m.txt"));
    EXPECT_EQ(back->GetGridCell(1, 1), "a\r\nb");
    EXPECT_EQ(back->GetGridCell(0, 0), "stray");
    back->Multilinecells = false;
    LoadFromFile(*back, Path("m.txt"));
    EXPECT_EQ(back->GetGridCell(1, 1), "a");

    // Without fixed cells the file keeps grid indexes, the stream counts from the range.
    Grid->SaveFixedCells = false;
    Grid->SetCellEx(1, 1, "x");
    SaveToFile(*Grid, Path("f.txt"));
    EXPECT_NE(Bytes(Path("f.txt")).find("\r\n1,1,x\r\n"), std::string::npos);
    TMemoryStream s;
    SaveToStream(*Grid, s);
    const String text = Utf16BytesToUtf8(std::string_view(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size())), false);
    EXPECT_NE(text.find("\r\n0,0,x\r\n"), String::npos);
}

// Texts that hold the marks the own format writes for line breaks themselves (a
// backspace, a tab or #1 beside a break, a lone CR, the escape #2) come back as they
// were from file and stream; texts without them are written as they always were.
TEST_F(Readers, OwnFormatKeepsTextsHoldingItsMarks)
{
    const std::vector<std::pair<String, const char*>> cases = {
        {"a\bb", "1,1~,a\x02\bb"},
        {"a\t\bb", "1,1~,a\x02\t\x02\bb"},
        {"x\ty\r\nz", "1,1~,x\x02\ty\t\bz"},
        {String("\x01\r\n\0", 4), "1,1~,\x02\x01\t\b\x01"},
        {"a\rb", "1,1~,a\tb"},
        {"a\x02\r\nb", "1,1,a\x02\t\bb"},
        {"a\x02\bb", "1,1~,a\x02\x02\x02\bb"},
        {"a\r\nb", "1,1,a\t\bb"},
        {"a\nb", "1,1,a\bb"},
        {"tab\tonly", "1,1,tab\tonly"},
    };
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->Multilinecells = true;
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(line);
        Grid->SetCellEx(1, 1, text);
        SaveToFile(*Grid, Path("k.txt"));
        const std::string bytes = Bytes(Path("k.txt"));
        EXPECT_NE(bytes.find(std::string("\r\n") + line + "\r\n"), std::string::npos);
        TExtStringGrid* back = NewGrid();
        back->Multilinecells = true;
        LoadFromFile(*back, Path("k.txt"));
        EXPECT_EQ(back->GetGridCell(1, 1), text);
        TMemoryStream s;
        SaveToStream(*Grid, s);
        s.SetPosition(0);
        TExtStringGrid* fromStream = NewGrid();
        fromStream->Multilinecells = true;
        LoadFromStream(*fromStream, s);
        EXPECT_EQ(fromStream->GetGridCell(1, 1), text);
    }
    // The first line only without Multilinecells, as for the plain form.
    Grid->SetCellEx(1, 1, "a\bb\r\nc");
    SaveToFile(*Grid, Path("k.txt"));
    TExtStringGrid* back = NewGrid();
    LoadFromFile(*back, Path("k.txt"));
    EXPECT_EQ(back->GetGridCell(1, 1), "a\bb");
}

TEST_F(Readers, StreamStopsWhereTheGridBlockEnds)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetCellEx(1, 1, "cell");
    TMemoryStream s;
    SaveToStream(*Grid, s);
    const int64_t end = s.Size();
    const std::u16string tail = u"other data\r\n";
    s.WriteBuffer(tail.data(), static_cast<int64_t>(tail.size() * 2));
    s.SetPosition(0);
    TExtStringGrid* back = NewGrid();
    LoadFromStream(*back, s);
    EXPECT_EQ(back->GetGridCell(1, 1), "cell");
    EXPECT_EQ(s.Position(), end);
}

TEST_F(Readers, CellToReal)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetCellEx(1, 1, "(1,234)");
    EXPECT_DOUBLE_EQ(CellToReal(*Grid, 1, 1), -1234);
    EXPECT_DOUBLE_EQ(CellToReal(*Grid, 0, 0), 0);
    Grid->SetCellEx(0, 1, "none");
    try {
        CellToReal(*Grid, 0, 1);
        ADD_FAILURE() << "no error for a cell without a number";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(std::string(e.what()).find("Error at position: "), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("in Cell [0, 1]."), std::string::npos) << e.what();
    }
}

TEST_F(Readers, CsvFieldsAndTheDelimiterGuess)
{
    struct Case {
        const char* Name;
        std::string File;
        std::vector<String> Row0;
    } cases[] = {
        {"semicolons", "a;b;c\r\nd;e;f\r\n", {"a", "b", "c"}},
        {"comma before semicolon", "a,b;c\r\nd,e;f\r\n", {"a", "b;c"}},
        {"quoted with blanks", "x, \"a,b\" ,y\r\n", {"x", "a,b", "y"}},
        {"doubled quotes", "\"say \"\"hi\"\"\",2\r\n", {"say \"hi\"", "2"}},
        {"vertical tab", "\"l1\vl2\",z\r\n", {"l1\r\nl2", "z"}},
        {"line break inside quotes", "\"l1\r\nl2\",z\r\nnext,row\r\n", {"l1\r\nl2", "z"}},
        {"no delimiter at all", "one field\r\nanother\r\n", {"one field"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        TExtStringGrid* g = NewGrid();
        Put(Path("g.csv"), k.File);
        LoadFromCSV(*g, Path("g.csv"));
        for (size_t c = 0; c < k.Row0.size(); ++c) EXPECT_EQ(g->GetGridCell(int(c), 0), k.Row0[c]) << c;
        EXPECT_EQ(g->Delimiter, '\0') << "the guess is for this read only";
    }
    // Records end at CR LF, a lone CR and a lone LF alike, in files with quoted fields
    // and in files without any.
    for (const std::string quoted : {"a", "\"a\""}) {
        SCOPED_TRACE(quoted);
        TExtStringGrid* g = NewGrid();
        Put(Path("b.csv"), quoted + ",b\rc,d\ne,f\r\ng,h");
        LoadFromCSV(*g, Path("b.csv"));
        const std::vector<std::vector<String>> rows = {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}};
        ASSERT_GE(g->RowCount(), int(rows.size()));
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < 2; ++c) EXPECT_EQ(g->GetGridCell(int(c), int(r)), rows[r][c]) << r << "," << c;
    }
    // Java style: "~" for line breaks, "^" for an empty field.
    TExtStringGrid* j = NewGrid();
    j->JavaCSV = true;
    Put(Path("j.csv"), "l1~l2,^,x\r\n");
    LoadFromCSV(*j, Path("j.csv"));
    EXPECT_EQ(j->GetGridCell(0, 0), "l1\r\nl2");
    EXPECT_EQ(j->GetGridCell(1, 0), "");

    // MaxRows, with footer rows kept below.
    TExtStringGrid* m = NewGrid();
    m->FixedFooters = 1;
    Put(Path("m.csv"), "1,a\r\n2,b\r\n3,c\r\n4,d\r\n");
    LoadFromCSV(*m, Path("m.csv"), 2);
    EXPECT_EQ(m->RowCount(), 2 + 1);
    EXPECT_EQ(m->GetGridCell(0, 1), "2");

    // An empty file leaves the grid alone; an empty stream is refused.
    Put(Path("empty.csv"), "");
    const String before = State(*m);
    LoadFromCSV(*m, Path("empty.csv"));
    EXPECT_EQ(State(*m), before);
    TMemoryStream none;
    EXPECT_THROW(LoadFromCSVStream(*m, none), Exception);
    EXPECT_THROW(AppendToCSV(*m, Path("missing.csv")), EFOpenError);
}

TEST_F(Readers, FixedWidthFields)
{
    Put(Path("f.txt"), "abcdefghij\r\n1234567\r\n");
    TIntList pos(0, 0);
    for (int p : {9, 1, 5}) pos.Add(p);
    Grid->SetFixedCols(0);
    LoadFromFixed(*Grid, Path("f.txt"), pos, -1, false);
    EXPECT_EQ(pos.StrValue(), "1,5,9") << "sorted in the caller's list";
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->GetGridCell(0, 0), "abcd");
    EXPECT_EQ(Grid->GetGridCell(1, 0), "efgh");
    EXPECT_EQ(Grid->GetGridCell(1, 1), "567");
    EXPECT_THROW(LoadFromFixed(*Grid, Path("missing.txt"), pos), EExtGridError);
}

TEST_F(Readers, XmlRecordsAndFieldNames)
{
    Grid->SetColCount(3);
    Grid->SetRowCount(1);
    for (int c = 0; c < 3; ++c) Grid->SetCellEx(c, 0, "v" + IntToStr(c));
    TStringList names;
    names.Add("First");
    names.Add("Second");
    SaveToXML(*Grid, Path("n.xml"), "LIST", "ROW", &names, false);
    const std::string x = Bytes(Path("n.xml"));
    EXPECT_NE(x.find("<First>v0</First>"), std::string::npos);
    EXPECT_NE(x.find("<FIELD2>v2</FIELD2>"), std::string::npos);

    Put(Path("r.xml"), "<L><R><a>1</a><b>2</b></R><R><a>3</a><b>4</b></R><R><a>5</a><b>6</b></R></L>");
    TExtStringGrid* g = NewGrid();
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    LoadFromXML(*g, Path("r.xml"), false, true);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->GetGridCell(0, 0), "a") << "element names into the empty fixed row";
    EXPECT_EQ(g->GetGridCell(1, 0), "b");
    EXPECT_EQ(g->GetGridCell(1, 3), "6");

    Put(Path("esc.xml"), "<L><R><a>a &amp; b</a><b>$amp; &amp;amp;</b></R></L>");
    TExtStringGrid* e = NewGrid();
    LoadFromXML(*e, Path("esc.xml"));
    EXPECT_EQ(e->GetGridCell(0, 0), "a & b");
    EXPECT_EQ(e->GetGridCell(1, 0), "$amp; &amp;") << "unescaped once, other text untouched";
    EXPECT_THROW(LoadFromXML(*e, Path("missing.xml")), Exception);
}

TEST_F(Readers, BinaryBlockPlacedAtAPoint)
{
    Grid->SetColCount(8);
    Grid->SetRowCount(8);
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 3; ++c) Grid->SetCellEx(c, r, IntToStr(c) + "/" + IntToStr(r));
    Grid->GetCellProperties(2, 2)->FontStyle = TFontStyles() << fsBold;
    Grid->GetCellProperties(2, 2)->SetBrushColor(clYellow);
    TStringList* radio = Grid->CreateRadio(3, 3, 0, 1);
    radio->Add("one");
    radio->Add("two");
    TMemoryStream s;
    SaveRectToBinStream(*Grid, TGridRect(2, 2, 3, 3), s);
    s.SetPosition(0);
    TExtStringGrid* g = NewGrid();
    g->SetColCount(8);
    g->SetRowCount(8);
    LoadAtPointFromBinStream(*g, TPoint(5, 3), s);
    EXPECT_EQ(g->GetGridCell(5, 3), "2/2");
    EXPECT_EQ(g->GetGridCell(6, 4), "3/3");
    EXPECT_EQ(g->GetGridCell(2, 2), "");
    EXPECT_TRUE(g->GetCellProperties(5, 3)->FontStyle.Contains(fsBold));
    EXPECT_EQ(g->GetCellProperties(5, 3)->BrushColor(), clYellow);
    ASSERT_NE(g->GetRadioStrings(6, 4), nullptr);
    EXPECT_EQ(g->GetRadioStrings(6, 4)->Count(), 2);

    // A whole grid replaces the grid, merged areas included, wherever it is put.
    Grid->MergeCells(0, 0, 2, 3);
    TMemoryStream all;
    SaveToBinStream(*Grid, all);
    all.SetPosition(0);
    TExtStringGrid* w = NewGrid();
    LoadAtPointFromBinStream(*w, TPoint(4, 4), all);
    EXPECT_EQ(w->ColCount(), 8);
    EXPECT_EQ(w->GetGridCell(3, 3), "3/3");
    EXPECT_EQ(w->CellSpan(0, 0).X, 1);
    EXPECT_EQ(w->CellSpan(0, 0).Y, 2);
}

TEST_F(Readers, HostileFilesAndStreamsAreRefusedWithNothingChanged)
{
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetCellEx(1, 1, "keep");
    const String before = State(*Grid);

    struct Case {
        const char* Name;
        std::function<void()> Load;
    };
    TMemoryStream huge = Utf16("999999,999999\r\n0,0,x\r\n");
    TMemoryStream badNumber = Utf16("2,2\r\n0,0,x\r\n1z,1,y\r\n");
    TMemoryStream bin;
    SaveToBinStream(*Grid, bin);
    // The block's counts forged: a row count far beyond any grid.
    std::string forged(reinterpret_cast<const char*>(bin.Memory()), size_t(bin.Size()));
    const size_t at = forged.find("RowCount") + 8;
    forged.replace(at, 2, std::string("\x04\xFF\xFF\xFF\x7F", 5));
    TMemoryStream forgedStream(forged.data(), static_cast<int64_t>(forged.size()));
    TMemoryStream truncated(bin.Memory(), bin.Size() - 7);
    std::string longString(reinterpret_cast<const char*>(bin.Memory()), size_t(bin.Size()));
    longString.replace(longString.find("ColWidths") + 9, 1, std::string("\x0C\xFF\xFF\xFF\x0F", 5));
    TMemoryStream longStream(longString.data(), static_cast<int64_t>(longString.size()));
    TMemoryStream notRecord("TPF1xxxx", 8);

    std::string wide(size_t(MaxCols) + 10, ',');
    Put(Path("wide.csv"), "a" + wide + "\r\n");
    Put(Path("huge.txt"), "2000000000,2000000000\r\n0,0,x\r\n");
    Put(Path("neg.txt"), "-5,3\r\n0,0,x\r\n");
    Put(Path("zero.txt"), "0,3\r\n");
    std::string deep;
    for (int i = 0; i < 1000; ++i) deep += "<a><b/>";
    deep += "x";
    for (int i = 0; i < 1000; ++i) deep += "</a>";
    Put(Path("deep.xml"), "<r>" + deep + deep + "</r>");

    const std::vector<Case> cases = {
        {"own file, huge counts", [&] { LoadFromFile(*Grid, Path("huge.txt")); }},
        {"own file, negative count", [&] { LoadFromFile(*Grid, Path("neg.txt")); }},
        {"own file, no columns", [&] { LoadFromFile(*Grid, Path("zero.txt")); }},
        {"own stream, huge counts", [&] { LoadFromStream(*Grid, huge); }},
        {"own stream, bad number", [&] { LoadFromStream(*Grid, badNumber); }},
        {"binary, forged row count", [&] { LoadFromBinStream(*Grid, forgedStream); }},
        {"binary, truncated", [&] { LoadFromBinStream(*Grid, truncated); }},
        {"binary, string beyond the end", [&] { LoadFromBinStream(*Grid, longStream); }},
        {"binary, no record", [&] { LoadFromBinStream(*Grid, notRecord); }},
        {"CSV, too many columns", [&] { LoadFromCSV(*Grid, Path("wide.csv")); }},
        {"XML, nested too deeply", [&] { LoadFromXML(*Grid, Path("deep.xml")); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        EXPECT_THROW(k.Load(), Exception);
        EXPECT_EQ(State(*Grid), before);
    }
    EXPECT_EQ(huge.Position(), 0) << "a refused stream is left where it was";
    EXPECT_EQ(badNumber.Position(), 0);
}

}  // namespace
