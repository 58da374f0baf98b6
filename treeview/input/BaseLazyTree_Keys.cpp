// The keyboard: the application's chance to remap a key, moving the focus between nodes
// and columns with the cursor and page keys (with range selection under Shift and
// scrolling under Ctrl), expanding and collapsing, check boxes with Space, select-all,
// starting an edit with F2, and the incremental search that jumps to the node whose text
// begins with what was typed.
#include "platform/rtl/Unicode.h"
#include "treeview/core/BaseLazyTree.h"

namespace {

bool IsOnly(TShiftState Shift, TShiftState Keys) { return Shift == Keys; }

// The last character of a UTF-8 text taken off.
void DropLastChar(String& S)
{
    while (!S.empty() && (static_cast<unsigned char>(S.back()) & 0xC0) == 0x80) S.pop_back();
    if (!S.empty()) S.pop_back();
}

} // namespace

bool TBaseLazyTree::FireKeyAction(WORD& CharCode, TShiftState& Shift)
{
    bool doDefault = true;
    if (OnKeyAction) OnKeyAction(this, CharCode, Shift, doDefault);
    return doDefault;
}

void TBaseLazyTree::ReleaseKeyCheck()
{
    ChangeTreeStates({}, TLazyTreeStates{tsKeyCheckPending});
    if (PLazyNode node = FCheckNode) {
        FCheckNode = nullptr;
        node->CheckState = CheckStateReleased(node->CheckState);
        InvalidateNode(node);
    }
}

void TBaseLazyTree::KeyDown(WORD& Key, TShiftState Shift)
{
    // Without WantTabs the Tab key belongs to the dialog navigation, which moves on to the
    // next control once the tree leaves the key alone.
    if (Key == VK_TAB && (Perform(WM_GETDLGCODE, VK_TAB) & DLGC_WANTTAB) == 0) return;
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    WORD code = Key;
    TShiftState shift = Shift * TShiftState{ssShift, ssAlt, ssCtrl};
    if (!FireKeyAction(code, shift)) return;
    // A Space press waits for its release; any other key in between drops it.
    if (FStates.Contains(tsKeyCheckPending) && code != VK_SPACE) ReleaseKeyCheck();
    const bool navigation = code == VK_BACK || code == VK_TAB || (code >= VK_PRIOR && code <= VK_DOWN);
    if (navigation && FRoot->ChildCount > 0) {
        // The keys the tree used are not passed on to the form as dialog keys (an arrow
        // would move the focus to the next control).
        if (HandleNavigationKey(code, shift)) Key = 0;
        return;
    }
    HandleCommandKey(code, shift);
}

