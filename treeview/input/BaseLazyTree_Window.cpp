// The tree as a window among others: which keys it asks the dialog navigation to leave it
// (Tab only when it wants tabs), a change of the system's look (rebuilt after a pause, but
// not when the tree asked for the look itself), a change of the reading direction, the
// standard edit commands of menus and tool buttons, and F1 help by node.
#include "platform/gui/Help.h"
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
