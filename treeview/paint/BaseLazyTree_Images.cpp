// Node images and check images: asking the application for image indexes, placing the
// images in a cell, drawing them, and the built-in check image lists shared by all trees.
#include <array>
#include <mutex>

#include "treeview/core/BaseLazyTree.h"

namespace {
// How the pictures of one built-in kind look: box border, box fill, the mark, the border
// of a hot box, and whether the mark is a tick (thin, no box) or a check in a box.
struct TCheckLook {
    TColor Border, Fill, Mark, HotBorder;
    bool Tick, Raised;
};

TCheckLook LookOf(TCheckImageKind Kind)
{
    switch (Kind) {
    // The kinds drawn in the system's colours: window, button face and button shadow.
    case ckLightCheck: return {clBtnShadow, clWindow, clBlack, TColor(0xC08000), false, true};
    case ckDarkCheck: return {TColor(0x404040), clBtnFace, clBlack, TColor(0xC08000), false, true};
    case ckLightTick: return {clBtnShadow, clWindow, TColor(0x008000), TColor(0xC08000), true, true};
    case ckDarkTick: return {TColor(0x404040), clBtnFace, TColor(0x008000), TColor(0xC08000), true, true};
    case ckFlat: return {clBtnShadow, clWindow, clBlack, TColor(0xC08000), false, false};
    case ckXP: return {TColor(0x845A1C), TColor(0xF5F5F5), TColor(0x21A121), TColor(0x3CC7FF), false, false};
    case ckSystemFlat: return {clBlack, clWhite, clBlack, TColor(0xD77800), false, false};
    default: return {TColor(0x707070), clWhite, TColor(0x202020), TColor(0xD77800), false, true};
    }
}

constexpr TColor MaskColor = clRed;

// Picture Index (0 empty; 1-8 radio, 9-16 check box, 17-20 mixed, 21-24 button; each
// group of four normal, hot, pressed, disabled) into a Size-square bitmap.
void DrawCheckPicture(TBitmap& B, int Size, int Index, const TCheckLook& L)
{
    B.SetSize(Size, Size);
    TCanvas* c = B.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(MaskColor);
    c->FillRect(TRect(0, 0, Size, Size));
    if (Index <= 0 || Index > 24) return;
    const int variant = (Index - 1) % 4;
    const bool disabled = variant == 3;
    const TColor border = variant == 1 ? L.HotBorder : disabled ? TColor(0xA0A0A0) : L.Border;
    const TColor fill = variant == 2 ? TColor(0xE0E0E0) : disabled ? TColor(0xF0F0F0) : L.Fill;
    const TColor mark = disabled ? TColor(0xA0A0A0) : L.Mark;
    const TRect box(2, 2, Size - 2, Size - 2);
    c->Pen()->SetColor(border);
    c->Brush()->SetColor(fill);
    if (Index <= 8) {
        c->Ellipse(box);
        if (Index >= 5) {
            c->Brush()->SetColor(mark);
            c->Pen()->SetColor(mark);
            c->Ellipse(TRect(box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3));
        }
        return;
    }
    if (Index >= 21) {
        c->Brush()->SetColor(variant == 2 ? TColor(0xC8C8C8) : clBtnFace);
        c->Rectangle(box);
        c->Pen()->SetColor(variant == 2 ? TColor(0x808080) : clWhite);
        c->MoveTo(box.Left + 1, box.Bottom - 2);
        c->LineTo(box.Left + 1, box.Top + 1);
        c->LineTo(box.Right - 1, box.Top + 1);
        return;
    }
    if (!L.Tick) c->Rectangle(box);
    if (L.Raised && !L.Tick) {
        c->Pen()->SetColor(TColor(0xD0D0D0));
        c->MoveTo(box.Left + 1, box.Bottom - 2);
        c->LineTo(box.Right - 2, box.Bottom - 2);
    }
    if (Index >= 17) {
        c->Brush()->SetColor(mark);
        c->FillRect(TRect(box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3));
        return;
    }
    if (Index >= 13) {
        c->Pen()->SetColor(mark);
        const int w = L.Tick ? 1 : 2;
        for (int d = 0; d < w; ++d) {
            c->MoveTo(box.Left + 2, box.Top + 5 + d);
            c->LineTo(box.Left + 4, box.Top + 7 + d);
            c->LineTo(box.Right - 2, box.Top + 2 + d);
        }
    }
}

std::mutex CheckListLock;
std::array<std::unique_ptr<TImageList>, 9> CheckLists;

void DrawCheckList(TImageList& List, TCheckImageKind Kind)
{
    List.Clear();
    const TCheckLook look = LookOf(Kind);
    for (int i = 0; i <= 24; ++i) {
        TBitmap b;
        DrawCheckPicture(b, 16, i, look);
        List.AddMasked(&b, MaskColor);
    }
}

TImageList* BuildCheckList(TCheckImageKind Kind)
{
    auto list = std::make_unique<TImageList>(nullptr);
    list->SetWidth(16);
    list->SetHeight(16);
    DrawCheckList(*list, Kind);
    CheckLists[std::size_t(Kind)] = std::move(list);
    return CheckLists[std::size_t(Kind)].get();
}

std::unique_ptr<TImageList> UtilityList;

// The drop marks: a bar at the cell's edge with an arrow pointing at it; the sort arrows:
// a triangle pointing down (descending) or up (ascending).
void DrawUtilityList(TImageList& List)
{
    List.Clear();
    for (int i = 0; i < 6; ++i) {
        TBitmap b(16, 16);
        TCanvas* c = b.Canvas();
        c->Brush()->SetColor(MaskColor);
        c->FillRect(TRect(0, 0, 16, 16));
        const TColor ink = i < 2 ? clHighlight : i < 4 ? clBtnShadow : clBtnText;
        c->Brush()->SetColor(ink);
        c->Pen()->SetColor(ink);
        if (i == 0) {
            c->FillRect(TRect(0, 1, 2, 15));
            c->Polygon({TPoint(3, 8), TPoint(8, 3), TPoint(8, 13)});
        } else if (i == 1) {
            c->FillRect(TRect(14, 1, 16, 15));
            c->Polygon({TPoint(12, 8), TPoint(7, 3), TPoint(7, 13)});
        } else if (i % 2 == 0) {
            c->Polygon({TPoint(4, 6), TPoint(11, 6), TPoint(8, 10)});
        } else {
            c->Polygon({TPoint(4, 10), TPoint(11, 10), TPoint(8, 6)});
        }
        List.AddMasked(&b, MaskColor);
    }
}
} // namespace

