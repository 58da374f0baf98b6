#include "platform/gui/Mask.h"

#include "platform/gui/Clipbrd.h"
#include "platform/gui/EditMask.h"
#include "platform/rtl/Unicode.h"

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TCustomMaskEdit::InsertMasked(const String& s)
{
    std::u16string u = Utf8ToUtf16(s);
    if (!EditMaskAccepts(FEditMask, GetTextLen(), SelStart(), SelLength(), u)) {
        MessageBeep();
        return;
    }
    InsertTyped(Utf16ToUtf8(u));
}

void TCustomMaskEdit::DefaultHandler(TMessage& msg)
{
    if (IsMasked() && !ReadOnly()) {
        if (msg.Msg == WM_CHAR && InsertsChar(WideChar(msg.WParam))) {
            std::u16string u;
            const char32_t c = char32_t(msg.WParam);
            if (c >= 0x10000) {
                u.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
                u.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
            } else {
                u.push_back(char16_t(c));
            }
            InsertMasked(Utf16ToUtf8(u));
            return;
        }
        if (msg.Msg == WM_PASTE) {
            String s = Clipboard()->AsText();
            const auto nl = s.find_first_of("\r\n");
            if (nl != String::npos) s = s.substr(0, nl);
            if (!s.empty()) InsertMasked(s);
            return;
        }
    }
    TEdit::DefaultHandler(msg);
}
