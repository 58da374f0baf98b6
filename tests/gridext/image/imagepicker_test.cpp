// The image picker as a user meets it: pictures of an image list or of a folder, the
// list opened by the button, F4 and Alt+Down, a picture chosen by click, keys by rows and
// by items, letters and the wheel, Esc and clicks outside bringing the old choice back,
// and pictures of the edit and of the open list.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

#include "gridext/image/ImagePicker.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"

namespace {

const TColor kColours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clNavy, clMaroon};
const char* const kCaptions[] = {"Apple", "Banana", "Cherry", "Date", "Elder", "Fig", "Grape", "Hazel"};

class ImagePickerTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtImagePickerDropDown* Picker = nullptr;
    TImageList* List = nullptr;
    TEdit* Other = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 360, 320);
        List = new TImageList(Form);
        List->SetWidth(16);
        List->SetHeight(16);
        Picker = Make_Control<TExtImagePickerDropDown>(Form, Form, "Picker", 10, 10, 150, 24);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 260, 150, 21);
        Picker->OnSelect = [this](TObject*) { Events.push_back("select " + IntToStr(Picker->ItemIndex())); };
        Picker->OnChange = [this](TObject*) { Events.push_back("change"); };
        Picker->OnDropUp = [this](TObject*, bool Cancelled) { Events.push_back(Cancelled ? "cancelled" : "kept"); };
        Form->Show();
        Pump();
        UserFocus(Picker);
    }
    void TearDown() override { delete Form; }
    void Pump() { Application->ProcessMessages(); }
    // n images of one colour each in the list, one item per image with a caption.
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i) {
            TBitmap b(16, 16);
            b.Canvas()->Brush()->SetColor(kColours[i]);
            b.Canvas()->FillRect(TRect(0, 0, 16, 16));
            List->Add(&b);
        }
        Picker->SetImages(List);
        Picker->AddImagesFromImageList();
        for (int i = 0; i < n; ++i) Picker->Items()->Items(i)->SetCaption(kCaptions[i]);
    }
    void Open()
    {
        if (Picker->DropDownForm()) Picker->DropDownForm()->FDeActivate = GetTickCount() - 1000;
        UserClick(Picker->Button()->Button());
        ASSERT_TRUE(Picker->DroppedDown());
    }
    TCustomItemSelector* ListPanel() const { return Picker->ItemSelector()->Panel(); }
    TPoint ItemCentre(int i) const
    {
        const TRect r = ListPanel()->GetItemRect(i);
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
};

TEST_F(ImagePickerTest, ItemsFromTheImageListAndTheChoiceByImageIndex)
{
    Picker->AddImagesFromImageList();
    EXPECT_EQ(Picker->Items()->Count(), 0);
    Fill(4);
    ASSERT_EQ(Picker->Items()->Count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Picker->Items()->Items(i)->ImageIndex(), i);
    EXPECT_EQ(Picker->ImageIndex(), -1);
    EXPECT_EQ(Picker->ValueText(), "");
    Picker->SetImageIndex(2);
    EXPECT_EQ(Picker->ItemIndex(), 2);
    EXPECT_EQ(Picker->ValueText(), "Cherry");
    EXPECT_EQ(Events, std::vector<String>({"change", "select 2"}));
    Picker->SetImageIndex(7);
    EXPECT_EQ(Picker->ItemIndex(), -1);
    EXPECT_EQ(Events, std::vector<String>({"change", "select 2", "change", "select -1"}));
    // Already nothing: no change, no events; an index past the items is ignored.
    Picker->SetImageIndex(7);
    Picker->SetItemIndex(4);
    EXPECT_EQ(Events.size(), 4u);
    // Any negative index is nothing chosen, which it already is.
    Picker->SetItemIndex(-5);
    EXPECT_EQ(Picker->ItemIndex(), -1);
    EXPECT_EQ(Events.size(), 4u);
    Picker->SetValueText("Date");
    EXPECT_EQ(Picker->ImageIndex(), 3);
    EXPECT_FALSE(Picker->EditorEnabled());
    EXPECT_EQ(Picker->Cursor(), crArrow);
}

TEST_F(ImagePickerTest, EveryWayOfOpeningLeadsToAClickedPicture)
{
    Fill(4);
    struct Case {
        const char* name;
        WORD key;
        TShiftState shift;
    };
    for (const Case& c : {Case{"button", 0, {}}, Case{"F4", VK_F4, {}}, Case{"Alt+Down", VK_DOWN, {ssAlt}}}) {
        SCOPED_TRACE(c.name);
        Picker->SetItemIndex(0);
        Events.clear();
        if (c.key) UserKey(Picker, c.key, c.shift);
        else Open();
        ASSERT_TRUE(Picker->DroppedDown());
        EXPECT_EQ(Picker->ItemSelector()->Items()->Count(), 4);
        EXPECT_EQ(Picker->ItemSelector()->ItemIndex(), 0);
        const TPoint p = ItemCentre(2);
        UserClick(ListPanel(), p.X, p.Y);
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_EQ(Picker->ImageIndex(), 2);
        EXPECT_EQ(Picker->ValueText(), "Cherry");
        EXPECT_EQ(Events, std::vector<String>({"change", "select 2", "kept"}));
    }
}

