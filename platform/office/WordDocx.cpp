// The word-processor session over .docx files: the document's body is the XML of its
// main part, edited in place, so what the program does not know (styles, pictures,
// sections) stays as it was.
//
// Positions are places between the body's blocks (paragraphs and tables): 0 is the start
// of the document. The selection starts at the start of the document; typed text becomes
// a paragraph there when the paragraph mark is typed. A bookmark's position lies after
// the block that holds it, the last line's position before the document's last block.
#include <memory>

#include "platform/office/OfficeApps.h"
#include "platform/office/ZipPackage.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

namespace Office {

namespace {

constexpr const char* MainPart = "word/document.xml";
constexpr const char* XmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* WordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

TZipPackage NewPackage()
{
    TZipPackage p;
    p.Put("[Content_Types].xml",
          std::string(XmlDeclaration) +
              "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
              "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
              "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
              "<Override PartName=\"/word/document.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
              "</Types>");
    p.Put("_rels/.rels", std::string(XmlDeclaration) +
                             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                             "<Relationship Id=\"rId1\" "
                             "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
                             "Target=\"word/document.xml\"/></Relationships>");
    return p;
}

struct TDocument {
    TZipPackage Package;
    std::unique_ptr<TXMLDocument> Xml = std::make_unique<TXMLDocument>();
    int Selection = 0;        // the block the selection stands before
    std::string Typed;        // text typed since the last paragraph mark
    TXMLNode Table;           // the table added last
    bool HasTyped = false;
};

bool HasBookmark(const TXMLNode& n, const std::string& name)
{
    if (n.NodeName() == "w:bookmarkStart" && n.AttributeDef("w:name", "") == name) return true;
    for (const TXMLNode& c : n.ChildNodes())
        if (HasBookmark(c, name)) return true;
    return false;
}

// A run holding the text; line feeds become line breaks, carriage returns are dropped.
void AddRun(TXMLNode paragraph, const std::string& text)
{
    TXMLNode run = paragraph.AddChild("w:r");
    std::string part;
    auto flush = [&] {
        TXMLNode t = run.AddChild("w:t");
        t.SetAttribute("xml:space", "preserve");
        t.SetText(part);
        part.clear();
    };
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            flush();
            run.AddChild("w:br");
        } else
            part += c;
    }
    flush();
}

