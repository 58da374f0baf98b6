// The paint cycle: any rectangle of the tree's space into any canvas, row by row through
// a bitmap of one row's height (or straight into the canvas), cell by cell in a fixed
// order of steps, with the application's events around each level.
#include <algorithm>
#include <cmath>

#include "treeview/core/BaseLazyTree.h"

bool TBaseLazyTree::IsCellEmpty(PLazyNode Node, TColumnIndex Column)
{
    bool empty = true;
    if (OnGetCellIsEmpty) OnGetCellIsEmpty(this, Node, Column, empty);
    return empty;
}

void TBaseLazyTree::SpanEmptyColumns(TLTPaintInfo& PaintInfo, TColumnIndex& NextNonEmpty)
{
    NextNonEmpty = FHeader->Columns()->GetNextVisibleColumn(PaintInfo.Column);
}

void TBaseLazyTree::FireAfterCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const TRect& CellRect)
{
    if (OnAfterCellPaint) OnAfterCellPaint(this, Canvas, Node, Column, CellRect);
}

void TBaseLazyTree::FireAfterItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect)
{
    if (OnAfterItemErase) OnAfterItemErase(this, Canvas, Node, ItemRect);
}

void TBaseLazyTree::FireAfterItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect)
{
    if (OnAfterItemPaint) OnAfterItemPaint(this, Canvas, Node, ItemRect);
}

void TBaseLazyTree::FireAfterPaint(TCanvas* Canvas)
{
    if (OnAfterPaint) OnAfterPaint(this, Canvas);
}

void TBaseLazyTree::FireBeforeCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, TLTCellPaintMode Mode,
                                        const TRect& CellRect, TRect& ContentRect)
{
    if (!OnBeforeCellPaint) return;
    Canvas->Font()->Assign(*Font());
    OnBeforeCellPaint(this, Canvas, Node, Column, Mode, CellRect, ContentRect);
}

void TBaseLazyTree::FireBeforeItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect, TColor& Color,
                                        TItemEraseAction& EraseAction)
{
    if (OnBeforeItemErase) OnBeforeItemErase(this, Canvas, Node, ItemRect, Color, EraseAction);
}

bool TBaseLazyTree::FireBeforeItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect)
{
    bool custom = false;
    if (OnBeforeItemPaint) OnBeforeItemPaint(this, Canvas, Node, ItemRect, custom);
    return custom;
}

void TBaseLazyTree::FireBeforePaint(TCanvas* Canvas)
{
    if (OnBeforePaint) OnBeforePaint(this, Canvas);
}

bool TBaseLazyTree::FirePaintBackground(TCanvas* Canvas, const TRect& R)
{
    bool handled = false;
    if (OnPaintBackground) OnPaintBackground(this, Canvas, R, handled);
    return handled;
}

void TBaseLazyTree::PaintNodeBackground(TLTPaintInfo& PaintInfo, const TRect& R)
{
    TCanvas* c = PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    TRect row = R; // row coordinates: tree x, y from the row's top
    TColor color = FColors.BackGroundColor();
    TItemEraseAction action = eaDefault;
    FireBeforeItemErase(c, node, row, color, action);
    c->Brush()->SetStyle(bsSolid);
    if (action == eaColor) {
        c->Brush()->SetColor(color);
        c->FillRect(PaintInfo.ToCanvas(row));
    } else if (action == eaDefault) {
        const TLTPaintOptions paint = FOptions->PaintOptions();
        if (PaintInfo.PaintOptions.Contains(poBackground)) {
            const TRect r = PaintInfo.ToCanvas(row);
            const TPoint shift(PaintInfo.ViewShift.X - PaintInfo.Offset.X, PaintInfo.ViewShift.Y - PaintInfo.Offset.Y);
            if (paint.Contains(toStaticBackground))
                PaintStaticBackground(c, r, shift);
            else
                PaintTiledBackground(c, r, shift);
        } else if (PaintInfo.PaintOptions.Contains(poDrawSelection) &&
            FOptions->SelectionOptions().Contains(toFullRowSelect) && node->States.Contains(vsSelected) &&
            !paint.Contains(toUseBlendedSelection) && !FStates.Contains(tsUseExplorerTheme)) {
            c->Brush()->SetColor(color);
            if (paint.Contains(toShowHorzGridLines)) {
                c->FillRect(PaintInfo.ToCanvas(TRect(row.Left, row.Bottom - 1, row.Right, row.Bottom)));
                --row.Bottom;
            }
            const bool focused = HasFocusedLook();
            c->Brush()->SetColor(focused ? FColors.FocusedSelectionColor() : FColors.UnfocusedSelectionColor());
            c->Pen()->SetColor(focused ? FColors.FocusedSelectionBorderColor()
                                       : FColors.UnfocusedSelectionBorderColor());
            const TRect r = PaintInfo.ToCanvas(row);
            c->RoundRect(r.Left, r.Top, r.Right, r.Bottom, int(FSelectionCurveRadius), int(FSelectionCurveRadius));
        } else {
            c->Brush()->SetColor(color);
            c->FillRect(PaintInfo.ToCanvas(row));
        }
    }
    FireAfterItemErase(c, node, row);
}

