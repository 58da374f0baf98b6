#pragma once
// The update dialog: the user types the converter's IPv4 address, picks what to send
// (firmware, the two configuration images, or all three) and whether the updater reads
// back what it wrote, and presses the update button. The dialog pings the address; only
// when the converter answers does it keep the address, write the job file
// Ethernet_Update.xml beside the program and start the external updater (UUpdate.h).
//
// The ping runs on the interface thread: one echo at a time, each waited for at most
// Ping_Echo_Timeout_Ms, with the window messages handled between two echoes so the
// dialog can be moved, repainted and closed. While it runs the update button is
// disabled; closing the dialog stops the update: no job file, no updater.
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/net/IcmpEcho.h"
#include "platform/xml/XMLDoc.h"
#include "shell/LbButton.h"

// The echo the converter is asked for: this many data bytes, holding the address text.
constexpr int Ping_Data_Size = 1024;
// The converter counts as present after this many answered echoes.
constexpr int Ping_Answers_Needed = 2;

// The update options, item indexes of CB_Update_Options.
constexpr int Update_Firmware_And_Configuration = 0;
constexpr int Update_Firmware = 1;
constexpr int Update_Configuration = 2;

// One echo: sends Data to Host and waits at most Timeout_Ms for the answer.
using TEcho_Function = std::function<TPingReply(const String& Host, std::string_view Data, uint32_t Timeout_Ms)>;

class TFBoot : public TForm {
public:
    explicit TFBoot(TComponent* AOwner);

    // The variant shown: 0 serial port, 1 Ethernet (the update step's), 2 USB (captions only).
    int Form_Type = 0;
    // The last echo: 0 none yet, 1 answered with our data, 2 not answered.
    int ping_res = 0;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;

    TPanel* P_IP_Address;
    TLabel* L_IP_Address;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TLabel* L_Dot1;
    TLabel* L_Dot2;
    TLabel* L_Dot3;

    // The device search: never shown in this build, its button does nothing.
    TPanel* P_Eth_Search;
    TLabel* L_List_Device;
    TLbButton* Btn_Search;
    TCheckBox* CB_Find_All_VOD;

    TPanel* P_Options;
    TLabel* L_Update_Option;
    TComboBox* CB_Update_Options;
    TCheckBox* CB_Update_Option_Read_Back;

    TPanel* P_Serial;
    TLabel* L_COM_Port;
    TComboBox* CB_COM_Port;
    TLbButton* Btn_COM_List;

    TPanel* P_Button;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Update;

    // The ICMP client and the document the job file is written through.
    TIcmpEcho Ping;
    TXMLDocument XML1;

    // Timing of the ping; tests shorten the overall limit.
    uint32_t Ping_Echo_Timeout_Ms = 400;
    uint32_t Ping_Limit_Ms = 5000;
    // When set, used for each echo instead of Ping (tests stand in for a converter).
    TEcho_Function Echo;

    void FormShow(TObject* Sender);
    void Set_Lang();
    // "." in an octet edit moves on to the next one and never reaches the edit.
    void KeyPress(TObject* Sender, WideChar& Key);
    void Btn_UpdateClick(TObject* Sender);
    void Btn_COM_ListClick(TObject* Sender);
    // Takes the outcome of one echo into ping_res.
    void PingReply(const TPingReply& Reply);

    // Pings the typed address; true when the converter answered.
    bool Send_Ping();
    // True while Send_Ping runs.
    bool Pinging() const { return FPinging; }
    // Fills the COM port list with the ports present and selects the first.
    void update_ComPort();
    // Text followed by the choices as command-line tokens of the updater.
    String Update_Options(const String& Text) const;
    // The four octet edits joined with "." as typed.
    String IP_Address_Text() const;
    // Writes Ethernet_Update.xml beside the program for the chosen option.
    void Compile_XML_Parameter_New_Boot();

private:
    void Make_Controls();
    // The dialog is being closed (or the program ends): a running update stops.
    bool Update_Stopped() const;
    bool FPinging = false;
};

extern TFBoot* FBoot;

// Plugs the update dialog in at its place among the program's windows and makes step 5
// of the main window run Update_Device.
void Plug_Boot_Window();
