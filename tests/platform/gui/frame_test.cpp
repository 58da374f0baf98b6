// A frame a control paints itself around its client area: the client area shrinks and
// keeps its own coordinates for painting, mouse positions and child controls, and the
// frame is painted around it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "tests/common/Snapshot.h"

namespace {

class TFramed : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TPoint> Presses;
    TRect PaintClip;
    int Paints = 0, FramePaints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        PaintClip = Canvas()->ClipRect();
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
        // A mark at the client area's own (0, 0).
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(TRect(0, 0, 2, 2));
    }
    void PaintNonClient() override
    {
        ++FramePaints;
        // Fills everything: only the frame may show it.
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(TRect(0, 0, Width(), Height()));
    }
    void MouseDown(TMouseButton, TShiftState, int X, int Y) override { Presses.push_back(TPoint(X, Y)); }
};

TEST(NonClientFrame, ClientAreaPaintingMouseAndChildrenLieInsideTheFrame)
{
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(150);
    auto* c = new TFramed(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 100, 80);
    auto* child = new TPanel(&form);
    child->SetParent(c);
    child->SetBounds(20, 20, 30, 20);
    form.Show();
    EXPECT_EQ(c->ClientRect(), TRect(0, 0, 100, 80));
    const TPoint before = child->ClientToScreen(TPoint(0, 0));

    c->SetNonClientInset(TRect(3, 4, 5, 6));
    EXPECT_EQ(c->NonClientInset(), TRect(3, 4, 5, 6));
    EXPECT_EQ(c->ClientRect(), TRect(0, 0, 92, 70));
    // Children keep their client coordinates, so on screen they move with the client area.
    EXPECT_EQ(child->ClientToScreen(TPoint(0, 0)), TPoint(before.X + 3, before.Y + 4));
    EXPECT_EQ(c->ClientToScreen(TPoint(0, 0)), c->ClientOrigin());

    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(c, "nonclient_frame.png", png));
    ASSERT_EQ(png.Width(), 100);
    auto is = [&](int x, int y, TColor col) { return png.Canvas()->Pixels(x, y) == ColorToRGB(col); };
    // The frame: 3 left, 4 top, 5 right, 6 bottom; inside it the client's paint with its
    // (0, 0) at the frame's inner corner.
    EXPECT_TRUE(is(2, 40, clBlue));
    EXPECT_TRUE(is(50, 3, clBlue));
    EXPECT_TRUE(is(95, 40, clBlue));
    EXPECT_TRUE(is(50, 74, clBlue));
    EXPECT_TRUE(is(3, 4, clLime));
    EXPECT_TRUE(is(4, 5, clLime));
    EXPECT_TRUE(is(5, 40, clRed));
    EXPECT_TRUE(is(94, 73, clRed));
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, 100, 80), ColorToRGB(clBlue)), 100 * 80 - 92 * 70);
    // The client's paint sees its own coordinates.
    EXPECT_LE(c->PaintClip.Right, 92);
    EXPECT_LE(c->PaintClip.Bottom, 70);

    // A real press on the window arrives in client coordinates.
    const TPoint screen = c->ClientToScreen(TPoint(7, 9));
    QWidget* w = QApplication::widgetAt(screen.X, screen.Y);
    ASSERT_NE(w, nullptr);
    const QPointF local = w->mapFromGlobal(QPointF(screen.X, screen.Y));
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(screen.X, screen.Y), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(screen.X, screen.Y), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    ASSERT_EQ(c->Presses.size(), 1u);
    EXPECT_EQ(c->Presses[0], TPoint(7, 9));

    // Without a frame all is as before.
    c->SetNonClientInset(TRect());
    EXPECT_EQ(c->ClientRect(), TRect(0, 0, 100, 80));
    EXPECT_EQ(child->ClientToScreen(TPoint(0, 0)), before);
}

TEST(NonClientFrame, AFrameOnlyRepaintLeavesTheClientAlone)
{
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(150);
    auto* c = new TFramed(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 100, 80);
    c->SetNonClientInset(TRect(3, 4, 5, 6));
    form.Show();
    Application->ProcessMessages();
    ASSERT_GT(c->FramePaints, 0);
    for (int round = 0; round < 2; ++round) {
        c->Paints = c->FramePaints = 0;
        c->InvalidateNonClient();
        Application->ProcessMessages();
        EXPECT_GT(c->FramePaints, 0);
        EXPECT_EQ(c->Paints, 0);
    }
    // A part of the client named in client coordinates repaints that part of the client,
    // not the frame at the same numbers.
    c->Paints = c->FramePaints = 0;
    c->InvalidateRect(TRect(0, 0, 2, 2));
    Application->ProcessMessages();
    EXPECT_GT(c->Paints, 0);
    EXPECT_EQ(c->PaintClip.Left, 0);
    EXPECT_EQ(c->PaintClip.Top, 0);
    EXPECT_GE(c->PaintClip.Right, 2);
    EXPECT_GE(c->PaintClip.Bottom, 2);
    // Without a frame there is nothing to repaint.
    c->SetNonClientInset(TRect());
    Application->ProcessMessages();
    c->Paints = c->FramePaints = 0;
    c->InvalidateNonClient();
    Application->ProcessMessages();
    EXPECT_EQ(c->Paints + c->FramePaints, 0);
}

}  // namespace
