// Language files: the line grammar, encodings, placeholders and the fallback to English.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

enum class Enc { Raw, Utf8Bom, Utf16LE, Utf16BE };

// The bytes of a file holding text (UTF-8 in the test source) in the given encoding; Raw
// takes the bytes as they stand (Windows-1252 files).
std::string FileBytes(Enc enc, const std::string& text)
{
    switch (enc) {
    case Enc::Raw: return text;
    case Enc::Utf8Bom: return "\xEF\xBB\xBF" + text;
    case Enc::Utf16LE:
    case Enc::Utf16BE: {
        std::string out = enc == Enc::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t c : Utf8ToUtf16(text)) {
            char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += enc == Enc::Utf16LE ? std::string{lo, hi} : std::string{hi, lo};
        }
        return out;
    }
    }
    return text;
}

// Every entry of the table: the expected replacements, the built-in text elsewhere.
void ExpectTable(const std::map<int, std::string>& changed, const std::string& label)
{
    ASSERT_EQ(Lang_Strings.Count(), 6300) << label;
    for (int n = 0; n < 6300; ++n) {
        auto it = changed.find(n);
        const std::string expected = it != changed.end() ? it->second : std::string(Builtin_Text(n));
        EXPECT_EQ(Lang_Strings[n], expected) << label << ": entry " << n;
    }
}

struct LngCase {
    const char* name;
    Enc enc;
    std::string content;
    std::map<int, std::string> changed;   // entries the file sets; all others stay built-in
};

