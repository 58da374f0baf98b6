// The S7 access editor on the table editor engine.
#include "editors/network/US7_Protocol_Set_Access.h"

#include "shell/UFormTable.h"

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent* AOwner)
    : TFTableEditor(AOwner, S7_Protocol_Set_Access_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_S7_Read = Page(S7::Read);
    TS_S7_Write = Page(S7::Write);
    TS_S7_Read->SetName("TS_S7_Read");
    TS_S7_Write->SetName("TS_S7_Write");
    ACG_S7_Read = Grid(S7::Read);
    ACG_S7_Write = Grid(S7::Write);
    Hint_S7_Set_Access_Read = Hint_List(S7::Read);
    Hint_S7_Set_Access_Write = Hint_List(S7::Write);
}

// Every showing opens on the read page.
void TFS7_Protocol_Set_Access::Before_Reset()
{
    PageControl1->SetActivePage(TS_S7_Read);
    NByte_IN = int(Context().Number(S7::NByte_IN_Name));
    NByte_OUT = int(Context().Number(S7::NByte_OUT_Name));
}

void Plug_S7_Protocol_Set_Access_Window()
{
    Plug_Window("TFS7_Protocol_Set_Access", FS7_Protocol_Set_Access);
}
