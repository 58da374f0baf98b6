#include "grid/footer/FloatingFooter.h"

void TFloatingFooter::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TFloatingFooter*>(Source)) {
        CalculateHiddenRows = s->CalculateHiddenRows;
        Color = s->Color;
        Column = s->Column;
        CustomTemplate = s->CustomTemplate;
        FooterStyle = s->FooterStyle;
        SetVisible(s->Visible);
        SetShowHint(s->ShowHint);
    }
}
