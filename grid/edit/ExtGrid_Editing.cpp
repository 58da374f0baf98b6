// Editing in place: whether a cell may be edited, which editor it gets, the may-show
// question, the special editors shown and read back through their registered kinds, the
// combo editor's list, the edit link, validation of the edited text, the edit-done
// report, and the switch that turns editing on and off as the current cell moves.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"
#include "grid/paint/GridFocusWindow.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridTextUtils.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

unsigned TExtStringGrid::GridEditDoneMessage()
{
    static const unsigned msg = RegisterWindowMessage("GridEditDone");
    return msg;
}

bool TExtStringGrid::IsDefaultEditorKind(TEditorType Kind)
{
    switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- may a cell be edited

bool TExtStringGrid::CanEditCell(int ACol, int ARow)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    bool CanEdit = true;
    FireCanEditCell(b.X, b.Y, CanEdit);
    bool Fixed = false;
    IsFixedCellEx(DisplColIndex(b.X), b.Y, Fixed);
    return CanEdit && !Fixed;
}

bool TExtStringGrid::IsEditable(int ACol, int ARow)
{
    const bool on = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit || FEditDisabled;
    return on && CanEditCell(ACol, ARow);
}

bool TExtStringGrid::IsPasswordCell(int ACol, int ARow)
{
    bool IsPassword = false;
    FireIsPasswordCell(RealColIndex(ACol), ARow, IsPassword);
    return IsPassword;
}

bool TExtStringGrid::EditorWantsTab() const
{
    return Options().Contains(goTabs) || bool(OnCellValidate) || bool(OnCellValidateWide);
}

// ---------------------------------------------------------------- edit-text hooks

String TExtStringGrid::GetEditText(int ACol, int ARow)
{
    FNoEditChange = true;
    const int rc = RealColIndex(ACol);
    if (TInplaceEdit* ed = NormalEdit()) ed->SetAlignment(TAlignment(GetCellAlignment(rc, ARow) & 0xFF));
    const TPoint b = BaseCell(rc, ARow);
    if (b.Y >= RowCount() || b.X >= TotalColCount()) return String();
    return TBaseGrid::GetEditText(b.X, b.Y);
}

void TExtStringGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    if (b.Y >= RowCount() || b.X >= TotalColCount()) return;
    if (GetGridCell(b.X, b.Y) != Value) TBaseGrid::SetEditText(b.X, b.Y, Value);
}

void TExtStringGrid::StoreEditorValue(int ACol, int ARow, const String& Value)
{
    if (ARow >= RowCount() || ACol >= TotalColCount() || FEditorValueDropped) return;
    SetCellEx(ACol, ARow, Value);
}

void TExtStringGrid::RestoreCellCache() { SetCellEx(RealColIndex(Col()), Row(), FCellCache); }

void TExtStringGrid::StoreOldCellValue(int ACol, int ARow)
{
    // A special editor stores its value into the cell before the grid gets the focus
    // back; until that value is validated the record keeps the text the cell had
    // before the edit.
    if (FSpecialValueStored && FEditing) return;
    FSpecialValueStored = false;
    FOldCol = ACol;
    FOldRow = ARow;
    const int rc = RealColIndex(ACol);
    FOldCellText = (ACol >= 0 && ARow >= 0 && rc < TotalColCount() && ARow < RowCount()) ? GetGridCell(rc, ARow)
                                                                                            : String();
    FOldCellTextWide = Utf8ToUtf16(FOldCellText);
}

// ---------------------------------------------------------------- may-show question

