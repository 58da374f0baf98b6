// Forms through the interaction hook, message boxes, PNG pictures of windows, and
// keys reaching forms and controls.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"

namespace {

String TempFile(const String& name)
{
    return (std::filesystem::temp_directory_path() / ("conf_gui_" + std::to_string(::getpid()) + "_" + name)).string();
}

struct BoxCase {
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    TModalResult Answer;
    String Caption;
};

TEST(MessageBoxes, ScriptedAnswerReachesTheCallerAndWhatWasShownIsRecorded)
{
    const BoxCase cases[] = {
        {mtError, TMsgDlgButtons{mbOK}, mrOk, "Error"},
        {mtWarning, mbYesNo, mrNo, "Warning"},
        {mtConfirmation, mbYesNoCancel, mrYes, "Confirm"},
        {mtInformation, mbOKCancel, mrCancel, "Information"},
    };
    for (const BoxCase& c : cases) {
        TInteractionScript script;
        script.Answer(c.Answer, "Overwrite");
        EXPECT_EQ(MessageDlg("File exists. Overwrite?", c.Type, c.Buttons, 0), c.Answer);
        ASSERT_EQ(script.Records().size(), 1u);
        const TInteractionRecord& r = script.Records()[0];
        EXPECT_EQ(r.Kind, ikMessageBox);
        EXPECT_EQ(r.Caption, c.Caption);
        EXPECT_EQ(r.DlgType, c.Type);
        EXPECT_EQ(r.Buttons, c.Buttons);
        EXPECT_EQ(r.Text, "File exists. Overwrite?");
        EXPECT_EQ(script.Problems(), "");
    }
}

TEST(MessageBoxes, ApplicationMessageBoxMapsFlags)
{
    TInteractionScript script;
    script.Answer(mrNo);
    EXPECT_EQ(Application->MessageBox("Continue?", "Scan", MB_YESNO | MB_ICONWARNING), IDNO);
    EXPECT_EQ(script.Last()->Caption, "Scan");
    EXPECT_EQ(script.Last()->DlgType, mtWarning);
    EXPECT_EQ(script.Last()->Buttons, mbYesNo);
}

TEST(MessageBoxes, UnexpectedBoxIsRecordedAndAnsweredSafely)
{
    struct Case {
        TMsgDlgButtons Buttons;
        TModalResult Safe;
    };
    const Case cases[] = {{mbYesNoCancel, mrCancel}, {mbYesNo, mrNo}, {TMsgDlgButtons{mbOK}, mrOk}};
    for (const Case& c : cases) {
        TInteractionScript script;
        EXPECT_EQ(MessageDlg("Surprise", mtWarning, c.Buttons, 0), c.Safe);
        ASSERT_EQ(script.Records().size(), 1u);
        EXPECT_TRUE(script.Records()[0].Unexpected);
        EXPECT_NE(script.Problems().find("unexpected message box \"Surprise\""), String::npos);
        script.Clear();
    }
    // A text that does not match what the script expected is a failure too.
    TInteractionScript script;
    script.Answer(mrOk, "saved");
    ShowMessage("not what was meant");
    EXPECT_EQ(script.Failures().size(), 1u);
    script.Clear();
}

// A small dialog as the program's windows build theirs: in code, with an edit and
// OK / Cancel buttons.
class TNameDialog : public TForm {
public:
    explicit TNameDialog(TComponent* owner) : TForm(owner)
    {
        SetName("NameDialog");
        SetCaption("New configuration");
        SetClientWidth(300);
        SetClientHeight(120);
        Edit = new TEdit(this);
        Edit->SetParent(this);
        Edit->SetBounds(10, 10, 200, 21);
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->SetBounds(130, 80, 75, 25);
        Ok->SetCaption("OK");
        Ok->OnClick = [this](TObject*) {
            if (Edit->Text().empty()) {
                MessageDlg("Name is empty", mtError, TMsgDlgButtons{mbOK}, 0);
                return;
            }
            SetModalResult(mrOk);
        };
        Cancel = new TButton(this);
        Cancel->SetParent(this);
        Cancel->SetBounds(210, 80, 75, 25);
        Cancel->SetCaption("Cancel");
        Cancel->SetModalResult(mrCancel);
        Cancel->SetCancel(true);
        OnShow = [this](TObject*) {
            ++Shows;
            Edit->SetText("");
        };
    }
    TEdit* Edit;
    TButton* Ok;
    TButton* Cancel;
    int Shows = 0;
};

TEST(ModalForms, ScriptActsOnTheControlsAndTheModalResultComesBack)
{
    TNameDialog dlg(nullptr);
    TInteractionScript script;
    script.OnForm(
        [](TForm* f) {
            auto* d = static_cast<TNameDialog*>(f);
            UserClick(d->Ok);            // empty name: an error box, the dialog stays
            UserType(d->Edit, "Plant 7");
            UserClick(d->Ok);
            return mrNone;
        },
        "TNameDialog");
    script.Answer(mrOk, "Name is empty");
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(dlg.Edit->Text(), "Plant 7");
    EXPECT_EQ(dlg.Shows, 1);
    EXPECT_FALSE(dlg.Visible());
    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Records()[0].Kind, ikModalForm);   // the form first, then the box it showed
    EXPECT_EQ(script.Records()[0].FormClass, "TNameDialog");
    EXPECT_EQ(script.Records()[0].FormName, "NameDialog");
    EXPECT_EQ(script.Records()[0].Caption, "New configuration");
    EXPECT_EQ(script.Records()[0].Result, mrOk);
    EXPECT_EQ(script.Records()[1].Text, "Name is empty");
    EXPECT_EQ(script.Problems(), "");
}

