// Delimited text into a string list (comma text, the row clipboard, list items read from
// files), and lines. Whatever a text makes of the list, the list written back as delimited
// text must read back to the same items, with every delimiter and quote choice the program
// may use, in the strict mode and (for a delimiter that is no blank) in the lenient one.
#include "fuzz/FuzzCommon.h"
#include "platform/rtl/Classes.h"

namespace {

std::vector<String> Items(const TStringList& L)
{
    std::vector<String> v;
    for (int i = 0; i < L.Count(); ++i) v.push_back(L[i]);
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1) return 0;
    // The first byte picks the delimiter, the quote and the mode; the rest is the text.
    static const char Delimiters[] = {',', ';', '\t', '|', ' ', ':', '='};
    const char Delimiter = Delimiters[(Data[0] & 0x07) % sizeof Delimiters];
    const char Quote = (Data[0] & 0x08) ? '\'' : '"';
    const bool Strict = (Data[0] & 0x10) != 0;
    const std::string_view Text = fuzz::Bytes(Data + 1, Size - 1);

    TStringList L;
    L.SetDelimitedText(Text, Delimiter, Quote, Strict);
    const std::vector<String> Read = Items(L);
    const String Written = L.DelimitedText(Delimiter, Quote);
    for (bool Mode : {false, true}) {
        // Read leniently, a blank delimiter is a blank like any other: empty items between
        // two of them cannot be told from a run of blanks.
        if (!Mode && static_cast<unsigned char>(Delimiter) <= ' ') continue;
        TStringList Back;
        Back.SetDelimitedText(Written, Delimiter, Quote, Mode);
        fuzz::Check(Items(Back) == Read, Mode ? "delimited text reads back (strict)" : "delimited text reads back",
                    Written);
    }

    L.SetCommaText(Text);
    const std::vector<String> Comma = Items(L);
    TStringList Back;
    Back.SetCommaText(L.CommaText());
    fuzz::Check(Items(Back) == Comma, "comma text reads back", L.CommaText());

    L.SetText(Text);
    const std::vector<String> Lines = Items(L);
    Back.SetText(L.Text());
    fuzz::Check(Items(Back) == Lines, "lines read back", L.Text());
    for (const String& Line : Lines)
        fuzz::Check(Line.find_first_of("\r\n") == String::npos, "a line holds no line break", Line);
    return 0;
}