bool TExtStringGrid::CanEditShow()
{
    if (FValidating) return false;
    const bool Ok = TBaseGrid::CanEditShow();
    const TPoint Base = BaseCell(RealColIndex(Col()), Row());
    // Check boxes, radios and buttons change by click and Space only.
    if (Ok && !EditMode && IsControlCell(Base.X, Base.Y)) return false;
    // A special editor is open: the toolkit's editor stays hidden.
    if (Ok && EditMode && FEditActive) return false;
    if (Ok && !EditMode) {
        FNoEditChange = true;
        FCellCache = GetCurrentCell();
        EditControl = DefaultEditor;
        GetEditorTypeOf(Base.X, Base.Y, EditControl);
        if (EditControl == edNone) return false;
        EditMode = true;
        if (IsDefaultEditorKind(EditControl)) {
            FShowEditProcess = true;
        } else {
            ShowCellEditor(DisplColIndex(Base.X), Base.Y);
            FEntered = true;
            if (FFocusHelper && FFocusHelper->Enabled) ShowFocusWindow(CellRect(Col(), Row()));
            return false;
        }
    }
    if (Ok) {
        FEntered = true;
        FEditing = true;
        if (FFocusHelper && FFocusHelper->Enabled) ShowFocusWindow(CellRect(Col(), Row()));
    }
    return Ok;
}

void TExtStringGrid::ShowInplaceEdit()
{
    const int rc = RealColIndex(Col());
    if (IsControlCell(rc, Row())) return;
    if (Row() < TopRow()) SetTopRow(Row());
    if (Col() < LeftCol()) SetLeftCol(Col());
    FEditText = GetCurrentCell();
    ShowEditor();
}

void TExtStringGrid::ShowCellEdit() { Perform(WM_KEYDOWN, VK_F2, 0); }

// ---------------------------------------------------------------- special editors

TColor TExtStringGrid::CellEditorLook(int RCol, int ARow, TFont* AFont, TAlignment* AAlign)
{
    TBrush brush;
    TFont own;
    TColor ct = clNone, mc = clNone, mct = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TGradientDirection gd = GradientVertical;
    TGridDrawState st;
    GetVisualProperties(RCol, ARow, st, false, false, true, &brush, ct, mc, mct, AFont ? AFont : &own, ha, va, ww, gd);
    if (AAlign) *AAlign = ha;
    return brush.Color();
}

void TExtStringGrid::ShowCellEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    const TRect R = CellRect(ACol, ARow);
    EditCtrl = nullptr;
    FEditedXY = TPoint(RealColIndex(ACol), ARow);
    if (EditControl != edCustom) FLastValidation = true;
    // A kind without an editor (edDataCheckBox, edNone, a kind no editor library
    // registered) shows nothing and the edit ends at the next move.
    if (const TGridEditorKind* kind = GridEditorKind(EditControl); kind && kind->Show)
        EditCtrl = kind->Show(this, ACol, ARow, R);
    FStartEditChar = 0;
}

void TExtStringGrid::HideCellEditor(int ACol, int ARow)
{
    if (FGridDestroying) return;
    FSpecialEditor = false;
    FBlockKill = true;
    const int RCol = RealColIndex(ACol);
    FStartEditChar = 0;
    if (const TGridEditorKind* kind = GridEditorKind(EditControl); kind && kind->Hide) kind->Hide(this, ACol, ARow);
    if (FEditActive && FEditing && !IsDefaultEditorKind(EditControl)) FSpecialValueStored = true;
    if (EditControl != edNormal && FEditActive) PostEditDone(RCol, ARow);
    FBlockKill = false;
    FEditActive = false;
    EditCtrl = nullptr;
    FEditedXY = TPoint(-1, -1);
}

void TExtStringGrid::HideInplaceEdit()
{
    if (!EditMode && !EditorMode()) return;
    HideEditor();
    HideCellEditor(Col(), Row());
    EditMode = false;
    // The editing state of the current cell is decided again (the cell may have changed).
    UpdateEditingFor(Col(), Row());
}

void TExtStringGrid::DoneInplaceEdit(WORD Key, TShiftState Shift)
{
    FBlockFocus = true;
    FEditing = false;
    HideInplaceEdit();
    if (CanFocus() && !Focused()) SetFocus();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        const bool alwaysEdit = FNavigation->AlwaysEdit;
        FNavigation->AlwaysEdit = false;
        WORD k = Key;
        KeyDown(k, Shift);
        FNavigation->AlwaysEdit = alwaysEdit;
    }
    if (Key == VK_RETURN) AdvanceToNextCell(Col(), Row(), false, false, true, true, false);
    FBlockFocus = false;
}

