// The special editors other than the combo: made on first use, placed over the cell and
// loaded by the show routine, read back into the cell and put away by the hide routine.
#include <cctype>

#include "grid/ExtGrid.h"
#include "grid/GridEditLink.h"
#include "grid/GridTextUtils.h"
#include "platform/os/Regional.h"

namespace {

// Slots of the editors made on first use.
enum TOnDemandEditor {
    odSpin, odDate, odDateAndTime, odRich, odInplaceRich, odTrackbar, odMemo, odCalculator, odTimePicker,
    odDetail, odGridDropDown, odColor, odImage, odExtGrid, odCount
};

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

template <class T>
T* OnDemand(TExtStringGrid* g, TControl** slots, int slot)
{
    if (!slots[slot]) {
        T* e = new T(g);
        e->SetVisible(false);
        e->SetEnabled(false);
        slots[slot] = e;
    }
    return static_cast<T*>(slots[slot]);
}

}  // namespace

// ---------------------------------------------------------------- editors made on first use

TGridSpin* TExtStringGrid::SpinEdit()
{
    const bool made = FOnDemandEditors[odSpin] != nullptr;
    TGridSpin* e = OnDemand<TGridSpin>(this, FOnDemandEditors, odSpin);
    if (!made) e->IsWinXP = FIsWinXP;
    return e;
}

TGridDatePicker* TExtStringGrid::DateTimePicker() { return OnDemand<TGridDatePicker>(this, FOnDemandEditors, odDate); }

TGridDateTimePicker* TExtStringGrid::DateAndTimePicker()
{
    const bool made = FOnDemandEditors[odDateAndTime] != nullptr;
    TGridDateTimePicker* e = OnDemand<TGridDateTimePicker>(this, FOnDemandEditors, odDateAndTime);
    if (!made) e->AutoTab = true;
    return e;
}

TExtRichEdit* TExtStringGrid::RichEdit()
{
    const bool made = FOnDemandEditors[odRich] != nullptr;
    TExtRichEdit* e = OnDemand<TExtRichEdit>(this, FOnDemandEditors, odRich);
    if (!made) e->SetBounds(0, 0, 0, 0);
    return e;
}

TExtRichEdit* TExtStringGrid::InplaceRichEdit()
{
    const bool made = FOnDemandEditors[odInplaceRich] != nullptr;
    TExtRichEdit* e = OnDemand<TExtRichEdit>(this, FOnDemandEditors, odInplaceRich);
    if (!made)
        e->OnSelectionChange = [this](TObject*) {
            if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
        };
    return e;
}

TGridTrackbarDropDown* TExtStringGrid::TrackbarDropDown()
{
    return OnDemand<TGridTrackbarDropDown>(this, FOnDemandEditors, odTrackbar);
}

TGridMemoDropDown* TExtStringGrid::MemoDropDown()
{
    const bool made = FOnDemandEditors[odMemo] != nullptr;
    TGridMemoDropDown* e = OnDemand<TGridMemoDropDown>(this, FOnDemandEditors, odMemo);
    if (!made)
        e->OnMemoChange = [this, e](TObject*) {
            if (EditMode && EditCtrl == e) SetEditText(Col(), Row(), e->MemoValue());
        };
    return e;
}

TGridCalculatorDropDown* TExtStringGrid::CalculatorDropDown()
{
    return OnDemand<TGridCalculatorDropDown>(this, FOnDemandEditors, odCalculator);
}

TGridTimepickerDropDown* TExtStringGrid::TimePickerDropDown()
{
    const bool made = FOnDemandEditors[odTimePicker] != nullptr;
    TGridTimepickerDropDown* e = OnDemand<TGridTimepickerDropDown>(this, FOnDemandEditors, odTimePicker);
    // The time picker draws no focus of its own.
    if (!made) e->FFocusDraw = false;
    return e;
}

TGridDetailPickerDropDown* TExtStringGrid::DetailPickerDropDown()
{
    return OnDemand<TGridDetailPickerDropDown>(this, FOnDemandEditors, odDetail);
}

TGridGridDropDown* TExtStringGrid::GridDropDown() { return OnDemand<TGridGridDropDown>(this, FOnDemandEditors, odGridDropDown); }

TGridColorDropDown* TExtStringGrid::ColorPickerDropDown()
{
    const bool made = FOnDemandEditors[odColor] != nullptr;
    TGridColorDropDown* e = OnDemand<TGridColorDropDown>(this, FOnDemandEditors, odColor);
    if (!made) e->AddDefaultColors();
    return e;
}

