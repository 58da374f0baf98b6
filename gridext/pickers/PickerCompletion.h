#pragma once
// Completion of typed text from a list of captions, shared by the list pickers: the text
// before the caret is the typed part; the first caption that begins with it (without
// regard to case unless MatchCase) completes it, the typed characters keeping their case.
#include <vector>

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
