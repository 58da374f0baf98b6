// Workbooks and documents as the office back ends read them: the input holds the XML parts
// of a package (workbook, its relationships, shared texts, a sheet, and a document body),
// separated by "---8<---" lines; they are zipped into an .xlsx and a .docx. A reader either
// refuses with an Exception or reads; a workbook read is written and read back to the same
// cells, and a document opened takes a table and saves.
#include "fuzz/FuzzCommon.h"
#include "platform/office/OfficeApps.h"
#include "platform/office/Workbook.h"
#include "platform/office/ZipPackage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto parts = fuzz::Split_Parts(fuzz::Bytes(Data, Size), 5);
    const std::string dir = fuzz::Scratch_Folder();
    Office::TZipPackage p;
    const char* names[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
                           "xl/worksheets/sheet1.xml"};
    for (size_t i = 0; i < 4; ++i)
        if (parts[i].Present) p.Put(names[i], std::string(parts[i].Text));
    const std::string book = dir + "/book.xlsx", again = dir + "/again.xlsx";
    try {
        p.Write(book);
        const Office::TWorkbook read = Office::ReadXlsx(book);
        Office::WriteXlsx(read, again);
        const Office::TWorkbook back = Office::ReadXlsx(again);
        fuzz::Check(back.Sheets.size() == read.Sheets.size(), "sheet count changed by a save");
        for (size_t s = 0; s < read.Sheets.size(); ++s) {
            fuzz::Check(back.Sheets[s].Name == read.Sheets[s].Name, "sheet name changed by a save");
            fuzz::Check(back.Sheets[s].Cells.size() == read.Sheets[s].Cells.size(), "cells changed by a save");
        }
    } catch (const Exception&) {
    }

    Office::TZipPackage d;
    if (parts[4].Present) d.Put("word/document.xml", std::string(parts[4].Text));
    const std::string doc = dir + "/doc.docx";
    try {
        d.Write(doc);
        auto word = Office::NewWordProcessor();
        word->OpenDocument(doc);
        word->TypeText("text");
        word->TypeParagraph();
        const Office::TDocPosition at = word->BookmarkExists("m") ? word->GotoBookmark("m") : word->Range(0, 0);
        word->AddTable(at, 2, 2);
        word->CellInsertAfter(2, 2, "cell");
        word->SetCellAlignment(2, 2, Office::IWordProcessor::AlignRight);
        word->SaveAs(doc);
    } catch (const Exception&) {
    }
    return 0;
}
