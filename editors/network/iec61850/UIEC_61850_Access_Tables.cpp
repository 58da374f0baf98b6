// The IEC 61850 client editor's tables: the variable table with its byte counts and
// validation, the data-set table and the member table of the data set shown.
#include "editors/network/iec61850/UIEC_61850_Access.h"

#include "grid/columns/ExtColumnGrid.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

using namespace IEC_Client;

namespace {

// Start byte and byte count of a basic type of fixed size ("" for a type whose part the
// user gives: texts, octet strings, anything unknown).
const char* Fixed_Bytes(const String& bType)
{
    const String t = UpperCase(bType);
    if (t == "FLOAT32" || t == "INT32U" || t == "INT32" || t == "QUALITY") return "4";
    if (t == "FLOAT64" || t == "INT64") return "8";
    if (t == "INT8U" || t == "INT8" || t == "BOOLEAN" || t == "TIMESTAMP" || t == "ENUM") return "1";
    if (t == "INT16U" || t == "INT16") return "2";
    return "";
}

// Reuses the only row while it has no Index, else appends one; the row's number.
int Next_Row(TExtColumnGrid* G)
{
    if (G->RowCount() == 2 && G->GetCellEx(1, 1).empty()) return 1;
    G->SetRowCount(G->RowCount() + 1);
    return G->RowCount() - 1;
}

// Row r goes: the rows below move up (every column but 0), the last row goes, and column
// 0 is numbered again.
void Close_Up(TExtColumnGrid* G, int Row, int Cols)
{
    for (int r = Row; r + 1 < G->RowCount(); ++r)
        for (int c = 1; c < Cols; ++c) G->SetCellEx(c, r, G->GetCellEx(c, r + 1));
    G->SetRowCount(G->RowCount() - 1);
    for (int r = 1; r < G->RowCount(); ++r) G->SetCellEx(0, r, IntToStr(r));
}

}  // namespace

// ---------------------------------------------------------------------------------
// Add Var and Remove Var
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::Btn_AddVarClick(TObject*)
{
    if (Selected_IEC_DA)
        Add_Var_Row(Selected_IEC_DA);
    else if (Selected_IEC_DS)
        Add_DataSet_Row(Selected_IEC_DS);
}

void TFIEC_61850_Access::Btn_RemoveVarClick(TObject*)
{
    if (PC_DA_DataSet->ActivePage() == TS_DA)
        Remove_Var_Row();
    else
        Remove_DataSet_Row();
}

void TFIEC_61850_Access::Add_Var_Row(TIEC_DA* DA)
{
    PC_DA_DataSet->SetActivePage(TS_DA);
    const int r = Next_Row(ACG_DA);
    for (int c = 0; c < DA_Col_Count; ++c) ACG_DA->SetCellEx(c, r, "");
    ACG_DA->SetCellEx(DA_Number, r, IntToStr(r));
    ACG_DA->SetCellEx(DA_Index, r, IntToStr(LB_IEC_Devices->ItemIndex()));
    ACG_DA->SetCellEx(DA_bType, r, DA->fbType);
    ACG_DA->SetCellEx(DA_fc, r, DA->fFC);
    ACG_DA->SetCellEx(DA_Reference, r, DA->fReference);
    for (int c : {DA_OnChange, DA_OnCMD, DA_OnTimer}) ACG_DA->SetCellEx(c, r, "N");
    Set_Start_Num_Byte();
}

void TFIEC_61850_Access::Remove_Var_Row()
{
    const int r = ACG_DA->Row();
    if (r < 1 || r >= ACG_DA->RowCount()) return;
    if (ACG_DA->RowCount() == 2) {
        for (int c = 1; c < DA_Col_Count; ++c) ACG_DA->SetCellEx(c, 1, "");
    } else {
        Close_Up(ACG_DA, r, DA_Col_Count);
    }
    Set_Start_Num_Byte();
}

