// The IEC 61850 client editor's file IEC_61850_Client.xml: written by OK, read again with
// the catalogue's devices at every showing, saved data sets linked again to the models.
#include "editors/network/iec61850/UIEC_61850_Access.h"

#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"

using namespace IEC_Client;

namespace {

const char* const DA_Attributes[DA_Col_Count] = {"",         "Index",   "bType",     "fc",       "Reference",
                                                 "StartByte", "NumByte", "IPAddress", "Port",     "OnChange",
                                                 "OnCMD",     "OnTimer", "Time",      "Position", "StartBit",
                                                 "ReadWrite", "Convertion", "MoltFact", "Mnemonic"};
const char* const DS_Attributes[DS_Col_Count] = {"",          "Index", "Reference", "GooseName", "EnGoose",
                                                 "IPAddress", "Port",  "Time",      "Mnemonic"};

// The table holds entries: more than one row, or one whose Index is not empty.
bool Has_Rows(TExtColumnGrid* G)
{
    return G->RowCount() > 2 || (G->RowCount() == 2 && !G->GetCellEx(1, 1).empty());
}

String Attribute_Or_Empty(const TXMLNode& Node, const char* Name)
{
    String Value;
    return Node.FindAttribute(Name, Value) ? Value : String();
}

void Empty_Table(TExtColumnGrid* G, int Cols)
{
    for (int r = 1; r < G->RowCount(); ++r)
        for (int c = 0; c < Cols; ++c) G->SetCellEx(c, r, "");
    G->SetRowCount(2);
    for (int c = 0; c < Cols; ++c) G->SetCellEx(c, 1, "");
}

}  // namespace

TIEC_DataSet* TFIEC_61850_Access::Get_DataSet(int index, const String& reference) const
{
    if (index < 0 || size_t(index) >= List_IEC_Dev.size()) return nullptr;
    for (const auto& ld : List_IEC_Dev[size_t(index)]->List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& ds : ln->List_DataSet)
                if (ds->fReference == reference) return ds.get();
    return nullptr;
}

// ---------------------------------------------------------------------------------
// OK
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati()) return;
    try {
        Write_File();
    } catch (const std::exception& e) {
        // The file stays as it was and the window open with the user's input.
        Application->ShowException(e);
        return;
    }
    SetModalResult(mrOk);
}

void TFIEC_61850_Access::Write_File()
{
    XML1.Clear();
    TXMLNode Root = XML1.AddChild("IEC_68850_Client");
    XML1.AddComment("SW_VERSION = 1.000");
    TXMLNode Files = Root.AddChild("List_ICD_Files");
    for (const auto& d : List_IEC_Dev) {
        TXMLNode f = Files.AddChild("ICD_File");
        f.SetAttribute("Name", d->fName);
        f.SetAttribute("FileName", d->fFileName);
    }
    TXMLNode DAs = Root.AddChild("List_DA_Selected");
    if (Has_Rows(ACG_DA))
        for (int r = 1; r < ACG_DA->RowCount(); ++r) {
            TXMLNode Item = DAs.AddChild("DA_Item");
            for (int c = 1; c < DA_Col_Count; ++c) Item.SetAttribute(DA_Attributes[c], ACG_DA->GetCellEx(c, r));
        }
    TXMLNode Sets = Root.AddChild("List_DataSet_Selected");
    if (Has_Rows(ACG_DataSet))
        for (int r = 1; r < ACG_DataSet->RowCount(); ++r) {
            TXMLNode Item = Sets.AddChild("DataSet_Item");
            for (int c = 1; c < DS_Col_Count; ++c) Item.SetAttribute(DS_Attributes[c], ACG_DataSet->GetCellEx(c, r));
            TXMLNode Members = Item.AddChild("DataSet_List_DAs");
            if (size_t(r) > List_DataSet.size()) continue;
            for (const auto& m : List_DataSet[size_t(r) - 1]->List_DAs) {
                TXMLNode M = Members.AddChild("DataSet_DA_Item");
                M.SetAttribute("bType", m->Select_DA ? m->Select_DA->fbType : String());
                M.SetAttribute("Reference", m->Select_DA ? m->Select_DA->fReference : String());
                M.SetAttribute("Position", m->Position);
                M.SetAttribute("StartBit", m->bitAddress);
                M.SetAttribute("Convertion", m->conversion);
                M.SetAttribute("MoltFact", m->multFactor);
                M.SetAttribute("Mnemonic", m->Mnemonic);
            }
        }
    XML1.SaveToFile(FileName_IEC_61850_Client);
}

// ---------------------------------------------------------------------------------
// Showing
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::Reset()
{
    DataSet_Row_Select = 0;
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    // The records point into the devices: they go first.
    List_DataSet.clear();
    List_IEC_Dev.clear();
    LB_IEC_Devices->Items()->Clear();
    Clear_Tree();
    Empty_Table(ACG_DA, DA_Col_Count);
    Empty_Table(ACG_DataSet, DS_Col_Count);
    Empty_Table(ACG_DS_Vars, M_Col_Count);
    FShown_DataSet_Row = 0;
}

