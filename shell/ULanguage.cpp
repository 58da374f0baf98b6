// The UI text table, its built-in texts and the language files.
#include "shell/ULanguage.h"

#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"
#include "shell/UComon.h"
#include "shell/texts/BuiltinTexts.h"

TStringList Lang_Strings;
int32_t Lang_Count = 0;

namespace {

constexpr std::string_view Pilcrow = "\xC2\xB6";   // U+00B6 in UTF-8
constexpr std::string_view CommentMark = "/#/";

void AppendBuiltin(int first, int last)
{
    for (int n = first; n <= last; ++n) Lang_Strings.Add(String(Builtin_Texts_Entry(n)));
}

} // namespace

void Load_Default_Texts()
{
    Lang_Strings.Clear();
    AppendBuiltin(0, 1699);
    Load_Default_Texts_2();
    Load_Default_Texts_3();
    Load_Default_Texts_4();
    Lang_Count = Builtin_Text_Total;
}

void Load_Default_Texts_2() { AppendBuiltin(1700, 3599); }
void Load_Default_Texts_3() { AppendBuiltin(3600, 6099); }
void Load_Default_Texts_4() { AppendBuiltin(6100, 6299); }

const String& Lang_Text(int Number)
{
    static const String None;
    return Number >= 0 && Number < Lang_Strings.Count() ? Lang_Strings.Strings(Number) : None;
}

std::string_view Builtin_Text(int Number)
{
    if (Number < 0 || Number >= Builtin_Texts_Count) return {};
    return Builtin_Texts_Entry(Number);
}

String Decode_Lng_Bytes(std::string_view Bytes)
{
    if (Bytes.substr(0, 2) == "\xFF\xFE") return Utf16BytesToUtf8(Bytes.substr(2), false);
    if (Bytes.substr(0, 2) == "\xFE\xFF") return Utf16BytesToUtf8(Bytes.substr(2), true);
    // With a UTF-8 mark or without one: editors on Linux save UTF-8 without a mark, files
    // from Windows peers are Windows-1252. Text that is valid UTF-8 is taken as UTF-8 (a
    // Windows-1252 text with accented letters is practically never valid UTF-8); anything
    // else as Windows-1252, so that no text of the table is anything but UTF-8.
    if (Bytes.substr(0, 3) == "\xEF\xBB\xBF") Bytes.remove_prefix(3);
    return IsValidUtf8(Bytes) ? String(Bytes) : Cp1252ToUtf8(Bytes);
}

bool Parse_Lng_Line(std::string_view Line, int Count, int& Number, String& Text)
{
    String line = Trim(Line);
    if (line.compare(0, 3, "STR") != 0) return false;
    // The number runs from the fourth character to two before the first '=': the format
    // puts a blank just before the '=', which never belongs to the number.
    int p = Pos("=", line);
    int number = p > 5 ? StrToIntDef(Trim(Copy(line, 4, p - 5)), -1) : -1;
    if (number < 0 || number >= Count) return false;
    String text = Trim(std::string_view(line).substr(static_cast<size_t>(p)));
    if (text.empty()) return false;
    size_t comment = text.find(CommentMark);
    if (comment != String::npos) {
        text = Trim(std::string_view(text).substr(0, comment));
        if (text.empty()) return false;
    }
    // A text framed by pilcrows keeps the blanks inside them.
    if (text.compare(0, Pilcrow.size(), Pilcrow) == 0) text.erase(0, Pilcrow.size());
    size_t pilcrow = text.find(Pilcrow);
    if (pilcrow != String::npos) text.erase(pilcrow);
    Number = number;
    Text = std::move(text);
    return true;
}

bool Lng_Placeholders_Match(std::string_view Builtin, std::string_view Text)
{
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '%') continue;
        if (i + 1 < Text.size() && (Text[i + 1] == '%' || Text[i + 1] == 'd')) {
            ++i;
            continue;
        }
        return false;   // any other directive, or a lone '%' that Format would reject
    }
    return CountIntPlaceholders(Builtin) == CountIntPlaceholders(Text);
}

void Apply_Lng_Bytes(std::string_view Bytes)
{
    const String content = Decode_Lng_Bytes(Bytes);
    const std::string_view all(content);
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = all.size();
        int number;
        String text;
        if (Parse_Lng_Line(all.substr(start, end - start), Lang_Count, number, text) &&
            number < Lang_Strings.Count()) {
            std::string_view builtin = Builtin_Text(number);
            // A replacement that does not fit the built-in text's placeholders would hand
            // Format a directive its caller never passes: keep the built-in text instead.
            Lang_Strings.SetStrings(number, Lng_Placeholders_Match(builtin, text) ? text : String(builtin));
        }
        if (end == all.size()) break;
        start = end + ((all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1);
    }
}

void Load_Lng_File(const String& FileName) { Apply_Lng_Bytes(ReadFileBytes(FileName)); }

void Load_Language()
{
    Load_Default_Texts();
    const String file = PathJoin(Language_Path, Language_Name + ".lng");
    if (FileExists(file)) {
        Load_Lng_File(file);
        return;
    }
    Language_Name = "English";
    const String english = PathJoin(Language_Path, "English.lng");
    if (FileExists(english)) Load_Lng_File(english);
}
