// The checks of the M-Bus network's nodes, addresses, variables and registers.
#include "mbus/network/MBusChecks.h"

#include "shell/ULanguage.h"

namespace {

bool Refuse(TMBusMessages& Out, int Number)
{
    Out.push_back({{Number}, Lang_Text(Number)});
    return false;
}

bool In(long long V, long long Lo, long long Hi) { return V >= Lo && V <= Hi; }

// A node's register hit: first text, the node's description, second text.
void Node_Hit(TMBusMessages& Out, int First, const TNodo& N)
{
    Out.push_back({{First, First + 1}, Lang_Text(First) + N.Description + Lang_Text(First + 1)});
}

// A variable's: first text, node, middle text, variable, last text.
void Var_Hit(TMBusMessages& Out, int First, const TNodo& N, const TVariabile& V)
{
    Out.push_back({{First, First + 1, First + 2},
                   Lang_Text(First) + N.Description + Lang_Text(First + 1) + V.Description + Lang_Text(First + 2)});
}

// The manufacturer-specific data checks; Msd_Reg is set to the register when it passed.
bool Check_MSD(const TNodePage& P, int32_t NS, int32_t IN, int32_t& Msd_Reg, TMBusMessages& Out)
{
    Msd_Reg = -1;
    if (!P.Enable_MS) return true;
    const int32_t r = Box_Int(P.Manufacturer_Spec);
    if (!In(r, 0, 1536)) return Refuse(Out, 1880);
    if (r > 0 && IN > 0 && r == IN) return Refuse(Out, 1881);
    if (r > 0 && NS > 0 && r == NS) return Refuse(Out, 1882);
    Msd_Reg = r;
    if (r > 0) {
        const int32_t len = Box_Int(P.MSD_Length), off = Box_Int(P.MSD_Offset);
        if (!In(len, 1, 241)) return Refuse(Out, 1883);
        if (!In(off, 0, 240)) return Refuse(Out, 1884);
        if (len + off > 241) return Refuse(Out, 1885);
    }
    return true;
}

bool Check_Wireless(const TNodePage& P, TMBusMessages& Out)
{
    if (!In(Box_Int(P.wMBus_ManID), 0, 0xFFFF)) return Refuse(Out, 1845);
    if (!In(Box_Int64(P.wMBus_Add), 0, 0xFFFFFFFFLL)) return Refuse(Out, 1846);
    if (!In(Box_Int(P.wMBus_Ver), 0, 255)) return Refuse(Out, 1847);
    if (!In(Box_Int(P.wMBus_DevType), 0, 255)) return Refuse(Out, 1848);
    if (P.wMBus_En_Key)
        for (int k = 0; k < 16; ++k)
            if (!In(Box_Int(P.wMBus_Key[k]), 0, 255)) return Refuse(Out, 1849 + k);
    const int32_t ns = Box_Int(P.W_Node_State), in = Box_Int(P.W_Ident_Num), rssi = Box_Int(P.W_RSSI),
                  an = Box_Int(P.W_Access_Number);
    if (!In(ns, 0, 59999)) return Refuse(Out, 1865);
    if (!In(in, 0, 59999)) return Refuse(Out, 1866);
    if (!In(rssi, 0, 59999)) return Refuse(Out, 1867);
    if (!In(an, 0, 59999)) return Refuse(Out, 1868);
    const struct {
        int32_t a, b;
        int text;
    } pairs[] = {{ns, in, 1869}, {rssi, in, 1870}, {an, in, 1871}, {rssi, ns, 1872}, {an, ns, 1873}, {an, rssi, 1874}};
    for (const auto& p : pairs)
        if (p.a > 0 && p.b > 0 && p.a == p.b) return Refuse(Out, p.text);
    int32_t msd;
    return Check_MSD(P, ns, in, msd, Out);
}

bool Check_Wired(const TNodePage& P, const TNodiList& Nodi, TMBusSelection Sel, TMBusMessages& Out)
{
    int32_t id;
    if (P.Primary_Chosen) {
        id = Box_Int(P.Node_Pri);
        if (!In(id, 0, 255)) return Refuse(Out, 1875);
    } else {
        id = Box_Int(P.Node_Sec);
        if (!In(id, 0, 99999999)) return Refuse(Out, 1876);
    }
    // A clash refuses the node; what follows is still checked and reported.
    const bool unique = Check_Node_ID(Nodi, Sel, id, P.Primary_Chosen ? 0 : 1, Out);
    const int32_t ns = P.Enable_NS ? Box_Int(P.Node_State) : -1;
    if (P.Enable_NS && !In(ns, 0, 1536)) return Refuse(Out, 1877);
    const int32_t in = P.Enable_IN ? Box_Int(P.Ident_Num) : -1;
    if (P.Enable_IN && !In(in, 0, 1536)) return Refuse(Out, 1878);
    if (ns > 0 && in > 0 && ns == in) return Refuse(Out, 1879);
    int32_t msd;
    if (!Check_MSD(P, ns, in, msd, Out)) return false;
    if (P.Enable_AN) {
        const int32_t an = Box_Int(P.Access_Number);
        if (!In(an, 0, 1536)) return Refuse(Out, 1886);
        if (an > 0) {
            if (in > 0 && an == in) return Refuse(Out, 1887);
            if (ns > 0 && an == ns) return Refuse(Out, 1888);
            if (msd > 0 && an == msd) return Refuse(Out, 1889);
        }
    }
    return unique;
}

}   // namespace

int32_t Box_Int(const String& Text) { return StrToIntDef(Text, -1); }
int64_t Box_Int64(const String& Text) { return StrToInt64Def(Text, -1); }

