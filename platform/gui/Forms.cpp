#include "platform/gui/Forms.h"

#include <algorithm>
#include <cstdio>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Registry.h"
#include "platform/gui/qt/Backend.h"

TApplication* Application = new TApplication();
TScreen* Screen = new TScreen();

namespace {
TForm* gActiveForm = nullptr;
}

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner, backend::CreateHost(this, true))
{
    TControl::SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320 + FrameWidth(), 240 + FrameHeight());
    ApplyFrame();
    Application->RegisterForm(this);
}

TForm::~TForm()
{
    if (gActiveForm == this) gActiveForm = nullptr;
    Application->UnregisterForm(this);
    if (Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TForm::AfterConstruction()
{
    if (FCreated) return;
    FCreated = true;
    if (OnCreate) OnCreate(this);
}

void TForm::BeforeDestruction()
{
    if (!FDestroyFired) {
        FDestroyFired = true;
        if (OnDestroy) OnDestroy(this);
    }
    TCustomControl::BeforeDestruction();
}

void TForm::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle) return;
    const TRect client = ClientRect();
    FBorderStyle = v;
    SetBounds(Left(), Top(), client.Width() + FrameWidth(), client.Height() + FrameHeight());
    ApplyFrame();
}

void TForm::SetBorderIcons(TBorderIcons v)
{
    FBorderIcons = v;
    ApplyFrame();
}

void TForm::ApplyFrame()
{
    if (Widget())
        Widget()->SetFrame(FBorderStyle, FBorderIcons.Contains(biSystemMenu), FBorderIcons.Contains(biMinimize),
                           FBorderIcons.Contains(biMaximize));
}

int TForm::FrameWidth() const
{
    if (Parent()) return 0;
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return 16;
    default: return 6;
    }
}

int TForm::FrameHeight() const
{
    if (Parent()) return 0;
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsSizeable: return 39;
    case bsSizeToolWin: return 33;
    case bsToolWindow: return 23;
    default: return 29;
    }
}

TRect TForm::ClientRect() const
{
    return Rect(0, 0, std::max(0, Width() - FrameWidth()), std::max(0, Height() - FrameHeight()));
}

void TForm::ApplyWidgetBounds()
{
    if (!Widget()) return;
    if (Parent()) {
        TCustomControl::ApplyWidgetBounds();
        return;
    }
    const TRect c = ClientRect();
    Widget()->SetGeometry(Bounds(Left() + FrameWidth() / 2, Top() + FrameHeight() - FrameWidth() / 2, c.Width(), c.Height()));
    Widget()->SetClientArea(c);
}

void TForm::TextChanged()
{
    if (Widget()) Widget()->SetTitle(Caption());
}

void TForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TForm::Resize()
{
    TCustomControl::Resize();
}

void TForm::PlaceOnScreen()
{
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TForm* ref = FPosition == poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : Application->MainForm();
        if (ref && ref != this && ref->Visible())
            SetBounds(ref->Left() + (ref->Width() - Width()) / 2, ref->Top() + (ref->Height() - Height()) / 2, Width(), Height());
        else
            SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        break;
    }
    default:
        break;
    }
}

void TForm::SetVisible(bool v)
{
    if (Parent()) {
        TCustomControl::SetVisible(v);
        return;
    }
    if (v == Visible()) return;
    if (v) {
        if (!FShownOnce || FPosition != poDesigned) PlaceOnScreen();
        FShownOnce = true;
        TControl::SetVisible(true);
        if (Widget()) Widget()->SetVisible(true);
        DoShow();
        if (!Visible()) return;
        if (Widget()) Widget()->Activate();
        gActiveForm = this;
        if (OnActivate) OnActivate(this);
        if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
        else if (!FindFocusedControl() || GetParentForm(FindFocusedControl()) != this) SelectFirst();
    } else {
        TControl::SetVisible(false);
        if (Widget()) Widget()->SetVisible(false);
        if (gActiveForm == this) gActiveForm = nullptr;
        DoHide();
    }
}

void TForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TForm::DoHide()
{
    if (OnHide) OnHide(this);
}

int TForm::ShowModal()
{
    if (Visible() || FInModal) throw EInvalidOperation("Cannot make a visible window modal");
    FModalResult = mrNone;
    return InteractionHook()->RunModal(this);
}

void TForm::BeginModal()
{
    FInModal = true;
    FModalResult = mrNone;
    if (Widget()) Widget()->SetModal(true);
    try {
        Show();
    } catch (...) {
        EndModal();
        throw;
    }
}

void TForm::EndModal()
{
    FInModal = false;
    if (Widget()) Widget()->SetModal(false);
    if (Visible()) Hide();
}

bool TForm::CloseModal()
{
    TCloseAction action = caHide;
    if (!CloseQuery()) {
        FModalResult = mrNone;
        return false;
    }
    DoClose(action);
    if (action == caNone) {
        FModalResult = mrNone;
        return false;
    }
    if (action == caFree) Release();
    return true;
}

void TForm::SetModalResult(TModalResult v)
{
    FModalResult = v;
    if (FInModal && v != mrNone) backend::WakeModalLoop();
}

