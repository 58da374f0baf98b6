#include "tests/mbus/scan_grids.h"

#include "grid/columns/ExtColumnGrid.h"
#include "grid/core/ExtGrid.h"
#include "mbus/scan/UScanDialogs.h"

TControl* Wireless_Table(TFScanDecode* W) { return W->ASG_Wireless; }
int Wireless_Table_Rows(TFScanDecode* W) { return W->ASG_Wireless->RowCount(); }
String Wireless_Table_Cell(TFScanDecode* W, int Col, int Row) { return W->ASG_Wireless->GetCellEx(Col, Row); }
TRect Wireless_Table_Cell_Rect(TFScanDecode* W, int Col, int Row) { return W->ASG_Wireless->CellRect(Col, Row); }
TColor Wireless_Table_Colour(TFScanDecode* W, int Col, int Row) { return W->ASG_Wireless->GetColors(Col, Row); }

int Wireless_Table_Image(TFScanDecode* W, int Col, int Row)
{
    int idx = -1;
    return W->ASG_Wireless->GetImageIdx(Col, Row, idx) ? idx : -1;
}

int Start_Registers_Rows() { return FModbusStartAdd_SD->sga->RowCount(); }
void Set_Start_Registers_Rows(int Rows) { FModbusStartAdd_SD->sga->SetRowCount(Rows); }
String Start_Registers_Cell(int Col, int Row) { return FModbusStartAdd_SD->sga->GetCellEx(Col, Row); }
void Set_Start_Registers_Cell(int Col, int Row, const String& Text)
{
    FModbusStartAdd_SD->sga->SetCellEx(Col, Row, Text);
}
