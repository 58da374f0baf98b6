#include "shell/USoftOptions.h"

#include "platform/gui/Dialogs.h"
#include "platform/net/HttpClient.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

#ifndef CONF_VERSION_SERVER
#define CONF_VERSION_SERVER ""
#endif
#ifndef CONF_MAKER_WEB_ADDRESS
#define CONF_MAKER_WEB_ADDRESS "zodudo.example"
#endif

TFSoftOptions* FSoftOptions = nullptr;
String Version_Server = CONF_VERSION_SERVER;
uint32_t Version_Check_Timeout_Ms = 5000;
String Maker_Web_Address = CONF_MAKER_WEB_ADDRESS;
const std::vector<String> Version_Request_Headers = {
    "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
    "User-Agent: Mozilla/3.0 (compatible; Indy Library)"};

namespace {

String With_Scheme(const String& Address)
{
    const String a = ExcludeTrailingPathDelimiter(Trim(Address));
    if (StartsText("http://", a) || StartsText("https://", a)) return a;
    return "http://" + a;
}

constexpr int Slot_Count = 6;
constexpr int Options_Client_Width = 425;
constexpr int Options_Client_Height = 360;

}  // namespace

String Maker_Home_Page()
{
    return With_Scheme(Maker_Web_Address);
}

String Download_Page()
{
    return Trim(Version_Server).empty() ? Maker_Home_Page() + "/home/download/"
                                        : With_Scheme(Version_Server) + "/home/download/";
}

String Version_Request_URL()
{
    if (Trim(Version_Server).empty()) return "";
    return With_Scheme(Version_Server) + "/home/download/GetversionSW.asp?nomesw=" + Const_SW_Code_Query;
}

// ---------------------------------------------------------------------------------
// Version check
// ---------------------------------------------------------------------------------
int32_t TFSoftOptions::Conv_Version(const String& Ver_str)
{
    const int p = Pos(" ", Ver_str);
    const String t = Trim(Copy(Ver_str, p + 1, int(Ver_str.size())));
    if (t.size() < 5) return -1;
    const String digits = Copy(t, 1, 1) + Copy(t, 3, 3);
    for (char c : digits)
        if (c < '0' || c > '9') return -1;
    return StrToIntDef(digits, -1);
}

bool TFSoftOptions::Check_Version()
{
    const String url = Version_Request_URL();
    if (url.empty()) return false;
    THttpClient local;
    local.Headers = Version_Request_Headers;
    THttpClient& http = FDuvazaradFirmWare ? FDuvazaradFirmWare->HTTP1 : local;
    // The request runs on the interface thread: a bounded wait keeps the window alive.
    http.ConnectTimeoutMs = Version_Check_Timeout_Ms;
    http.TimeoutMs = Version_Check_Timeout_Ms;
    const THttpResponse r = http.Get(url);
    // No answer, or an error page, says nothing about a newer version.
    if (!r.Success || r.StatusCode < 200 || r.StatusCode > 299) return false;
    const String a = Trim(UpperCase(r.Body));
    if (a.empty() || a == "VER. 0.000") return false;
    return Conv_Version(a) > Conv_Version(Program_Version);
}

