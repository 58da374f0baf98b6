#pragma once
// The M-Bus scan engine: one worker thread that carries a wired scan (through the
// converter's M-Bus master, over UDP or a serial port) or a wireless scan (through the
// converter's radio module, over UDP) forward one step at a time, and hands what it finds
// to the interface thread.
//
// Threads. The interface thread starts, stops and aborts scans and hands in keys; the
// engine's thread runs the steps; the UDP listener thread takes the replies and decodes
// wireless telegrams. The steps and every request that changes a scan take the step lock,
// so a request lands between two steps; a reply is copied whole under the reply lock, so
// a step sees no reply or one complete reply. The window's callbacks are never called on
// those threads: each call is queued to the interface thread in the order it was made,
// and the end of a scan (FInScan cleared) is queued behind them, so when the window sees a
// scan ended it has already been given everything that scan found.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "mbus/comm/CommInt.h"
#include "mbus/decode/UMBusDecoder.h"
#include "mbus/engine/MBusFrames.h"
#include "mbus/engine/ScanClock.h"
#include "mbus/scan/MBusScanFiles.h"
#include "platform/net/Sockets.h"
#include "platform/rtl/Threads.h"

enum TScanType { saPrimaryAddress, saSecondaryAddress };
enum TSelectHard { shEthernet, shSerial };

// A key the radio module refused: the meter's index in List_Slave_wMBus.
using TKeyRefusedEvent = std::function<void(int32_t Index)>;

class TMBusScanDecode : public TThread {
public:
    // Starts the thread at once; its set-up runs on the thread, so creating the engine
    // costs the program's start nothing. Clock: nullptr for the system's.
    explicit TMBusScanDecode(TScanClock* Clock = nullptr);
    // Ends the thread loop, wakes the thread and waits for it; the transport is closed.
    ~TMBusScanDecode() override;

    // Wired scan; false, with nothing changed, while a scan runs. An error opening the
    // serial port or the UDP endpoint reaches the caller and starts nothing.
    bool Start_Scan(TScanType ScanT, TSelectHard SelHard, const String& IP_COM, int32_t Baud, int32_t Par,
                    bool AppReset, bool SNDNKE, int32_t CutAfter, bool FixCField, uint8_t FixCFieldValue,
                    bool RemoteTimeout, TUpdateSlaveListEvent Proc_Slave_List);
    // Wireless scan; refused the same way.
    bool Start_Scan_Wireless(TSelectHard SelHard, const String& IP_COM, uint16_t Port, int32_t wMBus_Mode,
                             int32_t wMBus_Radio_Channel, bool RemoteTimeout,
                             TUpdateListWirelessSlaveEvent Proc_Wireless, bool FromDLL);
    void Stop_Scan() { FStopScan = true; }
    void Abort_Scan() { FAbortScan = true; }
    // Loads the key of the meter at Index into the radio module while the scan listens.
    // False, with the scan and the meter left as they were, when the scan does not listen
    // or the module's key table is full.
    bool Insert_Wireless_Key(int32_t Index, const uint8_t Key[16]);

    bool Save_XML_Conf_Wired(const TSaveConfXML& DataIn, bool Check_BCD) { return ::Save_XML_Conf_Wired(DataIn, Check_BCD); }
    bool Save_XML_Conf_Wireless(const TSaveConfXML& DataIn, bool Check_BCD)
    {
        return ::Save_XML_Conf_Wireless(DataIn, Check_BCD);
    }

    // Read and written by the window directly.
    std::atomic<bool> FInScan{false};
    std::atomic<int32_t> FResult{-1};   // -1 before any scan, 1 normal, 2 the converter failed
    std::atomic<bool> FStopScan{false};
    std::atomic<bool> FAbortScan{false};
    // Runs the loop while signalled; the window sets it when shown and resets it when
    // closed. It belongs to this process alone: another running copy of the program has
    // its own and never wakes this engine.
    TEvent Event_Run{true, false};

    // Set before a scan starts (interface thread, no scan running).
    String SaveXMLFile;          // the scan result file written at the end; empty: none
    TKeyRefusedEvent OnKeyRefused;
    String Bind_Address = "0.0.0.0";   // local address of the wireless scan's port

    // What a running scan stands at, for the window and the tests.
    int32_t Step() const;
    TRadioModule Radio_Module() const { return RadioModule.load(); }
    bool Listening() const { return Wireless_Receive_Message.load(); }
    uint16_t Local_Port() const;
    // Datagrams sent and received over UDP since the engine was made.
    uint64_t Datagrams_Sent() const { return FSent.load(); }
    uint64_t Datagrams_Received() const { return FReceived.load(); }

    // The time-out test on the clock's tick: elapsed when the tick is past Start + Calc,
    // or below Start (the counter wrapped since the send).
    static bool TimeOut_Elapsed(uint32_t Now, uint32_t Start_Send, uint32_t TimeOut_Calc);

protected:
    void Execute() override;

private:
    // Transport.
    void Send_Command(const std::string& Text, uint16_t Port);
    void Send_Command(uint16_t Port);
    void Send_Bytes(const uint8_t* Data, size_t Size, uint16_t Port);
    bool TimeOut_Elapsed() const;
    void UDP_Read(std::string_view Data, const String& Peer);
    void Handle_Datagram(std::string_view Data, const String& Peer);
    void Poll_Serial();
    void Deliver_Reply(const uint8_t* Data, size_t Size);
    void Activate_UDP(uint16_t Port);
    void Set_Peer(const String& Address);
    void Close_Transport();
    void End_Scan();   // the final state: transport closed, result file, FInScan