TImageList* TBaseLazyTree::GetUtilityImageList()
{
    std::lock_guard<std::mutex> lock(CheckListLock);
    if (!UtilityList) {
        UtilityList = std::make_unique<TImageList>(nullptr);
        DrawUtilityList(*UtilityList);
    }
    return UtilityList.get();
}

void TBaseLazyTree::ReloadSystemColorImages()
{
    std::lock_guard<std::mutex> lock(CheckListLock);
    for (TCheckImageKind kind : {ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat})
        if (TImageList* list = CheckLists[std::size_t(kind)].get()) DrawCheckList(*list, kind);
    if (UtilityList) DrawUtilityList(*UtilityList);
}

void TBaseLazyTree::HandleCMSysColorChange()
{
    ReloadSystemColorImages();
    Invalidate();
}

TImageList* TBaseLazyTree::GetCheckImageList(TCheckImageKind Kind)
{
    if (Kind == ckCustom) return nullptr;
    std::lock_guard<std::mutex> lock(CheckListLock);
    TImageList* list = CheckLists[std::size_t(Kind)].get();
    return list ? list : BuildCheckList(Kind);
}

void TBaseLazyTree::SetCheckImageKind(TCheckImageKind Value)
{
    if (FCheckImageKind == Value && FCheckImages) return;
    FCheckImageKind = Value;
    TImageList* list = GetCheckImageList(Value);
    FCheckImages = list ? list : FCustomCheckImages;
    if (!FLoading && FUpdateCount == 0) Invalidate();
}

void TBaseLazyTree::SetCustomCheckImages(TImageList* Value)
{
    if (FCustomCheckImages == Value) return;
    if (FCheckImages == FCustomCheckImages && FCheckImageKind == ckCustom) FCheckImages = nullptr;
    FCustomCheckImages = Value;
    if (FCheckImageKind == ckCustom) FCheckImages = Value;
    if (!FLoading) Invalidate();
}

void TBaseLazyTree::SetImages(TImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    if (!FLoading) Invalidate();
}

void TBaseLazyTree::SetStateImages(TImageList* Value)
{
    if (FStateImages == Value) return;
    FStateImages = Value;
    if (!FLoading) Invalidate();
}