bool Controllo_Dati_New_Nodo(const TNodePage& Page, const TNodiList& Nodi, TMBusSelection Sel, TMBusMessages& Messages)
{
    return Page.MBus_Type == 0 ? Check_Wireless(Page, Messages) : Check_Wired(Page, Nodi, Sel, Messages);
}

bool Check_Node_ID(const TNodiList& Nodi, TMBusSelection Sel, int32_t ID, int type_ID, TMBusMessages& Messages)
{
    for (int i = 0; i < int(Nodi.size()); ++i) {
        const TNodo& n = *Nodi[i];
        const int32_t address = type_ID != 0 ? n.Node_Sec : n.Node_Pri;
        const bool same = n.Node_ID_Type == type_ID && address == ID;
        if (i != Sel.IND_NODO) {
            if (!n.Is_Wireless() && same) return Refuse(Messages, 1892);
        } else if (Sel.IND_VAR != -1 && same) {
            // With a variable selected the store adds a new node: the selected variable's
            // node is another node then, of whatever kind.
            return Refuse(Messages, 1891);
        }
    }
    return true;
}

bool Check_Node_ID2(const TNodiList& Nodi, int32_t ID, int type_ID, TMBusMessages& Messages)
{
    for (const auto& pn : Nodi) {
        const TNodo& n = *pn;
        if (n.Node_ID_Type == type_ID && (type_ID != 0 ? n.Node_Sec : n.Node_Pri) == ID) return Refuse(Messages, 1890);
    }
    return true;
}

bool Controllo_Dati_New_Var(const TVariablePage& Page, const TNodiList& Nodi, TMBusSelection Sel, bool newvar,
                            TMBusMessages& Messages)
{
    const int32_t reg = Box_Int(Page.PositionData);
    if (!In(reg, 1, 1536)) return Refuse(Messages, 1835);
    if (!In(Box_Int64(Page.Storage_Number), 0, 0xFFFFFFFFLL)) return Refuse(Messages, 1838);
    if (!In(Box_Int64(Page.Tariff), 0, 0xFFFFF)) return Refuse(Messages, 1839);
    if (Page.Dimension == Dimension_Variable_Length && !In(Box_Int(Page.Length), 0, 191))
        return Refuse(Messages, 1840);
    int32_t tp = 0;
    if (Page.Type_Of_Data == Type_Of_Data_Time_Point && Page.TP_Mod_Regs) {
        tp = Box_Int(Page.TP_Mod_Year);
        if (!In(tp, 1, 59995)) return Refuse(Messages, 1841);
        if (In(reg, tp, tp + 5)) return Refuse(Messages, 1842);
    }
    if (!In(Box_Int(Page.Position), 1, 512)) return Refuse(Messages, 1844);
    return !Check_Registers(Nodi, Sel, reg, 0, tp, newvar, Messages);
}

bool Check_Registers(const TNodiList& Nodi, TMBusSelection Sel, int32_t Reg_Mod, int32_t Reg_RE_Mod, int32_t Reg_TP,
                     bool NewVar, TMBusMessages& Messages)
{
    for (int i = 0; i < int(Nodi.size()); ++i) {
        const TNodo& n = *Nodi[i];
        if (n.Enable != 1) continue;
        const bool rssi = n.Is_Wireless() && n.RSSI > 0;
        // The node's own registers against the register, the second register, the block.
        const struct {
            int32_t reg;
            int first;
        } regs[] = {{Reg_Mod, 1787}, {Reg_RE_Mod, 1793}};
        for (const auto& r : regs) {
            if (r.first == 1793 && Reg_RE_Mod <= 0) break;
            if (n.Node_State == r.reg) return Node_Hit(Messages, r.first, n), true;
            if (n.Ident_Num == r.reg) return Node_Hit(Messages, r.first + 2, n), true;
            if (rssi && n.RSSI == r.reg) return Node_Hit(Messages, r.first + 4, n), true;
        }
        if (Reg_TP > 0) {
            if (In(n.Node_State, Reg_TP, Reg_TP + 5)) return Node_Hit(Messages, 1799, n), true;
            if (In(n.Ident_Num, Reg_TP, Reg_TP + 5)) return Node_Hit(Messages, 1801, n), true;
            if (rssi && In(n.RSSI, Reg_TP, Reg_TP + 5)) return Node_Hit(Messages, 1803, n), true;
        }
        for (int k = 0; k < int(n.Var_List.size()); ++k) {
            const TVariabile& v = *n.Var_List[k];
            if (!v.Enable) continue;
            if (!NewVar && i == Sel.IND_NODO && k == Sel.IND_VAR) continue;
            if (v.PositionData == Reg_Mod) return Var_Hit(Messages, 1805, n, v), true;
            if (v.TP_Mod_Regs && In(Reg_Mod, v.TP_Mod_Year, v.TP_Mod_Year + 5)) return Var_Hit(Messages, 1811, n, v), true;
            if (Reg_RE_Mod > 0) {
                if (v.PositionData == Reg_RE_Mod) return Var_Hit(Messages, 1814, n, v), true;
                if (v.TP_Mod_Regs && In(Reg_RE_Mod, v.TP_Mod_Year, v.TP_Mod_Year + 4))
                    return Var_Hit(Messages, 1820, n, v), true;
            }
            if (Reg_TP > 0 && In(v.PositionData, Reg_TP, Reg_TP + 4)) return Var_Hit(Messages, 1823, n, v), true;
        }
    }
    return false;
}
