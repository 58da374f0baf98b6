// ParGen.xml of the parameter window: the root Par_Gen, the version comment after it and
// one element per key, in a fixed order. Reading takes the keys one by one; a key that is
// missing, or whose text its control cannot hold, takes its default.
#include "converter/UParGen.h"
#include "converter/UParGenDesign.h"
#include "platform/rtl/Unicode.h"

using namespace pargen;

namespace {

bool Is_Hex_Digit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Whether an edit could hold this text as typed: a single line, within its length limit
// and, for the hexadecimal edits, hexadecimal digits only.
bool Edit_Can_Hold(const TEdit* e, const TFieldDesc* d, const String& v)
{
    for (char c : v)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    if (e->MaxLength() > 0 && Utf8Length(v) > e->MaxLength()) return false;
    if (d && (d->Flags & ffHexKeys))
        for (char c : v)
            if (!Is_Hex_Digit(c)) return false;
    return true;
}

int Find_Item(TComboBox* list, const String& v)
{
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (SameText(list->Items()->Strings(i), v)) return i;
    return -1;
}

}  // namespace

bool TFParGen::Apply_Key_Value(int Key, const String& Value)
{
    const TFieldDesc& k = Key_Designs[Key];
    TControl* c = Control(k.Control);
    switch (k.Kind) {
    case fkText: {
        auto* e = static_cast<TEdit*>(c);
        const TFieldDesc* d = Find_Control_Design(k.Control);
        if (!Edit_Can_Hold(e, d, Value)) return false;
        e->SetText(d && (d->Flags & ffUpper) ? UpperCase(Value) : Value);
        return true;
    }
    case fkCheckBox:
        static_cast<TCheckBox*>(c)->SetChecked(Value == k.Check_On);
        return true;
    case fkList: {
        auto* list = static_cast<TComboBox*>(c);
        list->SetItemIndex(Find_Item(list, Value));
        return true;
    }
    case fkListIndex: {
        auto* list = static_cast<TComboBox*>(c);
        const int i = StrToIntDef(Value, 0);
        list->SetItemIndex(i >= 0 && i < list->Items()->Count() ? i : -1);
        return true;
    }
    default:
        break;
    }
    return false;
}

void TFParGen::Apply_Key_Default(int Key, bool No_File)
{
    const TFieldDesc& k = Key_Designs[Key];
    TControl* c = Control(k.Control);
    switch (k.Kind) {
    case fkText:
        static_cast<TEdit*>(c)->SetText(k.Default.value_or(String()));
        break;
    case fkCheckBox:
        static_cast<TCheckBox*>(c)->SetChecked(false);
        break;
    case fkList:
    case fkListIndex: {
        auto* list = static_cast<TComboBox*>(c);
        const int i = No_File ? k.No_File_Index : k.Missing_Index;
        list->SetItemIndex(i < list->Items()->Count() ? i : -1);
        break;
    }
    default:
        break;
    }
}

void TFParGen::Set_ParGen_No_File()
{
    for (int i = 0; i < Key_Count; ++i) {
        Apply_Key_Default(i, true);
        if (Key_Designs[i].Control == std::string_view("CB_LoRa_RF_Band")) Change_LoRa_DataRate();
    }
}

void TFParGen::Load_ParGen(const String& FileName)
{
    XML1.LoadFromFile(FileName);
    const TXMLNode root = XML1.DocumentElement();
    for (int i = 0; i < Key_Count; ++i) {
        const TFieldDesc& k = Key_Designs[i];
        if (k.Control == std::string_view("CB_EthConn_En_DHCP_WiFi")) {
            // Nobody reads this key: the box is always unchecked.
            CB_EthConn_En_DHCP_WiFi->SetChecked(false);
            continue;
        }
        bool applied = false;
        try {
            const TXMLNode node = root.FindNode(k.Name);
            if (node) applied = Apply_Key_Value(i, node.Text());
        } catch (const std::exception&) {
            applied = false;
        }
        if (!applied) Apply_Key_Default(i, false);

        // The data rate is looked up in the list of the band just read.
        if (k.Control == std::string_view("CB_LoRa_RF_Band")) Change_LoRa_DataRate();
        if (k.Control == std::string_view("CB_LoRa_DataRate") && CB_LoRa_DataRate->ItemIndex() < 0 &&
            CB_LoRa_DataRate->Items()->Count() > 0)
            CB_LoRa_DataRate->SetItemIndex(0);
    }
}

void TFParGen::Save_ParGen(const String& FileName)
{
    XML1.Clear();
    TXMLNode root = XML1.AddChild("Par_Gen");
    XML1.AddComment(ParGen_Version_Comment);
    for (int i = 0; i < Key_Count; ++i) {
        const TFieldDesc& k = Key_Designs[i];
        TControl* c = Control(k.Control);
        String value;
        switch (k.Kind) {
        case fkText:
            value = c->Text();
            break;
        case fkCheckBox:
            value = static_cast<TCheckBox*>(c)->Checked() ? k.Check_On : k.Check_Off;
            break;
        case fkList:
            value = List_Text(static_cast<TComboBox*>(c));
            break;
        case fkListIndex:
            value = IntToStr(static_cast<TComboBox*>(c)->ItemIndex());
            break;
        default:
            break;
        }
        root.AddChild(k.Name).SetText(value);
    }
    XML1.SaveToFile(FileName);
}
