// The string tree's side of editing, hints, incremental search and re-selection: texts
// for the editor and the tooltips, the default editor, matching typed text against the
// focused column, and selecting a re-added node again when its text was selected.
#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "treeview/LazyStringTree.h"

// ---- font metrics ----

void TCustomLazyStringTree::MeasureFontMetrics()
{
    TCanvas* canvas = Canvas();
    TFont saved;
    saved.Assign(*canvas->Font());
    canvas->Font()->Assign(*Font());
    FTextHeight = canvas->TextHeight("Wy");
    FEllipsisWidth = canvas->TextWidth("...");
    canvas->Font()->Assign(saved);
}

int TCustomLazyStringTree::TextHeight()
{
    if (FTextHeight == 0) MeasureFontMetrics();
    return FTextHeight;
}

int TCustomLazyStringTree::EllipsisWidth()
{
    if (FEllipsisWidth == 0) MeasureFontMetrics();
    return FEllipsisWidth;
}

// ---- texts for editors, hints and the export ----

String TCustomLazyStringTree::ImageText(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column)
{
    if (!Node) RaiseTreeError("Node must not be nil.");
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    String text;
    FireGetImageText(Node, Kind, Column, text);
    return text;
}

void TCustomLazyStringTree::FireGetImageText(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, String& Text)
{
    if (OnGetImageText) OnGetImageText(this, Node, Kind, Column, Text);
}

String TCustomLazyStringTree::GetHintText(PLazyNode Node, TColumnIndex Column, TLTTooltipLineBreakStyle& LineBreakStyle)
{
    String text = Hint();
    LineBreakStyle = hlbDefault;
    if (OnGetHint) OnGetHint(this, Node, Column, LineBreakStyle, text);
    return text;
}

String TCustomLazyStringTree::GetTooltipText(PLazyNode Node, TColumnIndex Column,
                                             TLTTooltipLineBreakStyle& LineBreakStyle)
{
    String text = Hint();
    LineBreakStyle = hlbDefault;
    if (OnGetHint)
        OnGetHint(this, Node, Column, LineBreakStyle, text);
    else
        text = Text(Node, Column);
    return text;
}

void TCustomLazyStringTree::GetTextInfo(PLazyNode Node, TColumnIndex Column, TFont* AFont, TRect& R, String& Text)
{
    TBaseLazyTree::GetTextInfo(Node, Column, AFont, R, Text);
    TCanvas* canvas = Canvas();
    TFont saved;
    saved.Assign(*canvas->Font());
    canvas->Font()->Assign(*AFont);
    FFontChanged = false;
    FirePaintText(canvas, Node, Column, ttNormal);
    int textHeight = TextHeight();
    if (FFontChanged) {
        // The application's font for this cell is the editor's too.
        AFont->Assign(*canvas->Font());
        textHeight = canvas->TextHeight("Wy");
    }
    canvas->Font()->Assign(saved);
    Text = this->Text(Node, Column);
    R = GetDisplayRect(Node, Column, true, !MultiLine(Node), true);
    OffsetRect(R, 0, HeaderAreaHeight());
    if (FOptions->PaintOptions().Contains(toShowHorzGridLines)) --R.Bottom;
    // A band one text line high, centred in the cell.
    const int d = (R.Height() - textHeight) / 2;
    R.Top += d;
    R.Bottom -= d;
}

bool TCustomLazyStringTree::NodePassesExportFilter(PLazyNode Node)
{
    switch (TreeOptions()->ExportMode()) {
    case emChecked: return Node->CheckState == csCheckedNormal;
    case emUnchecked: return Node->CheckState == csUncheckedNormal;
    case emVisibleDueToExpansion:
        return !(Node->Parent && Node->Parent != FRoot && !Node->Parent->States.Contains(vsExpanded));
    case emSelected: return Node->States.Contains(vsSelected);
    default: return true;
    }
}

