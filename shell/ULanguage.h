#pragma once
// The UI text table: every caption, label, hint, column header, list item and message of
// the program's windows is read from Lang_Strings by a fixed number. The table holds the
// built-in English texts; a language file in LANGUAGE replaces single entries.
//
// The table is built and rebuilt on the interface thread only and has no lock.
#include <string_view>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

// The entries, numbered from 0. Empty until Load_Default_Texts runs.
extern TStringList Lang_Strings;
// Number of entries; language-file lines are accepted only for numbers below it.
extern int32_t Lang_Count;

constexpr int32_t Builtin_Text_Total = 6300;

// Empties the table and appends every built-in entry in number order (0-1699 here, the
// rest through _2, _3 and _4), then sets Lang_Count.
void Load_Default_Texts();
void Load_Default_Texts_2();   // 1700-3599
void Load_Default_Texts_3();   // 3600-6099
void Load_Default_Texts_4();   // 6100-6299

// The text of entry Number as the windows show it now; an empty text for a number outside
// the table (or before the table is loaded). Every window reads its texts through this.
const String& Lang_Text(int Number);

// The built-in text of entry Number (0..6299), whatever a language file made of it.
std::string_view Builtin_Text(int Number);

// Applies a language file to the table (it does not restore the built-in texts first).
// A file that cannot be read raises EFOpenError.
void Load_Lng_File(const String& FileName);
// Applies the content of a language file, given as its bytes.
void Apply_Lng_Bytes(std::string_view Bytes);
// Rebuilds the whole table for Language_Name: the built-in texts, then its file in
// Language_Path. Without that file Language_Name becomes "English" and English.lng is
// applied when present.
void Load_Language();

// The bytes of a language file as UTF-8: a UTF-16 LE or BE byte-order mark selects that
// encoding (and is dropped); other bytes, after a UTF-8 mark or without one, are UTF-8
// when they are valid UTF-8 and Windows-1252 otherwise.
String Decode_Lng_Bytes(std::string_view Bytes);

// One line of a language file (decoded, without its line end): true when it sets an entry,
// with its Number (0..Count-1) and its Text.
bool Parse_Lng_Line(std::string_view Line, int Count, int& Number, String& Text);

// True when Text may stand for Builtin: the same number of "%d" placeholders and no other
// "%" directive (a doubled "%%" is a plain percent sign). Windows fill these texts with
// Format, so a replacement must not bring any other directive into it.
bool Lng_Placeholders_Match(std::string_view Builtin, std::string_view Text);
