// The SNMP agent variables editor on the table editor engine.
#include "editors/network/USNMP_Trap_Access.h"

#include "grid/columns/ExtColumnGrid.h"
#include "shell/UFormTable.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner) : TFTableEditor(AOwner, SNMP_Trap_Access_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_SNMP_Read = Page(SNMP_Trap::Read);
    TS_SNMP_Write = Page(SNMP_Trap::Write);
    TS_SNMP_Read->SetName("TS_SNMP_Read");
    TS_SNMP_Write->SetName("TS_SNMP_Write");
    ACG_SNMP_Read = Grid(SNMP_Trap::Read);
    ACG_SNMP_Write = Grid(SNMP_Trap::Write);
    Hint_SNMP_Read = Hint_List(SNMP_Trap::Read);
    Hint_SNMP_Write = Hint_List(SNMP_Trap::Write);
    // The numbers follow every change that adds or takes away a variable: an Enable
    // click, a community name typed or picked.
    for (TExtColumnGrid* g : {ACG_SNMP_Read, ACG_SNMP_Write}) {
        g->OnCheckBoxClick = [this](TObject* s, int c, int r, bool v) { ACG_SNMP_ReadCheckBoxClick(s, c, r, v); };
        g->OnEditCellDone = [this, g](TObject*, int, int) { Index_Row_Build(g); };
        g->OnComboChange = [this, g](TObject*, int, int, int, const String&) { Index_Row_Build(g); };
    }
}

void TFSNMP_Trap_Access::Before_Reset()
{
    NByte_IN = int(Context().Number(SNMP_Trap::NByte_IN_Name));
    NByte_OUT = int(Context().Number(SNMP_Trap::NByte_OUT_Name));
}

void TFSNMP_Trap_Access::After_Load()
{
    Index_Row_Build(ACG_SNMP_Read);
    Index_Row_Build(ACG_SNMP_Write);
}

void TFSNMP_Trap_Access::Rows_Changed(int Table) { Index_Row_Build(Grid(Table)); }

void TFSNMP_Trap_Access::Index_Row_Build(TExtColumnGrid* G)
{
    const int t = G == ACG_SNMP_Write ? SNMP_Trap::Write : SNMP_Trap::Read;
    const TTableDesc& d = Desc().Tables[size_t(t)];
    TRowGridAccess& g = Rows(t);
    int Counter = 1;
    for (int r = 1; r < g.RowCount(); ++r) {
        if (!Key_Empty(d, g, r) && Row_Enabled(d, g, r))
            g.SetCellEx(0, r, IntToStr(Counter++));
        else
            g.SetCellEx(0, r, "");
    }
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int, bool)
{
    auto* G = dynamic_cast<TExtColumnGrid*>(Sender);
    if (G && G->RealColIndex(ACol) == 1) Index_Row_Build(G);
}

void Plug_SNMP_Trap_Access_Window()
{
    Plug_Window("TFSNMP_Trap_Access", FSNMP_Trap_Access);
}
