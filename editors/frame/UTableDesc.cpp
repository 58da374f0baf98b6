// The parts of a description most editors share.
#include "editors/frame/UTableDesc.h"

namespace {

TFieldDesc Column(const String& Name, int Caption, int Hint, TFieldKind Kind)
{
    TFieldDesc c;
    c.Name = Name;
    c.Caption = Caption;
    c.Hint = Hint;
    c.Kind = Kind;
    return c;
}

}  // namespace

TFieldDesc Number_Column(int Caption) { return Column("", Caption, -1, fkNumber); }

TFieldDesc Enable_Column(int Caption, int Hint)
{
    TFieldDesc c = Column("Enable", Caption, Hint, fkCheckBox);
    c.Default = c.Check_On;
    c.Start = c.Check_On;
    return c;
}

TFieldDesc Text_Column(const String& Name, int Caption, int Hint) { return Column(Name, Caption, Hint, fkText); }

TFieldDesc Check_Column(const String& Name, int Caption, int Hint)
{
    TFieldDesc c = Column(Name, Caption, Hint, fkCheckBox);
    c.Default = c.Check_Off;
    return c;
}

TFieldDesc List_Column(const String& Name, int Caption, int Hint, TFieldKind Kind, std::vector<String> Items)
{
    TFieldDesc c = Column(Name, Caption, Hint, Kind);
    c.Items = std::move(Items);
    return c;
}

TFieldDesc With_Default(TFieldDesc Field, std::optional<String> Default)
{
    Field.Default = std::move(Default);
    return Field;
}

void Text_Block(TEditorDesc& Editor, int Base)
{
    Editor.Caption = Base;
    Editor.Description = Base + 1;
    Editor.Buttons.clear();
    const TEditorButton Kinds[6] = {ebOK, ebCancel, ebDelRow, ebInsRow, ebCopyRow, ebPasteRow};
    for (int i = 0; i < 6; ++i) {
        TButtonDesc b;
        b.Kind = Kinds[i];
        b.Caption = Base + 2 + i;
        b.Hint = Base + 8 + i;
        Editor.Buttons.push_back(std::move(b));
    }
}
