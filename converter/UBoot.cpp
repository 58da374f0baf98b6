// The update dialog: its controls and layout per variant, its texts, the address edits
// and the ping that decides whether the update goes on.
#include "converter/UBoot.h"

#include "converter/UUpdate.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "platform/rtl/Threads.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFBoot* FBoot = nullptr;

namespace {

constexpr int Dialog_Client_Width = 449;
constexpr int Address_Panel_Height = 49;
constexpr int Search_Panel_Height = 184;
constexpr int Options_Panel_Height = 72;
constexpr int Serial_Panel_Height = 51;
constexpr int Update_Button_Width = 170;

TPanel* Make_Panel(TForm* Form, const String& Name, int Height)
{
    TPanel* p = new TPanel(Form);
    p->SetName(Name);
    p->SetParent(Form);
    p->SetCaption("");
    p->SetBevelOuter(bvNone);
    p->SetColor(Window_Color);
    p->SetBounds(0, 0, Dialog_Client_Width, Height);
    return p;
}

TLabel* Make_Label(TForm* Form, TPanel* Parent, const String& Name, int Left, int Top, int Width)
{
    TLabel* l = Make_Control<TLabel>(Form, Parent, Name, Left, Top, Width, 13);
    l->SetCaption("");
    return l;
}

}  // namespace

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FBoot");
    Set_Dialog_Look(this);
    Make_Controls();
    OnShow = [this](TObject* s) { FormShow(s); };
    SetClientWidth(Dialog_Client_Width);
    SetClientHeight(Title_Panel_Height + Address_Panel_Height + Options_Panel_Height + Button_Panel_Height);
    Set_Lang();
}

void TFBoot::Make_Controls()
{
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(Dialog_Client_Width - 32);

    // ---- the address: four octets with a dot between each two ----
    P_IP_Address = Make_Panel(this, "P_IP_Address", Address_Panel_Height);
    L_IP_Address = Make_Label(this, P_IP_Address, "L_IP_Address", 16, 4, 300);
    TEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    TLabel** dots[] = {&L_Dot1, &L_Dot2, &L_Dot3};
    for (int i = 0; i < 4; ++i) {
        TEdit* e = Make_Control<TEdit>(this, P_IP_Address, "E_IP" + IntToStr(i + 1), 16 + i * 56, 21, 41, 21);
        e->SetColor(clWindow);
        e->SetText("0");
        e->SetShowHint(true);
        e->SetTabOrder(i);
        e->OnKeyPress = [this](TObject* s, WideChar& k) { KeyPress(s, k); };
        *edits[i] = e;
        if (i < 3) {
            TLabel* d = Make_Label(this, P_IP_Address, "L_Dot" + IntToStr(i + 1), 16 + i * 56 + 45, 27, 6);
            d->SetCaption(".");
            *dots[i] = d;
        }
    }

    // ---- the device search, kept hidden ----
    P_Eth_Search = Make_Panel(this, "P_Eth_Search", Search_Panel_Height);
    L_List_Device = Make_Label(this, P_Eth_Search, "L_List_Device", 16, 4, 300);
    Btn_Search = Make_Push_Button(this, "Btn_Search");
    Btn_Search->SetParent(P_Eth_Search);
    Btn_Search->SetBounds(Dialog_Client_Width - 16 - Dialog_Button_Width, 2, Dialog_Button_Width,
                          Dialog_Button_Height);
    CB_Find_All_VOD = Make_Control<TCheckBox>(this, P_Eth_Search, "CB_Find_All_VOD", 16, Search_Panel_Height - 24, 300, 17);
    CB_Find_All_VOD->SetShowHint(true);

    // ---- what to update ----
    P_Options = Make_Panel(this, "P_Options", Options_Panel_Height);
    L_Update_Option = Make_Label(this, P_Options, "L_Update_Option", 16, 4, 300);
    CB_Update_Options = new TComboBox(this);
    CB_Update_Options->SetName("CB_Update_Options");
    CB_Update_Options->SetParent(P_Options);
    CB_Update_Options->SetStyle(csDropDownList);
    CB_Update_Options->SetBounds(16, 21, 250, 21);
    CB_Update_Options->SetShowHint(true);
    CB_Update_Options->SetTabOrder(0);
    CB_Update_Option_Read_Back = Make_Control<TCheckBox>(this, P_Options, "CB_Update_Option_Read_Back", 16, 48, 250, 17);
    CB_Update_Option_Read_Back->SetShowHint(true);
    CB_Update_Option_Read_Back->SetTabOrder(1);

    // ---- the serial port (serial variant only); its texts are not in the text table ----
    P_Serial = Make_Panel(this, "P_Serial", Serial_Panel_Height);
    L_COM_Port = Make_Label(this, P_Serial, "L_COM_Port", 16, 4, 300);
    L_COM_Port->SetCaption("Select the COM port for the Update");
    CB_COM_Port = new TComboBox(this);
    CB_COM_Port->SetName("CB_COM_Port");
    CB_COM_Port->SetParent(P_Serial);
    CB_COM_Port->SetStyle(csDropDownList);
    CB_COM_Port->SetBounds(16, 21, 150, 21);
    Btn_COM_List = Make_Push_Button(this, "Btn_COM_List");
    Btn_COM_List->SetParent(P_Serial);
    Btn_COM_List->SetBounds(176, 18, Dialog_Button_Width, Dialog_Button_Height);
    Btn_COM_List->SetCaption("Update");
    Btn_COM_List->SetHint("Update COM Ports List");
    Btn_COM_List->OnClick = [this](TObject* s) { Btn_COM_ListClick(s); };

    // ---- the buttons ----
    P_Button = Make_Button_Panel(this);
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetParent(P_Button);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_Update = Make_Push_Button(this, "Btn_Update");
    Btn_Update->SetParent(P_Button);
    Btn_Update->OnClick = [this](TObject* s) { Btn_UpdateClick(s); };
    const int top = (Button_Panel_Height - Dialog_Button_Height) / 2;
    const int cancel_left = Dialog_Client_Width - 8 - Dialog_Button_Width;
    Btn_Update->SetBounds(cancel_left - 8 - Update_Button_Width, top, Update_Button_Width, Dialog_Button_Height);
    Btn_Cancel->SetBounds(cancel_left, top, Dialog_Button_Width, Dialog_Button_Height);
    Btn_Update->SetTabOrder(0);
    Btn_Cancel->SetTabOrder(1);

    for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) p->SetVisible(false);
}

