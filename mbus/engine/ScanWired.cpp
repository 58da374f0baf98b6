// The wired scan: analyser mode and line settings, the primary scan over the addresses 0 to
// 250, the secondary search by wildcard selection, and the reading of each meter frame by
// frame.
#include "mbus/engine/UMBusScanDecode.h"

namespace {

constexpr int32_t Last_Primary_Address = 250;
// The first state of the secondary search's digit steps: digit d is tried in state
// 108 + 2d and its answer awaited in 109 + 2d.
constexpr int32_t First_Digit_State = 108;

}   // namespace

uint32_t TMBusScanDecode::Short_TimeOut() const { return uint32_t(330000 / Baudrate + 450) + Add_TimeOut; }

uint32_t TMBusScanDecode::Long_TimeOut() const { return uint32_t(3245000 / Baudrate + 450) + Add_TimeOut; }

void TMBusScanDecode::Notify(int32_t Kind, int32_t Value, int32_t Found, int32_t Type)
{
    FWired.Notify_Slave_List(Kind, Value, Found, Type);
}

bool TMBusScanDecode::Read_Frame(bool& Valid)
{
    Valid = Is_Valid_Long_Frame(FStep_Reply);
    if (!Valid) return false;
    bool more = false;
    const int index = FWired.Add_Wired_Slave_Frame(Num_Frame_Read == 0 ? -1 : Index_Device, more, FStep_Reply);
    if (index < 0) {
        Valid = false;
        return false;
    }
    Index_Device = index;
    ++Num_Frame_Read;
    return !more || Num_Frame_Read >= Cut_After;
}

