#pragma once
// The editor library's side of the grid: the editors each grid gets, in the grid's editor
// slots, and the show and hide steps of every editor kind as registered with the grid.
// Declared a friend by the grid: the steps work the grid's editing state.
#include "grid/core/ExtGrid.h"

struct TGridEditorLibrary {
    // The slots of the grid's editors: made with the grid up to slMadeWithGrid, the others
    // on first use. Freed by the grid in this order.
    enum TSlot {
        slCombo, slTransEdit, slTransCombo,
        slSpin, slDate, slDateAndTime, slRich, slInplaceRich, slTrackbar, slMemo, slCalculator, slTimePicker,
        slDetail, slGridDropDown, slColor, slImage, slExtGrid,
        slCheckBox, slEditBtn, slUnitEditBtn, slButton, slControlEdit, slControlCombo, slCount
    };

    static TControl*& Slot(TExtStringGrid* G, TSlot s) { return G->FEditorSlots[s]; }
    template <class T>
    static T* Made(const TExtStringGrid* G, TSlot s)
    {
        return static_cast<T*>(G->FEditorSlots[s]);
    }
    // The editor in the slot, made hidden and disabled when the slot is empty.
    template <class T>
    static T* OnDemand(TExtStringGrid* G, TSlot s, bool& made)
    {
        made = false;
        if (!G->FEditorSlots[s]) {
            T* e = new T(G);
            e->SetVisible(false);
            e->SetEnabled(false);
            G->FEditorSlots[s] = e;
            made = true;
        }
        return static_cast<T*>(G->FEditorSlots[s]);
    }

    // Made with every grid (TGridEditorParts::CreateEditors).
    static void CreateEditors(TExtStringGrid* G);
    static void SetSpinRange(TExtStringGrid* G, int MinValue, int MaxValue, int Increment);
    static bool IsWinXP(const TExtStringGrid* G) { return G->FIsWinXP; }
    // The cell follows an editor's text while it is typed.
    static void FollowText(TExtStringGrid* G, const String& Text) { G->SetEditText(G->Col(), G->Row(), Text); }
    // The grid's own key handling, for editors that pass keys on to it.
    static void GridKeyDown(TExtStringGrid* G, WORD& Key, TShiftState Shift) { G->KeyDown(Key, Shift); }
    // Fixed cells (GridEditors_Fixed.cpp).
    static void EditFixedCell(TExtStringGrid* G, int ACol, int ARow);
    static void FixedEditChange(TExtStringGrid* G, TObject* Sender);

    // The show and hide steps per kind (ExtGrid_EditorKinds.cpp).
    static TWinControl* ShowCombo(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideCombo(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowSpin(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideSpin(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowEditBtn(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideEditBtn(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowUnitEditBtn(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideUnitEditBtn(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowCheckBox(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideCheckBox(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowButton(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideButton(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowDate(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideDate(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowDateTime(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideDateTime(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowCustom(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideCustom(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowRichEdit(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideRichEdit(TExtStringGrid* G, int ACol, int ARow);
    static TWinControl* ShowDropDown(TExtStringGrid* G, int ACol, int ARow, const TRect& R);
    static void HideDropDown(TExtStringGrid* G, int ACol, int ARow);
    static void HideColorPicker(TExtStringGrid* G, int ACol, int ARow);
    static void HideImagePicker(TExtStringGrid* G, int ACol, int ARow);
    // The editors of form controls in mini-HTML cells (ControlEditors.cpp).
    static void SetControlEditorParts(TGridEditorParts& Parts);
};