// ---------------------------------------------------------------------------------
// Texts and layout
// ---------------------------------------------------------------------------------
void TFBoot::Set_Lang()
{
    const auto T = Lang_Text;
    switch (Form_Type) {
    case 0: SetCaption(T(1000)); L_SW_Desc->SetCaption(T(1001)); break;
    case 1: SetCaption(T(1002)); L_SW_Desc->SetCaption(T(1003)); break;
    case 2: SetCaption(T(1004)); L_SW_Desc->SetCaption(T(1005)); break;
    default: break;
    }
    L_IP_Address->SetCaption(T(1006));
    L_List_Device->SetCaption(T(1009));
    Btn_Search->SetCaption(T(1010));
    CB_Find_All_VOD->SetCaption(T(1013));
    L_Update_Option->SetCaption(T(1014));
    CB_Update_Options->Items()->Clear();
    for (int n : {1015, 1016, 1017}) CB_Update_Options->Items()->Add(T(n));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(T(1018));
    Btn_Cancel->SetCaption(T(1019));
    Btn_Update->SetCaption(T(1020));
    E_IP1->SetHint(T(1021));
    E_IP2->SetHint(T(1022));
    E_IP3->SetHint(T(1023));
    E_IP4->SetHint(T(1024));
    Btn_Search->SetHint(T(1029));
    CB_Find_All_VOD->SetHint(T(1031));
    CB_Update_Options->SetHint(T(1032));
    CB_Update_Option_Read_Back->SetHint(T(1033));
    Btn_Cancel->SetHint(T(1034));
    Btn_Update->SetHint(T(1035));
}

void TFBoot::FormShow(TObject*)
{
    Set_Lang();
    L_SW_Code->SetCaption(SW_Code);

    for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
        p->SetVisible(false);
        p->SetAlign(alNone);
    }
    // Panels aligned to the top stack in the order of their tops.
    auto stack = [this](std::initializer_list<TPanel*> panels) {
        int top = P_Title->Height();
        for (TPanel* p : panels) {
            p->SetTop(top);
            p->SetAlign(alTop);
            top += p->Height();
        }
    };
    auto show_choices = [this] {
        CB_Update_Options->SetItemIndex(Update_Option_Index);
        CB_Update_Option_Read_Back->SetChecked(Update_Option_Read_Back);
    };

    if (Form_Type == 1) {
        P_IP_Address->SetVisible(true);
        P_Options->SetVisible(true);
        SetClientWidth(Dialog_Client_Width);
        stack({P_IP_Address, P_Eth_Search, P_Options});
        SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
        P_Title->SetTabOrder(0);
        P_IP_Address->SetTabOrder(1);
        P_Eth_Search->SetTabOrder(2);
        P_Options->SetTabOrder(3);
        P_Button->SetTabOrder(4);
        P_Serial->SetTabOrder(5);
        String p1, p2, p3, p4;
        if (!Last_IP_Address.empty() && Split_IP_Address(Last_IP_Address, p1, p2, p3, p4)) {
            E_IP1->SetText(p1);
            E_IP2->SetText(p2);
            E_IP3->SetText(p3);
            E_IP4->SetText(p4);
        }
        show_choices();
        if (E_IP1->CanFocus()) E_IP1->SetFocus();
    } else if (Form_Type == 0) {
        P_Serial->SetVisible(true);
        P_Options->SetVisible(true);
        SetClientWidth(Dialog_Client_Width);
        stack({P_Serial, P_Options});
        SetClientHeight(P_Title->Height() + P_Serial->Height() + P_Options->Height() + P_Button->Height());
        P_Serial->SetTabOrder(1);
        P_Options->SetTabOrder(2);
        P_Button->SetTabOrder(3);
        P_IP_Address->SetTabOrder(4);
        P_Eth_Search->SetTabOrder(5);
        show_choices();
        update_ComPort();
        if (CB_COM_Port->CanFocus()) CB_COM_Port->SetFocus();
    } else {
        SetClientHeight(P_Title->Height() + P_Button->Height());
    }
}

