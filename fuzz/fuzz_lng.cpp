// Language files as the engineer may have edited them by hand: any bytes, any encoding.
// Applying one must leave a table every window can use: 6300 entries, and each entry a
// UTF-8 text that Format fills with the arguments its caller passes for the built-in text.
#include <vector>

#include "fuzz/FuzzCommon.h"
#include "platform/rtl/Unicode.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view Input = fuzz::Bytes(Data, Size);
    Apply_Lng_Bytes(Input);

    fuzz::Check(Lang_Strings.Count() == Builtin_Text_Total, "the table keeps its 6300 entries");
    for (int n = 0; n < Builtin_Text_Total; ++n) {
        const String& Text = Lang_Strings[n];
        const std::string_view Builtin = Builtin_Text(n);
        if (Text == Builtin) continue;
        fuzz::Check(Lng_Placeholders_Match(Builtin, Text), "a replacement fits its built-in text", Text);
        fuzz::Check(IsValidUtf8(Text), "a replacement is UTF-8", fuzz::Printable(Text));
        std::vector<FmtArg> Args(static_cast<size_t>(CountIntPlaceholders(Builtin)), FmtArg(7));
        try {
            Format(Text, Args);
        } catch (const EConvertError&) {
            fuzz::Fail("Format takes a replacement with the built-in text's arguments", Text);
        }
        Lang_Strings.SetStrings(n, String(Builtin));   // the next input starts from the built-in table
    }

    // Each line on its own, as the table reads it.
    const String Content = Decode_Lng_Bytes(Input);
    size_t Start = 0;
    while (Start <= Content.size()) {
        size_t End = Content.find_first_of("\r\n", Start);
        if (End == String::npos) End = Content.size();
        int Number = -1;
        String Text;
        if (Parse_Lng_Line(std::string_view(Content).substr(Start, End - Start), Builtin_Text_Total, Number, Text)) {
            fuzz::Check(Number >= 0 && Number < Builtin_Text_Total, "a line's number lies in the table");
            fuzz::Check(Text.find("\xC2\xB6") == String::npos, "no pilcrow is left in a text", Text);
            fuzz::Check(Text.find("/#/") == String::npos, "no comment is left in a text", Text);
        }
        Start = End + 1;
    }
    return 0;
}