TGridImageDropDown* TExtStringGrid::ImagePickerDropDown()
{
    return OnDemand<TGridImageDropDown>(this, FOnDemandEditors, odImage);
}

TGridExtGridDropDown* TExtStringGrid::ExtGridDropDown()
{
    return OnDemand<TGridExtGridDropDown>(this, FOnDemandEditors, odExtGrid);
}

void TExtStringGrid::SetEditLink(TEditLink* Value)
{
    FEditLink = Value;
    if (Value) FreeNotification(Value);
}

void TExtStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && FEditLink && AComponent == static_cast<TComponent*>(FEditLink)) FEditLink = nullptr;
}

void TExtStringGrid::FireGetEditorProp(int ACol, int ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
    // The event's parameters are row then column (its type's order), so a handler gets
    // the row where it reads the row.
    if (OnGetEditorPropInt) OnGetEditorPropInt(this, ARow, ACol);
}

// ---------------------------------------------------------------- rich text

void TExtStringGrid::CellToRich(int ACol, int ARow, TMemo* Richeditor)
{
    if (!Richeditor) return;
    const String s = GetCellEx(ACol, ARow);
    if (s.empty()) Richeditor->Lines()->Clear();
    else Richeditor->Lines()->SetText(s);
}

String TExtStringGrid::RichToString(TMemo* Richeditor)
{
    if (GridDestroying() || !Richeditor) return String();
    return JoinLines(*Richeditor->Lines());
}

void TExtStringGrid::RichToCell(int ACol, int ARow, TMemo* Richeditor) { SetCellEx(ACol, ARow, RichToString(Richeditor)); }

// ---------------------------------------------------------------- show and hide

void TExtStringGrid::PutAwayEditor(TWinControl* Editor)
{
    if (!Editor) return;
    const bool hadFocus = Editor->Focused();
    Editor->SetEnabled(false);
    Editor->SetVisible(false);
    if (hadFocus && CanFocus()) SetFocus();
}