void TCustomLazyStringTree::ReadOldStringOptions(const std::vector<String>& StoredNames)
{
    TLTStringOptions options;
    for (const String& name : StoredNames) {
        if (name == "soSaveCaptions")
            options << toSaveCaptions;
        else if (name == "soShowStaticText")
            options << toShowStaticText;
    }
    TreeOptions()->SetStringOptions(options);
}

// ---- the default editor and the search by text ----

ILTEditLinkPtr TCustomLazyStringTree::FireCreateEditor(PLazyNode Node, TColumnIndex Column)
{
    ILTEditLinkPtr link = TBaseLazyTree::FireCreateEditor(Node, Column);
    if (!link) link = std::make_shared<TStringEditLink>();
    return link;
}

int TCustomLazyStringTree::FireIncrementalSearch(PLazyNode Node, const String& Text)
{
    if (OnIncrementalSearch) return TBaseLazyTree::FireIncrementalSearch(Node, Text);
    const String cell = this->Text(Node, FFocusedColumn);
    return cell.compare(0, Text.size(), Text) == 0 && cell.size() >= Text.size() ? 0 : 1;
}

// ---- re-selection by text ----

String TCustomLazyStringTree::SelectionKey(PLazyNode Node)
{
    String text;
    if (OnGetText) OnGetText(this, Node, 0, ttNormal, text);
    return text;
}

namespace {

// Sorted without case; a text already held is not added twice.
std::vector<String>::iterator FindText(std::vector<String>& List, const String& Text, bool& Found)
{
    auto it = std::lower_bound(List.begin(), List.end(), Text,
                               [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    Found = it != List.end() && SameText(*it, Text);
    return it;
}

} // namespace

void TCustomLazyStringTree::AddToSelection(PLazyNode Node)
{
    TBaseLazyTree::AddToSelection(Node);
    if (FOptions->SelectionOptions().Contains(toRestoreSelection) && OnGetText && Node &&
        Node->States.Contains(vsSelected) && !FStates.Contains(tsPreviouslySelectedLocked)) {
        FHasPreviouslySelected = true;
        if (FSelectionCount == 1) FPreviouslySelected.clear();
        const String text = SelectionKey(Node);
        bool found = false;
        auto it = FindText(FPreviouslySelected, text, found);
        if (!found) FPreviouslySelected.insert(it, text);
    }
}

void TCustomLazyStringTree::RemoveFromSelection(PLazyNode Node)
{
    TBaseLazyTree::RemoveFromSelection(Node);
    if (!FOptions->SelectionOptions().Contains(toRestoreSelection) || !FHasPreviouslySelected || !Node ||
        Node->States.Contains(vsSelected))
        return;
    if (FSelectionCount == 0) {
        FPreviouslySelected.clear();
        return;
    }
    if (!OnGetText) return;
    bool found = false;
    auto it = FindText(FPreviouslySelected, SelectionKey(Node), found);
    if (found) FPreviouslySelected.erase(it);
}

PLazyNode TCustomLazyStringTree::AddChild(PLazyNode Parent, void* UserData)
{
    PLazyNode node = TBaseLazyTree::AddChild(Parent, UserData);
    if (!FOptions->SelectionOptions().Contains(toRestoreSelection) || !FHasPreviouslySelected || !OnGetText || !node)
        return node;
    bool found = false;
    FindText(FPreviouslySelected, SelectionKey(node), found);
    if (found) {
        // Selecting it must not record it again.
        ChangeTreeStates(TLazyTreeStates{tsPreviouslySelectedLocked}, {});
        try {
            SetSelected(node, true);
        } catch (...) {
            ChangeTreeStates({}, TLazyTreeStates{tsPreviouslySelectedLocked});
            throw;
        }
        ChangeTreeStates({}, TLazyTreeStates{tsPreviouslySelectedLocked});
        if (FUpdateCount == 0) ScrollIntoView(GetFirstSelected(false), true, false);
    }
    return node;
}
