#pragma once
// The options window: the language of the user interface (tried out on a click on its
// flag, committed by OK), internet access and the periodic version check, a version check
// on demand, and the two table options. Also the version check itself, which the main
// window's timer runs too.
#include <cstdint>
#include <vector>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

// ---- the maker's web server ----
// The version service, as "http://host[:port]" (a bare host gets "http://"). Empty: no
// version is ever asked for and the check always finds nothing newer. The build sets the
// default (CONF_VERSION_SERVER, empty unless given).
extern String Version_Server;
// Limit of one version request, connecting included; a request that takes longer counts
// as no answer, so the window waits at most this long.
extern uint32_t Version_Check_Timeout_Ms;
// The maker's web address as the windows show it (CONF_MAKER_WEB_ADDRESS).
extern String Maker_Web_Address;
String Maker_Home_Page();   // the address to open for Maker_Web_Address
String Download_Page();     // the page a newer version is fetched from
// The request the version check sends, empty when no server is set.
String Version_Request_URL();
// The request's header lines (what it accepts, who asks).
extern const std::vector<String> Version_Request_Headers;

class TFSoftOptions : public TForm {
public:
    explicit TFSoftOptions(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TPageControl* PC_Options;
    TTabSheet* TS_Language;
    TLabel* L_Sel_Lang;
    TLabel* L_Page_Lang;
    TImage* I_L1; TImage* I_L2; TImage* I_L3; TImage* I_L4; TImage* I_L5; TImage* I_L6;
    TLabel* L_L1; TLabel* L_L2; TLabel* L_L3; TLabel* L_L4; TLabel* L_L5; TLabel* L_L6;
    TLbButton* Btn_Prev;
    TLbButton* Btn_Next;
    TTabSheet* TS_Con_Options;
    TCheckBox* CB_En_Con;
    TCheckBox* CB_Update;
    TLbButton* Btn_Check_Update;
    TLinkLabel* LL_Check_Update;
    TTabSheet* TS_Soft_Settings;
    TCheckBox* CB_Soft_Set_Jump_Table;
    TCheckBox* CB_DoubleClick_Auto_Size;

    int32_t Show_Page = 1;          // the language page shown, from 1
    TStringList SL_Languages;       // language files found, sorted
    String Language_In_Use;         // the language chosen here; Language_Name only after OK

    // True when the version service reports a newer version than this program's.
    bool Check_Version();
    // "d.ddd" after the first blank (or the whole text) as the number its four digits make; -1 otherwise.
    static int32_t Conv_Version(const String& Ver_str);

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Create_Lang_List();
    void Update_Lang_Page(int32_t Num_Page);
    void Btn_NextClick(TObject* Sender);
    void LangClick(TObject* Sender);
    void Update_CheckBox();
    void CB_En_ConClick(TObject* Sender);
    void Btn_Check_UpdateClick(TObject* Sender);
    void LL_Check_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
    void Btn_OKClick(TObject* Sender);
    void Set_Lang();

    // Slot k (1..6) of the language page.
    TImage* Slot_Image(int k) const;
    TLabel* Slot_Label(int k) const;
    int32_t Page_Count() const { return (SL_Languages.Count() + 5) / 6; }
};

extern TFSoftOptions* FSoftOptions;
