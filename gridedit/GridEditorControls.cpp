// The grid's special editors other than the combo and the drop-down pickers: the
// control the rich edit stands on, as far as the grid loads it, reads it back and steps
// it, and the grid's wrappers of every kind (on the spin edit, the edits with button and
// the date pickers as well), which are hidden and disabled children of the grid between
// edits and store their value when they lose the focus.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridTextUtils.h"
#include "gridedit/GridEditorLibrary.h"
#include "gridedit/GridEditors.h"
#include "platform/os/Regional.h"

namespace {

void InitGridEditor(TWinControl* e, TExtStringGrid* g)
{
    e->SetVisible(false);
    e->SetEnabled(false);
    e->SetParent(g);
}

// A new window holds no mouse capture: one left with the control or any of its parts
// goes.
void DropCapture(TControl* c)
{
    if (c->MouseCapture()) c->SetMouseCapture(false);
    if (auto* w = dynamic_cast<TWinControl*>(c))
        for (int i = 0; i < w->ControlCount(); ++i) DropCapture(w->Controls(i));
}

// An editor that loses the focus ends the edit and stores its value, unless the grid is
// closing it right now.
void LeaveEditor(TExtStringGrid* g, TWinControl* e)
{
    if (!g || g->FBlockKill || !g->EditMode || !g->FEditActive) return;
    const bool open = g->EditCtrl == e || (g->EditControl == edCheckBox && e == EditCheck(g));
    if (open) g->HideInplaceEdit();
}

// The grid hears the changes the user makes in an open editor, not its loading for a
// cell (the editor becomes the open one once it is loaded).
void ReportEditChange(TExtStringGrid* g, TWinControl* e, const String& text)
{
    if (g && g->EditMode && g->EditCtrl == e && e->Focused() && g->OnEditChange)
        g->OnEditChange(g, g->Col(), g->Row(), text);
}

}  // namespace

void InitPickerEditor(TWinControl* Editor, TExtStringGrid* Grid) { InitGridEditor(Editor, Grid); }
void LeavePickerEditor(TExtStringGrid* Grid, TWinControl* Editor) { LeaveEditor(Grid, Editor); }
void ReportPickerChange(TExtStringGrid* Grid, TWinControl* Editor, const String& Text)
{
    ReportEditChange(Grid, Editor, Text);
}

String ShortTimePattern()
{
    const String p = GetLongTimeFormat();
    const size_t s = p.find_first_of("sS");
    if (s == String::npos) return p;
    // The separator before the seconds goes with them.
    size_t from = s;
    while (from > 0 && !std::isalpha(static_cast<unsigned char>(p[from - 1]))) --from;
    const size_t to = p.find_first_not_of("sS", s);
    return p.substr(0, from) + (to == String::npos ? String() : p.substr(to));
}

TDateTime CurrentDateTime()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, 0);
}

// ---------------------------------------------------------------- check box and button

TGridCheckBox::TGridCheckBox(TExtStringGrid* AGrid) : TCheckBox(AGrid), FGrid(AGrid) { InitGridEditor(this, AGrid); }

void TGridCheckBox::ReCreate() { DropCapture(this); }

void TGridButton::ReCreate() { DropCapture(this); }

void TGridEditBtn::ReCreate()
{
    Button()->Button()->Release();
    DropCapture(this);
    SetSelStart(0);
    SetSelLength(0);
}

void TGridUnitEditBtn::ReCreate()
{
    Button()->Button()->Release();
    DropCapture(this);
    SetSelStart(0);
    SetSelLength(0);
}

void TGridSpin::ReCreate()
{
    Button()->UpButton()->Release();
    Button()->DownButton()->Release();
    DropCapture(this);
    SetSelStart(0);
    SetSelLength(0);
}

void TGridDatePicker::ReCreate()
{
    if (DroppedDown()) SetDroppedDown(false);
    FButtonDown = false;
    DropCapture(this);
}

void TGridCheckBox::DoExit()
{
    LeaveEditor(FGrid, this);
    TCheckBox::DoExit();
}

TGridButton::TGridButton(TExtStringGrid* AGrid) : TButton(AGrid), FGrid(AGrid) { InitGridEditor(this, AGrid); }

void TGridButton::TakeEllipsText()
{
    if (!FGrid || !FGrid->EditMode) return;
    SetCaption(FGrid->FireEllipsClick(Caption()));
    TGridEditorLibrary::FollowText(FGrid, Caption());
}

void TGridButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TButton::MouseUp(button, shift, x, y);
    if (button == mbLeft && ClientRect().Contains(TPoint(x, y))) TakeEllipsText();
}

void TGridButton::KeyUp(WORD& key, TShiftState shift)
{
    TButton::KeyUp(key, shift);
    if (key != VK_SPACE) return;
    TakeEllipsText();
    if (Visible() && CanFocus()) SetFocus();
    Invalidate();
}

void TGridButton::DoExit()
{
    LeaveEditor(FGrid, this);
    TButton::DoExit();
}