bool TBaseLazyTree::HandleNavigationKey(WORD Key, TShiftState Shift)
{
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    const TLTMiscOptions misc = FOptions->MiscOptions();
    const TLTAutoOptions autoOptions = FOptions->AutoOptions();
    TLazyTreeColumns* columns = FHeader->Columns();
    const bool multi = sel.Contains(toMultiSelect);
    const bool shiftMulti = Shift.Contains(ssShift) && multi && !IsEditing();
    bool rangeKey = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME) && shiftMulti;
    const bool repaint = rangeKey || FSelectionCount > 1;
    const bool grid = misc.Contains(toGridExtensions);
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool clearFirst = Shift.Empty() || (grid && !Shift.Contains(ssShift)) || !multi || Key == VK_BACK ||
                            Key == VK_TAB;
    PLazyNode startNode = FFocusedNode;
    if (!startNode && !Shift.Empty()) startNode = GetFirstVisible(nullptr, true, false);
    if (!FRangeAnchor) {
        FRangeAnchor = GetFirstSelected(false);
        if (!FRangeAnchor) FRangeAnchor = GetFirst(false);
    }
    const bool rtl = UseRightToLeftAlignment();
    const int sign = rtl ? -1 : 1;
    const int rowsHeight = RowAreaHeight();
    bool consumed = true;

    switch (Key) {
    case VK_HOME:
    case VK_END: {
        const bool toLast = (Key == VK_END) != rtl;
        TColumnIndex column = NoColumnIndex;
        if (FHeader->UseColumns()) column = toLast ? columns->GetLastVisibleColumn() : columns->GetFirstVisibleColumn();
        while (column >= 0 && !FireFocusChanging(FFocusedNode, FFocusedNode, FFocusedColumn, column))
            column = toLast ? columns->GetPreviousVisibleColumn(column) : columns->GetNextVisibleColumn(column);
        if (column == InvalidColumnIndex) break;
        PLazyNode node = toLast ? GetLastVisible(nullptr, true, false) : GetFirstVisible(nullptr, true, false);
        if (IsOnly(Shift, TShiftState{ssCtrl}) && !grid) {
            ScrollIntoView(node, sel.Contains(toCenterScrollIntoView), !autoOptions.Contains(toDisableAutoscrollOnFocus));
            SetOffsetX(Key == VK_HOME && !rtl ? 0 : -2147483647);
        } else {
            if (!grid || ctrl) SetFocusedNode(node);
            if (grid && !sel.Contains(toFullRowSelect)) SetFocusedColumn(column);
        }
        break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        const bool up = Key == VK_PRIOR;
        if (IsOnly(Shift, TShiftState{ssCtrl, ssShift})) {
            SetOffsetX(FOffsetX + (up ? ClientWidth() : -ClientWidth()));
        } else if (IsOnly(Shift, TShiftState{ssShift, ssAlt})) {
            if (!FHeader->UseColumns()) break;
            if (FFocusedColumn <= NoColumnIndex) {
                SetFocusedColumn(columns->GetFirstVisibleColumn());
                break;
            }
            // A page of columns: as many as fit beside the fixed ones.
            TColumnIndex column = FFocusedColumn;
            int width = columns->GetVisibleFixedWidth();
            for (;;) {
                const TColumnIndex next =
                    up ? columns->GetPreviousVisibleColumn(column) : columns->GetNextVisibleColumn(column);
                if (next < 0 || ClientWidth() <= width + columns->Items(column)->Width() ||
                    columns->Items(next)->Options().Contains(coFixed))
                    break;
                width += columns->Items(column)->Width();
                column = next;
            }
            SetFocusedColumn(column);
        } else if (ctrl) {
            SetOffsetY(FOffsetY + (up ? rowsHeight : -rowsHeight));
        } else if (!FFocusedNode) {
            SetFocusedNode(up ? GetFirstVisible(nullptr, true, false) : GetLastVisible(nullptr, true, false));
        } else {
            PLazyNode node = FFocusedNode;
            int sum = 0;
            for (;;) {
                PLazyNode next = up ? GetPreviousVisible(node, true) : GetNextVisible(node, true);
                if (!next || rowsHeight <= sum + int(NodeHeight(node))) break;
                if (up) {
                    node = next;
                    sum += int(NodeHeight(node));
                } else {
                    sum += int(NodeHeight(node));
                    node = next;
                }
            }
            SetFocusedNode(node);
        }
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        const bool up = Key == VK_UP;
        if (ctrl) {
            SetOffsetY(FOffsetY + (up ? int(FDefaultNodeHeight) : -int(FDefaultNodeHeight)));
            break;
        }
        PLazyNode target = FFocusedNode ? (up ? GetPreviousVisible(FFocusedNode, true) : GetNextVisible(FFocusedNode, true))
                                        : (up ? GetLastVisible(nullptr, true, false) : GetFirstVisible(nullptr, true, false));
        if (!target) {
            if (FFocusedNode) InvalidateNode(FFocusedNode);
            break;
        }
        // A running edit ends first; a merely pending one is dropped and the key is spent.
        if (!EndEditNode()) break;
        const int order = startNode && FRangeAnchor ? CompareNodeOrder(startNode, FRangeAnchor, false) : 0;
        if (FFocusedNode && (!shiftMulti || (up ? order > 0 : order < 0))) RemoveFromSelection(FFocusedNode);
        if (FFocusedColumn < 0) FFocusedColumn = FHeader->MainColumn();
        SetFocusedNode(target);
        break;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        const bool left = Key == VK_LEFT;
        if (ctrl) {
            SetOffsetX(FOffsetX + (left ? sign : -sign) * columns->GetScrollWidth());
        } else if (FOptions->SelectionOptions().Contains(toExtendedFocus) && grid) {
            // In a grid the keys walk the cells of the row.
            if (!FHeader->UseColumns()) break;
            const TColumnIndex column = left ? columns->GetPreviousVisibleColumn(FFocusedColumn, true)
                                             : columns->GetNextVisibleColumn(FFocusedColumn, true);
            if (column >= 0) SetFocusedColumn(column);
        } else if (FFocusedNode && FFocusedNode->States.Contains(vsHasChildren) && Shift.Empty() &&
                   FFocusedNode->States.Contains(vsExpanded) == left) {
            ToggleNode(FFocusedNode);
        } else if (!FFocusedNode) {
            SetFocusedNode(GetFirstVisible(nullptr, true, false));
        } else if (left) {
            PLazyNode parent = FFocusedNode->Parent;
            if (parent == FRoot) break;
            if (shiftMulti) {
                if (FFocusedNode->Index > 0)
                    rangeKey = true;
                else if (CompareNodeOrder(parent, FRangeAnchor, false) > 0)
                    RemoveFromSelection(FFocusedNode);
            }
            SetFocusedNode(parent);
        } else {
            PLazyNode child = GetFirstVisibleChild(FFocusedNode, false);
            if (!child || !FFocusedNode->States.Contains(vsExpanded)) break;
            if (shiftMulti && CompareNodeOrder(child, FRangeAnchor, false) < 0) RemoveFromSelection(FFocusedNode);
            SetFocusedNode(child);
        }
        break;
    }
    case VK_BACK:
        if (FStates.Contains(tsIncrementalSearching)) {
            ChangeTreeStates(TLazyTreeStates{tsIncrementalSearchPending}, {});
            consumed = false;
        } else if (FFocusedNode && FFocusedNode->Parent != FRoot) {
            SetFocusedNode(FFocusedNode->Parent);
        }
        break;
    case VK_TAB: {
        if (!sel.Contains(toExtendedFocus) || !FHeader->UseColumns()) return false;
        const bool back = Shift.Contains(ssShift);
        PLazyNode node = FFocusedNode;
        TColumnIndex column = back ? columns->GetPreviousVisibleColumn(FFocusedColumn, true)
                                   : columns->GetNextVisibleColumn(FFocusedColumn, true);
        while (node) {
            while (column >= 0 && !FireFocusChanging(FFocusedNode, node, FFocusedColumn, column))
                column = back ? columns->GetPreviousVisibleColumn(column, true)
                              : columns->GetNextVisibleColumn(column, true);
            if (column >= 0) {
                FocusNodeAndColumn(node, column);
                break;
            }
            node = back ? GetPreviousVisible(node, true) : GetNextVisible(node, true);
            column = back ? columns->GetLastVisibleColumn(true) : columns->GetFirstVisibleColumn(true);
        }
        break;
    }
    default: return false;
    }

    bool cleared = false;
    if (clearFirst && (startNode != FFocusedNode || FSelectionCount != 1)) {
        ClearSelection();
        cleared = true;
    }
    if (Shift.Empty()) {
        FRangeAnchor = FFocusedNode;
        FLastSelectionLevel = FFocusedNode ? int(GetNodeLevel(FFocusedNode)) : -1;
    }
    if (FFocusedNode) {
        if (rangeKey) ToggleSelectionRange(startNode, FFocusedNode);
        if (startNode != FFocusedNode || cleared) AddToSelection(FFocusedNode);
    }
    if (repaint) Invalidate();
    return consumed;
}