// ---------------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------------
TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FSoftOptions");
    Set_Dialog_Look(this);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);

    PC_Options = new TPageControl(this);
    PC_Options->SetName("PC_Options");
    PC_Options->SetParent(this);
    PC_Options->SetAlign(alClient);
    auto sheet = [this](const String& name) {
        TTabSheet* s = new TTabSheet(this);
        s->SetName(name);
        s->SetPageControl(PC_Options);
        s->SetColor(Window_Color);
        return s;
    };
    TS_Language = sheet("TS_Language");
    TS_Con_Options = sheet("TS_Con_Options");
    TS_Soft_Settings = sheet("TS_Soft_Settings");

    auto label = [this](TWinControl* parent, const String& name, int left, int top) {
        TLabel* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(parent);
        l->SetLeft(left);
        l->SetTop(top);
        l->SetCaption("");
        return l;
    };
    // ---- language page: three slots on the left, three on the right ----
    L_Sel_Lang = label(TS_Language, "L_Sel_Lang", 8, 8);
    L_Sel_Lang->Font()->SetStyle(TFontStyles{fsBold});
    L_Page_Lang = label(TS_Language, "L_Page_Lang", 300, 8);
    TImage** images[Slot_Count] = {&I_L1, &I_L2, &I_L3, &I_L4, &I_L5, &I_L6};
    TLabel** labels[Slot_Count] = {&L_L1, &L_L2, &L_L3, &L_L4, &L_L5, &L_L6};
    for (int k = 0; k < Slot_Count; ++k) {
        const int left = k < 3 ? 8 : 212;
        const int top = 30 + (k % 3) * 54;
        TImage* img = Make_Control<TImage>(this, TS_Language, "I_L" + IntToStr(k + 1), left, top, 48, 48);
        img->SetStretch(true);
        img->SetCursor(crHandPoint);
        img->SetTag(k + 1);
        img->OnClick = [this](TObject* s) { LangClick(s); };
        *images[k] = img;
        TLabel* l = label(TS_Language, "L_L" + IntToStr(k + 1), left + 56, top + 17);
        l->SetCursor(crHandPoint);
        l->SetTag(k + 1);
        l->OnClick = [this](TObject* s) { LangClick(s); };
        *labels[k] = l;
    }
    Btn_Prev = Make_Push_Button(this, "Btn_Prev");
    Btn_Prev->SetParent(TS_Language);
    Btn_Prev->SetBounds(8, 194, Dialog_Button_Width, 26);
    Btn_Prev->OnClick = [this](TObject* s) { Btn_NextClick(s); };
    Btn_Next = Make_Push_Button(this, "Btn_Next");
    Btn_Next->SetParent(TS_Language);
    Btn_Next->SetBounds(296, 194, Dialog_Button_Width, 26);
    Btn_Next->OnClick = [this](TObject* s) { Btn_NextClick(s); };

    // ---- connection page ----
    auto check = [this](TWinControl* parent, const String& name, int top) {
        TCheckBox* c = Make_Control<TCheckBox>(this, parent, name, 16, top, 390, 17);
        c->OnClick = [this](TObject* s) { CB_En_ConClick(s); };
        return c;
    };
    CB_En_Con = check(TS_Con_Options, "CB_En_Con", 16);
    CB_Update = check(TS_Con_Options, "CB_Update", 44);
    Btn_Check_Update = Make_Push_Button(this, "Btn_Check_Update");
    Btn_Check_Update->SetParent(TS_Con_Options);
    Btn_Check_Update->SetBounds(16, 76, 200, Dialog_Button_Height);
    Btn_Check_Update->OnClick = [this](TObject* s) { Btn_Check_UpdateClick(s); };
    LL_Check_Update = new TLinkLabel(this);
    LL_Check_Update->SetName("LL_Check_Update");
    LL_Check_Update->SetParent(TS_Con_Options);
    LL_Check_Update->SetLeft(16);
    LL_Check_Update->SetTop(116);
    LL_Check_Update->SetVisible(false);
    LL_Check_Update->OnLinkClick = [this](TObject* s, const String& link, TSysLinkType t) {
        LL_Check_UpdateLinkClick(s, link, t);
    };

    // ---- table settings page ----
    CB_Soft_Set_Jump_Table = check(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 16);
    CB_DoubleClick_Auto_Size = check(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 44);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TImage* TFSoftOptions::Slot_Image(int k) const
{
    TImage* const images[Slot_Count] = {I_L1, I_L2, I_L3, I_L4, I_L5, I_L6};
    return images[k - 1];
}

TLabel* TFSoftOptions::Slot_Label(int k) const
{
    TLabel* const labels[Slot_Count] = {L_L1, L_L2, L_L3, L_L4, L_L5, L_L6};
    return labels[k - 1];
}

void TFSoftOptions::FormCreate(TObject*)
{
    SL_Languages.Clear();
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(Options_Client_Width);
    SetClientHeight(Options_Client_Height);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    TS_Con_Options->SetTabVisible(true);
    Set_Lang();
}

