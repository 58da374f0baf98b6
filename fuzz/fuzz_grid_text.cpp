// The grid's text routines that take outside text: cells of a CSV file or the clipboard,
// cells of the grid's own text file, packed wide text from an older store, cell references
// typed by the user. The first byte of the input is the character the CSV helpers look for
// (besides the double quote), the rest is the text. Each routine is checked against what
// it promises, not only for crashes.
#include "fuzz/FuzzCommon.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

bool Has(const String& s, char c) { return s.find(c) != String::npos; }
bool Has(const String& s, std::string_view t) { return s.find(t) != String::npos; }

// Every c of the text doubled, as a CSV writer escapes its quote character.
String Doubled(char c, const String& s)
{
    String r;
    for (char x : s) {
        r += x;
        if (x == c) r += x;
    }
    return r;
}

void Csv(char c, const String& s)
{
    const int Single = FindSingleChar(c, s);
    fuzz::Check(Single >= 0 && Single <= int(s.size()), "a single character lies in the text", s);
    if (Single > 0) fuzz::Check(s[size_t(Single) - 1] == c, "the position holds the character", s);
    else fuzz::Check(!Has(s, c) || CountSingleChar(c, s) == 0, "no single character, none counted", s);
    int Pos = -7;
    fuzz::Check(FindSingleChar(c, s, Pos) == Single && Pos == Single, "both forms agree", s);
    fuzz::Check(CountSingleChar(c, s) <= CountChar(c, s), "single ones are some of all", s);

    // A field written with every c doubled: undoubling gives it back, and a closing c
    // after it (before the next delimiter) is the first single one.
    const String Escaped = Doubled(c, s);
    fuzz::Check(UndoubleChar(c, Escaped) == s, "undoubling a doubled text gives it back", s);
    fuzz::Check(FindSingleChar(c, Escaped + c) == int(Escaped.size()) + 1, "the closing character ends the field", s);
    if (c != ';')
        fuzz::Check(FindSingleChar(c, Escaped + c + ";next") == int(Escaped.size()) + 1,
                    "the closing character ends the field before the next", s);
    if (c == '"') fuzz::Check(QuoteDoubleQuotes(s) == Escaped, "quotes are doubled", s);
    if (!Has(s, c)) fuzz::Check(UndoubleChar(c, s) == s, "a text without the character stays", s);
}

void Line_Breaks(const String& s)
{
    // CR LF to VT and back (the quotes stripped) when the text holds no VT of its own.
    const String VQ = LineBreaksToVTabQuoted(s);
    fuzz::Check(VQ.size() >= 2 && VQ.front() == '"' && VQ.back() == '"', "the VT text is quoted", s);
    if (!Has(s, '\v'))
        fuzz::Check(VTabToLineBreaks(VQ.substr(1, VQ.size() - 2)) == s, "VT back to CR LF", s);
    fuzz::Check(!Has(VTabToLineBreaks(s), '\v'), "no VT is left", s);

    // CR to "~" and back, for texts whose breaks are all CR LF.
    bool Pairs = true;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n')) Pairs = false;
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) Pairs = false;
    }
    const String Tilde = LineBreaksToTilde(s);
    fuzz::Check(!Has(Tilde, '\r') && !Has(Tilde, '\n'), "the tilde text is one line", s);
    if (Pairs && !Has(s, '~') && s != "^") fuzz::Check(TildeToLineBreaks(Tilde) == s, "tilde back to CR LF", s);

    // CR to "\n" and back, for texts without LF and without a "\n" of their own.
    const String BN = LineBreaksToBackslashN(s);
    fuzz::Check(!Has(BN, '\r') && !Has(BN, '\n'), "the backslash-n text is one line", s);
    if (!Has(s, '\n') && !Has(s, "\\n")) fuzz::Check(BackslashNToCR(BN) == s, "backslash-n back to CR", s);

    fuzz::Check(!Has(RemoveCR(s), '\r') && !Has(CRToLF(s), '\r'), "no CR is left", s);
    int Pairs_CRLF = 0;
    for (size_t p = s.find("\r\n"); p != String::npos; p = s.find("\r\n", p + 2)) ++Pairs_CRLF;
    const String LF = CRLFToLF(s);
    fuzz::Check(CountChar('\r', LF) == CountChar('\r', s) - Pairs_CRLF && CountChar('\n', LF) == CountChar('\n', s),
                "the CR of every CR LF goes, nothing else", s);
    (void)LineBreaksToBR(s);

    // The grid's own text file: one cell per line.
    const String Enc = EncodeControlChars(s);
    if (Has(s, '\r')) {
        fuzz::Check(!Has(Enc, '\r') && !Has(Enc, '\n') && !Has(Enc, '\0'), "an encoded cell is one line", s);
        if (Has(s, '\n') && !Has(s, '\t') && !Has(s, '\b') && !Has(s, '\x01'))
            fuzz::Check(DecodeControlChars(Enc, true) == s, "decoding gives the cell back", s);
    }
    fuzz::Check(!Has(DecodeControlChars(s, false), '\r'), "the first line only", s);
    (void)DecodeControlChars(s, true);

    String Rest = s;
    const String First = CutFirstLine(Rest, true);
    fuzz::Check(!Has(First, '\r'), "the first line ends before its CR", s);
    fuzz::Check(First.size() + Rest.size() <= s.size(), "cutting never adds", s);
    if (Has(s, '\r')) {
        const size_t Cut = s.size() - First.size() - Rest.size();
        fuzz::Check(Cut == 1 || Cut == 2, "only the CR and one LF go", s);
        fuzz::Check(s.substr(s.size() - Rest.size()) == Rest, "the rest stays as it was", s);
    } else {
        fuzz::Check(First == s && Rest.empty(), "a single line is taken whole", s);
    }
    fuzz::Check(LineCount(s, true) == 1 + CountChar('\r', s) && LineCount(s, false) == 1, "lines counted", s);
}

