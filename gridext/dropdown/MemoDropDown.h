#pragma once
// The memo picker: a multi-line text edited in a memo in the drop-down window. The edit
// shows the whole text, or, while the text cannot be typed, its first line with "..."
// when more follows or the line does not fit.
#include "gridext/dropdown/ExtCustomDropDown.h"

class TExtMemoDropDown : public TExtCustomDropDown {
public:
    explicit TExtMemoDropDown(TComponent* AOwner);
    ~TExtMemoDropDown() override;

    // Entering the edit opens the drop-down.
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool v) { FAutoDrop = v; }
    TStringList* MemoText() { return &FMemoText; }
    void SetMemoText(const TStringList& v);
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* v) { FMemoPopup = v; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle v) { FMemoScrollBars = v; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool v);
    TMemo* Memo() const { return FMemo; }
    // The memo's text as it is stored: its lines joined by line breaks.
    String MemoValue() const;
    // Every change of the memo's text.
    TNotifyEvent OnMemoChange;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void CloseDropDown(bool CancelChanges) override;
    void AfterDropUp() override;
    void FocusDropDownControl() override;
    void HandleControlKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyPress(WideChar& Key) override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleDropDownKeyPress(WideChar& Key) override;

protected:
    void Change() override;
    void DoEnter() override;

private:
    // The edit's text for MemoText (the summary line or the whole text).
    void UpdateEditText();
    TStringList FMemoText;
    TMemo* FMemo = nullptr;
    bool FAutoDrop = false;
    TPopupMenu* FMemoPopup = nullptr;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
};