void TBaseLazyTree::HandleCommandKey(WORD Key, TShiftState Shift)
{
    // The main keyboard's signs act like the number pad's.
    switch (Key) {
    case VK_OEM_PLUS: Key = VK_ADD; break;
    case VK_OEM_MINUS: Key = VK_SUBTRACT; break;
    case VK_OEM_2: Key = VK_DIVIDE; break;
    default: break;
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool searching = FStates.Contains(tsIncrementalSearching);
    const TLazyTreeStates pendingSearch{tsIncrementalSearchPending};
    const TLTMiscOptions misc = FOptions->MiscOptions();
    switch (Key) {
    case VK_ESCAPE:
        if (IsMouseSelecting()) {
            ChangeTreeStates({}, TLazyTreeStates{tsDrawSelPending, tsDrawSelecting});
            Invalidate();
        } else if (IsEditing()) {
            CancelEditNode();
        }
        break;
    case VK_SPACE:
        if (misc.Contains(toCheckSupport) && FFocusedNode && FFocusedNode->CheckType != ctNone) {
            if (FStates.Contains(tsKeyCheckPending) || FStates.Contains(tsMouseCheckPending) ||
                FFocusedNode->States.Contains(vsDisabled))
                break;
            TCheckState newState = NextCheckStateFor(FFocusedNode->CheckType, FFocusedNode->CheckState);
            if (!FireChecking(FFocusedNode, newState)) break;
            ChangeTreeStates(TLazyTreeStates{tsKeyCheckPending}, {});
            FCheckNode = FFocusedNode;
            FPendingCheckState = newState;
            FCheckNode->CheckState = CheckStatePressed(FCheckNode->CheckState);
            InvalidateNode(FCheckNode);
        } else {
            ChangeTreeStates(pendingSearch, {});
        }
        break;
    case 'A':
        if (ctrl)
            SelectAll(true);
        else
            ChangeTreeStates(pendingSearch, {});
        break;
    case VK_MULTIPLY:
        if (searching)
            ChangeTreeStates(pendingSearch, {});
        else if (FFocusedNode)
            FullExpand(FFocusedNode);
        break;
    case VK_DIVIDE:
        if (searching)
            ChangeTreeStates(pendingSearch, {});
        else if (FFocusedNode)
            FullCollapse(FFocusedNode);
        break;
    case VK_ADD:
    case VK_SUBTRACT: {
        const bool add = Key == VK_ADD;
        if (searching) {
            ChangeTreeStates(pendingSearch, {});
        } else if (ctrl) {
            // The whole tree, or the columns: which of the two Ctrl alone means is an option.
            if (misc.Contains(toReverseFullExpandHotKey) != Shift.Contains(ssShift)) {
                if (add)
                    FullExpand(nullptr);
                else
                    FullCollapse(nullptr);
            } else if (add) {
                FHeader->AutoFitColumns(true, smaUseColumnOption);
            } else {
                FHeader->RestoreColumns();
            }
        } else if (FFocusedNode && FFocusedNode->States.Contains(vsExpanded) != add) {
            ToggleNode(FFocusedNode);
        }
        break;
    }
    case VK_APPS:
        // The context-menu key opens the menu at the middle of the focused node's text, as
        // a right click there would; without a focused node it asks once for no node.
        if (FFocusedNode) {
            const TRect r = GetDisplayRect(FFocusedNode, FFocusedColumn, true);
            const bool column = FFocusedColumn >= 0 && FHeader->Columns()->IsValidColumn(FFocusedColumn);
            const int room = column ? FHeader->Columns()->Items(FFocusedColumn)->Width() : ClientWidth();
            const int width = std::min(GetNodeWidth(FFocusedNode, FFocusedColumn), room);
            ShowPopupMenu(FFocusedNode, FFocusedColumn, TPoint(r.Left + width / 2, (r.Top + r.Bottom) / 2));
        } else {
            ShowPopupMenu(nullptr, FFocusedColumn, TPoint(-1, -1));
        }
        break;
    case VK_F1:
        if (OnGetHelpContext) ShowContextHelp();
        break;
    case VK_F2:
        if (Shift.Empty() && FFocusedNode && CanEdit(FFocusedNode, FFocusedColumn)) {
            FEditColumn = FFocusedColumn;
            StartEdit();
        }
        break;
    default: {
        // A key that types a character (AltGr is Ctrl and Alt together) starts or goes on
        // with the search.
        const bool plain = !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
        const bool altGr = Shift.Contains(ssCtrl) && Shift.Contains(ssAlt);
        if ((plain || altGr) && Key >= VK_SPACE) ChangeTreeStates(pendingSearch, {});
    }
    }
}

void TBaseLazyTree::KeyUp(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    if (Key == VK_TAB) EnsureNodeFocused();
    if (Key != VK_SPACE || !FStates.Contains(tsKeyCheckPending)) return;
    ChangeTreeStates({}, TLazyTreeStates{tsKeyCheckPending});
    PLazyNode node = FCheckNode;
    FCheckNode = nullptr;
    if (!node) return;
    if (node == FFocusedNode)
        CommitCheckState(node, FPendingCheckState);
    else
        node->CheckState = CheckStateReleased(node->CheckState);
    InvalidateNode(node);
}

void TBaseLazyTree::KeyPress(WideChar& Key)
{
    if (FStates.Contains(tsIncrementalSearchPending)) {
        HandleIncrementalSearch(WORD(Key));
        ChangeTreeStates({}, TLazyTreeStates{tsIncrementalSearchPending});
    }
    TCustomControl::KeyPress(Key);
}

// ---- incremental search ----

int TBaseLazyTree::FireIncrementalSearch(PLazyNode Node, const String& Text)
{
    int result = 0;
    if (OnIncrementalSearch) OnIncrementalSearch(this, Node, Text, result);
    return result;
}

void TBaseLazyTree::HandleIncrementalSearch(WORD CharCode)
{
    StopTimer(SearchTimer);
    if (FIncrementalSearch == isNone) return;
    if (CharCode != 0) {
        ChangeTreeStates(TLazyTreeStates{tsIncrementalSearching}, {});
        const bool backspace = CharCode == 8;
        if (!(backspace && FSearchBuffer.empty())) {
            PLazyNode start = FIncrementalSearchStart == ssLastHit      ? FLastSearchNode
                              : FIncrementalSearchStart == ssFocusedNode ? FFocusedNode
                                                                         : nullptr;
            if (start && FIncrementalSearch == isInitializedOnly && !start->States.Contains(vsInitialized))
                start = nullptr;
            if (start && FIncrementalSearch == isVisibleOnly && (!FullyVisible(start) || IsEffectivelyFiltered(start)))
                start = nullptr;
            PLazyNode stopNode = start;
            const bool forward = (FIncrementalSearchDirection == sdForward) != backspace;
            const String typed = Utf16ToUtf8(std::u16string(1, char16_t(CharCode)));
            // The same letter again cycles through the nodes that start with it, unless
            // the start node really begins with the letter twice.
            bool repeat = !backspace && FSearchBuffer == typed;
            if (repeat && start && FireIncrementalSearch(start, FSearchBuffer + typed) == 0) repeat = false;

            auto step = [&](PLazyNode N) -> PLazyNode {
                switch (FIncrementalSearch) {
                case isInitializedOnly: return forward ? GetNextNoInit(N) : GetPreviousNoInit(N);
                case isVisibleOnly: return forward ? GetNextVisible(N, true) : GetPreviousVisible(N, true);
                default: return forward ? GetNext(N) : GetPrevious(N);
                }
            };
            auto wrap = [&]() -> PLazyNode {
                switch (FIncrementalSearch) {
                case isInitializedOnly: return forward ? GetFirstNoInit() : GetLastNoInit();
                case isVisibleOnly:
                    return forward ? GetFirstVisible(nullptr, true, false) : GetLastVisible(nullptr, true, false);
                default: return forward ? GetFirst() : GetLast();
                }
            };

            PLazyNode node = start;
            if (FSearchBuffer.empty() || !node || repeat || backspace) {
                node = node ? step(node) : nullptr;
                if (!node) node = wrap();
            }
            if (node) {
                String text;
                if (repeat) {
                    text = FSearchBuffer;
                } else if (backspace) {
                    DropLastChar(FSearchBuffer);
                    text = FSearchBuffer;
                } else {
                    text = FSearchBuffer + typed;
                }
                bool found = false;
                int wraps = 0;
                for (;;) {
                    if (FireIncrementalSearch(node, text) == 0) {
                        found = true;
                        break;
                    }
                    node = step(node);
                    // One wrap at most: a stop node that the walk cannot reach (it was
                    // hidden meanwhile) must not keep the search going round.
                    if (!node && stopNode && wraps++ == 0) node = wrap();
                    if (!node || node == stopNode) break;
                }
                if (found) {
                    ClearSelection();
                    FSearchBuffer = text;
                    FLastSearchNode = node;
                    SetFocusedNode(node);
                    SetSelected(node, true);
                    FLastSearchNode = node;
                } else if (!node || FireIncrementalSearch(node, text) != 0) {
                    MessageBeep(0);
                }
            }
        }
    }
    SetTimer(Handle(), SearchTimer, FIncrementalSearchTimeout);
}

void TBaseLazyTree::EndIncrementalSearch()
{
    ChangeTreeStates({}, TLazyTreeStates{tsIncrementalSearching});
    StopTimer(SearchTimer);
    FSearchBuffer.clear();
    FLastSearchNode = nullptr;
}
