// ParGen.xml of the parameter window: the root Par_Gen, the version comment after it and
// one element per key, in a fixed order. Reading takes the keys one by one: an edit shows
// its value as it stands whenever the user could have typed it there, a list the item of
// that text, a box its state; a key that is missing, or an edit's value no typing could
// give, takes its default.
#include "converter/UParGen.h"
#include "converter/UParGenDesign.h"
#include "platform/rtl/Unicode.h"

using namespace pargen;

namespace {

int Find_Item(TComboBox* list, const String& v)
{
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (SameText(list->Items()->Strings(i), v)) return i;
    return -1;
}

}  // namespace

bool TFParGen::Could_Type(TEdit* Edit, const String& Value) const
{
    if (!IsValidUtf8(Value)) return false;
    const std::u32string keys = Utf8ToUtf32(Value);
    if (Edit->MaxLength() > 0 && int(keys.size()) > Edit->MaxLength()) return false;
    for (char32_t ch : keys)
        if (!TEdit::InsertsChar(WideChar(ch)) || !Takes_Key(Edit, WideChar(ch))) return false;
    return true;
}

bool TFParGen::Apply_Key_Value(int Key, const String& Value)
{
    const TFieldDesc& k = Key_Designs[Key];
    TControl* c = Control(k.Control);
    switch (k.Kind) {
    case fkText: {
        auto* e = static_cast<TEdit*>(c);
        if (!Could_Type(e, Value)) return false;
        e->SetText(Value);   // in the edit's case, as typing shows it
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
