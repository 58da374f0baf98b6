// The memo picker's summary line and its key routing.
#include "gridext/panels/MemoPickerText.h"

#include "platform/gui/Messages.h"

String MemoPickerText(const TStringList& Lines, bool EditorEnabled, TCanvas* Canvas, int Width)
{
    if (Lines.Count() == 0 || EditorEnabled) {
        String all;
        for (int i = 0; i < Lines.Count(); ++i) all += Lines[i] + "\r\n";
        return all;
    }
    const String first = Lines[0];
    if (Canvas->TextWidth(first) < Width) return Lines.Count() > 1 ? first + "..." : first;
    String cut = first;
    while (!cut.empty()) {
        // One character less: a UTF-8 sequence goes whole.
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80) cut.pop_back();
        if (!cut.empty()) cut.pop_back();
        const String candidate = cut + "...";
        if (Canvas->TextWidth(candidate) < Width) return candidate;
    }
    return first;
}

bool MemoKeyToEdit(WORD Key, TShiftState Shift)
{
    return Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4;
}

bool MemoCharToEdit(WideChar Key, TShiftState Shift) { return Shift.Contains(ssAlt) || Key == 27; }

bool MemoSelectsAll(WORD Key, TShiftState Shift) { return Shift.Contains(ssCtrl) && (Key == 'A' || Key == 'a'); }
