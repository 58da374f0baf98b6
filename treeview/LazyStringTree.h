#pragma once
// The string tree: a tree that asks the application for the text of each node. What it
// adds so far: its own options class, the per-node area it keeps the measured text
// width in, and the default text. Text, painting and editing come with the string
// tree's own code.
#include "treeview/core/BaseLazyTree.h"

class TCustomLazyStringTree : public TBaseLazyTree {
public:
    explicit TCustomLazyStringTree(TComponent* AOwner);
    TCustomStringTreeOptions* TreeOptions() const { return static_cast<TCustomStringTreeOptions*>(FOptions.get()); }
    const String& DefaultText() const { return FDefaultText; }
    void SetDefaultText(const String& Value) { FDefaultText = Value; }

protected:
    TLazyTreeOptionsClass OptionsClass() const override;
    // Offset of the per-node area that holds the node's measured text width.
    std::uint32_t FInternalDataOffset = 0;
    String FDefaultText = "Node";
};

class TLazyStringTree : public TCustomLazyStringTree {
public:
    explicit TLazyStringTree(TComponent* AOwner);
    TStringTreeOptions* TreeOptions() const { return static_cast<TStringTreeOptions*>(FOptions.get()); }

protected:
    TLazyTreeOptionsClass OptionsClass() const override;
};
