#pragma once
// The window every table editor is: the title panel with the software code and the
// window's description, the fields above the tables (when the editor has any), one grid
// per table (a column grid or a string grid, as the table's description says; two tables
// stand on two pages), the button panel with the described buttons, and one XML document
// for its file. The editor's description (UTableDesc.h) decides the rest.
//
// A showing reads the editor's context (Read_Context), lets the editor prepare its rows
// and columns, fills the lists from their providers, resets the tables and fields
// (numbers in column 0, start values elsewhere), lets the editor prepare further, loads
// the file when it exists and clears the copy marks. OK checks everything
// (Controllo_dati) and, when all passes, rewrites the file whole and closes the window;
// a failed check or save leaves the window open and the file as it was. Cancel closes
// without writing.
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

class TExtStringGrid;
class TExtColumnGrid;

// The row helpers' view of a string grid: cells by real column, the current cell in
// shown columns.
class TGridRows : public TRowGridAccess {
public:
    explicit TGridRows(TExtStringGrid* Grid) : FStringGrid(Grid) {}
    int RowCount() const override;
    int ColCount() const override;
    int NumHiddenColumns() const override;
    String GetCellEx(int Col, int Row) const override;
    void SetCellEx(int Col, int Row, const String& Text) override;
    int Col() const override;
    void SetCol(int Col) override;
    int Row() const override;
    void SetRow(int Row) override;
    void AutoSizeCol(int Col) override;

protected:
    TExtStringGrid* FStringGrid;
};

// ... of a column grid: check-box columns by their editor kind, holding their values as text.
class TColumnGridRows : public TGridRows {
public:
    explicit TColumnGridRows(TExtColumnGrid* Grid);
    bool IsCheckBoxColumn(int Col) const override;
    TExtColumnGrid* Grid() const { return FGrid; }

private:
    TExtColumnGrid* FGrid;
};

// ... of a string grid with real check boxes and read-only marks.
class TStringGridRows : public TGridRows {
public:
    using TGridRows::TGridRows;
    bool GetCheckBoxState(int Col, int Row, bool& State) const override;
    void SetCheckBoxState(int Col, int Row, bool State) override;
    bool CellReadOnly(int Col, int Row) const override;
    void SetCellReadOnly(int Col, int Row, bool ReadOnly) override;
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
    TPanel* P_Fields = nullptr;             // only with fields
    TPanel* P_Button;
    // The standard buttons always exist; those the description does not list are hidden.
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_DelRow;
    TLbButton* Btn_InsRow;
    TLbButton* Btn_CopyRow;
    TLbButton* Btn_PasteRow;
    TPageControl* Page_Control = nullptr;   // only with two tables or more
    TXMLDocument XML1;

    // The button of a description entry (standard or extra), by its index there.
    TLbButton* Button(int Index) const { return FButtons.at(size_t(Index)); }

    // ---- the fields, in the order of the description ----
    int Field_Count() const { return int(FFields.size()); }
    TControl* Field_Control(int Field) const { return FFields.at(size_t(Field)); }
    // A field's value as the file holds it (a check box: Check_On or Check_Off; a list
    // stored by index: the index), and setting it.
    String Field_Value(int Field) const;
    void Set_Field_Value(int Field, const String& Value);

    // ---- the tables, in the order of the description ----
    int Table_Count() const { return int(FTables.size()); }
    // The column grid of a table (nullptr for a table on a string grid) ...
    TExtColumnGrid* Grid(int Table) const { return FTables.at(size_t(Table)).Column_Grid; }
    // ... and the grid of either kind.
    TExtStringGrid* Table_Grid(int Table) const { return FTables.at(size_t(Table)).Grid; }
    TTabSheet* Page(int Table) const { return FTables.at(size_t(Table)).Page; }
    // Entry i is the hint of column i + 1.
    TStringList* Hint_List(int Table) const { return FTables.at(size_t(Table)).Hint.get(); }
    // True while the row clipboard holds a row copied from this table in this showing.
    bool Copy_Mark(int Table) const { return FTables.at(size_t(Table)).Do_Copy; }
    // The table the row buttons act on: the one on the active page.
    int Active_Table() const;
    // The grid of a table as the row helpers and the file routines see it.
    TRowGridAccess& Rows(int Table) { return *FTables.at(size_t(Table)).Rows; }
    // The tables, fields and context as the file routines and checks see them (the
    // fields as their controls hold them).
    TEditorData& Data();
    // What this showing read (Read_Context).
    const TEditorContext& Context() const { return FData.Context; }

    // ---- handlers ----
    // Applies the text block: caption, description, buttons and their hints, page
    // captions, column headers, hint lists, the fields' labels and hints.
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
    // Checks the tables; on the first failure shows its error box, shows the table and
    // selects the row (table checks) or focuses the field, and returns false.
    bool Controllo_dati();
    void Btn_OKClick(TObject* Sender);

    // Sets the data rows of a table (the grid gets Rows + 1 rows with the header).
    void Set_Data_Rows(int Table, int Rows);

protected:
    // A showing's preparation before the tables are reset (rows and columns shown); the
    // context is read.
    virtual void Before_Reset() {}
    // ... and after the reset, before the file is loaded (limits, messages).
    virtual void Prepare() {}
    // The context of the showing, for Before_Reset to add what the window itself holds.
    TEditorContext& Showing_Context() { return FData.Context; }
    // ... and at the end of a showing, once the file was read (or its reading failed).
    virtual void After_Load() {}
    // Delete, Insert or Paste Row changed the rows of a table.
    virtual void Rows_Changed(int Table) {}
    // A table's description, for an editor whose key column depends on the showing
    // (Before_Reset may change it; the checks and the file read it afterwards).
    TTableDesc& Showing_Table(int Table) { return FDesc.Tables.at(size_t(Table)); }

private:
    struct TTable {
        TExtStringGrid* Grid = nullptr;
        TExtColumnGrid* Column_Grid = nullptr;
        TTabSheet* Page = nullptr;
        std::unique_ptr<TStringList> Hint;
        std::unique_ptr<TGridRows> Rows;
        std::vector<std::vector<String>> Items;   // a string grid's list items of the showing, by column
        bool Do_Copy = false;
    };
    void Make_Buttons();
    void Make_Fields();
    // The table's hint list from its columns' hints (by shown column where it says so).
    void Fill_Hint_List(int Table);
    TExtStringGrid* Make_Grid(int Table, TWinControl* Parent);
    void Prepare_Grid(int Table);
    void Fill_Field_Lists();
    void Fields_From_Data();
    int Table_Of(TObject* Sender) const;
    void Show_Failure(const TCheckFailure& Failure);

    TEditorDesc FDesc;
    std::vector<TTable> FTables;
    std::vector<TLbButton*> FButtons;
    std::vector<TControl*> FFields;
    std::vector<TLabel*> FField_Labels;
    TEditorData FData;
};
