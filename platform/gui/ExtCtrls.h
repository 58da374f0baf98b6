#pragma once
// Panels, shapes, images, timers, link labels and the category panel group.
#include <functional>

#include "platform/gui/StdCtrls.h"

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v) { FBevelOuter = v; Realign(); Invalidate(); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v) { FBevelInner = v; Realign(); Invalidate(); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { FBevelWidth = v; Realign(); Invalidate(); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; Realign(); Invalidate(); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v) { FBorderStyle = v; Realign(); Invalidate(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment v) { FVerticalAlignment = v; Invalidate(); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v) { FShowCaption = v; Invalidate(); }
    void AdjustClientRect(TRect& r) const override;
protected:
    void Paint() override;
private:
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    bool FShowCaption = true;
};

// Draws a raised or lowered 3D frame (the panel's bevels).
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v) { FShape = v; Invalidate(); }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
protected:
    void Paint() override;
private:
    TShapeType FShape = stRectangle;
    TPen FPen;
    TBrush FBrush;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TPicture* Picture() { return &FPicture; }
    void SetPicture(const TPicture* p) { FPicture.Assign(p); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) { FStretch = v; Invalidate(); }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v) { FProportional = v; Invalidate(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool v) { FCenter = v; Invalidate(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; PictureChanged(); }
    // Where the picture is drawn inside the control.
    TRect DestRect() const;
protected:
    void Paint() override;
private:
    void PictureChanged();
    TPicture FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
};

// A paint box: a surface whose painting is OnPaint.
class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }
    TNotifyEvent OnPaint;
protected:
    void Paint() override { if (OnPaint) OnPaint(this); }
};

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    unsigned Interval() const { return FInterval; }
    // Changing the interval or enabling restarts the count.
    void SetInterval(unsigned ms);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    TNotifyEvent OnTimer;
private:
    void Restart();
    unsigned FInterval = 1000;
    bool FEnabled = true;
    int FTimerId = 0;
};

enum TSysLinkType { sltURL, sltID };
using TSysLinkEvent = std::function<void(TObject* Sender, const String& Link, TSysLinkType LinkType)>;

// A label whose caption may hold links: <a href="address">text</a> (or <a>text</a>).
// A click on a link's text runs OnLinkClick with the address (the text when none).
class TLinkLabel : public TGraphicControl {
public:
    explicit TLinkLabel(TComponent* AOwner);
    TSysLinkEvent OnLinkClick;
    // The caption without the markup.
    String PlainText() const;
    // Link under a point of the client area, or "" (and false).
    bool LinkAt(TPoint p, String& link) const;
protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
private:
    struct Piece { String Text; String Link; bool IsLink = false; TRect Box; };
    std::vector<Piece> Layout() const;
    void AdjustSize();
};

class TCategoryPanelGroup;

// One collapsible panel of a category panel group: a header with the caption, and
// the client area below it where the panel's controls sit.
class TCategoryPanel : public TCustomControl {
public:
    explicit TCategoryPanel(TComponent* AOwner);
    ~TCategoryPanel() override;
    bool Collapsed() const { return FCollapsed; }
    void SetCollapsed(bool v);
    void Collapse() { SetCollapsed(true); }
    void Expand() { SetCollapsed(false); }
    // Height while expanded; setting Height of a collapsed panel sets this only.
    int ExpandedHeight() const { return FExpandedHeight; }
    void SetBounds(int l, int t, int w, int h) override;
    TRect ClientRect() const override;
    TCategoryPanelGroup* PanelGroup() const;
    void SetParent(TWinControl* p) override;
    TNotifyEvent OnCollapse;
    TNotifyEvent OnExpand;
    int HeaderHeight() const;
    void WndProc(TMessage& msg) override;
protected:
    TRect WidgetClientArea() const override { return Rect(0, HeaderHeight(), Width(), Height()); }
    void Paint() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void VisibleChanged() override;
private:
    friend class TCategoryPanelGroup;
    bool FCollapsed = false;
    int FExpandedHeight = 200;
    bool FPlacing = false;
};

// Stacks its visible panels top to bottom in their order, with a vertical scroll bar
// when they are taller than the group; the mouse wheel scrolls.
class TCategoryPanelGroup : public TCustomControl {
public:
    explicit TCategoryPanelGroup(TComponent* AOwner);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v);
    // Panels in stacking order (hidden ones included).
    int PanelCount() const { return int(FPanels.size()); }
    TCategoryPanel* Panels(int i) const { return FPanels.at(size_t(i)); }
    int IndexOfPanel(const TCategoryPanel* p) const;
    void SetPanelIndex(TCategoryPanel* p, int index);
    void CollapseAll();
    void ExpandAll();
    int ScrollPos() const { return FScrollPos; }
    void SetScrollPos(int v);
    int ScrollRange() const;   // total height of the stacked panels
    int LineSize() const { return 8; }
    void ScrollLines(int lines);   // positive scrolls down
    void Restack();
    TScrollBar* VertScrollBar() const { return FScrollBar; }
    void WndProc(TMessage& msg) override;
protected:
    void Paint() override;
    void Resize() override;
    bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
private:
    friend class TCategoryPanel;
    void PanelAdded(TCategoryPanel* p);
    void PanelRemoved(TCategoryPanel* p);
    void PanelMoved(TCategoryPanel* p, int newTop);
    std::vector<TCategoryPanel*> FPanels;
    int FHeaderHeight = 24;
    int FScrollPos = 0;
    bool FStacking = false;
    TScrollBar* FScrollBar = nullptr;
};