bool TExtStringGrid::ShowEditorOfKind(int ACol, int ARow, const TRect& R)
{
    const TColor C = CellEditorLook(RealColIndex(ACol), Row());
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    const int RCol = RealColIndex(ACol);
    auto startChar = [this](TWinControl* c) {
        if (FStartEditChar) PostMessage(c->Handle(), WM_CHAR, WPARAM(FStartEditChar), 0);
    };
    switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* sp = SpinEdit();
        Place(sp, R, W, H);
        ShowEditorControl(sp, C);
        sp->ExcelStyleDecimalSeparator = ExcelStyleDecimalSeparator;
        FireGetEditorProp(RCol, ARow, FEditLink);
        const String text = GetEditText(ACol, ARow);
        // A blank cell stays blank where blank is a value: opening and leaving the
        // editor must not write a 0 the user never typed.
        const bool keepBlank = sp->AllowEmptyValue && Trim(text).empty();
        switch (EditControl) {
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
        startChar(sp);
        // A press on the cell's spin buttons steps the value it opens with; a press that
        // opened nothing (a locked cell) must not step a later opening of another cell.
        // (A press outside the data cells never leaves a step behind.)
        int downCol = -1, downRow = -1;
        MouseToCell(FDownPos.X, FDownPos.Y, downCol, downRow);
        const bool pressInDataCell = downCol >= FixedCols() && downRow >= FixedRows();
        if (!pressInDataCell || (downCol == ACol && downRow == ARow)) {
            if (FSpinUpClick) sp->StepUp(false);
            if (FSpinDnClick) sp->StepDown(false);
        }
        FSpinUpClick = FSpinDnClick = false;
        EditCtrl = sp;
        return true;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: {
        TGridEditBtn* eb = FEditBtn;
        eb->SetBounds(R.Left, R.Top, W, eb->Height());
        eb->SetText(GetEditText(ACol, ARow));
        eb->SetMaxLength(GetEditLimit());
        ShowEditorControl(eb, C);
        eb->SetHeight(H);
        eb->EditMask = EditControl == edMaskEditBtn ? GetEditMask(ACol, ARow) : String();
        startChar(eb);
        EditCtrl = eb;
        return true;
    }
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn: {
        TGridUnitEditBtn* ub = FUnitEditBtn;
        ub->SetBounds(R.Left, R.Top, W, ub->Height());
        ub->SetMaxLength(GetEditLimit());
        ub->UnitID.clear();
        ub->SetText(String());
        const String text = GetEditText(ACol, ARow);
        ub->SetTextAndUnit(text);
        // A value without a known unit is all text; left empty it would be lost when
        // the editor is read back.
        if (ub->TextAndUnit() != text) {
            ub->UnitID.clear();
            ub->SetText(text);
        }
        FireGetEditorProp(RCol, ARow, FEditLink);
        ShowEditorControl(ub, C);
        ub->SetHeight(H);
        startChar(ub);
        EditCtrl = ub;
        return true;
    }
    case edCheckBox: {
        TGridCheckBox* cb = FGridCheckBox;
        Place(cb, R, W, H);
        cb->SetCaption(GetEditText(ACol, ARow));
        cb->SetEnabled(true);
        cb->SetState(cbUnchecked);
        cb->SetVisible(true);
        cb->BringToFront();
        if (cb->CanFocus()) cb->SetFocus();
        return true;
    }
    case edButton: {
        TGridButton* b = FBtnEdit;
        b->SetBounds(R.Left - 1, R.Top - 1, W + 2, H + 2);
        b->SetCaption(GetEditText(ACol, ARow));
        b->SetVisible(true);
        b->SetEnabled(true);
        b->BringToFront();
        if (b->CanFocus()) b->SetFocus();
        EditCtrl = b;
        return true;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        if (!ComCtl32Newer) return true;
        TGridDatePicker* dp = DateTimePicker();
        dp->SetParent(this);
        const String text = GetEditText(ACol, ARow);
        if (EditControl == edTimeEdit) {
            TDateTime t = 0;
            if (Trim(text).empty() || !TryTextToTime(text, t)) t = CurrentDateTime();
            dp->SetKind(dtkTime);
            dp->SetTime(t);
            Place(dp, R, W, H);
            ShowEditorControl(dp, C);
            FireGetEditorProp(RCol, ARow, FEditLink);
            if (dp->CanFocus()) dp->SetFocus();
        } else {
            TDateTime d = CurrentDateTime();
            if (!Trim(text).empty()) {
                if (OnCustomStrToDate) {
                    OnCustomStrToDate(this, text, d);
                } else if (TDateTime v = 0; TryTextToDateTime(text, v)) {
                    d = v;
                    if (dp->MaxDate != 0 && d > dp->MaxDate) d = dp->MaxDate - 1;
                    if (dp->MinDate != 0 && d <= dp->MinDate) d = dp->MinDate + 1;
                }
            }
            dp->SetKind(dtkDate);
            dp->SetDateTime(d);
            dp->DateMode = EditControl == edDateEditUpDown ? dmUpDown : dmComboBox;
            FireGetEditorProp(RCol, ARow, FEditLink);
            dp->SetBounds(R.Left, R.Top, W, dp->Height() != H ? H : dp->Height());
            ShowEditorControl(dp, C);
            if (FMouseActions->DirectDateDrop) dp->Perform(WM_KEYDOWN, VK_F4, 0);
            startChar(dp);
        }
        EditCtrl = dp;
        return true;
    }
    case edDateTimeEdit: {
        if (!ComCtl32Newer) return true;
        TGridDateTimePicker* dp = DateAndTimePicker();
        dp->SetParent(this);
        const String text = GetEditText(ACol, ARow);
        TDateTime v = 0;
        if (Trim(text).empty() || !TryTextToDateTime(text, v)) v = CurrentDateTime();
        FOriginalDateTime = v;
        dp->SetKind(dkDateTime);
        dp->SetDateTime(v);
        dp->SetBounds(R.Left, R.Top, W, dp->Height() < H ? H : dp->Height());
        FireGetEditorProp(RCol, ARow, FEditLink);
        ShowEditorControl(dp, C);
        EditCtrl = dp;
        return true;
    }
    case edCustom:
        if (FEditLink) FEditLink->Show(this, ACol, ARow, R, C, Font());
        return true;
    case edRichEdit: {
        TExtRichEdit* re = InplaceRichEdit();
        re->SetParent(this);
        Place(re, R, W, H);
        FireGetEditorProp(RCol, ARow, FEditLink);
        re->Lock();
        CellToRich(RCol, ARow, re);
        if (FNavigation->EditSelectAll) {
            re->SetSelStart(0);
            re->SetSelLength(int(re->Text().size()));
        }
        ShowEditorControl(re, C);
        startChar(re);
        re->Unlock();
        EditCtrl = re;
        return true;
    }
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edExtGridDropDown: {
        TExtCustomDropDown* dd = nullptr;
        switch (EditControl) {
        case edTrackbarDropDown: dd = TrackbarDropDown(); break;
        case edMemoDropDown: dd = MemoDropDown(); break;
        case edCalculatorDropDown: dd = CalculatorDropDown(); break;
        case edTimePickerDropDown: dd = TimePickerDropDown(); break;
        case edDetailDropDown: dd = DetailPickerDropDown(); break;
        case edGridDropDown: dd = GridDropDown(); break;
        case edColorPickerDropDown: dd = ColorPickerDropDown(); break;
        case edImagePickerDropDown: dd = ImagePickerDropDown(); break;
        default: dd = ExtGridDropDown(); break;
        }
        const String text = GetEditText(ACol, ARow);
        if (EditControl == edGridDropDown) dd->SetColor(C);
        FireGetEditorProp(RCol, ARow, FEditLink);
        dd->SetBounds(R.Left, R.Top, 0, 0);
        dd->SetEnabled(true);
        dd->SetBounds(R.Left, R.Top, W, H);
        switch (EditControl) {
        case edTrackbarDropDown:
            static_cast<TExtTrackBarDropDown*>(dd)->SetPosition(LeadingInt(text));
            break;
        case edMemoDropDown:
            dd->SetText(text);
            break;
        case edCalculatorDropDown:
            dd->SetText(text);
            break;
        case edTimePickerDropDown:
            dd->SetText(text);
            dd->SetEditorEnabled(true);
            break;
        case edDetailDropDown: {
            auto* dt = static_cast<TExtDetailDropDown*>(dd);
            dd->SetText(text);
            dd->SetEditorEnabled(true);
            if (const int i = dt->Items()->IndexOf(text); i >= 0) dt->SetItemIndex(i);
            break;
        }
        case edGridDropDown: {
            auto* mc = static_cast<TExtMultiColumnDropDown*>(dd);
            mc->BeginUpdate();
            mc->EndUpdate();
            mc->SetItemIndex(text.empty() ? 0 : mc->Items()->IndexOf(text));
            dd->SetText(text);
            break;
        }
        case edColorPickerDropDown: {
            auto* cp = static_cast<TExtColorPickerDropDown*>(dd);
            cp->SetSelectedColor(GetCellType(RCol, ARow) == ctShape ? GetShapeColor(RCol, ARow) : GetColors(RCol, ARow));
            break;
        }
        case edImagePickerDropDown: {
            auto* ip = static_cast<TExtImagePickerDropDown*>(dd);
            const TCellType t = GetCellType(RCol, ARow);
            if ((t == ctImageList || t == ctDataImage) && GridImages()) {
                if (ip->Items()->Count() == 0) ip->AddImagesFromImageList(GridImages());
                int idx = -1;
                if (t == ctImageList) GetImageIdx(RCol, ARow, idx);
                else idx = LeadingInt(GetCellEx(RCol, ARow));
                ip->SetImageIndex(idx);
            }
            break;
        }
        default: {
            auto* eg = static_cast<TCustomExtGridDropDown*>(dd);
            eg->GetGrid()->FixedRowAlways = true;
            eg->BeginUpdate();
            eg->SetItemIndex(text.empty() ? 0 : eg->LookupItem(text));
            eg->EndUpdate();
            dd->SetText(text);
            break;
        }
        }
        ShowEditorControl(dd, C);
        // The memo opens with its caret before the text, nothing selected: set once it
        // has the focus, which selects an edit's whole text.
        if (EditControl == edMemoDropDown) {
            dd->SetSelStart(0);
            dd->SetSelLength(0);
        }
        startChar(dd);
        if (FMouseActions->DirectComboDrop) dd->DropDown();
        EditCtrl = dd;
        return true;
    }
    default:
        return false;
    }
}