// ---------------------------------------------------------------- the end of an edit

void TExtStringGrid::PostEditDone(int ACol, int ARow)
{
    if (OnEditingDone) OnEditingDone(this);
    EditMode = false;
    PostMessage(Handle(), GridEditDoneMessage(), WPARAM(ACol), LPARAM(ARow));
}

bool TExtStringGrid::ValidateCell(const String& NewValue)
{
    if (!FEditing || FValidating) return true;
    bool Valid = true;
    FEditing = false;
    FValidating = true;
    const int RCol = RealColIndex(FOldCol);
    const int row = FOldRow;
    FNewCellText = NewValue;
    struct Finally {
        TExtStringGrid* g;
        ~Finally()
        {
            // The current cell is what the next validation compares against, also when an
            // error leaves the steps above.
            g->StoreOldCellValue(g->Col(), g->Row());
            g->FValidating = false;
        }
    };
    {
        Finally fin{this};
        if (RCol < 0 || row < 0 || row >= RowCount() || RCol >= TotalColCount()) return true;
        if (NewValue != FOldCellText || AlwaysValidate) {
            const bool Changed = NewValue != FOldCellText;
            const bool adv = FNavigation->AdvanceOnEnter;
            FNavigation->AdvanceOnEnter = false;
            struct Restore {
                TNavigation* n;
                bool v;
                ~Restore() { n->AdvanceOnEnter = v; }
            } restore{FNavigation.get(), adv};
            String Value = NewValue;
            if (FCellChecker && FCellChecker->AutoCorrect()) Value = FCellChecker->Correct(RCol, row, Value);
            if (OnCellValidate) OnCellValidate(this, RCol, row, Value, Valid);
            if (Value != FOldCellText) {
                Modified = true;
                if (FixedCols() > 0) {
                    SetRowModified(RealRowIndex(Row()), true);
                    if (FShowModified && FShowModified->Enabled) RepaintCell(0, Row());
                }
            }
            if (FCellChecker && FCellChecker->AutoMarkError()) Value = FCellChecker->MarkError(RCol, row, Value);
            // Only a change is history: a value validated again unchanged is no step to undo.
            if (Valid && UndoRedo() && Value != FOldCellText) UndoRedo()->RegisterChange(RCol, row, FOldCellText, Value);
            FNewCellText = Value;
            if (Valid) {
                SetCellEx(RCol, row, Value);
                // The footers and the change notification follow the stored value (run
                // before the store they would show the cell's old value).
                CalcFooter(RCol);
                if (Changed) CellsChanged(TRect(RCol, row, RCol, row));
            } else {
                FLastValidation = false;
                // Back to the old cell with its editor; the cell holds the old text, or the
                // text the handler put there.
                const String oldText = FOldCellText;
                HideEditor();
                SetCellEx(RCol, row, Value == NewValue ? oldText : Value);
                FOldCellText = oldText;
                const int oc = FOldCol;
                if (Col() != oc || Row() != row) {
                    FForceSel = true;
                    FocusCell(oc, row, true);
                    FForceSel = false;
                }
                FValidating = false;
                FEditing = true;
                // A special editor that was closed already is opened afresh by the
                // may-show check; an open one, and the text editor, stay open with the
                // refused text.
                EditMode = IsDefaultEditorKind(EditControl) || FEditActive;
                ShowInplaceEdit();
                FValidating = true;
                ShowInvalidEntryBalloon();
            }
            FOldCellText = GetGridCell(RCol, row);
        }
    }
    if (Valid) {
        HideFocusWindow();
        HideInvalidEntryBalloon();
    }
    return Valid;
}

