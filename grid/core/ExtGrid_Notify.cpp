// Small hooks the grid routes its moments through: fixed-cell editing, selection
// changes, the end of filtering, the text of a cell as saved and loaded, and the state
// of the current cell remembered at each click.
#include "grid/core/ExtGrid.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {
// The plain text of mini-HTML: line-break tags become CR LF, other tags go, the common
// entities are decoded.
String PlainOfHTML(const String& s)
{
    String out;
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '<') {
            const size_t e = s.find('>', i);
            if (e == String::npos) {
                out += s.substr(i);
                break;
            }
            const String tag = UpperCase(s.substr(i + 1, e - i - 1));
            if (tag == "BR" || tag == "HR" || tag == "BR/" || tag == "HR/") out += "\r\n";
            i = e + 1;
        } else if (s[i] == '&') {
            static const std::pair<const char*, const char*> ents[] = {
                {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}};
            bool hit = false;
            for (auto& [e, v] : ents)
                if (s.compare(i, std::char_traits<char>::length(e), e) == 0) {
                    out += v;
                    i += std::char_traits<char>::length(e);
                    hit = true;
                    break;
                }
            if (!hit) out += s[i++];
        } else {
            out += s[i++];
        }
    }
    return out;
}
}

void TExtStringGrid::FireFixedEdit(int ACol, int ARow, TStringList* Values, TGridFixedCellEditor& AEditor)
{
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TExtStringGrid::FireSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) InvalidateGridRect(Selection());
    FSelChange = true;
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TExtStringGrid::FireFilterDone()
{
    if (OnFilterDone) OnFilterDone(this);
}

void TExtStringGrid::GetSaveCellText(int ACol, int ARow, String& Value)
{
    Value = SaveVirtCells ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (Value.empty()) {
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctCheckBox || t == ctTriStateCheckBox) {
            bool checked = false;
            if (t == ctCheckBox) {
                GetCheckBoxState(ACol, RealRowIndex(ARow), checked);
            } else {
                TCheckBoxState st = cbUnchecked;
                GetCheckBoxState(ACol, RealRowIndex(ARow), st);
                checked = st == cbChecked;
            }
            if (checked) GetCheckTrue(ACol, ARow, Value = CheckTrue);
            else GetCheckFalse(ACol, ARow, Value = CheckFalse);
        }
    }
    const int kind = GetTextKind(Value, true);
    if (kind == 1 && !SaveWithHTML) {
        Value = PlainOfHTML(Value);
    } else if (kind == 2 && SaveWithRTF) {
        String v;
        for (char ch : Value)
            if (ch != '\r' && ch != '\n') v += ch;
        Value = v;
    }
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, Value);
}

void TExtStringGrid::SetLoadCellText(int ACol, int ARow, String Value)
{
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, Value);
    StoreLoadedText(ACol, ARow, std::move(Value));
}

void TExtStringGrid::StoreLoadedText(int ACol, int ARow, String&& Value)
{
    CellSlot(ACol, ARow).s = std::move(Value);
    if (UpdateCount() == 0 || EditedCellsOpen() || EditorMode()) CellChanged(ACol, ARow);
}

void TExtStringGrid::RememberCellState(int ACol, int ARow)
{
    StoreOldCellValue(ACol, ARow);
    FOldModifiedValue = Modified;
}

void TExtStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
    // While an edit is open its start text stays the reference for validation.
    if (!FEditing) RememberCellState(Col(), Row());
}