void TMBusScanDecode::Scan_Decode()
{
    if (FAbortScan) Step_Scan = 200;
    const bool eth = Select_Hardware == shEthernet;
    auto send_frame = [&](const TFrameBytes& F) {
        Req_Array = F;
        Send_Command(Converter_Port);
    };

    // The digit steps of the secondary search.
    if (Step_Scan >= First_Digit_State && Step_Scan <= First_Digit_State + 15) {
        const int d = (Step_Scan - First_Digit_State) / 2;
        const int try_state = First_Digit_State + 2 * d;
        if (Step_Scan == try_state) {
            if (FStopScan) {
                Step_Scan = 200;
                return;
            }
            ++Index[size_t(d)];
            for (size_t j = size_t(d) + 1; j < Index.size(); ++j) Index[j] = -1;
            if (Index[size_t(d)] > 9) {
                if (d == 0) {
                    Type_To_Send_In_Last_Step = 2;
                    Enable_Send_In_Last_Step = true;
                    Step_Scan = 200;
                } else {
                    Step_Scan = try_state - 2;
                }
                return;
            }
            FClock->Sleep(800);
            send_frame(Build_Select_Secondary(Index, Select_C_Field(Fix_C_Field, Fix_C_Field_Value)));
            Step_Scan = try_state + 1;
            return;
        }
        // Waiting for the selection's answer: one meter acknowledges, none is silent or
        // told by the converter, several answer garbled (a collision: fix this digit and
        // try the next one).
        if (Answer()) {
            if (Answer_Is_Ack()) {
                Num_Frame_Read = 0;
                Sec_Add_Next_Step = try_state;
                Step_Scan = 124;
            } else if (d == 7 || Answer_Is(Answer_No_Slave)) {
                Step_Scan = try_state;
            } else {
                Step_Scan = try_state + 2;
            }
        } else if (TimeOut_Elapsed()) {
            Step_Scan = try_state;
        }
        return;
    }

    switch (Step_Scan) {
    case 0:
        Enable_Send_In_Last_Step = false;
        FResult = 1;
        if (eth) {
            TimeOut_Calc = Converter_TimeOut();
            Send_Command("Zodudo_Enable_Analyzer_Mode", Converter_Port);
            Step_Scan = 1;
        } else {
            Step_Scan = ScanType == saSecondaryAddress ? 100 : 2;
        }
        break;
    case 1:
        if (Answer()) {
            if (Answer_Is(Converter_Answer("Analyzer_Mode Enabled!"))) {
                ID_Dev_Primary = -1;
                Step_Scan = 300;
            } else {
                FResult = 2;
                Step_Scan = 200;
            }
        }
        if (Step_Scan == 1 && TimeOut_Elapsed()) {
            FResult = 2;
            Step_Scan = 200;
        } else if (Step_Scan == 300 && TimeOut_Elapsed()) {
            FResult = 2;   // the answer came too late
            Step_Scan = 200;
        }
        break;
    case 300:
        FResult = 1;
        TimeOut_Calc = Converter_TimeOut();
        send_frame(Build_Serial_Parameters(uint32_t(Baudrate), Parity));
        Step_Scan = 301;
        break;
    case 301:
        if (Answer()) {
            if (Answer_Is("\n\rDone!")) {
                Step_Scan = ScanType == saSecondaryAddress ? 100 : 2;
            } else {
                FResult = 2;
                Step_Scan = 200;
            }
        }
        if (Step_Scan != 200 && TimeOut_Elapsed()) {
            FResult = 2;
            Step_Scan = 200;
        }
        break;

    // The primary scan.
    case 2:
        TimeOut_Calc = Short_TimeOut();
        ID_Dev_Primary = -1;
        Notify(1, 0, 0, 1);
        FClock->Sleep(500);
        send_frame(Build_SND_NKE(MBus_Broadcast_Address));
        Step_Scan = 3;
        break;
    case 3:
        if (Answer() || TimeOut_Elapsed()) Step_Scan = 4;
        break;
    case 4:
        TimeOut_Calc = Short_TimeOut();
        Num_Frame_Read = 0;
        ++ID_Dev_Primary;
        if (ID_Dev_Primary > Last_Primary_Address || FStopScan) {
            Type_To_Send_In_Last_Step = 1;
            Enable_Send_In_Last_Step = true;
            FResult = 1;
            Step_Scan = 200;
        } else {
            Step_Scan = App_Reset ? 5 : SND_NKE ? 7 : 9;
        }
        break;
    case 5:
        FClock->Sleep(500);
        send_frame(Build_Application_Reset(uint8_t(ID_Dev_Primary), Select_C_Field(Fix_C_Field, Fix_C_Field_Value)));
        Step_Scan = 6;
        break;
    case 6:
        if (Answer_Is_Ack() || TimeOut_Elapsed()) Step_Scan = SND_NKE ? 7 : 9;
        break;
    case 7:
        FClock->Sleep(500);
        send_frame(Build_SND_NKE(uint8_t(ID_Dev_Primary)));
        Step_Scan = 8;
        break;
    case 8:
        if (Answer_Is_Ack() || TimeOut_Elapsed()) Step_Scan = 9;
        break;
    case 9:
        TimeOut_Calc = Long_TimeOut();
        FClock->Sleep(500);
        send_frame(Build_REQ_UD2(uint8_t(ID_Dev_Primary), REQ_UD2_C_Field(Num_Frame_Read, Fix_C_Field, Fix_C_Field_Value)));
        Step_Scan = 10;
        break;
    case 10:
        ID_Dev_Found = false;
        // An answer decides the address; only a step without one looks at the clock, so
        // a frame seen in the step its time-out also ran out is read, not reported absent.
        if (Answer()) {
            bool valid = false;
            const bool done = Read_Frame(valid);
            if (valid && done) {
                ID_Dev_Found = true;
                Notify(2, ID_Dev_Primary, 1, 1);
                Step_Scan = 4;
            } else if (valid) {
                Step_Scan = 9;
            } else {
                Notify(2, ID_Dev_Primary, 0, 1);
                Step_Scan = 4;
            }
        } else if (TimeOut_Elapsed()) {
            Notify(2, ID_Dev_Primary, 0, 1);
            Step_Scan = 4;
        }
        break;

    // The secondary search.
    case 100:
        TimeOut_Calc = Short_TimeOut();
        Notify(1, 0, 0, 2);
        Step_Scan = SND_NKE ? 101 : App_Reset ? 103 : 105;
        break;
    case 101:
        FClock->Sleep(800);
        send_frame(Build_SND_NKE(MBus_Selected_Address));
        Step_Scan = 102;
        break;
    case 102:
        if (Answer_Is_Ack() || TimeOut_Elapsed()) Step_Scan = App_Reset ? 103 : 105;
        break;
    case 103:
        FClock->Sleep(800);
        send_frame(Build_Application_Reset(MBus_Broadcast_Address, Select_C_Field(Fix_C_Field, Fix_C_Field_Value)));
        Step_Scan = 104;
        break;
    case 104:
        if (Answer_Is_Ack() || TimeOut_Elapsed()) Step_Scan = 105;
        break;
    case 105:
        FClock->Sleep(800);
        send_frame(Build_SND_NKE(MBus_Broadcast_Address));
        Step_Scan = 106;
        break;
    case 106:
        if (Answer() || TimeOut_Elapsed()) Step_Scan = 107;
        break;
    case 107:
        Index.fill(-1);
        Step_Scan = First_Digit_State;
        break;
    case 124:
        TimeOut_Calc = Long_TimeOut();
        FClock->Sleep(800);
        send_frame(Build_REQ_UD2(MBus_Selected_Address, REQ_UD2_C_Field(Num_Frame_Read, Fix_C_Field, Fix_C_Field_Value)));
        Step_Scan = 125;
        break;
    case 125:
        ID_Dev_Found = false;
        if (Answer()) {
            bool valid = false;
            const bool done = Read_Frame(valid);
            if (valid && done) {
                TimeOut_Calc = Short_TimeOut();
                ID_Dev_Found = true;
                String id;
                {
                    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
                    if (TSlave_MBus* m = Wired_Slave_At(List_Slave_MBus, Index_Device)) id = m->Secondary_Addresss;
                }
                Notify(2, int32_t(uint32_t(StrToInt64Def("$" + id, 0))), 1, 2);
                Step_Scan = Sec_Add_Next_Step;
            } else if (valid) {
                Step_Scan = 124;
            } else {
                TimeOut_Calc = Short_TimeOut();
                Step_Scan = Sec_Add_Next_Step;
            }
        } else if (TimeOut_Elapsed()) {
            TimeOut_Calc = Short_TimeOut();
            Step_Scan = Sec_Add_Next_Step;
        }
        break;

    // Closing: analyser mode off (three tries at most), transport closed.
    case 200:
        Count_Disable_Analyzer = 0;
        FAbortScan = false;
        Step_Scan = 201;
        break;
    case 201:
        if (!eth || Count_Disable_Analyzer > 2) {
            Step_Scan = 203;
        } else {
            ++Count_Disable_Analyzer;
            TimeOut_Calc = Converter_TimeOut();
            Send_Command("Zodudo_Disable_Analyzer_Mode", Converter_Port);
            Step_Scan = 202;
        }
        break;
    case 202:
        if (Answer()) Step_Scan = Answer_Is(Converter_Answer("Analyzer_Mode Disabled!")) ? 203 : 201;
        else if (TimeOut_Elapsed()) Step_Scan = 201;
        break;
    case 203:
        End_Scan();
        break;
    default:
        Step_Scan = 200;
        break;
    }
}
