// The KNX access editor on the table editor frame.
#include "editors/fieldbus/UKNXAccess.h"

#include "grid/columns/ExtColumnGrid.h"
#include "shell/UFormTable.h"

TFKNXAccess* FKNXAccess = nullptr;

TFKNXAccess::TFKNXAccess(TComponent* AOwner) : TFTableEditor(AOwner, KNX_Access_Desc(Max_Num_Byte, FDecimal_Sep))
{
    ACG_KNX_in_Write = Grid(0);
    Hint = Hint_List(0);
}

void TFKNXAccess::Prepare()
{
    Max_Num_Byte = KNX::Data_Size;
    // The positions "0" .. the last byte of the data area.
    TStringList* Items = ACG_KNX_in_Write->Columns()->Items(KNX::Col_Position)->ComboItems();
    Items->Clear();
    for (int i = 0; i < Max_Num_Byte; ++i) Items->Add(IntToStr(i));
}

void Plug_KNX_Access_Window()
{
    Plug_Window("TFKNXAccess", FKNXAccess);
}
