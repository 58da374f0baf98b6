#pragma once
// The IEC 61850 client editor: what the converter, as a client of IEC 61850 servers,
// reads and writes (single data attributes) and takes in (data sets, with the GOOSE
// control block that publishes them). The user never types a reference: the window keeps
// a catalogue of device description files in the configuration's ICD_Catalog folder,
// decodes each into a model, shows the chosen device as a tree and adds the attribute or
// data set picked there to its tables. Everything is kept in IEC_61850_Client.xml.
//
// Device indexes: a row's Index cell names a device by its position in the catalogue.
// Removing a device moves the indexes of the rows after it down; a catalogue file that has
// gone missing keeps its place (as an empty device), so saved indexes stay right.
#include <memory>
#include <vector>

#include "editors/network/iec61850/UIEC_Client_Decode.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/xml/XMLDoc.h"
#include "shell/LbButton.h"

class TExtColumnGrid;
// The tree and the grid cannot share a translation unit (their type names meet), so the
// tree's work lies in a file of its own and this header only names it.
class TIEC_Tree_View;

// One member of a data-set row: the model's attribute and the settings of its place in
// the internal data array.
class TDataSet_DA {
public:
    TIEC_DA* Select_DA = nullptr;   // not owned
    String Position, bitAddress, conversion, multFactor, Mnemonic;
};

// One data-set row: the model's data set (none when a reload did not find it) and its members.
class TDataSet {
public:
    TIEC_DataSet* Select_DataSet = nullptr;   // not owned
    std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

namespace IEC_Client {
// Columns of the variable table.
enum TDACol { DA_Number, DA_Index, DA_bType, DA_fc, DA_Reference, DA_StartByte, DA_NumByte, DA_IPAddress, DA_Port,
              DA_OnChange, DA_OnCMD, DA_OnTimer, DA_Time, DA_Position, DA_StartBit, DA_ReadWrite, DA_Convertion,
              DA_MoltFact, DA_Mnemonic, DA_Col_Count };
// ... of the data-set table ...
enum TDSCol { DS_Number, DS_Index, DS_Reference, DS_GooseName, DS_EnGoose, DS_IPAddress, DS_Port, DS_Time, DS_Mnemonic,
              DS_Col_Count };
// ... and of its member table.
enum TMCol { M_Number, M_bType, M_Reference, M_Position, M_StartBit, M_Convertion, M_MultFact, M_Mnemonic, M_Col_Count };
constexpr int Text_Base = 4900;
constexpr int Max_Position = 1399;
constexpr const char* Catalog_Folder = "ICD_Catalog";
// The question before a file of the catalogue is replaced (the same in every language).
constexpr const char* Overwrite_Question = "File already exists in catalog directory. Do you want to overwrite file?";
constexpr const char* File_Filter = "SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; *.sed; *.icd; "
                                    "*.iid; *.cid;|Any File (*.*)|*.*";
}  // namespace IEC_Client

class TFIEC_61850_Access : public TForm {
public:
    explicit TFIEC_61850_Access(TComponent* AOwner);
    ~TFIEC_61850_Access() override;

    // ---- components ----
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_AddVar;
    TLbButton* Btn_RemoveVar;
    TLbButton* Btn_MoveUp;     // hidden, does nothing
    TLbButton* Btn_ModeDown;   // hidden, does nothing
    TPanel* PDevIEC;
    TPanel* PDevIECList;
    TLbButton* Btn_Add_IEC_Device;
    TListBox* LB_IEC_Devices;
    TLbButton* Btn_Remove_IEC_Device;
    TPanel* PDevIECTree;
    TIEC_Tree_View* TV_IEC_Device;
    TPanel* PTable;
    TPageControl* PC_DA_DataSet;
    TTabSheet* TS_DA;
    TExtColumnGrid* ACG_DA;
    TTabSheet* TS_DataSet;
    TPanel* P_DataSet_List;
    TExtColumnGrid* ACG_DataSet;
    TPanel* P_DataSet_Vars_List;
    TExtColumnGrid* ACG_DS_Vars;
    TOpenDialog* OD_IcdFile;
    TXMLDocument XML1;