void TFIEC_61850_Access::FormShow(TObject*)
{
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) g->BeginUpdate();
    Reset();
    try {
        if (FileExists(FileName_IEC_61850_Client)) Load_File();
    } catch (const std::exception& e) {
        for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) g->EndUpdate();
        Show_IEC_Devices();
        Show_DataSet_DAs();
        Application->ShowException(e);
        return;
    }
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) g->EndUpdate();
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::Load_File()
{
    XML1.LoadFromFile(FileName_IEC_61850_Client);
    const TXMLNode Root = XML1.DocumentElement();
    if (!Root || Root.NodeName() != "IEC_68850_Client")
        throw EXmlError(FileName_IEC_61850_Client + ": the root element IEC_68850_Client is missing");

    // Devices. A file that has gone from the catalogue keeps its place as an empty device
    // (with its saved name), so the Index cells of the rows after it still name their
    // devices; the user is told which files are missing.
    String Missing;
    for (const TXMLNode& f : Root.ChildNode("List_ICD_Files").ChildNodes()) {
        const String File = f.Attribute("FileName");
        const String Path = PathJoin(PathJoin(Project_Path, Catalog_Folder), File);
        auto Device = std::make_unique<TIEC_Device>(Path);
        if (!FileExists(Path)) {
            Device->fName = Attribute_Or_Empty(f, "Name");
            Missing += (Missing.empty() ? "" : ", ") + File;
        }
        List_IEC_Dev.push_back(std::move(Device));
    }
    Show_IEC_Devices();
    if (!Missing.empty())
        MessageDlg("Device files missing from the catalogue folder " + Catalog_Path() + ": " + Missing, mtWarning,
                   TMsgDlgButtons{mbOK}, 0);

    // Variables: restored as saved; the byte counts of fixed types come from the type again.
    const std::vector<TXMLNode> Items = Root.ChildNode("List_DA_Selected").ChildNodes();
    if (!Items.empty()) ACG_DA->SetRowCount(int(Items.size()) + 1);
    for (size_t k = 0; k < Items.size(); ++k) {
        const int r = int(k) + 1;
        ACG_DA->SetCellEx(DA_Number, r, IntToStr(r));
        for (int c = 1; c < DA_Col_Count; ++c)
            ACG_DA->SetCellEx(c, r,
                              c == DA_StartByte || c == DA_NumByte ? Attribute_Or_Empty(Items[k], DA_Attributes[c])
                                                                   : Items[k].Attribute(DA_Attributes[c]));
    }
    Set_Start_Num_Byte();

    // Data sets, linked again by device index and reference; members by position.
    const TXMLNode Sets = Root.FindNode("List_DataSet_Selected");
    const std::vector<TXMLNode> Set_Items = Sets ? Sets.ChildNodes() : std::vector<TXMLNode>();
    if (!Set_Items.empty()) ACG_DataSet->SetRowCount(int(Set_Items.size()) + 1);
    for (size_t k = 0; k < Set_Items.size(); ++k) {
        const TXMLNode& Item = Set_Items[k];
        const int r = int(k) + 1;
        ACG_DataSet->SetCellEx(DS_Number, r, IntToStr(r));
        for (int c = 1; c < DS_Col_Count; ++c) ACG_DataSet->SetCellEx(c, r, Item.Attribute(DS_Attributes[c]));
        auto Record = std::make_unique<TDataSet>();
        Record->Select_DataSet = Get_DataSet(StrToInt(Item.Attribute("Index")), ACG_DataSet->GetCellEx(DS_Reference, r));
        TDataSet* Rec = Record.get();
        List_DataSet.push_back(std::move(Record));
        const TXMLNode Members = Item.FindNode("DataSet_List_DAs");
        if (!Members) continue;
        const std::vector<TXMLNode> Saved = Members.ChildNodes();
        for (size_t j = 0; j < Saved.size(); ++j) {
            if (!Rec->Select_DataSet || j >= Rec->Select_DataSet->List_DA.size()) continue;
            TIEC_DA* Member = Rec->Select_DataSet->List_DA[j];
            if (Member->fbType != Attribute_Or_Empty(Saved[j], "bType") ||
                Member->fReference != Attribute_Or_Empty(Saved[j], "Reference"))
                continue;
            auto m = std::make_unique<TDataSet_DA>();
            m->Select_DA = Member;
            m->Position = Attribute_Or_Empty(Saved[j], "Position");
            m->bitAddress = Attribute_Or_Empty(Saved[j], "StartBit");
            m->conversion = Attribute_Or_Empty(Saved[j], "Convertion");
            m->multFactor = Attribute_Or_Empty(Saved[j], "MoltFact");
            m->Mnemonic = Attribute_Or_Empty(Saved[j], "Mnemonic");
            Rec->List_DAs.push_back(std::move(m));
        }
    }
    Show_IEC_Devices();
}