bool TExtStringGrid::HideEditorOfKind(int ACol, int ARow)
{
    const int RCol = RealColIndex(ACol);
    switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        EditMode = false;
        TGridSpin* sp = SpinEdit();
        if (sp->AllowEmptyValue && Trim(sp->Text()).empty()) SetCellEx(RCol, ARow, String());
        else if (EditControl == edSpinEdit) SetInts(RCol, ARow, sp->Value());
        else if (EditControl == edFloatSpinEdit) SetFloats(RCol, ARow, sp->FloatValue());
        else if (EditControl == edTimeSpinEdit) StoreEditorValue(RCol, ARow, sp->Text());
        else SetDates(RCol, ARow, sp->DateValue());
        PutAwayEditor(sp);
        return true;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
        if (EditMode) {
            EditMode = false;
            StoreEditorValue(RCol, ARow, FEditBtn->Text());
            PutAwayEditor(FEditBtn);
        }
        return true;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        StoreEditorValue(RCol, ARow, FUnitEditBtn->Text() + FUnitEditBtn->UnitID);
        PutAwayEditor(FUnitEditBtn);
        EditMode = false;
        return true;
    case edCheckBox:
        PutAwayEditor(FGridCheckBox);
        EditMode = false;
        return true;
    case edButton:
        PutAwayEditor(FBtnEdit);
        EditMode = false;
        return true;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        if (!ComCtl32Newer) return true;
        TGridDatePicker* dp = DateTimePicker();
        if (EditControl == edTimeEdit) {
            // The picker's own Format, when it has one, is the pattern of the text.
            StoreEditorValue(RCol, ARow, dp->Text());
            PutAwayEditor(dp);
            EditMode = false;
        } else {
            StoreEditorValue(RCol, ARow, dp->Checked ? dp->Text() : String());
            EditMode = false;
            PutAwayEditor(dp);
            dp->SetDroppedDown(false);
        }
        return true;
    }
    case edDateTimeEdit: {
        if (!ComCtl32Newer) return true;
        TGridDateTimePicker* dp = DateAndTimePicker();
        StoreEditorValue(RCol, ARow,
                         dp->Checked ? FormatDateTime(GetShortDateFormat() + " " + ShortTimePattern(), dp->DateTime())
                                     : String());
        EditMode = false;
        PutAwayEditor(dp);
        return true;
    }
    case edCustom:
        if (FControlLook->DropDownAlwaysVisible) GetEditorTypeOf(RCol, ARow, EditControl);
        if (FEditLink) {
            StoreEditorValue(RCol, ARow, FEditLink->GetEditorValue());
            if (FEditLink->EditStyle != esPopup)
                if (TWinControl* c = FEditLink->GetEditControl()) PutAwayEditor(c);
            FEditLink->RestoreWinProc();
            EditMode = false;
        }
        return true;
    case edRichEdit: {
        TExtRichEdit* re = InplaceRichEdit();
        StoreEditorValue(RCol, ARow, RichToString(re));
        PutAwayEditor(re);
        EditMode = false;
        return true;
    }
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edExtGridDropDown: {
        if (!EditMode) return true;
        EditMode = false;
        TExtCustomDropDown* dd = nullptr;
        String text;
        switch (EditControl) {
        case edTrackbarDropDown: dd = TrackbarDropDown(); break;
        case edMemoDropDown: dd = MemoDropDown(); break;
        case edCalculatorDropDown: dd = CalculatorDropDown(); break;
        case edTimePickerDropDown: dd = TimePickerDropDown(); break;
        case edDetailDropDown: dd = DetailPickerDropDown(); break;
        case edGridDropDown: dd = GridDropDown(); break;
        default: dd = ExtGridDropDown(); break;
        }
        text = EditControl == edMemoDropDown ? MemoDropDown()->MemoValue() : dd->Text();
        StoreEditorValue(RCol, ARow, text);
        dd->CloseUp();
        PutAwayEditor(dd);
        return true;
    }
    case edColorPickerDropDown: {
        if (!EditMode) return true;
        EditMode = false;
        TGridColorDropDown* cp = ColorPickerDropDown();
        TColor Color = cp->SelectedColor();
        String Value = cp->SelectedColorText();
        if (OnColorSelected) OnColorSelected(this, RCol, ARow, Color, Value);
        StoreEditorValue(RCol, ARow, Value);
        if (GetCellType(RCol, ARow) == ctShape) SetShapeColor(RCol, ARow, Color);
        else SetColors(RCol, ARow, Color);
        cp->CloseUp();
        PutAwayEditor(cp);
        return true;
    }
    case edImagePickerDropDown: {
        if (!EditMode) return true;
        EditMode = false;
        TGridImageDropDown* ip = ImagePickerDropDown();
        int Index = ip->ImageIndex();
        if (OnImageSelected) OnImageSelected(this, RCol, ARow, Index);
        const TCellType t = GetCellType(RCol, ARow);
        if (t == ctImageList) SetImageIdx(RCol, ARow, Index);
        else if (t == ctDataImage) StoreEditorValue(RCol, ARow, IntToStr(Index));
        ip->CloseUp();
        PutAwayEditor(ip);
        return true;
    }
    default:
        return false;
    }
}
