#pragma once
// The variables the converter's own OPC UA server offers: each row gives a variable a
// type, a place and length in the internal data array, a name, an access and a
// description. A plain string grid with real check boxes; fixed-size types fix their
// length, which then cannot be edited. Stored in OPC_UA_Server.xml.
#include "editors/frame/UTableEditor.h"

namespace OPC_UA_Server {

constexpr int Text_Base = 5800;
constexpr int Rows = 250;
constexpr int Max_Position = 1999;
enum TCol { Col_N, Col_Enable, Col_Type, Col_Position, Col_Length, Col_Name, Col_RW, Col_Mnemonic, Col_Count };

TEditorDesc Server_Access_Desc();

}  // namespace OPC_UA_Server

class TFOPC_UA_Server_Access : public TFTableEditor {
public:
    explicit TFOPC_UA_Server_Access(TComponent* AOwner);

    TExtStringGrid* ASG;
    TStringList VarType;   // the types offered in column 2
    TStringList RWType;    // the accesses offered in column 6

    bool Do_Copy() const { return Copy_Mark(0); }

    // The length rule of a row for a type: fixed-size types set their length and lock it,
    // strings propose 10 and leave it open; an empty access becomes "Read/Write".
    void VarSetLength(int Row, const String& Type);
    void Btn_DelRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);

protected:
    void Before_Reset() override;
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;

// Plugs the window in at its place among the program's windows.
void Plug_OPC_UA_Server_Access_Window();