const LngCase LngCases[] = {
    // Files without a byte-order mark that are not UTF-8 are Windows-1252: the pilcrow is the
    // byte B6.
    {"plain line", Enc::Raw, "STR12 = Hello", {{12, "Hello"}}},
    {"blanks and tabs before STR, between STR and the number, around '='", Enc::Raw,
     " \t STR   12     =    Hello  \t", {{12, "Hello"}}},
    {"no blank before '=': the character before it is not part of the number", Enc::Raw,
     "STR12= Hello", {{1, "Hello"}}},
    {"empty number text", Enc::Raw, "STR5= Hello", {}},
    {"lower-case str is a comment", Enc::Raw, "str12 = Hello", {}},
    {"mixed-case Str is a comment", Enc::Raw, "Str12 = Hello", {}},
    {"no equals sign", Enc::Raw, "STR12 Hello", {}},
    {"number 6300 out of range", Enc::Raw, "STR6300 = Hello", {}},
    {"number -1 out of range", Enc::Raw, "STR-1 = Hello", {}},
    {"number 6299 is the last one", Enc::Raw, "STR6299 = Last", {{6299, "Last"}}},
    {"number text that is no integer", Enc::Raw, "STR12a = Hello", {}},
    {"empty text", Enc::Raw, "STR12 =\nSTR13 =    \t", {}},
    {"equals signs inside the text", Enc::Raw, "STR12 = a = b", {{12, "a = b"}}},
    {"comment cut and trimmed", Enc::Raw, "STR12 = Hello   /#/ note", {{12, "Hello"}}},
    {"a text that is only a comment", Enc::Raw, "STR12 = /#/ note", {}},
    {"pilcrows keep the blanks between them", Enc::Raw, "STR12 = \xB6  Hello  \xB6", {{12, "  Hello  "}}},
    {"leading pilcrow keeps the leading blank", Enc::Raw, "STR12 = \xB6 Hello", {{12, " Hello"}}},
    {"text ends before a pilcrow", Enc::Raw, "STR12 = Hello  \xB6 rest", {{12, "Hello  "}}},
    {"lone pilcrow sets the empty string", Enc::Raw, "STR12 = \xB6", {{12, ""}}},
    {"two pilcrows set the empty string", Enc::Raw, "STR12 = \xB6\xB6", {{12, ""}}},
    {"comment is cut before the pilcrows are looked at", Enc::Raw, "STR12 = \xB6" "a /#/ b\xB6", {{12, "a"}}},
    {"later lines win", Enc::Raw, "STR12 = First\r\nSTR12 = Second\r\n", {{12, "Second"}}},
    {"lines end at CR, LF or CR LF", Enc::Raw, "STR1 = A\rSTR2 = B\nSTR3 = C\r\nSTR4 = D", {{1, "A"}, {2, "B"}, {3, "C"}, {4, "D"}}},
    {"headings and remarks are ignored", Enc::Raw, "[Italiano]\r\nremark = x\r\n\r\nSTR12 = Ciao\r\n", {{12, "Ciao"}}},
    {"empty file", Enc::Raw, "", {}},
    {"UTF-8 with BOM", Enc::Utf8Bom, "STR12 = Gr\u00F6\u00DFe\r\nSTR13 = \u00B6 x \u00B6", {{12, "Gr\u00F6\u00DFe"}, {13, " x "}}},
    {"UTF-16 LE with BOM", Enc::Utf16LE, "STR12 = Gr\u00F6\u00DFe \u4E2D\r\nSTR13 = \u00B6 x \u00B6", {{12, "Gr\u00F6\u00DFe \u4E2D"}, {13, " x "}}},
    {"UTF-16 BE with BOM", Enc::Utf16BE, "STR12 = Gr\u00F6\u00DFe \u4E2D\r\nSTR13 = \u00B6 x \u00B6", {{12, "Gr\u00F6\u00DFe \u4E2D"}, {13, " x "}}},
    {"no BOM: Windows-1252 bytes", Enc::Raw, "STR12 = Caf\xE9 \x80 \x93ok\x94\r\nSTR13 = \xB6 x \xB6",
     {{12, "Caf\u00E9 \u20AC \u201Cok\u201D"}, {13, " x "}}},
    // A file saved by a Linux editor: UTF-8 without a mark is taken as UTF-8.
    {"UTF-8 without BOM", Enc::Raw, "STR12 = Gr\u00F6\u00DFe Z\u00E4hler\r\nSTR13 = \u00B6 \u00FC \u00B6",
     {{12, "Gr\u00F6\u00DFe Z\u00E4hler"}, {13, " \u00FC "}}},
    // One byte that is no UTF-8 makes the whole file Windows-1252, the valid pairs too.
    {"Windows-1252 bytes beside a UTF-8 pair", Enc::Raw, "STR12 = Caf\u00E9\r\nSTR13 = Z\xE4hler",
     {{12, "Caf\u00C3\u00A9"}, {13, "Z\u00E4hler"}}},
    {"a UTF-8 BOM over Windows-1252 bytes", Enc::Raw, "\xEF\xBB\xBFSTR12 = Z\xE4hler \xB6 x", {{12, "Z\u00E4hler "}}},
    {"%s in a file falls back to the built-in text", Enc::Raw, "STR5828 = Delete row %s?\nSTR12 = Info %s", {}},
    {"%n in a file falls back to the built-in text", Enc::Raw, "STR497 = Max %n", {}},
    {"a lone % falls back", Enc::Raw, "STR12 = 50 %", {}},
    {"%5d is not a plain %d and falls back", Enc::Raw, "STR5828 = Row %5d", {}},
    {"another count of %d falls back", Enc::Raw, "STR5828 = Row %d of %d\nSTR12 = Info %d", {}},
    {"the same %d placeholders are taken", Enc::Raw, "STR5827 = Riga %d!! Tra 0 e %d\nSTR12 = 100%% ok",
     {{5827, "Riga %d!! Tra 0 e %d"}, {12, "100%% ok"}}},
    {"a bad later line brings the built-in text back", Enc::Raw, "STR5828 = Riga %d\nSTR5828 = Riga %s", {}},
};

TEST(LanguageFile, GrammarCases)
{
    for (const LngCase& c : LngCases) {
        Load_Default_Texts();
        Apply_Lng_Bytes(FileBytes(c.enc, c.content));
        ExpectTable(c.changed, c.name);
    }
}

