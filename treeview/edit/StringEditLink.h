#pragma once
// The string tree's own in-place editor: an edit field over the cell's text, bound to the
// cell by a link. The link stores the text through the tree's Text (so the application
// hears OnNewText) only when it was changed; the field keeps the link alive while it
// lives and is freed by a posted message, never inside its own message handling.
#include "platform/gui/StdCtrls.h"
#include "treeview/edit/LTEditLink.h"

class TCustomLazyStringTree;
class TLTEdit;

// Asks the editor to fit its size to its text.
constexpr unsigned CM_AUTOADJUST = 0xB7D5;
// Frees the editor once the message that ended the edit is done.
constexpr unsigned CM_RELEASEEDITOR = CM_BASE + 33;

class TStringEditLink : public ILTEditLink, public std::enable_shared_from_this<TStringEditLink> {
public:
    TStringEditLink();
    ~TStringEditLink() override;
    TLTEdit* Edit() const { return FEdit; }
    // Takes a new editor; the old one is released.
    void SetEdit(TLTEdit* Value);

    bool BeginEdit() override;
    bool CancelEdit() override;
    bool EndEdit() override;
    bool PrepareEdit(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex Column) override;
    TRect GetBounds() override;
    void ProcessMessage(TMessage& Message) override;
    void SetBounds(TRect R) override;

    TCustomLazyStringTree* Tree() const { return FTree; }
    PLazyNode Node() const { return FNode; }
    TColumnIndex Column() const { return FColumn; }
    TAlignment Alignment() const { return FAlignment; }
    bool Stopping() const { return FStopping; }

protected:
    friend class TLTEdit;
    // Where the field lays out its text, after its bounds changed.
    void UpdateFormatRect();
    TLTEdit* FEdit = nullptr;
    TCustomLazyStringTree* FTree = nullptr;
    PLazyNode FNode = nullptr;
    TColumnIndex FColumn = NoColumnIndex;
    TAlignment FAlignment = taLeftJustify;
    TRect FTextBounds;
    bool FStopping = false;
};

class TLTEdit : public TEdit {
public:
    explicit TLTEdit(TStringEditLink* Link);
    ~TLTEdit() override;
    // Frees the editor by a posted message.
    void Release();
    // A single-line editor takes the width of its text plus the tree's text margins.
    virtual void AutoAdjustSize();
    // A field of several lines (for a multi-line node) or of one.
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void DoExit() override;
    void Change() override;

private:
    friend class TStringEditLink;
    // Lets go of the link: the edit is over for it.
    void Detach();
    bool SingleLine() const;
    // After Enter or Escape the keyboard goes back to the tree, when it can take it.
    static void TakeBackFocus(TCustomLazyStringTree* Tree);
    ILTEditLinkPtr FRefLink;
    TStringEditLink* FLink = nullptr;
    // The link that owns the editor, until it releases it.
    TStringEditLink* FHolder = nullptr;
    bool FMultiLine = false;
};
