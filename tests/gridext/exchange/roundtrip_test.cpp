// Every format that can be read back, against every awkward kind of cell: the cells of a
// grid saved and loaded into a fresh grid come back as they were, in the same place.
#include <functional>

#include "grid/util/GridSupport.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/gridext/exchange/exchange_fixture.h"

namespace {

using namespace GridExchange;

struct CellKind {
    const char* Name;
    String Text;
    bool Unicode;   // holds characters Windows-1252 lacks
    // What the grid's own format gives back when it differs from the text.
    const char* OwnFormat = nullptr;
};

const std::vector<CellKind> Kinds = {
    {"plain", "plain", false},
    {"delimiter", "a,b;c", false},
    {"quotes", "say \"hi\" \"\"", false},
    {"leading quote", "\"quoted\" start", false},
    {"leading blank", "  two blanks", false},
    {"CR LF lines", "line 1\r\nline 2\r\nline 3", false},
    {"lone LF", "a\nb", false},
    {"lone CR", "a\rb", false},
    {"tab beside a break", "a\tb\r\nc", false},
    {"Latin-1", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC 5", false},
    {"beyond 8-bit", "\xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC", true},
    {"markup", "a & b <c> &amp; $amp;", false},
    {"only blanks", "   ", false},
};

struct Format {
    const char* Name;
    bool Own;             // the grid's own text format
    bool Unicode;         // keeps every character
    std::function<void(ExchangeTest&, TExtStringGrid& From, TExtStringGrid& To)> Trip;
};

class RoundTrip : public ExchangeTest {
protected:
    // One kind per row in column 1 and, shifted, in the hidden column 3; row 1 stays
    // empty; a merged area at the end whose base cell holds a text.
    int EmptyRow = 1;
    int MergedRow = 0;
    void FillAwkward(TExtStringGrid& G)
    {
        G.SetColCount(5);
        G.SetRowCount(int(Kinds.size()) + 3);
        G.SetCellEx(0, 0, "kind");
        G.SetCellEx(1, 0, "text");
        for (size_t i = 0; i < Kinds.size(); ++i) {
            const int r = int(i) + 2;
            G.SetCellEx(0, r, Kinds[i].Name);
            G.SetCellEx(1, r, Kinds[i].Text);
            G.SetCellEx(3, r, Kinds[(i + 1) % Kinds.size()].Text);
            G.SetCellEx(4, r, "end");
        }
        MergedRow = G.RowCount() - 1;
        G.SetCellEx(1, MergedRow, "merged base");
        G.MergeCells(1, MergedRow, 2, 1);
        G.HideColumn(3);
        G.SaveHiddenCells = true;
        G.Multilinecells = true;
    }
};

std::vector<Format> Formats()
{
    auto viaFile = [](auto save, auto load, const char* name) {
        return [=](ExchangeTest& T, TExtStringGrid& From, TExtStringGrid& To) {
            const std::string p = T.Dir + "/" + name;
            save(From, p);
            load(To, p);
        };
    };
    auto csv = [&](const char* name, std::function<void(TExtStringGrid&)> options, bool unicode) {
        return Format{name, false, unicode,
                      [=](ExchangeTest& T, TExtStringGrid& From, TExtStringGrid& To) {
                          options(From);
                          options(To);
                          SaveToCSV(From, T.Dir + "/t.csv", unicode);
                          LoadFromCSV(To, T.Dir + "/t.csv");
                      }};
    };
    return {
        {"own file 8-bit", true, false,
         viaFile([](TExtStringGrid& G, const std::string& p) { SaveToFile(G, p, false); },
                 [](TExtStringGrid& G, const std::string& p) { LoadFromFile(G, p); }, "t.txt")},
        {"own file UTF-16", true, true,
         viaFile([](TExtStringGrid& G, const std::string& p) { SaveToFile(G, p, true); },
                 [](TExtStringGrid& G, const std::string& p) { LoadFromFile(G, p); }, "t.txt")},
        {"own stream", true, true,
         [](ExchangeTest&, TExtStringGrid& From, TExtStringGrid& To) {
             // The stream format leaves hidden columns out; the hidden cells are the
             // stream's concern only when they are shown.
             From.UnHideColumnsAll();
             TMemoryStream s;
             SaveToStream(From, s);
             s.SetPosition(0);
             LoadFromStream(To, s);
         }},
        csv("CSV default", [](TExtStringGrid&) {}, false),
        csv("CSV UTF-8", [](TExtStringGrid&) {}, true),
        csv("CSV always quotes", [](TExtStringGrid& G) { G.AlwaysQuotes = true; }, true),
        csv("CSV semicolon, no empty quotes",
            [](TExtStringGrid& G) {
                G.Delimiter = ';';
                G.QuoteEmptyCells = false;
            },
            true),
        csv("CSV tab", [](TExtStringGrid& G) { G.Delimiter = '\t'; }, true),
        {"XML", false, true,
         [](ExchangeTest& T, TExtStringGrid& From, TExtStringGrid& To) {
             SaveToXML(From, T.Dir + "/t.xml", "LIST", "ROW", nullptr, true);
             LoadFromXML(To, T.Dir + "/t.xml");
         }},
        {"XML UTF-8", false, true,
         [](ExchangeTest& T, TExtStringGrid& From, TExtStringGrid& To) {
             From.XMLEncoding = "UTF-8";
             SaveToXML(From, T.Dir + "/t.xml", "LIST", "ROW", nullptr, true);
             LoadFromXML(To, T.Dir + "/t.xml");
         }},
        {"binary stream", false, true,
         [](ExchangeTest&, TExtStringGrid& From, TExtStringGrid& To) {
             TMemoryStream s;
             SaveToBinStream(From, s);
             s.SetPosition(0);
             LoadFromBinStream(To, s);
         }},
    };
}

// What an 8-bit file keeps of a text.
String Through8Bit(const String& s) { return Cp1252ToUtf8(Utf8ToCp1252(s)); }

TEST_F(RoundTrip, EveryFormatKeepsEveryKindOfCell)
{
    for (const Format& f : Formats()) {
        SCOPED_TRACE(f.Name);
        TExtStringGrid* from = NewGrid();
        TExtStringGrid* to = NewGrid();
        FillAwkward(*from);
        to->Multilinecells = true;
        to->SaveHiddenCells = true;
        ASSERT_NO_THROW(f.Trip(*this, *from, *to));

        const bool hiddenKept = std::string(f.Name) != "own stream";
        for (size_t i = 0; i < Kinds.size(); ++i) {
            const CellKind& k = Kinds[i];
            SCOPED_TRACE(k.Name);
            const int r = int(i) + 2;
            const String text = f.Own && k.OwnFormat ? String(k.OwnFormat) : k.Text;
            const String want = f.Unicode ? text : Through8Bit(text);
            EXPECT_EQ(to->GetGridCell(1, r), want);
            EXPECT_EQ(to->GetGridCell(0, r), k.Name);
            if (hiddenKept) {
                const CellKind& h = Kinds[(i + 1) % Kinds.size()];
                const String htext = f.Own && h.OwnFormat ? String(h.OwnFormat) : h.Text;
                EXPECT_EQ(to->GetGridCell(3, r), f.Unicode ? htext : Through8Bit(htext)) << "hidden column";
            }
            EXPECT_EQ(to->GetGridCell(4, r), "end") << "the cells after it stay in their columns";
        }
        for (int c = 0; c < 5; ++c) EXPECT_EQ(to->GetGridCell(c, EmptyRow), "") << "the empty row stays empty";
        EXPECT_EQ(to->GetGridCell(1, MergedRow), "merged base");
        EXPECT_EQ(to->RowCount(), from->RowCount()) << "rows, the empty one included";
        EXPECT_EQ(to->TotalColCount(), 5);
    }
}

}  // namespace