    // One step of a state machine; Step_Lock held.
    void Step_Once();
    void Scan_Decode();
    void Scan_Decode_Wireless();
    // The reply the step looks at, taken whole at the step's start.
    bool Answer() const { return FStep_Answer; }
    bool Answer_Is(const std::string& Text) const;
    bool Answer_Is_Ack() const { return FStep_Answer && FStep_Reply.size() == 1 && FStep_Reply[0] == 0xE5; }

    // Wired helpers.
    uint32_t Short_TimeOut() const;
    uint32_t Long_TimeOut() const;
    uint32_t Converter_TimeOut() const { return 1000 + Add_TimeOut; }
    // Reads a valid long frame into the list: true when the meter is done.
    bool Read_Frame(bool& Valid);
    void Notify(int32_t Kind, int32_t Value, int32_t Found, int32_t Type);

    // Wireless helpers.
    void Send_Wireless(const std::string& Text, int32_t Next, uint32_t TimeOut = 1000);
    void Send_Wireless_Bytes(const TFrameBytes& Bytes, int32_t Next, uint32_t TimeOut = 1000);
    void Wait_Wireless(bool Expected, int32_t Next);
    void Wait_Any(int32_t Next);
    void Wireless_Error();
    bool Prompt() const { return FStep_Answer && FStep_Reply.size() == 1 && FStep_Reply[0] == 0x3E; }
    bool Prompt_First() const { return FStep_Answer && !FStep_Reply.empty() && FStep_Reply[0] == 0x3E; }
    bool OK() const { return Answer_Is("OK\r"); }
    bool In_Key_Loading() const;
    void Key_Refused();

    TScanClock* FClock;
    std::atomic<bool> FExit{false};
    // Steps and the requests that change the scan.
    mutable std::mutex FStep_Lock;
    // The last reply, written by the listener (or the serial poll).
    mutable std::mutex FAnswer_Lock;
    bool Answer_Arrived = false;
    std::vector<uint8_t> Ans_Array;
    // The reply as the current step sees it.
    bool FStep_Answer = false;
    std::vector<uint8_t> FStep_Reply;
    // Stepping stops at the final state; FInScan follows on the interface thread.
    bool FStepping = false;
    std::atomic<uint64_t> FScan_Number{0};   // scans started

    std::atomic<TRadioModule> RadioModule{rmTelit};
    TScanType ScanType = saPrimaryAddress;
    TSelectHard Select_Hardware = shEthernet;
    String IP_Address;
    String ComPort;
    int32_t Baudrate = 2400;
    int32_t Parity = 1;
    bool App_Reset = false;
    bool SND_NKE = false;
    int32_t Cut_After = 0;
    bool Fix_C_Field = false;
    uint8_t Fix_C_Field_Value = 1;
    int32_t wMBusMode = 1;
    int32_t wMBusRadioChannel = 0;
    int32_t Step_Scan = 0;
    TFrameBytes Req_Array;
    uint32_t TimeOut_Calc = 0;
    uint32_t Start_Send = 0;
    int32_t ID_Dev_Primary = -1;
    bool ID_Dev_Found = false;
    int32_t Num_Frame_Read = 0;
    std::array<int32_t, 8> Index{-1, -1, -1, -1, -1, -1, -1, -1};   // Index_A .. Index_H
    int32_t Index_Device = -1;
    int32_t Sec_Add_Next_Step = 108;
    int32_t Count_Disable_Analyzer = 0;
    uint16_t Port_Wireless = 0;
    std::atomic<bool> Wireless_Receive_Message{false};
    uint8_t Wireless_Key[16] = {};
    int32_t Wireless_Key_Index = -1;
    int32_t Index_Key_Send = 0;
    bool From_DLL = false;
    bool Enable_Send_In_Last_Step = false;
    uint32_t Type_To_Send_In_Last_Step = 1;
    int32_t Index_RadioCrafts_Erase_Position = 0;
    int32_t Index_RadioCrafts_Position_Used = 1;
    uint32_t Add_TimeOut = 0;
    std::atomic<TMBusType> MBusType{mtWired};
    // What a key being loaded replaced, so a refusal can put it back.
    bool FKey_Was_Enabled = false;
    uint8_t FKey_Was[16] = {};
    bool FKey_New_Position = false;
    int32_t FKey_Listen_State = 134;

    TUpdateSlaveListEvent Update_Slave_List;
    TUpdateListWirelessSlaveEvent UpdateListWirelessSlave;
    TMBusDecoder FWired;      // the engine's thread decodes long frames
    TMBusDecoder FWireless;   // the listener thread decodes telegrams

    TUdpSocket UDP_Server;
    uint16_t FBound_Port = 0;   // the local port a wireless scan bound
    TComm Comm;
    std::vector<uint8_t> FSerial_Pending;
    std::atomic<uint64_t> FSent{0};
    std::atomic<uint64_t> FReceived{0};
    // The converter's address: replies from any other sender are not the converter's.
    std::atomic<uint32_t> FPeer{0};
};

// The one engine of the program: made, running, on the first call (the scan window's
// creation, at start-up); freed at exit by Free_MBus_Scan_Engine.
TMBusScanDecode* MBus_Scan_Engine();
void Free_MBus_Scan_Engine();
