#pragma once
// Recording stand-ins for the spreadsheet, word processor and database: each call is
// logged as a line, so tests compare the order of calls a routine makes.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/office/OfficeApps.h"

struct TCallLog {
    std::vector<std::string> Lines;
    // What a routine wrote into a sheet.
    std::string WrittenAddress;
    std::vector<std::vector<std::string>> Written;
    void Add(std::string s) { Lines.push_back(std::move(s)); }
};

class TFakeSpreadsheet : public Office::ISpreadsheet {
public:
    TFakeSpreadsheet(TCallLog& Log) : FLog(Log) {}
    // What the fake reports.
    std::vector<std::string> Sheets = {"Sheet1"};
    int Workbooks = 0;
    int CellRow = 1;
    std::string Used = "$A$1";
    std::map<std::pair<int, int>, Office::TCellValue> Cells;   // (row, column) from 1
    bool FailOpen = false;

    int WorkbookCount() override { return Workbooks; }
    void OpenWorkbook(const std::string& F) override
    {
        FLog.Add("WorkBooks.Open(" + F + ")");
        if (FailOpen) throw EOfficeError("Cannot read " + F);
        ++Workbooks;
    }
    void AddWorkbook() override
    {
        FLog.Add("WorkBooks.Add");
        ++Workbooks;
    }
    int SheetCount() override { return static_cast<int>(Sheets.size()); }
    std::string SheetName(int i) override { return Sheets.at(static_cast<size_t>(i - 1)); }
    void ActivateSheet(int i) override { FLog.Add("Sheets(" + std::to_string(i) + ")"); }
    void UseActiveSheet() override { FLog.Add("ActiveSheet"); }
    void AddSheet(const std::string& N) override
    {
        FLog.Add("WorkSheets.Add(" + N + ")");
        Sheets.push_back(N);
    }
    int ActiveCellRow() override
    {
        FLog.Add("ActiveCell.Row");
        return CellRow;
    }
    std::string UsedRangeAddress() override
    {
        FLog.Add("UsedRange.Address");
        return Used;
    }
    Office::TCellValue Cell(int r, int c) override
    {
        FLog.Add("Rows.Cells(" + std::to_string(r) + "," + std::to_string(c) + ")");
        const auto it = Cells.find({r, c});
        return it == Cells.end() ? Office::TCellValue{} : it->second;
    }
    std::vector<std::vector<Office::TCellValue>> RangeValue(const std::string& A) override
    {
        FLog.Add("Range(" + A + ").Value");
        int top, left, bottom, right;
        const size_t colon = A.find(':');
        Office::ParseCellRef(A.substr(0, colon), top, left);
        Office::ParseCellRef(A.substr(colon + 1), bottom, right);
        std::vector<std::vector<Office::TCellValue>> v;
        for (int r = top; r <= bottom; ++r) {
            v.emplace_back();
            for (int c = left; c <= right; ++c) {
                const auto it = Cells.find({r, c});
                v.back().push_back(it == Cells.end() ? Office::TCellValue{} : it->second);
            }
        }
        return v;
    }
    void SetRangeValue(const std::string& A, const std::vector<std::vector<std::string>>& V) override
    {
        FLog.Add("Range(" + A + ").Value :=");
        FLog.WrittenAddress = A;
        FLog.Written = V;
    }
    void Save() override { FLog.Add("Save"); }
    void SaveAs(const std::string& F) override { FLog.Add("SaveAs(" + F + ")"); }
    void SetSaved() override { FLog.Add("Saved := true"); }
    void CloseWorkbook(bool S) override { FLog.Add(std::string("Close(SaveChanges=") + (S ? "true" : "false") + ")"); }
    void Quit() override { FLog.Add("Quit"); }

private:
    TCallLog& FLog;
};

class TFakeWordProcessor : public Office::IWordProcessor {
public:
    TFakeWordProcessor(TCallLog& Log) : FLog(Log) {}
    int Documents = 0;
    std::vector<std::string> Bookmarks;