TEST(ModalForms, ButtonsWithModalResultsAndEscapeCloseTheForm)
{
    TNameDialog dlg(nullptr);
    TInteractionScript script;
    script.OnForm([](TForm* f) {
        UserClick(static_cast<TNameDialog*>(f)->Cancel);
        return mrNone;
    });
    script.OnForm([](TForm* f) {
        UserKey(static_cast<TNameDialog*>(f)->Edit, VK_ESCAPE);   // the Cancel button's key
        return mrNone;
    });
    script.FormResult(mrAbort);
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(dlg.ShowModal(), mrAbort);
    EXPECT_EQ(dlg.Shows, 3);
    EXPECT_EQ(script.Problems(), "");
}

TEST(ModalForms, FormThatRefusesToCloseIsReportedAndCancelled)
{
    TNameDialog dlg(nullptr);
    int asked = 0;
    dlg.OnCloseQuery = [&](TObject*, bool& can) {
        ++asked;
        can = false;
    };
    TInteractionScript script;
    script.FormResult(mrOk);
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(script.Failures().size(), 1u);
    EXPECT_NE(script.Failures()[0].find("stayed open"), String::npos);
    EXPECT_FALSE(dlg.Visible());
    script.Clear();

    // OnClose may turn a close into a hide with the result kept.
    dlg.OnCloseQuery = nullptr;
    TCloseAction seen = caNone;
    dlg.OnClose = [&](TObject*, TCloseAction& a) { seen = a; };
    script.FormResult(mrYes);
    EXPECT_EQ(dlg.ShowModal(), mrYes);
    EXPECT_EQ(seen, caHide);
}

TEST(ModalForms, UnexpectedModalFormIsClosedWithCancel)
{
    TNameDialog dlg(nullptr);
    TInteractionScript script;
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_TRUE(script.Records()[0].Unexpected);
    script.Clear();
}

TEST(FileDialogs, ScriptChoosesOrCancels)
{
    TSaveDialog dlg(nullptr);
    dlg.SetFilter("Electronic Data Sheet (*.eds)|*.eds");
    dlg.SetDefaultExt("*.eds");
    dlg.SetTitle("Save EDS");
    TInteractionScript script;
    script.ChooseFile("/tmp/device");
    script.ChooseFile("");
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "/tmp/device.eds");   // default extension added
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(script.Records()[0].Kind, ikSaveDialog);
    EXPECT_EQ(script.Records()[0].Caption, "Save EDS");
    EXPECT_EQ(script.Problems(), "");
}

