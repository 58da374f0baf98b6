#pragma once
// Completion of typed text from a list of captions, shared by the list pickers: the text
// before the caret is the typed part; the first caption that begins with it (without
// regard to case unless MatchCase) completes it, the typed characters keeping their case.
#include <vector>

#include "gridext/dropdown/ExtCustomDropDown.h"
#include "platform/rtl/SysUtils.h"

struct TCompletion {
    // What happens to the edit: nothing, a completed text, or the typed part alone.
    enum TKind { ckNone, ckCompleted, ckTypedOnly } Kind = ckNone;
    String Text;
    // The candidate that completed the text (-1 for none).
    int Index = -1;
    // Characters (UTF-16 units, as the edit counts) before the completed part.
    int Typed = 0;
    // Characters of the whole text.
    int Length = 0;
};

// The longest part of a caption that may follow the typed characters.
constexpr int MaxCompletionTail = 255;

TCompletion CompleteTyped(const String& Text, int Caret, const std::vector<String>& Candidates, bool MatchCase);

// Whether Text begins with Prefix, without regard to case unless CaseSensitive; an empty
// prefix matches nothing.
bool BeginsWith(const String& Text, const String& Prefix, bool CaseSensitive);

// A drop-down whose edit completes typed text from its items' lookup texts (the
// multi-column and grid pickers): the lookup list, the completion as the text changes,
// the completed item taken as the key is released, and Enter and Esc matching the text
// to an item.
class TLookupDropDown : public TExtCustomDropDown {
public:
    explicit TLookupDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner) {}
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }

protected:
    // The picker's items as the lookup sees them.
    virtual int LookupColumnIndex() const = 0;
    virtual int LookupItemCount() const = 0;
    virtual String LookupLine(int Item) const = 0;
    // Chooses an item as the picker's index setter does.
    virtual void SelectLookupItem(int Item) = 0;
    // The completion found Item: it becomes the index, the edit keeping the completed text.
    virtual void TakeCompletedItem(int Item) = 0;
    // A key goes down in the edit of a picker with a lookup column and items, before the
    // base's handling.
    virtual void LookupKeyDown(WORD Key) { (void)Key; }
    bool HasLookup() const { return LookupColumnIndex() >= 0 && LookupItemCount() > 0; }
    // Rebuilds the lookup list from the items; left as it was without a lookup column or
    // items.
    void BuildLookupList();
    // The lookup list's entry equal to Text without regard to case; -1 for none.
    int LookupPosition(const String& Text) const;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

    // Completion on (off after Backspace, Delete and Esc, so they can shorten the text).
    bool workmode = true;
    std::vector<String> FLookupItems;
    bool FMatchCase = false;
    // The completion found an item, taken as the key is released.
    bool FItemChange = false;
    int FItemIdx = -1;
    int FItemSel = 0;
    // A text set by the program is taken as it is.
    bool FSettingText = false;
};
