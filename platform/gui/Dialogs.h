#pragma once
// Message boxes, file dialogs and the interaction hook every modal thing goes through:
// in the program the hook runs real dialogs and modal loops; in a test a script
// answers each question and records what was shown.
#include <deque>
#include <functional>
#include <vector>

#include "platform/gui/Forms.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Shows a message box; returns the modal result of the button chosen.
int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx);
void ShowMessage(const String& msg);
// The caption a message box of that type gets ("Error", "Warning", ...).
String MsgDlgCaption(TMsgDlgType type);
TModalResult MsgDlgBtnResult(TMsgDlgBtn b);

enum TOpenOption { ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp,
                   ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist,
                   ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
                   ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
                   ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
                   ofForceShowHidden };
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
    // Asks for a file through the interaction hook; true with FileName set when confirmed.
    virtual bool Execute();
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& v) { FFileName = v; }
    TStringList* Files() { return &FFiles; }
    // "Text (*.txt)|*.txt|All (*.*)|*.*"
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& v) { FDefaultExt = v; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& v) { FInitialDir = v; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }
protected:
    bool DoExecute(bool save);
    String FFileName;
    TStringList FFiles;
    String FFilter;
    int FFilterIndex = 1;
    String FDefaultExt;
    String FInitialDir;
    String FTitle;
    TOpenOptions FOptions = TOpenOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};

// ---- the interaction hook ----
enum TInteractionKind { ikMessageBox, ikModalForm, ikOpenDialog, ikSaveDialog, ikPopupMenu };

struct TMessageBoxRequest {
    String Caption;
    String Text;
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons;
};

struct TFileDialogRequest {
    bool Save = false;
    String Title;
    String Filter;
    int FilterIndex = 1;
    String InitialDir;
    String FileName;        // in: proposed; out: chosen
    String DefaultExt;
    TOpenOptions Options;
    std::vector<String> Files;   // out, several when multi-select
};

class TPopupMenu;
class IInteractionHook {
public:
    virtual ~IInteractionHook() = default;
    virtual TModalResult MessageBox(const TMessageBoxRequest& req) = 0;
    // Runs the form's modal part; returns when it has a modal result.
    virtual TModalResult RunModal(TForm* form) = 0;
    virtual bool FileDialog(TFileDialogRequest& req) = 0;
    // Shows the menu at a screen position and runs the chosen item's click.
    virtual void Popup(TPopupMenu* menu, int x, int y) = 0;
};

// The hook in place now (the real dialogs when none was installed).
IInteractionHook* InteractionHook();
// Installs a hook; returns the previous one. nullptr restores the real dialogs.
IInteractionHook* SetInteractionHook(IInteractionHook* hook);

// What a script saw: one entry per message box, modal form, file dialog or menu.
struct TInteractionRecord {
    TInteractionKind Kind = ikMessageBox;
    String Caption;          // box caption, form caption, dialog title
    String Text;             // box text
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons;
    String FormClass;        // modal form: class name and Name
    String FormName;
    TModalResult Result = mrNone;
    String FileName;         // file dialogs: the answer
    String InitialDir;       // file dialogs: the folder they opened in
    bool Unexpected = false; // nothing in the script was meant for it
};

// A test's stand-in for the user. Steps are taken in order; each message box, modal
// form, file dialog or popup menu takes the next step, which must be of its kind.
// Anything unexpected is recorded, reported on stderr and answered safely (Cancel,
// else No, else OK; file dialogs cancelled; forms closed with Cancel).
class TInteractionScript : public IInteractionHook {
public:
    using TFormHandler = std::function<TModalResult(TForm* form)>;
    TInteractionScript();
    ~TInteractionScript() override;   // restores the previous hook

    // Next message box gets this answer; when expectText is given the box's text must
    // contain it.
    TInteractionScript& Answer(TModalResult result, const String& expectText = "");
    // Next modal form: the handler acts on its controls; the form's ModalResult when
    // set, else the handler's return, is the result. expectName: class or Name.
    TInteractionScript& OnForm(TFormHandler handler, const String& expectName = "");
    // Next modal form just returns this result.
    TInteractionScript& FormResult(TModalResult result, const String& expectName = "");
    // Next file dialog chooses this file; an empty name cancels it.
    TInteractionScript& ChooseFile(const String& fileName);
    // Next popup menu: click the item with this caption (empty: close it).
    TInteractionScript& PickMenu(const String& caption);

    const std::vector<TInteractionRecord>& Records() const { return FRecords; }
    int Count(TInteractionKind kind) const;
    const TInteractionRecord* Last() const { return FRecords.empty() ? nullptr : &FRecords.back(); }
    int PendingSteps() const { return int(FSteps.size()); }
    // Problems so far: unexpected interactions, wrong kinds, texts not matching.
    const std::vector<String>& Failures() const { return FFailures; }
    // Failures plus any step left unused, joined in one text; empty when all is well.
    String Problems() const;
    void Clear();

    TModalResult MessageBox(const TMessageBoxRequest& req) override;
    TModalResult RunModal(TForm* form) override;
    bool FileDialog(TFileDialogRequest& req) override;
    void Popup(TPopupMenu* menu, int x, int y) override;

private:
    struct Step {
        TInteractionKind Kind = ikMessageBox;
        TModalResult Result = mrNone;
        String Expect;
        TFormHandler Handler;
        String FileName;
    };
    bool TakeStep(TInteractionKind kind, Step& out, const String& what);
    void Fail(const String& text);
    std::deque<Step> FSteps;
    std::vector<TInteractionRecord> FRecords;
    std::vector<String> FFailures;
    IInteractionHook* FPrevious = nullptr;
};