// An owner-drawn control: a blue rectangle with a black frame.
class TBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;
protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->Pen()->SetColor(clBlack);
        Canvas()->Rectangle(0, 0, Width(), Height());
    }
};

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }

TEST(Png, FormIsWrittenAtItsClientSizeWithItsChildren)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetClientWidth(240);
    form.SetClientHeight(130);
    form.SetColor(clWhite);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetBounds(10, 20, 50, 40);
    auto* box = new TBox(&form);
    box->SetParent(&form);
    box->SetBounds(100, 30, 40, 20);
    auto* label = new TLabel(&form);
    label->SetParent(panel);   // a child of the panel, drawn too
    label->SetTransparent(false);
    label->SetColor(clLime);
    label->SetCaption("Step 1");
    label->SetLeft(2);
    label->SetTop(2);

    const String path = TempFile("form.png");
    ASSERT_TRUE(SaveControlToPng(&form, path));
    TBitmap b;
    b.LoadFromFile(path);
    EXPECT_EQ(b.Width(), 240);
    EXPECT_EQ(b.Height(), 130);
    EXPECT_EQ(PixelOf(b, 35, 55), clRed);              // panel inside
    EXPECT_EQ(PixelOf(b, 5, 5), clWhite);              // form background
    EXPECT_EQ(PixelOf(b, 10 + 2, 20 + 2), clLime);     // label's top-left corner on the panel
    EXPECT_EQ(PixelOf(b, 120, 40), clBlue);            // owner-drawn fill
    EXPECT_EQ(PixelOf(b, 100, 30), clBlack);           // its frame's corners
    EXPECT_EQ(PixelOf(b, 139, 49), clBlack);
    EXPECT_EQ(PixelOf(b, 140, 50), clWhite);           // just outside
    EXPECT_GT(box->Paints, 0);
    EXPECT_FALSE(form.Visible());                      // never shown on a screen
    std::filesystem::remove(path);

    // A single control alone, at its own size.
    ASSERT_TRUE(SaveControlToPng(panel, path));
    TBitmap p;
    p.LoadFromFile(path);
    EXPECT_EQ(p.Width(), 50);
    EXPECT_EQ(p.Height(), 40);
    EXPECT_EQ(PixelOf(p, 40, 30), clRed);
    std::filesystem::remove(path);
}

TEST(Keys, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    String order;
    form.OnKeyPress = [&](TObject*, WideChar& k) {
        order += "F";
        if (k == 'x') k = 0;
    };
    edit->OnKeyPress = [&](TObject*, WideChar&) { order += "E"; };
    UserType(edit, "ax");
    EXPECT_EQ(order, "E" "E");   // no preview: only the edit
    EXPECT_EQ(edit->Text(), "ax");
    order.clear();
    edit->SetText("");
    form.SetKeyPreview(true);
    UserType(edit, "ax");
    EXPECT_EQ(order, "FE" "F");  // the form first; 'x' swallowed by it
    EXPECT_EQ(edit->Text(), "a");
}

TEST(Keys, TabMovesTheFocusInTabOrderOnAShownForm)
{
    TForm form(nullptr);
    auto* a = new TEdit(&form);
    a->SetParent(&form);
    auto* b = new TEdit(&form);
    b->SetParent(&form);
    b->SetTop(30);
    auto* c = new TEdit(&form);
    c->SetParent(&form);
    c->SetTop(60);
    c->SetTabOrder(0);   // c, a, b
    form.Show();
    EXPECT_TRUE(c->Focused());   // the first in tab order
    int enters = 0;
    a->OnEnter = [&](TObject*) { ++enters; };
    UserKey(c, VK_TAB);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(enters, 1);
    UserKey(a, VK_TAB, TShiftState{ssShift});
    EXPECT_TRUE(c->Focused());
    form.Hide();
}

}