TEST_F(ImagePickerTest, ANewWindowGetsANewList)
{
    Fill(4);
    Open();
    UserKey(Picker, VK_ESCAPE);
    delete Picker->DropDownForm();
    EXPECT_EQ(Picker->ItemSelector(), nullptr);
    // Keys and wheel without a list still step the choice.
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    Open();
    ASSERT_NE(Picker->ItemSelector(), nullptr);
    EXPECT_EQ(Picker->ItemSelector()->ItemIndex(), 0);
    const TPoint p = ItemCentre(3);
    UserClick(ListPanel(), p.X, p.Y);
    EXPECT_EQ(Picker->ValueText(), "Date");
}

TEST_F(ImagePickerTest, ArrowsMoveByRowsAndItemsInTheOpenList)
{
    Fill(8);
    Picker->SetColumns(3);
    struct Case {
        WORD key;
        int from, to;
    };
    const Case cases[] = {
        {VK_UP, 4, 1},   {VK_DOWN, 4, 7},  {VK_DOWN, 6, 6},  {VK_UP, 1, 1},     {VK_LEFT, 4, 3}, {VK_RIGHT, 4, 5},
        {VK_LEFT, 0, 0}, {VK_RIGHT, 7, 7}, {VK_HOME, 4, 0},  {VK_END, 4, 7},    {VK_UP, -1, 0},  {VK_DOWN, -1, 0},
        {VK_NEXT, 0, 7}, {VK_PRIOR, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " from " << c.from);
        Picker->SetItemIndex(c.from);
        Open();
        UserKey(Picker, c.key);
        EXPECT_TRUE(Picker->DroppedDown());
        EXPECT_EQ(Picker->ItemIndex(), c.to);
        EXPECT_EQ(Picker->ItemSelector()->ItemIndex(), c.to);
        UserKey(Picker, VK_RETURN);
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_EQ(Picker->ItemIndex(), c.to);
    }
}

TEST_F(ImagePickerTest, KeysWheelAndEnterWithTheListClosed)
{
    Fill(4);
    Picker->SetItemIndex(1);
    Events.clear();
    UserKey(Picker, VK_DOWN);
    EXPECT_EQ(Picker->ItemIndex(), 2);
    UserKey(Picker, VK_UP);
    UserKey(Picker, VK_UP);
    UserKey(Picker, VK_UP);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    UserKey(Picker, VK_END);
    EXPECT_EQ(Picker->ItemIndex(), 3);
    UserKey(Picker, VK_HOME);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    Events.clear();
    // The wheel steps the choice, announcing each step.
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->ItemIndex(), 1);
    EXPECT_EQ(Events, std::vector<String>({"change", "select 1"}));
    // Enter only announces.
    UserKey(Picker, VK_RETURN);
    EXPECT_EQ(Picker->ItemIndex(), 1);
    EXPECT_EQ(Events, std::vector<String>({"change", "select 1", "select 1"}));
    EXPECT_FALSE(Picker->DroppedDown());
    // After the list has been open the wheel steps through it the same way.
    Open();
    UserKey(Picker, VK_ESCAPE);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->ItemIndex(), 2);
    UserWheel(Picker, 120);
    EXPECT_EQ(Picker->ItemIndex(), 1);
    // A step starts from the choice as it is, though Esc or code changed it with the
    // list closed.
    Open();
    UserKey(Picker, VK_DOWN);
    UserKey(Picker, VK_ESCAPE);
    EXPECT_EQ(Picker->ItemIndex(), 1);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->ItemIndex(), 2);
    Picker->SetItemIndex(0);
    UserKey(Picker, VK_NEXT);
    EXPECT_EQ(Picker->ItemIndex(), 3);
    Picker->SetItemIndex(0);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->ItemIndex(), 1);
    Picker->SetEnabled(false);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->ItemIndex(), 1);
}

TEST_F(ImagePickerTest, InTheOpenListTheWheelAndMouseOnlyLightAnItemUntilEnter)
{
    Fill(4);
    Picker->SetItemIndex(0);
    Open();
    Events.clear();
    UserWheel(Picker->DropDownForm(), -120);
    UserWheel(Picker->DropDownForm(), -120);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    EXPECT_EQ(Picker->ItemSelector()->ItemHot(), 1);
    const TPoint p = ItemCentre(3);
    UserMouseMove(ListPanel(), p.X, p.Y);
    EXPECT_EQ(Picker->ItemSelector()->ItemHot(), 3);
    EXPECT_TRUE(Events.empty());
    UserKey(Picker, VK_RETURN);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->ItemIndex(), 3);
    EXPECT_EQ(Events, std::vector<String>({"change", "select 3", "kept"}));
}