bool TExtStringGrid::ValidateCellWide(const std::u16string& NewValue)
{
    if (!FEditing || FValidating) return true;
    bool Valid = true;
    FEditing = false;
    FValidating = true;
    const int RCol = RealColIndex(FOldCol);
    const int row = FOldRow;
    struct Finally {
        TExtStringGrid* g;
        ~Finally()
        {
            g->StoreOldCellValue(g->Col(), g->Row());
            g->FValidating = false;
        }
    } fin{this};
    if (RCol < 0 || row < 0 || row >= RowCount() || RCol >= TotalColCount()) return true;
    if (NewValue == FOldCellTextWide && !AlwaysValidate) return true;
    // Only the typed text counts for the modified marks, not what the handler makes of it.
    const bool Changed = NewValue != FOldCellTextWide;
    const bool adv = FNavigation->AdvanceOnEnter;
    FNavigation->AdvanceOnEnter = false;
    struct Restore {
        TNavigation* n;
        bool v;
        ~Restore() { n->AdvanceOnEnter = v; }
    } restore{FNavigation.get(), adv};
    std::u16string Value = NewValue;
    CalcFooter(RCol);
    if (OnCellValidateWide) OnCellValidateWide(this, RCol, row, Value, Valid);
    if (Changed) {
        Modified = true;
        if (FShowModified && FShowModified->Enabled) {
            SetRowModified(row, true);
            RepaintCell(0, row);
        }
    }
    if (Valid) {
        SetWideCells(RCol, row, Value);
        if (Changed) CellsChanged(TRect(RCol, row, RCol, row));
    } else {
        // Back to the old cell with its editor, as a refused plain text; no balloon.
        const std::u16string oldText = FOldCellTextWide;
        HideEditor();
        SetWideCells(RCol, row, Value == NewValue ? oldText : Value);
        const int oc = FOldCol;
        if (Col() != oc || Row() != row) {
            FForceSel = true;
            FocusCell(oc, row, true);
            FForceSel = false;
        }
        FValidating = false;
        FEditing = true;
        EditMode = IsDefaultEditorKind(EditControl) || FEditActive;
        ShowInplaceEdit();
        FValidating = true;
    }
    FOldCellTextWide = GetWideCells(RCol, row);
    return Valid;
}

// ---------------------------------------------------------------- date pickers

void TExtStringGrid::DateTimePickerChange(TDateTime Value)
{
    if (OnDateTimeChange) OnDateTimeChange(this, Col(), RealRowIndex(Row()), Value);
}

void TExtStringGrid::DatePickerChange(bool TimeMode, TDateTime Value)
{
    if (!OnEditChange) return;
    const String text = FormatDateTime(TimeMode ? GetLongTimeFormat() : GetShortDateFormat(), Value);
    OnEditChange(this, Col(), RealRowIndex(Row()), text);
}

void TExtStringGrid::DatePickerCloseUp()
{
    if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, RealRowIndex(Row()), Col());
    if (FMouseActions->DirectDateClose) HideInplaceEdit();
}

void TExtStringGrid::DatePickerDropDown()
{
    if (OnDatePickerDropDown) OnDatePickerDropDown(this, RealRowIndex(Row()), Col());
}

void TExtStringGrid::ShowInvalidEntryBalloon()
{
    if (InvalidEntryTitle.empty() && InvalidEntryText.empty()) return;
    String text = InvalidEntryTitle;
    if (!text.empty() && !InvalidEntryText.empty()) text += ": ";
    text += InvalidEntryText;
    if (!FInvalidBalloon) {
        FInvalidBalloon = new THTMLHintWindow(this);
        FInvalidBalloon->SetParent(this);
    }
    FInvalidBalloon->SetColor(HintColor);
    FInvalidBalloon->SetCaption(text);
    const TRect R = CellRect(Col(), Row());
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    FInvalidBalloon->SetBounds(R.Left, R.Bottom + 2, c->TextWidth(text) + 16, c->TextHeight(text) + 6);
    FInvalidBalloon->Show();
    FInvalidBalloon->BringToFront();
}

