#pragma once
// The edit link: how an application plugs its own control into the grid as the editor
// of edCustom cells. The grid drives the link through its virtual operations; the link
// drives the grid back through its key protocol and a few helpers.
#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"

class TExtStringGrid;

// esInplace: the control is a child of the grid over the cell; esPopup: it lives on a
// borderless stay-on-top form of the link's own.
enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner);
    // Frees the link's popup form, and only that one.
    ~TEditLink() override;

    // The grid that showed the link last, and the cell (real column, row); while the
    // link edits, the cell as the grid follows it through rows and columns moved by code.
    TExtStringGrid* Grid() const { return FOwner; }
    TPoint EditCell() const;
    TForm* PopupForm() const { return FPopupForm; }

    // Keys the link's control keeps instead of ending the edit.
    bool WantKeyLeftRight = false, WantKeyUpDown = false, WantKeyHomeEnd = false, WantKeyPriorNext = false,
         WantKeyReturn = false, WantKeyEscape = false;
    bool WantReturns = false, WantTabs = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0, PopupHeight = 0;
    // Screen position of the popup; -1 places it at the cell.
    int PopupLeft = -1, PopupTop = -1;
    // The popup takes the width of the cell.
    bool AutoPopupWidth = false;
    int Tag = 0;

    // The key protocol: a link class calls it from its control's key-down event.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    // Called at every show: afterwards the control exists with AParent as its parent.
    virtual void CreateEditor(TWinControl* AParent) {}
    // Called when a popup edit ends, before the form is hidden.
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, TFont* AFont) {}
    virtual String GetEditorValue() { return String(); }
    virtual void SetEditorValue(const String& Value) {}

    // Ends the edit: stores the value; a popup's form is hidden.
    void EditExit(TObject* Sender);
    // The popup form lost the activation.
    void FormExit(TObject* Sender);
    // The popup form for esPopup, the grid for esInplace.
    TWinControl* GetParent() const;
    String GetCellValue();
    void SetCellValue(const String& Value);
    void HideEditor();
    void RestoreWinProc();

protected:
    friend class TExtStringGrid;
    friend struct TGridEditorLibrary;
    // Opens the link over the cell (ACol displayed): R the cell's rectangle, C and F its
    // colour and font.
    void Show(TExtStringGrid* AGrid, int ACol, int ARow, const TRect& R, TColor C, TFont* F);
    // Moves the focus to the grid while the link itself closes the edit.
    void ForcedExit();

    TExtStringGrid* FOwner = nullptr;
    TForm* FPopupForm = nullptr;
    bool FForcedExit = false;
    TPoint FEditCell = TPoint(-1, -1);
    bool FSubClassed = false;
    // The control had a procedure of its own in front when the grid's went there.
    bool FControlHadHook = false;
};