TEST_F(ImagePickerTest, EscAndAClickOutsideBringTheOldChoiceBack)
{
    Fill(4);
    struct Case {
        const char* name;
        std::function<void(ImagePickerTest*)> leave;
    };
    const Case cases[] = {
        {"Esc", [](ImagePickerTest* t) { UserKey(t->Picker, VK_ESCAPE); }},
        {"click outside", [](ImagePickerTest* t) { UserClick(t->Other); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserFocus(Picker);
        Picker->SetItemIndex(1);
        Open();
        Events.clear();
        UserKey(Picker, VK_DOWN);
        EXPECT_EQ(Picker->ItemIndex(), 2);
        c.leave(this);
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_EQ(Picker->ItemIndex(), 1);
        EXPECT_EQ(Events, std::vector<String>({"change", "select 2", "cancelled", "change", "select 1"}));
    }
}

TEST_F(ImagePickerTest, LettersFindAPictureByItsCaption)
{
    Fill(8);
    Open();
    UserKey(Picker, 'G');
    EXPECT_EQ(Picker->ValueText(), "Grape");
    EXPECT_TRUE(Picker->DroppedDown());
    UserKey(Picker, 'X');
    EXPECT_EQ(Picker->ValueText(), "Grape");
    Sleep(600);
    Pump();
    UserKey(Picker, 'C');
    EXPECT_EQ(Picker->ValueText(), "Cherry");
    UserKey(Picker, VK_ESCAPE);
    EXPECT_EQ(Picker->ItemIndex(), -1);
    // With the list closed letters choose too.
    Sleep(600);
    Pump();
    UserKey(Picker, 'F');
    EXPECT_EQ(Picker->ValueText(), "Fig");
}

TEST(ImagePickerMask, FileNamesAgainstMasks)
{
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    };
    const Case cases[] = {
        {"a.png", "*.png", true},    {"a.PNG", "*.png", true},   {"a.png.txt", "*.png", false},
        {"png", "*.png", false},     {".png", "*.png", true},    {"ab.png", "?.png", false},
        {"a.png", "?.png", true},    {"anything", "*", true},    {"", "*", true},
        {"abcabd", "*abd", true},    {"abcabc", "*abd", false},  {"a1b2", "a*b?", true},
        {"photo", "photo", true},    {"photo", "phot", false},   {"x.jpg", "*.png", false},
    };
    for (const Case& c : cases) EXPECT_EQ(FileNameMatchesMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
}

TEST_F(ImagePickerTest, PicturesOfAFolderWithEntriesThatAreNoPictures)
{
    const String dir = Test_Folder("imagepicker");
    for (const char* name : {"a.png", "c.png"}) {
        TBitmap b(10, 8);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->FillRect(TRect(0, 0, 10, 8));
        b.SaveToFile(PathJoin(dir, name));
    }
    std::ofstream(PathJoin(dir, "b.png")) << "no picture";
    std::ofstream(PathJoin(dir, "notes.txt")) << "text";
    CreateDir(PathJoin(dir, "d.png"));
    Picker->AddImagesFromFolder(PathJoin(dir, "*.png"), true);
    ASSERT_EQ(Picker->Items()->Count(), 4);
    const struct {
        const char* caption;
        int width;
    } expected[] = {{"a.png", 10}, {"", 0}, {"c.png", 10}, {"", 0}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Picker->Items()->Items(i)->Caption(), expected[i].caption);
        EXPECT_EQ(Picker->Items()->Items(i)->Image()->Width(), expected[i].width);
    }
    Picker->AddImagesFromFolder(PathJoin(dir, "*.gif"), false);
    EXPECT_EQ(Picker->Items()->Count(), 4);
    Picker->AddImagesFromFolder(PathJoin(dir, "c.png"), false);
    ASSERT_EQ(Picker->Items()->Count(), 5);
    EXPECT_EQ(Picker->Items()->Items(4)->Caption(), "");
    EXPECT_EQ(Picker->Items()->Items(4)->Image()->Height(), 8);
    // The folder's pictures show in the list.
    Picker->SetItemIndex(0);
    Open();
    EXPECT_EQ(Picker->ItemSelector()->Items()->Items(0)->Image()->Width(), 10);
    UserKey(Picker, VK_ESCAPE);
}

TEST_F(ImagePickerTest, TheEditShowsTheChosenPictureCentred)
{
    Fill(4);
    UserFocus(Other);
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Picker, "imagepicker_edit_empty.png", png));
    const TRect all(0, 0, png.Width(), png.Height());
    EXPECT_EQ(Count_Pixels(png, all, clBlue), 0);
    Picker->SetImageIndex(2);
    Pump();
    ASSERT_TRUE(SNAPSHOT(Picker, "imagepicker_edit.png", png));
    // The 16 x 16 blue picture, whole, in the middle of the text area left of the button.
    EXPECT_EQ(Count_Pixels(png, all, clBlue), 256);
    int left = png.Width(), top = png.Height();
    for (int y = 0; y < png.Height(); ++y)
        for (int x = 0; x < png.Width(); ++x)
            if (png.Canvas()->Pixels(x, y) == clBlue) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    const int textRight = Picker->ClientWidth() - Picker->DropDownButtonWidth() - 3;
    EXPECT_NEAR(left + 8, (1 + textRight) / 2, 2);
    EXPECT_NEAR(top + 8, png.Height() / 2, 2);
    // A picture of its own wins over the list's image.
    TBitmap own(6, 6);
    own.Canvas()->Brush()->SetColor(clLime);
    own.Canvas()->FillRect(TRect(0, 0, 6, 6));
    TPicture pic;
    pic.SetBitmap(&own);
    Picker->Items()->Items(2)->SetImage(&pic);
    Picker->Invalidate();
    Pump();
    ASSERT_TRUE(SNAPSHOT(Picker, "imagepicker_edit_own_picture.png", png));
    EXPECT_EQ(Count_Pixels(png, all, clBlue), 0);
    EXPECT_EQ(Count_Pixels(png, all, clLime), 36);
}