int TBaseLazyTree::NodeImageHeight(PLazyNode Node)
{
    (void)Node;
    return FImages ? FImages->Height() : 0;
}

int TBaseLazyTree::StateImagesHeight() const { return FStateImages ? FStateImages->Height() : 0; }

TPoint TBaseLazyTree::GetNodeImageSize(PLazyNode Node)
{
    (void)Node;
    return FImages ? TPoint(FImages->Width(), FImages->Height()) : TPoint(0, 0);
}

TImageList* TBaseLazyTree::FireGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, bool& Ghosted,
                                             int& Index)
{
    if (OnGetImageIndexEx) {
        TImageList* list = Kind == ikState ? FStateImages : FImages;
        OnGetImageIndexEx(this, Node, Kind, Column, Ghosted, Index, list);
        return list;
    }
    if (OnGetImageIndex) OnGetImageIndex(this, Node, Kind, Column, Ghosted, Index);
    return nullptr;
}

bool TBaseLazyTree::NodeHasImage(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column)
{
    if (!Node || Node == FRoot) return false;
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    bool ghosted = false;
    int index = -1;
    FireGetImageIndex(Node, Kind, Column, ghosted, index);
    return index >= 0;
}

void TBaseLazyTree::FetchImageInfo(TLTPaintInfo& PaintInfo, TLTImageKind Kind, TLTImageInfoIndex InfoIndex,
                                   TImageList* DefaultImages)
{
    TLTImageInfo& info = PaintInfo.ImageInfo[InfoIndex];
    info.Index = -1;
    info.Ghosted = false;
    TImageList* list = FireGetImageIndex(PaintInfo.Node, Kind, PaintInfo.Column, info.Ghosted, info.Index);
    info.Images = list ? list : DefaultImages;
}

void TBaseLazyTree::PlaceImage(TImageList* Images, TBiDiMode BidiMode, int VAlign, TRect& ContentRect,
                               TLTImageInfo& ImageInfo)
{
    if (BidiMode == bdLeftToRight) {
        ImageInfo.XPos = ContentRect.Left - 1;
        ContentRect.Left += Images->Width() + 2;
    } else {
        ImageInfo.XPos = ContentRect.Right - Images->Width();
        ContentRect.Right -= Images->Width() + 2;
    }
    ImageInfo.YPos = ContentRect.Top + VAlign - Images->Height() / 2;
}

void TBaseLazyTree::PaintImage(TLTPaintInfo& PaintInfo, TLTImageInfoIndex InfoIndex, bool DoOverlay)
{
    TLTImageInfo& overlay = PaintInfo.ImageInfo[iiOverlay];
    if (DoOverlay) {
        FetchImageInfo(PaintInfo, ikOverlay, iiOverlay, FImages);
        const TLTImageInfo& normal = PaintInfo.ImageInfo[iiNormal];
        // An overlay that names the image itself would only draw it twice.
        if (overlay.Index == normal.Index && overlay.Images == normal.Images) overlay.Index = -1;
    } else {
        overlay.Index = -1;
    }
    const bool enabled = !PaintInfo.Node->States.Contains(vsDisabled) && Enabled();
    const TLTImageInfo& entry = PaintInfo.ImageInfo[InfoIndex];
    if (!entry.Images || entry.Index < 0) return;
    const int x = entry.XPos + PaintInfo.Offset.X, y = entry.YPos + PaintInfo.Offset.Y;
    entry.Images->Draw(PaintInfo.Canvas, x, y, entry.Index, enabled);
    // Overlays up to 14 go with the image as its overlay mask, which greyed drawing leaves
    // out; later ones are drawn as an image of their own in either case.
    TImageList* overlayList = overlay.Images ? overlay.Images : entry.Images;
    if (overlay.Index >= 0 && overlay.Index < overlayList->Count() && (enabled || overlay.Index >= 15))
        overlayList->Draw(PaintInfo.Canvas, x, y, overlay.Index, enabled);
}

void TBaseLazyTree::PaintCheckImage(const TLTPaintInfo& PaintInfo, const TLTImageInfo& ImageInfo, bool Selected)
{
    (void)Selected;
    if (!ImageInfo.Images || ImageInfo.Index < 0 || ImageInfo.Index >= ImageInfo.Images->Count()) return;
    ImageInfo.Images->Draw(PaintInfo.Canvas, ImageInfo.XPos + PaintInfo.Offset.X, ImageInfo.YPos + PaintInfo.Offset.Y,
                           ImageInfo.Index, true);
}