void TForm::Close()
{
    if (FInModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Hide();
        Application->Terminate();
        return;
    }
    if (action == caHide || action == caMinimize) Hide();
    else if (action == caFree) Release();
}

bool TForm::CloseQuery()
{
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    return can;
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose) OnClose(this, action);
}

void TForm::Release()
{
    HWND h = Handle();
    backend::PostCall([h] {
        if (TWinControl* c = FindControl(h)) c->Free();
    });
}

bool TForm::Active() const { return gActiveForm == this; }

void TForm::SetActiveControl(TWinControl* c)
{
    FActiveControl = c;
    if (c && Visible() && c->CanFocus()) c->SetFocus();
}

void TForm::FocusControl(TWinControl* c)
{
    if (c && c->CanFocus()) c->SetFocus();
}

void TForm::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case CM_DIALOGKEY: {
        const WORD key = WORD(msg.WParam);
        if (GetKeyState(VK_MENU) >= 0) {
            if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                msg.Result = 1;
                return;
            }
            if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
                if (FActiveControl && FActiveControl->Parent()) {
                    FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
                    msg.Result = 1;
                }
                return;
            }
        }
        break;
    }
    case WM_CLOSE:
        Close();
        return;
    case WM_SETFOCUS:
        gActiveForm = this;
        break;
    }
    TCustomControl::WndProc(msg);
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() { backend::EnsureStarted(); }

void TApplication::Run()
{
    backend::EnsureStarted();
    FRunning = true;
    if (FMainForm && !FTerminated) {
        Dispatch([&] { FMainForm->Show(); });
        if (!FTerminated) backend::RunLoop();
    }
    FRunning = false;
    // The forms go while the toolkit still runs, so OnDestroy handlers can use it.
    while (ComponentCount() > 0) Components(ComponentCount() - 1)->Free();
}

void TApplication::ProcessMessages() { backend::ProcessEvents(); }

void TApplication::HandleMessage()
{
    backend::WaitAndProcessEvents();
}

void TApplication::Terminate()
{
    FTerminated = true;
    backend::QuitLoop();
}

int TApplication::MessageBox(const String& text, const String& caption, unsigned flags)
{
    TMessageBoxRequest req;
    req.Text = text;
    req.Caption = caption.empty() ? FTitle : caption;
    switch (flags & 0xF) {
    case MB_OKCANCEL: req.Buttons = TMsgDlgButtons{mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: req.Buttons = TMsgDlgButtons{mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: req.Buttons = TMsgDlgButtons{mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: req.Buttons = TMsgDlgButtons{mbYes, mbNo}; break;
    case MB_RETRYCANCEL: req.Buttons = TMsgDlgButtons{mbRetry, mbCancel}; break;
    default: req.Buttons = TMsgDlgButtons{mbOK}; break;
    }
    switch (flags & 0xF0) {
    case MB_ICONERROR: req.DlgType = mtError; break;
    case MB_ICONQUESTION: req.DlgType = mtConfirmation; break;
    case MB_ICONWARNING: req.DlgType = mtWarning; break;
    case MB_ICONINFORMATION: req.DlgType = mtInformation; break;
    default: req.DlgType = mtCustom; break;
    }
    return InteractionHook()->MessageBox(req);
}

void TApplication::Dispatch(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::HandleException(TObject* Sender)
{
    std::exception_ptr p = std::current_exception();
    if (!p) return;
    try {
        std::rethrow_exception(p);
    } catch (const EAbort&) {
        return;
    } catch (const std::exception& e) {
        if (OnException) Dispatch([&] { OnException(Sender, e); });
        else ShowException(e);
    } catch (...) {
        ShowException(Exception("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& E)
{
    TMessageBoxRequest req;
    req.Text = E.what();
    req.Caption = FTitle.empty() ? MsgDlgCaption(mtError) : FTitle;
    req.DlgType = mtError;
    req.Buttons = TMsgDlgButtons{mbOK};
    try {
        InteractionHook()->MessageBox(req);
    } catch (...) {
        std::fprintf(stderr, "error: %s\n", E.what());
    }
}

void TApplication::RegisterForm(TForm* f) { FForms.push_back(f); }

void TApplication::UnregisterForm(TForm* f)
{
    auto it = std::find(FForms.begin(), FForms.end(), f);
    if (it != FForms.end()) FForms.erase(it);
}

// ---------------------------------------------------------------- TScreen

TScreen::TScreen() : TComponent(nullptr) {}

int TScreen::Width() const { return backend::ScreenWidth(); }
int TScreen::Height() const { return backend::ScreenHeight(); }

void TScreen::SetCursor(TCursor c)
{
    FCursor = c;
    backend::SetOverrideCursor(c);
}

int TScreen::FormCount() const { return int(Application->Forms().size()); }
TForm* TScreen::Forms(int i) const { return Application->Forms().at(size_t(i)); }
TForm* TScreen::ActiveForm() const { return gActiveForm; }

bool SaveControlToPng(TControl* control, const String& fileName)
{
    if (!control || !control->Widget()) return false;
    return control->Widget()->SaveToPng(fileName);
}

void PaintControlTo(TControl* control, TBitmap* bmp)
{
    if (control && control->Widget()) control->Widget()->RenderTo(bmp);
}
