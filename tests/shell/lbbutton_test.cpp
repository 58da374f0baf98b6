// The push button: its face in every state probed on a PNG, the picture strip, the
// caption cut and wrap, the click with its modal result, the mouse held and released
// away, dialog keys and accelerator, stock kinds, colour schemes and the fade.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"
#include "shell/LbButton.h"

namespace {

namespace fs = std::filesystem;

// What the program's windows give their buttons.
constexpr TColor kFace = 15595512;
constexpr TColor kPressed = 33023;
constexpr TColor kHot = clYellow;
constexpr TColor kFormColor = clLime;   // distinct from every face colour below

constexpr int kW = 100, kH = 23;
constexpr int kBx = 20, kBy = 30;       // where the fixture puts its button

class LbButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        dir = fs::temp_directory_path() / ("lbbutton_test_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        form = NewForm(true);
        btn = NewButton(form, "Go", kBx, kBy);
    }
    void TearDown() override
    {
        for (TForm* f : forms) f->Free();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    TForm* NewForm(bool show)
    {
        auto* f = new TForm(Application);
        f->AfterConstruction();
        f->SetClientSize(300, 120);
        f->SetColor(kFormColor);
        if (show) f->Show();
        forms.push_back(f);
        return f;
    }

    static TLbButton* NewButton(TForm* owner, const String& caption, int x, int y)
    {
        auto* b = new TLbButton(owner);
        b->SetParent(owner);
        b->SetBounds(x, y, kW, kH);
        b->SetCaption(caption);
        b->SetColor(kFace);
        b->SetColorWhenDown(kPressed);
        b->SetHotTrackColor(kHot);
        return b;
    }

    // The form as the user sees it, read back from a PNG.
    std::unique_ptr<TBitmap> Snap(TControl* c = nullptr)
    {
        const String file = (dir / ("shot" + std::to_string(++shots) + ".png")).string();
        EXPECT_TRUE(SaveControlToPng(c ? c : form, file));
        auto bmp = std::make_unique<TBitmap>();
        bmp->LoadFromFile(file);
        return bmp;
    }

    // A pixel of the button at (x, y) of its own area.
    static TColor At(TBitmap* shot, int x, int y) { return shot->Canvas()->Pixels(kBx + x, kBy + y); }

    static void Hover(TLbButton* b, bool on) { b->Perform(on ? CM_MOUSEENTER : CM_MOUSELEAVE); }
    static void Press(TControl* c, int x = 10, int y = 10) { gui_input::Mouse(c, WM_LBUTTONDOWN, x, y, TShiftState()); }
    static void Release(TControl* c, int x = 10, int y = 10) { gui_input::Mouse(c, WM_LBUTTONUP, x, y, TShiftState()); }

    fs::path dir;
    int shots = 0;
    std::vector<TForm*> forms;
    TForm* form = nullptr;
    TLbButton* btn = nullptr;
};

int Brightness(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// The caption's ink: every pixel inside the focus rectangle that is not the face colour.
struct TInk {
    int Left = 1 << 20, Top = 1 << 20, Bottom = -1, Count = 0;
    TColor Darkest = clWhite;
};

TInk InkOf(TBitmap* shot, TColor face, int h = kH)
{
    TInk ink;
    for (int y = 5; y < h - 5; ++y)
        for (int x = 5; x < kW - 5; ++x) {
            const TColor c = shot->Canvas()->Pixels(kBx + x, kBy + y);
            if (c == face) continue;
            ++ink.Count;
            ink.Left = std::min(ink.Left, x);
            ink.Top = std::min(ink.Top, y);
            ink.Bottom = std::max(ink.Bottom, y);
            if (Brightness(c) < Brightness(ink.Darkest)) ink.Darkest = c;
        }
    return ink;
}

// ---------------------------------------------------------------- the face

struct TFaceCase {
    const char* Name;
    TLbButtonStyle Style;
    bool Flat;
    std::function<void(TLbButton*)> Act;
    TColor Face;
    TColor LeftEdge, RightEdge;   // x 0 and x W-1 at mid height
    bool GrayCaption;
    int CaptionShift;             // caption moved right and down against the normal face
};

TEST_F(LbButtonTest, FaceColoursFrameAndCaptionInEveryState)
{
    const TFaceCase cases[] = {
        {"normal", bsNormal, false, [](TLbButton*) {}, kFace, clWhite, clGray, false, 0},
        {"hot", bsNormal, false, [](TLbButton* b) { Hover(b, true); }, kHot, clWhite, clGray, false, 0},
        {"pressed", bsNormal, false, [](TLbButton* b) { Hover(b, true); Press(b); }, kPressed, clGray, clWhite, false, 1},
        {"pressed encarta", bsEncarta, false, [](TLbButton* b) { Press(b); }, kPressed, clGray, clWhite, false, 0},
        {"disabled while hot", bsNormal, false, [](TLbButton* b) { Hover(b, true); b->SetEnabled(false); }, kFace,
         clWhite, clGray, true, 0},
        {"flat normal", bsNormal, true, [](TLbButton*) {}, kFace, kFace, kFace, false, 0},
        {"flat hot", bsNormal, true, [](TLbButton* b) { Hover(b, true); }, kHot, clWhite, clGray, false, 0},
        {"flat disabled", bsNormal, true, [](TLbButton* b) { b->SetEnabled(false); }, kFace, kFace, kFace, true, 0},
    };
    // The reference caption position: a normal face of the same button.
    const TInk normal = InkOf(Snap().get(), kFace);
    ASSERT_GT(normal.Count, 10);
    EXPECT_LT(Brightness(normal.Darkest), 3 * 0x40) << "the caption is drawn in the font's colour (black)";

    for (const TFaceCase& tc : cases) {
        SCOPED_TRACE(tc.Name);
        TLbButton* b = NewButton(form, "Go", kBx, kBy);
        btn->Hide();
        b->SetStyle(tc.Style);
        b->SetFlat(tc.Flat);
        tc.Act(b);
        auto shot = Snap();
        EXPECT_EQ(At(shot.get(), 8, kH / 2), tc.Face);
        EXPECT_EQ(At(shot.get(), 0, kH / 2), tc.LeftEdge);
        EXPECT_EQ(At(shot.get(), kW / 2, 0), tc.LeftEdge) << "the top edge goes with the left one";
        EXPECT_EQ(At(shot.get(), kW - 1, kH / 2), tc.RightEdge);
        EXPECT_EQ(At(shot.get(), kW / 2, kH - 1), tc.RightEdge) << "the bottom edge goes with the right one";
        const TInk ink = InkOf(shot.get(), tc.Face);
        ASSERT_GT(ink.Count, 10);
        if (tc.GrayCaption)
            EXPECT_GE(Brightness(ink.Darkest), 3 * 0x70) << "a disabled caption is gray, nothing darker";
        else
            EXPECT_LT(Brightness(ink.Darkest), 3 * 0x40);
        if (tc.Style == bsEncarta) {
            EXPECT_EQ(ink.Top, normal.Top) << "an encarta face does not move";
            EXPECT_GT(ink.Count, normal.Count) << "its caption turns bold while held";
        } else {
            EXPECT_EQ(ink.Left, normal.Left + tc.CaptionShift);
            EXPECT_EQ(ink.Top, normal.Top + tc.CaptionShift);
        }
        b->Free();
        btn->Show();
    }
}

TEST_F(LbButtonTest, RoundStylesLetTheParentShowThroughTheCorners)
{
    btn->SetStyle(bsModern);
    auto shot = Snap();
    EXPECT_EQ(At(shot.get(), 0, 0), kFormColor);
    EXPECT_EQ(At(shot.get(), kW - 1, kH - 1), kFormColor);
    EXPECT_NE(At(shot.get(), kW / 2, kH / 2), kFormColor);

    btn->SetStyle(bsNormal);
    shot = Snap();
    EXPECT_EQ(At(shot.get(), 0, 0), clWhite) << "a square face covers its corners";
}

// ---------------------------------------------------------------- the picture strip

// A strip of n pictures 10 x 10, picture i filled with colour i of the list; the
// lower-left pixel and one pixel inside each picture have the transparent colour.
std::unique_ptr<TBitmap> Strip(int n)
{
    static const TColor colours[] = {clRed, clBlue, clGreen, clPurple};
    auto bmp = std::make_unique<TBitmap>(10 * n, 10);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < n; ++i) {
        c->Brush()->SetColor(colours[i]);
        c->FillRect(Rect(10 * i, 0, 10 * i + 10, 10));
        c->SetPixels(10 * i + 7, 7, clOlive);
    }
    c->SetPixels(0, 9, clOlive);
    return bmp;
}

TEST_F(LbButtonTest, PictureShownForEachState)
{
    struct TCase {
        int Pictures;
        const char* State;
        TColor Expected;   // at the picture's middle; the face colour when none is shown
    };
    const TCase cases[] = {
        {1, "normal", clRed},   {1, "hot", clRed},     {1, "held", clRed},      {1, "disabled", kFace},
        {2, "normal", clRed},   {2, "held", clRed},    {2, "disabled", clBlue},
        {3, "held", clGreen},   {3, "hot", clRed},
        {4, "hot", clPurple},   {4, "held", clGreen},  {4, "disabled", clBlue},
    };
    for (const TCase& tc : cases) {
        SCOPED_TRACE(std::to_string(tc.Pictures) + " pictures, " + tc.State);
        TLbButton* b = NewButton(form, "", kBx, kBy);
        btn->Hide();
        b->SetHotTrackColor(clNone);
        b->SetColorWhenDown(clNone);
        b->SetGlyph(Strip(tc.Pictures).get());
        EXPECT_EQ(b->NumGlyphs(), tc.Pictures);
        const String state = tc.State;
        if (state == "hot") Hover(b, true);
        if (state == "held") Press(b);
        if (state == "disabled") b->SetEnabled(false);
        auto shot = Snap();
        // No caption: the picture sits in the middle, one pixel further while held.
        const int shift = state == "held" ? 1 : 0;
        const int left = (kW - 10) / 2 + shift, top = (kH - 10) / 2 + shift;
        EXPECT_EQ(At(shot.get(), left + 4, top + 4), tc.Expected);
        EXPECT_EQ(At(shot.get(), left + 7, top + 7), kFace) << "the strip's lower-left colour is transparent";
        b->Free();
        btn->Show();
    }
}

TEST_F(LbButtonTest, PictureBesideTheCaptionFollowsTheLayout)
{
    btn->SetGlyph(Strip(1).get());
    btn->SetHotTrackColor(clNone);
    btn->SetCaption("");
    btn->SetLayout(blGlyphLeft);
    btn->SetAlignment(taLeftJustify);
    auto shot = Snap();
    EXPECT_EQ(At(shot.get(), 4, (kH - 10) / 2), clRed);
    EXPECT_EQ(At(shot.get(), 3, (kH - 10) / 2), kFace);

    btn->SetAlignment(taRightJustify);
    shot = Snap();
    EXPECT_EQ(At(shot.get(), kW - 14, (kH - 10) / 2), clRed);
    EXPECT_EQ(At(shot.get(), kW - 4, (kH - 10) / 2), kFace);

    btn->SetHeight(60);
    btn->SetAlignment(taCenter);
    btn->SetLayout(blGlyphTop);
    btn->SetCaption("Go");
    shot = Snap();
    // Picture above the caption: the block (picture, caption, 4) centred in the height.
    bool above = false;
    for (int y = 0; y < 30 && !above; ++y) above = At(shot.get(), kW / 2, y) == clRed;
    EXPECT_TRUE(above);
}

// ---------------------------------------------------------------- caption

TEST_F(LbButtonTest, TooWideCaptionIsCutAtItsEndOrWrapped)
{
    const String longCaption = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    btn->SetAlignment(taLeftJustify);
    btn->SetHotTrackColor(clNone);
    btn->SetCaption(longCaption);

    // What fits in the room of a caption without picture (W - 8), measured alike.
    TBitmap probe(10, 10);
    probe.Canvas()->SetFont(btn->Font());
    String fits = longCaption;
    while (probe.Canvas()->TextWidth(fits) > kW - 8) fits.pop_back();
    ASSERT_LT(fits.size(), longCaption.size());

    TLbButton* cut = NewButton(form, fits, kBx, kBy + 40);
    cut->SetAlignment(taLeftJustify);
    cut->SetHotTrackColor(clNone);
    auto shot = Snap();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(At(shot.get(), x, y), At(shot.get(), x, y + 40)) << "at " << x << "," << y;

    // Word wrap on: the words go on lines of their own.
    btn->SetHeight(60);
    cut->Hide();
    btn->SetCaption("Alpha Beta Gamma Delta Epsilon");
    btn->SetWordWrap(false);
    const TInk oneLine = InkOf(Snap().get(), kFace, 60);
    btn->SetWordWrap(true);
    const TInk many = InkOf(Snap().get(), kFace, 60);
    EXPECT_LT(oneLine.Bottom - oneLine.Top, btn->Font()->PixelSize() + 4);
    EXPECT_LT(many.Top, oneLine.Top) << "a wrapped caption is a taller block, centred";
    EXPECT_GT(many.Bottom - many.Top, 2 * btn->Font()->PixelSize());
}

// ---------------------------------------------------------------- click

TEST_F(LbButtonTest, ClickRunsOnClickThenHandsTheModalResultToItsForm)
{
    TForm* dlg = NewForm(false);
    TLbButton* ok = NewButton(dlg, "OK", 10, 10);
    ok->SetModalResult(mrOk);
    std::vector<TModalResult> seenInClick;
    ok->OnClick = [&](TObject*) { seenInClick.push_back(dlg->ModalResult()); };

    TInteractionScript script;
    script.OnForm([&](TForm*) {
        UserClick(ok);
        return mrNone;
    });
    EXPECT_EQ(dlg->ShowModal(), mrOk);
    EXPECT_EQ(seenInClick, std::vector<TModalResult>{mrNone}) << "OnClick runs first, once";
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(LbButtonTest, MouseHeldAndReleasedAwayStillClicks)
{
    int clicks = 0;
    btn->OnClick = [&](TObject*) { ++clicks; };
    Press(btn);
    EXPECT_TRUE(btn->Down());
    EXPECT_EQ(At(Snap().get(), 8, kH / 2), kPressed);
    gui_input::Mouse(btn, WM_MOUSEMOVE, 180, 70, TShiftState{ssLeft});
    EXPECT_EQ(clicks, 0) << "no click before the release";
    Release(btn, 180, 70);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(btn->Down());
    EXPECT_EQ(At(Snap().get(), 8, kH / 2), kFace);

    btn->SetEnabled(false);
    Press(btn);
    Release(btn);
    EXPECT_EQ(clicks, 1) << "a disabled button does not click";
}

TEST_F(LbButtonTest, ClickPopsUpTheMenuAndItsArrowIsDrawn)
{
    auto* menu = new TPopupMenu(form);
    bool picked = false;
    menu->Items()->Add(NewItem(menu, "Item", [&](TObject*) { picked = true; }));
    btn->SetPopupMenu(menu);
    btn->SetHotTrackColor(clNone);
    auto shot = Snap();
    EXPECT_EQ(At(shot.get(), kW - 11 + 2, kH / 2), clBlack) << "the arrow's tip";

    TInteractionScript script;
    script.PickMenu("Item");
    UserClick(btn);
    EXPECT_TRUE(picked);
    EXPECT_EQ(script.Problems(), "");
}

// ---------------------------------------------------------------- keys

TEST_F(LbButtonTest, DialogKeysClickTheDefaultAndCancelButtons)
{
    enum TFocus { fEdit, fOtherButton, fRadio };
    struct TCase {
        const char* Name;
        TFocus Focus;
        WORD Key;
        TShiftState Shift;
        bool OkEnabled;
        const char* Clicked;
    };
    const TCase cases[] = {
        {"Enter in an edit", fEdit, VK_RETURN, {}, true, "ok"},
        {"Esc in an edit", fEdit, VK_ESCAPE, {}, true, "cancel"},
        {"Shift+Esc", fEdit, VK_ESCAPE, TShiftState{ssShift}, true, ""},
        {"Ctrl+Enter", fEdit, VK_RETURN, TShiftState{ssCtrl}, true, ""},
        {"Enter on another push button goes to it", fOtherButton, VK_RETURN, {}, true, "other"},
        {"Space on another push button", fOtherButton, VK_SPACE, {}, true, "other"},
        {"Enter on a radio button", fRadio, VK_RETURN, {}, true, "ok"},
        {"Enter with the default button disabled", fEdit, VK_RETURN, {}, false, ""},
    };
    for (const TCase& tc : cases) {
        SCOPED_TRACE(tc.Name);
        TForm* dlg = NewForm(true);
        String clicked;
        auto* edit = new TEdit(dlg);
        edit->SetParent(dlg);
        edit->SetBounds(10, 10, 100, 21);
        auto* radio = new TRadioButton(dlg);
        radio->SetParent(dlg);
        radio->SetBounds(10, 40, 100, 21);
        TLbButton* ok = NewButton(dlg, "OK", 120, 10);
        ok->SetDefault(true);
        ok->SetEnabled(tc.OkEnabled);
        ok->OnClick = [&](TObject*) { clicked += "ok"; };
        TLbButton* cancel = NewButton(dlg, "Cancel", 120, 40);
        cancel->SetCancel(true);
        cancel->OnClick = [&](TObject*) { clicked += "cancel"; };
        TLbButton* other = NewButton(dlg, "Other", 120, 70);
        other->OnClick = [&](TObject*) { clicked += "other"; };

        TWinControl* target = tc.Focus == fEdit ? static_cast<TWinControl*>(edit)
                            : tc.Focus == fRadio ? static_cast<TWinControl*>(radio)
                                                 : static_cast<TWinControl*>(other);
        UserFocus(target);
        ASSERT_EQ(dlg->ActiveControl(), target);
        UserKey(target, tc.Key, tc.Shift);
        EXPECT_EQ(clicked, tc.Clicked);
        gui_input::SetShiftState(TShiftState());
    }
}

TEST_F(LbButtonTest, KeyReleaseClicksOnlyAButtonPressedByThatKey)
{
    int clicks = 0;
    btn->OnClick = [&](TObject*) { ++clicks; };
    UserFocus(btn);
    gui_input::KeyDown(btn, VK_SPACE, TShiftState());
    EXPECT_TRUE(btn->Down());
    EXPECT_EQ(clicks, 0) << "the press alone does not click";
    gui_input::KeyUp(btn, VK_SPACE, TShiftState());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(btn->Down());

    // The release of an Enter pressed elsewhere (say the one that closed a window) lands here.
    gui_input::KeyUp(btn, VK_RETURN, TShiftState());
    EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, AcceleratorClicksAVisibleEnabledButton)
{
    String clicked;
    btn->SetCaption("&Save");
    btn->OnClick = [&](TObject*) { clicked += "save"; };
    TLbButton* other = NewButton(form, "Other", kBx, kBy + 40);
    other->OnClick = [&](TObject*) { clicked += "other"; };
    UserFocus(other);
    gui_input::Char(other, L's');
    EXPECT_EQ(clicked, "save");

    btn->SetEnabled(false);
    gui_input::Char(other, L's');
    EXPECT_EQ(clicked, "save") << "a disabled button takes no accelerator";
}

// ---------------------------------------------------------------- kinds and schemes

TEST_F(LbButtonTest, StockKindsGiveCaptionModalResultAndTwoPictures)
{
    struct TCase {
        TLbButtonKind Kind;
        const char* Caption;
        TModalResult Result;
        int StripHeight;
    };
    const TCase cases[] = {
        {bkOK, "OK", mrOk, 18},          {bkCancel, "Abbrechen", mrCancel, 18},
        {bkHelp, "Hilfe", mrNone, 18},   {bkYes, "Ja", mrYes, 18},
        {bkNo, "Nein", mrNo, 18},        {bkClose, "Schließen", mrNone, 18},
        {bkAbort, "Abbrechen", mrAbort, 18}, {bkRetry, "Wiederholen", mrRetry, 18},
        {bkIgnore, "Ignorieren", mrIgnore, 18}, {bkAll, "Alle", mrAll, 19},
    };
    for (const TCase& tc : cases) {
        SCOPED_TRACE(tc.Caption);
        btn->SetKind(tc.Kind);
        EXPECT_EQ(btn->Kind(), tc.Kind);
        EXPECT_EQ(btn->Caption(), tc.Caption);
        EXPECT_EQ(btn->ModalResult(), tc.Result);
        EXPECT_EQ(btn->NumGlyphs(), 2);
        EXPECT_EQ(btn->Glyph()->Width(), 36);
        EXPECT_EQ(btn->Glyph()->Height(), tc.StripHeight);
    }

    btn->SetKind(bkCancel);
    btn->SetGlyph(Strip(1).get());
    EXPECT_EQ(btn->Kind(), bkCustom);
    EXPECT_EQ(btn->NumGlyphs(), 1);
    btn->SetKind(bkCancel);
    btn->SetModalResult(mrRetry);
    EXPECT_EQ(btn->Kind(), bkCustom);
    EXPECT_EQ(btn->Caption(), "Abbrechen") << "leaving the kind keeps what it set";
}

TEST_F(LbButtonTest, StockPictureIsDrawnAndGrayedWhenDisabled)
{
    btn->SetKind(bkOK);
    btn->SetCaption("");
    btn->SetHotTrackColor(clNone);
    // Inside the frame, around the picture in the middle.
    auto count = [&](TBitmap* shot, auto pred) {
        int n = 0;
        for (int y = 1; y < kH - 1; ++y)
            for (int x = 25; x < kW - 25; ++x) n += pred(At(shot, x, y)) ? 1 : 0;
        return n;
    };
    auto green = [](TColor c) { return c == clLime || c == clGreen; };
    auto olive = [](TColor c) { return c == clOlive; };
    auto shot = Snap();
    EXPECT_GT(count(shot.get(), green), 20);
    EXPECT_EQ(count(shot.get(), olive), 0) << "the picture's background is transparent";
    btn->SetEnabled(false);
    shot = Snap();
    EXPECT_EQ(count(shot.get(), green), 0);
    EXPECT_GT(count(shot.get(), [](TColor c) { return c == clGray; }), 20);
}

TEST_F(LbButtonTest, ColourSchemeIsCopiedAndNeverStored)
{
    btn->SetColorStyle(lcsGold);
    EXPECT_EQ(btn->ColorStyle(), lcsCustom);
    EXPECT_EQ(btn->Color(), 49344);
    EXPECT_EQ(btn->LightColor(), 65535);
    EXPECT_EQ(btn->ShadowColor(), 32896);
    EXPECT_EQ(btn->ColorWhenDown(), clNone);
    EXPECT_EQ(btn->HotTrackColor(), 57311);
    EXPECT_EQ(btn->Style(), bsModern);
    EXPECT_FALSE(btn->Flat());

    btn->SetColorStyle(lcsQuicken);
    EXPECT_EQ(btn->Style(), bsQuicken);
    EXPECT_EQ(btn->Font()->Color(), clWhite);

    btn->SetColorStyle(lcsCustom);
    EXPECT_EQ(btn->Style(), bsQuicken) << "the custom scheme changes nothing";
    EXPECT_EQ(btn->Color(), 6303744);
}

TEST_F(LbButtonTest, CreatedWithTheDocumentedDefaults)
{
    auto* b = new TLbButton(form);
    EXPECT_EQ(b->Width(), 100);
    EXPECT_EQ(b->Height(), 23);
    EXPECT_EQ(b->Color(), clBtnFace);
    EXPECT_EQ(b->LightColor(), clWhite);
    EXPECT_EQ(b->ShadowColor(), 8421504);
    EXPECT_EQ(b->HotTrackColor(), clNone);
    EXPECT_EQ(b->ColorWhenDown(), clNone);
    EXPECT_EQ(b->Style(), bsNormal);
    EXPECT_EQ(b->Kind(), bkCustom);
    EXPECT_EQ(b->Alignment(), taCenter);
    EXPECT_TRUE(b->TabStop());
    EXPECT_TRUE(b->HotTrackFont()->SameAs(*form->Font())) << "the owning form's font";
}

// ---------------------------------------------------------------- fade

TEST_F(LbButtonTest, FadeTakesEightStepsFromHotColourToFace)
{
    // Black face, hot colour (200, 100, 16): step s shows s/8 of it, halves to even.
    btn->SetColor(clBlack);
    btn->SetHotTrackColor(RGB(200, 100, 16));
    btn->SetCaption("");
    btn->SetSlowDecease(true);
    const TColor expected[9] = {RGB(0, 0, 0),       RGB(25, 12, 2),     RGB(50, 25, 4),
                                RGB(75, 38, 6),     RGB(100, 50, 8),    RGB(125, 62, 10),
                                RGB(150, 75, 12),   RGB(175, 88, 14),   RGB(200, 100, 16)};
    Hover(btn, true);
    EXPECT_EQ(At(Snap().get(), 8, kH / 2), expected[8]);
    Hover(btn, false);
    EXPECT_TRUE(btn->Fading()) << "leaving starts the fade";
    EXPECT_EQ(btn->HotTrackStep(), 8);
    for (int step = 7; step >= 0; --step) {
        SCOPED_TRACE(step);
        if (step == 7)
            btn->Perform(WM_TIMER, TLbButton::FadeTimerId);   // the timer's own message
        else
            btn->FadeStep();
        EXPECT_EQ(btn->HotTrackStep(), step);
        EXPECT_EQ(btn->Fading(), step > 0) << "the timer stops at no hot colour";
        EXPECT_EQ(At(Snap().get(), 8, kH / 2), expected[step]);
    }
}

TEST_F(LbButtonTest, FadeStopsWhenThePointerComesBackOrTheFadeIsSwitchedOff)
{
    btn->SetSlowDecease(true);
    Hover(btn, true);
    Hover(btn, false);
    btn->FadeStep();
    btn->FadeStep();
    Hover(btn, true);
    EXPECT_FALSE(btn->Fading()) << "no fade under the pointer";
    EXPECT_EQ(btn->HotTrackStep(), 8);
    EXPECT_EQ(At(Snap().get(), 8, kH / 2), kHot);

    Hover(btn, false);
    EXPECT_TRUE(btn->Fading());
    btn->SetSlowDecease(false);
    EXPECT_FALSE(btn->Fading());
    EXPECT_EQ(btn->HotTrackStep(), 0);
    EXPECT_EQ(At(Snap().get(), 8, kH / 2), kFace);

    // Without the fade, leaving drops the hot colour at once.
    Hover(btn, true);
    Hover(btn, false);
    EXPECT_FALSE(btn->Fading());
    EXPECT_EQ(At(Snap().get(), 8, kH / 2), kFace);
}

TEST_F(LbButtonTest, FadeRunsOnTheEventLoopAndEndsWithTheButton)
{
    btn->SetSlowDecease(true);
    Hover(btn, true);
    Hover(btn, false);
    // Not a timing test: only that the window timer drives the steps to the end.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (btn->Fading() && std::chrono::steady_clock::now() < until) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(btn->Fading());
    EXPECT_EQ(btn->HotTrackStep(), 0);

    // A button freed in the middle of a fade leaves nothing behind that still fires.
    TLbButton* b = NewButton(form, "x", kBx, kBy + 40);
    b->SetSlowDecease(true);
    Hover(b, true);
    Hover(b, false);
    b->FadeStep();
    b->Free();
    const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (std::chrono::steady_clock::now() < settle) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    SUCCEED();
}

}   // namespace
