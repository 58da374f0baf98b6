// The wireless scan: configuration mode, the radio module's set-up in its own command
// language (AT commands for a Telit module, byte commands for a Radiocrafts module), then
// listening, with the loading of meter keys into the module on the way.
#include <cstring>

#include "mbus/engine/UMBusScanDecode.h"

namespace {

constexpr int32_t RadioCrafts_Key_Positions = 64;
constexpr int32_t Telit_Listening = 134;
constexpr int32_t RadioCrafts_Listening = 320;

// N1 and N2 leave some registers of the Telit set-up alone.
bool Narrowband(int32_t Mode) { return Mode == 15 || Mode == 17; }

uint8_t RadioCrafts_Mode(int32_t Mode)
{
    switch (Mode) {
    case 5: return 1;     // T
    case 15: return 17;   // N1
    case 17: return 16;   // N2
    case 11: return 10;   // C
    default: return 3;    // S
    }
}

std::string Register(int Number, int Value) { return "ATS" + std::to_string(Number) + "=" + std::to_string(Value) + "\r"; }

}   // namespace

bool TMBusScanDecode::In_Key_Loading() const
{
    return (Step_Scan >= 200 && Step_Scan <= 221) || (Step_Scan >= 400 && Step_Scan <= 419);
}

void TMBusScanDecode::Send_Wireless(const std::string& Text, int32_t Next, uint32_t TimeOut)
{
    if (Select_Hardware != shEthernet) return;
    TimeOut_Calc = TimeOut + Add_TimeOut;
    Send_Command(Text, Port_Wireless);
    Step_Scan = Next;
}

void TMBusScanDecode::Send_Wireless_Bytes(const TFrameBytes& Bytes, int32_t Next, uint32_t TimeOut)
{
    if (Select_Hardware != shEthernet) return;
    Req_Array = Bytes;
    TimeOut_Calc = TimeOut + Add_TimeOut;
    Send_Command(Port_Wireless);
    Step_Scan = Next;
}

// A wait for one expected answer: anything else, or the time-out (even together with the
// expected answer), is a failure.
void TMBusScanDecode::Wait_Wireless(bool Expected, int32_t Next)
{
    if (Select_Hardware != shEthernet) return;
    if ((Answer() && !Expected) || TimeOut_Elapsed()) {
        Wireless_Error();
        return;
    }
    if (Answer()) Step_Scan = Next;
}

void TMBusScanDecode::Wait_Any(int32_t Next)
{
    if (Select_Hardware != shEthernet) return;
    if (Answer() || TimeOut_Elapsed()) Step_Scan = Next;
}

void TMBusScanDecode::Wireless_Error()
{
    if (In_Key_Loading()) {
        Key_Refused();
        return;
    }
    FResult = 2;
    Step_Scan = 500;
}

// The module did not take the key: the meter gets back the key it had (and gives back the
// key-table position it was just given), the window is told, and the module goes back to
// listening as it did before.
void TMBusScanDecode::Key_Refused()
{
    const bool telit = Step_Scan < 400;
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        if (TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Wireless_Key_Index)) {
            m->Enable_Key = FKey_Was_Enabled;
            std::memcpy(m->Key, FKey_Was, sizeof m->Key);
            if (FKey_New_Position) {
                m->RadioCrafts_Ind_Tab_Decript = -1;
                --Index_RadioCrafts_Position_Used;
            }
        }
    }
    FKey_New_Position = false;
    const int32_t index = Wireless_Key_Index;
    Queue([this, index] {
        if (OnKeyRefused) OnKeyRefused(index);
    });
    Index_Key_Send = 0;
    Step_Scan = telit ? 132 : 318;
}

bool TMBusScanDecode::Insert_Wireless_Key(int32_t Index, const uint8_t Key[16])
{
    std::lock_guard<std::mutex> lock(FStep_Lock);
    const bool listening = FStepping && MBusType == mtWireless &&
                           (Step_Scan == Telit_Listening || Step_Scan == RadioCrafts_Listening);
    if (!listening) return false;
    std::lock_guard<std::mutex> list_lock(List_Slave_wMBus.Lock);
    TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Index);
    if (!m) return false;
    bool new_position = false;
    if (RadioModule == rmRadioCrafts && m->RadioCrafts_Ind_Tab_Decript < 1) {
        if (Index_RadioCrafts_Position_Used > RadioCrafts_Key_Positions) return false;   // the table is full
        m->RadioCrafts_Ind_Tab_Decript = Index_RadioCrafts_Position_Used++;
        new_position = true;
    }
    std::memcpy(Wireless_Key, Key, sizeof Wireless_Key);
    Wireless_Key_Index = Index;
    FKey_Was_Enabled = m->Enable_Key;
    std::memcpy(FKey_Was, m->Key, sizeof FKey_Was);
    FKey_New_Position = new_position;
    m->Enable_Key = true;
    std::memcpy(m->Key, Key, sizeof m->Key);
    Step_Scan = Step_Scan == Telit_Listening ? 200 : 400;
    return true;
}

