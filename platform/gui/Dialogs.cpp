#include "platform/gui/Dialogs.h"

#include <cstdio>

#include "platform/gui/Menus.h"
#include "platform/gui/qt/Backend.h"

namespace backend {
IInteractionHook* RealInteractionHook();
}

namespace {
IInteractionHook* gHook = nullptr;
}

IInteractionHook* InteractionHook() { return gHook ? gHook : backend::RealInteractionHook(); }

IInteractionHook* SetInteractionHook(IInteractionHook* hook)
{
    IInteractionHook* prev = gHook;
    gHook = hook;
    return prev;
}

String MsgDlgCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return Application->Title();
    }
}

TModalResult MsgDlgBtnResult(TMsgDlgBtn b)
{
    switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
    case mbClose: return mrClose;
    }
    return mrNone;
}

int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    TMessageBoxRequest req;
    req.Text = msg;
    req.Caption = MsgDlgCaption(type);
    req.DlgType = type;
    req.Buttons = buttons.Empty() ? TMsgDlgButtons{mbOK} : buttons;
    return InteractionHook()->MessageBox(req);
}

void ShowMessage(const String& msg) { MessageDlg(msg, mtCustom, TMsgDlgButtons{mbOK}, 0); }

// ---------------------------------------------------------------- file dialogs

bool TOpenDialog::Execute() { return DoExecute(false); }

bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool save)
{
    TFileDialogRequest req;
    req.Save = save;
    req.Title = FTitle;
    req.Filter = FFilter;
    req.FilterIndex = FFilterIndex;
    req.InitialDir = FInitialDir;
    req.FileName = FFileName;
    req.DefaultExt = FDefaultExt;
    req.Options = FOptions;
    if (!InteractionHook()->FileDialog(req)) return false;
    String name = req.FileName;
    // A default extension is added to a name that has none (its dots and stars dropped).
    String ext = FDefaultExt;
    while (!ext.empty() && (ext[0] == '*' || ext[0] == '.')) ext.erase(0, 1);
    if (!ext.empty() && !name.empty()) {
        auto slash = name.find_last_of("/\\");
        auto dot = name.rfind('.');
        if (dot == String::npos || (slash != String::npos && dot < slash)) name += "." + ext;
    }
    FFileName = name;
    FFiles.Clear();
    if (req.Files.empty()) FFiles.Add(name);
    else
        for (const String& f : req.Files) FFiles.Add(f);
    return true;
}

// ---------------------------------------------------------------- the test script

TInteractionScript::TInteractionScript() { FPrevious = SetInteractionHook(this); }

TInteractionScript::~TInteractionScript()
{
    if (InteractionHook() == this) SetInteractionHook(FPrevious);
    String p = Problems();
    if (!p.empty()) std::fprintf(stderr, "interaction script: %s\n", p.c_str());
}

TInteractionScript& TInteractionScript::Answer(TModalResult result, const String& expectText)
{
    Step s;
    s.Kind = ikMessageBox;
    s.Result = result;
    s.Expect = expectText;
    FSteps.push_back(std::move(s));
    return *this;
}

TInteractionScript& TInteractionScript::OnForm(TFormHandler handler, const String& expectName)
{
    Step s;
    s.Kind = ikModalForm;
    s.Handler = std::move(handler);
    s.Expect = expectName;
    FSteps.push_back(std::move(s));
    return *this;
}

TInteractionScript& TInteractionScript::FormResult(TModalResult result, const String& expectName)
{
    return OnForm([result](TForm*) { return result; }, expectName);
}

TInteractionScript& TInteractionScript::ChooseFile(const String& fileName)
{
    Step s;
    s.Kind = ikOpenDialog;
    s.FileName = fileName;
    FSteps.push_back(std::move(s));
    return *this;
}

TInteractionScript& TInteractionScript::PickMenu(const String& caption)
{
    Step s;
    s.Kind = ikPopupMenu;
    s.FileName = caption;
    FSteps.push_back(std::move(s));
    return *this;
}

int TInteractionScript::Count(TInteractionKind kind) const
{
    int n = 0;
    for (const auto& r : FRecords)
        if (r.Kind == kind || (kind == ikOpenDialog && r.Kind == ikSaveDialog)) ++n;
    return n;
}

void TInteractionScript::Fail(const String& text)
{
    FFailures.push_back(text);
    std::fprintf(stderr, "interaction script: %s\n", text.c_str());
}

String TInteractionScript::Problems() const
{
    String out;
    for (const String& f : FFailures) out += (out.empty() ? "" : "; ") + f;
    if (!FSteps.empty()) out += (out.empty() ? "" : "; ") + IntToStr(long(FSteps.size())) + " scripted step(s) not used";
    return out;
}

void TInteractionScript::Clear()
{
    FSteps.clear();
    FRecords.clear();
    FFailures.clear();
}

