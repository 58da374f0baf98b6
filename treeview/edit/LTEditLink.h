#pragma once
// What the tree knows of an in-place editor: an edit link, which binds an editor control
// to one cell, places it, and ends it storing or dropping the text. The tree keeps the
// link while an edit runs; the editor control keeps it as long as it lives itself.
#include <memory>

#include "platform/gui/Messages.h"
#include "platform/gui/Types.h"
#include "treeview/core/LazyTreeTypes.h"

class TBaseLazyTree;

class ILTEditLink {
public:
    virtual ~ILTEditLink() = default;
    // Shows the editor and gives it the focus; false refuses the start.
    virtual bool BeginEdit() = 0;
    // Leaves without storing; false refuses.
    virtual bool CancelEdit() = 0;
    // Stores the result and leaves; false refuses (the edit goes on).
    virtual bool EndEdit() = 0;
    // Binds the editor to the cell; false refuses the edit.
    virtual bool PrepareEdit(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex Column) = 0;
    // The editor's bounds in the tree's client coordinates.
    virtual TRect GetBounds() = 0;
    virtual void ProcessMessage(TMessage& Message) = 0;
    virtual void SetBounds(TRect R) = 0;
};
using ILTEditLinkPtr = std::shared_ptr<ILTEditLink>;