// Below the last node the columns go on down to the bottom: each in its own colour, with
// its grid line when the lines run the full height.
void TBaseLazyTree::PaintFreeColumns(TCanvas* Canvas, const TRect& Free, int ShiftX,
                                     TLTInternalPaintOptions PaintOptions)
{
    TLazyTreeColumns* columns = FHeader->Columns();
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool lines = PaintOptions.Contains(poGridLines) && paint.Contains(toFullVertGridLines) &&
                       paint.Contains(toShowVertGridLines);
    const TColumnIndex last = columns->GetLastVisibleColumn();
    TLTPaintInfo whole;
    whole.Canvas = Canvas;
    for (TColumnIndex i = columns->GetFirstVisibleColumn(); i >= 0; i = columns->GetNextVisibleColumn(i)) {
        const TLazyTreeColumn* col = columns->Items(i);
        int left = 0, right = 0;
        col->GetBounds(left, right);
        TRect r(std::max(left + ShiftX, Free.Left), Free.Top, std::min(right + ShiftX, Free.Right), Free.Bottom);
        if (r.Left >= Free.Right) break;
        if (r.Left >= r.Right) continue;
        if (lines && !(FHeader->Options().Contains(hoAutoResize) && i == last) && right + ShiftX <= Free.Right) {
            Canvas->Font()->SetColor(FColors.GridLineColor());
            DrawDottedVLine(whole, r.Top, r.Bottom - 1, r.Right - 1, false);
            --r.Right;
        }
        if (!col->Options().Contains(coParentColor)) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(col->Color());
            Canvas->FillRect(r);
        }
    }
}

