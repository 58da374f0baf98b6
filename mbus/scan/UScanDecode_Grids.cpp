// The scan window's tables: the wireless meters' table and the per-meter start registers.
// (Kept apart from the trees: the grid's and the tree's check-type names clash.)
#include "grid/columns/ExtColumnGrid.h"
#include "mbus/scan/UScanDecode.h"
#include "mbus/scan/UScanDialogs.h"
#include "platform/gui/Messages.h"
#include "platform/os/Regional.h"
#include "shell/UComon.h"

namespace {

constexpr TColor Row_Encrypted = TColor(0xB9BBFF);  // light red (255, 187, 185)
constexpr TColor Row_Clear = TColor(0xA8FFA8);      // light green (168, 255, 168)

String Hex2(unsigned v) { return IntToHex(v & 0xFF, 2); }

}  // namespace

void TFScanDecode::Make_Wireless_Grid()
{
    ASG_Wireless = new TExtStringGrid(this);
    ASG_Wireless->SetName("ASG_Wireless");
    ASG_Wireless->SetParent(P_W_Table);
    ASG_Wireless->SetAlign(alClient);
    ASG_Wireless->SetColCount(13);
    ASG_Wireless->SetRowCount(2);
    ASG_Wireless->SetFixedCols(0);
    ASG_Wireless->SetFixedRows(1);
    ASG_Wireless->SetOptions(ASG_Wireless->Options() + goRowSelect + goColSizing);
    ASG_Wireless->SetGridImages(IL_Wireless_Table);
    ASG_Wireless->SetShowHint(false);
    ASG_Wireless->Loaded();
    const char* headers[] = {"N", "Date Time", "Message Type", "Manufacturer (LLA)", "Address (LLA)",
                             "Version (LLA)", "Device Type (LLA)", "Manufacturer (ALA)", "Address (ALA)",
                             "Version (ALA)", "Device Type (ALA)", "RSSI", "Cripted"};
    for (int c = 0; c < 13; ++c) ASG_Wireless->SetCellEx(c, 0, headers[c]);
    ASG_Wireless->OnClickCell = [this](TObject* s, int r, int c) { ASG_WirelessClickCell(s, r, c); };
    ASG_Wireless->OnDblClickCell = [this](TObject* s, int r, int c) { ASG_WirelessDblClickCell(s, r, c); };
}

void TFScanDecode::Colomns_Width_Init()
{
    const int widths[] = {40, 65, 90, 120, 90, 85, 110, 120, 90, 85, 110, 50, 70};
    for (int c = 0; c < 13; ++c) ASG_Wireless->SetColWidths(c, widths[c]);
}

void TFScanDecode::Cancel_Grid_Wireless()
{
    ASG_Wireless->SetRowCount(2);
    for (int c = 0; c < 13; ++c) {
        ASG_Wireless->SetCellEx(c, 1, "");
        if (c >= 1) ASG_Wireless->SetColors(c, 1, clWhite);
    }
    ASG_Wireless->RemoveImageIdx(12, 1);
}

void TFScanDecode::Update_Wireless_Grid_Row(int32_t Index, TSlave_wMBus*)
{
    if (Index < 0) return;
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Index);
    if (!m) return;
    if (ASG_Wireless->RowCount() < Index + 2) ASG_Wireless->SetRowCount(Index + 2);
    const int r = Index + 1;
    const auto dec_hex = [](unsigned v) { return IntToStr(int(v)) + " (" + Hex2(v) + ")"; };
    const String cells[12] = {
        IntToStr(Index + 1),
        FormatDateTime(GetShortDateFormat() + " " + GetLongTimeFormat(), m->DateTime),
        "0x" + Hex2(m->Message_Type),
        m->LLA_Manu_str + "(" + IntToHex(m->LLA_Manufacturer, 4) + ")",
        IntToHex(uint32_t(m->LLA_Address), 8),
        dec_hex(m->LLA_Version),
        dec_hex(m->LLA_DeviceType),
        m->ALA_Manu_str + "(" + IntToHex(m->ALA_Manufacturer, 4) + ")",
        IntToHex(uint32_t(m->ALA_Address), 8),
        dec_hex(m->ALA_Version),
        dec_hex(m->ALA_DeviceType),
        IntToStr(m->RSSI),
    };
    for (int c = 0; c < 12; ++c) ASG_Wireless->SetCellEx(c, r, cells[c]);
    for (int c = 1; c <= 12; ++c) ASG_Wireless->SetColors(c, r, m->Cripted ? Row_Encrypted : Row_Clear);
    ASG_Wireless->RemoveImageIdx(12, r);
    ASG_Wireless->AddImageIdx(12, r, m->Cripted ? 0 : 1, haCenter, vaCenter);
}

