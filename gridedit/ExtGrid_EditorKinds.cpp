// The editor kinds the editor library registers with the grid: for each, the show step
// (the editor made on first use, placed over the cell, loaded and focused) and the hide
// step (the value read back into the cell, the editor put away); the editors each grid
// carries; and Register_Grid_Editors, which hands them all to the grid.
#include <cctype>
#include <map>

#include "grid/util/GridTextUtils.h"
#include "gridedit/GridEditLink.h"
#include "gridedit/GridEditorLibrary.h"
#include "gridedit/GridEditors.h"
#include "platform/os/Regional.h"

using TSlot = TGridEditorLibrary::TSlot;

namespace {

// The integer a text begins with: blanks, an optional sign, then decimal digits or a
// hexadecimal number after "$" or "0x"; reading stops at the first other character
// with the value read so far; 0 when no digit comes.
int LeadingInt(const String& s)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    long long v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        v = v * base + d;
        if (v > 0x7FFFFFFFLL) {
            v = 0x7FFFFFFFLL;
            break;
        }
    }
    return int(neg ? -v : v);
}

// The decimal number a text begins with (after making it plain): sign, digits, one
// decimal point, digits and an exponent; 0 when no digit comes.
double LeadingFloat(const String& text)
{
    const String s = NormalizeNumberText(text);
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    const size_t start = i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    }
    if (!digits) return 0;
    size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
            end = j;
        }
    }
    double v = 0;
    TryStrToFloat(std::string_view(s).substr(start, end - start), v);
    return v;
}

// A date (with a time when the text has one) in the region's patterns; false when the
// text is none.
bool TryTextToDateTime(const String& text, TDateTime& value)
{
    for (const String& pattern : {GetShortDateFormat() + " " + GetLongTimeFormat(),
                                  GetShortDateFormat() + " " + ShortTimePattern(), GetShortDateFormat()}) {
        try {
            value = StrToDateTimeByPattern(text, pattern);
            return true;
        } catch (const Exception&) {
        }
    }
    return false;
}

bool TryTextToTime(const String& text, TDateTime& value)
{
    for (const String& pattern : {GetLongTimeFormat(), ShortTimePattern()}) {
        try {
            value = StrToDateTimeByPattern(text, pattern);
            return true;
        } catch (const Exception&) {
        }
    }
    return false;
}

void Place(TControl* c, const TRect& R, int W, int H) { c->SetBounds(R.Left, R.Top, W, H); }

// Enabled, visible, in the cell's colour and focused.
void ShowEditorControl(TWinControl* c, TColor C)
{
    c->SetEnabled(true);
    c->SetVisible(true);
    c->SetColor(C);
    c->BringToFront();
    if (c->CanFocus()) c->SetFocus();
}

// Posts the character that opened the edit to the editor.
void StartChar(TExtStringGrid* G, TWinControl* c)
{
    if (G->FStartEditChar) PostMessage(c->Handle(), WM_CHAR, WPARAM(G->FStartEditChar), 0);
}

}  // namespace

// ---------------------------------------------------------------- editors made on first use

TGridSpin* SpinEdit(TExtStringGrid* G)
{
    bool made;
    TGridSpin* e = TGridEditorLibrary::OnDemand<TGridSpin>(G, TGridEditorLibrary::slSpin, made);
    if (made) e->SetIsWinXP(TGridEditorLibrary::IsWinXP(G));
    return e;
}

TGridDatePicker* DateTimePicker(TExtStringGrid* G)
{
    bool made;
    TGridDatePicker* e = TGridEditorLibrary::OnDemand<TGridDatePicker>(G, TGridEditorLibrary::slDate, made);
    if (made) {
        // Its change, close-up and drop-down reports go to the grid; a change is the
        // user's while the picker has the focus (loading it for a cell is none).
        e->OnChange = [G, e](TObject*) {
            if (e->Focused()) G->DatePickerChange(e->Kind() == dtkTime, e->DateTime());
        };
        e->OnCloseUp = [G](TObject*) { G->DatePickerCloseUp(); };
        e->OnDropDown = [G](TObject*) { G->DatePickerDropDown(); };
    }
    return e;
}

TGridDateTimePicker* DateAndTimePicker(TExtStringGrid* G)
{
    bool made;
    TGridDateTimePicker* e = TGridEditorLibrary::OnDemand<TGridDateTimePicker>(G, TGridEditorLibrary::slDateAndTime, made);
    if (made) {
        e->SetAutoTab(true);
        e->OnChange = [G, e](TObject*) {
            if (e->Focused()) G->DateTimePickerChange(e->DateTime());
        };
        e->OnCloseUp = [G](TObject*) { G->DatePickerCloseUp(); };
    }
    return e;
}