void TFIEC_61850_Access::Set_Start_Num_Byte()
{
    for (int r = 1; r < ACG_DA->RowCount(); ++r) {
        const String Bytes = Fixed_Bytes(ACG_DA->GetCellEx(DA_bType, r));
        const bool Fixed = !Bytes.empty();
        if (Fixed) {
            ACG_DA->SetCellEx(DA_StartByte, r, "0");
            ACG_DA->SetCellEx(DA_NumByte, r, Bytes);
        }
        ACG_DA->SetReadOnly(DA_StartByte, r, Fixed);
        ACG_DA->SetReadOnly(DA_NumByte, r, Fixed);
    }
}

// ---------------------------------------------------------------------------------
// Validation of the variable table
// ---------------------------------------------------------------------------------
bool TFIEC_61850_Access::Controllo_dati()
{
    char Sep = ',';
    try {
        Sep = Get_Decimal_Separator();
    } catch (const std::exception&) {
        Sep = ',';
    }
    auto Cell = [this](int c, int r) { return ACG_DA->GetCellEx(c, r); };
    auto Int = [&](int c, int r) { return StrToIntDef(Cell(c, r), -1); };
    for (int r = 1; r < ACG_DA->RowCount(); ++r) {
        const String bType = UpperCase(Cell(DA_bType, r));
        if (bType.empty()) continue;
        int Message = 0;
        String Limit;
        const long long Start = Int(DA_StartByte, r), Count = Int(DA_NumByte, r);
        if (bType == "VISSTRING255") {
            if (Start < 0 || Start > 254) Message = 4962;
            else if (Count < 1 || Count > 255) Message = 4963;
            else if (Start + Count > 255) Message = 4964;
        } else if (bType == "OCTET64") {
            if (Start < 0 || Start > 63) Message = 4965;
            else if (Count < 1 || Count > 64) Message = 4966;
            else if (Start + Count > 64) Message = 4967;
        }
        String P1, P2, P3, P4;
        float Factor;
        if (Message == 0 && !Split_IP_Address(Cell(DA_IPAddress, r), P1, P2, P3, P4)) Message = 4953;
        if (Message == 0 && (Int(DA_Port, r) < 0 || Int(DA_Port, r) > 65535)) Message = 4954;
        if (Message == 0 && Trim(Cell(DA_OnTimer, r)) == "Y" && (Int(DA_Time, r) < 1 || Int(DA_Time, r) > 100000000))
            Message = 4955;
        if (Message == 0 && (Int(DA_Position, r) < 0 || Int(DA_Position, r) > Max_Position)) {
            Message = 4956;
            Limit = IntToStr(Max_Position);
        }
        if (Message == 0 && UpperCase(Trim(Cell(DA_MoltFact, r))) != "NONE" &&
            !Str_To_Float_Sep(Cell(DA_MoltFact, r), Sep, Factor))
            Message = 4957;
        if (Message != 0) {
            MessageDlg(Lang_Text(4952) + IntToStr(r) + Lang_Text(Message) + Limit, mtError, TMsgDlgButtons{mbOK}, 0);
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------
// Data sets
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::Add_DataSet_Row(TIEC_DataSet* DS)
{
    PC_DA_DataSet->SetActivePage(TS_DataSet);
    const int r = Next_Row(ACG_DataSet);
    for (int c = 0; c < DS_Col_Count; ++c) ACG_DataSet->SetCellEx(c, r, "");
    ACG_DataSet->SetCellEx(DS_Number, r, IntToStr(r));
    ACG_DataSet->SetCellEx(DS_Index, r, IntToStr(LB_IEC_Devices->ItemIndex()));
    ACG_DataSet->SetCellEx(DS_Reference, r, DS->fReference);
    ACG_DataSet->SetCellEx(DS_GooseName, r, DS->fGooseName);
    ACG_DataSet->SetCellEx(DS_EnGoose, r, DS->fGooseName.empty() ? "N" : "Y");
    auto Record = std::make_unique<TDataSet>();
    Record->Select_DataSet = DS;
    for (TIEC_DA* m : DS->List_DA) {
        auto Member = std::make_unique<TDataSet_DA>();
        Member->Select_DA = m;
        Record->List_DAs.push_back(std::move(Member));
    }
    List_DataSet.push_back(std::move(Record));
    // The row reused may be the one the member table shows: it shows the new members.
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::Remove_DataSet_Row()
{
    const int r = ACG_DataSet->Row();
    if (r >= 1 && size_t(r) <= List_DataSet.size()) List_DataSet.erase(List_DataSet.begin() + (r - 1));
    if (!List_DataSet.empty()) {
        if (r >= 1 && r < ACG_DataSet->RowCount() && ACG_DataSet->RowCount() > 2) Close_Up(ACG_DataSet, r, DS_Col_Count);
    } else {
        for (int c = 1; c < DS_Col_Count; ++c) ACG_DataSet->SetCellEx(c, 1, "");
    }
    // The rows moved: the member table follows the current row again.
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::Show_DataSet_DAs()
{
    Show_DataSet_DAs(ACG_DataSet->Row());
}

void TFIEC_61850_Access::Show_DataSet_DAs(int Row)
{
    ACG_DS_Vars->BeginUpdate();
    if (Row < 1 || size_t(Row) > List_DataSet.size() || List_DataSet[size_t(Row) - 1]->List_DAs.empty()) {
        ACG_DS_Vars->SetRowCount(2);
        for (int c = 0; c < M_Col_Count; ++c) ACG_DS_Vars->SetCellEx(c, 1, "");
        FShown_DataSet_Row = Row >= 1 && size_t(Row) <= List_DataSet.size() ? Row : 0;
    } else {
        const TDataSet& Record = *List_DataSet[size_t(Row) - 1];
        ACG_DS_Vars->SetRowCount(int(Record.List_DAs.size()) + 1);
        for (size_t i = 0; i < Record.List_DAs.size(); ++i) {
            const TDataSet_DA& m = *Record.List_DAs[i];
            const int r = int(i) + 1;
            ACG_DS_Vars->SetCellEx(M_Number, r, IntToStr(r));
            ACG_DS_Vars->SetCellEx(M_bType, r, m.Select_DA ? m.Select_DA->fbType : String());
            ACG_DS_Vars->SetCellEx(M_Reference, r, m.Select_DA ? m.Select_DA->fReference : String());
            ACG_DS_Vars->SetCellEx(M_Position, r, m.Position);
            ACG_DS_Vars->SetCellEx(M_StartBit, r, m.bitAddress);
            ACG_DS_Vars->SetCellEx(M_Convertion, r, m.conversion);
            ACG_DS_Vars->SetCellEx(M_MultFact, r, m.multFactor);
            ACG_DS_Vars->SetCellEx(M_Mnemonic, r, m.Mnemonic);
        }
        FShown_DataSet_Row = Row;
    }
    ACG_DS_Vars->EndUpdate();
}

void TFIEC_61850_Access::ACG_DS_VarsSelectCell(TObject*, int, int, bool&)
{
    // The edits go to the data set whose members are shown.
    DataSet_Row_Select = FShown_DataSet_Row;
}

void TFIEC_61850_Access::ACG_DS_VarsEditCellDone(TObject*, int ACol, int ARow)
{
    if (DataSet_Row_Select < 1 || size_t(DataSet_Row_Select) > List_DataSet.size()) return;
    TDataSet& Record = *List_DataSet[size_t(DataSet_Row_Select) - 1];
    if (ARow < 1 || size_t(ARow) > Record.List_DAs.size()) return;
    TDataSet_DA& m = *Record.List_DAs[size_t(ARow) - 1];
    const String Text = ACG_DS_Vars->GetCellEx(ACol, ARow);
    switch (ACol) {
    case M_Position: m.Position = Text; break;
    case M_StartBit: m.bitAddress = Text; break;
    case M_Convertion: m.conversion = Text; break;
    case M_MultFact: m.multFactor = Text; break;
    case M_Mnemonic: m.Mnemonic = Text; break;
    default: break;
    }
}
