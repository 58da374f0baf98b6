#pragma once
// The scan window's grids as a test reads and fills them: the table of wireless meters and
// the per-meter start registers. Kept apart from the trees' headers: the grid's and the
// tree's check-type names clash.
#include "mbus/scan/UScanDecode.h"

TControl* Wireless_Table(TFScanDecode* W);
int Wireless_Table_Rows(TFScanDecode* W);
String Wireless_Table_Cell(TFScanDecode* W, int Col, int Row);
// The cell's rectangle in the table's client area.
TRect Wireless_Table_Cell_Rect(TFScanDecode* W, int Col, int Row);
TColor Wireless_Table_Colour(TFScanDecode* W, int Col, int Row);
// The image shown in the cell; -1 when none.
int Wireless_Table_Image(TFScanDecode* W, int Col, int Row);

// The per-meter dialog's grid (row 0 its header).
int Start_Registers_Rows();
void Set_Start_Registers_Rows(int Rows);
String Start_Registers_Cell(int Col, int Row);
void Set_Start_Registers_Cell(int Col, int Row, const String& Text);