TEST_F(ImagePickerTest, DrawingHandlersReplaceTheEditAndTheListItems)
{
    Fill(4);
    Picker->SetItemIndex(2);
    std::vector<int> drawn;
    Picker->OnDrawItem = [&](TObject* Sender, TCanvas* C, const TRect& R, int Index) {
        EXPECT_EQ(Sender, Picker);
        drawn.push_back(Index);
        C->Brush()->SetColor(clTeal);
        C->FillRect(R);
    };
    Open();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "imagepicker_list_drawn.png", png));
    const TRect all(0, 0, png.Width(), png.Height());
    EXPECT_EQ(std::set<int>(drawn.begin(), drawn.end()), std::set<int>({0, 1, 2, 3}));
    EXPECT_EQ(Count_Pixels(png, all, clRed), 0);
    EXPECT_GT(Count_Pixels(png, all, clTeal), 4 * 256);
    UserKey(Picker, VK_ESCAPE);
    // Without a handler the selector draws its pictures again.
    Picker->OnDrawItem = nullptr;
    Open();
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "imagepicker_open_plain.png", png));
    EXPECT_EQ(Count_Pixels(png, all, clRed), 256);
    UserKey(Picker, VK_ESCAPE);
    TRect given;
    Picker->OnDrawSelectedImage = [&](TObject* Sender, TCanvas* C, const TRect& R) {
        EXPECT_EQ(Sender, Picker);
        given = R;
        C->Brush()->SetColor(clYellow);
        C->FillRect(R);
    };
    UserFocus(Other);
    Picker->Invalidate();
    Pump();
    ASSERT_TRUE(SNAPSHOT(Picker, "imagepicker_edit_drawn.png", png));
    EXPECT_FALSE(given.IsEmpty());
    EXPECT_EQ(Count_Pixels(png, all, clBlue), 0);
    EXPECT_GT(Count_Pixels(png, given, clYellow), 500);
}

TEST_F(ImagePickerTest, PictureOfTheOpenList)
{
    Fill(8);
    Picker->SetColumns(2);
    Picker->SetItemIndex(3);
    Open();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "imagepicker_open.png", png));
    // Two columns of four items each, every picture whole.
    EXPECT_EQ(ListPanel()->GetItemRect(1).Top, ListPanel()->GetItemRect(0).Top);
    EXPECT_EQ(ListPanel()->GetItemRect(2).Left, ListPanel()->GetItemRect(0).Left);
    const TRect all(0, 0, png.Width(), png.Height());
    for (int i : {0, 2, 6}) EXPECT_EQ(Count_Pixels(png, all, kColours[i]), 256) << i;
    // The chosen item's face in the selection colours, around its picture.
    TRect r = ListPanel()->GetItemRect(3);
    OffsetRect(r, Picker->ItemSelector()->Left(), Picker->ItemSelector()->Top() + ListPanel()->Top());
    EXPECT_GT(Count_Pixels(png, r,
                           [](TColor c) { return (c & 0xFF) > 0xE0 && ((c >> 16) & 0xFF) < 0xC0; }),
              100);
    UserKey(Picker, VK_ESCAPE);
}

}  // namespace
