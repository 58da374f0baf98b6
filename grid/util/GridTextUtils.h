#pragma once
// Text routines shared by the grid, its in-place editors, drop-down controls, exchange
// and printing: cell text kinds, links, numbers written with the regional separators,
// line-break and control-character conversions of the grid's files and clipboard, CSV
// field helpers, packed wide text, mixed case and small search and clamp helpers.
//
// Every routine is a free function without state. Texts are UTF-8; positions are
// 1-based byte positions (0 = not found). The characters these routines look for are
// ASCII, so a byte position always lands on a character of its own. Routines that
// count or convert characters of any script (numbers, mixed case, packed wide text)
// work on the 16-bit units of the text's UTF-16 form.
#include <string>
#include <string_view>

#include "platform/gui/Grids.h"
#include "platform/gui/Types.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

// ---- cell text kinds and links ----
// GetTextKind results.
constexpr int tkPlain = 0;
constexpr int tkHTML = 1;
constexpr int tkRTF = 2;
constexpr int tkFormula = 3;
constexpr int tkPackedWide = 5;

int GetTextKind(const String& s, bool checkHTML);
// "://" or "mailto:" anywhere (case-sensitive).
bool HasURLProtocol(const String& s);
// Drops everything up to and including the first "://", else the first "mailto:".
void StripURLProtocol(String& s);
// Turns the first link starting with the upper-case prefix into an anchor; the text is
// escaped ("<" and ">") in the output. False (output untouched) when the prefix is absent.
bool LinkifyURL(const String& s, const String& upperPrefix, String& out);
// "R<row>C<col>" (any case); column and row as written.
bool ParseCellReference(const String& s, int& col, int& row);

// ---- numbers and colours ----
// GetNumberKind results.
constexpr int nkInteger = 0;
constexpr int nkDecimal = 1;
constexpr int nkNone = 2;
constexpr int nkExponent = 5;

// Reads the regional thousand and decimal separators at each call.
int GetNumberKind(const String& s);
// Displayed number ("(1,234.50)", "USD 12", "12 kg") to plain form ("-1234.50", "12").
String NormalizeNumberText(const String& s);
// Six upper-case hex digits red, green, blue (no "#"); system colours are resolved first.
String ColorToHTMLHex(TColor c);

// ---- line breaks and control characters (CR 13, LF 10, VT 11) ----
String LineBreaksToBR(const String& s);          // CR -> "<br>" when the text holds a CR
String BackslashNToCR(const String& s);          // "\n" -> CR
String LineBreaksToBackslashN(const String& s);  // CR -> "\n", LF dropped
String CRLFToLF(const String& s);                // CR of every CR LF dropped
String LineBreaksToVTabQuoted(const String& s);  // CR LF -> VT, then enclosed in double quotes
String VTabToLineBreaks(const String& s);        // VT -> CR LF
String LineBreaksToTilde(const String& s);       // CR -> "~", LF dropped
String TildeToLineBreaks(const String& s);       // "~" -> CR LF; a lone "^" (empty cell) -> ""
String RemoveCR(const String& s);
String CRToLF(const String& s);
// One cell per line in the grid's own text file: CR -> 9, LF -> 8, 0 -> 1 (when the text holds a CR).
String EncodeControlChars(const String& s);
// The reverse (when the text holds an 8); unless keepAllLines only the first line stays.
String DecodeControlChars(const String& s, bool keepAllLines);
// Returns the text before the first CR and removes it, the CR and one LF after it from s;
// without keepRest the rest goes too. A text without CR is returned whole and s emptied.
String CutFirstLine(String& s, bool keepRest);
int LineCount(const String& s, bool multiLine);

// ---- rich text ----
// The plain text of a rich-text document ("{\rtf1 ...}"): the groups that hold no
// text (font and colour tables, style sheets, pictures, ignorable destinations) are
// left out, paragraph and line marks become CR LF, tabs a tab, escaped characters
// (\'hh in the Windows-1252 code page, \u with its fallback) their character. The
// paragraph mark that ends the document adds no empty line. Text that is no rich text
// is read the same way, so it comes back without its braces and control words.
String RichTextToPlainText(const String& rtf);

// ---- CSV field helpers ----
String QuoteDoubleQuotes(const String& s);
// Every pair of c becomes one (when the text holds c); a single c stays.
String UndoubleChar(char c, const String& s);
// Position of a c that is not part of a doubled pair (the quote that closes a CSV field).
int FindSingleChar(char c, const String& s);
int FindSingleChar(char c, const String& s, int& pos);
int CountSingleChar(char c, const String& s);
int CountChar(char c, const String& s);
// UTF-8 to the OEM code page (437) and back; characters the code page lacks become '?'.
std::string TextToOEM(const String& s);
String TextFromOEM(std::string_view oem);

// ---- packed wide text and case ----
// "|\" followed by the high-byte and the low-byte character (U+0000..U+00FF) of every
// UTF-16 unit of the text, so any text survives a store that keeps only those characters.
String PackWideText(const String& s);
// Decodes a text that starts with "|\" (an odd trailing character is ignored); any other
// text comes back unchanged.
String UnpackWideText(const String& s);
// "mcdonald's o'neil-smith henry iii" -> "McDonald'S O'Neil-Smith Henry III".
String ToMixedCase(const String& s);

// ---- search, clamp and small helpers ----
int CharPos(char c, const String& s);
// Also stores a found position in pos (left untouched when not found).
int CharPosOut(char c, const String& s, int& pos);
int FindSubText(const String& sub, const String& s);
int FindSubText(const String& sub, const String& s, int& pos);   // pos: the result, 0 when absent
// Position of an upper-case sub-text in the text upper-cased (ASCII letters only).
int FindSubTextNoCase(const String& upperSub, const String& s);
// FindSubText over UTF-16 texts; positions count 16-bit units.
int WidePos(std::u16string_view sub, std::u16string_view s, int& pos);
// The part before the first separator, removed from s together with the separator;
// empty (s unchanged) when the separator does not occur.
String SplitFirst(String& s, const String& sep);
String StringsToText(const TStringList& list);
// Lines joined with CR LF, without one after the last.
String JoinLines(const TStringList& Lines);
// Every character (code point) of s becomes c (password display).
void FillWithChar(String& s, char c);
int Max(int a, int b);
int Min(int a, int b);
// Equal limits: the value. Otherwise a positive maximum below the value gives the
// maximum, else a positive minimum above the value gives the minimum (0 or less = no limit).
int ClampToLimits(int value, int minimum, int maximum);
bool PointInGridRect(const TGridRect& r, int col, int row);
// Wraps an HTML fragment into the "HTML Format" clipboard payload (header with byte
// offsets, document frame); the offsets count the bytes of the payload as written.
void MakeClipboardHTML(String& html);

// ---- short dates (sorting) ----
// A short date written day, month, year (EU) or month, day, year (US): the separator is
// "/" when the text holds one, else "." or "-", and it must follow the second field too.
// A two-digit year of 25 or less lies in 2000 .. 2025, a larger one in the 1900s; a year
// of three or more digits stands as written. 0 for a text without a separator;
// EConvertError for fields that are no numbers or a date that does not exist.
TDateTime ParseShortDateEU(const String& s);
TDateTime ParseShortDateUS(const String& s);
