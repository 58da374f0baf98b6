// The IEC 61850 client editor's device tree: drawing a device, and picking an attribute
// or a data set in it. (Apart from the grids: the tree's and the grid's type names meet.)
#include "editors/network/iec61850/UIEC_61850_Access.h"
#include "editors/network/iec61850/UIEC_Tree_View.h"

void TFIEC_61850_Access::Make_Tree(TWinControl* Parent)
{
    TV_IEC_Device = new TIEC_Tree_View(this);
    TV_IEC_Device->SetName("TV_IEC_Device");
    TV_IEC_Device->SetParent(Parent);
    TV_IEC_Device->SetAlign(alClient);
    TV_IEC_Device->OnClick = [this](TObject* s) { TV_IEC_DeviceClick(s); };
    TV_IEC_Device->OnCustomDrawItem = [this](TIEC_Tree_View* s, PLazyNode n, TColor& c) {
        TV_IEC_DeviceCustomDrawItem(s, n, c);
    };
}

void TFIEC_61850_Access::Clear_Tree()
{
    TV_IEC_Device->Clear();
    NODE_ORIG = nullptr;
}

void TFIEC_61850_Access::LB_IEC_DevicesClick(TObject*)
{
    const int k = LB_IEC_Devices->ItemIndex();
    if (k < 0 || size_t(k) >= List_IEC_Dev.size()) return;
    Clear_Tree();
    Show_Tree_IEC_Device(List_IEC_Dev[size_t(k)].get());
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
}

// ---------------------------------------------------------------------------------
// The device tree
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device* Device)
{
    NODE_ORIG = TV_IEC_Device->Add_Node(nullptr, Device->fName, 0);
    Device->TreeNode = NODE_ORIG;
    for (const auto& ld : Device->List_LDevice) Show_Tree_IEC_LDevice(ld.get(), NODE_ORIG);
    TV_IEC_Device->SetExpanded(NODE_ORIG, true);
}

void TFIEC_61850_Access::Show_Tree_IEC_LDevice(TIEC_LDevice* LDevice, PLazyNode NodeOrig)
{
    LDevice->TreeNode = TV_IEC_Device->Add_Node(NodeOrig, LDevice->fName, 1);
    for (const auto& ln : LDevice->List_LN) Show_Tree_IEC_LN(ln.get(), LDevice->TreeNode);
    TV_IEC_Device->SetExpanded(LDevice->TreeNode, true);
}

void TFIEC_61850_Access::Show_Tree_IEC_LN(TIEC_LN* LN, PLazyNode NodeOrig)
{
    LN->TreeNode = TV_IEC_Device->Add_Node(NodeOrig, LN->fPrefix + LN->flnClass + LN->fInst, 2);
    for (const auto& d : LN->List_DO) Show_Tree_IEC_DO(d.get(), LN->TreeNode);
    for (const auto& ds : LN->List_DataSet) Show_Tree_IEC_DataSet(ds.get(), LN->TreeNode);
    TV_IEC_Device->SetExpanded(LN->TreeNode, true);
}

void TFIEC_61850_Access::Show_Tree_IEC_DO(TIEC_DO* DO, PLazyNode NodeOrig)
{
    DO->TreeNode = TV_IEC_Device->Add_Node(NodeOrig, DO->fName, 3);
    for (const auto& s : DO->List_DO) Show_Tree_IEC_DO(s.get(), DO->TreeNode);
    for (const auto& a : DO->List_DA) Show_Tree_IEC_DA(a.get(), DO->TreeNode);
}

void TFIEC_61850_Access::Show_Tree_IEC_DA(TIEC_DA* DA, PLazyNode NodeOrig)
{
    DA->TreeNode = TV_IEC_Device->Add_Node(NodeOrig, DA->fName, 4);
    for (const auto& s : DA->List_DA) Show_Tree_IEC_DA(s.get(), DA->TreeNode);
}

void TFIEC_61850_Access::Show_Tree_IEC_DataSet(TIEC_DataSet* DataSet, PLazyNode NodeOrig)
{
    DataSet->TreeNode = TV_IEC_Device->Add_Node(NodeOrig, DataSet->fName, 5);
}

void TFIEC_61850_Access::TV_IEC_DeviceCustomDrawItem(TIEC_Tree_View* Sender, PLazyNode Node, TColor& Font_Color)
{
    switch (Sender->Node_Image(Node)) {
    case 3: Font_Color = TColor(0x00FF0000); break;   // data objects blue
    case 5: Font_Color = TColor(0x00008000); break;   // data sets green
    default: Font_Color = clBlack; break;
    }
}

