#pragma once
// The TLS server certificates the converter treats as known: ten rows of a string grid
// with real check boxes, kept in TLS_Known_Cert.xml.
#include "editors/frame/UTableEditor.h"
#include "editors/network/iec61850/UTLS_Server_Known_Cert_Desc.h"

class TFTLS_Server_Known_Cert : public TFTableEditor {
public:
    explicit TFTLS_Server_Known_Cert(TComponent* AOwner);

    TExtStringGrid* ASG;
    TStringList* Hint_List;

    bool Do_Copy() const { return Copy_Mark(0); }

protected:
    // Row heights, column colours and the centred boxes, as the window was created.
    void Init_Table();
    void Prepare() override;
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;

// Plugs the window in at its place among the program's windows.
void Plug_TLS_Server_Known_Cert_Window();