void TExtStringGrid::HideInvalidEntryBalloon()
{
    if (FInvalidBalloon) FInvalidBalloon->Hide();
}

// ---------------------------------------------------------------- switching editing per cell

void TExtStringGrid::UpdateEditingFor(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    const int rc = RealColIndex(ACol);
    TGridOptions o = Options();
    if (IsControlCell(rc, ARow)) {
        bool CanEdit = true;
        FireCanEditCell(rc, ARow, CanEdit);
        if (!FEditDisabled)
            FEditDisabled = !CanEdit && (o.Contains(goEditing) || FMouseActions->RangeSelectAndEdit);
        if (!o.Contains(goEditing) && !o.Contains(goRowSelect) && CanEdit) {
            FEditChange = true;
            SetOptions(o << goEditing);
        }
        return;
    }
    bool CanEdit = o.Contains(goEditing) || FEditDisabled;
    FireCanEditCell(rc, ARow, CanEdit);
    if (FMouseActions->DirectEdit && CanEdit) {
        TEditorType k = DefaultEditor;
        GetEditorTypeOf(rc, ARow, k);
        if (k == edNone) CanEdit = false;
    }
    if (FMouseActions->EditOnDblClickOnly()) CanEdit = false;
    if (CanEdit) {
        FEditDisabled = false;
        if (!o.Contains(goEditing)) {
            FEditChange = true;
            if (!FEditing) StoreOldCellValue(ACol, ARow);
            if (o.Contains(goRowSelect) && FMouseActions->RangeSelectAndEdit) o >> goRowSelect;
            SetOptions(o << goEditing);
        } else if (FEditing && (EditMode || EditorMode()) && (ACol != Col() || ARow != Row())) {
            HideInplaceEdit();
        }
    } else {
        if (FEditing && (EditMode || EditorMode())) HideInplaceEdit();
        if (Options().Contains(goEditing)) {
            EditMode = false;
            FEditDisabled = true;
            FEditChange = true;
            SetOptions(Options() >> goEditing);
            HideEditor();
        }
    }
}

// ---------------------------------------------------------------- messages