void TFBoot::KeyPress(TObject* Sender, WideChar& Key)
{
    if (Key != L'.') return;
    Key = 0;
    TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
    if (next && next->CanFocus()) next->SetFocus();
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->Items()->Clear();
    std::unique_ptr<TStringList> ports = Get_COM_Ports();
    for (int i = 0; i < ports->Count(); ++i) CB_COM_Port->Items()->Add("COM" + ports->Strings(i));
    CB_COM_Port->SetItemIndex(0);
}

void TFBoot::Btn_COM_ListClick(TObject*) { update_ComPort(); }

String TFBoot::IP_Address_Text() const
{
    return E_IP1->Text() + "." + E_IP2->Text() + "." + E_IP3->Text() + "." + E_IP4->Text();
}

String TFBoot::Update_Options(const String& Text) const
{
    const int option = CB_Update_Options->ItemIndex();
    const bool read_back = CB_Update_Option_Read_Back->Checked();
    String line = Text;
    if (option == Update_Firmware_And_Configuration || option == Update_Firmware)
        line += read_back ? "FW FR " : "FW NO ";
    else
        line += "NO NO ";
    if (option == Update_Firmware_And_Configuration || option == Update_Configuration)
        line += read_back ? "PW PR " : "PW NO ";
    else
        line += "NO NO ";
    return line;
}

// ---------------------------------------------------------------------------------
// The update button and the ping
// ---------------------------------------------------------------------------------
bool TFBoot::Update_Stopped() const
{
    return ModalResult() != mrNone || Application->Terminated();
}

void TFBoot::Btn_UpdateClick(TObject*)
{
    // A click that was queued while a ping ran is not a second update.
    if (FPinging) return;
    if (Form_Type != 1) {
        if (Form_Type == 0) {
            Update_Option_Index = CB_Update_Options->ItemIndex();
            Update_Option_Read_Back = CB_Update_Option_Read_Back->Checked();
        }
        return;
    }

    const bool answered = Send_Ping();
    if (Update_Stopped()) return;   // closed while pinging: nothing more happens
    if (!answered) {
        if (ping_res == 2)
            MessageDlg(Lang_Text(1036), mtWarning, TMsgDlgButtons{mbOK}, 0);
        else
            MessageDlg(Lang_Text(1037), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    Last_IP_Address = IP_Address_Text();
    Update_Option_Index = CB_Update_Options->ItemIndex();
    Update_Option_Read_Back = CB_Update_Option_Read_Back->Checked();
    Compile_XML_Parameter_New_Boot();
    TFDuvazaradFirmWare::Start_Program(PathJoin(Exe_Path, Updater_File_Name), "", 0);
}

void TFBoot::PingReply(const TPingReply& Reply)
{
    // Only the host's own echo reply carrying our data is an answer; anything else that
    // came back, or nothing, is not.
    ping_res = Reply.Result == prReplyWithData ? 1 : 2;
}

bool TFBoot::Send_Ping()
{
    if (FPinging) return false;
    FPinging = true;
    const bool was_enabled = Btn_Update->Enabled();
    Btn_Update->SetEnabled(false);
    struct TRestore {
        TFBoot* Self;
        bool Enabled;
        ~TRestore() { Self->FPinging = false; Self->Btn_Update->SetEnabled(Enabled); }
    } restore{this, was_enabled};

    ping_res = 0;
    const uint64_t T0 = GetTickCount64();
    const String Host = IP_Address_Text();
    std::string Data = Host.substr(0, Ping_Data_Size);
    Data.resize(Ping_Data_Size, '\0');

    int answered = 0;
    do {
        const TPingReply Reply = Echo ? Echo(Host, Data, Ping_Echo_Timeout_Ms)
                                      : Ping.Ping(Host, Data, Ping_Echo_Timeout_Ms);
        // An address that cannot be pinged at all: ping_res keeps what the echoes before
        // found.
        if (Reply.Result == prError) return false;
        PingReply(Reply);
        // The echo has been waited for; let the dialog breathe before the next one.
        Sleep(10);
        Application->ProcessMessages();
        if (Update_Stopped()) return false;
        if (ping_res == 1 && ++answered == Ping_Answers_Needed) break;
    } while (GetTickCount64() - T0 <= Ping_Limit_Ms);
    return ping_res == 1;
}

// ---------------------------------------------------------------------------------
// In the program
// ---------------------------------------------------------------------------------
void Plug_Boot_Window()
{
    Plug_Window("TFBoot", FBoot);
    Main_Window_Steps.Update_Device = [] { Update_Device(); };
}
