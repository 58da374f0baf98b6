// The detail picker as a user meets it: typed text completed from the captions, Enter
// and Esc on the closed edit, the list opened by button and keys, moved through by keys
// and letters, chosen by click and Enter, left by Esc and clicks outside, and pictures of
// the open list with captions, notes and images.
#include <gtest/gtest.h>

#include <thread>

#include "gridext/pickers/DetailDropDown.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class DetailPickerTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtDetailDropDown* Edit = nullptr;
    TEdit* Other = nullptr;
    int Selects = 0;
    std::vector<bool> DropUps;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 360, 300);
        Edit = Make_Control<TExtDetailDropDown>(Form, Form, "Detail", 10, 10, 180, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 250, 150, 21);
        for (const char* c : {"Alpha", "Beta", "alphabet"}) Edit->Items()->Add()->SetCaption(c);
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->OnDropUp = [this](TObject*, bool Cancelled) { DropUps.push_back(Cancelled); };
        Form->Show();
        Application->ProcessMessages();
        UserFocus(Edit);
    }
    void TearDown() override { delete Form; }
    TControl* ArrowButton() const { return Edit->Button()->Button(); }
    // The centre of list item I, in the selector panel's coordinates.
    void ClickItem(int I)
    {
        TCustomItemSelector* p = Edit->ItemSelector()->Panel();
        const TRect r = p->GetItemRect(I);
        UserClick(p, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Open(int ItemIndex)
    {
        Edit->SetItemIndex(ItemIndex);
        if (Edit->DropDownForm()) Edit->DropDownForm()->FDeActivate = GetTickCount() - 1000;
        UserClick(ArrowButton());
        ASSERT_TRUE(Edit->DroppedDown());
    }
};

// ---------------------------------------------------------------- typed text

TEST_F(DetailPickerTest, TypingCompletesFromTheCaptionsKeepingTheTypedCase)
{
    struct Case {
        const char* typed;
        const char* text;
        int selStart, selLength, index;
    };
    const Case cases[] = {
        {"al", "alpha", 2, 3, 0},        // the typed letters keep their case, the rest is the caption's
        {"alphab", "alphabet", 6, 2, 2}, // typing on reaches the longer caption
        {"Be", "Beta", 2, 2, 1},
        {"BETA", "BETA", 4, 0, 1},
        {"x", "x", 1, 0, -1},            // nothing begins with it: the text stays as typed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Edit->SetItemIndex(-1);
        UserType(Edit, c.typed);
        EXPECT_EQ(Edit->Text(), c.text);
        EXPECT_EQ(Edit->SelStart(), c.selStart);
        EXPECT_EQ(Edit->SelLength(), c.selLength);
        EXPECT_EQ(Edit->ItemIndex(), c.index);
    }
    // Completions never announce a selection.
    EXPECT_EQ(Selects, 0);
}

TEST_F(DetailPickerTest, BackspaceAfterACompletionDoesNotCompleteAgain)
{
    UserType(Edit, "Al");
    EXPECT_EQ(Edit->Text(), "Alpha");
    // The first Backspace takes the completed part away, the second a typed letter.
    UserKey(Edit, VK_BACK);
    EXPECT_EQ(Edit->Text(), "Al");
    UserKey(Edit, VK_BACK);
    EXPECT_EQ(Edit->Text(), "A");
    // The next letter completes again.
    UserType(Edit, "l");
    EXPECT_EQ(Edit->Text(), "Alpha");
}

TEST_F(DetailPickerTest, CompletionsPastTheTypedPartAreCutAt255Characters)
{
    Edit->Items()->Add()->SetCaption("Z" + String(400, 'z'));
    UserType(Edit, "Z");
    EXPECT_EQ(Edit->Text().size(), 256u);
    EXPECT_EQ(Edit->ItemIndex(), 3);
}

TEST_F(DetailPickerTest, EnterSelectsTheItemWhoseCaptionIsTheExactText)
{
    // Typing B and e completes to Beta (index 1 already): Enter then announces nothing.
    UserType(Edit, "Be");
    ASSERT_EQ(Edit->ItemIndex(), 1);
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 0);
    // Enter on a caption typed in full picks that item and announces it once.
    Edit->SetText("Alpha");
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Selects, 1);
    // "beta" equals no caption exactly: nothing is selected.
    Edit->SetText("beta");
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Selects, 1);
}

TEST_F(DetailPickerTest, ItemIndexOutOfRangeChangesNothingAndMinusOneEmptiesTheText)
{
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), "Beta");
    EXPECT_EQ(Selects, 1);
    for (int bad : {5, 3, -2, 1}) {
        Edit->SetItemIndex(bad);
        EXPECT_EQ(Edit->ItemIndex(), 1);
        EXPECT_EQ(Edit->Text(), "Beta");
    }
    EXPECT_EQ(Selects, 1);
    Edit->SetItemIndex(-1);
    EXPECT_EQ(Edit->Text(), "");
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Selects, 1);
}

