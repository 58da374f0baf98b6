#pragma once
// Auxiliary controls the grid creates as its children: the floating footer panel, the
// search footer panel, the filter drop lists, the slim scroll indicators and the hint
// window of scrolling. Their painting and behaviour come with the grid's footer,
// search, filter and scroll features.
#include "grid/ExtCheckBox.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

class TSearchFooter;

// The footer panel under the cells that shows column calculations.
class TFooterPanel : public TPanel {
public:
    explicit TFooterPanel(TComponent* AOwner);
};

// The search footer: a text to find, previous / next, match case, highlight, close.
class TSearchPanel : public TPanel {
public:
    explicit TSearchPanel(TComponent* AOwner);
    // Takes captions, hints, colours and visibility from the footer settings.
    void Apply(TSearchFooter* Footer);
    TExtCheckBox* MatchCase() const { return FMatchCase; }
    TNotifyEvent OnEditChange;
    TNotifyEvent OnFindPrev;
    TNotifyEvent OnFindNext;
    TNotifyEvent OnClose;
    TNotifyEvent OnHighlight;

private:
    TExtCheckBox* FMatchCase;
};

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex, const String& Value)>;

// The list the filter drop-down of a column opens.
class TDropList : public TCustomControl {
public:
    explicit TDropList(TComponent* AOwner);
    TStringList* Items() { return &FItems; }
    TDropSelectEvent OnSelect;

private:
    TStringList FItems;
};

// The check list variant of the filter drop-down.
class TDropCheckList : public TDropList {
public:
    explicit TDropCheckList(TComponent* AOwner) : TDropList(AOwner) {}
};

// A slim scroll indicator of the metro scroll type: 0 vertical, 1 horizontal.
class TScrollControl : public TCustomControl {
public:
    TScrollControl(TComponent* AOwner, int ADirection);
    int Direction() const { return FDirection; }

private:
    int FDirection;
};

// The hint window that shows the row while the grid scrolls.
class THTMLHintWindow : public TCustomControl {
public:
    explicit THTMLHintWindow(TComponent* AOwner);

protected:
    // The caption on the hint colour inside a thin frame.
    void Paint() override;
};
