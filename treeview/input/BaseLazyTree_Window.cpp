// The tree as a window among others: which keys it asks the dialog navigation to leave it
// (Tab only when it wants tabs), a change of the system's look (rebuilt after a pause, but
// not when the tree asked for the look itself), a change of the reading direction, the
// standard edit commands of menus and tool buttons, and F1 help by node.
#include <algorithm>

#include "platform/gui/Help.h"
#include "platform/rtl/Unicode.h"
#include "treeview/core/BaseLazyTree.h"

namespace {
// A system look change often comes in bursts: the window is rebuilt once they are over.
constexpr unsigned ThemeRebuildDelay = 500;
} // namespace

bool TBaseLazyTree::HandleWindowMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FWantTabs) Message.Result |= DLGC_WANTTAB;
        return true;
    case WM_THEMECHANGED:
        if (FOptions->PaintOptions().Contains(toThemeAware))
            FStates << tsUseThemes;
        else
            FStates >> tsUseThemes;
        if (!FChangingTheme) SetTimer(Handle(), ThemeChangedTimer, ThemeRebuildDelay);
        FChangingTheme = false;
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // The selection looks different with and without the focus; a ghosted tree with
        // nothing selected shows only its focused node differently.
        const bool ghosted = FSelectionCount == 0 && FOptions->PaintOptions().Contains(toGhostedIfUnfocused);
        if (!ghosted)
            Invalidate();
        else if (Message.Msg == WM_KILLFOCUS && FFocusedNode)
            InvalidateNode(FFocusedNode);
        return false;
    }
    // The standard edit messages, from the program's Edit menu or the edit actions.
    case WM_COPY:
        CopyToClipboard();
        return true;
    case WM_CUT:
        CutToClipboard();
        return true;
    case WM_PASTE:
        PasteFromClipboard();
        return true;
    case WM_ENABLE:
        // The frame around the rows may look different enabled and disabled; the rows
        // themselves are repainted by the enabling.
        InvalidateNonClient();
        return false;
    case TVM_GETITEMW:
        Message.Result = Message.LParam && HandleTVMGetItem(*reinterpret_cast<TVITEMW*>(Message.LParam)) ? 1 : 0;
        return true;
    case WM_TIMER:
        if (Message.WParam != ThemeChangedTimer) return false;
        StopTimer(ThemeChangedTimer);
        RebuildWindow();
        return true;
    }
    return false;
}

void TBaseLazyTree::ApplyWindowTheme(const String& ClassName)
{
    FChangingTheme = true;
    FWindowTheme = ClassName;
    // The platform answers a new visual-style class with a look-change message.
    Perform(WM_THEMECHANGED);
}

void TBaseLazyTree::RebuildWindow()
{
    ++FWindowRebuilds;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    if (paint.Contains(toThemeAware)) {
        ChangeTreeStates(TLazyTreeStates{tsUseThemes}, {});
        if (paint.Contains(toUseExplorerTheme)) {
            ChangeTreeStates(TLazyTreeStates{tsUseExplorerTheme}, {});
            FChangingTheme = true;
            FWindowTheme = "explorer";
        } else {
            ChangeTreeStates({}, TLazyTreeStates{tsUseExplorerTheme});
        }
    } else {
        ChangeTreeStates({}, TLazyTreeStates{tsUseThemes, tsUseExplorerTheme});
    }
    FitDefaultNodeHeightToFont();
    PrepareBitmaps();
    UpdateScrollBars(true);
    Invalidate();
}

void TBaseLazyTree::HandleBiDiModeChanged()
{
    // The horizontal position the bar shows counts from the other edge now.
    FEffectiveOffsetX = std::max(0, UseRightToLeftAlignment() ? FRangeX + FOffsetX - ClientWidth() : -FOffsetX);
    if (FOptions->AutoOptions().Contains(toAutoBidiColumnOrdering))
        FHeader->Columns()->ResetPositions(UseRightToLeftAlignment());
    FHeader->Invalidate();
}

bool TBaseLazyTree::ExecuteAction(TLTEditAction Action)
{
    switch (Action) {
    case eaSelectAll: SelectAll(false); return true;
    case eaCopy: Perform(WM_COPY); return true;
    default: break;
    }
    // A read-only tree copies but is not changed.
    if (FOptions->MiscOptions().Contains(toReadOnly)) return false;
    switch (Action) {
    case eaCut: Perform(WM_CUT); return true;
    case eaPaste: Perform(WM_PASTE); return true;
    case eaDelete: DeleteSelectedNodes(); return true;
    default: return false;
    }
}

void TBaseLazyTree::ShowContextHelp()
{
    int context = 0;
    const TColumnIndex column = FFocusedColumn < 0 ? 0 : FFocusedColumn;
    for (PLazyNode node = FFocusedNode; node && node != FRoot && context == 0; node = node->Parent)
        OnGetHelpContext(this, node, column, context);
    // No node knows one: the tree's own topic.
    if (context == 0) context = FHelpContext;
    if (context != 0) ShowHelpContext(context);
}

TLTHintAnimationType TBaseLazyTree::GetEffectiveHintAnimation()
{
    TLTHintAnimationType result = FHintAnimation;
    if (result == hatSystemDefault) result = hatNone;
    if (result == hatFade && !SystemHasMmx()) result = hatSlide;
    return result;
}

bool TBaseLazyTree::SystemHasMmx()
{
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("mmx");
#else
    return false;
#endif
}

bool TBaseLazyTree::HandleTVMGetItem(TVITEMW& Item)
{
    if (!(Item.mask & TVIF_HANDLE) || !Item.hItem || Item.hItem == FRoot) return false;
    PLazyNode node = Item.hItem;
    auto imageIndex = [&](TLTImageKind Kind) {
        bool ghosted = false;
        int index = -1;
        FireGetImageIndex(node, Kind, NoColumnIndex, ghosted, index);
        return index;
    };
    if (Item.mask & TVIF_CHILDREN) Item.cChildren = int(node->ChildCount);
    if (Item.mask & TVIF_IMAGE) Item.iImage = imageIndex(ikNormal);
    if (Item.mask & TVIF_SELECTEDIMAGE) Item.iSelectedImage = imageIndex(ikSelected);
    if (Item.mask & TVIF_STATE) {
        Item.stateMask = 0xFF2F;
        unsigned state = 0;
        if (node == FFocusedNode) state |= TVIS_FOCUSED;
        if (node->States.Contains(vsSelected)) state |= TVIS_SELECTED;
        if (node->States.Contains(vsCutOrCopy)) state |= TVIS_CUT;
        if (node == FDropTargetNode) state |= TVIS_DROPHILITED;
        if (node->States.Contains(vsExpanded)) state |= TVIS_EXPANDED;
        state |= unsigned(imageIndex(ikState) + 1) << 12;
        state |= unsigned(imageIndex(ikOverlay) + 1) << 8;
        Item.state = state;
    }
    if ((Item.mask & TVIF_TEXT) && Item.pszText && Item.cchTextMax > 0) {
        TFont font;
        font.Assign(*Font());
        TRect r;
        String text;
        GetTextInfo(node, NoColumnIndex, &font, r, text);
        // As much as the buffer holds, always ended by a zero inside it.
        const std::u16string wide = Utf8ToUtf16(text);
        const std::size_t n = std::min(wide.size(), std::size_t(Item.cchTextMax - 1));
        std::copy_n(wide.begin(), n, Item.pszText);
        Item.pszText[n] = 0;
    }
    return true;
}

void TBaseLazyTree::DoEnter()
{
    TCustomControl::DoEnter();
    EnsureNodeSelected();
}
