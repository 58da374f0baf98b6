// The table editor window's fields above the tables: their controls, one row each, and
// their values as the file holds them.
#include "editors/frame/UFieldControls.h"
#include "editors/frame/UTableEditor.h"
#include "shell/UWindowParts.h"

namespace {

// The rows of the fields' panel.
constexpr int Field_Pitch = 28;
constexpr int Field_Top = 8;
constexpr int Field_Label_Offset = 3;
constexpr int Field_Left = 14;
constexpr int Field_Label_Width = 172;
constexpr int Field_Control_Left = 191;
constexpr int Field_Control_Width = 238;
constexpr int Field_Height = 21;

}  // namespace

void TFTableEditor::Make_Fields()
{
    if (FDesc.Fields.empty()) return;
    P_Fields = new TPanel(this);
    P_Fields->SetName("P_Fields");
    P_Fields->SetParent(this);
    P_Fields->SetAlign(alTop);
    P_Fields->SetBevelOuter(bvNone);
    P_Fields->SetHeight(Field_Top + int(FDesc.Fields.size()) * Field_Pitch);
    for (size_t i = 0; i < FDesc.Fields.size(); ++i) {
        const TFieldDesc& d = FDesc.Fields[i];
        const int Top = Field_Top + int(i) * Field_Pitch;
        const int Width = d.Width >= 0 ? d.Width : Field_Control_Width;
        TLabel* Label = nullptr;
        if (d.Kind != fkCheckBox) {
            Label = new TLabel(this);
            Label->SetParent(P_Fields);
            Label->SetBounds(Field_Left, Top + Field_Label_Offset, Field_Label_Width, 13);
        }
        TControl* Control = Label;
        switch (d.Kind) {
        case fkLabel:
            break;
        case fkText: {
            auto* e = new TEdit(this);
            e->SetParent(P_Fields);
            e->SetBounds(Field_Control_Left, Top, Width, Field_Height);
            Apply_Edit_Desc(e, d);
            if (d.Flags & ffHexKeys) e->TWinControl::OnKeyPress = [](TObject*, WideChar& Key) { Hex_Keys_Only(Key); };
            Control = e;
            break;
        }
        case fkList:
        case fkListEdit:
        case fkListIndex: {
            auto* c = new TComboBox(this);
            c->SetParent(P_Fields);
            c->SetStyle(d.Kind == fkListEdit ? csDropDown : csDropDownList);
            c->SetBounds(Field_Control_Left, Top, Width, Field_Height);
            for (const String& s : d.Items) c->Items()->Add(s);
            c->SetItemIndex(d.Item_Index);
            if (d.Max_Length) c->SetMaxLength(d.Max_Length);
            Apply_Field_Flags(c, d.Flags);
            Control = c;
            break;
        }
        case fkCheckBox: {
            auto* b = new TCheckBox(this);
            b->SetParent(P_Fields);
            b->SetBounds(Field_Left, Top + Field_Label_Offset, Field_Control_Left + Width - Field_Left, 17);
            Apply_Field_Flags(b, d.Flags);
            Control = b;
            break;
        }
        default:
            throw EInvalidArgument("A table editor's field cannot be of this kind: " + d.Control);
        }
        if (!d.Control.empty()) Control->SetName(d.Control);
        FFields.push_back(Control);
        FField_Labels.push_back(Label);
    }
}

String TFTableEditor::Field_Value(int Field) const
{
    const TFieldDesc& d = FDesc.Fields.at(size_t(Field));
    TControl* c = FFields.at(size_t(Field));
    switch (d.Kind) {
    case fkCheckBox: return static_cast<TCheckBox*>(c)->Checked() ? d.Check_On : d.Check_Off;
    case fkList: {
        auto* List = static_cast<TComboBox*>(c);
        const int i = List->ItemIndex();
        return i >= 0 && i < List->Items()->Count() ? List->Items()->Strings(i) : String();
    }
    case fkListIndex: return IntToStr(static_cast<TComboBox*>(c)->ItemIndex());
    case fkLabel: return String();
    default: return c->Text();
    }
}

void TFTableEditor::Set_Field_Value(int Field, const String& Value)
{
    const TFieldDesc& d = FDesc.Fields.at(size_t(Field));
    TControl* c = FFields.at(size_t(Field));
    switch (d.Kind) {
    case fkCheckBox: static_cast<TCheckBox*>(c)->SetChecked(Value == d.Check_On); break;
    case fkList: {
        auto* List = static_cast<TComboBox*>(c);
        List->SetItemIndex(List->Items()->IndexOf(Value));
        break;
    }
    case fkListIndex: {
        auto* List = static_cast<TComboBox*>(c);
        const int i = StrToIntDef(Value, -1);
        List->SetItemIndex(i >= 0 && i < List->Items()->Count() ? i : -1);
        break;
    }
    case fkLabel: break;
    default: c->SetText(Value); break;
    }
}

// At a showing: the lists with providers take the showing's items.
void TFTableEditor::Fill_Field_Lists()
{
    for (size_t i = 0; i < FDesc.Fields.size(); ++i) {
        const TFieldDesc& d = FDesc.Fields[i];
        if (!d.Items_From || (d.Kind != fkList && d.Kind != fkListEdit && d.Kind != fkListIndex)) continue;
        auto* List = static_cast<TComboBox*>(FFields[i]);
        List->Items()->Clear();
        for (const String& s : Field_Items(d, FData.Context)) List->Items()->Add(s);
    }
}

void TFTableEditor::Fields_From_Data()
{
    for (size_t i = 0; i < FFields.size() && i < FData.Fields.size(); ++i) Set_Field_Value(int(i), FData.Fields[i]);
}
