// Legacy .xls workbooks, read only.
#include <freexl.h>

#include "platform/office/Workbook.h"

namespace Office {

TWorkbook ReadXls(const std::string& FileName)
{
    const void* h = nullptr;
    // The handle must be closed even when opening failed.
    struct TCloser {
        const void*& H;
        ~TCloser() { if (H) freexl_close(H); }
    } closer{h};
    if (freexl_open(FileName.c_str(), &h) != FREEXL_OK) throw EOfficeError("Cannot read " + FileName + ": no .xls workbook");
    unsigned int count = 0;
    if (freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        throw EOfficeError("Cannot read " + FileName + ": the workbook has no sheets");
    TWorkbook book;
    book.FileName = FileName;
    long long cells = 0;
    for (unsigned int i = 0; i < count && i < 0x10000; ++i) {
        const auto index = static_cast<unsigned short>(i);
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_get_worksheet_name(h, index, &name) != FREEXL_OK || freexl_select_active_worksheet(h, index) != FREEXL_OK ||
            freexl_worksheet_dimensions(h, &rows, &cols) != FREEXL_OK)
            throw EOfficeError("Cannot read " + FileName + ": a damaged sheet");
        TSheet sheet;
        sheet.Name = name ? name : "";
        for (unsigned int r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(h, r, c, &v) != FREEXL_OK) throw EOfficeError("Cannot read " + FileName + ": a damaged cell");
                TCellValue cell;
                switch (v.type) {
                case FREEXL_CELL_INT: cell = TCellValue::OfNumber(v.value.int_value); break;
                case FREEXL_CELL_DOUBLE: cell = TCellValue::OfNumber(v.value.double_value); break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: cell = TCellValue::OfText(v.value.text_value ? v.value.text_value : ""); break;
                default: continue;
                }
                if (++cells > MaxWorkbookCells) throw EOfficeError("Cannot read " + FileName + ": too many cells");
                sheet.Cells[{static_cast<int>(r) + 1, c + 1}] = std::move(cell);
            }
        book.Sheets.push_back(std::move(sheet));
    }
    return book;
}

}  // namespace Office