// ---------------------------------------------------------------- edit with button

TGridEditBtn::TGridEditBtn(TExtStringGrid* AGrid) : TAsgEditBtn(AGrid), FGrid(AGrid)
{
    InitGridEditor(this, AGrid);
    OnClickBtn = [this](TObject*) { ButtonClick(); };
}

void TGridEditBtn::ButtonClick()
{
    SetText(FGrid->FireEllipsClick(Text()));
    SelectAll();
    if (StopEditAfterClick) {
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus()) FGrid->SetFocus();
    }
}

void TGridEditBtn::Change()
{
    TAsgEditBtn::Change();
    ReportEditChange(FGrid, this, Text());
}

void TGridEditBtn::DblClick()
{
    TAsgEditBtn::DblClick();
    if (FGrid && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::DoExit()
{
    LeaveEditor(FGrid, this);
    TAsgEditBtn::DoExit();
}

TGridUnitEditBtn::TGridUnitEditBtn(TExtStringGrid* AGrid) : TAsgUnitEditBtn(AGrid), FGrid(AGrid)
{
    InitGridEditor(this, AGrid);
    OnClickBtn = [this](TObject*) { ButtonClick(); };
}

void TGridUnitEditBtn::ButtonClick()
{
    SetText(FGrid->FireEllipsClick(Text()));
    SelectAll();
}

void TGridUnitEditBtn::DoExit()
{
    LeaveEditor(FGrid, this);
    TAsgUnitEditBtn::DoExit();
}

// ---------------------------------------------------------------- spin edit

TGridSpin::TGridSpin(TExtStringGrid* AGrid) : TAsgSpinEdit(AGrid), FGrid(AGrid)
{
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
    InitGridEditor(this, AGrid);
}

void TGridSpin::Change()
{
    TAsgSpinEdit::Change();
    ReportEditChange(FGrid, this, Text());
}

void TGridSpin::DoExit()
{
    LeaveEditor(FGrid, this);
    TAsgSpinEdit::DoExit();
}

void TGridSpin::UpClick(TObject* Sender)
{
    TAsgSpinEdit::UpClick(Sender);
    FireSpinClick(true);
}

void TGridSpin::DownClick(TObject* Sender)
{
    TAsgSpinEdit::DownClick(Sender);
    FireSpinClick(false);
}

void TGridSpin::FireSpinClick(bool UpDown)
{
    TExtStringGrid* g = FGrid;
    const int c = g->RealColIndex(g->Col()), r = g->Row();
    switch (SpinType()) {
    case sptNormal:
        if (g->OnSpinClick) g->OnSpinClick(g, c, r, Value(), UpDown);
        break;
    case sptFloat:
        if (g->OnFloatSpinClick) g->OnFloatSpinClick(g, c, r, FloatValue(), UpDown);
        break;
    case sptDate:
        if (g->OnDateSpinClick) g->OnDateSpinClick(g, c, r, DateValue(), UpDown);
        break;
    case sptTime:
        if (g->OnTimeSpinClick) g->OnTimeSpinClick(g, c, r, TimeValue(), UpDown);
        break;
    }
}

// ---------------------------------------------------------------- date pickers

TGridDatePicker::TGridDatePicker(TExtStringGrid* AGrid) : TAsgDateTimePicker(AGrid), FGrid(AGrid)
{
    InitGridEditor(this, AGrid);
}

void TGridDatePicker::Paint()
{
    TAsgDateTimePicker::Paint();
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->FrameRect(TRect(0, 0, Width(), Height()));
    c->FrameRect(TRect(1, 1, Width() - 1, Height() - 1));
}

void TGridDatePicker::DoExit()
{
    LeaveEditor(FGrid, this);
    TAsgDateTimePicker::DoExit();
}

TGridDateTimePicker::TGridDateTimePicker(TExtStringGrid* AGrid) : TExtDateTimePicker(AGrid), FGrid(AGrid)
{
    InitGridEditor(this, AGrid);
    // The time part is a picker of its own: moving between the two is no leaving, and the
    // keys that end the edit work in either.
    if (TCustomDateTimePicker* tp = TimePicker()) {
        tp->OnExit = [this](TObject*) {
            if (FindFocusedControl() != this) LeaveEditor(FGrid, this);
        };
        tp->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
            if (key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB) KeyDown(key, shift);
        };
    }
}

void TGridDateTimePicker::DoExit()
{
    if (FindFocusedControl() != TimePicker()) LeaveEditor(FGrid, this);
    TExtDateTimePicker::DoExit();
}

// ---------------------------------------------------------------- rich edit

TExtRichEdit::TExtRichEdit(TExtStringGrid* AGrid) : TMemo(AGrid), FGrid(AGrid) { InitGridEditor(this, AGrid); }

void TExtRichEdit::DoExit()
{
    // The focus a popup edit link moves is not the editor's to react to.
    if (FGrid && FGrid->InvokedFocusChange) return;
    LeaveEditor(FGrid, this);
    TMemo::DoExit();
}