TEST_F(DetailPickerTest, UpAndDownOnTheClosedEditStepThroughTheItems)
{
    UserKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "alphabet");
    UserKey(Edit, VK_UP);
    EXPECT_EQ(Edit->Text(), "Beta");
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(DetailPickerTest, TheWheelStepsThroughTheItemsOpenOrClosed)
{
    UserWheel(Edit, -120);
    UserWheel(Edit, -120);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Beta");
    Open(1);
    UserWheel(Edit->DropDownForm(), -120);
    EXPECT_EQ(Edit->ItemSelector()->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "alphabet");
    EXPECT_TRUE(Edit->DroppedDown());
    UserWheel(Edit->DropDownForm(), 120);
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->Text(), "Beta");
}

// ---------------------------------------------------------------- the open list

TEST_F(DetailPickerTest, KeysOpenTheListMoveInItAndEnterKeepsTheChoice)
{
    struct Case {
        const char* name;
        WORD key;
        TShiftState shift;
    };
    for (const Case& c : {Case{"F4", VK_F4, {}}, Case{"Alt+Down", VK_DOWN, {ssAlt}}}) {
        SCOPED_TRACE(c.name);
        Edit->SetItemIndex(0);
        UserKey(Edit, c.key, c.shift);
        ASSERT_TRUE(Edit->DroppedDown());
        EXPECT_EQ(Edit->ItemSelector()->ItemIndex(), 0);
        // Down moves the list's selection; the edit shows it and the list stays open.
        UserKey(Edit, VK_DOWN);
        EXPECT_TRUE(Edit->DroppedDown());
        EXPECT_EQ(Edit->ItemSelector()->ItemIndex(), 1);
        EXPECT_EQ(Edit->ItemIndex(), 1);
        EXPECT_EQ(Edit->Text(), "Beta");
        UserKey(Edit, VK_RETURN);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Text(), "Beta");
        EXPECT_EQ(Edit->ItemIndex(), 1);
    }
}

TEST_F(DetailPickerTest, AClickOnAnItemChoosesItAndClosesTheList)
{
    Open(0);
    ClickItem(2);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "alphabet");
    EXPECT_EQ(DropUps, std::vector<bool>({false}));
    // The choice is the value now: opening and cancelling comes back to it.
    Open(2);
    UserKey(Edit, VK_UP);
    UserKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->Text(), "alphabet");
    EXPECT_EQ(Edit->ItemIndex(), 2);
}

TEST_F(DetailPickerTest, CancellingRestoresTheItemTheListOpenedOn)
{
    struct Case {
        const char* name;
        std::function<void(DetailPickerTest*)> leave;
    };
    const Case cases[] = {
        {"Esc", [](DetailPickerTest* t) { UserKey(t->Edit, VK_ESCAPE); }},
        {"click outside", [](DetailPickerTest* t) { UserClick(t->Other); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserFocus(Edit);
        Open(2);
        UserKey(Edit, VK_UP);
        UserKey(Edit, VK_UP);
        EXPECT_EQ(Edit->ItemIndex(), 0);
        c.leave(this);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->ItemIndex(), 2);
        EXPECT_EQ(Edit->Text(), "alphabet");
        EXPECT_TRUE(DropUps.back());
    }
}

TEST_F(DetailPickerTest, CancellingAListOpenedWithoutAChoiceLeavesNoneChosen)
{
    Edit->SetText("something else");
    UserClick(ArrowButton());
    ASSERT_TRUE(Edit->DroppedDown());
    UserKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    UserKey(Edit, VK_ESCAPE);
    // The text and the index both come back: no item was chosen at opening.
    EXPECT_EQ(Edit->Text(), "something else");
    EXPECT_EQ(Edit->ItemIndex(), -1);
}

TEST_F(DetailPickerTest, LettersInTheOpenListJumpToTheFirstCaptionThatBeginsWithThem)
{
    for (const char* c : {"Bravo", "Bear"}) Edit->Items()->Add()->SetCaption(c);
    Open(0);
    // B then E within half a second: the first caption that begins with BE.
    UserKey(Edit, 'B');
    EXPECT_EQ(Edit->ItemIndex(), 1);
    UserKey(Edit, 'E');
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->CurrentSearch(), "BE");
    UserKey(Edit, 'A');
    EXPECT_EQ(Edit->ItemIndex(), 4);
    EXPECT_EQ(Edit->Text(), "Bear");
    // The letters were used by the list, not typed into the edit, and it stays open.
    EXPECT_TRUE(Edit->DroppedDown());
    // After a pause the search starts again with the next letter.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Application->ProcessMessages();
    EXPECT_EQ(Edit->CurrentSearch(), "");
    UserKey(Edit, 'B');
    EXPECT_EQ(Edit->ItemIndex(), 1);
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->Text(), "Beta");
}

