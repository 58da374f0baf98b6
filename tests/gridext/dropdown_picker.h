#pragma once
// A small picker for the tests of the drop-down edit: a list of words painted in rows of
// 18 pixels. A click on a row takes its word; Up and Down move through the list and show
// the word in the edit (Esc then brings the old text back, Enter keeps it).
#include <vector>

#include "gridext/dropdown/ExtCustomDropDown.h"

class TWordList : public TCustomControl {
public:
    explicit TWordList(TComponent* AOwner) : TCustomControl(AOwner) { SetColor(clWhite); }
    std::vector<String> Items;
    int ItemIndex = -1;
    std::function<void(int)> OnPick;

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, Width(), Height()));
        for (int i = 0; i < int(Items.size()); ++i) {
            const TRect r(0, i * 18, Width(), i * 18 + 18);
            c->Brush()->SetColor(i == ItemIndex ? clNavy : clWhite);
            c->FillRect(r);
            c->Font()->SetColor(i == ItemIndex ? clWhite : clBlack);
            c->TextOut(4, r.Top + 2, Items[size_t(i)]);
        }
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        const int row = Y / 18;
        if (row < 0 || row >= int(Items.size())) return;
        ItemIndex = row;
        if (OnPick) OnPick(row);
    }
};

class TWordDropDown : public TExtCustomDropDown {
public:
    explicit TWordDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner) {}
    std::vector<String> Words = {"one", "two", "three", "four"};
    TWordList* List = nullptr;
    using TExtCustomDropDown::SetEditType;
    using TExtCustomDropDown::SetPrecision;
    using TExtCustomDropDown::GetFloatValue;

    void CreateDropDownForm() override
    {
        TExtCustomDropDown::CreateDropDownForm();
        List = new TWordList(DropDownForm());
        List->SetParent(DropDownForm());
        List->OnPick = [this](int) { CloseDropDown(false); };
    }
    void CloseDropDown(bool CancelChanges) override
    {
        if (DroppedDown() && !CancelChanges && List->ItemIndex >= 0) SetText(Words[size_t(List->ItemIndex)]);
        TExtCustomDropDown::CloseDropDown(CancelChanges);
    }
    void BeforeDropDown() override
    {
        TExtCustomDropDown::BeforeDropDown();
        List->Items = Words;
        List->SetBounds(0, 0, 120, 18 * int(Words.size()));
        List->ItemIndex = -1;
        for (int i = 0; i < int(Words.size()); ++i)
            if (Words[size_t(i)] == Text()) List->ItemIndex = i;
        SetControl(List);
    }
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override
    {
        // Alt with an arrow is the edit's: it closes the pop-up.
        if ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt)) {
            const int n = int(Words.size());
            List->ItemIndex = std::clamp(List->ItemIndex + (Key == VK_DOWN ? 1 : -1), 0, n - 1);
            SetPlainText(Words[size_t(List->ItemIndex)]);
            List->Invalidate();
            Key = 0;
            return;
        }
        TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
    }
};