void TBaseLazyTree::PaintTree(TCanvas* TargetCanvas, TRect Window, TPoint Target, TLTInternalPaintOptions PaintOptions)
{
    // A paint started from inside a paint's event would draw over the row being built.
    if (FStates.Contains(tsPainting)) return;
    ChangeTreeStates({tsPainting}, {});
    struct TLeave {
        TBaseLazyTree* T;
        ~TLeave() { T->ChangeTreeStates({}, {tsPainting}); }
    } leave{this};
    FireBeforePaint(TargetCanvas);

    const bool unbuffered = PaintOptions.Contains(poUnbuffered);
    const int windowWidth = Window.Right - Window.Left;
    std::unique_ptr<TBitmap> rowBitmap;
    TCanvas* canvas = TargetCanvas;
    int savedState = 0;
    if (unbuffered) {
        savedState = TargetCanvas->SaveState();
    } else {
        rowBitmap = std::make_unique<TBitmap>();
        canvas = rowBitmap->Canvas();
    }
    if (!FPlusBM) PrepareBitmapsFor(true, true);
    if (!FCheckImages && FCheckImageKind != ckCustom) FCheckImages = GetCheckImageList(FCheckImageKind);

    TLTPaintInfo info;
    info.Canvas = canvas;
    const TLTPaintOptions paint = FOptions->PaintOptions();

    TRect selectionRect = NormalizeRect(FNewSelRect);
    const bool useSelectionRect = IsMouseSelecting() && !selectionRect.IsEmpty();

    const int treeWidth = std::max(ClientWidth(), FRangeX);
    TRect R(0, 0, treeWidth, 0);
    const bool showImages = FImages != nullptr;
    const bool showStateImages = FStateImages != nullptr;
    const bool showCheckImages = FCheckImages != nullptr && FOptions->MiscOptions().Contains(toCheckSupport);
    TLazyTreeColumns* columns = FHeader->Columns();
    const bool useColumns = FHeader->UseColumns();
    const TColumnIndex mainColumn = FHeader->MainColumn();

    if (paint.Contains(toAlwaysHideSelection) || (!Focused() && paint.Contains(toHideSelection)))
        PaintOptions >> poDrawSelection;
    if (paint.Contains(toHideFocusRect)) PaintOptions >> poDrawFocusRect;
    if (!UseBackgroundPicture(PaintOptions)) PaintOptions >> poBackground;

    int nodeTop = 0;
    PLazyNode node = GetNodeAt(0, Window.Top, false, nodeTop);
    if (!node) nodeTop = Window.Top;
    if (useSelectionRect) OffsetRect(selectionRect, 0, -nodeTop);

    const int maximumRight = Target.X + windowWidth;
    const int maximumBottom = Target.Y + (Window.Bottom - Window.Top);
    TRect targetRect(Target.X, Target.Y + nodeTop - Window.Top, maximumRight, Target.Y + nodeTop - Window.Top);
    TargetCanvas->Font()->Assign(*Font());

    if (node) {
        const int buttonGap = int(std::nearbyint(double(FIndent - FPlusBM->Width()) / 2.0));
        int buttonX = buttonGap + 1;
        TLineImage lineImage;
        while (node) {
            int selectLevel = ComputeLineImage(node, lineImage);
            const int indentSize = int(lineImage.size());
            if (!paint.Contains(toFixedIndent)) buttonX = buttonGap + (indentSize - 1) * FIndent + 1;
            if (!node->States.Contains(vsInitialized)) InitializeNode(node);
            if (node->States.Contains(vsSelected) && !paint.Contains(toChildrenAbove)) ++selectLevel;
            MeasureItemHeight(canvas, node);
            const int nodeHeight = int(node->NodeHeight);
            info.BrushOrigin = TPoint(Window.Left & 1, nodeTop & 1);
            info.ViewShift = TPoint(Target.X - Window.Left, nodeTop + FOffsetY);
            nodeTop += nodeHeight;
            targetRect.Bottom = targetRect.Top + nodeHeight;

            if (selectLevel > 0 || !PaintOptions.Contains(poSelectedOnly)) {
                if (unbuffered) {
                    info.Offset = TPoint(targetRect.Left - Window.Left, targetRect.Top);
                    TargetCanvas->RestoreState(savedState);
                    savedState = TargetCanvas->SaveState();
                    TargetCanvas->IntersectClipRect(
                        TRect(targetRect.Left, targetRect.Top, targetRect.Right,
                              targetRect.Top + std::min(nodeHeight, maximumBottom - targetRect.Top)));
                } else {
                    // A new size gives a fresh bitmap; rows of the same height reuse it.
                    if (rowBitmap->Height() != nodeHeight) {
                        rowBitmap->SetSize(0, 0);
                        rowBitmap->SetSize(std::max(windowWidth, 1), nodeHeight);
                    }
                    info.Offset = TPoint(-Window.Left, 0);
                }
                R.Bottom = nodeHeight;
                int vAlign = 0, buttonY = 0;
                ComputeVAlignOffsets(showImages, showStateImages, node, vAlign, buttonY);
                info.Node = node;
                // One cell: clipped to its column, the main column carries the structure.
                auto PaintCell = [&](TLTPaintInfo& info, bool isMain, TLazyTreeColumn* col) {
                    const bool reverse = info.BidiMode != bdLeftToRight;
                    info.NodeWidth = GetNodeWidth(node, info.Column);
                    info.ContentRect = info.CellRect;
                    if (reverse)
                        info.ContentRect.Right -= FMargin;
                    else
                        info.ContentRect.Left += FMargin;
                    TLTImageInfo& check = info.ImageInfo[iiCheck];
                    check.Index = -1;
                    if (showCheckImages && isMain) {
                        check.Index = CheckImageIndexFor(node, ctNone, csUncheckedNormal, true);
                        if (check.Index >= 0) {
                            check.Images = FCheckImages;
                            PlaceImage(FCheckImages, info.BidiMode, vAlign, info.ContentRect, check);
                            check.Ghosted = false;
                        }
                    }
                    info.ImageInfo[iiState].Index = -1;
                    if (showStateImages) {
                        FetchImageInfo(info, ikState, iiState, FStateImages);
                        if (info.ImageInfo[iiState].Index >= 0 && info.ImageInfo[iiState].Images)
                            PlaceImage(info.ImageInfo[iiState].Images, info.BidiMode, vAlign, info.ContentRect,
                                       info.ImageInfo[iiState]);
                    }
                    info.ImageInfo[iiNormal].Index = -1;
                    if (showImages) {
                        FetchImageInfo(info, node->States.Contains(vsSelected) ? ikSelected : ikNormal, iiNormal,
                                       FImages);
                        if (info.ImageInfo[iiNormal].Index >= 0 && info.ImageInfo[iiNormal].Images)
                            PlaceImage(info.ImageInfo[iiNormal].Images, info.BidiMode, vAlign, info.ContentRect,
                                       info.ImageInfo[iiNormal]);
                    }
                    if (isMain) {
                        // The indentation comes before the images: they move with it.
                        const int shift = (paint.Contains(toFixedIndent) ? 1 : indentSize) * FIndent;
                        const int dx = reverse ? -shift : shift;
                        if (reverse)
                            info.ContentRect.Right -= shift;
                        else
                            info.ContentRect.Left += shift;
                        info.ImageInfo[iiNormal].XPos += dx;
                        info.ImageInfo[iiState].XPos += dx;
                        info.ImageInfo[iiCheck].XPos += dx;
                    }
                    // A cell never draws into its neighbours; the clip goes with the cell.
                    int cellState = 0;
                    if (col) {
                        cellState = canvas->SaveState();
                        TRect clip = info.CellRect;
                        if (unbuffered) {
                            clip.Left = std::max(clip.Left, Window.Left);
                            clip.Right = std::min(clip.Right, Window.Right);
                            clip.Bottom -= std::max(0, targetRect.Bottom - maximumBottom);
                        }
                        canvas->IntersectClipRect(info.ToCanvas(clip));
                    }
                    if (PaintOptions.Contains(poGridLines) && paint.Contains(toShowHorzGridLines)) {
                        canvas->Font()->SetColor(FColors.GridLineColor());
                        const int n = paint.Contains(toFixedIndent) ? 1 : indentSize;
                        int left = info.CellRect.Left, right = info.CellRect.Right - 1;
                        if (isMain && FLineMode == lmBands) {
                            if (reverse)
                                right -= FIndent * n;
                            else
                                left += FIndent * n;
                        }
                        DrawDottedHLine(info, left, right, info.CellRect.Bottom - 1);
                        --info.CellRect.Bottom;
                        --info.ContentRect.Bottom;
                    }
                    if (col && PaintOptions.Contains(poGridLines) && paint.Contains(toShowVertGridLines)) {
                        const bool lastAuto = FHeader->Options().Contains(hoAutoResize) &&
                                              info.Column == columns->GetLastVisibleColumn();
                        const bool atEdge = info.CellRect.Right - FEffectiveOffsetX == ClientWidth() &&
                                            !col->Options().Contains(coFixed);
                        if (!lastAuto && !atEdge) {
                            if (!(reverse && IsCellEmpty(node, info.Column))) {
                                canvas->Font()->SetColor(FColors.GridLineColor());
                                const bool selectedBack =
                                    info.PaintOptions.Contains(poDrawSelection) &&
                                    FOptions->SelectionOptions().Contains(toFullRowSelect) &&
                                    node->States.Contains(vsSelected) && !paint.Contains(toUseBlendedSelection) &&
                                    !FStates.Contains(tsUseExplorerTheme);
                                DrawDottedVLine(info, info.CellRect.Top, info.CellRect.Bottom - 1,
                                                info.CellRect.Right - 1, selectedBack);
                            }
                            --info.CellRect.Right;
                            --info.ContentRect.Right;
                        }
                    }
                    if (col && info.PaintOptions.Contains(poColumnColor)) {
                        canvas->Brush()->SetStyle(bsSolid);
                        canvas->Brush()->SetColor(col->Color());
                        canvas->FillRect(info.ToCanvas(info.CellRect));
                    }
                    PaintCellSelection(info, rowBitmap ? rowBitmap->Width() : maximumRight);
                    if (isMain) {
                        if (paint.Contains(toShowTreeLines) &&
                            !(paint.Contains(toHideTreeLinesIfThemed) && FStates.Contains(tsUseThemes)))
                            PaintTreeLines(info, vAlign, indentSize, lineImage);
                        if (paint.Contains(toShowButtons) && node->States.Contains(vsHasChildren) &&
                            (!node->States.Contains(vsAllChildrenHidden) ||
                             !FOptions->AutoOptions().Contains(toAutoHideButtons)))
                            PaintNodeButton(info, buttonX, buttonY);
                        if (check.Index >= 0) PaintCheckImage(info, check, node->States.Contains(vsSelected));
                    }
                    if (info.ImageInfo[iiState].Index >= 0) PaintImage(info, iiState, false);
                    if (info.ImageInfo[iiNormal].Index >= 0) PaintImage(info, iiNormal, true);
                    if (!(FStates.Contains(tsEditing) && node == FFocusedNode &&
                          (!col || info.Column == FEditColumn)))
                        PaintNode(info);
                    FireAfterCellPaint(canvas, node, info.Column, info.CellRect);
                    if (col) canvas->RestoreState(cellState);
                };
                if (!FireBeforeItemPaint(canvas, node, R)) {
                    info.PaintOptions = PaintOptions;
                    PaintNodeBackground(info, TRect(Window.Left, 0, Window.Right, nodeHeight));
                    info.CellRect = R;
                    info.Column = NoColumnIndex;
                    info.Position = 0;
                    TColumnIndex next = InvalidColumnIndex;
                    if (useColumns) {
                        const TColumnIndex first = columns->GetFirstVisibleColumn();
                        if (first >= 0) {
                            info.Position = columns->Items(first)->Position();
                            columns->Items(first)->GetBounds(info.CellRect.Left, info.CellRect.Right);
                        }
                    }
                    while (info.CellRect.Left < Window.Right) {
                        TLazyTreeColumn* col = nullptr;
                        if (useColumns) {
                            info.Column = columns->ColumnFromPosition(TColumnPosition(info.Position));
                            if (info.Column < 0) break;
                            col = columns->Items(info.Column);
                            info.BidiMode = col->BiDiMode();
                            info.Alignment = col->Alignment();
                        } else {
                            info.BidiMode = FBiDiMode;
                            info.Alignment = FAlignment;
                        }
                        info.PaintOptions = PaintOptions;
                        const bool editing = FStates.Contains(tsEditing) && node == FFocusedNode &&
                                             (!useColumns || info.Column == FEditColumn);
                        if (editing) info.PaintOptions >> poDrawSelection;
                        if (!col || (node->States.Contains(vsSelected) &&
                                     FOptions->SelectionOptions().Contains(toFullRowSelect) &&
                                     info.PaintOptions.Contains(poDrawSelection)) ||
                            col->Options().Contains(coParentColor))
                            info.PaintOptions >> poColumnColor;
                        const bool isMain = !col || info.Column == mainColumn;
                        const bool reverse = info.BidiMode != bdLeftToRight;
                        if (reverse && info.Alignment != taCenter)
                            info.Alignment = info.Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
                        if ((col && !col->Visible()) || (!isMain && PaintOptions.Contains(poMainOnly))) {
                            next = columns->GetNextVisibleColumn(info.Column);
                        } else {
                            next = InvalidColumnIndex;
                            if (useColumns) SpanEmptyColumns(info, next);
                            if (Window.Left < info.CellRect.Right)
                                PaintCell(info, isMain, col);
                        }
                        if (!useColumns) break;
                        if (info.CellRect.Left >= Window.Right || next == InvalidColumnIndex) break;
                        TLazyTreeColumn* n = columns->Items(next);
                        info.Position = n->Position();
                        if (n->Visible()) n->GetBounds(info.CellRect.Left, info.CellRect.Right);
                        info.CellRect.Bottom = nodeHeight;
                        info.ContentRect.Bottom = nodeHeight;
                    }
                    FireAfterItemPaint(canvas, node, R);
                    if (node == FDropTargetNode && PaintOptions.Contains(poDrawDropMark) &&
                        FOptions->PaintOptions().Contains(toShowDropmark))
                        PaintDropMark(canvas, node, R);
                }
                if (useSelectionRect)
                    PaintSelectionRectangle(info, info.ToCanvas(TRect(Window.Left, 0, Window.Right, nodeHeight)),
                                            selectionRect);
                if (!unbuffered)
                    TargetCanvas->CopyRect(TRect(targetRect.Left, targetRect.Top, targetRect.Left + windowWidth,
                                                 targetRect.Top + nodeHeight),
                                           canvas, TRect(0, 0, windowWidth, nodeHeight));
            }
            targetRect.Top += nodeHeight;
            if (targetRect.Top >= maximumBottom) break;
            if (useSelectionRect) OffsetRect(selectionRect, 0, -nodeHeight);
            node = GetNextVisible(node, true);
        }
    }

    if (unbuffered) {
        TargetCanvas->RestoreState(savedState);
        savedState = TargetCanvas->SaveState();
    }
    // The area below the last node.
    if (targetRect.Top < maximumBottom) {
        const TRect free(targetRect.Left, targetRect.Top, maximumRight, maximumBottom);
        if (!FirePaintBackground(TargetCanvas, free)) {
            if (PaintOptions.Contains(poBackground)) {
                const TPoint shift(0, Window.Top - Target.Y + FOffsetY);
                if (paint.Contains(toStaticBackground))
                    PaintStaticBackground(TargetCanvas, free, shift);
                else
                    PaintTiledBackground(TargetCanvas, free, shift);
            } else {
                TargetCanvas->Brush()->SetStyle(bsSolid);
                TargetCanvas->Brush()->SetColor(FColors.BackGroundColor());
                TargetCanvas->FillRect(free);
                if (useColumns) PaintFreeColumns(TargetCanvas, free, Target.X - Window.Left, PaintOptions);
            }
        }
        if (useSelectionRect) {
            TRect band = NormalizeRect(FNewSelRect);
            TLTPaintInfo whole;
            whole.Canvas = TargetCanvas;
            whole.Offset = TPoint(Target.X - Window.Left, Target.Y - Window.Top);
            PaintSelectionRectangle(whole, free, band);
        }
    }
    if (unbuffered) TargetCanvas->RestoreState(savedState);

    if (IsEmpty() && !FEmptyListMessage.empty()) {
        TargetCanvas->Font()->Assign(*Font());
        TargetCanvas->Font()->SetColor(clGrayText);
        TargetCanvas->Brush()->SetStyle(bsClear);
        TRect r(FOffsetX + 2, 2, FOffsetX + Width(), Height() - 2);
        TargetCanvas->DrawText(FEmptyListMessage, r, DT_LEFT | DT_NOCLIP | DT_WORDBREAK);
    }
    FireAfterPaint(TargetCanvas);
}

