#pragma once
// Connects a tree to the toolkit's drag and drop: drop target of its window and source
// of its drags.
#include <memory>

#include "platform/gui/DragDrop.h"
#include "treeview/transfer/LTDataObject.h"
#include "treeview/transfer/LTDragImage.h"

class TBaseLazyTree;

class ILTDragManager {
public:
    virtual ~ILTDragManager() = default;
    virtual void ForceDragLeave() = 0;
    // The data of the drag over the tree, else a new data object for a drag from it.
    virtual IDataObjectPtr CurrentDataObject() = 0;
    virtual TBaseLazyTree* CurrentDragSource() = 0;
    virtual bool HasDropImageService() = 0;
    virtual bool IsCurrentDropTarget() = 0;
};

class TLTDragManager : public ILTDragManager, public IDropTarget, public IDropSource {
public:
    explicit TLTDragManager(TBaseLazyTree* AOwner) : FOwner(AOwner) {}

    void DragEnter(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect) override;
    void DragOver(unsigned KeyState, TPoint Pt, int& Effect) override;
    void DragLeave() override;
    void Drop(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect) override;
    int GiveFeedback(int Effect) override;
    int QueryContinueDrag(bool EscapePressed, unsigned KeyState) override;

    void ForceDragLeave() override {}
    IDataObjectPtr CurrentDataObject() override;
    TBaseLazyTree* CurrentDragSource() override { return FDragSource; }
    // The toolkit shows the source's picture itself; the tree never draws one.
    bool HasDropImageService() override { return true; }
    bool IsCurrentDropTarget() override { return FIsDropTarget; }

private:
    TBaseLazyTree* FOwner;
    TBaseLazyTree* FDragSource = nullptr;
    bool FIsDropTarget = false;
    IDataObjectPtr FDataObject;
};

// What a tree keeps for its exchanges, made with the tree.
struct TLTTransferState {
    explicit TLTTransferState(TBaseLazyTree* Tree);
    std::unique_ptr<TClipboardFormats> Formats;
    std::shared_ptr<ILTDragManager> DragManager;
    std::unique_ptr<TLTDragImage> DragImage;
    // The window's registration as a drop target (the target registered, nil for none).
    IDropTarget* RegisteredTarget = nullptr;
};
