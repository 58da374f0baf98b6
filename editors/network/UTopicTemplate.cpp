// The MQTT template dialog.
#include "editors/network/UTopicTemplate.h"

#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFTopicTemplate* FTopicTemplate = nullptr;

namespace {

constexpr int Legend_Height = 108;
constexpr int Splitter_Height = 3;
// The text keeps at least this much room when the legend is dragged larger.
constexpr int Least_Text_Height = 40;

// The bar between the text and the legend: dragging it gives the legend (the control
// below it) more or less room.
class TTemplateSplitter : public TCustomControl {
public:
    TTemplateSplitter(TComponent* AOwner, TControl* Below, TControl* Above)
        : TCustomControl(AOwner), FBelow(Below), FAbove(Above)
    {
        SetCursor(crVSplit);
    }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        if (Button != mbLeft) return;
        FDragging = true;
        FStart_Y = Y;
        SetMouseCapture(true);
    }
    void MouseMove(TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseMove(Shift, X, Y);
        if (!FDragging) return;
        const int Room = FBelow->Height() + FAbove->Height() - Least_Text_Height;
        FBelow->SetHeight(std::clamp(FBelow->Height() - (Y - FStart_Y), 0, std::max(0, Room)));
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        if (!FDragging) return;
        FDragging = false;
        SetMouseCapture(false);
    }

private:
    TControl* FBelow;
    TControl* FAbove;
    bool FDragging = false;
    int FStart_Y = 0;
};

TPanel* Plain_Panel(TForm* Owner, TWinControl* Parent, const String& Name, TAlign Align, int Height)
{
    TPanel* p = new TPanel(Owner);
    p->SetName(Name);
    p->SetParent(Parent);
    p->SetCaption("");
    p->SetBevelOuter(bvNone);
    if (Height > 0) p->SetHeight(Height);
    p->SetAlign(Align);
    return p;
}

}  // namespace

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FTopicTemplate");
    Set_Dialog_Look(this);
    SetShowHint(false);
    SetClientWidth(635);
    SetClientHeight(396);
    OnShow = [this](TObject* s) { FormShow(s); };

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(ClientWidth() - 32);
    // Bottom up: the buttons, the legend, the bar; the text takes what remains.
    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    for (TLbButton* b : {Btn_OK, Btn_Cancel}) b->SetShowHint(false);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);

    P_Legend = Plain_Panel(this, this, "P_Legend", alBottom, Legend_Height);
    L_List_Keywords = Make_Control<TLabel>(this, P_Legend, "L_List_Keywords", 8, 4, 400, 13);
    L_List_Keywords->SetAlign(alTop);
    ASG_Keywords = new TExtStringGrid(this);
    ASG_Keywords->SetName("ASG_Keywords");
    ASG_Keywords->SetParent(P_Legend);
    ASG_Keywords->SetAlign(alClient);
    ASG_Keywords->SetColCount(2);
    ASG_Keywords->SetRowCount(2);
    ASG_Keywords->SetFixedCols(0);
    ASG_Keywords->SetFixedRows(1);
    ASG_Keywords->SetColWidths(0, 200);
    ASG_Keywords->SetColWidths(1, 380);
    ASG_Keywords->SetOptions(ASG_Keywords->Options() << goEditing);
    ASG_Keywords->Loaded();

    Panel1 = Plain_Panel(this, this, "Panel1", alClient, 0);
    auto* Bar = new TTemplateSplitter(this, P_Legend, Panel1);
    Bar->SetName("Splitter1");
    Bar->SetParent(this);
    Bar->SetHeight(Splitter_Height);
    Bar->SetAlign(alBottom);
    Splitter1 = Bar;
    RE_TopicTemplate = new TMemo(this);
    RE_TopicTemplate->SetName("RE_TopicTemplate");
    RE_TopicTemplate->SetParent(Panel1);
    RE_TopicTemplate->SetAlign(alClient);
    RE_TopicTemplate->SetScrollBars(ssBoth);
    RE_TopicTemplate->SetWordWrap(false);

    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
    SetCaption(Lang_Strings[5300]);
    L_SW_Desc->SetCaption(Lang_Strings[5302]);
    L_List_Keywords->SetCaption(Lang_Strings[5304]);
    ASG_Keywords->SetCellEx(0, 0, Lang_Strings[5305]);
    ASG_Keywords->SetCellEx(1, 0, Lang_Strings[5306]);
    Btn_OK->SetCaption(Lang_Strings[5307]);
    Btn_Cancel->SetCaption(Lang_Strings[5308]);
}

void TFTopicTemplate::FormShow(TObject*)
{
    SetCaption(Lang_Strings[TopicTemplate != 0 ? 5301 : 5300]);
    L_SW_Desc->SetCaption(Lang_Strings[TopicTemplate != 0 ? 5303 : 5302]);
    Laod_Keywords();
    if (RE_TopicTemplate->CanFocus()) RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    const int n = int(std::min(FKeywords.size(), FDescriptions.size()));
    ASG_Keywords->SetRowCount(std::max(n, 1) + 1);
    for (int r = 1; r < ASG_Keywords->RowCount(); ++r) {
        const bool Known = r - 1 < n;
        ASG_Keywords->SetCellEx(0, r, Known ? FKeywords[size_t(r - 1)] : String());
        ASG_Keywords->SetCellEx(1, r, Known ? FDescriptions[size_t(r - 1)] : String());
        ASG_Keywords->SetReadOnly(0, r, false);
        ASG_Keywords->SetReadOnly(1, r, true);
    }
}

void Plug_Topic_Template_Window()
{
    Plug_Window("TFTopicTemplate", FTopicTemplate);
}