TExtRichEdit* RichEdit(TExtStringGrid* G)
{
    bool made;
    TExtRichEdit* e = TGridEditorLibrary::OnDemand<TExtRichEdit>(G, TGridEditorLibrary::slRich, made);
    if (made) e->SetBounds(0, 0, 0, 0);
    return e;
}

TExtRichEdit* InplaceRichEdit(TExtStringGrid* G)
{
    bool made;
    TExtRichEdit* e = TGridEditorLibrary::OnDemand<TExtRichEdit>(G, TGridEditorLibrary::slInplaceRich, made);
    if (made)
        e->OnSelectionChange = [G](TObject*) {
            if (G->OnRichEditSelectionChange) G->OnRichEditSelectionChange(G);
        };
    return e;
}

// ---------------------------------------------------------------- editors made with the grid

TGridCombo* ComboEditor(const TExtStringGrid* G) { return TGridEditorLibrary::Made<TGridCombo>(G, TGridEditorLibrary::slCombo); }
TGridTransEdit* FixedCellEdit(const TExtStringGrid* G)
{
    return TGridEditorLibrary::Made<TGridTransEdit>(G, TGridEditorLibrary::slTransEdit);
}
TGridTransCombo* FixedCellCombo(const TExtStringGrid* G)
{
    return TGridEditorLibrary::Made<TGridTransCombo>(G, TGridEditorLibrary::slTransCombo);
}
TGridCheckBox* EditCheck(const TExtStringGrid* G) { return TGridEditorLibrary::Made<TGridCheckBox>(G, TGridEditorLibrary::slCheckBox); }
TGridEditBtn* BtnEdit(const TExtStringGrid* G) { return TGridEditorLibrary::Made<TGridEditBtn>(G, TGridEditorLibrary::slEditBtn); }
TGridUnitEditBtn* BtnUnitEdit(const TExtStringGrid* G)
{
    return TGridEditorLibrary::Made<TGridUnitEditBtn>(G, TGridEditorLibrary::slUnitEditBtn);
}
TGridButton* GridButton(const TExtStringGrid* G) { return TGridEditorLibrary::Made<TGridButton>(G, TGridEditorLibrary::slButton); }
TExtInplaceEdit* TextEditor(const TExtStringGrid* G) { return dynamic_cast<TExtInplaceEdit*>(G->InplaceEditor()); }

void TGridEditorLibrary::CreateEditors(TExtStringGrid* G)
{
    auto* combo = new TGridCombo(G);
    combo->IsWinXP = G->FIsWinXP;
    combo->IsVista = G->FIsVista && IsComCtl6();
    Slot(G, slCombo) = combo;
    G->FCombo = combo;
    auto* transEdit = new TGridTransEdit(G);
    transEdit->SetEnabled(true);
    Slot(G, slTransEdit) = transEdit;
    auto* transCombo = new TGridTransCombo(G);
    transCombo->SetEnabled(true);
    Slot(G, slTransCombo) = transCombo;
    Slot(G, slCheckBox) = new TGridCheckBox(G);
    auto* editBtn = new TGridEditBtn(G);
    editBtn->SetButtonCaption("...");
    editBtn->BorderLess = true;
    editBtn->SetIsWinXP(G->FIsWinXP);
    Slot(G, slEditBtn) = editBtn;
    auto* unitEditBtn = new TGridUnitEditBtn(G);
    unitEditBtn->SetButtonCaption("...");
    unitEditBtn->BorderLess = true;
    unitEditBtn->SetIsWinXP(G->FIsWinXP);
    unitEditBtn->OnUnitChanged = [G](TObject*, const String& unit) {
        if (G->OnUnitChanged) G->OnUnitChanged(G, G->Col(), G->RealRow(), unit);
    };
    Slot(G, slUnitEditBtn) = unitEditBtn;
    auto* button = new TGridButton(G);
    button->OnClick = [G](TObject*) {
        if (G->OnButtonClick) G->OnButtonClick(G, G->Col(), G->RealRow());
    };
    Slot(G, slButton) = button;
    auto* controlEdit = new TControlEdit(G);
    controlEdit->SetEnabled(true);
    Slot(G, slControlEdit) = controlEdit;
    auto* controlCombo = new TControlCombo(G);
    controlCombo->SetEnabled(true);
    Slot(G, slControlCombo) = controlCombo;
}

