#pragma once
// Forms, the application object and the screen.
#include <exception>
#include <functional>
#include <vector>

#include "platform/gui/Controls.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    void AfterConstruction() override;    // OnCreate
    void BeforeDestruction() override;    // OnDestroy

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v) { FFormStyle = v; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v) { FWindowState = v; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    bool Scaled() const { return false; }
    void SetScaled(bool) {}

    // Width and Height include the window frame; the client area is what the
    // backend window shows (and what SaveControlToPng writes).
    TRect ClientRect() const override;
    int FrameWidth() const;      // left + right frame
    int FrameHeight() const;     // caption + top + bottom frame

    void SetVisible(bool v) override;
    // Shows the form modally through the interaction hook; returns its modal result.
    virtual int ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v);
    bool Modal() const { return FInModal; }
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the events now running have finished.
    void Release();
    bool Active() const;

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    void FocusControl(TWinControl* c);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;

    void WndProc(TMessage& msg) override;
    // ---- used by the interaction hook ----
    // Closing of a modal form once it has a modal result: false when OnCloseQuery or
    // OnClose keeps it open (the modal result is then reset).
    bool CloseModal();
    void BeginModal();
    void EndModal();
    void DoShow();
    void DoHide();
    void SetActiveControlFromFocus(TWinControl* c) { FActiveControl = c; }

protected:
    void ApplyWidgetBounds() override;
    void Paint() override;
    void TextChanged() override;
    void Resize() override;
    virtual void DoClose(TCloseAction& action);

private:
    void ApplyFrame();
    void PlaceOnScreen();
    TBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = TBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    TModalResult FModalResult = mrNone;
    bool FInModal = false;
    bool FCreated = false;
    bool FDestroyFired = false;
    bool FShownOnce = false;
    TWinControl* FActiveControl = nullptr;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = new T(this);
        if (!FMainForm) FMainForm = ref;
        ref->AfterConstruction();
    }
    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* f) { FMainForm = f; }
    // Shows the main form and runs the event loop until it closes or Terminate.
    void Run();
    void ProcessMessages();
    // Hides the hint shown now; the next rest of the pointer asks for a hint again.
    void CancelHint();
    // Waits for the next event and handles what came.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    const String& ExeName() const { return FExeName; }
    void SetExeName(const String& v) { FExeName = v; }
    int HintPause() const { return FHintPause; }
    void SetHintPause(int v) { FHintPause = v; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int v) { FHintHidePause = v; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int v) { FHintShortPause = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor v) { FHintColor = v; }

    // Message box through the interaction hook; flags MB_*; returns the ID* answer.
    int MessageBox(const String& text, const String& caption, unsigned flags);
    // The default handler for an exception escaping an event: OnException when set,
    // else an error box with the exception's text. EAbort is silent. Call it inside
    // a catch block (it reads the exception being handled).
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);
    TExceptionEvent OnException;
    TNotifyEvent OnIdle;
    // Runs fn at the event boundary: an escaping exception goes to HandleException.
    void Dispatch(const std::function<void()>& fn);
    // Forms created so far and not yet freed.
    const std::vector<TForm*>& Forms() const { return FForms; }
    void RegisterForm(TForm* f);
    void UnregisterForm(TForm* f);

private:
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FRunning = false;
    String FTitle;
    String FExeName;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    int FHintShortPause = 50;
    bool FShowHint = true;
    TColor FHintColor = clInfoBk;
    std::vector<TForm*> FForms;
};

class TScreen : public TComponent {
public:
    TScreen();
    int Width() const;
    int Height() const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor c);
    int FormCount() const;
    TForm* Forms(int i) const;
    TForm* ActiveForm() const;
    TWinControl* ActiveControl() const { return FindFocusedControl(); }
    int PixelsPerInch() const { return 96; }
private:
    TCursor FCursor = crDefault;
};

extern TApplication* Application;
extern TScreen* Screen;

// A cursor of the program's own: a black shape with a white rim given as a polygon in a
// 32 x 32 cell, its hot spot at hotSpot. Controls then show it for id like any other
// cursor. Safe to call before the application starts.
void RegisterCursorShape(TCursor id, const std::vector<TPoint>& outline, TPoint hotSpot);

// Writes the control with all its children as a PNG of its real pixel size (a form:
// its client area). Works headless; the window need not be shown. False on failure.
bool SaveControlToPng(TControl* control, const String& fileName);
// Paints the control into the bitmap (resized to the control's size).
void PaintControlTo(TControl* control, TBitmap* bmp);

// Message box flags and answers.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_DEFBUTTON1 = 0x0;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_APPLMODAL = 0x0;
constexpr unsigned MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;
