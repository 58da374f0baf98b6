#include "platform/gui/Clipbrd.h"

#include "platform/gui/qt/Backend.h"

String TClipboard::AsText() const { return backend::ClipboardText(); }

void TClipboard::SetAsText(const String& s) { backend::SetClipboardText(s); }

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
