#pragma once
// The BACnet client access editor: the requests a converter working as BACnet client
// reads from and writes to other BACnet devices, and where each value is placed. Rows
// can be filled from another device's EDE object list.
#include "editors/frame/UTableEditor.h"
#include "platform/gui/Dialogs.h"

class TBACnet_Var;

namespace BACnetClient {
constexpr int Rows = 512;
constexpr int Btn_Import = 4;     // the Import EDE button's place in the description
// The EDE code maps: object kind, written data type and byte count of an object type.
String Get_ObjType_EDE(int val);
String Get_DataType_EDE(int val);
int Get_NumByte_EDE(int val);
// Places the chosen objects (import and read: a read row; import and write: a write row)
// below the table's rows, each at the position after the highest Position + NByte; the
// rows that do not fit are left out. Returns the rows placed in each table.
std::pair<int, int> Place_EDE_Vars(TRowGridAccess& Read, TRowGridAccess& Write, int App_BACnet_Type,
                                   const String& Address, const std::vector<const TBACnet_Var*>& Vars);
}  // namespace BACnetClient

TEditorDesc BACnetAccess_Desc();

class TFBACnetAccess : public TFTableEditor {
public:
    explicit TFBACnetAccess(TComponent* AOwner);

    TExtColumnGrid* ACG1;
    TExtColumnGrid* ACG2;
    TLbButton* Btn_Import_CSV;
    TOpenDialog* OD_EDE_File;
    int App_BACnet_Type = 0;

    String Str_Hint_Read(int ARow, int ACol);
    String Str_Hint_Write(int ARow, int ACol) { return {}; }
    void Btn_Import_CSVClick(TObject* Sender);
    void Set_Lang() override;

protected:
    void Before_Reset() override;
};

extern TFBACnetAccess* FBACnetAccess;