    int DocumentCount() override { return Documents; }
    void OpenDocument(const std::string& F) override { FLog.Add("Documents.Open(" + F + ")"); }
    void AddDocument() override { FLog.Add("Documents.Add"); }
    void UseActiveDocument() override { FLog.Add("ActiveDocument"); }
    void SetShowSpellingErrors(bool S) override { FLog.Add(std::string("ShowSpellingErrors := ") + (S ? "true" : "false")); }
    void TypeText(const std::string& T) override { FLog.Add("TypeText(" + T + ")"); }
    void TypeParagraph() override { FLog.Add("TypeParagraph"); }
    bool BookmarkExists(const std::string& N) override
    {
        FLog.Add("Bookmarks.Exists(" + N + ")");
        for (const auto& b : Bookmarks)
            if (b == N) return true;
        return false;
    }
    Office::TDocPosition GotoBookmark(const std::string& N) override
    {
        FLog.Add("Goto(what=-1,name=" + N + ")");
        return 7;
    }
    void AddParagraph() override { FLog.Add("Paragraphs.Add"); }
    void SelectLastLine() override { FLog.Add("Selection.Goto(what=3,which=-1)"); }
    Office::TDocPosition SelectionEnd() override
    {
        FLog.Add("Selection.End");
        return 42;
    }
    Office::TDocPosition Range(int S, int E) override
    {
        FLog.Add("Range(" + std::to_string(S) + "," + std::to_string(E) + ")");
        return S;
    }
    void AddTable(Office::TDocPosition At, int R, int C) override
    {
        FLog.Add("Tables.Add(" + std::to_string(At) + ",numRows=" + std::to_string(R) + ",numColumns=" + std::to_string(C) + ")");
    }
    void CellInsertAfter(int R, int C, const std::string& T) override
    {
        FLog.Add("Cell(" + std::to_string(R) + "," + std::to_string(C) + ").InsertAfter(" + T + ")");
    }
    void SetCellAlignment(int R, int C, TAlignment A) override
    {
        FLog.Add("Cell(" + std::to_string(R) + "," + std::to_string(C) + ").Alignment := " + std::to_string(A));
    }
    void SaveAs(const std::string& F) override { FLog.Add("SaveAs(" + F + ")"); }
    void Quit() override { FLog.Add("Quit"); }

private:
    TCallLog& FLog;
};

class TFakeRecordSet : public Office::IRecordSet {
public:
    TFakeRecordSet(TCallLog& Log, std::vector<std::string> Names, std::vector<std::vector<std::string>> Rows, long long Count)
        : FLog(Log), FNames(std::move(Names)), FRows(std::move(Rows)), FCount(Count)
    {
    }
    int FieldCount() override { return static_cast<int>(FNames.size()); }
    std::string FieldName(int i) override { return FNames.at(static_cast<size_t>(i)); }
    long long RecordCount() override { return FCount; }
    bool Eof() override { return FAt >= FRows.size(); }
    bool FieldValue(int i, std::string& V) override
    {
        V = FRows.at(FAt).at(static_cast<size_t>(i));
        return !V.empty();
    }
    void MoveNext() override
    {
        FLog.Add("MoveNext");
        ++FAt;
    }
    void Close() override { FLog.Add("RecordSet.Close"); }

private:
    TCallLog& FLog;
    std::vector<std::string> FNames;
    std::vector<std::vector<std::string>> FRows;
    long long FCount;
    size_t FAt = 0;
};

class TFakeDatabase : public Office::IDatabase {
public:
    TFakeDatabase(TCallLog& Log, std::vector<std::string> Names, std::vector<std::vector<std::string>> Rows, long long Count)
        : FLog(Log), FNames(std::move(Names)), FRows(std::move(Rows)), FCount(Count)
    {
    }
    void Open(const std::string& C) override { FLog.Add("Connection.Open(" + C + ")"); }
    std::unique_ptr<Office::IRecordSet> Query(const std::string& S) override
    {
        FLog.Add("RecordSet.Open(" + S + ")");
        return std::make_unique<TFakeRecordSet>(FLog, FNames, FRows, FCount);
    }
    void Close() override { FLog.Add("Connection.Close"); }

private:
    TCallLog& FLog;
    std::vector<std::string> FNames;
    std::vector<std::vector<std::string>> FRows;
    long long FCount;
};
