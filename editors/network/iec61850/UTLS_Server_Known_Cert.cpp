// The known TLS certificates editor on the table editor engine.
#include "editors/network/iec61850/UTLS_Server_Known_Cert.h"

#include "grid/core/ExtGrid.h"
#include "shell/UFormTable.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

namespace {

constexpr TColor Enable_Color = TColor(0x00B0D8FF);        // red 255, green 216, blue 176
constexpr TColor Certificate_Color = TColor(0x00FEFAE0);   // red 224, green 250, blue 254
constexpr TColor Mnemonic_Color = TColor(0x00FFFFFF);

}  // namespace

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner)
    : TFTableEditor(AOwner, TLS_Server_Known_Cert_Desc())
{
    ASG = Table_Grid(0);
    Hint_List = TFTableEditor::Hint_List(0);
    Init_Table();
}

void TFTLS_Server_Known_Cert::Init_Table()
{
    using namespace TLS_Known_Cert;
    ASG->SetRowHeights(0, 22);
    for (int r = 1; r <= TLS_Known_Cert::Rows; ++r) {
        ASG->SetRowHeights(r, Row_Height);
        ASG->GetCellProperties(Col_Enable, r)->SetBrushColor(Enable_Color);
        ASG->GetCellProperties(Col_Enable, r)->Alignment = taCenter;
        ASG->GetCellProperties(Col_Certificate, r)->SetBrushColor(Certificate_Color);
        ASG->GetCellProperties(Col_Mnemonic, r)->SetBrushColor(Mnemonic_Color);
    }
}

void TFTLS_Server_Known_Cert::Prepare()
{
    // Delete Row leaves the emptied last row read-only; a new showing starts with every
    // row editable again, so a row can never stay locked across showings.
    for (int r = 1; r < ASG->RowCount(); ++r)
        for (int c = 1; c < TLS_Known_Cert::Col_Count; ++c) Rows(0).SetCellReadOnly(c, r, false);
}

void Plug_TLS_Server_Known_Cert_Window()
{
    Plug_Window("TFTLS_Server_Known_Cert", FTLS_Server_Known_Cert);
}