void TGridEditorLibrary::SetSpinRange(TExtStringGrid* G, int MinValue, int MaxValue, int Increment)
{
    TGridSpin* spin = SpinEdit(G);
    spin->SetMinValue(MinValue);
    spin->SetMaxValue(MaxValue);
    spin->SetIncrement(Increment);
}

// ---------------------------------------------------------------- combo

TWinControl* TGridEditorLibrary::ShowCombo(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    TGridCombo* cb = ComboEditor(G);
    if (!cb) return nullptr;
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    const int RCol = G->RealColIndex(ACol);
    G->AskComboItems(RCol, ARow);
    cb->SetDropDownCount(G->FControlLook->DropDownCount);
    cb->SetDroppedDown(false);
    cb->SetStyle(G->EditControl == edComboEdit ? csDropDown : csDropDownList);
    cb->SetBounds(R.Left, R.Top, W, H);
    cb->SetEnabled(true);
    const String text = G->GetEditText(ACol, ARow);
    bool fallback = false;
    if (G->EditControl == edComboEdit) {
        cb->SetMaxLength(G->MaxComboLength);
        cb->SetText(text);
        if (G->FComboIdx != -1 && cb->ItemIndex() < 0) cb->SetItemIndex(G->FComboIdx);
    } else {
        int idx = cb->Items()->IndexOf(G->GetGridCell(RCol, ARow));
        if (idx < 0 && G->FComboIdx == -1) {
            idx = cb->Items()->IndexOf(text);
            if (idx < 0 && cb->Items()->Count() > 0) {
                idx = 0;
                fallback = true;
            }
        } else if (idx < 0) {
            idx = G->FComboIdx;
        }
        cb->SetItemIndex(idx);
        if (fallback && G->OnEditChange) G->OnEditChange(G, G->Col(), G->Row(), cb->Text());
    }
    cb->FStartText = text;
    cb->SetColor(G->CellEditorLook(RCol, G->Row()));
    cb->SetVisible(true);
    cb->BringToFront();
    if (cb->CanFocus()) cb->SetFocus();
    if (G->MouseActions()->DirectComboDrop || G->FControlLook->DropDownAlwaysVisible) cb->SetDroppedDown(true);
    if (G->MouseActions()->DirectEdit && G->MouseActions()->DirectComboDrop) {
        const TGridRect s = G->Selection();
        G->FireSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (fallback) cb->ReportIndex(0, cb->Items()->Strings(0));
    if (G->EditControl == edComboEdit && G->Navigation()->EditSelectAll) cb->SelectAll();
    StartChar(G, cb);
    return cb;
}

void TGridEditorLibrary::HideCombo(TExtStringGrid* G, int ACol, int ARow)
{
    TGridCombo* cb = ComboEditor(G);
    if (!G->EditMode || !cb) return;
    const int RCol = G->RealColIndex(ACol);
    G->EditMode = false;
    String text;
    if (G->EditControl == edComboList) {
        const int idx = cb->ItemIndex();
        text = idx >= 0 && idx < cb->Items()->Count() ? cb->Items()->Strings(idx) : cb->Text();
    } else {
        text = cb->Text();
    }
    G->StoreEditorValue(RCol, ARow, text);
    const bool hadFocus = cb->Focused();
    cb->SetDroppedDown(false);
    cb->SetEnabled(false);
    cb->SetVisible(false);
    if (hadFocus && G->CanFocus()) G->SetFocus();
}

// ---------------------------------------------------------------- spin

TWinControl* TGridEditorLibrary::ShowSpin(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    TGridSpin* sp = SpinEdit(G);
    sp->ReCreate();
    Place(sp, R, W, H);
    ShowEditorControl(sp, C);
    sp->SetExcelStyleDecimalSeparator(G->ExcelStyleDecimalSeparator);
    G->FireGetEditorProp(G->RealColIndex(ACol), ARow, G->FEditLink);
    const String text = G->GetEditText(ACol, ARow);
    // A blank cell stays blank where blank is a value: opening and leaving the
    // editor must not write a 0 the user never typed.
    const bool keepBlank = sp->AllowEmptyValue() && Trim(text).empty();
    switch (G->EditControl) {
    case edSpinEdit:
        sp->SetSpinType(sptNormal);
        sp->SetValue(LeadingInt(text));
        break;
    case edFloatSpinEdit:
        sp->SetSpinType(sptFloat);
        sp->SetFloatValue(LeadingFloat(text));
        break;
    case edTimeSpinEdit:
        sp->SetText(text);
        sp->SetSpinType(sptTime);
        break;
    default: {
        sp->SetSpinType(sptDate);
        TDateTime d = 0;
        if (Trim(text).empty() || !TryTextToDateTime(text, d)) d = CurrentDateTime();
        sp->SetDateValue(d);
        break;
    }
    }
    if (keepBlank) sp->SetText(String());
    if (sp->CanFocus()) sp->SetFocus();
    StartChar(G, sp);
    // A press on the cell's spin buttons steps the value it opens with; a press that
    // opened nothing (a locked cell) must not step a later opening of another cell.
    // (A press outside the data cells never leaves a step behind.)
    int downCol = -1, downRow = -1;
    G->MouseToCell(G->FDownPos.X, G->FDownPos.Y, downCol, downRow);
    const bool pressInDataCell = downCol >= G->FixedCols() && downRow >= G->FixedRows();
    if (!pressInDataCell || (downCol == ACol && downRow == ARow)) {
        if (G->FSpinUpClick) sp->StepUp(false);
        if (G->FSpinDnClick) sp->StepDown(false);
    }
    G->FSpinUpClick = G->FSpinDnClick = false;
    return sp;
}

void TGridEditorLibrary::HideSpin(TExtStringGrid* G, int ACol, int ARow)
{
    const int RCol = G->RealColIndex(ACol);
    G->EditMode = false;
    TGridSpin* sp = SpinEdit(G);
    // An edit whose cell left the grid writes nothing (StoreEditorValue knows it too).
    if (!G->FEditorValueDropped) {
        if (sp->AllowEmptyValue() && Trim(sp->Text()).empty()) G->SetCellEx(RCol, ARow, String());
        else if (G->EditControl == edSpinEdit) G->SetInts(RCol, ARow, sp->Value());
        else if (G->EditControl == edFloatSpinEdit) G->SetFloats(RCol, ARow, sp->FloatValue());
        else if (G->EditControl == edTimeSpinEdit) G->StoreEditorValue(RCol, ARow, sp->Text());
        else G->SetDates(RCol, ARow, sp->DateValue());
    }
    G->PutAwayEditor(sp);
}

// ---------------------------------------------------------------- edit with button, with unit

TWinControl* TGridEditorLibrary::ShowEditBtn(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    TGridEditBtn* eb = BtnEdit(G);
    eb->ReCreate();
    eb->SetBounds(R.Left, R.Top, W, eb->Height());
    eb->SetText(G->GetEditText(ACol, ARow));
    eb->SetMaxLength(G->GetEditLimit());
    ShowEditorControl(eb, C);
    eb->SetHeight(H);
    eb->SetEditMask(G->EditControl == edMaskEditBtn ? G->GetEditMask(ACol, ARow) : String());
    StartChar(G, eb);
    return eb;
}

void TGridEditorLibrary::HideEditBtn(TExtStringGrid* G, int ACol, int ARow)
{
    if (!G->EditMode) return;
    G->EditMode = false;
    G->StoreEditorValue(G->RealColIndex(ACol), ARow, BtnEdit(G)->Text());
    G->PutAwayEditor(BtnEdit(G));
}

TWinControl* TGridEditorLibrary::ShowUnitEditBtn(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    TGridUnitEditBtn* ub = BtnUnitEdit(G);
    ub->ReCreate();
    ub->SetBounds(R.Left, R.Top, W, ub->Height());
    ub->SetMaxLength(G->GetEditLimit());
    ub->SetUnitID(String());
    ub->SetText(String());
    const String text = G->GetEditText(ACol, ARow);
    ub->SetTextAndUnit(text);
    // A value without a known unit is all text; left empty it would be lost when
    // the editor is read back.
    if (ub->TextAndUnit() != text) {
        ub->SetUnitID(String());
        ub->SetText(text);
    }
    G->FireGetEditorProp(G->RealColIndex(ACol), ARow, G->FEditLink);
    ShowEditorControl(ub, C);
    ub->SetHeight(H);
    StartChar(G, ub);
    return ub;
}

void TGridEditorLibrary::HideUnitEditBtn(TExtStringGrid* G, int ACol, int ARow)
{
    TGridUnitEditBtn* ub = BtnUnitEdit(G);
    G->StoreEditorValue(G->RealColIndex(ACol), ARow, ub->Text() + ub->UnitID());
    G->PutAwayEditor(ub);
    G->EditMode = false;
}

// ---------------------------------------------------------------- check box and button

TWinControl* TGridEditorLibrary::ShowCheckBox(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    TGridCheckBox* cb = EditCheck(G);
    cb->ReCreate();
    Place(cb, R, W, H);
    cb->SetCaption(G->GetEditText(ACol, ARow));
    cb->SetEnabled(true);
    cb->SetState(cbUnchecked);
    cb->SetVisible(true);
    cb->BringToFront();
    if (cb->CanFocus()) cb->SetFocus();
    // It only shows the cell: no control edits.
    return nullptr;
}

void TGridEditorLibrary::HideCheckBox(TExtStringGrid* G, int ACol, int ARow)
{
    G->PutAwayEditor(EditCheck(G));
    G->EditMode = false;
}

TWinControl* TGridEditorLibrary::ShowButton(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    TGridButton* b = GridButton(G);
    b->ReCreate();
    b->SetBounds(R.Left - 1, R.Top - 1, W + 2, H + 2);
    b->SetCaption(G->GetEditText(ACol, ARow));
    b->SetVisible(true);
    b->SetEnabled(true);
    b->BringToFront();
    if (b->CanFocus()) b->SetFocus();
    return b;
}

void TGridEditorLibrary::HideButton(TExtStringGrid* G, int ACol, int ARow)
{
    G->PutAwayEditor(GridButton(G));
    G->EditMode = false;
}

// ---------------------------------------------------------------- date and time pickers

TWinControl* TGridEditorLibrary::ShowDate(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    if (!ComCtl32Newer) return nullptr;
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    const int RCol = G->RealColIndex(ACol);
    TGridDatePicker* dp = DateTimePicker(G);
    dp->SetParent(G);
    dp->ReCreate();
    const String text = G->GetEditText(ACol, ARow);
    if (G->EditControl == edTimeEdit) {
        TDateTime t = 0;
        if (Trim(text).empty() || !TryTextToTime(text, t)) t = CurrentDateTime();
        dp->SetKind(dtkTime);
        dp->SetTime(t);
        dp->SetCurrentField(0);
        Place(dp, R, W, H);
        ShowEditorControl(dp, C);
        G->FireGetEditorProp(RCol, ARow, G->FEditLink);
        if (dp->CanFocus()) dp->SetFocus();
    } else {
        TDateTime d = CurrentDateTime();
        if (!Trim(text).empty()) {
            if (G->OnCustomStrToDate) {
                G->OnCustomStrToDate(G, text, d);
            } else if (TDateTime v = 0; TryTextToDateTime(text, v)) {
                d = v;
                if (dp->MaxDate() != 0 && d > dp->MaxDate()) d = dp->MaxDate() - 1;
                if (dp->MinDate() != 0 && d <= dp->MinDate()) d = dp->MinDate() + 1;
            }
        }
        dp->SetKind(dtkDate);
        dp->SetDateTime(d);
        dp->SetCurrentField(0);
        dp->SetDateMode(G->EditControl == edDateEditUpDown ? dmUpDown : dmComboBox);
        G->FireGetEditorProp(RCol, ARow, G->FEditLink);
        dp->SetBounds(R.Left, R.Top, W, dp->Height() != H ? H : dp->Height());
        ShowEditorControl(dp, C);
        if (G->FMouseActions->DirectDateDrop) dp->Perform(WM_KEYDOWN, VK_F4, 0);
        StartChar(G, dp);
    }
    return dp;
}

void TGridEditorLibrary::HideDate(TExtStringGrid* G, int ACol, int ARow)
{
    if (!ComCtl32Newer) return;
    const int RCol = G->RealColIndex(ACol);
    TGridDatePicker* dp = DateTimePicker(G);
    if (G->EditControl == edTimeEdit) {
        // The picker's own Format, when it has one, is the pattern of the text.
        G->StoreEditorValue(RCol, ARow, dp->ValueText());
        G->PutAwayEditor(dp);
        G->EditMode = false;
    } else {
        G->StoreEditorValue(RCol, ARow, dp->ValueText());
        G->EditMode = false;
        G->PutAwayEditor(dp);
        dp->SetDroppedDown(false);
    }
}

TWinControl* TGridEditorLibrary::ShowDateTime(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    if (!ComCtl32Newer) return nullptr;
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    TGridDateTimePicker* dp = DateAndTimePicker(G);
    dp->SetParent(G);
    const String text = G->GetEditText(ACol, ARow);
    TDateTime v = 0;
    if (Trim(text).empty() || !TryTextToDateTime(text, v)) v = CurrentDateTime();
    G->FOriginalDateTime = v;
    dp->SetKind(dkDateTime);
    dp->SetDateTime(v);
    // Every opening starts in the first field, whatever field the last edit ended in.
    dp->SetCurrentField(0);
    dp->SetBounds(R.Left, R.Top, W, dp->Height() < H ? H : dp->Height());
    G->FireGetEditorProp(G->RealColIndex(ACol), ARow, G->FEditLink);
    ShowEditorControl(dp, C);
    return dp;
}

void TGridEditorLibrary::HideDateTime(TExtStringGrid* G, int ACol, int ARow)
{
    if (!ComCtl32Newer) return;
    TGridDateTimePicker* dp = DateAndTimePicker(G);
    G->StoreEditorValue(G->RealColIndex(ACol), ARow,
                        dp->Checked() ? FormatDateTime(GetShortDateFormat() + " " + ShortTimePattern(), dp->DateTime())
                                    : String());
    G->EditMode = false;
    G->PutAwayEditor(dp);
}

// ---------------------------------------------------------------- the edit link

TWinControl* TGridEditorLibrary::ShowCustom(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    if (G->FEditLink) G->FEditLink->Show(G, ACol, ARow, R, C, G->Font());
    // The link names its control itself.
    return G->EditCtrl;
}

void TGridEditorLibrary::HideCustom(TExtStringGrid* G, int ACol, int ARow)
{
    const int RCol = G->RealColIndex(ACol);
    if (G->FControlLook->DropDownAlwaysVisible) G->GetEditorTypeOf(RCol, ARow, G->EditControl);
    if (TEditLink* link = G->FEditLink) {
        G->StoreEditorValue(RCol, ARow, link->GetEditorValue());
        if (link->EditStyle != esPopup)
            if (TWinControl* c = link->GetEditControl()) G->PutAwayEditor(c);
        link->RestoreWinProc();
        G->EditMode = false;
    }
}

// ---------------------------------------------------------------- rich text

TWinControl* TGridEditorLibrary::ShowRichEdit(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    const int RCol = G->RealColIndex(ACol);
    TExtRichEdit* re = InplaceRichEdit(G);
    // A fresh window for every edit: nothing of the last cell's text stays behind.
    re->ReCreate();
    re->SetParent(G);
    Place(re, R, W, H);
    G->FireGetEditorProp(RCol, ARow, G->FEditLink);
    re->Lock();
    G->CellToRich(RCol, ARow, re);
    if (G->FNavigation->EditSelectAll) {
        re->SetSelStart(0);
        re->SetSelLength(int(re->Text().size()));
    }
    ShowEditorControl(re, C);
    StartChar(G, re);
    re->Unlock();
    return re;
}

void TGridEditorLibrary::HideRichEdit(TExtStringGrid* G, int ACol, int ARow)
{
    TExtRichEdit* re = InplaceRichEdit(G);
    G->StoreEditorValue(G->RealColIndex(ACol), ARow, G->RichToString(re));
    G->PutAwayEditor(re);
    G->EditMode = false;
}

// ---------------------------------------------------------------- drop-down pickers

namespace {
// The editor slots of the kinds a picker library may plug in.
TGridEditorLibrary::TSlot PluggableSlot(TEditorType Kind)
{
    switch (Kind) {
    case edTrackbarDropDown: return TGridEditorLibrary::slTrackbar;
    case edMemoDropDown: return TGridEditorLibrary::slMemo;
    case edCalculatorDropDown: return TGridEditorLibrary::slCalculator;
    case edTimePickerDropDown: return TGridEditorLibrary::slTimePicker;
    case edDetailDropDown: return TGridEditorLibrary::slDetail;
    case edGridDropDown: return TGridEditorLibrary::slGridDropDown;
    case edColorPickerDropDown: return TGridEditorLibrary::slColor;
    case edImagePickerDropDown: return TGridEditorLibrary::slImage;
    default: return TGridEditorLibrary::slExtGrid;
    }
}

std::map<TEditorType, TPickerEditorKind>& PickerKinds()
{
    static std::map<TEditorType, TPickerEditorKind> kinds;
    return kinds;
}

// The drop-down editor of a drop-down kind, made on first use; nullptr for a kind no
// picker library plugged in.
IGridPickerEditor* DropDownOf(TExtStringGrid* G, TEditorType Kind)
{
    return dynamic_cast<IGridPickerEditor*>(PluggedPickerEditor(G, Kind));
}
}  // namespace

int CellLeadingInt(const String& Text) { return LeadingInt(Text); }

void RegisterPickerEditorKind(TEditorType Kind, const TPickerEditorKind& Entry) { PickerKinds()[Kind] = Entry; }

const TPickerEditorKind* PickerEditorKind(TEditorType Kind)
{
    const auto it = PickerKinds().find(Kind);
    return it == PickerKinds().end() ? nullptr : &it->second;
}

TWinControl* PluggedPickerEditor(TExtStringGrid* G, TEditorType Kind)
{
    const TPickerEditorKind* k = PickerEditorKind(Kind);
    if (!k || !k->Make) return nullptr;
    TControl*& slot = TGridEditorLibrary::Slot(G, PluggableSlot(Kind));
    if (!slot) slot = k->Make(G);
    return static_cast<TWinControl*>(slot);
}

TWinControl* TGridEditorLibrary::ShowDropDown(TExtStringGrid* G, int ACol, int ARow, const TRect& R)
{
    const TColor C = G->CellEditorLook(G->RealColIndex(ACol), G->Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    const int RCol = G->RealColIndex(ACol);
    const TEditorType kind = G->EditControl;
    IGridPickerEditor* picker = DropDownOf(G, kind);
    if (!picker) return nullptr;
    TWinControl* dd = picker->EditorControl();
    const String text = G->GetEditText(ACol, ARow);
    const TPickerEditorKind* plugged = PickerEditorKind(kind);
    if (kind == edGridDropDown) dd->SetColor(C);
    G->FireGetEditorProp(RCol, ARow, G->FEditLink);
    dd->SetBounds(R.Left, R.Top, 0, 0);
    dd->SetEnabled(true);
    dd->SetBounds(R.Left, R.Top, W, H);
    if (plugged->Load) plugged->Load(dd, text);
    if (auto* colour = dynamic_cast<IGridColourEditor*>(dd)) {
        // The colour comes from the cell: a shape's own colour, else the background.
        colour->SetEditorColour(G->GetCellType(RCol, ARow) == ctShape ? G->GetShapeColor(RCol, ARow)
                                                                       : G->GetColors(RCol, ARow));
    } else if (auto* image = dynamic_cast<IGridImageEditor*>(dd)) {
        // An image cell offers the grid's images and starts at its own; any other cell
        // starts with nothing chosen.
        const TCellType t = G->GetCellType(RCol, ARow);
        int idx = -1;
        if ((t == ctImageList || t == ctDataImage) && G->GridImages()) {
            image->OfferImages(G->GridImages());
            if (t == ctImageList) G->GetImageIdx(RCol, ARow, idx);
            else idx = LeadingInt(G->GetCellEx(RCol, ARow));
        }
        image->SetEditorImageIndex(idx);
    }
    const bool byClick = G->LButFlg;
    ShowEditorControl(dd, C);
    // The memo opens with its caret before the text, nothing selected: set once it
    // has the focus, which selects an edit's whole text; unless the editor took the
    // click that began the edit and put the caret under the pointer.
    const bool caretPlaced = byClick && !G->LButFlg;
    if (kind == edMemoDropDown && !caretPlaced) {
        if (auto* e = dynamic_cast<TEdit*>(dd)) {
            e->SetSelStart(0);
            e->SetSelLength(0);
        }
    }
    StartChar(G, dd);
    if (G->FMouseActions->DirectComboDrop) picker->PickerDropDown();
    return dd;
}

void TGridEditorLibrary::HideDropDown(TExtStringGrid* G, int ACol, int ARow)
{
    if (!G->EditMode) return;
    G->EditMode = false;
    IGridPickerEditor* picker = DropDownOf(G, G->EditControl);
    if (!picker) return;
    TWinControl* dd = picker->EditorControl();
    const TPickerEditorKind* plugged = PickerEditorKind(G->EditControl);
    const String text = plugged->Value ? plugged->Value(dd) : picker->EditorText();
    G->StoreEditorValue(G->RealColIndex(ACol), ARow, text);
    picker->PickerCloseUp();
    G->PutAwayEditor(dd);
}

void TGridEditorLibrary::HideColorPicker(TExtStringGrid* G, int ACol, int ARow)
{
    if (!G->EditMode) return;
    G->EditMode = false;
    IGridPickerEditor* picker = DropDownOf(G, edColorPickerDropDown);
    if (!picker) return;
    const int RCol = G->RealColIndex(ACol);
    TWinControl* dd = picker->EditorControl();
    picker->PickerCloseUp();
    if (!G->FEditorValueDropped) {
        TColor Color = dynamic_cast<IGridColourEditor*>(dd)->EditorColour();
        String Value = picker->EditorText();
        if (G->OnColorSelected) G->OnColorSelected(G, RCol, ARow, Color, Value);
        G->StoreEditorValue(RCol, ARow, Value);
        if (G->GetCellType(RCol, ARow) == ctShape) G->SetShapeColor(RCol, ARow, Color);
        else G->SetColors(RCol, ARow, Color);
    }
    G->PutAwayEditor(dd);
}

void TGridEditorLibrary::HideImagePicker(TExtStringGrid* G, int ACol, int ARow)
{
    if (!G->EditMode) return;
    G->EditMode = false;
    IGridPickerEditor* picker = DropDownOf(G, edImagePickerDropDown);
    if (!picker) return;
    const int RCol = G->RealColIndex(ACol);
    TWinControl* dd = picker->EditorControl();
    picker->PickerCloseUp();
    if (!G->FEditorValueDropped) {
        int Index = dynamic_cast<IGridImageEditor*>(dd)->EditorImageIndex();
        if (G->OnImageSelected) G->OnImageSelected(G, RCol, ARow, Index);
        const TCellType t = G->GetCellType(RCol, ARow);
        if (t == ctImageList) G->SetImageIdx(RCol, ARow, Index);
        else if (t == ctDataImage) G->StoreEditorValue(RCol, ARow, IntToStr(Index));
    }
    G->PutAwayEditor(dd);
}

// ---------------------------------------------------------------- registration

void Register_Grid_Editors()
{
    using L = TGridEditorLibrary;
    TGridEditorParts parts;
    parts.CreateTextEditor = [](TExtStringGrid* G) -> TInplaceEdit* { return new TExtInplaceEdit(G); };
    parts.CreateEditors = &L::CreateEditors;
    parts.EditFixedCell = &L::EditFixedCell;
    parts.SetSpinRange = &L::SetSpinRange;
    parts.LinkComponent = [](TEditLink* Link) -> TComponent* { return Link; };
    L::SetControlEditorParts(parts);
    RegisterGridEditorParts(parts);

    const auto kind = [](std::initializer_list<TEditorType> kinds, auto show, auto hide,
                         std::function<TWinControl*(TExtStringGrid*)> typing = nullptr) {
        for (TEditorType k : kinds) RegisterGridEditorKind(k, TGridEditorKind{show, hide, typing});
    };
    kind({edComboEdit, edComboList}, &L::ShowCombo, &L::HideCombo);
    // The cell follows the spin's and the edit button's text while it is typed.
    kind({edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit}, &L::ShowSpin, &L::HideSpin,
         [](TExtStringGrid* G) -> TWinControl* { return SpinEdit(G); });
    kind({edEditBtn, edNumericEditBtn, edFloatEditBtn, edMaskEditBtn}, &L::ShowEditBtn, &L::HideEditBtn,
         [](TExtStringGrid* G) -> TWinControl* { return BtnEdit(G); });
    kind({edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn}, &L::ShowUnitEditBtn, &L::HideUnitEditBtn);
    kind({edCheckBox}, &L::ShowCheckBox, &L::HideCheckBox);
    kind({edButton}, &L::ShowButton, &L::HideButton);
    kind({edDateEdit, edDateEditUpDown, edTimeEdit}, &L::ShowDate, &L::HideDate);
    kind({edDateTimeEdit}, &L::ShowDateTime, &L::HideDateTime);
    kind({edCustom}, &L::ShowCustom, &L::HideCustom);
    kind({edRichEdit}, &L::ShowRichEdit, &L::HideRichEdit);
    kind({edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
          edGridDropDown, edExtGridDropDown},
         &L::ShowDropDown, &L::HideDropDown);
    kind({edColorPickerDropDown}, &L::ShowDropDown, &L::HideColorPicker);
    kind({edImagePickerDropDown}, &L::ShowDropDown, &L::HideImagePicker);
}