TEST_F(DetailPickerTest, PageKeysMoveByTheVisibleRowsAndStopAtTheEnds)
{
    for (int i = 0; i < 20; ++i) Edit->Items()->Add()->SetCaption("Item " + IntToStr(i));
    Open(0);
    const int v = Edit->ItemSelector()->GetVisibleItemCount();
    ASSERT_GE(v, 1);
    UserKey(Edit, VK_NEXT);
    EXPECT_EQ(Edit->ItemIndex(), v);
    for (int i = 0; i < 10; ++i) UserKey(Edit, VK_NEXT);
    EXPECT_EQ(Edit->ItemIndex(), 22);
    UserKey(Edit, VK_PRIOR);
    EXPECT_EQ(Edit->ItemIndex(), 22 - v);
    for (int i = 0; i < 10; ++i) UserKey(Edit, VK_PRIOR);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_TRUE(Edit->DroppedDown());
}

// ---------------------------------------------------------------- pictures

TEST_F(DetailPickerTest, PictureOfTheOpenListWithCaptionsNotesAndImages)
{
    TImageList* images = new TImageList(Form);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(TColor(0x0000C0));
    strip.Canvas()->FillRect(TRect(0, 0, 16, 16));
    strip.Canvas()->Brush()->SetColor(TColor(0x00A000));
    strip.Canvas()->FillRect(TRect(16, 0, 32, 16));
    images->Add(&strip);
    Edit->SetImages(images);
    Edit->SetItemHeight(40);
    Edit->NotesFont()->SetColor(TColor(0x808080));
    Edit->CaptionFont()->SetStyle(TFontStyles{fsBold});
    Edit->Items()->Items(0)->SetImageIndex(0);
    Edit->Items()->Items(0)->Notes = "the <b>first</b> letter";
    Edit->Items()->Items(1)->SetImageIndex(1);
    Edit->Items()->Items(1)->Notes = "the second";
    Edit->SetDropDownHeight(150);
    Open(1);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "detail_open.png", png));
    TCustomItemSelector* p = Edit->ItemSelector()->Panel();
    const TPoint ps = p->ClientToScreen(TPoint(0, 0)), fs = Edit->DropDownForm()->ClientToScreen(TPoint(0, 0));
    const TPoint at(ps.X - fs.X, ps.Y - fs.Y);
    TRect r0 = p->GetItemRect(0), r1 = p->GetItemRect(1);
    OffsetRect(r0, at.X, at.Y);
    OffsetRect(r1, at.X, at.Y);
    // Each row's image at its left, centred in height.
    EXPECT_GT(Count_Pixels(png, TRect(r0.Left, r0.Top, r0.Left + 24, r0.Bottom), TColor(0x0000C0)), 200);
    EXPECT_GT(Count_Pixels(png, TRect(r1.Left, r1.Top, r1.Left + 24, r1.Bottom), TColor(0x00A000)), 200);
    // The caption on top in dark text, the notes below it in grey.
    const auto dark = [](TColor c) { return (c & 0xFF) < 0x50 && ((c >> 8) & 0xFF) < 0x50; };
    const auto grey = [](TColor c) {
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        return std::abs(r - b) <= 0x20 && std::abs(r - g) <= 0x20 && r >= 0x60 && r <= 0xC0;
    };
    const int mid0 = r0.Top + 2 + 16;
    EXPECT_GT(Count_Pixels(png, TRect(r0.Left + 24, r0.Top, r0.Right, mid0), dark), 20);
    EXPECT_GT(Count_Pixels(png, TRect(r0.Left + 24, mid0, r0.Right, r0.Bottom), grey), 20);
    EXPECT_EQ(Count_Pixels(png, TRect(r0.Left + 24, mid0, r0.Right, r0.Bottom), dark), 0);
    // The chosen row has the selection's warm face; the others do not.
    const auto warm = [](TColor c) { return (c & 0xFF) > 0xE0 && ((c >> 16) & 0xFF) < 0xC0; };
    EXPECT_GT(Count_Pixels(png, r1, warm), 200);
    EXPECT_EQ(Count_Pixels(png, r0, warm), 0);
}

TEST_F(DetailPickerTest, AnOwnDrawingHandlerDrawsTheRowsAlone)
{
    int calls = 0;
    Edit->OnDrawSelectedImage = [&](TObject*, TCanvas* C, const TRect& R) {
        ++calls;
        C->Brush()->SetColor(TColor(0xFF00FF));
        C->FillRect(TRect(R.Left + 2, R.Top + 2, R.Left + 12, R.Bottom - 2));
    };
    Open(0);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "detail_own_drawing.png", png));
    EXPECT_GE(calls, 3);
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), TColor(0xFF00FF)), 3 * 60);
    // No caption text was drawn.
    EXPECT_EQ(Count_Pixels(png, TRect(20, 0, png.Width() - 20, png.Height() - 2), [](TColor c) {
                  return (c & 0xFF) < 0x40 && ((c >> 8) & 0xFF) < 0x40 && ((c >> 16) & 0xFF) < 0x40;
              }),
              0);
}

}