bool TExtStringGrid::HandleEditingMessage(TMessage& msg)
{
    if (msg.Msg == GridEditDoneMessage() && msg.Msg != 0) {
        if (OnEditCellDone) OnEditCellDone(this, int(msg.WParam), int(msg.LParam));
        if (FMouseActions->EditOnDblClickOnly()) {
            HideInplaceEdit();
            EditMode = false;
            SetOptions(Options() >> goEditing);
        }
        msg.Result = 0;
        return true;
    }
    if (msg.Msg == WM_MOUSEWHEEL) return HandleWheel(msg);
    if (msg.Msg == WM_COMMAND && HIWORD(msg.WParam) == EN_CHANGE && FShowEditProcess && EditMode) {
        // The cell follows the open editor while the user types, so what is painted,
        // measured and read from the cell meanwhile is the typed text.
        TWinControl* editor = nullptr;
        if (IsDefaultEditorKind(EditControl)) editor = InplaceEditor();
        else if (const TGridEditorKind* kind = GridEditorKind(EditControl); kind && kind->TypingControl)
            editor = kind->TypingControl(this);
        if (editor) SetEditText(Col(), Row(), editor->Text());
        msg.Result = 0;
        return true;
    }
    if (msg.Msg == WM_SETFOCUS || msg.Msg == WM_KILLFOCUS) return HandleFocusMessage(msg);
    if (msg.Msg == WM_CHAR) {
        // Typing never edits the markup of a cell of form controls.
        if (IsHTMLControlCell(Col(), Row())) {
            msg.Result = 0;
            return true;
        }
        WideChar ch = WideChar(msg.WParam);
        const bool alt = (msg.LParam & KF_ALTDOWN_LPARAM) != 0;
        // Ctrl+C, Ctrl+V and Ctrl+X were clipboard shortcuts at key-down; their
        // characters are not typing.
        if (FNavigation->AllowClipboardShortCuts && (ch == 3 || ch == 22 || ch == 24) && GetKeyState(VK_CONTROL) < 0) {
            msg.Result = 0;
            return true;
        }
        if (FMouseActions->EditOnDblClickOnly()) {
            bool CanEdit = true;
            FireCanEditCell(RealColIndex(Col()), Row(), CanEdit);
            if (CanEdit) SetOptions(Options() << goEditing);
        }
        if (Options().Contains(goEditing) && !alt && (ch == 8 || (ch >= 32 && ch != 127))) {
            // The window hears the key before the grid opens its editor with it.
            if (OnKeyPress) OnKeyPress(this, ch);
            if (ch == 0) {
                msg.Result = 0;
                return true;
            }
            FStartEditChar = ch;
            if (!IsControlCell(RealColIndex(Col()), Row())) {
                ShowEditor();
                if (InplaceEditor() && InplaceEditor()->Visible()) InplaceEditor()->Perform(WM_CHAR, WPARAM(ch), msg.LParam);
            }
            FStartEditChar = 0;
            msg.Result = 0;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- the combo editor's list

void TExtStringGrid::ClearComboString()
{
    if (FCombo) FCombo->Items()->Clear();
}

void TExtStringGrid::AddComboString(const String& s)
{
    if (FCombo) FCombo->Items()->Add(s);
}

void TExtStringGrid::AddComboStringObject(const String& s, TObject* AObject)
{
    if (FCombo) FCombo->Items()->AddObject(s, AObject);
}

bool TExtStringGrid::RemoveComboString(const String& s)
{
    if (!FCombo) return false;
    const int i = FCombo->Items()->IndexOf(s);
    if (i < 0) return false;
    FCombo->Items()->Delete(i);
    return true;
}

bool TExtStringGrid::SetComboSelectionString(const String& s)
{
    if (!FCombo) return false;
    const int i = FCombo->Items()->IndexOf(s);
    if (i < 0) return false;
    FComboIdx = i;
    return true;
}

void TExtStringGrid::SetComboSelection(int index) { FComboIdx = index; }

void TExtStringGrid::AskComboItems(int ACol, int ARow) { FireGetEditorProp(ACol, ARow, nullptr); }

void TExtStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    AskComboItems(ACol, ARow);
    const bool inside = FCombo && Value >= 0 && Value < FCombo->Items()->Count();
    SetCellEx(ACol, ARow, inside ? FCombo->Items()->Strings(Value) : String());
}

int TExtStringGrid::GetComboIndex(int ACol, int ARow)
{
    AskComboItems(ACol, ARow);
    return FCombo ? FCombo->Items()->IndexOf(GetCellEx(ACol, ARow)) : -1;
}

int TExtStringGrid::GetComboCount() { return FCombo ? FCombo->Items()->Count() : 0; }

// ---------------------------------------------------------------- the edit link

void TExtStringGrid::SetEditLink(TEditLink* Value)
{
    FEditLink = Value;
    if (Value)
        if (const auto& component = GridEditorParts().LinkComponent) FreeNotification(component(Value));
}

void TExtStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && FEditLink && static_cast<const void*>(FEditLink) == static_cast<const void*>(AComponent))
        FEditLink = nullptr;
    if (Operation == opRemove && FCellCheckerComponent && FCellCheckerComponent == AComponent) {
        FCellChecker = nullptr;
        FCellCheckerComponent = nullptr;
    }
}

void TExtStringGrid::EditLinkControlWndProc(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE && Options().Contains(goTabs)) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        return;
    }
    if (FGridControlWndProc) FGridControlWndProc(Message);
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

void TExtStringGrid::PutAwayEditor(TWinControl* Editor)
{
    if (!Editor) return;
    const bool hadFocus = Editor->Focused();
    Editor->SetEnabled(false);
    Editor->SetVisible(false);
    if (hadFocus && CanFocus()) SetFocus();
}