class TDocxWordProcessor : public IWordProcessor {
public:
    int DocumentCount() override { return static_cast<int>(FDocs.size()); }
    void OpenDocument(const std::string& FileName) override
    {
        auto d = std::make_unique<TDocument>();
        d->Package = TZipPackage::Read(FileName);
        std::string xml;
        if (!d->Package.Find(MainPart, xml)) throw EOfficeError("Cannot read " + FileName + ": no document part");
        try {
            d->Xml->LoadFromXML(xml, FileName);
        } catch (const Exception& e) {
            throw EOfficeError("Cannot read " + FileName + ": " + e.Message());
        }
        if (!d->Xml->DocumentElement().FindNode("w:body")) throw EOfficeError("Cannot read " + FileName + ": no document body");
        FDocs.push_back(std::move(d));
    }
    void AddDocument() override
    {
        auto d = std::make_unique<TDocument>();
        d->Package = NewPackage();
        TXMLNode root = d->Xml->AddChild("w:document");
        root.SetAttribute("xmlns:w", WordNamespace);
        root.AddChild("w:body").AddChild("w:p");
        FDocs.push_back(std::move(d));
    }
    void UseActiveDocument() override { Doc(); }
    void SetShowSpellingErrors(bool) override { Doc(); }
    void TypeText(const std::string& Text) override
    {
        Doc().Typed += Text;
        Doc().HasTyped = true;
    }
    void TypeParagraph() override
    {
        TDocument& d = Doc();
        TXMLNode p = InsertAt(static_cast<size_t>(d.Selection), "w:p");
        if (!d.Typed.empty()) AddRun(p, d.Typed);
        d.Typed.clear();
        d.HasTyped = false;
        ++d.Selection;
    }
    bool BookmarkExists(const std::string& Name) override { return BookmarkBlock(Name) >= 0; }
    TDocPosition GotoBookmark(const std::string& Name) override
    {
        const int b = BookmarkBlock(Name);
        if (b < 0) throw EOfficeError("The document has no bookmark \"" + Name + "\"");
        return b + 1;
    }
    void AddParagraph() override { InsertAt(Blocks().size(), "w:p"); }
    void SelectLastLine() override
    {
        const size_t n = Blocks().size();
        Doc().Selection = n ? static_cast<int>(n - 1) : 0;
    }
    TDocPosition SelectionEnd() override { return Doc().Selection; }
    TDocPosition Range(int Start, int) override
    {
        Doc();
        return Start;
    }
    void AddTable(TDocPosition At, int Rows, int Cols) override
    {
        if (Rows < 1 || Cols < 1) throw EOfficeError("A table needs at least one row and one column");
        TXMLNode tbl = InsertAt(static_cast<size_t>(std::max(At, 0)), "w:tbl");
        TXMLNode pr = tbl.AddChild("w:tblPr");
        TXMLNode w = pr.AddChild("w:tblW");
        w.SetAttribute("w:w", "0");
        w.SetAttribute("w:type", "auto");
        TXMLNode borders = pr.AddChild("w:tblBorders");
        for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
            TXMLNode b = borders.AddChild(side);
            b.SetAttribute("w:val", "single");
            b.SetAttribute("w:sz", "4");
            b.SetAttribute("w:space", "0");
            b.SetAttribute("w:color", "auto");
        }
        TXMLNode grid = tbl.AddChild("w:tblGrid");
        for (int c = 0; c < Cols; ++c) grid.AddChild("w:gridCol");
        for (int r = 0; r < Rows; ++r) {
            TXMLNode tr = tbl.AddChild("w:tr");
            for (int c = 0; c < Cols; ++c) tr.AddChild("w:tc").AddChild("w:p");
        }
        Doc().Table = tbl;
    }
    void CellInsertAfter(int Row, int Col, const std::string& Text) override { AddRun(CellParagraph(Row, Col), Text); }
    void SetCellAlignment(int Row, int Col, TAlignment Alignment) override
    {
        TXMLNode p = CellParagraph(Row, Col);
        TXMLNode pr = p.FindNode("w:pPr");
        if (!pr) pr = p.ChildCount() ? p.InsertChildBefore("w:pPr", p.Child(0)) : p.AddChild("w:pPr");
        TXMLNode jc = pr.FindNode("w:jc");
        if (!jc) jc = pr.AddChild("w:jc");
        jc.SetAttribute("w:val", Alignment == AlignRight ? "right" : Alignment == AlignCenter ? "center" : "left");
    }
    void SaveAs(const std::string& FileName) override
    {
        TDocument& d = Doc();
        if (d.HasTyped) TypeParagraph();
        d.Package.Put(MainPart, XmlDeclaration + d.Xml->SaveToXML());
        d.Package.Write(FileName);
    }
    void Quit() override { FDocs.clear(); }

private:
    TDocument& Doc()
    {
        if (FDocs.empty()) throw EOfficeError("No document is open");
        return *FDocs.back();
    }
    TXMLNode Body() { return Doc().Xml->DocumentElement().ChildNode("w:body"); }
    // The body's paragraphs and tables; the section properties at its end are no block.
    std::vector<TXMLNode> Blocks()
    {
        std::vector<TXMLNode> b;
        for (const TXMLNode& c : Body().ChildNodes())
            if (c.NodeName() != "w:sectPr") b.push_back(c);
        return b;
    }
    TXMLNode InsertAt(size_t Position, const char* Name)
    {
        const std::vector<TXMLNode> blocks = Blocks();
        if (Position < blocks.size()) return Body().InsertChildBefore(Name, blocks[Position]);
        if (TXMLNode sect = Body().FindNode("w:sectPr")) return Body().InsertChildBefore(Name, sect);
        return Body().AddChild(Name);
    }
    int BookmarkBlock(const std::string& Name)
    {
        const std::vector<TXMLNode> blocks = Blocks();
        for (size_t i = 0; i < blocks.size(); ++i)
            if (HasBookmark(blocks[i], Name)) return static_cast<int>(i);
        return -1;
    }
    TXMLNode CellParagraph(int Row, int Col)
    {
        TXMLNode tbl = Doc().Table;
        if (!tbl) throw EOfficeError("No table was added");
        int r = 0;
        for (const TXMLNode& tr : tbl.ChildNodes()) {
            if (tr.NodeName() != "w:tr" || ++r != Row) continue;
            int c = 0;
            for (const TXMLNode& tc : tr.ChildNodes())
                if (tc.NodeName() == "w:tc" && ++c == Col) return tc.ChildNode("w:p");
        }
        throw EOfficeError("The table has no cell (" + IntToStr(Row) + ", " + IntToStr(Col) + ")");
    }
    std::vector<std::unique_ptr<TDocument>> FDocs;
};

}  // namespace

std::unique_ptr<IWordProcessor> NewDocxWordProcessor() { return std::make_unique<TDocxWordProcessor>(); }

}  // namespace Office
