// Set_Lang of the parameter window: labels, check-box captions, hints and the items of
// five family lists from the text table. The panel captions are not touched: they keep
// the language the program started with.
#include "converter/UParGen.h"
#include "shell/ULanguage.h"
#include "converter/UParGenDesign.h"

using namespace pargen;

void TFParGen::Set_Lang()
{
    for (int i = 0; i < Text_Design_Count; ++i) {
        const TTextDesign& t = Text_Designs[i];
        TControl* c = String(t.Name) == "FParGen" ? this : Control(t.Name);
        if (!c) throw EInvalidArgument(String("No control ") + t.Name);
        switch (t.Prop) {
        case tpCaption:
            c->SetCaption(Lang_Text(t.Number));
            break;
        case tpHint:
            c->SetHint(Lang_Text(t.Number));
            break;
        case tpItems: {
            auto* list = dynamic_cast<TComboBox*>(c);
            if (!list) throw EInvalidArgument(String("No list ") + t.Name);
            list->Items()->Clear();
            for (int k = 0; k < t.Count; ++k) list->Items()->Add(Lang_Text(t.Number + k));
            list->SetItemIndex(0);
            break;
        }
        }
    }
}