    // ---- state ----
    std::vector<std::unique_ptr<TIEC_Device>> List_IEC_Dev;   // the catalogue; position = device index
    PLazyNode NODE_ORIG = nullptr;
    TIEC_DA* Selected_IEC_DA = nullptr;
    TIEC_DataSet* Selected_IEC_DS = nullptr;
    TStringList* Hint;
    std::vector<std::unique_ptr<TDataSet>> List_DataSet;   // record k belongs to data-set row k + 1
    int DataSet_Row_Select = 0;                           // the data-set row whose members are edited

    // ---- handlers ----
    void Set_Lang();
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void Btn_AddVarClick(TObject* Sender);
    void Btn_RemoveVarClick(TObject* Sender);
    void Btn_Add_IEC_DeviceClick(TObject* Sender);
    void Btn_Remove_IEC_DeviceClick(TObject* Sender);
    void LB_IEC_DevicesClick(TObject* Sender);
    void TV_IEC_DeviceClick(TObject* Sender);
    void TV_IEC_DeviceCustomDrawItem(TIEC_Tree_View* Sender, PLazyNode Node, TColor& Font_Color);
    // Empties the tree and forgets the device drawn.
    void Clear_Tree();
    void ClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_DADblClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_DAGridHint(TObject* Sender, int ARow, int ACol, String& HintStr);
    void ACG_DAKeyPress(TObject* Sender, WideChar& Key);
    void ACG_DS_VarsSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void ACG_DS_VarsEditCellDone(TObject* Sender, int ACol, int ARow);

    // ---- catalogue and tree ----
    String Catalog_Path() const;   // with the closing separator
    void Show_IEC_Devices();
    void Show_Tree_IEC_Device(TIEC_Device* Device);
    void Show_Tree_IEC_LDevice(TIEC_LDevice* LDevice, PLazyNode NodeOrig);
    void Show_Tree_IEC_LN(TIEC_LN* LN, PLazyNode NodeOrig);
    void Show_Tree_IEC_DO(TIEC_DO* DO, PLazyNode NodeOrig);
    void Show_Tree_IEC_DA(TIEC_DA* DA, PLazyNode NodeOrig);
    void Show_Tree_IEC_DataSet(TIEC_DataSet* DataSet, PLazyNode NodeOrig);
    TIEC_DA* Search_Node_Selected();
    bool Search_Node_LDevice(TIEC_LDevice* LDevice, TIEC_DA*& app_IEC_DA);
    bool Search_Node_LN(TIEC_LN* LN, TIEC_DA*& app_IEC_DA);
    bool Search_Node_DO(TIEC_DO* DO, TIEC_DA*& app_IEC_DA);
    bool Search_Node_DA(TIEC_DA* DA, TIEC_DA*& app_IEC_DA);
    TIEC_DataSet* Search_Node_Selected_DataSet();
    bool Search_Node_LDevice_DataSet(TIEC_LDevice* LDevice, TIEC_DataSet*& app_IEC_DataSet);
    bool Search_Node_LN_DataSet(TIEC_LN* LN, TIEC_DataSet*& app_IEC_DataSet);

    // ---- tables ----
    void Set_Start_Num_Byte();
    bool Controllo_dati();
    // Fills the member table from the record of data-set row r (the current row without one).
    void Show_DataSet_DAs();
    void Show_DataSet_DAs(int Row);
    TIEC_DataSet* Get_DataSet(int index, const String& reference) const;

private:
    void Make_Tree(TWinControl* Parent);
    TExtColumnGrid* Make_Grid(const String& Name, TWinControl* Parent, int Cols, const int* Widths);
    void Add_Var_Row(TIEC_DA* DA);
    void Add_DataSet_Row(TIEC_DataSet* DS);
    void Remove_Var_Row();
    void Remove_DataSet_Row();
    // The device that owns the data set, -1 when none of the catalogue does.
    int Device_Of(const TIEC_DataSet* DS) const;
    void Write_File();
    void Load_File();
    void Reset();
    // The data-set row whose members the member table shows now (0: none).
    int FShown_DataSet_Row = 0;
};

extern TFIEC_61850_Access* FIEC_61850_Access;

// Plugs the window in at its place among the program's windows.
void Plug_IEC_61850_Access_Window();