void TMBusScanDecode::Scan_Decode_Wireless()
{
    if (FAbortScan || FStopScan) Step_Scan = 500;
    const int32_t mode = wMBusMode;

    // The Telit module's set-up and key loading: every even state sends one command, the
    // odd state after it waits for "OK" CR.
    if ((Step_Scan >= 100 && Step_Scan <= 133) || (Step_Scan >= 200 && Step_Scan <= 221)) {
        const bool waiting = Step_Scan % 2 == 1;
        const int32_t s = waiting ? Step_Scan - 1 : Step_Scan;
        if (waiting) {
            int32_t next = s + 2;
            if (s == 110 && Narrowband(mode)) next = 114;
            if (s == 122 && Narrowband(mode)) next = 126;
            if (s == 128 && Narrowband(mode)) next = 132;
            if (s == 132) next = Telit_Listening;
            if (s == 216) next = 218;
            if (s == 218) next = Index_Key_Send + 1 < 16 ? 218 : 220;
            if (s == 220) next = 132;
            const int32_t before = Step_Scan;
            Wait_Wireless(OK(), next);
            if (Step_Scan != before && Step_Scan == next) {
                if (s == 132) Wireless_Receive_Message = true;
                if (s == 216) Index_Key_Send = 0;
                if (s == 218) ++Index_Key_Send;
                if (s == 220) Index_Key_Send = 0;
            }
            return;
        }
        std::string command;
        if (s >= 202 && s <= 216) {
            std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
            const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Wireless_Key_Index);
            if (!m) {
                Key_Refused();   // the meter went away
                return;
            }
            const uint32_t address = uint32_t(m->ALA_Address);
            const int values[] = {m->ALA_Manufacturer & 0xFF, m->ALA_Manufacturer >> 8, int(address & 0xFF),
                                  int(address >> 8 & 0xFF), int(address >> 16 & 0xFF), int(address >> 24),
                                  m->ALA_Version, m->ALA_DeviceType};
            command = Register(461 + (s - 202) / 2, values[(s - 202) / 2]);
        } else {
            switch (s) {
            case 100: command = "+++"; break;
            case 102: command = "ATR\r"; break;
            case 104: command = Register(400, mode); break;
            case 106: command = Register(401, 0); break;
            case 108: command = Register(402, 191); break;
            case 110: command = Register(420, wMBusRadioChannel); break;
            case 112: command = Register(421, 0); break;
            case 114: command = Register(422, 3); break;
            case 116: command = Register(430, 5); break;
            case 118: command = Register(431, 5); break;
            case 120: command = Register(440, 0); break;
            case 122: command = Register(441, 0); break;
            case 124: command = Register(442, 0); break;
            case 126: command = Register(452, 0); break;
            case 128: command = Register(453, 0); break;
            case 130: command = Register(454, 0); break;
            case 132: command = "ATO\r"; break;
            case 200:
                Wireless_Receive_Message = false;
                command = "+++";
                break;
            case 218: command = Register(470 + Index_Key_Send, Wireless_Key[Index_Key_Send]); break;
            case 220: command = Register(460, 5); break;
            default: Step_Scan = 500; return;
            }
        }
        Send_Wireless(command, s + 1);
        return;
    }

    switch (Step_Scan) {
    case 0:
        if (Select_Hardware != shEthernet) break;
        Wireless_Receive_Message = false;
        FResult = 1;
        Send_Wireless("Zodudo_Enable_Configuration_Mode", 1);
        break;
    case 1: Wait_Wireless(Answer_Is(Converter_Answer("Configuration_Mode Enabled!")), 2); break;
    case 2:
        FResult = 1;
        Send_Wireless("Zodudo_Type_Radio_Module", 3);
        break;
    case 3:
        if (Answer_Is(Converter_Answer("TELIT"))) RadioModule = rmTelit;
        else if (Answer_Is(Converter_Answer("RADIOCRAFTS"))) RadioModule = rmRadioCrafts;
        Wait_Wireless(Answer_Is(Converter_Answer("TELIT")) || Answer_Is(Converter_Answer("RADIOCRAFTS")),
                      RadioModule == rmTelit ? 100 : 300);
        break;
    case Telit_Listening: break;

    // The Radiocrafts module's set-up: mode, then the key table emptied position by position.
    case 300:
        Index_RadioCrafts_Position_Used = 1;
        Send_Wireless_Bytes({0x00}, 301);
        break;
    case 301: Wait_Wireless(Prompt(), 302); break;
    case 302: Send_Wireless("0", 303); break;
    case 303: Wait_Wireless(FStep_Reply.size() == 257 && FStep_Reply.back() == 0x3E, 304); break;
    case 304: Send_Wireless("M", 305); break;
    case 305: Wait_Wireless(Prompt(), 306); break;
    case 306:
        Send_Wireless_Bytes({0x03, RadioCrafts_Mode(mode), 0x04, 0x00, 0x05, 0x01, 0x12, 0x01, 0x16, 0x17, 0x3A, 0x01,
                             0x3D, 0x02, 0x37, 0x01},
                            307, 500);
        break;
    case 307: Wait_Any(308); break;
    case 308: Send_Wireless_Bytes({0xFF}, 309); break;
    case 309:
        Wait_Wireless(Prompt(), 310);
        if (Step_Scan == 310) Index_RadioCrafts_Erase_Position = 0;
        break;
    case 310:
        if (Index_RadioCrafts_Erase_Position >= RadioCrafts_Key_Positions) Step_Scan = 318;
        else Send_Wireless("B", 311);
        break;
    case 311: Wait_Wireless(Prompt(), 313); break;
    case 313:
        if (Index_RadioCrafts_Erase_Position >= RadioCrafts_Key_Positions) {
            Step_Scan = 318;
        } else {
            ++Index_RadioCrafts_Erase_Position;
            Step_Scan = 314;
        }
        break;
    case 314: Send_Wireless_Bytes({uint8_t(Index_RadioCrafts_Erase_Position)}, 315, 100); break;
    case 315: Wait_Any(316); break;
    case 316: Send_Wireless_Bytes(TFrameBytes(8, 0x00), 317); break;
    case 317: Wait_Wireless(Prompt_First(), 310); break;
    case 318:
        if (Select_Hardware != shEthernet) break;
        Send_Command("X", Port_Wireless);
        Step_Scan = 319;
        break;
    case 319:
        Wireless_Receive_Message = true;
        Step_Scan = RadioCrafts_Listening;
        break;
    case RadioCrafts_Listening: break;

    // Radiocrafts key loading: the meter's address, then its key, then the entry enabled,
    // each at the meter's key-table position.
    case 400:
        if (Select_Hardware != shEthernet) break;
        Wireless_Receive_Message = false;
        Send_Wireless_Bytes({0x00}, 401);
        break;
    case 401: Wait_Wireless(Prompt(), 402); break;
    case 402: Send_Wireless("B", 403); break;
    case 403: Wait_Wireless(Prompt(), 404); break;
    case 404:
    case 410:
    case 416: {
        int32_t position = -1;
        {
            std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
            if (const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Wireless_Key_Index))
                position = m->RadioCrafts_Ind_Tab_Decript;
        }
        if (position < 1) {
            Key_Refused();
            return;
        }
        Send_Wireless_Bytes({uint8_t(position)}, Step_Scan + 1, 100);
        break;
    }
    case 405: Wait_Any(406); break;
    case 406: {
        TFrameBytes block;
        {
            std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
            const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Wireless_Key_Index);
            if (!m) {
                Key_Refused();
                return;
            }
            const uint32_t a = uint32_t(m->ALA_Address);
            block = {uint8_t(a), uint8_t(a >> 8), uint8_t(a >> 16), uint8_t(a >> 24), uint8_t(m->ALA_Manufacturer),
                     uint8_t(m->ALA_Manufacturer >> 8), m->ALA_Version, m->ALA_DeviceType};
        }
        Send_Wireless_Bytes(block, 407);
        break;
    }
    case 407: Wait_Wireless(Prompt_First(), 408); break;
    case 408: Send_Wireless("K", 409); break;
    case 409: Wait_Wireless(Prompt(), 410); break;
    case 411: Wait_Any(412); break;
    case 412: Send_Wireless_Bytes(TFrameBytes(Wireless_Key, Wireless_Key + 16), 413); break;
    case 413: Wait_Wireless(Prompt_First(), 414); break;
    case 414: Send_Wireless("A", 415); break;
    case 415: Wait_Wireless(Prompt(), 416); break;
    case 417: Wait_Any(418); break;
    case 418: Send_Wireless_Bytes({0x00, 0x40}, 419); break;
    case 419:
        Wait_Wireless(Prompt(), 318);
        if (Step_Scan == 318) FKey_New_Position = false;
        break;

    // Closing: configuration mode off (three tries at most), transport closed.
    case 500:
        Count_Disable_Analyzer = 0;
        FAbortScan = false;
        FStopScan = false;
        Step_Scan = 501;
        break;
    case 501:
        if (Select_Hardware != shEthernet || Count_Disable_Analyzer > 2) {
            Step_Scan = 503;
        } else {
            ++Count_Disable_Analyzer;
            Send_Wireless("Zodudo_Disable_Configuration_Mode", 502);
        }
        break;
    case 502:
        if (Answer()) Step_Scan = Answer_Is(Converter_Answer("Configuration_Mode Disabled!")) ? 503 : 501;
        else if (TimeOut_Elapsed()) Step_Scan = 501;
        break;
    case 503: End_Scan(); break;
    default: Step_Scan = 500; break;
    }
}
