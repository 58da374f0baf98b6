#pragma once
// The tree's switches in six sets, owned by each tree as its TreeOptions object.
#include "treeview/core/LazyTreeTypes.h"

enum TLTAnimationOption { toAnimatedToggle, toAdvancedAnimatedToggle };
using TLTAnimationOptions = TSet<TLTAnimationOption>;

enum TLTAutoOption {
    toAutoDropExpand,
    toAutoExpand,
    toAutoScroll,
    toAutoScrollOnExpand,
    toAutoSort,
    toAutoSpanColumns,
    toAutoTristateTracking,
    toAutoHideButtons,
    toAutoDeleteMovedNodes,
    toDisableAutoscrollOnFocus,
    toAutoChangeScale,
    toAutoFreeOnCollapse,
    toDisableAutoscrollOnEdit,
    toAutoBidiColumnOrdering
};
using TLTAutoOptions = TSet<TLTAutoOption>;

enum TLTMiscOption {
    toAcceptOLEDrop,
    toCheckSupport,
    toEditable,
    toFullRepaintOnResize,
    toGridExtensions,
    toInitOnSave,
    toReportMode,
    toToggleOnDblClick,
    toWheelPanning,
    toReadOnly,
    toVariableNodeHeight,
    toFullRowDrag,
    toNodeHeightResize,
    toNodeHeightDblClickResize,
    toEditOnClick,
    toEditOnDblClick,
    toReverseFullExpandHotKey
};
using TLTMiscOptions = TSet<TLTMiscOption>;

enum TLTPaintOption {
    toHideFocusRect,
    toHideSelection,
    toHotTrack,
    toPopupMode,
    toShowBackground,
    toShowButtons,
    toShowDropmark,
    toShowHorzGridLines,
    toShowRoot,
    toShowTreeLines,
    toShowVertGridLines,
    toThemeAware,
    toUseBlendedImages,
    toGhostedIfUnfocused,
    toFullVertGridLines,
    toAlwaysHideSelection,
    toUseBlendedSelection,
    toStaticBackground,
    toChildrenAbove,
    toFixedIndent,
    toUseExplorerTheme,
    toHideTreeLinesIfThemed,
    toShowFilteredNodes
};
using TLTPaintOptions = TSet<TLTPaintOption>;

enum TLTSelectionOption {
    toDisableDrawSelection,
    toExtendedFocus,
    toFullRowSelect,
    toLevelSelectConstraint,
    toMiddleClickSelect,
    toMultiSelect,
    toRightClickSelect,
    toSiblingSelectConstraint,
    toCenterScrollIntoView,
    toSimpleDrawSelection,
    toAlwaysSelectNode,
    toRestoreSelection
};
using TLTSelectionOptions = TSet<TLTSelectionOption>;

enum TLTStringOption { toSaveCaptions, toShowStaticText, toAutoAcceptEditChange };
using TLTStringOptions = TSet<TLTStringOption>;

enum TLTExportMode { emAll, emChecked, emUnchecked, emVisibleDueToExpansion, emSelected };

// The older single set of option names a stored "Options" value may still hold.
enum TOldLTOption {
    voAcceptOLEDrop,
    voAnimatedToggle,
    voAutoDropExpand,
    voAutoExpand,
    voAutoScroll,
    voAutoSort,
    voAutoSpanColumns,
    voAutoTristateTracking,
    voCheckSupport,
    voDisableDrawSelection,
    voEditable,
    voExtendedFocus,
    voFullRowSelect,
    voGridExtensions,
    voHideFocusRect,
    voHideSelection,
    voHotTrack,
    voInitOnSave,
    voLevelSelectConstraint,
    voMiddleClickSelect,
    voMultiSelect,
    voRightClickSelect,
    voPopupMode,
    voShowBackground,
    voShowButtons,
    voShowDropmark,
    voShowHorzGridLines,
    voShowRoot,
    voShowTreeLines,
    voShowVertGridLines,
    voSiblingSelectConstraint,
    voToggleOnDblClick
};

class TCustomLazyTreeOptions : public TObject {
public:
    explicit TCustomLazyTreeOptions(TBaseLazyTree* AOwner);
    TBaseLazyTree* Owner() const { return FOwner; }

    TLTPaintOptions PaintOptions() const { return FPaintOptions; }
    TLTAnimationOptions AnimationOptions() const { return FAnimationOptions; }
    TLTAutoOptions AutoOptions() const { return FAutoOptions; }
    TLTSelectionOptions SelectionOptions() const { return FSelectionOptions; }
    TLTMiscOptions MiscOptions() const { return FMiscOptions; }
    TLTExportMode ExportMode() const { return FExportMode; }
    void SetPaintOptions(TLTPaintOptions Value);
    void SetAnimationOptions(TLTAnimationOptions Value);
    void SetAutoOptions(TLTAutoOptions Value);
    void SetSelectionOptions(TLTSelectionOptions Value);
    void SetMiscOptions(TLTMiscOptions Value);
    void SetExportMode(TLTExportMode Value) { FExportMode = Value; }

    // Copies the five sets into Dest through its setters (not ExportMode).
    virtual void AssignTo(TCustomLazyTreeOptions* Dest) const;

protected:
    friend class TBaseLazyTree;
    TBaseLazyTree* FOwner;
    TLTPaintOptions FPaintOptions;
    TLTAnimationOptions FAnimationOptions;
    TLTAutoOptions FAutoOptions;
    TLTSelectionOptions FSelectionOptions;
    TLTMiscOptions FMiscOptions;
    TLTExportMode FExportMode = emAll;
};

// The options of the draw tree: the same sets, all published.
class TLazyTreeOptions : public TCustomLazyTreeOptions {
public:
    using TCustomLazyTreeOptions::TCustomLazyTreeOptions;
};

class TCustomStringTreeOptions : public TCustomLazyTreeOptions {
public:
    explicit TCustomStringTreeOptions(TBaseLazyTree* AOwner);
    TLTStringOptions StringOptions() const { return FStringOptions; }
    void SetStringOptions(TLTStringOptions Value);
    void AssignTo(TCustomLazyTreeOptions* Dest) const override;
protected:
    TLTStringOptions FStringOptions;
};

class TStringTreeOptions : public TCustomStringTreeOptions {
public:
    using TCustomStringTreeOptions::TCustomStringTreeOptions;
};

using TLazyTreeOptionsClass = TCustomLazyTreeOptions* (*)(TBaseLazyTree* AOwner);
