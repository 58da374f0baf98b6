// Validation of the parameter window before ParGen.xml is written: the first value that
// fails is reported in one error box, and nothing is saved.
#include "converter/UParGen.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// An address octet: an integer from 0 to 255 (a text that is no integer counts as -1).
bool Octet_Ok(const TEdit* e)
{
    const int v = StrToIntDef(e->Text(), -1);
    return v >= 0 && v <= 255;
}

}  // namespace

bool TFParGen::Controllo_Dati()
{
    auto fail = [this](const String& text) {
        MessageDlg(text, mtError, TMsgDlgButtons{mbOK}, 0);
        return false;
    };
    struct TOctet {
        TEdit* Edit;
        int Text;
    };
    auto first_bad = [](std::initializer_list<TOctet> octets) -> int {
        for (const TOctet& o : octets)
            if (!Octet_Ok(o.Edit)) return o.Text;
        return 0;
    };

    if (CB_EthConn_Enable_DNS->Checked()) {
        if (int t = first_bad({{E_EthConn_Pri_DNS_IP1, 2925}, {E_EthConn_Pri_DNS_IP2, 2926},
                               {E_EthConn_Pri_DNS_IP3, 2927}, {E_EthConn_Pri_DNS_IP4, 2928},
                               {E_EthConn_Sec_DNS_IP1, 2929}, {E_EthConn_Sec_DNS_IP2, 2930},
                               {E_EthConn_Sec_DNS_IP3, 2931}, {E_EthConn_Sec_DNS_IP4, 2932}}))
            return fail(Lang_Text(t));
    }

    if (Trim(List_Text(CB_LoRa_RF_Band)).empty()) return fail(Lang_Text(493));
    if (Trim(List_Text(CB_LoRa_Network_Type)).empty()) return fail(Lang_Text(494));
    if (Trim(List_Text(CB_LoRa_DataRate)).empty()) return fail(Lang_Text(495));
    if (Trim(List_Text(CB_LoRa_Transmission_Type)).empty()) return fail(Lang_Text(496));
    const int max_payload = Find_Max_PayLoad();
    const int payload = StrToIntDef(E_LoRa_Payload_Size->Text(), -1);
    if (payload < 1 || payload > max_payload) return fail(Format(Lang_Text(497), {max_payload}));
    if (Trim(List_Text(CB_LoRa_Activation_Method)).empty()) return fail(Lang_Text(499));

    // Checked also while DHCP disables them: the values are saved all the same.
    if (int t = first_bad({{E_Ethernet_IP1, 465}, {E_Ethernet_IP2, 466}, {E_Ethernet_IP3, 467},
                           {E_Ethernet_IP4, 468}, {E_Ethernet_SM1, 469}, {E_Ethernet_SM2, 470},
                           {E_Ethernet_SM3, 471}, {E_Ethernet_SM4, 472}}))
        return fail(Lang_Text(t));
    if (CB_Ethernet_En_GAT->Checked()) {
        if (int t = first_bad({{E_Ethernet_GAT1, 473}, {E_Ethernet_GAT2, 474}, {E_Ethernet_GAT3, 475},
                               {E_Ethernet_GAT4, 476}}))
            return fail(Lang_Text(t));
    }

    if (Check_KNX_Address(Trim(E_KNX_IDDevice->Text()), false, false) != 0) return fail(Lang_Text(882));
    return true;
}
