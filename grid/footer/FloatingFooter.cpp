#include "grid/footer/FloatingFooter.h"

void TFloatingFooter::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TFloatingFooter*>(Source)) {
        Visible = s->Visible;
        FooterStyle = s->FooterStyle;
        CalculateHiddenRows = s->CalculateHiddenRows;
    }
}