// ---------------------------------------------------------------------------------
// Picking
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::TV_IEC_DeviceClick(TObject*)
{
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    Selected_IEC_DA = Search_Node_Selected();
    if (!Selected_IEC_DA) Selected_IEC_DS = Search_Node_Selected_DataSet();
}

TIEC_DA* TFIEC_61850_Access::Search_Node_Selected()
{
    const int k = LB_IEC_Devices->ItemIndex();
    if (k < 0 || size_t(k) >= List_IEC_Dev.size()) return nullptr;
    const TIEC_Device* Device = List_IEC_Dev[size_t(k)].get();
    const PLazyNode Selected = TV_IEC_Device->Selected();
    if (!Selected || Selected == Device->TreeNode) return nullptr;
    TIEC_DA* app_IEC_DA = nullptr;
    for (const auto& ld : Device->List_LDevice)
        if (Search_Node_LDevice(ld.get(), app_IEC_DA)) return app_IEC_DA;
    return nullptr;
}

bool TFIEC_61850_Access::Search_Node_LDevice(TIEC_LDevice* LDevice, TIEC_DA*& app_IEC_DA)
{
    if (LDevice->TreeNode == TV_IEC_Device->Selected()) return true;
    for (const auto& ln : LDevice->List_LN)
        if (Search_Node_LN(ln.get(), app_IEC_DA)) return true;
    return false;
}

bool TFIEC_61850_Access::Search_Node_LN(TIEC_LN* LN, TIEC_DA*& app_IEC_DA)
{
    if (LN->TreeNode == TV_IEC_Device->Selected()) return true;
    for (const auto& d : LN->List_DO)
        if (Search_Node_DO(d.get(), app_IEC_DA)) return true;
    return false;
}

bool TFIEC_61850_Access::Search_Node_DO(TIEC_DO* DO, TIEC_DA*& app_IEC_DA)
{
    if (DO->TreeNode == TV_IEC_Device->Selected()) return true;
    for (const auto& s : DO->List_DO)
        if (Search_Node_DO(s.get(), app_IEC_DA)) return true;
    for (const auto& a : DO->List_DA)
        if (Search_Node_DA(a.get(), app_IEC_DA)) return true;
    return false;
}

bool TFIEC_61850_Access::Search_Node_DA(TIEC_DA* DA, TIEC_DA*& app_IEC_DA)
{
    if (DA->TreeNode == TV_IEC_Device->Selected()) {
        // Only a leaf is a variable; a structure gives no pick.
        if (DA->List_DA.empty()) app_IEC_DA = DA;
        return true;
    }
    for (const auto& s : DA->List_DA)
        if (Search_Node_DA(s.get(), app_IEC_DA)) return true;
    return false;
}

TIEC_DataSet* TFIEC_61850_Access::Search_Node_Selected_DataSet()
{
    const int k = LB_IEC_Devices->ItemIndex();
    if (k < 0 || size_t(k) >= List_IEC_Dev.size()) return nullptr;
    const TIEC_Device* Device = List_IEC_Dev[size_t(k)].get();
    const PLazyNode Selected = TV_IEC_Device->Selected();
    if (!Selected || Selected == Device->TreeNode) return nullptr;
    TIEC_DataSet* app_IEC_DataSet = nullptr;
    for (const auto& ld : Device->List_LDevice)
        if (Search_Node_LDevice_DataSet(ld.get(), app_IEC_DataSet)) return app_IEC_DataSet;
    return nullptr;
}

bool TFIEC_61850_Access::Search_Node_LDevice_DataSet(TIEC_LDevice* LDevice, TIEC_DataSet*& app_IEC_DataSet)
{
    for (const auto& ln : LDevice->List_LN)
        if (Search_Node_LN_DataSet(ln.get(), app_IEC_DataSet)) return true;
    return false;
}

bool TFIEC_61850_Access::Search_Node_LN_DataSet(TIEC_LN* LN, TIEC_DataSet*& app_IEC_DataSet)
{
    for (const auto& ds : LN->List_DataSet)
        if (ds->TreeNode == TV_IEC_Device->Selected()) {
            app_IEC_DataSet = ds.get();
            return true;
        }
    return false;
}