TEST(LanguageFile, LinesAreAcceptedOnlyBelowTheTableCount)
{
    int n = -1;
    String text;
    EXPECT_FALSE(Parse_Lng_Line("STR12 = Hello", 12, n, text));
    EXPECT_TRUE(Parse_Lng_Line("STR12 = Hello", 13, n, text));
    EXPECT_EQ(n, 12);
    EXPECT_EQ(text, "Hello");
}

TEST(LanguageFile, MissingFileRaisesFileError)
{
    EXPECT_THROW(Load_Lng_File("/nonexistent-folder/none.lng"), EFOpenError);
}

class LanguageFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/shell_lang_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Folder = tmpl;
        SavedPath = Language_Path;
        SavedName = Language_Name;
        Language_Path = Folder;
    }
    void TearDown() override
    {
        Language_Path = SavedPath;
        Language_Name = SavedName;
        std::filesystem::remove_all(Folder);
    }
    void Write(const std::string& name, const std::string& bytes) { WriteFileAtomic(PathJoin(Folder, name), bytes); }

    std::string Folder, SavedPath, SavedName;
};

TEST_F(LanguageFolder, SelectedLanguageIsApplied)
{
    Write("Italiano.lng", "STR12 = Informazioni\r\n");
    Language_Name = "Italiano";
    Load_Language();
    EXPECT_EQ(Language_Name, "Italiano");
    ExpectTable({{12, "Informazioni"}}, "Italiano");
}

TEST_F(LanguageFolder, MissingFileFallsBackToEnglishLng)
{
    Write("English.lng", "STR0 = Start\r\n");
    Language_Name = "Klingon";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    ExpectTable({{0, "Start"}}, "English.lng");
}

TEST_F(LanguageFolder, MissingFileAndNoEnglishLngKeepsBuiltinTexts)
{
    Language_Name = "Klingon";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Lang_Count, 6300);
    ExpectTable({}, "built-in");
}

TEST_F(LanguageFolder, AnotherLanguageLeavesNoTextOfTheFirst)
{
    Write("Italiano.lng", "STR12 = Informazioni\r\nSTR13 = Opzioni\r\n");
    Write("Deutsch.lng", "STR13 = Optionen\r\n");
    Language_Name = "Italiano";
    Load_Language();
    Language_Name = "Deutsch";
    Load_Language();
    ExpectTable({{13, "Optionen"}}, "Deutsch after Italiano");
}

TEST_F(LanguageFolder, SymbolicLinkIsFollowed)
{
    Write("real.txt", "STR12 = Linked\r\n");
    ASSERT_EQ(symlink(PathJoin(Folder, "real.txt").c_str(), PathJoin(Folder, "Linked.lng").c_str()), 0);
    Language_Name = "Linked";
    Load_Language();
    EXPECT_EQ(Language_Name, "Linked");
    EXPECT_EQ(Lang_Strings[12], "Linked");
}

TEST_F(LanguageFolder, UnreadableFileRaisesAndLeavesTheBuiltinTexts)
{
    Write("Italiano.lng", "STR12 = Informazioni\r\n");
    // A file that exists but cannot be read: without read permission, or, for a user who
    // may read anything, one whose reading fails (the process's memory file at offset 0).
    const std::string secret = PathJoin(Folder, "Secret.lng");
    Write("Secret.lng", "STR13 = Hidden\r\n");
    ASSERT_EQ(chmod(secret.c_str(), 0), 0);
    if (access(secret.c_str(), R_OK) == 0) {
        ASSERT_EQ(unlink(secret.c_str()), 0);
        ASSERT_EQ(symlink("/proc/self/mem", secret.c_str()), 0);
    }
    Language_Name = "Italiano";
    Load_Language();
    Language_Name = "Secret";
    EXPECT_THROW(Load_Language(), EFOpenError);
    ExpectTable({}, "after a failed read");
}

} // namespace