int TBaseLazyTree::HeaderAreaHeight() const
{
    // The header's window sits over the top of the client area, so the rows start below it.
    return FHeader && FHeader->Options().Contains(hoVisible) ? FHeader->Height() : 0;
}

void TBaseLazyTree::Paint()
{
    FUpdateRect = Canvas()->ClipRect();
    const int headerHeight = HeaderAreaHeight();
    FUpdateRect.Top = std::max(FUpdateRect.Top, headerHeight);
    if (FUpdateRect.IsEmpty()) return;
    const TLTInternalPaintOptions options{poBackground,    poColumnColor, poDrawFocusRect,
                                          poDrawSelection, poDrawDropMark, poGridLines};
    const int fixedWidth = FHeader->UseColumns() ? FHeader->Columns()->GetVisibleFixedWidth() : 0;
    // Right to left, columns narrower than the client area end at its right edge.
    const int rtlShift = FHeader->Columns()->GetRTLHeaderShift(true);
    if (fixedWidth == 0) {
        TRect window = FUpdateRect;
        OffsetRect(window, FEffectiveOffsetX - rtlShift, -FOffsetY - headerHeight);
        PaintTree(Canvas(), window, TPoint(FUpdateRect.Left, FUpdateRect.Top), options);
        return;
    }
    // Fixed columns stay put when the tree scrolls sideways: they are painted unscrolled,
    // the rest beside them.
    TRect client = ClientRect();
    client.Top = headerHeight;
    TRect window(0, client.Top, std::min(fixedWidth, client.Right), client.Bottom);
    TPoint target(window.Left, window.Top);
    OffsetRect(window, -rtlShift, -FOffsetY - headerHeight);
    PaintTree(Canvas(), window, target, options);
    if (client.Right <= fixedWidth) return;
    window = TRect(fixedWidth, client.Top, client.Right, client.Bottom);
    target = TPoint(window.Left, window.Top);
    OffsetRect(window, FEffectiveOffsetX - rtlShift, -FOffsetY - headerHeight);
    PaintTree(Canvas(), window, target, options);
}

void TBaseLazyTree::SetEmptyListMessage(const String& Value)
{
    if (FEmptyListMessage == Value) return;
    FEmptyListMessage = Value;
    Invalidate();
}

void TBaseLazyTree::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TBaseLazyTree::SetMargin(int Value)
{
    if (FMargin == Value) return;
    FMargin = Value;
    Invalidate();
}
