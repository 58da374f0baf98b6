#pragma once
// The clipboard's text.
#include "platform/rtl/SysUtils.h"

class TClipboard {
public:
    String AsText() const;
    void SetAsText(const String& s);
    bool HasText() const { return !AsText().empty(); }
    void Clear() { SetAsText(""); }
};

TClipboard* Clipboard();