bool TInteractionScript::TakeStep(TInteractionKind kind, Step& out, const String& what)
{
    TInteractionKind want = kind == ikSaveDialog ? ikOpenDialog : kind;
    if (FSteps.empty()) {
        Fail("unexpected " + what);
        return false;
    }
    if (FSteps.front().Kind != want) {
        Fail("script expected another kind of step, got " + what);
        return false;
    }
    out = std::move(FSteps.front());
    FSteps.pop_front();
    return true;
}

namespace {
String ButtonsText(TMsgDlgButtons b)
{
    static const char* names[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help", "Close"};
    String s;
    for (int i = 0; i <= int(mbClose); ++i)
        if (b.Contains(TMsgDlgBtn(i))) {
            if (!s.empty()) s += ',';
            s += names[i];
        }
    return s;
}

// A safe answer to a question nobody expected: Cancel, else No, else OK.
TModalResult SafeAnswer(TMsgDlgButtons b)
{
    if (b.Contains(mbCancel)) return mrCancel;
    if (b.Contains(mbNo)) return mrNo;
    if (b.Contains(mbAbort)) return mrAbort;
    if (b.Contains(mbClose)) return mrClose;
    return mrOk;
}
}

TModalResult TInteractionScript::MessageBox(const TMessageBoxRequest& req)
{
    TInteractionRecord rec;
    rec.Kind = ikMessageBox;
    rec.Caption = req.Caption;
    rec.Text = req.Text;
    rec.DlgType = req.DlgType;
    rec.Buttons = req.Buttons;
    Step step;
    if (TakeStep(ikMessageBox, step, "message box \"" + req.Text + "\" [" + ButtonsText(req.Buttons) + "]")) {
        if (!step.Expect.empty() && req.Text.find(step.Expect) == String::npos)
            Fail("message box \"" + req.Text + "\" does not contain \"" + step.Expect + "\"");
        rec.Result = step.Result;
    } else {
        rec.Unexpected = true;
        rec.Result = SafeAnswer(req.Buttons);
    }
    FRecords.push_back(rec);
    return rec.Result;
}

TModalResult TInteractionScript::RunModal(TForm* form)
{
    const size_t index = FRecords.size();
    TInteractionRecord rec;
    rec.Kind = ikModalForm;
    rec.Caption = form->Caption();
    rec.FormClass = form->ClassName();
    rec.FormName = form->Name();
    FRecords.push_back(rec);   // recorded before the handler, so nested boxes come after it
    Step step;
    const bool expected = TakeStep(ikModalForm, step, "modal form " + rec.FormClass + " \"" + rec.Caption + "\"");
    if (expected && !step.Expect.empty() && !SameText(step.Expect, rec.FormClass) && !SameText(step.Expect, rec.FormName))
        Fail("modal form " + rec.FormClass + " shown where " + step.Expect + " was expected");
    form->BeginModal();
    TModalResult result = mrCancel;
    try {
        TModalResult r = expected ? step.Handler(form) : mrCancel;
        if (form->ModalResult() == mrNone) form->SetModalResult(r == mrNone ? mrCancel : r);
        if (!form->CloseModal()) {
            // The form refused to close: the user would still see it; give up with Cancel.
            Fail("modal form " + rec.FormClass + " stayed open after its script");
            form->SetModalResult(mrCancel);
        }
        result = form->ModalResult();
    } catch (...) {
        form->EndModal();
        throw;
    }
    form->EndModal();
    FRecords[index].Result = result;
    FRecords[index].Unexpected = !expected;
    return result;
}

bool TInteractionScript::FileDialog(TFileDialogRequest& req)
{
    TInteractionRecord rec;
    rec.Kind = req.Save ? ikSaveDialog : ikOpenDialog;
    rec.Caption = req.Title;
    rec.Text = req.Filter;
    rec.InitialDir = req.InitialDir;
    Step step;
    bool ok = false;
    if (TakeStep(rec.Kind, step, String(req.Save ? "save" : "open") + " dialog \"" + req.Title + "\"")) {
        ok = !step.FileName.empty();
        req.FileName = step.FileName;
        rec.FileName = step.FileName;
        rec.Result = ok ? mrOk : mrCancel;
    } else {
        rec.Unexpected = true;
        rec.Result = mrCancel;
    }
    FRecords.push_back(rec);
    return ok;
}

void TInteractionScript::Popup(TPopupMenu* menu, int, int)
{
    TInteractionRecord rec;
    rec.Kind = ikPopupMenu;
    rec.FormName = menu->Name();
    Step step;
    TMenuItem* chosen = nullptr;
    if (TakeStep(ikPopupMenu, step, "popup menu " + menu->Name())) {
        if (!step.FileName.empty()) {
            chosen = menu->Items()->Find(step.FileName);
            if (!chosen) Fail("popup menu " + menu->Name() + " has no item \"" + step.FileName + "\"");
        }
        rec.Text = step.FileName;
    } else {
        rec.Unexpected = true;
    }
    FRecords.push_back(rec);
    if (chosen && chosen->Enabled()) chosen->Click();
}