void TFSoftOptions::FormShow(TObject*)
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->SetVisible(false);
    PC_Options->SetActivePage(TS_Language);
    CB_En_Con->SetChecked(Enable_Internet);
    CB_Update->SetChecked(Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.Clear();
    // Files the user may not change (read-only) stay out, as do folders and anything
    // that is not a plain file.
    for (const TSearchRec& r : FindFiles(Language_Path)) {
        if (r.IsFolder || (r.Attr & (faReadOnly | faDirectory))) continue;
        if (r.Name.size() > 4 && r.Name.compare(r.Name.size() - 4, 4, ".lng") == 0) SL_Languages.Add(r.Name);
    }
    SL_Languages.CustomSort([](const TStringList& l, int a, int b) { return CompareText(l.Strings(a), l.Strings(b)); });
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int32_t Num_Page)
{
    const auto T = Lang_Text;
    const int count = SL_Languages.Count();
    const int pages = Page_Count();
    L_Sel_Lang->SetCaption(T(304) + Language_In_Use);
    L_Page_Lang->SetCaption(T(305) + IntToStr(Num_Page) + T(306) + IntToStr(pages));
    Btn_Prev->SetVisible(Num_Page != 1);
    Btn_Next->SetVisible(Num_Page != pages);

    int n = count - (Num_Page - 1) * Slot_Count;
    if (n > Slot_Count) n = Slot_Count;
    for (int k = 1; k <= Slot_Count; ++k) {
        const bool shown = k <= n;
        Slot_Image(k)->SetVisible(shown);
        Slot_Label(k)->SetVisible(shown);
        if (!shown) continue;
        const String& file = SL_Languages.Strings((Num_Page - 1) * Slot_Count + k - 1);
        const String name = file.substr(0, file.size() - 4);
        Slot_Label(k)->SetCaption(name);
        // The language's flag, else the default flag, else no picture.
        TImage* img = Slot_Image(k);
        bool loaded = false;
        for (const String& flag : {PathJoin(Language_Path, name + ".bmp"), PathJoin(Language_Path, "DefaultFlag.bmp")}) {
            if (!FileExists(flag)) continue;
            try {
                img->Picture()->LoadFromFile(flag);
                loaded = true;
                break;
            } catch (const Exception&) {
                // An unreadable picture counts as a missing one.
            }
        }
        if (!loaded) {
            img->Picture()->Clear();
            img->SetVisible(false);
        }
    }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    if (Sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1) ++Show_Page;
    } else if (Show_Page - 1 > 0) {
        --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(TObject* Sender)
{
    const auto* c = dynamic_cast<const TComponent*>(Sender);
    if (!c) return;
    const int index = (Show_Page - 1) * Slot_Count + int(c->Tag()) - 1;
    if (index < 0 || index >= SL_Languages.Count()) return;
    const String& file = SL_Languages.Strings(index);
    const String name = file.substr(0, file.size() - 4);

    const auto T = Lang_Text;
    if (MessageDlg(T(316) + Language_In_Use + T(317) + name + T(318), mtConfirmation, mbYesNo, 0) != mrYes)
        return;

    // The table takes the new language; Language_Name keeps the stored one until OK,
    // also when loading fails (the table then goes back to the language in use).
    const String stored = Language_Name;
    try {
        Language_Name = name;
        Load_Language();
    } catch (...) {
        Language_Name = Language_In_Use;
        try {
            Load_Language();
        } catch (...) {
        }
        Language_Name = stored;
        throw;
    }
    Language_Name = stored;
    Language_In_Use = name;

    if (FDuvazaradFirmWare) FDuvazaradFirmWare->Change_Language();
    L_Sel_Lang->SetCaption(T(304) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*)
{
    Update_CheckBox();
}

void TFSoftOptions::Btn_Check_UpdateClick(TObject*)
{
    if (Check_Version())
        LL_Check_Update->SetCaption("<a href=\"" + Download_Page() + "\">" + Lang_Text(314) + "</a>");
    else
        LL_Check_Update->SetCaption(Lang_Text(315));
    LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const String& Link, TSysLinkType)
{
    Shell_Open(Link);
}

void TFSoftOptions::Btn_OKClick(TObject*)
{
    Language_Name = Language_In_Use;
    Enable_Internet = CB_En_Con->Checked();
    Enable_Update = CB_Update->Checked();
    if (FDuvazaradFirmWare) FDuvazaradFirmWare->Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
    Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}

void TFSoftOptions::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(300));
    L_SW_Desc->SetCaption(T(301));
    TS_Language->SetCaption(T(302));
    TS_Con_Options->SetCaption(T(303));
    L_Sel_Lang->SetCaption(T(304));
    L_Page_Lang->SetCaption(T(305) + "1" + T(306) + "1");
    Btn_Prev->SetCaption(T(307));
    Btn_Next->SetCaption(T(308));
    CB_En_Con->SetCaption(T(309));
    CB_Update->SetCaption(T(310));
    Btn_Check_Update->SetCaption(T(311));
    Btn_OK->SetCaption(T(312));
    Btn_Cancel->SetCaption(T(313));
    TS_Soft_Settings->SetCaption(T(319));
    CB_Soft_Set_Jump_Table->SetCaption(T(320));
    CB_DoubleClick_Auto_Size->SetCaption(T(321));
}
