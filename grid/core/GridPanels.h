#pragma once
// Auxiliary controls the grid creates as its children: the floating footer panel, the
// search footer panel, the filter drop lists, the slim scroll indicators and the hint
// window of scrolling. Their painting and behaviour come with the grid's footer,
// search, filter and scroll features.
#include "grid/cells/ExtCheckBox.h"
#include "grid/search/SearchPanel.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/HintWindows.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/StdCtrls.h"

class TSearchFooter;

// The floating footer's strip along the grid's bottom: the grid's last row (the
// column calculations), a preview of the current row, or what the application paints.
class TFooterPanel : public TPanel {
public:
    explicit TFooterPanel(TComponent* AOwner);
    // The display column under X on the strip; -1 past the last column.
    int ColumnAt(int X);
    // The width the footer area takes: the fixed columns and those from LeftCol on.
    int FooterWidth();
    int FLastHintX = -1;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    class TExtStringGrid* Grid() const;
};

// The search footer's panel: grid/search/SearchPanel.h.

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The single-choice list the filter drop-down of a column opens: a release of the mouse
// on it or Enter hides it and reports the item picked; Escape hides it and reports
// nothing. The toolkit's cancel mode hides it when the pointer is outside.
class TDropList : public TListBox {
public:
    explicit TDropList(TComponent* AOwner);
    TDropSelectEvent OnSelect;
    // The list hid itself without a pick (Escape, cancel mode).
    TNotifyEvent OnCancel;
    void WndProc(TMessage& msg) override;

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
};

// The check list variant: every change of a tick reports -1 (the ticks are read from
// the list).
class TDropCheckList : public TCheckListBox {
public:
    explicit TDropCheckList(TComponent* AOwner);
    TDropSelectEvent OnSelect;
    TNotifyEvent OnCancel;
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
};

enum TScrollDirection { sdVertical, sdHorizontal };

// A slim scroll indicator of the metro scroll type over the right (bottom) edge of its
// parent grid: a thumb of the visible share of the rows (columns); a click beside the
// thumb pages, a drag of the thumb scrolls. 0 vertical, 1 horizontal.
class TScrollControl : public TCustomControl {
public:
    TScrollControl(TComponent* AOwner, int ADirection);
    int Direction() const { return FDirection; }
    // The thumb is drawn in the control's Color ($C0C0C0 at first); its thickness:
    int ScrollWidth = 4;
    // Where the thumb lies along the control: position and length in pixels.
    void ThumbExtent(int& Pos, int& Size);
    // Not every scrollable row (column) is in view: the thumb is drawn.
    bool ThumbShown();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    class TExtStringGrid* Grid() const;
    int FDirection;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};

// The hint window of the grid's cell hints whose text is mini-HTML or packed wide text,
// and of the sizing and scroll hints. A packed wide text is drawn in the font of the
// grid that last filled a hint.
class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner);
    ~THTMLHintWindow() override;
    // A grid going away: windows drawing for it forget it and hide.
    static void GridGone(class TExtStringGrid* Grid);
    // The window class the toolkit makes for a hint.
    static THintWindow* Make(TComponent* AOwner) { return new THTMLHintWindow(AOwner); }
    TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
    void ActivateHintData(const TRect& Rect, const String& AHint, void* AData) override;
    void ActivateHint(const TRect& Rect, const String& AHint) override;
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }
    void WndProc(TMessage& msg) override;

protected:
    // The caption on the hint colour inside a thin frame.
    void Paint() override;

private:
    // Measures AHint as it is drawn (packed wide text in the hint font, else as
    // mini-HTML).
    TPoint MeasureText(const String& AHint, int MaxWidth, bool& Wide);
    class TExtStringGrid* FGrid = nullptr;
    TImageList* FImages = nullptr;
    int FTextHeight = 0, FTextWidth = 0;
    String FWideCaption;
};