void TFScanDecode::ASG_WirelessClickCell(TObject*, int ARow, int)
{
    int count = 0;
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        count = int(List_Slave_wMBus.Items.size());
    }
    if (ARow >= 1 && ARow <= count) Show_Slave_in_Tree_Wireless(ARow - 1);
}

void TFScanDecode::ASG_WirelessDblClickCell(TObject*, int ARow, int)
{
    bool encrypted = false;
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, ARow - 1);
        encrypted = m && m->Cripted;
    }
    if (!encrypted || !FInsertKeyWireless) return;
    // At the pointer, moved back as far as needed to stay inside this window.
    const TPoint p = ScreenToClient(Mouse_CursorPos());
    const int x = std::max(0, std::min(p.X, ClientWidth() - FInsertKeyWireless->Width()));
    const int y = std::max(0, std::min(p.Y, ClientHeight() - FInsertKeyWireless->Height()));
    const TPoint at = ClientToScreen(TPoint(x, y));
    FInsertKeyWireless->SetLeft(at.X);
    FInsertKeyWireless->SetTop(at.Y);
    if (FInsertKeyWireless->ShowModal() != mrOk) return;
    const String key = FInsertKeyWireless->E_Key->Text();
    uint8_t bytes[16];
    // Digits 2j+1 and 2j+2 make byte j; the dialog let only hexadecimal digits through.
    const auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    for (size_t j = 0; j < 16; ++j) bytes[j] = uint8_t(digit(key[2 * j]) << 4 | digit(key[2 * j + 1]));
    TR_ScanDecode->Insert_Wireless_Key(ARow - 1, bytes);
}

void TFScanDecode::Carica_Dati_Modbus_Start_Add()
{
    TExtColumnGrid* g = FModbusStartAdd_SD->sga;
    const bool wireless = Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1;
    TSlaveList& list = wireless ? List_Slave_wMBus : List_Slave_MBus;
    std::lock_guard<std::mutex> lock(list.Lock);
    g->SetRowCount(int(list.Items.size()) + 1);
    for (int i = 0; i < int(list.Items.size()); ++i) {
        String meter;
        if (wireless) meter = IntToStr(Wireless_Slave_At(list, i)->ALA_Address);
        else {
            const TSlave_MBus* s = Wired_Slave_At(list, i);
            meter = IntToStr(s->Primary_Addresss) + " - " + s->Secondary_Addresss;
        }
        g->SetCellEx(0, i + 1, meter);
        g->SetCellEx(1, i + 1, "1");
    }
}

void TFScanDecode::Fill_Save_Options(TSaveConfXML& D, bool Append, int32_t Start_Modbus, int32_t Start_Modbus_node)
{
    D.Append = Append ? 1 : 0;
    D.XML_Code_Dev = XML_Code_Dev;
    D.Mod_Start = Start_Modbus;
    D.StartModnode = Start_Modbus_node;
    TExtColumnGrid* g = FModbusStartAdd_SD->sga;
    for (int r = 1; r < g->RowCount(); ++r) D.SMN_Array.push_back(StrToIntDef(g->GetCellEx(1, r), 1));
    D.En_NodeState = FModbusStartAdd_SD->CB_En_NodeState->Checked();
    D.En_IdeNum = FModbusStartAdd_SD->CB_En_IndNum->Checked();
    D.File_Name = FileName_MBus;
}

