// An edit field's formatting rectangle: where it lays out its text inside its client
// area. Controls put it where their own drawing expects the text (an in-place editor over
// a cell's text, a field with a button at one end); both forms of the field, one line
// and several lines, must honour it.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/gui/Forms.h"
#include "platform/gui/MultiLineEdit.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/Snapshot.h"

namespace {

class TField : public TEdit {
public:
    TField(TComponent* AOwner, bool Multi) : TEdit(AOwner)
    {
        if (Multi) AttachWidget(CreateMultiLineEditWidget(this));
    }
};

// The first column and row that hold dark (text) pixels.
TPoint TextCorner(TBitmap& Png)
{
    TPoint corner(Png.Width(), Png.Height());
    for (int y = 0; y < Png.Height(); ++y)
        for (int x = 0; x < Png.Width(); ++x) {
            const TColor c = Png.Canvas()->Pixels(x, y);
            if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60) {
                corner.X = std::min(corner.X, x);
                corner.Y = std::min(corner.Y, y);
            }
        }
    return corner;
}

TEST(FormatRect, TheTextMovesWithTheRectangleInBothFieldForms)
{
    for (bool multi : {false, true}) {
        SCOPED_TRACE(multi);
        TForm form(nullptr);
        form.SetClientWidth(240);
        form.SetClientHeight(120);
        auto* field = new TField(&form, multi);
        field->SetParent(&form);
        field->SetBorderStyle(bsNone);
        field->SetBounds(10, 10, 200, 60);
        field->SetText("WWWW");
        // The keyboard elsewhere: no caret blinking in the pictures.
        auto* other = new TEdit(&form);
        other->SetParent(&form);
        other->SetBounds(10, 80, 50, 22);
        form.Show();
        other->SetFocus();
        // Plain dark text, not the highlight of a selection.
        field->SetSelStart(0);
        EXPECT_EQ(field->FormatRect(), field->ClientRect());
        Application->ProcessMessages();
        TBitmap before;
        ASSERT_TRUE(SNAPSHOT(field, multi ? "formatrect_multi_before.png" : "formatrect_single_before.png", before));
        const TPoint from = TextCorner(before);
        ASSERT_LT(from.X, 200);

        // 30 more to the left; for the multi-line field, whose text starts at the top,
        // also 12 more at the top.
        const TRect r(30, multi ? 12 : 0, 190, 60);
        field->SetFormatRect(r);
        EXPECT_EQ(field->FormatRect(), r);
        field->SetSelStart(0);
        Application->ProcessMessages();
        TBitmap after;
        ASSERT_TRUE(SNAPSHOT(field, multi ? "formatrect_multi_after.png" : "formatrect_single_after.png", after));
        const TPoint to = TextCorner(after);
        EXPECT_NEAR(to.X - from.X, 30, 2);
        if (multi) {
            EXPECT_NEAR(to.Y - from.Y, 12, 2);
        }
        // The text is still whole: as many dark pixels as before.
        auto dark = [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60; };
        EXPECT_NEAR(Count_Pixels(after, TRect(0, 0, 200, 60), dark), Count_Pixels(before, TRect(0, 0, 200, 60), dark), 8);
    }
}

} // namespace
