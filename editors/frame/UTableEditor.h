#pragma once
// The window every table editor is: the title panel with the software code and the
// window's description, one column grid per table (two tables stand on two pages), the
// button panel with OK, Cancel, Delete Row, Insert Row, Copy Row and Paste Row, and one
// XML document for its file. The editor's description (UTableDesc.h) decides the rest.
//
// A showing resets the tables (numbers in column 0, start values elsewhere), lets the
// editor prepare (rows, lists, columns shown), loads the file when it exists and clears
// the copy marks. OK checks the tables (Controllo_dati) and, when every row passes,
// rewrites the file whole and closes the window; a failed check or save leaves the
// window open and the file as it was. Cancel closes without writing.
//
// An editor derives from TFTableEditor, hands its description to the constructor and
// overrides Before_Reset / Prepare for what its showing does beyond the frame.
#include <memory>
#include <vector>

#include "editors/frame/UTableDesc.h"
#include "editors/frame/UTableFile.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/xml/XMLDoc.h"
#include "shell/LbButton.h"
#include "shell/UComonRows.h"

class TExtColumnGrid;

// The row helpers' view of a column grid: cells by real column, check-box columns by
// their editor kind, the current cell in shown columns.
class TColumnGridRows : public TRowGridAccess {
public:
    explicit TColumnGridRows(TExtColumnGrid* Grid) : FGrid(Grid) {}
    int RowCount() const override;
    int ColCount() const override;
    int NumHiddenColumns() const override;
    String GetCellEx(int Col, int Row) const override;
    void SetCellEx(int Col, int Row, const String& Text) override;
    bool IsCheckBoxColumn(int Col) const override;
    int Col() const override;
    void SetCol(int Col) override;
    int Row() const override;
    void SetRow(int Row) override;
    void AutoSizeCol(int Col) override;
    TExtColumnGrid* Grid() const { return FGrid; }

private:
    TExtColumnGrid* FGrid;
};

// The column grid helpers of the row clipboard, as the editors call them.
void Grid_Delete_Row(int Row, TExtColumnGrid* Grid);
void Grid_Insert_Row(int Row, TExtColumnGrid* Grid, bool SetEnable);
void Grid_Copy_Row(TExtColumnGrid* Grid, int Row);
void Grid_Paste_Row(TExtColumnGrid* Grid, int Row, bool Copied);
void Grid_Auto_Size_Col(TExtColumnGrid* Grid, int ARow, int ACol);
void Grid_Enter_Next_Cell(TExtColumnGrid* Grid, WideChar& Key);

class TFTableEditor : public TForm {
public:
    TFTableEditor(TComponent* AOwner, TEditorDesc Desc);
    ~TFTableEditor() override;

    const TEditorDesc& Desc() const { return FDesc; }

    // ---- the frame ----
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_DelRow;
    TLbButton* Btn_InsRow;
    TLbButton* Btn_CopyRow;
    TLbButton* Btn_PasteRow;
    TPageControl* Page_Control = nullptr;   // only with two tables or more
    TXMLDocument XML1;

    // ---- the tables, in the order of the description ----
    int Table_Count() const { return int(FTables.size()); }
    TExtColumnGrid* Grid(int Table) const { return FTables.at(size_t(Table)).Grid; }
    TTabSheet* Page(int Table) const { return FTables.at(size_t(Table)).Page; }
    // Entry i is the hint of column i + 1.
    TStringList* Hint_List(int Table) const { return FTables.at(size_t(Table)).Hint.get(); }
    // True while the row clipboard holds a row copied from this table in this showing.
    bool Copy_Mark(int Table) const { return FTables.at(size_t(Table)).Do_Copy; }
    // The table the row buttons act on: the one on the active page.
    int Active_Table() const;
    // The grid of a table as the row helpers and the file routines see it.
    TColumnGridRows& Rows(int Table) { return *FTables.at(size_t(Table)).Rows; }
    TTableGrids Table_Grids();

    // ---- handlers ----
    // Applies the text block: caption, description, buttons and their hints, page
    // captions, column headers, hint lists.
    virtual void Set_Lang();
    void FormShow(TObject* Sender);
    void GridHint(TObject* Sender, int ARow, int ACol, String& HintStr);
    void ClickCell(TObject* Sender, int ARow, int ACol);
    void DblClickCell(TObject* Sender, int ARow, int ACol);
    void KeyPress(TObject* Sender, WideChar& Key);
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    // Checks the tables; on the first failure shows its error box and returns false.
    bool Controllo_dati();
    void Btn_OKClick(TObject* Sender);

    // Sets the data rows of a table (the grid gets Rows + 1 rows with the header).
    void Set_Data_Rows(int Table, int Rows);

protected:
    // A showing's preparation before the tables are reset (rows and columns shown).
    virtual void Before_Reset() {}
    // ... and after the reset, before the file is loaded (lists, limits, messages).
    virtual void Prepare() {}

private:
    struct TTable {
        TExtColumnGrid* Grid = nullptr;
        TTabSheet* Page = nullptr;
        std::unique_ptr<TStringList> Hint;
        std::unique_ptr<TColumnGridRows> Rows;
        bool Do_Copy = false;
    };
    void Make_Controls();
    TExtColumnGrid* Make_Grid(const TTableDesc& Desc, TWinControl* Parent);
    int Table_Of(TObject* Sender) const;

    TEditorDesc FDesc;
    std::vector<TTable> FTables;
};