void Wide_And_OEM(const String& s)
{
    // Packing keeps any text (as its UTF-16 form keeps it) in characters up to U+00FF.
    const String Packed = PackWideText(s);
    fuzz::Check(Packed.compare(0, 2, "|\\") == 0, "packed text is marked", s);
    for (char16_t u : Utf8ToUtf16(Packed)) fuzz::Check(u <= 0xFF, "packed text holds only U+0000..U+00FF", s);
    const String Same = Utf16ToUtf8(Utf8ToUtf16(s));
    fuzz::Check(UnpackWideText(Packed) == Same, "unpacking gives the text back", s);
    const String Unpacked = UnpackWideText(s);
    if (s.compare(0, 2, "|\\") != 0) fuzz::Check(Unpacked == s, "an unpacked text stays", s);

    // The OEM code page maps every byte to a character of its own.
    fuzz::Check(TextToOEM(TextFromOEM(s)) == s, "OEM bytes read back", s);
    fuzz::Check(TextToOEM(s).size() == Utf8ToUtf16(s).size(), "one OEM byte per unit", s);
}

void Numbers_And_References(const String& s)
{
    const int Kind = GetNumberKind(s);
    fuzz::Check(Kind == nkInteger || Kind == nkDecimal || Kind == nkNone || Kind == nkExponent, "a known kind", s);
    if (Kind == nkInteger) fuzz::Check(NormalizeNumberText(s) == s, "an integer is its own plain form", s);
    (void)NormalizeNumberText(s);
    (void)GetTextKind(s, true);
    (void)GetTextKind(s, false);

    int Col = -1, Row = -1;
    if (ParseCellReference(s, Col, Row)) {
        int Col2 = -2, Row2 = -2;
        const String Again = "R" + IntToStr(Row) + "C" + IntToStr(Col);
        fuzz::Check(ParseCellReference(Again, Col2, Row2) && Col2 == Col && Row2 == Row,
                    "a reference written again reads the same", s + " -> " + Again);
    }
}

}  // namespace

void Rich_Text(const String& s)
{
    // Rich text from a cell or a clipboard: read to the end whatever it holds.
    const String Plain = RichTextToPlainText(s);
    bool Markup = false;
    for (char x : s) Markup = Markup || x == '{' || x == '}' || x == '\\' || x == '\r' || x == '\n';
    if (!Markup) fuzz::Check(Plain == s, "text without markup is its own plain text", s);
    // With every backslash escaped no control word is left: the text comes back without
    // its braces and its source line breaks.
    String Bare;
    for (char x : s)
        if (x != '{' && x != '}' && x != '\r' && x != '\n') Bare += x;
    fuzz::Check(RichTextToPlainText("{\\rtf1 " + Doubled('\\', s) + "}") == Bare, "escaped backslashes are text", s);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    const char c = static_cast<char>(Data[0]);
    const String s(fuzz::Bytes(Data + 1, Size - 1));
    Csv('"', s);
    if (c != '"') Csv(c, s);
    Line_Breaks(s);
    Wide_And_OEM(s);
    Numbers_And_References(s);
    Rich_Text(s);
    return 0;
}
